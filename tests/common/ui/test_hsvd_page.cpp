#include "common/ui/HsvdPage.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"
#include "swg/SWGData.h"
#include "vehicle/VehData.h"
#include "ControlTips.h"
#include "WidgetColors.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using P = CHsvdPage;

const DlgTemplate kOtherPage {"Other", 100, 50, "DejaVu Sans", 8, false, {}};

// The SWG sheet's way with the page: its data pointer, set at construction.
struct HsvdSheet {
    CSWGData data;
    CHsvdPage page;
    CPropertyPage other {&kOtherPage};
    CPropertySheet sheet {"SWG Data"};

    explicit HsvdSheet(int cameras = 0)
    {
        page.m_pData = &data;
        data.m_strTestReference = "T1";
        for (int n = 1; n <= cameras; ++n) {
            data.m_arrCameraNumber.SetAtGrow(n, CString(std::to_string(n)));
            data.m_arrScaleFactor.SetAtGrow(n, CString(std::to_string(n) + ".5"));
            data.m_arrViewDescription.SetAtGrow(n, CString("view " + std::to_string(n)));
            data.m_arrCommentary.SetAtGrow(n, CString("comment " + std::to_string(n)));
        }
        // As after loading an .hs5 file: count and shown record are the number of cameras.
        page.m_nRecordCount = page.m_nRecordIndex = cameras;
        sheet.AddPage(&page);
        sheet.AddPage(&other);
        sheet.Create();
    }
    ~HsvdSheet()
    {
        for (int i = sheet.Tabs()->count() - 1; i >= 0; --i)
            sheet.Tabs()->removeTab(i);
        page.setParent(nullptr);
        other.setParent(nullptr);
    }

    QWidget* Edit(int id) { return page.GetDlgItem(id); }
    QString Text(int id)
    {
        if (auto* multi = page.Item<QPlainTextEdit>(id))
            return multi->toPlainText();
        return page.Item<QLineEdit>(id)->text();
    }
    void Type(int id, const char* text)
    {
        if (auto* multi = page.Item<QPlainTextEdit>(id))
            multi->clear();
        else
            page.Item<QLineEdit>(id)->clear();
        QTest::keyClicks(Edit(id), text);
    }
    void Next() { QTest::mouseClick(page.Item<QPushButton>(P::IDC_NEXTCURVE_BUTTON), Qt::LeftButton); }
    void Delete() { QTest::mouseClick(page.Item<QPushButton>(P::IDC_DELETE_RECORD), Qt::LeftButton); }
    void Show(int record) { page.Item<QListWidget>(P::IDC_CAMERA_LIST)->setCurrentRow(record - 1); }
    QStringList Rows()
    {
        QStringList rows;
        auto* list = page.Item<QListWidget>(P::IDC_CAMERA_LIST);
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
};

} // namespace

TEST(HsvdPageTest, NextOnAnEmptyPageMakesWhatWasTypedCameraOne)
{
    HsvdSheet s;
    EXPECT_EQ(s.page.windowTitle(), "High-Speed Digital Video Info");
    EXPECT_EQ(s.Text(P::IDC_TEST_REFERENCE), "T1");
    s.Type(P::IDC_TEST_REFERENCE, "abc");
    EXPECT_EQ(s.Text(P::IDC_TEST_REFERENCE), "ABC") << "letters forced to capitals";
    s.Type(P::IDC_SCALE_FACTOR, "0.25");
    s.Type(P::IDC_VIEW_DESCRIPTION, "left");
    s.Next();
    EXPECT_EQ(s.page.m_nRecordCount, 1);
    EXPECT_EQ(s.page.m_nRecordIndex, 1);
    EXPECT_EQ(s.Rows(), QStringList {"1"});
    // Nothing typed is lost, the test reference shared with the TEST line included.
    EXPECT_EQ(s.Text(P::IDC_SCALE_FACTOR), "0.25");
    EXPECT_EQ(s.Text(P::IDC_TEST_REFERENCE), "ABC");
    EXPECT_EQ(s.data.CameraCount(), 1);
    EXPECT_EQ(s.data.m_strTestReference, "ABC");
    EXPECT_EQ(s.data.m_arrCameraNumber[1], "1");
    EXPECT_EQ(s.data.m_arrScaleFactor[1], "0.25");
    EXPECT_EQ(s.data.m_arrViewDescription[1], "left");
    // The next camera is a new, empty one.
    s.Next();
    EXPECT_EQ(s.data.CameraCount(), 2);
    EXPECT_EQ(s.Text(P::IDC_SCALE_FACTOR), "");
    EXPECT_EQ(s.data.m_arrScaleFactor[1], "0.25");
}

TEST(HsvdPageTest, NewRecordRetainsTheLastOneOnlyWithTheCheckBox)
{
    for (bool retain : {true, false}) {
        HsvdSheet s(3);
        EXPECT_EQ(s.page.m_nRecordIndex, 3);
        EXPECT_EQ(s.Text(P::IDC_VIEW_DESCRIPTION), "view 3");
        s.page.Item<QCheckBox>(P::IDC_RETAIN_LAST)->setChecked(retain);
        s.Next();
        EXPECT_EQ(s.page.m_nRecordCount, 4);
        EXPECT_EQ(s.Text(P::IDC_SCALE_FACTOR), retain ? "3.5" : "");
        EXPECT_EQ(s.Text(P::IDC_VIEW_DESCRIPTION), retain ? "view 3" : "");
        EXPECT_EQ(s.Text(P::IDC_COMMENTARY), retain ? "comment 3" : "");
        EXPECT_TRUE(s.page.SaveRecord());
        EXPECT_EQ(s.data.m_arrCameraNumber[4], "4");
    }
}

TEST(HsvdPageTest, NextInTheMiddleSavesAndMovesOn)
{
    HsvdSheet s(5);
    s.Show(2);
    EXPECT_EQ(s.Text(P::IDC_COMMENTARY), "comment 2");
    s.Type(P::IDC_COMMENTARY, "changed");
    s.Next();
    EXPECT_EQ(s.page.m_nRecordIndex, 3);
    EXPECT_EQ(s.page.m_nRecordCount, 5);
    EXPECT_EQ(s.data.m_arrCommentary[2], "changed");
    EXPECT_EQ(s.Text(P::IDC_COMMENTARY), "comment 3");
}

TEST(HsvdPageTest, DeleteOneOfOneAndOneOfThree)
{
    HsvdSheet one(1);
    one.Delete();
    EXPECT_EQ(one.page.m_nRecordCount, 0);
    EXPECT_EQ(one.page.m_nRecordIndex, 0);
    EXPECT_EQ(one.Text(P::IDC_VIEW_DESCRIPTION), "");
    EXPECT_FALSE(one.data.HasHsvd());
    EXPECT_TRUE(one.Rows().isEmpty());

    HsvdSheet three(3);
    three.Show(1);
    three.Delete();
    EXPECT_EQ(three.page.m_nRecordCount, 2);
    EXPECT_EQ(three.page.m_nRecordIndex, 1);
    EXPECT_EQ(three.Text(P::IDC_VIEW_DESCRIPTION), "view 2");
    EXPECT_EQ(three.Rows(), (QStringList {"1", "2"}));
    EXPECT_EQ(three.data.CameraCount(), 2);
}

TEST(HsvdPageTest, LeavingWithAnInvalidRecordShowsItAndStays)
{
    HsvdSheet s(6);
    s.data.m_arrScaleFactor[4] = "fast";
    s.Show(2);
    s.sheet.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(s.sheet.GetActiveIndex(), 0);
    EXPECT_EQ(s.page.m_nRecordIndex, 4);
    EXPECT_EQ(s.Text(P::IDC_SCALE_FACTOR), "fast");
    EXPECT_FALSE(s.page.m_editScaleFactor.IsValid());
    EXPECT_FALSE(s.page.ValidateAllRecords());

    s.Type(P::IDC_SCALE_FACTOR, "4.5");
    EXPECT_TRUE(s.sheet.SetActivePage(1));
    EXPECT_EQ(s.data.m_arrScaleFactor[4], "4.5") << "the record in front when leaving was saved";
    EXPECT_TRUE(s.page.ValidateAllRecords());
    EXPECT_EQ(s.page.m_nRecordIndex, 6);
}

TEST(HsvdPageTest, ListIsInRecordOrderAndRebuiltOnlyOnACountChange)
{
    HsvdSheet s(11);
    QStringList expected;
    for (int n = 1; n <= 11; ++n)
        expected << QString::number(n);
    EXPECT_EQ(s.Rows(), expected);
    auto* list = s.page.Item<QListWidget>(P::IDC_CAMERA_LIST);
    list->item(0)->setText("kept");
    s.Show(3);
    EXPECT_EQ(list->item(0)->text(), "kept");
    EXPECT_EQ(list->currentRow(), 2);
}

TEST(HsvdPageTest, ClearAllPagesKeepsThePageBoundToItsData)
{
    HsvdSheet s(2);
    s.page.Item<QCheckBox>(P::IDC_RETAIN_LAST)->setChecked(true);
    s.data.ResetHsvd();
    s.page.ClearPage();
    EXPECT_EQ(s.page.m_nRecordCount, 0);
    EXPECT_EQ(s.page.m_bRetainLast, FALSE);
    EXPECT_FALSE(s.page.Item<QCheckBox>(P::IDC_RETAIN_LAST)->isChecked());
    EXPECT_EQ(s.Text(P::IDC_VIEW_DESCRIPTION), "");
    s.Next();
    s.Type(P::IDC_VIEW_DESCRIPTION, "new view");
    ASSERT_TRUE(s.sheet.SetActivePage(1));
    EXPECT_EQ(s.data.CameraCount(), 1);
    EXPECT_EQ(s.data.m_arrViewDescription[1], "new view");
    EXPECT_EQ(s.data.m_arrCameraNumber[1], "1");
}

TEST(HsvdPageTest, EnteringAfterTheDataWasEmptiedInventsNoCameras)
{
    // The sheet loaded three cameras while the page had no window, then cleared the data.
    CVehData data;
    CHsvdPage page;
    page.m_pData = &data;
    page.m_nRecordCount = page.m_nRecordIndex = 3;
    CPropertySheet sheet("Vehicle Data");
    sheet.AddPage(&page);
    sheet.Create();
    EXPECT_EQ(page.m_nRecordCount, 0);
    EXPECT_EQ(page.m_nRecordIndex, 0);
    QTest::mouseClick(page.Item<QPushButton>(P::IDC_NEXTCURVE_BUTTON), Qt::LeftButton);
    EXPECT_EQ(data.CameraCount(), 1);
    sheet.Tabs()->removeTab(0);
    page.setParent(nullptr);
}

TEST(HsvdPageTest, WithoutDataNothingIsStored)
{
    CHsvdPage page;
    EXPECT_TRUE(page.SaveRecord()) << "no window yet";
    CPropertySheet sheet("x");
    sheet.AddPage(&page);
    sheet.Create();
    EXPECT_FALSE(page.SaveRecord());
    EXPECT_EQ(ControlTip(page, P::IDC_SCALE_FACTOR), "second (real)");
    EXPECT_EQ(ControlTip(page, P::IDC_RETAIN_LAST), "Retain data for the record of next number");
    // Controls without an entry, the labels, show none.
    for (const QLabel* label : page.findChildren<QLabel*>())
        EXPECT_EQ(label->toolTip(), "") << label->text().toStdString();
    sheet.Tabs()->removeTab(0);
    page.setParent(nullptr);
}

TEST(HsvdPageTest, ViewDescriptionTakesLineBreaksAndIsCheckedWhileTyped)
{
    HsvdSheet s(1);
    auto* view = s.page.Item<QPlainTextEdit>(P::IDC_VIEW_DESCRIPTION);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->toolTip(), "string (maximum 70 characters)");
    view->clear();
    QTest::keyClicks(view, "front");
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, "left");
    EXPECT_EQ(view->toPlainText(), "front\nleft");
    // Enter was released before the click: ">" steps on.
    s.Next();
    EXPECT_EQ(s.data.m_arrViewDescription[1], "front\nleft");
    EXPECT_EQ(s.page.m_nRecordCount, 2);

    // Typing stops at the 70 characters of the field.
    QTest::keyClicks(view, std::string(75, 'v').c_str());
    EXPECT_EQ(view->toPlainText(), QString(70, 'v'));
    EXPECT_TRUE(s.page.m_editViewDescription.IsValid());
    EXPECT_EQ(WidgetBackColor(view), CNEdit::kWhite);

    // A longer text read from a file is kept whole, shown invalid and keeps the user on the page.
    s.data.m_arrCommentary[1] = CString(std::string(71, 'c'));
    s.Show(2);
    s.Show(1);
    auto* commentary = s.page.Item<QPlainTextEdit>(P::IDC_COMMENTARY);
    EXPECT_EQ(commentary->toPlainText().size(), 71);
    EXPECT_FALSE(s.page.m_editCommentary.IsValid());
    EXPECT_EQ(WidgetBackColor(commentary), CNEdit::kYellow);
    EXPECT_FALSE(s.sheet.SetActivePage(1));
    commentary->clear();
    EXPECT_TRUE(s.page.m_editCommentary.IsValid());
    EXPECT_TRUE(s.sheet.SetActivePage(1));
}

TEST(HsvdPageTest, NoCameraIsAppendedAfterThe999th)
{
    HsvdSheet s(999);
    platform::MessageRecorder boxes;
    s.Next();
    EXPECT_EQ(s.page.m_nRecordCount, 999);
    EXPECT_EQ(s.data.CameraCount(), 999);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "A test holds at most 999 high-speed video cameras.");
}
