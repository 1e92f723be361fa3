// quorrel-far3-timing: times the chart in a file manager from outside, as a
// user sees it: the program (the real Far 3 with the Far 3 edition, or our
// stand-in for Far 1.x with the Far 1.x edition) runs in this console, and
// this program types into the console input and reads the console's cells
// until the chart shows what the input asked for:
//
//   opening   from Enter on the plugin menu's item to the chart on the screen
//   key       from a key typed while the chart waits (Right, Left in turn)
//             to the status line showing the new code
//
// The screen is read every millisecond or so; "floor" is what one read of
// it costs, the resolution of both figures. Run it under Wine through
// bench/far3-timing.sh; --help says more.
#include "Chart.h"
#include "Figures.h"
#include "FarConsole.h"
#include "FarProcess.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The screen read in one console call, on the buffer that was active when
// the host had started: FarConsole::Read makes four more (opening the
// active buffer, its size, the cursor), which would blur what is timed.
struct FastReader {
    HANDLE Output = INVALID_HANDLE_VALUE;
    SMALL_RECT Window = {};

    bool Open() {
        Close();
        Output = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        CONSOLE_SCREEN_BUFFER_INFO Info;
        if (Output == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(Output, &Info)) return false;
        Window = Info.srWindow;
        return true;
    }
    void Close() {
        if (Output != INVALID_HANDLE_VALUE) CloseHandle(Output);
        Output = INVALID_HANDLE_VALUE;
    }
    bool Read(Screen *S) {
        if (Output == INVALID_HANDLE_VALUE) return FarConsole::Read(S);
        S->Width = Window.Right - Window.Left + 1;
        S->Height = Window.Bottom - Window.Top + 1;
        S->Cells.resize(size_t(S->Width) * size_t(S->Height));
        SMALL_RECT Region = Window;
        return ReadConsoleOutputW(Output, S->Cells.data(), {SHORT(S->Width), SHORT(S->Height)}, {0, 0}, &Region);
    }
} Reader;

// Polls the screen until Ready holds; the time it first held, or a
// negative number after Ms.
template <typename F> double PollUntil(F Ready, int Ms = 10000) {
    Screen S;
    const double Deadline = Now() + Ms;
    for (;;) {
        if (Reader.Read(&S) && Ready(S)) return Now();
        if (Now() > Deadline) return -1;
        Sleep(1);
    }
}

// Waits until the screen has not changed for Quiet ms.
bool Settle(int Quiet = 150) {
    Screen Last;
    Reader.Read(&Last);
    double Since = Now();
    return PollUntil([&](const Screen &Now_) {
        if (Now_ != Last) {
            Last = Now_;
            Since = Now();
        }
        return Now() - Since >= Quiet;
    }) >= 0;
}

bool ChartShown(const Screen &S, ChartView *V) { return FindChart(S, V) && V->Code >= 0; }

struct Host {
    std::string Name;
    std::wstring CommandLine;
    std::vector<double> Openings, Keys, Own;
};

// The host's own speed, for comparison: a key in its panels (Down and Up in
// turn, over the files of the folder) to the first change of the screen.
bool TimeOwnKeys(Host &H, int KeyCount) {
    for (int K = 0; K < KeyCount; K++) {
        Sleep(DWORD(20 + (K * 7) % 20));
        Screen Before;
        Reader.Read(&Before);
        const double Typed = Now();
        FarConsole::Press(K % 2 ? L"Up" : L"Down");
        const double Drawn = PollUntil([&](const Screen &S) { return S != Before; }, 2000);
        if (Drawn < 0) return false;  // nothing to move over: no figure
        H.Own.push_back(Drawn - Typed);
        Settle(50);
    }
    return true;
}

// One host: started, opened Runs times, a share of the keys typed in each
// opening, closed with Esc each time; false when it does not get that far,
// said on standard output (standard error is the console the hosts draw on).
bool Time(Host &H, const std::wstring &Folder, int Runs, int KeyCount) {
    FarProcess Program;
    if (!Program.Start(H.CommandLine, Folder)) {
        std::printf("quorrel-far3-timing: cannot start %s\n", Utf8(H.CommandLine).c_str());
        return false;
    }
    const auto Panels = [](const Screen &S) { return S.Row(S.Height - 1).find(L"10Quit") != std::wstring::npos; };
    Reader.Close();
    if (PollUntil(Panels, 60000) < 0 || !Settle(300) || !Reader.Open()) {
        std::printf("quorrel-far3-timing: %s never showed its panels\n", H.Name.c_str());
        return false;
    }
    if (!TimeOwnKeys(H, KeyCount)) H.Own.clear();
    const int KeysPerOpening = (KeyCount + Runs - 1) / Runs;
    for (int Run = 0; Run < Runs; Run++) {
        // The plugin menu, still, then Enter on its one item.
        Screen Before;
        Reader.Read(&Before);
        FarConsole::Press(L"F11");
        if (PollUntil([&](const Screen &S) { return S != Before; }) < 0 || !Settle()) return false;
        ChartView V;
        const double Typed = Now();
        FarConsole::Press(L"Enter");
        const double Shown = PollUntil([&](const Screen &S) { return ChartShown(S, &V); });
        if (Shown < 0) {
            std::printf("quorrel-far3-timing: %s never showed the chart\n", H.Name.c_str());
            return false;
        }
        H.Openings.push_back(Shown - Typed);
        Settle(50);
        for (int K = 0; K < KeysPerOpening && int(H.Keys.size()) < KeyCount; K++) {
            Sleep(DWORD(20 + (K * 7) % 20));  // the chart waiting for input
            const bool Right = V.Code < 255 && (K % 2 == 0 || V.Code == 0);
            const int Want = V.Code + (Right ? 1 : -1);
            const double KeyTyped = Now();
            FarConsole::Press(Right ? L"Right" : L"Left");
            const double Drawn = PollUntil([&](const Screen &S) { return ChartShown(S, &V) && V.Code == Want; });
            if (Drawn < 0) {
                std::printf("quorrel-far3-timing: %s did not move to code %d\n", H.Name.c_str(), Want);
                return false;
            }
            H.Keys.push_back(Drawn - KeyTyped);
        }
        FarConsole::Press(L"Esc");
        if (PollUntil([](const Screen &S) { ChartView V; return !FindChart(S, &V); }) < 0 || !Settle()) return false;
    }
    return true;
}

const char Usage[] =
    "usage: quorrel-far3-timing --host NAME=COMMAND_LINE [--host ...] [options]\n"
    "Starts each host (a file manager whose plugin menu's one item is the chart) in\n"
    "this console and times, from the console's input and cells: Enter on the menu\n"
    "item to the chart on the screen, and a key to the status line's new code.\n"
    "Meant to run under Wine in a terminal (bench/far3-timing.sh).\n"
    "\n"
    "  --host NAME=CMD   a program to time, as NAME (more than one: one after the other)\n"
    "  --folder DIR      the folder the hosts start in (default: the current one)\n"
    "  --runs N          openings per host (default 20)\n"
    "  --keys N          keys per host, spread over the openings (default 40)\n";

}  // namespace

int wmain(int argc, wchar_t **argv) {
    std::vector<Host> Hosts;
    std::wstring Folder = L".";
    int Runs = 20, KeyCount = 40;
    for (int I = 1; I < argc; I++) {
        const std::wstring Arg = argv[I];
        const bool HasValue = I + 1 < argc;
        if (Arg == L"--help" || Arg == L"-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (Arg == L"--host" && HasValue) {
            const std::wstring V = argv[++I];
            const size_t Eq = V.find(L'=');
            if (Eq == std::wstring::npos || Eq == 0) {
                std::fprintf(stderr, "quorrel-far3-timing: --host wants NAME=COMMAND_LINE\n");
                return 2;
            }
            Hosts.push_back({Utf8(V.substr(0, Eq)), V.substr(Eq + 1), {}, {}});
        } else if (Arg == L"--folder" && HasValue) {
            Folder = argv[++I];
        } else if ((Arg == L"--runs" || Arg == L"--keys") && HasValue) {
            const int N = int(std::wcstol(argv[++I], nullptr, 10));
            if (N < 1) {
                std::fprintf(stderr, "quorrel-far3-timing: %s wants a positive number\n", Utf8(Arg).c_str());
                return 2;
            }
            (Arg == L"--runs" ? Runs : KeyCount) = N;
        } else {
            std::fprintf(stderr, "quorrel-far3-timing: unknown or incomplete option %s\n%s", Utf8(Arg).c_str(), Usage);
            return 2;
        }
    }
    if (Hosts.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    std::vector<double> Reads;
    Reader.Open();
    for (int I = 0; I < 50; I++) {
        Screen S;
        const double Start = Now();
        Reader.Read(&S);
        Reads.push_back(Now() - Start);
    }
    std::printf("floor: one read of the screen %.3f ms (median)\n", Median(Reads));
    int Status = 0;
    for (Host &H : Hosts) {
        if (!Time(H, Folder, Runs, KeyCount)) {
            Status = 1;
            continue;
        }
        std::printf("%-8s opening %7.2f ms (min %.2f, p90 %.2f)   key to its frame %6.2f ms (p90 %.2f)",
                    H.Name.c_str(), Median(H.Openings), Percentile(H.Openings, 0),
                    Percentile(H.Openings, 0.9), Median(H.Keys), Percentile(H.Keys, 0.9));
        if (!H.Own.empty()) std::printf("   its own panels' key %6.2f ms", Median(H.Own));
        std::printf("\n");
        std::fflush(stdout);
    }
    if (Status == 0 && Hosts.size() > 1) {
        const Host &A = Hosts[0], &B = Hosts[1];
        std::printf("%s / %s: opening %.2fx, key %.2fx (medians)\n", A.Name.c_str(), B.Name.c_str(),
                    Median(A.Openings) / Median(B.Openings),
                    Median(A.Keys) / Median(B.Keys));
    }
    return Status;
}
