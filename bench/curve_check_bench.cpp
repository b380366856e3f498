// Times a full curve check of a test folder against `wc -l` over the same curve files.
// The folder comes from MORVEL_CURVE_DIR (see curve_check.sh, which makes it).

#include "common/CurveCheck.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

std::string Folder()
{
    const char* dir = std::getenv("MORVEL_CURVE_DIR");
    return dir ? dir : "";
}

void BM_CheckCurveFiles(benchmark::State& state)
{
    const std::string folder = Folder();
    int records = 0;
    for (auto _ : state) {
        CCurveCheck check(folder + "/t.mv5");
        records = check.CheckCurveFiles();
        benchmark::DoNotOptimize(records);
    }
    state.counters["records"] = records;
    if (records == 0)
        state.SkipWithError("no curve files: set MORVEL_CURVE_DIR");
}

void BM_WcLines(benchmark::State& state)
{
    const std::string command = "wc -l '" + Folder() + "'/t.[0-9]* > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("wc -l failed");
            break;
        }
    }
}

} // namespace

BENCHMARK(BM_WcLines)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CheckCurveFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
