// The code-table list: built-in and host tables, the start table, lookups,
// stepping and the table menu.
#include "ChartFixture.h"

#include <algorithm>
#include <cstring>

namespace {

CharTableSet MakeHostTable(const std::string &Name, unsigned char Offset)
{
    CharTableSet Set;
    std::memset(&Set, 0, sizeof(Set));
    for (int I = 0; I < 256; I++) {
        Set.DecodeTable[I] = static_cast<unsigned char>(I + Offset);
        Set.EncodeTable[I] = static_cast<unsigned char>(I - Offset);
    }
    std::memcpy(Set.TableName, Name.data(), std::min(Name.size(), sizeof(Set.TableName)));
    return Set;
}

class CodeTableTest : public ChartTest {
protected:
    void SetUp() override
    {
        ChartTest::SetUp();
        Start();
        TestLook.Texts = LoadMessages();
    }
    // Identity, Windows and N host tables named H0, H1, ...
    void BuildList(int HostTables, int From = OPEN_VIEWER)
    {
        Host.Tables.clear();
        for (int I = 0; I < HostTables; I++)
            Host.Tables.push_back(MakeHostTable("H" + std::to_string(I), I + 1));
        InitCodeTables(Chart, TestLook.Texts);
        LoadHostCodeTables(Chart, From);
    }
};

TEST_F(CodeTableTest, BuiltInTables)
{
    BuildList(0);
    ASSERT_EQ(2, int(Chart.CodeTables.size()));
    EXPECT_EQ("M3", CodeTableName(Chart, 0));
    EXPECT_EQ("M4", CodeTableName(Chart, 1));
    char Windows[256];
    for (int I = 0; I < 256; I++) Windows[I] = static_cast<char>(I);
    CharToOemBuffA(Windows, Windows, 256);
    for (int I = 0; I < 256; I++) {
        EXPECT_EQ(I, Chart.CodeTables[0].Chars[I]) << "identity " << I;
        EXPECT_EQ(static_cast<unsigned char>(Windows[I]), Chart.CodeTables[1].Chars[I])
            << "windows " << I;
    }
    EXPECT_EQ(1, Host.CharTableCalls);  // stopped at the first -1
}

TEST_F(CodeTableTest, HostTablesFillTheListUpToForty)
{
    BuildList(45);
    ASSERT_EQ(40, int(Chart.CodeTables.size()));
    EXPECT_EQ("H0", CodeTableName(Chart, 2));
    EXPECT_EQ("H37", CodeTableName(Chart, 39));
    EXPECT_EQ(1, Chart.CodeTables[2].Chars[0]);
    EXPECT_EQ(38, Chart.CodeTables[39].Chars[0]);
    EXPECT_EQ(39, Host.CharTableCalls);  // the 39th table no longer fits
    EXPECT_EQ("", CodeTableName(Chart, 40));
    // A rebuild starts over.
    BuildList(1);
    EXPECT_EQ(3, int(Chart.CodeTables.size()));
}

TEST_F(CodeTableTest, AddCodeTableRefusesTheFortyFirst)
{
    BuildList(38);
    ASSERT_EQ(40, int(Chart.CodeTables.size()));
    unsigned char Table[256] = {};
    EXPECT_FALSE(AddCodeTable(Chart, "extra", Table));
    EXPECT_EQ(40, int(Chart.CodeTables.size()));
    EXPECT_EQ("H37", CodeTableName(Chart, 39));
}

TEST_F(CodeTableTest, HostTableNameWithoutZeroTakesAll128Bytes)
{
    Host.Tables = {MakeHostTable(std::string(128, 'n'), 0)};
    InitCodeTables(Chart, TestLook.Texts);
    LoadHostCodeTables(Chart, OPEN_VIEWER);
    ASSERT_EQ(3, int(Chart.CodeTables.size()));
    EXPECT_EQ(std::string(128, 'n'), CodeTableName(Chart, 2));
}

TEST_F(CodeTableTest, StartTableByOrigin)
{
    unsigned char WindowsToOem[256];
    for (int I = 0; I < 256; I++) WindowsToOem[I] = static_cast<unsigned char>(I);
    CharToOemBuffA(reinterpret_cast<char *>(WindowsToOem), reinterpret_cast<char *>(WindowsToOem),
                   256);
    unsigned char Identity[256];
    for (int I = 0; I < 256; I++) Identity[I] = static_cast<unsigned char>(I);

    const struct {
        const char *What;
        int From, TableNum;
        const unsigned char *ToOem;
        int Before, Expected;
    } Rows[] = {
        {"panels", OPEN_PLUGINSMENU, 0, Identity, 3, 0},
        {"editor, host table 0", OPEN_EDITOR, 0, Identity, 0, 2},
        {"editor, host table 2", OPEN_EDITOR, 2, Identity, 0, 4},
        {"editor, Windows encoding", OPEN_EDITOR, -1, WindowsToOem, 3, 1},
        {"editor, OEM encoding", OPEN_EDITOR, -1, Identity, 3, 0},
        {"viewer keeps the last table", OPEN_VIEWER, 0, Identity, 3, 3},
        {"command line origin keeps it too", OPEN_COMMANDLINE, 0, Identity, 4, 4},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        Host.EditorTableNum = Row.TableNum;
        std::memcpy(Host.EditorToOem, Row.ToOem, 256);
        Chart.CurrentTable = static_cast<uint8_t>(Row.Before);
        BuildList(3, Row.From);
        EXPECT_EQ(Row.Expected, Chart.CurrentTable);
    }
}

TEST_F(CodeTableTest, EditorTableBeyondTheListDoesNotBreakLookups)
{
    Host.EditorTableNum = 60;
    BuildList(3, OPEN_EDITOR);
    EXPECT_EQ(62, Chart.CurrentTable);  // the chart window puts it back to 0
    EXPECT_EQ('A', MapCode(Chart, 'A'));  // meanwhile lookups use entry 0
}

TEST_F(CodeTableTest, EditorUsesWindowsTableComparesAllPositions)
{
    unsigned char ToOem[256];
    for (int I = 0; I < 256; I++) ToOem[I] = static_cast<unsigned char>(I);
    CharToOemBuffA(reinterpret_cast<char *>(ToOem), reinterpret_cast<char *>(ToOem), 256);
    std::memcpy(Host.EditorToOem, ToOem, 256);
    EXPECT_TRUE(EditorUsesWindowsTable());
    Host.EditorToOem[255] ^= 1;  // one position differs
    EXPECT_FALSE(EditorUsesWindowsTable());
}

// ---- table menu ----

class TableMenuTest : public CodeTableTest {};

TEST_F(TableMenuTest, MenuCallAndItems)
{
    BuildList(3);
    Chart.ShowWinTable = true;
    Chart.CurrentTable = 3;
    CodeTableMenu(Chart);
    ASSERT_EQ(1u, Host.Menus.size());
    const fake::MenuCall &M = Host.Menus[0];
    EXPECT_EQ(Host.ModuleNumber, M.PluginNumber);
    EXPECT_EQ(-1, M.X);
    EXPECT_EQ(-1, M.Y);
    EXPECT_EQ(0, M.MaxHeight);
    EXPECT_EQ(6u, M.Flags);
    EXPECT_EQ("M2", M.Title);
    EXPECT_FALSE(M.HasBottom);
    EXPECT_FALSE(M.HasHelpTopic);
    EXPECT_FALSE(M.HasBreakKeys);
    EXPECT_FALSE(M.HasBreakCode);
    const char *Names[] = {"M3", "M4", "H0", "H1", "H2"};
    ASSERT_EQ(5u, M.Items.size());
    for (int I = 0; I < 5; I++) {
        SCOPED_TRACE("item " + std::to_string(I));
        EXPECT_STREQ(Names[I], M.Items[I].Text);
        EXPECT_EQ(I == 3 ? -1 : 0, M.Items[I].Selected);
        EXPECT_EQ(0, M.Items[I].Checked);
        EXPECT_EQ(0, M.Items[I].Separator);
    }
    // After the menu, the flush request.
    ASSERT_FALSE(Host.Texts.empty());
    EXPECT_FALSE(Host.Texts.back().HasText);
    EXPECT_EQ(3, Chart.CurrentTable);  // cancelled
}

TEST_F(TableMenuTest, ItemMappingWithoutTheWindowsTable)
{
    const struct {
        bool ShowWin;
        int Current, ExpectSelected, Result, ExpectTable;
    } Rows[] = {
        {false, 0, 0, 1, 2},  {false, 1, 0, 1, 2},  {false, 2, 1, 0, 0},
        {false, 4, 3, 3, 4},  {false, 3, 2, -1, 3}, {true, 1, 1, 1, 1},
        {true, 4, 4, 2, 2},   {true, 0, 0, 4, 4},   {false, 3, 2, 7, 3},  // 7: no such item
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("showwin " + std::to_string(Row.ShowWin) + " current " +
                     std::to_string(Row.Current) + " result " + std::to_string(Row.Result));
        BuildList(3);
        Host.Menus.clear();
        Chart.ShowWinTable = Row.ShowWin;
        Chart.CurrentTable = static_cast<uint8_t>(Row.Current);
        Host.MenuResult = Row.Result;
        CodeTableMenu(Chart);
        ASSERT_EQ(1u, Host.Menus.size());
        const fake::MenuCall &M = Host.Menus[0];
        ASSERT_EQ(Row.ShowWin ? 5u : 4u, M.Items.size());
        if (!Row.ShowWin) {
            EXPECT_STREQ("M3", M.Items[0].Text);
            EXPECT_STREQ("H0", M.Items[1].Text);
        }
        for (size_t I = 0; I < M.Items.size(); I++)
            EXPECT_EQ(int(I) == Row.ExpectSelected ? -1 : 0, M.Items[I].Selected) << "item " << I;
        EXPECT_EQ(Row.ExpectTable, Chart.CurrentTable);
    }
}

TEST_F(TableMenuTest, HostWithoutTablesOffersOneItem)
{
    BuildList(0);
    Chart.ShowWinTable = false;
    Host.MenuResult = 0;
    CodeTableMenu(Chart);
    ASSERT_EQ(1u, Host.Menus[0].Items.size());
    EXPECT_EQ(0, Chart.CurrentTable);
}

TEST_F(TableMenuTest, LongNameIsCutToTheItemText)
{
    Host.Tables = {MakeHostTable(std::string(128, 'n'), 0)};
    InitCodeTables(Chart, TestLook.Texts);
    LoadHostCodeTables(Chart, OPEN_VIEWER);
    Chart.ShowWinTable = true;
    CodeTableMenu(Chart);
    ASSERT_EQ(3u, Host.Menus[0].Items.size());
    EXPECT_EQ(std::string(127, 'n'), std::string(Host.Menus[0].Items[2].Text));
}

}  // namespace
