// Broken code tables under every kind's sheet, as a user meets them: a test of several records
// loaded, every page and record visited, each Find pressed, the test saved. Each action tells a
// broken table at most once, and no broken table keeps a page from being left or the test from
// being saved.

#include "biomech/ui/BioMechPropertySheet.h"
#include "component/ui/ComponentPropertySheet.h"
#include "crashavoid/ui/TcaPropertySheet.h"
#include "swg/ui/SWGPropertySheet.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "codes/ui/Search.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/ui/SpinButton.h"

#include "SheetHarness.h"
#include "SqliteFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>

using sheettest::Kind;
using sheettest::KindSheet;
using sheettest::MakeKind;

namespace {

// Each kind with a test of several records.
const std::vector<Kind>& Kinds()
{
    static const std::vector<Kind> kinds = {
        MakeKind("Vehicle Data", &CVehiclePropertySheet::m_VehData, "vehicle/vtb_valid.mv5", nullptr, nullptr, "Vehicle"),
        MakeKind("Biomechanics Data", &CBioMechPropertySheet::m_BioData, "biomech/cadaver.mv5", nullptr, nullptr,
                 "Biomechanics"),
        MakeKind("Component Data", &CComponentPropertySheet::m_CompData, "component/sheet/comp.mv5", nullptr, nullptr,
                 "Component"),
        MakeKind("Crash Avoidance Data", &CTcaPropertySheet::m_data, "crashavoid/full.mv5", nullptr, nullptr,
                 "Crash Avoidance"),
        MakeKind("SWG Data", &CSWGPropertySheet::m_SWGData, "swg/full.mv5", nullptr, nullptr, "SWG"),
    };
    return kinds;
}

// The table or file a box names (its first quoted name); empty for a box about no table.
std::string Named(const std::string& text)
{
    static const std::regex quoted("'([^']+)'");
    std::smatch m;
    return std::regex_search(text, m, quoted) ? m[1].str() : std::string();
}

// Runs the sheet through a user's session, counting the boxes of each action.
class Session {
public:
    explicit Session(KindSheet& s) : m_s(s) {}

    // One action: no table told twice. Returns the boxes it showed.
    void Act(const std::string& what, const std::function<void()>& action)
    {
        m_s.messages.clear();
        action();
        std::map<std::string, int> told;
        for (const std::string& text : m_s.messages.texts()) {
            const std::string table = Named(text);
            if (table.empty())
                continue;
            ++m_told;
            m_texts.push_back(text);
            EXPECT_EQ(++told[table], 1) << what << " told " << table << " again:\n" << sheettest::Texts(m_s.messages);
        }
    }

    void VisitEverything()
    {
        CTestSheet& sheet = *m_s.sheet;
        for (int page = 0; page < sheet.GetPageCount(); ++page) {
            const std::string caption = sheet.Tabs()->tabText(page).toStdString();
            Act("entering " + caption, [&] { sheet.Tabs()->setCurrentIndex(page); });
            ASSERT_EQ(sheet.GetActiveIndex(), page) << "the page before " << caption << " could not be left";
            CPropertyPage* shown = sheet.GetPage(page);
            if (auto* records = dynamic_cast<CRecordPage*>(shown); records && records->m_nRecordCount > 1) {
                if (auto* list = RecordList(*shown, records->m_nRecordCount)) {
                    for (int r = 0; r < records->m_nRecordCount; ++r)
                        Act(caption + " record " + std::to_string(r + 1), [&] { list->setCurrentRow(r); });
                }
            }
            for (auto* spin : shown->findChildren<CSpinButtonCtrl*>()) {
                for (auto* arrow : spin->findChildren<QToolButton*>())
                    Act(caption + " spin", [&] { arrow->click(); });
            }
            for (auto* button : shown->findChildren<QPushButton*>()) {
                const QString text = button->text().toLower();
                if (button->isEnabled() && (text == "find" || text.startsWith("search")))
                    Act(caption + " " + button->text().toStdString(), [&] { button->click(); });
            }
        }
        Act("back to the first page", [&] { sheet.Tabs()->setCurrentIndex(0); });
        EXPECT_EQ(sheet.GetActiveIndex(), 0) << "the last page could not be left";
    }

    int told() const { return m_told; }
    const std::vector<std::string>& texts() const { return m_texts; }

private:
    static QListWidget* RecordList(CPropertyPage& page, int count)
    {
        for (auto* list : page.findChildren<QListWidget*>()) {
            if (list->count() == count && list->item(0)->text() == "1")
                return list;
        }
        return nullptr;
    }

    KindSheet& m_s;
    int m_told = 0;
    std::vector<std::string> m_texts;
};

// The code tables as they stand in `dir`/ncodes.mdb: the sample's (or none), changed by `sql`.
std::unique_ptr<codetest::Connection> OpenChanged(const testutil::TempDir& dir, const char* sql, bool fromSample)
{
    const std::string path = dir.file("ncodes.mdb");
    if (fromSample)
        std::filesystem::copy_file(MORVEL_SAMPLE_DB, path);
    testutil::MakeSqliteDb(path, sql);
    return std::make_unique<codetest::Connection>(path);
}

// Two tables every kind reads, made endless for every tag: no statement on them ends within its
// time (a reference of each row's own, so that no tag's statement is found empty beforehand).
constexpr const char* kEndless = R"(
    DROP TABLE KAVRODB_MAKE;
    CREATE VIEW KAVRODB_MAKE AS WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c)
        SELECT 'M' || n AS MAKE, 'd' AS MAKED, '' AS MAKE_COMMENT, 'R' || n AS REFERENCE FROM c;
    DROP TABLE KAVRODB_UNITS;
    CREATE VIEW KAVRODB_UNITS AS WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c)
        SELECT 'U' || n AS UNITS, 'd' AS UNITSD, '' AS UNITS_COMMENT, 'R' || n AS REFERENCE FROM c;
)";

// Overwrites the pages of three tables every kind reads in the SQLite file at `path`: each
// statement on them meets a damaged file.
void DamageTables(const std::string& path)
{
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_master WHERE name IN "
                       "('KAVRODB_TSTPRF', 'KAVRODB_UNITS', 'KAVRODB_MAKE')",
                       -1, &stmt, nullptr);
    std::vector<std::pair<long, long>> pages;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        pages.emplace_back(sqlite3_column_int64(stmt, 0), sqlite3_column_int64(stmt, 1));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    EXPECT_EQ(pages.size(), 3u);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    for (const auto& [page, size] : pages) {
        file.seekp((page - 1) * size);
        file.write(std::string(static_cast<size_t>(size), '\xff').data(), size);
    }
}

// The sample's tables, three of them damaged.
std::unique_ptr<codetest::Connection> OpenDamaged(const testutil::TempDir& dir)
{
    const std::string path = dir.file("ncodes.mdb");
    std::filesystem::copy_file(MORVEL_SAMPLE_DB, path);
    DamageTables(path);
    return std::make_unique<codetest::Connection>(path);
}

int SchemaVersion(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &stmt, nullptr);
    const int version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return version;
}

// A genuine Access file, read; then, under the open connection, its conversion turns into the
// sample's tables with three of them damaged (its schema version moved on, so that the next
// statement reads the new schema) and the Access file itself goes bad. The first statement on a
// damaged table finds the conversion damaged, and the file it would be made anew from too: the
// whole database cannot be read from then on. None without the shared Access fixture.
std::unique_ptr<codetest::Connection> OpenDamagedDatabase(const testutil::TempDir& dir,
                                                          const std::filesystem::path& cache)
{
    const std::string fixture = testutil::FixturePath("jet/DateTestDatabase.mdb");
    if (!std::filesystem::exists(fixture))
        return nullptr;
    const std::string path = dir.file("ncodes.mdb");
    std::filesystem::copy_file(fixture, path);
    auto connection = std::make_unique<codetest::Connection>(path);
    if (!connection->open())
        return connection;
    // The Access file was read into the one conversion of the fresh cache folder.
    std::vector<std::filesystem::path> conversions;
    for (const auto& entry : std::filesystem::directory_iterator(cache / "morvel"))
        conversions.push_back(entry.path());
    EXPECT_EQ(conversions.size(), 1u);
    if (conversions.empty())
        return nullptr;
    const std::string conversion = conversions.front().string();
    const std::string tables = dir.file("tables.sqlite");
    std::filesystem::copy_file(MORVEL_SAMPLE_DB, tables);
    testutil::MakeSqliteDb(tables, "PRAGMA schema_version = " + std::to_string(SchemaVersion(conversion) + 1));
    DamageTables(tables);
    const std::string spoiled[] = {testutil::ReadFile(tables), std::string(std::filesystem::file_size(path), '\xff')};
    const std::string targets[] = {conversion, path};
    for (int i = 0; i < 2; ++i) {
        // Rewritten in place: the connection reads the file it holds open.
        std::filesystem::permissions(targets[i], std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        std::ofstream out(targets[i], std::ios::binary | std::ios::trunc);
        out << spoiled[i];
        EXPECT_TRUE(out.good()) << targets[i];
    }
    return connection;
}

enum class Broken { Missing, OverLimit, Damaged, DamagedDatabase };

struct Failure {
    const char* name;
    Broken broken;
    const char* told; // how each box begins
};

const Failure kFailures[] = {
    {"missing tables", Broken::Missing, "The Microsoft Jet database engine cannot find the input table or query '"},
    {"tables over the statement limit", Broken::OverLimit, "The code table 'KAVRODB_"},
    {"a damaged file", Broken::Damaged, "The code table 'KAVRODB_"},
    {"a damaged database", Broken::DamagedDatabase, "The code-table database '"},
};

// The code tables broken so, in a scratch folder (the conversion of an Access file kept under a
// cache folder of its own). No connection where the shared Access fixture a damaged database is
// made from is absent (a failure under CI, which must have it).
struct BrokenTables {
    explicit BrokenTables(Broken broken)
    {
        if (broken == Broken::Missing)
            connection = OpenChanged(dir, "CREATE TABLE DATABASE_VERSION (DATABASE_VERSION TEXT);", false);
        else if (broken == Broken::OverLimit)
            connection = OpenChanged(dir, kEndless, true);
        else if (broken == Broken::Damaged)
            connection = OpenDamaged(dir);
        else
            connection = OpenDamagedDatabase(dir, cache.path());
        if (!connection && testutil::UnderCi())
            ADD_FAILURE() << "the shared Access fixture is absent, which CI must have";
    }

    testutil::TempDir dir;
    testutil::ScopedCacheHome cache;
    std::unique_ptr<codetest::Connection> connection;
};

// Every box told begins as the failure's do.
void ExpectToldAs(const Failure& failure, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts)
        EXPECT_EQ(text.rfind(failure.told, 0), 0u) << text;
}

// Statements end within a second of the clock that each reading moves on.
class SheetCodeTableFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { CodeDbConnection::GetLimits().statement = std::chrono::milliseconds(1000); }
    void TearDown() override { CodeDbConnection::GetLimits() = m_oldLimits; }

private:
    CodeDbConnection::Limits m_oldLimits = CodeDbConnection::GetLimits();
    codetest::SteppingClock m_clock;
};

} // namespace

TEST_F(SheetCodeTableFaultsTest, EachActionTellsABrokenTableOnceAndNeverStopsASave)
{
    for (const Failure& failure : kFailures) {
        for (const Kind& kind : Kinds()) {
            SCOPED_TRACE(std::string(kind.name) + ", " + failure.name);
            KindSheet s(kind);
            platform::ScriptedDialogs dialogs; // every search dialog cancelled
            const BrokenTables broken(failure.broken);
            if (!broken.connection)
                continue;
            ASSERT_TRUE(broken.connection->open());
            Session session(s);
            session.Act("Load Test", [&] { s.Run(ID_LOAD_TEST, s.WriteTest("t")); });
            session.VisitEverything();
            session.Act("Save Test", [&] { s.Run(ID_SAVE_TEST, s.dir.file("saved.mv5")); });
            EXPECT_TRUE(std::filesystem::exists(s.dir.file("saved.mv5"))) << sheettest::Texts(s.messages);
            EXPECT_GT(session.told(), 0) << "no broken table was met";
            ExpectToldAs(failure, session.texts());
        }
    }
}

// The code chooser's own modal loop, as a user runs it: opened by a page's "Search..." button on a
// broken table, its look-ups of that table run again while it is open (the rows filled anew, a
// code typed), then Cancel. All of it is the one action of the click that opened it: the table
// is told once. Opened again, it is a new action, told once more.
TEST_F(SheetCodeTableFaultsTest, TheChoosersModalLoopIsOneAction)
{
    for (const Failure& failure : kFailures) {
        SCOPED_TRACE(failure.name);
        sheettest::VehicleSheet s;
        const BrokenTables broken(failure.broken);
        if (!broken.connection)
            continue;
        ASSERT_TRUE(broken.connection->open());
        Session session(s);
        {
            platform::ScriptedDialogs dialogs;
            session.Act("Load Test", [&] { s.Run(ID_LOAD_TEST, s.WriteTest("t")); });
            session.Act("Vehicle page", [&] { s.sheet.SetActivePage(CVehiclePropertySheet::kVehicle); });
        }
        auto* search = s.sheet.m_VehPage.Item<QPushButton>(CVehVehPage::IDC_SEARCH_MAKE);
        ASSERT_TRUE(search && search->isEnabled());
        for (int open = 1; open <= 2; ++open) {
            const int before = session.told();
            int shown = 0;
            // Runs inside the chooser's own event loop, started by the click below.
            QMetaObject::invokeMethod(
                qApp,
                [&] {
                    for (QWidget* window : QApplication::topLevelWidgets()) {
                        auto* chooser = dynamic_cast<CSearch*>(window);
                        if (!chooser || !chooser->isVisible())
                            continue;
                        ++shown;
                        chooser->Fill();
                        chooser->Fill();
                        QTest::keyClicks(chooser->GetQuickSearchEdit(), "A");
                        QTest::mouseClick(chooser->Item<QPushButton>(IDCANCEL), Qt::LeftButton);
                    }
                },
                Qt::QueuedConnection);
            session.Act("the Make chooser, opened " + std::to_string(open) + " times", [&] { search->click(); });
            QCoreApplication::processEvents(); // a chooser that never opened: the step runs now
            EXPECT_EQ(shown, 1) << "opened " << open << " times";
            EXPECT_EQ(session.told(), before + 1) << sheettest::Texts(s.messages);
        }
        ExpectToldAs(failure, session.texts());
    }
}
