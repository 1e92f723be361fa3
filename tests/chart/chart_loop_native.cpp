// The chart window's loop, driven by console input records on the
// substitute console: keys, entry, mouse, hooks, and the console afterwards.
#include "ChartFixture.h"
#include "InputRecords.h"

#include "QueuedInput.h"

#include <winsim.h>

#include <functional>
#include <vector>

namespace {

using namespace queued;

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
        Screen.PushCellHook = CountPushedCell;
        PushedCells = 0;
        HookCalls[0] = HookCalls[1] = HookCalls[2] = 0;
        winsim::SetClipboardText("before");
    }
    void TearDown() override { ConsoleEnd(); }

    // Runs one opening with the queued input followed by the guard; returns
    // how many guard records were left when the window closed.
    int Run() {
        PushGuard();
        Result = RunTestChart();
        return int(winsim::PendingInput().size());
    }
    uint8_t Result = 0;
};

TEST(ChartStatus, FailedFormattingShowsNoStaleText) {
    SetUpChartState();
    ASSERT_EQ(FormatStatus(Chart, 65, TestLook.Texts.StatusFormat).substr(0, 6), "Char A");
    winsim::FailCall("wsprintfA", ERROR_INVALID_PARAMETER, 1);
    EXPECT_EQ(FormatStatus(Chart, 66, TestLook.Texts.StatusFormat), "");
    EXPECT_EQ(FormatStatus(Chart, 66, TestLook.Texts.StatusFormat).substr(0, 6), "Char B");
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
        Chart.LastChar = R.Start;
        R.Input();
        EXPECT_EQ(Run(), GuardRecords - 1);  // the first Esc closed it
        EXPECT_EQ(Chart.LastChar, R.Expected);
        EXPECT_EQ(Result, 0);
    }
}

TEST_F(ChartLoop, EnterCopiesTheCodeOrTheTablesCharacter) {
    Chart.LastChar = 65;
    Key(VK_RETURN, 13);
    EXPECT_EQ(Run(), GuardRecords + 1);  // closed on Enter's key-down
    EXPECT_EQ(Result, 65);
    EXPECT_EQ(winsim::ClipboardText(), "A");

    // CopyMode off: the Windows table's character for the code.
    Settings.CopyMode = false;
    Chart.CurrentTable = 1;
    Chart.LastChar = 0xE9;
    winsim::ClearInput();
    Key(VK_RETURN, 13);
    Run();
    EXPECT_EQ(Result, Chart.CodeTables[1].Chars[0xE9]);
    EXPECT_NE(Result, 0xE9);
    EXPECT_EQ(winsim::ClipboardText(), std::string(1, char(Result)));
}

TEST_F(ChartLoop, EnterOnCodeZeroLeavesTheClipboardAndChoosesNothing) {
    Chart.LastChar = 0;
    Key(VK_RETURN, 13);
    EXPECT_EQ(Run(), GuardRecords + 1);
    EXPECT_EQ(Result, 0);
    EXPECT_EQ(winsim::ClipboardText(), "before");
}

TEST_F(ChartLoop, EscAndF10CloseWithoutChoiceButKeepTheCode) {
    for (WORD Vk : {WORD(VK_ESCAPE), WORD(VK_F10)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        Chart.LastChar = 10;
        Key(VK_RIGHT);
        Key(Vk, Vk == VK_ESCAPE ? 27 : 0);
        EXPECT_EQ(Run(), GuardRecords + 1);
        EXPECT_EQ(Result, 0);
        EXPECT_EQ(Chart.LastChar, 11);
        EXPECT_EQ(winsim::ClipboardText(), "before");
    }
}

TEST_F(ChartLoop, CopyKeysKeepTheWindowOpen) {
    // Ctrl+C and Ctrl+Ins copy; the following Esc ends with no choice.
    for (WORD Vk : {WORD('C'), WORD(VK_INSERT)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        winsim::SetClipboardText("before");
        Chart.LastChar = 66;
        Ctrl(Vk, Vk == 'C' ? 3 : 0);
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(Result, 0);
        EXPECT_EQ(winsim::ClipboardText(), "B");
    }
}

TEST_F(ChartLoop, AppendKeys) {
    winsim::SetClipboardText("ab\r\ncd");
    Chart.LastChar = 'x';
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
        {"double click", [] { DoubleClick(CellScreenX(65), CellScreenY(65)); }},
        {"Ctrl+double click",
         [] { DoubleClick(CellScreenX(65), CellScreenY(65), LEFT_CTRL_PRESSED); }},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        winsim::ClearInput();
        Chart.LastChar = 65;
        Row.Input();
        winsim::SetClipboardBusy(true);
        EXPECT_EQ(Run(), GuardRecords - 1);  // the first Esc closed it
        EXPECT_EQ(Result, 0);
        winsim::SetClipboardBusy(false);
        EXPECT_EQ(winsim::ClipboardText(), "before");
    }
}

TEST_F(ChartLoop, TypedCharacterSelectsItsLowestCodeWhenTypeModeIs0) {
    struct Row {
        const char *Name;
        unsigned char (*Fill)(int Code);
        char Typed;
        uint8_t Expected;  // from 200
    } Rows[] = {
        {"several codes: the lowest", [](int C) { return (unsigned char)(C < 128 ? C : 'e'); }, 'e',
         'e'},
        {"no code: unchanged", [](int) { return (unsigned char)'e'; }, 'z', 200},
        {"only the last code", [](int C) { return (unsigned char)C; }, char(255), 255},
    };
    Settings.TypeMode = Typing(0);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        unsigned char Table[256];
        for (int I = 0; I < 256; I++) Table[I] = R.Fill(I);
        Chart.CodeTables.resize(2);
        ASSERT_TRUE(AddCodeTable(Chart, R.Name, Table));
        Chart.CurrentTable = 2;
        Chart.LastChar = 200;
        winsim::ClearInput();
        Char(R.Typed);
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(Chart.LastChar, R.Expected);
    }
}

TEST_F(ChartLoop, TableKeys) {
    unsigned char Table[256] = {};
    for (const char *Name : {"two", "three", "four"}) ASSERT_TRUE(AddCodeTable(Chart, Name, Table));
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
        Chart.CurrentTable = R.Start;
        R.Input();
        Run();
        EXPECT_EQ(Chart.CurrentTable, R.Expected);
    }
}

TEST_F(ChartLoop, OutOfRangeTableFallsBackToTheFirst) {
    Chart.CurrentTable = 7;
    Run();
    EXPECT_EQ(Chart.CurrentTable, 0);
}

TEST_F(ChartLoop, AltArrowsMoveTheWindowWithinTheScreen) {
    Alt(VK_RIGHT);
    Alt(VK_DOWN);
    Run();
    EXPECT_EQ(Chart.ChartX, 20);
    EXPECT_EQ(Chart.ChartY, 5);

    // Clamped at every side.
    winsim::ClearInput();
    for (int i = 0; i < 25; i++) Alt(VK_LEFT);
    for (int i = 0; i < 10; i++) Alt(VK_UP);
    Run();
    EXPECT_EQ(Chart.ChartX, 0);
    EXPECT_EQ(Chart.ChartY, 0);

    winsim::ClearInput();
    for (int i = 0; i < 45; i++) Alt(VK_RIGHT);
    for (int i = 0; i < 15; i++) Alt(VK_DOWN);
    Run();
    EXPECT_EQ(Chart.ChartX, 80 - ChartLayout::Width);
    EXPECT_EQ(Chart.ChartY, 25 - ChartLayout::Height);
}

TEST_F(ChartLoop, WindowKeepsItsPlaceUntilTheConsoleIsResized) {
    Alt(VK_RIGHT);
    Run();
    EXPECT_EQ(Chart.ChartX, 20);
    winsim::ClearInput();
    Run();
    EXPECT_EQ(Chart.ChartX, 20);

    winsim::SetConsoleSize(100, 30);
    winsim::ClearInput();
    Run();
    EXPECT_EQ(Chart.ChartX, 29);
    EXPECT_EQ(Chart.ChartY, 6);
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
        Settings.TypeMode = Typing(R.Mode);
        Chart.LastChar = 100;
        Type(R.Typed);
        Key(VK_RETURN, 13);  // takes the entry, does not close
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(Chart.LastChar, R.Expected);
        EXPECT_EQ(Result, 0);
    }
}

TEST_F(ChartLoop, EntryModeKeys) {
    // Backspace removes the last character; removing the only one returns to
    // selection mode, where Right moves again.
    Chart.LastChar = 100;
    Type("12");
    Key(VK_BACK, 8);
    Key(VK_RETURN, 13);
    Run();
    EXPECT_EQ(Chart.LastChar, 1);

    winsim::ClearInput();
    Chart.LastChar = 100;
    Char('5');
    Key(VK_BACK, 8);
    Key(VK_RIGHT);
    Run();
    EXPECT_EQ(Chart.LastChar, 101);

    // Esc and F10 clear the entry and keep the window open.
    for (WORD Vk : {WORD(VK_ESCAPE), WORD(VK_F10)}) {
        SCOPED_TRACE(Vk);
        winsim::ClearInput();
        Chart.LastChar = 100;
        Type("12");
        Key(Vk, Vk == VK_ESCAPE ? 27 : 0);
        EXPECT_EQ(Run(), GuardRecords - 1);
        EXPECT_EQ(Chart.LastChar, 100);
    }

    // Arrows, F-keys and the mouse do nothing while typing.
    winsim::ClearInput();
    Chart.LastChar = 100;
    Char('9');
    Key(VK_RIGHT);
    Key(VK_F9);
    Press(CellScreenX(0), CellScreenY(0));
    Key(VK_RETURN, 13);
    Run();
    EXPECT_EQ(Chart.LastChar, 9);
    EXPECT_EQ(Chart.CurrentTable, 0);
}

// --------------------------------------------------------------- mouse --

TEST_F(ChartLoop, PressOnTheChartSelectsAndDragKeepsSelecting) {
    Press(CellScreenX(67), CellScreenY(67));  // chart row 2, column 3
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(Chart.LastChar, 67);

    winsim::ClearInput();
    Press(CellScreenX(0), CellScreenY(0));
    DragTo(CellScreenX(255), CellScreenY(255));
    Release(CellScreenX(255), CellScreenY(255));
    Run();
    EXPECT_EQ(Chart.LastChar, 255);
}

TEST_F(ChartLoop, DoubleClickConfirmsAndCtrlDoubleClickAppends) {
    DoubleClick(CellScreenX(65), CellScreenY(65));  // code 65
    EXPECT_EQ(Run(), GuardRecords + 1);
    EXPECT_EQ(Result, 65);
    EXPECT_EQ(winsim::ClipboardText(), "A");

    winsim::ClearInput();
    winsim::SetClipboardText("xy");
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, LEFT_CTRL_PRESSED, true));
    DoubleClick(CellScreenX(66), CellScreenY(66), LEFT_CTRL_PRESSED);
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
        {"shadow right", ScreenX(ChartLayout::Width), ScreenY(5), FROM_LEFT_1ST_BUTTON_PRESSED},
        {"shadow below", ScreenX(10), ScreenY(ChartLayout::Height), RIGHTMOST_BUTTON_PRESSED},
        {"far away", 0, 0, FROM_LEFT_1ST_BUTTON_PRESSED},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::ClearInput();
        Chart.LastChar = 5;
        winsim::PushInput(MouseRecord(R.X, R.Y, R.Buttons, 0));
        EXPECT_EQ(Run(), GuardRecords);
        EXPECT_EQ(Result, 0);
        EXPECT_EQ(Chart.LastChar, 5);
    }
}

TEST_F(ChartLoop, PressesInsideTheBoxOutsideTheAreasDoNothing) {
    Chart.LastChar = 5;
    Press(ScreenX(1), ScreenY(5));  // left margin
    Press(ScreenX(ChartLayout::FrameLeft), ScreenY(7));
    Press(ScreenX(10), ScreenY(ChartLayout::BottomSeparatorRow));
    Press(ScreenX(10), ScreenY(ChartLayout::StatusRow));
    Press(ScreenX(10), ScreenY(ChartLayout::NameRow));  // a press does not open the menu
    TestHooks.TableMenu = [](ChartState &) { HookCalls[1]++; };
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(Chart.LastChar, 5);
    EXPECT_EQ(HookCalls[1], 0);
}

TEST_F(ChartLoop, MovingOutOfTheBoxWithAButtonDownCloses) {
    Chart.LastChar = 5;
    Press(CellScreenX(1), CellScreenY(1));
    DragTo(CellScreenX(32 * 5 + 15), CellScreenY(32 * 5 + 15));
    DragTo(ScreenX(50), CellScreenY(32 * 5 + 15));
    EXPECT_EQ(Run(), GuardRecords);
    EXPECT_EQ(Result, 0);
    EXPECT_EQ(Chart.LastChar, 32 * 5 + 15);
}

TEST_F(ChartLoop, ReleaseOnTheNameOpensTheTableMenuButNotAfterADrag) {
    TestHooks.TableMenu = [](ChartState &) { HookCalls[1]++; };
    Press(ScreenX(10), ScreenY(ChartLayout::NameRow));
    Release(ScreenX(10), ScreenY(ChartLayout::NameRow));
    Run();
    EXPECT_EQ(HookCalls[1], 1);

    winsim::ClearInput();
    HookCalls[1] = 0;
    Press(ScreenX(10), ScreenY(ChartLayout::FrameTop));  // grab the title
    DragTo(ScreenX(12), ScreenY(ChartLayout::NameRow));
    Release(ScreenX(12), ScreenY(ChartLayout::NameRow));  // on the name row of the old place
    Run();
    EXPECT_EQ(HookCalls[1], 0);
}

TEST_F(ChartLoop, DragMovesTheWindowKeepingTheGrabOffsetAndIsClamped) {
    Press(ScreenX(10), ScreenY(ChartLayout::FrameTop));
    DragTo(ScreenX(15), ScreenY(ChartLayout::FrameTop + 2));
    Release(ScreenX(15), ScreenY(ChartLayout::FrameTop + 2));
    Run();
    EXPECT_EQ(Chart.ChartX, CentredX + 5);
    EXPECT_EQ(Chart.ChartY, CentredY + 2);

    winsim::ClearInput();
    Press(Chart.ChartX + 10, Chart.ChartY);
    DragTo(0, 0);
    Release(0, 0);
    Run();
    EXPECT_EQ(Chart.ChartX, 0);
    EXPECT_EQ(Chart.ChartY, 0);

    winsim::ClearInput();
    Press(10, 1);
    DragTo(79, 24);  // the drag never closes, even outside the box
    Release(79, 24);
    EXPECT_EQ(Run(), GuardRecords - 1);
    EXPECT_EQ(Chart.ChartX, 80 - ChartLayout::Width);
    EXPECT_EQ(Chart.ChartY, 25 - ChartLayout::Height);
}

// ------------------------------------------------ hooks and the screen --

std::vector<CHAR_INFO> WindowShot;
COORD CursorShot;
bool ShotsDiffer;

// Plays a host dialog: the first call records the screen and the cursor and
// scribbles over the window and moves the cursor, later calls check that
// the window and the cursor came back.
void ScribblingHook() {
    HookCalls[0]++;
    // Handed over before each host call, the rows the window covers (the
    // only rows read); from the second call on, the resync after the
    // previous one has handed over the saved screen too.
    EXPECT_EQ(PushedCells, (WindowShot.empty() ? 1 : 2) * 80 * 17);
    PushedCells = 0;
    std::vector<CHAR_INFO> Now = winsim::Screen();
    if (WindowShot.empty()) {
        WindowShot = Now;
        CursorShot = winsim::CursorPos();
        for (int X = 20; X < 60; X++) winsim::SetCell(X, 10, '#', 0x4F);
        winsim::SetCursorPos(0, 0);
    } else {
        ShotsDiffer =
            winsim::CursorPos().X != CursorShot.X || winsim::CursorPos().Y != CursorShot.Y;
        for (size_t i = 0; i < Now.size(); i++)
            if (Now[i].Char.AsciiChar != WindowShot[i].Char.AsciiChar ||
                Now[i].Attributes != WindowShot[i].Attributes)
                ShotsDiffer = true;
    }
}

TEST_F(ChartLoop, HostDialogsAreBracketedAndTheWindowComesBackWhole) {
    // The host's dialogs of the character keys scribble too.
    fake::Host Host;
    fake::Current = &Host;
    Host.DialogScript = [](FarDialogItem *, int) {
        ScribblingHook();
        return -1;
    };
    const PluginStartupInfo Info = fake::MakeStartupInfo(Host);
    CopyStartupInfo(&Info);
    Chart.FindWords = "no such words";
    const struct {
        const char *Name;
        void (*Press)();
    } Keys[] = {
        {"F1", [] { Key(VK_F1); }},
        {"F11", [] { Key(VK_F11); }},
        {"F3", [] { Key(VK_F3); }},
        {"Alt+F8, nothing chosen yet", [] { Alt(VK_F8); }},
        {"Shift+F7, no match", [] { Shift(VK_F7); }},
    };
    for (const auto &K : Keys) {
        SCOPED_TRACE(K.Name);
        winsim::ClearInput();
        WindowShot.clear();
        ShotsDiffer = true;
        HookCalls[0] = 0;
        PushedCells = 0;
        TestHooks.Help = TestHooks.Options = ScribblingHook;
        K.Press();
        K.Press();
        Run();
        EXPECT_EQ(HookCalls[0], 2);
        EXPECT_FALSE(ShotsDiffer);
    }
    fake::Current = nullptr;
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
    TestHooks.TableMenu = [](ChartState &) {
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

TEST_F(ChartLoop, TitleAndCursorWhileOpenAlsoAfterADialogMovedTheCursor) {
    static std::vector<std::string> TitleSeen;
    static std::vector<CONSOLE_CURSOR_INFO> CursorSeen;
    static std::vector<COORD> PosSeen;
    TitleSeen.clear();
    CursorSeen.clear();
    PosSeen.clear();
    // Each call sees the chart's cursor, then leaves it elsewhere and hidden,
    // as a host dialog does.
    TestHooks.Options = [] {
        TitleSeen.push_back(winsim::Title());
        CursorSeen.push_back(winsim::CursorInfo());
        PosSeen.push_back(winsim::CursorPos());
        winsim::SetCursorPos(0, 0);
        winsim::SetCursorInfo(25, FALSE);
    };
    Chart.LastChar = 65;  // chart row 2, column 1
    Key(VK_F11);
    Key(VK_F11);
    Run();
    ASSERT_EQ(PosSeen.size(), 2u);
    for (size_t I = 0; I < 2; I++) {
        SCOPED_TRACE(I);
        EXPECT_EQ(TitleSeen[I], "Quorrel - Far");
        EXPECT_EQ(CursorSeen[I].dwSize, 99u);
        EXPECT_NE(CursorSeen[I].bVisible, 0);
        EXPECT_EQ(PosSeen[I].X, CellScreenX(65));
        EXPECT_EQ(PosSeen[I].Y, CellScreenY(65));
    }
}

TEST_F(ChartLoop, PeekShowsTheScreenUnderneathUntilAModifierIsReleased) {
    const DWORD All = LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED;
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, LEFT_CTRL_PRESSED, true));
    winsim::PushInput(KeyRecord(VK_MENU, 0, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED, true));
    winsim::PushInput(KeyRecord(VK_SHIFT, 0, All, true));
    Key(VK_RIGHT, 0, All);  // discarded while peeking
    winsim::PushInput(
        KeyRecord(VK_SHIFT, 0, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED, false)); // ends the peek
    winsim::PushInput(KeyRecord(VK_MENU, 0, LEFT_CTRL_PRESSED, false));
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, 0, false));
    Chart.LastChar = 10;
    winsim::ResetCallCounts();
    Run();
    EXPECT_EQ(Chart.LastChar, 10);
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
    // The events while peeking are waited for, not polled.
    EXPECT_EQ(winsim::CallCount("Sleep"), 0);
}

// ------------------------------------------------ typed ahead, failures --

std::vector<INPUT_RECORD> PendingAtHook;

void RecordPendingInput() { PendingAtHook = winsim::PendingInput(); }

TEST_F(ChartLoop, KeysTypedAheadWaitInTheConsoleForTheHostDialogAndTheHost) {
    Chart.LastChar = 10;
    TestHooks.Options = RecordPendingInput;
    Key(VK_RIGHT);
    Key(VK_F11);
    Key(VK_RIGHT);
    Key(VK_RETURN, 13);
    Key(VK_LEFT);
    EXPECT_EQ(Run(), 1 + 2 + GuardRecords) << "Enter's release, Left and the guard stay";
    EXPECT_EQ(Result, 12) << "both Rights, one each";
    ASSERT_GE(PendingAtHook.size(), 5u);
    EXPECT_EQ(PendingAtHook[0].Event.KeyEvent.wVirtualKeyCode, VK_F11);
    EXPECT_FALSE(PendingAtHook[0].Event.KeyEvent.bKeyDown);
    EXPECT_EQ(PendingAtHook[1].Event.KeyEvent.wVirtualKeyCode, VK_RIGHT);
    EXPECT_EQ(PendingAtHook[3].Event.KeyEvent.wVirtualKeyCode, VK_RETURN);
    const std::vector<INPUT_RECORD> Left = winsim::PendingInput();
    EXPECT_EQ(Left[0].Event.KeyEvent.wVirtualKeyCode, VK_RETURN);
    EXPECT_EQ(Left[1].Event.KeyEvent.wVirtualKeyCode, VK_LEFT);
}

TEST_F(ChartLoop, QueuedKeysCostAWriteAndACursorMoveEachAndReleasesNothing) {
    const int Keys = 20;
    for (int I = 0; I < Keys; I++) Key(I % 2 ? VK_LEFT : VK_RIGHT);
    ASSERT_TRUE(OpenScreen("x"));
    winsim::ResetCallCounts();
    PushGuard();
    Result = ::ChartLoop(Chart, TestLook, TestHooks);
    // The first frame and the cursor on it, then one write and one move per
    // key; the peek and the read of the whole queue up to Esc once.
    EXPECT_EQ(winsim::CallCount("WriteConsoleOutputA"), 1 + Keys);
    EXPECT_EQ(winsim::CallCount("SetConsoleCursorPosition"), 1 + Keys);
    EXPECT_EQ(winsim::CallCount("SetConsoleCursorInfo"), 1);
    EXPECT_EQ(winsim::CallCount("GetConsoleCursorInfo"), 0);
    EXPECT_EQ(winsim::CallCount("GetConsoleScreenBufferInfo"), 0);
    EXPECT_EQ(winsim::CallCount("PeekConsoleInputA"), 1);
    EXPECT_EQ(winsim::CallCount("ReadConsoleInputA"), 1);
    EXPECT_EQ(winsim::CallCount("Sleep"), 0);
    CloseScreen();
}

TEST_F(ChartLoop, AKeyWhoseReadFailedIsHandledOnce) {
    Chart.LastChar = 64;
    Key(VK_RIGHT);
    Key(VK_RETURN, 13);
    winsim::FailCall("ReadConsoleInputA", ERROR_ACCESS_DENIED, 1);
    Run();
    EXPECT_EQ(Result, 'A');
}

TEST_F(ChartLoop, InputThatKeepsFailingClosesTheWindowAsEscWould) {
    const DWORD Held = LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED;
    struct Row {
        const char *Name;
        const char *Fails;  // from the start, for good
        std::function<void()> Input;
        uint8_t Expected;
    } Rows[] = {
        {"peek", "PeekConsoleInputA", [] { Key(VK_RIGHT); }, 10},
        {"read", "ReadConsoleInputA", [] { Key(VK_RIGHT); }, 10},
        {"wait, after a key", "WaitForSingleObject", [] { Key(VK_RIGHT); }, 11},
        {"wait, in entry mode", "WaitForSingleObject", [] { Char('1'); }, 10},
        {"wait, while peeking", "WaitForSingleObject",
         [Held] { winsim::PushInput(KeyRecord(VK_SHIFT, 0, Held)); }, 10},
    };
    const std::vector<CHAR_INFO> Before = winsim::Screen();
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::ClearInput();
        Chart.LastChar = 10;
        R.Input();
        winsim::FailCall(R.Fails);
        EXPECT_EQ(RunTestChart(), 0);
        winsim::ClearFailures();
        EXPECT_EQ(Chart.LastChar, R.Expected);
        EXPECT_FALSE(Input.PeekHeld);
        EXPECT_EQ(winsim::Title(), "Far");
        const std::vector<CHAR_INFO> After = winsim::Screen();
        for (size_t I = 0; I < Before.size(); I++)
            ASSERT_EQ(Before[I].Attributes, After[I].Attributes) << "cell " << I;
    }
}

TEST_F(ChartLoop, WithoutTheConsolesSizeNothingOpens) {
    Key(VK_RETURN, 13);
    winsim::FailCall("GetConsoleScreenBufferInfo");
    winsim::ResetCallCounts();
    EXPECT_EQ(RunTestChart(), 0);
    EXPECT_EQ(winsim::CallCount("WriteConsoleOutputA"), 0);
    EXPECT_EQ(winsim::PendingInput().size(), 2u);
    EXPECT_EQ(winsim::Title(), "Far");
}

// ------------------------------------------------------ small consoles --

TEST_F(ChartLoop, OnAConsoleSmallerThanTheWindowOnlyVisibleCellsSelect) {
    // 30x10: the box stands at (-6, -3); chart column c, row r is at screen
    // (c - 1, r + 1). Chart columns 0 and 31 lie off the screen.
    struct Row {
        const char *Name;
        int X, Y;
        bool Double;
        uint8_t Expected;
        int Left;  // guard records left: the window closed on a confirm
    } Rows[] = {
        {"press on a visible cell", 0, 4, false, 32 * 3 + 1, GuardRecords - 1},
        {"press left of the screen", -1, 4, false, 10, GuardRecords - 1},
        {"press right of the screen", 30, 4, false, 10, GuardRecords - 1},
        {"double click left of the screen", -1, 4, true, 10, GuardRecords - 1},
        {"double click on a visible cell", 0, 4, true, 32 * 3 + 1, GuardRecords},
    };
    winsim::SetConsoleSize(30, 10);
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::ClearInput();
        Chart.CentrePending = true;
        Chart.LastChar = 10;
        if (R.Double)
            DoubleClick(R.X, R.Y);
        else
            Press(R.X, R.Y);
        EXPECT_EQ(Run(), R.Left + (R.Double && R.Left == GuardRecords ? 1 : 0));
        EXPECT_EQ(Chart.ChartX, -6);
        EXPECT_EQ(Chart.LastChar, R.Expected);
    }
}

}  // namespace
