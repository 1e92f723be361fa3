// A byte's code point, glyph and names on the console's code pages; the
// forms of a character; finding by name. Win32 names only: the suite runs
// natively against winsim and under Wine.
#include <gtest/gtest.h>

#include "CharInfo.h"
#include "CharNames.h"
#include "ChartState.h"
#include "UnicodeText.h"

#include <string>

namespace {

std::string Hex(uint32_t Value)
{
    return FormatCodePoint(Value);
}

TEST(CharInfo, BytesOnCodePages)
{
    struct Row {
        UINT Page;
        uint8_t Byte;
        uint32_t CodePoint;
        const char *Name;
        const char *Abbreviation;
        uint32_t Glyph;
        const char *GlyphName;
        bool Defined;
    };
    const Row Rows[] = {
        {437, 0x82, 0x00E9, "LATIN SMALL LETTER E WITH ACUTE", "", 0x00E9, "", true},
        {437, 0xB0, 0x2591, "LIGHT SHADE", "", 0x2591, "", true},
        {437, 0xFF, 0x00A0, "NO-BREAK SPACE", "NBSP", 0x00A0, "", true},
        {437, 0x1B, 0x001B, "ESCAPE", "ESC", 0x2190, "LEFTWARDS ARROW", true},
        {437, 0x00, 0x0000, "NULL", "NUL", 0x0000, "NULL", true},
        {437, 0x01, 0x0001, "START OF HEADING", "SOH", 0x263A, "WHITE SMILING FACE", true},
        {437, 0x0A, 0x000A, "LINE FEED", "LF", 0x25D9, "INVERSE WHITE CIRCLE", true},
        {437, 0x7F, 0x007F, "DELETE", "DEL", 0x2302, "HOUSE", true},
        {437, 0x41, 0x0041, "LATIN CAPITAL LETTER A", "", 0x0041, "", true},
        {850, 0xD5, 0x0131, "LATIN SMALL LETTER DOTLESS I", "", 0x0131, "", true},
        {866, 0x80, 0x0410, "CYRILLIC CAPITAL LETTER A", "", 0x0410, "", true},
        {866, 0x1B, 0x001B, "ESCAPE", "ESC", 0x2190, "LEFTWARDS ARROW", true},
        {720, 0x98, 0x0621, "ARABIC LETTER HAMZA", "", 0x0621, "", true},
        {1250, 0x8A, 0x0160, "LATIN CAPITAL LETTER S WITH CARON", "", 0x0160, "", true},
        {1251, 0xB9, 0x2116, "NUMERO SIGN", "", 0x2116, "", true},
        {1252, 0x80, 0x20AC, "EURO SIGN", "", 0x20AC, "", true},
        // Undefined in 1252: Windows passes the C1 control through, and
        // U+0081 was never standardised (its name is a figment).
        {1252, 0x81, 0x0081, "HIGH OCTET PRESET", "HOP", 0x0081, "", true},
        {1252, 0x1B, 0x001B, "ESCAPE", "ESC", 0x001B, "", true},  // no glyphs on ANSI pages
        {1255, 0xCA, 0x05BA, "HEBREW POINT HOLAM HASER FOR VAV", "", 0x05BA, "", true},
        {28597, 0xA1, 0x02BD, "MODIFIER LETTER REVERSED COMMA", "", 0x02BD, "", true},
        {21866, 0xAE, 0x045E, "CYRILLIC SMALL LETTER SHORT U", "", 0x045E, "", true},
        {857, 0xD5, 0xF8BB, "<private-use-F8BB>", "", 0xF8BB, "", false},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE("code page " + std::to_string(R.Page) + " byte " + Hex(R.Byte) + ": " +
                     Hex(R.CodePoint) + " " + R.Name);
        CellCharacter C = CharacterOfByte(R.Page, R.Byte);
        EXPECT_TRUE(C.Known);
        EXPECT_EQ(R.Defined, C.Defined);
        EXPECT_EQ(Hex(R.CodePoint), Hex(C.CodePoint));
        EXPECT_EQ(R.Name, CharName(C.CodePoint));
        EXPECT_EQ(R.Abbreviation, CharAbbreviation(C.CodePoint));
        EXPECT_EQ(Hex(R.Glyph), Hex(C.Glyph));
        if (*R.GlyphName) {
            EXPECT_EQ(R.GlyphName, CharName(C.Glyph));
        }
    }
}

TEST(CharInfo, UnknownPagesGiveNothing)
{
    // 0 is what a failed GetConsoleOutputCP leaves: not the system's ANSI page.
    for (UINT Page : {0u, 12345u}) {
        CellCharacter C = CharacterOfByte(Page, 0x41);
        EXPECT_FALSE(C.Known) << Page;
        EXPECT_EQ(0u, C.CodePoint) << Page;
        EXPECT_EQ(0u, C.Glyph) << Page;
    }
}

TEST(CharInfo, ConsoleCellsFollowTheCellCodePage)
{
    ChartState S;
    S.CellCodePage = 866;
    EXPECT_EQ(0x0410u, CharacterOfCell(S, 0x80).CodePoint);
    S.CellCodePage = 1252;
    EXPECT_EQ(0x20ACu, CharacterOfCell(S, 0x80).CodePoint);
}

// Every byte of every single-byte page the system converts, and the glyph
// shown for it, has a name: the generated table reaches what Windows does.
TEST(CharInfo, EveryByteOfEveryPageHasAName)
{
    const UINT Pages[] = {437,   720,   737,   775,   850,   852,   855,   857,   858,
                          860,   861,   862,   863,   864,   865,   866,   869,   874,
                          1250,  1251,  1252,  1253,  1254,  1255,  1256,  1257,  1258,
                          20866, 21866, 28591, 28592, 28593, 28594, 28595, 28596, 28597,
                          28598, 28599, 28600, 28603, 28604, 28605, 28606};
    int Known = 0;
    for (UINT Page : Pages)
        for (int B = 0; B < 256; B++) {
            CellCharacter C = CharacterOfByte(Page, uint8_t(B));
            if (!C.Known) continue;
            Known++;
            EXPECT_NE("", CharName(C.CodePoint))
                << "code page " << Page << " byte " << B << ": " << Hex(C.CodePoint);
            EXPECT_NE("", CharName(C.Glyph))
                << "code page " << Page << " byte " << B << ": glyph " << Hex(C.Glyph);
        }
    EXPECT_GE(Known, 35 * 256) << "fewer code pages known than Wine has";
}

TEST(CharInfo, FormsOfACodePoint)
{
    struct Row {
        uint32_t CodePoint;
        const char *Plus, *Utf8, *Html;
    };
    const Row Rows[] = {
        {0x0000, "U+0000", "00", "&#0;"},
        {0x0041, "U+0041", "41", "&#65;"},
        {0x007F, "U+007F", "7F", "&#127;"},
        {0x0080, "U+0080", "C2 80", "&#128;"},
        {0x00E9, "U+00E9", "C3 A9", "&#233;"},
        {0x07FF, "U+07FF", "DF BF", "&#2047;"},
        {0x0800, "U+0800", "E0 A0 80", "&#2048;"},
        {0x2591, "U+2591", "E2 96 91", "&#9617;"},
        {0xFFFD, "U+FFFD", "EF BF BD", "&#65533;"},
        {0x10000, "U+10000", "F0 90 80 80", "&#65536;"},
        {0x10FFFF, "U+10FFFF", "F4 8F BF BF", "&#1114111;"},
        {0xD800, "U+D800", "", "&#55296;"},  // a surrogate has no UTF-8
        {0x110000, "U+110000", "", "&#1114112;"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Plus);
        EXPECT_EQ(R.Plus, FormatCodePoint(R.CodePoint));
        EXPECT_EQ(R.Utf8, FormatUtf8(R.CodePoint));
        EXPECT_EQ(R.Html, FormatHtml(R.CodePoint));
    }
}

TEST(CharInfo, FormsOfACode)
{
    struct Row {
        uint8_t Code;
        const char *C, *OemKeys, *AnsiKeys;
    };
    const Row Rows[] = {
        {0x00, "\\x00", "Alt+0", "Alt+0000"},
        {0x07, "\\x07", "Alt+7", "Alt+0007"},
        {0x41, "\\x41", "Alt+65", "Alt+0065"},
        {0x82, "\\x82", "Alt+130", "Alt+0130"},
        {0xE9, "\\xE9", "Alt+233", "Alt+0233"},
        {0xFF, "\\xFF", "Alt+255", "Alt+0255"},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.C);
        EXPECT_EQ(R.C, FormatCEscape(R.Code));
        EXPECT_EQ(R.OemKeys, FormatAltKeystroke(R.Code, false));
        EXPECT_EQ(R.AnsiKeys, FormatAltKeystroke(R.Code, true));
    }
}

TEST(CharNames, FindByName)
{
    struct Row {
        uint32_t CodePoint;
        const char *Words;
        bool Matches;
    };
    const Row Rows[] = {
        {0x00E9, "e acute", true},
        {0x00E9, "ACUTE e", true},
        {0x00E9, "  small   E  ", true},
        {0x00E9, "latin sm", true},          // the start of a word is enough
        {0x0030, "zero", true},              // z is a letter too
        {0x00E9, "capital e acute", false},  // every word must be there
        {0x00E9, "tter", false},             // not inside a word
        {0x00E9, "", false},
        {0x00E9, "   ", false},
        {0x00A0, "break", true},             // after a hyphen
        {0x00A0, "no-break", true},
        {0x00A0, "nbsp", true},              // an alias
        {0x001B, "esc", true},
        {0x001B, "escape", true},
        {0x001B, "arrow", false},            // the glyph shown is another character
        {0x2190, "leftwards arrow", true},
        {0x0081, "high octet", true},
        {0x2591, "shade light", true},
        {0x2591, "dark", false},
        {0x4E00, "cjk", false},              // not in the table
        {0xF8BB, "private", false},
    };
    for (const Row &R : Rows) {
        EXPECT_EQ(R.Matches, CharNameMatches(R.CodePoint, R.Words))
            << Hex(R.CodePoint) << " \"" << R.Words << "\"";
    }
}

TEST(CharNames, ControlCodesAreC0DeleteAndC1)
{
    for (uint32_t C : {0x00u, 0x1Fu, 0x7Fu, 0x80u, 0x9Fu}) EXPECT_TRUE(IsControlCode(C)) << C;
    for (uint32_t C : {0x20u, 0x7Eu, 0xA0u, 0x2190u}) EXPECT_FALSE(IsControlCode(C)) << C;
}

TEST(CharNames, TableSize)
{
    // Every code point of the pages, in far less than the 64 KB allowed.
    EXPECT_GE(CharNameCount(), 950);
    EXPECT_LT(CharNameTableBytes(), 24u * 1024);
    EXPECT_EQ("", CharName(0x4E00));
    EXPECT_EQ("", CharName(0x110000));
    EXPECT_EQ("REPLACEMENT CHARACTER", CharName(0xFFFD));  // a UTF-8 console's lone byte
}

TEST(ShortenLine, KeepsTheBeginningAndTheEnd)
{
    const struct {
        const char *Line;
        size_t Width;
        const char *Shown;
    } Rows[] = {
        {"U+0041 LATIN CAPITAL LETTER A", 29, "U+0041 LATIN CAPITAL LETTER A"},  // fits
        {"U+0041 LATIN CAPITAL LETTER A", 28, "U+0041 LATIN..LETTER A"},
        {"U+0041 LATIN CAPITAL LETTER A", 17, "U+0041 LATIN..A"},
        {"U+0041 LATIN CAPITAL LETTER A", 9, "U+0041..A"},
        {"U+0041 LATIN CAPITAL LETTER A", 8, "U+0041 L"},  // no room for the end: cut
        {"U+0041 LATIN CAPITAL LETTERS", 20, "U+0041..LETTERS"},
    };
    for (const auto &R : Rows) {
        SCOPED_TRACE(std::string(R.Line) + " in " + std::to_string(R.Width));
        EXPECT_EQ(R.Shown, ShortenLine(R.Line, R.Width));
    }
}

}  // namespace
