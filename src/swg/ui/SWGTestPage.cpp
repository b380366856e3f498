#include "swg/ui/SWGTestPage.h"

#include "common/Convert.h"
#include "platform/ui/DateTimeCtrl.h"

#include <cstdlib>

namespace {

using D = CSWGData;
using P = CSWGTestPage;

constexpr const char* kDateTip = "Date (dd/MMM/yyyy)";

const PageField<D> kFields[] = {
    {.id = P::IDC_CONTRACT_NO, .rule = FieldRule::Text(0, 17, true), .member = &D::m_strContractNo},
    {.id = P::IDC_SERIAL_NO, .rule = FieldRule::Text(0, 6, true), .member = &D::m_strWaveGenSerialNo},
    {.id = P::IDC_TITLE, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTitle},
    {.id = P::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTestComments},
    {.id = P::IDC_OBJECTIVES, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strObjectives},
    {.id = P::IDC_TEST_REFERENCE, .rule = FieldRule::Text(0, 16, true), .member = &D::m_strTestReference},
    {.id = P::IDC_VERSION, .rule = FieldRule::Text(0, 2, true), .member = &D::m_strVersion, .empty = "S5"},
    {.id = P::IDC_AMBIENT_TEMP, .rule = FieldRule::Int(-99, 99, true, "Degrees Celsius (-99->99)"),
     .member = &D::m_strAmbientTemp},
    // The dates are the page's own: their window texts are what is saved.
    {.id = P::IDC_TEST_DATE, .rule = FieldRule::Plain(kDateTip)},
    {.id = P::IDC_CERT_DATE, .rule = FieldRule::Plain(kDateTip)},
    {.id = P::IDC_TEST_TYPE, .member = &D::m_strTestType, .codeTable = "TSTTYP", .searchId = P::IDC_SEARCH_TEST_TYPE},
    {.id = P::IDC_PERFORMER, .member = &D::m_strPerformer, .codeTable = "TSTPRF", .searchId = P::IDC_SEARCH_PERFORMER},
    {.id = P::IDC_RECORDER_TYPE, .member = &D::m_strRecorderType, .codeTable = "RECTYP",
     .searchId = P::IDC_SEARCH_RECORDER_TYPE},
    {.id = P::IDC_DATA_LINK, .member = &D::m_strDataLinkType, .codeTable = "LINK", .searchId = P::IDC_SEARCH_DATA_LINK},
};

// The two dates: their field, the page's date field over it and the data member.
struct DateRow {
    int edit;
    CDateField P::*field;
    CString D::*member;
};

const DateRow kDates[] = {
    {P::IDC_CERT_DATE, &P::m_certDate, &D::m_strCertificationDate},
    {P::IDC_TEST_DATE, &P::m_testDate, &D::m_strTestDate},
};

constexpr int kLabelX = 8, kLabelW = 110, kEditX = 120, kCodeW = 60, kButtonW = 44;
constexpr int kRightLabelX = 290, kRightEditX = 392;

const DlgTemplate kTestTemplate {
    "General Test Information",
    509,
    214,
    "DejaVu Sans",
    8,
    false,
    {
        {-1, DlgKind::Static, "Version Number:", kLabelX, 12, kLabelW, 9},
        {P::IDC_VERSION, DlgKind::Edit, "", kEditX, 10, 30, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Wave Generator Serial Number:", kRightLabelX - 40, 12, 140, 9},
        {P::IDC_SERIAL_NO, DlgKind::Edit, "", kRightEditX, 10, 50, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Title:", kLabelX, 30, kLabelW, 9},
        {P::IDC_TITLE, DlgKind::Edit, "", kEditX, 28, 382, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Objectives:", kLabelX, 48, kLabelW, 9},
        {P::IDC_OBJECTIVES, DlgKind::Edit, "", kEditX, 46, 382, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Comments:", kLabelX, 66, kLabelW, 9},
        {P::IDC_COMMENTS, DlgKind::Edit, "", kEditX, 64, 382, 13, DS_UPPERCASE},

        {-1, DlgKind::Static, "Test Date:", kLabelX, 90, kLabelW, 9},
        {P::IDC_TEST_DATE, DlgKind::Edit, "", kEditX, 88, 70, 13, DS_UPPERCASE},
        {P::IDC_TEST_DATE_PICKER, DlgKind::Custom, "", 194, 88, 76, 13, 0, &CDateTimeCtrl::Create},
        {-1, DlgKind::Static, "Certification Date:", kLabelX, 108, kLabelW, 9},
        {P::IDC_CERT_DATE, DlgKind::Edit, "", kEditX, 106, 70, 13, DS_UPPERCASE},
        {P::IDC_CERT_DATE_PICKER, DlgKind::Custom, "", 194, 106, 76, 13, 0, &CDateTimeCtrl::Create},
        {-1, DlgKind::Static, "Test Performer:", kLabelX, 128, kLabelW, 9},
        {P::IDC_PERFORMER, DlgKind::Edit, "", kEditX, 126, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_PERFORMER, DlgKind::Button, "Search...", 184, 126, kButtonW, 13},
        {-1, DlgKind::Static, "Test Type:", kLabelX, 146, kLabelW, 9},
        {P::IDC_TEST_TYPE, DlgKind::Edit, "", kEditX, 144, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_TEST_TYPE, DlgKind::Button, "Search...", 184, 144, kButtonW, 13},
        {-1, DlgKind::Static, "Recorder Type:", kLabelX, 164, kLabelW, 9},
        {P::IDC_RECORDER_TYPE, DlgKind::Edit, "", kEditX, 162, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_RECORDER_TYPE, DlgKind::Button, "Search...", 184, 162, kButtonW, 13},
        {-1, DlgKind::Static, "Data Link Type:", kLabelX, 182, kLabelW, 9},
        {P::IDC_DATA_LINK, DlgKind::Edit, "", kEditX, 180, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_DATA_LINK, DlgKind::Button, "Search...", 184, 180, kButtonW, 13},

        {-1, DlgKind::Static, "Contract Number:", kRightLabelX, 90, 100, 9},
        {P::IDC_CONTRACT_NO, DlgKind::Edit, "", kRightEditX, 88, 110, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Reference Number:", kRightLabelX, 108, 100, 9},
        {P::IDC_TEST_REFERENCE, DlgKind::Edit, "", kRightEditX, 106, 110, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Ambient Temperature:", kRightLabelX, 128, 100, 9},
        {P::IDC_AMBIENT_TEMP, DlgKind::Edit, "", kRightEditX, 126, 40, 13},
        {-1, DlgKind::Static, "Total Curves:", kRightLabelX, 146, 100, 9},
        {P::IDC_TOTAL_CURVES, DlgKind::Edit, "", kRightEditX, 144, 40, 13, DS_READONLY},
    },
};

} // namespace

CSWGTestPage::CSWGTestPage()
    : CDataPage<D>(&kTestTemplate, kFields)
    , m_certDate(*this, IDC_CERT_DATE_PICKER, "TEST")
    , m_testDate(*this, IDC_TEST_DATE_PICKER, "TEST")
{
    m_bBlocking = true;
}

CSWGTestPage::~CSWGTestPage() = default;

BOOL CSWGTestPage::OnInitDialog()
{
    CDataPage<D>::OnInitDialog();
    if (m_pData)
        m_pData->m_nCurveCount = 0;
    for (const DateRow& row : kDates) {
        if (CNEdit* edit = Edit(row.edit)) {
            (this->*row.field).Init(*edit, [this, member = row.member](const CString& date) {
                if (m_pData)
                    m_pData->*member = date;
            });
        }
    }
    UpdateData(FALSE);
    return TRUE;
}

void CSWGTestPage::LoadExtra(const CSWGData&)
{
    // Loading normalises the stored dates in place (trimmed, upper-cased).
    D& data = *m_pData;
    SetDlgItemText(IDC_TOTAL_CURVES, IntToCString(data.m_nCurveCount));
    for (const DateRow& row : kDates)
        (this->*row.field).Load(data.*row.member);
}

void CSWGTestPage::SaveExtra(CSWGData& data)
{
    data.m_nCurveCount = std::atoi(GetDlgItemText(IDC_TOTAL_CURVES));
    for (const DateRow& row : kDates) {
        CString date = GetDlgItemText(row.edit);
        date.Trim();
        data.*row.member = date;
    }
}

bool CSWGTestPage::AllFieldsValid()
{
    if (HasWindow()) {
        for (const DateRow& row : kDates)
            (this->*row.field).Check();
    }
    return CDataPage<D>::AllFieldsValid();
}

void CSWGTestPage::ClearPage()
{
    CDataPage<D>::ClearPage();
    if (HasWindow())
        SetDlgItemText(IDC_TOTAL_CURVES, "0");
    for (const DateRow& row : kDates)
        (this->*row.field).EmptyPicker();
}
