#include "crashavoid/ui/TcaPages.h"

#include "codes/CodeCheck.h"
#include "common/ui/DatePickerText.h"
#include "crashavoid/ui/TcaTemplates.h"
#include "platform/Messages.h"
#include "platform/ui/Colors.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <cstdlib>

namespace {

constexpr unsigned kCombo = TFS_COMBO;
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

// ---- test page ----

using T = TcaTestRecord;
using TP = CTcaTestPage;
const TcaPageField<T> kTestFields[] = {
    {.id = TP::IDC_VERSION, .rule = FieldRule::Text(0, 2, true, "string: T5"), .member = &T::m_strVersion,
     .style = TFS_LINE_START, .empty = "T5"},
    {.id = TP::IDC_TITLE, .rule = FieldRule::Text(0, 70, true, "max: 70 chars"), .member = &T::m_strTitle},
    {.id = TP::IDC_OBJECTIVE, .rule = FieldRule::Text(0, 70, true, "max: 70 chars"), .member = &T::m_strObjective},
    {.id = TP::IDC_TEST_DATE, .rule = FieldRule::Plain("Date: dd/MMM/yyyy"), .member = &T::m_strDate},
    {.id = TP::IDC_PERFORMER, .rule = FieldRule::Plain("Code: selected from 'Find'"), .member = &T::m_strPerformer,
     .codeTable = "TSTPRF", .checkTag = kVeh, .searchTag = kTca, .searchId = TP::IDC_FIND_PERFORMER},
    {.id = TP::IDC_CONTRACT, .rule = FieldRule::Text(0, 17, true, "max: 17 chars"), .member = &T::m_strContract},
    {.id = TP::IDC_REFERENCE, .rule = FieldRule::Text(0, 16, true, "string: 16 chars"), .member = &T::m_strReference},
    {.id = TP::IDC_TEST_TYPE, .rule = FieldRule::Plain("Code: selected from 'Find'"), .member = &T::m_strType,
     .codeTable = "TSTTYP", .checkTag = kVeh, .searchTag = kTca, .searchId = TP::IDC_FIND_TEST_TYPE, .empty = "NCA"},
    {.id = TP::IDC_CONFIGURATION, .rule = FieldRule::Plain("Code: selected from 'Find'"),
     .member = &T::m_strConfiguration, .codeTable = "TSTCFN", .checkTag = kTca,
     .searchId = TP::IDC_FIND_CONFIGURATION},
    {.id = TP::IDC_WARNING_DISTANCE, .rule = FieldRule::Plain("mm: 0 to 99999"), .member = &T::m_strWarningDistance},
    {.id = TP::IDC_ROAD_SURFACE, .rule = FieldRule::Plain("Code: selected from 'Find'"),
     .member = &T::m_strRoadSurface, .codeTable = "TKSURF", .checkTag = kTca, .searchId = TP::IDC_FIND_ROAD_SURFACE},
    {.id = TP::IDC_ROAD_CONDITION, .rule = FieldRule::Plain("Code: selected from 'Find'"),
     .member = &T::m_strRoadCondition, .codeTable = "TKCOND", .checkTag = kTca,
     .searchId = TP::IDC_FIND_ROAD_CONDITION},
    {.id = TP::IDC_AMBIENT_TEMPERATURE, .rule = FieldRule::Real(-99.99, 99.99, true, "degree: -99.99 to 99.99"),
     .member = &T::m_strAmbientTemperature},
    {.id = TP::IDC_TOTAL_CURVES,
     .rule = FieldRule::Plain("integer: determined by total channels in INSTRUMENTATION"),
     .member = &T::m_strTotalCurves},
    {.id = TP::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true, "max: 70 chars"), .member = &T::m_strComments},
    {.id = TP::IDC_STATUS, .rule = FieldRule::Text(0, 1, true, "max: 1 chars"), .member = &T::m_strStatus},
};

// ---- vehicle page ----

using V = TcaVehicleRecord;
using VP = CTcaVehPage;
const TcaPageField<V> kVehicleFields[] = {
    {.id = VP::IDC_VEHICLE_TYPE, .member = &V::m_strType, .codeTable = "VEHTYP", .checkTag = kTca,
     .searchId = VP::IDC_FIND_VEHICLE_TYPE},
    {.id = VP::IDC_MAKE, .member = &V::m_strMake, .codeTable = "MAKE", .checkTag = kVeh, .searchId = VP::IDC_FIND_MAKE},
    {.id = VP::IDC_MODEL, .member = &V::m_strModel, .codeTable = "MODEL", .checkTag = kVeh},
    {.id = VP::IDC_BODY, .member = &V::m_strBody, .codeTable = "BODY", .checkTag = kVeh, .searchId = VP::IDC_FIND_BODY},
    {.id = VP::IDC_YEAR, .rule = FieldRule::Int(2000, 2025, true, "integer: 2000 to 2020"), .member = &V::m_strYear},
    {.id = VP::IDC_KAVRO_NUMBER, .member = &V::m_strKavroNumber},
    {.id = VP::IDC_VIN, .rule = FieldRule::Text(0, 11, true, "chars: 11 (without series No.) required"),
     .member = &V::m_strVin},
    {.id = VP::IDC_ENGINE, .rule = FieldRule::Real(0.0, 9.0, true, "liters: 0.0 to 9"), .member = &V::m_strEngine},
    {.id = VP::IDC_TRANSMISSION, .member = &V::m_strTransmission, .codeTable = "TRANSM", .checkTag = kVeh,
     .searchId = VP::IDC_FIND_TRANSMISSION},
    {.id = VP::IDC_ABS, .member = &V::m_strAbs, .style = kCombo},
    {.id = VP::IDC_CRUISE_CONTROL, .member = &V::m_strCruiseControl, .style = kCombo},
    {.id = VP::IDC_BRAKE_SYSTEM, .member = &V::m_strBrakeSystem, .style = kCombo},
    {.id = VP::IDC_TRIMLINE, .rule = FieldRule::Text(0, 15, true, "Max: 15 chars"), .member = &V::m_strTrimline},
    {.id = VP::IDC_CURB_WEIGHT, .rule = FieldRule::Real(0.0, 9999.99, true, "kg: 0 to 9999.99"),
     .member = &V::m_strCurbWeight},
    {.id = VP::IDC_TEST_WEIGHT, .rule = FieldRule::Real(0.0, 9999.99, true, "kg: 0 to 9999.99"),
     .member = &V::m_strTestWeight},
    {.id = VP::IDC_TIRE_SIZE, .rule = FieldRule::Text(0, 16, true, "String: 16 chars"), .member = &V::m_strTireSize},
    {.id = VP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 70, true, "Max: 70 chars"), .member = &V::m_strCommentary},
    {.id = VP::IDC_WIDTH, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .member = &V::m_strWidth},
};

// ---- instrumentation page ----

using I = TcaInstRecord;
using IP = CTcaInstPage;
const TcaPageField<I> kInstFields[] = {
    {.id = IP::IDC_VEHICLE_NUMBER, .member = &I::m_strVehicleNumber, .style = kCombo | TFS_LINE_START},
    // The tag of the sub-type is the test's configuration (CheckTagOf).
    {.id = IP::IDC_SUB_TYPE, .member = &I::m_strSubType, .codeTable = "SUBTYPE"},
    {.id = IP::IDC_TRIAL_NUMBER, .rule = FieldRule::Int(0, 100, true, "integer: 0 to 100"),
     .member = &I::m_strTrialNumber, .style = TFS_SHOWS_ONLY},
    {.id = IP::IDC_DEPENDENT_VARIABLE, .member = &I::m_strDependentVariable, .codeTable = "SENTYP", .checkTag = kTca,
     .searchId = IP::IDC_FIND_DEPENDENT_VARIABLE},
    {.id = IP::IDC_MANUFACTURER, .rule = FieldRule::Text(0, 70, true, "Max length: 70 chars"),
     .member = &I::m_strManufacturer},
    {.id = IP::IDC_VELOCITY, .rule = FieldRule::Real(0.0, 100.0, true, "km/h: 0.0, 100.0"), .member = &I::m_strVelocity},
    {.id = IP::IDC_TECH_DISABLED, .member = &I::m_strTechDisabled, .style = kCombo},
    {.id = IP::IDC_TECH_DESCRIPTION, .rule = FieldRule::Text(0, 70, true, "Max length: 70 char"),
     .member = &I::m_strTechDescription, .style = TFS_SHOWS_ONLY},
    {.id = IP::IDC_PERFORMANCE, .member = &I::m_strPerformance, .style = kCombo},
    {.id = IP::IDC_PERFORMANCE_DESCRIPTION, .rule = FieldRule::Text(0, 70, true, "Max length: 70 char"),
     .member = &I::m_strPerformanceDescription, .style = TFS_SHOWS_ONLY},
    {.id = IP::IDC_TEST_STATUS, .member = &I::m_strTestStatus, .style = kCombo},
    {.id = IP::IDC_ALERT_LOCATION, .member = &I::m_strAlertLocation, .style = kCombo},
    {.id = IP::IDC_ALERT_REPEAT, .member = &I::m_strAlertRepeatTime},
    {.id = IP::IDC_TIME_INTERVAL, .rule = FieldRule::Int(0, 99999, true, "micro-seconds: 0 to 99999"),
     .member = &I::m_strTimeInterval},
    {.id = IP::IDC_X_UNIT, .member = &I::m_strXUnit, .codeTable = "UNITS", .checkTag = kVeh,
     .searchId = IP::IDC_FIND_X_UNIT, .empty = "SEC"},
    {.id = IP::IDC_Y_UNIT, .member = &I::m_strYUnit, .codeTable = "UNITS", .checkTag = kVeh,
     .searchId = IP::IDC_FIND_Y_UNIT},
    {.id = IP::IDC_SPARE_1, .member = &I::m_strSpareCount1},
    {.id = IP::IDC_SYNC_FREQUENCY, .rule = FieldRule::Int(0, 10000, true, "Hz: 0 to 10,000"),
     .member = &I::m_strSyncFrequency},
    {.id = IP::IDC_SPARE_2, .member = &I::m_strSpareCount2},
    {.id = IP::IDC_FIRST_POINT, .rule = FieldRule::Int(-999999, 0, true, "integer: -999999 to 0"),
     .member = &I::m_strFirstPoint},
    {.id = IP::IDC_LAST_POINT, .rule = FieldRule::Int(1, 9999999, true, "integer: 1 to 9999999"),
     .member = &I::m_strLastPoint},
    {.id = IP::IDC_DATA_STATUS, .member = &I::m_strDataStatus, .codeTable = "DASTAT", .checkTag = kVeh,
     .searchId = IP::IDC_FIND_DATA_STATUS},
    {.id = IP::IDC_CHANNEL_STATUS, .member = &I::m_strChannelStatus, .codeTable = "CHSTAT", .checkTag = kVeh,
     .searchId = IP::IDC_FIND_CHANNEL_STATUS, .style = TFS_SHOWN_WHEN_BAD, .labelId = IP::IDC_CHANNEL_STATUS_LABEL},
    {.id = IP::IDC_CHANNEL_TYPE, .member = &I::m_strChannelType, .codeTable = "CHANTYP", .checkTag = kTca,
     .searchId = IP::IDC_FIND_CHANNEL_TYPE},
    {.id = IP::IDC_CALIBRATION_DATE, .member = &I::m_strCalibrationDate},
    {.id = IP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 500, true, "Max length: 500 chars"),
     .member = &I::m_strCommentary},
    {.id = IP::IDC_HEAD_LAMP, .member = &I::m_strHeadLampDevice, .style = kCombo},
    {.id = IP::IDC_UPPER_BEAM, .member = &I::m_strUpperBeamDevice, .style = kCombo},
};

// ---- lower-beam page ----

using L = TcaLBeamRecord;
using LP = CTcaLBeamPage;
const std::vector<TcaPageField<L>>& LBeamFields()
{
    static const std::vector<TcaPageField<L>> fields = [] {
        std::vector<TcaPageField<L>> f {
            {.id = LP::IDC_VEHICLE_NUMBER, .rule = FieldRule::Int(1, 10, true, "Number: 1 to 10"),
             .member = &L::m_strVehicleNumber, .style = TFS_LINE_START},
            {.id = LP::IDC_AMBIENT_TEMPERATURE, .rule = FieldRule::Real(-99.99, 99.99, true, "degree: -99.99 to 99.99"),
             .member = &L::m_strAmbientTemperature},
            {.id = LP::IDC_WIND_SPEED, .rule = FieldRule::Int(-99, 99, true, "km/hr: -99 to 99"),
             .member = &L::m_strWindSpeed},
            {.id = LP::IDC_DETECTOR, .member = &L::m_strDetector, .codeTable = "DETC", .checkTag = kVeh,
             .searchId = LP::IDC_FIND_DETECTOR},
        };
        for (int i = 0; i < kTcaBeamPoints; ++i) {
            f.push_back({.id = LP::kIlluminanceIds[i], .rule = FieldRule::Int(0, 200000, true, "lux: 0 to 200,000"),
                         .list = &L::m_Illuminances, .item = i});
            f.push_back({.id = LP::kLocationIds[i], .rule = FieldRule::Text(0, 30, true, "Max: 30 chars"),
                         .list = &L::m_Locations, .item = i});
        }
        f.push_back({.id = LP::IDC_IDLE_IGNITION, .rule = FieldRule::Int(0, 9999, true, "mini-sec: 0 to 9999"),
                     .member = &L::m_strIdleIgnition});
        f.push_back({.id = LP::IDC_GLARE, .rule = FieldRule::Int(0, 9999, true, "mini-sec: 0 to 9999"),
                     .member = &L::m_strGlareMeasurement});
        f.push_back({.id = LP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 1126, true, "max: 1126 chars"),
                     .member = &L::m_strCommentary});
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
const std::vector<TcaPageField<A>>& AmberFields()
{
    static const std::vector<TcaPageField<A>> fields = [] {
        std::vector<TcaPageField<A>> f {
            {.id = AP::IDC_VEHICLE_NUMBER, .rule = FieldRule::Plain("Number: 1 to 10"),
             .member = &A::m_strVehicleNumber, .style = TFS_LINE_START},
            {.id = AP::IDC_ILLUMINANCE, .rule = FieldRule::Int(0, 200000, true, "lux: 0 to 200,000"),
             .member = &A::m_strIlluminance},
            {.id = AP::IDC_AMBIENT_TEMPERATURE,
             .rule = FieldRule::Real(-99.99, 99.99, true, "degrees (F): -90.99 to 90.99"),
             .member = &A::m_strAmbientTemperature},
            {.id = AP::IDC_HUMIDITY, .rule = FieldRule::Int(0, 100, true, "number of %: 0 to 100"),
             .member = &A::m_strRelativeHumidity},
        };
        for (int i = 0; i < 4; ++i)
            f.push_back({.id = AP::IDC_ANGLE_1 + i, .rule = FieldRule::Int(-90, 90, true, "degrees: -90 to 90"),
                         .member = kColorimeter[i]});
        for (int i = 0; i < 8; ++i)
            f.push_back({.id = (i < 4 ? AP::IDC_X_1 : AP::IDC_Y_1) + i % 4,
                         .rule = FieldRule::Text(0, 30, true, "max: 30 chars"), .member = kColorimeter[4 + i]});
        f.push_back({.id = AP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 128, true, "Max: 128 chars"),
                     .member = &A::m_strCommentary});
        return f;
    }();
    return fields;
}

// ---- rollover page ----

using R = TcaRolloverRecord;
using RP = CTcaRolloverPage;
const TcaPageField<R> kRolloverFields[] = {
    {.id = RP::IDC_AVERAGE_TRACK, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .member = &R::m_strAverageTrack},
    {.id = RP::IDC_TRACK_FRONT, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .member = &R::m_strTrackFront},
    {.id = RP::IDC_TRACK_REAR, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .member = &R::m_strTrackRear},
    {.id = RP::IDC_WHEELBASE, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .member = &R::m_strWheelbase},
    {.id = RP::IDC_LEFT_WHEELBASE, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"),
     .member = &R::m_strLeftWheelbase},
    {.id = RP::IDC_RIGHT_WHEELBASE, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"),
     .member = &R::m_strRightWheelbase},
    {.id = RP::IDC_APPLIED_WEIGHT, .rule = FieldRule::Int(0, 9999, true, "kg: 9999"), .member = &R::m_strAppliedWeight},
    {.id = RP::IDC_PLATFORM_ANGLE, .rule = FieldRule::Int(-90, 90, true, "degree: -90 to 90"),
     .member = &R::m_strPlatformAngle},
    {.id = RP::IDC_RELATIVE_MOTION, .rule = FieldRule::Int(-99, 99, true, "mm: -99 to 99"),
     .member = &R::m_strRelativeMotion},
    {.id = RP::IDC_COG_HEIGHT, .rule = FieldRule::Int(0, 2000, true, "mm: 0 to 2000"), .member = &R::m_strCogHeight},
    {.id = RP::IDC_ROOF_HEIGHT, .rule = FieldRule::Int(0, 9999, true, "mm: 0 to 9999"), .member = &R::m_strRoofHeight},
    {.id = RP::IDC_COMMENTARY, .rule = FieldRule::Text(0, 128, true, "max: 128 chars"), .member = &R::m_strCommentary},
};

} // namespace

// ================================ test page ================================

CTcaTestPage::CTcaTestPage()
    : CTcaPage(&TcaTestTemplate(), kTestFields)
{
    ClearFields();
}

BOOL CTcaTestPage::OnInitDialog()
{
    CTcaPage::OnInitDialog();
    if (auto* picker = Item<CDateTimeCtrl>(IDC_DATE_PICKER)) {
        QObject::connect(picker, &CDateTimeCtrl::DateTimeChange, this, [this, picker](const NMDATETIMECHANGE& change) {
            UpdateData(TRUE);
            SetFieldText(IDC_TEST_DATE, SetDateTimeCtrlFromText(change, *picker));
            UpdateData(FALSE);
        });
    }
    return TRUE;
}

bool CTcaTestPage::LoadRecord()
{
    if (!m_pData || !m_pData->m_pTestRecord)
        return false;
    ShowFields(*m_pData->m_pTestRecord);
    return ValidatePage();
}

bool CTcaTestPage::SaveRecord()
{
    if (!ValidatePage())
        return false;
    if (!m_pData)
        return true;
    if (!m_pData->m_pTestRecord)
        m_pData->m_pTestRecord = std::make_unique<TcaTestRecord>();
    StoreFields(*m_pData->m_pTestRecord);
    return true;
}


// ================================ vehicle page ================================

CTcaVehPage::CTcaVehPage()
    : CTcaRecordPage(&TcaVehicleTemplate(), kVehicleFields, {IDC_RECORD_LIST, IDC_PREV, IDC_NEXT, IDC_DELETE})
{
    ClearFields();
}

BOOL CTcaVehPage::OnInitDialog()
{
    CTcaRecordPage::OnInitDialog();
    for (int id : {IDC_ABS, IDC_CRUISE_CONTROL, IDC_BRAKE_SYSTEM})
        FillCombo(*this, id, {"Y", "N"});
    OnClicked(IDC_FIND_MODEL, [this] { OnFindModel(); });
    return TRUE;
}

void CTcaVehPage::StoreExtra(TcaVehicleRecord& record, int index)
{
    // Records are numbered by their place: the number shown is the number stored.
    record.m_strNumber = std::to_string(index + 1);
}

void CTcaVehPage::AfterFind(int id)
{
    if (id != IDC_MAKE)
        return;
    // A make other than the one shown makes its model meaningless.
    if (Text(IDC_MAKE) != m_textBeforeFind)
        SetFieldText(IDC_MODEL, "");
}

void CTcaVehPage::OnFindModel()
{
    if (IsEnterHeldDown())
        return;
    UpdateData(TRUE);
    const CString make(Text(IDC_MAKE));
    if (make.IsEmpty()) {
        MessageBox("Please enter 'Vehicle Make' prior to searching 'Vehicle Model'.");
        return;
    }
    CString code;
    if (!tcapage::SearchCode("MODEL", "", code, codesql::ModelsOfMake(make, kVeh, true)))
        return;
    // Model codes carry their make in front; the field holds the model's own two characters.
    SetFieldText(IDC_MODEL, code.Right(2).str());
    Edit(IDC_MODEL)->SetValid(true);
    UpdateData(FALSE);
}

// ================================ instrumentation page ================================

CTcaInstPage::CTcaInstPage()
    : CTcaRecordPage(&TcaInstTemplate(), kInstFields, {IDC_RECORD_LIST, 0, IDC_NEXT, IDC_DELETE})
{
    ClearFields();
}

void CTcaInstPage::DoDataExchange(CDataExchange* pDX)
{
    CTcaRecordPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_KEEP_LAST, m_bKeepLast);
}

BOOL CTcaInstPage::OnInitDialog()
{
    CTcaRecordPage::OnInitDialog();
    FillCombo(*this, IDC_TECH_DISABLED, {"N", "Y"});
    FillCombo(*this, IDC_PERFORMANCE, {"Pass", "Fail"});
    FillCombo(*this, IDC_TEST_STATUS, {"Pass", "Fail"});
    FillCombo(*this, IDC_ALERT_LOCATION, {"Dashboard", "HUD", "Sideview Mirror", "Rearview Mirror"}, true);
    FillCombo(*this, IDC_HEAD_LAMP, {"Y", "N"});
    FillCombo(*this, IDC_UPPER_BEAM, {"Y", "N"});
    // The sub-type search needs the configuration first: its own handler.
    OnClicked(IDC_FIND_SUB_TYPE, [this] { OnFindSubType(); });
    if (auto* picker = Item<CDateTimeCtrl>(IDC_DATE_PICKER)) {
        QObject::connect(picker, &CDateTimeCtrl::DateTimeChange, this, [this, picker](const NMDATETIMECHANGE& change) {
            UpdateData(TRUE);
            SetFieldText(IDC_CALIBRATION_DATE, SetDateTimeCtrlFromText(change, *picker));
            UpdateData(FALSE);
        });
    }
    UpdateData(FALSE);
    return TRUE;
}

const char* CTcaInstPage::CheckTagOf(const Field& f) const
{
    if (f.id == IDC_SUB_TYPE)
        return m_strConfiguration.GetString();
    return CTcaRecordPage::CheckTagOf(f);
}

void CTcaInstPage::BeforeLoad()
{
    m_strConfiguration = m_pData && m_pData->m_pTestRecord ? m_pData->m_pTestRecord->m_strConfiguration : "";
    if (auto* box = Item<QComboBox>(IDC_VEHICLE_NUMBER)) {
        const QSignalBlocker block(box);
        const QString text = box->currentText();
        CComboBox combo(box);
        combo.ResetContent();
        for (size_t i = 1; i <= m_pData->m_VehicleRecords.size(); ++i)
            combo.AddString(std::to_string(i).c_str());
        box->setEditText(text);
    }
}

void CTcaInstPage::StoreExtra(TcaInstRecord& record, int index) { record.m_strCurveNumber = std::to_string(index + 1); }

bool CTcaInstPage::AppendRecord()
{
    UpdateData(TRUE);
    if (!m_bKeepLast) {
        Records().push_back(TcaInstRecord());
        return true;
    }
    if (Shown()) {
        const TcaInstRecord copy = *Shown();
        Records().push_back(copy);
        return true;
    }
    // No record yet: what is typed on the page becomes record 1, once it can be stored.
    if (!ValidatePage())
        return false;
    Records().push_back(TcaInstRecord());
    Current() = 0;
    SaveRecord();
    Current() = -1;
    return true;
}

bool CTcaInstPage::AllFieldsValid()
{
    if (!CTcaRecordPage::AllFieldsValid())
        return false;
    const int vehicles = m_pData ? static_cast<int>(m_pData->m_VehicleRecords.size()) : 0;
    if (std::atoi(Text(IDC_VEHICLE_NUMBER).c_str()) > vehicles) {
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
    m_strConfiguration = m_pData && m_pData->m_pTestRecord ? m_pData->m_pTestRecord->m_strConfiguration : "";
    if (m_strConfiguration.IsEmpty()) {
        MessageBox("Please enter 'Test Configuration' in 'General Test page', then select code.");
        return;
    }
    OnFind(IndexOf(IDC_SUB_TYPE));
}

void CTcaInstPage::AfterFind(int id)
{
    if (id == IDC_X_UNIT) {
        CNEdit* interval = Edit(IDC_TIME_INTERVAL);
        if (Text(IDC_X_UNIT) != "SEC") {
            interval->SetText("0");
            interval->SetColors(CNEdit::kBlack, RGB(192, 192, 192));
            EnableDlgItem(IDC_TIME_INTERVAL, false);
        } else if (const TcaInstRecord* record = Shown()) {
            EnableDlgItem(IDC_TIME_INTERVAL, true);
            interval->SetStdText(record->m_strTimeInterval);
            interval->Revalidate();
            if (interval->IsValid())
                interval->ShowNormalColors();
        }
    } else if (id == IDC_CHANNEL_TYPE) {
        // The channel type decides its unit.
        SetFieldText(IDC_Y_UNIT, m_foundUnits.str());
        Edit(IDC_Y_UNIT)->SetValid(true);
    }
}

// ================================ lower-beam page ================================

const int CTcaLBeamPage::kLocationIds[kTcaBeamPoints] = {1765, 1766, 1767, 1768, 1769, 1770, 1772, 1773,
                                                         1774, 1775, 1776, 1777, 1778, 1779, 1780, 1781};
const int CTcaLBeamPage::kIlluminanceIds[kTcaBeamPoints] = {1771, 1782, 1783, 1784, 1785, 1786, 1787, 1788,
                                                            1789, 1790, 1791, 1792, 1793, 1794, 1795, 1796};

CTcaLBeamPage::CTcaLBeamPage()
    : CTcaPage(&TcaLBeamTemplate(), LBeamFields())
{
    ClearFields();
}

bool CTcaLBeamPage::LoadRecord()
{
    if (!m_pData || !m_pData->m_pLBeamRecord)
        return true;
    ShowFields(*m_pData->m_pLBeamRecord);
    return ValidatePage();
}

bool CTcaLBeamPage::SaveRecord()
{
    if (!m_pData)
        return false;
    if (!ValidatePage())
        return false;
    // What is typed is kept even before a file brought a lower-beam record; an empty record is
    // not written.
    if (!m_pData->m_pLBeamRecord)
        m_pData->m_pLBeamRecord = std::make_unique<TcaLBeamRecord>();
    StoreFields(*m_pData->m_pLBeamRecord);
    return true;
}


// ================================ amber page ================================

CTcaAmberPage::CTcaAmberPage()
    : CTcaPage(&TcaAmberTemplate(), AmberFields())
{
    ClearFields();
}

void CTcaAmberPage::ClearFields()
{
    m_nAmberInColor = 0;
    CTcaPage::ClearFields();
    ApplyAmberFlag(false);
}

void CTcaAmberPage::DoDataExchange(CDataExchange* pDX)
{
    CTcaPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_AMBER_IN_COLOR, m_nAmberInColor);
}

BOOL CTcaAmberPage::OnInitDialog()
{
    CTcaPage::OnInitDialog();
    OnClicked(IDC_AMBER_IN_COLOR, [this] { OnAmberCheck(); });
    ApplyAmberFlag(m_nAmberInColor != 0);
    return TRUE;
}

TcaAmberRecord* CTcaAmberPage::Shown() const
{
    if (!m_pData)
        return nullptr;
    const int c = m_pData->m_nCurAmber;
    return c >= 0 && c < static_cast<int>(m_pData->m_AmberRecords.size()) ? &m_pData->m_AmberRecords[c] : nullptr;
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

bool CTcaAmberPage::IsJudged(const Field& f) const
{
    // The readings of an amber signal are greyed and kept as stored: they never hold the page.
    return !m_nAmberInColor || !IsColorimeter(f.id);
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

bool CTcaAmberPage::SaveRecord()
{
    if (!m_pData)
        return false;
    if (HasWindow())
        UpdateData(TRUE);
    std::vector<TcaAmberRecord>& records = m_pData->m_AmberRecords;
    if (Text(IDC_VEHICLE_NUMBER).empty()) {
        // An amber record names its vehicle: without one the shown record goes, and only it.
        if (Shown()) {
            records.erase(records.begin() + m_pData->m_nCurAmber);
            if (m_pData->m_nCurAmber >= static_cast<int>(records.size()))
                m_pData->m_nCurAmber = static_cast<int>(records.size()) - 1;
        }
        return true;
    }
    if (!AllFieldsValid())
        return false;
    if (!Shown()) {
        records.push_back(TcaAmberRecord());
        m_pData->m_nCurAmber = static_cast<int>(records.size()) - 1;
    }
    TcaAmberRecord& record = *Shown();
    record.m_bAmberInColor = m_nAmberInColor != 0;
    // An amber signal keeps the readings the record holds, whatever its greyed fields show.
    std::string kept[12];
    for (int i = 0; i < 12; ++i)
        kept[i] = record.*kColorimeter[i];
    StoreFields(record);
    if (record.m_bAmberInColor) {
        for (int i = 0; i < 12; ++i)
            record.*kColorimeter[i] = kept[i];
    }
    return true;
}

bool CTcaAmberPage::LoadRecord()
{
    if (!m_pData)
        return true;
    TcaAmberRecord* record = Shown();
    if (!record) {
        ClearFields();
        return true;
    }
    // The fields first: showing them reads the page's controls, the check box among them.
    ShowFields(*record);
    m_nAmberInColor = record->m_bAmberInColor ? 1 : 0;
    if (HasWindow())
        UpdateData(FALSE);
    ApplyAmberFlag(record->m_bAmberInColor);
    return AllFieldsValid();
}


// ================================ rollover page ================================

CTcaRolloverPage::CTcaRolloverPage()
    : CTcaRecordPage(&TcaRolloverTemplate(), kRolloverFields, {IDC_RECORD_LIST, IDC_PREV, IDC_NEXT, IDC_DELETE})
{
    ClearFields();
}

void CTcaRolloverPage::ClearFields()
{
    m_nTipUp = 0;
    m_nLastTyped = -1;
    CTcaRecordPage::ClearFields();
}

void CTcaRolloverPage::DoDataExchange(CDataExchange* pDX)
{
    CTcaRecordPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_TIP_UP, m_nTipUp);
}

BOOL CTcaRolloverPage::OnInitDialog()
{
    CTcaRecordPage::OnInitDialog();
    OnChanged(IDC_RECORD_LIST, [this] { OnEditchangeRecordList(); });
    return TRUE;
}

void CTcaRolloverPage::ShowExtra(const TcaRolloverRecord& record)
{
    m_nTipUp = record.m_bTipUp ? 1 : 0;
    UpdateData(FALSE);
    RecordList().SetWindowText(CString(std::to_string(Current() + 1)));
}

void CTcaRolloverPage::StoreExtra(TcaRolloverRecord& record, int index)
{
    record.m_strNumber = std::to_string(index + 1);
    record.m_bTipUp = m_nTipUp != 0;
}

void CTcaRolloverPage::AfterSelect() { RecordList().SetWindowText(CString(std::to_string(Current() + 1))); }

void CTcaRolloverPage::OnEditchangeRecordList()
{
    if (!m_pData)
        return;
    const int n = std::atoi(RecordList().GetWindowText());
    if (n == m_nLastTyped || n < 1 || n > static_cast<int>(Records().size()) || n - 1 == Current())
        return;
    if (MoveTo(n - 1))
        m_nLastTyped = n;
}
