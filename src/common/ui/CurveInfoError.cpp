#include "common/ui/CurveInfoError.h"

#include <QFontMetrics>

#include <string>

namespace {

const DlgTemplate kCurveInfoErrorTemplate {
    "Numbers of First (nfp), Last (nlp), Time-Interval (delt) & Total point in Mv5 INST and its curve",
    570,
    253,
    "MS Shell Dlg",
    8,
    false,
    {
        {-1, DlgKind::Static,
         "Note: mv5 -- data from mv5 file; curve -- data from curve; nfp -- number of first point; nlp -- number "
         "of last point; del -- time step",
         7, 5, 556, 10},
        // Narrower than the columns: the list scrolls sideways and the dialog fits a small screen.
        {CCurveInfoError::IDC_ERROR_LIST, DlgKind::Custom, "", 7, 18, 556, 228, 0, CListCtrlEx::Create},
    },
};

// A cell: the number, or "-" where the curve file gave none.
std::string Number(int value) { return std::to_string(value); }
std::string NumberOrDash(int value, bool none) { return none ? "-" : std::to_string(value); }

struct Column {
    const char* heading;
    bool right;
    std::string (*cell)(const CurveErrorRecord& r);
};

const std::string kNoteHeading = std::string(32, ' ') + "Note" + std::string(32, ' ');
const std::string kErrorHeading = std::string(26, ' ') + "Curve Data Error" + std::string(26, ' ');

const Column kColumns[] = {
    {"curno", true, [](const CurveErrorRecord& r) { return Number(r.m_nCurveNo); }},
    {"nfp(mv5)", true, [](const CurveErrorRecord& r) { return Number(r.m_nTestNfp); }},
    {"nfp(curve)", true, [](const CurveErrorRecord& r) { return NumberOrDash(r.m_nCurveNfp, r.m_nCurveNfp == 999999); }},
    {"nlp(mv5)", true, [](const CurveErrorRecord& r) { return Number(r.m_nTestNlp); }},
    {"nlp(curve)", true, [](const CurveErrorRecord& r) { return NumberOrDash(r.m_nCurveNlp, r.m_nCurveNlp < 1); }},
    {"total(mv5)", true, [](const CurveErrorRecord& r) { return Number(r.m_nTestTotal); }},
    {"total(curve)", true, [](const CurveErrorRecord& r) { return Number(r.m_nCurveTotal); }},
    {"del(mv5)", true, [](const CurveErrorRecord& r) { return Number(r.m_nTestDel); }},
    {"del(curve)", true, [](const CurveErrorRecord& r) { return NumberOrDash(r.m_nCurveDel, r.m_nCurveDel < 1); }},
    {kNoteHeading.c_str(), false, [](const CurveErrorRecord& r) { return r.m_strNote; }},
    {kErrorHeading.c_str(), false, [](const CurveErrorRecord& r) { return r.m_strError; }},
};

} // namespace

CCurveInfoError::CCurveInfoError(QWidget* parent)
    : CDialog(&kCurveInfoErrorTemplate, parent)
{
}

CCurveInfoError::~CCurveInfoError() = default;

void CCurveInfoError::DoDataExchange(CDataExchange* pDX)
{
    if (!m_listErrors)
        m_listErrors = pDX->m_pDlgWnd->Item<CListCtrlEx>(IDC_ERROR_LIST);
}

BOOL CCurveInfoError::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillList();
    return TRUE;
}

int CCurveInfoError::AddColumn(const char* heading, int column, int subItem, unsigned mask, int format)
{
    if (!m_listErrors)
        return -1;
    // The column is as wide as its heading, whatever its cells hold.
    const int width = (mask & kColWidth)
                          ? QFontMetrics(m_listErrors->font()).horizontalAdvance(QString::fromLatin1(heading)) + 15
                          : -1;
    // The report list keeps a column's cells at its own index: the subitem is the column.
    (void)subItem;
    return m_listErrors->InsertColumn(column, (mask & kColText) ? heading : "",
                                      (mask & kColFormat) ? format : LVCFMT_LEFT, width);
}

int CCurveInfoError::AddLeftColumn(const char* heading, int column)
{
    return AddColumn(heading, column, -1, kColText | kColWidth | kColFormat | kColSubItem, LVCFMT_LEFT);
}

int CCurveInfoError::AddRightColumn(const char* heading, int column)
{
    return AddColumn(heading, column, -1, kColText | kColWidth | kColFormat | kColSubItem, LVCFMT_RIGHT);
}

bool CCurveInfoError::AddItem(int row, int subItem, const char* text, int /*image*/)
{
    if (!m_listErrors)
        return false;
    if (subItem == 0)
        return m_listErrors->InsertItem(row, text) >= 0;
    return m_listErrors->SetItemText(row, subItem, text);
}

void CCurveInfoError::SetupColumns()
{
    if (!m_listErrors)
        return;
    m_listErrors->DeleteAllItems();
    // The columns never change: a list that has them keeps them, so a second fill does not
    // double them.
    if (m_listErrors->GetColumnCount() == static_cast<int>(std::size(kColumns)))
        return;
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        if (kColumns[c].right)
            AddRightColumn(kColumns[c].heading, c);
        else
            AddLeftColumn(kColumns[c].heading, c);
    }
}

void CCurveInfoError::FillList()
{
    SetupColumns();
    if (!m_pErrorList)
        return;
    int row = 0;
    for (const CurveErrorRecord& record : *m_pErrorList) {
        for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c)
            AddItem(row, c, kColumns[c].cell(record).c_str());
        ++row;
    }
}
