// quorrel-timing: loads the plugin module as the host does and times it through
// its own imports. The console calls the module makes are routed through
// counting stand-ins in its import table, so the figures are those of the
// module's calls to the real console:
//
//   opening     from OpenPlugin to the first frame written to the console
//   queued      per key with keys typed ahead (a press and a release each):
//               time and console calls, over an opening that closes at once
//   idle        from a key written into the console input while the chart
//               waits to its frame on the console (from another thread)
//
// Run it under Wine through bench/wine-timing.sh; --help says more.
#include "Figures.h"
#include "Host.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// --------------------------------------------- the module's console calls --

volatile LONG ConsoleCalls = 0;
volatile LONG FramesWritten = 0;
volatile double LastFrameAt = 0;  // ms, when the last frame write returned
volatile LONG FrameMark = 0;      // the frame whose time goes to FrameMarkAt
volatile double FrameMarkAt = 0;
HANDLE FrameEvent = nullptr;

// With --trace, each call of one opening is noted with its time.
bool Tracing = false;
std::vector<std::pair<double, const char *>> Trace;

void Count(const char *Name) {
    InterlockedIncrement(&ConsoleCalls);
    if (Tracing) Trace.push_back({Now(), Name});
}

#define REAL(Name) decltype(&Name) Real##Name = nullptr

REAL(WriteConsoleOutputA);
REAL(ReadConsoleOutputA);
REAL(PeekConsoleInputA);
REAL(ReadConsoleInputA);
REAL(ReadConsoleA);
REAL(GetConsoleScreenBufferInfo);
REAL(GetConsoleCursorInfo);
REAL(SetConsoleCursorInfo);
REAL(SetConsoleCursorPosition);
REAL(GetConsoleTitleA);
REAL(SetConsoleTitleA);
REAL(GetConsoleOutputCP);
REAL(WaitForSingleObject);
REAL(Sleep);

BOOL WINAPI CountedWriteConsoleOutputA(HANDLE H, const CHAR_INFO *B, COORD S, COORD C, PSMALL_RECT R) {
    BOOL Ok = RealWriteConsoleOutputA(H, B, S, C, R);
    const double At = Now();
    LastFrameAt = At;
    if (InterlockedIncrement(&FramesWritten) == FrameMark) FrameMarkAt = At;
    Count("WriteConsoleOutputA");
    SetEvent(FrameEvent);
    return Ok;
}
BOOL WINAPI CountedReadConsoleOutputA(HANDLE H, PCHAR_INFO B, COORD S, COORD C, PSMALL_RECT R) {
    Count("ReadConsoleOutputA");
    return RealReadConsoleOutputA(H, B, S, C, R);
}
BOOL WINAPI CountedPeekConsoleInputA(HANDLE H, PINPUT_RECORD B, DWORD L, LPDWORD N) {
    Count("PeekConsoleInputA");
    return RealPeekConsoleInputA(H, B, L, N);
}
BOOL WINAPI CountedReadConsoleInputA(HANDLE H, PINPUT_RECORD B, DWORD L, LPDWORD N) {
    Count("ReadConsoleInputA");
    return RealReadConsoleInputA(H, B, L, N);
}
BOOL WINAPI CountedReadConsoleA(HANDLE H, LPVOID B, DWORD L, LPDWORD N, PCONSOLE_READCONSOLE_CONTROL C) {
    Count("ReadConsoleA");
    return RealReadConsoleA(H, B, L, N, C);
}
BOOL WINAPI CountedGetConsoleScreenBufferInfo(HANDLE H, PCONSOLE_SCREEN_BUFFER_INFO I) {
    Count("GetConsoleScreenBufferInfo");
    return RealGetConsoleScreenBufferInfo(H, I);
}
BOOL WINAPI CountedGetConsoleCursorInfo(HANDLE H, PCONSOLE_CURSOR_INFO I) {
    Count("GetConsoleCursorInfo");
    return RealGetConsoleCursorInfo(H, I);
}
BOOL WINAPI CountedSetConsoleCursorInfo(HANDLE H, const CONSOLE_CURSOR_INFO *I) {
    Count("SetConsoleCursorInfo");
    return RealSetConsoleCursorInfo(H, I);
}
BOOL WINAPI CountedSetConsoleCursorPosition(HANDLE H, COORD P) {
    Count("SetConsoleCursorPosition");
    return RealSetConsoleCursorPosition(H, P);
}
DWORD WINAPI CountedGetConsoleTitleA(LPSTR T, DWORD S) {
    Count("GetConsoleTitleA");
    return RealGetConsoleTitleA(T, S);
}
BOOL WINAPI CountedSetConsoleTitleA(LPCSTR T) {
    Count("SetConsoleTitleA");
    return RealSetConsoleTitleA(T);
}
UINT WINAPI CountedGetConsoleOutputCP() {
    Count("GetConsoleOutputCP");
    return RealGetConsoleOutputCP();
}
DWORD WINAPI CountedWaitForSingleObject(HANDLE H, DWORD Ms) {
    Count("WaitForSingleObject");
    return RealWaitForSingleObject(H, Ms);
}
void WINAPI CountedSleep(DWORD Ms) {
    Count("Sleep");
    RealSleep(Ms);
}

struct Import {
    const char *Name;
    void **Real;
    void *Counted;
};

#define IMPORT(Name) {#Name, reinterpret_cast<void **>(&Real##Name), reinterpret_cast<void *>(&Counted##Name)}

Import Imports[] = {
    IMPORT(WriteConsoleOutputA),        IMPORT(ReadConsoleOutputA),   IMPORT(PeekConsoleInputA),
    IMPORT(ReadConsoleInputA),          IMPORT(ReadConsoleA),         IMPORT(GetConsoleScreenBufferInfo),
    IMPORT(GetConsoleCursorInfo),       IMPORT(SetConsoleCursorInfo), IMPORT(SetConsoleCursorPosition),
    IMPORT(GetConsoleTitleA),           IMPORT(SetConsoleTitleA),     IMPORT(GetConsoleOutputCP),
    IMPORT(WaitForSingleObject),        IMPORT(Sleep),
};

// Points the module's imports from KERNEL32 at the counting stand-ins. The
// real functions are taken from KERNEL32 itself, so that a function the
// module does not import still has one.
void RouteImports(HMODULE Module) {
    HMODULE Kernel = GetModuleHandleA("kernel32.dll");
    for (Import &I : Imports) *I.Real = reinterpret_cast<void *>(GetProcAddress(Kernel, I.Name));
    BYTE *Base = reinterpret_cast<BYTE *>(Module);
    const IMAGE_NT_HEADERS *Nt =
        reinterpret_cast<const IMAGE_NT_HEADERS *>(Base + reinterpret_cast<IMAGE_DOS_HEADER *>(Base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &Dir = Nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *D = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(Base + Dir.VirtualAddress); D->Name; D++) {
        if (lstrcmpiA(reinterpret_cast<const char *>(Base + D->Name), "KERNEL32.dll") != 0) continue;
        auto *Names = reinterpret_cast<IMAGE_THUNK_DATA *>(Base + D->OriginalFirstThunk);
        auto *Slots = reinterpret_cast<IMAGE_THUNK_DATA *>(Base + D->FirstThunk);
        for (; Names->u1.AddressOfData; Names++, Slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(Names->u1.Ordinal)) continue;
            const char *Name =
                reinterpret_cast<const char *>(reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(Base + Names->u1.AddressOfData)->Name);
            for (Import &I : Imports) {
                if (std::strcmp(Name, I.Name) != 0) continue;
                DWORD Old;
                VirtualProtect(&Slots->u1.Function, sizeof(void *), PAGE_READWRITE, &Old);
                Slots->u1.Function = reinterpret_cast<ULONG_PTR>(I.Counted);
                VirtualProtect(&Slots->u1.Function, sizeof(void *), Old, &Old);
            }
        }
    }
}

// ------------------------------------------------------------ the input --

HANDLE In = nullptr, Out = nullptr;

INPUT_RECORD KeyRecord(WORD Vk, char Ch, bool Down) {
    INPUT_RECORD R;
    std::memset(&R, 0, sizeof R);
    R.EventType = KEY_EVENT;
    R.Event.KeyEvent.bKeyDown = Down ? TRUE : FALSE;
    R.Event.KeyEvent.wRepeatCount = 1;
    R.Event.KeyEvent.wVirtualKeyCode = Vk;
    R.Event.KeyEvent.uChar.AsciiChar = Ch;
    return R;
}

void Type(const std::vector<INPUT_RECORD> &Records) {
    DWORD Written = 0;
    WriteConsoleInputA(In, Records.data(), DWORD(Records.size()), &Written);
}

// Right and Left in turn, each pressed and released, then Esc pressed.
std::vector<INPUT_RECORD> Keys(int N) {
    std::vector<INPUT_RECORD> Records;
    for (int I = 0; I < N; I++) {
        const WORD Vk = I % 2 ? VK_LEFT : VK_RIGHT;
        Records.push_back(KeyRecord(Vk, 0, true));
        Records.push_back(KeyRecord(Vk, 0, false));
    }
    Records.push_back(KeyRecord(VK_ESCAPE, 27, true));
    return Records;
}

// ------------------------------------------------------------- figures --

struct Plugin {
    std::string Name;
    HostPlugin Loaded;
};

// One opening with the given input waiting: the time it takes in ms, and
// the console calls it makes.
struct Opening {
    double Whole;
    LONG Calls;
};

Opening Open(Plugin &P, const std::vector<INPUT_RECORD> &Input) {
    FlushConsoleInputBuffer(In);
    Type(Input);
    const LONG Calls = ConsoleCalls;
    const double Start = Now();
    P.Loaded.OpenPlugin(OPEN_PLUGINSMENU, 0);
    return {Now() - Start, ConsoleCalls - Calls};
}

// The time to the first frame, of an opening that closes on the Esc waiting
// for it.
double FirstFrame(Plugin &P) {
    FlushConsoleInputBuffer(In);
    Type({KeyRecord(VK_ESCAPE, 27, true)});
    FrameMark = FramesWritten + 1;
    const double Start = Now();
    P.Loaded.OpenPlugin(OPEN_PLUGINSMENU, 0);
    return FrameMarkAt - Start;
}

struct IdleRun {
    int Keys;
    std::vector<double> Latencies;
};

DWORD WINAPI IdleTyper(LPVOID Arg) {
    IdleRun &Run = *static_cast<IdleRun *>(Arg);
    // The first frame, then one key at a time while the chart waits.
    WaitForSingleObject(FrameEvent, INFINITE);
    for (int I = 0; I < Run.Keys; I++) {
        Sleep(DWORD(20 + (I * 7) % 20));
        const WORD Vk = I % 2 ? VK_LEFT : VK_RIGHT;
        const LONG Frames = FramesWritten;
        ResetEvent(FrameEvent);
        const double Typed = Now();
        Type({KeyRecord(Vk, 0, true)});
        while (FramesWritten == Frames) WaitForSingleObject(FrameEvent, 1000);
        Run.Latencies.push_back(LastFrameAt - Typed);
        Sleep(5);
        Type({KeyRecord(Vk, 0, false)});
    }
    Sleep(20);
    Type({KeyRecord(VK_ESCAPE, 27, true)});
    return 0;
}

void Report(Plugin &P, int Width, int Height, int Runs, int QueuedKeys, int IdleKeys) {
    COORD Size = {SHORT(Width), SHORT(Height)};
    if (!SetConsoleScreenBufferSize(Out, Size))
        std::printf("  (the console refused the size %dx%d)\n", Width, Height);

    std::vector<double> Firsts;
    for (int I = 0; I < Runs; I++) Firsts.push_back(FirstFrame(P));

    // Queued keys: the opening with them, less the opening without.
    std::vector<double> With, Without;
    LONG CallsWith = 0, CallsWithout = 0;
    for (int I = 0; I < std::max(3, Runs / 4); I++) {
        const Opening A = Open(P, Keys(0)), B = Open(P, Keys(QueuedKeys));
        Without.push_back(A.Whole);
        With.push_back(B.Whole);
        CallsWithout = A.Calls;
        CallsWith = B.Calls;
    }

    IdleRun Idle = {IdleKeys, {}};
    FlushConsoleInputBuffer(In);
    ResetEvent(FrameEvent);
    HANDLE Typer = CreateThread(nullptr, 0, IdleTyper, &Idle, 0, nullptr);
    P.Loaded.OpenPlugin(OPEN_PLUGINSMENU, 0);
    WaitForSingleObject(Typer, INFINITE);
    CloseHandle(Typer);

    std::printf("%-8s %5dx%-5d  opening %7.2f ms (min %.2f)   per queued key %6.3f ms, %5.2f calls"
                "   idle key to frame %6.3f ms (p90 %.3f)\n",
                P.Name.c_str(), Width, Height, Median(Firsts),
                *std::min_element(Firsts.begin(), Firsts.end()),
                (Median(With) - Median(Without)) / QueuedKeys,
                double(CallsWith - CallsWithout) / QueuedKeys, Median(Idle.Latencies),
                Percentile(Idle.Latencies, 0.9));
    std::fflush(stdout);
}

// What one console call and one wake-up from the input cost here, as a floor.
void ReportFloor() {
    std::vector<double> Calls, Wakes;
    for (int I = 0; I < 50; I++) {
        const double Start = Now();
        GetConsoleOutputCP();
        Calls.push_back(Now() - Start);
    }
    struct Waker {
        static DWORD WINAPI Run(LPVOID Arg) {
            Sleep(10);
            *static_cast<double *>(Arg) = Now();
            Type({KeyRecord(VK_RIGHT, 0, true)});
            return 0;
        }
    };
    for (int I = 0; I < 20; I++) {
        FlushConsoleInputBuffer(In);
        double Typed = 0;
        HANDLE Thread = CreateThread(nullptr, 0, Waker::Run, &Typed, 0, nullptr);
        INPUT_RECORD Record;
        DWORD Read = 0;
        ReadConsoleInputA(In, &Record, 1, &Read);
        const double Woken = Now();
        WaitForSingleObject(Thread, INFINITE);
        CloseHandle(Thread);
        Wakes.push_back(Woken - Typed);
    }
    std::printf("floor: one console call %.3f ms, a key written until a waiting read returns %.3f ms"
                " (medians)\n", Median(Calls), Median(Wakes));
}

const char Usage[] =
    "usage: quorrel-timing [options]\n"
    "Loads Quorrel.dll as the host does and times an opening to its first frame,\n"
    "keys typed ahead, and keys typed while the chart waits, on consoles of the\n"
    "sizes given. Meant to run under Wine in a terminal (bench/wine-timing.sh).\n"
    "\n"
    "  --plugin NAME=PATH  a module to time, as NAME (more than one: taken in turn);\n"
    "                      default: Quorrel.dll beside this program\n"
    "  --size WxH          a console size (repeatable; default 80x25, 120x300, 120x9001)\n"
    "  --runs N            openings per size (default 20)\n"
    "  --keys N            keys typed ahead (default 200)\n"
    "  --idle N            keys typed while idle (default 30)\n"
    "  --trace             first list the console calls of one opening, with their times\n";

}  // namespace

int main(int argc, char **argv) {
    std::vector<Plugin> Plugins;
    std::vector<std::pair<int, int>> Sizes;
    int Runs = 20, QueuedKeys = 200, IdleKeys = 30;
    bool TraceOpening = false;
    for (int I = 1; I < argc; I++) {
        const std::string Arg = argv[I];
        const bool HasValue = I + 1 < argc;
        if (Arg == "--help" || Arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (Arg == "--trace") {
            TraceOpening = true;
        } else if (Arg == "--plugin" && HasValue) {
            const std::string V = argv[++I];
            const size_t Eq = V.find('=');
            if (Eq == std::string::npos) {
                std::fprintf(stderr, "quorrel-timing: --plugin wants NAME=PATH, not %s\n", V.c_str());
                return 2;
            }
            Plugins.push_back({V.substr(0, Eq), HostPlugin()});
            Plugins.back().Loaded.Path = V.substr(Eq + 1);
        } else if (Arg == "--size" && HasValue) {
            int W = 0, H = 0;
            if (std::sscanf(argv[++I], "%dx%d", &W, &H) != 2 || W < 1 || H < 1 || W > 32767 || H > 32767) {
                std::fprintf(stderr, "quorrel-timing: --size wants WxH, not %s\n", argv[I]);
                return 2;
            }
            Sizes.push_back({W, H});
        } else if ((Arg == "--runs" || Arg == "--keys" || Arg == "--idle") && HasValue) {
            const int N = std::atoi(argv[++I]);
            if (N < 1) {
                std::fprintf(stderr, "quorrel-timing: %s wants a positive number\n", Arg.c_str());
                return 2;
            }
            (Arg == "--runs" ? Runs : Arg == "--keys" ? QueuedKeys : IdleKeys) = N;
        } else {
            std::fprintf(stderr, "quorrel-timing: unknown or incomplete option %s\n%s", Arg.c_str(), Usage);
            return 2;
        }
    }
    if (Sizes.empty()) Sizes = {{80, 25}, {120, 300}, {120, 9001}};
    if (Plugins.empty()) {
        Plugins.push_back({"Quorrel", HostPlugin()});
        Plugins.back().Loaded.Path = HostProgramFolder() + "Quorrel.dll";
    }

    HostStart();
    In = HostInputHandle();
    Out = HostOutputHandle();
    FrameEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    for (Plugin &P : Plugins) {
        const std::string Path = P.Loaded.Path;
        std::string Error;
        if (!HostLoadPlugin(Path, P.Loaded, Error)) {
            std::fprintf(stderr, "quorrel-timing: %s\n", Error.c_str());
            return 1;
        }
        const int Number = HostAddPlugin(P.Loaded.Path);
        P.Loaded.SetStartupInfo(HostStartupInfo(Number));
        RouteImports(static_cast<HMODULE>(P.Loaded.Module));
    }
    ReportFloor();
    if (TraceOpening) {
        Plugin &P = Plugins.front();
        COORD Size = {SHORT(Sizes.front().first), SHORT(Sizes.front().second)};
        SetConsoleScreenBufferSize(Out, Size);
        FirstFrame(P);  // warm
        Trace.clear();
        Tracing = true;
        const double Start = Now();
        FirstFrame(P);
        Tracing = false;
        for (const auto &T : Trace) std::printf("  %8.3f ms  %s\n", T.first - Start, T.second);
    }
    for (const auto &S : Sizes)
        for (Plugin &P : Plugins) Report(P, S.first, S.second, Runs, QueuedKeys, IdleKeys);
    FlushConsoleInputBuffer(In);
    return 0;
}
