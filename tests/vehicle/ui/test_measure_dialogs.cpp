#include "doubles/ScriptedDialogs.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/MeasureDialogs.h"

#include "platform/ui/Colors.h"
#include "WidgetColors.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QLineEdit* EditOf(CDialog& dlg, int id) { return dlg.Item<QLineEdit>(id); }
void Click(CDialog& dlg, int id) { QTest::mouseClick(dlg.Item<QPushButton>(id), Qt::LeftButton); }
void Retype(QLineEdit* edit, const char* text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// One stored value at an index, judged by the hidden check of its dialog.
struct HiddenCase {
    MeasureKind kind;
    int id;
    const char* value;
    bool valid;
};

} // namespace

TEST(MeasureDialogTest, HiddenCheckJudgesEachStoredValueByItsRule)
{
    const HiddenCase cases[] = {
        {MeasureKind::PreTest, 1195, "", true},
        {MeasureKind::PreTest, 1215, "9999", true},
        {MeasureKind::PreTest, 1200, "10000", false},
        {MeasureKind::PreTest, 1200, "-1", false},
        {MeasureKind::PreTest, 1200, "12.5", false},
        {MeasureKind::PostTest, 1248, "10000", false},
        {MeasureKind::PostTest, 1216, "0", true},
        {MeasureKind::PostTest, 1216, "X1", false},
        {MeasureKind::Damage, 1237, "-9999", true},
        {MeasureKind::Damage, 1242, "-10000", false},
        {MeasureKind::Damage, 1242, "9999", true},
        {MeasureKind::Clearance, 1288, "12.5", true},
        {MeasureKind::Clearance, 1300, "10000", false},
        {MeasureKind::PeakLoad, 1267, "5", false},
        {MeasureKind::PeakLoad, 1268, "-99999", true},
        {MeasureKind::PeakLoad, 1268, "-100000", false},
        {MeasureKind::PeakLoad, 1271, "99999", true},
        {MeasureKind::PeakLoad, 1270, "-1", false},
        {MeasureKind::InjuryMeasures, 1264, "999999.99", true},
        {MeasureKind::InjuryMeasures, 1265, "1000000", false},
        {MeasureKind::InjuryMeasures, 1273, "99999.99", true},
        {MeasureKind::InjuryMeasures, 1266, "100000", false},
        {MeasureKind::InjuryMeasures, 1263, "9.5", false},
    };
    platform::ScriptedDialogs dialogs;
    for (const HiddenCase& c : cases) {
        const MeasureTable& table = MeasureTableOf(c.kind);
        const bool vehicle = c.kind == MeasureKind::PreTest || c.kind == MeasureKind::PostTest ||
                             c.kind == MeasureKind::Damage;
        const int index = vehicle ? 2 : 1;
        CVehData data;
        for (const MeasureField& f : table.fields) {
            // Every other value of the record is valid, so the case alone decides.
            (data.*f.field).SetAtGrow(index, f.id == c.id ? c.value : "0");
            (data.*f.field).SetAtGrow(index - 1, "oops");
        }
        EXPECT_EQ(CMeasureDialog::CheckStored(c.kind, &data, index), c.valid) << c.id << " " << c.value;

        CMeasureDialog hidden(c.kind, &data, index);
        hidden.m_bShowFlag = 0;
        EXPECT_EQ(hidden.DoModal(), IDOK);
        EXPECT_EQ(hidden.m_bValidFlag, c.valid ? TRUE : FALSE) << c.id << " " << c.value;
        EXPECT_FALSE(hidden.HasControls());
        for (const MeasureField& f : table.fields)
            EXPECT_EQ((data.*f.field).GetAt(index), f.id == c.id ? c.value : "0") << "left untouched";
    }
    EXPECT_EQ(dialogs.run(), 0) << "a hidden run never shows a window";

    // A fresh vehicle or occupant, or none at all, has nothing wrong.
    CVehData fresh;
    for (MeasureKind kind : {MeasureKind::PreTest, MeasureKind::Damage, MeasureKind::Clearance, MeasureKind::PeakLoad})
        EXPECT_TRUE(CMeasureDialog::CheckStored(kind, &fresh, 1));
    EXPECT_TRUE(CMeasureDialog::CheckStored(MeasureKind::InjuryMeasures, nullptr, 1));
}

TEST(MeasureDialogTest, OkIsRefusedWhileAValueIsBadAndTheCallerCopiesBack)
{
    CVehData data;
    data.m_saVehAX5.SetAtGrow(1, "77");
    CVehPostTest dlg(&data, 1);
    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Post-test Measurement Data (millimeters)");
        EXPECT_EQ(d.findChild<QGroupBox*>()->title(), "Post-test Measurement Data");
        EXPECT_EQ(d.Item<QPushButton>(IDOK)->toolTip(), "0->9999");
        QLineEdit* ax1 = EditOf(d, 1248);
        EXPECT_EQ(ax1->toolTip(), "0->9999");
        EXPECT_EQ(EditOf(d, 1232)->text(), "77") << "Ax5";
        QTest::keyClicks(ax1, "1x0.000");
        EXPECT_EQ(ax1->text(), "10000") << "digits only";
        EXPECT_EQ(WidgetBackColor(ax1), CNEdit::kYellow);
        Click(d, IDOK);
        EXPECT_EQ(d.GetModalResult(), -1) << "a bad value keeps the dialog open";
        QTest::keyClick(ax1, Qt::Key_Return);
        EXPECT_EQ(d.GetModalResult(), -1) << "Enter is OK, refused alike";
        Retype(ax1, "9999");
        EXPECT_NE(WidgetBackColor(ax1), CNEdit::kYellow);
        Retype(EditOf(d, 1216), "12");
        Click(d, IDOK);
        EXPECT_EQ(d.GetModalResult(), IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(data.m_saVehAX1.GetAt(1), "") << "the dialog itself writes nothing";
    EXPECT_EQ(dlg.m_bValidFlag, TRUE);
    dlg.SaveToData();
    EXPECT_EQ(data.m_saVehAX1.GetAt(1), "9999");
    EXPECT_EQ(data.m_saVehAX21.GetAt(1), "12");
    EXPECT_EQ(data.m_saVehAX5.GetAt(1), "77");
    EXPECT_EQ(data.m_saVehAX1.GetAt(2), "") << "the other vehicle";
}

TEST(MeasureDialogTest, CancelKeepsTheStoredValuesAndTheirVerdict)
{
    CVehData data;
    data.m_saOccLeftFemurLoad.SetAtGrow(1, "5");
    CPeakload dlg(&data, 1);
    platform::ScriptedDialogs dialogs;
    dialogs.then([](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Peak Loads");
        EXPECT_EQ(d.Item<QPushButton>(IDOK)->toolTip(), "");
        QLineEdit* left = EditOf(d, 1267);
        EXPECT_EQ(left->toolTip(), "newtons (-99999->0)");
        EXPECT_EQ(WidgetBackColor(left), CNEdit::kYellow) << "the stored bad value shows at once";
        Retype(left, "-12");
        EXPECT_EQ(left->text(), "-12") << "a minus sign can be typed here";
        QTest::keyClicks(EditOf(d, 1270), "-7");
        EXPECT_EQ(EditOf(d, 1270)->text(), "7") << "but not in the belt loads";
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_bValidFlag, FALSE) << "the verdict on the stored values";
    EXPECT_EQ(data.m_saOccLeftFemurLoad.GetAt(1), "5");
    EXPECT_EQ(data.m_saOccLapBeltLoad.GetAt(1), "");
}

TEST(MeasureDialogTest, EveryDialogShowsItsLabelledValuesInsideTheDialog)
{
    for (MeasureKind kind : {MeasureKind::PreTest, MeasureKind::PostTest, MeasureKind::Damage, MeasureKind::Clearance,
                             MeasureKind::PeakLoad, MeasureKind::InjuryMeasures}) {
        CVehData data;
        CMeasureDialog dlg(kind, &data, 1);
        dlg.EnsureCreated();
        const QRect inside = dlg.rect();
        for (const MeasureField& f : MeasureTableOf(kind).fields) {
            QWidget* edit = dlg.GetDlgItem(f.id);
            ASSERT_NE(edit, nullptr) << f.label;
            EXPECT_TRUE(inside.contains(edit->geometry())) << f.label;
            EXPECT_EQ(edit->toolTip().toStdString(), f.rule.tooltip) << f.label;
        }
        // Each label's text fits its place.
        for (QLabel* label : dlg.findChildren<QLabel*>())
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
    }
}
