// The chart window's loop, driven by console input records on the
// substitute console: keys, entry, mouse, hooks, and the console afterwards.
#include "ChartFixture.h"
#include "InputRecords.h"

#include <winsim.h>

#include <functional>
#include <vector>

namespace {

// Input as a real console delivers it: key down, then key up.
void Key(WORD Vk, char Ch = 0, DWORD State = 0) {
    winsim::PushInput(KeyRecord(Vk, Ch, State, true));
    winsim::PushInput(KeyRecord(Vk, Ch, State, false));
}
// A modifier combination: modifier down, key down/up, modifier up.
void Combo(WORD ModVk, DWORD State, WORD Vk, char Ch = 0) {
    winsim::PushInput(KeyRecord(ModVk, 0, State, true));
    Key(Vk, Ch, State);
    winsim::PushInput(KeyRecord(ModVk, 0, 0, false));
}
void Ctrl(WORD Vk, char Ch = 0) { Combo(VK_CONTROL, LEFT_CTRL_PRESSED, Vk, Ch); }
void Alt(WORD Vk) { Combo(VK_MENU, LEFT_ALT_PRESSED, Vk); }
void Shift(WORD Vk) { Combo(VK_SHIFT, SHIFT_PRESSED, Vk); }
void Char(char C) {
    WORD Vk = (C >= 'a' && C <= 'z') ? WORD(C - 32) : WORD(static_cast<unsigned char>(C));
    Key(Vk, C);
}
void Type(const std::string &S) {
    for (char C : S) Char(C);
}

void Press(int X, int Y) { winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, 0)); }
void Release(int X, int Y) { winsim::PushInput(MouseRecord(X, Y, 0, 0)); }
void DragTo(int X, int Y) { winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_MOVED)); }
// As a console reports it: the first click selects, the second confirms.
void DoubleClick(int X, int Y, DWORD State = 0) {
    winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, 0, State));
    winsim::PushInput(MouseRecord(X, Y, 0, 0, State));
    winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK, State));
    winsim::PushInput(MouseRecord(X, Y, 0, 0, State));
}

// Enough to close the window from any mode, so a test never waits forever;
// how many of them are left over tells where the window closed.
constexpr int GuardRecords = 6;
void PushGuard() {
    for (int i = 0; i < 3; i++) Key(VK_ESCAPE, 27);
}

int HookCalls[3];
int PushedCells;
void CountPushedCell(int, int, int, const char *) { PushedCells++; }

class ChartLoop : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::Reset();
        winsim::SetConsoleSize(80, 25);
        winsim::FillScreen('.', 0x1B);
        winsim::SetTitle("Far");
        ResetChartUnits();
        ConsoleStart();
        SetUpChartState();
        PushCellHook = CountPushedCell;
        PushedCells = 0;
        HookCalls[0] = HookCalls[1] = HookCalls[2] = 0;
        winsim::SetClipboardText("before");
    }
    void TearDown() override { ConsoleEnd(); }

    // Runs one opening with the queued input followed by the guard; returns
    // how many guard records were left when the window closed.
    int Run() {
        PushGuard();
        Result = RunChart();
        return int(winsim::PendingInput().size());
    }
    uint8_t Result = 0;
};

TEST(ChartStatus, FailedFormattingShowsNoStaleText) {
    SetUpChartState();
    ASSERT_EQ(FormatStatus(65).substr(0, 6), "Char A");
    winsim::FailCall("wsprintfA", ERROR_INVALID_PARAMETER, 1);
    EXPECT_EQ(FormatStatus(66), "");
    EXPECT_EQ(FormatStatus(66).substr(0, 6), "Char B");
    ResetChartUnits();
}

// ---------------------------------------------------- selection mode keys --

struct MoveRow {
    const char *Name;
    uint8_t Start;
    std::function<void()> Input;
    uint8_t Expected;
};

TEST_F(ChartLoop, SelectionKeysMoveTheCode) {
    const MoveRow Rows[] = {
        {"PgUp", 77, [] { Key(VK_PRIOR); }, 13},
        {"PgDn", 77, [] { Key(VK_NEXT); }, 237},
        {"Home", 77, [] { Key(VK_HOME); }, 64},
        {"End", 77, [] { Key(VK_END); }, 95},
        {"Up", 77, [] { Key(VK_UP); }, 45},
        {"Down", 77, [] { Key(VK_DOWN); }, 109},
        {"Left", 77, [] { Key(VK_LEFT); }, 76},
        {"Right", 77, [] { Key(VK_RIGHT); }, 78},
        {"Up on row 0", 13, [] { Key(VK_UP); }, 13},
        {"Down on row 7", 237, [] { Key(VK_DOWN); }, 237},
        {"Left on column 0", 64, [] { Key(VK_LEFT); }, 64},
        {"Right on column 31", 95, [] { Key(VK_RIGHT); }, 95},
        {"CtrlHome", 77, [] { Ctrl(VK_HOME); }, 0},
        {"CtrlPgUp", 77, [] { Ctrl(VK_PRIOR); }, 0},
        {"CtrlEnd", 77, [] { Ctrl(VK_END); }, 255},
        {"CtrlPgDn", 77, [] { Ctrl(VK_NEXT); }, 255},
        {"keypad arrows share codes", 77, [] { Key(VK_RIGHT); Key(VK_RIGHT); }, 79},
    };
    for (const MoveRow &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::ClearInput();
        LastChar = R.Start;
        R.Input();
        EXPECT_EQ(Run(), GuardRecords - 1);  // the first Esc closed it
        EXPECT_EQ(LastChar, R.Expected);
        EXPECT_EQ(Result, 0);
    }
}

TEST_F(ChartLoop, EnterCopiesTheCodeOrTheTablesCharacter) {
    LastChar = 65;
    Key(VK_RETURN, 13);
    EXPECT_EQ(Run(), GuardRecords + 1);  // closed on Enter's key-down
    EXPECT_EQ(Result, 65);
    EXPECT_EQ(winsim::ClipboardText(), "A");

    // CopyMode off: the Windows table's character for the code.
    CopyMode = false;
    CurrentTable = 1;
    LastChar = 0xE9;
    winsim::ClearInput();
    Key(VK_RETURN, 13);
    Run();
    EXPECT_EQ(Result, CodeTables[1].Table[0xE9]);
    EXPECT_NE(Result, 0xE9);
    EXPECT_EQ(winsim::ClipboardText(), std::string(1, char(Result)));
}

TEST_F(ChartLoop, EnterOnCodeZeroLeavesTheClipboardAndChoosesNothing) {
    LastChar = 0;
    Key(VK_RETURN, 13);
    EXPECT_EQ(Run(), GuardRecords + 1);
    EXPECT_EQ(Result, 0);
    EXPECT_EQ(winsim::ClipboardText(), "before");
}

TEST_F(ChartLoop, EscAndF10CloseWithoutChoiceButKeepTheCode) {
    for (WORD Vk : {WORD(VK_ESCAPE), WORD(VK_F10)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        LastChar = 10;
        Key(VK_RIGHT);
        Key(Vk, Vk == VK_ESCAPE ? 27 : 0);
        EXPECT_EQ(Run(), GuardRecords + 1);
        EXPECT_EQ(Result, 0);
        EXPECT_EQ(LastChar, 11);
        EXPECT_EQ(winsim::ClipboardText(), "before");
    }
}

TEST_F(ChartLoop, CopyKeysKeepTheWindowOpen) {
    // Ctrl+C and Ctrl+Ins copy; the following Esc ends with no choice.
    for (WORD Vk : {WORD('C'), WORD(VK_INSERT)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        winsim::SetClipboardText("before");
        LastChar = 66;
        Ctrl(Vk, Vk == 'C' ? 3 : 0);
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(Result, 0);
        EXPECT_EQ(winsim::ClipboardText(), "B");
    }
}

TEST_F(ChartLoop, AppendKeys) {
    winsim::SetClipboardText("ab\r\ncd");
    LastChar = 'x';
    Ctrl(VK_ADD, '+');  // appends, stays open
    Key(VK_RIGHT);
    Ctrl(VK_RETURN, 10);  // appends and closes
    EXPECT_EQ(Run(), GuardRecords + 2);
    EXPECT_EQ(Result, 'y');
    EXPECT_EQ(winsim::ClipboardText(), "abxy");
}

TEST_F(ChartLoop, ConfirmThatCannotReachTheClipboardKeepsTheWindowOpen) {
    const struct {
        const char *Name;
        std::function<void()> Input;
    } Rows[] = {
        {"Enter", [] { Key(VK_RETURN, 13); }},
        {"Ctrl+Enter", [] { Ctrl(VK_RETURN, 10); }},
        {"double click", [] { DoubleClick(19 + 5 + 1, 4 + 4 + 2); }},
        {"Ctrl+double click", [] { DoubleClick(19 + 5 + 1, 4 + 4 + 2, LEFT_CTRL_PRESSED); }},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        winsim::ClearInput();
        LastChar = 65;
        Row.Input();
        winsim::SetClipboardBusy(true);
        EXPECT_EQ(Run(), GuardRecords - 1);  // the first Esc closed it
        EXPECT_EQ(Result, 0);
        winsim::SetClipboardBusy(false);
        EXPECT_EQ(winsim::ClipboardText(), "before");
    }
}

TEST_F(ChartLoop, TypedCharacterSelectsItsLowestCodeWhenTypeModeIs0) {
    TypeMode = 0;
    unsigned char Table[256];
    for (int i = 0; i < 256; i++) Table[i] = static_cast<unsigned char>(i < 128 ? i : 'e');
    ASSERT_TRUE(AddCodeTable("folded", Table));
    CurrentTable = 2;
    LastChar = 200;
    Char('e');
    Run();
    EXPECT_EQ(LastChar, 'e');

    // A character the table does not hold leaves the code.
    for (int i = 0; i < 256; i++) Table[i] = 'e';
    CodeTableCount = 2;
    ASSERT_TRUE(AddCodeTable("all e", Table));
    LastChar = 200;
    winsim::ClearInput();
    Char('z');
    Run();
    EXPECT_EQ(LastChar, 200);
}

TEST_F(ChartLoop, TableKeys) {
    unsigned char Table[256] = {};
    for (const char *Name : {"two", "three", "four"}) ASSERT_TRUE(AddCodeTable(Name, Table));
    struct Row {
        const char *Name;
        uint8_t Start;
        std::function<void()> Input;
        uint8_t Expected;
    } Rows[] = {
        {"F8 from 3", 3, [] { Key(VK_F8); }, 1},
        {"F8 from 1", 1, [] { Key(VK_F8); }, 0},
        {"F9 from 0 skips Windows", 0, [] { Key(VK_F9); }, 2},
        {"F9 from 4 wraps", 4, [] { Key(VK_F9); }, 0},
        {"ShiftF9 from 2", 2, [] { Shift(VK_F9); }, 0},
        {"ShiftF9 from 0", 0, [] { Shift(VK_F9); }, 4},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::ClearInput();
        CurrentTable = R.Start;
        R.Input();
        Run();
        EXPECT_EQ(CurrentTable, R.Expected);
    }
}

TEST_F(ChartLoop, OutOfRangeTableFallsBackToTheFirst) {
    CurrentTable = 7;
    Run();
    EXPECT_EQ(CurrentTable, 0);
}

TEST_F(ChartLoop, AltArrowsMoveTheWindowWithinTheScreen) {
    Alt(VK_RIGHT);
    Alt(VK_DOWN);
    Run();
    EXPECT_EQ(ChartX, 20);
    EXPECT_EQ(ChartY, 5);

    // Clamped at every side.
    winsim::ClearInput();
    for (int i = 0; i < 25; i++) Alt(VK_LEFT);
    for (int i = 0; i < 10; i++) Alt(VK_UP);
    Run();
    EXPECT_EQ(ChartX, 0);
    EXPECT_EQ(ChartY, 0);

    winsim::ClearInput();
    for (int i = 0; i < 45; i++) Alt(VK_RIGHT);
    for (int i = 0; i < 15; i++) Alt(VK_DOWN);
    Run();
    EXPECT_EQ(ChartX, 80 - 42);
    EXPECT_EQ(ChartY, 25 - 16);
}

TEST_F(ChartLoop, WindowKeepsItsPlaceUntilTheConsoleIsResized) {
    Alt(VK_RIGHT);
    Run();
    EXPECT_EQ(ChartX, 20);
    winsim::ClearInput();
    Run();
    EXPECT_EQ(ChartX, 20);

    winsim::SetConsoleSize(100, 30);
    winsim::ClearInput();
    Run();
    EXPECT_EQ(ChartX, 29);
    EXPECT_EQ(ChartY, 6);
}

// ---------------------------------------------------------- entry mode --

TEST_F(ChartLoop, DecimalAndHexadecimalEntry) {
    struct Row {
        int Mode;
        const char *Typed;
        uint8_t Expected;
    } Rows[] = {
        {1, "255", 255}, {1, "007", 7}, {1, "256", 100}, {1, "1a", 100}, {1, "2551", 255},
        {1, "x", 100},   {2, "ff", 255}, {2, "FF", 255}, {2, "1F", 31},  {2, "100", 100},
        {2, "0G", 100},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Typed);
        winsim::ClearInput();
        TypeMode = R.Mode;
        LastChar = 100;
        Type(R.Typed);
        Key(VK_RETURN, 13);  // takes the entry, does not close
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(LastChar, R.Expected);
        EXPECT_EQ(Result, 0);
    }
}

TEST_F(ChartLoop, EntryModeKeys) {
    // Backspace removes the last character; removing the only one returns to
    // selection mode, where Right moves again.
    LastChar = 100;
    Type("12");
    Key(VK_BACK, 8);
    Key(VK_RETURN, 13);
    Run();
    EXPECT_EQ(LastChar, 1);

    winsim::ClearInput();
    LastChar = 100;
    Char('5');
    Key(VK_BACK, 8);
    Key(VK_RIGHT);
    Run();
    EXPECT_EQ(LastChar, 101);

    // Esc and F10 clear the entry and keep the window open.
    for (WORD Vk : {WORD(VK_ESCAPE), WORD(VK_F10)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        LastChar = 100;
        Type("12");
        Key(Vk, Vk == VK_ESCAPE ? 27 : 0);
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(LastChar, 100);
    }

    // Arrows, F-keys and the mouse do nothing while typing.
    winsim::ClearInput();
    LastChar = 100;
    Char('9');
    Key(VK_RIGHT);
    Key(VK_F9);
    Press(19 + 5, 4 + 4);
    Key(VK_RETURN, 13);
    Run();
    EXPECT_EQ(LastChar, 9);
    EXPECT_EQ(CurrentTable, 0);
}

// --------------------------------------------------------------- mouse --

TEST_F(ChartLoop, PressOnTheChartSelectsAndDragKeepsSelecting) {
    Press(19 + 5 + 3, 4 + 4 + 2);  // chart row 2, column 3
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(LastChar, 67);

    winsim::ClearInput();
    Press(19 + 5, 4 + 4);
    DragTo(19 + 5 + 31, 4 + 4 + 7);
    Release(19 + 5 + 31, 4 + 4 + 7);
    Run();
    EXPECT_EQ(LastChar, 255);
}

TEST_F(ChartLoop, DoubleClickConfirmsAndCtrlDoubleClickAppends) {
    DoubleClick(19 + 5 + 1, 4 + 4 + 2);  // code 65
    EXPECT_EQ(Run(), GuardRecords + 1);
    EXPECT_EQ(Result, 65);
    EXPECT_EQ(winsim::ClipboardText(), "A");

    winsim::ClearInput();
    winsim::SetClipboardText("xy");
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, LEFT_CTRL_PRESSED, true));
    DoubleClick(19 + 5 + 2, 4 + 4 + 2, LEFT_CTRL_PRESSED);
    EXPECT_EQ(Run(), GuardRecords + 1);
    EXPECT_EQ(Result, 66);
    EXPECT_EQ(winsim::ClipboardText(), "xyB");
}

TEST_F(ChartLoop, PressOutsideTheBoxOrOnTheShadowCloses) {
    struct Row {
        const char *Name;
        int X, Y;
        DWORD Buttons;
    } Rows[] = {
        {"shadow right", 19 + 42, 4 + 5, FROM_LEFT_1ST_BUTTON_PRESSED},
        {"shadow below", 19 + 10, 4 + 16, RIGHTMOST_BUTTON_PRESSED},
        {"far away", 0, 0, FROM_LEFT_1ST_BUTTON_PRESSED},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::ClearInput();
        LastChar = 5;
        winsim::PushInput(MouseRecord(R.X, R.Y, R.Buttons, 0));
        EXPECT_EQ(Run(), GuardRecords);
        EXPECT_EQ(Result, 0);
        EXPECT_EQ(LastChar, 5);
    }
}

TEST_F(ChartLoop, PressesInsideTheBoxOutsideTheAreasDoNothing) {
    LastChar = 5;
    Press(19 + 1, 4 + 5);    // left margin
    Press(19 + 3, 4 + 7);    // frame
    Press(19 + 10, 4 + 12);  // separator
    Press(19 + 10, 4 + 13);  // status row
    Press(19 + 10, 4 + 2);   // name row: a press does not open the menu
    TableMenuHook = [] { HookCalls[1]++; };
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(LastChar, 5);
    EXPECT_EQ(HookCalls[1], 0);
}

TEST_F(ChartLoop, MovingOutOfTheBoxWithAButtonDownCloses) {
    LastChar = 5;
    Press(19 + 6, 4 + 4);
    DragTo(19 + 20, 4 + 9);
    DragTo(19 + 50, 4 + 9);
    EXPECT_EQ(Run(), GuardRecords);
    EXPECT_EQ(Result, 0);
    EXPECT_EQ(LastChar, 32 * 5 + 15);
}

TEST_F(ChartLoop, ReleaseOnTheNameOpensTheTableMenuButNotAfterADrag) {
    TableMenuHook = [] { HookCalls[1]++; };
    Press(19 + 10, 4 + 2);
    Release(19 + 10, 4 + 2);
    Run();
    EXPECT_EQ(HookCalls[1], 1);

    winsim::ClearInput();
    HookCalls[1] = 0;
    Press(19 + 10, 4 + 1);    // grab the title
    DragTo(19 + 12, 4 + 2);
    Release(19 + 12, 4 + 2);  // on the name row of the old place
    Run();
    EXPECT_EQ(HookCalls[1], 0);
}

TEST_F(ChartLoop, DragMovesTheWindowKeepingTheGrabOffsetAndIsClamped) {
    Press(19 + 10, 4 + 1);
    DragTo(19 + 15, 4 + 3);
    Release(19 + 15, 4 + 3);
    Run();
    EXPECT_EQ(ChartX, 24);
    EXPECT_EQ(ChartY, 6);

    winsim::ClearInput();
    Press(24 + 10, 6 + 0);
    DragTo(0, 0);
    Release(0, 0);
    Run();
    EXPECT_EQ(ChartX, 0);
    EXPECT_EQ(ChartY, 0);

    winsim::ClearInput();
    Press(10, 1);
    DragTo(79, 24);  // the drag never closes, even outside the box
    Release(79, 24);
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(ChartX, 80 - 42);
    EXPECT_EQ(ChartY, 25 - 16);
}

// ------------------------------------------------ hooks and the screen --

std::vector<CHAR_INFO> WindowShot;
bool ShotsDiffer;

// Plays a host dialog: the first call records the screen and scribbles over
// the window, later calls check that the window came back whole.
void ScribblingHook() {
    HookCalls[0]++;
    // Handed over before each host call; from the second call on, the
    // resync after the previous one has handed over the saved screen too.
    EXPECT_EQ(PushedCells, (WindowShot.empty() ? 1 : 2) * 80 * 25);
    PushedCells = 0;
    std::vector<CHAR_INFO> Now = winsim::Screen();
    if (WindowShot.empty()) {
        WindowShot = Now;
        for (int X = 20; X < 60; X++) winsim::SetCell(X, 10, '#', 0x4F);
    } else {
        ShotsDiffer = false;
        for (size_t i = 0; i < Now.size(); i++)
            if (Now[i].Char.AsciiChar != WindowShot[i].Char.AsciiChar ||
                Now[i].Attributes != WindowShot[i].Attributes)
                ShotsDiffer = true;
    }
}

TEST_F(ChartLoop, HelpAndOptionsAreBracketedAndTheWindowComesBackWhole) {
    for (WORD Vk : {WORD(VK_F1), WORD(VK_F11)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        WindowShot.clear();
        ShotsDiffer = true;
        HookCalls[0] = 0;
        PushedCells = 0;
        HelpHook = OptionsHook = ScribblingHook;
        Key(Vk);
        Key(Vk);
        Run();
        EXPECT_EQ(HookCalls[0], 2);
        EXPECT_FALSE(ShotsDiffer);
    }
    // Ctrl+F11 opens the options too.
    winsim::ClearInput();
    WindowShot.clear();
    HookCalls[0] = 0;
    PushedCells = 0;
    Ctrl(VK_F11);
    Run();
    EXPECT_EQ(HookCalls[0], 1);
}

TEST_F(ChartLoop, ShiftF8CallsTheTableMenuWhichBracketsItself) {
    TableMenuHook = [] {
        HookCalls[1]++;
        EXPECT_EQ(PushedCells, 0);
    };
    Shift(VK_F8);
    Run();
    EXPECT_EQ(HookCalls[1], 1);
}

TEST_F(ChartLoop, KeysWithoutHooksDoNothing) {
    Key(VK_F1);
    Key(VK_F11);
    Shift(VK_F8);
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(PushedCells, 0);
}

TEST_F(ChartLoop, ConsoleIsRestoredExactly) {
    winsim::SetCell(30, 10, 'Q', 0x2E);
    winsim::SetCursorInfo(100, TRUE);
    winsim::SetCursorPos(7, 3);
    std::vector<CHAR_INFO> Before = winsim::Screen();
    Alt(VK_RIGHT);
    Key(VK_DOWN);
    Type("1");
    Run();
    std::vector<CHAR_INFO> After = winsim::Screen();
    ASSERT_EQ(Before.size(), After.size());
    for (size_t i = 0; i < Before.size(); i++) {
        EXPECT_EQ(Before[i].Char.AsciiChar, After[i].Char.AsciiChar) << i;
        EXPECT_EQ(Before[i].Attributes, After[i].Attributes) << i;
    }
    EXPECT_EQ(winsim::Title(), "Far");
    EXPECT_EQ(winsim::CursorInfo().dwSize, 99u);
    EXPECT_EQ(winsim::CursorPos().X, 7);
    EXPECT_EQ(winsim::CursorPos().Y, 3);
}

TEST_F(ChartLoop, TitleAndCursorWhileOpen) {
    static std::string TitleSeen;
    static CONSOLE_CURSOR_INFO CursorSeen;
    static COORD PosSeen;
    OptionsHook = [] {
        TitleSeen = winsim::Title();
        CursorSeen = winsim::CursorInfo();
        PosSeen = winsim::CursorPos();
    };
    LastChar = 65;  // chart row 2, column 1
    Key(VK_F11);
    Run();
    EXPECT_EQ(TitleSeen, "Quorrel - Far");
    EXPECT_EQ(CursorSeen.dwSize, 99u);
    EXPECT_EQ(PosSeen.X, 19 + 5 + 1);
    EXPECT_EQ(PosSeen.Y, 4 + 4 + 2);
}

TEST_F(ChartLoop, PeekShowsTheScreenUnderneathUntilAModifierIsReleased) {
    const DWORD All = LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED;
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, LEFT_CTRL_PRESSED, true));
    winsim::PushInput(KeyRecord(VK_MENU, 0, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED, true));
    winsim::PushInput(KeyRecord(VK_SHIFT, 0, All, true));
    Key(VK_RIGHT, 0, All);  // discarded while peeking
    winsim::PushInput(KeyRecord(VK_SHIFT, 0, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED, false));  // ends the peek
    winsim::PushInput(KeyRecord(VK_MENU, 0, LEFT_CTRL_PRESSED, false));
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, 0, false));
    LastChar = 10;
    winsim::ResetCallCounts();
    Run();
    EXPECT_EQ(LastChar, 10);
    // Writes: the window, the screen underneath for the peek, the window
    // again after it, and the saved screen when closing.
    std::vector<winsim::WriteCall> Writes = winsim::WriteOutputCalls();
    ASSERT_EQ(Writes.size(), 4u);
    EXPECT_EQ(Writes[1].region.Left, Writes[0].region.Left);
    EXPECT_EQ(Writes[1].region.Right, Writes[0].region.Right);
    EXPECT_EQ(Writes[1].region.Bottom, Writes[0].region.Bottom);
    // Cursor shape sets: the block cursor, the saved cursor for the peek,
    // the block cursor again, the saved cursor when closing.
    EXPECT_EQ(winsim::CallCount("SetConsoleCursorInfo"), 4);
    // One 50 ms pause per event read while peeking: Right down, Right up,
    // and the Shift release that ends it.
    EXPECT_EQ(winsim::CallCount("Sleep"), 3);
}

}  // namespace
