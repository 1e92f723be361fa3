// The chart's Unicode keys against the fake host: F2's status line, F3's
// forms and their copy, finding by name (F7, Shift+F7, Ctrl+F7) and the
// history (Alt+F8). Win32 calls only: the suite runs natively and under Wine.
#include "ChartFixture.h"

#include "Clipboard.h"
#include "RecentMenu.h"
#include "UnicodeLine.h"
#include "UnicodeSettings.h"

#include <deque>
#include <functional>
#include <optional>

namespace {

constexpr uint8_t EAcute = 0x82, CapitalEAcute = 0x90;  // in code page 437

class UnicodeKeys : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        ClearRegValues(SettingsPath() + "\\History");
        // Messages 22 to 42 name their number too, but for the glyph's text.
        for (int I = 22; I < 43; I++) Host.Messages.push_back("M" + std::to_string(I));
        Host.Messages[22] = ", shown as ";
        Host.DialogScript = [this](FarDialogItem *Items, int Count) {
            if (Answers.empty()) return -1;
            auto Answer = Answers.front();
            Answers.pop_front();
            return Answer(Items, Count);
        };
        Start();
        SetUpChartState();
        Chart.CellCodePage = 437;
        PutClipboardString("before");
    }

    // Answers to the next dialogs, in order; a dialog past them is cancelled.
    std::deque<std::function<int(FarDialogItem *, int)>> Answers;

    // A table whose code 'x' shows e acute and every other code shows 'e'.
    void UseFoldedTable()
    {
        unsigned char Table[256];
        for (int I = 0; I < 256; I++) Table[I] = 'e';
        Table['x'] = EAcute;
        ASSERT_TRUE(AddCodeTable(Chart, "folded", Table));
        Chart.CurrentTable = uint8_t(int(Chart.CodeTables.size()) - 1);
    }

    // Item 1's text of every dialog shown since the last call: it tells the
    // dialogs apart ("M36" find, "M38" no match, "M40", "M41").
    std::vector<std::string> DialogsShown()
    {
        std::vector<std::string> Shown;
        for (size_t I = DialogsSeen; I < Host.Dialogs.size(); I++)
            Shown.push_back(Host.Dialogs[I].Items.size() > 1 ? Host.Dialogs[I].Items[1].Data : "");
        DialogsSeen = Host.Dialogs.size();
        return Shown;
    }
    size_t DialogsSeen = 0;
};

// ------------------------------------------------------------- F2 --

TEST_F(UnicodeKeys, UnicodeLineOfACell)
{
    const struct {
        UINT Page;
        uint8_t Code;
        const char *Status;  // F2's line, at most 33 cells
        const char *Long;    // the details dialog's heading
    } Rows[] = {
        // Too long: the beginning and the end, what tells the character apart.
        {437, 0x82, "U+00E9 LATIN SMALL..E WITH ACUTE", "U+00E9 LATIN SMALL LETTER E WITH ACUTE"},
        {437, 0xB5, "U+2561 BOX DRAWINGS..LEFT DOUBLE",
         "U+2561 BOX DRAWINGS VERTICAL SINGLE AND LEFT DOUBLE"},
        {437, 0xB0, "U+2591 LIGHT SHADE", "U+2591 LIGHT SHADE"},
        {437, 0x1B, "U+001B ESC, shown as \x1B", "U+001B ESCAPE (ESC), shown as \x1B"},
        {437, 0xFF, "U+00A0 NO-BREAK SPACE", "U+00A0 NO-BREAK SPACE"},
        {437, 0x7F, "U+007F DEL, shown as \x7F", "U+007F DELETE (DEL), shown as \x7F"},
        {437, 0x41, "U+0041 LATIN CAPITAL LETTER A", "U+0041 LATIN CAPITAL LETTER A"},
        {866, 0x80, "U+0410 CYRILLIC CAPITAL LETTER A", "U+0410 CYRILLIC CAPITAL LETTER A"},
        // ANSI pages draw no glyphs for control codes.
        {1252, 0x1B, "U+001B ESC", "U+001B ESCAPE (ESC)"},
        {1252, 0x81, "U+0081 HOP", "U+0081 HIGH OCTET PRESET (HOP)"},
        // No code page: the specified status text.
        {0, 0x41, "Char A  Dec 65  Hex 41", ""},
    };
    Chart.UnicodeStatus = true;
    for (const auto &R : Rows) {
        SCOPED_TRACE("code page " + std::to_string(R.Page) + " byte " + std::to_string(R.Code));
        Chart.CellCodePage = R.Page;
        EXPECT_EQ(R.Status, StatusText(Chart, R.Code, TestLook.Texts));
        EXPECT_EQ(R.Long, DescribeCell(Chart, R.Code, true));
    }
    // Through the current table: the byte its cell shows.
    Chart.CellCodePage = 437;
    UseFoldedTable();
    EXPECT_EQ("U+00E9 LATIN SMALL..E WITH ACUTE", FormatUnicodeStatus(Chart, 'x'));
}

TEST_F(UnicodeKeys, F2SwitchesTheStatusRowAndIsRemembered)
{
    Screen.ScreenWidth = 80;
    Screen.ScreenHeight = 25;
    NewBuffer(Screen.DrawScreen);
    CentreChart(Chart);
    auto StatusRow = [](const std::string &Entry) {
        DrawTestChart(0xB0, Entry);
        std::string Row;
        const int Y = Chart.ChartY + ChartLayout::StatusRow, Left = ChartLayout::TextColumn;
        for (int X = Left; X < Left + ChartLayout::UnicodeStatusWidth; X++)
            Row +=
                Screen.DrawScreen.Cells[Y * Screen.ScreenWidth + Chart.ChartX + X].Char.AsciiChar;
        return Row.substr(0, Row.find_last_not_of(' ') + 1);
    };
    EXPECT_EQ("Char \xB0  Dec 176  Hex B0", StatusRow(""));

    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF2));
    EXPECT_TRUE(Chart.UnicodeStatus);
    EXPECT_EQ(DwordBytes(1), GetRegValue(SettingsPath(), "UnicodeStatus").Data);
    EXPECT_EQ("U+2591 LIGHT SHADE", StatusRow(""));
    EXPECT_EQ("Dec: 17", StatusRow("17")) << "entry mode shows the entry";

    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF2));
    EXPECT_FALSE(Chart.UnicodeStatus);
    EXPECT_EQ(DwordBytes(0), GetRegValue(SettingsPath(), "UnicodeStatus").Data);
    EXPECT_EQ("Char \xB0  Dec 176  Hex B0", StatusRow(""));
}

// ------------------------------------------------------------- F3 --

TEST_F(UnicodeKeys, FormsOfACode)
{
    const int Folded = -1, Oem = 0, Windows = 1;
    const struct {
        const char *Case;
        int Table;
        bool CopyMode;
        uint8_t Code;
        std::vector<std::string> Forms;
        const char *Character;  // what the dialog shows for the first form
    } Rows[] = {
        {"e acute on the console's table", Oem, true, EAcute,
         {"\x82", "130", "82", "202", "U+00E9", "LATIN SMALL LETTER E WITH ACUTE", "C3 A9",
          "&#233;", "\\x82", "Alt+130"}, "\x82"},
        {"a control code", Oem, true, 0x1B,
         {"\x1B", "27", "1B", "33", "U+001B", "ESCAPE", "1B", "&#27;", "\\x1B", "Alt+27"}, "\x1B"},
        {"code 0 copies no character", Oem, true, 0,
         {"", "0", "00", "0", "U+0000", "NULL", "00", "&#0;", "\\x00", "Alt+0"}, ""},
        {"another table: the code, and the character its cell shows", Folded, false, 'x',
         {"\x82", "120", "78", "170", "U+00E9", "LATIN SMALL LETTER E WITH ACUTE", "C3 A9",
          "&#233;", "\\x78", "Alt+130"}, "\x82"},
        {"another table, CopyMode: the code is the character", Folded, true, 'x',
         {"x", "120", "78", "170", "U+00E9", "LATIN SMALL LETTER E WITH ACUTE", "C3 A9",
          "&#233;", "\\x78", "Alt+130"}, "\x82"},
        // The Windows table types with Alt and a leading zero, the code itself;
        // the character shows as its cell does, or is said not to show.
        {"the Windows table: e acute shown in the console's byte", Windows, true, 0xE9,
         {"\xE9", "233", "E9", "351", "U+00E9", "LATIN SMALL LETTER E WITH ACUTE", "C3 A9",
          "&#233;", "\\xE9", "Alt+0233"}, "\x82"},
        {"the Windows table: no character for 157, the console's '?'", Windows, true, 0x9D,
         {"\x9D", "157", "9D", "235", "U+003F", "QUESTION MARK", "3F", "&#63;", "\\x9D",
          "Alt+0157"}, "M42"},
        {"the Windows table: the currency sign, which becomes the sun glyph", Windows, false,
         0xA4, {"\x0F", "164", "A4", "244", "U+000F", "SHIFT IN", "0F", "&#15;", "\\xA4",
                "Alt+0164"}, "M42"},
        {"the Windows table: the section sign, the console's glyph of 0x15", Windows, true, 0xA7,
         {"\xA7", "167", "A7", "247", "U+0015", "NEGATIVE ACKNOWLEDGE", "15", "&#21;", "\\xA7",
          "Alt+0167"}, "\x15"},
    };
    for (const auto &R : Rows) {
        SCOPED_TRACE(R.Case);
        Chart.CodeTables.resize(2);
        Chart.CurrentTable = 0;
        if (R.Table == Folded) UseFoldedTable();
        if (R.Table == Windows) Chart.CurrentTable = 1;
        Chart.CopyMode = R.CopyMode;
        const std::vector<CharForm> Forms = CharForms(Chart, R.Code);
        std::vector<std::string> Values;
        for (const CharForm &F : Forms) Values.push_back(F.Value);
        EXPECT_EQ(R.Forms, Values);
        EXPECT_EQ(R.Character, Forms[0].Shown);
        for (size_t K = 1; K < Forms.size(); K++) EXPECT_EQ(Forms[K].Value, Forms[K].Shown);
    }
    Chart.CellCodePage = 0;
    EXPECT_EQ("", CharForms(Chart, 0x41)[4].Value) << "no code page, no code point";
}

TEST_F(UnicodeKeys, DetailsCopyTheChosenFormAndOfferItAgain)
{
    const int FirstForm = 3, CopyButton = 14;
    // The next F3 copies form K.
    auto Choose = [this](int K) {
        Answers.push_back([K](FarDialogItem *Items, int Count) {
            EXPECT_EQ(16, Count);
            for (int I = 0; I < 10; I++) Items[FirstForm + I].Selected = I == K ? -1 : 0;
            return CopyButton;
        });
    };
    Chart.LastChar = '&';
    const std::vector<CharForm> Forms = CharForms(Chart, '&');
    for (int K = 0; K < int(Forms.size()); K++) {
        SCOPED_TRACE("form " + std::to_string(K));
        Choose(K);
        ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
        EXPECT_EQ(Forms[size_t(K)].Value, GetClipboardText());
    }
    EXPECT_EQ(std::vector<ChartChar>{'&'}, Chart.RecentChars);

    // Cancelled: nothing is copied or remembered.
    PutClipboardString("before");
    Chart.RecentChars.clear();
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
    EXPECT_EQ("before", GetClipboardText());
    EXPECT_TRUE(Chart.RecentChars.empty());

    const fake::DialogCall &Call = Host.Dialogs.back();
    EXPECT_EQ("Details", Call.HelpTopic);
    EXPECT_EQ("U+0026 AMPERSAND", std::string(Call.Items[1].Data));
    // Ampersands are shown, not taken as hotkey marks.
    const std::string Character = Call.Items[FirstForm].Data, Html = Call.Items[FirstForm + 7].Data;
    EXPECT_EQ("&&", Character.substr(Character.size() - 2)) << Character;
    EXPECT_EQ("&&#38;", Html.substr(Html.size() - 6)) << Html;
    // The last form chosen is chosen and focused at the next F3.
    EXPECT_TRUE(Call.Items[FirstForm + 9].Selected);
    EXPECT_TRUE(Call.Items[FirstForm + 9].Focus);
    EXPECT_FALSE(Call.Items[FirstForm].Selected);

    // The first form after another one: its own text.
    Choose(0);
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
    EXPECT_EQ("&", GetClipboardText());
    // Code 0's character is no text: nothing is copied or remembered.
    Chart.RecentChars.clear();
    Chart.LastChar = 0;
    Choose(0);
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
    EXPECT_EQ("&", GetClipboardText());
    EXPECT_TRUE(Chart.RecentChars.empty());
    // On the Windows table the history keeps the byte the cell shows.
    Chart.CurrentTable = 1;
    Chart.LastChar = 0xE9;
    Choose(1);
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
    EXPECT_EQ("233", GetClipboardText());
    EXPECT_EQ(std::vector<ChartChar>{EAcute}, Chart.RecentChars);
}

// ------------------------------------------------------------- F7 --

TEST_F(UnicodeKeys, FindCodeByWords)
{
    const struct {
        const char *Words;
        int From, Step, Expected;
    } Rows[] = {
        {"e acute", 0, 1, EAcute},
        {"E ACUTE", EAcute + 1, 1, CapitalEAcute},
        {"acute e", CapitalEAcute + 1, 1, EAcute},  // wraps; a acute is no match
        {"e acute", EAcute - 1, -1, CapitalEAcute},  // backwards, wrapping
        {"e acute", EAcute, 1, EAcute},             // the code itself first
        {"arrow", 0, 1, 0x12},                       // by the glyph drawn for 0x12
        {"leftwards", 0, 1, 0x1B},
        {"esc", 0, 1, 0x10},                         // DATA LINK ESCAPE
        {"esc", 0x11, 1, 0x1B},                      // by the short name
        {"nbsp", 0, 1, 0xFF},
        {"no such", 0, 1, -1},
        {"  ", 0, 1, -1},
    };
    for (const auto &R : Rows) {
        SCOPED_TRACE(std::string(R.Words) + " from " + std::to_string(R.From));
        EXPECT_EQ(R.Expected, FindCode(Chart, R.Words, R.From, R.Step));
    }
}

TEST_F(UnicodeKeys, FindKeysAskGoOnAndSayWhenNothingMatches)
{
    struct Answer {
        const char *Words;  // typed into the edit line; null leaves it
        int Result;         // 4 the find button, -1 cancelled
    };
    const struct {
        const char *Case;
        int Key;
        int Start;  // the selected code, or -1 for where the last step left it
        std::optional<Answer> Asked;
        int Expected;
        std::vector<std::string> Dialogs;
    } Steps[] = {
        {"F7 asks", kbF7, 0, Answer{"e acute", 4}, EAcute, {"M36"}},
        {"F7 again: the next match", kbF7, -1, {}, CapitalEAcute, {}},
        {"F7 again wraps", kbF7, -1, {}, EAcute, {}},
        {"Shift+F7: the previous match, wrapping", kbShiftF7, -1, {}, CapitalEAcute, {}},
        {"Ctrl+F7 asks even on a match; cancelled", kbCtrlF7, -1, Answer{nullptr, -1},
         CapitalEAcute, {"M36"}},
        {"moved away, F7 asks, the words ready", kbF7, 0xA0, Answer{nullptr, 4}, EAcute, {"M36"}},
        // Five small letters with acute: 0x82, then 0xA0 to 0xA3.
        {"Ctrl+F7 on a match: the selected code first", kbCtrlF7, -1, Answer{"small acute", 4},
         EAcute, {"M36"}},
        {"Shift+F7 goes backwards", kbShiftF7, -1, {}, 0xA3, {}},
        {"F7 again goes forwards", kbF7, -1, {}, EAcute, {}},
        {"nothing matches: a notice, the selection stays", kbCtrlF7, -1, Answer{"zzz", 4}, EAcute,
         {"M36", "M38"}},
        {"F7 on the old match asks again", kbF7, -1, Answer{nullptr, -1}, EAcute, {"M36"}},
        {"Shift+F7 on words that match nothing", kbShiftF7, -1, {}, EAcute, {"M38"}},
        {"no words typed: nothing", kbCtrlF7, -1, Answer{" ", 4}, EAcute, {"M36"}},
    };
    std::string WordsShown;
    for (const auto &S : Steps) {
        SCOPED_TRACE(S.Case);
        if (S.Start >= 0) Chart.LastChar = uint8_t(S.Start);
        if (S.Asked)
            Answers.push_back([&, A = *S.Asked](FarDialogItem *Items, int) {
                WordsShown = Items[2].Data;
                if (A.Words) lstrcpynA(Items[2].Data, A.Words, sizeof(Items[2].Data));
                return A.Result;
            });
        ASSERT_FALSE(TakeKey(Chart, TestHooks, S.Key));
        EXPECT_EQ(S.Expected, Chart.LastChar);
        EXPECT_EQ(S.Dialogs, DialogsShown());
        EXPECT_TRUE(Answers.empty());
    }
    EXPECT_EQ("zzz", WordsShown) << "the last words stand ready";
    EXPECT_EQ("zzz", std::string(Host.Dialogs[Host.Dialogs.size() - 2].Items[2].Data))
        << "the notice names the words";
    EXPECT_EQ("Find", Host.Dialogs[0].HelpTopic);
    EXPECT_EQ(DI_EDIT, Host.Dialogs[0].Items[2].Type);

    // In another table the chain ends: F7 asks.
    Chart.FindWords = "e acute";
    FindAgain(Chart, 1);
    EXPECT_TRUE(DialogsShown().empty());
    UseFoldedTable();
    Chart.LastChar = CapitalEAcute;
    Answers.push_back([](FarDialogItem *, int) { return 4; });
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF7));
    EXPECT_EQ(std::vector<std::string>{"M36"}, DialogsShown());
    EXPECT_EQ('x', Chart.LastChar);
}

// ---------------------------------------------------------- Alt+F8 --

TEST_F(UnicodeKeys, HistoryOfChosenCharactersAndItsMenu)
{
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbAltF8));
    EXPECT_EQ(std::vector<std::string>{"M41"}, DialogsShown()) << "nothing chosen yet";
    EXPECT_TRUE(Host.Menus.empty());

    // Copies and confirmations remember what the cell shows; code 0 copies nothing.
    Chart.LastChar = 'A';
    CopyChoice(Chart);
    Chart.LastChar = '&';
    AppendChoice(Chart);
    Chart.LastChar = 0;
    CopyChoice(Chart);
    UseFoldedTable();
    Chart.CopyMode = false;
    Chart.LastChar = 'x';
    CopyChoice(Chart);
    Chart.CopyMode = true;
    CopyChoice(Chart);
    EXPECT_EQ((std::vector<ChartChar>{EAcute, '&', 'A'}), Chart.RecentChars);

    // In the folded table only e acute is there (at 'x').
    Chart.LastChar = 0;
    Host.MenuResult = 0;
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbAltF8));
    EXPECT_EQ('x', Chart.LastChar);
    ASSERT_EQ(1u, Host.Menus.size());
    const fake::MenuCall &Menu = Host.Menus.back();
    EXPECT_EQ("M39", Menu.Title);
    EXPECT_TRUE(Menu.HasHelpTopic);
    ASSERT_EQ(3u, Menu.Items.size());
    EXPECT_EQ("\x82  120  U+00E9 LATIN SMALL LETTER E WITH ACUTE",
              std::string(Menu.Items[0].Text));
    EXPECT_EQ("&&       U+0026 AMPERSAND", std::string(Menu.Items[1].Text));
    EXPECT_TRUE(Menu.Items[0].Selected);

    Host.MenuResult = 2;
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbAltF8));
    EXPECT_EQ('x', Chart.LastChar) << "not in this table: the selection stays";
    EXPECT_EQ(std::vector<std::string>{"M40"}, DialogsShown());
    EXPECT_EQ("A       U+0041 LATIN CAPITAL LETTER A",
              std::string(Host.Dialogs.back().Items[2].Data));

    Chart.CurrentTable = 0;
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbAltF8));
    EXPECT_EQ('A', Chart.LastChar);

    Host.MenuResult = -1;
    Chart.LastChar = 7;
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbAltF8));
    EXPECT_EQ(7, Chart.LastChar) << "cancelled";

    // The last code and code 0 are in the table too; 0 shows as a blank.
    Chart.RecentChars = {0xFF, 0};
    for (int Item : {0, 1}) {
        Host.MenuResult = Item;
        ASSERT_FALSE(TakeKey(Chart, TestHooks, kbAltF8));
        EXPECT_EQ(Item ? 0 : 0xFF, Chart.LastChar);
    }
    EXPECT_TRUE(DialogsShown().empty());
    EXPECT_EQ("\xFF  255  U+00A0 NO-BREAK SPACE", std::string(Host.Menus.back().Items[0].Text));
    EXPECT_EQ("     0  U+0000 NUL", std::string(Host.Menus.back().Items[1].Text));
}

}  // namespace
