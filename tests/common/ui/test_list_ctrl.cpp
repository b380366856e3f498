#include "common/ui/ListCtrlEx.h"
#include "platform/ui/Dialog.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<const char*>>;

void Fill(CListCtrlEx& list, const Rows& rows)
{
    for (size_t r = 0; r < rows.size(); ++r) {
        const int at = list.InsertItem(static_cast<int>(r), rows[r][0]);
        for (size_t c = 1; c < rows[r].size(); ++c)
            list.SetItemText(at, static_cast<int>(c), rows[r][c]);
    }
}

std::vector<std::string> Column(const CListCtrlEx& list, int column)
{
    std::vector<std::string> out;
    for (int r = 0; r < list.GetItemCount(); ++r)
        out.push_back(list.GetItemText(r, column).str());
    return out;
}

void ClickHeading(CListCtrlEx& list, int column, Qt::MouseButton button = Qt::LeftButton)
{
    list.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
    QHeaderView* header = list.header();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), button, {}, at);
}

using S = std::vector<std::string>;

} // namespace

TEST(ListCtrlExTest, HighlightAndColumnTypeSettings)
{
    CListCtrlEx list;
    EXPECT_EQ(list.SetHighlightType(2), 0);
    EXPECT_EQ(list.SetHighlightType(3), 2);
    EXPECT_EQ(list.GetHighlightType(), 2);
    EXPECT_EQ(list.SetHighlightType(0), 2);

    // A good table is kept whole: its last column sorts as times. A type above 6 drops every
    // type, and the columns sort as text.
    for (int c = 0; c < 7; ++c)
        list.InsertColumn(c, "C");
    const char* late = "1/2/2000 10:00 PM";
    const char* early = "1/2/2000 9:00 AM";
    Fill(list, {{"r", "", "", "", "", "", late}, {"r", "", "", "", "", "", early}});
    list.EnableSort(true);
    const unsigned char good[] = {0, 1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(list.SetColumnTypes(good, 7));
    ClickHeading(list, 6);
    EXPECT_EQ(Column(list, 6), (S {early, late}));
    const unsigned char bad[] = {0, 7};
    EXPECT_FALSE(list.SetColumnTypes(bad, 2));
    ClickHeading(list, 0); // another heading: the next sort of column 6 is ascending
    ClickHeading(list, 6);
    EXPECT_EQ(Column(list, 6), (S {late, early}));
    list.EnableSort(false);

    EXPECT_FALSE(list.EnableSort(true));
    EXPECT_TRUE(list.EnableSort(false));
}

TEST(ListCtrlExTest, SortsByColumnTypeInBothDirections)
{
    struct Case {
        unsigned char type;
        std::vector<const char*> texts;
        S ascending;
    };
    const Case cases[] = {
        {0, {"a", "B", "C"}, {"B", "C", "a"}},
        {1, {"a", "B", "C"}, {"a", "B", "C"}},
        {2, {"10", "9", "-3", "abc"}, {"-3", "abc", "9", "10"}},
        {2, {"9223372036854775807", "-9223372036854775808", "0"}, {"-9223372036854775808", "0", "9223372036854775807"}},
        {3, {"Jan 05, 2001", "12/31/1999", "2001-01-04 13:00"}, {"12/31/1999", "2001-01-04 13:00", "Jan 05, 2001"}},
        {6, {"1/2/2000 10:00 PM", "1/2/2000 9:00 AM"}, {"1/2/2000 9:00 AM", "1/2/2000 10:00 PM"}},
        {5, {"1e2", "50.5", "-0.1", "7"}, {"-0.1", "7", "50.5", "1e2"}},
        {4, {"b", "c", "a"}, {"b", "c", "a"}},
    };
    for (const Case& c : cases) {
        CListCtrlEx list;
        list.InsertColumn(0, "Key");
        list.InsertColumn(1, "Code");
        Rows rows;
        for (const char* t : c.texts)
            rows.push_back({"row", t});
        Fill(list, rows);
        const unsigned char types[] = {0, c.type};
        list.SetColumnTypes(types, 2);
        list.EnableSort(true);
        list.show();

        ClickHeading(list, 1);
        EXPECT_EQ(Column(list, 1), c.ascending) << int(c.type);
        ClickHeading(list, 1);
        if (c.type != 4) {
            const S descending(c.ascending.rbegin(), c.ascending.rend());
            EXPECT_EQ(Column(list, 1), descending) << int(c.type);
        }
    }
}

TEST(ListCtrlExTest, SortKeepsItemDataAndSelectionWithTheirRows)
{
    CListCtrlEx list;
    list.InsertColumn(0, "Code", LVCFMT_LEFT, 60);
    list.InsertColumn(1, "Description", LVCFMT_LEFT, 120);
    Fill(list, {{"C", "third"}, {"A", "first"}, {"B", "second"}});
    list.EnableSort(true);
    list.show();
    list.SelectItem(0); // "C"
    ASSERT_EQ(list.GetSelectedItem(), 0);

    ClickHeading(list, 0);
    EXPECT_EQ(Column(list, 0), (S {"A", "B", "C"}));
    EXPECT_EQ(Column(list, 1), (S {"first", "second", "third"}));
    EXPECT_EQ(list.GetSelectedItem(), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 2);

    // Another heading sorts ascending again.
    ClickHeading(list, 0);
    EXPECT_EQ(Column(list, 0), (S {"C", "B", "A"}));
    ClickHeading(list, 1);
    EXPECT_EQ(Column(list, 0), (S {"A", "B", "C"}));

    // A right click, or any click while sorting is off, leaves the order alone.
    ClickHeading(list, 1, Qt::RightButton);
    EXPECT_EQ(Column(list, 0), (S {"A", "B", "C"}));
    list.EnableSort(false);
    ClickHeading(list, 0);
    EXPECT_EQ(Column(list, 0), (S {"A", "B", "C"}));
    // Those clicks left the sort where it was: column 1 again turns it descending.
    list.EnableSort(true);
    ClickHeading(list, 1);
    EXPECT_EQ(Column(list, 0), (S {"C", "B", "A"}));
}

TEST(ListCtrlExTest, ItemCallsStayInsideTheRows)
{
    CListCtrlEx list;
    list.InsertColumn(0, "A");
    list.InsertColumn(1, "B");
    EXPECT_EQ(list.InsertItem(99, "x"), 0);
    EXPECT_EQ(list.InsertItem(0, "y"), 0);
    EXPECT_EQ(Column(list, 0), (S {"y", "x"}));
    EXPECT_FALSE(list.SetItemText(5, 0, "z"));
    EXPECT_FALSE(list.SetItemText(0, 2, "z"));
    EXPECT_EQ(list.GetItemText(7, 0), "");
    EXPECT_EQ(list.GetItemText(0, 9), "");
    EXPECT_EQ(list.GetSelectedItem(), -1);
    list.InsertColumn(1, "Between");
    list.SetItemText(1, 2, "b");
    EXPECT_EQ(list.GetItemText(1, 2), "b");
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_EQ(list.GetItemCount(), 2);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
}

namespace {
constexpr int kListId = 300;
const DlgTemplate kListDialog {
    "Search", 200, 120, "DejaVu Sans", 8, false,
    {{kListId, DlgKind::Custom, "", 4, 4, 190, 100, 0, &CListCtrlEx::Create}},
};
} // namespace

TEST(ListCtrlExTest, SelectedRowIsColouredToTheRightEdge)
{
    CDialog dlg(&kListDialog);
    dlg.EnsureCreated();
    auto* list = dlg.Item<CListCtrlEx>(kListId);
    ASSERT_NE(list, nullptr);
    list->SetHighlightType(2);
    list->InsertColumn(0, "Code", LVCFMT_LEFT, 40);
    list->InsertColumn(1, "Text", LVCFMT_LEFT, 40);
    Fill(*list, {{"01", "one"}, {"02", "two"}});
    dlg.show();
    list->SelectItem(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    const QRect row = list->visualRect(list->model()->index(1, 0));
    const QImage image = list->viewport()->grab().toImage();
    const QColor highlight = list->palette().color(QPalette::Active, QPalette::Highlight);
    const int y = row.center().y();
    ASSERT_LT(row.left() + 80, list->viewport()->width() - 4); // the columns end short of the edge
    EXPECT_EQ(image.pixelColor(list->viewport()->width() - 3, y), highlight);
    EXPECT_NE(image.pixelColor(list->viewport()->width() - 3, list->visualRect(list->model()->index(0, 0)).center().y()),
              highlight);

    list->SetHighlightType(1);
    list->viewport()->repaint();
    const QImage rowOnly = list->viewport()->grab().toImage();
    EXPECT_NE(rowOnly.pixelColor(list->viewport()->width() - 3, y), highlight);
}
