// Broken code tables under every kind's sheet, as a user meets them: the sheet opened, a test of
// several records loaded, every page and record visited, each Find pressed, the test saved. Each
// action tells the tables that failed during it in one box, each table once: its own box's when it
// shows one, else one before a dialog waits for the user or at its end. No broken table keeps a
// page from being left or the test from being saved.

#include "codes/ui/Search.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/ui/SpinButton.h"

#include "DamagedCopies.h"
#include "SheetHarness.h"
#include "SqliteFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// Whether the text tells failed tables (one, or a list of several).
bool TellsFailures(const std::string& text)
{
    if (text.rfind(kSeveral, 0) == 0)
        return true;
    for (const Failure& failure : kFailures) {
        if (text.rfind(failure.told, 0) == 0)
            return true;
    }
    return false;
}

// A box of the action's own with the failed tables after its text and a blank line: where they
// begin (npos for a box of anything else).
size_t JoinedFailures(const std::string& text)
{
    for (size_t at = text.find("\n\n"); at != std::string::npos; at = text.find("\n\n", at + 1)) {
        if (TellsFailures(text.substr(at + 2)))
            return at + 2;
    }
    return std::string::npos;
}

// The failures a box tells: one of its own, or the lines of a list of several (without the
// number left out), alone or after the action's own text; none for a box about anything else.
std::vector<std::string> FailuresTold(std::string text)
{
    if (!TellsFailures(text)) {
        const size_t joined = JoinedFailures(text);
        if (joined == std::string::npos)
            return {};
        text = text.substr(joined);
    }
    if (text.rfind(kSeveral, 0) == 0) {
        std::vector<std::string> lines;
        std::istringstream list(text.substr(std::string(kSeveral).size()));
        for (std::string line; std::getline(list, line);) {
            if (line.rfind("... and ", 0) != 0)
                lines.push_back(line);
        }
        return lines;
    }
    return {text};
}

// Runs the sheet through a user's session, checking the boxes of each action.
class Session {
public:
    Session(KindSheet& s, const Failure& failure) : m_s(s), m_failure(failure) {}
    ~Session()
    {
        if (m_cancelling)
            platform::SetDialogRunner(std::move(m_previousRunner));
    }

    // Every dialog the session opens is cancelled as soon as it waits for the user, and the boxes
    // shown by then are noted.
    void CancelEachDialog()
    {
        m_cancelling = true;
        m_previousRunner = platform::SetDialogRunner([this](CDialog&) {
            m_shownBeforeWaiting = m_s.messages.count();
            return IDCANCEL;
        });
    }

    // One action: at most one box tells failed tables, naming each table once and as the failure
    // tells it. Told in a box of their own, they come last, or just before a dialog waits for the
    // user, never after it; told in the action's own box, they follow its text.
    void Act(const std::string& what, const std::function<void()>& action)
    {
        m_s.messages.clear();
        m_shownBeforeWaiting = -1;
        action();
        const std::vector<std::string> texts = m_s.messages.texts();
        const int waited = m_shownBeforeWaiting;
        int boxes = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            const std::vector<std::string> failures = FailuresTold(texts[i]);
            if (failures.empty())
                continue;
            ++boxes;
            ++m_boxes;
            m_several += failures.size() > 1;
            const int at = static_cast<int>(i);
            if (waited >= 0) {
                EXPECT_LT(at, waited) << what << ": the failed tables are told after the dialog waited:\n"
                                      << sheettest::Texts(m_s.messages);
                if (at < waited) {
                    ++m_toldBeforeWaiting;
                    for (const std::string& told : failures)
                        m_namedBeforeWaiting.insert(Named(told));
                }
            }
            if (TellsFailures(texts[i]) && at + 1 != waited) {
                EXPECT_EQ(i + 1, texts.size()) << what << ": the failed tables are not told last:\n"
                                               << sheettest::Texts(m_s.messages);
            }
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
    // Boxes of failed tables shown as a dialog opened, before it waited, and the tables they named.
    int toldBeforeWaiting() const { return m_toldBeforeWaiting; }
    bool namedBeforeWaiting(const std::string& table) const { return m_namedBeforeWaiting.contains(table); }

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
    bool m_cancelling = false;
    platform::DialogRunner m_previousRunner;
    int m_shownBeforeWaiting = -1; // boxes shown when a dialog of the action began to wait
    int m_toldBeforeWaiting = 0;
    std::set<std::string> m_namedBeforeWaiting;
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

// A kind's sheet over code tables broken one way.
class SheetCodeTableFaultsTest : public ::testing::TestWithParam<std::tuple<const Kind*, Failure>> {
    SteppedLimits m_limits;

protected:
    void SetUp() override
    {
        if (!broken.connection)
            GTEST_SKIP() << "no shared Access fixture";
        ASSERT_TRUE(broken.connection->open());
    }

    const Kind& kind = *std::get<0>(GetParam());
    const Failure& failure = std::get<1>(GetParam());
    KindSheet s {kind};
    const BrokenTables broken {failure.broken};
};

} // namespace

TEST_P(SheetCodeTableFaultsTest, EachActionTellsItsBrokenTablesInOneBoxAndNeverStopsASave)
{
    Session session(s, failure);
    session.CancelEachDialog(); // every search dialog
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
        // The test page's Search... of the test performer lists a table that is not there.
        EXPECT_TRUE(session.namedBeforeWaiting("KAVRODB_TSTPRF")) << "told after the search dialog closed";
    }
    EXPECT_GT(session.toldBeforeWaiting(), 0) << "no Search... dialog told its table as it opened";
}

// Save Test refused for a field the file cannot hold, on a sheet whose code tables are broken: one
// box, the refusal's own text and then, after a blank line, the tables its checks met. (The SWG
// sheet grays Save Test while a field is not valid.)
TEST_P(SheetCodeTableFaultsTest, ARefusedSaveTellsItsTablesInItsOwnBox)
{
    s.Run(ID_LOAD_TEST, s.WriteTest("t"));
    ASSERT_TRUE(s.Visit(0));
    QLineEdit* title = KindSheet::Line(*s.sheet->Page(0), kind.titleId);
    title->setText(title->text() + QString::fromUtf8("\u2192"));
    if (!s.Enabled(ID_SAVE_TEST))
        return;
    s.messages.clear();
    s.Run(ID_SAVE_TEST, s.dir.file("saved.mv5"));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("saved.mv5")));
    ASSERT_EQ(s.messages.count(), 1) << sheettest::Texts(s.messages);
    const std::string& text = s.messages.last().text;
    const std::string refusal = "The test was not saved. The page shown holds an entry that is missing or not valid.";
    EXPECT_EQ(text.substr(0, refusal.size()), refusal);
    const size_t tables = JoinedFailures(text);
    if (failure.broken == Broken::Missing || tables != std::string::npos) {
        EXPECT_EQ(tables, refusal.size() + 2) << text;
        for (const std::string& told : FailuresTold(text))
            EXPECT_EQ(told.rfind(failure.told, 0), 0u) << told;
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
// is told once, as the chooser opens, before it waits for the user (not on an empty list without
// a word), and not again while it is open or when it closes. Opened again, it is a new action,
// told once more.
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
        int toldOnOpening = 0;
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
                    toldOnOpening = s.messages.count();
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
        EXPECT_EQ(toldOnOpening, 1) << "not told as the chooser opened";
        EXPECT_EQ(toldWhileOpen, toldOnOpening) << "told again while the chooser was open";
        EXPECT_EQ(session.boxes(), before + 1) << "told again when the chooser closed:\n" << sheettest::Texts(s.messages);
    }
}

INSTANTIATE_TEST_SUITE_P(, ChooserCodeTableFaultsTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });


namespace {

// Loads that said one thing several times: a damaged copy of a test (as the damaged-file suite
// makes it) offered to a kind's sheet, and how the box it repeated begins.
struct RepeatingLoad {
    const char* kindName;
    const char* fixture;
    const char* section;
    damagedfiles::Fault fault;
    const char* repeated;
};

// One separator more in the first INSTRUMENTATION line of a version-4 SWG test, or that section
// left out, makes it a biomechanics test whose test date holds a text: the date message came once
// as the pages were filled and again, in capitals, each time they were shown.
const RepeatingLoad kRepeatingLoads[] = {
    {"Biomechanics", "swg/full.mv4", "INSTRUMENTATION", damagedfiles::Fault::OneMore, "Date Verify torque response "},
    {"Biomechanics", "swg/full.mv4", "INSTRUMENTATION", damagedfiles::Fault::LeftOut, "Date Verify torque response "},
};

std::string InCapitals(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

// A load is one action: each thing it has to say is said in one box, whatever the letter case.
TEST(SheetRepeatedBoxesTest, ALoadTellsEachThingOnce)
{
    for (const RepeatingLoad& row : kRepeatingLoads) {
        SCOPED_TRACE(std::string(row.fixture) + " " + row.section + " on the " + row.kindName + " sheet");
        const auto kind = std::find_if(sheettest::Kinds().begin(), sheettest::Kinds().end(),
                                       [&](const Kind& k) { return std::string(k.kindName) == row.kindName; });
        ASSERT_NE(kind, sheettest::Kinds().end());
        KindSheet s(*kind);
        ASSERT_TRUE(s.db.open());
        const std::string path = s.dir.file("offered.mv4");
        testutil::WriteFile(path, damagedfiles::DamagedCopy(row.fixture, row.section, row.fault));
        s.messages.setNextAnswer(IDYES);
        s.Run(ID_LOAD_TEST, path);
        std::set<std::pair<std::string, std::string>> seen;
        int repeated = 0;
        for (const platform::MessageRequest& box : s.messages.messages()) {
            EXPECT_TRUE(seen.emplace(box.caption, InCapitals(box.text)).second) << "told twice: " << box.text;
            repeated += InCapitals(box.text).starts_with(InCapitals(row.repeated));
        }
        EXPECT_EQ(repeated, 1) << sheettest::Texts(s.messages);
    }
}
