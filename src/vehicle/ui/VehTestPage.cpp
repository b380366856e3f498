#include "vehicle/ui/VehTestPage.h"

#include "common/Convert.h"
#include "common/ui/PageLayout.h"
#include "platform/Messages.h"
#include "platform/ui/DateTimeCtrl.h"

#include <QLocale>
#include <QSignalBlocker>

#include <cstdlib>

namespace {

using D = CVehData;
using P = CVehTestPage;

const PageField<D> kFields[] = {
    {.id = P::IDC_VERSION, .rule = FieldRule::Text(0, 2, true), .member = &D::m_strVersion,
     .empty = "V5"},
    {.id = P::IDC_PERFORMER, .member = &D::m_strPerformer, .codeTable = "TSTPRF", .searchId = P::IDC_SEARCH_PERFORMER},
    // The Test Date is the page's own: its window text is what is saved.
    {.id = P::IDC_TEST_DATE, .rule = FieldRule::Plain("Date (dd/MMM/yyyy)")},
    {.id = P::IDC_TITLE, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTitle},
    {.id = P::IDC_OBJECTIVES, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strObjectives},
    {.id = P::IDC_TEST_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTestComments},
    {.id = P::IDC_CONTRACT_NO, .rule = FieldRule::Text(0, 17, true), .member = &D::m_strContractNo},
    {.id = P::IDC_TEST_REFERENCE, .rule = FieldRule::Text(0, 16, true), .member = &D::m_strTestReference},
    {.id = P::IDC_TEST_TYPE, .member = &D::m_strTestType, .codeTable = "TSTTYP", .searchId = P::IDC_SEARCH_TEST_TYPE},
    {.id = P::IDC_CONFIGURATION, .member = &D::m_strConfiguration, .codeTable = "TSTCFN",
     .searchId = P::IDC_SEARCH_CONFIGURATION, .empty = "VTB"},
    {.id = P::IDC_RECORDER_TYPE, .member = &D::m_strRecorderType, .codeTable = "RECTYP",
     .searchId = P::IDC_SEARCH_RECORDER_TYPE, .empty = "DDA"},
    {.id = P::IDC_DATA_LINK, .member = &D::m_strDataLinkType, .codeTable = "LINK", .searchId = P::IDC_SEARCH_DATA_LINK, .empty = "UMB"},
    {.id = P::IDC_TRACK_SURFACE, .member = &D::m_strTrackSurface, .codeTable = "TKSURF",
     .searchId = P::IDC_SEARCH_TRACK_SURFACE},
    {.id = P::IDC_TRACK_CONDITION, .member = &D::m_strTrackCondition, .codeTable = "TKCOND",
     .searchId = P::IDC_SEARCH_TRACK_CONDITION},
    {.id = P::IDC_CLOSING_SPEED, .rule = FieldRule::Real(0.0, 200.0, true, "km/hr (000.00->200.00)"),
     .member = &D::m_strClosingSpeed},
    {.id = P::IDC_IMPACT_ANGLE, .rule = FieldRule::Int(0, 359, true, "degrees (0, 359) "), .member = &D::m_strImpactAngle},
    {.id = P::IDC_AMBIENT_TEMP, .rule = FieldRule::Int(-99, 99, true, "Degrees Celsius (-99->99)"),
     .member = &D::m_strAmbientTemp},
    {.id = P::IDC_OFFSET_DISTANCE, .rule = FieldRule::Int(-9999, 9999, true, "mm (-9999->9999)"),
     .member = &D::m_strOffsetDistance},
    {.id = P::IDC_SIDE_IMPACT_POINT, .rule = FieldRule::Int(-9999, 9999, true, "mm (-9999->9999)"),
     .member = &D::m_strSideImpactPoint},
};

const PageTip kTips[] = {
    {P::IDC_CURVE_COUNT, "Determined by the No of INST records"},
};

// Label, field, optional "Search..." button: one line of the page.
DlgTemplate TestTemplate()
{
    const ColumnGeometry left {.x = 8, .y = 10, .labelWidth = 88, .editWidth = 30, .rowHeight = 18, .editGap = 2,
                               .buttonGap = 4, .labelHeight = 9, .buttonWidth = 40};
    std::vector<DlgItem> items;
    AddColumn(items, left, {{"Version Number:", P::IDC_VERSION, DS_UPPERCASE}});
    ColumnGeometry date = left;
    date.x = 282;
    date.editWidth = 60;
    date.pickerWidth = 66;
    AddColumn(items, date, {{"Test Date:", P::IDC_TEST_DATE, DS_UPPERCASE, 0, P::IDC_DATE_PICKER}});
    ColumnGeometry texts = left;
    texts.y = 28;
    texts.editWidth = 404;
    AddColumn(items, texts,
              {{"Title:", P::IDC_TITLE, DS_UPPERCASE},
               {"Test Objectives:", P::IDC_OBJECTIVES, DS_UPPERCASE},
               {"Test Comments:", P::IDC_TEST_COMMENTS, DS_UPPERCASE}});
    ColumnGeometry codes = left;
    codes.y = 88;
    codes.editWidth = 80;
    AddColumn(items, codes,
              {{"Test Performer:", P::IDC_PERFORMER, DS_READONLY, P::IDC_SEARCH_PERFORMER},
               {"Test Type:", P::IDC_TEST_TYPE, DS_READONLY, P::IDC_SEARCH_TEST_TYPE},
               {"Test Configuration:", P::IDC_CONFIGURATION, DS_READONLY, P::IDC_SEARCH_CONFIGURATION},
               {"Type of Recorder:", P::IDC_RECORDER_TYPE, DS_READONLY, P::IDC_SEARCH_RECORDER_TYPE},
               {"Data Link to Recorder:", P::IDC_DATA_LINK, DS_READONLY, P::IDC_SEARCH_DATA_LINK},
               {"Test Track Surface:", P::IDC_TRACK_SURFACE, DS_READONLY, P::IDC_SEARCH_TRACK_SURFACE},
               {"Test Track Condition:", P::IDC_TRACK_CONDITION, DS_READONLY, P::IDC_SEARCH_TRACK_CONDITION}});
    ColumnGeometry right = codes;
    right.x = 282;
    right.editWidth = 90;
    AddColumn(items, right,
              {{"Contract Number:", P::IDC_CONTRACT_NO, DS_UPPERCASE},
               {"Test Reference Number:", P::IDC_TEST_REFERENCE, DS_UPPERCASE},
               {"Closing Speed:", P::IDC_CLOSING_SPEED},
               {"Impact Angle:", P::IDC_IMPACT_ANGLE, DS_NUMBER},
               {"Ambient Temperature:", P::IDC_AMBIENT_TEMP},
               {"Offset Distance:", P::IDC_OFFSET_DISTANCE},
               {"Side Impact Point:", P::IDC_SIDE_IMPACT_POINT},
               {"Total Number of Curves:", P::IDC_CURVE_COUNT, DS_READONLY}});
    return PageTemplate("General Test Info", 509, 232, std::move(items));
}

const DlgTemplate kTestTemplate = TestTemplate();

} // namespace

CVehTestPage::CVehTestPage()
    : CDataPage<D>(&kTestTemplate, kFields, kTips)
    , m_date(*this, IDC_DATE_PICKER, "TEST")
{
}

CVehTestPage::~CVehTestPage() = default;

BOOL CVehTestPage::OnInitDialog()
{
    CDataPage<D>::OnInitDialog();
    m_date.Init(*Edit(IDC_TEST_DATE), [this](const CString& date) {
        if (m_pData)
            m_pData->m_strTestDate = date;
    });
    if (m_pData)
        m_pData->m_bConfigNoticeMuted = true;
    return TRUE;
}

BOOL CVehTestPage::OnSetActive()
{
    SetFieldTypes();
    LoadFromData();
    AllFieldsValid();
    m_strConfigOnEntry = Edit(IDC_CONFIGURATION)->GetText();
    return CPropertyPage::OnSetActive();
}

BOOL CVehTestPage::OnKillActive()
{
    AllFieldsValid();
    SaveToData();
    if (m_pData) {
        m_pData->SetVehicleCount();
        if (m_strConfigOnEntry != m_pData->m_strConfiguration)
            m_pData->m_bConfigChanged = true;
    }
    return CPropertyPage::OnKillActive();
}

void CVehTestPage::LoadFromData()
{
    if (!m_pData)
        return;
    D& data = *m_pData;
    UpdateData(TRUE);
    LoadFields(data, 0);
    if (HasWindow())
        SetDlgItemText(IDC_CURVE_COUNT, IntToCString(data.m_nCurveCount));
    m_date.Load(data.m_strTestDate);
    UpdateData(FALSE);
}

BOOL CVehTestPage::SaveToData()
{
    if (!m_pData)
        return FALSE;
    D& data = *m_pData;
    SaveFields(data, 0);
    if (HasWindow()) {
        data.m_nCurveCount = std::atoi(GetDlgItemText(IDC_CURVE_COUNT));
        CString date = GetDlgItemText(IDC_TEST_DATE);
        date.Trim();
        data.m_strTestDate = date;
    }
    return TRUE;
}

bool CVehTestPage::AllFieldsValid()
{
    m_date.Check();
    return CDataPage<D>::AllFieldsValid();
}

void CVehTestPage::ClearPage()
{
    CDataPage<D>::ClearPage();
    if (HasWindow())
        SetDlgItemText(IDC_CURVE_COUNT, "");
    m_date.EmptyPicker();
}

void CVehTestPage::AfterSearch(int id)
{
    if (id != IDC_CONFIGURATION || !m_pData)
        return;
    const CString configuration = Edit(IDC_CONFIGURATION)->GetText();
    if (m_pData->m_strConfiguration != configuration) {
        m_pData->m_strConfiguration = configuration;
        m_pData->SetVehicleCount();
    }
}
