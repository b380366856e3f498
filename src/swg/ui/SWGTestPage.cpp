#include "swg/ui/SWGTestPage.h"

#include "common/Convert.h"
#include "common/ui/PageLayout.h"
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

DlgTemplate TestTemplate()
{
    const ColumnGeometry left {.x = 8, .y = 10, .labelWidth = 110, .editWidth = 30, .rowHeight = 18, .editGap = 2,
                               .buttonGap = 4, .labelHeight = 9, .buttonWidth = 44};
    std::vector<DlgItem> items;
    AddColumn(items, left, {{"Version Number:", P::IDC_VERSION, DS_UPPERCASE}});
    ColumnGeometry serial = left;
    serial.x = 250;
    serial.labelWidth = 140;
    serial.editWidth = 50;
    AddColumn(items, serial, {{"Wave Generator Serial Number:", P::IDC_SERIAL_NO, DS_UPPERCASE}});
    ColumnGeometry texts = left;
    texts.y = 28;
    texts.editWidth = 382;
    AddColumn(items, texts,
              {{"Test Title:", P::IDC_TITLE, DS_UPPERCASE},
               {"Test Objectives:", P::IDC_OBJECTIVES, DS_UPPERCASE},
               {"Test Comments:", P::IDC_COMMENTS, DS_UPPERCASE}});
    ColumnGeometry dates = left;
    dates.y = 88;
    dates.editWidth = 70;
    dates.pickerWidth = 76;
    AddColumn(items, dates,
              {{"Test Date:", P::IDC_TEST_DATE, DS_UPPERCASE, 0, P::IDC_TEST_DATE_PICKER},
               {"Certification Date:", P::IDC_CERT_DATE, DS_UPPERCASE, 0, P::IDC_CERT_DATE_PICKER}});
    ColumnGeometry codes = left;
    codes.y = 126;
    codes.editWidth = 60;
    AddColumn(items, codes,
              {{"Test Performer:", P::IDC_PERFORMER, DS_READONLY, P::IDC_SEARCH_PERFORMER},
               {"Test Type:", P::IDC_TEST_TYPE, DS_READONLY, P::IDC_SEARCH_TEST_TYPE},
               {"Recorder Type:", P::IDC_RECORDER_TYPE, DS_READONLY, P::IDC_SEARCH_RECORDER_TYPE},
               {"Data Link Type:", P::IDC_DATA_LINK, DS_READONLY, P::IDC_SEARCH_DATA_LINK}});
    ColumnGeometry right = left;
    right.x = 290;
    right.y = 88;
    right.labelWidth = 100;
    right.editWidth = 110;
    AddColumn(items, right,
              {{"Contract Number:", P::IDC_CONTRACT_NO, DS_UPPERCASE},
               {"Test Reference Number:", P::IDC_TEST_REFERENCE, DS_UPPERCASE}});
    right.y = 126;
    right.editWidth = 40;
    AddColumn(items, right,
              {{"Ambient Temperature:", P::IDC_AMBIENT_TEMP},
               {"Total Curves:", P::IDC_TOTAL_CURVES, DS_READONLY}});
    return PageTemplate("General Test Information", 509, 214, std::move(items));
}

const DlgTemplate kTestTemplate = TestTemplate();

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
