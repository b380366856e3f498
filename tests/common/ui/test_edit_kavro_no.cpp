#include "common/KavroNo.h"
#include "common/ui/EditKavroNo.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/Codec.h"
#include "WidgetColors.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QComboBox* Box(CDialog& dlg, int id) { return dlg.Item<QComboBox>(id); }
QString Label(CDialog& dlg) { return dlg.Item<QLabel>(CEditKavroNo::IDC_NUMBER_LABEL)->text(); }
QLineEdit* Number(CDialog& dlg) { return dlg.Item<QLineEdit>(CEditKavroNo::IDC_NUMBER); }
void ClickOk(CDialog& dlg) { QTest::mouseClick(dlg.Item<QPushButton>(IDOK), Qt::LeftButton); }

// Runs the dialog with one scripted step; returns the modal result.
int RunDialog(CEditKavroNo& dlg, const std::function<void(CDialog&)>& step)
{
    platform::ScriptedDialogs script;
    script.then(step);
    return static_cast<int>(dlg.DoModal());
}

} // namespace

TEST(EditKavroNoTest, CheckNeedsNoWindow)
{
    CEditKavroNo dlg;
    EXPECT_TRUE(dlg.CheckNumber("M20150207"));
    EXPECT_EQ(dlg.m_strNumber, "M20150207");
    EXPECT_FALSE(dlg.CheckNumber("M20151507"));
    EXPECT_EQ(dlg.m_strNumber, "M20151507");
    EXPECT_TRUE(dlg.IsOfficeValid());
    EXPECT_EQ(dlg.GetModelYear(), "2015");
    EXPECT_FALSE(dlg.IsMakerAndOrderValid());
    EXPECT_FALSE(dlg.CheckNumber("MA0107x"));
    EXPECT_EQ(dlg.GetModelYear(), "") << "seven characters: no year";
    EXPECT_FALSE(dlg.HasControls());
    EXPECT_EQ(dlg.m_strOffice, kavro::kOfficeRows[2]);
}

TEST(EditKavroNoTest, ComposesFromTheFourBoxes)
{
    CEditKavroNo dlg;
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Edit KAVRO No.");
        EXPECT_EQ(Label(d), "KAVRO Number:");
        EXPECT_FALSE(d.GetDlgItem(CEditKavroNo::IDC_FRESH)->isVisibleTo(&d));
        QComboBox* office = Box(d, CEditKavroNo::IDC_OFFICE);
        EXPECT_EQ(office->currentText(), QString::fromUtf8("M\u2013Rulemaking"));

        QTest::keyClicks(Box(d, CEditKavroNo::IDC_YEAR)->lineEdit(), "2015");
        // Pick the 0200 row: from the first row one step down.
        QComboBox* maker = Box(d, CEditKavroNo::IDC_MAKER);
        maker->setCurrentIndex(0);
        maker->setFocus();
        QTest::keyClick(maker, Qt::Key_Down);
        EXPECT_EQ(maker->currentIndex(), 1);
        QComboBox* order = Box(d, CEditKavroNo::IDC_ORDER);
        order->lineEdit()->clear();
        QTest::keyClicks(order->lineEdit(), "7");
        EXPECT_EQ(order->currentText(), "07");
        EXPECT_EQ(Number(d)->text(), "M20150207");
        EXPECT_EQ(WidgetBackColor(Number(d)), CNEdit::kLightGrey);
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strNumber, "M20150207");
    EXPECT_EQ(dlg.m_strOrder, "07");
    EXPECT_EQ(dlg.m_strMaker, kavro::kMakerRows[1]); // the en dash came back as 0x96
}

TEST(EditKavroNoTest, ShortNumberOpensInTheLongForm)
{
    CEditKavroNo dlg;
    dlg.m_strNumber = "MA0107";
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Number(d)->text(), "M20100107");
        EXPECT_EQ(Box(d, CEditKavroNo::IDC_YEAR)->currentText(), "2010");
        EXPECT_EQ(Box(d, CEditKavroNo::IDC_ORDER)->currentText(), "07");
        EXPECT_EQ(FromQString(Box(d, CEditKavroNo::IDC_MAKER)->currentText()), kavro::kMakerRows[0]);
        EXPECT_TRUE(Box(d, CEditKavroNo::IDC_OFFICE)->currentText().startsWith("M"));
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strNumber, "M20100107");
}

TEST(EditKavroNoTest, LongNumberIsSplitIntoTheBoxes)
{
    CEditKavroNo dlg;
    dlg.m_strNumber = "R20205999";
    RunDialog(dlg, [](CDialog& d) {
        EXPECT_TRUE(Box(d, CEditKavroNo::IDC_OFFICE)->currentText().startsWith("R"));
        EXPECT_EQ(Box(d, CEditKavroNo::IDC_YEAR)->currentText(), "2020");
        EXPECT_TRUE(Box(d, CEditKavroNo::IDC_MAKER)->currentText().startsWith("5900"));
        EXPECT_EQ(Box(d, CEditKavroNo::IDC_ORDER)->currentText(), "99");
        EXPECT_EQ(Number(d)->text(), "R20205999");
    });
}

TEST(EditKavroNoTest, WrongNumberKeepsTheDialogOpen)
{
    CEditKavroNo dlg;
    const int result = RunDialog(dlg, [](CDialog& d) {
        QLineEdit* number = Number(d);
        QTest::keyClicks(number, "M20151507");
        EXPECT_EQ(Label(d), "KAVRO Number (incorrect/incomplete):");
        EXPECT_EQ(WidgetTextColor(number), CNEdit::kRed);
        EXPECT_EQ(WidgetBackColor(number), CNEdit::kYellow);
        ClickOk(d);
        EXPECT_EQ(Label(d), "KAVRO No. incorrect/incomplete!");
        EXPECT_LT(static_cast<CEditKavroNo&>(d).GetModalResult(), 0);

        number->selectAll();
        QTest::keyClicks(number, "C20120141");
        EXPECT_EQ(Label(d), "KAVRO Number:");
        EXPECT_EQ(WidgetBackColor(number), CNEdit::kLightGrey);
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strNumber, "C20120141");
}

TEST(EditKavroNoTest, EmptyNumberWithPresetYear)
{
    CEditKavroNo dlg;
    dlg.m_strYear = "2014";
    const int result = RunDialog(dlg, [](CDialog& d) {
        EXPECT_EQ(Box(d, CEditKavroNo::IDC_YEAR)->currentText(), "2014");
        EXPECT_EQ(Box(d, CEditKavroNo::IDC_ORDER)->currentText(), "00");
        EXPECT_EQ(Number(d)->text(), "");
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_strNumber, "");
}

TEST(EditKavroNoTest, NumbersThatCannotBeSplit)
{
    struct Case {
        const char* preset;
        const char* after; // m_strNumber once open
        const char* shown; // in the number field, marked invalid when not empty
    };
    for (const Case& c : {Case {"MZ0107", "", "MZ0107"}, Case {"M20150007", "", "M20150007"}, Case {"ABC", "ABC", ""}}) {
        CEditKavroNo dlg;
        dlg.m_strNumber = c.preset;
        const int result = RunDialog(dlg, [&](CDialog& d) {
            EXPECT_EQ(Number(d)->text(), c.shown);
            if (*c.shown) {
                EXPECT_EQ(WidgetBackColor(Number(d)), CNEdit::kYellow);
            }
        });
        EXPECT_EQ(result, IDCANCEL) << c.preset;
        EXPECT_EQ(dlg.m_strNumber, c.after) << c.preset;
    }
}

TEST(EditKavroNoTest, ListsAndLabels)
{
    CEditKavroNo dlg;
    dlg.EnsureCreated();
    QComboBox* maker = Box(dlg, CEditKavroNo::IDC_MAKER);
    ASSERT_EQ(maker->count(), 32);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(FromQString(maker->itemText(i)), kavro::kMakerRows[i]) << i;
    EXPECT_EQ(maker->itemText(1), QString::fromUtf8("0200 \u2013 Ford Motor Company "));
    QComboBox* office = Box(dlg, CEditKavroNo::IDC_OFFICE);
    ASSERT_EQ(office->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(office->itemText(i).mid(1, 1), QString::fromUtf8("\u2013"));
    QComboBox* year = Box(dlg, CEditKavroNo::IDC_YEAR);
    ASSERT_EQ(year->count(), 15);
    EXPECT_EQ(year->itemText(0), "2012");
    EXPECT_EQ(year->itemText(14), "2026");
    QComboBox* order = Box(dlg, CEditKavroNo::IDC_ORDER);
    ASSERT_EQ(order->count(), 100);
    EXPECT_EQ(order->itemText(7), "07");
    EXPECT_EQ(order->itemText(99), "99");

    QStringList labels;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        labels << l->text();
    for (const char* text : {"Format: OYYYYMMMM: O - Office; YYYY - year; MMMM - Manufacturer Code & Test Order",
                             "Purchasing Office:", "Model Year:", "Manufacturer Code:", "Test Order:"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
}
