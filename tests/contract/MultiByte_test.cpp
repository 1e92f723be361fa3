// MultiByteToWideChar on the single-byte code pages: whole tables with and
// without MB_USEGLYPHCHARS, the bytes MB_ERR_INVALID_CHARS refuses, and the
// failures, as Wine gives them.
#include "Contract.h"

#include <cstdio>

namespace {

struct PageImage {
    bool Known = false;
    WCHAR Plain[256];
    WCHAR Glyphs[256];
    bool Invalid[256];  // refused with MB_ERR_INVALID_CHARS
};

PageImage Convert(UINT Page)
{
    PageImage Image;
    char All[256];
    for (int I = 0; I < 256; I++) All[I] = static_cast<char>(I);
    Image.Known = MultiByteToWideChar(Page, 0, All, 256, Image.Plain, 256) == 256;
    if (!Image.Known) return Image;
    EXPECT_EQ(256, MultiByteToWideChar(Page, MB_USEGLYPHCHARS, All, 256, Image.Glyphs, 256));
    for (int I = 0; I < 256; I++) {
        WCHAR W;
        Image.Invalid[I] = MultiByteToWideChar(Page, MB_ERR_INVALID_CHARS, All + I, 1, &W, 1) == 0;
    }
    return Image;
}

// FNV-1a over the three tables; 0 for a page that is refused.
unsigned Digest(const PageImage &Image)
{
    if (!Image.Known) return 0;
    unsigned H = 2166136261u;
    auto Add = [&H](unsigned Byte) { H = (H ^ (Byte & 0xFF)) * 16777619u; };
    for (int I = 0; I < 256; I++) {
        Add(Image.Plain[I]);
        Add(Image.Plain[I] >> 8);
        Add(Image.Glyphs[I]);
        Add(Image.Glyphs[I] >> 8);
        Add(Image.Invalid[I]);
    }
    return H;
}

std::string Dump(const PageImage &Image)
{
    std::string Out;
    char Line[64];
    for (int I = 0; I < 256; I++) {
        snprintf(Line, sizeof Line, "%02X %04X %04X%s\n", I, Image.Plain[I], Image.Glyphs[I],
                 Image.Invalid[I] ? " invalid" : "");
        Out += Line;
    }
    return Out;
}

// Wine's tables, summed up, for every page a console or a code table of the
// chart may use (Wine has no 858 and no ISO 8859-10, -14 and -16: 28600,
// 28604, 28606). A difference prints the page's whole table, to compare the
// native run's output with Wine's.
TEST(MultiByteContract, WholeTablesOfEveryPage)
{
    struct Row {
        UINT Page;
        unsigned Digest;
    };
    const Row Rows[] = {  // 0: refused, as Wine refuses it
        {437, 0x765CBEFFu}, {720, 0x5B428DC7u}, {737, 0xCF313DA7u}, {775, 0x0CBAEEA3u},
        {850, 0x0C03739Bu}, {852, 0x8FC8DDE3u}, {855, 0xB9B056A7u}, {857, 0xD88B5D3Eu},
        {858, 0x00000000u}, {860, 0x9944CA9Bu}, {861, 0x733AC747u}, {862, 0x70A2B5EFu},
        {863, 0xF240F917u}, {864, 0xFB821178u}, {865, 0x3956FA2Fu}, {866, 0xDAD1DC8Fu},
        {869, 0x07D859FBu}, {874, 0x6AFA9B8Bu}, {1250, 0x6ED45801u}, {1251, 0x63504C7Du},
        {1252, 0x4C6D051Du}, {1253, 0x3793303Au}, {1254, 0x2DE9EBB9u}, {1255, 0xA760CF19u},
        {1256, 0xA73F694Du}, {1257, 0xF4396BE1u}, {1258, 0xF8857CEDu}, {20866, 0xD435B261u},
        {21866, 0x576ACD9Du}, {28591, 0x0048B5C5u}, {28592, 0xD8C17E05u}, {28593, 0xAE8CBE82u},
        {28594, 0xEEDD48F1u}, {28595, 0x9138EE51u}, {28596, 0x89BDBB42u}, {28597, 0xA3941495u},
        {28598, 0x3D8851F9u}, {28599, 0x8437B891u}, {28600, 0x00000000u}, {28603, 0xDBEC78E1u},
        {28604, 0x00000000u}, {28605, 0x55E39E0Du}, {28606, 0x00000000u},
    };
    for (const Row &R : Rows) {
        PageImage Image = Convert(R.Page);
        unsigned Got = Digest(Image);
        EXPECT_EQ(R.Digest, Got) << "code page " << R.Page << ", digest 0x" << std::hex << Got
                                 << std::dec << "; its table:\n"
                                 << Dump(Image);
    }
}

// Known values, one per row, to read the tables by.
TEST(MultiByteContract, Anchors)
{
    struct Row {
        UINT Page;
        DWORD Flags;
        unsigned char Byte;
        WCHAR Want;
    };
    const Row Rows[] = {
        {437, 0, 0x82, 0x00E9},              // LATIN SMALL LETTER E WITH ACUTE
        {437, 0, 0xB0, 0x2591},              // LIGHT SHADE
        {437, 0, 0xFF, 0x00A0},              // NO-BREAK SPACE
        {437, 0, 0x1B, 0x001B},              // ESCAPE
        {437, MB_USEGLYPHCHARS, 0x1B, 0x2190},  // shown as LEFTWARDS ARROW
        {437, MB_USEGLYPHCHARS, 0x01, 0x263A},  // WHITE SMILING FACE
        {437, MB_USEGLYPHCHARS, 0x7F, 0x2302},  // HOUSE
        {437, MB_USEGLYPHCHARS, 0x00, 0x0000},  // NUL has no glyph
        {437, MB_USEGLYPHCHARS | MB_PRECOMPOSED, 0x14, 0x00B6},  // PILCROW SIGN
        {850, 0, 0xD5, 0x0131},              // LATIN SMALL LETTER DOTLESS I
        {850, MB_USEGLYPHCHARS, 0x0F, 0x263C},
        {866, 0, 0x80, 0x0410},              // CYRILLIC CAPITAL LETTER A
        {866, 0, 0xF0, 0x0401},              // CYRILLIC CAPITAL LETTER IO
        {866, MB_USEGLYPHCHARS, 0x1A, 0x2192},
        {1250, 0, 0x8A, 0x0160},             // LATIN CAPITAL LETTER S WITH CARON
        {1250, 0, 0x81, 0x0081},             // undefined: the C1 control
        {1250, MB_USEGLYPHCHARS, 0x01, 0x0001},  // ANSI pages have no glyphs
        {1251, 0, 0xC0, 0x0410},
        {1251, 0, 0xB9, 0x2116},             // NUMERO SIGN
        {1252, 0, 0x80, 0x20AC},             // EURO SIGN
        {1252, 0, 0x9F, 0x0178},             // LATIN CAPITAL LETTER Y WITH DIAERESIS
        {1252, MB_USEGLYPHCHARS, 0x7F, 0x007F},
        {864, MB_USEGLYPHCHARS, 0x01, 0x0001},  // 864 shows only 127 as a glyph
        {864, MB_USEGLYPHCHARS, 0x7F, 0x2302},
        {857, 0, 0xD5, 0xF8BB},              // undefined: a private-use code
        {CP_OEMCP, 0, 0x82, 0x00E9},         // the system's OEM page is 437
        {CP_ACP, 0, 0x80, 0x20AC},           // and its ANSI page 1252
    };
    for (const Row &R : Rows) {
        WCHAR W = 0xAAAA;
        const char Src = static_cast<char>(R.Byte);
        EXPECT_EQ(1, MultiByteToWideChar(R.Page, R.Flags, &Src, 1, &W, 1));
        EXPECT_EQ(R.Want, W) << "code page " << R.Page << " flags " << R.Flags << " byte 0x"
                             << std::hex << int(R.Byte);
    }
}

TEST(MultiByteContract, ArgumentsSizesAndFailures)
{
    struct Row {
        const char *What;
        UINT Page;
        DWORD Flags;
        const char *Src;
        int SrcLength;
        bool WithDst;
        int DstLength;
        int Result;
        DWORD Error;         // 0xDEAD: the last error is left alone
        const char *Written; // the buffer's first six units afterwards, as ASCII ('~' untouched)
    };
    const Row Rows[] = {
        {"converts", 437, 0, "ab", 2, true, 8, 2, 0xDEAD, "ab~~~~"},
        {"exact room", 437, 0, "abcd", 4, true, 4, 4, 0xDEAD, "abcd~~"},
        {"embedded zero", 437, 0, "a\0b", 3, true, 8, 3, 0xDEAD, "a\1b~~~"},
        {"length -1 takes the zero", 437, 0, "ab", -1, true, 8, 3, 0xDEAD, "ab\1~~~"},
        {"any negative length", 437, 0, "ab", -5, true, 8, 3, 0xDEAD, "ab\1~~~"},
        {"size query", 437, 0, "abc", 3, true, 0, 3, 0xDEAD, "~~~~~~"},
        {"size query, no buffer", 437, 0, "ab", -1, false, 0, 3, 0xDEAD, "~~~~~~"},
        {"too small: writes what fits", 437, 0, "abcd", 4, true, 2, 0, ERROR_INSUFFICIENT_BUFFER,
         "ab~~~~"},
        {"too small for the zero", 437, 0, "abcd", -1, true, 4, 0, ERROR_INSUFFICIENT_BUFFER,
         "abcd~~"},
        {"unknown code page", 12345, 0, "ab", 2, true, 8, 0, ERROR_INVALID_PARAMETER, "~~~~~~"},
        {"no source", 437, 0, nullptr, 2, true, 8, 0, ERROR_INVALID_PARAMETER, "~~~~~~"},
        {"empty source", 437, 0, "ab", 0, true, 8, 0, ERROR_INVALID_PARAMETER, "~~~~~~"},
        {"room but no buffer", 437, 0, "ab", 2, false, 8, 0, ERROR_INVALID_PARAMETER, "~~~~~~"},
        {"negative room", 437, 0, "ab", 2, true, -1, 0, ERROR_INVALID_PARAMETER, "~~~~~~"},
        {"unknown flag", 437, 0x100, "a", 1, true, 8, 0, ERROR_INVALID_FLAGS, "~~~~~~"},
        {"unknown low flag", 437, 0x10, "a", 1, true, 8, 0, ERROR_INVALID_FLAGS, "~~~~~~"},
        {"flags on a size query", 437, 0x100, "a", 1, true, 0, 0, ERROR_INVALID_FLAGS, "~~~~~~"},
        {"code page before flags", 12345, 0x100, "a", 1, true, 8, 0, ERROR_INVALID_PARAMETER,
         "~~~~~~"},
        {"undefined byte: nothing written", 857, MB_ERR_INVALID_CHARS, "a\xD5", 2, true, 8, 0,
         ERROR_NO_UNICODE_TRANSLATION, "~~~~~~"},
        {"undefined byte before room", 857, MB_ERR_INVALID_CHARS, "abc\xD5", 4, true, 2, 0,
         ERROR_NO_UNICODE_TRANSLATION, "~~~~~~"},
        {"undefined byte on a size query", 857, MB_ERR_INVALID_CHARS, "\xD5", 1, true, 0, 0,
         ERROR_NO_UNICODE_TRANSLATION, "~~~~~~"},
        {"defined bytes pass", 857, MB_ERR_INVALID_CHARS | MB_USEGLYPHCHARS, "ab", 2, true, 8, 2,
         0xDEAD, "ab~~~~"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.What);
        WCHAR Buffer[8];
        for (WCHAR &W : Buffer) W = 0xAAAA;
        SetLastError(0xDEAD);
        EXPECT_EQ(R.Result, MultiByteToWideChar(R.Page, R.Flags, R.Src, R.SrcLength,
                                                R.WithDst ? Buffer : nullptr, R.DstLength));
        EXPECT_EQ(R.Error, GetLastError());
        std::string Written;
        for (int I = 0; I < 6; I++)
            Written += Buffer[I] == 0xAAAA ? '~' : Buffer[I] == 0 ? '\1' : char(Buffer[I]);
        EXPECT_EQ(R.Written, Written);
    }
}

}  // namespace
