// A code-table file whose make table never ends and whose body table is huge, met through the
// vehicle sheet as a user meets it: each command tells the broken table once and gives up on it
// within the statement limit (counted on a clock of the test's, so that the huge table outlasts it
// on any machine), and the test is loaded and saved all the same.

#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedFileDialogs.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "platform/CodeDb.h"
#include "platform/Messages.h"
#include "platform/ui/FileDialog.h"

#include "../../codes/CodesTestUtil.h"
#include "SheetHarness.h"
#include "SqliteFixture.h"
#include "TestUtil.h"
#include "VehPagesHarness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

int BoxesNaming(const platform::MessageRecorder& boxes, const std::string& table)
{
    int n = 0;
    for (const std::string& text : boxes.texts())
        n += text.find(table) != std::string::npos;
    return n;
}

} // namespace

TEST(VehicleSheetHostileCodesTest, EachCommandTellsABrokenTableOnceWithinBoundedTimeAndMemory)
{
    testutil::TempDir dir;
    const std::string dbPath = dir.file("ncodes.mdb");
    std::filesystem::copy_file(MORVEL_SAMPLE_DB, dbPath);
    testutil::MakeSqliteDb(dbPath, R"(
        DROP TABLE KAVRODB_MAKE;
        CREATE VIEW KAVRODB_MAKE AS WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c)
            SELECT 'M' || n AS MAKE, 'd' AS MAKED, '' AS MAKE_COMMENT, 'VEHDB' AS REFERENCE FROM c;
        DROP TABLE KAVRODB_BODY;
        CREATE TABLE KAVRODB_BODY AS WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c LIMIT 2000000)
            SELECT 'B' || n AS BODY, 'd' AS BODYD, '' AS BODY_COMMENT, 'VEHDB' AS REFERENCE FROM c;
    )");

    const auto oldLimits = CodeDbConnection::GetLimits();
    const auto limit = std::chrono::milliseconds(1000);
    CodeDbConnection::GetLimits().statement = limit;
    {
        codetest::SteppingClock clock;
        codetest::Connection db(dbPath);
        ASSERT_TRUE(db.open());
        platform::MessageRecorder boxes;
        platform::ScriptedFileDialogs files;
        vehtest::NoOwner owner;
        CVehiclePropertySheet sheet {"Vehicle Data", &owner};
        sheet.Create();
        testutil::WriteFile(dir.file("t.mv5"), testutil::ReadFile(vehtest::Fixture("vtb_valid.mv5")));

        struct Step {
            const char* what;
            int command;
            std::string answer;
        };
        const Step steps[] = {
            {"load", ID_LOAD_TEST, dir.file("t.mv5")},
            {"vehicle page", 0, ""},
            {"save", ID_SAVE_TEST, dir.file("out.mv5")},
        };
        for (const Step& step : steps) {
            boxes.clear();
            const long rssBefore = testutil::ResidentKilobytes();
            const auto started = std::chrono::steady_clock::now();
            if (step.command) {
                files.answer(step.answer.c_str());
                sheet.RunCommand(step.command);
            } else {
                sheet.Tabs()->setCurrentIndex(CVehiclePropertySheet::kVehicle);
            }
            const auto took = std::chrono::steady_clock::now() - started;
            const long grown = testutil::ResidentKilobytes() - rssBefore;
            std::printf("hostile tables, %s: %lld ms, RSS growth %ld kB, %d boxes\n", step.what,
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                        grown, boxes.count());
            // Every step checks the vehicle's make and body: each broken table is told, once.
            EXPECT_EQ(BoxesNaming(boxes, "KAVRODB_MAKE"), 1) << step.what << "\n" << sheettest::Texts(boxes);
            EXPECT_EQ(BoxesNaming(boxes, "KAVRODB_BODY"), 1) << step.what << "\n" << sheettest::Texts(boxes);
            EXPECT_EQ(boxes.count(), 2) << step.what << "\n" << sheettest::Texts(boxes);
            // The statement limit bounds the work, so the wall time only for safety.
            EXPECT_LT(took, std::chrono::seconds(60)) << step.what;
            // The resident size also holds what the sanitizer keeps of freed memory for a while.
            EXPECT_LT(grown, 512L << 10) << step.what;
        }
        EXPECT_EQ(sheet.m_VehData.m_strTestReference, "T4321") << "the test was loaded all the same";
    }
    CodeDbConnection::GetLimits() = oldLimits;
}
