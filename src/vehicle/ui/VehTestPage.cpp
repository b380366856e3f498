#include "vehicle/ui/VehTestPage.h"

#include "common/Convert.h"
#include "common/RecordLine.h"
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
constexpr int kLabelX = 8, kLabelW = 88, kEditX = 98, kCodeW = 80, kButtonW = 40;
constexpr int kRightLabelX = 282, kRightEditX = 372, kRightEditW = 90;

const DlgTemplate kTestTemplate {
    "General Test Info",
    509,
    232,
    "DejaVu Sans",
    8,
    false,
    {
        {-1, DlgKind::Static, "Version Number:", kLabelX, 12, kLabelW, 9},
        {P::IDC_VERSION, DlgKind::Edit, "", kEditX, 10, 30, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Date:", kRightLabelX, 12, kLabelW, 9},
        {P::IDC_TEST_DATE, DlgKind::Edit, "", kRightEditX, 10, 60, 13, DS_UPPERCASE},
        {P::IDC_DATE_PICKER, DlgKind::Custom, "", 436, 10, 66, 13, 0, &CDateTimeCtrl::Create},
        {-1, DlgKind::Static, "Title:", kLabelX, 30, kLabelW, 9},
        {P::IDC_TITLE, DlgKind::Edit, "", kEditX, 28, 404, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Objectives:", kLabelX, 48, kLabelW, 9},
        {P::IDC_OBJECTIVES, DlgKind::Edit, "", kEditX, 46, 404, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Comments:", kLabelX, 66, kLabelW, 9},
        {P::IDC_TEST_COMMENTS, DlgKind::Edit, "", kEditX, 64, 404, 13, DS_UPPERCASE},

        {-1, DlgKind::Static, "Test Performer:", kLabelX, 90, kLabelW, 9},
        {P::IDC_PERFORMER, DlgKind::Edit, "", kEditX, 88, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_PERFORMER, DlgKind::Button, "Search...", 182, 88, kButtonW, 13},
        {-1, DlgKind::Static, "Test Type:", kLabelX, 108, kLabelW, 9},
        {P::IDC_TEST_TYPE, DlgKind::Edit, "", kEditX, 106, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_TEST_TYPE, DlgKind::Button, "Search...", 182, 106, kButtonW, 13},
        {-1, DlgKind::Static, "Test Configuration:", kLabelX, 126, kLabelW, 9},
        {P::IDC_CONFIGURATION, DlgKind::Edit, "", kEditX, 124, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_CONFIGURATION, DlgKind::Button, "Search...", 182, 124, kButtonW, 13},
        {-1, DlgKind::Static, "Type of Recorder:", kLabelX, 144, kLabelW, 9},
        {P::IDC_RECORDER_TYPE, DlgKind::Edit, "", kEditX, 142, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_RECORDER_TYPE, DlgKind::Button, "Search...", 182, 142, kButtonW, 13},
        {-1, DlgKind::Static, "Data Link to Recorder:", kLabelX, 162, kLabelW, 9},
        {P::IDC_DATA_LINK, DlgKind::Edit, "", kEditX, 160, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_DATA_LINK, DlgKind::Button, "Search...", 182, 160, kButtonW, 13},
        {-1, DlgKind::Static, "Test Track Surface:", kLabelX, 180, kLabelW, 9},
        {P::IDC_TRACK_SURFACE, DlgKind::Edit, "", kEditX, 178, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_TRACK_SURFACE, DlgKind::Button, "Search...", 182, 178, kButtonW, 13},
        {-1, DlgKind::Static, "Test Track Condition:", kLabelX, 198, kLabelW, 9},
        {P::IDC_TRACK_CONDITION, DlgKind::Edit, "", kEditX, 196, kCodeW, 13, DS_READONLY},
        {P::IDC_SEARCH_TRACK_CONDITION, DlgKind::Button, "Search...", 182, 196, kButtonW, 13},

        {-1, DlgKind::Static, "Contract Number:", kRightLabelX, 90, kLabelW, 9},
        {P::IDC_CONTRACT_NO, DlgKind::Edit, "", kRightEditX, 88, kRightEditW, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Test Reference Number:", kRightLabelX, 108, kLabelW, 9},
        {P::IDC_TEST_REFERENCE, DlgKind::Edit, "", kRightEditX, 106, kRightEditW, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Closing Speed:", kRightLabelX, 126, kLabelW, 9},
        {P::IDC_CLOSING_SPEED, DlgKind::Edit, "", kRightEditX, 124, kRightEditW, 13},
        {-1, DlgKind::Static, "Impact Angle:", kRightLabelX, 144, kLabelW, 9},
        {P::IDC_IMPACT_ANGLE, DlgKind::Edit, "", kRightEditX, 142, kRightEditW, 13, DS_NUMBER},
        {-1, DlgKind::Static, "Ambient Temperature:", kRightLabelX, 162, kLabelW, 9},
        {P::IDC_AMBIENT_TEMP, DlgKind::Edit, "", kRightEditX, 160, kRightEditW, 13},
        {-1, DlgKind::Static, "Offset Distance:", kRightLabelX, 180, kLabelW, 9},
        {P::IDC_OFFSET_DISTANCE, DlgKind::Edit, "", kRightEditX, 178, kRightEditW, 13},
        {-1, DlgKind::Static, "Side Impact Point:", kRightLabelX, 198, kLabelW, 9},
        {P::IDC_SIDE_IMPACT_POINT, DlgKind::Edit, "", kRightEditX, 196, kRightEditW, 13},
        {-1, DlgKind::Static, "Total Number of Curves:", kRightLabelX, 216, kLabelW, 9},
        {P::IDC_CURVE_COUNT, DlgKind::Edit, "", kRightEditX, 214, kRightEditW, 13, DS_READONLY},
    },
};

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
