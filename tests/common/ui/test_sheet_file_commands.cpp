// The test-file commands over every kind's sheet: a load that finds no test of the kind keeps
// the test held and says so once; the camera companions and the camera commands follow one rule.

#include "biomech/ui/BioMechPropertySheet.h"
#include "component/ui/ComponentPropertySheet.h"
#include "crashavoid/ui/TcaPropertySheet.h"
#include "swg/ui/SWGPropertySheet.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include "platform/Path.h"

#include "SheetHarness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <sys/stat.h>

using sheettest::Kind;
using sheettest::KindRows;
using sheettest::KindSheet;
using sheettest::SaveAll;
using sheettest::TabTexts;
using testutil::ReadFile;
using testutil::WriteFile;

namespace {

using sheettest::kTwoCameras;

CHsvdTestSheet* CameraSheet(KindSheet& s) { return dynamic_cast<CHsvdTestSheet*>(s.sheet.get()); }

// The suites over every kind and over the kinds with cameras.
class SheetFileCommandsTest : public sheettest::KindTest {};
class CameraSheetFileCommandsTest : public sheettest::KindTest {};
class ReportSheetFileCommandsTest : public sheettest::KindTest {};

// The edits every page shows, by control id (a drop-down box's through its edit part), read
// without bringing the page to the front, which would reload it from the data.
std::vector<std::map<int, QString>> ShownEdits(KindSheet& s)
{
    std::vector<std::map<int, QString>> pages;
    for (int index = 0; index < s.sheet->PageCount(); ++index) {
        std::map<int, QString>& shown = pages.emplace_back();
        const CPropertyPage& page = *s.sheet->Page(index);
        for (int id = 1; id <= 0xFFFF; ++id) {
            QLineEdit* line = page.Item<QLineEdit>(id);
            if (auto* box = page.Item<QComboBox>(id))
                line = box->lineEdit();
            if (line)
                shown[id] = line->text();
            else if (auto* text = page.Item<QPlainTextEdit>(id))
                shown[id] = text->toPlainText();
        }
    }
    return pages;
}

} // namespace

// Every page, the ones added last included, shows after Clear All what it shows when a new
// sheet is cleared: nothing of the test held before.
TEST_P(SheetFileCommandsTest, ClearAllTakesTheTestOffEveryPage)
{
    KindSheet fresh(kind);
    ASSERT_TRUE(fresh.db.open());
    ASSERT_TRUE(fresh.VisitEveryPage());
    fresh.sheet->RunCommand(ID_CLEAR_ALL_PAGES);
    const auto empty = ShownEdits(fresh);

    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    ASSERT_TRUE(s.VisitEveryPage());
    ASSERT_TRUE(s.Load(s.WriteTest("t", CameraSheet(s) ? kTwoCameras : "")));
    ASSERT_TRUE(s.VisitEveryPage());
    ASSERT_NE(ShownEdits(s), empty);
    s.messages.setNextAnswer(IDYES);
    s.sheet->RunCommand(ID_CLEAR_ALL_PAGES);
    ASSERT_TRUE(s.sheet->m_bCleared);
    const auto cleared = ShownEdits(s);
    ASSERT_EQ(cleared.size(), empty.size());
    for (size_t index = 0; index < empty.size(); ++index) {
        SCOPED_TRACE(TabTexts(*s.sheet)[static_cast<int>(index)].toStdString());
        for (const auto& [id, text] : empty[index])
            EXPECT_EQ(cleared[index].at(id).toStdString(), text.toStdString()) << "control " << id;
    }
}

// ---- Every kind takes back what it writes, and no other kind takes it ----

namespace {

// The text of a file with the line after its first line holding `marker` changed by `edit`.
std::string WithLineAfter(std::string bytes, const std::string& marker, const std::function<void(std::string&)>& edit)
{
    const size_t at = bytes.find(marker);
    const size_t begin = bytes.find('\n', at) + 1;
    const size_t end = bytes.find('\r', begin);
    std::string line = bytes.substr(begin, end - begin);
    edit(line);
    return bytes.replace(begin, end - begin, line);
}

// The file's head, then its TEST section alone, or everything but its TEST section.
std::string TestSectionAlone(const std::string& bytes, bool alone)
{
    const size_t marker = bytes.find("----- TEST -----");
    const size_t next = bytes.find("-----", bytes.find('\n', bytes.find('\n', marker) + 1));
    if (alone)
        return bytes.substr(0, next) + "----- END -----\r\n";
    return bytes.substr(0, marker) + bytes.substr(next);
}

std::string Fixture(const char* name) { return ReadFile(testutil::DataPath(name)); }

// What a row starts from: a file loaded (none: a fresh sheet, or one after Clear All Pages) and
// the boxes its load shows.
struct Start {
    std::string name;
    std::string bytes;
    const char* ext = ".mv5"; // nullptr: nothing loaded
    bool clear = false;
    std::vector<std::string> told {};
    // false: the kind's checks before a save stop Save Test (an untouched sheet, no occupant, no
    // component record, a version-4 test's pages that fail them); the row shows the load only.
    bool saves = true;
};

// The starts of a kind: a fresh sheet, Clear All Pages, every section full, the TEST section
// alone, records alone, and the version-4 files the kind's reader takes after a message.
std::vector<Start> StartsOf(const Kind& kind)
{
    const bool records = kind.savesWithoutRecords;
    const std::string full = Fixture(kind.fixture);
    std::vector<Start> starts = {
        {"fresh", "", nullptr, false, {}, kind.untouchedWrites},
        {"cleared", "", nullptr, true, {}, records},
        {"full", full},
        {"test alone", TestSectionAlone(full, true), ".mv5", false, {}, records},
    };
    if (kind.fixtureV4)
        starts.push_back({"version 4", Fixture(kind.fixtureV4), ".mv4", false, {}, kind.savesVersion4});
    if (kind.readsWithoutTestSection)
        starts.push_back({"curves alone", TestSectionAlone(full, false)});
    if (const auto& odd = kind.oddVersion4TestLine) {
        Start start {odd->name, WithLineAfter(Fixture(kind.fixtureV4), "----- TEST", odd->edit), ".mv4", false, {},
                     kind.savesVersion4};
        if (*odd->told)
            start.told.push_back(odd->told);
        starts.push_back(std::move(start));
    }
    return starts;
}

// What is typed on the test page before the save: the Version Number and the Title.
struct Typing {
    const char* name;
    const char* version; // nullptr: left as it is
    std::string title;   // "-": left as it is
};

const Typing kTypings[] = {
    {"nothing typed", nullptr, "-"},
    {"Version Number empty", "", "-"},
    {"Version Number typed", "Q7", "-"},
    {"Version Number of digits", "12", "-"},
    {"Title empty", nullptr, ""},
    {"Title of digits", nullptr, "0123456789"},
    {"Title at its longest", nullptr, std::string(70, 'W')},
};

void Type(KindSheet& s, int id, const std::string& text)
{
    auto* edit = s.sheet->GetPage(0)->Item<QLineEdit>(id);
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(text));
}

// Boxes told, the clear question left out.
std::vector<std::string> Told(KindSheet& s)
{
    std::vector<std::string> told = s.messages.texts();
    std::erase(told, std::string("Really clear all entries?"));
    return told;
}

// Every row of the kind's round trip: the start, the typing, then Save Test; the file written is
// loaded with Load Test into the same sheet and saved again. Returns the files written first.
std::vector<std::pair<const Kind*, std::string>> RoundTrips(const Kind& kind, const testutil::TempDir& keep)
{
    std::vector<std::pair<const Kind*, std::string>> written;
    int row = 0;
    // The boxes every load of the kind shows are not this test's: it asserts what is left.
    const std::vector<std::string> everyLoad = sheettest::BoxesOfAValidLoad(kind);
    for (const Start& start : StartsOf(kind)) {
        for (const Typing& typing : kTypings) {
            if (std::string(typing.name) != "nothing typed" &&
                (!start.saves || (start.name != "full" && start.name != "cleared")))
                continue;
            SCOPED_TRACE(std::string(kind.name) + ", " + start.name + ", " + typing.name);
            KindSheet s(kind);
            if (!s.db.open()) {
                ADD_FAILURE() << "no code tables";
                return written;
            }
            if (start.clear)
                s.sheet->RunCommand(ID_CLEAR_ALL_PAGES);
            if (start.ext) {
                const std::string path = s.dir.file(std::string("start") + start.ext);
                WriteFile(path, start.bytes);
                s.Run(ID_LOAD_TEST, path);
            }
            EXPECT_EQ(sheettest::Without(Told(s), start.ext ? everyLoad : std::vector<std::string> {}), start.told);
            s.messages.clear();
            s.sheet->SetActivePage(0);
            if (typing.version)
                Type(s, kind.versionId, typing.version);
            if (typing.title != "-")
                Type(s, kind.titleId, typing.title);
            const std::string first =
                keep.file(std::string(kind.caseName) + "-row" + std::to_string(++row) + ".mv5");
            s.Run(ID_SAVE_TEST, first);
            if (!start.saves) {
                EXPECT_FALSE(std::filesystem::exists(first));
                continue;
            }
            EXPECT_EQ(Told(s), std::vector<std::string> {});
            if (!std::filesystem::exists(first)) {
                ADD_FAILURE() << "not saved";
                continue;
            }
            written.emplace_back(&kind, first);
            s.messages.clear();
            s.Run(ID_LOAD_TEST, first);
            EXPECT_EQ(sheettest::Without(Told(s), everyLoad), std::vector<std::string> {});
            s.Run(ID_SAVE_TEST, s.dir.file("again.mv5"));
            EXPECT_EQ(s.Written("again.mv5"), sheettest::WithoutDate(ReadFile(first)));
        }
    }
    return written;
}

} // namespace

TEST_P(SheetFileCommandsTest, TakesBackEveryTestItSaves)
{
    testutil::TempDir keep;
    RoundTrips(kind, keep);
}

TEST_P(SheetFileCommandsTest, TakesNoOtherKindsTestAndTheHeldTestStays)
{
    testutil::TempDir keep;
    // What every other kind writes, every fixture of either version, files empty, of one byte and
    // without sections.
    std::vector<std::pair<const Kind*, std::string>> files;
    for (const Kind* other : KindRows()) {
        if (other == &kind)
            continue;
        SCOPED_TRACE(std::string("written by ") + other->name);
        const auto written = RoundTrips(*other, keep);
        files.insert(files.end(), written.begin(), written.end());
    }
    for (const Kind* of : KindRows()) {
        const std::filesystem::path folder =
            std::filesystem::path(testutil::DataPath(of->fixture)).parent_path();
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".mv5" || ext == ".mv4")
                files.emplace_back(of, entry.path().string());
        }
    }
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>> {
             {"empty", ""}, {"one", "x"}, {"plain", "A text of no sections.\r\nIts second line.\r\n"}}) {
        for (const char* ext : {".mv5", ".mv4"}) {
            files.emplace_back(nullptr, keep.file(name + ext));
            WriteFile(files.back().second, bytes);
        }
    }
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("t", CameraSheet(s) ? kTwoCameras : ""));
    s.messages.clear();
    const std::vector<std::string> before = SaveAll(s, "before");
    ASSERT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    ASSERT_NE(before[0], "(none)");
    for (const auto& [of, file] : files) {
        if (of == &kind || (!kind.fixtureV4 && file.ends_with(".mv4")))
            continue;
        SCOPED_TRACE(file);
        // Offered under a name of the sheet's own: the name says nothing of the kind.
        const std::string path = s.dir.file(std::string("offered") + std::filesystem::path(file).extension().string());
        WriteFile(path, ReadFile(file));
        s.messages.clear();
        s.messages.setNextAnswer(IDYES);
        s.Run(ID_LOAD_TEST, path);
        EXPECT_EQ(Told(s), std::vector<std::string> {sheettest::Refusal(kind, path)});
    }
    s.messages.clear();
    EXPECT_EQ(SaveAll(s, "after"), before);
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
}

TEST(SheetFileOperationsTest, AKindWithoutAFileOrReportSaysSo)
{
    CTcaData data;
    EXPECT_EQ(data.ReadVersion4("t.mv4").message, "Crash Avoidance tests have no version-4 file.");
    EXPECT_EQ(data.WriteReport("t.mvr").message, "Crash Avoidance tests have no report.");
    EXPECT_EQ(data.ImportGR('1', "t.gr1").message, "Crash Avoidance tests have no GR file.");
    EXPECT_FALSE(CVehData().ImportGR('9', "t.gr9"));
}

TEST_P(SheetFileCommandsTest, AFailedLoadNamesTheFileReadablyAndTheCause)
{
    KindSheet s(kind);
    std::filesystem::create_directory(s.dir.file("Prüfung é"));
    const std::string junk = s.dir.file("Prüfung é/junk.mv5");
    WriteFile(junk, "junk\r\n");
    s.Run(ID_LOAD_TEST, junk);
    ASSERT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, sheettest::Refusal(kind, PathForMessage(junk.c_str()).str()));
    auto cannotOpen = [this](const std::string& path, const std::string& cause) {
        return kind.openFailureNamesNoCause ? "File " + path + " cannot open" : "Can't open file " + path + cause;
    };
    // A file that is not there: the cause, as the readers name it.
    s.messages.clear();
    const std::string gone = s.dir.file("gone.mv5");
    s.Run(ID_LOAD_TEST, gone);
    ASSERT_GE(s.messages.count(), 1);
    EXPECT_EQ(s.messages.messages().front().text, cannotOpen(gone, ", error = 2\n"));
    // A pipe named like a test: not the access-denied cause, what it is.
    s.messages.clear();
    const std::string pipe = s.dir.file("pipe.mv5");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    s.Run(ID_LOAD_TEST, pipe);
    ASSERT_GE(s.messages.count(), 1);
    EXPECT_EQ(s.messages.messages().front().text,
              cannotOpen(pipe, ": it is a folder, pipe or device, not a plain file.\n"));
}

TEST_P(CameraSheetFileCommandsTest, EveryLoadSetsTheCameraItemsAndTheTouchedState)
{
    {
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        CHsvdTestSheet& sheet = *CameraSheet(s);
        s.Run(ID_LOAD_TEST, s.WriteTest("t", kTwoCameras));
        EXPECT_TRUE(sheet.m_bHsvdValid);
        // A version-4 test has no camera: the camera items follow it.
        s.messages.setNextAnswer(IDYES);
        s.Run(ID_LOAD_TEST, testutil::DataPath(kind.fixtureV4));
        EXPECT_EQ(s.Data().Cameras()->CameraCount(), 0);
        EXPECT_FALSE(sheet.m_bHsvdValid);
    }
    // A GR file merged into a new sheet: Clear All Pages now asks.
    {
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        s.Run(ID_LOAD_TEST, testutil::DataPath(kind.gr));
        EXPECT_FALSE(s.sheet->m_bUntouched);
        s.messages.clear();
        s.messages.setNextAnswer(IDNO);
        s.sheet->RunCommand(ID_CLEAR_ALL_PAGES);
        EXPECT_EQ(sheettest::Texts(s.messages), "Really clear all entries?\n");
    }
}

TEST_P(CameraSheetFileCommandsTest, CameraCompanionsKeepTheTestReferenceAndACameraFileWithoutCamerasKeepsThem)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.WriteTest("plain"));
    const CString reference = s.Data().Cameras()->m_strTestReference;
    ASSERT_FALSE(reference.IsEmpty());
    s.messages.setNextAnswer(IDYES);
    s.Run(ID_LOAD_TEST, s.WriteTest("t", kTwoCameras));
    EXPECT_EQ(s.Data().Cameras()->CameraCount(), 2);
    EXPECT_EQ(s.Data().Cameras()->m_strTestReference, reference);
    s.Run(ID_LOAD_HSVD_ONLY, testutil::DataPath("hsvd/three.hs5"));
    EXPECT_EQ(s.Data().Cameras()->CameraCount(), 3);
    EXPECT_EQ(s.Data().Cameras()->m_strTestReference, reference);

    WriteFile(s.dir.file("none.hs5"), "# Source: High Speed Video Data\r\n----- HSVD -----\r\n----- END -----\r\n");
    WriteFile(s.dir.file("text.hs5"), "no cameras here\r\n");
    for (const char* name : {"none.hs5", "text.hs5"}) {
        s.messages.clear();
        s.Run(ID_LOAD_HSVD_ONLY, s.dir.file(name));
        EXPECT_EQ(sheettest::Texts(s.messages),
                  "File " + s.dir.file(name) + " holds no high-speed video camera.\n");
        EXPECT_EQ(s.Data().Cameras()->CameraCount(), 3);
    }
}

TEST_P(CameraSheetFileCommandsTest, AReportChecksTheCamerasAndWritesTheShownOne)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    CHsvdTestSheet& sheet = *CameraSheet(s);
    s.Run(ID_LOAD_TEST, s.WriteTest("t", kTwoCameras));
    ASSERT_TRUE(sheet.SetActivePage(sheet.GetPageIndex(&sheet.m_HsvdPage)));
    auto* scale = sheet.m_HsvdPage.Item<QLineEdit>(CHsvdPage::IDC_SCALE_FACTOR);
    scale->clear();
    QTest::keyClicks(scale, "abc-9");
    s.messages.clear();
    s.Run(ID_SAVE_REPORT, s.dir.file("bad.mvr"));
    EXPECT_EQ(sheettest::Texts(s.messages), "Illegal data found. No file output.\n");
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("bad.hsr")));

    scale->clear();
    QTest::keyClicks(scale, "0.75");
    s.messages.clear();
    s.Run(ID_SAVE_REPORT, s.dir.file("good.mvr"));
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    EXPECT_NE(ReadFile(s.dir.file("good.hsr")).find("0.75"), std::string::npos);
}

// The camera check after a load sets the menu items only: the camera page it makes for the check
// is not left in front (a kind's own page checks after a load may bring their pages to the front).
TEST_P(CameraSheetFileCommandsTest, TheCameraCheckAfterALoadLeavesTheCameraPageBehind)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    CHsvdTestSheet& sheet = *CameraSheet(s);
    const int cameras = sheet.GetPageIndex(&sheet.m_HsvdPage);
    for (const std::string& path : {testutil::DataPath(kind.fixtureV4), testutil::DataPath(kind.gr),
                                    s.WriteTest("t", kTwoCameras), s.WriteTest("u", kTwoCameras)}) {
        SCOPED_TRACE(path);
        sheet.SetActivePage(0);
        s.Run(ID_LOAD_TEST, path);
        EXPECT_NE(sheet.GetActiveIndex(), cameras);
        if (kind.loadKeepsFirstPage) {
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
        }
    }
    EXPECT_TRUE(sheet.m_bHsvdValid) << "the cameras of the last test were checked";
}

// A field showing a character its file cannot hold stops Save Report as it stops Save Test: the
// field is brought forward and nothing is written that differs from the page.
TEST_P(ReportSheetFileCommandsTest, AReportRefusesAFieldItsFileCannotHold)
{
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    ASSERT_TRUE(s.sheet->HasCommand(ID_SAVE_REPORT));
    s.Run(ID_LOAD_TEST, s.WriteTest("t"));
    ASSERT_TRUE(s.sheet->SetActivePage(0));
    QLineEdit* field = nullptr;
    for (auto* line : s.sheet->GetPage(0)->findChildren<QLineEdit*>()) {
        if (line->isEnabled() && !line->isReadOnly() && !line->text().isEmpty() && line->maxLength() > 10) {
            field = line;
            break;
        }
    }
    ASSERT_NE(field, nullptr);
    field->setText(field->text() + QString::fromUtf8(" \u03a9")); // as pasted
    ASSERT_TRUE(s.sheet->SetActivePage(1) || s.sheet->GetActiveIndex() == 0);
    for (int command : {ID_SAVE_REPORT, ID_SAVE_TEST}) {
        const std::string name = command == ID_SAVE_REPORT ? "bad.mvr" : "bad.mv5";
        s.Run(command, s.dir.file(name));
        EXPECT_FALSE(std::filesystem::exists(s.dir.file(name))) << name;
        EXPECT_EQ(s.sheet->GetActiveIndex(), 0) << name;
        EXPECT_EQ(field->window()->focusWidget(), field) << name;
        EXPECT_TRUE(field->text().endsWith(QString::fromUtf8("\u03a9"))) << name;
    }
}

// Save Test's check, one sequence for every kind, with each kind's departures: what an untouched
// sheet does (nothing, or the kind's box), and the page in front after a valid test is saved
// from the first page (that page again, or the page the kind's check ends on).
TEST_P(SheetFileCommandsTest, SaveTestsCheckEndsWhereTheKindSays)
{
    {
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        s.Save(s.dir.file("untouched.mv5"));
        EXPECT_EQ(sheettest::Texts(s.messages), kind.untouchedTells);
        EXPECT_EQ(std::filesystem::exists(s.dir.file("untouched.mv5")), kind.untouchedWrites);
    }
    KindSheet s(kind);
    ASSERT_TRUE(s.db.open());
    ASSERT_TRUE(s.Load(s.WriteTest("t", CameraSheet(s) ? kTwoCameras : "")));
    ASSERT_TRUE(s.Visit(0));
    s.messages.clear();
    s.Save(s.dir.file("saved.mv5"));
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("saved.mv5")));
    EXPECT_EQ(sheettest::Texts(s.messages), "");
    EXPECT_EQ(s.sheet->GetActiveIndex(), kind.frontAfterSave);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SheetFileCommandsTest, sheettest::EveryKind(), sheettest::KindCaseName);
INSTANTIATE_TEST_SUITE_P(Kinds, CameraSheetFileCommandsTest, sheettest::CameraKinds(), sheettest::KindCaseName);
INSTANTIATE_TEST_SUITE_P(Kinds, ReportSheetFileCommandsTest, sheettest::ReportKinds(), sheettest::KindCaseName);
