#include "doubles/ScriptedDialogs.h"
#include "platform/ui/DateTimeCtrl.h"

#include "ControlTips.h"
#include "SheetHarness.h"
#include "TestUtil.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using sheettest::WithoutDate;
using testutil::ReadFile;
using testutil::WriteFile;
using S = CSWGPropertySheet;
using T = CSWGTestPage;
using I = CSWGInstPage;

namespace {

const char* const kHs5 = "# Source: High Speed Video Data\r\n"
                         "# Date: <3/4/2021>\r\n"
                         "----- HSVD -----\r\n"
                         "1|SWG0042|0.001|WHEEL VIEW|MAIN CAMERA\r\n"
                         "----- END -----\r\n";

using SwgSheet = sheettest::SwgSheet;

// The full SWG test with its camera file in the scratch folder.
std::string WriteFullTest(SwgSheet& s, const std::string& name = "t")
{
    WriteFile(s.dir.file(name + ".hs5"), kHs5);
    return s.Copy("full.mv5", name + ".mv5");
}
QLineEdit* TestEdit(SwgSheet& s, int id) { return s.Line(s.sheet.m_TestPage, id); }
QLineEdit* InstEdit(SwgSheet& s, int id) { return s.Line(s.sheet.m_InstPage, id); }
// The numbers of the curve list, in order.
QStringList CurveList(SwgSheet& s)
{
    QStringList rows;
    auto* list = s.sheet.m_InstPage.Item<QListWidget>(I::IDC_CURVE_LIST);
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

} // namespace

TEST(SwgSheetTest, TabsBandAndAFreshSheet)
{
    SwgSheet s;
    ASSERT_TRUE(s.db.open());
    EXPECT_EQ(sheettest::TabTexts(s.sheet),
              (QStringList {"General Test Information", "Instrumentation Information", "High-Speed Digital Video Info"}));
    EXPECT_TRUE(s.sheet.MenuAction(ID_SWG_DATABASE)->isChecked());
    EXPECT_EQ(TestEdit(s, T::IDC_VERSION)->text(), "S5");
    // The band's three buttons do nothing.
    QStringList band;
    for (auto* button : s.sheet.m_pBand->findChildren<QPushButton*>()) {
        band << button->text();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(band, (QStringList {"Biomechanics", "Vehicle", "Component"}));
    EXPECT_EQ(s.messages.count(), 0);
    EXPECT_TRUE(s.sheet.isVisible());
    for (int id : {ID_LOAD_INTRUSION_ONLY, ID_SAVE_INTRUSION_ONLY, ID_SAVE_INTRUSION_REPORT_ONLY})
        EXPECT_FALSE(s.Enabled(id)) << id;
    for (int id : {ID_SAVE_TEST, ID_SAVE_REPORT, ID_LOAD_HSVD_ONLY, ID_SAVE_HSVD_ONLY, ID_FILE_PRINT})
        EXPECT_TRUE(s.Enabled(id)) << id;

    // A new test saved at once: no TEST data, no curve, no companion.
    s.Run(ID_SAVE_TEST, s.dir.file("new.mv5"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("new.mv5"))),
              "# Source: Morvel for Windows v5\r\n----- MV5 -----\r\n----- END -----\r\n");
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("new.hs5")));
    EXPECT_EQ(s.messages.count(), 0);
}

TEST(SwgSheetTest, FullTestLoadsVisitsAndSavesByteIdentical)
{
    SwgSheet s;
    const std::string in = WriteFullTest(s);
    s.Run(ID_LOAD_TEST, in);
    EXPECT_EQ(s.files.requests().back().title, "Open Test");
    EXPECT_EQ(TestEdit(s, T::IDC_SERIAL_NO)->text(), "WG1047");
    EXPECT_EQ(TestEdit(s, T::IDC_CERT_DATE)->text(), "05-DEC-2009");
    EXPECT_EQ(TestEdit(s, T::IDC_TOTAL_CURVES)->text(), "3");
    auto* picker = s.sheet.m_TestPage.Item<CDateTimeCtrl>(T::IDC_TEST_DATE_PICKER);
    EXPECT_EQ(picker->date(), QDate(2010, 1, 12));
    EXPECT_EQ(s.sheet.m_SWGData.CameraCount(), 1);
    EXPECT_TRUE(s.Enabled(ID_SAVE_TEST));

    s.messages.clear();
    EXPECT_TRUE(s.VisitEveryPage());
    // The shown curve is the last one.
    s.sheet.SetActivePage(S::kInstrumentation);
    EXPECT_EQ(CurveList(s), (QStringList {"1", "2", "3"}));
    EXPECT_EQ(InstEdit(s, I::IDC_Y_UNITS)->text(), "MPS");
    s.sheet.SetActivePage(S::kTest);

    // The extension is not exactly "mv5": it is appended, and the companion follows.
    s.Run(ID_SAVE_TEST, s.dir.file("out.MV5"));
    EXPECT_EQ(s.files.requests().back().title, "Export File");
    const std::string base = s.dir.file("out.MV5");
    EXPECT_EQ(WithoutDate(ReadFile(base + ".mv5")), WithoutDate(ReadFile(in)));
    EXPECT_EQ(WithoutDate(ReadFile(base + ".hs5")), WithoutDate(kHs5));

    s.Run(ID_SAVE_REPORT, s.dir.file("r.mvr"));
    EXPECT_EQ(s.files.requests().back().title, "Export Report");
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("r.mvr"))), WithoutDate(ReadFile(s.Fixture("full.mvr"))));
    EXPECT_NE(ReadFile(s.dir.file("r.hsr")).find("WHEEL VIEW"), std::string::npos);
    EXPECT_EQ(s.messages.count(), 0);

    // The version-4 twin reads into the same test; its companion is not looked for.
    WriteFile(s.dir.file("old.mv4"), ReadFile(s.Fixture("full.mv4")));
    WriteFile(s.dir.file("old.hs5"), "not read");
    s.messages.setNextAnswer(IDYES);
    s.Run(ID_LOAD_TEST, s.dir.file("old.mv4"));
    EXPECT_EQ(s.Told("Really clear all entries?"), 1);
    EXPECT_EQ(s.Naming("old.hs5"), 0) << sheettest::Texts(s.messages);
    EXPECT_EQ(s.sheet.m_SWGData.CameraCount(), 0);
    EXPECT_TRUE(s.VisitEveryPage());
    s.Run(ID_SAVE_TEST, s.dir.file("from4.mv5"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("from4.mv5"))), WithoutDate(ReadFile(in)));
}

TEST(SwgSheetTest, CurvesSteppedDeletedAndRetained)
{
    SwgSheet s;
    s.sheet.SetActivePage(S::kInstrumentation);
    CSWGData& data = s.sheet.m_SWGData;
    EXPECT_EQ(CurveList(s), QStringList());

    // ">" on a new test adds curve 1 with its new-curve values.
    s.Click(s.sheet.m_InstPage, I::IDC_NEXTCURVE_BUTTON);
    EXPECT_EQ(CurveList(s), (QStringList {"1"}));
    EXPECT_EQ(InstEdit(s, I::IDC_LEVEL)->text(), "5");
    EXPECT_EQ(InstEdit(s, I::IDC_X_UNITS)->text(), "SEC");
    s.Type(InstEdit(s, I::IDC_COMMENTS), "first");

    // Retain ticked while curve 1 is shown: curve 2 repeats it.
    s.sheet.m_InstPage.Item<QCheckBox>(I::IDC_RETAIN_LAST)->setChecked(true);
    s.Click(s.sheet.m_InstPage, I::IDC_NEXTCURVE_BUTTON);
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "FIRST");
    s.Type(InstEdit(s, I::IDC_COMMENTS), "second");
    s.sheet.m_InstPage.Item<QCheckBox>(I::IDC_RETAIN_LAST)->setChecked(false);
    s.Click(s.sheet.m_InstPage, I::IDC_NEXTCURVE_BUTTON);
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "");
    s.Type(InstEdit(s, I::IDC_COMMENTS), "third");
    EXPECT_EQ(CurveList(s), (QStringList {"1", "2", "3"}));
    // Every save keeps both counts at the page's count.
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(data.m_nLastCurveNo, 3);
    EXPECT_EQ(data.m_nCurveCount, 3);
    EXPECT_EQ(TestEdit(s, T::IDC_TOTAL_CURVES)->text(), "3");

    // "x" on curve 2 of 3: curve 3 becomes curve 2 and is shown.
    s.sheet.SetActivePage(S::kInstrumentation);
    s.sheet.m_InstPage.Item<QListWidget>(I::IDC_CURVE_LIST)->setCurrentRow(1);
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "SECOND");
    s.Click(s.sheet.m_InstPage, I::IDC_DELETE_CURVE);
    EXPECT_EQ(CurveList(s), (QStringList {"1", "2"}));
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "FIRST");
    s.Click(s.sheet.m_InstPage, I::IDC_NEXTCURVE_BUTTON);
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "THIRD");

    // A curve with an invalid field keeps the user on the page and grays Save Test.
    s.Type(InstEdit(s, I::IDC_LEVEL), "6000");
    EXPECT_FALSE(s.Enabled(ID_SAVE_TEST));
    EXPECT_TRUE(s.Enabled(ID_SAVE_REPORT));
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kInstrumentation);
    s.Type(InstEdit(s, I::IDC_LEVEL), "450");
    EXPECT_TRUE(s.Enabled(ID_SAVE_TEST));
    s.Run(ID_SAVE_TEST, s.dir.file("two.mv5"));
    const std::string two = ReadFile(s.dir.file("two.mv5"));
    EXPECT_NE(two.find("\r\n1| |5| | | | |SEC| | | | | | | | | |FIRST\r\n2| |450|"), std::string::npos) << two;
    EXPECT_EQ(two.find("\r\n3|"), std::string::npos);

    // Deleting every curve leaves none, and the page shows empty fields.
    s.Click(s.sheet.m_InstPage, I::IDC_DELETE_CURVE);
    s.Click(s.sheet.m_InstPage, I::IDC_DELETE_CURVE);
    EXPECT_EQ(CurveList(s), QStringList());
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "");
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(data.m_nLastCurveNo, 0);
}

TEST(SwgSheetTest, SaveTestGrayedWhileATestFieldIsInvalid)
{
    SwgSheet s;
    s.Run(ID_LOAD_TEST, WriteFullTest(s));
    s.messages.clear();
    s.sheet.SetActivePage(S::kTest);
    QLineEdit* temperature = TestEdit(s, T::IDC_AMBIENT_TEMP);
    for (const char* value : {"-99", "99", ""}) {
        s.Type(temperature, value);
        EXPECT_TRUE(s.Enabled(ID_SAVE_TEST)) << value;
    }
    s.Type(temperature, "100");
    EXPECT_FALSE(s.Enabled(ID_SAVE_TEST));
    EXPECT_TRUE(s.Enabled(ID_SAVE_REPORT));
    s.sheet.SetActivePage(S::kInstrumentation);
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kTest) << "an invalid field keeps the user on the page";
    s.Type(TestEdit(s, T::IDC_TEST_DATE), "31-feb-2001");
    s.Type(temperature, "20");
    EXPECT_FALSE(s.Enabled(ID_SAVE_TEST));
    EXPECT_EQ(s.messages.count(), 0) << "typing shows no message";

    // A picked date goes upper-cased into the field and the data at once.
    s.sheet.m_TestPage.Item<CDateTimeCtrl>(T::IDC_TEST_DATE_PICKER)->setDate(QDate(2026, 12, 9));
    EXPECT_EQ(s.sheet.m_SWGData.m_strTestDate, "09/DEC/2026");
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_DATE)->text(), "09/DEC/2026");
    EXPECT_TRUE(s.Enabled(ID_SAVE_TEST));
    s.sheet.m_TestPage.Item<CDateTimeCtrl>(T::IDC_CERT_DATE_PICKER)->setDate(QDate(2025, 3, 5));
    EXPECT_EQ(s.sheet.m_SWGData.m_strCertificationDate, "05/MAR/2025");
}

TEST(SwgSheetTest, ClearAllPagesAsksThenEmptiesEveryPageDatesIncluded)
{
    SwgSheet s;
    s.Run(ID_LOAD_TEST, WriteFullTest(s));
    EXPECT_TRUE(s.VisitEveryPage());
    s.messages.setNextAnswer(IDNO);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.messages.last().text, "Really clear all entries?");
    EXPECT_FALSE(s.sheet.m_bCleared);
    EXPECT_EQ(s.sheet.m_SWGData.m_strTitle, "Steering wheel generator check");

    // Declined inside Load Test: nothing read.
    s.messages.setNextAnswer(IDNO);
    s.Run(ID_LOAD_TEST, s.dir.file("other.mv5"));
    EXPECT_EQ(s.sheet.m_SWGData.m_nCurveCount, 3);

    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_TRUE(s.sheet.m_bCleared);
    EXPECT_EQ(TestEdit(s, T::IDC_VERSION)->text(), "S5");
    EXPECT_EQ(TestEdit(s, T::IDC_TOTAL_CURVES)->text(), "0");
    EXPECT_EQ(TestEdit(s, T::IDC_TITLE)->text(), "");
    for (int id : {T::IDC_TEST_DATE, T::IDC_CERT_DATE})
        EXPECT_EQ(TestEdit(s, id)->text(), "") << id;
    for (int id : {T::IDC_TEST_DATE_PICKER, T::IDC_CERT_DATE_PICKER}) {
        auto* picker = s.sheet.m_TestPage.Item<CDateTimeCtrl>(id);
        EXPECT_EQ(picker->text().trimmed(), "") << "picker " << id << " shows no date";
    }
    EXPECT_EQ(InstEdit(s, I::IDC_LEVEL)->text(), "5");
    EXPECT_EQ(InstEdit(s, I::IDC_X_UNITS)->text(), "SEC");
    EXPECT_EQ(CurveList(s), QStringList());
    EXPECT_EQ(s.sheet.m_HsvdPage.m_nRecordCount, 0);
    EXPECT_EQ(s.sheet.m_SWGData.CameraCount(), 0);
    // Leaving the test page keeps the dates empty in the data.
    s.sheet.SetActivePage(S::kInstrumentation);
    EXPECT_EQ(s.sheet.m_SWGData.m_strTestDate, "");
    EXPECT_EQ(s.sheet.m_SWGData.m_strCertificationDate, "");

    // Saved without cameras over the loaded name: the older companion would bring the camera
    // back, so it is replaced by one without cameras.
    s.Run(ID_SAVE_TEST, s.dir.file("t.mv5"));
    s.messages.setNextAnswer(IDYES);
    s.Run(ID_LOAD_TEST, s.dir.file("t.mv5"));
    EXPECT_EQ(s.sheet.m_SWGData.CameraCount(), 0);
}

TEST(SwgSheetTest, ImportsAndDamagedFilesLeaveTheSheetUsable)
{
    SwgSheet s;
    s.Run(ID_LOAD_TEST, WriteFullTest(s));
    s.messages.clear();
    // GR files are imported into the test without a question; what they do not carry stays.
    s.Run(ID_LOAD_TEST, s.Fixture("test.gr1"));
    s.Run(ID_LOAD_TEST, s.Fixture("curves.gr5"));
    EXPECT_EQ(s.Told("Really clear all entries?"), 0);
    EXPECT_EQ(s.Naming("test.gr1") + s.Naming("curves.gr5"), 0) << sheettest::Texts(s.messages);
    EXPECT_EQ(TestEdit(s, T::IDC_SERIAL_NO)->text(), "WG1047");
    EXPECT_EQ(TestEdit(s, T::IDC_OBJECTIVES)->text(), "Verify torque response of the wheel");
    EXPECT_EQ(TestEdit(s, T::IDC_TOTAL_CURVES)->text(), "3");
    EXPECT_EQ(s.sheet.m_SWGData.CameraCount(), 1);
    s.sheet.SetActivePage(S::kInstrumentation);
    EXPECT_EQ(InstEdit(s, I::IDC_SENSOR_TYPE)->text(), "AC");
    EXPECT_EQ(InstEdit(s, I::IDC_Y_UNITS)->text(), "G");
    // Codes the tables do not hold: shown invalid.
    EXPECT_FALSE(s.sheet.m_InstPage.Edit(I::IDC_ATTACHMENT)->IsValid());
    EXPECT_FALSE(s.Enabled(ID_SAVE_TEST));

    // Damaged and foreign files: the readers' messages, then the sheet still works.
    WriteFile(s.dir.file("empty.mv5"), "");
    WriteFile(s.dir.file("bin.mv5"), std::string("\0\xff\x01|||\n----- INSTRUMENTATION -----\n|\x00", 38));
    std::filesystem::create_directory(s.dir.file("folder.mv5"));
    for (const char* name : {"empty.mv5", "bin.mv5", "folder.mv5", "nothing.txt", "gone.mv4", "gone.gr5"}) {
        s.messages.setNextAnswer(IDYES);
        s.Run(ID_LOAD_TEST, s.dir.file(name));
    }
    s.VisitEveryPage(); // what the imports left may keep the user on a page
    s.Run(ID_SAVE_TEST, s.dir.file("after.mv5"));
    EXPECT_TRUE(std::filesystem::exists(s.dir.file("after.mv5")));
}

TEST(SwgSheetTest, TimeIncrementOnlyForCurvesInSecondsAndEveryCurveCheckedOnLeaving)
{
    SwgSheet s;
    s.Run(ID_LOAD_TEST, WriteFullTest(s));
    s.sheet.SetActivePage(S::kInstrumentation);
    QLineEdit* time = InstEdit(s, I::IDC_TIME_INCREMENT);
    EXPECT_TRUE(time->isEnabled());

    // X units other than "SEC" chosen through the search: Time Increment "0", grayed.
    auto pick = [&](const char* code) {
        platform::ScriptedDialogs dialogs;
        dialogs.then([code](CDialog& dialog) {
            QLineEdit* quick = dialog.findChild<QLineEdit*>();
            ASSERT_NE(quick, nullptr);
            QTest::keyClicks(quick, code);
            QTest::mouseClick(dialog.Item<QPushButton>(IDOK), Qt::LeftButton);
        });
        s.Click(s.sheet.m_InstPage, I::IDC_SEARCH_X_UNITS);
    };
    pick("MS");
    EXPECT_EQ(InstEdit(s, I::IDC_X_UNITS)->text(), "MS");
    EXPECT_EQ(time->text(), "0");
    EXPECT_FALSE(time->isEnabled());
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(s.sheet.m_SWGData.m_saInstTimeIncrement[3], "0");
    s.sheet.SetActivePage(S::kInstrumentation);
    EXPECT_FALSE(time->isEnabled());
    pick("SEC");
    EXPECT_TRUE(time->isEnabled());
    EXPECT_EQ(time->text(), "0");

    // Curve 2 invalid while curve 1 is shown: leaving shows curve 2 and stays.
    s.sheet.m_SWGData.m_saInstFirstPoint.SetAt(2, "5");
    s.sheet.m_InstPage.Item<QListWidget>(I::IDC_CURVE_LIST)->setCurrentRow(0);
    EXPECT_EQ(InstEdit(s, I::IDC_COMMENTS)->text(), "Main torque channel");
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kInstrumentation);
    EXPECT_EQ(s.sheet.m_InstPage.m_nRecordIndex, 2);
    EXPECT_FALSE(s.sheet.m_InstPage.Edit(I::IDC_FIRST_POINT)->IsValid());
    s.Type(InstEdit(s, I::IDC_FIRST_POINT), "-10000");
    s.sheet.SetActivePage(S::kTest);
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kTest);
    EXPECT_EQ(ControlTip(s.sheet.m_InstPage, I::IDC_NEXTCURVE_BUTTON), "Go to (or add) the next curve");
    EXPECT_EQ(ControlTip(s.sheet.m_InstPage, I::IDC_PREFILTER), "Hz (0->99999)");
}

TEST(SwgSheetTest, HighSpeedVideoCommandsAlone)
{
    SwgSheet s;
    // No camera: nothing to save, no file asked for.
    s.sheet.RunCommand(ID_SAVE_HSVD_ONLY);
    EXPECT_TRUE(s.files.requests().empty());
    // An absent file is told; a present one is loaded without clearing the test.
    s.sheet.m_SWGData.m_strTitle = "kept";
    s.Run(ID_LOAD_HSVD_ONLY, s.dir.file("none.hs5"));
    EXPECT_EQ(s.messages.last().text, "Can't open file " + s.dir.file("none.hs5") + ", error = 2\n");
    WriteFile(s.dir.file("cams.hs5"), kHs5);
    s.Run(ID_LOAD_HSVD_ONLY, s.dir.file("cams.hs5"));
    EXPECT_EQ(s.files.requests().back().title, "Open High-Speed Video File");
    EXPECT_EQ(s.sheet.m_SWGData.CameraCount(), 1);
    EXPECT_EQ(TestEdit(s, T::IDC_TEST_REFERENCE)->text(), "SWG0042");
    EXPECT_EQ(s.sheet.m_SWGData.m_strTitle, "kept");

    s.Run(ID_SAVE_HSVD_ONLY, s.dir.file("copy"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("copy.hs5"))), WithoutDate(kHs5));
    s.Run(ID_SAVE_HSVD_REPORT_ONLY, s.dir.file("copy"));
    EXPECT_NE(ReadFile(s.dir.file("copy.hsr")).find("WHEEL VIEW"), std::string::npos);
}

TEST(SwgSheetTest, HsvdReportAloneChecksTheCamerasAndIsWrittenAlsoWithoutOne)
{
    SwgSheet s;
    // No camera: a report without camera blocks.
    s.Run(ID_SAVE_HSVD_REPORT_ONLY, s.dir.file("none"));
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("none.hsr"))),
              "# Source: High Speed Video Data\r\n----- HSVD -----\r\n----- END -----\r\n");
    EXPECT_EQ(s.messages.count(), 0);

    // A camera that fails its check: told, no file asked for.
    WriteFile(s.dir.file("cams.hs5"), kHs5);
    s.Run(ID_LOAD_HSVD_ONLY, s.dir.file("cams.hs5"));
    ASSERT_TRUE(s.sheet.SetActivePage(S::kHsvd));
    s.sheet.m_SWGData.m_arrScaleFactor.SetAt(1, "fast");
    s.sheet.m_HsvdPage.LoadRecord();
    const size_t asked = s.files.requests().size();
    s.sheet.RunCommand(ID_SAVE_HSVD_REPORT_ONLY);
    EXPECT_EQ(s.messages.last().text, "Illegal data found. No file output.");
    EXPECT_EQ(s.files.requests().size(), asked);

    // Mended, the camera's block is written.
    s.sheet.m_SWGData.m_arrScaleFactor.SetAt(1, "0.001");
    s.sheet.m_HsvdPage.LoadRecord();
    s.Run(ID_SAVE_HSVD_REPORT_ONLY, s.dir.file("cams.hsr"));
    EXPECT_NE(ReadFile(s.dir.file("cams.hsr")).find("----- CAMERA 1 -----\r\nTest Reference:\tSWG0042\r\n"),
              std::string::npos);
}
