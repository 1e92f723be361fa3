// A cell's byte in Unicode, and the forms of a character for copying.
#include "CharInfo.h"

// Hand-made rather than printf: the module keeps clear of the C run-time's
// formatting code.
std::string FormatDigits(unsigned Value, unsigned Base, int MinDigits)
{
    std::string Text;
    for (int N = 0; Value || N < MinDigits; N++, Value /= Base)
        Text.insert(Text.begin(), "0123456789ABCDEF"[Value % Base]);
    return Text;
}

namespace {

std::string Hex(unsigned Value, int MinDigits)
{
    return FormatDigits(Value, 16, MinDigits);
}

std::string Decimal(unsigned Value, int MinDigits = 1)
{
    return FormatDigits(Value, 10, MinDigits);
}

}  // namespace

CellCharacter CharacterOfByte(UINT CodePage, uint8_t Byte)
{
    CellCharacter Result = {false, false, 0, 0};
    if (CodePage == 0) return Result;
    const char Src = char(Byte);
    WCHAR Plain, Other;
    if (MultiByteToWideChar(CodePage, 0, &Src, 1, &Plain, 1) != 1) return Result;
    // A single byte never gives a surrogate pair: one UTF-16 unit is the code point.
    Result.Known = true;
    Result.CodePoint = Result.Glyph = Plain;
    Result.Defined = true;
    // Some pages refuse the flags (ERROR_INVALID_FLAGS): Windows takes no
    // MB_USEGLYPHCHARS for UTF-8 and GB 18030 (Wine does), and no flag at
    // all for ISO 2022, ISCII, UTF-7 and Symbol. The console then shows the
    // character itself, and a byte counts as undefined only when the page says so.
    if (MultiByteToWideChar(CodePage, MB_USEGLYPHCHARS, &Src, 1, &Other, 1) == 1)
        Result.Glyph = Other;
    if (MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, &Src, 1, &Other, 1) != 1)
        Result.Defined = GetLastError() != ERROR_NO_UNICODE_TRANSLATION;
    return Result;
}

std::string FormatCodePoint(uint32_t CodePoint)
{
    return "U+" + Hex(CodePoint, 4);
}

int EncodeUtf8(uint32_t CodePoint, unsigned char Out[4])
{
    if (CodePoint < 0x80) {
        Out[0] = static_cast<unsigned char>(CodePoint);
        return 1;
    }
    if (CodePoint < 0x800) {
        Out[0] = static_cast<unsigned char>(0xC0 | CodePoint >> 6);
        Out[1] = static_cast<unsigned char>(0x80 | (CodePoint & 0x3F));
        return 2;
    }
    if (CodePoint >= 0xD800 && CodePoint <= 0xDFFF) return 0;
    if (CodePoint < 0x10000) {
        Out[0] = static_cast<unsigned char>(0xE0 | CodePoint >> 12);
        Out[1] = static_cast<unsigned char>(0x80 | (CodePoint >> 6 & 0x3F));
        Out[2] = static_cast<unsigned char>(0x80 | (CodePoint & 0x3F));
        return 3;
    }
    if (CodePoint > 0x10FFFF) return 0;
    Out[0] = static_cast<unsigned char>(0xF0 | CodePoint >> 18);
    Out[1] = static_cast<unsigned char>(0x80 | (CodePoint >> 12 & 0x3F));
    Out[2] = static_cast<unsigned char>(0x80 | (CodePoint >> 6 & 0x3F));
    Out[3] = static_cast<unsigned char>(0x80 | (CodePoint & 0x3F));
    return 4;
}

std::string FormatUtf8(uint32_t CodePoint)
{
    unsigned char Bytes[4];
    int Count = EncodeUtf8(CodePoint, Bytes);
    std::string Text;
    for (int I = 0; I < Count; I++) Text += (I ? " " : "") + Hex(Bytes[I], 2);
    return Text;
}

std::string FormatHtml(uint32_t CodePoint)
{
    return "&#" + Decimal(CodePoint) + ";";
}

std::string FormatCEscape(uint8_t Code)
{
    return "\\x" + Hex(Code, 2);
}

std::string FormatAltKeystroke(uint8_t Code, bool AnsiPage)
{
    return AnsiPage ? "Alt+0" + Decimal(Code, 3) : "Alt+" + Decimal(Code);
}
