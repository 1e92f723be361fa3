// The plugin against our host library: the points where the two must agree.
#include "PluginFixture.h"

#include "Host.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// A module name beside the shipped message and help files.
std::string ModuleBesideDist()
{
    std::string Here = __FILE__;
    return Here.substr(0, Here.rfind("tests")) + "dist/Quorrel.dll";
}

class WithHostTest : public ::testing::Test {
protected:
    int Module = 0;

    void SetUp() override
    {
        ResetChartUnits();
        HostStart();
        HostReset();
        HostSetInputEndsUi(true);
        Module = HostAddPlugin(ModuleBesideDist());
        ClearRegValues(std::string(HostRootKey) + "\\Quorrel");
        ConsoleStart();
        QuorrelStart();
        FlushConsoleInputBuffer(Screen.InputHandle);
    }
    void TearDown() override
    {
        FlushConsoleInputBuffer(Screen.InputHandle);
        ResetChartUnits();
        HostReset();
    }
    void Start(int StructSize = int(sizeof(PluginStartupInfo)))
    {
        SetStartupInfo(HostStartupInfo(Module, StructSize));
    }
};

TEST_F(WithHostTest, MessagesComeFromTheShippedFile)
{
    Start();
    const MessageTexts Texts = LoadMessages();
    EXPECT_EQ("Quorrel", Texts.PluginTitle);
    EXPECT_TRUE(StatusFormatIsSafe(Texts.StatusFormat));
    EXPECT_EQ("Code tables", std::string(Msg(MsgTableMenuTitle)));
}

TEST_F(WithHostTest, HelpOnOldAndNewHostsOpensContents)
{
    for (int Size : {StartupInfoWithShowHelp - 1, StartupInfoWithShowHelp}) {
        SCOPED_TRACE("record of " + std::to_string(Size) + " bytes");
        size_t Before = HostHelpCalls().size();
        Start(Size);
        PluginHelp();
        ASSERT_EQ(Before + 1, HostHelpCalls().size());
        EXPECT_EQ("Contents", HostHelpCalls().back().Shown);
        EXPECT_EQ(Size < StartupInfoWithShowHelp ? 1u : 0u, HostDialogCalls().size());
        HostReset();
        HostSetInputEndsUi(true);
        Module = HostAddPlugin(ModuleBesideDist());
    }
}

TEST_F(WithHostTest, HelpComesInTheHostsLanguage)
{
    const struct {
        const char *Language, *File, *OptionsTitle;
    } Rows[] = {{"English", "Quorrel.hlf", "Quorrel options"},
                {"German", "QuorrelGer.hlf", "Quorrel: Einstellungen"}};
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Language);
        std::string File = FindHlfFile(ModuleBesideDist(), Row.Language);
        ASSERT_GE(File.size(), std::strlen(Row.File));
        EXPECT_EQ(Row.File, File.substr(File.size() - std::strlen(Row.File)));
        HelpTopic Topic;
        std::ifstream In(File, std::ios::binary);
        std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
        ASSERT_TRUE(FindHelpTopic(Text, "Options", Topic));
        ASSERT_FALSE(Topic.Header.empty());
        EXPECT_NE(std::string::npos, Topic.Header[0].Text.find(Row.OptionsTitle))
            << Topic.Header[0].Text;
    }
}

TEST_F(WithHostTest, CodeTablesAndTheEditorsStartTable)
{
    Start();
    TestLook.Texts = LoadMessages();
    HostSetCharTableCount(45);
    InitCodeTables(Chart, TestLook.Texts);
    LoadHostCodeTables(Chart, OPEN_VIEWER);
    EXPECT_EQ(40, int(Chart.CodeTables.size()));

    HostSetCharTableCount(HostRealCharTableCount());
    const struct {
        int TableNum;
        bool Ansi;
        int Expected;
    } Rows[] = {{0, false, 2}, {1, false, 3}, {-1, true, 1}, {-1, false, 0}};
    for (const auto &Row : Rows) {
        SCOPED_TRACE("table " + std::to_string(Row.TableNum) + " ansi " + std::to_string(Row.Ansi));
        HostSetEditor({"text"}, 0, 0, Row.TableNum, Row.Ansi);
        InitCodeTables(Chart, TestLook.Texts);
        LoadHostCodeTables(Chart, OPEN_EDITOR);
        EXPECT_EQ(2 + HostRealCharTableCount(), int(Chart.CodeTables.size()));
        EXPECT_EQ(Row.Expected, Chart.CurrentTable);
    }
}

TEST_F(WithHostTest, QuotedKeysReachTheEditorLiterally)
{
    Start();
    HostSetEditor({""}, 0, 0, -1, false);
    Settings.CopyMode = true;
    EditorPutText("\x01\xE4");
    EXPECT_EQ(2, HostProcessPendingEditorInput());
    EXPECT_EQ(std::vector<std::string>{"\x01\xE4"}, HostEditorLines());

    Settings.CopyMode = false;
    EditorPutText("ab");
    EXPECT_EQ(std::vector<std::string>{"\x01\xE4" "ab"}, HostEditorLines());
    EXPECT_GE(HostEditorRedraws(), 1);
}

TEST_F(WithHostTest, OptionsDialogConfirmedThroughTheHost)
{
    Start();
    HostQueueDialog(17, {{2, 0}, {3, 0}, {4, -1}, {15, -1}});
    EXPECT_EQ(-1, Configure(0));
    EXPECT_EQ(2, int(Settings.PasteMode));
    EXPECT_TRUE(Settings.ShowWinTable);
    ASSERT_EQ(1u, HostDialogCalls().size());
    EXPECT_EQ("Options", HostDialogCalls()[0].HelpTopic);
    StoredValue V = GetRegValue(std::string(HostRootKey) + "\\Quorrel", "PasteMode");
    EXPECT_EQ(DwordBytes(2), V.Data);
}

TEST_F(WithHostTest, CommandLineCharacterAndInsert)
{
    Start();
    HostSetCmdLine("cd x", 3);
    EXPECT_EQ('x', CmdLineCharAtCursor());
    HostSetCmdLine("cd x", 4);
    EXPECT_EQ(0, CmdLineCharAtCursor());
    HostSetCmdLine("cd x", 900);
    EXPECT_EQ(0, CmdLineCharAtCursor());
    HostSetCmdLine("cd ", 3);
    CmdLineInsert("y");
    EXPECT_EQ("cd y", HostCmdLine());
}

}  // namespace
