// Times Load Test of a component test of 999 records in every record section: into a fresh
// sheet, into a sheet that already holds that test and has shown every page (a load after
// loads), and into a sheet that holds it from its one load before (the user's second load: the
// record check then makes the pages it checks). Aim: a load into a sheet holding the test costs
// about what the first does.
// Baseline, in the same run: the load into a fresh sheet; the sheet is made outside the timing.
// The code tables come from MORVEL_CODE_DB.

#include "component/ui/ComponentPropertySheet.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"

#include "BenchSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using benchsupport::NoOwner;

constexpr int kRecords = 999;

// A valid component test of 999 components, configurations and curves.
QString TestFile()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath("big.mv5");
    if (QFile::exists(path))
        return path;
    QByteArray text = "# Source: Morvel for Windows v5 in Component Test - No curve error checking\r\n"
                      "# Date: <6/9/2026>\r\n----- MV5 -----\r\n----- TEST -----\r\n"
                      "C5|SEAT BACK STRENGTH|MEASURE SEAT BACK DEFLECTION|12-MAR-2009|TRC|DTNH22-95-C-01000|C4321|CMP|21|"
                      "999|Lighting poor\r\n"
                      "----- VEHICLE -----\r\n1|FORD|TA|1998|M20150207|4S|1FALP52U0VG123456|N|DONOR VEHICLE\r\n"
                      "----- COMPONENT -----\r\n";
    for (int n = 1; n <= kRecords; ++n)
        text += "1|" + QByteArray::number(n) + "|SB|SY|12.5|U| |H3|50M|HUMANETICS|Driver seat back\r\n";
    text += "----- CONFIGURATION -----\r\n";
    for (int n = 1; n <= kRecords; ++n)
        text += "1|" + QByteArray::number(n) + "|1|SLD|24.1|Pendulum 50 kg|DYN|1|90|10|20|Head form|First impact\r\n";
    text += "----- INSTRUMENTATION -----\r\n";
    for (int n = 1; n <= kRecords; ++n)
        text += "1|1|1|" + QByteArray::number(n) +
                "|AC|NA|XG|SEC|G'S|1650|ENDEVCO|01-JAN-2009|750|100|35|-2|2|1000|AM|P|curve\r\n";
    text += "----- END -----\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return QString();
    return path;
}

struct Sheet {
    NoOwner owner;
    CComponentPropertySheet sheet {"Component Data", &owner};
    Sheet() { sheet.Create(); }
    // False when the check after the load failed: a time of a check that stopped early says
    // nothing.
    bool Load(platform::ScriptedFileDialogs& files)
    {
        files.answer(FromQString(TestFile()));
        sheet.RunCommand(ID_LOAD_TEST);
        return sheet.m_bPagesValid;
    }
};

// Times a load into a new sheet that `loadsBefore` loads filled first; the sheet is made, filled
// and dropped outside the timing.
void TimeLoadIntoNewSheet(benchmark::State& state, int loadsBefore)
{
    if (!benchsupport::OpenCodeDbOnce() || TestFile().isEmpty()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    platform::MessageRecorder quiet;
    platform::ScriptedFileDialogs files;
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = std::make_unique<Sheet>();
        for (int n = 0; n < loadsBefore; ++n)
            sheet->Load(files);
        state.ResumeTiming();
        const bool checked = sheet->Load(files);
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
        if (loadsBefore > 0 && !checked) {
            state.SkipWithError("the check after the load failed");
            return;
        }
    }
    state.counters["records"] = kRecords;
}

void BM_BaselineLoadIntoFreshSheet(benchmark::State& state) { TimeLoadIntoNewSheet(state, 0); }

void BM_LoadIntoSheetHoldingTheTest(benchmark::State& state)
{
    if (!benchsupport::OpenCodeDbOnce() || TestFile().isEmpty()) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    platform::MessageRecorder quiet;
    platform::ScriptedFileDialogs files;
    Sheet sheet;
    sheet.Load(files);
    for (auto _ : state) {
        if (!sheet.Load(files)) {
            state.SkipWithError("the check after the load failed");
            return;
        }
    }
    state.counters["records"] = kRecords;
}

void BM_SecondLoadIntoSheet(benchmark::State& state) { TimeLoadIntoNewSheet(state, 1); }

} // namespace

BENCHMARK(BM_BaselineLoadIntoFreshSheet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadIntoSheetHoldingTheTest)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SecondLoadIntoSheet)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return benchsupport::Main(argc, argv); }
