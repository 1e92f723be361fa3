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

void DrawFrame(int X1, int Y1, int Selected) {
    ResetDrawScreen();
    DrawBox(X1, Y1, X1 + 41, Y1 + 15, 3, 0x30, 0x3F, 0x3E, "Character chart");
    for (int Code = 0; Code < 256; Code++) {
        SetTextAttr(Code == Selected ? 0x0E : 0x30);
        GotoXY(2 + Code % 32, 2 + Code / 32);
        WriteText(std::string(1, char(Code)));
    }
    FlushScreen();
}

void BM_ChartFrame(benchmark::State &State) {
    const int W = int(State.range(0)), H = int(State.range(1));
    winsim::Reset();
    ConsoleResetForTests();
    winsim::SetConsoleSize(W, H);
    winsim::FillScreen('.', 0x07);
    ConsoleStart();
    OpenScreen("Chart - Far");
    // The window where the chart puts it: centred on the visible rows.
    const int X1 = (W - 42) / 2, Y1 = (MinInt(H, 25) - 16) / 2;
    DrawFrame(X1, Y1, 0);
    winsim::ResetCallCounts();
    int Selected = 0;
    for (auto _ : State) {
        Selected = (Selected + 1) % 256;
        DrawFrame(X1, Y1, Selected);
    }
    const double Frames = double(State.iterations());
    State.counters["writes/frame"] = winsim::CallCount("WriteConsoleOutputA") / Frames;
    State.counters["calls/frame"] = CountConsoleCalls() / Frames;
    CloseScreen();
    ConsoleResetForTests();
}

// The same frame without the flush: what drawing alone costs.
void BM_DrawOnly(benchmark::State &State) {
    const int W = int(State.range(0)), H = int(State.range(1));
    winsim::Reset();
    ConsoleResetForTests();
    winsim::SetConsoleSize(W, H);
    ConsoleStart();
    OpenScreen("x");
    const int X1 = (W - 42) / 2, Y1 = (MinInt(H, 25) - 16) / 2;
    for (auto _ : State) {
        ResetDrawScreen();
        DrawBox(X1, Y1, X1 + 41, Y1 + 15, 3, 0x30, 0x3F, 0x3E, "Character chart");
        for (int Code = 0; Code < 256; Code++) {
            GotoXY(2 + Code % 32, 2 + Code / 32);
            WriteText(std::string(1, char(Code)));
        }
        benchmark::DoNotOptimize(DrawScreen.Cells);
    }
    CloseScreen();
    ConsoleResetForTests();
}

// Comparing the images of an unchanged frame.
void BM_FindChanges(benchmark::State &State) {
    const int W = int(State.range(0)), H = int(State.range(1));
    winsim::Reset();
    ConsoleResetForTests();
    winsim::SetConsoleSize(W, H);
    ConsoleStart();
    OpenScreen("x");
    COORD Coord;
    SMALL_RECT Region;
    for (auto _ : State) benchmark::DoNotOptimize(FindChanges(Coord, Region));
    CloseScreen();
    ConsoleResetForTests();
}

void Sizes(benchmark::internal::Benchmark *B) {
    B->Args({80, 25})->Args({200, 60})->Args({120, 9001})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_ChartFrame)->Apply(Sizes);
BENCHMARK(BM_DrawOnly)->Apply(Sizes);
BENCHMARK(BM_FindChanges)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
