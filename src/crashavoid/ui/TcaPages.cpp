#include "crashavoid/ui/TcaPages.h"

#include "codes/ui/CodeFields.h"
#include "common/ui/DatePickerText.h"
#include "crashavoid/ui/TcaTemplates.h"
#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DateTimeCtrl.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <cstdlib>

namespace {

const char* const kTca = "TCADB";
const char* const kVeh = "VEHDB";

// Fills a combo box's list from the template's initial data.
void FillCombo(CDlgControls& page, int id, std::initializer_list<const char*> entries, bool sorted = false)
{
    auto* box = page.Item<QComboBox>(id);
    if (!box)
        return;
    CComboBox combo(box);
    combo.SetSorted(sorted);
    combo.ResetContent();
    for (const char* entry : entries)
        combo.AddString(entry);
    box->setCurrentIndex(-1);
}

// A value the file would read as the end of its section, or as a comment at the start of a line.
bool BreaksFileLine(const std::string& value, bool lineStart)
{
    return value.find("-----") != std::string::npos || (lineStart && !value.empty() && value[0] == '#');
}

// The fields' valid flags, the codes checked again first (a code may have been typed); a value
// that would break its file line is refused too, its field shown invalid. `lineStart` is the
// first field of the file line; fields `judged` refuses never hold the page (their colours still
// show a bad value).
template <class Page, class Judged>
bool TcaFieldsValid(Page& page, int lineStart, Judged judged)
{
    bool valid = true;
    for (const auto& row : page.Fields()) {
        if (!judged(row.id))
            continue;
        CNEdit& edit = *page.Edit(row.id);
        if (BreaksFileLine(edit.GetStdText(), row.id == lineStart)) {
            edit.SetValid(false);
            valid = false;
        } else if (row.rule.type == FieldType::None && !row.codeTable) {
            // Nothing else judges a plain field: it is good again once it breaks no line.
            if (!edit.IsValid())
                edit.SetValid(true);
        } else if (!edit.IsValid()) {
            valid = false;
        }
    }
    return valid;
}
template <class Page> bool TcaFieldsValid(Page& page, int lineStart)
{
    return TcaFieldsValid(page, lineStart, [](int) { return true; });
}

// The crash-avoidance record pages never move while the shown record cannot be stored (the typed
// input stays in front), and "X" shows the record that took the removed one's place.
template <class Page> void UseTcaNavigation(Page& page)
{
    page.m_bSilentRefusal = true;
    page.m_bDeleteShowsNext = true;
}

// A date picker shows its field's date.
void ShowDate(CDlgControls& page, int pickerId, const std::string& text)
{
    if (auto* picker = page.Item<CDateTimeCtrl>(pickerId))
        ShowTextInPicker(text, *picker);
}
void ConnectPicker(CDlgControls& page, CNEdit& field, int pickerId)
{
    if (auto* picker = page.Item<CDateTimeCtrl>(pickerId)) {
        QObject::connect(picker, &CDateTimeCtrl::DateTimeChange, picker, [&field, picker](const NMDATETIMECHANGE& change) {
            field.SetStdText(SetDateTimeCtrlFromText(change, *picker));
        });
    }
}

// ---- test page ----

using T = TcaTestRecord;
using TP = CTcaTestPage;
const PageField<CTcaData, T> kTestFields[] = {
    {.id = TP::IDC_VERSION, .rule = FieldRule::Text(0, 2, true, "string: T5"), .empty = "T5", .text = &T::m_strVersion},
    {.id = TP::IDC_TITLE, .rule = FieldRule::Text(0, 70, true, "max: 70 chars"), .text = &T::m_strTitle},
    {.id = TP::IDC_OBJECTIVE, .rule = FieldRule::Text(0, 70, true, "max: 70 chars"), .text = &T::m_strObjective},
    {.id = TP::IDC_TEST_DATE, .rule = FieldRule::Plain("Date: dd/MMM/yyyy"), .text = &T::m_strDate},
    {.id = TP::IDC_PERFORMER, .rule = FieldRule::Plain("Code: selected from 'Find'"), .codeTable = "TSTPRF", .searchId = TP::IDC_FIND_PERFORMER, .text = &T::m_strPerformer, .tag = kVeh, .searchTag = kTca},
    {.id = TP::IDC_CONTRACT, .rule = FieldRule::Text(0, 17, true, "max: 17 chars"), .text = &T::m_strContract},
    {.id = TP::IDC_REFERENCE, .rule = FieldRule::Text(0, 16, true, "string: 16 chars"), .text = &T::m_strReference},
    {.id = TP::IDC_TEST_TYPE, .rule = FieldRule::Plain("Code: selected from 'Find'"), .codeTable = "TSTTYP", .searchId = TP::IDC_FIND_TEST_TYPE, .empty = "NCA", .text = &T::m_strType, .tag = kVeh, .searchTag = kTca},
    {.id = TP::IDC_CONFIGURATION, .rule = FieldRule::Plain("Code: selected from 'Find'"), .codeTable = "TSTCFN", .searchId = TP::IDC_FIND_CONFIGURATION, .text = &T::m_strConfiguration, .tag = kTca},
    {.id = TP::IDC_WARNING_DISTANCE, .rule = FieldRule::Plain("mm: 0 to 99999"), .text = &T::m_strWarningDistance},
    {.id = TP::IDC_ROAD_SURFACE, .rule = FieldRule::Plain("Code: selected from 'Find'"), .codeTable = "TKSURF", .searchId = TP::IDC_FIND_ROAD_SURFACE, .text = &T::m_strRoadSurface, .tag = kTca},
    {.id = TP::IDC_ROAD_CONDITION, .rule = FieldRule::Plain("Code: selected from 'Find'"), .codeTable = "TKCOND", .searchId = TP::IDC_FIND_ROAD_CONDITION, .text = &T::m_strRoadCondition, .tag = kTca},
    {.id = TP::IDC_AMBIENT_TEMPERATURE, .rule = FieldRule::Real(-99.99, 99.99, true, "degree: -99.99 to 99.99"), .text = &T::m_strAmbientTemperature},
    {.id = TP::IDC_TOTAL_CURVES, .rule = FieldRule::Plain("integer: determined by total channels in INSTRUMENTATION"), .text = &T::m_strTotalCurves},
    {.id = TP::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true, "max: 70 chars"), .text = &T::m_strComments},
    {.id = TP::IDC_STATUS, .rule = FieldRule::Text(0, 1, true, "max: 1 chars"), .text = &T::m_strStatus},
};

// ---- vehicle page ----

using V = TcaVehicleRecord;
using VP = CTcaVehPage;
const PageField<CTcaData, V> kVehicleFields[] = {
    {.id = VP::IDC_VEHICLE_TYPE, .codeTable = "VEHTYP", .searchId = VP::IDC_FIND_VEHICLE_TYPE, .text = &V::m_strType, .tag = kTca},
    {.id = VP::IDC_MAKE, .codeTable = "MAKE", .text = &V::m_strMake, .tag = kVeh},
    {.id = VP::IDC_MODEL, .codeTable = "MODEL", .text = &V::m_strModel, .tag = kVeh},
    {.id = VP::IDC_BODY, .codeTable = "BODY", .searchId = VP::IDC_FIND_BODY, .text = &V::m_strBody, .tag = kVeh},
    {.id = VP::IDC_YEAR, .rule = FieldRule::Int(2000, 2025, true, "integer: 2000 to 2020"), .text = &V::m_strYear},
    {.id = VP::IDC_KAVRO_NUMBER, .text = &V::m_strKavroNumber},
    {.id = VP::IDC_VIN, .rule = FieldRule::Text(0, 11, true, "chars: 11 (without series No.) required"), .text = &V::m_strVin},
    {.id = VP::IDC_ENGINE, .rule = FieldRule::Real(0.0, 9.0, true, "liters: 0.0 to 9"), .text = &V::m_strEngine},
    {.id = VP::IDC_TRANSMISSION, .codeTable = "TRANSM", .searchId = VP::IDC_FIND_TRANSMISSION, .text = &V::m_strTransmission, .tag = kVeh},
    {.id = VP::IDC_ABS, .text = &V::m_strAbs},
    {.id = VP::IDC_CRUISE_CONTROL, .text = &V::m_strCruiseControl},
    {.id = VP::IDC_BRAKE_SYSTEM, .text = &V::m_strBrakeSystem},
    {.id = VP::IDC_TRIMLINE, .rule = FieldRule::Text(0, 15, true, "Max: 15 chars"), .text = &V::m_strTrimline},
    {.id = VP::IDC_CURB_WEIGHT, .rule = FieldRule::Real(0.0, 9999.99, true, "kg: 0 to 9999.99"), .text = &V::m_strCurbWeight},
    {.id = VP::IDC_TEST_WEIGHT, .rule = FieldRule::Real(0.0, 9999.99, true, "kg: 0 to 9999.99"), .text = &V::m_strTestWeight},
    {.id = VP::IDC_TIRE_SIZE, .rule = FieldRule::Text(0, 16, true, "String: 16 chars"), .text = &V::m_strTireSize},
    {.id = VP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 70, true, "Max: 70 chars"), .text = &V::m_strCommentary},
    {.id = VP::IDC_WIDTH, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &V::m_strWidth},
};

// ---- instrumentation page ----

using I = TcaInstRecord;
using IP = CTcaInstPage;
const PageField<CTcaData, I> kInstFields[] = {
    {.id = IP::IDC_VEHICLE_NUMBER, .text = &I::m_strVehicleNumber},
    // The tag of the sub-type is the test's configuration (CodeTag).
    {.id = IP::IDC_SUB_TYPE, .codeTable = "SUBTYPE", .text = &I::m_strSubType},
    {.id = IP::IDC_TRIAL_NUMBER, .rule = FieldRule::Int(0, 100, true, "integer: 0 to 100"), .text = &I::m_strTrialNumber},
    {.id = IP::IDC_DEPENDENT_VARIABLE, .codeTable = "SENTYP", .searchId = IP::IDC_FIND_DEPENDENT_VARIABLE, .text = &I::m_strDependentVariable, .tag = kTca},
    {.id = IP::IDC_MANUFACTURER, .rule = FieldRule::Text(0, 70, true, "Max length: 70 chars"), .text = &I::m_strManufacturer},
    {.id = IP::IDC_VELOCITY, .rule = FieldRule::Real(0.0, 100.0, true, "km/h: 0.0, 100.0"), .text = &I::m_strVelocity},
    {.id = IP::IDC_TECH_DISABLED, .text = &I::m_strTechDisabled},
    {.id = IP::IDC_TECH_DESCRIPTION, .rule = FieldRule::Text(0, 70, true, "Max length: 70 char"), .text = &I::m_strTechDescription},
    {.id = IP::IDC_PERFORMANCE, .text = &I::m_strPerformance},
    {.id = IP::IDC_PERFORMANCE_DESCRIPTION, .rule = FieldRule::Text(0, 70, true, "Max length: 70 char"), .text = &I::m_strPerformanceDescription},
    {.id = IP::IDC_TEST_STATUS, .text = &I::m_strTestStatus},
    {.id = IP::IDC_ALERT_LOCATION, .text = &I::m_strAlertLocation},
    {.id = IP::IDC_ALERT_REPEAT, .text = &I::m_strAlertRepeatTime},
    {.id = IP::IDC_TIME_INTERVAL, .rule = FieldRule::Int(0, 99999, true, "micro-seconds: 0 to 99999"), .text = &I::m_strTimeInterval},
    {.id = IP::IDC_X_UNIT, .codeTable = "UNITS", .searchId = IP::IDC_FIND_X_UNIT, .empty = "SEC", .text = &I::m_strXUnit, .tag = kVeh},
    {.id = IP::IDC_Y_UNIT, .codeTable = "UNITS", .searchId = IP::IDC_FIND_Y_UNIT, .text = &I::m_strYUnit, .tag = kVeh},
    {.id = IP::IDC_SPARE_1, .text = &I::m_strSpareCount1},
    {.id = IP::IDC_SYNC_FREQUENCY, .rule = FieldRule::Int(0, 10000, true, "Hz: 0 to 10,000"), .text = &I::m_strSyncFrequency},
    {.id = IP::IDC_SPARE_2, .text = &I::m_strSpareCount2},
    {.id = IP::IDC_FIRST_POINT, .rule = FieldRule::Int(-999999, 0, true, "integer: -999999 to 0"), .text = &I::m_strFirstPoint},
    {.id = IP::IDC_LAST_POINT, .rule = FieldRule::Int(1, 9999999, true, "integer: 1 to 9999999"), .text = &I::m_strLastPoint},
    {.id = IP::IDC_DATA_STATUS, .codeTable = "DASTAT", .searchId = IP::IDC_FIND_DATA_STATUS, .text = &I::m_strDataStatus, .tag = kVeh},
    {.id = IP::IDC_CHANNEL_STATUS, .codeTable = "CHSTAT", .searchId = IP::IDC_FIND_CHANNEL_STATUS, .text = &I::m_strChannelStatus, .tag = kVeh},
    {.id = IP::IDC_CHANNEL_TYPE, .codeTable = "CHANTYP", .text = &I::m_strChannelType, .tag = kTca},
    {.id = IP::IDC_CALIBRATION_DATE, .text = &I::m_strCalibrationDate},
    {.id = IP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 500, true, "Max length: 500 chars"), .text = &I::m_strCommentary},
    {.id = IP::IDC_HEAD_LAMP, .text = &I::m_strHeadLampDevice},
    {.id = IP::IDC_UPPER_BEAM, .text = &I::m_strUpperBeamDevice},
};

// ---- lower-beam page ----

using L = TcaLBeamRecord;
using LP = CTcaLBeamPage;
const std::vector<PageField<CTcaData, L>>& LBeamFields()
{
    static const std::vector<PageField<CTcaData, L>> fields = [] {
        std::vector<PageField<CTcaData, L>> f {
            {.id = LP::IDC_VEHICLE_NUMBER, .rule = FieldRule::Int(1, 10, true, "Number: 1 to 10"), .text = &L::m_strVehicleNumber},
            {.id = LP::IDC_AMBIENT_TEMPERATURE, .rule = FieldRule::Real(-99.99, 99.99, true, "degree: -99.99 to 99.99"), .text = &L::m_strAmbientTemperature},
            {.id = LP::IDC_WIND_SPEED, .rule = FieldRule::Int(-99, 99, true, "km/hr: -99 to 99"), .text = &L::m_strWindSpeed},
            {.id = LP::IDC_DETECTOR, .codeTable = "DETC", .searchId = LP::IDC_FIND_DETECTOR, .text = &L::m_strDetector, .tag = kVeh},
        };
        for (int i = 0; i < kTcaBeamPoints; ++i) {
            f.push_back({.id = LP::kIlluminanceIds[i], .rule = FieldRule::Int(0, 200000, true, "lux: 0 to 200,000"), .list = &L::m_Illuminances, .item = i});
            f.push_back({.id = LP::kLocationIds[i], .rule = FieldRule::Text(0, 30, true, "Max: 30 chars"), .list = &L::m_Locations, .item = i});
        }
        f.push_back({.id = LP::IDC_IDLE_IGNITION, .rule = FieldRule::Int(0, 9999, true, "mini-sec: 0 to 9999"), .text = &L::m_strIdleIgnition});
        f.push_back({.id = LP::IDC_GLARE, .rule = FieldRule::Int(0, 9999, true, "mini-sec: 0 to 9999"), .text = &L::m_strGlareMeasurement});
        f.push_back({.id = LP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 1126, true, "max: 1126 chars"), .text = &L::m_strCommentary});
        return f;
    }();
    return fields;
}

// ---- amber page ----

using A = TcaAmberRecord;
using AP = CTcaAmberPage;
std::string A::*const kColorimeter[12] = {
    &A::m_strAngle1, &A::m_strAngle2, &A::m_strAngle3, &A::m_strAngle4, &A::m_strX1, &A::m_strX2,
    &A::m_strX3,     &A::m_strX4,     &A::m_strY1,     &A::m_strY2,     &A::m_strY3, &A::m_strY4,
};
const std::vector<PageField<CTcaData, A>>& AmberFields()
{
    static const std::vector<PageField<CTcaData, A>> fields = [] {
        std::vector<PageField<CTcaData, A>> f {
            {.id = AP::IDC_VEHICLE_NUMBER, .rule = FieldRule::Plain("Number: 1 to 10"), .text = &A::m_strVehicleNumber},
            {.id = AP::IDC_ILLUMINANCE, .rule = FieldRule::Int(0, 200000, true, "lux: 0 to 200,000"), .text = &A::m_strIlluminance},
            {.id = AP::IDC_AMBIENT_TEMPERATURE, .rule = FieldRule::Real(-99.99, 99.99, true, "degrees (F): -90.99 to 90.99"), .text = &A::m_strAmbientTemperature},
            {.id = AP::IDC_HUMIDITY, .rule = FieldRule::Int(0, 100, true, "number of %: 0 to 100"), .text = &A::m_strRelativeHumidity},
        };
        for (int i = 0; i < 4; ++i)
            f.push_back({.id = AP::IDC_ANGLE_1 + i, .rule = FieldRule::Int(-90, 90, true, "degrees: -90 to 90"), .text = kColorimeter[i]});
        for (int i = 0; i < 8; ++i)
            f.push_back({.id = (i < 4 ? AP::IDC_X_1 : AP::IDC_Y_1) + i % 4, .rule = FieldRule::Text(0, 30, true, "max: 30 chars"), .text = kColorimeter[4 + i]});
        f.push_back({.id = AP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 128, true, "Max: 128 chars"), .text = &A::m_strCommentary});
        return f;
    }();
    return fields;
}

// ---- rollover page ----

using R = TcaRolloverRecord;
using RP = CTcaRolloverPage;
const PageField<CTcaData, R> kRolloverFields[] = {
    {.id = RP::IDC_AVERAGE_TRACK, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strAverageTrack},
    {.id = RP::IDC_TRACK_FRONT, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strTrackFront},
    {.id = RP::IDC_TRACK_REAR, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strTrackRear},
    {.id = RP::IDC_WHEELBASE, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strWheelbase},
    {.id = RP::IDC_LEFT_WHEELBASE, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strLeftWheelbase},
    {.id = RP::IDC_RIGHT_WHEELBASE, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strRightWheelbase},
    {.id = RP::IDC_APPLIED_WEIGHT, .rule = FieldRule::Int(0, 9999, true, "kg: 9999"), .text = &R::m_strAppliedWeight},
    {.id = RP::IDC_PLATFORM_ANGLE, .rule = FieldRule::Int(-90, 90, true, "degree: -90 to 90"), .text = &R::m_strPlatformAngle},
    {.id = RP::IDC_RELATIVE_MOTION, .rule = FieldRule::Int(-99, 99, true, "mm: -99 to 99"), .text = &R::m_strRelativeMotion},
    {.id = RP::IDC_COG_HEIGHT, .rule = FieldRule::Int(0, 2000, true, "mm: 0 to 2000"), .text = &R::m_strCogHeight},
    {.id = RP::IDC_ROOF_HEIGHT, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .text = &R::m_strRoofHeight},
    {.id = RP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 128, true, "max: 128 chars"), .text = &R::m_strCommentary},
};

} // namespace

// ================================ test page ================================

CTcaTestPage::CTcaTestPage()
    : CDataPage(&TcaTestTemplate(), kTestFields)
{
    m_bBlocking = true;
}

BOOL CTcaTestPage::OnInitDialog()
{
    CDataPage::OnInitDialog();
    ConnectPicker(*this, *Edit(IDC_TEST_DATE), IDC_DATE_PICKER);
    return TRUE;
}

TcaTestRecord* CTcaTestPage::RecordAt(CTcaData& data, int /*index*/) const { return data.m_pTestRecord.get(); }

void CTcaTestPage::LoadExtra(const CTcaData& /*data*/) { ShowDate(*this, IDC_DATE_PICKER, Edit(IDC_TEST_DATE)->GetStdText()); }

bool CTcaTestPage::AllFieldsValid()
{
    CheckCodeFields();
    return TcaFieldsValid(*this, IDC_VERSION);
}

BOOL CTcaTestPage::SaveToData()
{
    if (!HasWindow())
        return TRUE;
    if (!m_pData || !AllFieldsValid())
        return FALSE;
    if (!m_pData->m_pTestRecord)
        m_pData->m_pTestRecord = std::make_unique<TcaTestRecord>();
    return CDataPage::SaveToData();
}

// ================================ vehicle page ================================

CTcaVehPage::CTcaVehPage()
    : CDataRecordPage(&TcaVehicleTemplate(), kVehicleFields, {IDC_RECORD_LIST, IDC_NEXT, IDC_DELETE, 0, IDC_PREV},
                      "CTcaVehPage")
{
    UseTcaNavigation(*this);
}

BOOL CTcaVehPage::OnInitDialog()
{
    CDataRecordPage::OnInitDialog();
    for (int id : {IDC_ABS, IDC_CRUISE_CONTROL, IDC_BRAKE_SYSTEM})
        FillCombo(*this, id, {"Y", "N"});
    OnClicked(IDC_FIND_MAKE, [this] { OnFindMake(); });
    OnClicked(IDC_FIND_MODEL, [this] { SearchModelOfMake(IDC_MAKE, IDC_MODEL, kVeh); });
    return TRUE;
}

BOOL CTcaVehPage::OnSetActive()
{
    if (m_pData)
        m_nRecordIndex = m_pData->m_nCurVehicle + 1;
    return CDataRecordPage::OnSetActive();
}

BOOL CTcaVehPage::SaveRecord() { return HasWindow() && !IsPageValid() ? FALSE : CDataRecordPage::SaveRecord(); }

bool CTcaVehPage::AllFieldsValid()
{
    CheckCodeFields();
    return TcaFieldsValid(*this, 0);
}

void CTcaVehPage::LoadExtra(const CTcaData& /*data*/, int index) { m_pData->m_nCurVehicle = index - 1; }

void CTcaVehPage::SaveExtra(CTcaData& data, int index)
{
    data.m_nCurVehicle = index - 1;
    // Records are numbered by their place: the number shown is the number stored.
    if (TcaVehicleRecord* record = RecordAt(data, index))
        record->m_strNumber = std::to_string(index);
}

void CTcaVehPage::OnFindMake()
{
    const CString before = Edit(IDC_MAKE)->GetText();
    // A make other than the one shown makes its model meaningless.
    SearchInto(IDC_MAKE, {"MAKE", kVeh}, [this, before](const CString& code, const CString&) {
        if (code != before)
            Edit(IDC_MODEL)->SetText("");
    });
}

// ================================ instrumentation page ================================

CTcaInstPage::CTcaInstPage()
    : CDataRecordPage(&TcaInstTemplate(), kInstFields, {IDC_RECORD_LIST, IDC_NEXT, IDC_DELETE, IDC_KEEP_LAST}, "CTcaInstPage")
{
    UseTcaNavigation(*this);
}

BOOL CTcaInstPage::OnInitDialog()
{
    CDataRecordPage::OnInitDialog();
    FillCombo(*this, IDC_TECH_DISABLED, {"N", "Y"});
    FillCombo(*this, IDC_PERFORMANCE, {"Pass", "Fail"});
    FillCombo(*this, IDC_TEST_STATUS, {"Pass", "Fail"});
    FillCombo(*this, IDC_ALERT_LOCATION, {"Dashboard", "HUD", "Sideview Mirror", "Rearview Mirror"}, true);
    FillCombo(*this, IDC_HEAD_LAMP, {"Y", "N"});
    FillCombo(*this, IDC_UPPER_BEAM, {"Y", "N"});
    // The sub-type search needs the configuration first; the channel type brings its unit.
    OnClicked(IDC_FIND_SUB_TYPE, [this] { OnFindSubType(); });
    OnClicked(IDC_FIND_CHANNEL_TYPE, [this] { OnFindChannelType(); });
    ConnectPicker(*this, *Edit(IDC_CALIBRATION_DATE), IDC_DATE_PICKER);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CTcaInstPage::OnSetActive()
{
    if (m_pData)
        m_nRecordIndex = m_pData->m_nCurInst + 1;
    return CDataRecordPage::OnSetActive();
}

BOOL CTcaInstPage::SaveRecord() { return HasWindow() && !IsPageValid() ? FALSE : CDataRecordPage::SaveRecord(); }

CString CTcaInstPage::Configuration() const
{
    return m_pData && m_pData->m_pTestRecord ? CString(m_pData->m_pTestRecord->m_strConfiguration) : CString();
}

CString CTcaInstPage::CodeTag(const Row& field) const
{
    return field.id == IDC_SUB_TYPE ? Configuration() : CDataRecordPage::CodeTag(field);
}

void CTcaInstPage::LoadExtra(const CTcaData& data, int index)
{
    m_pData->m_nCurInst = index - 1;
    if (auto* box = Item<QComboBox>(IDC_VEHICLE_NUMBER)) {
        const QSignalBlocker block(box);
        const QString text = box->currentText();
        CComboBox combo(box);
        combo.ResetContent();
        for (size_t i = 1; i <= data.m_VehicleRecords.size(); ++i)
            combo.AddString(std::to_string(i).c_str());
        box->setEditText(text);
    }
    ShowDate(*this, IDC_DATE_PICKER, Edit(IDC_CALIBRATION_DATE)->GetStdText());
}

void CTcaInstPage::SaveExtra(CTcaData& data, int index)
{
    data.m_nCurInst = index - 1;
    if (TcaInstRecord* record = RecordAt(data, index))
        record->m_strCurveNumber = std::to_string(index);
}

// Its colours show a bad trial number or description, but they never hold the record.
bool CTcaInstPage::Blocks(int id) const
{
    return id != IDC_TRIAL_NUMBER && id != IDC_TECH_DESCRIPTION && id != IDC_PERFORMANCE_DESCRIPTION;
}

bool CTcaInstPage::AllFieldsValid()
{
    CheckCodeFields();
    const bool valid = TcaFieldsValid(*this, IDC_VEHICLE_NUMBER, [this](int id) { return Blocks(id); });
    // The channel status is hidden by the template: a bad one is shown, with its label and its
    // search, for as long as it is bad (a record never traps the user with a value unseen).
    if (HasWindow()) {
        const bool show = !Edit(IDC_CHANNEL_STATUS)->IsValid();
        for (int id : {IDC_CHANNEL_STATUS, IDC_FIND_CHANNEL_STATUS, IDC_CHANNEL_STATUS_LABEL})
            ShowDlgItem(id, show);
    }
    if (!valid)
        return false;
    const int vehicles = m_pData ? static_cast<int>(m_pData->m_VehicleRecords.size()) : 0;
    if (std::atoi(Edit(IDC_VEHICLE_NUMBER)->GetStdText().c_str()) > vehicles) {
        MessageBox("Vehicle number out of range:\ncheck drop-list of the combo box, please.");
        return false;
    }
    return true;
}

void CTcaInstPage::OnFindSubType()
{
    if (IsEnterHeldDown())
        return;
    UpdateData(TRUE);
    const CString configuration = Configuration();
    if (configuration.IsEmpty()) {
        MessageBox("Please enter 'Test Configuration' in 'General Test page', then select code.");
        return;
    }
    SearchInto(IDC_SUB_TYPE, {"SUBTYPE", configuration});
}

void CTcaInstPage::OnFindChannelType()
{
    // The channel type decides its unit (the UNITS column of its row).
    CodeSearchRequest request {"CHANTYP", kTca};
    request.column = 4;
    SearchInto(IDC_CHANNEL_TYPE, request, [this](const CString&, const CString& units) {
        Edit(IDC_Y_UNIT)->SetText(units);
        Edit(IDC_Y_UNIT)->SetValid(true);
    });
}

void CTcaInstPage::AfterSearch(int id)
{
    if (id != IDC_X_UNIT)
        return;
    // Only curves over seconds have a time interval; back on seconds, the shown record's returns.
    const bool seconds = Edit(IDC_X_UNIT)->GetText() == "SEC";
    const TcaInstRecord* record = RecordAt(*m_pData, m_nRecordIndex);
    if (seconds && !record)
        return;
    const CString stored = seconds ? CString(record->m_strTimeInterval) : CString("0");
    EnableTimeField(IDC_TIME_INTERVAL, seconds, &stored);
}

// ================================ lower-beam page ================================

const int CTcaLBeamPage::kLocationIds[kTcaBeamPoints] = {1765, 1766, 1767, 1768, 1769, 1770, 1772, 1773,
                                                         1774, 1775, 1776, 1777, 1778, 1779, 1780, 1781};
const int CTcaLBeamPage::kIlluminanceIds[kTcaBeamPoints] = {1771, 1782, 1783, 1784, 1785, 1786, 1787, 1788,
                                                            1789, 1790, 1791, 1792, 1793, 1794, 1795, 1796};

CTcaLBeamPage::CTcaLBeamPage()
    : CDataPage(&TcaLBeamTemplate(), LBeamFields())
{
    m_bBlocking = true;
}

TcaLBeamRecord* CTcaLBeamPage::RecordAt(CTcaData& data, int /*index*/) const { return data.m_pLBeamRecord.get(); }

bool CTcaLBeamPage::AllFieldsValid()
{
    CheckCodeFields();
    return TcaFieldsValid(*this, IDC_VEHICLE_NUMBER);
}

BOOL CTcaLBeamPage::SaveToData()
{
    if (!HasWindow())
        return TRUE;
    if (!m_pData || !AllFieldsValid())
        return FALSE;
    // What is typed is kept even before a file brought a lower-beam record (an empty record is
    // not written).
    if (!m_pData->m_pLBeamRecord && AnyFieldTyped())
        m_pData->m_pLBeamRecord = std::make_unique<TcaLBeamRecord>();
    return CDataPage::SaveToData();
}

// ================================ amber page ================================

CTcaAmberPage::CTcaAmberPage()
    : CDataPage(&TcaAmberTemplate(), AmberFields())
{
    m_bBlocking = true;
}

void CTcaAmberPage::ClearPage()
{
    m_nAmberInColor = 0;
    CDataPage::ClearPage();
    ApplyAmberFlag(false);
}

void CTcaAmberPage::DoDataExchange(CDataExchange* pDX)
{
    CDataPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_AMBER_IN_COLOR, m_nAmberInColor);
}

BOOL CTcaAmberPage::OnInitDialog()
{
    CDataPage::OnInitDialog();
    OnClicked(IDC_AMBER_IN_COLOR, [this] { OnAmberCheck(); });
    ApplyAmberFlag(m_nAmberInColor != 0);
    return TRUE;
}

TcaAmberRecord* CTcaAmberPage::RecordAt(CTcaData& data, int /*index*/) const
{
    const int c = data.m_nCurAmber;
    return c >= 0 && c < static_cast<int>(data.m_AmberRecords.size()) ? &data.m_AmberRecords[c] : nullptr;
}

void CTcaAmberPage::ApplyAmberFlag(bool amber)
{
    if (!HasWindow())
        return;
    for (int i = 0; i < 4; ++i) {
        for (int id : {IDC_ANGLE_1 + i, IDC_X_1 + i, IDC_Y_1 + i})
            EnableDlgItem(id, !amber);
    }
}

// The readings of an amber signal are greyed and kept as stored: they never hold the page.
bool CTcaAmberPage::Blocks(int id) const { return !m_nAmberInColor || !IsColorimeter(id); }

bool CTcaAmberPage::AllFieldsValid()
{
    return TcaFieldsValid(*this, IDC_VEHICLE_NUMBER, [this](int id) { return Blocks(id); });
}

bool CTcaAmberPage::IsColorimeter(int id)
{
    return (id >= IDC_ANGLE_1 && id < IDC_ANGLE_1 + 4) || (id >= IDC_X_1 && id < IDC_X_1 + 4) ||
           (id >= IDC_Y_1 && id < IDC_Y_1 + 4);
}

void CTcaAmberPage::OnAmberCheck()
{
    UpdateData(TRUE);
    ApplyAmberFlag(m_nAmberInColor != 0);
    AllFieldsValid();
}

BOOL CTcaAmberPage::SaveToData()
{
    if (!HasWindow())
        return TRUE;
    if (!m_pData)
        return FALSE;
    UpdateData(TRUE);
    std::vector<TcaAmberRecord>& records = m_pData->m_AmberRecords;
    if (Edit(IDC_VEHICLE_NUMBER)->GetText().IsEmpty()) {
        // An amber record names its vehicle: without one the shown record goes, and only it.
        if (RecordAt(*m_pData, 0)) {
            records.erase(records.begin() + m_pData->m_nCurAmber);
            if (m_pData->m_nCurAmber >= static_cast<int>(records.size()))
                m_pData->m_nCurAmber = static_cast<int>(records.size()) - 1;
        }
        return TRUE;
    }
    if (!AllFieldsValid())
        return FALSE;
    if (!RecordAt(*m_pData, 0)) {
        records.push_back(TcaAmberRecord());
        m_pData->m_nCurAmber = static_cast<int>(records.size()) - 1;
    }
    TcaAmberRecord& record = *RecordAt(*m_pData, 0);
    record.m_bAmberInColor = m_nAmberInColor != 0;
    // An amber signal keeps the readings the record holds, whatever its greyed fields show.
    std::string kept[12];
    for (int i = 0; i < 12; ++i)
        kept[i] = record.*kColorimeter[i];
    SaveFields(*m_pData, 0);
    if (record.m_bAmberInColor) {
        for (int i = 0; i < 12; ++i)
            record.*kColorimeter[i] = kept[i];
    }
    return TRUE;
}

void CTcaAmberPage::LoadExtra(const CTcaData& data)
{
    const TcaAmberRecord* record = RecordAt(const_cast<CTcaData&>(data), 0);
    m_nAmberInColor = record && record->m_bAmberInColor ? 1 : 0;
    ApplyAmberFlag(m_nAmberInColor != 0);
}

// ================================ rollover page ================================

CTcaRolloverPage::CTcaRolloverPage()
    : CDataRecordPage(&TcaRolloverTemplate(), kRolloverFields, {IDC_RECORD_LIST, IDC_NEXT, IDC_DELETE, 0, IDC_PREV},
                      "CTcaRolloverPage")
{
    UseTcaNavigation(*this);
}

void CTcaRolloverPage::ClearPage()
{
    m_nTipUp = 0;
    m_nLastTyped = -1;
    CDataRecordPage::ClearPage();
}

void CTcaRolloverPage::DoDataExchange(CDataExchange* pDX)
{
    CDataRecordPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_TIP_UP, m_nTipUp);
}

BOOL CTcaRolloverPage::OnInitDialog()
{
    CDataRecordPage::OnInitDialog();
    OnChanged(IDC_RECORD_LIST, [this] { OnEditchangeRecordList(); });
    return TRUE;
}

BOOL CTcaRolloverPage::OnSetActive()
{
    if (m_pData)
        m_nRecordIndex = m_pData->m_nCurRollover + 1;
    return CDataRecordPage::OnSetActive();
}

BOOL CTcaRolloverPage::SaveRecord() { return HasWindow() && !IsPageValid() ? FALSE : CDataRecordPage::SaveRecord(); }

bool CTcaRolloverPage::AllFieldsValid() { return TcaFieldsValid(*this, 0); }

void CTcaRolloverPage::LoadExtra(const CTcaData& data, int index)
{
    m_pData->m_nCurRollover = index - 1;
    const TcaRolloverRecord* record = RecordAt(const_cast<CTcaData&>(data), index);
    m_nTipUp = record && record->m_bTipUp ? 1 : 0;
}

void CTcaRolloverPage::SaveExtra(CTcaData& data, int index)
{
    data.m_nCurRollover = index - 1;
    if (TcaRolloverRecord* record = RecordAt(data, index)) {
        record->m_strNumber = std::to_string(index);
        record->m_bTipUp = m_nTipUp != 0;
    }
}

void CTcaRolloverPage::OnEditchangeRecordList()
{
    auto* box = Item<QComboBox>(IDC_RECORD_LIST);
    if (!m_pData || !box)
        return;
    const int n = std::atoi(FromQString(box->currentText()).GetString());
    if (n == m_nLastTyped || n < 1 || n > m_nRecordCount || n == m_nRecordIndex)
        return;
    if (ShowListedRecord(m_listRecords, n))
        m_nLastTyped = n;
}
