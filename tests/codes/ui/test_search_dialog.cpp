#include "codes/CodeCheck.h"
#include "codes/ui/Search.h"
#include "common/ui/ListCtrlEx.h"
#include "doubles/MessageRecorder.h"
#include "doubles/ScriptedDialogs.h"
#include "platform/Codec.h"

#include "../CodesTestUtil.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using codetest::Connection;

namespace {

CSearch& AsSearch(CDialog& dialog) { return dynamic_cast<CSearch&>(dialog); }

void ClickRow(CListCtrlEx* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

void Press(CDialog& dialog, int id) { QTest::mouseClick(dialog.Item<QPushButton>(id), Qt::LeftButton); }

CString Text(CListCtrlEx* list, int row, int column = 0) { return list->GetItemText(row, column); }

class SearchDialogTest : public ::testing::Test {
protected:
    Connection db;
    platform::MessageRecorder boxes;
    platform::ScriptedDialogs script;
};

} // namespace

TEST_F(SearchDialogTest, TypingFindsTheRowAndOkReturnsIt)
{
    ASSERT_TRUE(db.open());
    CSearch search(nullptr, "DUMSIZ", "BIODB", "", FALSE);
    script.then([](CDialog& dialog) {
        CSearch& s = AsSearch(dialog);
        CListCtrlEx* list = s.GetList();
        EXPECT_EQ(s.windowTitle(), "DUMSIZ Search");
        EXPECT_EQ(list->GetItemCount(), 9);
        EXPECT_EQ(list->GetColumnCount(), 4);
        EXPECT_EQ(list->GetHighlightType(), 2);
        EXPECT_TRUE(s.GetQuickSearchEdit()->hasFocus() || !s.isActiveWindow());
        QTest::keyClicks(s.GetQuickSearchEdit(), "9");
        EXPECT_EQ(Text(list, list->GetSelectedItem()), "95M");
        QTest::keyClicks(s.GetQuickSearchEdit(), "X"); // nothing starts with 9X: selection stays
        EXPECT_EQ(Text(list, list->GetSelectedItem()), "95M");
        EXPECT_EQ(list->GetSelectedItem(), 5);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(search.DoModal(), IDOK);
    EXPECT_EQ(search.GetCode(), "95M");
    EXPECT_EQ(search.GetSecondColumn(), "95th percentile male");
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(SearchDialogTest, ClickWritesTheCodeWithoutSearchingAndSortingLeadsTheQuickSearch)
{
    ASSERT_TRUE(db.open());
    CSearch search(nullptr, "MODEL", "VEHDB", "", FALSE);
    script.then([](CDialog& dialog) {
        CSearch& s = AsSearch(dialog);
        CListCtrlEx* list = s.GetList();
        ASSERT_EQ(list->GetItemCount(), 5000);
        ClickRow(list, 2);
        const CString clicked = Text(list, 2);
        EXPECT_EQ(FromQString(s.GetQuickSearchEdit()->text()), clicked);
        EXPECT_EQ(list->GetSelectedItem(), 2); // the written code ran no search

        // Descending by code: typing 9 now finds 99 before 90.
        list->OnHeaderClick(0);
        list->OnHeaderClick(0);
        s.GetQuickSearchEdit()->clear();
        QTest::keyClicks(s.GetQuickSearchEdit(), "9");
        EXPECT_EQ(Text(list, list->GetSelectedItem()), "99");
        Press(dialog, IDOK);
    });
    EXPECT_EQ(search.DoModal(), IDOK);
    EXPECT_EQ(search.GetCode(), "99");
}

TEST_F(SearchDialogTest, ClearEntryCancelAndOkWithoutARow)
{
    ASSERT_TRUE(db.open());
    {
        CSearch search(nullptr, "DUMSIZ", "BIODB", "", FALSE);
        script.then([](CDialog& dialog) {
            ClickRow(AsSearch(dialog).GetList(), 1);
            Press(dialog, CSearch::IDC_CLEAR_ENTRY);
        });
        EXPECT_EQ(search.DoModal(), IDOK);
        EXPECT_EQ(search.GetCode(), "");
        EXPECT_TRUE(search.ChosenRow().IsEmpty()) << "no row is chosen";
    }
    {
        CSearch search(nullptr, "DUMSIZ", "BIODB", "", FALSE);
        script.then([](CDialog& dialog) { Press(dialog, IDOK); });
        EXPECT_EQ(search.DoModal(), IDCANCEL);
    }
    {
        CSearch search(nullptr, "DUMSIZ", "NOGROUP", "", FALSE);
        script.then([](CDialog& dialog) {
            EXPECT_EQ(AsSearch(dialog).GetList()->GetItemCount(), 0);
            Press(dialog, IDOK);
        });
        EXPECT_EQ(search.DoModal(), IDCANCEL);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "No Data Fetched.\n\r");
    }
    {
        CSearch search(nullptr, "DUMSIZ", "BIODB", "", FALSE);
        script.then([](CDialog& dialog) {
            CListCtrlEx* list = AsSearch(dialog).GetList();
            const QModelIndex index = list->model()->index(3, 0);
            const QPoint at = list->visualRect(index).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        });
        EXPECT_EQ(search.DoModal(), IDOK);
        EXPECT_EQ(search.GetCode(), "50M");
    }
}

TEST_F(SearchDialogTest, RecordListOkTakesTheSelectedRow)
{
    CStringArray veh, comp, code, comment;
    for (const char* c : {"3", "1", "2"}) {
        veh.Add("1");
        comp.Add(c);
        code.Add("AB");
        comment.Add("");
    }
    const CStringArray before(comp);
    CSearch search(nullptr, "ListCompCompData", &veh, &comp, &code, &comment);
    script.then([](CDialog& dialog) {
        CSearch& s = AsSearch(dialog);
        CListCtrlEx* list = s.GetList();
        EXPECT_EQ(s.windowTitle(), "VEHNO and COMPNO Search");
        ClickRow(list, 0);
        EXPECT_EQ(s.GetQuickSearchEdit()->text(), "1");
        list->SelectItem(2); // moved by keyboard after the click
        Press(dialog, IDOK);
    });
    EXPECT_EQ(search.DoModal(), IDOK);
    EXPECT_EQ(search.GetCode(), "3");
    EXPECT_EQ(comp, before);
}

TEST_F(SearchDialogTest, TwoStageLookUpWithoutRowsEndsAtOnce)
{
    ASSERT_TRUE(db.open());
    CSearch search(nullptr, "SENATT", "", codesql::AttachmentsOfUnit("XYZ"), TRUE);
    search.SetExtraKeys("SENATT", "SENLOC", "SENATTD", "SENATT_COMMENT");
    script.then([](CDialog&) {});
    EXPECT_EQ(search.DoModal(), IDOK);
    EXPECT_EQ(search.GetCode(), "");
    EXPECT_EQ(search.windowTitle(), "SENATT Search");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text.rfind("No related SENLOC Data Found for this UNIT.\n\r", 0), 0u);
}
