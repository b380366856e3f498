#pragma once
// The report list of the look-up dialogs: rows of texts in columns, the selected row highlighted
// across the whole row up to the right edge of the list, and a click on a column heading sorting
// the rows by a comparison chosen per column (ascending, then descending on a second click).
//
// Rows live in the list's own model and a sort reorders the model in one pass, so lists of
// thousands of rows sort at once.

#include "platform/CString.h"
#include "platform/DateParse.h"

#include <QHeaderView>
#include <QTreeView>

#include <cstdint>
#include <vector>

// Column alignment.
constexpr int LVCFMT_LEFT = 0x0;
constexpr int LVCFMT_RIGHT = 0x1;
constexpr int LVCFMT_CENTER = 0x2;
// GetNextItem flags.
constexpr unsigned LVNI_ALL = 0x0;
constexpr unsigned LVNI_FOCUSED = 0x1;
constexpr unsigned LVNI_SELECTED = 0x2;

// Column sort types.
enum ListSortType : unsigned char {
    kSortText = 0,       // plain character order, case-sensitive
    kSortTextNoCase = 1, // ignoring case
    kSortInteger = 2,    // atol
    kSortDate = 3,       // the desktop's date and time parser
    kSortNone = 4,       // all rows equal
    kSortReal = 5,       // atof
    kSortDate2 = 6,      // as 3
};

// A row's text in the sort column, while a sort runs; the keys are read once per row, never per
// comparison.
struct ListColumnInfo {
    CString text;
    long integer = 0;
    double real = 0.0;
    bool hasDate = false;
    ParsedDateTime date;
};

// The list's header: a plain header whose sections report left clicks to the list.
class CHeaderCtrlEx : public QHeaderView {
    Q_OBJECT
public:
    explicit CHeaderCtrlEx(QWidget* parent = nullptr);
};

class ListRowsModel;

class CListCtrlEx : public QTreeView {
    Q_OBJECT
public:
    explicit CListCtrlEx(QWidget* parent = nullptr);
    ~CListCtrlEx() override;
    // For a dialog's control table (DlgKind::Custom).
    static QWidget* Create(QWidget* parent) { return new CListCtrlEx(parent); }

    // 0 the first column only, 1 all columns of the row, 2 the whole row to the right edge.
    // A type above 2 changes nothing. Returns the previous type.
    int SetHighlightType(int type);
    int GetHighlightType() const { return m_nHighlight; }
    // Returns the previous setting.
    bool EnableSort(bool enable);
    // False, and no types kept, when a type is above 6. Columns beyond the types sort as text.
    bool SetColumnTypes(const unsigned char* types, int count);

    // The list-view calls of the look-up dialogs.
    int InsertColumn(int column, const char* heading, int format = LVCFMT_LEFT, int width = -1);
    int GetColumnCount() const;
    int InsertItem(int index, const char* text);
    bool SetItemText(int item, int subItem, const char* text);
    CString GetItemText(int item, int subItem) const;
    int GetItemCount() const;
    bool DeleteAllItems();
    // The next row after `start` (-1: from the top) with the given state; -1 when none.
    int GetNextItem(int start, unsigned flags) const;
    int GetSelectedItem() const { return GetNextItem(-1, LVNI_SELECTED); }
    // Selects and focuses the row (-1 clears the selection).
    void SelectItem(int item);
    bool EnsureVisible(int item);
    // Holds painting while many rows are inserted.
    void SetRedraw(bool redraw) { setUpdatesEnabled(redraw); }

    // A click on a column heading: only the left button, only while sorting is on.
    void OnHeaderClick(int column, Qt::MouseButton button = Qt::LeftButton);
    // Sign of record 1 against record 2; param = (column type x 256) + (1 ascending, 0 descending).
    static int CompareItems(const ListColumnInfo& a, const ListColumnInfo& b, int param);

signals:
    void ItemDoubleClicked(int item);
    void SelectionChanged(int item);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ListRowsModel* m_model;
    CHeaderCtrlEx* m_header;
    int m_nHighlight = 0;
    bool m_bSortEnabled = false;
    std::vector<unsigned char> m_columnTypes;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};
