#include "codes/ui/Search.h"
#include "common/ui/EditKavroNo.h"
#include "common/ui/ListCtrlEx.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "doubles/ScriptedFileDialogs.h"
#include "platform/Codec.h"
#include "platform/ui/Colors.h"
#include "platform/ui/SpinButton.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/VehVehPage.h"
#include "vehicle/ui/VehiclePropertySheet.h"
#include "platform/ui/FileDialog.h"

#include "../../codes/CodesTestUtil.h"
#include "ControlTips.h"
#include "SheetHarness.h"
#include "WidgetColors.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using S = CVehiclePropertySheet;

// The vehicle page of a two-vehicle test whose second vehicle holds bad pre-test and post-test
// values; the barrier page is the page it is left for.
class VehPageTest : public ::testing::Test {
protected:
    VehPageTest()
    {
        data.m_strConfiguration = "VTV";
        data.m_nVehicleCount = 2;
        data.m_saVehMake.SetAtGrow(1, "FORD");
        data.m_saVehYear.SetAtGrow(1, "2015");
        data.m_saVehKavroNo.SetAtGrow(1, "M20150207");
        data.m_saVehBodyType.SetAtGrow(1, "NA");
        data.m_saVehBX1.SetAtGrow(1, "100");
        data.m_saVehMake.SetAtGrow(2, "HOND");
        data.m_saVehBX5.SetAtGrow(2, "10000");
        data.m_saVehAX1.SetAtGrow(2, "10000");
    }
    // The test page shows the data set up, then the vehicle page comes to the front.
    void Open()
    {
        ASSERT_TRUE(s.db.open());
        s.sheet.RefreshPage(S::kTest);
        ASSERT_TRUE(s.Visit(S::kVehicle));
    }
    bool Leave() { return s.Visit(S::kBarrier); }
    bool Enter() { return s.Visit(S::kVehicle); }
    QLineEdit* Line(int id) const { return page.Item<QLineEdit>(id); }
    QString Shown(int id) const { return Line(id)->text(); }
    void Click(int id) { QTest::mouseClick(page.Item<QPushButton>(id), Qt::LeftButton); }
    void SpinUp() { sheettest::ClickSpinArrow(*page.Spin(), Qt::UpArrow); }
    void SpinDown() { sheettest::ClickSpinArrow(*page.Spin(), Qt::DownArrow); }
    bool LabelShown(int id) const { return Line(id)->isVisible(); }

    sheettest::VehicleSheet s;
    platform::MessageRecorder& boxes = s.messages;
    platform::ScriptedDialogs dialogs;
    CVehData& data = s.data;
    CVehVehPage& page = s.sheet.m_VehPage;
};

} // namespace

TEST_F(VehPageTest, LeavingMovesToTheOtherVehicleAndIsRefusedWhenThatOneFails)
{
    Open();
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "FORD");
    EXPECT_TRUE(page.Spin()->isEnabled());
    for (int label : {CVehVehPage::IDC_PRETEST_ERROR, CVehVehPage::IDC_POSTTEST_ERROR, CVehVehPage::IDC_DAMAGE_ERROR})
        EXPECT_FALSE(LabelShown(label));

    EXPECT_FALSE(Leave()) << "vehicle 2 fails its check";
    EXPECT_EQ(s.sheet.GetActiveIndex(), S::kVehicle);
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "2");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "HOND");
    EXPECT_TRUE(LabelShown(CVehVehPage::IDC_PRETEST_ERROR));
    EXPECT_EQ(Shown(CVehVehPage::IDC_PRETEST_ERROR), "Error Inside ^");
    EXPECT_EQ(WidgetTextColor(Line(CVehVehPage::IDC_PRETEST_ERROR)), RGB(255, 0, 0));
    EXPECT_EQ(WidgetBackColor(Line(CVehVehPage::IDC_PRETEST_ERROR)), RGB(0, 255, 255));
    EXPECT_FALSE(LabelShown(CVehVehPage::IDC_POSTTEST_ERROR)) << "the checks stop at the first failure";

    // The pre-test dialog mends the bad value; its label goes.
    dialogs.then([](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Pretest Vehicle Measurement Data (millimeters)");
        QLineEdit* bx5 = d.Item<QLineEdit>(1199);
        EXPECT_EQ(bx5->text(), "10000");
        bx5->selectAll();
        QTest::keyClicks(bx5, "999");
        QTest::mouseClick(d.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    Click(CVehVehPage::IDC_PRETEST);
    EXPECT_EQ(data.m_saVehBX5.GetAt(2), "999");
    EXPECT_FALSE(LabelShown(CVehVehPage::IDC_PRETEST_ERROR));

    // Leaving from vehicle 2 (whose own bad post-test value does not hold the user) moves to
    // vehicle 1, which passes; the page shows it when entered again.
    EXPECT_TRUE(Leave());
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
    EXPECT_TRUE(Enter());
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "FORD");
    EXPECT_EQ(boxes.count(), 0);

    // Clear All Pages: vehicle 1, empty fields, the labels of the emptied data.
    page.SelectVehicle(2);
    data.ResetVehData();
    page.ClearPage();
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "");
    for (int label : {CVehVehPage::IDC_PRETEST_ERROR, CVehVehPage::IDC_POSTTEST_ERROR, CVehVehPage::IDC_DAMAGE_ERROR})
        EXPECT_FALSE(LabelShown(label));
}

TEST_F(VehPageTest, TheSpinSavesTheShownVehicleAndShowsTheOther)
{
    Open();
    QTest::keyClicks(Line(1134), "abc123");
    EXPECT_EQ(Shown(1134), "ABC123") << "upper-case field";
    SpinUp();
    EXPECT_EQ(data.m_saVehVin.GetAt(1), "ABC123");
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "2");
    EXPECT_EQ(Shown(1134), "");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "HOND");
    SpinUp();
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "2") << "no vehicle 3";

    QLineEdit* year = Line(CVehVehPage::IDC_MODEL_YEAR);
    QTest::keyClicks(year, "18x00");
    EXPECT_EQ(year->text(), "1800") << "digits only";
    EXPECT_EQ(WidgetBackColor(year), CNEdit::kYellow);
    EXPECT_FALSE(page.AllFieldsValid());
    year->selectAll();
    QTest::keyClicks(year, "0");
    SpinDown();
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
    EXPECT_EQ(data.m_saVehYear.GetAt(2), "") << "a model year of 0 is stored empty";
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL_YEAR), "2015");
    SpinUp();
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL_YEAR), "");
}

TEST_F(VehPageTest, OneVehicleShowsVehicleOneAndAlwaysLetsGo)
{
    data.m_strConfiguration = "VTB";
    data.m_nVehicleCount = 1;
    data.m_saVehYear.SetAtGrow(1, "1800");
    Open();
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
    EXPECT_FALSE(page.Spin()->isEnabled());
    EXPECT_EQ(WidgetBackColor(Line(CVehVehPage::IDC_MODEL_YEAR)), CNEdit::kYellow);
    EXPECT_TRUE(Leave()) << "the shown vehicle's own errors never keep the user";
    EXPECT_TRUE(page.ValidateAllRecords() == FALSE);

    // The configuration went from two vehicles to one while vehicle 2 was shown: nothing is
    // saved, and the next entry shows vehicle 1.
    data.m_nVehicleCount = 2;
    EXPECT_TRUE(Enter());
    data.m_saVehYear.SetAtGrow(1, "2015");
    page.SelectVehicle(2);
    data.m_nVehicleCount = 1;
    QTest::keyClicks(Line(1134), "LOST");
    EXPECT_FALSE(page.SaveRecord());
    EXPECT_EQ(data.m_saVehVin.GetAt(2), "");
    EXPECT_TRUE(Leave());
    EXPECT_TRUE(Enter());
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "1");
}

TEST_F(VehPageTest, PoleTestAndTheConfigurationNotice)
{
    data.m_strConfiguration = "PTV";
    data.m_saVehBX5.SetAt(2, ""); // vehicle 2 mended: only the notice is looked at here
    data.m_saVehAX1.SetAt(2, "");
    data.m_saVehComments.SetAtGrow(2, "TYPED");
    data.m_bConfigNoticeMuted = true;
    data.m_bConfigChanged = true;
    Open();
    EXPECT_EQ(boxes.count(), 0) << "the first entry after the notice was muted shows nothing";
    EXPECT_FALSE(data.m_bConfigNoticeMuted);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "32");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), "05");
    EXPECT_EQ(Shown(1157), "The pole information also described in the barrier information");
    EXPECT_EQ(data.m_saVehComments.GetAt(2), "");

    ASSERT_TRUE(Leave());
    ASSERT_TRUE(Enter());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "The test configuration has been changed,\n\rPlease check the Vehicle Information carefully.");
    EXPECT_EQ(boxes.last().caption, "Vehicle Impact Data Morvel");
    EXPECT_FALSE(data.m_bConfigChanged);
    ASSERT_TRUE(Leave());
    ASSERT_TRUE(Enter());
    EXPECT_EQ(boxes.count(), 1) << "once per reported change";
}

TEST_F(VehPageTest, MakeAndModelSearches)
{
    data.m_saVehMake.SetAtGrow(1, "");
    Open();
    Click(CVehVehPage::IDC_SEARCH_MODEL);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Please enter 'Vehicle Make' prior to searching 'Vehicle Model'.");
    EXPECT_EQ(dialogs.run(), 0);

    auto pick = [this](const char* typed) {
        dialogs.then([typed](CDialog& d) {
            auto& search = dynamic_cast<CSearch&>(d);
            QTest::keyClicks(search.GetQuickSearchEdit(), typed);
            QTest::mouseClick(d.Item<QPushButton>(IDOK), Qt::LeftButton);
        });
    };
    pick("D'A");
    Click(CVehVehPage::IDC_SEARCH_MAKE);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "D'AR");

    // The make's quote is doubled in the model query: one model of that make is offered.
    dialogs.then([](CDialog& d) {
        auto& search = dynamic_cast<CSearch&>(d);
        EXPECT_EQ(search.windowTitle(), "MODEL Search");
        ASSERT_EQ(search.GetList()->GetItemCount(), 1);
        EXPECT_EQ(search.GetList()->GetItemText(0, 0), "01");
        EXPECT_EQ(search.GetList()->GetItemText(0, 1), "Landau");
        QTest::keyClicks(search.GetQuickSearchEdit(), "0");
        QTest::mouseClick(d.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    Click(CVehVehPage::IDC_SEARCH_MODEL);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), "01") << "the last two characters of the code";
    EXPECT_EQ(page.Edit(CVehVehPage::IDC_MODEL)->IsValid(), true);

    pick("D'A");
    Click(CVehVehPage::IDC_SEARCH_MAKE);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), "01") << "the same make keeps its model";
    pick("FORD");
    Click(CVehVehPage::IDC_SEARCH_MAKE);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MAKE), "FORD");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), "") << "another make empties the model";
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(VehPageTest, AModelEmptiedByAnotherMakeIsShownValid)
{
    data.m_saVehModel.SetAtGrow(1, "ZZ");
    Open();
    ASSERT_FALSE(page.Edit(CVehVehPage::IDC_MODEL)->IsValid());
    dialogs.then([](CDialog& d) {
        QTest::keyClicks(dynamic_cast<CSearch&>(d).GetQuickSearchEdit(), "D'A");
        QTest::mouseClick(d.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    Click(CVehVehPage::IDC_SEARCH_MAKE);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), "");
    EXPECT_TRUE(page.Edit(CVehVehPage::IDC_MODEL)->IsValid());
    EXPECT_NE(WidgetBackColor(Line(CVehVehPage::IDC_MODEL)), CNEdit::kYellow);
}

TEST_F(VehPageTest, ModelChosenFromTheSearchPassesTheTableCheckAndThePageLetsGo)
{
    // Vehicle 2's measurements mended: only its model decides whether the page lets go.
    data.m_saVehBX5.SetAt(2, "");
    data.m_saVehAX1.SetAt(2, "");
    Open();
    SpinUp();
    ASSERT_EQ(Shown(CVehVehPage::IDC_MAKE), "HOND");

    // The first row offered for the make is clicked, then OK.
    QString firstCode;
    dialogs.then([&firstCode](CDialog& d) {
        CListCtrlEx* list = dynamic_cast<CSearch&>(d).GetList();
        ASSERT_GT(list->GetItemCount(), 0);
        firstCode = ToQString(list->GetItemText(0, 0));
        const QRect first = list->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QTest::mouseClick(d.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    Click(CVehVehPage::IDC_SEARCH_MODEL);
    ASSERT_EQ(dialogs.run(), 1);
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), firstCode.right(2));

    // Leaving from vehicle 1 brings vehicle 2 back and checks its codes against the tables.
    SpinDown();
    EXPECT_TRUE(Leave());
    EXPECT_EQ(Shown(CVehVehPage::IDC_VEHICLE_NO), "2");
    EXPECT_EQ(Shown(CVehVehPage::IDC_MODEL), firstCode.right(2));
    EXPECT_TRUE(page.Edit(CVehVehPage::IDC_MODEL)->IsValid());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(VehPageTest, KavroNumberIsCheckedAsTypedAndComposedInItsEditor)
{
    Open();
    QLineEdit* number = Line(CVehVehPage::IDC_KAVRO_NO);
    EXPECT_EQ(WidgetBackColor(number), CNEdit::kLightGrey);
    number->selectAll();
    QTest::keyClicks(number, "x2015");
    EXPECT_EQ(number->text(), "X2015");
    EXPECT_FALSE(page.Edit(CVehVehPage::IDC_KAVRO_NO)->IsValid());
    EXPECT_EQ(WidgetBackColor(number), CNEdit::kYellow);
    EXPECT_FALSE(page.AllFieldsValid());

    // A bad number is not handed to the editor, which starts from the model year.
    dialogs.then([](CDialog& d) {
        auto& editor = dynamic_cast<CEditKavroNo&>(d);
        EXPECT_EQ(editor.m_strNumber, "");
        EXPECT_EQ(d.Item<QComboBox>(CEditKavroNo::IDC_YEAR)->currentText(), "2015");
        QLineEdit* typed = d.Item<QLineEdit>(CEditKavroNo::IDC_NUMBER);
        typed->selectAll();
        QTest::keyClicks(typed, "M20150207");
        QTest::mouseClick(d.Item<QPushButton>(IDOK), Qt::LeftButton);
    });
    Click(CVehVehPage::IDC_EDIT_KAVRO);
    EXPECT_EQ(number->text(), "M20150207");
    EXPECT_TRUE(page.Edit(CVehVehPage::IDC_KAVRO_NO)->IsValid());

    number->clear();
    EXPECT_TRUE(page.CheckKavroNumber()) << "an empty number passes";
    EXPECT_EQ(ControlTip(page, 1136), "liters (00.0->99.9)");
    EXPECT_EQ(ControlTip(page, CVehVehPage::IDC_DAMAGE), "Set Damage Profile Distance Values");
    EXPECT_EQ(ControlTip(page, CVehVehPage::IDC_VEHICLE_NO), "");
}

namespace {

// A two-vehicle test every page finds valid but for vehicle 2's orientation on the moving cart.
std::string TwoVehicleTest()
{
    std::string text = testutil::ReadFile(testutil::DataPath("vehicle/vtv_pages.mv5"));
    const std::string good = "|27|45|Bullet vehicle";
    text.replace(text.find(good), good.size(), "|27|F|Bullet vehicle");
    return text;
}

} // namespace

TEST(VehPageOnSheetTest, TwoVehiclesLoadedSwitchedEditedAndSaved)
{
    sheettest::VehicleSheet s;
    ASSERT_TRUE(s.db.open());
    CVehiclePropertySheet& sheet = s.sheet;
    testutil::WriteFile(s.dir.file("two.mv5"), TwoVehicleTest());
    s.Load(s.dir.file("two.mv5"));

    CVehVehPage& page = sheet.m_VehPage;
    sheet.Tabs()->setCurrentIndex(CVehiclePropertySheet::kVehicle);
    ASSERT_EQ(sheet.GetActiveIndex(), CVehiclePropertySheet::kVehicle);
    auto line = [&page](int id) { return page.Item<QLineEdit>(id); };
    EXPECT_EQ(line(CVehVehPage::IDC_VEHICLE_NO)->text(), "1");
    EXPECT_EQ(line(CVehVehPage::IDC_MAKE)->text(), "HOND");
    EXPECT_EQ(WidgetBackColor(line(CVehVehPage::IDC_MAKE)), CNEdit::kLightGrey) << "a known code";
    EXPECT_TRUE(page.Spin()->isEnabled());

    sheettest::ClickSpinArrow(*page.Spin(), Qt::UpArrow);
    EXPECT_EQ(line(CVehVehPage::IDC_VEHICLE_NO)->text(), "2");
    EXPECT_EQ(line(CVehVehPage::IDC_MAKE)->text(), "FORD");
    EXPECT_EQ(line(CVehVehPage::IDC_MODEL)->text(), "01");
    QLineEdit* orientation = line(1155);
    EXPECT_EQ(orientation->text(), "F");
    EXPECT_EQ(WidgetBackColor(orientation), CNEdit::kYellow);

    // Save Test with the bad value: the vehicle page comes to the front and nothing is written.
    sheet.Tabs()->setCurrentIndex(CVehiclePropertySheet::kTest);
    EXPECT_EQ(sheet.GetActiveIndex(), CVehiclePropertySheet::kTest) << "vehicle 1 passes, so the page lets go";
    s.Save(s.dir.file("out.mv5"));
    EXPECT_FALSE(std::filesystem::exists(s.dir.file("out.mv5")));
    EXPECT_EQ(sheet.GetActiveIndex(), CVehiclePropertySheet::kVehicle);
    EXPECT_EQ(line(CVehVehPage::IDC_VEHICLE_NO)->text(), "2");

    orientation->selectAll();
    QTest::keyClicks(orientation, "45");
    QLineEdit* comments = line(1157);
    comments->end(false);
    QTest::keyClicks(comments, " x");
    s.Save(s.dir.file("out.mv5"));
    std::string expected = testutil::ReadFile(testutil::DataPath("vehicle/vtv_pages.mv5"));
    expected.replace(expected.find("|27|45|Bullet vehicle"), 21, "|27|45|Bullet vehicle X");
    const std::string written = testutil::ReadFile(s.dir.file("out.mv5"));
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.substr(written.find("----- MV5")), expected.substr(expected.find("----- MV5")));
}
