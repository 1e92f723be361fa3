// libFuzzer target: console input records through one whole opening of the
// plugin in our host, on the substitute console. Afterwards the console must
// look as it did before: screen, title and cursor.
//
// The input: two bytes choose the opening, then every four bytes make one
// input record.
//   byte 0: bits 0-1 where it is opened from (disk menu, panels, editor,
//           viewer), 2-3 TypeMode (3 reads as 1), 4 CopyMode, 5-6 PasteMode
//           (3 reads as 0), 7 ShowWinTable
//   byte 1: bits 0-2 the console's size (Sizes below), 3 ShowEditorChar,
//           4 ShowCmdlineChar, 5 a Windows 9x console, 6 a host whose record
//           ends before ShowHelp
//   record: byte 0 bits 0-1 the kind (key down, key up, mouse, other), bits
//           2-7 control keys (ControlBits); a key: vk, character, more
//           control keys; a mouse event: x, y, buttons and flags (bits 0-1
//           buttons, 2-4 MOUSE_MOVED, DOUBLE_CLICK, MOUSE_WHEELED)
#include "ChartLoop.h"
#include "ChartView.h"
#include "CodeTables.h"
#include "ConsoleReset.h"
#include "Exchange.h"
#include "Exports.h"
#include "Host.h"
#include "HostInfo.h"
#include "InputRecords.h"
#include "Messages.h"
#include "Screen.h"
#include "Settings.h"
#include "StartUp.h"

#include <winsim.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const struct {
    int Width, Height;
} Sizes[8] = {{80, 25}, {120, 40}, {40, 12}, {42, 17}, {20, 6}, {1, 1}, {200, 60}, {80, 300}};

const DWORD ControlBits[8] = {LEFT_CTRL_PRESSED, LEFT_ALT_PRESSED,  SHIFT_PRESSED,
                              RIGHT_CTRL_PRESSED, RIGHT_ALT_PRESSED, NUMLOCK_ON,
                              ENHANCED_KEY,       CAPSLOCK_ON};
const int Origins[4] = {OPEN_DISKMENU, OPEN_PLUGINSMENU, OPEN_EDITOR, OPEN_VIEWER};
const size_t MaxRecords = 1000;

[[noreturn]] void Fail(const char *What) {
    std::fprintf(stderr, "input_fuzzer: %s\n", What);
    std::abort();
}

DWORD Control(uint8_t Bits, int First) {
    DWORD State = 0;
    for (int I = 0; I < 8 - First; I++)
        if (Bits & (1 << I)) State |= ControlBits[First + I];
    return State;
}

INPUT_RECORD Record(const uint8_t *B) {
    switch (B[0] & 3) {
    case 0:
    case 1:
        return KeyRecord(B[1], B[2], Control(B[0] >> 2, 0) | Control(B[3], 6), (B[0] & 3) == 0);
    case 2: {
        const DWORD Flags[8] = {0, MOUSE_MOVED, DOUBLE_CLICK, MOUSE_WHEELED,
                                MOUSE_MOVED | DOUBLE_CLICK, 0, 0, 0};
        return MouseRecord(B[1], B[2], B[3] & 3, Flags[(B[3] >> 2) & 7], Control(B[0] >> 2, 0));
    }
    default: {
        INPUT_RECORD R = {};
        const WORD Kinds[4] = {FOCUS_EVENT, MENU_EVENT, WINDOW_BUFFER_SIZE_EVENT, 0x20};
        R.EventType = Kinds[(B[0] >> 2) & 3];
        R.Event.KeyEvent.bKeyDown = B[1];  // whatever the union holds
        return R;
    }
    }
}

// The harness closes the window with Esc keys after the records; nested
// host boxes may take several. More are given when the input has run out
// and the plugin still waits; calls that go on with input waiting are a
// loop that never ends.
int Refills = 0;
long CallsPerRefill = 0;

void OutOfCalls() {
    if (!winsim::PendingInput().empty() || ++Refills > 20)
        Fail("the opening does not end: still calling with input waiting");
    for (int I = 0; I < 4; I++) winsim::PushInput(KeyRecord(VK_ESCAPE, 27, 0));
    winsim::SetCallLimit(CallsPerRefill, OutOfCalls);
}

// The module's state as when it is loaded.
void ResetPlugin() {
    ResetConsole();
    std::memset(&HostInfo, 0, sizeof(HostInfo));
    Settings = PluginSettings();
    Chart = ChartState();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
    if (Size < 2) return 0;
    const uint8_t Opening = Data[0], Console = Data[1];
    const size_t Count = std::min((Size - 2) / 4, MaxRecords);

    winsim::Reset();
    const auto &Screen = Sizes[Console & 7];
    winsim::SetConsoleSize(Screen.Width, Screen.Height);
    for (int Y = 0; Y < Screen.Height; Y++)
        for (int X = 0; X < Screen.Width; X++)
            winsim::SetCell(X, Y, char('0' + (X + Y) % 64), WORD((X * 3 + Y) & 0xFF));
    winsim::SetTitle("Far");
    winsim::SetCursorInfo(12, TRUE);
    winsim::SetCursorPos(Screen.Width - 1, Screen.Height - 1);
    winsim::SetPlatformNT(!(Console & 0x20));
    winsim::SetClipboardText("clip\r\nboard");

    ResetPlugin();
    HostReset();
    HostSetInputEndsUi(true);
    const int Module = HostAddPlugin(QUORREL_DIST_DIR "/Quorrel.dll");
    HostSetEditor({"hello, world", "second"}, 0, 4, -1, false);
    HostSetCmdLine("dir", 3);
    ConsoleStart();  // the module is loaded
    QuorrelStart();
    const int Full = int(sizeof(PluginStartupInfo));
    SetStartupInfo(HostStartupInfo(Module, Console & 0x40 ? StartupInfoWithShowHelp - 1 : Full));
    const int32_t Modes[4] = {0, 1, 2, 1}, PasteModes[4] = {0, 1, 2, 0};
    Settings.TypeMode = Typing(Modes[Opening >> 2 & 3]);
    Settings.CopyMode = Opening & 0x10;
    Settings.PasteMode = Paste(PasteModes[Opening >> 5 & 3]);
    Settings.ShowWinTable = Opening & 0x80;
    Settings.ShowEditorChar = Console & 0x08;
    Settings.ShowCmdlineChar = Console & 0x10;

    for (size_t I = 0; I < Count; I++) winsim::PushInput(Record(Data + 2 + 4 * I));
    for (int I = 0; I < 4; I++) winsim::PushInput(KeyRecord(VK_ESCAPE, 27, 0));
    const std::vector<CHAR_INFO> Before = winsim::Screen();
    const CONSOLE_CURSOR_INFO Cursor = winsim::CursorInfo();
    const COORD Pos = winsim::CursorPos();

    Refills = 0;
    CallsPerRefill = 5000 + 200 * long(Count);
    winsim::SetCallLimit(CallsPerRefill, OutOfCalls);
    OpenPlugin(Origins[Opening & 3], 0);
    winsim::SetCallLimit(0, nullptr);

    const std::vector<CHAR_INFO> After = winsim::Screen();
    for (size_t I = 0; I < After.size(); I++)
        if (After[I].Char.AsciiChar != Before[I].Char.AsciiChar ||
            After[I].Attributes != Before[I].Attributes)
            Fail("the screen was not restored");
    if (winsim::Title() != "Far") Fail("the title was not restored");
    const CONSOLE_CURSOR_INFO CursorAfter = winsim::CursorInfo();
    if (CursorAfter.dwSize != Cursor.dwSize || CursorAfter.bVisible != Cursor.bVisible)
        Fail("the cursor's shape was not restored");
    if (winsim::CursorPos().X != Pos.X || winsim::CursorPos().Y != Pos.Y)
        Fail("the cursor was not put back");
    ConsoleEnd();  // and unloaded
    return 0;
}
