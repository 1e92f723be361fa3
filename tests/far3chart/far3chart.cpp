// The Far 3 chart dialog against the fake Far 3: its keys and mouse through
// the key table, what it shows, and what it opens over itself.
#include "Far3Fixture.h"

#include "ChartLayout.h"
#include "Far3CharacterDialogs.h"
#include "Far3Chart.h"
#include "Far3ChartText.h"
#include "Far3CodePages.h"
#include "MessageIds.h"

#include <functional>

namespace {

using far3fake::DialogInput;
namespace L = ChartLayout;

// The chart's items, as the dialog lays them out.
const intptr_t NameItem = 1, CellsItem = 3, StatusItem = 5;
const DWORD Left = FROM_LEFT_1ST_BUTTON_PRESSED, LC = LEFT_CTRL_PRESSED, LA = LEFT_ALT_PRESSED,
            SH = SHIFT_PRESSED;

int OptionsShown = 0;
std::function<void()> OptionsEffect;
bool ShowOptionsHook()
{
    OptionsShown++;
    if (OptionsEffect) OptionsEffect();
    return true;
}

class Far3ChartTest : public Far3Test {
protected:
    std::vector<Far3CodePage> Pages;
    Far3ChartSession Session = {};
    size_t Oem = 0, Ansi = 1, Cyrillic = 0;

    void SetUp() override
    {
        Far3Test::SetUp();
        Host.Messages[MsgStatusFormat] = L"Char: %c   Dec: %3d   Hex: %02Xh";
        Host.Messages[MsgDecimalPrompt] = L"Dec: ";
        Host.Messages[MsgHexPrompt] = L"Hex: ";
        Host.Messages[MsgShownAs] = L", shown as ";
        Start();
        Pages = BuildFar3CodePages();
        ASSERT_EQ(437u, Pages[Oem].CodePage);
        ASSERT_EQ(1252u, Pages[Ansi].CodePage);
        Cyrillic = size_t(FindFar3CodePage(Pages, 1251));
        PutUnicodeText(L"before");
        OptionsShown = 0;
        OptionsEffect = nullptr;
    }

    // One opening of the chart on a page at a code, with this input.
    bool Run(size_t Page, unsigned Code, const std::vector<DialogInput> &Input)
    {
        Host.DialogInputs = Input;
        Host.Frames.clear();
        Session = {&Pages, Page, Code, &Far3Config, ShowOptionsHook, 0};
        return RunFar3Chart(Session);
    }
    const far3fake::DialogFrame &Shown() const { return Host.Frames.back(); }
    std::wstring Status() const { return Trimmed(Shown().Texts[StatusItem]); }
    static std::wstring Trimmed(std::wstring Text)
    {
        Text.erase(Text.find_last_not_of(L' ') + 1);
        return Text;
    }
};

TEST_F(Far3ChartTest, KeysMoveTheSelectionAndEscLeavesIt)
{
    const struct {
        const char *Key;
        DialogInput Input;
        unsigned From, Expected;
    } Rows[] = {
        {"PgUp", KeyInput(VK_PRIOR), 77, 13},        {"PgDn", KeyInput(VK_NEXT), 77, 237},
        {"Home", KeyInput(VK_HOME), 77, 64},         {"End", KeyInput(VK_END), 77, 95},
        {"Up", KeyInput(VK_UP), 77, 45},             {"Right", KeyInput(VK_RIGHT), 77, 78},
        {"Up on row 0", KeyInput(VK_UP), 13, 13},    {"Right on column 31", KeyInput(VK_RIGHT), 95, 95},
        {"Ctrl+Home", KeyInput(VK_HOME, 0, LC), 77, 0},
        {"Ctrl+PgDn", KeyInput(VK_NEXT, 0, LC), 77, 255},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Key);
        EXPECT_FALSE(Run(Oem, Row.From, {Row.Input, KeyInput(VK_ESCAPE, 27)}));
        EXPECT_EQ(Row.Expected, Session.Code);
        EXPECT_EQ(0, Session.Choice);
        EXPECT_EQ(L"before", UnicodeText());
        // The cursor on the selected cell, before Esc closed the dialog.
        const far3fake::DialogFrame &Before = Host.Frames[Host.Frames.size() - 2];
        EXPECT_EQ(CellsItem, Before.CursorItem);
        EXPECT_EQ(SHORT(Row.Expected % 32), Before.Cursor.X);
        EXPECT_EQ(SHORT(Row.Expected / 32), Before.Cursor.Y);
    }
}

TEST_F(Far3ChartTest, ConfirmCopyAndAppendPutTheCellsCharacterOnTheClipboard)
{
    const wchar_t EAcute = 0xE9;
    const struct {
        const char *What;
        std::vector<DialogInput> Keys;
        std::wstring Clipboard;
        wchar_t Choice;
        std::wstring History;
    } Rows[] = {
        {"Enter", {KeyInput(VK_RETURN, 13)}, L"\xE9", EAcute, L"\xE9"},
        {"Ctrl+Enter appends and closes", {KeyInput(VK_RETURN, 10, LC)}, L"before\xE9", EAcute, L"\xE9"},
        {"Ctrl+C copies and stays", {KeyInput('C', 3, LC), KeyInput(VK_ESCAPE, 27)}, L"\xE9", 0, L"\xE9"},
        {"Ctrl+Ins copies and stays", {KeyInput(VK_INSERT, 0, LC), KeyInput(VK_ESCAPE, 27)}, L"\xE9", 0,
         L"\xE9"},
        {"Ctrl+Gray + appends and stays",
         {KeyInput(VK_ADD, L'+', LC), KeyInput(VK_RIGHT), KeyInput(VK_ADD, L'+', LC),
          KeyInput(VK_ESCAPE, 27)},
         L"before\xE9\xEA", 0, L"\xEA\xE9"},
        {"code 0 closes without a character", {KeyInput(VK_HOME, 0, LC), KeyInput(VK_RETURN, 13)},
         L"before", 0, L""},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        PutUnicodeText(L"before");
        Far3Config.History.clear();
        const bool Confirmed = Run(Ansi, 0xE9, Row.Keys);
        EXPECT_EQ(Row.Choice != 0, Confirmed);
        EXPECT_EQ(Row.Choice, Session.Choice);
        EXPECT_EQ(Row.Clipboard, UnicodeText());
        EXPECT_EQ(Row.History, Far3Config.History);
        EXPECT_TRUE(Host.DialogInputs.empty()) << "the dialog closed on the last key";
    }
}

TEST_F(Far3ChartTest, TypedCodesAndCharacters)
{
    const struct {
        const char *What;
        int TypeMode;
        size_t Page;
        std::wstring Typed;
        unsigned Expected;
    } Rows[] = {
        {"decimal", 1, 0, L"233\r", 233},
        {"decimal above 255", 1, 0, L"256\r", 100},
        {"hexadecimal", 2, 0, L"fF\r", 255},
        {"hexadecimal, not a digit", 2, 0, L"0g\r", 100},
        {"a character of its page selects its code", 0, 2, L"\x0416", 0xC6},
        {"a character the page lacks changes nothing", 0, 2, L"\x00E9", 100},
        {"other alphabets are no digits", 1, 0, L"1\x0416" L"2\r", 12},
        {"Backspace takes the last digit back", 1, 0, L"19\b7\r", 17},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        Far3Config.Options.TypeMode = Row.TypeMode;
        std::vector<DialogInput> Keys;
        for (wchar_t Ch : Row.Typed)
            Keys.push_back(Ch == L'\r' ? KeyInput(VK_RETURN, 13)
                           : Ch == L'\b' ? KeyInput(VK_BACK, 8)
                                         : KeyInput(0, Ch));
        Keys.push_back(KeyInput(VK_ESCAPE, 27));
        EXPECT_FALSE(Run(Row.Page == 2 ? Cyrillic : Row.Page, 100, Keys));
        EXPECT_EQ(Row.Expected, Session.Code);
    }
}

TEST_F(Far3ChartTest, PagesF8F9AndTheMenu)
{
    const int LastPage = -1;
    const struct {
        const char *Key;
        DialogInput Input;
        bool ShowWin;
        size_t From;
        int Expected;
    } Rows[] = {
        {"F8 to the ANSI page", KeyInput(VK_F8), false, 3, 1},
        {"F8 back", KeyInput(VK_F8), false, 1, 0},
        {"F9 passes the ANSI page", KeyInput(VK_F9), false, 0, 2},
        {"F9 takes it with ShowWinTable", KeyInput(VK_F9), true, 0, 1},
        {"Shift+F9 round to the last", KeyInput(VK_F9, 0, SH), false, 0, LastPage},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Key);
        Far3Config.Options.ShowWinTable = Row.ShowWin;
        Run(Row.From, 65, {Row.Input, KeyInput(VK_ESCAPE, 27)});
        EXPECT_EQ(Row.Expected == LastPage ? Pages.size() - 1 : size_t(Row.Expected), Session.Page);
    }
    // Shift+F8: the menu of the pages by Windows' names, the ANSI page left out.
    Far3Config.Options.ShowWinTable = false;
    Host.MenuAnswers = {{1, -1}};
    Run(0, 65, {KeyInput(VK_F8, 0, SH), KeyInput(VK_ESCAPE, 27)});
    ASSERT_EQ(1u, Host.Menus.size());
    EXPECT_EQ(Pages.size() - 1, Host.Menus[0].Texts.size());
    EXPECT_EQ(PageTitle(Pages[2]), Host.Menus[0].Texts[1]);
    EXPECT_EQ(L"437 OEM United States", Host.Menus[0].Texts[0]);
    EXPECT_EQ(0, Host.Menus[0].Selected);
    EXPECT_EQ(2u, Session.Page);
}

TEST_F(Far3ChartTest, TheChartShowsThePageTheSelectionAndTheStatus)
{
    Far3Config.UnicodeStatus = false;
    Run(Cyrillic, 0xC6, {KeyInput(VK_F2), KeyInput(0, L'1'), KeyInput(VK_ESCAPE, 27),
                         KeyInput(VK_ESCAPE, 27)});
    ASSERT_EQ(5u, Host.Frames.size());
    const far3fake::DialogFrame &First = Host.Frames[0];
    EXPECT_EQ(L"1251 ANSI Cyrillic", Trimmed(First.Texts[NameItem]));
    const Far3CodePage Named = {1251, L"1251  (ANSI - Cyrillic)", {}};
    EXPECT_EQ(Named.Name, PageTitle(Named)) << "Windows' names begin with the number";
    ASSERT_EQ(256u, First.Cells[CellsItem].size());
    int Selected = 0;
    for (int Code = 0; Code < 256; Code++) {
        const FAR_CHAR_INFO &Cell = First.Cells[CellsItem][size_t(Code)];
        EXPECT_EQ(ShownChar(Pages[Cyrillic].Cells[Code]), Cell.Char) << Code;
        if (Cell.Attributes.ForegroundColor == COL_DIALOGLISTSELECTEDTEXT) Selected = Code;
        else EXPECT_EQ(COLORREF(COL_DIALOGTEXT), Cell.Attributes.ForegroundColor) << Code;
    }
    EXPECT_EQ(0xC6, Selected);
    EXPECT_EQ(L"Char: \x0416   Dec: 198   Hex: C6h", Trimmed(First.Texts[StatusItem]));
    // F2: Unicode's words; the choice goes back to the settings.
    // The name too long for the row keeps its distinguishing end.
    EXPECT_EQ(L"U+0416 CYRILLIC..LETTER ZHE", Trimmed(Host.Frames[1].Texts[StatusItem]));
    // A code being typed: the label, the digits in the edit colour, the
    // cursor after them.
    const far3fake::DialogFrame &Entry = Host.Frames[2];
    EXPECT_EQ(L"Dec: 1", Trimmed(Entry.Texts[StatusItem]));
    EXPECT_EQ(COLORREF(COL_DIALOGEDIT), Entry.Cells[StatusItem][5].Attributes.ForegroundColor);
    EXPECT_EQ(COLORREF(COL_DIALOGEDIT), Entry.Cells[StatusItem][8].Attributes.ForegroundColor);
    EXPECT_EQ(COLORREF(COL_DIALOGTEXT), Entry.Cells[StatusItem][9].Attributes.ForegroundColor);
    EXPECT_EQ(StatusItem, Entry.Focus);
    EXPECT_EQ(StatusItem, Entry.CursorItem);
    EXPECT_EQ(6, Entry.Cursor.X);
    EXPECT_EQ(CellsItem, Host.Frames[3].Focus) << "Esc ends the code, not the chart";
    EXPECT_TRUE(Far3Config.UnicodeStatus);
}

TEST_F(Far3ChartTest, StatusFormatsAsWsprintfAndUnsafeOnesGiveWay)
{
    const struct {
        const wchar_t *Format, *Expected;
    } Rows[] = {
        {L"%c|%d|%x", L"A|65|41"},
        {L"[%3d][%-4d][%03X]", L"[ 65][65  ][041]"},
        {L"%#x %#X %#o", L"0x41 0X41 0101"},
        {L"%o %-3c|", L"101 A  |"},
        {L"%.4d %5.3x %%", L"0065   041 %"},
        {L"%d %d %d", L"65 65 65"},
        {L"%s", L"A   65  41h"},        // a string would read an int as a pointer
        {L"%d%d%d%d", L"A   65  41h"},  // a fourth conversion reads past the three
    };
    for (const auto &Row : Rows) {
        Host.Messages[MsgStatusFormat] = Row.Format;
        ChartState S;
        CodeTable Identity = {};
        for (int I = 0; I < 256; I++) Identity.Chars[I] = ChartChar(I);
        S.CodeTables.push_back(Identity);
        EXPECT_EQ(std::wstring(Row.Expected), Far3CodeStatus(S, 'A', 40)) << Narrow(Row.Format);
    }
}

TEST_F(Far3ChartTest, MouseSelectsConfirmsAndOpensTheMenu)
{
    const struct {
        const char *What;
        std::vector<DialogInput> Input;
        bool Confirmed;
        unsigned Code;
        std::wstring Clipboard;
    } Rows[] = {
        {"a press selects", {MouseInput(CellsItem, 1, 2, Left), KeyInput(VK_ESCAPE, 27)}, false, 65,
         L"before"},
        {"a move with the button down selects",
         {MouseInput(CellsItem, 1, 2, Left), MouseInput(CellsItem, 3, 2, Left, MOUSE_MOVED),
          KeyInput(VK_ESCAPE, 27)},
         false, 67, L"before"},
        {"a double click confirms", {MouseInput(CellsItem, 2, 2, Left, DOUBLE_CLICK)}, true, 66, L"B"},
        {"with Ctrl it appends", {MouseInput(CellsItem, 2, 2, Left, DOUBLE_CLICK, LC)}, true, 66,
         L"beforeB"},
        {"a code being typed ignores it",
         {KeyInput(0, L'7'), MouseInput(CellsItem, 2, 2, Left), KeyInput(VK_ESCAPE, 27),
          KeyInput(VK_ESCAPE, 27)},
         false, 100, L"before"},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        PutUnicodeText(L"before");
        EXPECT_EQ(Row.Confirmed, Run(Oem, 100, Row.Input));
        EXPECT_EQ(Row.Code, Session.Code);
        EXPECT_EQ(Row.Clipboard, UnicodeText());
    }
    // A release on the page's name opens the page menu; a press does not.
    Run(Oem, 100, {MouseInput(NameItem, 4, 0, Left), MouseInput(NameItem, 4, 0, 0),
                   KeyInput(VK_ESCAPE, 27)});
    EXPECT_EQ(1u, Host.Menus.size());
}

TEST_F(Far3ChartTest, AltArrowsMoveTheDialogWithinFarsWindow)
{
    Run(Oem, 0, {KeyInput(VK_RIGHT, 0, LA), KeyInput(VK_DOWN, 0, LA), KeyInput(VK_ESCAPE, 27)});
    const SHORT X = SHORT((80 - L::Width) / 2), Y = SHORT((25 - L::Height) / 2);
    EXPECT_EQ(X + 1, Host.Frames[2].Rect.Left);
    EXPECT_EQ(Y + 1, Host.Frames[2].Rect.Top);
    std::vector<DialogInput> Keys(40, KeyInput(VK_RIGHT, 0, LA));
    Keys.push_back(KeyInput(VK_ESCAPE, 27));
    Run(Oem, 0, Keys);
    EXPECT_EQ(80 - L::Width, Shown().Rect.Left);
    Keys.assign(40, KeyInput(VK_UP, 0, LA));
    Keys.push_back(KeyInput(VK_ESCAPE, 27));
    Run(Oem, 0, Keys);
    EXPECT_EQ(0, Shown().Rect.Top);
}

TEST_F(Far3ChartTest, CharacterKeysOpenTheirDialogs)
{
    // F1: the help's contents. F11: the options, taken over at once.
    OptionsEffect = [] { Far3Config.Options.TypeMode = 0; };
    Run(Oem, 0, {KeyInput(VK_F1), KeyInput(VK_F11), KeyInput(0, L'A'), KeyInput(VK_ESCAPE, 27)});
    ASSERT_EQ(1u, Host.Helps.size());
    EXPECT_EQ(L"Contents", Host.Helps[0].second);
    EXPECT_EQ(1, OptionsShown);
    EXPECT_EQ(65u, Session.Code) << "a typed character selects after the options changed";

    // F3: the forms; the one chosen is copied.
    Host.DialogScript = [](std::vector<intptr_t> &Checks) -> intptr_t {
        for (size_t I = 3; I < 13; I++) Checks[I] = I == 7 ? BSTATE_CHECKED : BSTATE_UNCHECKED;
        return 14;  // copy
    };
    Far3Config.History.clear();
    Run(Cyrillic, 0xC6, {KeyInput(VK_F3), KeyInput(VK_ESCAPE, 27)});
    EXPECT_EQ(L"U+0416", UnicodeText());
    EXPECT_EQ(L"\x0416", Far3Config.History);
    EXPECT_EQ(L"U+0416 CYRILLIC CAPITAL LETTER ZHE", Host.Dialogs.back().Texts[1]);

    // F7: words, a match, and no match with its notice.
    Host.DialogScript = nullptr;
    std::wstring Words = L"zhe";
    Host.DialogEditScript = [&Words](std::vector<intptr_t> &, std::vector<std::wstring> &Texts)
        -> intptr_t {
        if (Texts.size() != 6) return -1;  // the notice
        Texts[2] = Words;
        return 4;  // find
    };
    Run(Cyrillic, 0, {KeyInput(VK_F7), KeyInput(VK_ESCAPE, 27)});
    EXPECT_EQ(0xC6u, Session.Code);
    Words = L"no such";
    Host.Dialogs.clear();
    Run(Cyrillic, 5, {KeyInput(VK_F7, 0, LC), KeyInput(VK_ESCAPE, 27)});
    EXPECT_EQ(5u, Session.Code);
    ASSERT_EQ(3u, Host.Dialogs.size());  // the chart, the words, the notice
    EXPECT_EQ(L"no such", Host.Dialogs[2].Texts[2]);

    // Alt+F8: the history; a character the page lacks is said to be so.
    Host.DialogEditScript = nullptr;
    Far3Config.History = L"\x0416" L"A";
    Host.MenuAnswers = {{0, -1}, {1, -1}};
    Host.Dialogs.clear();
    Run(Oem, 5, {KeyInput(VK_F8, 0, LA), KeyInput(VK_F8, 0, LA), KeyInput(VK_ESCAPE, 27)});
    ASSERT_EQ(2u, Host.Menus.size());
    EXPECT_EQ(L"\x0416       U+0416 CYRILLIC CAPITAL LETTER ZHE", Host.Menus[0].Texts[0]);
    EXPECT_EQ(L"A   65  U+0041 LATIN CAPITAL LETTER A", Host.Menus[0].Texts[1]);
    EXPECT_EQ(65u, Session.Code);
    EXPECT_EQ(2u, Host.Dialogs.size()) << "Zhe is not on page 437: a notice";
}

TEST_F(Far3ChartTest, FormsOfACode)
{
    const struct {
        const char *What;
        size_t Page;
        uint8_t Code;
        std::vector<std::wstring> Forms;
    } Rows[] = {
        {"e acute on the ANSI page", 1, 0xE9,
         {L"\xE9", L"233", L"E9", L"351", L"U+00E9", L"LATIN SMALL LETTER E WITH ACUTE", L"C3 A9",
          L"&#233;", L"\\xE9", L"Alt+0233"}},
        {"the OEM page's control code", 0, 0x1B,
         {L"\x2190", L"27", L"1B", L"33", L"U+001B", L"ESCAPE", L"1B", L"&#27;", L"\\x1B", L"Alt+27"}},
        {"a letter the OEM page lacks", 2, 0xC6,
         {L"\x0416", L"198", L"C6", L"306", L"U+0416", L"CYRILLIC CAPITAL LETTER ZHE", L"D0 96",
          L"&#1046;", L"\\xC6", L""}},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        Host.DialogInputs.clear();
        ChartState S;
        for (const Far3CodePage &Page : Pages) {
            CodeTable Table;
            std::copy(Page.Cells, Page.Cells + 256, Table.Chars);
            Table.CodePage = Page.CodePage;
            S.CodeTables.push_back(Table);
        }
        S.UnicodeCells = true;
        S.CurrentTable = uint8_t(Row.Page == 2 ? Cyrillic : Row.Page);
        std::vector<std::wstring> Values;
        for (const Far3CharForm &F : Far3CharForms(S, Row.Code)) Values.push_back(F.Value);
        EXPECT_EQ(Row.Forms, Values);
    }
}

}  // namespace
