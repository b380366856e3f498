// A code-table file whose make table never ends and whose body table is huge, met through the
// vehicle sheet as a user meets it: each command tells the broken tables in one box and gives up
// on them within the statement limit (counted on a clock of the test's, so that the huge table
// outlasts it on any machine), and the test is loaded and saved all the same.

#include "platform/CodeDb.h"

#include "SheetHarness.h"
#include "SqliteFixture.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

TEST(VehicleSheetHostileCodesTest, EachCommandTellsItsBrokenTablesInOneBoxWithinBoundedTimeAndMemory)
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
        sheettest::VehicleSheet s(dbPath);
        ASSERT_TRUE(s.db.open());
        const std::string test = s.Copy("vtb_valid.mv5", "t.mv5");

        struct Step {
            const char* what;
            int command;
            std::string answer;
        };
        const Step steps[] = {
            {"load", ID_LOAD_TEST, test},
            {"vehicle page", 0, ""},
            {"save", ID_SAVE_TEST, s.dir.file("out.mv5")},
        };
        for (const Step& step : steps) {
            s.messages.clear();
            const long rssBefore = testutil::ResidentKilobytes();
            const auto started = std::chrono::steady_clock::now();
            if (step.command)
                s.Run(step.command, step.answer);
            else
                s.sheet.Tabs()->setCurrentIndex(CVehiclePropertySheet::kVehicle);
            const auto took = std::chrono::steady_clock::now() - started;
            const long grown = testutil::ResidentKilobytes() - rssBefore;
            std::printf("hostile tables, %s: %lld ms, RSS growth %ld kB, %d boxes\n", step.what,
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                        grown, s.messages.count());
            // Every step checks the vehicle's make and body: the two broken tables are told in one
            // box, each once, and no other table.
            EXPECT_EQ(sheettest::Texts(s.messages),
                      "These code tables cannot be read:\n\n"
                      "The code table 'KAVRODB_MAKE' cannot be read: Query timeout expired\n"
                      "The code table 'KAVRODB_BODY' cannot be read: Query timeout expired\n")
                << step.what;
            // The statement limit bounds the work, so the wall time only for safety.
            EXPECT_LT(took, std::chrono::seconds(60)) << step.what;
            // The resident size also holds what the sanitizer keeps of freed memory for a while.
            EXPECT_LT(grown, 512L << 10) << step.what;
        }
        EXPECT_EQ(s.data.m_strTestReference, "T4321") << "the test was loaded all the same";
    }
    CodeDbConnection::GetLimits() = oldLimits;
}
