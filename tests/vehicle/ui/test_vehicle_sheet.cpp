#include "doubles/ScriptedDialogs.h"
#include "platform/ui/DateTimeCtrl.h"

#include "ControlTips.h"
#include "SheetHarness.h"
#include "TestUtil.h"
#include "WidgetColors.h"

#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using testutil::ReadFile;
using testutil::WriteFile;
using S = CVehiclePropertySheet;
using T = CVehTestPage;
using B = CVehBarPage;

using sheettest::WithoutDate;

namespace {

const char* const kHs5 = "# Source: High Speed Video Data\r\n"
                         "# Date: <3/4/2021>\r\n"
                         "----- HSVD -----\r\n"
                         "1|T4321|0.001|FRONT VIEW|MAIN CAMERA\r\n"
                         "2|T4321| |SIDE VIEW|\r\n"
                         "----- END -----\r\n";
const char* const kIp5 = "# Source: Intrusion Data\r\n"
                         "# Date: <3/4/2021>\r\n"
                         "----- INTRUSION -----\r\n"
                         "1|12|ABC|15|-2|0|10|3|4|T4321\r\n"
                         "1|2|AP|0|0|0|1|1|1|T4321\r\n"
                         "----- END -----\r\n";

using VehSheet = sheettest::VehicleSheet;

// The full vehicle test, with codes and values every page finds valid in the sample code tables,
// and its two companions in the scratch folder.
std::string WriteFullTest(VehSheet& s, const std::string& name = "t")
{
    WriteFile(s.dir.file(name + ".hs5"), kHs5);
    WriteFile(s.dir.file(name + ".ip5"), kIp5);
    return s.Copy("vtb_valid.mv5", name + ".mv5");
}
QLineEdit* TestEdit(VehSheet& s, int id) { return s.Line(s.sheet.m_TestPage, id); }

} // namespace

TEST(VehicleSheetTest, TabsInOrderAndAFreshSheetsMenu)
{
    VehSheet s;
    EXPECT_EQ(sheettest::TabTexts(s.sheet),
              (QStringList {"General Test Info", "Vehicle Info", "Occupant Info", "Occupant Restraints Info",
                            "Barrier Info", "Instrumentation Info", "High-Speed Digital Video Info",
                            "Intrusion Info"}));
    EXPECT_EQ(TestEdit(s, T::IDC_VERSION)->text(), "V5");
    EXPECT_EQ(TestEdit(s, T::IDC_CONFIGURATION)->text(), "VTB");
    EXPECT_FALSE(s.Enabled(ID_SAVE_TEST));
    for (int id : {ID_SAVE_HSVD_ONLY, ID_SAVE_HSVD_REPORT_ONLY, ID_SAVE_INTRUSION_ONLY, ID_SAVE_INTRUSION_REPORT_ONLY})
        EXPECT_FALSE(s.Enabled(id)) << id;
    EXPECT_TRUE(s.Enabled(ID_LOAD_TEST));
    EXPECT_TRUE(s.Enabled(ID_FILE_PRINT));

    // Untouched: Clear All Pages asks nothing; Save Test does nothing.
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.messages.count(), 0);
    EXPECT_TRUE(s.sheet.m_bCleared);
}

TEST(VehicleSheetTest, FullTestLoadsVisitsAndSavesByteIdenticalCompanionsIncluded)
{
    VehSheet s;
    const std::string in = WriteFullTest(s);
    s.Load(in);
    EXPECT_EQ(TestEdit(s, T::IDC_TITLE)->text(), "Frontal barrier test");
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_DATE)->text(), "12-MAR-1998");
    EXPECT_EQ(TestEdit(s, T::IDC_CURVE_COUNT)->text(), "3");
    EXPECT_EQ(s.sheet.m_VehData.CameraCount(), 2);
    EXPECT_EQ(s.sheet.m_VehData.m_IntrusionData.PointCount(), 2);
    EXPECT_TRUE(s.sheet.m_bHsvdValid);
    EXPECT_TRUE(s.sheet.m_bAllPagesValid);
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kInstrumentation);
    for (int id : {ID_SAVE_TEST, ID_SAVE_HSVD_ONLY, ID_SAVE_HSVD_REPORT_ONLY})
        EXPECT_TRUE(s.Enabled(id)) << id;
    EXPECT_TRUE(s.sheet.m_BarPage.Item<QRadioButton>(B::IDC_RIGID)->isChecked());

    EXPECT_TRUE(s.VisitEveryPage());
    s.Save(s.dir.file("out.MV5"));
    EXPECT_EQ(s.files.requests().back().title, "Export File");
    // The name's extension is not exactly "mv5": it is appended, and the companions follow.
    const std::string base = s.dir.file("out.MV5");
    EXPECT_EQ(WithoutDate(ReadFile(base + ".mv5")), WithoutDate(ReadFile(in)));
    EXPECT_EQ(WithoutDate(ReadFile(base + ".hs5")), WithoutDate(kHs5));
    EXPECT_EQ(WithoutDate(ReadFile(base + ".ip5")), WithoutDate(kIp5));

    s.files.answer(s.dir.file("r.mvr").c_str());
    s.sheet.RunCommand(ID_SAVE_REPORT);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("r.mvr"))), WithoutDate(ReadFile(s.Fixture("vtb_valid.mvr"))));
    EXPECT_NE(ReadFile(s.dir.file("r.hsr")).find("FRONT VIEW"), std::string::npos);
    EXPECT_NE(ReadFile(s.dir.file("r.ipr")).find("ABC"), std::string::npos);
}

TEST(VehicleSheetTest, ClearAllPagesAsksThenEmptiesPagesDateIncluded)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    s.sheet.SetActivePage(S::kBarrier);
    s.sheet.SetActivePage(S::kTest);

    s.messages.setNextAnswer(IDNO);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.messages.last().text, "Really clear all entries?");
    EXPECT_EQ(s.messages.last().caption, kAppTitle);
    EXPECT_FALSE(s.sheet.m_bCleared);
    EXPECT_EQ(s.sheet.m_VehData.m_strTitle, "Frontal barrier test");

    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_TRUE(s.sheet.m_bCleared);
    EXPECT_EQ(TestEdit(s, T::IDC_TITLE)->text(), "");
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_DATE)->text(), "");
    EXPECT_EQ(TestEdit(s, T::IDC_CONFIGURATION)->text(), "VTB");
    EXPECT_EQ(TestEdit(s, T::IDC_RECORDER_TYPE)->text(), "DDA");
    auto* picker = s.sheet.m_TestPage.Item<CDateTimeCtrl>(T::IDC_DATE_PICKER);
    EXPECT_EQ(picker->text().trimmed(), "") << "the picker shows no date";
    EXPECT_EQ(s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_BARRIER_SHAPE)->text(), "");
    EXPECT_EQ(s.sheet.m_VehData.CameraCount(), 0);
    EXPECT_EQ(s.sheet.m_HsvdPage.m_nRecordCount, 0);
    EXPECT_FALSE(s.sheet.m_VehData.m_IntrusionData.HasIntrusion());

    // Leaving the test page keeps the date empty in the data.
    s.sheet.SetActivePage(S::kBarrier);
    EXPECT_EQ(s.sheet.m_VehData.m_strTestDate, "");
}

TEST(VehicleSheetTest, ClearAllPagesLeavesANewTestsRecordsAndTheLastCurveCheck)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    CVehData& d = s.sheet.m_VehData;
    d.m_vCurveErrors.emplace_back();
    d.m_vCurveChannelIndex = {-1, 0};
    d.m_nCurveColumnCount = 2;
    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    ASSERT_TRUE(s.sheet.m_bCleared);

    const struct {
        const char* name;
        CStringArray& array;
        const char* value;
    } records[] = {
        {"occupant vehicle", d.m_saOccVehicleNo, "1"},   {"occupant comments", d.m_saOccComments, ""},
        {"restraint vehicle", d.m_saRestVehicleNo, "1"}, {"restraint number", d.m_saRestNo, ""},
        {"channel vehicle", d.m_saInstVehicleNo, "1"},   {"x units", d.m_saInstXUnits, "SEC"},
        {"y units", d.m_saInstYUnits, ""},
    };
    for (const auto& r : records) {
        ASSERT_EQ(r.array.GetSize(), 2) << r.name;
        EXPECT_EQ(r.array[0], r.value) << r.name;
        EXPECT_EQ(r.array[1], r.value) << r.name;
    }
    EXPECT_EQ(d.m_nOccupantCount + d.m_nRestraintCount + d.m_nCurveCount, 0);
    EXPECT_EQ(d.m_nVehicleCount, 1);
    EXPECT_EQ(d.m_strVersion, "V5");

    // The last curve check stays, so the next test file still tells of it.
    EXPECT_EQ(d.m_strCurvePath, CString(s.dir.file("t.mv5")));
    EXPECT_EQ(d.m_vCurveChannelIndex, (std::vector<int> {-1, 0}));
    EXPECT_EQ(d.m_nCurveColumnCount, 2);
    s.Save(s.dir.file("new.mv5"));
    EXPECT_EQ(ReadFile(s.dir.file("new.mv5")).find("# Source: Morvel for Windows v5 in Vehicle Test - Curve error "
                                                   "checking completed\r\n"),
              0u);
    EXPECT_FALSE(s.Enabled(ID_UNDO_ALL_PAGES));
    EXPECT_FALSE(s.Enabled(ID_REDO_ALL_PAGES));
}

TEST(VehicleSheetTest, SaveTestShowsTheBadIntrusionPointWhenItWritesNoIntrusionFile)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    ASSERT_TRUE(s.sheet.SetActivePage(S::kIntrusion));
    CVehIntrPage& intr = s.sheet.m_IntrPage;
    ASSERT_EQ(intr.m_nRecordIndex, 2);
    QLineEdit* afterZ = intr.Item<QLineEdit>(CVehIntrPage::IDC_AFTER_Z);
    afterZ->clear();
    QTest::keyClicks(afterZ, "20000");
    ASSERT_TRUE(s.sheet.SetActivePage(S::kTest)) << "the intrusion page never keeps the user";

    s.Save(s.dir.file("out.mv5"));
    EXPECT_EQ(s.messages.last().text, "Illegal data found. No intrusion file output.");
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kIntrusion);
    EXPECT_EQ(intr.m_nRecordIndex, 2);
    EXPECT_EQ(WidgetBackColor(intr.Edit(CVehIntrPage::IDC_AFTER_Z)->GetWidget()), CNEdit::kYellow);
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("out.mv5")));
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("out.hs5")));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("out.ip5")));
}

TEST(VehicleSheetTest, SaveWithAnInvalidFieldBringsItsPageToTheFrontAndWritesNothing)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    s.sheet.SetActivePage(S::kBarrier);
    QLineEdit* angle = s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_CONTACT_ANGLE);
    angle->clear();
    QTest::keyClicks(angle, "91");
    s.sheet.SetActivePage(S::kTest); // the barrier page never keeps the user
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kTest);
    s.Save(s.dir.file("bad.mv5"));
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kBarrier);
    EXPECT_FALSE(s.sheet.m_BarPage.Edit(B::IDC_CONTACT_ANGLE)->IsValid());
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("bad.mv5")));
    EXPECT_TRUE(s.files.requests().size() == 1) << "no save dialog";
}

TEST(VehicleSheetTest, SaveWithoutCamerasOrPointsWritesEmptyCompanionsOverOlderOnes)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    s.sheet.RunCommand(ID_SAVE_TEST);
    // The older companions of the same base name must not come back with a later load.
    s.Save(s.dir.file("t.mv5"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("t.hs5"))), "# Source: High Speed Video Data\r\n"
                                                          "----- HSVD -----\r\n----- END -----\r\n");
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("t.ip5"))), "# Source: Intrusion Data\r\n"
                                                          "----- INTRUSION -----\r\n----- END -----\r\n");
    s.messages.setNextAnswer(IDYES);
    s.Load(s.dir.file("t.mv5"));
    EXPECT_EQ(s.sheet.m_VehData.CameraCount(), 0);
    EXPECT_FALSE(s.sheet.m_VehData.m_IntrusionData.HasIntrusion());
}

TEST(VehicleSheetTest, FailedSaveKeepsThePreviousFiles)
{
    VehSheet s;
    const std::string in = WriteFullTest(s);
    s.Load(in);
    s.Save(s.dir.file("gone/t.mv5"));
    EXPECT_NE(s.messages.last().text.find("Can't open file"), std::string::npos);
    // A test file that cannot be replaced (a folder of that name): reported, and the companions
    // beside it stay as they were.
    std::filesystem::create_directories(s.dir.file("ro/t.mv5"));
    WriteFile(s.dir.file("ro/t.hs5"), "old");
    s.messages.clear();
    s.Save(s.dir.file("ro/t.mv5"));
    EXPECT_EQ(s.messages.count(), 1);
    EXPECT_EQ(ReadFile(s.dir.file("ro/t.hs5")), "old");
}

TEST(VehicleSheetTest, LoadRoadsByExtensionAndBadFilesLeaveTheSheetUsable)
{
    VehSheet s;
    s.Load(WriteFullTest(s, "x"));
    // A declined clear reads nothing.
    const std::string other = s.dir.file("y.mv5");
    WriteFile(other, ReadFile(s.Fixture("vtv_two.mv5")));
    s.messages.setNextAnswer(IDNO);
    s.Load(other);
    EXPECT_EQ(s.sheet.m_VehData.m_strConfiguration, "VTB");
    // Upper-case extension: read as a version-5 test; no companions beside it, no message.
    const std::string upper = s.dir.file("Z.MV5");
    WriteFile(upper, ReadFile(s.Fixture("vtv_two.mv5")));
    s.messages.clear();
    s.messages.setNextAnswer(IDYES);
    s.Load(upper);
    EXPECT_EQ(s.sheet.m_VehData.m_strConfiguration, "VTV");
    EXPECT_EQ(TestEdit(s, T::IDC_CONFIGURATION)->text(), "VTV");
    EXPECT_EQ(s.Told("Really clear all entries?"), 1);
    EXPECT_EQ(s.Naming("Z.hs5") + s.Naming("Z.ip5"), 0) << sheettest::Texts(s.messages);

    // A GR file is imported without a question.
    s.messages.clear();
    s.Load(s.Fixture("test.gr1"));
    EXPECT_EQ(s.Told("Really clear all entries?"), 0);
    EXPECT_EQ(s.data.m_strContractNo, "DTNH22-95-C-01000") << sheettest::Texts(s.messages);

    // Damaged and foreign files: the readers' messages, the test held stays as it was, and the
    // sheet still works.
    const CString title = s.sheet.m_VehData.m_strTitle;
    const int curves = s.sheet.m_VehData.m_nCurveCount;
    WriteFile(s.dir.file("empty.mv5"), "");
    WriteFile(s.dir.file("bin.mv5"), std::string("\0\xff\x01|||\n\x00", 8));
    std::filesystem::create_directory(s.dir.file("folder.mv5"));
    for (const char* name : {"empty.mv5", "bin.mv5", "folder.mv5", "nothing.txt", "gone.mv4"}) {
        s.messages.setNextAnswer(IDYES);
        s.Load(s.dir.file(name));
    }
    EXPECT_EQ(s.sheet.m_VehData.m_strTitle, title);
    EXPECT_EQ(s.sheet.m_VehData.m_nCurveCount, curves);
    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_TRUE(s.VisitEveryPage());
    s.Save(s.dir.file("after.mv5"));
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("after.mv5")));
}

TEST(VehicleSheetTest, TestPageConfigurationAndDateRules)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    s.messages.clear();
    s.sheet.SetActivePage(S::kTest);
    CVehData& data = s.sheet.m_VehData;
    data.m_bConfigChanged = false;
    // Typed back to what was shown on entry: nothing raised.
    s.sheet.SetActivePage(S::kBarrier);
    EXPECT_FALSE(data.m_bConfigChanged);
    EXPECT_EQ(data.m_nVehicleCount, 1);

    // Chosen through the search: two vehicles at once, the change raised on leaving.
    s.sheet.SetActivePage(S::kTest);
    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dialog) {
        QLineEdit* quick = dialog.findChild<QLineEdit*>();
        ASSERT_NE(quick, nullptr);
        QTest::keyClicks(quick, "VTV");
        QTest::mouseClick(dialog.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    QTest::mouseClick(s.sheet.m_TestPage.Item<QPushButton>(T::IDC_SEARCH_CONFIGURATION), Qt::LeftButton);
    EXPECT_EQ(TestEdit(s, T::IDC_CONFIGURATION)->text(), "VTV");
    EXPECT_EQ(data.m_nVehicleCount, 2);
    s.sheet.SetActivePage(S::kBarrier);
    EXPECT_TRUE(data.m_bConfigChanged);
    // No barrier for two vehicles: the inputs are disabled, the values still shown.
    EXPECT_FALSE(s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_CONTACT_ANGLE)->isEnabled());
    EXPECT_EQ(s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_BARRIER_SHAPE)->text(), "FLB");

    // The picker writes its date upper-cased at once; a typed bad date is shown invalid.
    s.sheet.SetActivePage(S::kTest);
    auto* picker = s.sheet.m_TestPage.Item<CDateTimeCtrl>(T::IDC_DATE_PICKER);
    picker->setDate(QDate(2026, 12, 9));
    EXPECT_EQ(data.m_strTestDate, "09/DEC/2026");
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_DATE)->text(), "09/DEC/2026");
    QLineEdit* date = TestEdit(s, T::IDC_TEST_DATE);
    date->clear();
    QTest::keyClicks(date, "31-feb-2001");
    EXPECT_EQ(date->text(), "31-FEB-2001");
    EXPECT_FALSE(s.sheet.m_TestPage.Edit(T::IDC_TEST_DATE)->IsValid());
    EXPECT_EQ(s.messages.count(), 0) << "the search, the picker and typing show no message";
    EXPECT_EQ(ControlTip(s.sheet.m_TestPage, T::IDC_CURVE_COUNT), "Determined by the No of INST records");
    EXPECT_EQ(ControlTip(s.sheet.m_TestPage, T::IDC_TITLE), "");
}

TEST(VehicleSheetTest, HighSpeedVideoAndIntrusionCommandsAlone)
{
    VehSheet s;
    WriteFullTest(s);
    // Missing file: the can't-open message is shown here, unlike a companion of Load Test.
    s.files.answer(s.dir.file("none.hs5").c_str());
    s.sheet.RunCommand(ID_LOAD_HSVD_ONLY);
    EXPECT_EQ(s.messages.last().text, "Can't open file " + s.dir.file("none.hs5") + ", error = 2\n");
    EXPECT_EQ(s.files.requests().back().title, "Open High-Speed Video File");
    EXPECT_FALSE(s.Enabled(ID_SAVE_HSVD_ONLY));

    s.files.answer(s.dir.file("t.hs5").c_str());
    s.sheet.RunCommand(ID_LOAD_HSVD_ONLY);
    EXPECT_EQ(s.sheet.m_HsvdPage.m_nRecordCount, 2);
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_REFERENCE)->text(), "T4321") << "the reference is shared";
    EXPECT_TRUE(s.Enabled(ID_SAVE_HSVD_ONLY));
    s.files.answer(s.dir.file("only").c_str());
    s.sheet.RunCommand(ID_SAVE_HSVD_ONLY);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("only.hs5"))), WithoutDate(kHs5));
    s.files.answer(s.dir.file("only.HSR").c_str());
    s.sheet.RunCommand(ID_SAVE_HSVD_REPORT_ONLY);
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("only.HSR.hsr")));

    s.files.answer(s.dir.file("t.ip5").c_str());
    s.sheet.RunCommand(ID_LOAD_INTRUSION_ONLY);
    EXPECT_TRUE(s.Enabled(ID_SAVE_INTRUSION_ONLY));
    s.files.answer(s.dir.file("only.ip5").c_str());
    s.sheet.RunCommand(ID_SAVE_INTRUSION_ONLY);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("only.ip5"))), WithoutDate(kIp5));
    s.files.answer(s.dir.file("only.ipr").c_str());
    s.sheet.RunCommand(ID_SAVE_INTRUSION_REPORT_ONLY);
    EXPECT_NE(ReadFile(s.dir.file("only.ipr")).find("Intrusion point location:AP"), std::string::npos);
}

TEST(VehicleSheetTest, BarrierPageOnTheSingleRecordProtocol)
{
    CVehBarPage page;
    EXPECT_TRUE(page.SaveToData()) << "no window: nothing to save";
    page.LoadFromData(); // no window: nothing happens

    VehSheet s;
    CVehBarPage& bar = s.sheet.m_BarPage;
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    s.sheet.SetActivePage(S::kBarrier);
    EXPECT_TRUE(bar.Item<QRadioButton>(B::IDC_DEFORMABLE)->isChecked()) << "a new test's barrier is deformable";
    EXPECT_TRUE(bar.GetDlgItem(B::IDC_CONTACT_ANGLE)->isEnabled()) << "VTB has a barrier";
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(s.sheet.m_VehData.m_strBarRigidity, "D");
    EXPECT_EQ(ControlTip(bar, B::IDC_POLE_DIAMETER), "mm (0->9999)");
    EXPECT_EQ(ControlTip(bar, B::IDC_RIGID), "");

    bar.m_pData = nullptr;
    EXPECT_FALSE(bar.SaveToData()) << "a window without data";
    bar.m_pData = &s.sheet.m_VehData;
}

TEST(VehicleSheetTest, EveryMainPageIsCheckedAndTypedSeparatorsKeepTheFileWhole)
{
    VehSheet s;
    s.Load(WriteFullTest(s));
    s.sheet.SetActivePage(S::kTest);
    QLineEdit* speed = TestEdit(s, T::IDC_CLOSING_SPEED);
    speed->clear();
    QTest::keyClicks(speed, "300");
    s.sheet.SetActivePage(S::kBarrier);
    QLineEdit* angle = s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_CONTACT_ANGLE);
    angle->clear();
    QTest::keyClicks(angle, "91");
    s.sheet.SetActivePage(S::kTest);
    EXPECT_FALSE(s.sheet.CheckBeforeSave());
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kBarrier) << "the last failing page checked stays in front";

    s.sheet.SetActivePage(S::kTest);
    speed->clear();
    QTest::keyClicks(speed, "50");
    s.sheet.SetActivePage(S::kBarrier);
    angle->clear();
    QTest::keyClicks(angle, "45");
    s.sheet.SetActivePage(S::kTest);
    QLineEdit* title = TestEdit(s, T::IDC_TITLE);
    title->clear();
    QTest::keyClicks(title, "a|b");
    s.Save(s.dir.file("sep.mv5"));
    ASSERT_TRUE(std::filesystem::exists(s.dir.file("sep.mv5")));
    s.messages.setNextAnswer(IDYES);
    s.Load(s.dir.file("sep.mv5"));
    EXPECT_EQ(s.sheet.m_VehData.m_strTestReference, "T4321") << "the fields behind the title are where they were";
    EXPECT_EQ(s.sheet.m_VehData.m_strConfiguration, "VTB");
    EXPECT_EQ(s.sheet.m_VehData.m_strClosingSpeed, "50");
}

TEST(VehicleSheetTest, CompanionsFollowAVersionFiveFileEvenABadOneButNeverAVersionFourFile)
{
    VehSheet s;
    WriteFullTest(s, "old");
    WriteFile(s.dir.file("old.mv4"), ReadFile(s.Fixture("vtb_full.mv4")));
    s.Load(s.dir.file("old.mv4"));
    EXPECT_EQ(s.sheet.m_VehData.CameraCount(), 0) << "no companion of an .mv4 file";
    EXPECT_FALSE(s.sheet.m_VehData.m_IntrusionData.HasIntrusion());

    // A test file without its TEST section: the reader says so, and the test held stays whole:
    // no companion of the file that failed is mixed into it.
    const CString reference = s.sheet.m_VehData.m_strTestReference;
    WriteFile(s.dir.file("old.mv5"), "----- MV5 -----\r\n----- END -----\r\n");
    s.messages.setNextAnswer(IDYES);
    s.Load(s.dir.file("old.mv5"));
    EXPECT_EQ(s.sheet.m_VehData.CameraCount(), 0);
    EXPECT_FALSE(s.sheet.m_VehData.m_IntrusionData.HasIntrusion());
    EXPECT_EQ(s.sheet.m_VehData.m_strTestReference, reference);
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_REFERENCE)->text(), ToQString(reference));
    // The whole test with its companions comes once the file is good.
    s.Load(WriteFullTest(s, "old"));
    EXPECT_EQ(s.sheet.m_VehData.CameraCount(), 2);
    EXPECT_EQ(s.sheet.m_VehData.m_IntrusionData.PointCount(), 2);
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_REFERENCE)->text(), "T4321");
}

// A configuration without a barrier greys the barrier inputs; a stored value that stops Save Test
// (the check runs whatever the configuration) is opened there, marked and focused, so it can be
// corrected and the test saved.
TEST(VehicleSheetTest, AGreyedFieldThatStopsSaveTestIsOpenedForItsCorrection)
{
    VehSheet s;
    std::string bytes = ReadFile(s.Fixture("vtv_pages.mv5"));
    bytes.insert(bytes.find("----- OCCUPANT"), "----- BARRIER -----\r\nD| |95| |\r\n");
    WriteFile(s.dir.file("vtv.mv5"), bytes);
    s.Load(s.dir.file("vtv.mv5"));
    s.sheet.SetActivePage(S::kTest);
    for (int attempt = 0; attempt < 2; ++attempt) {
        s.Save(s.dir.file("out.mv5"));
        EXPECT_FALSE(std::filesystem::exists(s.dir.file("out.mv5")));
        ASSERT_EQ(s.sheet.GetActiveIndex(), S::kBarrier) << sheettest::Texts(s.messages);
        QLineEdit* angle = s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_CONTACT_ANGLE);
        EXPECT_TRUE(angle->isEnabled()) << "attempt " << attempt;
        EXPECT_EQ(WidgetBackColor(angle), CNEdit::kYellow);
        EXPECT_FALSE(s.sheet.m_BarPage.GetDlgItem(B::IDC_POLE_DIAMETER)->isEnabled()) << "only the field at fault";
    }
    QLineEdit* angle = s.sheet.m_BarPage.Item<QLineEdit>(B::IDC_CONTACT_ANGLE);
    angle->clear();
    QTest::keyClicks(angle, "45");
    s.Save(s.dir.file("out.mv5"));
    ASSERT_TRUE(std::filesystem::exists(s.dir.file("out.mv5"))) << sheettest::Texts(s.messages);
    EXPECT_EQ(s.sheet.m_VehData.m_strBarContactAngle, "45");
    EXPECT_EQ(ReadFile(s.dir.file("out.mv5")).find("BARRIER"), std::string::npos) << "VTV writes no barrier";
}
