// Sorting a look-up list of 5,000 rows on a heading click, by column type, against a plain
// std::sort of the same texts as the baseline.
#include "common/ui/ListCtrlEx.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 5000;

std::vector<std::string> Texts(int type)
{
    std::mt19937 rng(7);
    std::vector<std::string> out;
    char buf[64];
    for (int i = 0; i < kRows; ++i) {
        const unsigned v = rng();
        if (type == kSortInteger)
            std::snprintf(buf, sizeof buf, "%d", static_cast<int>(v % 100000) - 50000);
        else if (type == kSortDate)
            std::snprintf(buf, sizeof buf, "%u/%u/%u", v % 12 + 1, v % 28 + 1, 1970 + v % 50);
        else
            std::snprintf(buf, sizeof buf, "CODE%05u description %u", v % 99999, v % 77);
        out.emplace_back(buf);
    }
    return out;
}

void BM_HeadingClickSort(benchmark::State& state)
{
    const int type = static_cast<int>(state.range(0));
    const std::vector<std::string> texts = Texts(type);
    CListCtrlEx list;
    list.InsertColumn(0, "Code");
    list.InsertColumn(1, "Value");
    for (int i = 0; i < kRows; ++i) {
        list.InsertItem(i, "x");
        list.SetItemText(i, 1, texts[i].c_str());
    }
    const unsigned char types[] = {0, static_cast<unsigned char>(type)};
    list.SetColumnTypes(types, 2);
    list.EnableSort(true);
    for (auto _ : state)
        list.OnHeaderClick(1); // alternates ascending and descending
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_HeadingClickSort)->Arg(kSortText)->Arg(kSortInteger)->Arg(kSortDate)->Unit(benchmark::kMillisecond);

void BM_BaselineStdSort(benchmark::State& state)
{
    const std::vector<std::string> texts = Texts(kSortText);
    for (auto _ : state) {
        std::vector<std::string> copy = texts;
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BaselineStdSort)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
