// One turn of the chart loop as the chart draws it: reset the drawing image,
// a 42 x 16 window with its frame and title, the 256 chart cells one
// character each, and the flush. The selected cell moves every frame, so each
// frame has a small change to write, as when the user moves the selection.
#include "Console.h"

#include <benchmark/benchmark.h>
#include <winsim.h>

namespace {

const char *const ConsoleCalls[] = {"WriteConsoleOutputA",      "ReadConsoleOutputA",
                                    "GetConsoleScreenBufferInfo", "GetConsoleCursorInfo",
                                    "SetConsoleCursorInfo",     "SetConsoleCursorPosition"};

int CountConsoleCalls() {
    int Total = 0;
    for (const char *Name : ConsoleCalls) Total += winsim::CallCount(Name);
    return Total;
}

// The window where the chart puts it: centred on the visible rows.
int WindowX(int Width) { return (Width - 42) / 2; }
int WindowY(int Height) { return (MinInt(Height, 25) - 16) / 2; }

void DrawWindow(int X1, int Y1, int Selected) {
    ResetDrawScreen();
    DrawBox(X1, Y1, X1 + 41, Y1 + 15, 3, 0x30, 0x3F, 0x3E, "Character chart");
    for (int Code = 0; Code < 256; Code++) {
        SetTextAttr(Code == Selected ? 0x0E : 0x30);
        GotoXY(2 + Code % 32, 2 + Code / 32);
        WriteText(std::string(1, char(Code)));
    }
}

// A fresh substitute console of the benchmark's size, opened.
void OpenBenchScreen(const benchmark::State &State) {
    winsim::Reset();
    ConsoleResetForTests();
    winsim::SetConsoleSize(int(State.range(0)), int(State.range(1)));
    winsim::FillScreen('.', 0x07);
    ConsoleStart();
    OpenScreen("Chart - Far");
}

void CloseBenchScreen() {
    CloseScreen();
    ConsoleResetForTests();
}

void BM_ChartFrame(benchmark::State &State) {
    OpenBenchScreen(State);
    const int X1 = WindowX(int(State.range(0))), Y1 = WindowY(int(State.range(1)));
    DrawWindow(X1, Y1, 0);
    FlushScreen();
    winsim::ResetCallCounts();
    int Selected = 0;
    for (auto _ : State) {
        Selected = (Selected + 1) % 256;
        DrawWindow(X1, Y1, Selected);
        FlushScreen();
    }
    const double Frames = double(State.iterations());
    State.counters["writes/frame"] = winsim::CallCount("WriteConsoleOutputA") / Frames;
    State.counters["calls/frame"] = CountConsoleCalls() / Frames;
    CloseBenchScreen();
}

// The same frame without the flush: what drawing alone costs.
void BM_DrawOnly(benchmark::State &State) {
    OpenBenchScreen(State);
    const int X1 = WindowX(int(State.range(0))), Y1 = WindowY(int(State.range(1)));
    int Selected = 0;
    for (auto _ : State) {
        Selected = (Selected + 1) % 256;
        DrawWindow(X1, Y1, Selected);
        benchmark::DoNotOptimize(DrawScreen.Cells);
    }
    CloseBenchScreen();
}

// Comparing the images of an unchanged frame.
void BM_FindChanges(benchmark::State &State) {
    OpenBenchScreen(State);
    COORD Coord;
    SMALL_RECT Region;
    for (auto _ : State) benchmark::DoNotOptimize(FindChanges(Coord, Region));
    CloseBenchScreen();
}

void Sizes(benchmark::internal::Benchmark *B) {
    B->Args({80, 25})->Args({200, 60})->Args({120, 9001})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ChartFrame)->Apply(Sizes);
BENCHMARK(BM_DrawOnly)->Apply(Sizes);
BENCHMARK(BM_FindChanges)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
