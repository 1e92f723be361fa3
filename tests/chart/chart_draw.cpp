// Drawing of the chart window into the drawing image, cell by cell. The
// images are set up in memory, so these run the same on every platform.
#include "ChartFixture.h"

#include <vector>

namespace {

constexpr char SavedChar = '.';
constexpr WORD SavedAttr = 0x9A;  // shadow darkens it to 0x02

class ChartDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ResetChartUnits();
        SetUpChartState();
    }
    void TearDown() override {
        FreeBuffer(Screen.DrawScreen);
        FreeBuffer(Screen.ShownScreen);
        FreeBuffer(Screen.SavedScreen);
    }

    // A screen of the given size filled with a recognisable background, as
    // OpenScreen leaves it, without touching a console.
    void MakeScreen(int Width, int Height, bool Resized = false) {
        Screen.ScreenWidth = Width;
        Screen.ScreenHeight = Height;
        Screen.ScreenSizeChanged = Resized;
        NewBuffer(Screen.DrawScreen);
        NewBuffer(Screen.ShownScreen);
        NewBuffer(Screen.SavedScreen);
        for (int i = 0; i < Width * Height; i++) {
            Screen.SavedScreen.Cells[i].Char.AsciiChar = SavedChar;
            Screen.SavedScreen.Cells[i].Attributes = SavedAttr;
        }
        ResetDrawScreen();
    }

    // Cell at box column/row, relative to the window's top-left corner.
    const CHAR_INFO &Box(int Col, int Row) const {
        return Screen.DrawScreen
            .Cells[(Chart.ChartY + Row) * Screen.ScreenWidth + Chart.ChartX + Col];
    }
    unsigned char Ch(int Col, int Row) const {
        return static_cast<unsigned char>(Box(Col, Row).Char.AsciiChar);
    }
    WORD Attr(int Col, int Row) const { return Box(Col, Row).Attributes; }

    std::string BoxText(int Col, int Row, int Len) const {
        std::string S;
        for (int i = 0; i < Len; i++) S += char(Ch(Col + i, Row));
        return S;
    }
};

TEST_F(ChartDraw, CentresOnFirstOpeningWithTruncationTowardZero) {
    struct Row {
        int W, H, X, Y;
    } Rows[] = {
        {80, 25, 19, 4}, {120, 50, 39, 16}, {41, 25, 0, 4}, {40, 25, -1, 4}, {1, 1, -20, -8}};
    for (const Row &R : Rows) {
        SCOPED_TRACE(testing::Message() << R.W << "x" << R.H);
        Chart.CentrePending = true;
        Screen.ScreenWidth = R.W;
        Screen.ScreenHeight = R.H;
        Screen.ScreenSizeChanged = false;
        CentreChart(Chart);
        EXPECT_EQ(Chart.ChartX, R.X);
        EXPECT_EQ(Chart.ChartY, R.Y);
    }
}

TEST_F(ChartDraw, KeepsPlaceUntilTheConsoleIsResized) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    Chart.ChartX = 3;
    Chart.ChartY = 2;
    CentreChart(Chart);  // same size: the moved window stays
    EXPECT_EQ(Chart.ChartX, 3);
    EXPECT_EQ(Chart.ChartY, 2);
    Screen.ScreenSizeChanged = true;
    CentreChart(Chart);
    EXPECT_EQ(Chart.ChartX, 19);
    EXPECT_EQ(Chart.ChartY, 4);
}

TEST_F(ChartDraw, FrameTitleSeparatorsAndMarginsAt80x25) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    ASSERT_EQ(Chart.ChartX, 19);
    ASSERT_EQ(Chart.ChartY, 4);
    DrawTestChart(65, "");

    // Blank rows 0 and 15 and the side margins, in TextColor.
    for (int Col = 0; Col < 42; Col++) {
        SCOPED_TRACE(Col);
        EXPECT_EQ(Ch(Col, 0), ' ');
        EXPECT_EQ(Attr(Col, 0), TestTextColor);
        EXPECT_EQ(Ch(Col, 15), ' ');
        EXPECT_EQ(Attr(Col, 15), TestTextColor);
    }
    for (int Row = 1; Row <= 14; Row++) {
        for (int Col : {0, 1, 2, 39, 40, 41}) {
            SCOPED_TRACE(testing::Message() << "margin " << Col << "," << Row);
            EXPECT_EQ(Ch(Col, Row), ' ');
            EXPECT_EQ(Attr(Col, Row), TestTextColor);
        }
    }

    // Top line: corners, bars, and " Quorrel " centred: W = 35, x = (35-7-1)/2 = 13.
    EXPECT_EQ(Ch(3, 1), 0xC9);
    EXPECT_EQ(Ch(38, 1), 0xBB);
    EXPECT_EQ(Attr(3, 1), TestFrameColor);
    EXPECT_EQ(BoxText(16, 1, 9), " Quorrel ");
    for (int Col = 16; Col <= 24; Col++) EXPECT_EQ(Attr(Col, 1), TestTitleColor) << Col;
    for (int Col = 4; Col <= 15; Col++) EXPECT_EQ(Ch(Col, 1), 0xCD) << Col;
    for (int Col = 25; Col <= 37; Col++) EXPECT_EQ(Ch(Col, 1), 0xCD) << Col;

    // Bottom line.
    EXPECT_EQ(Ch(3, 14), 0xC8);
    EXPECT_EQ(Ch(38, 14), 0xBC);
    for (int Col = 4; Col <= 37; Col++) EXPECT_EQ(Ch(Col, 14), 0xCD) << Col;

    // Sides, replaced by the separators' joined ends on rows 3 and 12.
    for (int Row = 2; Row <= 13; Row++) {
        SCOPED_TRACE(Row);
        bool Sep = Row == 3 || Row == 12;
        EXPECT_EQ(Ch(3, Row), Sep ? 0xC7 : 0xBA);
        EXPECT_EQ(Ch(38, Row), Sep ? 0xB6 : 0xBA);
        EXPECT_EQ(Attr(3, Row), TestFrameColor);
        EXPECT_EQ(Attr(38, Row), TestFrameColor);
    }
    for (int Col = 4; Col <= 37; Col++) {
        EXPECT_EQ(Ch(Col, 3), 0xC4) << Col;
        EXPECT_EQ(Ch(Col, 12), 0xC4) << Col;
        EXPECT_EQ(Attr(Col, 12), TestFrameColor) << Col;
    }
}

TEST_F(ChartDraw, AllCodesOfTheCurrentTableInEightRowsOf32) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    Chart.CurrentTable = 1;  // the Windows table: cells show converted bytes
    DrawTestChart(0, "");
    for (int Code = 0; Code < 256; Code++) {
        SCOPED_TRACE(Code);
        int Col = ChartLayout::CellX(Code % 32), Row = ChartLayout::CellY(Code / 32);
        EXPECT_EQ(Ch(Col, Row), Chart.CodeTables[1].Chars[Code]);
        EXPECT_EQ(Attr(Col, Row), TestTextColor);
    }
    // Byte 0 is written as it is, not as a blank.
    EXPECT_EQ(Ch(5, 4), 0);
    EXPECT_EQ(Ch(4, 4), ' ');
    EXPECT_EQ(Ch(37, 4), ' ');
}

TEST_F(ChartDraw, ShadowStripsRightAndBelow) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    DrawTestChart(0, "");
    const WORD Dark = SavedAttr & 7;
    for (int Row = 1; Row <= 16; Row++) {
        for (int Col : {42, 43}) {
            SCOPED_TRACE(testing::Message() << Col << "," << Row);
            EXPECT_EQ(Attr(Col, Row), Dark);
            EXPECT_EQ(Ch(Col, Row), SavedChar);
        }
    }
    for (int Col = 2; Col <= 43; Col++) EXPECT_EQ(Attr(Col, 16), Dark) << Col;
    // Untouched around the shadow.
    EXPECT_EQ(Attr(42, 0), SavedAttr);
    EXPECT_EQ(Attr(44, 5), SavedAttr);
    EXPECT_EQ(Attr(1, 16), SavedAttr);
    EXPECT_EQ(Attr(5, 17), SavedAttr);
}

TEST_F(ChartDraw, TableNameIsCutAt32) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    std::string Long = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";  // 40 characters
    unsigned char Table[256];
    for (int i = 0; i < 256; i++) Table[i] = static_cast<unsigned char>(i);
    ASSERT_TRUE(AddCodeTable(Chart, Long, Table));
    ASSERT_TRUE(AddCodeTable(Chart, "Short", Table));

    Chart.CurrentTable = 2;
    DrawTestChart(0, "");
    EXPECT_EQ(BoxText(5, 2, 32), Long.substr(0, 32));
    EXPECT_EQ(Ch(37, 2), ' ');
    EXPECT_EQ(Attr(5, 2), TestTextColor);

    ResetDrawScreen();
    Chart.CurrentTable = 3;
    DrawTestChart(0, "");
    EXPECT_EQ(BoxText(5, 2, 32), "Short" + std::string(27, ' '));
}

TEST_F(ChartDraw, StatusRowShowsCharacterAndCodeTwice) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    DrawTestChart(65, "");
    EXPECT_EQ(BoxText(5, 13, 24), "Char A  Dec 65  Hex 41  ");
    EXPECT_EQ(Attr(5, 13), TestTextColor);
    // A code whose character is 0 shows a space in the status text.
    ResetDrawScreen();
    DrawTestChart(0, "");
    EXPECT_EQ(BoxText(5, 13, 21), "Char    Dec 0  Hex 00");
}

TEST_F(ChartDraw, LongStatusRunsOverTheFrameAndIsCutAt40) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    TestLook.Texts.StatusFormat = "%c.........1.........2.........3.........4.........5";
    DrawTestChart(66, "");
    std::string Expected = "B.........1.........2.........3.........";
    EXPECT_EQ(BoxText(5, 13, 40), Expected);
    EXPECT_EQ(Ch(45, 13), SavedChar);  // the 41st character is not drawn
}

TEST_F(ChartDraw, UnsafeStatusFormatFallsBackToBuiltIn) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    for (const char *Bad : {"%s", "%c %d %d %d", "%n", "abc %"}) {
        SCOPED_TRACE(Bad);
        TestLook.Texts.StatusFormat = Bad;
        std::string S = FormatStatus(Chart, 65, TestLook.Texts.StatusFormat);
        EXPECT_NE(S.find("65"), std::string::npos);
        EXPECT_NE(S.find("41"), std::string::npos);
        EXPECT_LE(S.size(), 40u);
    }
    TestLook.Texts.StatusFormat = nullptr;
    EXPECT_NE(FormatStatus(Chart, 65, TestLook.Texts.StatusFormat).find("65"), std::string::npos);
}

TEST_F(ChartDraw, EntryLabelAndInputField) {
    MakeScreen(80, 25);
    CentreChart(Chart);
    struct Row {
        int Mode;
        std::string Entry;
        std::string Label;
    } Rows[] = {{1, "1", "Dec: "}, {1, "12", "Dec: "}, {2, "ff", "Hex: "}, {2, "1a2", "Hex: "}};
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Entry);
        Chart.TypeMode = Typing(R.Mode);
        ResetDrawScreen();
        DrawTestChart(65, R.Entry);
        int L = int(R.Label.size());
        EXPECT_EQ(BoxText(5, 13, L), R.Label);
        for (int i = 0; i < L; i++) EXPECT_EQ(Attr(5 + i, 13), TestTextColor);
        EXPECT_EQ(BoxText(5 + L, 13, 4), R.Entry + std::string(4 - R.Entry.size(), ' '));
        for (int i = 0; i < 4; i++) EXPECT_EQ(Attr(5 + L + i, 13), TestInputColor) << i;
        EXPECT_EQ(Attr(5 + L + 4, 13), TestTextColor);  // the field is exactly 4 cells
    }
}

TEST_F(ChartDraw, At120x50TheWindowStandsAt39x16) {
    MakeScreen(120, 50);
    CentreChart(Chart);
    DrawTestChart(255, "");
    ASSERT_EQ(Chart.ChartX, 39);
    ASSERT_EQ(Chart.ChartY, 16);
    EXPECT_EQ(Screen.DrawScreen.Cells[17 * 120 + 42].Char.AsciiChar, char(0xC9));
    EXPECT_EQ(static_cast<unsigned char>(
                  Screen.DrawScreen.Cells[(16 + 11) * 120 + 39 + 36].Char.AsciiChar),
              255);
}

TEST_F(ChartDraw, NarrowConsolesClipAtTheLeftEdge) {
    // 41 columns: ChartX 0, the whole box fits but for its shadow.
    MakeScreen(41, 25);
    CentreChart(Chart);
    DrawTestChart(0, "");
    EXPECT_EQ(Chart.ChartX, 0);
    EXPECT_EQ(static_cast<unsigned char>(Screen.DrawScreen.Cells[5 * 41 + 3].Char.AsciiChar), 0xC9);
    FreeBuffer(Screen.DrawScreen);
    FreeBuffer(Screen.ShownScreen);
    FreeBuffer(Screen.SavedScreen);

    // 40 columns: ChartX -1, box column 1 lands in screen column 0.
    Chart.CentrePending = true;
    MakeScreen(40, 25, true);
    CentreChart(Chart);
    ASSERT_EQ(Chart.ChartX, -1);
    DrawTestChart(0, "");
    EXPECT_EQ(static_cast<unsigned char>(Screen.DrawScreen.Cells[5 * 40 + 2].Char.AsciiChar), 0xC9);
    EXPECT_EQ(static_cast<unsigned char>(Screen.DrawScreen.Cells[5 * 40 + 37].Char.AsciiChar),
              0xBB);
    // Chart column 0 (box column 5) is screen column 4; code 33 is '!'.
    EXPECT_EQ(Screen.DrawScreen.Cells[9 * 40 + 4 + 1].Char.AsciiChar, '!');
    // Rows above and below the window keep the saved screen.
    EXPECT_EQ(Screen.DrawScreen.Cells[3 * 40].Char.AsciiChar, SavedChar);
}

TEST_F(ChartDraw, ConsoleSmallerThanTheWindowDrawsOnlyWhatFits) {
    // 1x1: the one cell shows box column 20, row 8: chart row 4, column 15.
    MakeScreen(1, 1, true);
    CentreChart(Chart);
    DrawTestChart(0, "");
    EXPECT_EQ(static_cast<unsigned char>(Screen.DrawScreen.Cells[0].Char.AsciiChar), 32 * 4 + 15);
    FreeBuffer(Screen.DrawScreen);
    FreeBuffer(Screen.ShownScreen);
    FreeBuffer(Screen.SavedScreen);

    // 30x10: every visible cell is part of the window's 42x16 box.
    Chart.CentrePending = true;
    MakeScreen(30, 10, true);
    CentreChart(Chart);
    DrawTestChart(0, "12");
    for (int i = 0; i < 30 * 10; i++)
        EXPECT_NE(Screen.DrawScreen.Cells[i].Attributes, SavedAttr) << i;
}

}  // namespace
