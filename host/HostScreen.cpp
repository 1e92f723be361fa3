// The host's screen model and console: the Text service, flushing the model
// to the console, drawing helpers for the host's boxes, reading keys.
#include "HostInternal.h"

#include <algorithm>
#include <cstring>

namespace {

HANDLE InHandle = INVALID_HANDLE_VALUE;
HANDLE OutHandle = INVALID_HANDLE_VALUE;
bool Started = false;

int Width = 0, Height = 0;
std::vector<CHAR_INFO> Cells;

HostCellWriter WriteCells = nullptr;  // null: WriteConsoleOutputA

int TextCalls = 0;
int FlushRequests = 0;
bool InputEndsUi = false;

// Far's console calls never move more than this many cells at once: large
// single reads fail on older consoles.
const int BandCells = 2000;

CHAR_INFO Blank()
{
    CHAR_INFO Cell;
    std::memset(&Cell, 0, sizeof(Cell));
    Cell.Char.AsciiChar = ' ';
    Cell.Attributes = 0x07;
    return Cell;
}

bool Inside(int X, int Y) { return X >= 0 && Y >= 0 && X < Width && Y < Height; }

// Moves cells of the model from or to the console, in bands of rows.
void TransferModel(bool ToConsole)
{
    if (Width <= 0 || Height <= 0) return;
    int Rows = std::max(1, BandCells / Width);
    for (int Top = 0; Top < Height; Top += Rows) {
        int Bottom = std::min(Height, Top + Rows) - 1;
        COORD Size = {SHORT(Width), SHORT(Bottom - Top + 1)};
        COORD Origin = {0, 0};
        SMALL_RECT Region = {0, SHORT(Top), SHORT(Width - 1), SHORT(Bottom)};
        CHAR_INFO *Band = &Cells[size_t(Top) * Width];
        if (ToConsole && WriteCells)
            WriteCells(OutHandle, Band, Size, Origin, &Region);
        else if (ToConsole)
            WriteConsoleOutputA(OutHandle, Band, Size, Origin, &Region);
        else
            ReadConsoleOutputA(OutHandle, Band, Size, Origin, &Region);
    }
}

}  // namespace

void HostStart()
{
    if (Started) return;
    InHandle = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    OutHandle = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                            nullptr);
    Started = true;
    HostReadConsoleScreen();
}

HANDLE HostInputHandle() { return InHandle; }

void HostSetCellWriter(HostCellWriter Writer) { WriteCells = Writer; }
HANDLE HostOutputHandle() { return OutHandle; }

void HostReset()
{
    HostStart();
    TextCalls = 0;
    FlushRequests = 0;
    InputEndsUi = false;
    HostPluginsReset();
    HostMessagesReset();
    HostEditorReset();
    HostDialogReset();
    HostMenuReset();
    HostHelpReset();
    HostReadConsoleScreen();
}

void HostSetInputEndsUi(bool Ends) { InputEndsUi = Ends; }
bool HostInputEndsUi() { return InputEndsUi; }

// ------------------------------------------------------------ the model --

void HostReadConsoleScreen()
{
    CONSOLE_SCREEN_BUFFER_INFO Info;
    std::memset(&Info, 0, sizeof(Info));
    if (!GetConsoleScreenBufferInfo(OutHandle, &Info)) {
        // No console (output redirected): keep a model of the usual size.
        Info.dwSize.X = 80;
        Info.dwSize.Y = 25;
    }
    Width = Info.dwSize.X;
    Height = Info.dwSize.Y;
    Cells.assign(size_t(Width) * Height, Blank());
    TransferModel(false);
}

int HostScreenWidth() { return Width; }
int HostScreenHeight() { return Height; }

CHAR_INFO HostScreenCell(int X, int Y)
{
    if (!Inside(X, Y)) return Blank();
    return Cells[size_t(Y) * Width + X];
}

std::string HostScreenRow(int Y)
{
    std::string Row;
    for (int X = 0; X < Width; X++) Row += HostScreenCell(X, Y).Char.AsciiChar;
    return Row;
}

void HostFlushScreen() { TransferModel(true); }

int HostTextCalls() { return TextCalls; }
int HostFlushRequests() { return FlushRequests; }

void WINAPI HostText(int X, int Y, int Color, const char *Str)
{
    if (!Str) {
        FlushRequests++;
        HostFlushScreen();
        return;
    }
    TextCalls++;
    HostPutText(X, Y, Str, WORD(Color & 0xFFFF));
}

// ------------------------------------------------------------ drawing --

void HostPutChar(int X, int Y, char Ch, WORD Attr)
{
    if (!Inside(X, Y)) return;
    CHAR_INFO &Cell = Cells[size_t(Y) * Width + X];
    Cell.Char.UnicodeChar = 0;
    Cell.Char.AsciiChar = Ch;
    Cell.Attributes = Attr;
}

void HostPutAttr(int X, int Y, WORD Attr)
{
    if (Inside(X, Y)) Cells[size_t(Y) * Width + X].Attributes = Attr;
}

void HostPutText(int X, int Y, const std::string &S, WORD Attr)
{
    for (size_t I = 0; I < S.size(); I++) HostPutChar(X + int(I), Y, S[I], Attr);
}

void HostFillRect(int X1, int Y1, int X2, int Y2, char Ch, WORD Attr)
{
    for (int Y = Y1; Y <= Y2; Y++)
        for (int X = X1; X <= X2; X++) HostPutChar(X, Y, Ch, Attr);
}

void HostDrawFrame(int X1, int Y1, int X2, int Y2, bool Double, WORD Attr)
{
    char H = char(Double ? BoxH2 : BoxH1), V = char(Double ? BoxV2 : BoxV1);
    for (int X = X1 + 1; X < X2; X++) {
        HostPutChar(X, Y1, H, Attr);
        HostPutChar(X, Y2, H, Attr);
    }
    for (int Y = Y1 + 1; Y < Y2; Y++) {
        HostPutChar(X1, Y, V, Attr);
        HostPutChar(X2, Y, V, Attr);
    }
    HostPutChar(X1, Y1, char(Double ? BoxTL2 : BoxTL1), Attr);
    HostPutChar(X2, Y1, char(Double ? BoxTR2 : BoxTR1), Attr);
    HostPutChar(X1, Y2, char(Double ? BoxBL2 : BoxBL1), Attr);
    HostPutChar(X2, Y2, char(Double ? BoxBR2 : BoxBR1), Attr);
}

void HostDrawFrameTitle(int X1, int X2, int Y, const std::string &Title, WORD Attr)
{
    if (Title.empty()) return;
    std::string Shown = " " + Title + " ";
    int Room = X2 - X1 - 1;
    if (Room <= 0) return;
    if (int(Shown.size()) > Room) Shown.resize(size_t(Room));
    HostPutText(X1 + 1 + (Room - int(Shown.size())) / 2, Y, Shown, Attr);
}

void HostDrawShadow(int X1, int Y1, int X2, int Y2)
{
    for (int Y = Y1 + 1; Y <= Y2 + 1; Y++)
        for (int X = X2 + 1; X <= X2 + 2; X++) HostPutAttr(X, Y, ColShadow);
    for (int X = X1 + 2; X <= X2; X++) HostPutAttr(X, Y2 + 1, ColShadow);
}

std::string StripHotkey(const std::string &S)
{
    std::string Out;
    for (size_t I = 0; I < S.size(); I++) {
        if (S[I] == '&' && I + 1 < S.size()) {
            Out += S[++I];
            continue;
        }
        Out += S[I];
    }
    return Out;
}

int HotkeyPos(const std::string &S)
{
    int Shown = 0;
    for (size_t I = 0; I < S.size(); I++, Shown++) {
        if (S[I] != '&' || I + 1 >= S.size()) continue;
        if (S[++I] != '&') return Shown;  // "&&" is the character itself
    }
    return -1;
}

char HotkeyOf(const std::string &S)
{
    int At = HotkeyPos(S);
    return At < 0 ? 0 : StripHotkey(S)[size_t(At)];
}

void HostPutHotText(int X, int Y, const std::string &S, WORD Attr, WORD HotAttr)
{
    const std::string Shown = StripHotkey(S);
    const int Hot = HotkeyPos(S);
    for (size_t I = 0; I < Shown.size(); I++)
        HostPutChar(X + int(I), Y, Shown[I], int(I) == Hot ? HotAttr : Attr);
}

// -------------------------------------------------------- saved areas --

SavedArea HostSaveArea(int X1, int Y1, int X2, int Y2)
{
    SavedArea Area;
    Area.X1 = X1;
    Area.Y1 = Y1;
    Area.X2 = X2;
    Area.Y2 = Y2;
    for (int Y = Y1; Y <= Y2; Y++)
        for (int X = X1; X <= X2; X++) Area.Cells.push_back(HostScreenCell(X, Y));
    GetConsoleCursorInfo(OutHandle, &Area.Cursor);
    CONSOLE_SCREEN_BUFFER_INFO Info;
    std::memset(&Info, 0, sizeof(Info));
    GetConsoleScreenBufferInfo(OutHandle, &Info);
    Area.CursorPos = Info.dwCursorPosition;
    return Area;
}

void HostRestoreArea(const SavedArea &Area)
{
    size_t I = 0;
    for (int Y = Area.Y1; Y <= Area.Y2; Y++)
        for (int X = Area.X1; X <= Area.X2; X++, I++)
            if (Inside(X, Y)) Cells[size_t(Y) * Width + X] = Area.Cells[I];
    HostFlushScreen();
    if (Area.Cursor.dwSize != 0) SetConsoleCursorInfo(OutHandle, &Area.Cursor);
    SetConsoleCursorPosition(OutHandle, Area.CursorPos);
}

void HostHideCursor()
{
    CONSOLE_CURSOR_INFO Info;
    if (!GetConsoleCursorInfo(OutHandle, &Info)) return;
    Info.bVisible = FALSE;
    SetConsoleCursorInfo(OutHandle, &Info);
}

void HostShowCursorAt(int X, int Y)
{
    COORD Pos = {SHORT(X), SHORT(Y)};
    SetConsoleCursorPosition(OutHandle, Pos);
    CONSOLE_CURSOR_INFO Info;
    if (!GetConsoleCursorInfo(OutHandle, &Info)) return;
    Info.bVisible = TRUE;
    SetConsoleCursorInfo(OutHandle, &Info);
}

// ---------------------------------------------------------------- keys --

HostKey KeyFromRecord(const KEY_EVENT_RECORD &Record)
{
    HostKey Key;
    Key.Vk = Record.wVirtualKeyCode;
    Key.Ch = static_cast<unsigned char>(Record.uChar.AsciiChar);
    DWORD State = Record.dwControlKeyState;
    Key.Ctrl = (State & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    Key.Alt = (State & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    Key.Shift = (State & SHIFT_PRESSED) != 0;
    return Key;
}

// Wine's terminal console reads the terminal only for a peek or a read, not
// for GetNumberOfConsoleInputEvents: peeking is the way to poll.
bool HostInputPending()
{
    INPUT_RECORD Record;
    DWORD Count = 0;
    return PeekConsoleInputA(InHandle, &Record, 1, &Count) && Count > 0;
}

bool HostReadKey(HostKey &Key)
{
    for (;;) {
        if (!HostInputPending()) {
            if (InputEndsUi) return false;
            Sleep(20);
            continue;
        }
        INPUT_RECORD Record;
        DWORD Read = 0;
        if (!ReadConsoleInputA(InHandle, &Record, 1, &Read) || Read != 1) continue;
        if (Record.EventType != KEY_EVENT || !Record.Event.KeyEvent.bKeyDown) continue;
        WORD Vk = Record.Event.KeyEvent.wVirtualKeyCode;
        // Modifiers alone are not key presses for a box.
        if (Vk == VK_SHIFT || Vk == VK_CONTROL || Vk == VK_MENU || Vk == VK_CAPITAL ||
            Vk == VK_NUMLOCK || Vk == VK_SCROLL)
            continue;
        Key = KeyFromRecord(Record.Event.KeyEvent);
        return true;
    }
}
