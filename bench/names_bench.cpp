// What the chart's Unicode line and find by name cost: a cell's code point
// and glyph, the name of each of the 256 codes, and one search over all 256
// codes (words that match one code late in the table, and words that match none).
#include "CharInfo.h"
#include "CharNames.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CharacterOfByte(benchmark::State &State)
{
    unsigned Code = 0;
    for (auto _ : State) benchmark::DoNotOptimize(CharacterOfByte(437, uint8_t(Code++)));
}
BENCHMARK(BM_CharacterOfByte);

// One status line's lookup: code point, name and short form.
void BM_UnicodeLineLookup(benchmark::State &State)
{
    unsigned Code = 0;
    for (auto _ : State) {
        CellCharacter C = CharacterOfByte(437, uint8_t(Code++));
        benchmark::DoNotOptimize(FormatCodePoint(C.CodePoint));
        benchmark::DoNotOptimize(CharName(C.CodePoint));
        benchmark::DoNotOptimize(CharAbbreviation(C.CodePoint));
    }
}
BENCHMARK(BM_UnicodeLineLookup);

void BM_FindOver256Codes(benchmark::State &State)
{
    const char *Words = State.range(0) ? "box double vertical left" : "no such words";
    for (auto _ : State) {
        int Found = -1;
        for (int Code = 0; Code < 256 && Found < 0; Code++)
            if (CharNameMatches(CharacterOfByte(437, uint8_t(Code)).CodePoint, Words)) Found = Code;
        benchmark::DoNotOptimize(Found);
    }
}
BENCHMARK(BM_FindOver256Codes)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
