// One turn of the chart loop as the chart itself draws it, on an 80 x 25
// console: reset the drawing image, DrawChart (frame, table name, the 256
// cells and the status row) and the flush, with the selection moving every
// frame. Once with message 1's status text, once with F2's Unicode line,
// whose code point and name are looked up every frame.
#include "ChartWindow.h"
#include "CodeTables.h"
#include "Console.h"
#include "HostInfo.h"
#include "Messages.h"
#include "Settings.h"
#include "UnicodeSettings.h"

#include <benchmark/benchmark.h>
#include <winsim.h>

namespace {

const char *WINAPI BenchMsg(int, int MsgId)
{
    return MsgId == 22 ? ", shown as " : "";
}

void BM_ChartFrame(benchmark::State &State)
{
    winsim::Reset();
    ConsoleResetForTests();
    winsim::SetConsoleSize(80, 25);
    winsim::FillScreen('.', 0x07);
    ConsoleStart();
    HostInfo.GetMsg = BenchMsg;
    PluginTitle = "Quorrel";
    StatusFormat = "Char: %c   Dec: %3d   Hex: %02Xh";
    IdentityTableName = "OEM (console)";
    InitCodeTables();
    CurrentTable = 0;
    UnicodeStatus = State.range(0) != 0;
    OpenScreen("Quorrel - Far");
    CentreChart();

    int Code = 0;
    for (auto _ : State) {
        Code = (Code + 1) & 0xFF;
        ResetDrawScreen();
        DrawChart(uint8_t(Code), "");
        FlushScreen();
    }
    State.counters["writes/frame"] =
        winsim::CallCount("WriteConsoleOutputA") / double(State.iterations());
    CloseScreen();
    UnicodeStatus = false;
    HostInfo.GetMsg = nullptr;
    ConsoleResetForTests();
}
BENCHMARK(BM_ChartFrame)->ArgName("unicode")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
