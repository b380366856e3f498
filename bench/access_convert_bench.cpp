// Times reading a genuine Access code-table file: its conversion into SQLite (in this process,
// and as start-up does it, in a limited child process with the result cached), and the second
// start that reuses the conversion. Baseline, in the same run: libmdb reading every row of every
// table and throwing it away, the floor that any conversion stands on.
// The file comes from MORVEL_ACCESS_FILE.

#include "platform/CodeDb.h"

#include "AccessConvert.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string AccessFile()
{
    const char* path = std::getenv("MORVEL_ACCESS_FILE");
    return path ? path : "";
}

std::filesystem::path Scratch()
{
    static const std::filesystem::path dir = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "morvel-bench-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(tmpl.data()) ? tmpl : "/tmp");
    }();
    return dir;
}

void BM_BaselineReadAllRows(benchmark::State& state)
{
    long long rows = 0;
    for (auto _ : state) {
        rows = accessconvert::ReadAllRows(AccessFile());
        if (rows < 0) {
            state.SkipWithError("cannot read MORVEL_ACCESS_FILE");
            return;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_BaselineReadAllRows)->Unit(benchmark::kMillisecond);

void BM_ConvertInProcess(benchmark::State& state)
{
    const std::string out = (Scratch() / "converted.sqlite").string();
    for (auto _ : state) {
        std::filesystem::remove(out);
        if (accessconvert::Convert(AccessFile(), out) != accessconvert::kConverted) {
            state.SkipWithError("conversion failed");
            return;
        }
    }
}
BENCHMARK(BM_ConvertInProcess)->Unit(benchmark::kMillisecond);

// What the first start with a new file costs: the limited child process, the conversion, the
// rename into the cache and the open.
void BM_FirstOpenThroughConverter(benchmark::State& state)
{
    ::setenv("XDG_CACHE_HOME", Scratch().c_str(), 1);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(Scratch() / "morvel");
        state.ResumeTiming();
        CodeDbConnection db;
        if (!db.Open(AccessFile().c_str())) {
            state.SkipWithError("open failed");
            return;
        }
    }
}
BENCHMARK(BM_FirstOpenThroughConverter)->Unit(benchmark::kMillisecond);

void BM_LaterOpenReusingTheConversion(benchmark::State& state)
{
    ::setenv("XDG_CACHE_HOME", Scratch().c_str(), 1);
    {
        CodeDbConnection db;
        if (!db.Open(AccessFile().c_str())) {
            state.SkipWithError("open failed");
            return;
        }
    }
    for (auto _ : state) {
        CodeDbConnection db;
        benchmark::DoNotOptimize(db.Open(AccessFile().c_str()));
    }
}
BENCHMARK(BM_LaterOpenReusingTheConversion)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
