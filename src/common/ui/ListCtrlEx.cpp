#include "common/ui/ListCtrlEx.h"

#include "platform/Codec.h"

#include <QAbstractTableModel>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>

// The rows of one list: texts per column.
class ListRowsModel : public QAbstractTableModel {
public:
    struct Column {
        CString heading;
        int format = LVCFMT_LEFT;
    };
    struct Row {
        std::vector<CString> texts;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return ToQString(text(index.row(), index.column()));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Alignment(index.column()));
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return ToQString(columns[section].heading);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Alignment(section));
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }

    bool validRow(int row) const { return row >= 0 && row < rowCount(); }
    const CString& text(int row, int column) const
    {
        static const CString empty;
        const auto& texts = rows[row].texts;
        return column >= 0 && column < static_cast<int>(texts.size()) ? texts[column] : empty;
    }
    int textColumns() const { return std::max(1, columnCount()); }

    void insertColumn(int at, const Column& column)
    {
        beginInsertColumns({}, at, at);
        columns.insert(columns.begin() + at, column);
        for (Row& row : rows) {
            if (static_cast<int>(row.texts.size()) >= at)
                row.texts.insert(row.texts.begin() + at, CString());
        }
        endInsertColumns();
    }
    void insertRow(int at, const CString& first)
    {
        beginInsertRows({}, at, at);
        Row row;
        row.texts.resize(textColumns());
        row.texts[0] = first;
        rows.insert(rows.begin() + at, std::move(row));
        endInsertRows();
    }
    void setText(int row, int column, const CString& value)
    {
        auto& texts = rows[row].texts;
        if (static_cast<int>(texts.size()) <= column)
            texts.resize(column + 1);
        texts[column] = value;
        const QModelIndex at = index(row, column);
        emit dataChanged(at, at);
    }
    void clearRows()
    {
        beginResetModel();
        rows.clear();
        endResetModel();
    }
    // Puts the rows in the given order of their current positions; selection and focus follow.
    void reorder(const std::vector<int>& order)
    {
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        std::vector<int> newPos(order.size());
        std::vector<Row> sorted;
        sorted.reserve(rows.size());
        for (size_t i = 0; i < order.size(); ++i) {
            newPos[order[i]] = static_cast<int>(i);
            sorted.push_back(std::move(rows[order[i]]));
        }
        rows.swap(sorted);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& f : from)
            to.append(index(newPos[f.row()], f.column()));
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }

    std::vector<Column> columns;
    std::vector<Row> rows;

private:
    Qt::Alignment Alignment(int column) const
    {
        const int format = column >= 0 && column < columnCount() ? columns[column].format : LVCFMT_LEFT;
        const Qt::Alignment h = (format & 0x3) == LVCFMT_RIGHT    ? Qt::AlignRight
                                : (format & 0x3) == LVCFMT_CENTER ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft;
        return h | Qt::AlignVCenter;
    }
};

namespace {

// Highlight type 0 shows the selection in the first column only.
class HighlightDelegate : public QStyledItemDelegate {
public:
    explicit HighlightDelegate(CListCtrlEx* list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_list->GetHighlightType() == 0 && index.column() > 0)
            option->state &= ~QStyle::State_Selected;
    }

private:
    const CListCtrlEx* m_list;
};

int Sign(long long v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

template <class T> int Order(const T& a, const T& b) { return a < b ? -1 : (b < a ? 1 : 0); }

} // namespace

CHeaderCtrlEx::CHeaderCtrlEx(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setSectionsMovable(false);
    setStretchLastSection(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

CListCtrlEx::CListCtrlEx(QWidget* parent)
    : QTreeView(parent)
    , m_model(new ListRowsModel(this))
    , m_header(new CHeaderCtrlEx(this))
{
    setHeader(m_header);
    setModel(m_model);
    setItemDelegate(new HighlightDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The view's own sorting stays off (it would make the headings unclickable when off, and
    // sort through the model's sort otherwise); header clicks sort here.
    setSortingEnabled(false);
    m_header->setSectionsClickable(true);
    // The selection stays visible when the focus moves to a button of the dialog.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);

    connect(m_header, &QHeaderView::sectionClicked, this, [this](int column) { OnHeaderClick(column); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit ItemDoubleClicked(index.row()); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit SelectionChanged(GetSelectedItem()); });
}

CListCtrlEx::~CListCtrlEx() = default;

int CListCtrlEx::SetHighlightType(int type)
{
    const int previous = m_nHighlight;
    if (type < 0 || type > 2)
        return previous;
    m_nHighlight = type;
    viewport()->update();
    return previous;
}

bool CListCtrlEx::EnableSort(bool enable) { return std::exchange(m_bSortEnabled, enable); }

bool CListCtrlEx::SetColumnTypes(const unsigned char* types, int count)
{
    m_columnTypes.clear();
    if (!types || count <= 0)
        return true;
    m_columnTypes.assign(types, types + count);
    for (unsigned char t : m_columnTypes) {
        if (t > 6) {
            m_columnTypes.clear();
            return false;
        }
    }
    return true;
}

int CListCtrlEx::InsertColumn(int column, const char* heading, int format, int width)
{
    if (column < 0)
        return -1;
    column = std::min(column, GetColumnCount());
    m_model->insertColumn(column, {CString(heading), format});
    if (width >= 0)
        setColumnWidth(column, width);
    return column;
}

int CListCtrlEx::GetColumnCount() const { return m_model->columnCount(); }

int CListCtrlEx::InsertItem(int index, const char* text)
{
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    m_model->insertRow(index, CString(text));
    return index;
}

bool CListCtrlEx::SetItemText(int item, int subItem, const char* text)
{
    if (!m_model->validRow(item) || subItem < 0 || subItem >= m_model->textColumns())
        return false;
    m_model->setText(item, subItem, CString(text));
    return true;
}

CString CListCtrlEx::GetItemText(int item, int subItem) const
{
    return m_model->validRow(item) ? m_model->text(item, subItem) : CString();
}

int CListCtrlEx::GetItemCount() const { return m_model->rowCount(); }

bool CListCtrlEx::DeleteAllItems()
{
    m_model->clearRows();
    return true;
}



int CListCtrlEx::GetNextItem(int start, unsigned flags) const
{
    const QItemSelectionModel* sel = selectionModel();
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    for (int row = std::max(0, start + 1); row < GetItemCount(); ++row) {
        const bool selected = sel->isRowSelected(row, {});
        if ((flags & LVNI_SELECTED) && !selected)
            continue;
        if ((flags & LVNI_FOCUSED) && row != current)
            continue;
        return row;
    }
    return -1;
}

void CListCtrlEx::SelectItem(int item)
{
    if (!m_model->validRow(item)) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(item, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CListCtrlEx::EnsureVisible(int item)
{
    if (!m_model->validRow(item))
        return false;
    scrollTo(m_model->index(item, 0));
    return true;
}

void CListCtrlEx::OnHeaderClick(int column, Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !m_bSortEnabled || column < 0 || column >= GetColumnCount())
        return;
    m_bSortAscending = column == m_nSortColumn ? !m_bSortAscending : true;
    m_nSortColumn = column;
    const int type = column < static_cast<int>(m_columnTypes.size()) ? m_columnTypes[column] : int(kSortText);
    const int param = type * 256 + (m_bSortAscending ? 1 : 0);

    const int n = GetItemCount();
    std::vector<ListColumnInfo> infos(n);
    std::vector<int> order(n);
    for (int row = 0; row < n; ++row) {
        ListColumnInfo& info = infos[row];
        info.text = m_model->text(row, column);
        if (type == kSortInteger)
            info.integer = std::strtol(info.text, nullptr, 10);
        else if (type == kSortReal)
            info.real = std::atof(info.text);
        else if (type == kSortDate || type == kSortDate2)
            info.hasDate = ParseLocaleDateTime(info.text, info.date);
        order[row] = row;
    }
    // Deterministic comparisons keep the merge sort inside its range even where rows compare
    // equal to everything (dates that do not parse).
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return CompareItems(infos[a], infos[b], param) < 0; });
    m_model->reorder(order);
}

int CListCtrlEx::CompareItems(const ListColumnInfo& a, const ListColumnInfo& b, int param)
{
    const int type = param / 256;
    const int direction = (param & 0xFF) ? 1 : -1;
    int result = 0;
    switch (type) {
    case kSortText:
        result = Sign(a.text.Compare(b.text));
        break;
    case kSortTextNoCase:
        result = Sign(a.text.CompareNoCase(b.text));
        break;
    case kSortInteger:
        // The sign of the difference, without forming it: a difference of two large values
        // overflows and would put them in the wrong order.
        result = Order(a.integer, b.integer);
        break;
    case kSortDate:
    case kSortDate2:
        result = a.hasDate && b.hasDate ? Order(a.date, b.date) : 0;
        break;
    case kSortReal:
        result = Order(a.real, b.real);
        break;
    default:
        result = 0;
        break;
    }
    return direction * result;
}

void CListCtrlEx::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_nHighlight == 2 && selectionModel()->isRowSelected(index.row(), {})) {
        // The whole row from the first column's left to the right edge, past the last column.
        const int left = columnViewportPosition(0);
        const QRect row(left, option.rect.top(), viewport()->width() - left, option.rect.height());
        painter->fillRect(row, palette().brush(QPalette::Active, QPalette::Highlight));
    }
    QTreeView::drawRow(painter, option, index);
}
