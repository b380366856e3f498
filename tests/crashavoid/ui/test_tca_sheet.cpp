#include "codes/ui/Search.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/ui/DateTimeCtrl.h"

#include "../../codes/ui/ChooseCode.h"
#include "SheetHarness.h"
#include "TestUtil.h"
#include "WidgetColors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>

using testutil::ReadFile;

namespace {

using Sheet = sheettest::TcaSheet;
using sheettest::WithoutDate;

} // namespace

TEST(TcaSheetTest, LoadedTestVisitedPageByPageIsSavedIdentical)
{
    Sheet s;
    ASSERT_TRUE(s.db.open());
    s.Load(s.Fixture("full.mv5"));
    EXPECT_EQ(s.Text(s.sheet.m_pageTest, CTcaTestPage::IDC_TITLE), "Night braking");
    for (int page = 1; page < CTcaPropertySheet::kPageCount; ++page)
        ASSERT_TRUE(s.Visit(page)) << page;
    EXPECT_EQ(s.Text(s.sheet.m_pageRollover, CTcaRolloverPage::IDC_AVERAGE_TRACK), "1500");
    ASSERT_TRUE(s.Visit(0));
    s.messages.clear();
    s.Save(s.dir.file("saved.mv5"));
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("saved.mv5"))),
              WithoutDate(ReadFile(testutil::DataPath("crashavoid/full.mv5"))));
}

TEST(TcaSheetTest, RecordPagesDoNotMoveFromARecordThatCannotBeStored)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    // Vehicle page: Year 2026 is out of range; neither "<", ">" nor the list moves, and the
    // typed value stays in front.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kVehiclePage));
    CTcaVehPage& veh = s.sheet.m_pageVehicle;
    s.Click(veh, CTcaVehPage::IDC_NEXT);
    ASSERT_EQ(s.sheet.m_data.m_nCurVehicle, 1);
    s.Type(veh, CTcaVehPage::IDC_YEAR, "2026");
    s.Click(veh, CTcaVehPage::IDC_PREV);
    s.Click(veh, CTcaVehPage::IDC_NEXT);
    veh.Item<QComboBox>(CTcaVehPage::IDC_RECORD_LIST)->setCurrentIndex(0);
    EXPECT_EQ(s.sheet.m_data.m_nCurVehicle, 1);
    EXPECT_EQ(s.Text(veh, CTcaVehPage::IDC_YEAR), "2026");
    EXPECT_EQ(veh.Item<QComboBox>(CTcaVehPage::IDC_RECORD_LIST)->currentIndex(), 1);
    EXPECT_FALSE(s.Visit(CTcaPropertySheet::kTestPage));
    EXPECT_EQ(s.sheet.m_data.m_VehicleRecords.size(), 2u);
    EXPECT_EQ(s.sheet.m_data.m_VehicleRecords[1].m_strYear, "2021");
    // Corrected, it moves, and ">" after the last record appends record 3 numbered by its place.
    s.Type(veh, CTcaVehPage::IDC_YEAR, "2025");
    s.Click(veh, CTcaVehPage::IDC_NEXT);
    EXPECT_EQ(s.sheet.m_data.m_nCurVehicle, 2);
    EXPECT_EQ(s.sheet.m_data.m_VehicleRecords[1].m_strYear, "2025");
    EXPECT_EQ(s.sheet.m_data.m_VehicleRecords[2].m_strNumber, "");
    s.Click(veh, CTcaVehPage::IDC_DELETE);
    EXPECT_EQ(s.sheet.m_data.m_VehicleRecords.size(), 2u);
    EXPECT_EQ(s.sheet.m_data.m_nCurVehicle, 1);

    // Rollover page: a bad value and a number typed into the record list.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kRolloverPage));
    CTcaRolloverPage& roll = s.sheet.m_pageRollover;
    s.Type(roll, CTcaRolloverPage::IDC_RELATIVE_MOTION, "-100");
    auto* list = roll.Item<QComboBox>(CTcaRolloverPage::IDC_RECORD_LIST);
    list->setEditText("2");
    EXPECT_EQ(s.sheet.m_data.m_nCurRollover, 0);
    s.Type(roll, CTcaRolloverPage::IDC_RELATIVE_MOTION, "-99");
    list->setEditText("2");
    EXPECT_EQ(s.sheet.m_data.m_nCurRollover, 1);
    EXPECT_EQ(s.sheet.m_data.m_RolloverRecords[0].m_strRelativeMotion, "-99");
    EXPECT_EQ(s.Text(roll, CTcaRolloverPage::IDC_AVERAGE_TRACK), "1520");

    // Saving with an invalid record shows its page and writes nothing.
    s.Type(roll, CTcaRolloverPage::IDC_COG_HEIGHT, "2001");
    const size_t asked = s.files.requests().size();
    s.Save(s.dir.file("never.mv5"));
    EXPECT_EQ(s.files.requests().size(), asked) << "no file asked for";
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("never.mv5")));
    EXPECT_EQ(s.sheet.GetActiveIndex(), CTcaPropertySheet::kRolloverPage);
}

TEST(TcaSheetTest, AmberFlagAndVehicleNumber)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kAmberPage));
    CTcaAmberPage& amber = s.sheet.m_pageAmber;
    auto* box = amber.Item<QCheckBox>(CTcaAmberPage::IDC_AMBER_IN_COLOR);
    ASSERT_FALSE(box->isChecked());
    EXPECT_EQ(s.Text(amber, CTcaAmberPage::IDC_X_1 + 3), "0.7");
    // Ticked: the readings are greyed, still shown and kept; a bad one no longer holds the page.
    s.Type(amber, CTcaAmberPage::IDC_ANGLE_1, "99");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    EXPECT_EQ(s.Text(amber, CTcaAmberPage::IDC_X_1 + 3), "0.7");
    for (int id : {int(CTcaAmberPage::IDC_ANGLE_1), CTcaAmberPage::IDC_X_1 + 3, CTcaAmberPage::IDC_Y_1 + 2})
        EXPECT_FALSE(amber.GetDlgItem(id)->isEnabled()) << id;
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    const TcaAmberRecord& first = s.sheet.m_data.m_AmberRecords[0];
    EXPECT_TRUE(first.m_bAmberInColor);
    EXPECT_EQ(first.m_strAngle1 + "|" + first.m_strX4 + "|" + first.m_strY3, "10|0.7|0.6");

    // Unticked, the fields are open again with the readings the record holds.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kAmberPage));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    EXPECT_TRUE(amber.GetDlgItem(CTcaAmberPage::IDC_ANGLE_1)->isEnabled());
    EXPECT_EQ(s.Text(amber, CTcaAmberPage::IDC_ANGLE_1), "10");
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    EXPECT_FALSE(first.m_bAmberInColor);
    EXPECT_EQ(first.m_strAngle1, "10");

    // An empty Vehicle Number removes the shown record only.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kAmberPage));
    s.Type(amber, CTcaAmberPage::IDC_VEHICLE_NUMBER, "");
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    ASSERT_EQ(s.sheet.m_data.m_AmberRecords.size(), 1u);
    EXPECT_EQ(s.sheet.m_data.m_AmberRecords[0].m_strCommentary, "Amber lamp");
    EXPECT_EQ(s.sheet.m_data.m_nCurAmber, 0);
}

TEST(TcaSheetTest, AnAmberRecordWithReadingsIsSavedAsItWasRead)
{
    Sheet s;
    std::string text = ReadFile(testutil::DataPath("crashavoid/full.mv5"));
    text.replace(text.find("1|120000|22.5|45|0|"), 19, "1|120000|22.5|45|1|");
    testutil::WriteFile(s.dir.file("amber.mv5"), text);
    s.Load(s.dir.file("amber.mv5"));
    s.messages.clear();
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kAmberPage));
    CTcaAmberPage& amber = s.sheet.m_pageAmber;
    EXPECT_TRUE(amber.Item<QCheckBox>(CTcaAmberPage::IDC_AMBER_IN_COLOR)->isChecked());
    EXPECT_EQ(s.Text(amber, CTcaAmberPage::IDC_ANGLE_1), "10");
    EXPECT_FALSE(amber.GetDlgItem(CTcaAmberPage::IDC_ANGLE_1)->isEnabled());
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));

    s.Save(s.dir.file("saved.mv5"));
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    EXPECT_EQ(WithoutDate(ReadFile(s.dir.file("saved.mv5"))), WithoutDate(text));
}

TEST(TcaSheetTest, ValuesThatWouldBreakTheFileAreRefused)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    CTcaTestPage& test = s.sheet.m_pageTest;
    s.Type(test, CTcaTestPage::IDC_TITLE, "a ----- b");
    EXPECT_FALSE(s.Visit(CTcaPropertySheet::kVehiclePage));
    EXPECT_FALSE(test.Edit(CTcaTestPage::IDC_TITLE)->IsValid());
    s.Type(test, CTcaTestPage::IDC_TITLE, "a ---- b");
    s.Type(test, CTcaTestPage::IDC_VERSION, "#5");
    EXPECT_FALSE(s.Visit(CTcaPropertySheet::kVehiclePage));
    s.Type(test, CTcaTestPage::IDC_VERSION, "T5");
    EXPECT_TRUE(s.Visit(CTcaPropertySheet::kVehiclePage));
    EXPECT_EQ(s.sheet.m_data.m_pTestRecord->m_strTitle, "a ---- b");
    // A combo box too: a vehicle number read as a comment line would lose its channel.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kInstPage));
    auto* vehicle = s.sheet.m_pageInst.Item<QComboBox>(CTcaInstPage::IDC_VEHICLE_NUMBER);
    vehicle->setEditText("#1");
    EXPECT_FALSE(s.Visit(CTcaPropertySheet::kTestPage));
    vehicle->setEditText("1");
    EXPECT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
}

TEST(TcaSheetTest, SaveTestStopsAtTheFirstPageThatFails)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    s.messages.clear();
    // A page not yet shown holds a channel whose vehicle is not in the test: its one box is told,
    // the page stays in front and the pages after it are not tried (each try would tell it again).
    s.sheet.m_data.m_InstRecords[0].m_strVehicleNumber = "3";
    s.Save(s.dir.file("saved.mv5"));
    EXPECT_EQ(s.messages.texts(), std::vector<std::string> {"Vehicle number out of range:\ncheck drop-list of the combo box, please."});
    EXPECT_EQ(s.sheet.GetActiveIndex(), CTcaPropertySheet::kInstPage);
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("saved.mv5")));
}

TEST(TcaSheetTest, LowerBeamRecordIsMadeWhenThePageStores)
{
    Sheet s;
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kLBeamPage));
    CTcaLBeamPage& beam = s.sheet.m_pageLBeam;
    s.Type(beam, CTcaLBeamPage::IDC_VEHICLE_NUMBER, "2");
    s.Type(beam, CTcaLBeamPage::kLocationIds[15], "far right");
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    ASSERT_TRUE(s.sheet.m_data.m_pLBeamRecord);
    EXPECT_EQ(s.sheet.m_data.m_pLBeamRecord->m_strVehicleNumber, "2");
    EXPECT_EQ(s.sheet.m_data.m_pLBeamRecord->m_Locations[15], "far right");
}

TEST(TcaSheetTest, AFailedLoadShowsItsMessage)
{
    Sheet s;
    const std::string path = s.dir.file("bad.mv5");
    testutil::WriteFile(path, "----- TEST -----\r\nT5|x\r\n");
    s.Load(path);
    ASSERT_EQ(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, "Pipe error in line 1 of TEST: its No. of pipes is 1; required 13");
    testutil::WriteFile(path, "----- MV5 -----\r\n");
    s.Load(path);
    ASSERT_EQ(s.messages.count(), 2);
    EXPECT_EQ(s.messages.last().text, "File " + path + " is not a Crash Avoidance test.");
}

TEST(TcaSheetTest, ACodeOfEitherTagOfTheFieldIsValid)
{
    codetest::SmallDb small(
        "CREATE TABLE KAVRODB_TSTTYP (TSTTYP TEXT, TSTTYPD TEXT, TSTTYP_COMMENT TEXT, REFERENCE TEXT);"
        "INSERT INTO KAVRODB_TSTTYP VALUES ('NCA', 'n', NULL, 'VEHDB TCADB'), ('TCA', 't', NULL, 'TCADB'),"
        " ('OLD', 'o', NULL, 'SWGDB');");
    Sheet s;
    codetest::Connection db(small.path());
    CTcaTestPage& test = s.sheet.m_pageTest;
    CNEdit& type = *test.Edit(CTcaTestPage::IDC_TEST_TYPE);
    for (const auto& [code, valid] : std::vector<std::pair<const char*, bool>> {{"NCA", true}, {"TCA", true}, {"OLD", false}}) {
        type.SetText(code);
        EXPECT_EQ(test.AllFieldsValid(), valid) << code;
        EXPECT_EQ(type.IsValid(), valid) << code;
    }
}

TEST(TcaSheetTest, InstrumentationRecords)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kInstPage));
    CTcaInstPage& inst = s.sheet.m_pageInst;
    EXPECT_EQ(s.sheet.m_data.m_nCurInst, 1); // the last record after a load
    auto* list = inst.Item<QListWidget>(CTcaInstPage::IDC_RECORD_LIST);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);

    // With the keep box ticked, ">" on the last record appends a copy of it.
    inst.Item<QCheckBox>(CTcaInstPage::IDC_KEEP_LAST)->setChecked(true);
    s.Click(inst, CTcaInstPage::IDC_NEXT);
    ASSERT_EQ(s.sheet.m_data.m_InstRecords.size(), 3u);
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_MANUFACTURER), "Acme Sensors");
    EXPECT_EQ(list->currentRow(), 2);

    // A vehicle number beyond the test's vehicles is refused with its message.
    inst.Item<QComboBox>(CTcaInstPage::IDC_VEHICLE_NUMBER)->setEditText("3");
    EXPECT_FALSE(s.Visit(CTcaPropertySheet::kTestPage));
    ASSERT_GE(s.messages.count(), 1);
    EXPECT_EQ(s.messages.last().text, "Vehicle number out of range:\ncheck drop-list of the combo box, please.");
    inst.Item<QComboBox>(CTcaInstPage::IDC_VEHICLE_NUMBER)->setEditText("1");
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    EXPECT_EQ(s.sheet.m_data.m_InstRecords[2].m_strCurveNumber, "3");
    EXPECT_EQ(s.Text(s.sheet.m_pageTest, CTcaTestPage::IDC_TOTAL_CURVES), "2"); // set on load and on save
}

TEST(TcaSheetTest, AHiddenChannelStatusThatIsNoCodeIsShownForCorrection)
{
    Sheet s;
    ASSERT_TRUE(s.db.open());
    std::string text = ReadFile(testutil::DataPath("crashavoid/full.mv5"));
    text.replace(text.find("AM||03/05/2024|Y|N|Channel 2"), 4, "AM|ZZ|");
    testutil::WriteFile(s.dir.file("status.mv5"), text);
    s.Load(s.dir.file("status.mv5"));
    ASSERT_EQ(s.sheet.m_data.m_InstRecords.at(1).m_strChannelStatus, "ZZ");
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kInstPage));
    CTcaInstPage& inst = s.sheet.m_pageInst;
    ASSERT_EQ(s.sheet.m_data.m_nCurInst, 1);
    const int row[] = {CTcaInstPage::IDC_CHANNEL_STATUS, CTcaInstPage::IDC_FIND_CHANNEL_STATUS,
                       CTcaInstPage::IDC_CHANNEL_STATUS_LABEL};
    for (int id : row)
        EXPECT_TRUE(inst.GetDlgItem(id)->isVisible()) << id;
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_CHANNEL_STATUS), "ZZ");
    EXPECT_EQ(WidgetBackColor(inst.Edit(CTcaInstPage::IDC_CHANNEL_STATUS)->GetWidget()), CNEdit::kYellow);
    auto* list = inst.Item<QListWidget>(CTcaInstPage::IDC_RECORD_LIST);
    list->setCurrentRow(0);
    EXPECT_EQ(s.sheet.m_data.m_nCurInst, 1) << "the record still cannot be stored";

    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& dialog) { codetest::ChooseCode(dialog, "P"); });
    s.Click(inst, CTcaInstPage::IDC_FIND_CHANNEL_STATUS);
    list->setCurrentRow(0);
    EXPECT_EQ(s.sheet.m_data.m_nCurInst, 0);
    EXPECT_EQ(s.sheet.m_data.m_InstRecords[1].m_strChannelStatus, "P");
    for (int id : row)
        EXPECT_FALSE(inst.GetDlgItem(id)->isVisible()) << id << ": a good record keeps the page as it is";
}

TEST(TcaSheetTest, KeptFieldsBecomeTheFirstChannel)
{
    Sheet s;
    s.sheet.m_data.m_VehicleRecords.resize(1);
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kInstPage));
    CTcaInstPage& inst = s.sheet.m_pageInst;
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_X_UNIT), "SEC");
    inst.Item<QCheckBox>(CTcaInstPage::IDC_KEEP_LAST)->setChecked(true);
    s.Type(inst, CTcaInstPage::IDC_MANUFACTURER, "Acme");
    s.Type(inst, CTcaInstPage::IDC_LAST_POINT, "0"); // below its range: nothing is made of it
    s.Click(inst, CTcaInstPage::IDC_NEXT);
    EXPECT_TRUE(s.sheet.m_data.m_InstRecords.empty());
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_MANUFACTURER), "Acme");
    s.Type(inst, CTcaInstPage::IDC_LAST_POINT, "10");
    s.Click(inst, CTcaInstPage::IDC_NEXT);
    ASSERT_EQ(s.sheet.m_data.m_InstRecords.size(), 1u);
    EXPECT_EQ(s.sheet.m_data.m_nCurInst, 0);
    EXPECT_EQ(s.sheet.m_data.m_InstRecords[0].m_strManufacturer, "Acme");
    EXPECT_EQ(s.sheet.m_data.m_InstRecords[0].m_strCurveNumber, "1");
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_LAST_POINT), "10");
}

TEST(TcaSheetTest, ClearAllPagesAsksFirst)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    s.sheet.m_data.m_pTestRecord->m_strWarningDistance = "40";
    s.messages.setNextAnswer(IDNO);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    EXPECT_EQ(s.messages.last().text, "Really clear all entries?");
    EXPECT_EQ(s.sheet.m_data.m_VehicleRecords.size(), 2u);

    s.messages.setNextAnswer(IDYES);
    s.sheet.RunCommand(ID_CLEAR_ALL_PAGES);
    const CTcaData& data = s.sheet.m_data;
    EXPECT_EQ(data.m_pTestRecord->m_strTitle, "");
    EXPECT_EQ(data.m_pTestRecord->m_strType, "NCA");
    EXPECT_EQ(data.m_pTestRecord->m_strWarningDistance, "40");
    EXPECT_TRUE(data.m_VehicleRecords.empty() && data.m_AmberRecords.empty() && data.m_RolloverRecords.empty() &&
                data.m_InstRecords.empty());
    EXPECT_EQ(data.m_nCurVehicle + data.m_nCurAmber + data.m_nCurRollover + data.m_nCurInst, -4);
    ASSERT_TRUE(data.m_pLBeamRecord);
    EXPECT_EQ(data.m_pLBeamRecord->m_strDetector, "");
    EXPECT_EQ(data.m_pLBeamRecord->m_Locations.size(), 16u);
    EXPECT_EQ(s.Text(s.sheet.m_pageTest, CTcaTestPage::IDC_VERSION), "T5");
}

namespace {
// A code search step: types the code into the quick search and confirms.
void Choose(platform::ScriptedDialogs& script, const char* code)
{
    script.then([code](CDialog& dialog) {
        auto& search = dynamic_cast<CSearch&>(dialog);
        QTest::keyClicks(search.GetQuickSearchEdit(), code);
        QTest::mouseClick(dialog.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
}
} // namespace

TEST(TcaSheetTest, FindButtonsFillTheirFields)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    platform::ScriptedDialogs script;

    // Instrumentation: a channel type brings its unit; an x-unit other than SEC fixes the time
    // interval at 0.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kInstPage));
    CTcaInstPage& inst = s.sheet.m_pageInst;
    Choose(script, "FO");
    s.Click(inst, CTcaInstPage::IDC_FIND_CHANNEL_TYPE);
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_CHANNEL_TYPE), "FO");
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_Y_UNIT), "NWT");
    Choose(script, "MS");
    s.Click(inst, CTcaInstPage::IDC_FIND_X_UNIT);
    EXPECT_EQ(s.Text(inst, CTcaInstPage::IDC_TIME_INTERVAL), "0");
    EXPECT_FALSE(inst.GetDlgItem(CTcaInstPage::IDC_TIME_INTERVAL)->isEnabled());

    // Lower beam: a Detector is corrected through its search.
    s.sheet.m_data.m_pLBeamRecord->m_strDetector = "BAD";
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kLBeamPage));
    CTcaLBeamPage& beam = s.sheet.m_pageLBeam;
    EXPECT_FALSE(s.Visit(CTcaPropertySheet::kTestPage));
    Choose(script, "AUT");
    s.Click(beam, CTcaLBeamPage::IDC_FIND_DETECTOR);
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    EXPECT_EQ(s.sheet.m_data.m_pLBeamRecord->m_strDetector, "AUT");

    // Vehicle: another make empties the model; the model search keeps a model's last two letters.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kVehiclePage));
    CTcaVehPage& veh = s.sheet.m_pageVehicle;
    Choose(script, "CHEV");
    s.Click(veh, CTcaVehPage::IDC_FIND_MAKE);
    EXPECT_EQ(s.Text(veh, CTcaVehPage::IDC_MODEL), "");
    Choose(script, "02");
    s.Click(veh, CTcaVehPage::IDC_FIND_MODEL);
    EXPECT_EQ(s.Text(veh, CTcaVehPage::IDC_MODEL), "02");
    EXPECT_EQ(script.run(), 5);
}

TEST(TcaSheetTest, AFailedLoadLeavesTheTestAndItsPagesAsTheyWere)
{
    Sheet s;
    s.Load(s.Fixture("full.mv5"));
    s.sheet.m_data.m_pTestRecord->m_strWarningDistance = "40";
    const std::string title = s.sheet.m_data.m_pTestRecord->m_strTitle;
    ASSERT_FALSE(title.empty());
    const QString shown = s.Text(s.sheet.m_pageTest, CTcaTestPage::IDC_TITLE);
    testutil::WriteFile(s.dir.file("bad.mv5"), "----- TEST -----\r\nT5|x\r\n");
    for (const std::string& path : {s.dir.file("bad.mv5"), s.dir.file("gone.mv5")}) {
        SCOPED_TRACE(path);
        s.messages.clear();
        s.Load(path);
        EXPECT_EQ(s.messages.count(), 1);
        EXPECT_EQ(s.sheet.m_data.m_pTestRecord->m_strTitle, title);
        EXPECT_EQ(s.sheet.m_data.m_VehicleRecords.size(), 2u);
        EXPECT_EQ(s.Text(s.sheet.m_pageTest, CTcaTestPage::IDC_TITLE), shown);
    }
    // A good file replaces the test; what no file carries stays.
    s.Load(s.Fixture("full.mv5"));
    EXPECT_EQ(s.sheet.m_data.m_pTestRecord->m_strWarningDistance, "40");
    EXPECT_EQ(s.sheet.m_data.m_pTestRecord->m_strTitle, title);
}

TEST(TcaSheetTest, MenuGraysNothingAndSwgDatabaseDoesNothing)
{
    Sheet s;
    CTcaPropertySheet& sheet = s.sheet;
    platform::MessageRecorder& messages = s.messages;
    const std::vector<TestKind>& opened = s.owner.opened;
    for (QAction* menu : sheet.GetMenuBar()->actions()) {
        if (!menu->menu())
            continue;
        sheet.OnInitMenuPopup(menu->menu(), 0);
        for (QAction* item : menu->menu()->actions())
            EXPECT_TRUE(item->isSeparator() || item->isEnabled()) << item->text().toStdString();
    }
    sheet.RunCommand(ID_SWG_DATABASE);
    EXPECT_EQ(messages.count(), 0) << "no question";
    EXPECT_TRUE(opened.empty());
    // The other kinds are still reached.
    messages.setNextAnswer(IDYES);
    sheet.RunCommand(ID_VEHICLE_DATABASE);
    EXPECT_EQ(opened, std::vector<TestKind> {TestKind::Vehicle});
}

namespace {

// A test of the fixture's TEST line only, or the fixture with `kept` records in each list.
std::string TestWithRecords(int kept)
{
    const std::string full = ReadFile(testutil::DataPath("crashavoid/full.mv5"));
    if (kept == 0) {
        const size_t end = full.find("----- VEHICLE -----");
        return full.substr(0, end) + "----- END -----";
    }
    std::string text;
    int inSection = 0;
    size_t at = 0;
    while (at < full.size()) {
        size_t next = full.find("\r\n", at);
        next = next == std::string::npos ? full.size() : next + 2;
        const std::string line = full.substr(at, next - at);
        at = next;
        const bool heading = line.rfind("-----", 0) == 0;
        inSection = heading ? (line.find("VEHICLE") != std::string::npos || line.find("ROLLOVER") != std::string::npos ||
                               line.find("INSTRUMENTATION") != std::string::npos)
                                  ? 1
                                  : 0
                            : inSection ? inSection + 1 : 0;
        if (!inSection || inSection <= kept + 1)
            text += line;
    }
    return text;
}

struct RecordPageKind {
    int page;
    const char* section;
    int field;     // the control typed into
    size_t column; // its place in the file line
    int next, remove, list;
};
const RecordPageKind kVehicles {CTcaPropertySheet::kVehiclePage, "VEHICLE", CTcaVehPage::IDC_TRIMLINE, 13,
                                CTcaVehPage::IDC_NEXT, CTcaVehPage::IDC_DELETE, CTcaVehPage::IDC_RECORD_LIST};
const RecordPageKind kChannels {CTcaPropertySheet::kInstPage, "INSTRUMENTATION", CTcaInstPage::IDC_MANUFACTURER, 5,
                                CTcaInstPage::IDC_NEXT, CTcaInstPage::IDC_DELETE, CTcaInstPage::IDC_RECORD_LIST};
const RecordPageKind kRollovers {CTcaPropertySheet::kRolloverPage, "ROLLOVER", CTcaRolloverPage::IDC_COMMENTARY, 13,
                                 CTcaRolloverPage::IDC_NEXT, CTcaRolloverPage::IDC_DELETE,
                                 CTcaRolloverPage::IDC_RECORD_LIST};

void Choose(CPropertyPage& page, int list, int row)
{
    if (auto* box = page.Item<QComboBox>(list))
        box->setCurrentIndex(row);
    else
        page.Item<QListWidget>(list)->setCurrentRow(row);
}

} // namespace

// What the record pages do with a test of no record, one and several: typing, ">", "X", moving
// and leaving, and what Save Test then writes. Typing on a page with no record is never dropped:
// it makes record 1 when the page is stored; a page merely visited adds none.
TEST(TcaSheetTest, RecordPageProtocol)
{
    struct Case {
        const char* name;
        const RecordPageKind& kind;
        int kept;
        std::function<void(Sheet&, CPropertyPage&, const RecordPageKind&)> act;
        bool leave; // the test page is shown before the save
        std::vector<std::string> column; // the typed field's column of the written lines
    };
    auto type = [](const char* text) {
        return [text](Sheet& s, CPropertyPage& page, const RecordPageKind& k) { s.Type(page, k.field, text); };
    };
    auto then = [](auto first, auto second) {
        return [first, second](Sheet& s, CPropertyPage& page, const RecordPageKind& k) {
            first(s, page, k);
            second(s, page, k);
        };
    };
    auto click = [](int RecordPageKind::*button) {
        return [button](Sheet& s, CPropertyPage& page, const RecordPageKind& k) { s.Click(page, k.*button); };
    };
    auto choose = [](int row) {
        return [row](Sheet&, CPropertyPage& page, const RecordPageKind& k) { Choose(page, k.list, row); };
    };
    auto nothing = [](Sheet&, CPropertyPage&, const RecordPageKind&) {};
    const std::string acme = "Acme Sensors";
    const Case cases[] = {
        {"vehicle: none, visited", kVehicles, 0, nothing, true, {}},
        {"vehicle: none, typed, left", kVehicles, 0, type("XL"), true, {"XL"}},
        {"vehicle: none, typed, saved in front", kVehicles, 0, type("XL"), false, {"XL"}},
        {"vehicle: none, typed, >", kVehicles, 0, then(type("XL"), click(&RecordPageKind::next)), true, {"XL"}},
        {"vehicle: none, >", kVehicles, 0, click(&RecordPageKind::next), true, {""}},
        {"vehicle: one, typed, > adds", kVehicles, 1, then(type("XL"), click(&RecordPageKind::next)), true, {"XL", ""}},
        {"vehicle: several, > x", kVehicles, 2,
         then(then(choose(1), click(&RecordPageKind::next)), click(&RecordPageKind::remove)), true, {"SE", "LE"}},
        {"vehicle: several, typed, moved", kVehicles, 2, then(type("XL"), choose(1)), true, {"XL", "LE"}},
        {"channel: none, visited", kChannels, 0, nothing, true, {}},
        {"channel: none, typed, left", kChannels, 0, type("Probe"), true, {"Probe"}},
        {"channel: none, typed, saved in front", kChannels, 0, type("Probe"), false, {"Probe"}},
        {"channel: one, >", kChannels, 1, click(&RecordPageKind::next), true, {acme, ""}},
        {"channel: several, typed, moved", kChannels, 2, then(type("Probe"), choose(0)), true, {acme, "Probe"}},
        {"channel: several, second x", kChannels, 2, click(&RecordPageKind::remove), true, {acme}},
        {"rollover: none, visited", kRollovers, 0, nothing, true, {}},
        {"rollover: none, typed, left", kRollovers, 0, type("Slid"), true, {"Slid"}},
        {"rollover: one, x", kRollovers, 1, click(&RecordPageKind::remove), true, {}},
        {"rollover: several, first x", kRollovers, 2, click(&RecordPageKind::remove), true, {""}},
        {"rollover: one, typed, >", kRollovers, 1, then(type("Slid"), click(&RecordPageKind::next)), true, {"Slid", ""}},
        {"rollover: several, typed, moved", kRollovers, 2, then(type("Slid"), choose(1)), true, {"Slid", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        ASSERT_TRUE(s.db.open());
        testutil::WriteFile(s.dir.file("in.mv5"), TestWithRecords(c.kept));
        ASSERT_TRUE(s.Load(s.dir.file("in.mv5")));
        s.messages.clear();
        ASSERT_TRUE(s.Visit(c.kind.page));
        CPropertyPage& page = *s.sheet.Page(c.kind.page);
        c.act(s, page, c.kind);
        if (c.leave) {
            ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
            ASSERT_TRUE(s.Visit(c.kind.page)) << "and back";
            if (c.kept == 0 && !c.column.empty()) {
                EXPECT_EQ(s.Text(page, c.kind.field).toStdString(), c.column.back()) << "still shown";
            }
        }
        s.Save(s.dir.file("out.mv5"));
        ASSERT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
        std::vector<std::string> column;
        int number = 0;
        for (const std::string& line : testutil::SectionLines(ReadFile(s.dir.file("out.mv5")), c.kind.section)) {
            const std::vector<std::string> row = testutil::Cells(line);
            ASSERT_GT(row.size(), c.kind.column);
            const size_t numberColumn = c.kind.page == CTcaPropertySheet::kInstPage ? 1 : 0;
            EXPECT_EQ(row[numberColumn], std::to_string(++number)) << "records are numbered by their place";
            column.push_back(row[c.kind.column]);
        }
        EXPECT_EQ(column, c.column);
    }
}

TEST(TcaSheetTest, DatePickersShowTheirFieldsDates)
{
    Sheet s;
    auto picker = [&s](CPropertyPage& page, int id) { return page.Item<CDateTimeCtrl>(id); };
    for (const auto& [date, shown] : std::vector<std::pair<std::string, QDate>> {
             {"12-MAR-2024", QDate(2024, 3, 12)}, {"03/05/2009", QDate(2009, 3, 5)}, {"", QDate()}}) {
        SCOPED_TRACE(date);
        std::string text = ReadFile(testutil::DataPath("crashavoid/full.mv5"));
        text.replace(text.find("12-MAR-2024"), 11, date);
        testutil::WriteFile(s.dir.file("dated.mv5"), text);
        s.Load(s.dir.file("dated.mv5"));
        CDateTimeCtrl* test = picker(s.sheet.m_pageTest, CTcaTestPage::IDC_DATE_PICKER);
        EXPECT_EQ(test->date(), shown.isValid() ? shown : test->minimumDate());
    }
    // The calibration date of the channel shown, and the date a pick puts into the field.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kInstPage));
    CDateTimeCtrl* calibration = picker(s.sheet.m_pageInst, CTcaInstPage::IDC_DATE_PICKER);
    EXPECT_EQ(calibration->date(), QDate(2024, 3, 5));
    calibration->setDate(QDate(2009, 3, 5));
    EXPECT_EQ(s.Text(s.sheet.m_pageInst, CTcaInstPage::IDC_CALIBRATION_DATE), "03/05/2009");
}

// A broken code table is told once per command, however often the pages check their codes in it.
TEST(TcaSheetTest, ABrokenCodeTableIsToldOncePerCommand)
{
    std::string tables;
    for (const auto& [table, code, tag] : std::vector<std::array<const char*, 3>> {
             {"TSTPRF", "TRC", "VEHDB"}, {"TSTCFN", "FCW", "TCADB"}, {"TKSURF", "ASP", "TCADB"}, {"TKCOND", "DRY", "TCADB"}}) {
        const std::string t = table;
        tables += "CREATE TABLE KAVRODB_" + t + " (" + t + " TEXT, " + t + "D TEXT, " + t + "_COMMENT TEXT, REFERENCE TEXT);" +
                  "INSERT INTO KAVRODB_" + t + " VALUES ('" + code + "', 'd', NULL, '" + tag + "');";
    }
    tables += "CREATE TABLE KAVRODB_TSTTYP (TSTTYP TEXT);"; // no REFERENCE column
    codetest::SmallDb small(tables.c_str());
    Sheet s;
    codetest::Connection db(small.path());
    s.Load(s.Fixture("full.mv5"));
    EXPECT_EQ(s.Told("no such column: REFERENCE"), 1) << sheettest::Texts(s.messages);
    // Shown again, the page checks its codes more than once: one box.
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kRolloverPage));
    s.messages.clear();
    ASSERT_TRUE(s.Visit(CTcaPropertySheet::kTestPage));
    EXPECT_EQ(s.messages.count(), 1);
}
