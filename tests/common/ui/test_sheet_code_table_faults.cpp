// Broken code tables under every kind's sheet, as a user meets them: the sheet opened, a test of
// several records loaded, every page and record visited, each Find pressed, the test saved. Each
// action tells the tables that failed during it in one box at its end, each table once, and no
// broken table keeps a page from being left or the test from being saved.

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
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

using sheettest::Kind;
using sheettest::KindSheet;

namespace {

enum class Broken { Missing, OverLimit, Damaged, DamagedDatabase };

struct Failure {
    const char* name;
    Broken broken;
    const char* told; // how each failure told begins
};

const Failure kFailures[] = {
    {"MissingTables", Broken::Missing, "The Microsoft Jet database engine cannot find the input table or query '"},
    {"TablesOverTheLimit", Broken::OverLimit, "The code table 'KAVRODB_"},
    {"DamagedFile", Broken::Damaged, "The code table 'KAVRODB_"},
    {"DamagedDatabase", Broken::DamagedDatabase, "The code-table database '"},
};

void PrintTo(const Failure& failure, std::ostream* os) { *os << failure.name; }

constexpr const char* kSeveral = "These code tables cannot be read:\n\n";

// The table or file a failure names (its first quoted name).
std::string Named(const std::string& text)
{
    static const std::regex quoted("'([^']+)'");
    std::smatch m;
    return std::regex_search(text, m, quoted) ? m[1].str() : std::string();
}

// The failures a box tells: one of its own, or the lines of a list of several (without the
// number left out); none for a box about anything else.
std::vector<std::string> FailuresTold(const std::string& text)
{
    if (text.rfind(kSeveral, 0) == 0) {
        std::vector<std::string> lines;
        std::istringstream list(text.substr(std::string(kSeveral).size()));
        for (std::string line; std::getline(list, line);) {
            if (line.rfind("... and ", 0) != 0)
                lines.push_back(line);
        }
        return lines;
    }
    for (const Failure& failure : kFailures) {
        if (text.rfind(failure.told, 0) == 0)
            return {text};
    }
    return {};
}

// Runs the sheet through a user's session, checking the boxes of each action.
class Session {
public:
    Session(KindSheet& s, const Failure& failure) : m_s(s), m_failure(failure) {}

    // One action: at most one box of failed tables, after any other box of the action, naming
    // each table once and as the failure tells it.
    void Act(const std::string& what, const std::function<void()>& action)
    {
        m_s.messages.clear();
        action();
        const std::vector<std::string> texts = m_s.messages.texts();
        int boxes = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            const std::vector<std::string> failures = FailuresTold(texts[i]);
            if (failures.empty())
                continue;
            ++boxes;
            ++m_boxes;
            m_several += failures.size() > 1;
            EXPECT_EQ(i + 1, texts.size()) << what << ": the failed tables are not told last:\n" << sheettest::Texts(m_s.messages);
            std::set<std::string> named;
            for (const std::string& told : failures) {
                EXPECT_EQ(told.rfind(m_failure.told, 0), 0u) << what << ": " << told;
                EXPECT_TRUE(named.insert(Named(told)).second) << what << " told " << Named(told) << " twice";
            }
        }
        EXPECT_LE(boxes, 1) << what << " showed " << boxes << " boxes of failed tables:\n" << sheettest::Texts(m_s.messages);
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

    // Boxes of failed tables shown, and how many of them listed several.
    int boxes() const { return m_boxes; }
    int several() const { return m_several; }

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
    const Failure& m_failure;
    int m_boxes = 0;
    int m_several = 0;
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

// Statements end within a second of the clock that each reading moves on.
struct SteppedLimits {
    SteppedLimits() { CodeDbConnection::GetLimits().statement = std::chrono::milliseconds(1000); }
    ~SteppedLimits() { CodeDbConnection::GetLimits() = m_oldLimits; }

    CodeDbConnection::Limits m_oldLimits = CodeDbConnection::GetLimits();
    codetest::SteppingClock m_clock;
};

class SheetCodeTableFaultsTest : public ::testing::TestWithParam<std::tuple<const Kind*, Failure>> {
    SteppedLimits m_limits;
};

} // namespace

TEST_P(SheetCodeTableFaultsTest, EachActionTellsItsBrokenTablesInOneBoxAndNeverStopsASave)
{
    const auto& [row, failure] = GetParam();
    const Kind& kind = *row;
    KindSheet s(kind);
    platform::ScriptedDialogs dialogs; // every search dialog cancelled
    const BrokenTables broken(failure.broken);
    if (!broken.connection)
        GTEST_SKIP() << "no shared Access fixture";
    ASSERT_TRUE(broken.connection->open());
    Session session(s, failure);
    session.Act("opening the sheet", [&] {
        s.sheet = kind.sheet.make(kind.name, &s.owner);
        s.sheet->Create();
    });
    session.Act("Load Test", [&] { s.Run(ID_LOAD_TEST, s.WriteTest("t")); });
    session.VisitEverything();
    session.Act("Save Test", [&] { s.Run(ID_SAVE_TEST, s.dir.file("saved.mv5")); });
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("saved.mv5"))) << sheettest::Texts(s.messages);
    EXPECT_GT(session.boxes(), 0) << "no broken table was met";
    if (failure.broken == Broken::Missing) {
        EXPECT_GT(session.several(), 0) << "no action met several tables";
    }
}

INSTANTIATE_TEST_SUITE_P(, SheetCodeTableFaultsTest,
                         ::testing::Combine(sheettest::EveryKind(), ::testing::ValuesIn(kFailures)),
                         [](const ::testing::TestParamInfo<std::tuple<const Kind*, Failure>>& info) {
                             return std::string(std::get<0>(info.param)->caseName) + "_" + std::get<1>(info.param).name;
                         });

// The code chooser's own modal loop, as a user runs it: opened by a page's "Search..." button on a
// broken table, its look-ups of that table run again while it is open (the rows filled anew, a
// code typed), then Cancel. All of it is the one action of the click that opened it: the table
// is told once, when the chooser has closed. Opened again, it is a new action, told once more.
class ChooserCodeTableFaultsTest : public ::testing::TestWithParam<Failure> {
    SteppedLimits m_limits;
};

TEST_P(ChooserCodeTableFaultsTest, TheChoosersModalLoopIsOneAction)
{
    const Failure& failure = GetParam();
    sheettest::VehicleSheet s;
    const BrokenTables broken(failure.broken);
    if (!broken.connection)
        GTEST_SKIP() << "no shared Access fixture";
    ASSERT_TRUE(broken.connection->open());
    Session session(s, failure);
    {
        platform::ScriptedDialogs dialogs;
        session.Act("Load Test", [&] { s.Run(ID_LOAD_TEST, s.WriteTest("t")); });
        session.Act("Vehicle page", [&] { s.sheet.SetActivePage(CVehiclePropertySheet::kVehicle); });
    }
    auto* search = s.sheet.m_VehPage.Item<QPushButton>(CVehVehPage::IDC_SEARCH_MAKE);
    ASSERT_TRUE(search && search->isEnabled());
    for (int open = 1; open <= 2; ++open) {
        const int before = session.boxes();
        int shown = 0;
        int toldWhileOpen = 0;
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
                    toldWhileOpen = s.messages.count();
                    QTest::mouseClick(chooser->Item<QPushButton>(IDCANCEL), Qt::LeftButton);
                }
            },
            Qt::QueuedConnection);
        session.Act("the Make chooser, opened " + std::to_string(open) + " times", [&] { search->click(); });
        QCoreApplication::processEvents(); // a chooser that never opened: the step runs now
        EXPECT_EQ(shown, 1) << "opened " << open << " times";
        EXPECT_EQ(toldWhileOpen, 0) << "told before the chooser closed";
        EXPECT_EQ(session.boxes(), before + 1) << sheettest::Texts(s.messages);
    }
}

INSTANTIATE_TEST_SUITE_P(, ChooserCodeTableFaultsTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });
