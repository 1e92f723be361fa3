// Characters between the plugin and the editor, the command line and the
// clipboard.
#include "ServicesFixture.h"

#include "Clipboard.h"

namespace {

class ExchangeTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        Start();
    }
};

// ---- start character ----

TEST_F(ExchangeTest, EditorCharAtCursorStaysInsideTheLine)
{
    const struct {
        std::string Line;
        int Pos;
        unsigned char Expected;
    } Rows[] = {
        {"abc", 0, 'a'}, {"abc", 2, 'c'}, {"abc", 3, 0},   {"abc", 50, 0},
        {"abc", -1, 0},  {"", 0, 0},      {"\xE9x", 0, 0xE9},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("line '" + Row.Line + "' cursor " + std::to_string(Row.Pos));
        Host.EditorLine = Row.Line;
        Host.EditorCurPos = Row.Pos;
        EXPECT_EQ(Row.Expected, EditorCharAtCursor());
    }
}

TEST_F(ExchangeTest, EditorLineIsNotZeroTerminated)
{
    // StringLength, not a zero, ends the line.
    Host.EditorLine = "abcdef";
    Host.EditorLineLengthOverride = 3;
    Host.EditorCurPos = 4;
    EXPECT_EQ(0, EditorCharAtCursor());
    Host.EditorCurPos = 2;
    EXPECT_EQ('c', EditorCharAtCursor());
}

TEST_F(ExchangeTest, CmdLineCharAtCursorStaysInsideTheText)
{
    const struct {
        std::string Bytes;  // what the host writes into the buffer
        int Pos;
        unsigned char Expected;
    } Rows[] = {
        {std::string("dir\0", 4), 0, 'd'},
        {std::string("dir\0", 4), 2, 'r'},
        {std::string("dir\0", 4), 3, 0},  // after the last character
        {std::string("dir\0XYZ", 7), 5, 0},  // bytes after the zero are not text
        {std::string("dir\0", 4), -2, 0},
        {std::string("dir\0", 4), 100000, 0},
        {std::string(1540, 'q'), 1538, 'q'},  // fills the buffer, no zero
        {std::string(1540, 'q'), 1539, 0},    // cut to the buffer
        {std::string(1540, 'q'), 1540, 0},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("line of " + std::to_string(Row.Bytes.size()) + " bytes, cursor " +
                     std::to_string(Row.Pos));
        Host.CmdLineBytes = Row.Bytes;
        Host.CmdLinePos = Row.Pos;
        EXPECT_EQ(Row.Expected, CmdLineCharAtCursor());
    }
}

TEST_F(ExchangeTest, PickStartCharFollowsOriginAndOptions)
{
    Host.EditorLine = "E";
    Host.CmdLineBytes = std::string("C\0", 2);
    const struct {
        int From;
        bool EditorOpt, CmdlineOpt;
        unsigned char Expected;
    } Rows[] = {
        {OPEN_EDITOR, true, false, 'E'},       {OPEN_EDITOR, false, true, 9},
        {OPEN_PLUGINSMENU, false, true, 'C'},  {OPEN_PLUGINSMENU, true, false, 9},
        {OPEN_VIEWER, true, true, 9},          {OPEN_COMMANDLINE, true, true, 9},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("from " + std::to_string(Row.From) + " editor " +
                     std::to_string(Row.EditorOpt) + " cmdline " + std::to_string(Row.CmdlineOpt));
        Settings.ShowEditorChar = Row.EditorOpt;
        Settings.ShowCmdlineChar = Row.CmdlineOpt;
        const int Start = PickStartChar(Row.From);
        EXPECT_EQ(Row.Expected, Start < 0 ? 9 : Start);
    }
}

// ---- delivery ----

TEST_F(ExchangeTest, DeliverResultByOriginAndPasteMode)
{
    ASSERT_TRUE(PutClipboardText("ab\r\ncd"));
    Settings.CopyMode = false;  // the editor gets inserted text
    const struct {
        int From, Paste;
        unsigned char Choice;
        std::vector<std::string> CmdLine, Editor;
    } Rows[] = {
        {OPEN_PLUGINSMENU, 0, 'x', {}, {}},
        {OPEN_PLUGINSMENU, 1, 'x', {"x"}, {}},
        {OPEN_PLUGINSMENU, 2, 'x', {"ab"}, {}},
        {OPEN_EDITOR, 0, 'x', {}, {}},
        {OPEN_EDITOR, 1, 'x', {}, {"x"}},
        {OPEN_EDITOR, 2, 'x', {}, {"ab"}},
        {OPEN_VIEWER, 1, 'x', {}, {}},
        {OPEN_VIEWER, 2, 'x', {}, {}},
        {OPEN_DISKMENU, 1, 'x', {}, {}},
        {OPEN_PLUGINSMENU, 1, 0, {}, {}},
        {OPEN_EDITOR, 2, 0, {}, {}},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("from " + std::to_string(Row.From) + " paste " + std::to_string(Row.Paste) +
                     " choice " + std::to_string(Row.Choice));
        Host.CmdLineInserted.clear();
        Host.EditorInserted.clear();
        Host.EditorRedraws = 0;
        Settings.PasteMode = Paste(Row.Paste);
        DeliverResult(Row.Choice, Row.From);
        EXPECT_EQ(Row.CmdLine, Host.CmdLineInserted);
        EXPECT_EQ(Row.Editor, Host.EditorInserted);
        EXPECT_EQ(Row.Editor.empty() ? 0 : 1, Host.EditorRedraws);
    }
}

TEST_F(ExchangeTest, LongClipboardLineIsTypedAsFarAsTheCommandLineHolds)
{
    // 1540 bytes of command line, its zero included.
    std::string Line;
    for (int I = 0; I < 5000; I++) Line += char('a' + I % 26);
    ASSERT_TRUE(PutClipboardText((Line + "\r\nnext").c_str()));
    const std::string Typed = Line.substr(0, 1539);
    Settings.PasteMode = Paste(2);
    OpenConsoleInput();
    const struct {
        int From;
        bool Copy;
    } Rows[] = {{OPEN_PLUGINSMENU, true}, {OPEN_EDITOR, false}, {OPEN_EDITOR, true}};
    for (const auto &Row : Rows) {
        SCOPED_TRACE("from " + std::to_string(Row.From) + " copy " + std::to_string(Row.Copy));
        Host.CmdLineInserted.clear();
        Host.EditorInserted.clear();
        Settings.CopyMode = Row.Copy;
        DeliverResult('x', Row.From);
        std::string Got;
        if (Row.From == OPEN_PLUGINSMENU) {
            ASSERT_EQ(1u, Host.CmdLineInserted.size());
            Got = Host.CmdLineInserted[0];
        } else if (!Row.Copy) {
            ASSERT_EQ(1u, Host.EditorInserted.size());
            Got = Host.EditorInserted[0];
        } else {
            std::vector<INPUT_RECORD> Records = TakeConsoleInput();
            for (size_t I = 1; I < Records.size(); I += 2)
                Got += Records[I].Event.KeyEvent.uChar.AsciiChar;
        }
        EXPECT_EQ(Typed, Got);
    }
}

TEST_F(ExchangeTest, CommandLineInsertIgnoresCopyMode)
{
    Settings.CopyMode = true;
    OpenConsoleInput();
    CmdLineInsert("z");
    EXPECT_EQ(std::vector<std::string>{"z"}, Host.CmdLineInserted);
    EXPECT_TRUE(TakeConsoleInput().empty());
}

TEST_F(ExchangeTest, CopyModeTypesEachCharacterAfterCtrlQ)
{
    Settings.CopyMode = true;
    OpenConsoleInput();
    EditorPutText("\x01\xE4");
    EXPECT_TRUE(Host.EditorInserted.empty());
    EXPECT_EQ(0, Host.EditorRedraws);
    std::vector<INPUT_RECORD> Records = TakeConsoleInput();
    ASSERT_EQ(4u, Records.size());
    const unsigned char Typed[2] = {0x01, 0xE4};
    for (int I = 0; I < 4; I++) {
        SCOPED_TRACE("record " + std::to_string(I));
        const KEY_EVENT_RECORD &Key = Records[I].Event.KeyEvent;
        EXPECT_EQ(KEY_EVENT, Records[I].EventType);
        EXPECT_TRUE(Key.bKeyDown);
        EXPECT_EQ(1, Key.wRepeatCount);
        if (I % 2 == 0) {
            EXPECT_EQ('Q', Key.wVirtualKeyCode);
            EXPECT_EQ(0x11, static_cast<unsigned char>(Key.uChar.AsciiChar));
            EXPECT_TRUE(Key.dwControlKeyState & LEFT_CTRL_PRESSED);
        } else {
            EXPECT_EQ(0x27, Key.wVirtualKeyCode);
            EXPECT_EQ(Typed[I / 2], static_cast<unsigned char>(Key.uChar.AsciiChar));
            EXPECT_FALSE(Key.dwControlKeyState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED));
        }
    }
}

TEST_F(ExchangeTest, EditorPastesTheClipboardLineAsKeysInCopyMode)
{
    ASSERT_TRUE(PutClipboardText("ab\ncd"));
    Settings.CopyMode = true;
    Settings.PasteMode = Paste(2);
    OpenConsoleInput();
    DeliverResult('b', OPEN_EDITOR);
    std::vector<INPUT_RECORD> Records = TakeConsoleInput();
    ASSERT_EQ(4u, Records.size());
    EXPECT_EQ('a', Records[1].Event.KeyEvent.uChar.AsciiChar);
    EXPECT_EQ('b', Records[3].Event.KeyEvent.uChar.AsciiChar);
}

// ---- clipboard ----

TEST_F(ExchangeTest, ClipboardRoundTripAndFirstLine)
{
    const struct {
        const char *Stored, *FirstLine;
    } Rows[] = {
        {"plain", "plain"}, {"ab\r\ncd", "ab"}, {"ab\ncd\rx", "ab"},
        {"ab\rcd\nx", "ab"}, {"\r\nrest", ""},  {"\xC4\xB3", "\xC4\xB3"},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Stored);
        ASSERT_TRUE(PutClipboardText(Row.Stored));
        EXPECT_EQ(Row.FirstLine, GetClipboardText());
    }
}

TEST_F(ExchangeTest, EmptyTextLeavesTheClipboardAlone)
{
    ASSERT_TRUE(PutClipboardText("keep"));
    EXPECT_TRUE(PutClipboardText(""));
    EXPECT_TRUE(PutClipboardText(nullptr));
    PutClipboardString(std::string(1, '\0'));  // a choice of 0
    EXPECT_EQ("keep", GetClipboardText());
}

TEST_F(ExchangeTest, AppendKeepsOnlyTheFirstLine)
{
    ASSERT_TRUE(PutClipboardText("ab\r\nsecond line"));
    AppendClipboardText("x");
    EXPECT_EQ("abx", GetClipboardText());
    // The whole clipboard now holds just those three characters.
    Settings.PasteMode = Paste(2);
    DeliverResult('x', OPEN_PLUGINSMENU);
    EXPECT_EQ(std::vector<std::string>{"abx"}, Host.CmdLineInserted);
}

TEST_F(ExchangeTest, ChosenLineBreakGivesAnEmptyFirstLine)
{
    PutClipboardString("\r");
    Settings.PasteMode = Paste(2);
    DeliverResult('\r', OPEN_PLUGINSMENU);
    EXPECT_EQ(std::vector<std::string>{""}, Host.CmdLineInserted);
}

}  // namespace
