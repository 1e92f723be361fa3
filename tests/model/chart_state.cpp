// The chart's state and its key table on their own: no console, no host.
#include <gtest/gtest.h>

#include "ChartKeys.h"
#include "ChartState.h"

#include <set>
#include <utility>

namespace {

// Entry 0 the identity, 1 "Windows" (every code shows '#'), then tables
// whose codes show the code plus their number.
ChartState WithTables(int Count)
{
    ChartState S;
    for (int T = 0; T < Count; T++) {
        CodeTable Table;
        Table.Name = "T" + std::to_string(T);
        for (int I = 0; I < 256; I++) Table.Chars[I] = ChartChar(T == 1 ? '#' : (I + T) & 0xFF);
        Table.CodePage = 0;
        S.CodeTables.push_back(Table);
    }
    return S;
}

TEST(ChartTables, NextPreviousAndToggle)
{
    enum Op { Next, Prev, Toggle };
    const struct {
        int Count;
        bool ShowWin;
        int From;
        Op Step;
        int Expected;
    } Rows[] = {
        // five entries, Windows table skipped
        {5, false, 0, Next, 2}, {5, false, 2, Prev, 0}, {5, false, 0, Prev, 4},
        {5, false, 4, Next, 0}, {5, false, 2, Next, 3}, {5, false, 3, Prev, 2},
        // five entries, Windows table included
        {5, true, 0, Next, 1},  {5, true, 1, Next, 2},  {5, true, 4, Next, 0},
        {5, true, 0, Prev, 4},  {5, true, 2, Prev, 1},  {5, true, 1, Prev, 0},
        // only the two built-in tables; none at all
        {2, false, 0, Next, 0}, {2, false, 0, Prev, 0}, {2, true, 0, Next, 1},
        {2, true, 0, Prev, 1},  {0, false, 0, Next, 0}, {0, true, 0, Prev, 0},
        // the toggle ignores ShowWinTable
        {5, false, 3, Toggle, 1}, {5, false, 1, Toggle, 0}, {5, true, 0, Toggle, 1},
        {5, true, 1, Toggle, 0},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(testing::Message() << "count " << Row.Count << " showwin " << Row.ShowWin
                                        << " from " << Row.From << " op " << Row.Step);
        ChartState S = WithTables(Row.Count);
        S.ShowWinTable = Row.ShowWin;
        S.CurrentTable = uint8_t(Row.From);
        if (Row.Step == Next) NextCodeTable(S);
        if (Row.Step == Prev) PrevCodeTable(S);
        if (Row.Step == Toggle) ToggleWindowsTable(S);
        EXPECT_EQ(Row.Expected, S.CurrentTable);
    }
}

TEST(ChartTables, LookupsUseTheCurrentTableOrFallBack)
{
    ChartState S = WithTables(4);
    S.CurrentTable = 3;
    EXPECT_EQ(ChartChar(13), MapCode(S, 10));
    EXPECT_EQ(7, CodeOfChar(S, 10));
    EXPECT_EQ("T3", CodeTableName(S, 3));
    EXPECT_EQ("", CodeTableName(S, 4));
    EXPECT_EQ("", CodeTableName(S, -1));
    // Several codes show '#': the lowest; none shows 'x'.
    S.CurrentTable = 1;
    EXPECT_EQ(0, CodeOfChar(S, '#'));
    EXPECT_EQ(-1, CodeOfChar(S, 'x'));
    // A table number beyond the list reads entry 0; no list reads the code.
    S.CurrentTable = 9;
    EXPECT_EQ(ChartChar('A'), MapCode(S, 'A'));
    EXPECT_EQ(ChartChar(200), MapCode(ChartState(), 200));
    EXPECT_EQ((std::vector<int>{0, 2, 3}), OfferedTables(S));
    S.ShowWinTable = true;
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), OfferedTables(S));
}

TEST(ChartTyping, CharactersSelectOrStartACode)
{
    const struct {
        const char *What;
        Typing Mode;
        ChartChar Typed;
        uint8_t Code;
        std::string Entry;
    } Rows[] = {
        {"a character selects its lowest code", Typing::Character, '#', 0, ""},
        {"one no code shows leaves the code", Typing::Character, 'x', 100, ""},
        {"decimal: the entry begins", Typing::Decimal, '7', 100, "7"},
        {"hexadecimal takes any character too", Typing::Hexadecimal, 'x', 100, "x"},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        ChartState S = WithTables(2);
        S.CurrentTable = 1;
        S.LastChar = 100;
        S.TypeMode = Row.Mode;
        TypeCharacter(S, Row.Typed);
        EXPECT_EQ(Row.Code, S.LastChar);
        EXPECT_EQ(Row.Entry, S.EntryText);
    }
}

TEST(ChartTyping, EnteredCodes)
{
    const struct {
        Typing Mode;
        const char *Typed;
        uint8_t Expected;
    } Rows[] = {
        {Typing::Decimal, "255", 255}, {Typing::Decimal, "007", 7},
        {Typing::Decimal, "256", 100}, {Typing::Decimal, "1a", 100},
        {Typing::Decimal, "2551", 255}, {Typing::Hexadecimal, "ff", 255},
        {Typing::Hexadecimal, "1F", 31}, {Typing::Hexadecimal, "100", 100},
        {Typing::Hexadecimal, "0G", 100}, {Typing::Hexadecimal, "z", 100},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Typed);
        ChartState S;
        S.LastChar = 100;
        S.TypeMode = Row.Mode;
        for (const char *P = Row.Typed; *P; P++) AddEntryChar(S, *P);
        EnterCode(S);
        EXPECT_EQ(Row.Expected, S.LastChar);
        EXPECT_TRUE(S.EntryText.empty());
    }
    ChartState S;
    AddEntryChar(S, '1');
    EntryBack(S);
    EntryBack(S);  // nothing left to take back
    EXPECT_TRUE(S.EntryText.empty());
}

TEST(ChartWindow, MovesAndDragsStayWithinTheScreen)
{
    ChartState S;
    CentreWindow(S, 80, 25, false, 42, 16);
    EXPECT_EQ(std::make_pair(19, 4), std::make_pair(S.ChartX, S.ChartY));
    S.ChartX = 3;
    CentreWindow(S, 80, 25, false, 42, 16);  // done once, until the size changes
    EXPECT_EQ(3, S.ChartX);
    CentreWindow(S, 40, 25, true, 42, 16);  // truncated toward zero
    EXPECT_EQ(-1, S.ChartX);

    const struct {
        int X, DX, MaxX, Expected;
    } Steps[] = {{0, -1, 38, 0}, {1, -1, 38, 0}, {38, 1, 38, 38}, {37, 1, 38, 38},
                 {-1, -1, -2, -1}, {-1, 1, -2, -1}};
    for (const auto &Step : Steps) {
        S.ChartX = Step.X;
        MoveWindow(S, Step.DX, 0, Step.MaxX, 9);
        EXPECT_EQ(Step.Expected, S.ChartX) << Step.X << " by " << Step.DX;
    }

    StartDrag(S, 5, 1);
    DragTo(S, 3, 30, 38, 9);  // clamped left and below
    EXPECT_EQ(std::make_pair(0, 9), std::make_pair(S.ChartX, S.ChartY));
    DragTo(S, 30, 6, -2, 9);  // a screen narrower than the window: its far edge
    EXPECT_EQ(std::make_pair(-2, 5), std::make_pair(S.ChartX, S.ChartY));
    EndDrag(S);
    EXPECT_FALSE(S.Dragging);
}

TEST(ChartHistory, NewestFirstOnceEachAndSixteenLong)
{
    ChartState S;
    for (ChartChar C : {'a', 'b', 'a', 'c'}) RememberRecentChar(S, C);
    EXPECT_EQ((std::vector<ChartChar>{'c', 'a', 'b'}), S.RecentChars);
    for (int C = 1; C <= 20; C++) RememberRecentChar(S, ChartChar(C));
    ASSERT_EQ(size_t(RecentCharsMax), S.RecentChars.size());
    EXPECT_EQ(20, S.RecentChars.front());
    EXPECT_EQ(5, S.RecentChars.back());
}

TEST(ChartFind, MatchesAreRememberedAndForgotten)
{
    // Cells of the console's code page 437: 0x82 is e acute, 0x1B the
    // control code ESC, drawn as the leftwards arrow.
    ChartState S = WithTables(1);
    S.CellCodePage = 437;
    S.FindWords = "e acute";
    EXPECT_TRUE(FindAndSelect(S, 0, 1));
    EXPECT_EQ(0x82, S.LastChar);
    EXPECT_TRUE(FindChainGoesOn(S));
    S.LastChar = 0x83;
    EXPECT_FALSE(FindChainGoesOn(S));
    S.FindWords = "no such words";
    EXPECT_FALSE(FindAndSelect(S, 0, 1));
    EXPECT_EQ(0x83, S.LastChar);
    EXPECT_EQ(-1, S.FoundCode);
    // By the control code's name and by its glyph's.
    EXPECT_TRUE(CodeMatches(S, 0x1B, "escape"));
    EXPECT_TRUE(CodeMatches(S, 0x1B, "leftwards arrow"));
    EXPECT_EQ(-1, FindCode(S, "  ", 0, 1));

    // Unicode cells (the Far 3 edition): the code's character in the
    // table's code page, the cell's character as the glyph.
    ChartState U;
    U.UnicodeCells = true;
    CodeTable Table;
    for (int I = 0; I < 256; I++) Table.Chars[I] = ChartChar(I);
    Table.Chars[0x1B] = 0x2190;
    Table.CodePage = 437;
    U.CodeTables.push_back(Table);
    const CellCharacter C = CharacterOfCode(U, 0x1B);
    EXPECT_TRUE(C.Known);
    EXPECT_EQ(0x1Bu, C.CodePoint);
    EXPECT_EQ(0x2190u, C.Glyph);
    EXPECT_EQ(0x00E9u, CharacterOfCode(U, 0x82).CodePoint);
}

// Every key is in one table: walk it. A key that opens something of the
// host's must hand the input over, or what was typed after it goes to the
// wrong reader; a key the chart's state handles alone must not, or typed-ahead
// keys are read one at a time.
TEST(ChartKeyTable, EveryRowIsReachableAndHandsOverAsItsActionNeeds)
{
    std::set<std::pair<bool, int>> Seen;
    std::set<ChartAction> Actions;
    for (size_t I = 0; I < ChartKeyCount; I++) {
        const ChartKey &K = ChartKeys[I];
        SCOPED_TRACE(testing::Message() << "row " << I << " keys " << K.First << ".." << K.Last);
        ASSERT_LE(K.First, K.Last);
        for (int Key = K.First; Key <= K.Last; Key++) {
            EXPECT_TRUE(Seen.insert({K.EntryMode, Key}).second) << "key " << Key << " twice";
            EXPECT_EQ(K.Action, ActionForKey(K.EntryMode, Key));
        }
        Actions.insert(K.Action);
        ChartState Scratch = WithTables(3);
        const bool StatesOwn = ApplyChartAction(Scratch, K.Action, K.First, 38, 9);
        // Copying and appending touch the clipboard only.
        const bool ClipboardOnly = K.Action == ChartAction::Copy || K.Action == ChartAction::Append;
        EXPECT_EQ(!StatesOwn && !ClipboardOnly, K.HandsOver);
        if (K.HandsOver) {
            EXPECT_TRUE(KeyHandsOver(K.First));
        }
    }
    // Every action but None has a key.
    for (int A = int(ChartAction::None) + 1; A <= int(ChartAction::EntryCancel); A++)
        EXPECT_EQ(1u, Actions.count(ChartAction(A))) << "action " << A;
    EXPECT_EQ(ChartAction::None, ActionForKey(true, kbF1));
    EXPECT_EQ(ChartAction::None, ActionForKey(false, kbNone));
    EXPECT_FALSE(KeyHandsOver(kbNone));
}

TEST(ChartKeyTable, StateActionsFromCode77)
{
    const struct {
        int Key;
        int Expected;
    } Rows[] = {
        {kbPgUp, 13},     {kbPgDn, 237},    {kbHome, 64},     {kbEnd, 95},
        {kbUp, 45},       {kbDown, 109},    {kbLeft, 76},     {kbRight, 78},
        {kbCtrlHome, 0},  {kbCtrlPgUp, 0},  {kbCtrlEnd, 255}, {kbCtrlPgDn, 255},
    };
    for (const auto &Row : Rows) {
        ChartState S;
        S.LastChar = 77;
        EXPECT_TRUE(ApplyChartAction(S, ActionForKey(false, Row.Key), Row.Key, 38, 9));
        EXPECT_EQ(Row.Expected, S.LastChar) << "key " << Row.Key;
    }
    // The edges hold.
    for (auto [Start, Key] : {std::pair{13, kbUp}, {237, kbDown}, {64, kbLeft}, {95, kbRight}}) {
        ChartState S;
        S.LastChar = uint8_t(Start);
        ApplyChartAction(S, ActionForKey(false, Key), Key, 38, 9);
        EXPECT_EQ(Start, S.LastChar) << "key " << Key;
    }
}

}  // namespace
