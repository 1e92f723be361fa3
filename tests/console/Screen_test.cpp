// Taking over the console and giving it back, on whatever console the suite
// runs in (the substitute natively; real consoles of several sizes under Wine).
#include "ConsoleTestUtil.h"

#include <cstring>

namespace {

class ScreenTakeover : public ConsoleTest {
protected:
    int W = 0, H = 0;
    std::vector<CHAR_INFO> Before;

    // Fills the console with a pattern, sets a title, a full-cell cursor and
    // its position, and keeps what the console then holds.
    void PrepareConsole() {
        CONSOLE_SCREEN_BUFFER_INFO Info = {};
        ASSERT_TRUE(GetConsoleScreenBufferInfo(Screen.OutputHandle, &Info));
        W = Info.dwSize.X;
        H = Info.dwSize.Y;
        std::vector<CHAR_INFO> Cells(size_t(W) * H);
        for (int Y = 0; Y < H; Y++)
            for (int X = 0; X < W; X++) {
                CHAR_INFO &C = Cells[size_t(Y) * W + X];
                C.Char.AsciiChar = char(33 + (X * 3 + Y * 5) % 90);
                C.Attributes = WORD(1 + (X + Y * 7) % 0x7F);
            }
        WriteWholeConsole(Screen.OutputHandle, Cells, W, H);
        SetConsoleTitleA("Round trip");
        CONSOLE_CURSOR_INFO Cursor = {100, TRUE};
        SetConsoleCursorInfo(Screen.OutputHandle, &Cursor);
        COORD Pos = {SHORT(W / 2), SHORT(H / 3)};
        SetConsoleCursorPosition(Screen.OutputHandle, Pos);
        Before = ReadWholeConsole(Screen.OutputHandle);
        ASSERT_TRUE(SameCells(Cells, Before, W)) << "the console took the pattern";
    }

    std::string ConsoleTitle() {
        char Buf[401] = {};
        GetConsoleTitleA(Buf, sizeof Buf);
        return Buf;
    }

    CHAR_INFO ConsoleCell(int X, int Y) {
        CHAR_INFO C = {};
        SMALL_RECT R = {SHORT(X), SHORT(Y), SHORT(X), SHORT(Y)};
        COORD Size = {1, 1}, Origin = {0, 0};
        ReadConsoleOutputA(Screen.OutputHandle, &C, Size, Origin, &R);
        return C;
    }
};

TEST_F(ScreenTakeover, OpenDrawCloseGivesTheConsoleBackExactly) {
    PrepareConsole();
    OpenScreen("Chart - Far");
    EXPECT_EQ(ConsoleTitle(), "Chart - Far");
    EXPECT_FALSE(Screen.ScreenSizeChanged) << "same size as at library start";
    EXPECT_EQ(Screen.ScreenWidth, W);
    EXPECT_EQ(Screen.ScreenHeight, H);

    // A frame as the chart draws it, centred: its rows are read as it is drawn.
    const int X1 = (W - 42) / 2, Y1 = (H - 16) / 2;
    ResetDrawScreen();
    DrawBox(X1, Y1, X1 + 41, Y1 + 15, 3, 0x30, 0x3F, 0x4E, "Title");
    SetTextAttr(0x30);
    GotoXY(2, 2);
    WriteText("Hello");
    FlushScreen();
    ReadScreenRows(0, H - 1);  // and the rest now
    EXPECT_TRUE(SameCells(Image(Screen.DrawScreen), ReadWholeConsole(Screen.OutputHandle), W))
        << "the console shows the frame";
    ResetDrawScreen();
    EXPECT_TRUE(SameCells(Before, Image(Screen.SavedScreen), W));
    EXPECT_TRUE(SameCells(Before, Image(Screen.DrawScreen), W));
    DrawBox(X1, Y1, X1 + 41, Y1 + 15, 3, 0x30, 0x3F, 0x4E, "Title");
    FlushScreen();
    if (X1 + 3 >= 0 && Y1 + 1 >= 0) {
        EXPECT_EQ(CharOf(ConsoleCell(X1 + 3, Y1 + 1)), 0xC9);
    }
    BlockCursor();
    CursorTo(4, 2);
    CONSOLE_CURSOR_INFO Cursor = {};
    GetConsoleCursorInfo(Screen.OutputHandle, &Cursor);
    EXPECT_EQ(Cursor.dwSize, 99u);

    CloseScreen();
    EXPECT_TRUE(SameCells(Before, ReadWholeConsole(Screen.OutputHandle), W));
    EXPECT_EQ(ConsoleTitle(), "Round trip");
    GetConsoleCursorInfo(Screen.OutputHandle, &Cursor);
    EXPECT_EQ(Cursor.dwSize, 99u) << "a full-cell cursor comes back as 99";
    EXPECT_NE(Cursor.bVisible, 0);
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    GetConsoleScreenBufferInfo(Screen.OutputHandle, &Info);
    EXPECT_EQ(Info.dwCursorPosition.X, W / 2);
    EXPECT_EQ(Info.dwCursorPosition.Y, H / 3);
    EXPECT_EQ(Screen.DrawScreen.Cells, nullptr);
    EXPECT_EQ(Screen.ShownScreen.Cells, nullptr);
    EXPECT_EQ(Screen.SavedScreen.Cells, nullptr);
}

TEST_F(ScreenTakeover, SecondOpeningSeesTheSameSizeAndAnUntouchedConsole) {
    PrepareConsole();
    OpenScreen("One");
    CloseScreen();
    OpenScreen("Two");
    EXPECT_FALSE(Screen.ScreenSizeChanged);
    EXPECT_EQ(ConsoleTitle(), "Two");
    ReadScreenRows(0, H - 1);
    EXPECT_TRUE(SameCells(Before, Image(Screen.SavedScreen), W));
    CloseScreen();
    EXPECT_EQ(ConsoleTitle(), "Round trip");
}

TEST_F(ScreenTakeover, ATitleLongerThan400CharactersComesBackWhole) {
    PrepareConsole();
    std::string Long;
    for (int I = 0; Long.size() < 600; I++) Long += "Far " + std::to_string(I) + " ";
    SetConsoleTitleA(Long.c_str());
    OpenScreen("Chart - Far");
    EXPECT_EQ(ConsoleTitle(), "Chart - Far");
    CloseScreen();
    char Buf[1024] = {};
    EXPECT_EQ(GetConsoleTitleA(Buf, sizeof Buf), Long.size());
    EXPECT_EQ(std::string(Buf), Long);
}

TEST_F(ScreenTakeover, UnchangedFrameAndFlushAfterChangesLeaveTheConsoleAsDrawn) {
    PrepareConsole();
    OpenScreen("x");
    FlushScreen();
    EXPECT_TRUE(SameCells(Before, ReadWholeConsole(Screen.OutputHandle), W));
    // Attribute-only change of one cell reaches the console.
    DrawAt(0, 0).Attributes = WORD(Before[0].Attributes ^ 0x70);
    FlushScreen();
    EXPECT_EQ(ConsoleCell(0, 0).Attributes, Before[0].Attributes ^ 0x70);
    EXPECT_EQ(CharOf(ConsoleCell(0, 0)), CharOf(Before[0]));
    CloseScreen();
    EXPECT_TRUE(SameCells(Before, ReadWholeConsole(Screen.OutputHandle), W));
}

TEST_F(ScreenTakeover, CursorRoutinesSetWhatTheyAreAsked) {
    PrepareConsole();
    OpenScreen("x");
    LineCursor();
    CONSOLE_CURSOR_INFO Cursor = {};
    GetConsoleCursorInfo(Screen.OutputHandle, &Cursor);
    EXPECT_EQ(Cursor.dwSize, 18u);
    EXPECT_NE(Cursor.bVisible, 0);
    SetCursorShape(40, FALSE);
    GetConsoleCursorInfo(Screen.OutputHandle, &Cursor);
    EXPECT_EQ(Cursor.dwSize, 40u);
    EXPECT_EQ(Cursor.bVisible, 0);
    Screen.BoxX1 = 1;
    Screen.BoxY1 = 1;
    CursorTo(2, 0);
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    GetConsoleScreenBufferInfo(Screen.OutputHandle, &Info);
    EXPECT_EQ(Info.dwCursorPosition.X, 3);
    EXPECT_EQ(Info.dwCursorPosition.Y, 1);
    CloseScreen();
    GetConsoleCursorInfo(Screen.OutputHandle, &Cursor);
    EXPECT_EQ(Cursor.dwSize, 99u);
    EXPECT_NE(Cursor.bVisible, 0);
}

}  // namespace
