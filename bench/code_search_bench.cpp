// Times the code search dialog on the 5,000-row model table of the sample code-table database:
// opening it until its first paint (query, list filled, window painted) and sorting the list by
// a column heading until the sorted list is painted. Both should feel instant: under 100 ms.
// Baseline, in the same run: the same rows fetched by one query into a plain QTableWidget and
// painted, and that table sorted by Qt itself and painted.
// The database comes from MORVEL_CODE_DB, else ncodes.mdb beside the build's bench folder.

#include "codes/ui/Search.h"
#include "common/ui/ListCtrlEx.h"
#include "platform/CodeDb.h"
#include "platform/Codec.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QPixmap>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using benchsupport::OpenCodeDb;

void BM_OpenSearchToFirstPaint(benchmark::State& state)
{
    if (!OpenCodeDb()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    int rows = 0;
    for (auto _ : state) {
        CSearch search(nullptr, "MODEL", "VEHDB", "", FALSE);
        search.EnsureCreated();
        search.show();
        const QPixmap painted = search.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        rows = search.GetList()->GetItemCount();
        search.hide();
    }
    state.counters["rows"] = rows;
}

void BM_SortByColumnToPaint(benchmark::State& state)
{
    if (!OpenCodeDb()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    CSearch search(nullptr, "MODEL", "VEHDB", "", FALSE);
    search.EnsureCreated();
    search.show();
    search.grab();
    CListCtrlEx* list = search.GetList();
    int column = 0;
    for (auto _ : state) {
        // Description, then code: each click sorts a column that is not in order yet.
        column = column == 1 ? 0 : 1;
        list->OnHeaderClick(column);
        const QPixmap painted = search.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
    state.counters["rows"] = list->GetItemCount();
}

// The same rows as the search dialog lists, fetched in one query.
std::vector<std::pair<QString, QString>> FetchModelRows()
{
    std::vector<std::pair<QString, QString>> rows;
    auto rs = CodeDbExecute("SELECT MODEL, MODELD FROM KAVRODB_MODEL WHERE REFERENCE LIKE '%VEHDB%' ORDER BY MODEL");
    for (; !rs->IsEOF(); rs->MoveNext())
        rows.emplace_back(ToQString(rs->GetText("MODEL")), ToQString(rs->GetText("MODELD")));
    return rows;
}

void FillTable(QTableWidget& table, const std::vector<std::pair<QString, QString>>& rows)
{
    table.setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        table.setItem(r, 0, new QTableWidgetItem(rows[r].first));
        table.setItem(r, 1, new QTableWidgetItem(rows[r].second));
    }
}

void BM_BaselinePlainTableToFirstPaint(benchmark::State& state)
{
    if (!OpenCodeDb()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    for (auto _ : state) {
        QTableWidget table(0, 2);
        FillTable(table, FetchModelRows());
        table.resize(600, 400);
        table.show();
        const QPixmap painted = table.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}

void BM_BaselinePlainTableSortToPaint(benchmark::State& state)
{
    if (!OpenCodeDb()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    QTableWidget table(0, 2);
    FillTable(table, FetchModelRows());
    table.resize(600, 400);
    table.show();
    table.grab();
    int column = 0;
    for (auto _ : state) {
        column = column == 1 ? 0 : 1;
        table.sortItems(column);
        const QPixmap painted = table.grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}

} // namespace

BENCHMARK(BM_BaselinePlainTableToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BaselinePlainTableSortToPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenSearchToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortByColumnToPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return benchsupport::Main(argc, argv); }
