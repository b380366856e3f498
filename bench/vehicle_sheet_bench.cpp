// Times the vehicle sheet as a user meets it: opening the sheet and showing each of its pages
// once (each page painted), and Load Test of a full vehicle test with its companions, the
// pages refreshed and painted. Aim: at most twice the baseline.
// Baseline, in the same run: a plain QTabWidget with as many tabs and line edits as the sheet
// holds, each tab shown and painted; and the same line edits given the test file's fields
// (read and split by '|') and painted.
// The code tables come from MORVEL_CODE_DB, the test from MORVEL_VEH_TEST (a .mv5 file whose
// .hs5 and .ip5 lie beside it).

#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "platform/CodeDb.h"
#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using benchsupport::NoOwner;

QString TestPath() { return QString::fromLocal8Bit(qgetenv("MORVEL_VEH_TEST")); }

void ShowEveryPage(CVehiclePropertySheet& sheet)
{
    for (int i = 0; i < sheet.Tabs()->count(); ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        benchmark::DoNotOptimize(sheet.grab().cacheKey());
    }
}

// The line edits of each page of a sheet, counted once, and the sheet's size.
struct SheetShape {
    std::vector<int> edits;
    QSize size;
};

SheetShape ShapeOfSheet()
{
    NoOwner owner;
    CVehiclePropertySheet sheet("Vehicle Data", &owner);
    sheet.Create();
    ShowEveryPage(sheet);
    SheetShape shape {{}, sheet.size()};
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        shape.edits.push_back(static_cast<int>(sheet.GetPage(i)->findChildren<QLineEdit*>().size()));
    return shape;
}

// As many line edits per tab as the sheet's pages hold, in a window of the sheet's size.
struct PlainTabs {
    QTabWidget tabs;
    std::vector<QLineEdit*> edits;
    explicit PlainTabs(const SheetShape& shape)
    {
        const std::vector<int>& counts = shape.edits;
        for (int count : counts) {
            auto* page = new QWidget;
            auto* layout = new QVBoxLayout(page);
            for (int k = 0; k < count; ++k) {
                edits.push_back(new QLineEdit(page));
                layout->addWidget(edits.back());
            }
            tabs.addTab(page, QStringLiteral("Page"));
        }
        tabs.resize(shape.size);
        tabs.show();
    }
    void ShowEach()
    {
        for (int i = 0; i < tabs.count(); ++i) {
            tabs.setCurrentIndex(i);
            benchmark::DoNotOptimize(tabs.grab().cacheKey());
        }
    }
};

void BM_OpenSheetAndShowEveryPage(benchmark::State& state)
{
    if (!benchsupport::OpenCodeDbOnce()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    platform::MessageRecorder quiet;
    for (auto _ : state) {
        NoOwner owner;
        CVehiclePropertySheet sheet("Vehicle Data", &owner);
        sheet.Create();
        ShowEveryPage(sheet);
    }
}

void BM_BaselineTabsOfLineEdits(benchmark::State& state)
{
    const SheetShape shape = ShapeOfSheet();
    int total = 0;
    for (int c : shape.edits)
        total += c;
    for (auto _ : state) {
        PlainTabs plain(shape);
        plain.ShowEach();
    }
    state.counters["line_edits"] = total;
}

void BM_LoadTestWithPagesRefreshed(benchmark::State& state)
{
    if (!benchsupport::OpenCodeDbOnce() || TestPath().isEmpty()) {
        state.SkipWithError("set MORVEL_CODE_DB and MORVEL_VEH_TEST");
        return;
    }
    platform::MessageRecorder quiet; // "Really clear all entries?" answered Yes
    platform::ScriptedFileDialogs files;
    NoOwner owner;
    CVehiclePropertySheet sheet("Vehicle Data", &owner);
    sheet.Create();
    ShowEveryPage(sheet);
    for (auto _ : state) {
        files.answer(FromQString(TestPath()));
        sheet.RunCommand(ID_LOAD_TEST);
        benchmark::DoNotOptimize(sheet.grab().cacheKey());
    }
}

void BM_BaselineFieldsIntoLineEdits(benchmark::State& state)
{
    if (TestPath().isEmpty()) {
        state.SkipWithError("set MORVEL_VEH_TEST");
        return;
    }
    PlainTabs plain(ShapeOfSheet());
    plain.ShowEach();
    const QString base = TestPath().left(TestPath().size() - 4);
    for (auto _ : state) {
        QStringList fields;
        for (const QString& path : {TestPath(), base + ".hs5", base + ".ip5"}) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                fields += QString::fromLatin1(file.readAll()).split('|');
        }
        for (size_t k = 0; k < plain.edits.size(); ++k)
            plain.edits[k]->setText(fields.value(static_cast<int>(k % static_cast<size_t>(fields.size()))));
        benchmark::DoNotOptimize(plain.tabs.grab().cacheKey());
    }
}

} // namespace

BENCHMARK(BM_BaselineTabsOfLineEdits)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenSheetAndShowEveryPage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BaselineFieldsIntoLineEdits)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadTestWithPagesRefreshed)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return benchsupport::Main(argc, argv); }
