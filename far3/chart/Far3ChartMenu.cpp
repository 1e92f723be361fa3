// TEMPORARY: a stand-in for the chart window, a Far menu of the current code
// page's 256 codes, so that the whole road (opening, code pages, clipboard,
// delivery, settings) can be tried in Far 3 before the real chart exists.
// Enter confirms, F9 and Shift+F9 step through the pages, Esc leaves. The
// Far 3 chart on the separated chart model replaces this file.
#include "Far3Chart.h"

#include "Far3Clipboard.h"
#include "Far3Guids.h"
#include "Far3Host.h"

#include <string>

namespace {

// "233  E9h  é": the code in decimal and hexadecimal, and its character.
std::wstring ItemText(const Far3CodePage &Page, unsigned Code)
{
    const wchar_t *const Hex = L"0123456789ABCDEF";
    std::wstring Text = std::to_wstring(Code);
    Text.insert(0, 3 - Text.size(), L' ');
    Text += L"  ";
    Text += Hex[Code / 16];
    Text += Hex[Code % 16];
    Text += L"h  ";
    wchar_t Shown = Page.Cells[Code];
    if (Shown < 32 || (Shown >= 0x7F && Shown < 0xA0)) Shown = L' ';  // a control character
    return Text + Shown;
}

}  // namespace

bool RunFar3Chart(Far3ChartSession &Session)
{
    Session.Choice = 0;
    if (!Far3Info.Menu || !Session.Pages || Session.Pages->empty()) return false;
    const std::vector<Far3CodePage> &Pages = *Session.Pages;
    if (Session.Page >= Pages.size()) Session.Page = 0;
    const FarKey BreakKeys[] = {{VK_F9, 0}, {VK_F9, SHIFT_PRESSED}, {0, 0}};
    for (;;) {
        const Far3CodePage &Page = Pages[Session.Page];
        std::wstring Texts[256];
        FarMenuItem Items[256] = {};
        for (unsigned Code = 0; Code < 256; Code++) {
            Texts[Code] = ItemText(Page, Code);
            Items[Code].Text = Texts[Code].c_str();
            if (Code == Session.Code) Items[Code].Flags = MIF_SELECTED;
        }
        const std::wstring Title = std::to_wstring(Page.CodePage) + L" " + Page.Name;
        intptr_t BreakCode = -1;
        const intptr_t Chosen =
            Far3Info.Menu(&QuorrelGuid, &QuorrelChartGuid, -1, -1, 0, FMENU_WRAPMODE, Title.c_str(),
                          L"Enter F9 Shift+F9 Esc", nullptr, BreakKeys, &BreakCode, Items, 256);
        if (Chosen >= 0 && Chosen < 256) Session.Code = static_cast<unsigned>(Chosen);
        if (Chosen < 0) return false;
        if (BreakCode == 0) {
            Session.Page = (Session.Page + 1) % Pages.size();
        } else if (BreakCode == 1) {
            Session.Page = (Session.Page + Pages.size() - 1) % Pages.size();
        } else {
            const wchar_t Char = Session.Code ? Page.Cells[Session.Code] : 0;
            if (!Char || !PutFar3Clipboard(std::wstring(1, Char))) return false;
            RememberFar3Char(Char);
            Session.Choice = Char;
            return true;
        }
    }
}
