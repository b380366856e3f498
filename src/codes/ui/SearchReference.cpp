#include "codes/ui/SearchReference.h"

#include "codes/ReferenceList.h"
#include "codes/ui/LookupList.h"
#include "common/ui/ListCtrlEx.h"


namespace {

const DlgTemplate kReferenceTemplate {
    "VEHNO Selection",
    323,
    135,
    "DejaVu Sans",
    8,
    false,
    {
        {SearchReference::IDC_CHOICE, DlgKind::Edit, "", 110, 7, 40, 14},
        {IDOK, DlgKind::DefButton, "OK", 156, 7, 50, 14},
        {IDCANCEL, DlgKind::Button, "Cancel", 210, 7, 50, 14},
        {SearchReference::IDC_CLEAR_ENTRY, DlgKind::Button, "Clear Entry", 264, 7, 50, 14},
        {SearchReference::IDC_REFS, DlgKind::Custom, "", 11, 25, 302, 105, 0, &CListCtrlEx::Create},
    },
};

} // namespace

SearchReference::SearchReference(int vehicleCount, QWidget* parent)
    : CDialog(&kReferenceTemplate, parent)
    , m_nVehicles(vehicleCount)
{
}

void SearchReference::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    m_listRefs = Item<CListCtrlEx>(IDC_REFS);
}

BOOL SearchReference::OnInitDialog()
{
    CDialog::OnInitDialog();
    OnClicked(IDOK, [this] { OnOK(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    OnClicked(IDC_CLEAR_ENTRY, [this] { OnClearEntry(); });
    CListCtrlEx* list = GetList();
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QObject::connect(list, &CListCtrlEx::SelectionChanged, list, [this] { OnItemChanged(); });
    QObject::connect(list, &CListCtrlEx::ItemDoubleClicked, list, [this] { OnDblClk(); });

    if (m_nMode != CReferenceList::VehicleTest && m_nMode != CReferenceList::ComponentTest)
        return FALSE;
    const auto rows = CReferenceList::Rows(m_nMode, m_nVehicles,
                                           {m_pRefArray1, m_pRefArray2, m_pRefArray3, m_pRefArray4, m_pRefArray5});
    ShowLookupRows(list, 6, CReferenceList::Columns(m_nMode), rows);
    return FALSE;
}

CString SearchReference::FirstSelectedNumber() const
{
    const CListCtrlEx* list = GetList();
    const int row = list->GetSelectedItem();
    return row >= 0 ? list->GetItemText(row, 0) : CString();
}

void SearchReference::OnItemChanged()
{
    m_strChoice = FirstSelectedNumber();
    SetDlgItemText(IDC_CHOICE, m_strChoice);
}

void SearchReference::OnDblClk()
{
    OnItemChanged();
    EndDialog(IDOK);
}

void SearchReference::OnOK()
{
    if (GetList()->GetSelectedItem() < 0) {
        EndDialog(IDCANCEL);
        return;
    }
    m_strChoice = FirstSelectedNumber();
    m_strChoice.Trim();
    SetDlgItemText(IDC_CHOICE, m_strChoice);
    EndDialog(IDOK);
}

void SearchReference::OnClearEntry()
{
    m_strChoice.Empty();
    SetDlgItemText(IDC_CHOICE, m_strChoice);
    EndDialog(IDOK);
}
