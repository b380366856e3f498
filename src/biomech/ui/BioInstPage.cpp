#include "biomech/ui/BioInstPage.h"

#include "codes/CodeCheck.h"
#include "codes/ui/Search.h"
#include "common/ui/PageLayout.h"
#include "platform/ui/DateTimeCtrl.h"

namespace {

using P = CBioInstPage;
using D = CBioData;

constexpr const char* kTag = "BIODB";

// The chain (attachment, Y units, location, type) is checked and searched by the page itself.
const PageField<D> kFields[] = {
    {.id = P::IDC_ATTACHMENT, .array = &D::m_saInstAttachment},
    {.id = P::IDC_YUNITS, .array = &D::m_saInstYUnits},
    {.id = P::IDC_SENSOR_LOCATION, .array = &D::m_saInstSensorLocation},
    {.id = P::IDC_SENSOR_TYPE, .array = &D::m_saInstSensorType},
    {.id = P::IDC_AXIS, .array = &D::m_saInstAxis, .codeTable = "AXIS"},
    {.id = P::IDC_XUNITS, .array = &D::m_saInstXUnits, .codeTable = "UNITS", .searchId = P::IDC_SEARCH_XUNITS,
     .empty = "SEC"},
    {.id = P::IDC_MAKER, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstMaker},
    {.id = P::IDC_RATING, .rule = FieldRule::Int(-999999, 999999, true, "-999999->999999"), .array = &D::m_saInstRating},
    {.id = P::IDC_CHANNEL_MAX, .rule = FieldRule::Int(0, 999, true, "% (Integer 0->999)"),
     .array = &D::m_saInstChannelMax},
    {.id = P::IDC_INITIAL_VELOCITY, .rule = FieldRule::Real(-200.0, 200.0, true, "Kilometers/Hour (-200.0->200.0)"),
     .array = &D::m_saInstInitialVelocity},
    {.id = P::IDC_FIRST_POINT, .rule = FieldRule::Int(-500000, 0, true, "-50,000->0"), .array = &D::m_saInstFirstPoint},
    {.id = P::IDC_LAST_POINT, .rule = FieldRule::Int(0, 5000000, true, "0->5,000,000"), .array = &D::m_saInstLastPoint},
    {.id = P::IDC_TIME_INCREMENT, .rule = FieldRule::Int(0, 999999, true, "Microseconds (0->999999)"),
     .array = &D::m_saInstTimeIncrement},
    {.id = P::IDC_DATA_STATUS, .array = &D::m_saInstDataStatus, .codeTable = "DASTAT",
     .searchId = P::IDC_SEARCH_DATA_STATUS, .empty = "AM"},
    {.id = P::IDC_CHANNEL_STATUS, .array = &D::m_saInstChannelStatus, .codeTable = "CHSTAT",
     .searchId = P::IDC_SEARCH_CHANNEL_STATUS, .empty = "P"},
    {.id = P::IDC_CALIBRATION_DATE, .rule = FieldRule::Text(0, 11, true, "Date (dd/MMM/yyyy)"),
     .array = &D::m_saInstCalibrationDate},
    {.id = P::IDC_PREFILTER, .rule = FieldRule::Int(0, 99999, true, "Hz (0->99999)"), .array = &D::m_saInstPrefilter},
    {.id = P::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstComments},
};

const PageTip kTips[] = {
    {P::IDC_NEXTCURVE_BUTTON, "Go to (or add) the next curve"},
    {IDC_BIO_DELETE, "Delete curve"},
};

constexpr RecordControls kControls {P::IDC_RECORD_LIST, P::IDC_NEXTCURVE_BUTTON, IDC_BIO_DELETE, IDC_BIO_RETAIN_LAST};

DlgTemplate InstTemplate()
{
    std::vector<DlgItem> items;
    items.push_back({-1, DlgKind::GroupBox, "Code Narrowing Zone", 3, 2, 200, 78});
    AddColumn(items, {.x = 8, .y = 14, .labelWidth = 95, .editWidth = 45},
              {{"Sensor Attachment:", P::IDC_ATTACHMENT, DS_READONLY, P::IDC_SEARCH_ATTACHMENT},
               {"Y Units:", P::IDC_YUNITS, DS_READONLY, P::IDC_SEARCH_YUNITS},
               {"Sensor Location:", P::IDC_SENSOR_LOCATION, DS_READONLY, P::IDC_SEARCH_LOCATION},
               {"Sensor Type:", P::IDC_SENSOR_TYPE, DS_READONLY, P::IDC_SEARCH_TYPE}});
    AddColumn(items, {.x = 8, .y = 86, .labelWidth = 95, .editWidth = 45},
              {{"Axis:", P::IDC_AXIS, DS_READONLY, P::IDC_SEARCH_AXIS},
               {"X Units:", P::IDC_XUNITS, DS_READONLY, P::IDC_SEARCH_XUNITS},
               {"Data Status:", P::IDC_DATA_STATUS, DS_READONLY, P::IDC_SEARCH_DATA_STATUS},
               {"Channel Status:", P::IDC_CHANNEL_STATUS, DS_READONLY, P::IDC_SEARCH_CHANNEL_STATUS}});
    AddColumn(items, {.x = 212, .y = 8, .labelWidth = 90, .editWidth = 60},
              {{"Instrument Rating:", P::IDC_RATING},
               {"Channel Maximum Rating:", P::IDC_CHANNEL_MAX},
               {"Initial Velocity:", P::IDC_INITIAL_VELOCITY},
               {"First Point:", P::IDC_FIRST_POINT},
               {"Last Point:", P::IDC_LAST_POINT},
               {"Time Step:", P::IDC_TIME_INCREMENT},
               {"Prefilter Frequency:", P::IDC_PREFILTER},
               {"Calibration Date:", P::IDC_CALIBRATION_DATE, DS_UPPERCASE}});
    items.push_back({P::IDC_DATE_PICKER, DlgKind::Custom, "", 305, 136, 62, 13, 0, &CDateTimeCtrl::Create});
    AddColumn(items, {.x = 8, .y = 156, .labelWidth = 95, .editWidth = 290},
              {{"Instrument Manufacturer:", P::IDC_MAKER, DS_UPPERCASE},
               {"Instrumentation\nComments:", P::IDC_COMMENTS, DS_UPPERCASE}});
    items.push_back({P::IDC_CHECK_CURVE, DlgKind::Button, "Check Curve\nRelated Error", 8, 200, 70, 22, DS_MULTILINE});
    items.push_back({P::IDC_VIEW_CURVE, DlgKind::Button, "View Curve Related Data", 8, 200, 70, 22, DS_MULTILINE});
    items.push_back({P::IDC_HINT, DlgKind::Edit, "", 82, 204, 300, 13, DS_READONLY});
    items.push_back({P::IDC_FIND_NEXT_ERROR, DlgKind::Button, "Find next error", 388, 204, 80, 14});
    AddRecordIndex(items, 380, 4, "Curve Number", kControls);
    return PageTemplate("Instrumentation Info", 540, 228, std::move(items));
}

const DlgTemplate kInstTemplate = InstTemplate();

} // namespace

CBioInstPage::CBioInstPage()
    : CBioRecordPage(&kInstTemplate, kFields, kControls, "CBioInstPage", &D::m_nCurveCount, kTips)
    , m_channel(*this, {IDC_RECORD_LIST, IDC_DATE_PICKER},
                {&m_editHint, IDC_CHECK_CURVE, IDC_VIEW_CURVE, IDC_FIND_NEXT_ERROR, Edit(IDC_FIRST_POINT),
                 Edit(IDC_LAST_POINT), Edit(IDC_TIME_INCREMENT)},
                [this] {
                    return m_pData ? ChannelCurveState(*m_pData, m_pData->m_nCheckCurves, m_nCurveColumnCount)
                                   : CurveCheckState {};
                },
                m_bReady, CCurveCheckPanel::GreyStyle())
{
}

CBioInstPage::~CBioInstPage() = default;

BOOL CBioInstPage::OnInitDialog()
{
    CBioRecordPage::OnInitDialog();
    m_channel.OnInitDialog(
        *Edit(IDC_CALIBRATION_DATE), [this] { return m_pData ? &m_pData->m_saInstCalibrationDate : nullptr; },
        [this] { AllFieldsValid(); });
    OnClicked(IDC_SEARCH_ATTACHMENT, [this] { OnSearchAttachment(); });
    OnClicked(IDC_SEARCH_YUNITS, [this] { OnSearchYUnits(); });
    OnClicked(IDC_SEARCH_LOCATION, [this] { OnSearchLocation(); });
    OnClicked(IDC_SEARCH_TYPE, [this] { OnSearchType(); });
    OnClicked(IDC_SEARCH_AXIS, [this] { OnSearchAxis(); });
    return TRUE;
}

void CBioInstPage::DoDataExchange(CDataExchange* pDX)
{
    CBioRecordPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HINT, m_editHint);
}

BOOL CBioInstPage::OnSetActive()
{
    if (m_pData && m_pData->m_nCheckCurves == 0)
        m_channel.curves.ShowCurveButtons(true);
    m_channel.curves.FindNextCurveError(0);
    const BOOL result = CBioRecordPage::OnSetActive();
    m_channel.curves.ShowCurveButtons(!m_pData || m_pData->m_nCheckCurves == 0);
    return result;
}

void CBioInstPage::LoadRecord()
{
    m_bReady = false;
    CBioRecordPage::LoadRecord();
    m_bReady = true;
}

void CBioInstPage::ClearPage()
{
    m_bReady = false;
    CBioRecordPage::ClearPage();
    m_bReady = true;
}

void CBioInstPage::LoadExtra(const CBioData& data, int index)
{
    m_channel.date.Show(data.m_saInstCalibrationDate[index]);
    const CString attachment = Edit(IDC_ATTACHMENT)->GetText();
    const CString units = Edit(IDC_YUNITS)->GetText();
    CCodeCheck check;
    check.CheckCode(Edit(IDC_ATTACHMENT), "SENATT", kTag);
    check.CheckCodeBySql(Edit(IDC_YUNITS), codesql::UnitsOfAttachment(attachment));
    check.CheckCodeBySql(Edit(IDC_SENSOR_LOCATION), codesql::LocationsOfAttachmentAndUnit(attachment, units));
    check.CheckCodeBySql(Edit(IDC_SENSOR_TYPE), codesql::SensorTypesOfUnit(units));
    EnableTimeStep(true);
    EnableChainSearches();
}

void CBioInstPage::EnableTimeStep(bool fromRecord)
{
    CNEdit& step = *Edit(IDC_TIME_INCREMENT);
    if (Edit(IDC_XUNITS)->GetText() == "SEC") {
        EnableDlgItem(IDC_TIME_INCREMENT, true);
        return;
    }
    // Time steps mean nothing on another axis: the channel's is 0, the field keeps its text.
    if (fromRecord && m_pData && m_nRecordIndex > 0)
        m_pData->m_saInstTimeIncrement.SetAtGrow(m_nRecordIndex, "0");
    step.SetValid(true);
    EnableDlgItem(IDC_TIME_INCREMENT, false);
}

void CBioInstPage::EnableChainSearches()
{
    CNEdit& attachment = *Edit(IDC_ATTACHMENT);
    CNEdit& units = *Edit(IDC_YUNITS);
    EnableDlgItem(IDC_SEARCH_YUNITS, !attachment.GetText().IsEmpty() && attachment.IsValid());
    const bool haveUnits = !units.GetText().IsEmpty() && units.IsValid();
    for (int id : {IDC_SEARCH_LOCATION, IDC_SEARCH_TYPE, IDC_SEARCH_AXIS, IDC_SEARCH_XUNITS})
        EnableDlgItem(id, haveUnits);
}

void CBioInstPage::SaveExtra(CBioData& data, int index)
{
    CBioRecordPage::SaveExtra(data, index);
    data.m_nInstCount = m_nRecordCount;
}

bool CBioInstPage::AllFieldsValid()
{
    const bool valid = CBioRecordPage::AllFieldsValid();
    // Only a channel that disagrees with its curve file is invalid; the file's own faults are told.
    const bool curves = m_channel.curves.ShowRecordCurveError(m_nRecordIndex);
    return valid && curves;
}

void CBioInstPage::NewRecord()
{
    CBioRecordPage::NewRecord();
    m_channel.date.PickToday();
}

void CBioInstPage::AfterSearch(int id)
{
    if (id == IDC_XUNITS)
        EnableTimeStep(false);
}

void CBioInstPage::OnSearchAttachment()
{
    const CString shown = Edit(IDC_ATTACHMENT)->GetText();
    SearchInto(IDC_ATTACHMENT, {.table = "SENATT", .query = codesql::AttachmentRows()},
               [this, shown](const CString& code, const CString&) {
                   if (!code.IsEmpty() && code == shown)
                       return;
                   // A new attachment asks for the rest of the chain again.
                   for (int id : {IDC_YUNITS, IDC_SENSOR_LOCATION, IDC_SENSOR_TYPE, IDC_AXIS}) {
                       Edit(id)->SetText("");
                       Edit(id)->SetValid(true);
                   }
                   for (int id : {IDC_SEARCH_YUNITS, IDC_SEARCH_LOCATION, IDC_SEARCH_TYPE, IDC_SEARCH_AXIS,
                                  IDC_SEARCH_XUNITS})
                       EnableDlgItem(id, false);
                   EnableDlgItem(IDC_SEARCH_YUNITS, !code.IsEmpty());
               });
}

void CBioInstPage::OnSearchYUnits()
{
    if (IsEnterHeldDown())
        return;
    const CString attachment = Edit(IDC_ATTACHMENT)->GetText();
    if (attachment.IsEmpty()) {
        MessageBox(kAttachmentFirst);
        return;
    }
    const CString shown = Edit(IDC_YUNITS)->GetText();
    SearchInto(IDC_YUNITS, {"UNITS", attachment, "BIO_YUNITS"},
               [this, shown](const CString& unit, const CString& location) {
                   if (unit.IsEmpty() || unit != shown) {
                       for (int id : {IDC_SENSOR_LOCATION, IDC_SENSOR_TYPE, IDC_AXIS}) {
                           Edit(id)->SetText("");
                           Edit(id)->SetValid(true);
                       }
                   }
                   if (!location.IsEmpty()) {
                       Edit(IDC_SENSOR_LOCATION)->SetText(location);
                       Edit(IDC_SENSOR_LOCATION)->SetValid(true);
                       for (int id : {IDC_SEARCH_TYPE, IDC_SEARCH_AXIS, IDC_SEARCH_XUNITS})
                           EnableDlgItem(id, true);
                   } else {
                       EnableDlgItem(IDC_SEARCH_LOCATION, true);
                   }
               });
}

void CBioInstPage::BuildLocationList()
{
    m_arrLocations.RemoveAll();
    if (!m_pData)
        return;
    const CString& type = m_pData->m_strOccupantType;
    const bool biological = type.IsEmpty() || type == "AN" || type == "CD" || type == "HU";
    CString location = biological ? m_pData->m_strBioLocation : m_pData->m_strDumLocation;
    if (!CString(location).Trim().IsEmpty())
        m_arrLocations.Add(location);
    for (const char* always : {"AP", "NA", "OT"}) {
        bool present = false;
        for (const CString& known : m_arrLocations)
            present = present || known == always;
        if (!present)
            m_arrLocations.Add(always);
    }
}

void CBioInstPage::OnSearchLocation()
{
    if (IsEnterHeldDown())
        return;
    BuildLocationList();
    SearchInto(IDC_SENSOR_LOCATION, {.table = "OCCLOC", .tag = kTag, .codes = &m_arrLocations},
               [this](const CString& code, const CString&) {
                   for (int id : {IDC_SEARCH_TYPE, IDC_SEARCH_AXIS, IDC_SEARCH_XUNITS})
                       EnableDlgItem(id, !code.IsEmpty());
               });
}

void CBioInstPage::OnSearchType()
{
    if (IsEnterHeldDown())
        return;
    const CString units = Edit(IDC_YUNITS)->GetText();
    if (units.IsEmpty()) {
        MessageBox(kUnitsBeforeType);
        return;
    }
    SearchInto(IDC_SENSOR_TYPE, {.table = "SENTYP", .query = codesql::SensorTypeRowsOfUnit(units)});
}

void CBioInstPage::OnSearchAxis()
{
    if (IsEnterHeldDown())
        return;
    if (Edit(IDC_YUNITS)->GetText().IsEmpty()) {
        MessageBox(kUnitsBeforeAxis);
        return;
    }
    if (Edit(IDC_SENSOR_LOCATION)->GetText().IsEmpty()) {
        MessageBox(kLocationBeforeAxis);
        return;
    }
    SearchInto(IDC_AXIS, {"AXIS", kTag});
}
