#include "component/ui/RolloverVehicle.h"

#include "component/CompSections.h"

#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/ui/SpinButton.h"

#include "../../codes/ui/ChooseCode.h"
#include "ControlTips.h"
#include "SheetHarness.h"
#include "TestUtil.h"
#include "WidgetColors.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>
#include <filesystem>
#include <map>

using codetest::ChooseCode;
using sheettest::WithoutDate;
using testutil::ReadFile;
using testutil::WriteFile;
using S = CComponentPropertySheet;
using T = CCompTestPage;
using V = CCompVehPage;
using C = CCompCompPage;
using F = CCompConfPage;
using I = CCompInstPage;
using R = CRolloverVehicleData;

namespace {

using CompSheet = sheettest::ComponentSheet;

void ChooseTestType(CompSheet& s, const char* type)
{
    ASSERT_TRUE(s.Visit(S::kTest));
    platform::ScriptedDialogs dialogs;
    dialogs.then([type](CDialog& dialog) { ChooseCode(dialog, type); });
    s.Click(s.sheet.m_TestPage, T::IDC_SEARCH_TEST_TYPE);
}

} // namespace

TEST(CompSheetTest, ATestLoadedVisitedAndSavedComesBackByteForByte)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    EXPECT_EQ(sheettest::TabTexts(s.sheet), (QStringList {"General Test Info", "Vehicle Info", "Component Info",
                                  "Component Configuration Info", "Instrumentation Info",
                                  "High-Speed Digital Video Info"}));
    EXPECT_FALSE(s.Enabled(ID_SAVE_TEST)) << "a fresh sheet";
    EXPECT_FALSE(s.Enabled(ID_UNDO_ALL_PAGES));

    const std::string path = s.Copy("sheet/comp.mv5", "comp.mv5");
    s.Run(ID_LOAD_TEST, path);
    s.messages.clear();
    EXPECT_EQ(s.data.m_nComponentCount, 2);
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_TITLE), "SEAT BACK STRENGTH");
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_CURVE_COUNT), "4");
    EXPECT_TRUE(s.VisitEveryPage());
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_MAKE), "FORD");
    EXPECT_FALSE(s.Shown(s.sheet.m_VehPage, V::IDC_MORE_INFO)) << "no rollover test";
    EXPECT_EQ(s.sheet.m_CompPage.m_nRecordIndex, 2);
    EXPECT_TRUE(s.Enabled(ID_SAVE_TEST));
    EXPECT_TRUE(s.Enabled(ID_UNDO_ALL_PAGES)) << "the load can be taken back";

    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("out.mv5"))), WithoutDate(ReadFile(path)));
    EXPECT_EQ(s.messages.count(), 0) << s.messages.texts().front();
}

TEST(CompSheetTest, ARolloverTestRoundTripsWithItsVehicleAsOneComponentRecord)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    const std::string path = s.Copy("sheet/rollover.mv5", "rov.mv5");
    s.Run(ID_LOAD_TEST, path);
    s.messages.clear();
    ASSERT_EQ(s.data.m_strTestType, "ROV");
    ASSERT_TRUE(s.Visit(S::kVehicle));
    CCompVehPage& veh = s.sheet.m_VehPage;
    EXPECT_TRUE(s.Shown(veh, V::IDC_MORE_INFO));
    EXPECT_FALSE(veh.Spin()->isEnabled()) << "a rollover test stays on the test vehicle";
    EXPECT_EQ(s.Text(veh, V::IDC_VEHICLE_NO), "1");
    EXPECT_EQ(s.Text(veh, V::IDC_DISPLACEMENT), "3.5") << "as the file writes it";
    EXPECT_EQ(s.Text(veh, 1678), "1.59") << "the stability factor";
    EXPECT_EQ(s.Text(veh, V::IDC_CRASH_TESTED), "N");

    // The rollover vehicle's record is there: it is shown, not appended again.
    ASSERT_TRUE(s.Visit(S::kComponent));
    EXPECT_EQ(s.data.m_nComponentCount, 3);
    EXPECT_EQ(s.sheet.m_CompPage.m_nRecordIndex, 3);
    EXPECT_FALSE(s.Shown(s.sheet.m_CompPage, C::IDC_DUMMY_MAKER));
    EXPECT_TRUE(s.VisitEveryPage());

    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("out.mv5"))), WithoutDate(ReadFile(path)));
    EXPECT_EQ(s.messages.count(), 0);
}

TEST(CompSheetTest, UndoAndRedoAcrossLoadsAndAPageEdit)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "a.mv5"));
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "b.mv5"));
    ASSERT_EQ(s.data.m_strTitle, "Roof crush resistance");
    ASSERT_TRUE(s.Visit(S::kTest));
    s.Type(s.sheet.m_TestPage, T::IDC_TITLE, "EDITED");

    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "SEAT BACK STRENGTH") << "before the second load";
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_TITLE), "SEAT BACK STRENGTH");
    EXPECT_TRUE(s.Enabled(ID_REDO_ALL_PAGES));
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "") << "before the first load";
    EXPECT_FALSE(s.Enabled(ID_UNDO_ALL_PAGES));
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "") << "nothing left to undo";

    s.sheet.RunCommand(ID_REDO_ALL_PAGES);
    s.sheet.RunCommand(ID_REDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "EDITED") << "the edit went with the test it was made on";
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_TITLE), "EDITED");
    EXPECT_FALSE(s.Enabled(ID_REDO_ALL_PAGES));

    // Clear All Pages is taken back too.
    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "");
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "EDITED");
}

namespace {

// What Undo and Redo All Pages must bring back: the test as its file holds it, its cameras and the
// title the test page shows.
std::string Held(CompSheet& s)
{
    const std::string path = s.dir.file("held.mv5");
    std::filesystem::remove(path);
    s.data.WriteTest(path.c_str());
    std::string held = WithoutDate(ReadFile(path)) + "|" + s.Text(s.sheet.m_TestPage, T::IDC_TITLE).toStdString();
    for (const CStringArray* cameras : {&s.data.m_arrCameraNumber, &s.data.m_arrScaleFactor,
                                        &s.data.m_arrViewDescription, &s.data.m_arrCommentary}) {
        for (const CString& camera : *cameras)
            held += "|" + camera.str();
    }
    return held;
}

} // namespace

TEST(CompSheetTest, UndoAndRedoWalkBackAndForthOverLoadsFailedLoadsAndClears)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    WriteFile(s.dir.file("junk.mv5"), "not a test\r\n");
    const std::vector<std::pair<std::string, std::function<void()>>> steps = {
        {"load with cameras", [&] { s.Run(ID_LOAD_TEST, s.WriteTest("a", sheettest::kTwoCameras)); }},
        {"failed load", [&] { s.Run(ID_LOAD_TEST, s.dir.file("junk.mv5")); }},
        {"clear", [&] {
             s.messages.setNextAnswer(IDYES);
             s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
         }},
        {"load", [&] { s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "b.mv5")); }},
        {"failed import", [&] { s.Run(ID_LOAD_TEST, s.dir.file("gone.gr5")); }},
        {"import", [&] { s.Run(ID_LOAD_TEST, s.Copy("test.gr9", "c.gr9")); }},
        {"unread file", [&] { s.Run(ID_LOAD_TEST, s.dir.file("junk.txt")); }},
        {"version-4 load", [&] { s.Run(ID_LOAD_TEST, s.Copy("comp_full.mv4", "d.mv4")); }},
        {"load again", [&] { s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "e.mv5")); }},
    };
    std::vector<std::string> held = {Held(s)};
    for (const auto& [name, step] : steps) {
        step();
        held.push_back(Held(s));
    }
    ASSERT_NE(held[1], held[0]);
    ASSERT_EQ(held[2], held[1]) << "a failed load leaves the test";
    ASSERT_NE(held[3], held[2]);

    for (size_t n = steps.size(); n-- > 0;) {
        SCOPED_TRACE("undo of " + steps[n].first);
        ASSERT_TRUE(s.Enabled(ID_UNDO_ALL_PAGES));
        s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
        EXPECT_EQ(Held(s), held[n]);
    }
    EXPECT_FALSE(s.Enabled(ID_UNDO_ALL_PAGES));
    for (size_t n = 0; n < steps.size(); ++n) {
        SCOPED_TRACE("redo of " + steps[n].first);
        ASSERT_TRUE(s.Enabled(ID_REDO_ALL_PAGES));
        s.sheet.RunCommand(ID_REDO_ALL_PAGES);
        EXPECT_EQ(Held(s), held[n + 1]);
    }
    EXPECT_FALSE(s.Enabled(ID_REDO_ALL_PAGES));
}

TEST(CompSheetTest, TestTypeToAndFromRollover)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.mv5"));
    ChooseTestType(s, "ROV");
    EXPECT_EQ(s.data.m_nVehicleCount, 1);
    EXPECT_EQ(s.data.m_saVehCrashTested[1], "N");
    ASSERT_TRUE(s.Visit(S::kVehicle));
    EXPECT_TRUE(s.Shown(s.sheet.m_VehPage, V::IDC_ROLLOVER_GROUP));
    ASSERT_TRUE(s.Visit(S::kComponent));
    ASSERT_EQ(s.data.m_nComponentCount, 3);
    EXPECT_EQ(s.data.m_saCompTested[3], "ROVV");
    EXPECT_EQ(s.data.m_saCompWeight[3], "0.00") << "no weight entered yet";
    EXPECT_EQ(s.data.m_saCompTested[2], "SE") << "the shown record keeps its codes";

    // Leaving rollover: the records go back to one empty component.
    ChooseTestType(s, "CMP");
    EXPECT_EQ(s.data.m_nComponentCount, 1);
    EXPECT_EQ(s.data.m_saCompTested[1], "");
    ASSERT_TRUE(s.Visit(S::kVehicle));
    EXPECT_FALSE(s.Shown(s.sheet.m_VehPage, V::IDC_ROLLOVER_GROUP));
    EXPECT_TRUE(s.sheet.m_VehPage.Spin()->isEnabled());
    ASSERT_TRUE(s.Visit(S::kTest));
    EXPECT_EQ(s.data.m_strTestType, "CMP");
    EXPECT_EQ(s.data.m_strTitle, "SEAT BACK STRENGTH") << "the test page's own fields return";
}

TEST(CompSheetTest, RolloverDialogComputesAsValuesAreTyped)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "rov.mv5"));
    ASSERT_TRUE(s.Visit(S::kVehicle));
    s.data.m_RolloverVehicleData.m_dFrontTrackA = 61.123456;
    struct Typed {
        int id;
        const char* text;
    };
    const Typed typed[] = {{1370, "60"}, {1376, "60"}, {1378, "61"}, {1377, "61"}, {1384, "59"}, {1383, "59"},
                           {1382, "60"}, {1381, "60"}, {1406, "24"}, {1407, "24"}, {1408, "24"}, {1419, "24"},
                           {1391, "3000"}, {1390, "2800"}};
    struct Shown {
        int id;
        const char* text;
    };
    const Shown expected[] = {{1379, "60.5"}, {1380, "59.5"}, {1375, "60"},   {1405, "24"},  {1416, "1.25"},
                              {1421, "0.159"}, {1422, "1.06"}, {1420, "4"},   {1389, "5800"}};
    std::map<int, QString> seen;
    QString trackA;
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) {
        auto& d = dynamic_cast<CRolloverVehicle&>(dialog);
        EXPECT_EQ(d.GetDlgItemText(1370), "61.12") << "a measured value as the file writes it";
        for (const Typed& t : typed) {
            // Typed over the selection: a bound field never stands empty.
            d.Item<QLineEdit>(t.id)->selectAll();
            QTest::keyClicks(d.Item<QLineEdit>(t.id), t.text);
        }
        for (const Shown& e : expected)
            seen[e.id] = ToQString(d.GetDlgItemText(e.id));
        // A letter is taken back; the run 1 height changes nothing.
        QTest::keyClicks(d.Item<QLineEdit>(1370), "a");
        trackA = ToQString(d.GetDlgItemText(1370));
        d.Item<QLineEdit>(1395)->selectAll();
        QTest::keyClicks(d.Item<QLineEdit>(1395), "99");
        d.OnCancel(); // Esc keeps the edits
    });
    s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
    for (const Shown& e : expected)
        EXPECT_EQ(seen[e.id], e.text) << e.id;
    EXPECT_EQ(trackA, "60");
    const CRolloverVehicleData& r = s.data.m_RolloverVehicleData;
    EXPECT_DOUBLE_EQ(r.m_dFrontTrackA, 60.0);
    EXPECT_DOUBLE_EQ(r.m_dAvgCGHeight, 24.0);
    EXPECT_EQ(r.m_nStarRating, 4);
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, 1678), "1.25") << "the summary follows after Esc";
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, 1700), "5800");
}

TEST(CompSheetTest, RolloverDialogRefusesOkWhileABoundFieldHoldsNoNumber)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "rov.mv5"));
    s.messages.clear();
    ASSERT_TRUE(s.Visit(S::kVehicle));
    bool stayed = false;
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) {
        dialog.Item<QLineEdit>(1388)->clear(); // roof height
        dialog.accept();
        stayed = dialog.GetModalResult() != IDOK;
        dialog.Item<QLineEdit>(1388)->setText("40.5");
        dialog.accept();
    });
    s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
    EXPECT_TRUE(stayed);
    ASSERT_GE(s.messages.count(), 1);
    EXPECT_EQ(s.messages.messages().front().text, "Please enter a number.");
    EXPECT_DOUBLE_EQ(s.data.m_RolloverVehicleData.m_dRoofHeight, 40.5);
}

TEST(CompSheetTest, RolloverDialogOkButtonChecksAndCloses)
{
    const struct {
        int id;
        const char* message;
    } cases[] = {{1388, "Please enter a number."}, {1371, "Please enter an integer."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        CompSheet s;
        ASSERT_TRUE(s.db.open());
        s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "rov.mv5"));
        s.messages.clear();
        ASSERT_TRUE(s.Visit(S::kVehicle));
        int afterBad = -1, afterGood = -1;
        platform::ScriptedDialogs dialogs;
        dialogs.then([&](CDialog& dialog) {
            auto* ok = dialog.Item<QPushButton>(IDOK);
            dialog.Item<QLineEdit>(c.id)->clear();
            QTest::mouseClick(ok, Qt::LeftButton);
            afterBad = dialog.GetModalResult();
            QTest::keyClicks(dialog.Item<QLineEdit>(c.id), "35");
            QTest::mouseClick(ok, Qt::LeftButton);
            afterGood = dialog.GetModalResult();
        });
        s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
        EXPECT_NE(afterBad, IDOK) << "a field that holds no number keeps the dialog open";
        EXPECT_EQ(afterGood, IDOK);
        ASSERT_EQ(s.messages.count(), 1);
        EXPECT_EQ(s.messages.messages().front().text, c.message);
    }
}

TEST(CompSheetTest, CheckPairInListsLooksOnlyAtTheCountedRecordsOfBothLists)
{
    CNEdit field, other;
    CStringArray numbers, vehicles;
    for (const char* n : {"", "1", "2", "3"})
        numbers.Add(n);
    for (const char* v : {"", "1", "0"}) // shorter: record 3 has no vehicle
        vehicles.Add(v);
    struct Case {
        const char* value;
        const char* vehicle;
        int count;
        bool valid;
    };
    const Case cases[] = {
        {"", "7", 3, true},  {"1", "1", 3, true}, {"2", "0", 3, true},  {"2", "1", 3, false},
        {"3", "", 3, false}, {"2", "0", 1, false}, {"9", "1", 99, false},
    };
    for (const Case& c : cases) {
        field.SetText(c.value);
        other.SetText(c.vehicle);
        CheckPairInLists(field, other, numbers, vehicles, c.count);
        EXPECT_EQ(field.IsValid(), c.valid) << c.value << "/" << c.vehicle << " of " << c.count;
    }
    // The record a number names is not the only one asked: the pair may stand elsewhere, and the
    // texts must match as they are.
    CStringArray moved, owners;
    for (const char* n : {"", "1", "1", "02"})
        moved.Add(n);
    for (const char* v : {"", "0", "1", "1"})
        owners.Add(v);
    EXPECT_TRUE(CheckPairInLists::Holds("1", "1", moved, owners, 3));
    EXPECT_TRUE(CheckPairInLists::Holds("02", "1", moved, owners, 3));
    EXPECT_FALSE(CheckPairInLists::Holds("2", "1", moved, owners, 3));
    EXPECT_FALSE(CheckPairInLists::Holds("3", "1", moved, owners, 2));
}

TEST(CompSheetTest, ConfigurationReferencingAnotherVehiclesComponentKeepsTheUserOnThePage)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.mv5"));
    s.data.m_saCompVehicleNo[2] = "0"; // component 2 now belongs to no vehicle
    ASSERT_TRUE(s.Visit(S::kConfiguration));
    CCompConfPage& conf = s.sheet.m_ConfPage;
    EXPECT_EQ(conf.m_nRecordIndex, 2);
    EXPECT_FALSE(conf.Edit(F::IDC_COMPONENT_NO)->IsValid());
    EXPECT_FALSE(s.Visit(S::kTest));
    s.data.m_saCompVehicleNo[2] = "1";
    conf.LoadRecord();
    EXPECT_TRUE(conf.Edit(F::IDC_COMPONENT_NO)->IsValid());
    EXPECT_TRUE(s.Visit(S::kTest));
}

TEST(CompSheetTest, CurveReviewWalksTheChannelsAndNeverBlocksOnACurveFileFault)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    for (const char* curve : {"test.001", "test.002", "test.004", "test.009"})
        WriteFile(s.dir.file(curve), ReadFile(testutil::DataPath(std::string("curves/") + curve)));
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "test.mv5"));
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    CCompInstPage& inst = s.sheet.m_InstPage;
    EXPECT_TRUE(s.Shown(inst, I::IDC_CHECK_CURVE));
    s.Click(inst, I::IDC_CHECK_CURVE);
    EXPECT_TRUE(s.Shown(inst, I::IDC_VIEW_CURVE));
    EXPECT_EQ(inst.m_nRecordIndex, 2) << "the first mismatch";
    EXPECT_FALSE(inst.ValidateAllRecords()) << "a mismatch stops Save Test";

    s.Type(inst, I::IDC_LAST_POINT, "2");
    EXPECT_EQ(s.Text(inst, I::IDC_MESSAGE), CCurveCheckPanel::kClickFindNext);
    s.Click(inst, I::IDC_FIND_NEXT_ERROR);
    EXPECT_EQ(inst.m_nRecordIndex, 4) << "the bad curve file is shown";
    EXPECT_FALSE(s.Text(inst, I::IDC_MESSAGE).isEmpty());
    EXPECT_TRUE(inst.ValidateAllRecords()) << "a curve file's own fault never blocks";

    // A channel deleted after the check: the findings naming it are never read past the lists.
    inst.m_nRecordIndex = 4;
    inst.LoadRecord();
    s.Click(inst, I::IDC_DELETE_BUTTON);
    s.Click(inst, I::IDC_FIND_NEXT_ERROR);
    EXPECT_LE(inst.m_nRecordIndex, inst.m_nRecordCount);
    EXPECT_TRUE(s.Visit(S::kTest));
    EXPECT_EQ(s.data.m_saInstLastPoint[2], "2");
}

TEST(CompSheetTest, ClearAllPagesEmptiesEveryShownPage)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.mv5"));
    EXPECT_TRUE(s.VisitEveryPage());
    s.messages.setNextAnswer(IDNO);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.data.m_strTitle, "SEAT BACK STRENGTH") << "answered No";

    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.messages.last().text, "Really clear all entries?");
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_TEST_DATE), "");
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_TITLE), "");
    EXPECT_EQ(s.Text(s.sheet.m_TestPage, T::IDC_VERSION), "C5");
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_MAKE), "");
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_COMMENTS), "a non-vehicle component");
    EXPECT_EQ(s.Text(s.sheet.m_CompPage, C::IDC_TESTED), "");
    EXPECT_EQ(s.sheet.m_CompPage.Item<QListWidget>(C::IDC_RECORD_LIST)->count(), 0);
    EXPECT_EQ(s.Text(s.sheet.m_ConfPage, F::IDC_TEST_DEVICE), "");
    EXPECT_EQ(s.Text(s.sheet.m_InstPage, I::IDC_SENSOR_TYPE), "");
    EXPECT_EQ(s.Text(s.sheet.m_InstPage, I::IDC_XUNITS), "SEC");

    // Nothing of the old test comes back through the pages.
    EXPECT_TRUE(s.VisitEveryPage());
    EXPECT_EQ(s.data.m_strTestDate, "");
    EXPECT_EQ(s.data.m_saVehMake[0], "");
    EXPECT_EQ(s.data.m_nComponentCount, 0);
    s.Run(ID_SAVE_TEST, s.dir.file("empty.mv5"));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("empty.mv5"))) << "no component record";
}

TEST(CompSheetTest, SaveTestStopsWhenTheTestFileCannotBeWritten)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    const std::string path = s.Copy("sheet/comp.mv5", "comp.mv5");
    WriteFile(s.dir.file("comp.hs5"), "# Source: High Speed Video Data\r\n# Date: <3/4/2021>\r\n"
                                      "----- HSVD -----\r\n1|C4321|0.001|SIDE VIEW|MAIN\r\n----- END -----\r\n");
    s.Run(ID_LOAD_TEST, path);
    ASSERT_EQ(s.data.CameraCount(), 1);
    s.Run(ID_SAVE_TEST, s.dir.file("missing/out.mv5"));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("missing/out.hs5")));
    ASSERT_GE(s.messages.count(), 1);
    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("out.hs5")));
}

TEST(CompSheetTest, AnOddTestShowsWhatIsThereColouredAndWritesNoNaN)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/odd.mv5", "odd.mv5"));
    // Bad records keep the user on their pages; every page is still shown once, no list read past.
    for (int i = 0; i < S::kPageCount; ++i) {
        s.sheet.SetActivePage(i);
        s.sheet.PageProtocol(i)->LoadPage();
    }

    // The configuration names a removed component, the curve a vehicle out of range.
    ASSERT_TRUE(s.Visit(S::kConfiguration) || s.sheet.GetActiveIndex() == S::kConfiguration);
    EXPECT_FALSE(s.sheet.m_ConfPage.Edit(F::IDC_COMPONENT_NO)->IsValid());
    s.data.m_saConfCompNo[1] = "1";
    s.sheet.m_ConfPage.LoadRecord();
    ASSERT_TRUE(s.Visit(S::kInstrumentation));
    ASSERT_EQ(s.sheet.m_InstPage.m_nRecordIndex, 2);
    EXPECT_EQ(s.Text(s.sheet.m_InstPage, I::IDC_VEHICLE_NO), "3");
    EXPECT_FALSE(s.sheet.m_InstPage.Edit(I::IDC_VEHICLE_NO)->IsValid());
    EXPECT_EQ(s.Text(s.sheet.m_InstPage, I::IDC_COMPONENT_NO), "7");
    EXPECT_FALSE(s.sheet.m_InstPage.Edit(I::IDC_COMPONENT_NO)->IsValid());

    // No number shows as nan or inf, and none is written.
    for (int id : {1678, 1679, 1680, 1686, 1682})
        EXPECT_FALSE(s.Text(s.sheet.m_VehPage, id).contains("n", Qt::CaseInsensitive)) << id;
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_DISPLACEMENT), "");
    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dialog) {
        for (const CRolloverVehicle::Row& row : CRolloverVehicle::Rows())
            EXPECT_FALSE(ToQString(dialog.GetDlgItemText(row.id)).contains("nan", Qt::CaseInsensitive)) << row.id;
        dialog.accept();
    });
    s.sheet.SetActivePage(S::kVehicle);
    s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
    ASSERT_TRUE(s.data.WriteTest(s.dir.file("out.mv5").c_str()));
    s.Run(ID_SAVE_REPORT, s.dir.file("out.mvr"));
    for (const char* file : {"out.mv5", "out.mvr"}) {
        const std::string bytes = ReadFile(s.dir.file(file));
        EXPECT_EQ(bytes.find("nan"), std::string::npos) << file;
        EXPECT_EQ(bytes.find("inf |"), std::string::npos) << file;
    }
}

TEST(CompSheetTest, VehiclePageStepsBetweenItsTwoRecordsAndChecksTheOtherOnLeaving)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.mv5"));
    s.data.m_saVehKavroNo.SetAtGrow(0, "ABCDE"); // the record of no vehicle, badly numbered
    ASSERT_TRUE(s.Visit(S::kVehicle));
    CCompVehPage& veh = s.sheet.m_VehPage;
    EXPECT_EQ(s.Text(veh, V::IDC_VEHICLE_NO), "1");
    EXPECT_FALSE(s.Visit(S::kTest)) << "record 0 is checked on leaving";
    EXPECT_EQ(s.Text(veh, V::IDC_VEHICLE_NO), "0");
    EXPECT_EQ(s.Text(veh, V::IDC_KAVRO_NO), "ABCDE");
    s.Type(veh, V::IDC_KAVRO_NO, "");
    sheettest::ClickSpinArrow(*veh.Spin(), Qt::UpArrow);
    EXPECT_EQ(s.Text(veh, V::IDC_MAKE), "FORD") << "record 1 again";
    EXPECT_TRUE(s.Visit(S::kTest));
    EXPECT_EQ(s.data.m_saVehKavroNo[0], "");
    EXPECT_EQ(s.data.m_nVehicleCount, 1);
}

TEST(CompSheetTest, AnEngineDisplacementOfZeroShowsNoneRatherThanThePreviousTests)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "a.mv5"));
    ASSERT_TRUE(s.Visit(S::kVehicle));
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_DISPLACEMENT), "3.5");
    std::string bytes = ReadFile(s.Fixture("sheet/rollover.mv5"));
    bytes.replace(bytes.find("|6CTF|3.5 |"), 11, "|6CTF|0 |");
    WriteFile(s.dir.file("b.mv5"), bytes);
    s.Run(ID_LOAD_TEST, s.dir.file("b.mv5"));
    ASSERT_TRUE(s.Visit(S::kVehicle));
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, V::IDC_DISPLACEMENT), "");
    ASSERT_TRUE(s.Visit(S::kTest));
    EXPECT_EQ(s.data.m_RolloverVehicleData.m_dEngineDisplacement, 0.0);
}

TEST(CompSheetTest, TooltipsOfThePages)
{
    CompSheet s;
    for (int i : {S::kTest, S::kVehicle, S::kComponent, S::kConfiguration, S::kInstrumentation})
        s.sheet.SetActivePage(i); // a page's controls are made when it is first shown
    struct Tip {
        const char* page;
        QString text;
        const char* expected;
    };
    const Tip tips[] = {
        {"test", ControlTip(s.sheet.m_TestPage, T::IDC_AMBIENT_TEMP), "Degrees Celsius (-99->99)"},
        {"test", ControlTip(s.sheet.m_TestPage, T::IDC_TEST_DATE), "Date (dd/MMM/yyyy)"},
        {"test", ControlTip(s.sheet.m_TestPage, T::IDC_TITLE), ""},
        {"vehicle", ControlTip(s.sheet.m_VehPage, V::IDC_YEAR), "1900->9999"},
        {"vehicle", ControlTip(s.sheet.m_VehPage, V::IDC_DISPLACEMENT), "0.0->19.9"},
        {"vehicle", ControlTip(s.sheet.m_VehPage, V::IDC_KAVRO_NO),
         "9 chars: 1st - purchasing office; 2nd-5th - year; 6th-9th manufacturer code"},
        {"component", ControlTip(s.sheet.m_CompPage, C::IDC_WEIGHT), "kg (0.0->9999)"},
        {"component", ControlTip(s.sheet.m_CompPage, C::IDC_NEXTCURVE_BUTTON), "Advance to Next Component Info Set"},
        {"configuration", ControlTip(s.sheet.m_ConfPage, F::IDC_CONTACT_ANGLE), "Degrees (0->359)"},
        {"configuration", ControlTip(s.sheet.m_ConfPage, F::IDC_DELETE_BUTTON), "Delete Configuration Info Set"},
        {"instrumentation", ControlTip(s.sheet.m_InstPage, I::IDC_CHANNEL_MAX), "% (0->100) allow to exceed 100 "},
        {"instrumentation", ControlTip(s.sheet.m_InstPage, I::IDC_COMPONENT_NO), "1->99"},
    };
    for (const Tip& tip : tips)
        EXPECT_EQ(tip.text, tip.expected) << tip.page;
}

TEST(CompSheetTest, ALoadOfAFileNoReaderTakesEndsTheUntouchedStateAndCanBeTakenBack)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    EXPECT_FALSE(s.Enabled(ID_UNDO_ALL_PAGES));
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.txt"));
    EXPECT_FALSE(s.sheet.m_bUntouched);
    EXPECT_TRUE(s.Enabled(ID_UNDO_ALL_PAGES));
    EXPECT_EQ(s.messages.count(), 0);
}

TEST(CompSheetTest, GrFilesMergeIntoTheTestAndAnyLoadCanBeTakenBack)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    // A fresh sheet is cleared without a question, and can then be saved.
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.messages.count(), 0);
    EXPECT_TRUE(s.Enabled(ID_SAVE_TEST));
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);

    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.mv5"));
    ASSERT_TRUE(s.Visit(S::kComponent));
    s.Run(ID_LOAD_TEST, s.Copy("test.gr9", "c.gr9"));
    EXPECT_EQ(s.data.m_nComponentCount, 4) << "the GR components";
    EXPECT_EQ(s.sheet.m_CompPage.m_nRecordIndex, 4);
    EXPECT_EQ(s.data.m_strTitle, "SEAT BACK STRENGTH") << "merged, not reset";
    s.Run(ID_LOAD_TEST, s.Copy("test.gr5", "c.gr5"));
    EXPECT_EQ(s.data.m_nCurveCount, 3);

    // A file of an extension no reader takes reads nothing but is a step of its own to take back.
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.txt"));
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_nCurveCount, 3) << "the step of the unread file";
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
    EXPECT_EQ(s.data.m_nComponentCount, 2) << "back before the GR components";

    // Without a camera the high-speed video commands alone write nothing.
    s.Run(ID_SAVE_HSVD_ONLY, s.dir.file("cams.hs5"));
    s.Run(ID_SAVE_HSVD_REPORT_ONLY, s.dir.file("cams.hsr"));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("cams.hs5")));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("cams.hsr")));
}

TEST(CompSheetTest, ABadTimeStepOfACurveNotInSecondsIsShownOpenForCorrectionWhereItStopsTheSave)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "test.mv5"));
    ASSERT_GE(s.data.m_nCurveCount, 2);
    // Curve 2 is over milliseconds, where no time step applies, but holds one that is no whole number.
    s.data.m_saInstXUnits.SetAtGrow(2, "MS");
    s.data.m_saInstTimeIncrement.SetAtGrow(2, "0.1");
    const std::string saved = s.dir.file("out.mv5");
    s.Run(ID_SAVE_TEST, saved);
    EXPECT_FALSE(std::filesystem::exists(saved)) << "the bad time step stops the save";

    CCompInstPage& inst = s.sheet.m_InstPage;
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kInstrumentation) << "the page that stops it comes to the front";
    EXPECT_EQ(inst.m_nRecordIndex, 2);
    QLineEdit* step = s.Line(inst, I::IDC_TIME_STEP);
    EXPECT_EQ(step->text(), "0.1");
    EXPECT_TRUE(step->isEnabled()) << "not greyed away from its correction";
    EXPECT_EQ(WidgetBackColor(inst.Edit(I::IDC_TIME_STEP)->GetWidget()), CNEdit::kYellow);
    EXPECT_EQ(step->window()->focusWidget(), step);
    EXPECT_FALSE(s.Visit(S::kTest));

    // Corrected, the save goes through.
    s.Type(inst, I::IDC_TIME_STEP, "0");
    s.Run(ID_SAVE_TEST, saved);
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(s.data.m_saInstTimeIncrement[2], "0");
}

// A code unknown to the tables is only shown on the component page; the weight out of range after
// it is what stops the save, and is the field brought forward.
TEST(CompSheetTest, ARefusedSaveFocusesTheFieldThatStopsIt)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    std::string test = ReadFile(s.Fixture("sheet/comp.mv5"));
    const std::string record = "1|1|SB|SY|12.5|";
    ASSERT_NE(test.find(record), std::string::npos);
    test.replace(test.find(record), record.size(), "1|1|QQ|SY|99999|");
    WriteFile(s.dir.file("bad.mv5"), test);
    s.Run(ID_LOAD_TEST, s.dir.file("bad.mv5"));
    const std::string saved = s.dir.file("out.mv5");
    s.Run(ID_SAVE_TEST, saved);
    EXPECT_FALSE(std::filesystem::exists(saved));

    CCompCompPage& comp = s.sheet.m_CompPage;
    ASSERT_EQ(s.sheet.GetActiveIndex(), S::kComponent);
    ASSERT_EQ(comp.m_nRecordIndex, 1);
    EXPECT_FALSE(comp.Edit(C::IDC_TESTED)->IsValid()) << "the unknown code is shown";
    QLineEdit* weight = s.Line(comp, C::IDC_WEIGHT);
    EXPECT_EQ(weight->window()->focusWidget(), weight);
}

TEST(CompSheetTest, ALoadGivesTheSameTestWhateverTheSheetDidBefore)
{
    // A rollover test whose components hold no rollover vehicle record, and one with C.G. values
    // on the half: what the sheet holds and saves after loading them depends on nothing before.
    std::string noRovv = ReadFile(sheettest::KindOf<S>().Fixture("sheet/rollover.mv5"));
    const size_t rovv = noRovv.find("1|3|ROVV");
    noRovv.erase(rovv, noRovv.find("----- CONFIGURATION") - rovv);
    enum class Before { Fresh, OtherTest, SameTestVisited, UndoRedo };
    for (const std::string& bytes : {noRovv, ReadFile(sheettest::KindOf<S>().Fixture("sheet/rollover.mv5"))}) {
        std::string first;
        for (int shown : {S::kTest, S::kComponent, S::kVehicle}) {
            for (Before before : {Before::Fresh, Before::OtherTest, Before::SameTestVisited, Before::UndoRedo}) {
                SCOPED_TRACE("history " + std::to_string(int(before)) + " shown " + std::to_string(shown));
                CompSheet s;
                ASSERT_TRUE(s.db.open());
                WriteFile(s.dir.file("b.mv5"), bytes);
                if (before == Before::OtherTest) {
                    s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "before.mv5"));
                    EXPECT_TRUE(s.VisitEveryPage());
                } else if (before == Before::SameTestVisited) {
                    s.Run(ID_LOAD_TEST, s.dir.file("b.mv5"));
                    EXPECT_TRUE(s.VisitEveryPage());
                }
                ASSERT_TRUE(s.Visit(shown) || before == Before::Fresh);
                s.Run(ID_LOAD_TEST, s.dir.file("b.mv5"));
                if (before == Before::UndoRedo) {
                    s.sheet.RunCommand(ID_UNDO_ALL_PAGES);
                    s.sheet.RunCommand(ID_REDO_ALL_PAGES);
                }
                EXPECT_EQ(s.data.m_nComponentCount, bytes == noRovv ? 2 : 3) << "a load adds no record";
                s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
                const std::string saved = WithoutDate(ReadFile(s.dir.file("out.mv5")));
                ASSERT_FALSE(saved.empty());
                if (first.empty())
                    first = saved;
                EXPECT_EQ(saved, first);
                EXPECT_EQ(saved.find("ROVV") != std::string::npos, bytes != noRovv);
            }
        }
    }
}

// The rollover results on the vehicle page are the values the test file holds, rounded alike.
TEST(CompSheetTest, VehiclePageShowsTheRolloverValuesAsTheFileRoundsThem)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "r.mv5"));
    s.data.m_RolloverVehicleData.m_dCGLateral = -1.255;
    s.data.m_RolloverVehicleData.m_dCGLongitudinal = 0.125;
    ASSERT_TRUE(s.Visit(S::kVehicle));
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, 1698), "-1.26");
    EXPECT_EQ(s.Text(s.sheet.m_VehPage, 1697), "0.13");
    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    const std::string saved = ReadFile(s.dir.file("out.mv5"));
    EXPECT_NE(saved.find("|-1.26 |"), std::string::npos);
    EXPECT_NE(saved.find("|0.13 |"), std::string::npos);
}

// Every typed real the screens take with more decimals than the test file writes, on the vehicle
// page and in the rollover dialog: on leaving the field it shows the text the file will hold, and
// a save (the dialog's OK) while it is still being typed writes and shows the same value. The
// dialog's record then holds that value, and its rating is the one computed from what it holds.
TEST(CompSheetTest, ARealTypedWithMoreDecimalsThanTheFileHoldsShowsWhatTheFileWrites)
{
    enum Where { kPage, kDialog };
    struct Case {
        Where where;
        int id;
        const char* typed;
        const char* held; // as the file writes it, and as the screen shows it
    };
    const Case cases[] = {
        {kPage, V::IDC_DISPLACEMENT, "2.25", "2.3"},  {kPage, V::IDC_DISPLACEMENT, "5.75", "5.8"},
        {kPage, V::IDC_DISPLACEMENT, "0.04", "0"},    {kPage, V::IDC_DISPLACEMENT, "19.86", "19.9"},
        {kPage, V::IDC_DISPLACEMENT, "3.4", "3.4"},   {kPage, V::IDC_DISPLACEMENT, "12", "12"},
        // Track A and H, the side wheelbases, the corner weights and the C.G. heights of runs 2
        // to 5 are read by id and computed from; the others are exchanged.
        {kDialog, 1370, "60.125", "60.13"},     {kDialog, 1381, "70.4951", "70.5"},
        {kDialog, 1387, "108.2549", "108.25"},  {kDialog, 1386, "108.7", "108.7"},
        {kDialog, 1388, "56.1349", "56.13"},    {kDialog, 1409, "900.004", "900"},
        {kDialog, 1659, "710.5551", "710.56"},  {kDialog, 1414, "42.2549", "42.25"},
        {kDialog, 1415, "-0.5051", "-0.51"},    {kDialog, 1392, "1500.1251", "1500.13"},
        {kDialog, 1393, "1.2346", "1.235"},     {kDialog, 1395, "30.0004", "30"},
        {kDialog, 1402, "0.25049", "0.25"},     {kDialog, 1406, "22.0006", "22.001"},
        {kDialog, 1419, "21.99949", "21.999"},  {kDialog, 1417, "-6.25049", "-6.25"},
    };
    for (const Case& c : cases) {
        for (const bool leave : {true, false}) {
            SCOPED_TRACE(std::to_string(c.id) + " " + c.typed + (leave ? ", field left" : ", saved while typed"));
            CompSheet s;
            ASSERT_TRUE(s.db.open());
            s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "r.mv5"));
            ASSERT_TRUE(s.Visit(S::kVehicle));
            if (c.where == kPage) {
                CNEdit& field = *s.sheet.m_VehPage.RolloverEdit(c.id);
                QLineEdit* line = s.Line(s.sheet.m_VehPage, c.id);
                s.Type(line, c.typed);
                ASSERT_TRUE(field.IsValid());
                if (leave) {
                    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
                    QApplication::sendEvent(line, &out);
                    EXPECT_EQ(line->text(), c.held);
                }
                s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
                // The page shown again after the save gives the value as the file holds it (no
                // displacement, 0, shows none).
                EXPECT_EQ(line->text(), std::stod(c.held) > 0 ? QString(c.held) : QString());
                EXPECT_NE(ReadFile(s.dir.file("out.mv5")).find(std::string("|") + c.held + " |"), std::string::npos);
                continue;
            }
            QString left, closed;
            platform::ScriptedDialogs dialogs;
            dialogs.then([&](CDialog& dialog) {
                auto& d = dynamic_cast<CRolloverVehicle&>(dialog);
                QLineEdit* line = d.Item<QLineEdit>(c.id);
                line->selectAll();
                QTest::keyClicks(line, c.typed);
                if (leave) {
                    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
                    QApplication::sendEvent(line, &out);
                    left = line->text();
                }
                d.OnBnClickedOk();
                closed = line->text();
            });
            s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
            if (leave) {
                EXPECT_EQ(left, c.held);
            }
            EXPECT_EQ(closed, c.held);
            const auto row = std::find_if(CRolloverVehicle::Rows().begin(), CRolloverVehicle::Rows().end(),
                                          [&](const CRolloverVehicle::Row& r) { return r.id == c.id; });
            ASSERT_TRUE(row != CRolloverVehicle::Rows().end() && row->real);
            const CRolloverVehicleData& r = s.data.m_RolloverVehicleData;
            EXPECT_EQ(r.*row->real, std::stod(c.held));
            CRolloverVehicleData again = r;
            again.ComputeAverageTrackWidth(CRolloverVehicleData::Front);
            again.ComputeAverageTrackWidth(CRolloverVehicleData::Rear);
            again.m_dAvgCGHeight = again.ComputeAverageCGHeight();
            again.ComputeStabilityFactor();
            // Read back from their 15-digit texts by the dialog's exchanges.
            for (double R::*computed : {&R::m_dAvgTrackWidth, &R::m_dAvgCGHeight, &R::m_dSSF, &R::m_dRiskScore})
                EXPECT_NEAR(r.*computed, again.*computed, 1e-9);
            EXPECT_EQ(r.m_nStarRating, again.m_nStarRating);
            EXPECT_DOUBLE_EQ(r.m_dWheelbase, again.ComputeWheelbase());
            EXPECT_DOUBLE_EQ(r.m_dTotalWeight, again.ComputeTotalWeight());
            s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
            const std::vector<std::string> lines = testutil::SectionLines(ReadFile(s.dir.file("out.mv5")), "ROLLOVER");
            ASSERT_EQ(lines.size(), 1u);
            const std::vector<std::string> cells = testutil::Cells(lines[0]);
            for (const auto& field : RolloverSectionTable().fields) {
                if (field.real == row->real) {
                    EXPECT_EQ(cells.at(field.pos), std::string(c.held) + " ");
                }
            }
        }
    }
}

// Every real typed into the rollover dialog, left with more decimals than its file field holds,
// shows what the saved file then holds in that field.
TEST(CompSheetTest, EveryRealOfTheRolloverDialogShowsWhatTheFileWrites)
{
    CompSheet s;
    ASSERT_TRUE(s.db.open());
    s.Run(ID_LOAD_TEST, s.Copy("sheet/rollover.mv5", "r.mv5"));
    ASSERT_TRUE(s.Visit(S::kVehicle));
    std::map<int, QString> shown;
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) {
        for (const CRolloverVehicle::Row& row : CRolloverVehicle::Rows()) {
            QLineEdit* line = dialog.Item<QLineEdit>(row.id);
            if (!row.real || line->isReadOnly())
                continue;
            line->selectAll();
            QTest::keyClicks(line, "12.34567");
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(line, &out);
            shown[row.id] = line->text();
        }
        dynamic_cast<CRolloverVehicle&>(dialog).OnBnClickedOk();
    });
    s.Click(s.sheet.m_VehPage, V::IDC_MORE_INFO);
    s.Run(ID_SAVE_TEST, s.dir.file("out.mv5"));
    const std::vector<std::string> lines = testutil::SectionLines(ReadFile(s.dir.file("out.mv5")), "ROLLOVER");
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<std::string> cells = testutil::Cells(lines[0]);
    EXPECT_EQ(shown.size(), 37u);
    for (const CRolloverVehicle::Row& row : CRolloverVehicle::Rows()) {
        if (!shown.count(row.id))
            continue;
        for (const auto& field : RolloverSectionTable().fields) {
            if (field.real == row.real) {
                EXPECT_EQ(shown[row.id].toStdString() + " ", cells.at(field.pos)) << row.id;
            }
        }
    }
}

// The check of every record judges the records it does not show as showing each would: the same
// verdict, stopping at the same record, as a walk through every record.
TEST(CompSheetTest, TheRecordCheckStopsWhereAWalkThroughEveryRecordStops)
{
    struct Case {
        int page;
        CStringArray CCompData::*values;
        const char* bad;
    };
    const Case cases[] = {
        {S::kComponent, &CCompData::m_saCompWeight, "99999"},
        {S::kComponent, &CCompData::m_saCompComments, ""},
        {S::kConfiguration, &CCompData::m_saConfCompNo, "7"},
        {S::kConfiguration, &CCompData::m_saConfContactAngle, "360"},
        {S::kInstrumentation, &CCompData::m_saInstConfNo, "9"},
        {S::kInstrumentation, &CCompData::m_saInstCalibrationDate, "31-FEB-2009"},
        {S::kInstrumentation, &CCompData::m_saInstCalibrationDate, " 01-jan-2009 "},
        {S::kInstrumentation, &CCompData::m_saInstFirstPoint, "5"},
    };
    for (const Case& c : cases) {
        for (int record : {1, 2}) {
            SCOPED_TRACE(std::to_string(c.page) + " " + c.bad + " in record " + std::to_string(record));
            CompSheet s;
            ASSERT_TRUE(s.db.open());
            s.Run(ID_LOAD_TEST, s.Copy("sheet/comp.mv5", "comp.mv5"));
            ASSERT_TRUE(s.VisitEveryPage());
            CCompRecordPage& page = c.page == S::kComponent       ? static_cast<CCompRecordPage&>(s.sheet.m_CompPage)
                                    : c.page == S::kConfiguration ? static_cast<CCompRecordPage&>(s.sheet.m_ConfPage)
                                                                  : static_cast<CCompRecordPage&>(s.sheet.m_InstPage);
            ASSERT_GE(page.m_nRecordCount, 2);
            (s.data.*c.values)[record] = c.bad;
            const CCompData before = s.data;
            platform::MessageRecorder told;
            const bool checked = page.ValidatePage();
            const int stopped = page.m_nRecordIndex;
            const CCompData after = s.data;
            const auto messages = told.texts();
            s.data = before;
            platform::MessageRecorder walked;
            EXPECT_EQ(checked, page.ValidateAllRecords());
            EXPECT_EQ(stopped, page.m_nRecordIndex);
            EXPECT_EQ(messages, walked.texts());
            EXPECT_TRUE(after.m_saInstCalibrationDate.GetSize() == s.data.m_saInstCalibrationDate.GetSize());
            for (int n = 1; n < s.data.m_saInstCalibrationDate.GetSize(); ++n)
                EXPECT_EQ(after.m_saInstCalibrationDate[n], s.data.m_saInstCalibrationDate[n]);

            // Leaving the page from its last record judges the others alike, and ends on the
            // same record.
            const auto leave = [&](bool judgeStored) {
                s.data = before;
                page.m_nRecordIndex = page.m_nRecordCount;
                page.LoadRecord();
                platform::MessageRecorder recorder;
                bool left = false;
                if (judgeStored) {
                    left = page.SaveAndValidateAll();
                } else if (page.IsPageValid()) {
                    page.SaveRecord();
                    left = page.CheckRecords([&](int) { return page.IsPageValid() != FALSE; }, true);
                }
                return std::make_tuple(left, page.m_nRecordIndex, recorder.texts(),
                                       s.data.m_saInstCalibrationDate, s.data.m_saCompNo, s.data.m_saConfNo);
            };
            EXPECT_EQ(leave(true), leave(false));
        }
    }
}

// A load into a sheet that holds a test is checked alike whether the check has to make the
// pages (the user never turned to them) or the user made them before: the same boxes, the same
// page in front on the same record, the same verdict. The records of a page left for the next
// are judged once. (The bad records are not the last: a load shows the last record of a page
// the user made, which a page still to be made does not.)
TEST(CompSheetTest, TheLoadCheckJudgesAlikeWhetherItMakesThePagesOrNot)
{
    struct Case {
        const char* what;
        const char* from; // a text of the file replaced to make one record bad (none: all good)
        const char* to;
    };
    const Case cases[] = {
        {"every record good", nullptr, nullptr},
        {"a component's weight", "1|1|SB|SY|12.5|", "1|1|SB|SY|99999|"},
        {"a configuration's component", "1|1|1|SLD|", "1|7|1|SLD|"},
        {"a curve's calibration date", "ENDEVCO|03-MAR-2009|100|100|7.5|0", "ENDEVCO|31-FEB-2009|100|100|7.5|0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::tuple<std::vector<std::string>, int, int, bool>> outcomes;
        for (bool made : {false, true}) {
            CompSheet s;
            ASSERT_TRUE(s.db.open());
            std::string text = ReadFile(s.Fixture("sheet/comp.mv5"));
            if (c.from) {
                const size_t at = text.find(c.from);
                ASSERT_NE(at, std::string::npos);
                text.replace(at, std::strlen(c.from), c.to);
            }
            WriteFile(s.dir.file("b.mv5"), text);
            ASSERT_TRUE(s.Load(s.Copy("sheet/comp.mv5", "a.mv5")));
            if (made) {
                ASSERT_TRUE(s.VisitEveryPage());
            }
            platform::MessageRecorder told;
            s.Run(ID_LOAD_TEST, s.dir.file("b.mv5"));
            const auto* front = dynamic_cast<CRecordPage*>(s.sheet.GetActivePage());
            // A page the user made shows its record once more as it comes to the front: a box
            // told again in a row counts once.
            std::vector<std::string> boxes = told.texts();
            boxes.erase(std::unique(boxes.begin(), boxes.end()), boxes.end());
            outcomes.emplace_back(boxes, s.sheet.GetActiveIndex(), front ? front->m_nRecordIndex : -1,
                                  s.sheet.m_bPagesValid);
        }
        EXPECT_EQ(outcomes[0], outcomes[1]);
        EXPECT_EQ(std::get<3>(outcomes[0]), c.from == nullptr);
        EXPECT_EQ(std::get<1>(outcomes[0]), c.from ? std::get<1>(outcomes[0]) : int(S::kInstrumentation));
    }
}
