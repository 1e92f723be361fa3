// CharTable, Text, EditorControl, Control and the editor's pending input.
#include "HostTestUtil.h"

namespace {

class ServiceTest : public HostTest {};

// ------------------------------------------------------------ code tables --

struct TableRow {
    int Table;
    unsigned char Code;
    unsigned char Oem;
    const char *What;
};

TEST_F(ServiceTest, CodeTablesHoldRealConversionsTo437)
{
    ASSERT_EQ(4, HostRealCharTableCount());
    const char *Names[] = {"ISO 8859-1", "ISO 8859-2", "Windows-1250", "KOI8-R"};
    const TableRow Rows[] = {
        {0, 0xE9, 0x82, "e acute"},
        {0, 0xC4, 0x8E, "A diaeresis"},
        {0, 0xA3, 0x9C, "pound sign"},
        {0, 0xDF, 0xE1, "sharp s"},
        {0, 0x41, 0x41, "ASCII stays"},
        {0, 0x01, 0x01, "control codes stay"},
        {0, 0x80, '?', "C1 control: not in 437"},
        {1, 0xE9, 0x82, "e acute in Latin-2"},
        {1, 0xB9, 's', "s caron, transliterated"},
        {2, 0x8A, 'S', "S caron in Windows-1250"},
        {2, 0x81, '?', "undefined in Windows-1250"},
        {2, 0xE4, 0x84, "a diaeresis"},
        {3, 0x80, 0xC4, "box drawing horizontal"},
        {3, 0x95, 0xF9, "bullet operator"},
        {3, 0xC1, '?', "Cyrillic: not in 437"},
    };
    for (int I = 0; I < 4; I++) {
        SCOPED_TRACE(Names[I]);
        CharTableSet Set;
        std::memset(&Set, 0x55, sizeof(Set));
        ASSERT_EQ(I, HostCharTable(I, reinterpret_cast<char *>(&Set), sizeof(Set)));
        EXPECT_STREQ(Names[I], Set.TableName);
    }
    for (const TableRow &Row : Rows) {
        SCOPED_TRACE(std::string(Names[Row.Table]) + ": " + Row.What);
        CharTableSet Set;
        ASSERT_TRUE(HostGetCharTable(Row.Table, Set));
        EXPECT_EQ(Row.Oem, Set.DecodeTable[Row.Code]);
    }
    CharTableSet Latin1;
    ASSERT_TRUE(HostGetCharTable(0, Latin1));
    EXPECT_EQ(0xE9, Latin1.EncodeTable[0x82]);  // back from 437
    EXPECT_EQ(0xC9, Latin1.UpperTable[0xE9]);
    EXPECT_EQ(0xE9, Latin1.LowerTable[0xC9]);
    EXPECT_EQ('A', Latin1.UpperTable['a']);
}

TEST_F(ServiceTest, CharTableEndsWithMinusOneAndCanOfferMore)
{
    CharTableSet Set;
    char *Buffer = reinterpret_cast<char *>(&Set);
    EXPECT_EQ(-1, HostCharTable(4, Buffer, sizeof(Set)));
    EXPECT_EQ(-1, HostCharTable(-1, Buffer, sizeof(Set)));
    EXPECT_EQ(-1, HostCharTable(0, Buffer, sizeof(Set) - 1));  // buffer too small
    EXPECT_EQ(-1, HostCharTable(0, nullptr, sizeof(Set)));

    HostSetCharTableCount(0);
    EXPECT_EQ(-1, HostCharTable(0, Buffer, sizeof(Set)));

    HostSetCharTableCount(45);
    ASSERT_EQ(44, HostCharTable(44, Buffer, sizeof(Set)));
    EXPECT_STREQ("ISO 8859-1 (12)", Set.TableName);
    CharTableSet First;
    HostGetCharTable(0, First);
    EXPECT_EQ(0, std::memcmp(First.DecodeTable, Set.DecodeTable, 256));
    ASSERT_EQ(7, HostCharTable(7, Buffer, sizeof(Set)));
    EXPECT_STREQ("KOI8-R (2)", Set.TableName);
    EXPECT_EQ(-1, HostCharTable(45, Buffer, sizeof(Set)));
}

// ------------------------------------------------------------------ text --

TEST_F(ServiceTest, TextWritesTheModelAndTheFlushRequestTheConsole)
{
    int W = HostScreenWidth();
    HostFillRect(0, 3, W - 1, 4, '.', 0x07);
    HostText(W - 2, 3, 0x4E, "abc");  // cut at the right edge
    HostText(-1, 4, 0x4E, "xy");       // starts left of the screen
    EXPECT_EQ(std::string(size_t(W - 2), '.') + "ab", HostScreenRow(3));
    EXPECT_EQ("y" + std::string(size_t(W - 1), '.'), HostScreenRow(4));
    EXPECT_EQ(0x4E, HostScreenCell(W - 1, 3).Attributes);
    EXPECT_EQ(0x07, HostScreenCell(1, 4).Attributes);
    EXPECT_EQ(2, HostTextCalls());

    CHAR_INFO Cell;
    COORD Size = {1, 1}, Origin = {0, 0};
    SMALL_RECT Region = {SHORT(W - 1), 3, SHORT(W - 1), 3};
    ReadConsoleOutputA(HostOutputHandle(), &Cell, Size, Origin, &Region);
    EXPECT_NE('b', Cell.Char.AsciiChar);  // not yet on the console
    HostText(0, 0, 0, nullptr);
    EXPECT_EQ(1, HostFlushRequests());
    Region = {SHORT(W - 1), 3, SHORT(W - 1), 3};
    ASSERT_TRUE(ReadConsoleOutputA(HostOutputHandle(), &Cell, Size, Origin, &Region));
    EXPECT_EQ('b', Cell.Char.AsciiChar);
    EXPECT_EQ(0x4E, Cell.Attributes);
}

// --------------------------------------------------------- command line --

TEST_F(ServiceTest, CommandLine)
{
    HostSetCmdLine("dir c:", 3);
    char Buffer[2048];
    std::memset(Buffer, 'x', sizeof(Buffer));
    EXPECT_EQ(TRUE, HostControl(INVALID_HANDLE_VALUE, FCTL_GETCMDLINE, Buffer));
    EXPECT_STREQ("dir c:", Buffer);
    int Pos = -5;
    EXPECT_EQ(TRUE, HostControl(INVALID_HANDLE_VALUE, FCTL_GETCMDLINEPOS, &Pos));
    EXPECT_EQ(3, Pos);
    char Text[] = "\x82\x01";
    EXPECT_EQ(TRUE, HostControl(INVALID_HANDLE_VALUE, FCTL_INSERTCMDLINE, Text));
    EXPECT_EQ("dir\x82\x01 c:", HostCmdLine());
    EXPECT_EQ(5, HostCmdLinePos());

    // A panel of a plugin is not the host's command line.
    EXPECT_EQ(FALSE, HostControl(reinterpret_cast<HANDLE>(1), FCTL_GETCMDLINE, Buffer));
    EXPECT_EQ(FALSE, HostControl(INVALID_HANDLE_VALUE, 12345, Buffer));

    // A cursor set beyond the text inserts at its end.
    HostSetCmdLine("ab", 40);
    Pos = 0;
    HostControl(INVALID_HANDLE_VALUE, FCTL_GETCMDLINEPOS, &Pos);
    EXPECT_EQ(40, Pos);
    char More[] = "c";
    HostControl(INVALID_HANDLE_VALUE, FCTL_INSERTCMDLINE, More);
    EXPECT_EQ("abc", HostCmdLine());
    EXPECT_EQ(3, HostCmdLinePos());
}

TEST_F(ServiceTest, LongCommandLineIsCutToFarsLimit)
{
    HostSetCmdLine(std::string(3000, 'q'), 0);
    std::vector<char> Buffer(1600, 'x');
    HostControl(INVALID_HANDLE_VALUE, FCTL_GETCMDLINE, Buffer.data());
    EXPECT_EQ(std::string(HostCmdLineCopyMax - 1, 'q'), std::string(Buffer.data()));
    EXPECT_EQ('x', Buffer[HostCmdLineCopyMax]);  // nothing written past the zero
}

// --------------------------------------------------------------- editor --

TEST_F(ServiceTest, EditorCommandsFailOutsideAnEditor)
{
    EditorInfo Info;
    EXPECT_EQ(FALSE, HostEditorControl(ECTL_GETINFO, &Info));
    char Text[] = "x";
    EXPECT_EQ(FALSE, HostEditorControl(ECTL_INSERTTEXT, Text));
    EXPECT_EQ((std::vector<int>{ECTL_GETINFO, ECTL_INSERTTEXT}), HostEditorCommands());
}

TEST_F(ServiceTest, EditorStringsInfoAndInsertion)
{
    HostSetEditor({"first", "second line"}, 1, 3, 2, false);
    EditorGetString Get;
    std::memset(&Get, 0, sizeof(Get));
    Get.StringNumber = -1;
    ASSERT_EQ(TRUE, HostEditorControl(ECTL_GETSTRING, &Get));
    EXPECT_EQ("second line", std::string(Get.StringText, size_t(Get.StringLength)));
    EXPECT_STREQ("", Get.StringEOL);
    Get.StringNumber = 0;
    ASSERT_EQ(TRUE, HostEditorControl(ECTL_GETSTRING, &Get));
    EXPECT_EQ("first", std::string(Get.StringText, size_t(Get.StringLength)));
    EXPECT_STREQ("\r\n", Get.StringEOL);
    Get.StringNumber = 2;
    EXPECT_EQ(FALSE, HostEditorControl(ECTL_GETSTRING, &Get));

    EditorInfo Info;
    ASSERT_EQ(TRUE, HostEditorControl(ECTL_GETINFO, &Info));
    EXPECT_EQ(2, Info.TotalLines);
    EXPECT_EQ(1, Info.CurLine);
    EXPECT_EQ(3, Info.CurPos);
    EXPECT_EQ(2, Info.TableNum);
    EXPECT_EQ(0, Info.AnsiMode);

    char Text[] = "AB";
    ASSERT_EQ(TRUE, HostEditorControl(ECTL_INSERTTEXT, Text));
    EXPECT_EQ("secABond line", HostEditorLines()[1]);
    EXPECT_EQ(5, HostEditorCurPos());
    char Break[] = "x\r\ny";
    HostEditorControl(ECTL_INSERTTEXT, Break);
    EXPECT_EQ((std::vector<std::string>{"first", "secABx", "yond line"}), HostEditorLines());
    EXPECT_EQ(2, HostEditorCurLine());
    EXPECT_EQ(1, HostEditorCurPos());
    EXPECT_EQ(TRUE, HostEditorControl(ECTL_REDRAW, nullptr));
    EXPECT_EQ(TRUE, HostEditorControl(ECTL_REDRAW, nullptr));
    EXPECT_EQ(2, HostEditorRedraws());
}

TEST_F(ServiceTest, InsertingBeyondTheLinePadsWithBlanks)
{
    HostSetEditor({"ab"}, 0, 5, -1, false);
    char Text[] = "z";
    HostEditorControl(ECTL_INSERTTEXT, Text);
    EXPECT_EQ("ab   z", HostEditorLines()[0]);
    EXPECT_EQ(6, HostEditorCurPos());
}

TEST_F(ServiceTest, EditorToOemFollowsTheEditorsTable)
{
    char Bytes[256];
    for (int I = 0; I < 256; I++) Bytes[I] = char(I);
    char Ansi[256];
    std::memcpy(Ansi, Bytes, 256);
    CharToOemBuffA(Ansi, Ansi, 256);
    CharTableSet Koi;
    HostGetCharTable(3, Koi);

    struct Row {
        const char *What;
        int Table;
        bool AnsiMode;
        const unsigned char *Expected;
    } Rows[] = {
        {"host table 3", 3, false, Koi.DecodeTable},
        {"host table 3, ANSI flag ignored", 3, true, Koi.DecodeTable},
        {"no table, ANSI", -1, true, reinterpret_cast<unsigned char *>(Ansi)},
        {"no table, OEM", -1, false, reinterpret_cast<unsigned char *>(Bytes)},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.What);
        HostSetEditor({""}, 0, 0, R.Table, R.AnsiMode);
        char Buffer[256];
        std::memcpy(Buffer, Bytes, 256);
        EditorConvertText Convert = {Buffer, 256};
        ASSERT_EQ(TRUE, HostEditorControl(ECTL_EDITORTOOEM, &Convert));
        EXPECT_EQ(0, std::memcmp(R.Expected, Buffer, 256));
    }
    // Only the given length is converted.
    HostSetEditor({""}, 0, 0, 0, false);
    char Two[3] = {char(0xE9), char(0xE9), 0};
    EditorConvertText One = {Two, 1};
    HostEditorControl(ECTL_EDITORTOOEM, &One);
    EXPECT_EQ(char(0x82), Two[0]);
    EXPECT_EQ(char(0xE9), Two[1]);
}

// The records the plugin writes for one character: Ctrl+Q, then a key
// (virtual key Right) carrying the character; key-down records only.
std::vector<INPUT_RECORD> QuotedChar(unsigned char Ch)
{
    std::vector<INPUT_RECORD> R(2);
    std::memset(R.data(), 0, sizeof(INPUT_RECORD) * 2);
    for (INPUT_RECORD &Record : R) {
        Record.EventType = KEY_EVENT;
        Record.Event.KeyEvent.bKeyDown = -1;
        Record.Event.KeyEvent.wRepeatCount = 1;
    }
    R[0].Event.KeyEvent.wVirtualKeyCode = 'Q';
    R[0].Event.KeyEvent.uChar.AsciiChar = 0x11;
    R[0].Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    R[1].Event.KeyEvent.wVirtualKeyCode = VK_RIGHT;
    R[1].Event.KeyEvent.uChar.AsciiChar = char(Ch);
    return R;
}

TEST_F(ServiceTest, CtrlQInsertsTheNextKeysCharacterLiterally)
{
    HostSetEditor({"ab"}, 0, 1, -1, false);
    std::vector<INPUT_RECORD> All;
    for (unsigned char Ch : {0x01, 0x0D, 0x1B, 0xE9}) {
        std::vector<INPUT_RECORD> Pair = QuotedChar(Ch);
        All.insert(All.end(), Pair.begin(), Pair.end());
    }
    WriteRecords(All);
    Keys("x");  // an ordinary key after them stays for the editor's loop
    EXPECT_EQ(4, HostProcessPendingEditorInput());
    EXPECT_EQ("a\x01\x0D\x1B\xE9" "b", HostEditorLines()[0]);
    EXPECT_EQ(5, HostEditorCurPos());
    std::vector<INPUT_RECORD> Left = PendingInput();
    ASSERT_EQ(2u, Left.size());  // x down and up
    EXPECT_EQ('x', Left[0].Event.KeyEvent.uChar.AsciiChar);
}

TEST_F(ServiceTest, PendingInputPassesOverKeyUpsAndModifiers)
{
    HostSetEditor({""}, 0, 0, -1, false);
    // A typed Ctrl+Q with its key-up and the Ctrl records, then Shift+A.
    Keys("CtrlQ A");
    EXPECT_EQ(1, HostProcessPendingEditorInput());
    EXPECT_EQ("A", HostEditorLines()[0]);
    EXPECT_TRUE(PendingInput().empty());

    HostCloseEditor();
    WriteRecords(QuotedChar('z'));
    EXPECT_EQ(0, HostProcessPendingEditorInput());  // no editor: nothing taken
    EXPECT_EQ(2u, PendingInput().size());
}

TEST_F(ServiceTest, EditorKeysEditTheLine)
{
    HostSetEditor({"abc"}, 0, 3, -1, false);
    std::vector<INPUT_RECORD> Records;
    std::string Error;
    ASSERT_TRUE(ParseKeySpec("Left Back x Home Del End \"!\" CtrlQ Char(7) AltX", Records, Error));
    int NotTaken = 0;
    for (const INPUT_RECORD &R : Records)
        if (!HostEditorKey(R.Event.KeyEvent)) NotTaken++;
    EXPECT_EQ("xc!\x07", HostEditorLines()[0]);
    EXPECT_EQ(4, HostEditorCurPos());
    EXPECT_EQ(1, NotTaken);  // Alt+X is a command, not a character
}

}  // namespace
