// The console as the program finds it, and what Wine's terminal console does
// not do by itself: it keeps the size the terminal had when the program
// started, so ./run relays every later size (it catches SIGWINCH) through a
// small file named in QUORREL_TERMINAL_SIZE_FILE, and the program resizes
// the console to match.
#include "HostInternal.h"
#include "Program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

bool ConsoleAvailable()
{
    CONSOLE_SCREEN_BUFFER_INFO Info;
    return GetConsoleScreenBufferInfo(HostOutputHandle(), &Info) != 0;
}

#ifdef _WIN32

bool RunningUnderWine()
{
    HMODULE Ntdll = GetModuleHandleA("ntdll.dll");
    return Ntdll && GetProcAddress(Ntdll, "wine_get_version");
}

bool FollowTerminalSize()
{
    static const char *File = std::getenv("QUORREL_TERMINAL_SIZE_FILE");
    static DWORD LastLook = 0;
    if (!File || !*File) return false;
    // A look every fifth of a second: WaitInput polls every 20 ms.
    DWORD Now = GetTickCount();
    if (Now - LastLook < 200) return false;
    LastLook = Now;
    FILE *F = std::fopen(File, "r");
    if (!F) return false;
    int Cols = 0, Rows = 0;
    bool Read = std::fscanf(F, "%d %d", &Cols, &Rows) == 2;
    std::fclose(F);
    if (!Read || Cols < 10 || Rows < 5 || Cols > 2000 || Rows > 2000) return false;
    CONSOLE_SCREEN_BUFFER_INFO Info;
    if (!GetConsoleScreenBufferInfo(HostOutputHandle(), &Info)) return false;
    if (Info.dwSize.X == Cols && Info.dwSize.Y == Rows) return false;
    // The window must fit the buffer at every step: shrink the window
    // before the buffer, grow the buffer before the window.
    COORD Size = {SHORT(Cols), SHORT(Rows)};
    SMALL_RECT Window = {0, 0, SHORT(Cols - 1), SHORT(Rows - 1)};
    SMALL_RECT Within = {0, 0, SHORT(std::min<int>(Cols, Info.dwSize.X) - 1),
                         SHORT(std::min<int>(Rows, Info.dwSize.Y) - 1)};
    SetConsoleWindowInfo(HostOutputHandle(), TRUE, &Within);
    SetConsoleScreenBufferSize(HostOutputHandle(), Size);
    SetConsoleWindowInfo(HostOutputHandle(), TRUE, &Window);
    return true;
}

#else

// Natively the console is winsim's: no terminal to follow or paint over.
bool RunningUnderWine() { return false; }
bool FollowTerminalSize() { return false; }

#endif
