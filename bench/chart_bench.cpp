// The chart window's costs against winsim: one frame as the loop draws it
// (reset, the whole window, flush) at three console sizes, and at 80x25 with
// F2's Unicode status line, a frame while the window moves, an opening to its
// first frame, and a run of the loop over queued keys, which also counts the
// console calls each key costs.
//
// For figures, build in a folder of its own without the sanitizers:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORREL_SANITIZE=OFF
//         -DQUORREL_BENCH=ON
//   cmake --build build/bench --target quorrel_bench && build/bench/quorrel_bench
#include "ChartLoop.h"
#include "ChartView.h"
#include "CodeTables.h"
#include "ConsoleReset.h"
#include "HostInfo.h"
#include "InputRecords.h"
#include "Messages.h"
#include "Screen.h"
#include "Settings.h"

#include <benchmark/benchmark.h>
#include <winsim.h>

#include <string>

namespace {

// Every console call the plugin makes while a window is open.
const char *const ConsoleCalls[] = {
    "WriteConsoleOutputA",  "ReadConsoleOutputA",       "GetConsoleScreenBufferInfo",
    "GetConsoleCursorInfo", "SetConsoleCursorInfo",     "SetConsoleCursorPosition",
    "PeekConsoleInputA",    "ReadConsoleInputA",        "ReadConsoleA",
    "WaitForSingleObject",  "GetConsoleTitleA",         "SetConsoleTitleA",
    "GetConsoleOutputCP",   "GetNumberOfConsoleInputEvents"};

// The chart and what it shows, as an opening sets them up.
ChartState Chart;
ChartLook Look;
const ChartHooks NoHooks;

int CountConsoleCalls() {
    int Total = 0;
    for (const char *Name : ConsoleCalls) Total += winsim::CallCount(Name);
    return Total;
}

// A console of the benchmark's size holding a pattern, the units at load
// time, and the chart's texts, colours and tables as an opening sets them.
void SetUpConsole(int Width, int Height) {
    winsim::Reset();
    ResetConsole();
    Chart = ChartState();
    winsim::SetConsoleSize(Width, Height);
    winsim::FillScreen('.', 0x1B);
    ConsoleStart();
    Look.Texts.PluginTitle = "Quorrel";
    Look.Texts.TitleSuffix = " - Far";
    Look.Texts.StatusFormat = "%c  %3d  %02Xh";
    Look.Texts.IdentityTableName = "OEM (console)";
    Look.Texts.WindowsTableName = "Windows";
    Look.Texts.DecimalPrompt = "Dec: ";
    Look.Texts.HexPrompt = "Hex: ";
    Look.Colors.TextColor = Look.Colors.FrameColor = Look.Colors.TitleColor = 0x70;
    Look.Colors.InputColor = 0x30;
    Chart.TypeMode = Typing::Decimal;
    Chart.LastChar = 65;
    InitCodeTables(Chart, Look.Texts);
    Chart.CurrentTable = 0;
}

void TearDown() {
    ResetConsole();
}

// One turn's drawing as the loop does it.
void Frame(uint8_t Code) {
    ResetDrawScreen();
    Chart.LastChar = Code;
    DrawChart(Chart, Look);
    FlushScreen();
}

void OpenChart(const benchmark::State &State) {
    SetUpConsole(int(State.range(0)), int(State.range(1)));
    OpenScreen(Look.Texts.PluginTitle + Look.Texts.TitleSuffix);
    CentreChart(Chart);
    Frame(Chart.LastChar);
}

// The selection moves every frame: the status row changes, so each frame
// writes one small rectangle, as when the user presses an arrow key.
void BM_Frame(benchmark::State &State) {
    OpenChart(State);
    uint8_t Code = 0;
    winsim::ResetCallCounts();
    for (auto _ : State) Frame(Code++);
    State.counters["writes/frame"] = benchmark::Counter(winsim::CallCount("WriteConsoleOutputA"),
                                                        benchmark::Counter::kAvgIterations);
    CloseScreen();
    TearDown();
}

// The same at 80x25 with F2's Unicode line in the status row: the selected
// code's code point and name are looked up every frame.
const char *WINAPI UnicodeLineMsg(int, int MsgId) {
    return MsgId == 22 ? ", shown as " : "";
}

void BM_UnicodeStatusFrame(benchmark::State &State) {
    HostInfo.GetMsg = UnicodeLineMsg;
    Chart.UnicodeStatus = true;
    OpenChart(State);
    uint8_t Code = 0;
    for (auto _ : State) Frame(Code++);
    CloseScreen();
    Chart.UnicodeStatus = false;
    HostInfo.GetMsg = nullptr;
    TearDown();
}

// The window moves one column per frame, right and back (Alt+Right, Alt+Left).
void BM_MovingWindow(benchmark::State &State) {
    OpenChart(State);
    const int Home = Chart.ChartX;
    for (auto _ : State) {
        Chart.ChartX = Chart.ChartX == Home ? Home + 1 : Home;
        Frame(Chart.LastChar);
    }
    CloseScreen();
    TearDown();
}

// From taking over the console to the first frame and the cursor on it,
// then giving the console back.
void BM_Opening(benchmark::State &State) {
    SetUpConsole(int(State.range(0)), int(State.range(1)));
    for (auto _ : State) {
        OpenScreen(Look.Texts.PluginTitle + Look.Texts.TitleSuffix);
        CentreChart(Chart);
        Frame(Chart.LastChar);
        PlaceCursor(Chart, Look);
        State.PauseTiming();
        CloseScreen();
        State.ResumeTiming();
    }
    TearDown();
}

// The loop over keys typed ahead: each key a press and a release, Right and
// Left in turn, then Esc. Counts the console calls per key from the first
// frame on.
void BM_QueuedKeys(benchmark::State &State) {
    const int Keys = int(State.range(0));
    SetUpConsole(80, 25);
    double Calls = 0, Runs = 0;
    for (auto _ : State) {
        State.PauseTiming();
        winsim::ClearInput();
        for (int I = 0; I < Keys; I++) {
            const WORD Vk = I % 2 ? VK_LEFT : VK_RIGHT;
            winsim::PushInput(KeyRecord(Vk, 0, 0, true));
            winsim::PushInput(KeyRecord(Vk, 0, 0, false));
        }
        winsim::PushInput(KeyRecord(VK_ESCAPE, 27, 0, true));
        OpenScreen(Look.Texts.PluginTitle + Look.Texts.TitleSuffix);
        winsim::ResetCallCounts();
        State.ResumeTiming();
        ChartLoop(Chart, Look, NoHooks);
        State.PauseTiming();
        Calls += CountConsoleCalls();
        Runs++;
        CloseScreen();
        State.ResumeTiming();
    }
    // The first frame and the Esc that closes are paid once per run.
    State.counters["calls/key"] = Calls / Runs / Keys;
    State.counters["us/key"] = benchmark::Counter(
        double(Keys), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    TearDown();
}

void Sizes(benchmark::internal::Benchmark *B) {
    B->Args({80, 25})->Args({200, 60})->Args({120, 9001})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_Frame)->Apply(Sizes);
BENCHMARK(BM_UnicodeStatusFrame)->Args({80, 25})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MovingWindow)->Args({120, 9001})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Opening)->Apply(Sizes);
BENCHMARK(BM_QueuedKeys)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
