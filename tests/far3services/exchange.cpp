// The Unicode clipboard, the system's code pages, and the exchange with the
// editor and the command line.
#include "Far3Fixture.h"

#include "ClipboardRows.h"
#include "Far3CodePages.h"
#include "Far3Exchange.h"

#include <set>

namespace {

// ---- clipboard ----

TEST_F(Far3Test, ClipboardTakesUnicodeAndAppendsToTheFirstLine)
{
    const struct {
        std::wstring Before;  // L"(none)": no text on the clipboard
        bool Append;
        std::wstring Added;
        std::wstring After;
    } Rows[] = {
        {L"old", false, L"\x00E9", L"\x00E9"},
        {L"old", false, L"", L"old"},  // nothing asked for
        {L"(none)", false, L"\x0416", L"\x0416"},
        {L"ab\r\nsecond", true, L"x", L"abx"},
        {L"ab\nsecond", true, L"\x20AC", L"ab\x20AC"},
        {L"(none)", true, L"x", L"x"},
        {L"\x0416", true, L"", L"\x0416"},
        {L"ab", false, std::wstring(L"c\0d", 3), L"c"},  // up to a zero
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Narrow(Row.Before) + (Row.Append ? " + " : " <- ") + Narrow(Row.Added));
        if (Row.Before == L"(none)")
            PutUnicodeBytes({}, true);
        else
            PutUnicodeText(Row.Before);
        EXPECT_TRUE(Row.Append ? AppendFar3Clipboard(Row.Added) : PutFar3Clipboard(Row.Added));
        EXPECT_EQ(Row.After, UnicodeText());
    }
}

TEST_F(Far3Test, ClipboardReadsTheFirstLine)
{
    ExpectClipboardLines({
        {Utf16Bytes(L"\x0436z\r\nrest"), L"\x0436z"},
        {Utf16Bytes(L"\nx"), L""},
        {Utf16Bytes(L""), L""},
    });
}

// ---- code pages ----

TEST_F(Far3Test, CodePagesAreOemAnsiThenTheSystemsSingleBytePagesByNumber)
{
    const std::vector<Far3CodePage> Pages = BuildFar3CodePages();
    ASSERT_GE(Pages.size(), 3u);
    EXPECT_EQ(GetOEMCP(), Pages[0].CodePage);
    EXPECT_EQ(GetACP(), Pages[1].CodePage);
    std::set<UINT> Seen;
    for (size_t I = 0; I < Pages.size(); I++) {
        const Far3CodePage &P = Pages[I];
        SCOPED_TRACE("page " + std::to_string(P.CodePage));
        EXPECT_TRUE(Seen.insert(P.CodePage).second) << "listed twice";
        EXPECT_FALSE(P.Name.empty());
        if (I > 2) {
            EXPECT_LT(Pages[I - 1].CodePage, P.CodePage);
        }
        CPINFOEXW Info;
        ASSERT_TRUE(GetCPInfoExW(P.CodePage, 0, &Info));
        EXPECT_EQ(1u, Info.MaxCharSize);
        EXPECT_EQ(FindFar3CodePage(Pages, P.CodePage), static_cast<int>(I));
    }
    // Multi-byte pages are not code tables.
    EXPECT_EQ(-1, FindFar3CodePage(Pages, 65001));
    EXPECT_EQ(-1, FindFar3CodePage(Pages, 932));
}

TEST_F(Far3Test, EachCellIsItsPagesCharacterWithTheConsoleGlyphsOnTheOemPage)
{
    const std::vector<Far3CodePage> Pages = BuildFar3CodePages();
    const struct {
        UINT CodePage;
        unsigned Code;
        wchar_t Char;
    } Rows[] = {
        {437, 0x01, 0x263A},  // the console's glyph, on the OEM page
        {437, 0x7F, 0x2302},
        {437, 0xE9, 0x0398},
        {437, 0x41, L'A'},
        {1252, 0x01, 0x0001},  // not the OEM page: the control code itself
        {1252, 0xE9, 0x00E9},
        {1251, 0xC6, 0x0416},
        {866, 0x80, 0x0410},
        {20866, 0xC1, 0x0430},  // KOI8-R
        {28605, 0xA4, 0x20AC},  // ISO 8859-15
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("page " + std::to_string(Row.CodePage) + " code " + std::to_string(Row.Code));
        const int Page = FindFar3CodePage(Pages, Row.CodePage);
        ASSERT_GE(Page, 0);
        EXPECT_EQ(Row.Char, Pages[Page].Cells[Row.Code]);
        EXPECT_EQ(static_cast<int>(Row.Code), FindFar3Cell(Pages[Page], Row.Char));
    }
    EXPECT_EQ(-1, FindFar3Cell(Pages[FindFar3CodePage(Pages, 1251)], 0x00E9));
    EXPECT_EQ(L"ANSI Cyrillic", Pages[FindFar3CodePage(Pages, 1251)].Name);
}

// ---- the editor and the command line ----

TEST_F(Far3Test, TheCharacterUnderTheCursorStaysInsideTheLine)
{
    Start();
    const struct {
        std::wstring Line;
        intptr_t Pos;
        wchar_t Char;
    } Rows[] = {
        {L"\x041F\x0440", 0, 0x041F}, {L"ab", 1, L'b'}, {L"ab", 2, 0}, {L"ab", 99, 0},
        {L"ab", -1, 0},               {L"", 0, 0},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Narrow(Row.Line) + " at " + std::to_string(Row.Pos));
        Host.EditorLine = Row.Line;
        Host.EditorCurPos = Row.Pos;
        Host.EditorCodePage = 1251;
        wchar_t Char = L'?';
        UINT Page = 0;
        EXPECT_TRUE(Far3EditorCharAtCursor(Char, Page));
        EXPECT_EQ(Row.Char, Char);
        EXPECT_EQ(1251u, Page);

        Host.CmdLine = Row.Line;
        Host.CmdLinePos = static_cast<int>(Row.Pos);
        EXPECT_TRUE(Far3CmdLineCharAtCursor(Char));
        EXPECT_EQ(Row.Char, Char);
    }
    Host.HasEditor = false;
    Host.HasCmdLine = false;
    wchar_t Char;
    UINT Page;
    EXPECT_FALSE(Far3EditorCharAtCursor(Char, Page));
    EXPECT_FALSE(Far3CmdLineCharAtCursor(Char));
}

TEST_F(Far3Test, TheChartStartsWhereTheSettingsAndTheOriginSay)
{
    const std::vector<Far3CodePage> Pages = BuildFar3CodePages();
    Start();
    const struct {
        const char *What;
        int OpenFrom;
        bool EditorChar, CmdlineChar;
        UINT StoredPage;
        unsigned LastChar;
        UINT EditorPage;
        std::wstring Line;  // the editor's line or the command line; the cursor at 0
        UINT Page;          // where the chart starts
        unsigned Code;
    } Rows[] = {
        {"panels: the page and code left", OPEN_PLUGINSMENU, false, false, 866, 200, 0, L"", 866, 200},
        {"no page stored yet", OPEN_PLUGINSMENU, false, false, 0, 200, 0, L"", 437, 0},
        {"an unknown page stored", OPEN_PLUGINSMENU, false, false, 12345, 65, 0, L"", 437, 0},
        {"a multi-byte page stored", OPEN_VIEWER, false, false, 65001, 65, 0, L"", 437, 0},
        {"command line char on the page", OPEN_PLUGINSMENU, false, true, 866, 5, 0, L"\x0416", 866, 0x86},
        {"command line char elsewhere", OPEN_PLUGINSMENU, false, true, 437, 5, 0, L"\x0416", 855, 0xEA},
        {"command line at its end", OPEN_PLUGINSMENU, false, true, 866, 5, 0, L"", 866, 0},
        {"command line char on no page", OPEN_PLUGINSMENU, false, true, 866, 5, 0, L"\x4E00", 866, 5},
        {"command line option off", OPEN_PLUGINSMENU, false, false, 866, 5, 0, L"A", 866, 5},
        {"editor: its page, option off", OPEN_EDITOR, false, true, 866, 5, 1251, L"A", 1251, 5},
        {"editor: its page and char", OPEN_EDITOR, true, false, 866, 5, 1251, L"\x0416", 1251, 0xC6},
        {"editor in UTF-8: the char on the last page", OPEN_EDITOR, true, false, 866, 5, 65001, L"\x0416", 866, 0x86},
        {"editor in 932: the first page with it", OPEN_EDITOR, true, false, 437, 5, 932, L"\x00E9", 437, 0x82},
        {"editor in UTF-8, char on no page", OPEN_EDITOR, true, false, 866, 5, 65001, L"\x4E00", 866, 5},
        {"editor line end", OPEN_EDITOR, true, false, 866, 5, 1251, L"", 1251, 0},
        {"viewer: no character taken", OPEN_VIEWER, true, true, 866, 5, 1251, L"A", 866, 5},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        Far3Config.Options.ShowEditorChar = Row.EditorChar;
        Far3Config.Options.ShowCmdlineChar = Row.CmdlineChar;
        Far3Config.CodePage = Row.StoredPage;
        Far3Config.LastChar = Row.LastChar;
        Host.EditorCodePage = Row.EditorPage;
        Host.EditorLine = Host.CmdLine = Row.Line;
        Host.EditorCurPos = Host.CmdLinePos = 0;
        const Far3Start Start = ChooseFar3Start(Pages, Row.OpenFrom);
        ASSERT_LT(Start.Page, Pages.size());
        EXPECT_EQ(Row.Page, Pages[Start.Page].CodePage);
        EXPECT_EQ(Row.Code, Start.Code);
    }
}

TEST_F(Far3Test, TheResultIsTypedAsPasteModeSaysWhereTheChartWasOpened)
{
    Start();
    const struct {
        int OpenFrom;
        int PasteMode;
        wchar_t Choice;
        std::wstring Editor, CmdLine;  // what each got
    } Rows[] = {
        {OPEN_EDITOR, 1, 0x0416, L"\x0416", L""},
        {OPEN_PLUGINSMENU, 1, 0x00E9, L"", L"\x00E9"},
        {OPEN_EDITOR, 2, L'x', L"ab\x0416", L""},  // the clipboard's first line
        {OPEN_PLUGINSMENU, 2, L'x', L"", L"ab\x0416"},
        {OPEN_EDITOR, 0, L'x', L"", L""},
        {OPEN_PLUGINSMENU, 3, L'x', L"", L""},
        {OPEN_EDITOR, 1, 0, L"", L""},  // nothing chosen
        {OPEN_VIEWER, 1, L'x', L"", L""},
        {OPEN_FROMMACRO, 2, L'x', L"", L""},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("from " + std::to_string(Row.OpenFrom) + ", PasteMode " +
                     std::to_string(Row.PasteMode) + ", choice " + std::to_string(Row.Choice));
        PutUnicodeText(L"ab\x0416\r\nsecond");
        Host.EditorInserted.clear();
        Host.CmdLineInserted.clear();
        Host.EditorRedraws = 0;
        Far3Config.Options.PasteMode = Row.PasteMode;
        DeliverFar3Result(Row.OpenFrom, Row.Choice);
        EXPECT_EQ(Row.Editor.empty() ? 0u : 1u, Host.EditorInserted.size());
        EXPECT_EQ(Row.CmdLine.empty() ? 0u : 1u, Host.CmdLineInserted.size());
        if (!Row.Editor.empty()) {
            EXPECT_EQ(Row.Editor, Host.EditorInserted[0]);
            EXPECT_EQ(1, Host.EditorRedraws);
        }
        if (!Row.CmdLine.empty()) {
            EXPECT_EQ(Row.CmdLine, Host.CmdLineInserted[0]);
        }
    }
}

}  // namespace
