// Screen images against winsim: console call counts, exact rectangles,
// banded reading with refused reads, sizes, hooks and the platform test.
#include "ConsoleTestUtil.h"

#include <winsim.h>

#include <cstring>
#include <tuple>

namespace {

struct PushedCell {
    int X, Y, Color;
    std::string Str;
};
std::vector<PushedCell> Pushed;
void RecordCell(int X, int Y, int Color, const char *Str) {
    Pushed.push_back({X, Y, Color, Str});
}

class ScreenSim : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::Reset();
        ResetConsole();
    }
    void TearDown() override { ResetConsole(); }

    // A console of W x H holding a pattern, the library started on it.
    void Start(int W, int H) {
        winsim::SetConsoleSize(W, H);
        for (int Y = 0; Y < H; Y++)
            for (int X = 0; X < W; X++)
                winsim::SetCell(X, Y, char(33 + (X * 3 + Y * 5) % 90),
                                WORD(1 + (X + Y * 7) % 0x7F));
        ConsoleStart();
        Before = winsim::Screen();
    }
    std::vector<CHAR_INFO> Before;
    size_t WriteMark = 0;
    // Call counts and the list of writes start afresh from here.
    void MarkCalls() {
        winsim::ResetCallCounts();
        WriteMark = winsim::WriteOutputCalls().size();
    }
    std::vector<winsim::WriteCall> NewWrites() {
        std::vector<winsim::WriteCall> All = winsim::WriteOutputCalls();
        return std::vector<winsim::WriteCall>(All.begin() + long(WriteMark), All.end());
    }
    int Writes() { return winsim::CallCount("WriteConsoleOutputA"); }
    int Reads() { return winsim::CallCount("ReadConsoleOutputA"); }

    // On every row read, the console shows the drawn image and the shown
    // image is the drawn one byte for byte.
    ::testing::AssertionResult InStep() {
        const std::vector<CHAR_INFO> Console = winsim::Screen();
        for (int Y = 0; Y < Screen.ScreenHeight; Y++) {
            if (ScreenRowUnread(Y)) continue;
            const size_t Row = size_t(Y) * Screen.ScreenWidth;
            for (int X = 0; X < Screen.ScreenWidth; X++) {
                const CHAR_INFO &D = Screen.DrawScreen.Cells[Row + X], &C = Console[Row + X];
                if (CharOf(D) != CharOf(C) || D.Attributes != C.Attributes)
                    return ::testing::AssertionFailure() << "console differs at " << X << "," << Y;
            }
            if (std::memcmp(Screen.DrawScreen.Cells + Row, Screen.ShownScreen.Cells + Row,
                            4 * size_t(Screen.ScreenWidth)))
                return ::testing::AssertionFailure() << "shown image differs on row " << Y;
        }
        return ::testing::AssertionSuccess();
    }
    void Window(int X, int Y) {
        ResetDrawScreen();
        DrawBox(X, Y, X + 41, Y + 15, 3, 0x30, 0x3F, 0x4E, "Title");
    }
};

TEST_F(ScreenSim, UnchangedFrameMakesNoConsoleCall) {
    Start(80, 25);
    OpenScreen("x");
    MarkCalls();
    FlushScreen();
    ResetDrawScreen();
    FlushScreen();
    EXPECT_EQ(Writes(), 0);
    CloseScreen();
    EXPECT_EQ(Writes(), 0) << "nothing drawn, nothing to put back";
}

TEST_F(ScreenSim, FlushWritesTheBoundingRectangleOnce) {
    Start(80, 25);
    OpenScreen("x");
    ReadScreenRows(0, 24);
    DrawAt(2, 3).Char.AsciiChar = '#';
    DrawAt(10, 1).Attributes ^= 0x40;
    // The console changed behind our back inside and outside the rectangle:
    // the write covers the inside, unchanged cells included, and nothing else.
    winsim::SetCell(5, 2, '?', 0x07);
    winsim::SetCell(11, 1, '?', 0x07);
    MarkCalls();
    FlushScreen();
    const std::vector<winsim::WriteCall> Calls = NewWrites();
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].bufferSize.X, 80);
    EXPECT_EQ(Calls[0].bufferSize.Y, 25);
    EXPECT_EQ(Calls[0].bufferCoord.X, 2);
    EXPECT_EQ(Calls[0].bufferCoord.Y, 1);
    EXPECT_EQ(Calls[0].region.Left, 2);
    EXPECT_EQ(Calls[0].region.Top, 1);
    EXPECT_EQ(Calls[0].region.Right, 10);
    EXPECT_EQ(Calls[0].region.Bottom, 3);
    EXPECT_EQ(winsim::GetCell(2, 3).Char.AsciiChar, '#');
    EXPECT_EQ(winsim::GetCell(10, 1).Attributes, Before[80 + 10].Attributes ^ 0x40);
    EXPECT_EQ(winsim::GetCell(5, 2).Char.AsciiChar, Before[2 * 80 + 5].Char.AsciiChar);
    EXPECT_EQ(winsim::GetCell(11, 1).Char.AsciiChar, '?');
    EXPECT_TRUE(SameCells(Image(Screen.DrawScreen), Image(Screen.ShownScreen), 80));

    MarkCalls();
    FlushScreen();
    EXPECT_EQ(Writes(), 0) << "the shown image follows the flush";
    CloseScreen();
    ASSERT_EQ(NewWrites().size(), 1u);
    EXPECT_EQ(NewWrites()[0].region.Right, 10);
    EXPECT_EQ(winsim::GetCell(2, 3).Char.AsciiChar, Before[3 * 80 + 2].Char.AsciiChar);
}

TEST_F(ScreenSim, WhatCountsAsAChange) {
    struct Case {
        const char *Name;
        void (*Change)(CHAR_INFO &);
        bool Writes;
    };
    const Case Cases[] = {
        {"attribute only", [](CHAR_INFO &C) { C.Attributes ^= 0x01; }, true},
        {"character byte", [](CHAR_INFO &C) { C.Char.AsciiChar ^= 0x20; }, true},
        {"high attribute bits", [](CHAR_INFO &C) { C.Attributes ^= 0x8000; }, true},
        {"high byte of the character field",
         [](CHAR_INFO &C) { C.Char.UnicodeChar ^= 0x4100; }, false},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        winsim::Reset();
        ResetConsole();
        Start(80, 25);
        OpenScreen("x");
        C.Change(DrawAt(40, 12));
        MarkCalls();
        FlushScreen();
        ASSERT_EQ(Writes(), C.Writes ? 1 : 0);
        if (C.Writes) {
            const SMALL_RECT R = NewWrites()[0].region;
            EXPECT_EQ(std::make_tuple(R.Left, R.Top, R.Right, R.Bottom),
                      std::make_tuple(SHORT(40), SHORT(12), SHORT(40), SHORT(12)));
        }
        CloseScreen();
    }
}

TEST_F(ScreenSim, AfterAFlushTheShownImageIsTheDrawnOneByteForByte) {
    Start(120, 300);
    OpenScreen("x");
    DrawAt(7, 3).Attributes ^= 0x10;
    DrawAt(9, 250).Char.UnicodeChar ^= 0x4100;  // not a change, but still copied
    MarkCalls();
    FlushScreen();
    ASSERT_EQ(NewWrites().size(), 1u);
    EXPECT_EQ(NewWrites()[0].region.Bottom, 3);
    EXPECT_EQ(std::memcmp(Screen.DrawScreen.Cells, Screen.ShownScreen.Cells,
                          size_t(Screen.DrawScreen.ByteSize)),
              0);
    CloseScreen();
}

TEST_F(ScreenSim, FramesKeepTheConsoleAndTheImagesInStep) {
    // Windows anywhere, partly off the screen too, text, host dialogs and
    // failed writes, in a fixed random order.
    Start(60, 20);
    OpenScreen("x");
    unsigned Seed = 12345;
    auto Next = [&Seed](int N) {
        Seed = Seed * 1103515245u + 12345u;
        return int((Seed >> 16) % unsigned(N));
    };
    bool Failed = false;
    for (int Step = 0; Step < 300; Step++) {
        SCOPED_TRACE(::testing::Message() << "step " << Step);
        switch (Next(8)) {
        case 0:
            ResyncScreen();
            break;
        case 1:
            winsim::FailCall("WriteConsoleOutputA", ERROR_ACCESS_DENIED, 2);
            Failed = true;
            break;
        default:
            Window(Next(70) - 25, Next(26) - 8);
            if (Next(2)) {
                GotoXY(Next(50) - 5, Next(16));
                SetTextAttr(WORD(Next(256)));
                WriteText("step text");
            }
            if (Next(4) == 0) DrawAt(Next(60), Next(20)).Attributes ^= 0x80;
            FlushScreen();
            if (!Failed) {
                ASSERT_TRUE(InStep());
            }
            Failed = false;
        }
    }
    winsim::ClearFailures();
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 60));
}

TEST_F(ScreenSim, AFailedWriteIsWrittenAgainByTheNextFlush) {
    struct Case {
        const char *Name;
        int MovedX;  // the window of the failing frame
    };
    const Case Cases[] = {{"the first frame", 19}, {"the window moved", 20}};
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        winsim::Reset();
        ResetConsole();
        Start(80, 25);
        OpenScreen("x");
        if (C.MovedX != 19) {
            Window(19, 4);
            FlushScreen();
        }
        const std::vector<CHAR_INFO> Shown = winsim::Screen();
        winsim::FailCall("WriteConsoleOutputA", ERROR_ACCESS_DENIED, 2);  // and its retry
        Window(C.MovedX, 4);
        FlushScreen();
        EXPECT_TRUE(SameCells(Shown, winsim::Screen(), 80)) << "nothing went out";
        MarkCalls();
        Window(C.MovedX, 4);
        FlushScreen();
        EXPECT_EQ(Writes(), 1);
        EXPECT_TRUE(InStep());
        CloseScreen();
        EXPECT_TRUE(SameCells(Before, winsim::Screen(), 80));
    }
    // Closing: a failed write is tried once more.
    OpenScreen("x");
    Window(19, 4);
    FlushScreen();
    winsim::FailCall("WriteConsoleOutputA", ERROR_ACCESS_DENIED, 1);
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 80));
}

TEST_F(ScreenSim, WhatTheConsoleDidNotTakeIsWrittenAgain) {
    // The console shrinks to 15 rows under an open window: the write is cut
    // there, and the rest goes out once the console has the rows again.
    Start(80, 25);
    OpenScreen("x");
    Window(19, 4);
    winsim::SetConsoleSize(80, 15);
    FlushScreen();
    winsim::SetConsoleSize(80, 25);
    Window(19, 4);
    FlushScreen();
    for (int Y = 15; Y <= 20; Y++)
        EXPECT_EQ(CharOf(winsim::GetCell(19, Y)), CharOf(Screen.DrawScreen.Cells[Y * 80 + 19]))
            << Y;

    // Part of a write fails (the rows below an unread one), then the window
    // moves on: nothing of the frames before stays on the console.
    winsim::Reset();
    ResetConsole();
    Start(80, 25);
    OpenScreen("x");
    ReadScreenRows(0, 24);
    Screen.ScreenRows[12] = RowRefused;
    Window(19, 4);
    FlushScreen();
    winsim::FailCallAfter("WriteConsoleOutputA", 1, 2);  // the second part and its retry
    Window(20, 4);
    FlushScreen();
    Window(0, 4);
    FlushScreen();
    EXPECT_TRUE(InStep());
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 80));
}

TEST_F(ScreenSim, TextOnARowNoBoxTouchedReachesTheConsole) {
    Start(80, 25);
    OpenScreen("x");
    GotoXY(3, 2);
    WriteText("text");
    FlushScreen();
    EXPECT_EQ(winsim::ScreenRow(2).substr(3, 4), "text");
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 80));
}

TEST_F(ScreenSim, WhatCouldNotBeSavedIsNeitherChangedNorRestored) {
    struct Case {
        const char *Name;
        const char *Fails;
        int Times;
        bool AtClose;      // fails while closing, not while opening
        bool Opens;        // the screen opens
        bool TitleSet;     // the chart's title is shown while open
        bool ShapeSet;     // the block cursor is shown while open
    };
    const Case Cases[] = {
        {"title read fails once: tried again", "GetConsoleTitleA", 1, false, true, true, true},
        {"title cannot be read", "GetConsoleTitleA", 2, false, true, false, true},
        {"cursor cannot be read", "GetConsoleCursorInfo", 2, false, true, true, false},
        {"size read fails once: tried again", "GetConsoleScreenBufferInfo", 1, false, true, true,
         true},
        {"size cannot be read", "GetConsoleScreenBufferInfo", 2, false, false, false, false},
        {"title restore fails once", "SetConsoleTitleA", 1, true, true, true, true},
        {"cursor restore fails once", "SetConsoleCursorInfo", 1, true, true, true, true},
        {"place restore fails once", "SetConsoleCursorPosition", 1, true, true, true, true},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        winsim::Reset();
        ResetConsole();
        Start(80, 25);
        winsim::SetTitle("Far title");
        winsim::SetCursorInfo(25, TRUE);
        winsim::SetCursorPos(7, 9);
        if (!C.AtClose) winsim::FailCall(C.Fails, ERROR_ACCESS_DENIED, C.Times);
        EXPECT_EQ(OpenScreen("Chart"), C.Opens);
        EXPECT_EQ(winsim::Title(), C.TitleSet ? "Chart" : "Far title");
        if (!C.Opens) {
            EXPECT_EQ(Screen.DrawScreen.Cells, nullptr);
            EXPECT_EQ(winsim::CallCount("SetConsoleTitleA"), 0);
            continue;
        }
        Window(19, 4);
        FlushScreen();
        BlockCursor();
        CursorTo(2, 3);
        EXPECT_EQ(winsim::CursorInfo().dwSize, C.ShapeSet ? 99u : 25u);
        if (C.AtClose) winsim::FailCall(C.Fails, ERROR_ACCESS_DENIED, C.Times);
        CloseScreen();
        EXPECT_EQ(winsim::Title(), "Far title");
        EXPECT_EQ(winsim::CursorInfo().dwSize, 25u);
        EXPECT_EQ(winsim::CursorPos().X, 7);
        EXPECT_EQ(winsim::CursorPos().Y, 9);
        EXPECT_TRUE(SameCells(Before, winsim::Screen(), 80));
    }
}

TEST_F(ScreenSim, ScreenSizeChangedComparesWithThePreviousRecording) {
    Start(80, 25);
    struct Step {
        int W, H;
        bool Changed;
    };
    const Step Steps[] = {{80, 25, false}, {100, 30, true}, {100, 30, false},
                          {100, 31, true}, {99, 31, true},  {99, 31, false}};
    for (const Step &S : Steps) {
        SCOPED_TRACE(::testing::Message() << S.W << "x" << S.H);
        winsim::SetConsoleSize(S.W, S.H);
        OpenScreen("x");
        EXPECT_EQ(Screen.ScreenSizeChanged, S.Changed);
        EXPECT_EQ(Screen.ScreenWidth, S.W);
        EXPECT_EQ(Screen.ScreenHeight, S.H);
        EXPECT_EQ(Screen.DrawScreen.ByteSize, S.W * S.H * 4);
        CloseScreen();
    }
    // A resize between library start and the first opening counts too.
    ResetConsole();
    winsim::SetConsoleSize(80, 25);
    ConsoleStart();
    winsim::SetConsoleSize(120, 40);
    OpenScreen("x");
    EXPECT_TRUE(Screen.ScreenSizeChanged);
    CloseScreen();
}

TEST_F(ScreenSim, ReadsInBandsOfWholeRowsOfAtMost2500Cells) {
    struct Case {
        int W, H, MaxCells, Calls;
        const char *Why;
    };
    const Case Cases[] = {
        {80, 25, 2500, 1, "2000 cells: one read"},
        {200, 60, 2500, 5, "12 rows of 200"},
        {120, 9001, 0, 451, "20 rows of 120"},
        {2500, 3, 2500, 3, "exactly one row per band"},
        {3000, 2, 0, 2, "a row wider than a band is still read whole"},
        {1, 1, 2500, 1, ""},
        {200, 60, 1000, 5 + 60, "each refused band again row by row"},
        {1000, 4, 1500, 2 + 4, "a refused band of two rows too"},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(::testing::Message() << C.W << "x" << C.H << ", at most " << C.MaxCells
                                          << " cells: " << C.Why);
        winsim::Reset();
        ResetConsole();
        Start(C.W, C.H);
        winsim::SetMaxReadCells(C.MaxCells);
        OpenScreen("x");
        MarkCalls();
        ReadScreenRows(0, C.H - 1);
        EXPECT_EQ(Reads(), C.Calls);
        EXPECT_TRUE(SameCells(Before, Image(Screen.SavedScreen), C.W));
        for (int Y = 0; Y < C.H; Y++) ASSERT_FALSE(ScreenRowUnread(Y)) << "row " << Y;
        CloseScreen();
    }
}

TEST_F(ScreenSim, RowsAreReadWhenTheWindowFirstCoversThem) {
    Start(120, 9001);
    MarkCalls();
    OpenScreen("x");
    EXPECT_EQ(Reads(), 0) << "opening reads nothing";
    // The box and its shadow row: 17 rows of 120 in one band.
    DrawBox(39, 4492, 80, 4507, 3, 0x30, 0x3F, 0x4E, "T");
    FlushScreen();
    EXPECT_EQ(Reads(), 1);
    for (int Y = 4490; Y <= 4510; Y++)
        EXPECT_EQ(ScreenRowUnread(Y), Y < 4492 || Y > 4508) << "row " << Y;
    // One row down: one more row read; back up: nothing more.
    ResetDrawScreen();
    DrawBox(39, 4493, 80, 4508, 3, 0x30, 0x3F, 0x4E, "T");
    FlushScreen();
    EXPECT_EQ(Reads(), 2);
    ResetDrawScreen();
    DrawBox(39, 4492, 80, 4507, 3, 0x30, 0x3F, 0x4E, "T");
    FlushScreen();
    EXPECT_EQ(Reads(), 2);
    // The user's text on rows never read is left alone, also when closing.
    winsim::SetCell(0, 100, '!', 0x4F);
    CloseScreen();
    for (const winsim::WriteCall &C : NewWrites()) {
        EXPECT_GE(C.region.Top, 4492);
        EXPECT_LE(C.region.Bottom, 4509);
    }
    EXPECT_EQ(CharOf(winsim::GetCell(0, 100)), '!');
    Before[100 * 120] = winsim::GetCell(0, 100);
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 120));
}

TEST_F(ScreenSim, RowsTheConsoleDoesNotReturnAreNotOurs) {
    // The console shrinks to 15 rows while the screen is open: a read of rows
    // 4..20 returns rows 4..14 only, and rows 15..20 must not count as read.
    Start(80, 25);
    OpenScreen("x");
    winsim::SetConsoleSize(80, 15);
    DrawBox(19, 4, 60, 19, 3, 0x30, 0x3F, 0x4E, "T");
    for (int Y = 0; Y < 25; Y++) EXPECT_EQ(ScreenRowUnread(Y), Y < 4 || Y > 14) << "row " << Y;
    // Back to its old size, with the user's text on the rows not read.
    winsim::SetConsoleSize(80, 25);
    for (int Y = 15; Y <= 20; Y++) winsim::SetCell(30, Y, 'U', 0x2E);
    FlushScreen();
    CloseScreen();
    for (int Y = 15; Y <= 20; Y++) EXPECT_EQ(CharOf(winsim::GetCell(30, Y)), 'U') << "row " << Y;
}

TEST_F(ScreenSim, RowsThatCouldNotBeReadAreNeverWritten) {
    Start(200, 60);
    // The first band and each of its rows fail: rows 0..11 stay unread.
    OpenScreen("x");
    winsim::FailCall("ReadConsoleOutputA", ERROR_ACCESS_DENIED, 1 + 12);
    ReadScreenRows(0, 59);
    winsim::ClearFailures();
    for (int Y = 0; Y < 60; Y++) ASSERT_EQ(ScreenRowUnread(Y), Y < 12) << "row " << Y;

    // A window over rows 5..20: only rows 12..20 reach the console.
    MarkCalls();
    DrawBox(50, 5, 91, 20, 3, 0x30, 0x3F, 0x4E, "Title");
    FlushScreen();
    ASSERT_EQ(NewWrites().size(), 1u);
    EXPECT_EQ(NewWrites()[0].region.Top, 12);
    EXPECT_EQ(NewWrites()[0].region.Bottom, 21);
    for (int Y = 0; Y < 12; Y++)
        for (int X = 0; X < 200; X++)
            ASSERT_EQ(CharOf(winsim::GetCell(X, Y)), CharOf(Before[Y * 200 + X]))
                << "cell " << X << "," << Y;
    EXPECT_EQ(CharOf(winsim::GetCell(60, 15)), ' ');

    // Closing puts back what was read and leaves the rest as the user has it.
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 200));
}

TEST_F(ScreenSim, NothingReadNothingWritten) {
    Start(200, 60);
    winsim::SetMaxReadCells(100);  // narrower than one row: every read fails
    OpenScreen("x");
    MarkCalls();
    DrawBox(10, 4, 51, 19, 3, 0x30, 0x3F, 0x4E, "Title");
    FlushScreen();
    EXPECT_EQ(Writes(), 0);
    Pushed.clear();
    Screen.PushCellHook = RecordCell;
    PushScreen();
    EXPECT_TRUE(Pushed.empty()) << "the host keeps its own text there";
    CloseScreen();
    EXPECT_EQ(Writes(), 0);
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 200))
        << "no zeros restored over the user's text";
}

TEST_F(ScreenSim, UnreadRowsInTheMiddleSplitTheWrite) {
    Start(80, 25);
    OpenScreen("x");
    ReadScreenRows(0, 24);
    // As if the console had refused rows 8..9.
    Screen.ScreenRows[8] = Screen.ScreenRows[9] = RowRefused;
    for (int Y = 5; Y <= 12; Y++) DrawAt(20, Y).Char.AsciiChar = '#';
    DrawAt(70, 8).Char.AsciiChar = '#';  // unread: widens nothing
    MarkCalls();
    FlushScreen();
    const std::vector<winsim::WriteCall> Calls = NewWrites();
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(std::make_tuple(Calls[0].region.Top, Calls[0].region.Bottom),
              std::make_tuple(SHORT(5), SHORT(7)));
    EXPECT_EQ(std::make_tuple(Calls[1].region.Top, Calls[1].region.Bottom),
              std::make_tuple(SHORT(10), SHORT(12)));
    EXPECT_EQ(Calls[1].bufferCoord.Y, 10);
    EXPECT_EQ(Calls[1].region.Left, 20);
    EXPECT_EQ(Calls[0].region.Right, 20);
    EXPECT_EQ(Calls[1].region.Right, 20);
    EXPECT_EQ(CharOf(winsim::GetCell(20, 8)), CharOf(Before[8 * 80 + 20]));
    EXPECT_EQ(CharOf(winsim::GetCell(20, 10)), '#');
    // A change in an unread row alone is no change at all.
    DrawAt(30, 9).Char.AsciiChar = '#';
    COORD Coord;
    SMALL_RECT Region;
    EXPECT_FALSE(FindChanges(Coord, Region));
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 80));
}

TEST_F(ScreenSim, OneCellConsole) {
    Start(1, 1);
    OpenScreen("x");
    DrawBox(-20, -7, 21, 8, 3, 0x30, 0x3F, 0x4E, "Chart");
    GotoXY(0, 0);
    WriteText("abc");
    MarkCalls();
    FlushScreen();
    ASSERT_EQ(NewWrites().size(), 1u);
    const SMALL_RECT R = NewWrites()[0].region;
    EXPECT_EQ(std::make_tuple(R.Left, R.Top, R.Right, R.Bottom),
              std::make_tuple(SHORT(0), SHORT(0), SHORT(0), SHORT(0)));
    CursorTo(0, 0);
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 1));
}

TEST_F(ScreenSim, SmallConsoleWithTheWindowPastEveryEdge) {
    Start(30, 10);
    OpenScreen("x");
    for (int Frame = 0; Frame < 3; Frame++) {
        ResetDrawScreen();
        DrawBox(-6 + Frame * 10, -3 + Frame * 4, 35 + Frame * 10, 12 + Frame * 4, 3, 0x30, 0x3F,
                0x4E, "Chart");
        FlushScreen();
        for (const winsim::WriteCall &C : NewWrites()) {
            EXPECT_GE(C.region.Left, 0);
            EXPECT_GE(C.region.Top, 0);
            EXPECT_LE(C.region.Right, 29);
            EXPECT_LE(C.region.Bottom, 9);
        }
    }
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, winsim::Screen(), 30));
}

TEST_F(ScreenSim, CursorRoutinesAskOnlyWhatTheyDoNotKnowAndSetOnlyADifference) {
    Start(80, 25);
    OpenScreen("x");
    struct Case {
        const char *Name;
        DWORD Size;
        BOOL Visible;
        DWORD AskSize;
        BOOL AskVisible;
        int Sets;
    };
    const Case Cases[] = {
        {"same size, visible as 1 vs -1", 99, 1, 99, -1, 0},
        {"other size", 25, 1, 99, -1, 1},
        {"hidden to visible", 99, 0, 99, -1, 1},
        {"hidden stays hidden", 18, 0, 18, 0, 0},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        // Changed behind the library's back: it must ask again.
        winsim::SetCursorInfo(C.Size, C.Visible);
        ForgetCursor();
        MarkCalls();
        SetCursorShape(C.AskSize, C.AskVisible);
        EXPECT_EQ(winsim::CallCount("GetConsoleCursorInfo"), 1);
        EXPECT_EQ(winsim::CallCount("SetConsoleCursorInfo"), C.Sets);
        EXPECT_EQ(winsim::CursorInfo().dwSize, C.AskSize);
        EXPECT_EQ(winsim::CursorInfo().bVisible != 0, C.AskVisible != 0);
        // What it set or read it knows.
        SetCursorShape(C.AskSize, C.AskVisible);
        EXPECT_EQ(winsim::CallCount("GetConsoleCursorInfo"), 1);
        EXPECT_EQ(winsim::CallCount("SetConsoleCursorInfo"), C.Sets);
    }
    winsim::SetCursorPos(12, 8);
    ForgetCursor();
    MarkCalls();
    Screen.BoxX1 = 10;
    Screen.BoxY1 = 5;
    CursorTo(2, 3);
    EXPECT_EQ(winsim::CallCount("SetConsoleCursorPosition"), 0);
    MoveCursor(13, 8);
    MoveCursor(13, 8);
    EXPECT_EQ(winsim::CallCount("GetConsoleScreenBufferInfo"), 1);
    EXPECT_EQ(winsim::CallCount("SetConsoleCursorPosition"), 1);
    EXPECT_EQ(winsim::CursorPos().X, 13);
    // A set that failed leaves the place unknown, and the next move asks.
    winsim::FailCall("SetConsoleCursorPosition", ERROR_ACCESS_DENIED, 1);
    MoveCursor(14, 8);
    MoveCursor(14, 8);
    EXPECT_EQ(winsim::CallCount("GetConsoleScreenBufferInfo"), 2);
    EXPECT_EQ(winsim::CursorPos().X, 14);
}

TEST_F(ScreenSim, PushScreenHandsEveryCellToTheHook) {
    Start(6, 3);
    OpenScreen("x");
    ReadScreenRows(0, 2);
    PushScreen();  // no hook: nothing happens
    Pushed.clear();
    Screen.PushCellHook = RecordCell;
    DrawAt(1, 0).Char.AsciiChar = 0;
    DrawAt(1, 0).Attributes = 0x14E;
    DrawAt(5, 2).Char.AsciiChar = char(0xC9);
    PushScreen();
    ASSERT_EQ(Pushed.size(), 18u);
    for (size_t I = 0; I < Pushed.size(); I++) {
        EXPECT_EQ(Pushed[I].X, int(I % 6));
        EXPECT_EQ(Pushed[I].Y, int(I / 6));
        EXPECT_EQ(Pushed[I].Str.size(), 1u);
    }
    EXPECT_EQ(Pushed[1].Str, " ") << "a zero character goes as a space";
    EXPECT_EQ(Pushed[1].Color, 0x4E);
    EXPECT_EQ(Pushed[17].Str, "\xC9");
    EXPECT_EQ(Pushed[0].Color, Before[0].Attributes & 0xFF);
    EXPECT_EQ(Pushed[0].Str, std::string(1, Before[0].Char.AsciiChar));

    // Rows that could not be read are the host's own: they are not pushed.
    Screen.ScreenRows[1] = RowRefused;
    Pushed.clear();
    PushScreen();
    ASSERT_EQ(Pushed.size(), 12u);
    for (const PushedCell &C : Pushed) EXPECT_NE(C.Y, 1);
    CloseScreen();
}

TEST_F(ScreenSim, AfterAHostDialogTheNextFlushRewritesEveryRowOfOurs) {
    Start(80, 25);
    OpenScreen("x");
    Pushed.clear();
    Screen.PushCellHook = RecordCell;
    DrawBox(10, 4, 51, 19, 3, 0x30, 0x3F, 0x4E, "T");  // reads rows 4..20
    FlushScreen();
    // The host's dialog could not be taken down: its cells stay on the console.
    for (int Y = 0; Y < 25; Y++) winsim::SetCell(60, Y, '#', 0x4F);
    ResyncScreen();
    EXPECT_EQ(CharOf(Screen.DrawScreen.Cells[5 * 80 + 13]), CharOf(Before[5 * 80 + 13]))
        << "window gone";
    EXPECT_EQ(Pushed.size(), 17u * 80) << "rows not read are the host's own";
    MarkCalls();
    DrawBox(10, 4, 51, 19, 3, 0x30, 0x3F, 0x4E, "T");
    FlushScreen();
    ASSERT_EQ(NewWrites().size(), 1u);
    const SMALL_RECT R = NewWrites()[0].region;
    EXPECT_EQ(std::make_tuple(R.Left, R.Top, R.Right, R.Bottom),
              std::make_tuple(SHORT(0), SHORT(4), SHORT(79), SHORT(20)));
    EXPECT_EQ(CharOf(winsim::GetCell(60, 10)), CharOf(Before[10 * 80 + 60]));
    // Then frames are as ever: nothing new, nothing written.
    MarkCalls();
    ResetDrawScreen();
    DrawBox(10, 4, 51, 19, 3, 0x30, 0x3F, 0x4E, "T");
    FlushScreen();
    EXPECT_EQ(Writes(), 0);
    CloseScreen();
    for (int Y = 0; Y < 25; Y++) {
        const bool Ours = Y >= 4 && Y <= 20;
        EXPECT_EQ(CharOf(winsim::GetCell(60, Y)), Ours ? CharOf(Before[Y * 80 + 60]) : '#') << Y;
    }
}

TEST_F(ScreenSim, OpeningSavesAndClosingRestoresInOrder) {
    winsim::SetTitle("Far title");
    winsim::SetCursorInfo(100, TRUE);
    winsim::SetCursorPos(7, 9);
    winsim::SetOutputCP(866);
    Start(80, 25);
    winsim::SetTitle("Far title");
    OpenScreen("Chart - Far");
    EXPECT_EQ(Screen.SavedTitle, "Far title");
    EXPECT_EQ(Screen.SavedCursorInfo.dwSize, 99u);
    EXPECT_EQ(Screen.SavedCursorPos.X, 7);
    EXPECT_EQ(Screen.SavedCursorPos.Y, 9);
    EXPECT_EQ(Screen.OutputCodePage, 866u);
    EXPECT_EQ(winsim::Title(), "Chart - Far");
    winsim::SetCursorInfo(18, FALSE);
    winsim::SetCursorPos(1, 1);
    CloseScreen();
    EXPECT_EQ(winsim::Title(), "Far title");
    EXPECT_EQ(winsim::CursorInfo().dwSize, 99u);
    EXPECT_NE(winsim::CursorInfo().bVisible, 0);
    EXPECT_EQ(winsim::CursorPos().X, 7);
    EXPECT_EQ(winsim::CursorPos().Y, 9);
}

TEST_F(ScreenSim, TitleIsConvertedToAnsiOnlyOffNT) {
    const std::string Oem = "Caf\x82 - Far";  // 0x82 is e-acute in code page 437
    std::string Ansi(Oem.size(), '\0');
    OemToCharBuffA(Oem.data(), &Ansi[0], DWORD(Oem.size()));
    ASSERT_NE(Ansi, Oem);

    Start(80, 25);
    EXPECT_FALSE(Screen.NotNT);
    OpenScreen(Oem);
    EXPECT_EQ(winsim::Title(), Oem);
    CloseScreen();

    ResetConsole();
    winsim::SetPlatformNT(false);
    ConsoleStart();
    EXPECT_TRUE(Screen.NotNT);
    EXPECT_FALSE(IsNT());
    OpenScreen(Oem);
    EXPECT_EQ(winsim::Title(), Ansi);
    EXPECT_EQ(OemToAnsiText(Oem), Ansi);
    EXPECT_EQ(OemToAnsiText(""), "");
    CloseScreen();
}

TEST_F(ScreenSim, StartNestsAndResetGoesBackToLoadTime) {
    Start(80, 25);
    EXPECT_EQ(winsim::CallCount("CreateFileA"), 2);
    ConsoleStart();
    EXPECT_EQ(winsim::CallCount("CreateFileA"), 2) << "a nested start does nothing";
    ConsoleEnd();
    EXPECT_EQ(winsim::CallCount("CloseHandle"), 0) << "until the matching end";
    ConsoleEnd();
    EXPECT_EQ(winsim::CallCount("CloseHandle"), 2);
    ConsoleEnd();
    EXPECT_EQ(winsim::CallCount("CloseHandle"), 2);

    ConsoleStart();
    OpenScreen("x");
    Screen.PushCellHook = RecordCell;
    DrawBox(1, 1, 10, 10, 0, 1, 2, 3, "t");
    Input.CtrlDown = Input.AltDown = Input.ShiftDown = Input.PeekHeld = Input.MouseButton =
        Input.MouseCtrl = true;
    Input.MouseX = Input.MouseY = 3;
    Input.MouseFlags = 2;
    ResetConsole();
    EXPECT_EQ(Screen.InputHandle, nullptr);
    EXPECT_EQ(Screen.OutputHandle, nullptr);
    EXPECT_EQ(Screen.DrawScreen.Cells, nullptr);
    EXPECT_EQ(Screen.DrawScreen.ByteSize, 0);
    EXPECT_EQ(Screen.ScreenWidth, 0);
    EXPECT_EQ(Screen.ScreenHeight, 0);
    EXPECT_EQ(Screen.PushCellHook, nullptr);
    EXPECT_EQ(Screen.BoxX1 | Screen.BoxY1 | Screen.BoxX2 | Screen.BoxY2 | Screen.WriteX |
                  Screen.WriteY | Screen.TextAttr,
              0);
    EXPECT_FALSE(Input.CtrlDown || Input.AltDown || Input.ShiftDown || Input.PeekHeld ||
                 Input.MouseButton || Input.MouseCtrl);
    EXPECT_EQ(Input.MouseX | Input.MouseY | int(Input.MouseFlags), 0);
    EXPECT_EQ(Screen.SavedTitle, "");
    EXPECT_TRUE(Screen.ScreenRows.empty());
    ConsoleStart();
    EXPECT_EQ(winsim::CallCount("CreateFileA"), 6) << "a reset library starts afresh";
}

}  // namespace
