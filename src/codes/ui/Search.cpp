#include "codes/ui/Search.h"

#include "codes/ui/LookupList.h"
#include "common/ui/ListCtrlEx.h"
#include "platform/Codec.h"

#include <QLineEdit>

namespace {

const DlgTemplate kSearchTemplate {
    "Code Search",
    302,
    174,
    "DejaVu Sans",
    8,
    false,
    {
        {IDOK, DlgKind::DefButton, "OK", 136, 8, 40, 14},
        {IDCANCEL, DlgKind::Button, "Cancel", 195, 8, 39, 14},
        {CSearch::IDC_CLEAR_ENTRY, DlgKind::Button, "Clear Entry", 256, 8, 39, 14},
        {-1, DlgKind::Static, "Quick Search:", 7, 8, 46, 8},
        {CSearch::IDC_QUICK_SEARCH, DlgKind::Edit, "", 53, 8, 81, 14},
        {CSearch::IDC_RESULTS, DlgKind::Custom, "", 7, 22, 288, 145, 0, &CListCtrlEx::Create},
    },
};

} // namespace

CSearch::CSearch(QWidget* parent, const CString& codeName, const CString& reference, const CString& lookupKind,
                 BOOL extraKeyMode)
    : CDialog(&kSearchTemplate, parent)
    , CCodeSearchList(codeName, reference, lookupKind, extraKeyMode != FALSE)
{
}

CSearch::CSearch(QWidget* parent, const CString& codeName, const CString& reference, const CStringArray* externalCodes)
    : CDialog(&kSearchTemplate, parent)
    , CCodeSearchList(codeName, reference, externalCodes)
{
}

CSearch::CSearch(QWidget* parent, const CString& lookupKind, const CStringArray* array1, const CStringArray* array2,
                 const CStringArray* array3, const CStringArray* array4)
    : CDialog(&kSearchTemplate, parent)
    , CCodeSearchList(lookupKind, array1, array2, array3, array4)
{
}

void CSearch::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLEAR_ENTRY, m_btnClearEntry);
    m_listResults = Item<CListCtrlEx>(IDC_RESULTS);
    m_editQuickSearch = Item<QLineEdit>(IDC_QUICK_SEARCH);
}

void CSearch::Tell(const CString& text) { MessageBox(text); }

BOOL CSearch::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnClicked(IDOK, [this] { OnOK(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    OnClicked(IDC_CLEAR_ENTRY, [this] { OnClearEntry(); });
    OnChanged(IDC_QUICK_SEARCH, [this] { OnChangeQuickSearch(); });
    CListCtrlEx* list = GetList();
    QObject::connect(list, &QAbstractItemView::clicked, list, [this] { OnClickList(); });
    QObject::connect(list, &CListCtrlEx::ItemDoubleClicked, list, [this] { OnOK(); });

    Fill();
    if (!Caption().IsEmpty())
        setWindowTitle(ToQString(Caption()));
    if (FocusOnQuickSearch())
        GetQuickSearchEdit()->setFocus();

    ShowLookupRows(list, 5, Columns(), Rows());
    if (EndsAtOnce())
        EndDialog(IDOK);
    return FALSE;
}

void CSearch::OnChangeQuickSearch()
{
    if (m_bIgnoreEditChange) {
        m_bIgnoreEditChange = false;
        return;
    }
    CListCtrlEx* list = GetList();
    std::vector<CString> column0;
    const int count = list->GetItemCount();
    column0.reserve(count);
    for (int i = 0; i < count; ++i)
        column0.push_back(list->GetItemText(i, 0));
    const int row = QuickSearch(GetDlgItemText(IDC_QUICK_SEARCH), column0);
    if (row >= 0) {
        list->EnsureVisible(row);
        list->SelectItem(row);
    }
}

void CSearch::OnClickList()
{
    CListCtrlEx* list = GetList();
    const int row = list->GetSelectedItem();
    m_strCode = row >= 0 ? list->GetItemText(row, ClickColumn()) : CString();
    // Writing the code must not start a search; an unchanged text sends no change to skip.
    if (GetDlgItemText(IDC_QUICK_SEARCH) != m_strCode)
        m_bIgnoreEditChange = true;
    SetDlgItemText(IDC_QUICK_SEARCH, m_strCode);
}

void CSearch::OnOK()
{
    CListCtrlEx* list = GetList();
    const int row = list->GetSelectedItem();
    if (row < 0) {
        EndDialog(IDCANCEL);
        return;
    }
    SearchRow cells;
    for (int c = 0; c < list->GetColumnCount(); ++c)
        cells.push_back(list->GetItemText(row, c));
    Choose(cells);
    EndDialog(IDOK);
}

void CSearch::OnClearEntry()
{
    ClearEntry();
    EndDialog(IDOK);
}
