#include "vehicle/ui/VehInstPage.h"

#include "codes/CodeCheck.h"
#include "codes/ui/Search.h"
#include "common/ui/PageLayout.h"
#include "platform/ui/DateTimeCtrl.h"
#include "vehicle/ui/VehPageSupport.h"


namespace {

using P = CVehInstPage;
using V = CVehData;

// Sensor location, attachment and axis are checked and searched by the page: crash-avoidance
// configurations look them up under their own reference.
const PageField<V> kFields[] = {
    {.id = P::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, kVehicleNumberTip), .array = &V::m_saInstVehicleNo,
     .empty = "1"},
    {P::IDC_SENSOR_TYPE, FieldRule::Plain(), nullptr, &V::m_saInstSensorType, "SENTYP", P::IDC_SEARCH_TYPE},
    {P::IDC_SENSOR_LOCATION, FieldRule::Plain(), nullptr, &V::m_saInstSensorLocation},
    {P::IDC_ATTACHMENT, FieldRule::Plain(), nullptr, &V::m_saInstAttachment},
    {P::IDC_AXIS, FieldRule::Plain(), nullptr, &V::m_saInstAxis},
    {.id = P::IDC_XUNITS, .array = &V::m_saInstXUnits, .codeTable = "UNITS", .searchId = P::IDC_SEARCH_XUNITS,
     .empty = "SEC"},
    {P::IDC_YUNITS, FieldRule::Plain(), nullptr, &V::m_saInstYUnits, "UNITS", P::IDC_SEARCH_YUNITS},
    {P::IDC_PREFILTER, FieldRule::Int(0, 99999, true, "Hz (0->99999)"), nullptr, &V::m_saInstPrefilter},
    {P::IDC_MAKER, FieldRule::Text(0, 70, true), nullptr, &V::m_saInstMaker},
    {P::IDC_CALIBRATION_DATE, FieldRule::Text(0, 11, true, "Date (dd/MMM/yyyy)"), nullptr,
     &V::m_saInstCalibrationDate},
    {P::IDC_RATING, FieldRule::Int(-999999, 999999, true, "Hz (-999999->999999)"), nullptr, &V::m_saInstRating},
    {P::IDC_CHANNEL_MAX, FieldRule::Int(0, 999, true, "% Integer (0->999)"), nullptr, &V::m_saInstChannelMax},
    {P::IDC_INITIAL_VELOCITY, FieldRule::Real(-200.0, 200.0, true, "km/hr (-200.00->200.00)"), nullptr,
     &V::m_saInstInitialVelocity},
    {P::IDC_FIRST_POINT, FieldRule::Int(-500000, 0, true, "-500,000->0"), nullptr, &V::m_saInstFirstPoint},
    {P::IDC_LAST_POINT, FieldRule::Int(1, 5000000, true, "0->5,000,000"), nullptr, &V::m_saInstLastPoint},
    {P::IDC_TIME_INCREMENT, FieldRule::Int(0, 999999, true, "Microseconds (0->999999)"), nullptr,
     &V::m_saInstTimeIncrement},
    {P::IDC_DATA_STATUS, FieldRule::Plain(), nullptr, &V::m_saInstDataStatus, "DASTAT", P::IDC_SEARCH_DATA_STATUS},
    {P::IDC_CHANNEL_STATUS, FieldRule::Plain(), nullptr, &V::m_saInstChannelStatus, "CHSTAT",
     P::IDC_SEARCH_CHANNEL_STATUS},
    {P::IDC_COMMENTS, FieldRule::Text(0, 70, true, "Max Length: 71 Chars"), nullptr, &V::m_saInstComments},
};

const FieldRule kFirstPoint = FieldRule::Int(-500000, 0, true, "-500,000->0");
const FieldRule kCrashAvoidanceFirstPoint = FieldRule::Int(-10000, 99999, true, "-500,000->0");

const PageTip kTips[] = {
    {P::IDC_NEXTCURVE_BUTTON, "Go to (or add) the next curve"},
    {P::IDC_DELETE_RECORD, "Delete curve"},
};

constexpr COLORREF kSilver = RGB(192, 192, 192);

struct AxisUnit {
    const char* axis;
    const char* units;
};
// The Y units of a crash-avoidance axis.
const AxisUnit kWarningAxisUnits[] = {{"FG", "BLN"}, {"HY", "FET"}, {"LD", "FET"}, {"LL", "FET"}, {"LV", "MPH"},
                                      {"PD", "G'S"}, {"PS", "MPH"}, {"SS", "MPH"}, {"YW", "DPS"}};
const AxisUnit kRolloverAxisUnits[] = {{"LA", "G'S"}, {"LH", "INS"}, {"LO", "G'S"}, {"PR", "DPS"},
                                       {"RA", "DEG"}, {"RH", "INS"}, {"RR", "DPS"}, {"SS", "MPH"},
                                       {"VA", "G'S"}, {"WA", "DEG"}, {"YR", "DPS"}};

constexpr int Row(int k) { return 8 + 16 * k; }

// The curve number box right of the value column.
constexpr BoxItem kCurveBox[] = {
    {BoxPart::Group, 0, 0, 88, 130},
    {BoxPart::List, 8, 14, 72, 90},
    {BoxPart::Remove, 8, 108, 18, 14},
    {BoxPart::Next, 62, 108, 18, 14},
    {BoxPart::RemoveText, 4, 134, 84, 20},
    {BoxPart::Retain, 4, 158, 84, 22},
};

DlgTemplate InstTemplate()
{
    std::vector<DlgItem> items;
    // The code fields with their searches at the left, the values at the right.
    AddColumn(items, {},
              {{"Test Vehicle Number:", P::IDC_VEHICLE_NO, 0, P::IDC_SEARCH_VEHICLE_NO},
               {"Sensor Type:", P::IDC_SENSOR_TYPE, 0, P::IDC_SEARCH_TYPE},
               {"Sensor Location:", P::IDC_SENSOR_LOCATION, 0, P::IDC_SEARCH_LOCATION},
               {"Sensor Attachment:", P::IDC_ATTACHMENT, 0, P::IDC_SEARCH_ATTACHMENT},
               {"Axis Direction:", P::IDC_AXIS, 0, P::IDC_SEARCH_AXIS},
               {"X Direction Units:", P::IDC_XUNITS, 0, P::IDC_SEARCH_XUNITS},
               {"Y Direction Units:", P::IDC_YUNITS, 0, P::IDC_SEARCH_YUNITS},
               {"Data Status:", P::IDC_DATA_STATUS, 0, P::IDC_SEARCH_DATA_STATUS},
               {"Channel Status:", P::IDC_CHANNEL_STATUS, 0, P::IDC_SEARCH_CHANNEL_STATUS}});
    AddColumn(items, {.x = 200, .labelWidth = 88, .editWidth = 55, .editGap = 2},
              {{"Prefilter Frequency:", P::IDC_PREFILTER},
               {"Instrument Rating:", P::IDC_RATING},
               {"Channel Maximum Rating:", P::IDC_CHANNEL_MAX},
               {"Initial Velocity:", P::IDC_INITIAL_VELOCITY},
               {"First Point:", P::IDC_FIRST_POINT},
               {"Last Point:", P::IDC_LAST_POINT},
               {"Time Increment:", P::IDC_TIME_INCREMENT},
               {"Calibration Date:", P::IDC_CALIBRATION_DATE}});
    // Below its date rather than beside it, and the two wide rows a little apart: their own places.
    items.push_back({P::IDC_DATE_PICKER, DlgKind::Custom, "", 290, Row(8), 70, 13, 0, &CDateTimeCtrl::Create});
    items.push_back({-1, DlgKind::Static, "Manufacturer of\nthe Instrument:", 7, Row(9) + 1, 90, 18});
    items.push_back({P::IDC_MAKER, DlgKind::Edit, "", 100, Row(9) + 2, 295, 13});
    items.push_back({-1, DlgKind::Static, "Instrumentation\nComments:", 7, Row(10) + 5, 90, 18});
    items.push_back({P::IDC_COMMENTS, DlgKind::Edit, "", 100, Row(10) + 6, 295, 13});
    items.push_back({P::IDC_CHECK_CURVE, DlgKind::Button, "Check Curve\nRelated Error", 7, 200, 70, 22, DS_MULTILINE});
    items.push_back({P::IDC_VIEW_CURVE, DlgKind::Button, "View Curve\nRelated Data", 7, 200, 70, 22, DS_MULTILINE});
    items.push_back({P::IDC_HINT, DlgKind::Edit, "", 82, 204, 411, 13, DS_READONLY});
    items.push_back({P::IDC_FIND_NEXT_ERROR, DlgKind::Button, "Find next error", 405, 186, 88, 14});
    AddRecordIndex(items, 405, 4, "Curve Number",
                   RecordControls {P::IDC_RECORD_LIST, P::IDC_NEXTCURVE_BUTTON, P::IDC_DELETE_RECORD, P::IDC_RETAIN_LAST},
                   nullptr, kCurveBox);
    return PageTemplate("Instrumentation Info", 500, 226, std::move(items));
}

const DlgTemplate kInstTemplate = InstTemplate();

const char* const kCrashAvoidance[] = {"FCW", "LDW", "DRO"};

} // namespace

CVehInstPage::CVehInstPage()
    : CDataRecordPage<CVehData>(&kInstTemplate, kFields,
                                {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_RECORD, IDC_RETAIN_LAST},
                                "CVehInstPage", kTips)
    , m_channel(*this, {IDC_RECORD_LIST, IDC_DATE_PICKER},
                {&m_editHint, IDC_CHECK_CURVE, IDC_VIEW_CURVE, IDC_FIND_NEXT_ERROR, Edit(IDC_FIRST_POINT),
                 Edit(IDC_LAST_POINT), Edit(IDC_TIME_INCREMENT)},
                [this] {
                    return m_pData ? ChannelCurveState(*m_pData, m_pData->m_nCurveCheckRequested,
                                                       m_pData->m_nCurveColumnCount)
                                   : CurveCheckState {};
                },
                m_bReady, CCurveCheckPanel::RedOnGreenStyle())
{
}

CVehInstPage::~CVehInstPage() = default;

CString CVehInstPage::Configuration() const { return m_pData ? m_pData->m_strConfiguration : CString(); }

bool CVehInstPage::IsCrashAvoidance() const
{
    const CString config = Configuration();
    for (const char* c : kCrashAvoidance) {
        if (config == c)
            return true;
    }
    return false;
}

BOOL CVehInstPage::OnInitDialog()
{
    CDataRecordPage<CVehData>::OnInitDialog();
    m_channel.OnInitDialog(
        *Edit(IDC_CALIBRATION_DATE), [this] { return m_pData ? &m_pData->m_saInstCalibrationDate : nullptr; },
        [this] { AllFieldsValid(); });
    OnClicked(IDC_SEARCH_LOCATION, [this] { OnSearchLocation(); });
    OnClicked(IDC_SEARCH_ATTACHMENT, [this] { OnSearchAttachment(); });
    OnClicked(IDC_SEARCH_AXIS, [this] { OnSearchAxis(); });
    OnClicked(IDC_SEARCH_VEHICLE_NO, [this] { OnSearchVehicleNumber(); });
    return TRUE;
}

void CVehInstPage::DoDataExchange(CDataExchange* pDX)
{
    CDataRecordPage<CVehData>::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HINT, m_editHint);
}

void CVehInstPage::ApplyConfigRules()
{
    // Only the rules change: no curve recheck.
    const bool ready = m_bReady;
    m_bReady = false;
    ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pData);
    CNEdit& first = *Edit(IDC_FIRST_POINT);
    first.Apply(IsCrashAvoidance() ? kCrashAvoidanceFirstPoint : kFirstPoint);
    first.OnChange();
    m_bReady = ready;
}

BOOL CVehInstPage::OnSetActive()
{
    if (m_pData)
        m_nRecordCount = DataRecordCount(*m_pData);
    m_bReady = false;
    SetFieldTypes();
    ApplyConfigRules();
    m_bReady = true;
    m_channel.curves.FindNextCurveError(0);
    const BOOL result = CDataRecordPage<CVehData>::OnSetActive();
    m_channel.curves.ShowCurveButtons(!m_pData || m_pData->m_nCurveCheckRequested == 0);
    return result;
}

void CVehInstPage::LoadRecord()
{
    m_bReady = false;
    CDataRecordPage<CVehData>::LoadRecord();
    m_bReady = true;
}

void CVehInstPage::ClearPage()
{
    m_bReady = false;
    CDataRecordPage<CVehData>::ClearPage();
    m_bReady = true;
}

void CVehInstPage::LoadExtra(const CVehData& data, int index)
{
    m_channel.date.Show(data.m_saInstCalibrationDate[index]);

    CNEdit& step = *Edit(IDC_TIME_INCREMENT);
    if (step.IsValid())
        step.ShowNormalColors();
    const CString config = Configuration();
    const CString reference = IsCrashAvoidance() ? config : CString("VEHDB");
    CCodeCheck check;
    check.CheckCode(Edit(IDC_SENSOR_LOCATION), "SENLOC", reference);
    check.CheckCode(Edit(IDC_ATTACHMENT), "SENATT", reference);
    check.CheckCode(Edit(IDC_AXIS), "AXIS", reference);
    ApplyConfigRules();
    CString units = data.m_saInstXUnits[index];
    EnableTimeIncrement(units == "SEC", false);
    CString vehicle = data.m_saInstVehicleNo[index];
    vehicle.Trim();
    EnableDlgItem(IDC_SEARCH_LOCATION, !vehicle.IsEmpty());
}

void CVehInstPage::EnableTimeIncrement(bool enable, bool fromRecord)
{
    const CString stored = m_pData ? m_pData->m_saInstTimeIncrement[m_nRecordIndex] : CString();
    EnableTimeField(IDC_TIME_INCREMENT, enable, fromRecord ? &stored : nullptr);
}

void CVehInstPage::SaveExtra(CVehData& data, int /*index*/) { data.m_nCurveCount = m_nRecordCount; }

void CVehInstPage::BuildLocationList(bool warn)
{
    m_arrLocations.RemoveAll();
    if (!m_pData)
        return;
    for (int i = 1; i < m_pData->m_saOccLocation.GetSize(); ++i) {
        CString location = m_pData->m_saOccLocation[i];
        location.Trim();
        if (!location.IsEmpty())
            m_arrLocations.Add(m_pData->m_saOccLocation[i]);
    }
    if (warn && m_arrLocations.IsEmpty() && !IsCrashAvoidance())
        MessageBox(kNoLocationWarning);
    const CString config = Configuration();
    std::vector<const char*> own;
    if (config == "FCW")
        own = {"T1", "T2", "T3"};
    else if (config == "LDW")
        own = {"DL", "DR", "SL", "SR", "BL", "BR"};
    else if (config == "DRO")
        own = {"T1", "T2", "T3", "DL", "DR", "SL", "SR", "BL", "BR"};
    for (const char* location : own)
        m_arrLocations.Add(location);
    for (const char* always : {"OT", "NA"}) {
        bool present = false;
        for (const CString& location : m_arrLocations)
            present = present || location == always;
        if (!present)
            m_arrLocations.Add(always);
    }
}

void CVehInstPage::BuildAxisList()
{
    m_arrAxes.RemoveAll();
    const CString config = Configuration();
    std::vector<const char*> axes;
    if (config == "FCW")
        axes = {"FG", "HY", "LD", "PA", "PS", "SA", "AS", "CN", "HS", "VS", "YW"};
    else if (config == "LDW")
        axes = {"LV", "LL", "AS", "CN", "HS", "VS", "YW"};
    else if (config == "DRO")
        axes = {"WA", "LO", "LA", "VA", "RR", "PR", "YR", "LH", "RH", "RA"};
    for (const char* axis : axes)
        m_arrAxes.Add(axis);
    for (const char* axis : {"HA", "SS", "NA", "OT"})
        m_arrAxes.Add(axis);
}

bool CVehInstPage::AllFieldsValid()
{
    if (m_pData && m_pData->m_nCurveCount == 0)
        return true;
    bool valid = true;
    for (const auto& edit : m_edits) {
        if (edit.get() != Edit(IDC_SENSOR_LOCATION))
            valid = edit->IsValid() && valid;
    }
    CNEdit& location = *Edit(IDC_SENSOR_LOCATION);
    bool locationValid = location.IsValid();
    BuildLocationList(false);
    CCodeListCheck::IsEditTextInList(&m_arrLocations, &location, &locationValid);
    location.SetValidFlag(locationValid);
    location.SetColors(CNEdit::kBlack, locationValid ? kSilver : CNEdit::kYellow);
    if (!valid || !locationValid)
        return false;
    return m_channel.curves.ShowRecordCurveError(m_nRecordIndex);
}

BOOL CVehInstPage::OnKillActive()
{
    // Never refused: the check only colours, Save Test's check stops at a bad channel.
    AllFieldsValid();
    SaveRecord();
    CheckRecords([this](int) { return AllFieldsValid(); }, true);
    return CRecordPage::OnKillActive();
}

void CVehInstPage::NewRecord()
{
    CDataRecordPage<CVehData>::NewRecord();
    if (m_pData && !m_bRetainLast)
        m_pData->m_saInstVehicleNo.SetAtGrow(m_nRecordIndex, NewVehicleNumber(*m_pData));
    m_channel.date.PickToday();
}

void CVehInstPage::AfterNext()
{
    CDataRecordPage<CVehData>::AfterNext();
    ApplyConfigRules();
}

void CVehInstPage::AfterSearch(int id)
{
    if (id != IDC_XUNITS)
        return;
    EnableTimeIncrement(Edit(IDC_XUNITS)->GetText() == "SEC", true);
}

void CVehInstPage::OnSearchLocation()
{
    if (IsEnterHeldDown())
        return;
    BuildLocationList(true);
    const bool crashAvoidance = IsCrashAvoidance();
    SearchInto(IDC_SENSOR_LOCATION, {.table = crashAvoidance ? "SENLOC" : "OCCLOC",
                                     .tag = "VEHDB",
                                     .codes = &m_arrLocations,
                                     .testType = crashAvoidance ? Configuration() : CString()});
}

void CVehInstPage::OnSearchAttachment()
{
    SearchInto(IDC_ATTACHMENT, {"SENATT", IsCrashAvoidance() ? Configuration() : CString("VEHDB")});
}

void CVehInstPage::OnSearchAxis()
{
    if (IsEnterHeldDown())
        return;
    const CString config = Configuration();
    CodeSearchRequest request {"AXIS", "VEHDB"};
    if (IsCrashAvoidance()) {
        BuildAxisList();
        request = {.table = "AXIS", .tag = config, .codes = &m_arrAxes, .testType = config};
    }
    SearchInto(IDC_AXIS, request, [this, config](const CString& axis, const CString&) {
        if (!IsCrashAvoidance())
            return;
        const bool rollover = config == "DRO";
        for (const AxisUnit& pair : rollover ? std::span<const AxisUnit>(kRolloverAxisUnits)
                                             : std::span<const AxisUnit>(kWarningAxisUnits)) {
            if (axis == pair.axis)
                Edit(IDC_YUNITS)->SetText(pair.units);
        }
    });
}

void CVehInstPage::OnSearchVehicleNumber()
{
    UpdateData(TRUE);
    if (PickVehicleNumber(m_pData, *Edit(IDC_VEHICLE_NO))) {
        CString vehicle = Edit(IDC_VEHICLE_NO)->GetText();
        EnableDlgItem(IDC_SEARCH_LOCATION, !vehicle.IsEmpty());
    }
    UpdateData(FALSE);
}
