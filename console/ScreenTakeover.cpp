// ScreenTakeover: the console opened when the module loads, taken over by
// an opening (title, cursor, size) and given back; the cursor as the chart
// sets it; small helpers of the console library.
#include "Screen.h"

#include <cstring>
#include <vector>

// Natively the module's start-up is a constructor of the shared object, and
// the order of constructors across files is not fixed: the state it sets up
// is constructed before every other.
#if defined(__GNUC__) && !defined(_WIN32)
__attribute__((init_priority(101)))
#endif
ScreenState Screen;

namespace {

// Console titles are at most 64 KiB; a longer answer is not believed.
const DWORD MaxTitleBytes = 65536;

void CloseConsoleHandle(HANDLE &Handle) {
    if (Handle != nullptr && Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    Handle = nullptr;
}

bool HandleOpen(HANDLE Handle) {
    return Handle != nullptr && Handle != INVALID_HANDLE_VALUE;
}

// ------------------------------------------------------ console state --

bool ReadBufferInfo(CONSOLE_SCREEN_BUFFER_INFO &Info) {
    for (int Try = 0; Try < 2; Try++)
        if (GetConsoleScreenBufferInfo(Screen.OutputHandle, &Info)) return true;
    return false;
}

// The whole title, however long: the buffer grows to what the console says
// it holds. An empty title reads as 0 without an error.
bool ReadTitle(std::string &Title) {
    std::vector<char> Buf(401);
    int Failures = 0;
    for (;;) {
        Buf[0] = 0;
        SetLastError(ERROR_SUCCESS);
        const DWORD Got = GetConsoleTitleA(Buf.data(), DWORD(Buf.size()));
        if (Got == 0) {
            const DWORD Error = GetLastError();
            if (Error == ERROR_SUCCESS) {
                Title.clear();
                return true;
            }
            if (Error == ERROR_INSUFFICIENT_BUFFER && Buf.size() < MaxTitleBytes) {
                Buf.resize(Buf.size() * 2);
                continue;
            }
            if (++Failures < 2) continue;
            return false;
        }
        // A title that fills the buffer may have been cut: ask again with room.
        if (Got >= Buf.size() - 1 && Buf.size() < MaxTitleBytes) {
            Buf.resize(MinInt(int(MaxTitleBytes), MaxInt(int(Got) + 2, int(Buf.size()) * 2)));
            continue;
        }
        Buf.back() = 0;
        Title.assign(Buf.data(), strnlen(Buf.data(), MinInt(int(Got), int(Buf.size()))));
        return true;
    }
}

void SetTitle(const std::string &Title) {
    for (int Try = 0; Try < 2; Try++)
        if (SetConsoleTitleA(Title.c_str())) return;
}

}  // namespace

// ------------------------------------------------------------ start, end --

void ConsoleStart() {
    if (Screen.StartCount++ > 0) return;
    Screen.NotNT = !IsNT();
    Screen.InputHandle = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    Screen.OutputHandle = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    // Only the size counts at load: the first opening tells by it whether the
    // console was resized since. The title and the cursor are saved by each
    // opening.
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    if (ReadBufferInfo(Info)) {
        Screen.ScreenWidth = Info.dwSize.X;
        Screen.ScreenHeight = Info.dwSize.Y;
    }
    if (const UINT CodePage = GetConsoleOutputCP()) Screen.OutputCodePage = CodePage;
}

void ConsoleEnd() {
    if (Screen.StartCount == 0 || --Screen.StartCount > 0) return;
    CloseConsoleHandle(Screen.InputHandle);
    CloseConsoleHandle(Screen.OutputHandle);
}

bool IsNT() {
    static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA layout");
    OSVERSIONINFOA Info = {};
    Info.dwOSVersionInfoSize = sizeof Info;
    return GetVersionExA(&Info) && Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// ------------------------------------------------------- console state --

bool ConsoleAvailable() {
    CONSOLE_SCREEN_BUFFER_INFO Info;
    return HandleOpen(Screen.InputHandle) && HandleOpen(Screen.OutputHandle) &&
           ReadBufferInfo(Info);
}

// Each read is tried twice. The size is what a screen cannot do without:
// without it nothing is recorded and the result is false.
bool SaveConsoleState() {
    ForgetCursor();
    Screen.SavedTitleValid = ReadTitle(Screen.SavedTitle);
    if (!Screen.SavedTitleValid) Screen.SavedTitle.clear();
    Screen.SavedCursorInfoValid = false;
    for (int Try = 0; Try < 2 && !Screen.SavedCursorInfoValid; Try++)
        Screen.SavedCursorInfoValid =
            GetConsoleCursorInfo(Screen.OutputHandle, &Screen.SavedCursorInfo) != 0;
    if (!Screen.SavedCursorInfoValid) Screen.SavedCursorInfo = {};
    // What was just read is what the cursor is.
    Screen.KnownCursorShape = Screen.SavedCursorInfo;
    Screen.CursorShapeKnown = Screen.SavedCursorInfoValid;
    // A full-cell cursor goes back as 99, the size BlockCursor uses.
    if (Screen.SavedCursorInfo.dwSize == 100) Screen.SavedCursorInfo.dwSize = 99;
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    if (!ReadBufferInfo(Info)) return false;
    Screen.ScreenSizeChanged =
        Info.dwSize.X != Screen.ScreenWidth || Info.dwSize.Y != Screen.ScreenHeight;
    Screen.ScreenWidth = Info.dwSize.X;
    Screen.ScreenHeight = Info.dwSize.Y;
    Screen.SavedCursorPos = Info.dwCursorPosition;
    Screen.KnownCursorPos = Screen.SavedCursorPos;
    Screen.CursorPosKnown = true;
    // Key translation off NT and the chart's Unicode identity of a cell ask
    // for it; a console may have changed it since the last opening.
    if (const UINT CodePage = GetConsoleOutputCP()) Screen.OutputCodePage = CodePage;
    return true;
}

// Only what was saved is put back; a call that fails is tried once more.
void RestoreConsoleState() {
    if (Screen.SavedTitleValid) SetTitle(Screen.SavedTitle);
    for (int Try = 0; Screen.SavedCursorInfoValid && Try < 2; Try++)
        if (SetConsoleCursorInfo(Screen.OutputHandle, &Screen.SavedCursorInfo)) break;
    for (int Try = 0; Try < 2; Try++)
        if (SetConsoleCursorPosition(Screen.OutputHandle, Screen.SavedCursorPos)) break;
}

bool OpenScreen(const std::string &Title) {
    if (!SaveConsoleState()) return false;
    AllocScreens();
    // A title that could not be saved could not be put back either.
    if (Screen.SavedTitleValid) SetTitle(Screen.NotNT ? OemToAnsiText(Title) : Title);
    return true;
}

void CloseScreen() {
    FreeScreens();
    RestoreConsoleState();
}

// --------------------------------------------------------------- cursor --

void ForgetCursor() {
    Screen.CursorShapeKnown = Screen.CursorPosKnown = false;
}

// A shape that could not be saved at opening is never changed: it could not
// be put back.
void SetCursorShape(DWORD Size, BOOL Visible) {
    if (!Screen.SavedCursorInfoValid) return;
    if (!Screen.CursorShapeKnown) {
        Screen.KnownCursorShape = {};
        Screen.CursorShapeKnown =
            GetConsoleCursorInfo(Screen.OutputHandle, &Screen.KnownCursorShape) != 0;
    }
    if (Screen.CursorShapeKnown && Screen.KnownCursorShape.dwSize == Size &&
        (Screen.KnownCursorShape.bVisible != 0) == (Visible != 0))
        return;
    CONSOLE_CURSOR_INFO Info;
    Info.dwSize = Size;
    Info.bVisible = Visible;
    Screen.CursorShapeKnown = SetConsoleCursorInfo(Screen.OutputHandle, &Info) != 0;
    if (Screen.CursorShapeKnown) Screen.KnownCursorShape = Info;
}

void BlockCursor() {
    SetCursorShape(99, -1);
}

void LineCursor() {
    SetCursorShape(18, -1);
}

void MoveCursor(int X, int Y) {
    if (!Screen.CursorPosKnown) {
        CONSOLE_SCREEN_BUFFER_INFO Info = {};
        Screen.CursorPosKnown = GetConsoleScreenBufferInfo(Screen.OutputHandle, &Info) != 0;
        Screen.KnownCursorPos = Info.dwCursorPosition;
    }
    if (Screen.CursorPosKnown && X == Screen.KnownCursorPos.X && Y == Screen.KnownCursorPos.Y)
        return;
    const COORD Pos = PackCoord(X, Y);
    Screen.CursorPosKnown = SetConsoleCursorPosition(Screen.OutputHandle, Pos) != 0;
    if (Screen.CursorPosKnown) Screen.KnownCursorPos = Pos;
}

void CursorTo(int X, int Y) {
    MoveCursor(X + Screen.BoxX1, Y + Screen.BoxY1);
}

// -------------------------------------------------------------- helpers --

COORD PackCoord(int X, int Y) {
    COORD C;
    C.X = SHORT(X);
    C.Y = SHORT(Y);
    return C;
}

SMALL_RECT MakeRect(SHORT Left, SHORT Top, SHORT Right, SHORT Bottom) {
    SMALL_RECT R;
    R.Left = Left;
    R.Top = Top;
    R.Right = Right;
    R.Bottom = Bottom;
    return R;
}

std::string OemToAnsiText(const std::string &S) {
    std::string Result(S.size(), '\0');
    if (!S.empty()) OemToCharBuffA(S.data(), &Result[0], DWORD(S.size()));
    return Result;
}

std::string RepeatChar(char Ch, int N) {
    return N > 0 ? std::string(size_t(N), Ch) : std::string();
}
