// Far3ChartText: cells, the status row and Unicode lines as UTF-16.
#include "Far3ChartText.h"

#include "FormatCheck.h"
#include "Far3Messages.h"
#include "UnicodeText.h"

namespace {

// The glyphs a console shows for the bytes 0x00-0x1F of its OEM page.
const wchar_t ControlGlyphs[32] = {
    L' ',    0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
const wchar_t DeleteGlyph = 0x2302;

// One conversion of a format that FormatCheck passed (flags "-#0", a width,
// a precision, then one of "cdiuxXo"), as wsprintf writes it, of Value.
std::wstring Convert(const wchar_t *&P, unsigned Value)
{
    bool Left = false, Alternate = false, Zeros = false;
    for (;; P++) {
        if (*P == L'-') Left = true;
        else if (*P == L'#') Alternate = true;
        else if (*P == L'0') Zeros = true;
        else break;
    }
    auto Number = [&P] {
        int N = 0;
        while (*P >= L'0' && *P <= L'9') N = N * 10 + (*P++ - L'0');
        return N;
    };
    const int Width = Number();
    int Precision = -1;
    if (*P == L'.') {
        P++;
        Precision = Number();
    }
    std::wstring Text, Prefix;
    const wchar_t Kind = *P++;
    if (Kind == L'c') {
        Text.assign(1, wchar_t(Value));
        Zeros = false;
    } else {
        const unsigned Base = Kind == L'o' ? 8 : (Kind == L'x' || Kind == L'X') ? 16 : 10;
        std::string Digits = FormatDigits(Value, Base, Precision < 0 ? 1 : Precision);
        if (Kind == L'x')
            for (char &D : Digits) D = char(D >= 'A' && D <= 'F' ? D - 'A' + 'a' : D);
        Text = ToWide(Digits);
        if (Alternate && Value != 0) Prefix = Kind == L'o' ? L"0" : Kind == L'x' ? L"0x" : L"0X";
        if (Kind == L'o' && !Prefix.empty() && Text[0] == L'0') Prefix.clear();
        if (Precision >= 0) Zeros = false;
    }
    const size_t Used = Prefix.size() + Text.size();
    const size_t Pad = size_t(Width) > Used ? size_t(Width) - Used : 0;
    if (Left) return Prefix + Text + std::wstring(Pad, L' ');
    if (Zeros) return Prefix + std::wstring(Pad, L'0') + Text;
    return std::wstring(Pad, L' ') + Prefix + Text;
}

// The status format with its three arguments, as the Far 1.x edition hands
// them to wsprintfA: the character, the code, the code.
std::wstring FormatStatusLine(const wchar_t *Format, wchar_t Ch, unsigned Code)
{
    const unsigned Args[3] = {unsigned(Ch), Code, Code};
    int Next = 0;
    std::wstring Line;
    for (const wchar_t *P = Format; *P;) {
        if (*P != L'%') {
            Line += *P++;
        } else if (P[1] == L'%') {
            Line += L'%';
            P += 2;
        } else {
            P++;
            Line += Convert(P, Args[Next < 3 ? Next : 2]);
            Next++;
        }
    }
    return Line;
}

}  // namespace

wchar_t ShownChar(wchar_t Cell)
{
    if (Cell < 0x20) return ControlGlyphs[Cell];
    if (Cell == 0x7F) return DeleteGlyph;
    if (Cell >= 0x80 && Cell < 0xA0) return L' ';
    return Cell;
}

std::wstring PageTitle(const Far3CodePage &Page)
{
    const std::wstring Number = std::to_wstring(Page.CodePage);
    if (Page.Name.compare(0, Number.size(), Number) == 0) return Page.Name;
    return Page.Name.empty() ? Number : Number + L" " + Page.Name;
}

std::wstring ToWide(const std::string &Ascii)
{
    return std::wstring(Ascii.begin(), Ascii.end());
}

std::string ToAscii(const std::wstring &Text)
{
    std::string Out;
    for (wchar_t Ch : Text) Out += Ch < 0x80 ? char(Ch) : '?';
    return Out;
}

std::wstring Far3UnicodeLine(const ChartState &S, uint8_t Code, bool Long, size_t Width)
{
    const CellCharacter C = CharacterOfCode(S, Code);
    if (!C.Known) return std::wstring();
    std::wstring Glyph;
    if (C.Glyph != C.CodePoint) Glyph = Far3Msg(MsgShownAs) + std::wstring(1, wchar_t(C.Glyph));
    const size_t Room = Width > Glyph.size() ? Width - Glyph.size() : 0;
    return (ToWide(ShortenLine(UnicodeLine(C, Long), Room)) + Glyph).substr(0, Width);
}

std::wstring Far3CodeStatus(const ChartState &S, uint8_t Code, size_t Width)
{
    std::wstring Format = Far3Msg(MsgStatusFormat);
    if (!StatusFormatIsSafe(ToAscii(Format).c_str())) Format = ToWide(BuiltInStatusFormat);
    return FormatStatusLine(Format.c_str(), ShownChar(MapCode(S, Code)), Code).substr(0, Width);
}

std::wstring Far3StatusText(const ChartState &S, uint8_t Code, size_t Width)
{
    if (S.UnicodeStatus) {
        std::wstring Line = Far3UnicodeLine(S, Code, false, Width);
        if (!Line.empty()) return Line;
    }
    return Far3CodeStatus(S, Code, Width);
}
