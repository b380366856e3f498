// Times Save Test's check of a large vehicle test on the real sheet: 999 instrumentation
// channels, 50 occupants and 999 intrusion points, every record loaded into its page and
// validated as the pages do before a save (code checks included). Baseline, in the same run:
// as many texts set into plain line edits as the check loads into the pages' fields.
// The code tables come from MORVEL_CODE_DB, else ncodes.mdb beside the build's bench folder;
// the bench adds 999 intrusion-point codes to a copy of them, so that every point is valid.

#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "platform/CodeDb.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "BenchSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kChannels = 999;
constexpr int kOccupants = 50;
constexpr int kPoints = 999;
// The texts one full check sets into the fields: each record's fields once.
constexpr int kTexts = kChannels * 19 + kOccupants * 20 + kPoints * 10;

using benchsupport::NoOwner;

std::string PointCode(int n) { return std::to_string(n) + "PT"; }

// A copy of the code tables with a code for every intrusion point.
bool OpenCodeDb(const QString& dir)
{
    const QString source = benchsupport::SampleDbPath();
    const QString copy = dir + "/ncodes.mdb";
    if (!QFile::copy(source, copy))
        return false;
    sqlite3* db = nullptr;
    if (sqlite3_open(copy.toLocal8Bit().constData(), &db) != SQLITE_OK)
        return false;
    std::string sql = "BEGIN;";
    for (int n = 1; n <= kPoints; ++n)
        sql += "INSERT INTO KAVRODB_VEHIP VALUES ('" + PointCode(n) + "', 'Point', NULL, 'INTRUSIONDB');";
    sql += "COMMIT;";
    const bool added = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    g_pCodeDbConnection = std::make_shared<CodeDbConnection>();
    g_bCodeDbOpen = g_pCodeDbConnection->Open(copy.toLocal8Bit().constData());
    return added && g_bCodeDbOpen;
}

// The test and its intrusion companion; every value valid in the sample code tables.
std::string WriteTest(const QString& dir)
{
    const std::string path = (dir + "/big.mv5").toStdString();
    std::ofstream mv5(path, std::ios::binary);
    mv5 << "# Source: Morvel for Windows v5 in Vehicle Test - No curve error checking\r\n# Date: <1/1/2024>\r\n"
        << "----- MV5 -----\r\n----- TEST -----\r\n"
        << "V5|Large test|Benchmark|12-MAR-1998|TRC| |T4321|NCA|VTB|CON|DRY|21|DDA|UMB|56.3|0|0| |" << kChannels
        << "|\r\n----- OCCUPANT -----\r\n";
    for (int n = 1; n <= kOccupants; ++n)
        mv5 << "1|0" << (n % 2 ? 1 : 3) << "|H3|35|M|175|78|NA|50M|FTSS|NONE|Occupant " << n
            << "|410|520|330|280|560|370|120|140|150|610|620|630|640|MD|F|L|R|NA|U|NA|654|12.5|48.5|45.2|-5100|-4800|9|"
               "8200|9100| | |\r\n";
    mv5 << "----- RESTRAINT -----\r\n1|01|1|FAB|W|DN|Driver air bag\r\n----- INSTRUMENTATION -----\r\n";
    for (int n = 1; n <= kChannels; ++n)
        mv5 << "1|" << n << "|AC|01|ST|XG|SEC|G'S|1650|ENDEVCO|01-JAN-1998|2000|150|0|-100|2500|100|AM|P|Channel " << n
            << "\r\n";
    mv5 << "----- END -----\r\n";
    std::ofstream ip5((dir + "/big.ip5").toStdString(), std::ios::binary);
    ip5 << "# Source: Intrusion Data\r\n# Date: <1/1/2024>\r\n----- INTRUSION -----\r\n";
    for (int n = 1; n <= kPoints; ++n)
        ip5 << "1|" << n << "|PT|10|20|30|12|22|31|T4321\r\n";
    ip5 << "----- END -----\r\n";
    return path;
}

void BM_SaveTestCheck(benchmark::State& state)
{
    QTemporaryDir dir;
    if (!OpenCodeDb(dir.path())) {
        state.SkipWithError("no sample database: set MORVEL_CODE_DB");
        return;
    }
    platform::MessageRecorder messages;
    platform::ScriptedFileDialogs files;
    NoOwner owner;
    CVehiclePropertySheet sheet {"Vehicle Data", &owner};
    sheet.Create();
    files.answer(CString(WriteTest(dir.path())));
    sheet.RunCommand(ID_LOAD_TEST);
    if (sheet.m_VehData.m_nCurveCount != kChannels || sheet.m_VehData.m_IntrusionData.PointCount() != kPoints ||
        !sheet.m_bAllPagesValid || !sheet.m_bIntrusionValid || messages.count() != 0) {
        state.SkipWithError("the large test did not load as a valid test");
        return;
    }
    for (auto _ : state) {
        const bool valid = sheet.CheckBeforeSave() && sheet.m_bIntrusionValid;
        if (!valid)
            state.SkipWithError("the check found a fault");
    }
    state.counters["records"] = kChannels + kOccupants + kPoints;
}

void BM_BaselineLineEditTexts(benchmark::State& state)
{
    QWidget page;
    auto* layout = new QVBoxLayout(&page);
    std::vector<QLineEdit*> edits;
    for (int i = 0; i < 20; ++i) {
        edits.push_back(new QLineEdit(&page));
        layout->addWidget(edits.back());
    }
    page.show();
    std::vector<QString> texts;
    for (int i = 0; i < kTexts; ++i)
        texts.push_back(QString::number(i));
    for (auto _ : state) {
        for (int i = 0; i < kTexts; ++i)
            edits[static_cast<size_t>(i % 20)]->setText(texts[static_cast<size_t>(i)]);
    }
    state.counters["texts"] = kTexts;
}

} // namespace

BENCHMARK(BM_SaveTestCheck)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BaselineLineEditTexts)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return benchsupport::Main(argc, argv); }
