// Key scripts into input records.
#include "HostTestUtil.h"

namespace {

// One expected record: D(own)/U(p) key, or M(ouse).
struct Rec {
    char Kind;
    WORD Vk;       // key: virtual key; mouse: X
    WORD Scan;     // key: scan code; mouse: Y
    unsigned Ch;   // key: character; mouse: buttons
    DWORD State;   // control state
    DWORD Flags = 0;  // mouse: event flags
};

const DWORD Num = NUMLOCK_ON, Enh = ENHANCED_KEY, Ctl = LEFT_CTRL_PRESSED,
            Alt = LEFT_ALT_PRESSED, Sh = SHIFT_PRESSED;

struct SpecRow {
    const char *Spec;
    std::vector<Rec> Records;
};

void ExpectRecords(const SpecRow &Row)
{
    SCOPED_TRACE(Row.Spec);
    std::vector<INPUT_RECORD> Got;
    std::string Error;
    ASSERT_TRUE(ParseKeySpec(Row.Spec, Got, Error)) << Error;
    ASSERT_EQ(Row.Records.size(), Got.size());
    for (size_t I = 0; I < Got.size(); I++) {
        SCOPED_TRACE("record " + std::to_string(I) + ": " + DescribeInputRecord(Got[I]));
        const Rec &E = Row.Records[I];
        if (E.Kind == 'M') {
            ASSERT_EQ(MOUSE_EVENT, Got[I].EventType);
            const MOUSE_EVENT_RECORD &M = Got[I].Event.MouseEvent;
            EXPECT_EQ(E.Vk, M.dwMousePosition.X);
            EXPECT_EQ(E.Scan, M.dwMousePosition.Y);
            EXPECT_EQ(E.Ch, M.dwButtonState);
            EXPECT_EQ(E.State, M.dwControlKeyState);
            EXPECT_EQ(E.Flags, M.dwEventFlags);
            continue;
        }
        ASSERT_EQ(KEY_EVENT, Got[I].EventType);
        const KEY_EVENT_RECORD &K = Got[I].Event.KeyEvent;
        EXPECT_EQ(E.Kind == 'D', K.bKeyDown != 0);
        EXPECT_EQ(1, K.wRepeatCount);
        EXPECT_EQ(E.Vk, K.wVirtualKeyCode);
        EXPECT_EQ(E.Scan, K.wVirtualScanCode);
        EXPECT_EQ(E.Ch, unsigned(static_cast<unsigned char>(K.uChar.AsciiChar)));
        EXPECT_EQ(0, K.uChar.UnicodeChar >> 8);
        EXPECT_EQ(E.State, K.dwControlKeyState);
    }
}

TEST(KeySpec, RecordsAsARealConsoleGivesThem)
{
    const SpecRow Rows[] = {
        {"Right", {{'D', VK_RIGHT, 0x4D, 0, Num | Enh}, {'U', VK_RIGHT, 0x4D, 0, Num | Enh}}},
        {"enter", {{'D', VK_RETURN, 0x1C, 13, Num}, {'U', VK_RETURN, 0x1C, 13, Num}}},
        {"Esc", {{'D', VK_ESCAPE, 0x01, 27, Num}, {'U', VK_ESCAPE, 0x01, 27, Num}}},
        {"F1", {{'D', VK_F1, 0x3B, 0, Num}, {'U', VK_F1, 0x3B, 0, Num}}},
        {"F12", {{'D', VK_F12, 0x58, 0, Num}, {'U', VK_F12, 0x58, 0, Num}}},
        {"ShiftF9",
         {{'D', VK_SHIFT, 0x2A, 0, Num | Sh},
          {'D', VK_F9, 0x43, 0, Num | Sh},
          {'U', VK_F9, 0x43, 0, Num | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num}}},
        {"CtrlEnter",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'D', VK_RETURN, 0x1C, 10, Num | Ctl},
          {'U', VK_RETURN, 0x1C, 10, Num | Ctl},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"AltRight",
         {{'D', VK_MENU, 0x38, 0, Num | Alt},
          {'D', VK_RIGHT, 0x4D, 0, Num | Alt | Enh},
          {'U', VK_RIGHT, 0x4D, 0, Num | Alt | Enh},
          {'U', VK_MENU, 0x38, 0, Num}}},
        {"CtrlC",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'D', 'C', 0x2E, 3, Num | Ctl},
          {'U', 'C', 0x2E, 3, Num | Ctl},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"CtrlIns",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'D', VK_INSERT, 0x52, 0, Num | Ctl | Enh},
          {'U', VK_INSERT, 0x52, 0, Num | Ctl | Enh},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"CtrlAdd",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'D', VK_ADD, 0x4E, 0, Num | Ctl},
          {'U', VK_ADD, 0x4E, 0, Num | Ctl},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"Add", {{'D', VK_ADD, 0x4E, '+', Num}, {'U', VK_ADD, 0x4E, '+', Num}}},
        {"CtrlShiftZ",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'D', VK_SHIFT, 0x2A, 0, Num | Ctl | Sh},
          {'D', 'Z', 0x2C, 26, Num | Ctl | Sh},
          {'U', 'Z', 0x2C, 26, Num | Ctl | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num | Ctl},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"AltX",
         {{'D', VK_MENU, 0x38, 0, Num | Alt},
          {'D', 'X', 0x2D, 'x', Num | Alt},
          {'U', 'X', 0x2D, 'x', Num | Alt},
          {'U', VK_MENU, 0x38, 0, Num}}},
        {"x", {{'D', 'X', 0x2D, 'x', Num}, {'U', 'X', 0x2D, 'x', Num}}},
        {"X",
         {{'D', VK_SHIFT, 0x2A, 0, Num | Sh},
          {'D', 'X', 0x2D, 'X', Num | Sh},
          {'U', 'X', 0x2D, 'X', Num | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num}}},
        {"7", {{'D', '7', 0x08, '7', Num}, {'U', '7', 0x08, '7', Num}}},
        {"#",
         {{'D', VK_SHIFT, 0x2A, 0, Num | Sh},
          {'D', '3', 0x04, '#', Num | Sh},
          {'U', '3', 0x04, '#', Num | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num}}},
        {"/", {{'D', VK_OEM_2, 0x35, '/', Num}, {'U', VK_OEM_2, 0x35, '/', Num}}},
        {"\"a b\"",
         {{'D', 'A', 0x1E, 'a', Num},
          {'U', 'A', 0x1E, 'a', Num},
          {'D', VK_SPACE, 0x39, ' ', Num},
          {'U', VK_SPACE, 0x39, ' ', Num},
          {'D', 'B', 0x30, 'b', Num},
          {'U', 'B', 0x30, 'b', Num}}},
        {"\"\\\"\"",
         {{'D', VK_SHIFT, 0x2A, 0, Num | Sh},
          {'D', VK_OEM_7, 0x28, '"', Num | Sh},
          {'U', VK_OEM_7, 0x28, '"', Num | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num}}},
        {"Char(233)", {{'D', 0, 0, 233, Num}, {'U', 0, 0, 233, Num}}},
        {"Char(0x41)",
         {{'D', VK_SHIFT, 0x2A, 0, Num | Sh},
          {'D', 'A', 0x1E, 'A', Num | Sh},
          {'U', 'A', 0x1E, 'A', Num | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num}}},
        {"NumLockOff Up NumLockOn Up",
         {{'D', VK_UP, 0x48, 0, Enh},
          {'U', VK_UP, 0x48, 0, Enh},
          {'D', VK_UP, 0x48, 0, Num | Enh},
          {'U', VK_UP, 0x48, 0, Num | Enh}}},
        {"CtrlAltShiftDown CtrlAltShiftUp",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'D', VK_MENU, 0x38, 0, Num | Ctl | Alt},
          {'D', VK_SHIFT, 0x2A, 0, Num | Ctl | Alt | Sh},
          {'U', VK_SHIFT, 0x2A, 0, Num | Ctl | Alt},
          {'U', VK_MENU, 0x38, 0, Num | Ctl},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"Click(5,3)", {{'M', 5, 3, 1, Num, 0}, {'M', 5, 3, 0, Num, 0}}},
        {"Press(0,24) Release(79,0)", {{'M', 0, 24, 1, Num, 0}, {'M', 79, 0, 0, Num, 0}}},
        {"DoubleClick(10,6)",
         {{'M', 10, 6, 1, Num, 0},
          {'M', 10, 6, 0, Num, 0},
          {'M', 10, 6, 1, Num, DOUBLE_CLICK},
          {'M', 10, 6, 0, Num, 0}}},
        {"CtrlDoubleClick(10,6)",
         {{'D', VK_CONTROL, 0x1D, 0, Num | Ctl},
          {'M', 10, 6, 1, Num | Ctl, 0},
          {'M', 10, 6, 0, Num | Ctl, 0},
          {'M', 10, 6, 1, Num | Ctl, DOUBLE_CLICK},
          {'M', 10, 6, 0, Num | Ctl, 0},
          {'U', VK_CONTROL, 0x1D, 0, Num}}},
        {"Drag(2,3) Move(4,5)",
         {{'M', 2, 3, 1, Num, MOUSE_MOVED}, {'M', 4, 5, 0, Num, MOUSE_MOVED}}},
        {"RightClick(1,1)", {{'M', 1, 1, 2, Num, 0}, {'M', 1, 1, 0, Num, 0}}},
        {"", {}},
    };
    for (const SpecRow &Row : Rows) ExpectRecords(Row);
}

TEST(KeySpec, BadTokensAreErrors)
{
    const char *Bad[] = {"Bogus", "CtrlBogus", "Ctrl", "Click(1)", "Click(a,b)", "Wiggle(1,2)",
                         "\"open", "Char(0)", "Char(256)", "Char(x)", "Right Fx"};
    for (const char *Spec : Bad) {
        SCOPED_TRACE(Spec);
        std::vector<INPUT_RECORD> Records;
        std::string Error;
        EXPECT_FALSE(ParseKeySpec(Spec, Records, Error));
        EXPECT_FALSE(Error.empty());
    }
}

class WriteKeysTest : public HostTest {};

TEST_F(WriteKeysTest, ScriptsReachTheConsoleInput)
{
    Keys("ShiftF9 Click(3,4)");
    std::vector<INPUT_RECORD> Got = PendingInput();
    ASSERT_EQ(6u, Got.size());
    EXPECT_EQ(VK_F9, Got[1].Event.KeyEvent.wVirtualKeyCode);
    EXPECT_EQ(DWORD(Num | Sh), Got[1].Event.KeyEvent.dwControlKeyState);
    EXPECT_EQ(MOUSE_EVENT, Got[4].EventType);
    EXPECT_EQ(4, Got[4].Event.MouseEvent.dwMousePosition.Y);
    EXPECT_FALSE(HostWriteKeys("Nonsense"));
    EXPECT_TRUE(PendingInput().empty());
}

}  // namespace
