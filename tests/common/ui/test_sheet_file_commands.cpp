// The test-file commands over every kind's sheet: a load that finds no test of the kind keeps
// the test held and says so once; the camera companions and the camera commands follow one rule.

#include "platform/Path.h"

#include "SheetHarness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using sheettest::Kind;
using sheettest::Kinds;
using sheettest::KindSheet;
using sheettest::TabTexts;
using testutil::ReadFile;
using testutil::WriteFile;

namespace {

using sheettest::kTwoCameras;

CHsvdTestSheet* CameraSheet(KindSheet& s) { return dynamic_cast<CHsvdTestSheet*>(s.sheet.get()); }

// Save Test and, where the kind has one, Save Report under `name`: the files written, dates
// left out.
std::vector<std::string> SaveAll(KindSheet& s, const std::string& name)
{
    s.Run(ID_SAVE_TEST, s.dir.file(name + ".mv5"));
    std::vector<std::string> written;
    const bool report = s.sheet->HasCommand(ID_SAVE_REPORT);
    if (report)
        s.Run(ID_SAVE_REPORT, s.dir.file(name + ".mvr"));
    for (const char* ext : {".mv5", ".hs5", ".mvr", ".hsr"}) {
        const std::string path = s.dir.file(name + ext);
        written.push_back(std::filesystem::exists(path) ? s.Written(name + ext) : std::string("(none)"));
    }
    return written;
}

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
TEST(SheetFileCommandsTest, ClearAllTakesTheTestOffEveryPage)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
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
}

TEST(SheetFileCommandsTest, ALoadThatFindsNoTestOfTheKindKeepsTheTestHeldAndSaysSoOnce)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        s.Run(ID_LOAD_TEST, s.WriteTest("t", CameraSheet(s) ? kTwoCameras : ""));
        s.messages.clear();
        const std::vector<std::string> before = SaveAll(s, "before");
        ASSERT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
        ASSERT_NE(before[0], "(none)");

        // Other kinds' tests of either version, files empty, of one byte, and without sections.
        std::vector<std::string> files;
        for (const Kind& other : Kinds()) {
            if (&other == &kind)
                continue;
            files.push_back(s.dir.file(std::string("other-") + other.kindName + ".mv5"));
            WriteFile(files.back(), ReadFile(testutil::DataPath(other.fixture)));
            if (other.fixtureV4 && kind.fixtureV4) {
                files.push_back(s.dir.file(std::string("other-") + other.kindName + ".mv4"));
                WriteFile(files.back(), ReadFile(testutil::DataPath(other.fixtureV4)));
            }
        }
        for (const char* ext : {".mv5", ".mv4"}) {
            if (std::string(ext) == ".mv4" && !kind.fixtureV4)
                continue;
            for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>> {
                     {"empty", ""}, {"one", "x"}, {"plain", "A text of no sections.\r\nIts second line.\r\n"}}) {
                files.push_back(s.dir.file(name + ext));
                WriteFile(files.back(), bytes);
            }
        }
        for (const std::string& path : files) {
            SCOPED_TRACE(path);
            s.messages.clear();
            s.messages.setNextAnswer(IDYES);
            s.Run(ID_LOAD_TEST, path);
            std::vector<std::string> told = s.messages.texts();
            std::erase(told, std::string("Really clear all entries?"));
            EXPECT_EQ(told, std::vector<std::string> {"File " + path + " is not a " + kind.kindName + " test."});
        }
        s.messages.clear();
        EXPECT_EQ(SaveAll(s, "after"), before);
        EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    }
}

TEST(SheetFileCommandsTest, AKindWithoutAFileOrReportSaysSo)
{
    CTcaData data;
    EXPECT_EQ(data.ReadVersion4("t.mv4").message, "Crash Avoidance tests have no version-4 file.");
    EXPECT_EQ(data.WriteReport("t.mvr").message, "Crash Avoidance tests have no report.");
    EXPECT_EQ(data.ImportGR('1', "t.gr1").message, "Crash Avoidance tests have no GR file.");
    EXPECT_FALSE(CVehData().ImportGR('9', "t.gr9"));
}

TEST(SheetFileCommandsTest, AFailedLoadNamesTheFileReadablyAndTheCause)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        std::filesystem::create_directory(s.dir.file("Prüfung é"));
        const std::string junk = s.dir.file("Prüfung é/junk.mv5");
        WriteFile(junk, "junk\r\n");
        s.Run(ID_LOAD_TEST, junk);
        ASSERT_EQ(s.messages.count(), 1);
        EXPECT_EQ(s.messages.last().text, "File " + PathForMessage(junk.c_str()).str() + " is not a " +
                                              kind.kindName + " test.");
        // A file that is not there: the cause, as every reader names it.
        s.messages.clear();
        const std::string gone = s.dir.file("gone.mv5");
        s.Run(ID_LOAD_TEST, gone);
        ASSERT_GE(s.messages.count(), 1);
        EXPECT_EQ(s.messages.messages().front().text, "Can't open file " + gone + ", error = 2\n");
    }
}

TEST(SheetFileCommandsTest, EveryLoadSetsTheCameraItemsAndTheTouchedState)
{
    for (const Kind& kind : Kinds()) {
        if (!kind.fixtureV4)
            continue;
        SCOPED_TRACE(kind.name);
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
        {
            // A GR file merged into a new sheet: Clear All Pages now asks.
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
}

TEST(SheetFileCommandsTest, CameraCompanionsKeepTheTestReferenceAndACameraFileWithoutCamerasKeepsThem)
{
    for (const Kind& kind : Kinds()) {
        if (!kind.fixtureV4)
            continue;
        SCOPED_TRACE(kind.name);
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
}

TEST(SheetFileCommandsTest, AReportChecksTheCamerasAndWritesTheShownOne)
{
    for (const Kind& kind : Kinds()) {
        if (!kind.fixtureV4)
            continue;
        SCOPED_TRACE(kind.name);
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
}
