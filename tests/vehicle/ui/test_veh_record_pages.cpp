#include "doubles/ScriptedDialogs.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Dialog.h"
#include "vehicle/ui/MeasureDialogs.h"

#include "../../codes/ui/ChooseCode.h"
#include "SheetHarness.h"
#include "WidgetColors.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

using codetest::ChooseCode;
using VehPages = sheettest::VehicleSheet;
using O = CVehOccPage;
using R = CVehRestPage;
using N = CVehInstPage;
using T = CVehIntrPage;

namespace {

// The test configuration as the user changes it: searched on the test page.
void SetConfiguration(VehPages& v, const char* configuration)
{
    EXPECT_TRUE(v.Visit(v.sheet.m_TestPage));
    platform::ScriptedDialogs dialogs;
    dialogs.then([configuration](CDialog& dialog) { ChooseCode(dialog, configuration); });
    v.Click(v.sheet.m_TestPage, CVehTestPage::IDC_SEARCH_CONFIGURATION);
    EXPECT_EQ(v.data.m_strConfiguration, configuration);
}

} // namespace

TEST(VehRecordPagesTest, LoadedTestVisitedPageByPageIsSavedAsItWasRead)
{
    VehPages v;
    ASSERT_TRUE(v.db.open());
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    EXPECT_TRUE(v.sheet.m_bAllPagesValid);
    EXPECT_TRUE(v.sheet.m_bIntrusionValid);
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*> {&v.sheet.m_OccPage, &v.sheet.m_RestPage,
                                                                      &v.sheet.m_InstPage, &v.sheet.m_IntrPage})
        ASSERT_TRUE(v.Visit(*page)) << page->Caption().toStdString();
    EXPECT_EQ(v.Text(v.sheet.m_OccPage, O::IDC_LOCATION), "03") << "the last occupant shown";
    EXPECT_EQ(v.sheet.m_IntrPage.m_nRecordIndex, 3);

    v.messages.clear();
    v.Save(v.dir.file("t.mv5"));
    EXPECT_EQ(v.messages.count(), 0) << sheettest::Texts(v.messages);
    EXPECT_EQ(v.Written("t.mv5"), sheettest::WithoutDate(testutil::ReadFile(v.Fixture("vtv_pages.mv5"))));
    EXPECT_EQ(v.Written("t.ip5"),
              sheettest::WithoutDate(testutil::ReadFile(v.Fixture("vtv_pages.ip5"))));
}

TEST(VehOccPageTest, HiddenDetailChecksLabelTheButtonsOfFailingDialogs)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    v.data.m_saOccChestToDash[2] = "99999";  // clearance distances go to 9999
    v.data.m_saOccLeftFemurLoad[1] = "4500"; // femur loads are negative
    ASSERT_TRUE(v.Visit(v.sheet.m_OccPage));
    ASSERT_EQ(v.sheet.m_OccPage.m_nRecordIndex, 2);
    EXPECT_TRUE(v.Shown(v.sheet.m_OccPage, O::IDC_CLEARANCE_LABEL));
    EXPECT_EQ(v.Text(v.sheet.m_OccPage, O::IDC_CLEARANCE_LABEL), O::kErrorInside);
    EXPECT_EQ(WidgetTextColor(v.sheet.m_OccPage.m_editClearanceLabel.GetWidget()), RGB(255, 0, 0));
    EXPECT_EQ(WidgetBackColor(v.sheet.m_OccPage.m_editClearanceLabel.GetWidget()), RGB(0, 255, 255));
    EXPECT_FALSE(v.Shown(v.sheet.m_OccPage, O::IDC_PEAK_LOADS_LABEL));
    EXPECT_FALSE(v.Shown(v.sheet.m_OccPage, O::IDC_INJURY_LABEL));

    v.Select(v.sheet.m_OccPage, O::IDC_RECORD_LIST, 1);
    EXPECT_FALSE(v.Shown(v.sheet.m_OccPage, O::IDC_CLEARANCE_LABEL));
    EXPECT_TRUE(v.Shown(v.sheet.m_OccPage, O::IDC_PEAK_LOADS_LABEL));

    // Leaving: occupant 1 is shown and kept as it is; occupant 2 keeps the page in front.
    EXPECT_FALSE(v.Visit(v.sheet.m_TestPage));
    EXPECT_EQ(v.sheet.m_OccPage.m_nRecordIndex, 2);
    EXPECT_TRUE(v.Shown(v.sheet.m_OccPage, O::IDC_CLEARANCE_LABEL));

    // The dialog opened and corrected: the label goes.
    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dialog) {
        auto& measure = dynamic_cast<CMeasureDialog&>(dialog);
        for (const auto& edit : measure.m_edits) {
            if (edit->GetText() == "99999") {
                edit->GetWindow()->clear();
                QTest::keyClicks(edit->GetWindow(), "560");
            }
        }
        measure.OnOK();
    });
    v.Click(v.sheet.m_OccPage, O::IDC_CLEARANCE);
    EXPECT_EQ(v.data.m_saOccChestToDash[2], "560");
    EXPECT_FALSE(v.Shown(v.sheet.m_OccPage, O::IDC_CLEARANCE_LABEL));
    EXPECT_FALSE(v.sheet.m_OccPage.ValidateAllRecords()) << "occupant 1's peak loads";
    EXPECT_EQ(v.sheet.m_OccPage.m_nRecordIndex, 1);
    EXPECT_TRUE(v.Shown(v.sheet.m_OccPage, O::IDC_PEAK_LOADS_LABEL));

    // Occupant 1 deleted: the former occupant 2 is shown with its own labels.
    v.Click(v.sheet.m_OccPage, O::IDC_DELETE_RECORD);
    EXPECT_EQ(v.Text(v.sheet.m_OccPage, O::IDC_LOCATION), "03");
    EXPECT_FALSE(v.Shown(v.sheet.m_OccPage, O::IDC_PEAK_LOADS_LABEL));
    EXPECT_TRUE(v.sheet.m_OccPage.ValidateAllRecords());
}

TEST(VehRecordPagesTest, OddValuesOfALoadedTestAreShownAndStopSaveTest)
{
    VehPages v;
    testutil::TempDir dir;
    // A one-vehicle configuration, yet occupant 2, restraint 2, channel 3 and point 3 name
    // vehicle 2; five channels counted and three written.
    std::string text = testutil::ReadFile(v.Fixture("vtv_pages.mv5"));
    text.replace(text.find("|NCA|VTV|"), 9, "|NCA|VTB|");
    text.replace(text.find("|1500|3|"), 8, "|1500|5|");
    testutil::WriteFile(dir.file("odd.mv5"), text);
    testutil::WriteFile(dir.file("odd.ip5"), testutil::ReadFile(v.Fixture("vtv_pages.ip5")));
    v.Load(dir.file("odd.mv5"));
    v.messages.clear();
    EXPECT_EQ(v.data.m_nCurveCount, 3) << "the channels there are";
    EXPECT_FALSE(v.sheet.m_bAllPagesValid);
    EXPECT_FALSE(v.sheet.m_bIntrusionValid);
    EXPECT_EQ(v.sheet.GetActivePage(), &v.sheet.m_RestPage) << "the last failing page in front";
    EXPECT_EQ(v.sheet.m_RestPage.m_nRecordIndex, 2);
    EXPECT_FALSE(v.sheet.m_RestPage.Edit(R::IDC_VEHICLE_NO)->IsValid());
    EXPECT_FALSE(v.Visit(v.sheet.m_InstPage)) << "the restraint page keeps the user";
    v.Type(v.sheet.m_RestPage, R::IDC_VEHICLE_NO, "1");
    ASSERT_TRUE(v.Visit(v.sheet.m_InstPage));
    EXPECT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 3);
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_VEHICLE_NO), "2");
    EXPECT_FALSE(v.sheet.m_InstPage.AllFieldsValid());
    EXPECT_TRUE(v.Visit(v.sheet.m_IntrPage)) << "the instrumentation page never keeps the user";

    v.Save(dir.file("out.mv5"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.mv5")));
    EXPECT_EQ(v.messages.texts(), std::vector<std::string> {"The test was not saved. The page shown holds an entry "
                                                            "that is missing or not valid."});
}

TEST(VehOccPageTest, VehicleNumberFollowsTheConfigurationAndNewOccupantsStartFromIt)
{
    VehPages v;
    SetConfiguration(v, "VTV");
    ASSERT_TRUE(v.Visit(v.sheet.m_OccPage));
    EXPECT_FALSE(v.sheet.m_OccPage.GetDlgItem(O::IDC_CLEARANCE)->isEnabled()) << "no occupant";
    EXPECT_TRUE(v.sheet.m_OccPage.AllFieldsValid());
    v.Click(v.sheet.m_OccPage, O::IDC_NEXTCURVE_BUTTON);
    EXPECT_TRUE(v.sheet.m_OccPage.GetDlgItem(O::IDC_CLEARANCE)->isEnabled());
    EXPECT_EQ(v.Text(v.sheet.m_OccPage, O::IDC_VEHICLE_NO), "") << "two vehicles: the user says which";
    CNEdit& vehicle = *v.sheet.m_OccPage.Edit(O::IDC_VEHICLE_NO);
    for (auto [text, valid] : std::vector<std::pair<const char*, bool>> {
             {"1", true}, {"2", true}, {"1.5", false}, {"0", false}, {"3", false}, {"", true}}) {
        v.Type(v.sheet.m_OccPage, O::IDC_VEHICLE_NO, text);
        EXPECT_EQ(vehicle.IsValid(), valid) << text;
    }

    // One vehicle now: the range moves when the page is entered again.
    v.Type(v.sheet.m_OccPage, O::IDC_VEHICLE_NO, "2");
    SetConfiguration(v, "VTB");
    ASSERT_TRUE(v.Visit(v.sheet.m_OccPage));
    EXPECT_FALSE(vehicle.IsValid());
    v.Click(v.sheet.m_OccPage, O::IDC_NEXTCURVE_BUTTON);
    EXPECT_EQ(v.Text(v.sheet.m_OccPage, O::IDC_VEHICLE_NO), "1");
    EXPECT_EQ(v.data.m_saOccHic[2], "");
}

TEST(VehRestPageTest, OccupantLocationsRestrictTheSearchAndTheCheck)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    v.data.m_saRestOccLocation[1] = "05"; // a seat no occupant has
    ASSERT_TRUE(v.Visit(v.sheet.m_RestPage));
    EXPECT_FALSE(v.Visit(v.sheet.m_TestPage));
    EXPECT_EQ(v.sheet.m_RestPage.m_nRecordIndex, 1);
    EXPECT_EQ(WidgetBackColor(v.sheet.m_RestPage.Edit(R::IDC_LOCATION)->GetWidget()), CNEdit::kYellow);

    int rows = 0;
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) { ChooseCode(dialog, "03", &rows); });
    v.Click(v.sheet.m_RestPage, R::IDC_SEARCH_LOCATION);
    EXPECT_EQ(rows, 2) << "only the occupants' seats 01 and 03";
    EXPECT_EQ(v.Text(v.sheet.m_RestPage, R::IDC_LOCATION), "03");
    EXPECT_TRUE(v.Visit(v.sheet.m_TestPage));

    // No occupant location anywhere: told, and no search opens.
    for (int i = 1; i < v.data.m_saOccLocation.GetSize(); ++i)
        v.data.m_saOccLocation[i] = " ";
    ASSERT_TRUE(v.Visit(v.sheet.m_RestPage));
    v.Click(v.sheet.m_RestPage, R::IDC_SEARCH_LOCATION);
    EXPECT_EQ(dialogs.run(), 1);
    EXPECT_EQ(v.messages.last().text, R::kNoLocationMessage);
    EXPECT_FALSE(v.sheet.m_RestPage.AllFieldsValid());
}

TEST(VehRestPageTest, BeltRuleColoursTheDeploymentOnly)
{
    for (auto [type, deployment, invalid] : std::vector<std::tuple<const char*, const char*, bool>> {
             {"3PT", "DN", true}, {"3PT", "NA", false}, {"ABG", "DN", false}, {"NA", "DN", false}}) {
        EXPECT_EQ(CVehRestPage::IsBeltRestraint(type) && CString(deployment) != "NA", invalid) << type;
    }
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    v.data.m_saRestDeployment[2] = "DN";
    ASSERT_TRUE(v.Visit(v.sheet.m_RestPage));
    EXPECT_TRUE(v.sheet.m_RestPage.AllFieldsValid());
    EXPECT_EQ(WidgetBackColor(v.sheet.m_RestPage.Edit(R::IDC_DEPLOYMENT)->GetWidget()), CNEdit::kYellow);
    for (auto [text, valid] : std::vector<std::pair<const char*, bool>> {{"0", false}, {"10", false}, {"", true}}) {
        v.Type(v.sheet.m_RestPage, R::IDC_RESTRAINT_NO, text);
        EXPECT_EQ(v.sheet.m_RestPage.AllFieldsValid(), valid) << text;
    }
}

TEST(VehInstPageTest, CrashAvoidanceConfigurationsHaveTheirOwnLocationsAndAxes)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    SetConfiguration(v, "FCW");
    ASSERT_TRUE(v.Visit(v.sheet.m_InstPage));
    v.sheet.m_InstPage.BuildLocationList(false);
    EXPECT_EQ(std::vector<CString>(v.sheet.m_InstPage.m_arrLocations.begin(), v.sheet.m_InstPage.m_arrLocations.end()),
              (std::vector<CString> {"01", "03", "T1", "T2", "T3", "OT", "NA"}));

    int rows = 0;
    platform::ScriptedDialogs dialogs;
    dialogs.then([&](CDialog& dialog) { ChooseCode(dialog, "FG", &rows); });
    v.Click(v.sheet.m_InstPage, N::IDC_SEARCH_AXIS);
    EXPECT_EQ(rows, 13) << "the FCW axes on its list: PD is not";
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_AXIS), "FG");
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_YUNITS), "BLN");

    v.Type(v.sheet.m_InstPage, N::IDC_FIRST_POINT, "5000");
    EXPECT_TRUE(v.sheet.m_InstPage.Edit(N::IDC_FIRST_POINT)->IsValid()) << "-10000..99999 for FCW";
    v.Type(v.sheet.m_InstPage, N::IDC_SENSOR_LOCATION, "HD");
    EXPECT_FALSE(v.sheet.m_InstPage.AllFieldsValid()) << "a location no occupant and no FCW list has";
}

TEST(VehInstPageTest, XUnitsOtherThanSecondsGreyTheTimeIncrement)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    v.data.m_saInstXUnits[2] = "MS";
    ASSERT_TRUE(v.Visit(v.sheet.m_InstPage));
    ASSERT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 3);
    EXPECT_TRUE(v.sheet.m_InstPage.GetDlgItem(N::IDC_TIME_INCREMENT)->isEnabled());
    v.Select(v.sheet.m_InstPage, N::IDC_RECORD_LIST, 2);
    EXPECT_FALSE(v.sheet.m_InstPage.GetDlgItem(N::IDC_TIME_INCREMENT)->isEnabled());
    EXPECT_EQ(WidgetBackColor(v.sheet.m_InstPage.Edit(N::IDC_TIME_INCREMENT)->GetWidget()), RGB(192, 192, 192));

    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dialog) { ChooseCode(dialog, "MM"); });
    dialogs.then([](CDialog& dialog) { ChooseCode(dialog, "SEC"); });
    v.Click(v.sheet.m_InstPage, N::IDC_SEARCH_XUNITS);
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_TIME_INCREMENT), "0");
    v.Click(v.sheet.m_InstPage, N::IDC_SEARCH_XUNITS);
    EXPECT_TRUE(v.sheet.m_InstPage.GetDlgItem(N::IDC_TIME_INCREMENT)->isEnabled());
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_TIME_INCREMENT), "1000") << "the channel's own time increment again";
}

TEST(VehInstPageTest, StoredCalibrationDateIsCheckedWhenShown)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    ASSERT_TRUE(v.Visit(v.sheet.m_TestPage));
    v.messages.clear();
    v.data.m_saInstCalibrationDate[3] = "29-feb-2100"; // 2100 is no leap year
    v.data.m_saInstCalibrationDate[2] = "29-feb-2000";
    ASSERT_TRUE(v.Visit(v.sheet.m_InstPage));
    ASSERT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 3);
    EXPECT_EQ(sheettest::Texts(v.messages),
              "Date 29-feb-2100 in section INSTRUMENTATION is incorrect in day range.\n"
              "Please use drop-down calendar to enter a date, or \n"
              "use format 'DD-MMM-YYYY' or 'DD/MMM/YYYY', and check your mv5 file.\n");
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_CALIBRATION_DATE), "29-FEB-2100");
    EXPECT_FALSE(v.sheet.m_InstPage.Edit(N::IDC_CALIBRATION_DATE)->IsValid());

    v.Select(v.sheet.m_InstPage, N::IDC_RECORD_LIST, 2);
    EXPECT_EQ(v.messages.count(), 1) << "a leap day of a leap year";
    EXPECT_EQ(v.sheet.m_InstPage.Item<CDateTimeCtrl>(N::IDC_DATE_PICKER)->date(), QDate(2000, 2, 29));
    EXPECT_TRUE(v.sheet.m_InstPage.Edit(N::IDC_CALIBRATION_DATE)->IsValid());
}

TEST(VehRecordPagesTest, TheFieldThatStopsACheckIsShown)
{
    VehPages v;
    ASSERT_TRUE(v.db.open());
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    // A point code no table knows: judged without colours when shown, coloured when it stops.
    v.data.m_IntrusionData.m_arrPointLocation[2] = "ZZZ";
    ASSERT_TRUE(v.Visit(v.sheet.m_IntrPage));
    ASSERT_TRUE(v.Visit(v.sheet.m_TestPage));
    EXPECT_EQ(v.sheet.m_IntrPage.m_nRecordIndex, 2);
    EXPECT_EQ(WidgetTextColor(v.sheet.m_IntrPage.Edit(T::IDC_POINT_NUMBER)->GetWidget()), CNEdit::kRed);
    EXPECT_EQ(WidgetBackColor(v.sheet.m_IntrPage.Edit(T::IDC_POINT_NUMBER)->GetWidget()), CNEdit::kYellow);

    // A time increment greyed by its X units, yet bad: opened for correction.
    v.data.m_saInstXUnits[2] = "MS";
    v.data.m_saInstTimeIncrement[2] = "-5";
    ASSERT_TRUE(v.Visit(v.sheet.m_InstPage));
    EXPECT_FALSE(v.sheet.m_InstPage.ValidateAllRecords());
    EXPECT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 2);
    EXPECT_TRUE(v.sheet.m_InstPage.GetDlgItem(N::IDC_TIME_INCREMENT)->isEnabled());
    EXPECT_EQ(WidgetBackColor(v.sheet.m_InstPage.Edit(N::IDC_TIME_INCREMENT)->GetWidget()), CNEdit::kYellow);
}

TEST(VehInstPageTest, CurveCheckFindsTheMismatchClearsItAndLetsTheTestBeSaved)
{
    VehPages v;
    ASSERT_TRUE(v.Load(testutil::DataPath("curves/test.mv5")));
    ASSERT_TRUE(v.Visit(v.sheet.m_InstPage));
    EXPECT_TRUE(v.Shown(v.sheet.m_InstPage, N::IDC_CHECK_CURVE));
    v.Click(v.sheet.m_InstPage, N::IDC_CHECK_CURVE);
    EXPECT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 2);
    EXPECT_TRUE(v.Text(v.sheet.m_InstPage, N::IDC_HINT).startsWith("Hint: NLP = 2"));
    EXPECT_FALSE(v.sheet.m_InstPage.ValidateAllRecords()) << "a mismatch stops Save Test";
    EXPECT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 2);

    v.Type(v.sheet.m_InstPage, N::IDC_LAST_POINT, "2");
    EXPECT_EQ(v.Text(v.sheet.m_InstPage, N::IDC_HINT), CCurveCheckPanel::kClickFindNext);
    v.Click(v.sheet.m_InstPage, N::IDC_FIND_NEXT_ERROR);
    EXPECT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 4);
    EXPECT_TRUE(v.Text(v.sheet.m_InstPage, N::IDC_HINT).contains("is not real number"));

    // Channel 3 has no curve file; the curve file's own fault and curve 9 without a channel
    // are shown but never stop the save.
    v.Select(v.sheet.m_InstPage, N::IDC_RECORD_LIST, 3);
    v.Click(v.sheet.m_InstPage, N::IDC_FIND_NEXT_ERROR);
    EXPECT_EQ(v.sheet.m_InstPage.m_nRecordIndex, 4);
    EXPECT_TRUE(v.sheet.m_InstPage.ValidateAllRecords());
    ASSERT_TRUE(v.Visit(v.sheet.m_TestPage));
    EXPECT_EQ(v.data.m_saInstLastPoint[2], "2");
}

TEST(VehIntrPageTest, PointSearchSplitsTheCodeAndRepeatedPointsAreFound)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    ASSERT_TRUE(v.Visit(v.sheet.m_IntrPage));
    ASSERT_EQ(v.sheet.m_IntrPage.m_nRecordIndex, 3);
    EXPECT_EQ(v.Text(v.sheet.m_IntrPage, T::IDC_TEST_REFERENCE), "T5555");
    EXPECT_TRUE(v.sheet.m_IntrPage.CheckRecord());

    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dialog) { ChooseCode(dialog, "12ABC"); });
    v.Click(v.sheet.m_IntrPage, T::IDC_SEARCH_POINT);
    EXPECT_EQ(v.Text(v.sheet.m_IntrPage, T::IDC_POINT_NUMBER), "12");
    EXPECT_EQ(v.Text(v.sheet.m_IntrPage, T::IDC_POINT_LOCATION), "ABC");
    EXPECT_TRUE(v.sheet.m_IntrPage.Edit(T::IDC_POINT_NUMBER)->IsValid()) << "vehicle 2: no other point alike";

    // Point 2 again on vehicle 1: the repeat is found and shown.
    v.Select(v.sheet.m_IntrPage, T::IDC_RECORD_LIST, 1);
    EXPECT_EQ(v.data.m_IntrusionData.m_arrPointLocation[3], "ABC");
    v.data.m_IntrusionData.m_arrVehicleNumber[3] = "1";
    EXPECT_FALSE(v.sheet.m_IntrPage.CheckAllRecordsForSave());
    EXPECT_EQ(v.sheet.m_IntrPage.m_nRecordIndex, 3);
    EXPECT_FALSE(v.sheet.m_IntrPage.Edit(T::IDC_POINT_NUMBER)->IsValid());
    EXPECT_FALSE(v.sheet.m_IntrPage.ValidateAllRecords());
}

TEST(VehIntrPageTest, LeavingKeepsTheShownPointAsTypedAndAddsNoneAfterThe999th)
{
    VehPages v;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    ASSERT_TRUE(v.Visit(v.sheet.m_IntrPage));
    v.Type(v.sheet.m_IntrPage, T::IDC_AFTER_Z, "20000");
    EXPECT_TRUE(v.Visit(v.sheet.m_TestPage));
    EXPECT_EQ(v.data.m_IntrusionData.m_arrAfterZ[3], "20000");
    EXPECT_FALSE(v.sheet.m_IntrPage.CheckAllRecordsForSave());

    CIntrusionData& points = v.data.m_IntrusionData;
    for (int i = points.PointCount() + 1; i <= 999; ++i) {
        for (CStringArray* a : {&points.m_arrRecordIndex, &points.m_arrVehicleNumber, &points.m_arrPointNumber,
                                &points.m_arrPointLocation, &points.m_arrBeforeX, &points.m_arrBeforeY,
                                &points.m_arrBeforeZ, &points.m_arrAfterX, &points.m_arrAfterY, &points.m_arrAfterZ})
            a->SetAtGrow(i, "");
    }
    v.sheet.m_IntrPage.m_nRecordIndex = 999;
    ASSERT_TRUE(v.Visit(v.sheet.m_IntrPage));
    v.Click(v.sheet.m_IntrPage, T::IDC_NEXTCURVE_BUTTON);
    EXPECT_EQ(points.PointCount(), 999);
    EXPECT_EQ(v.sheet.m_IntrPage.m_nRecordCount, 999);
}

TEST(VehIntrPageTest, PointsAloneAreSavedOnlyOnceEveryPointPasses)
{
    VehPages v;
    testutil::TempDir dir;
    ASSERT_TRUE(v.Load(v.Fixture("vtv_pages.mv5")));
    ASSERT_TRUE(v.Visit(v.sheet.m_IntrPage));
    v.Type(v.sheet.m_IntrPage, T::IDC_AFTER_Z, "20000");
    for (int command : {ID_SAVE_INTRUSION_ONLY, ID_SAVE_INTRUSION_REPORT_ONLY}) {
        ASSERT_TRUE(v.Visit(v.sheet.m_TestPage)) << "the intrusion page never keeps the user";
        v.sheet.RunCommand(command);
        ASSERT_GE(v.messages.count(), 1);
        EXPECT_EQ(v.messages.last().text,
                  "Illegal data found in After Intrusion Z of intrusion point 3. No intrusion file output.");
        EXPECT_EQ(v.sheet.GetActivePage(), &v.sheet.m_IntrPage);
        EXPECT_EQ(v.sheet.m_IntrPage.m_nRecordIndex, 3);
        EXPECT_EQ(WidgetBackColor(v.sheet.m_IntrPage.Edit(T::IDC_AFTER_Z)->GetWidget()), CNEdit::kYellow);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.file(""))) << "no file asked for, none written";

    v.Type(v.sheet.m_IntrPage, T::IDC_AFTER_Z, "2000");
    v.files.answer(CString(dir.file("only.ip5")));
    v.sheet.RunCommand(ID_SAVE_INTRUSION_ONLY);
    EXPECT_NE(testutil::ReadFile(dir.file("only.ip5")).find("|2000"), std::string::npos);
}
