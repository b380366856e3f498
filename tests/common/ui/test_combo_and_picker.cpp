#include "common/ui/DatePickerText.h"
#include "platform/ui/ComboBox.h"

#include <QComboBox>
#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(ComboBoxTest, SortedEntriesAndPrefixSelection)
{
    QComboBox widget;
    widget.setEditable(true);
    CComboBox box(&widget);
    box.SetSorted(true);
    for (const char* s : {"beta", "Alpha", "gamma", "alpha2"})
        box.AddString(s);
    EXPECT_EQ(box.GetLBText(0), "Alpha");
    EXPECT_EQ(box.GetLBText(1), "alpha2");
    EXPECT_EQ(box.GetLBText(3), "gamma");
    EXPECT_EQ(box.GetLBText(9), "");

    EXPECT_EQ(box.SelectString(-1, "ALPHA"), 0);
    EXPECT_EQ(box.SelectString(0, "alpha"), 1);
    EXPECT_EQ(box.GetWindowText(), "alpha2");
    EXPECT_EQ(box.SelectString(1, "alpha"), 0); // wraps round
    EXPECT_EQ(box.SelectString(-1, "G"), 3);
    EXPECT_EQ(box.GetWindowText(), "gamma");
    EXPECT_EQ(box.SelectString(-1, "zeta"), CB_ERR);
    EXPECT_EQ(box.GetCurSel(), 3);

    CComboBox plain(&widget);
    plain.ResetContent();
    plain.SetSorted(false);
    plain.AddString("M\x96Rulemaking");
    plain.AddString("C\x96" "Compliance");
    EXPECT_EQ(plain.GetLBText(0), "M\x96Rulemaking");
    EXPECT_EQ(widget.itemText(0), QString::fromUtf8("M\u2013Rulemaking"));
    plain.SetWindowText("typed");
    EXPECT_EQ(plain.GetWindowText(), "typed");
    EXPECT_EQ(plain.SetCurSel(5), CB_ERR);
}

TEST(DatePickerTest, NotifiedDateSetsThePickerAndGivesItsText)
{
    CDateTimeCtrl picker;
    QSignalSpy spy(&picker, &CDateTimeCtrl::DateTimeChange);
    NMDATETIMECHANGE change;
    change.st.wYear = 2004;
    change.st.wMonth = 2;
    change.st.wDay = 9;
    change.st.wHour = 13;
    EXPECT_EQ(SetDateTimeCtrlFromText(change, picker), "02/09/2004");
    EXPECT_EQ(picker.date(), QDate(2004, 2, 9));
    EXPECT_EQ(picker.time().hour(), 13);
    EXPECT_GE(spy.count(), 1);

    change.st.wMonth = 12;
    change.st.wDay = 25;
    EXPECT_EQ(SetDateTimeCtrlFromText(change, picker), "12/25/2004");

    NMDATETIMECHANGE none;
    none.dwFlags = GDT_NONE;
    EXPECT_EQ(SetDateTimeCtrlFromText(none, picker), "");
    NMDATETIMECHANGE impossible;
    impossible.st.wYear = 2001;
    impossible.st.wMonth = 2;
    impossible.st.wDay = 30;
    EXPECT_EQ(SetDateTimeCtrlFromText(impossible, picker), "");
    EXPECT_EQ(picker.date(), QDate(2004, 12, 25));
}
