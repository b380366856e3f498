#include "component/ui/CompTestPage.h"

#include "common/Convert.h"
#include "component/ui/CompPageSupport.h"
#include "platform/ui/DateTimeCtrl.h"

#include <cstdlib>

namespace {

using D = CCompData;
using T = CCompTestPage;

const PageField<D> kTestFields[] = {
    {.id = T::IDC_VERSION, .rule = FieldRule::Text(0, 2, true), .member = &D::m_strVersion, .empty = "C5"},
    {.id = T::IDC_TITLE, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTitle},
    {.id = T::IDC_PERFORMER, .member = &D::m_strPerformer, .codeTable = "TSTPRF", .searchId = T::IDC_SEARCH_PERFORMER},
    {.id = T::IDC_OBJECTIVES, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strObjectives},
    // The Test Date is the page's own: its window text is what is saved.
    {.id = T::IDC_TEST_DATE, .rule = FieldRule::Plain("Date (dd/MMM/yyyy)")},
    {.id = T::IDC_TEST_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTestComments},
    {.id = T::IDC_CONTRACT_NO, .rule = FieldRule::Text(0, 17, true), .member = &D::m_strContractNo},
    {.id = T::IDC_AMBIENT_TEMP, .rule = FieldRule::Int(-99, 99, true, "Degrees Celsius (-99->99)"),
     .member = &D::m_strAmbientTemp},
    {.id = T::IDC_TEST_REFERENCE, .rule = FieldRule::Text(0, 16, true), .member = &D::m_strTestReference},
    {.id = T::IDC_TEST_TYPE, .member = &D::m_strTestType, .codeTable = "TSTTYP", .searchId = T::IDC_SEARCH_TEST_TYPE},
};

DlgTemplate MakeTestTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry left = CompColumn(8, 90, 70), wide = CompColumn(8, 90, 400), right = CompColumn(286, 96, 110);
    AddRow(items, left, 10, {"Version Number:", T::IDC_VERSION, DS_UPPERCASE});
    // The test date's field leaves room beside it for a picker that shows its date.
    AddRow(items, right, 10, {.label = "Test Date:", .id = T::IDC_TEST_DATE, .style = DS_UPPERCASE, .editWidth = 58});
    items.push_back({T::IDC_DATE_PICKER, DlgKind::Custom, "", 286 + 96 + 2 + 60, 10, 62, 13, 0,
        &CDateTimeCtrl::Create});
    AddRow(items, wide, 30, {"Title:", T::IDC_TITLE, DS_UPPERCASE});
    AddRow(items, wide, 48, {"Test Objectives:", T::IDC_OBJECTIVES, DS_UPPERCASE});
    AddRow(items, wide, 66, {"Test Comments:", T::IDC_TEST_COMMENTS});
    AddRow(items, left, 90, {.label = "Test Performer:", .id = T::IDC_PERFORMER, .style = DS_READONLY,
        .searchId = T::IDC_SEARCH_PERFORMER});
    AddRow(items, left, 108, {.label = "Test Type:", .id = T::IDC_TEST_TYPE, .style = DS_READONLY,
        .searchId = T::IDC_SEARCH_TEST_TYPE});
    AddRow(items, left, 126, {"Total Number of Curves:", T::IDC_CURVE_COUNT, DS_READONLY});
    AddRow(items, right, 90, {"Contract Number:", T::IDC_CONTRACT_NO, DS_UPPERCASE});
    AddRow(items, right, 108, {"Ambient Temperature:", T::IDC_AMBIENT_TEMP});
    AddRow(items, right, 126, {"Test Reference Number:", T::IDC_TEST_REFERENCE, DS_UPPERCASE});
    return {"General Test Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kTestTemplate = MakeTestTemplate();

} // namespace

CCompTestPage::CCompTestPage()
    : CDataPage<D>(&kTestTemplate, kTestFields)
    , m_date(*this, IDC_DATE_PICKER, "TEST")
{
}

CCompTestPage::~CCompTestPage() = default;

BOOL CCompTestPage::OnInitDialog()
{
    CDataPage<D>::OnInitDialog();
    m_date.Init(*Edit(IDC_TEST_DATE), [this](const CString& date) {
        if (m_pData)
            m_pData->m_strTestDate = date;
    });
    return TRUE;
}

BOOL CCompTestPage::OnSetActive()
{
    SetFieldTypes();
    LoadFromData();
    if (m_pData)
        m_pData->m_strPrevTestType = m_pData->m_strTestType;
    return CPropertyPage::OnSetActive();
}

BOOL CCompTestPage::OnKillActive()
{
    if (!AllFieldsValid())
        return FALSE;
    SaveToData();
    return CPropertyPage::OnKillActive();
}

void CCompTestPage::LoadFromData()
{
    if (!m_pData || !HasWindow())
        return;
    D& data = *m_pData;
    UpdateData(TRUE);
    LoadFields(data, 0);
    SetDlgItemText(IDC_CURVE_COUNT, IntToCString(data.m_nCurveCount));
    m_date.Load(data.m_strTestDate);
    UpdateData(FALSE);
}

BOOL CCompTestPage::SaveToData()
{
    if (!m_pData)
        return FALSE;
    if (!HasWindow())
        return TRUE;
    D& data = *m_pData;
    SaveFields(data, 0);
    data.m_nCurveCount = std::atoi(GetDlgItemText(IDC_CURVE_COUNT));
    CString date = GetDlgItemText(IDC_TEST_DATE);
    date.Trim();
    data.m_strTestDate = date;
    return TRUE;
}

namespace {
// The fields that hold the page; the code fields only show their check.
constexpr int kBlocking[] = {CCompTestPage::IDC_CONTRACT_NO,    CCompTestPage::IDC_TITLE,
                             CCompTestPage::IDC_TEST_COMMENTS,  CCompTestPage::IDC_OBJECTIVES,
                             CCompTestPage::IDC_TEST_REFERENCE, CCompTestPage::IDC_VERSION,
                             CCompTestPage::IDC_AMBIENT_TEMP,   CCompTestPage::IDC_TEST_DATE};
} // namespace

bool CCompTestPage::Blocks(int id) const { return std::find(std::begin(kBlocking), std::end(kBlocking), id) != std::end(kBlocking); }

bool CCompTestPage::AllFieldsValid()
{
    bool valid = true;
    for (int id : kBlocking) {
        if (id == IDC_TEST_DATE)
            m_date.Check();
        valid = Edit(id)->IsValid() && valid;
    }
    return valid;
}

void CCompTestPage::ClearPage()
{
    CDataPage<D>::ClearPage();
    if (HasWindow())
        SetDlgItemText(IDC_CURVE_COUNT, "0");
    m_date.EmptyPicker();
}

void CCompTestPage::AfterSearch(int id)
{
    if (id != IDC_TEST_TYPE || !m_pData)
        return;
    D& data = *m_pData;
    const CString type = Edit(IDC_TEST_TYPE)->GetText();
    if (type == "ROV" && data.m_strPrevTestType != "ROV") {
        // A rollover test is the test vehicle's.
        data.m_nVehicleCount = 1;
        data.m_saVehCrashTested.SetAtGrow(1, "N");
    } else if (type != "ROV" && data.m_strPrevTestType == "ROV") {
        // The records of the rollover test no longer apply; the page's own fields return into
        // the test when it is saved.
        data.SetDefaults();
        data.m_nComponentCount = 1;
    }
}
