// Far3CodePages: the system's single-byte code pages.
#include "Far3CodePages.h"

#include <algorithm>
#include <cwchar>

namespace {

// The enumeration calls back with each page's number as text.
std::vector<UINT> *Enumerated = nullptr;

BOOL CALLBACK TakePage(LPWSTR Number)
{
    UINT Page = 0;
    for (const WCHAR *C = Number; C && *C; C++) {
        if (*C < '0' || *C > '9' || Page > 0xFFFF) return TRUE;  // not a page number
        Page = Page * 10 + (*C - '0');
    }
    if (Page) Enumerated->push_back(Page);
    return TRUE;
}

bool MakePage(UINT CodePage, bool Glyphs, Far3CodePage &Page)
{
    CPINFOEXW Info;
    if (!GetCPInfoExW(CodePage, 0, &Info) || Info.MaxCharSize != 1) return false;
    char Bytes[256];
    for (int I = 0; I < 256; I++) Bytes[I] = static_cast<char>(I);
    WCHAR Cells[256];
    if (MultiByteToWideChar(CodePage, Glyphs ? MB_USEGLYPHCHARS : 0, Bytes, 256, Cells, 256) != 256)
        return false;
    Page.CodePage = CodePage;
    Page.Name.clear();
    for (const WCHAR *C = Info.CodePageName; C < Info.CodePageName + MAX_PATH && *C; C++)
        Page.Name += static_cast<wchar_t>(*C);
    if (Page.Name.empty()) Page.Name = std::to_wstring(CodePage);
    std::copy(Cells, Cells + 256, Page.Cells);
    return true;
}

}  // namespace

std::vector<Far3CodePage> BuildFar3CodePages()
{
    std::vector<UINT> Numbers;
    Enumerated = &Numbers;
    EnumSystemCodePagesW(TakePage, CP_INSTALLED);
    Enumerated = nullptr;
    std::sort(Numbers.begin(), Numbers.end());

    std::vector<Far3CodePage> Pages;
    Far3CodePage Page;
    const UINT Oem = GetOEMCP();
    const UINT Ansi = GetACP();
    if (MakePage(Oem, true, Page)) Pages.push_back(Page);
    if (Ansi != Oem && MakePage(Ansi, false, Page)) Pages.push_back(Page);
    for (UINT Number : Numbers)
        if (Number != Oem && Number != Ansi && FindFar3CodePage(Pages, Number) < 0 &&
            MakePage(Number, false, Page))
            Pages.push_back(Page);
    return Pages;
}

int FindFar3CodePage(const std::vector<Far3CodePage> &Pages, UINT CodePage)
{
    for (size_t I = 0; I < Pages.size(); I++)
        if (Pages[I].CodePage == CodePage) return static_cast<int>(I);
    return -1;
}

int FindFar3Cell(const Far3CodePage &Page, wchar_t Char)
{
    for (int Code = 0; Code < 256; Code++)
        if (Page.Cells[Code] == Char) return Code;
    return -1;
}
