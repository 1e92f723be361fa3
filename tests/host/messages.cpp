// Message files: the .lng format, the choice of language, GetMsg.
#include "HostTestUtil.h"

namespace {

struct LngRow {
    const char *Name;
    std::string Text;
    bool Ok;
    std::string Language;
    std::vector<std::string> Messages;
};

TEST(LngFormat, ParsesEveryRow)
{
    const LngRow Rows[] = {
        {"plain", ".Language=English,English\n\"One\"\n\"Two\"\n", true, "English", {"One", "Two"}},
        {"comments and blank lines skipped",
         "// head\n\n.Language=English,English\n// 0\n\"A\"\n\n   // indented\n\"B\"\n", true,
         "English", {"A", "B"}},
        {"escaped quote and backslash", ".Language=English,English\n\"say \\\"hi\\\" \\\\ ok\"\n",
         true, "English", {"say \"hi\" \\ ok"}},
        {"other backslashes stay", ".Language=English,English\n\"C:\\path\\n\"\n", true,
         "English", {"C:\\path\\n"}},
        {"text up to the closing quote", ".Language=English,English\n  \"a\"  trailing\n", true,
         "English", {"a"}},
        {"unclosed quote runs to the end of the line", ".Language=English,English\n\"open\n",
         true, "English", {"open"}},
        {"empty message", ".Language=English,English\n\"\"\n\"x\"\n", true, "English", {"", "x"}},
        {"CRLF lines", ".Language=German,Deutsch\r\n\"Eins\"\r\n\"Zwei\"\r\n", true, "German",
         {"Eins", "Zwei"}},
        {"byte order mark", "\xEF\xBB\xBF.Language=English,English\n\"A\"\n", true, "English",
         {"A"}},
        {"lines without a quote are no messages", ".Language=English,English\nnoise\n\"A\"\n",
         true, "English", {"A"}},
        {"OEM bytes kept", ".Language=English,English\n\"\x82\xC4\"\n", true, "English",
         {"\x82\xC4"}},
        {"no language line", "\"A\"\n", false, "", {}},
    };
    for (const LngRow &Row : Rows) {
        SCOPED_TRACE(Row.Name);
        std::string Language;
        std::vector<std::string> Messages;
        EXPECT_EQ(Row.Ok, ParseLngText(Row.Text, Language, Messages));
        if (!Row.Ok) continue;
        EXPECT_EQ(Row.Language, Language);
        EXPECT_EQ(Row.Messages, Messages);
    }
}

const char English[] = ".Language=English,English\n\"Title\"\n\"Second\"\n";
const char German[] = ".Language=German,Deutsch\n\"Titel\"\n\"Zweite\"\n";
const char Czech[] = ".Language=Czech,Cestina\n\"Titulek\"\n";

TEST(LngChoice, ByEitherNameThenEnglishThenTheFirstFile)
{
    TempModule M;
    M.Write("QuorrelEng.lng", English);
    M.Write("QuorrelGer.lng", German);
    M.Write("readme.txt", ".Language=French,Francais\n");
    struct Row {
        const char *Wanted;
        const char *File;
    } Rows[] = {
        {"German", "QuorrelGer.lng"}, {"deutsch", "QuorrelGer.lng"},
        {"English", "QuorrelEng.lng"}, {"French", "QuorrelEng.lng"},  // not a .lng file
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Wanted);
        EXPECT_EQ((M.Folder / R.File).u8string(), FindLngFile(M.ModuleName(), R.Wanted));
        EXPECT_EQ(std::string(R.Wanted) != "French", ModuleHasLanguage(M.ModuleName(), R.Wanted));
    }
    // What --language offers, and refuses beyond.
    EXPECT_EQ((std::vector<std::string>{"English", "German (Deutsch)"}),
              ModuleLanguages(M.ModuleName()));

    TempModule NoEnglish;
    NoEnglish.Write("b.lng", German);
    NoEnglish.Write("a.lng", Czech);
    EXPECT_EQ((NoEnglish.Folder / "a.lng").u8string(),
              FindLngFile(NoEnglish.ModuleName(), "Dutch"));

    TempModule Empty;
    EXPECT_EQ("", FindLngFile(Empty.ModuleName(), "English"));
    EXPECT_TRUE(ModuleLanguages(Empty.ModuleName()).empty());
}

class GetMsgTest : public HostTest {};

TEST_F(GetMsgTest, MessagesOfTheChosenLanguage)
{
    TempModule M;
    M.Write("QuorrelEng.lng", English);
    M.Write("QuorrelGer.lng", German);
    int N = HostAddPlugin(M.ModuleName());
    EXPECT_STREQ("Title", HostGetMsg(N, 0));
    EXPECT_STREQ("Second", HostGetMsg(N, 1));
    EXPECT_STREQ("", HostGetMsg(N, 2));   // past the last message
    EXPECT_STREQ("", HostGetMsg(N, -1));
    EXPECT_STREQ("", HostGetMsg(N + 1, 0));  // no such plugin
    HostSetLanguage("German");
    EXPECT_STREQ("Zweite", HostGetMsg(N, 1));
}

TEST_F(GetMsgTest, PointersStayValidWhileLoaded)
{
    TempModule M;
    M.Write("QuorrelEng.lng", English);
    int N = HostAddPlugin(M.ModuleName());
    const char *Short = HostGetMsg(N, 0);
    // More plugins and more calls must not move the first plugin's texts.
    for (int I = 0; I < 20; I++) HostAddPlugin(M.ModuleName());
    for (int I = 0; I < 20; I++) HostGetMsg(I, I % 3);
    EXPECT_EQ(Short, HostGetMsg(N, 0));
    EXPECT_STREQ("Title", Short);
}

TEST_F(GetMsgTest, StartupRecordCarriesTheServicesAndItsSize)
{
    int N = HostAddPlugin("C:\\Far\\Plugins\\Quorrel\\Quorrel.dll");
    const PluginStartupInfo *Full = HostStartupInfo(N);
    EXPECT_EQ(int(sizeof(PluginStartupInfo)), Full->StructSize);
    EXPECT_STREQ("C:\\Far\\Plugins\\Quorrel\\Quorrel.dll", Full->ModuleName);
    EXPECT_EQ(N, Full->ModuleNumber);
    EXPECT_STREQ("Software\\Far\\Plugins", Full->RootKey);
    EXPECT_EQ(&HostDialog, Full->Dialog);
    EXPECT_EQ(&HostMenu, Full->Menu);
    EXPECT_EQ(&HostGetMsg, Full->GetMsg);
    EXPECT_EQ(&HostControl, Full->Control);
    EXPECT_EQ(&HostCharTable, Full->CharTable);
    EXPECT_EQ(&HostText, Full->Text);
    EXPECT_EQ(&HostEditorControl, Full->EditorControl);
    EXPECT_EQ(&HostShowHelp, Full->ShowHelp);

    // An older host's record ends before ShowHelp.
    int Old = int(offsetof(PluginStartupInfo, ShowHelp));
    const PluginStartupInfo *Short = HostStartupInfo(N, Old);
    EXPECT_EQ(Old, Short->StructSize);
    EXPECT_LT(Short->StructSize, StartupInfoWithShowHelp);
    EXPECT_EQ(&HostEditorControl, Short->EditorControl);
}

}  // namespace
