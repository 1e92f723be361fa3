// Dialog and Menu: layout, keyboard, scripts and records, the screen put back.
#include "HostTestUtil.h"

namespace {

// An options dialog like the plugin's: two radio groups, check boxes,
// separators, and two centred buttons on one line.
std::vector<FarDialogItem> OptionsItems()
{
    std::vector<FarDialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, 60, 0, "Options"),            // 0
        Item(DI_RADIOBUTTON, 5, 2, 0, DIF_GROUP, "First A"),    // 1
        Item(DI_RADIOBUTTON, 5, 3, 0, 0, "First B"),            // 2
        Item(DI_RADIOBUTTON, 5, 4, 0, 0, "First C"),            // 3
        Item(DI_TEXT, 0, 5, 0, DIF_BOXCOLOR | DIF_SEPARATOR, ""),  // 4
        Item(DI_RADIOBUTTON, 5, 6, 0, DIF_GROUP, "Second A"),   // 5
        Item(DI_RADIOBUTTON, 5, 7, 0, 0, "Second B"),           // 6
        Item(DI_CHECKBOX, 5, 8, 0, 0, "Check"),                 // 7
        Item(DI_BUTTON, 0, 9, 0, DIF_CENTERGROUP, "OK"),        // 8
        Item(DI_BUTTON, 0, 9, 0, DIF_CENTERGROUP, "Cancel"),    // 9
    };
    Items[0].Y2 = 10;
    Items[1].Selected = 1;
    Items[1].Focus = -1;
    Items[6].Selected = -1;
    Items[8].DefaultButton = -1;
    return Items;
}

int RunOptions(std::vector<FarDialogItem> &Items, const char *Help = "Options", int Plugin = 0)
{
    return HostDialog(Plugin, -1, -1, 64, 12, Help, Items.data(), int(Items.size()));
}

TEST(DialogLayout, CentreGroupsShareTheirLineOneBlankApart)
{
    std::vector<FarDialogItem> Items = OptionsItems();
    LayoutDialogItems(Items, 64);
    // "[ OK ]" is 6 wide, "[ Cancel ]" 10: 17 with the blank, from (64-17)/2.
    EXPECT_EQ(23, Items[8].X1);
    EXPECT_EQ(28, Items[8].X2);
    EXPECT_EQ(30, Items[9].X1);
    EXPECT_EQ(39, Items[9].X2);
    EXPECT_EQ(5, Items[1].X1);  // others stay

    // Items on different lines are centred each on its own.
    std::vector<FarDialogItem> Two = {Item(DI_BUTTON, 0, 2, 0, DIF_CENTERGROUP, "&Yes"),
                                      Item(DI_BUTTON, 0, 3, 0, DIF_CENTERGROUP, "No"),
                                      Item(DI_TEXT, -1, 1, 0, 0, "Title")};
    LayoutDialogItems(Two, 20);
    EXPECT_EQ(7, DialogItemWidth(Two[0]));  // the hotkey marker takes no column
    EXPECT_EQ(6, Two[0].X1);
    EXPECT_EQ(7, Two[1].X1);
    EXPECT_EQ(7, Two[2].X1);  // X1 = -1 centres a text
    EXPECT_EQ(8, DialogItemWidth(Item(DI_CHECKBOX, 0, 0, 0, 0, "Chk&x")));
}

class DialogTest : public HostTest {};

struct KeyRow {
    const char *Keys;
    int Result;
    int Selected[10];  // Selected of every item afterwards (nonzero counts as 1)
};

TEST_F(DialogTest, KeyboardTable)
{
    // Focus starts on item 1. Tab and Down go to the next focusable item.
    const KeyRow Rows[] = {
        {"Enter", 8, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"Esc", -1, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"F10", -1, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"Down Space Enter", 8, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0}},
        {"Down Down Space Enter", 8, {0, 0, 0, 1, 0, 0, 1, 0, 0, 0}},
        {"Tab Tab Tab Space Enter", 8, {0, 1, 0, 0, 0, 1, 0, 0, 0, 0}},  // other group only
        {"Tab Tab Tab Tab Tab Space Enter", 8, {0, 1, 0, 0, 0, 0, 1, 1, 0, 0}},
        {"Tab Tab Tab Tab Tab Space Space Enter", 8, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"Tab Tab Tab Tab Tab Tab Space", 8, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"ShiftTab Enter", 9, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},  // wraps to Cancel
        {"ShiftTab Space", 9, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"ShiftTab ShiftTab Enter", 8, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"Up Up Up Space Enter", 8, {0, 1, 0, 0, 0, 0, 1, 1, 0, 0}},
        {"Left Enter", 9, {0, 1, 0, 0, 0, 0, 1, 0, 0, 0}},
        {"Down Space", -1, {0, 0, 1, 0, 0, 0, 1, 0, 0, 0}},  // input ends: cancelled
    };
    for (const KeyRow &Row : Rows) {
        SCOPED_TRACE(Row.Keys);
        FlushConsoleInputBuffer(HostInputHandle());
        std::vector<FarDialogItem> Items = OptionsItems();
        Keys(Row.Keys);
        EXPECT_EQ(Row.Result, RunOptions(Items));
        for (int I = 0; I < 10; I++)
            EXPECT_EQ(Row.Selected[I], Items[size_t(I)].Selected != 0) << "item " << I;
    }
}

TEST_F(DialogTest, HotkeysActivateTheirItem)
{
    std::vector<FarDialogItem> Items = {Item(DI_DOUBLEBOX, 3, 1, 30, 0, "T"),
                                        Item(DI_CHECKBOX, 5, 2, 0, 0, "&Verbose"),
                                        Item(DI_BUTTON, 0, 3, 0, DIF_CENTERGROUP, "&Go"),
                                        Item(DI_BUTTON, 0, 3, 0, DIF_CENTERGROUP, "&Stop")};
    Items[0].Y2 = 4;
    Keys("v s");
    EXPECT_EQ(3, HostDialog(0, -1, -1, 34, 6, nullptr, Items.data(), 4));
    EXPECT_EQ(1, Items[1].Selected);
}

TEST_F(DialogTest, RecordsTheCallAndPutsTheScreenBack)
{
    HostFillRect(0, 0, HostScreenWidth() - 1, HostScreenHeight() - 1, '.', 0x1B);
    HostFlushScreen();
    std::vector<FarDialogItem> Items = OptionsItems();
    Keys("Down Space Esc");
    EXPECT_EQ(-1, RunOptions(Items, "Options", 3));
    ASSERT_EQ(1u, HostDialogCalls().size());
    const DialogCall &Call = HostDialogCalls()[0];
    EXPECT_EQ(3, Call.PluginNumber);
    EXPECT_EQ(-1, Call.X1);
    EXPECT_EQ(64, Call.X2);
    EXPECT_EQ(12, Call.Y2);
    EXPECT_TRUE(Call.HasHelpTopic);
    EXPECT_EQ("Options", Call.HelpTopic);
    ASSERT_EQ(10u, Call.Items.size());
    EXPECT_EQ(1, Call.Items[1].Selected);  // as passed, before the keys
    EXPECT_EQ(0, Call.Items[8].X1);        // the layout is the host's, not recorded
    EXPECT_EQ(-1, Call.Result);

    // Model and console hold the dots again.
    for (int Y = 0; Y < HostScreenHeight(); Y++)
        ASSERT_EQ(std::string(size_t(HostScreenWidth()), '.'), HostScreenRow(Y)) << "row " << Y;
    CHAR_INFO Cell;
    COORD Size = {1, 1}, Origin = {0, 0};
    SMALL_RECT Region = {20, 8, 20, 8};
    ASSERT_TRUE(ReadConsoleOutputA(HostOutputHandle(), &Cell, Size, Origin, &Region));
    EXPECT_EQ('.', Cell.Char.AsciiChar);
    EXPECT_EQ(0x1B, Cell.Attributes);
}

TEST_F(DialogTest, ScriptAnswersWithoutRunning)
{
    std::vector<FarDialogItem> Items = OptionsItems();
    HostQueueDialog(9, {{1, 0}, {3, -1}});
    HostQueueDialog(-1);
    Keys("Enter");  // stays: a scripted dialog reads nothing
    EXPECT_EQ(9, RunOptions(Items));
    EXPECT_EQ(0, Items[1].Selected);
    EXPECT_EQ(-1, Items[3].Selected);
    EXPECT_EQ(-1, RunOptions(Items));
    EXPECT_EQ(8, RunOptions(Items));  // the queue is empty: the Enter runs it
    ASSERT_EQ(3u, HostDialogCalls().size());
    EXPECT_EQ(1, HostDialogCalls()[0].Items[1].Selected);
    EXPECT_EQ(0, HostDialogCalls()[1].Items[1].Selected);
}

const char DialogHelpFile[] = ".Language=English,English\n@Contents\n$ #Help#\n text\n@Options\n$ #O#\n";

TEST_F(DialogTest, F1OpensTheDialogsTopic)
{
    TempModule M;
    M.Write("Quorrel.hlf", DialogHelpFile);
    int N = HostAddPlugin(M.ModuleName());
    std::vector<FarDialogItem> Items = OptionsItems();
    Keys("F1 Esc Enter");
    EXPECT_EQ(8, RunOptions(Items, "Options", N));
    ASSERT_EQ(1u, HostHelpCalls().size());
    EXPECT_EQ("Options", HostHelpCalls()[0].Shown);
    EXPECT_EQ(M.ModuleName(), HostHelpCalls()[0].ModuleName);
}

// An older host has no ShowHelp: the plugin writes a bare F1 key-down into
// the input and opens a dialog whose topic is "Contents"; the dialog must
// take that F1 at once.
TEST_F(DialogTest, PendingF1FromAnOldHostPluginOpensContents)
{
    TempModule M;
    M.Write("Quorrel.hlf", DialogHelpFile);
    int N = HostAddPlugin(M.ModuleName());
    INPUT_RECORD F1;
    std::memset(&F1, 0, sizeof(F1));
    F1.EventType = KEY_EVENT;
    F1.Event.KeyEvent.bKeyDown = -1;
    F1.Event.KeyEvent.wRepeatCount = 1;
    F1.Event.KeyEvent.wVirtualKeyCode = VK_F1;
    WriteRecords({F1});
    std::vector<FarDialogItem> Items = {Item(DI_DOUBLEBOX, 3, 1, 20, 0, "Help"),
                                        Item(DI_BUTTON, 0, 2, 0, DIF_CENTERGROUP, "OK")};
    Items[0].Y2 = 3;
    Items[1].DefaultButton = Items[1].Focus = -1;
    EXPECT_EQ(-1, HostDialog(N, -1, -1, 24, 5, "Contents", Items.data(), 2));
    ASSERT_EQ(1u, HostHelpCalls().size());
    EXPECT_EQ("Contents", HostHelpCalls()[0].Shown);
}

// ------------------------------------------------------------------ menu --

std::vector<FarMenuItem> MenuItems(const std::vector<std::string> &Texts, int Selected = -1)
{
    std::vector<FarMenuItem> Items(Texts.size());
    for (size_t I = 0; I < Texts.size(); I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        std::strncpy(Items[I].Text, Texts[I].c_str(), sizeof(Items[I].Text) - 1);
        Items[I].Selected = int(I) == Selected ? -1 : 0;
    }
    return Items;
}

class MenuTest : public HostTest {};

struct MenuRow {
    const char *Keys;
    DWORD Flags;
    int Selected;
    int Result;
};

TEST_F(MenuTest, KeyboardTable)
{
    // Items: 0 OEM, 1 Windows, 2 separator, 3 ISO, 4 KOI.
    const MenuRow Rows[] = {
        {"Enter", 0, -1, 0},
        {"Enter", 0, 3, 3},
        {"Down Enter", 0, -1, 1},
        {"Down Down Enter", 0, -1, 3},  // over the separator
        {"Up Enter", FMENU_WRAPMODE, -1, 4},
        {"Up Enter", 0, -1, 0},
        {"Down Enter", FMENU_WRAPMODE, 4, 0},
        {"Down Enter", 0, 4, 4},
        {"End Enter", 0, -1, 4},
        {"End Home Enter", 0, -1, 0},
        {"End Up Up Enter", 0, -1, 1},
        {"PgDn Enter", 0, -1, 4},
        {"Esc", 0, 3, -1},
        {"F10", 0, 3, -1},
        {"Down", 0, -1, -1},  // input ends: cancelled
        {"k", FMENU_AUTOHIGHLIGHT, -1, 4},  // first letter as hotkey
        {"w", FMENU_AUTOHIGHLIGHT, -1, 1},
        {"k", 0, -1, -1},                    // no hotkeys without it
    };
    for (const MenuRow &Row : Rows) {
        SCOPED_TRACE(std::string(Row.Keys) + " flags " + std::to_string(Row.Flags) + " from " +
                     std::to_string(Row.Selected));
        FlushConsoleInputBuffer(HostInputHandle());
        std::vector<FarMenuItem> Items =
            MenuItems({"OEM", "Windows", "", "ISO 8859-1", "KOI8-R"}, Row.Selected);
        Items[2].Separator = 1;
        Keys(Row.Keys);
        EXPECT_EQ(Row.Result, HostMenu(0, -1, -1, 0, Row.Flags, "Tables", nullptr, nullptr,
                                       nullptr, nullptr, Items.data(), int(Items.size())));
    }
}

TEST_F(MenuTest, LongMenusScroll)
{
    std::vector<std::string> Texts;
    for (int I = 0; I < 45; I++) Texts.push_back("Table " + std::to_string(I));
    std::vector<FarMenuItem> Items = MenuItems(Texts, 40);
    Keys("Down Down Down Down Enter");
    EXPECT_EQ(44, HostMenu(0, -1, -1, 0, 0, "T", nullptr, nullptr, nullptr, nullptr,
                           Items.data(), 45));
    Keys("PgUp PgUp PgUp Enter");
    Items = MenuItems(Texts, 44);
    EXPECT_EQ(0, HostMenu(0, -1, -1, 0, 0, "T", nullptr, nullptr, nullptr, nullptr,
                          Items.data(), 45));
}

TEST_F(MenuTest, BreakKeysScriptsAndRecords)
{
    std::vector<FarMenuItem> Items = MenuItems({"a", "b", "c"});
    const int Break[] = {VK_F4, VK_DELETE | (1 << 16), 0};  // F4, Ctrl+Del
    int Code = 99;
    Keys("Down CtrlDel");
    EXPECT_EQ(1, HostMenu(0, -1, -1, 0, 0, "T", "bottom", "Topic", Break, &Code, Items.data(), 3));
    EXPECT_EQ(1, Code);
    Keys("Enter");
    EXPECT_EQ(0, HostMenu(0, -1, -1, 0, 0, "T", nullptr, nullptr, Break, &Code, Items.data(), 3));
    EXPECT_EQ(-1, Code);

    HostQueueMenu(2);
    EXPECT_EQ(2, HostMenu(5, 3, 4, 7, FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT, "Title", nullptr,
                          nullptr, nullptr, nullptr, Items.data(), 3));
    ASSERT_EQ(3u, HostMenuCalls().size());
    const MenuCall &Call = HostMenuCalls()[2];
    EXPECT_EQ(5, Call.PluginNumber);
    EXPECT_EQ(3, Call.X);
    EXPECT_EQ(4, Call.Y);
    EXPECT_EQ(7, Call.MaxHeight);
    EXPECT_EQ(DWORD(6), Call.Flags);
    EXPECT_EQ("Title", Call.Title);
    EXPECT_FALSE(Call.HasBottom);
    EXPECT_FALSE(Call.HasHelpTopic);
    EXPECT_FALSE(Call.HasBreakKeys);
    EXPECT_FALSE(Call.HasBreakCode);
    ASSERT_EQ(3u, Call.Items.size());
    EXPECT_STREQ("c", Call.Items[2].Text);
    EXPECT_EQ(2, Call.Result);
    EXPECT_TRUE(HostMenuCalls()[0].HasBottom);
    EXPECT_EQ("Topic", HostMenuCalls()[0].HelpTopic);
}

}  // namespace
