#include "common/ui/EditKavroNo.h"

#include "common/Convert.h"
#include "common/KavroNo.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The dialog resource: the office and model-year lists come with it, the other two are filled
// when the dialog opens.
const DlgTemplate kTemplate {
    "Edit KAVRO No.",
    250,
    150,
    "DejaVu Sans",
    8,
    false,
    {
        {-1, DlgKind::GroupBox, "Please fill all empty box to generate KAVRO Number", 7, 7, 236, 100},
        {-1, DlgKind::Static, "Format: OYYYYMMMM: O - Office; YYYY - year; MMMM - Manufacturer Code & Test Order", 14,
         20, 222, 16},
        {-1, DlgKind::Static, "Purchasing Office:", 14, 40, 72, 8},
        {CEditKavroNo::IDC_OFFICE, DlgKind::ComboBox, "", 90, 38, 146, 12},
        {-1, DlgKind::Static, "Model Year:", 14, 56, 72, 8},
        {CEditKavroNo::IDC_YEAR, DlgKind::ComboBox, "", 90, 54, 60, 12},
        {-1, DlgKind::Static, "Manufacturer Code:", 14, 72, 72, 8},
        {CEditKavroNo::IDC_MAKER, DlgKind::ComboBox, "", 90, 70, 146, 12},
        {-1, DlgKind::Static, "Test Order:", 14, 88, 72, 8},
        {CEditKavroNo::IDC_ORDER, DlgKind::ComboBox, "", 90, 86, 40, 12},
        {CEditKavroNo::IDC_NUMBER_LABEL, DlgKind::Static, "KAVRO Number:", 14, 114, 160, 8},
        {CEditKavroNo::IDC_NUMBER, DlgKind::Edit, "", 14, 125, 100, 14},
        {CEditKavroNo::IDC_FRESH, DlgKind::Button, "Fresh", 124, 125, 50, 14, DS_HIDDEN},
        {IDOK, DlgKind::DefButton, "OK", 186, 125, 50, 14},
    },
};

const int kBoxes[] = {CEditKavroNo::IDC_OFFICE, CEditKavroNo::IDC_YEAR, CEditKavroNo::IDC_MAKER,
                      CEditKavroNo::IDC_ORDER};

} // namespace

CEditKavroNo::CEditKavroNo(QWidget* parent)
    : CDialog(&kTemplate, parent)
    , m_strOffice(kavro::kOfficeRows[kavro::kDefaultOffice])
{
}

bool CEditKavroNo::CheckNumber(const CString& number)
{
    m_strNumber = number;
    return IsOfficeValid() && !GetModelYear().IsEmpty() && IsMakerAndOrderValid();
}

CComboBox CEditKavroNo::Box(int id) const { return CComboBox(Item<QComboBox>(id)); }

void CEditKavroNo::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBString(pDX, IDC_OFFICE, m_strOffice);
    DDX_CBString(pDX, IDC_YEAR, m_strYear);
    DDX_CBString(pDX, IDC_MAKER, m_strMaker);
    DDX_CBString(pDX, IDC_ORDER, m_strOrder);
    DDX_Control(pDX, IDC_NUMBER, m_editNumber);
}

BOOL CEditKavroNo::OnInitDialog()
{
    // The lists that come with the dialog resource.
    CComboBox office = Box(IDC_OFFICE);
    for (const char* row : kavro::kOfficeRows)
        office.AddString(row);
    CComboBox year = Box(IDC_YEAR);
    year.SetSorted(true);
    for (int y = 2012; y <= 2026; ++y)
        year.AddString(IntToCString(y));

    CDialog::OnInitDialog();

    CString presetYear = m_strYear;
    presetYear.Trim();
    if (m_strNumber.IsEmpty() && !presetYear.IsEmpty())
        year.SetWindowText(m_strYear);

    CComboBox maker = Box(IDC_MAKER);
    maker.ResetContent();
    for (const char* row : kavro::kMakerRows)
        maker.AddString(row);
    CComboBox order = Box(IDC_ORDER);
    order.SetSorted(true);
    order.ResetContent();
    for (int n = 0; n < 100; ++n) {
        CString text;
        text.Format("%02d", n);
        order.AddString(text);
    }

    if (m_strNumber.IsEmpty())
        order.SetCurSel(0);
    else if (m_strNumber.GetLength() == 9)
        SplitNumber();
    else if (m_strNumber.GetLength() == 6)
        SplitShortNumber();

    // The user's own changes: a pick from a list, typing into a box or the number field.
    for (int id : kBoxes) {
        auto* box = Item<QComboBox>(id);
        connect(box, &QComboBox::activated, this, [this, id] { OnComboSelChange(id); });
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this] { ComposeNumber(); });
    }
    OnClicked(IDC_FRESH, [this] { ComposeNumber(); });
    OnClicked(IDOK, [this] { OnBnClickedOk(); });
    OnChanged(IDC_NUMBER, [this] { OnNumberChange(); });
    return FALSE;
}

void CEditKavroNo::OnBnClickedOk()
{
    if (ValidateNumber())
        CDialog::OnOK();
    else
        SetDlgItemText(IDC_NUMBER_LABEL, "KAVRO No. incorrect/incomplete!");
}

void CEditKavroNo::OnComboSelChange(int id)
{
    CComboBox box = Box(id);
    const CString picked = box.GetLBText(box.GetCurSel());
    box.SetWindowText(picked);
    ComposeNumber();
}

void CEditKavroNo::ReadBoxes()
{
    m_strOffice = Box(IDC_OFFICE).GetWindowText();
    m_strYear = Box(IDC_YEAR).GetWindowText();
    m_strMaker = Box(IDC_MAKER).GetWindowText();
    m_strOrder = Box(IDC_ORDER).GetWindowText();
}

void CEditKavroNo::ShowBoxes()
{
    Box(IDC_OFFICE).SetWindowText(m_strOffice);
    Box(IDC_YEAR).SetWindowText(m_strYear);
    Box(IDC_MAKER).SetWindowText(m_strMaker);
    Box(IDC_ORDER).SetWindowText(m_strOrder);
}

void CEditKavroNo::ComposeNumber()
{
    ReadBoxes();
    CString office = m_strOffice;
    office.Trim();
    CString maker = m_strMaker;
    maker.Trim();
    CString order = m_strOrder;
    order.Trim();
    if (order.GetLength() == 1)
        order = "0" + order;
    m_strOrder = order;
    m_strNumber = office.Left(1) + m_strYear + maker.Left(2) + order;
    ShowBoxes();
    ValidateNumber();
}

void CEditKavroNo::OnNumberChange()
{
    m_strNumber = m_editNumber.GetText();
    ValidateNumber();
}

bool CEditKavroNo::ValidateNumber()
{
    m_strNumber.Trim();
    if (m_strNumber.IsEmpty()) {
        m_editNumber.SetValid(true);
        return true;
    }
    m_editNumber.SetText(m_strNumber);
    const bool ok = kavro::CheckNumber(m_strNumber);
    m_editNumber.SetValid(ok);
    SetDlgItemText(IDC_NUMBER_LABEL, ok ? "KAVRO Number:" : "KAVRO Number (incorrect/incomplete):");
    return ok;
}

void CEditKavroNo::SplitNumber()
{
    if (!ValidateNumber()) {
        m_strNumber.Empty();
        return;
    }
    const CString number = m_strNumber;
    Box(IDC_OFFICE).SelectString(-1, number.Left(1));
    Box(IDC_YEAR).SetWindowText(number.Mid(1, 4));
    Box(IDC_MAKER).SelectString(-1, number.Mid(5, 2) + "00");
    Box(IDC_ORDER).SetWindowText(number.Right(2));
    ValidateNumber();
}

void CEditKavroNo::SplitShortNumber()
{
    if (!ValidateNumber()) {
        m_strNumber.Empty();
        return;
    }
    const CString number = m_strNumber;
    const CString year = kavro::GetModelYear(number);
    Box(IDC_OFFICE).SelectString(-1, number.Left(1));
    Box(IDC_YEAR).SetWindowText(year);
    Box(IDC_MAKER).SelectString(-1, number.Mid(2, 2));
    Box(IDC_ORDER).SetWindowText(number.Right(2));
    ReadBoxes();
    m_strNumber = number.Left(1) + year + number.Mid(2, 2) + number.Right(2);
    ValidateNumber();
    ShowBoxes();
}
