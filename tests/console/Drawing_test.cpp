// Text output and framed boxes, on screens held in memory only.
#include "ConsoleTestUtil.h"

namespace {

class Drawing : public ::testing::Test {
protected:
    void SetUp() override { ResetConsole(); }
    void TearDown() override { ResetConsole(); }

    // The expected image: the pattern, with cells set as the test says.
    std::vector<CHAR_INFO> Pattern() {
        std::vector<CHAR_INFO> Cells;
        for (int Y = 0; Y < Screen.ScreenHeight; Y++)
            for (int X = 0; X < Screen.ScreenWidth; X++) Cells.push_back(PatternCell(X, Y));
        return Cells;
    }
    void Put(std::vector<CHAR_INFO> &Cells, int X, int Y, unsigned char Ch, WORD Attr) {
        Cells[Y * Screen.ScreenWidth + X].Char.AsciiChar = char(Ch);
        Cells[Y * Screen.ScreenWidth + X].Attributes = Attr;
    }
    void Darken(std::vector<CHAR_INFO> &Cells, int X, int Y) {
        Cells[Y * Screen.ScreenWidth + X].Attributes &= 7;
    }
    std::string Row(int Y) {
        std::string S;
        for (int X = 0; X < Screen.ScreenWidth; X++) S += char(CharOf(DrawAt(X, Y)));
        return S;
    }
};

TEST_F(Drawing, WriteTextIsClippedOnAllFourSides) {
    struct Case {
        const char *Name;
        int X, Y;
        std::string Text;
        int FirstColumn;       // where the first visible character lands
        std::string Visible;   // the characters that land on the screen
        int WantWriteX;
    };
    // A 10 x 4 screen.
    const Case Cases[] = {
        {"inside", 2, 1, "abc", 2, "abc", 5},
        {"right edge: WriteX = width - 2", 8, 1, "abc", 8, "ab", 10},
        {"wholly right of the screen", 12, 1, "abc", 0, "", 12},
        {"left edge", -2, 2, "abcd", 0, "cd", 2},
        {"wholly left of the screen", -10, 2, "abc", 0, "", -7},
        {"both edges", -1, 0, "0123456789AB", 0, "123456789A", 10},
        {"above the screen", 1, -1, "abc", 0, "", 1},
        {"bottom row", 0, 3, "xyz", 0, "xyz", 3},
        {"below the screen: WriteY = height", 0, 4, "abc", 0, "", 0},
        {"empty text", 3, 1, "", 0, "", 3},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        UseMemoryScreen(10, 4);
        SetTextAttr(0x1E);
        GotoXY(C.X, C.Y);
        WriteText(C.Text);
        std::vector<CHAR_INFO> Want = Pattern();
        for (size_t I = 0; I < C.Visible.size(); I++)
            Put(Want, C.FirstColumn + int(I), C.Y, C.Visible[I], 0x1E);
        EXPECT_TRUE(SameCells(Want, Image(Screen.DrawScreen), Screen.ScreenWidth));
        EXPECT_EQ(Screen.WriteX, C.WantWriteX);
        EXPECT_EQ(Screen.WriteY, C.Y) << "text never wraps";
    }
}

TEST_F(Drawing, ConsecutiveWritesContinueAndPositionsAreRelativeToTheBox) {
    UseMemoryScreen(80, 25);
    Screen.BoxX1 = 10;
    Screen.BoxY1 = 5;
    GotoXY(0, 0);
    EXPECT_EQ(Screen.WriteX, 10);
    EXPECT_EQ(Screen.WriteY, 5);
    SetTextAttr(0x2F);
    WriteText("ab");
    WriteText("cd");
    EXPECT_EQ(Row(5).substr(10, 4), "abcd");
    EXPECT_EQ(DrawAt(13, 5).Attributes, 0x2F);
    EXPECT_EQ(Screen.WriteX, 14);
    GotoXY(-3, 2);
    EXPECT_EQ(Screen.WriteX, 7);
    EXPECT_EQ(Screen.WriteY, 7);
    // Only the character byte is written; the high byte of the field stays.
    UseMemoryScreen(4, 1);
    Screen.SavedScreen.Cells[1].Char.UnicodeChar = 0x1241;
    Screen.DrawScreen.Cells[1].Char.UnicodeChar = 0x1241;
    Screen.BoxX1 = Screen.BoxY1 = 0;
    GotoXY(1, 0);
    WriteText("Z");
    EXPECT_EQ(Screen.DrawScreen.Cells[1].Char.UnicodeChar, 0x125A);
}

TEST_F(Drawing, ChartWindowWorkedExample) {
    UseMemoryScreen(80, 25);
    const WORD Fill = 0x30, Frame = 0x3F, Title = 0x4E;
    DrawBox(10, 4, 51, 19, 3, Fill, Frame, Title, "0123456789");

    std::vector<CHAR_INFO> Want = Pattern();
    for (int Y = 20; Y <= 20; Y++)
        for (int X = 12; X <= 53; X++) Darken(Want, X, Y);
    for (int Y = 5; Y <= 19; Y++)
        for (int X = 52; X <= 53; X++) Darken(Want, X, Y);
    for (int Y = 4; Y <= 19; Y++)
        for (int X = 10; X <= 51; X++) Put(Want, X, Y, ' ', Fill);
    Put(Want, 13, 5, 0xC9, Frame);
    Put(Want, 48, 5, 0xBB, Frame);
    Put(Want, 13, 18, 0xC8, Frame);
    Put(Want, 48, 18, 0xBC, Frame);
    for (int X = 14; X <= 47; X++) {
        Put(Want, X, 5, 0xCD, Frame);
        Put(Want, X, 18, 0xCD, Frame);
    }
    for (int Y = 6; Y <= 17; Y++) {
        Put(Want, 13, Y, 0xBA, Frame);
        Put(Want, 48, Y, 0xBA, Frame);
    }
    const std::string Block = " 0123456789 ";
    for (int I = 0; I < 12; I++) Put(Want, 25 + I, 5, Block[I], Title);

    EXPECT_TRUE(SameCells(Want, Image(Screen.DrawScreen), 80));
    EXPECT_EQ(Screen.BoxX1, 13);
    EXPECT_EQ(Screen.BoxY1, 5);
    EXPECT_EQ(Screen.BoxX2, 48);
    EXPECT_EQ(Screen.BoxY2, 18);
    EXPECT_EQ(Screen.TextAttr, Title);
    EXPECT_TRUE(SameCells(Pattern(), Image(Screen.SavedScreen), 80))
        << "SavedScreen is never drawn into";
}

TEST_F(Drawing, TitleIsCentredWithTheExtraColumnToTheRight) {
    struct Case {
        std::string Title;
        int Start;  // column of the block's leading space, relative to the frame
    };
    // W = 35: frame columns 0..35.
    const Case Cases[] = {{"123456789", 12}, {"0123456789", 12}, {"x", 16}, {"xy", 16}};
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Title);
        UseMemoryScreen(80, 25);
        DrawBox(10, 4, 51, 19, 3, 0x30, 0x3F, 0x4E, C.Title);
        const std::string Top = Row(5).substr(13, 36);
        EXPECT_EQ(Top.substr(size_t(C.Start), C.Title.size() + 2), " " + C.Title + " ");
        EXPECT_EQ(Top[size_t(C.Start - 1)], char(0xCD));
        EXPECT_EQ(Top[C.Start + C.Title.size() + 2], char(0xCD));
    }
}

TEST_F(Drawing, SingleFrameWithoutInsetAndEmptyTitle) {
    UseMemoryScreen(20, 8);
    DrawBox(2, 1, 7, 4, 0, 0x07, 0x1F, 0x4E, "");
    EXPECT_EQ(Row(1).substr(2, 6), "\xDA\xC4\xC4\xC4\xC4\xBF");
    EXPECT_EQ(Row(2).substr(2, 6), "\xB3    \xB3");
    EXPECT_EQ(Row(3).substr(2, 6), "\xB3    \xB3");
    EXPECT_EQ(Row(4).substr(2, 6), "\xC0\xC4\xC4\xC4\xC4\xD9");
    EXPECT_EQ(Screen.TextAttr, 0x1F) << "no title: the frame attribute stays";
    EXPECT_EQ(Screen.BoxX1, 2);
    EXPECT_EQ(Screen.BoxY1, 1);
    EXPECT_EQ(Screen.BoxX2, 7);
    EXPECT_EQ(Screen.BoxY2, 4);
}

TEST_F(Drawing, FramesOfHeightOneAndWidthOne) {
    UseMemoryScreen(20, 8);
    DrawBox(1, 1, 6, 2, 0, 0x07, 0x1F, 0x4E, "");  // H = 1
    EXPECT_EQ(Row(1).substr(1, 6), "\xDA\xC4\xC4\xC4\xC4\xBF");
    EXPECT_EQ(Row(2).substr(1, 6), "\xC0\xC4\xC4\xC4\xC4\xD9");

    UseMemoryScreen(20, 8);
    DrawBox(1, 1, 2, 4, 0, 0x07, 0x1F, 0x4E, "");  // W = 1
    EXPECT_EQ(Row(1).substr(1, 2), "\xDA\xBF");
    EXPECT_EQ(Row(2).substr(1, 2), "\xB3\xB3");
    EXPECT_EQ(Row(3).substr(1, 2), "\xB3\xB3");
    EXPECT_EQ(Row(4).substr(1, 2), "\xC0\xD9");
    EXPECT_EQ(Row(1).substr(3, 1), std::string(1, char(CharOf(PatternCell(3, 1)))))
        << "nothing right of the corner";

    UseMemoryScreen(20, 8);
    DrawBox(4, 3, 9, 6, 2, 0x07, 0x1F, 0x4E, "");  // inset 2: a double frame, W = 1, H = 1
    EXPECT_EQ(Screen.BoxX1, 6);
    EXPECT_EQ(Screen.BoxX2, 7);
    EXPECT_EQ(Row(4).substr(4, 6), "  \xC9\xBB  ");
    EXPECT_EQ(Row(5).substr(4, 6), "  \xC8\xBC  ");
}

TEST_F(Drawing, ShadowStopsAtTheRightAndBottomEdges) {
    UseMemoryScreen(10, 4);
    DrawBox(6, 0, 9, 1, 0, 0x77, 0x7F, 0x7F, "");
    std::vector<CHAR_INFO> Got = Image(Screen.DrawScreen);
    // The box touches the right edge: only row 2, columns 8..9 stay darkened.
    for (int Y = 0; Y < 4; Y++)
        for (int X = 0; X < 10; X++) {
            if (X >= 6 && Y <= 1) continue;  // the box itself
            SCOPED_TRACE(::testing::Message() << "cell " << X << "," << Y);
            const bool Shadow = Y == 2 && X >= 8;
            const WORD Want = Shadow ? WORD(PatternCell(X, Y).Attributes & 7)
                                     : PatternCell(X, Y).Attributes;
            EXPECT_EQ(Got[Y * 10 + X].Attributes, Want);
            EXPECT_EQ(CharOf(Got[Y * 10 + X]), CharOf(PatternCell(X, Y)));
        }

    UseMemoryScreen(10, 4);
    DrawBox(0, 2, 3, 3, 0, 0x77, 0x7F, 0x7F, "");  // bottom row is the last row
    for (int Y = 0; Y < 4; Y++)
        for (int X = 0; X < 10; X++) {
            if (X <= 3 && Y >= 2) continue;
            SCOPED_TRACE(::testing::Message() << "cell " << X << "," << Y);
            const bool Shadow = Y == 3 && (X == 4 || X == 5);
            const WORD Want = Shadow ? WORD(PatternCell(X, Y).Attributes & 7)
                                     : PatternCell(X, Y).Attributes;
            EXPECT_EQ(DrawAt(X, Y).Attributes, Want);
        }
}

TEST_F(Drawing, BoxesReachingLeftOrAboveTheScreenAreClipped) {
    // The chart window centred on a screen smaller than itself.
    UseMemoryScreen(10, 4);
    DrawBox(-5, -3, 5, 3, 3, 0x30, 0x3F, 0x4E, "Title");
    // Frame from (-2,-2) to (2,2): its bottom-right corner is on the screen.
    EXPECT_EQ(CharOf(DrawAt(2, 2)), 0xBC);
    EXPECT_EQ(CharOf(DrawAt(2, 0)), 0xBA);
    EXPECT_EQ(CharOf(DrawAt(2, 1)), 0xBA);
    EXPECT_EQ(CharOf(DrawAt(0, 2)), 0xCD);
    EXPECT_EQ(CharOf(DrawAt(1, 2)), 0xCD);
    for (int X = 3; X <= 5; X++) {
        EXPECT_EQ(CharOf(DrawAt(X, 0)), ' ');
        EXPECT_EQ(DrawAt(X, 3).Attributes, 0x30);
    }
    for (int Y = 0; Y < 4; Y++) {
        EXPECT_EQ(DrawAt(6, Y).Attributes, PatternCell(6, Y).Attributes & 7) << "row " << Y;
        EXPECT_EQ(DrawAt(7, Y).Attributes, PatternCell(7, Y).Attributes & 7) << "row " << Y;
        EXPECT_EQ(DrawAt(8, Y).Attributes, PatternCell(8, Y).Attributes) << "row " << Y;
    }

    // Far off every edge, and a one-cell screen: nothing outside the image is touched
    // (the sanitizers watch the memory).
    const int Boxes[][4] = {{-60, -30, -40, -20}, {30, 20, 60, 40}, {-50, -50, 50, 50},
                            {0, 0, 0, 0}, {-1, -1, 0, 0}};
    for (const auto &B : Boxes) {
        SCOPED_TRACE(::testing::Message() << B[0] << "," << B[1] << "-" << B[2] << "," << B[3]);
        UseMemoryScreen(1, 1);
        DrawBox(B[0], B[1], B[2], B[3], 3, 0x30, 0x3F, 0x4E, "A long title");
        DrawBox(B[0], B[1], B[2], B[3], 0, 0x30, 0x3F, 0x4E, "");
        GotoXY(-1, 0);
        WriteText("xyz");
        EXPECT_EQ(Screen.DrawScreen.ByteSize, 4);
    }
    UseMemoryScreen(1, 1);
    DrawBox(-20, -7, 21, 8, 3, 0x30, 0x3F, 0x4E, "Chart");
    EXPECT_EQ(CharOf(DrawAt(0, 0)), ' ') << "the middle of the window's fill";
}

TEST_F(Drawing, SmallHelpers) {
    EXPECT_EQ(RepeatChar('x', 3), "xxx");
    EXPECT_EQ(RepeatChar('x', 0), "");
    EXPECT_EQ(RepeatChar('x', -3), "");
    EXPECT_EQ(MinInt(-2, 5), -2);
    EXPECT_EQ(MaxInt(-2, 5), 5);
    const COORD C = PackCoord(70000 + 3, -2);
    EXPECT_EQ(C.X, 4467);
    EXPECT_EQ(C.Y, -2);
    const SMALL_RECT R = MakeRect(1, 2, 3, 4);
    EXPECT_EQ(R.Left, 1);
    EXPECT_EQ(R.Top, 2);
    EXPECT_EQ(R.Right, 3);
    EXPECT_EQ(R.Bottom, 4);
    ASSERT_EQ(sizeof(FrameChars), 12u);
    EXPECT_EQ(std::string(FrameChars, FrameChars + 12),
              "\xDA\xBF\xC4\xB3\xC0\xD9\xC9\xBB\xCD\xBA\xC8\xBC");
}

}  // namespace
