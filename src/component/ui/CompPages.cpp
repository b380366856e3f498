#include "component/ui/CompPages.h"

#include "codes/ui/Search.h"
#include "codes/ui/SearchReference.h"
#include "codes/CodeCheck.h"
#include "common/RecordLine.h"
#include "common/ui/EditKavroNo.h"
#include "component/ui/RolloverVehicle.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/SpinButton.h"

#include <QSignalBlocker>

#include <cmath>
#include <cstdlib>

namespace {

using D = CCompData;
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr const char* kTag = "COMDB";

// A number as the pages show it; nothing for a value that is no number.
CString RealText(double value)
{
    if (!std::isfinite(value))
        return CString();
    CString text;
    text.Format("%.2lf", value);
    return text;
}
CString IntText(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

// One row of a page: label, field and an optional button to its right.
struct Cell {
    int x, labelW, editW;
};

void AddRow(std::vector<DlgItem>& items, const Cell& c, int y, const char* label, int id, UINT style = 0,
            int labelId = -1, int buttonId = 0, const char* button = "Search...")
{
    items.push_back({labelId, DlgKind::Static, label, c.x, y + 2, c.labelW, 10});
    items.push_back({id, DlgKind::Edit, "", c.x + c.labelW + 2, y, c.editW, 13, style});
    if (buttonId)
        items.push_back({buttonId, DlgKind::Button, button, c.x + c.labelW + c.editW + 5, y, 40, 13});
}

void AddRecordBox(std::vector<DlgItem>& items, int x, const char* title, int list, int next, int remove, int retain)
{
    items.push_back({-1, DlgKind::GroupBox, title, x, 4, 92, 168});
    items.push_back({list, DlgKind::ListBox, "", x + 8, 18, 76, 90});
    items.push_back({remove, DlgKind::Button, "x", x + 8, 112, 18, 14});
    items.push_back({next, DlgKind::Button, ">", x + 66, 112, 18, 14});
    items.push_back({-1, DlgKind::Static, "Delete the\nSelected Record", x + 4, 130, 84, 18});
    items.push_back({retain, DlgKind::CheckBox, "Retain the Last\nRecord for the New", x + 4, 148, 84, 22});
}

// ---------------------------------------------------------------------------------------------
// Test page

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
    const Cell left {8, 90, 70}, wide {8, 90, 400}, right {286, 96, 110};
    AddRow(items, left, 10, "Version Number:", T::IDC_VERSION, DS_UPPERCASE);
    AddRow(items, right, 10, "Test Date:", T::IDC_TEST_DATE, DS_UPPERCASE);
    items.push_back({T::IDC_DATE_PICKER, DlgKind::Custom, "", 286 + 96 + 2 + 112, 10, 12, 13, 0, &CDateTimeCtrl::Create});
    AddRow(items, wide, 30, "Title:", T::IDC_TITLE, DS_UPPERCASE);
    AddRow(items, wide, 48, "Test Objectives:", T::IDC_OBJECTIVES, DS_UPPERCASE);
    AddRow(items, wide, 66, "Test Comments:", T::IDC_TEST_COMMENTS);
    AddRow(items, left, 90, "Test Performer:", T::IDC_PERFORMER, DS_READONLY, -1, T::IDC_SEARCH_PERFORMER);
    AddRow(items, left, 108, "Test Type:", T::IDC_TEST_TYPE, DS_READONLY, -1, T::IDC_SEARCH_TEST_TYPE);
    AddRow(items, left, 126, "Total Number of Curves:", T::IDC_CURVE_COUNT, DS_READONLY);
    AddRow(items, right, 90, "Contract Number:", T::IDC_CONTRACT_NO, DS_UPPERCASE);
    AddRow(items, right, 108, "Ambient Temperature:", T::IDC_AMBIENT_TEMP);
    AddRow(items, right, 126, "Test Reference Number:", T::IDC_TEST_REFERENCE, DS_UPPERCASE);
    return {"General Test Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kTestTemplate = MakeTestTemplate();

// ---------------------------------------------------------------------------------------------
// Vehicle page

using V = CCompVehPage;

const PageField<D> kVehFields[] = {
    {.id = V::IDC_YEAR, .rule = FieldRule::Int(1900, 9999, true, "1900->9999"), .array = &D::m_saVehYear},
    {.id = V::IDC_MAKE, .array = &D::m_saVehMake, .codeTable = "MAKE"},
    {.id = V::IDC_MODEL, .array = &D::m_saVehModel},
    {.id = V::IDC_BODY, .array = &D::m_saVehBodyType, .codeTable = "BODY", .searchId = V::IDC_SEARCH_BODY},
    {.id = V::IDC_VIN, .rule = FieldRule::Text(0, 17, true), .array = &D::m_saVehVIN},
    {.id = V::IDC_KAVRO_NO,
     .rule = FieldRule::Text(6, 9, true, "9 chars: 1st - purchasing office; 2nd-5th - year; 6th-9th manufacturer code"),
     .array = &D::m_saVehKavroNo},
    {.id = V::IDC_CRASH_TESTED, .array = &D::m_saVehCrashTested, .codeTable = "CRTEST", .searchId = V::IDC_SEARCH_CRTEST},
    {.id = V::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saVehComments},
};

// The rollover entry fields are the page's own (the rollover vehicle's values of their types).
const PageTip kVehTips[] = {
    {V::IDC_DISPLACEMENT, "0.0->19.9"},
};

// The rollover entry fields and their labels, then the computed values and theirs.
struct RolloverCell {
    int id;
    int labelId;
    const char* label;
    FieldRule rule;
};
const RolloverCell kRolloverEntries[] = {
    {V::IDC_VIMF_NO, 1665, "VIMF No.:", FieldRule::Plain()},
    {V::IDC_LOAD, 1666, "Load:", FieldRule::Plain()},
    {V::IDC_ENGINE, 1667, "Engine:", FieldRule::Plain()},
    {V::IDC_DISPLACEMENT, 1671, "Engine Displacement (L):", FieldRule::Real(0.0, 19.9, true, "0.0->19.9")},
    {V::IDC_TRANSMISSION, 1668, "Transmission:", FieldRule::Plain()},
    {V::IDC_FUEL, 1669, "Fuel:", FieldRule::Plain()},
    {V::IDC_OPTIONAL_EQUIPMENT, 1670, "Optional Equipment:", FieldRule::Plain()},
};
using R = CRolloverVehicleData;
struct RolloverResult {
    int id;
    int labelId;
    const char* label;
    double R::*real;
    int R::*whole;
};
const RolloverResult kRolloverResults[] = {
    {1678, 1674, "Static Stability Factor (SSF):", &R::m_dSSF, nullptr},
    {1679, 1675, "Risk Possibility:", &R::m_dRolloverProbability, nullptr},
    {1680, 1676, "Relative Risk Score (RRS):", &R::m_dRiskScore, nullptr},
    {1681, 1677, "Five Star Rating:", nullptr, &R::m_nStarRating},
    {1695, 1696, "Front Tire Pressure (psi):", nullptr, &R::m_nFrontTirePressure},
    {1694, 1693, "Rear Tire Pressure (psi):", nullptr, &R::m_nRearTirePressure},
    {1697, 1692, "C.G. Logitudinal (in):", &R::m_dCGLongitudinal, nullptr},
    {1698, 1691, "C.G. Lateral (in):", &R::m_dCGLateral, nullptr},
    {1699, 1690, "Wheelbase (in):", &R::m_dWheelbase, nullptr},
    {1686, 1689, "Ave. Track Width (in):", &R::m_dAvgTrackWidth, nullptr},
    {1687, 1688, "Ave. C.G. Height (in):", &R::m_dAvgCGHeight, nullptr},
    {1701, 1684, "Roof Height (in):", &R::m_dRoofHeight, nullptr},
    {1700, 1683, "Gross Vehicle Weight\nRating (GVWR) (lb):", nullptr, &R::m_nGVWR},
    {1682, 1685, "Total Weight (lb):", &R::m_dTotalWeight, nullptr},
};

DlgTemplate MakeVehTemplate()
{
    std::vector<DlgItem> items;
    const Cell left {8, 84, 70}, wide {8, 84, 140};
    items.push_back({-1, DlgKind::Static, "Test Vehicle Number:", 8, 12, 84, 10});
    items.push_back({V::IDC_VEHICLE_NO, DlgKind::Edit, "", 94, 10, 24, 13, DS_READONLY});
    items.push_back({V::IDC_SPIN, DlgKind::Custom, "", 119, 10, 10, 13, 0,
                     [](QWidget* parent) -> QWidget* { return new CSpinButtonCtrl(parent); }});
    AddRow(items, left, 28, "Vehicle Year:", V::IDC_YEAR, DS_NUMBER);
    AddRow(items, left, 46, "Vehicle Make:", V::IDC_MAKE, DS_READONLY, -1, V::IDC_SEARCH_MAKE);
    AddRow(items, left, 64, "Vehicle Model:", V::IDC_MODEL, DS_READONLY, -1, V::IDC_SEARCH_MODEL);
    AddRow(items, left, 82, "Body:", V::IDC_BODY, DS_READONLY, -1, V::IDC_SEARCH_BODY);
    AddRow(items, wide, 100, "Manufacturer VIN:", V::IDC_VIN, DS_UPPERCASE);
    AddRow(items, left, 118, "KAVRO Number:", V::IDC_KAVRO_NO, DS_UPPERCASE, -1, V::IDC_EDIT_KAVRO, "EDIT");
    AddRow(items, left, 136, "Crash Tested Indicator:", V::IDC_CRASH_TESTED, DS_READONLY | DS_UPPERCASE, -1,
           V::IDC_SEARCH_CRTEST);
    AddRow(items, wide, 154, "Vehicle Commentary:", V::IDC_COMMENTS, DS_UPPERCASE);

    items.push_back({V::IDC_ROLLOVER_GROUP, DlgKind::GroupBox, "Rollover Info", 238, 2, 270, 226});
    int y = 14;
    for (const RolloverCell& cell : kRolloverEntries) {
        const UINT style = cell.id == V::IDC_VIMF_NO || cell.id == V::IDC_LOAD ? DS_NUMBER
                           : cell.id == V::IDC_ENGINE || cell.id == V::IDC_TRANSMISSION ? DS_READONLY
                                                                                          : 0;
        const int button = cell.id == V::IDC_ENGINE ? V::IDC_SEARCH_ENGINE
                           : cell.id == V::IDC_TRANSMISSION ? V::IDC_SEARCH_TRANSM
                                                            : 0;
        AddRow(items, {244, 96, button ? 70 : 114}, y, cell.label, cell.id, style, cell.labelId, button);
        y += 15;
    }
    y += 2;
    for (size_t i = 0; i < std::size(kRolloverResults); ++i) {
        const RolloverResult& r = kRolloverResults[i];
        const int column = static_cast<int>(i % 2), row = static_cast<int>(i / 2);
        const int x = 244 + column * 134, yy = y + row * 15;
        const bool twoLines = std::string_view(r.label).find('\n') != std::string_view::npos;
        items.push_back({r.labelId, DlgKind::Static, r.label, x, twoLines ? yy - 3 : yy + 2, 94, twoLines ? 17 : 10});
        items.push_back({r.id, DlgKind::Edit, "", x + 94, yy, 34, 13, DS_READONLY});
    }
    items.push_back({V::IDC_MORE_INFO, DlgKind::Button, "More Info", 8, 178, 70, 16});
    return {"Vehicle Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kVehTemplate = MakeVehTemplate();

// ---------------------------------------------------------------------------------------------
// Component page

using C = CCompCompPage;

const PageField<D> kCompFields[] = {
    {.id = C::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, "0->1; 0 or empty if vehicle page is no available."),
     .array = &D::m_saCompVehicleNo},
    {.id = C::IDC_COMPONENT_NO,
     .rule = FieldRule::Int(0, 99, true, "0->99; 0 or empty if component page is no available."),
     .array = &D::m_saCompNo},
    {.id = C::IDC_TESTED, .array = &D::m_saCompTested, .codeTable = "CMPNT"},
    {.id = C::IDC_TYPE, .array = &D::m_saCompType, .codeTable = "CMPTYP"},
    {.id = C::IDC_WEIGHT, .rule = FieldRule::Real(0.0, 9999.0, true, "kg (0.0->9999)"), .array = &D::m_saCompWeight},
    {.id = C::IDC_MOD_INDICATOR, .array = &D::m_saCompModIndicator, .codeTable = "MODIND", .searchId = C::IDC_SEARCH_MODIND},
    {.id = C::IDC_MOD_DESCRIPTION, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saCompModDescription},
    {.id = C::IDC_OCCUPANT_TYPE, .array = &D::m_saCompOccupantType, .codeTable = "OCCTYP", .searchId = C::IDC_SEARCH_OCCTYP},
    {.id = C::IDC_DUMMY_SIZE, .array = &D::m_saCompDummySize, .codeTable = "DUMSIZ", .searchId = C::IDC_SEARCH_DUMSIZ},
    {.id = C::IDC_DUMMY_MAKER, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saCompDummyMaker},
    {.id = C::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saCompComments},
};
const PageTip kCompTips[] = {
    {C::IDC_NEXTCURVE_BUTTON, "Advance to Next Component Info Set"},
    {C::IDC_DELETE_BUTTON, "Delete Component Info Set"},
};

DlgTemplate MakeCompTemplate()
{
    std::vector<DlgItem> items;
    const Cell code {8, 110, 50}, wide {8, 110, 280};
    AddRow(items, code, 10, "Test Vehicle Number:", C::IDC_VEHICLE_NO, DS_READONLY, -1, C::IDC_SEARCH_VEHICLE);
    AddRow(items, code, 28, "Component Number:", C::IDC_COMPONENT_NO, DS_READONLY);
    AddRow(items, code, 46, "Component Tested:", C::IDC_TESTED, DS_READONLY, -1, C::IDC_SEARCH_CMPNT);
    AddRow(items, code, 64, "Component Type:", C::IDC_TYPE, DS_READONLY, -1, C::IDC_SEARCH_CMPTYP);
    AddRow(items, code, 82, "Component Weight:", C::IDC_WEIGHT);
    AddRow(items, code, 100, "Modification Indicator:", C::IDC_MOD_INDICATOR, DS_READONLY, 1660, C::IDC_SEARCH_MODIND);
    AddRow(items, wide, 118, "Modification Description:", C::IDC_MOD_DESCRIPTION, 0, 1663);
    AddRow(items, code, 136, "Occupant Type:", C::IDC_OCCUPANT_TYPE, DS_READONLY, -1, C::IDC_SEARCH_OCCTYP);
    AddRow(items, code, 154, "Dummy Size Percentile:", C::IDC_DUMMY_SIZE, DS_READONLY, 1662, C::IDC_SEARCH_DUMSIZ);
    AddRow(items, wide, 172, "Dummy Manufacturer:", C::IDC_DUMMY_MAKER, 0, 1664);
    AddRow(items, wide, 190, "Component Comments:", C::IDC_COMMENTS);
    AddRecordBox(items, 410, "Component Record Index", C::IDC_RECORD_LIST, C::IDC_NEXTCURVE_BUTTON,
                 C::IDC_DELETE_BUTTON, C::IDC_RETAIN_LAST);
    return {"Component Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kCompTemplate = MakeCompTemplate();

// ---------------------------------------------------------------------------------------------
// Configuration page

using F = CCompConfPage;

const PageField<D> kConfFields[] = {
    {.id = F::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, "0->1"), .array = &D::m_saConfVehicleNo},
    {.id = F::IDC_COMPONENT_NO, .rule = FieldRule::Int(0, 99, true, "0->99"), .array = &D::m_saConfCompNo},
    {.id = F::IDC_CONFIGURATION_NO, .rule = FieldRule::Int(0, 999, true, "0->999"), .array = &D::m_saConfNo},
    {.id = F::IDC_TEST_DEVICE, .array = &D::m_saConfTestDevice, .codeTable = "TSTDEV", .searchId = F::IDC_SEARCH_TSTDEV},
    {.id = F::IDC_DEVICE_SPEED, .rule = FieldRule::Real(0.0001, 99999.0, true, "km/hr (0.0001->99999)"),
     .array = &D::m_saConfDeviceSpeed},
    {.id = F::IDC_DEVICE_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saConfDeviceComments},
    {.id = F::IDC_TEST_CONFIG, .array = &D::m_saConfTestConfig, .codeTable = "CONFIG", .searchId = F::IDC_SEARCH_CONFIG},
    {.id = F::IDC_COMPONENT_SPEED, .rule = FieldRule::Real(0.0001, 99999.0, true, "km/hr (0.0001->99999)"),
     .array = &D::m_saConfCompSpeed},
    {.id = F::IDC_CONTACT_ANGLE, .rule = FieldRule::Int(0, 359, true, "Degrees (0->359)"),
     .array = &D::m_saConfContactAngle},
    {.id = F::IDC_CONTACT_LOCATION1, .rule = FieldRule::Int(0, 99999, true, "0->99999"),
     .array = &D::m_saConfContactLocation1},
    {.id = F::IDC_CONTACT_LOCATION2, .rule = FieldRule::Int(0, 99999, true, "0->99999"),
     .array = &D::m_saConfContactLocation2},
    {.id = F::IDC_CONTACT_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saConfContactCommentary},
    {.id = F::IDC_CONFIG_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saConfCommentary},
};
const PageTip kConfTips[] = {
    {F::IDC_NEXTCURVE_BUTTON, "Advance to Next Configuration Info Set"},
    {F::IDC_DELETE_BUTTON, "Delete Configuration Info Set"},
};

DlgTemplate MakeConfTemplate()
{
    std::vector<DlgItem> items;
    const Cell code {14, 104, 40}, plain {8, 110, 60}, wide {8, 110, 280};
    items.push_back({-1, DlgKind::GroupBox, "Reference No Narrowing", 6, 2, 200, 48});
    AddRow(items, code, 14, "Test Vehicle Number:", F::IDC_VEHICLE_NO, DS_READONLY | DS_NUMBER | DS_DISABLED, -1,
           F::IDC_SEARCH_VEHICLE);
    AddRow(items, code, 32, "Component Number:", F::IDC_COMPONENT_NO, DS_READONLY | DS_NUMBER, -1,
           F::IDC_SEARCH_COMPONENT);
    AddRow(items, plain, 56, "Configuration Number:", F::IDC_CONFIGURATION_NO, DS_READONLY | DS_NUMBER | DS_DISABLED);
    AddRow(items, plain, 74, "Test Device:", F::IDC_TEST_DEVICE, DS_READONLY, -1, F::IDC_SEARCH_TSTDEV);
    AddRow(items, plain, 92, "Test Device Speed:", F::IDC_DEVICE_SPEED);
    AddRow(items, wide, 110, "Test Device Comments:", F::IDC_DEVICE_COMMENTS);
    AddRow(items, plain, 128, "Test Configuration:", F::IDC_TEST_CONFIG, DS_READONLY, -1, F::IDC_SEARCH_CONFIG);
    AddRow(items, plain, 146, "Component Speed:", F::IDC_COMPONENT_SPEED);
    AddRow(items, {240, 76, 50}, 56, "Contact Angle:", F::IDC_CONTACT_ANGLE, DS_NUMBER);
    AddRow(items, {240, 76, 50}, 74, "Contact Location #1:", F::IDC_CONTACT_LOCATION1, DS_NUMBER);
    AddRow(items, {240, 76, 50}, 92, "Contact Location #2:", F::IDC_CONTACT_LOCATION2, DS_NUMBER);
    AddRow(items, wide, 164, "Contact Comments:", F::IDC_CONTACT_COMMENTS);
    AddRow(items, wide, 182, "Configuration Comments:", F::IDC_CONFIG_COMMENTS);
    AddRecordBox(items, 410, "Configuration Record Index", F::IDC_RECORD_LIST, F::IDC_NEXTCURVE_BUTTON,
                 F::IDC_DELETE_BUTTON, F::IDC_RETAIN_LAST);
    return {"Component Configuration Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kConfTemplate = MakeConfTemplate();

// ---------------------------------------------------------------------------------------------
// Instrumentation page

using I = CCompInstPage;

const PageField<D> kInstFields[] = {
    {.id = I::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, "0->1"), .array = &D::m_saInstVehicleNo},
    {.id = I::IDC_COMPONENT_NO, .rule = FieldRule::Int(0, 99, true, "1->99"), .array = &D::m_saInstCompNo},
    {.id = I::IDC_CONFIGURATION_NO, .rule = FieldRule::Int(0, 999, true, "1->999"), .array = &D::m_saInstConfNo},
    {.id = I::IDC_SENSOR_TYPE, .array = &D::m_saInstSensorType, .codeTable = "SENTYP", .searchId = I::IDC_SEARCH_SENTYP},
    {.id = I::IDC_SENSOR_ATTACHMENT, .array = &D::m_saInstSensorAttachment, .codeTable = "SENATT",
     .searchId = I::IDC_SEARCH_SENATT},
    {.id = I::IDC_AXIS, .array = &D::m_saInstAxis, .codeTable = "AXIS", .searchId = I::IDC_SEARCH_AXIS},
    {.id = I::IDC_XUNITS, .array = &D::m_saInstXUnits, .codeTable = "UNITS", .searchId = I::IDC_SEARCH_XUNITS,
     .empty = "SEC"},
    {.id = I::IDC_YUNITS, .array = &D::m_saInstYUnits, .codeTable = "UNITS", .searchId = I::IDC_SEARCH_YUNITS},
    {.id = I::IDC_INITIAL_VELOCITY, .rule = FieldRule::Real(-200.0, 200.0, true, "km/hr (-200.000->200.000)"),
     .array = &D::m_saInstInitialVelocity},
    {.id = I::IDC_FIRST_POINT, .rule = FieldRule::Int(-10000, 0, true, "-10000->0"), .array = &D::m_saInstFirstPoint},
    {.id = I::IDC_LAST_POINT, .rule = FieldRule::Int(0, 99999, true, "0->99999"), .array = &D::m_saInstLastPoint},
    {.id = I::IDC_TIME_STEP, .rule = FieldRule::Int(0, 999999, true, "Microseconds (0->999999)"),
     .array = &D::m_saInstTimeStep},
    {.id = I::IDC_DATA_STATUS, .array = &D::m_saInstDataStatus, .codeTable = "DASTAT", .searchId = I::IDC_SEARCH_DASTAT},
    {.id = I::IDC_CHANNEL_STATUS, .array = &D::m_saInstChannelStatus, .codeTable = "CHSTAT",
     .searchId = I::IDC_SEARCH_CHSTAT},
    {.id = I::IDC_CALIBRATION_DATE, .rule = FieldRule::Text(0, 11, true, "Date (dd/MMM/yyyy)"),
     .array = &D::m_saInstCalibrationDate},
    {.id = I::IDC_PREFILTER, .rule = FieldRule::Int(0, 99999, true, "Hz (0->99999)"), .array = &D::m_saInstPrefilter},
    {.id = I::IDC_RATING, .rule = FieldRule::Int(-999999, 999999, true, "-999999->999999"), .array = &D::m_saInstRating},
    {.id = I::IDC_CHANNEL_MAX, .rule = FieldRule::Int(0, 300, true, "% (0->100) allow to exceed 100 "),
     .array = &D::m_saInstChannelMax},
    {.id = I::IDC_MAKER, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstMaker},
    {.id = I::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstComments},
};
const PageTip kInstTips[] = {
    {I::IDC_NEXTCURVE_BUTTON, "Go to (or add) the next curve"},
    {I::IDC_DELETE_BUTTON, "Delete curve"},
};

DlgTemplate MakeInstTemplate()
{
    std::vector<DlgItem> items;
    const Cell ref {14, 86, 30}, code {8, 92, 40}, value {196, 84, 56}, wide {8, 92, 300};
    items.push_back({-1, DlgKind::GroupBox, "Referenced Number Narrowing", 6, 2, 176, 64});
    AddRow(items, ref, 14, "Test Vehicle Number:", I::IDC_VEHICLE_NO, DS_READONLY | DS_NUMBER, -1, I::IDC_SEARCH_VEHICLE);
    AddRow(items, ref, 31, "Component Number:", I::IDC_COMPONENT_NO, DS_READONLY | DS_NUMBER, -1,
           I::IDC_SEARCH_COMPONENT);
    AddRow(items, ref, 48, "Configuration Number:", I::IDC_CONFIGURATION_NO, DS_READONLY | DS_NUMBER, -1,
           I::IDC_SEARCH_CONFIGURATION);
    AddRow(items, code, 70, "Sensor Type:", I::IDC_SENSOR_TYPE, DS_READONLY, -1, I::IDC_SEARCH_SENTYP);
    AddRow(items, code, 86, "Sensor Attachment:", I::IDC_SENSOR_ATTACHMENT, DS_READONLY, -1, I::IDC_SEARCH_SENATT);
    items.push_back({-1, DlgKind::GroupBox, "Curve Coordinates", 4, 101, 190, 58});
    AddRow(items, code, 112, "Axis:", I::IDC_AXIS, DS_READONLY, -1, I::IDC_SEARCH_AXIS);
    AddRow(items, code, 127, "X Units:", I::IDC_XUNITS, DS_READONLY, -1, I::IDC_SEARCH_XUNITS);
    AddRow(items, code, 142, "Y Units:", I::IDC_YUNITS, DS_READONLY, -1, I::IDC_SEARCH_YUNITS);
    AddRow(items, code, 162, "Data Status:", I::IDC_DATA_STATUS, DS_READONLY, -1, I::IDC_SEARCH_DASTAT);
    AddRow(items, code, 178, "Channel Status:", I::IDC_CHANNEL_STATUS, DS_READONLY, -1, I::IDC_SEARCH_CHSTAT);
    AddRow(items, value, 6, "Initial Velocity:", I::IDC_INITIAL_VELOCITY);
    AddRow(items, value, 22, "First Point:", I::IDC_FIRST_POINT);
    AddRow(items, value, 38, "Last Point:", I::IDC_LAST_POINT, DS_NUMBER);
    AddRow(items, value, 54, "Time Step:", I::IDC_TIME_STEP, DS_NUMBER);
    AddRow(items, value, 70, "Calibration Date:", I::IDC_CALIBRATION_DATE, DS_UPPERCASE);
    items.push_back({I::IDC_DATE_PICKER, DlgKind::Custom, "", 340, 70, 66, 13, 0, &CDateTimeCtrl::Create});
    AddRow(items, value, 86, "Prefilter Frequency:", I::IDC_PREFILTER, DS_NUMBER);
    AddRow(items, value, 102, "Instrument Rating:", I::IDC_RATING);
    AddRow(items, value, 118, "Channel Maximum Rating:", I::IDC_CHANNEL_MAX, DS_NUMBER);
    AddRow(items, {196, 84, 120}, 134, "Instrument Manufacturer:", I::IDC_MAKER, DS_UPPERCASE);
    AddRow(items, wide, 196, "Instrument Comments:", I::IDC_COMMENTS);
    items.push_back({I::IDC_CHECK_CURVE, DlgKind::Button, "Check Curve\nRelated Error", 4, 212, 70, 20, DS_MULTILINE});
    items.push_back({I::IDC_VIEW_CURVE, DlgKind::Button, "View Curve\nRelated Data", 4, 212, 70, 20, DS_MULTILINE});
    items.push_back({I::IDC_MESSAGE, DlgKind::Edit, "", 78, 215, 330, 13, DS_READONLY});
    items.push_back({I::IDC_FIND_NEXT_ERROR, DlgKind::Button, "FInd next error", 414, 214, 88, 14});
    AddRecordBox(items, 410, "Curve/Channel Number", I::IDC_RECORD_LIST, I::IDC_NEXTCURVE_BUTTON, I::IDC_DELETE_BUTTON,
                 I::IDC_RETAIN_LAST);
    return {"Instrumentation Info", 509, 234, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kInstTemplate = MakeInstTemplate();

} // namespace

// =============================================================================================

CheckPairInLists::CheckPairInLists(CNEdit& field, const CNEdit& other, const CStringArray& list1,
                                   const CStringArray& list2, int count)
{
    const CString value1 = field.GetText();
    if (value1.IsEmpty()) {
        field.SetValid(true);
        return;
    }
    const CString value2 = other.GetText();
    const int last = std::min({count, static_cast<int>(list1.GetSize()) - 1, static_cast<int>(list2.GetSize()) - 1});
    bool found = false;
    for (int i = 1; i <= last && !found; ++i)
        found = list1[i] == value1 && list2[i] == value2;
    field.SetValid(found);
}

// =============================================================================================
// Test page

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
    SetDlgItemText(IDC_CURVE_COUNT, IntText(data.m_nCurveCount));
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

bool CCompTestPage::AllFieldsValid()
{
    // The code fields only show their check.
    bool valid = true;
    for (int id : {IDC_CONTRACT_NO, IDC_TITLE, IDC_TEST_COMMENTS, IDC_OBJECTIVES, IDC_TEST_REFERENCE, IDC_VERSION,
                   IDC_AMBIENT_TEMP, IDC_TEST_DATE}) {
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

// =============================================================================================
// Vehicle page

CCompVehPage::CCompVehPage()
    : CFieldPage<D, CPropertyPage>(&kVehTemplate, kVehFields, kVehTips)
{
    for (size_t i = 0; i < std::size(kRolloverEntries) + std::size(kRolloverResults); ++i)
        m_rollover.push_back(std::make_unique<CNEdit>());
}

CCompVehPage::~CCompVehPage() = default;

CSpinButtonCtrl* CCompVehPage::Spin() const { return Item<CSpinButtonCtrl>(IDC_SPIN); }

CNEdit* CCompVehPage::RolloverEdit(int id) const
{
    for (size_t i = 0; i < std::size(kRolloverEntries); ++i) {
        if (kRolloverEntries[i].id == id)
            return m_rollover[i].get();
    }
    for (size_t i = 0; i < std::size(kRolloverResults); ++i) {
        if (kRolloverResults[i].id == id)
            return m_rollover[std::size(kRolloverEntries) + i].get();
    }
    return nullptr;
}

void CCompVehPage::DoDataExchange(CDataExchange* pDX)
{
    CFieldPage<D, CPropertyPage>::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VEHICLE_NO, m_editVehicleNo);
    for (const RolloverCell& cell : kRolloverEntries)
        DDX_Control(pDX, cell.id, *RolloverEdit(cell.id));
    for (const RolloverResult& r : kRolloverResults)
        DDX_Control(pDX, r.id, *RolloverEdit(r.id));
}

BOOL CCompVehPage::OnInitDialog()
{
    CFieldPage<D, CPropertyPage>::OnInitDialog();
    UpdateData(FALSE);
    OnClicked(IDC_SEARCH_MAKE, [this] {
        if (IsEnterHeldDown() || !m_pCodes)
            return;
        CString code;
        if (!m_pCodes->Search("MAKE", m_tag, code))
            return;
        code.Trim();
        // Another make: the model of the old one no longer applies.
        if (code != Edit(IDC_MAKE)->GetText())
            Edit(IDC_MODEL)->SetText("");
        Edit(IDC_MAKE)->SetText(code);
        Edit(IDC_MAKE)->SetValid(true);
        EnableDlgItem(IDC_SEARCH_MODEL, !code.IsEmpty());
    });
    OnClicked(IDC_SEARCH_MODEL, [this] { OnSearchModel(); });
    OnClicked(IDC_SEARCH_ENGINE, [this] { OnSearchEngine(); });
    OnClicked(IDC_SEARCH_TRANSM, [this] { OnSearchTransm(); });
    OnClicked(IDC_MORE_INFO, [this] { OnMoreInfo(); });
    OnClicked(IDC_EDIT_KAVRO, [this] { OnEditKavroNo(); });
    connect(Edit(IDC_KAVRO_NO), &CNEdit::Changed, this, [this] { CheckKavroNumber(); });
    m_editVehicleNo.SetText("0");
    if (CSpinButtonCtrl* spin = Spin()) {
        spin->SetRange(0, 1);
        spin->OnDeltaPos = [this](int delta) {
            OnDeltaposSpin(delta);
            return false;
        };
    }
    return TRUE;
}

BOOL CCompVehPage::OnSetActive()
{
    Edit(IDC_MODEL)->SetColors(CNEdit::kBlack, kSilver);
    SetFieldTypes();
    RolloverEdit(IDC_DISPLACEMENT)->Apply(kRolloverEntries[3].rule);
    ApplyTestType();
    LoadRecord();
    AllFieldsValid();
    return CPropertyPage::OnSetActive();
}

void CCompVehPage::CheckEitherTag(CNEdit& field, const char* table)
{
    if (!m_pCodes)
        return;
    m_pCodes->Check(field, table, m_tag);
    if (!field.IsValid())
        m_pCodes->Check(field, table, "VEHDB");
}

void CCompVehPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    D& data = *m_pData;
    // A test file may name any record: the page shows one of its two.
    const int n = std::clamp(data.m_nVehicleCount, 0, 1);
    UpdateData(TRUE);
    m_editVehicleNo.SetText(IntText(n));
    if (CSpinButtonCtrl* spin = Spin())
        spin->SetPos(n);
    LoadFields(data, n);
    if (IsRollover()) {
        const R& r = data.m_RolloverVehicleData;
        RolloverEdit(IDC_VIMF_NO)->SetText(r.m_nVimfTestNo ? IntText(r.m_nVimfTestNo) : CString());
        RolloverEdit(IDC_LOAD)->SetText(r.m_strLoad);
        RolloverEdit(IDC_ENGINE)->SetText(r.m_strEngine);
        // 0 is no displacement: the field shows none rather than the previous test's.
        RolloverEdit(IDC_DISPLACEMENT)->SetText(r.m_dEngineDisplacement > 0 ? RealText(r.m_dEngineDisplacement)
                                                                           : CString());
        ApplyEngineType(r.m_strEngine == "ELEC");
        RolloverEdit(IDC_TRANSMISSION)->SetText(r.m_strTransmission);
        RolloverEdit(IDC_FUEL)->SetText(r.m_strFuel);
        RolloverEdit(IDC_OPTIONAL_EQUIPMENT)->SetText(r.m_strOptionalEquipment);
        CheckEitherTag(*RolloverEdit(IDC_ENGINE), "ENGINE");
        CheckEitherTag(*RolloverEdit(IDC_TRANSMISSION), "TRANSM");
    }
    CString make = Edit(IDC_MAKE)->GetText();
    make.Trim();
    EnableDlgItem(IDC_SEARCH_MODEL, !make.IsEmpty());
    UpdateData(FALSE);
}

BOOL CCompVehPage::SaveRecord()
{
    if (!HasWindow())
        return TRUE;
    if (!m_pData)
        return FALSE;
    D& data = *m_pData;
    const int n = std::clamp(m_editVehicleNo.GetInt(), 0, 1);
    data.m_nVehicleCount = n;
    SaveFields(data, n);
    if (IsRollover()) {
        R& r = data.m_RolloverVehicleData;
        r.m_nVimfTestNo = RolloverEdit(IDC_VIMF_NO)->GetInt();
        r.m_strLoad = RolloverEdit(IDC_LOAD)->GetText();
        r.m_strEngine = RolloverEdit(IDC_ENGINE)->GetText();
        const double displacement = RolloverEdit(IDC_DISPLACEMENT)->GetDouble();
        r.m_dEngineDisplacement = std::isfinite(displacement) ? displacement : 0.0;
        r.m_strTransmission = RolloverEdit(IDC_TRANSMISSION)->GetText();
        r.m_strFuel = RolloverEdit(IDC_FUEL)->GetText();
        r.m_strOptionalEquipment = RolloverEdit(IDC_OPTIONAL_EQUIPMENT)->GetText();
    }
    return TRUE;
}

bool CCompVehPage::AllFieldsValid()
{
    bool valid = true;
    for (int id : {IDC_KAVRO_NO, IDC_COMMENTS, IDC_VIN, IDC_YEAR})
        valid = Edit(id)->IsValid() && valid;
    valid = RolloverEdit(IDC_DISPLACEMENT)->IsValid() && valid;
    return CheckKavroNumber() && valid;
}

BOOL CCompVehPage::CheckKavroNumber()
{
    CNEdit& field = *Edit(IDC_KAVRO_NO);
    CString number = field.GetText();
    number.Trim();
    if (number.IsEmpty())
        return TRUE;
    CEditKavroNo check;
    const bool good = check.CheckNumber(number);
    field.SetValid(good);
    return good ? TRUE : FALSE;
}

bool CCompVehPage::ShowAndCheck(int record)
{
    if (m_pData)
        m_pData->m_nVehicleCount = record;
    LoadRecord();
    return AllFieldsValid();
}

BOOL CCompVehPage::OnKillActive()
{
    if (!AllFieldsValid())
        return FALSE;
    SaveRecord();
    if (!m_pData)
        return CPropertyPage::OnKillActive();
    const int shown = std::clamp(m_pData->m_nVehicleCount, 0, 1);
    const int other = IsRollover() ? shown : (shown == 0 ? 1 : 0);
    if (!ShowAndCheck(other))
        return FALSE;
    m_pData->m_nVehicleCount = shown;
    LoadRecord();
    return CPropertyPage::OnKillActive();
}

int CCompVehPage::OnDeltaposSpin(int delta)
{
    if (!m_pData)
        return 0;
    const int shown = m_pData->m_nVehicleCount;
    if ((shown == 1 && delta == -1) || (shown == 0 && delta == 1)) {
        if (!SaveRecord())
            return 0;
        m_pData->m_nVehicleCount = shown == 1 ? 0 : 1;
        LoadRecord();
    }
    return 0;
}

void CCompVehPage::ApplyTestType()
{
    const bool rollover = IsRollover();
    ShowRolloverControls(rollover);
    if (rollover)
        ShowRolloverResults();
}

void CCompVehPage::ShowRolloverControls(bool show)
{
    if (!HasWindow())
        return;
    for (const RolloverCell& cell : kRolloverEntries) {
        ShowDlgItem(cell.id, show);
        ShowDlgItem(cell.labelId, show);
    }
    if (show)
        ApplyEngineType(RolloverEdit(IDC_ENGINE)->GetText() == "ELEC");
    if (CSpinButtonCtrl* spin = Spin())
        spin->EnableWindow(!show);
    for (int id : {static_cast<int>(IDC_ROLLOVER_GROUP), static_cast<int>(IDC_SEARCH_ENGINE),
                   static_cast<int>(IDC_SEARCH_TRANSM), static_cast<int>(IDC_MORE_INFO)})
        ShowDlgItem(id, show);
    for (const RolloverResult& r : kRolloverResults) {
        ShowDlgItem(r.id, show);
        ShowDlgItem(r.labelId, show);
    }
}

void CCompVehPage::ShowRolloverResults()
{
    if (!m_pData)
        return;
    Edit(IDC_CRASH_TESTED)->SetText("N");
    const R& data = m_pData->m_RolloverVehicleData;
    for (const RolloverResult& r : kRolloverResults)
        RolloverEdit(r.id)->SetText(r.real ? RealText(data.*r.real) : IntText(data.*r.whole));
}

void CCompVehPage::ApplyEngineType(bool electric)
{
    CNEdit& displacement = *RolloverEdit(IDC_DISPLACEMENT);
    if (electric) {
        displacement.SetText("");
        EnableDlgItem(IDC_DISPLACEMENT, false);
        displacement.SetColors(CNEdit::kBlack, kSilver);
        return;
    }
    EnableDlgItem(IDC_DISPLACEMENT, true);
    displacement.ShowNormalColors();
    if (QWidget* w = GetDlgItem(IDC_DISPLACEMENT); w && w->isVisible())
        w->setFocus();
}

void CCompVehPage::ClearPage()
{
    ClearFields();
    for (const auto& edit : m_rollover)
        edit->SetText("");
    m_editVehicleNo.SetText("0");
    if (HasWindow())
        UpdateData(FALSE);
}

void CCompVehPage::AfterSearch(int /*id*/) {}

void CCompVehPage::OnSearchModel()
{
    if (IsEnterHeldDown())
        return;
    const CString make = Edit(IDC_MAKE)->GetText();
    if (make.IsEmpty()) {
        MessageBox("Please enter 'Vehicle Make' prior to searching 'Vehicle Model'.");
        return;
    }
    CSearch search(nullptr, "MODEL", "", codesql::ModelsOfMake(make, kTag, true), FALSE);
    if (search.DoModal() == IDOK) {
        Edit(IDC_MODEL)->SetText(search.GetCode().Right(2));
        Edit(IDC_MODEL)->SetValid(true);
    }
}

void CCompVehPage::OnSearchEngine()
{
    if (IsEnterHeldDown() || !m_pCodes)
        return;
    CString code;
    if (!m_pCodes->Search("ENGINE", "VEHDB", code))
        return;
    RolloverEdit(IDC_ENGINE)->SetText(code);
    RolloverEdit(IDC_ENGINE)->SetValid(true);
    ApplyEngineType(code == "ELEC");
}

void CCompVehPage::OnSearchTransm()
{
    if (IsEnterHeldDown() || !m_pCodes)
        return;
    CString code;
    if (!m_pCodes->Search("TRANSM", "VEHDB", code))
        return;
    RolloverEdit(IDC_TRANSMISSION)->SetText(code);
    RolloverEdit(IDC_TRANSMISSION)->SetValid(true);
}

void CCompVehPage::OnMoreInfo()
{
    if (!m_pData)
        return;
    // The entry fields go with the record the dialog edits.
    SaveRecord();
    CRolloverVehicle dialog(nullptr);
    dialog.m_pData = m_pData;
    dialog.DoModal();
    // Esc keeps the edits made in the dialog as OK does: the summary follows either way.
    ShowRolloverResults();
}

void CCompVehPage::OnEditKavroNo()
{
    CEditKavroNo editor(nullptr);
    editor.m_strYear = Edit(IDC_YEAR)->GetText();
    editor.m_strNumber = CheckKavroNumber() ? Edit(IDC_KAVRO_NO)->GetText() : CString();
    if (editor.DoModal() == IDOK)
        Edit(IDC_KAVRO_NO)->SetText(editor.m_strNumber);
}

// =============================================================================================
// Record pages

bool CCompRecordPage::AllFieldsValid()
{
    bool valid = true;
    for (int id : m_validated)
        valid = Edit(id)->IsValid() && valid;
    return valid;
}

std::optional<CString> CCompRecordPage::PickVehicle()
{
    if (IsEnterHeldDown() || !m_pData)
        return std::nullopt;
    SearchReference picker;
    picker.SetRefArray1(&m_pData->m_saVehMake);
    picker.SetRefArray2(&m_pData->m_saVehModel);
    picker.SetRefArray3(&m_pData->m_saVehYear);
    picker.SetRefArray4(&m_pData->m_saVehKavroNo);
    picker.SetRefArray5(&m_pData->m_saVehComments);
    picker.SetMode(1);
    if (picker.DoModal() != IDOK)
        return std::nullopt;
    return picker.GetSelection();
}

std::optional<CString> CCompRecordPage::PickComponent(const CString& shownVehicle)
{
    if (IsEnterHeldDown() || !m_pData)
        return std::nullopt;
    D& data = *m_pData;
    CString vehicle = shownVehicle;
    vehicle.Trim();
    CStringArray vehicles, numbers, tested, comments;
    for (int i = 1; i <= data.m_nComponentCount && i < data.m_saCompVehicleNo.GetSize(); ++i) {
        CString stored = data.m_saCompVehicleNo[i];
        stored.Trim();
        data.m_saCompVehicleNo.SetAt(i, stored);
        if (stored != vehicle)
            continue;
        vehicles.Add(stored);
        numbers.Add(data.m_saCompNo[i]);
        tested.Add(data.m_saCompTested[i]);
        comments.Add(data.m_saCompComments[i]);
    }
    CSearch search(nullptr, "ListCompCompData", &vehicles, &numbers, &tested, &comments);
    if (search.DoModal() != IDOK)
        return std::nullopt;
    return search.GetCode();
}

// ---------------------------------------------------------------------------------------------
// Component page

CCompCompPage::CCompCompPage()
    : CCompRecordPage(&kCompTemplate, kCompFields,
                      {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_BUTTON, IDC_RETAIN_LAST}, "CCompCompPage",
                      kCompTips)
{
    m_validated = {IDC_COMMENTS, IDC_DUMMY_MAKER, IDC_MOD_DESCRIPTION, IDC_WEIGHT, IDC_COMPONENT_NO, IDC_VEHICLE_NO};
}

CCompCompPage::~CCompCompPage() = default;

BOOL CCompCompPage::OnInitDialog()
{
    CCompRecordPage::OnInitDialog();
    OnClicked(IDC_SEARCH_CMPNT, [this] { OnSearchTestedOrType(IDC_TESTED, "CMPNT"); });
    OnClicked(IDC_SEARCH_CMPTYP, [this] { OnSearchTestedOrType(IDC_TYPE, "CMPTYP"); });
    OnClicked(IDC_SEARCH_VEHICLE, [this] { OnSearchVehicle(); });
    return TRUE;
}

BOOL CCompCompPage::OnSetActive()
{
    const BOOL result = CCompRecordPage::OnSetActive();
    const bool rollover = m_pData && m_pData->m_strTestType == "ROV";
    Edit(IDC_VEHICLE_NO)->Apply(FieldRule::Int(0, !rollover && NoVehicle() ? 0 : 1, true));
    Edit(IDC_VEHICLE_NO)->Revalidate();
    // Only the page the user turns to takes up the rollover mode: a page shown again after a load
    // or an undo shows the test's records and adds none.
    if (const CPropertySheet* sheet = GetParentSheet(); !sheet || sheet->GetActivePage() == this)
        ApplyTestType();
    return result;
}

void CCompCompPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    const int i = m_nRecordIndex;
    if (i > 0) {
        if (NoVehicle())
            m_pData->m_saCompVehicleNo.SetAtGrow(i, "0");
        // Component numbers are the records' positions.
        m_pData->m_saCompNo.SetAtGrow(i, IntText(i));
    }
    CCompRecordPage::LoadRecord();
}

void CCompCompPage::LoadExtra(const CCompData& /*data*/, int /*index*/)
{
    EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
    CNEdit& number = *Edit(IDC_COMPONENT_NO);
    CString text = number.GetText();
    text.Trim();
    if (text == "0")
        number.SetText("");
    number.SetValid(true);
    CNEdit& vehicle = *Edit(IDC_VEHICLE_NO);
    vehicle.SetValid(vehicle.IsValid());
}

void CCompCompPage::SaveExtra(CCompData& data, int /*index*/) { data.m_nComponentCount = m_nRecordCount; }

int CCompCompPage::RolloverRecord()
{
    D& data = *m_pData;
    for (int i = 1; i <= m_nRecordCount; ++i) {
        if (data.m_saCompTested[i] == "ROVV")
            return i;
    }
    if (m_nRecordIndex > 0)
        SaveRecord();
    ++m_nRecordCount;
    const int added = m_nRecordCount;
    for (CStringArray D::*array : RecordArrays())
        (data.*array).SetAtGrow(added, CString());
    data.m_saCompTested.SetAt(added, "ROVV");
    data.m_nComponentCount = m_nRecordCount;
    return added;
}

void CCompCompPage::ApplyTestType()
{
    if (!m_pData || !HasWindow())
        return;
    D& data = *m_pData;
    if (data.m_strTestType != "ROV") {
        ShowComponentDetails(true);
        if (data.m_strPrevTestType == "ROV") {
            // The rollover vehicle's record goes with the rollover test.
            DeleteRecord();
            data.m_nComponentCount = m_nRecordCount;
            data.m_strPrevTestType = data.m_strTestType;
        }
        return;
    }
    // The rollover vehicle's weight and its fixed codes belong to its own record only.
    const int r = RolloverRecord();
    const double pounds = data.m_RolloverVehicleData.m_dTotalWeight;
    data.m_saCompWeight.SetAtGrow(r, RealText(pounds * 0.45359237));
    data.m_saCompVehicleNo.SetAtGrow(r, "1");
    data.m_saCompOccupantType.SetAtGrow(r, "WD");
    data.m_saCompTested.SetAtGrow(r, "ROVV");
    data.m_saCompType.SetAtGrow(r, "VE");
    m_nRecordIndex = r;
    LoadRecord();
    ShowComponentDetails(false);
}

void CCompCompPage::ShowComponentDetails(bool shown)
{
    for (int id : std::initializer_list<int> {IDC_MOD_INDICATOR, IDC_MOD_DESCRIPTION, IDC_DUMMY_SIZE, IDC_DUMMY_MAKER, 1660, 1662, 1663, 1664,
                   IDC_SEARCH_MODIND, IDC_SEARCH_DUMSIZ})
        ShowDlgItem(id, shown);
    for (int id : {IDC_VEHICLE_NO, IDC_DELETE_BUTTON, IDC_NEXTCURVE_BUTTON, IDC_SEARCH_VEHICLE, IDC_WEIGHT})
        EnableDlgItem(id, shown);
    if (shown)
        EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
}

void CCompCompPage::OnSearchTestedOrType(int id, const char* table)
{
    if (IsEnterHeldDown() || !m_pCodes)
        return;
    UpdateData(TRUE);
    CString code;
    // A rollover test's component is the rollover vehicle: its codes stay.
    if (m_pCodes->Search(table, m_tag, code) && !(m_pData && m_pData->m_strTestType == "ROV")) {
        Edit(id)->SetText(code);
        Edit(id)->SetValid(true);
    }
    UpdateData(FALSE);
}

void CCompCompPage::OnSearchVehicle()
{
    UpdateData(TRUE);
    if (const auto vehicle = PickVehicle()) {
        CNEdit& field = *Edit(IDC_VEHICLE_NO);
        field.SetText(*vehicle);
        field.ShowValidColors();
    }
    UpdateData(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Configuration page

CCompConfPage::CCompConfPage()
    : CCompRecordPage(&kConfTemplate, kConfFields,
                      {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_BUTTON, IDC_RETAIN_LAST}, "CCompConfPage",
                      kConfTips)
{
    for (const PageField<D>& field : kConfFields) {
        if (field.id != IDC_TEST_DEVICE && field.id != IDC_TEST_CONFIG)
            m_validated.push_back(field.id);
    }
}

CCompConfPage::~CCompConfPage() = default;

BOOL CCompConfPage::OnInitDialog()
{
    CCompRecordPage::OnInitDialog();
    OnClicked(IDC_SEARCH_VEHICLE, [this] { OnSearchVehicle(); });
    OnClicked(IDC_SEARCH_COMPONENT, [this] { OnSearchComponent(); });
    return TRUE;
}

BOOL CCompConfPage::OnSetActive()
{
    EnableDlgItem(IDC_VEHICLE_NO, false);
    EnableDlgItem(IDC_CONFIGURATION_NO, false);
    return CCompRecordPage::OnSetActive();
}

void CCompConfPage::PrepareRecord(int i)
{
    if (i > 0) {
        if (NoVehicle())
            m_pData->m_saConfVehicleNo.SetAtGrow(i, "0");
        m_pData->m_saConfNo.SetAtGrow(i, IntText(i));
    }
}

void CCompConfPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    PrepareRecord(m_nRecordIndex);
    // The ranges follow the vehicle and the component records.
    Edit(IDC_VEHICLE_NO)->Apply(FieldRule::Int(0, NoVehicle() ? 0 : 1, true));
    Edit(IDC_COMPONENT_NO)->Apply(FieldRule::Int(0, m_pData->m_nComponentCount, true));
    CCompRecordPage::LoadRecord();
}

void CCompConfPage::LoadExtra(const CCompData& data, int /*index*/)
{
    EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
    if (data.m_nComponentCount == 0) {
        EnableDlgItem(IDC_SEARCH_COMPONENT, false);
        Edit(IDC_COMPONENT_NO)->SetText("");
    } else {
        EnableDlgItem(IDC_SEARCH_COMPONENT, true);
    }
    for (int id : {IDC_VEHICLE_NO, IDC_COMPONENT_NO, IDC_CONFIGURATION_NO})
        Edit(id)->Revalidate();
    CheckReferences();
}

bool CCompConfPage::CheckReferences()
{
    if (!m_pData)
        return false;
    CNEdit& vehicle = *Edit(IDC_VEHICLE_NO);
    CNEdit& component = *Edit(IDC_COMPONENT_NO);
    vehicle.Revalidate();
    if (!vehicle.IsValid()) {
        component.SetValid(false);
        return false;
    }
    component.Revalidate();
    CheckPairInLists(component, vehicle, m_pData->m_saCompNo, m_pData->m_saCompVehicleNo, m_pData->m_nComponentCount);
    return component.IsValid();
}

void CCompConfPage::SaveExtra(CCompData& data, int /*index*/) { data.m_nConfigurationCount = m_nRecordCount; }

void CCompConfPage::OnSearchVehicle()
{
    UpdateData(TRUE);
    CString before = Edit(IDC_VEHICLE_NO)->GetText();
    before.Trim();
    if (const auto vehicle = PickVehicle(); vehicle && *vehicle != before) {
        Edit(IDC_VEHICLE_NO)->SetText(*vehicle);
        Edit(IDC_VEHICLE_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_COMPONENT, !vehicle->IsEmpty());
        // Components belong to one vehicle.
        Edit(IDC_COMPONENT_NO)->SetText("");
        Edit(IDC_COMPONENT_NO)->Revalidate();
    }
    UpdateData(TRUE);
}

void CCompConfPage::OnSearchComponent()
{
    UpdateData(TRUE);
    if (const auto component = PickComponent(Edit(IDC_VEHICLE_NO)->GetText())) {
        Edit(IDC_COMPONENT_NO)->SetText(*component);
        Edit(IDC_COMPONENT_NO)->ShowValidColors();
        CheckReferences();
    }
    UpdateData(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Instrumentation page

CCompInstPage::CCompInstPage()
    : CCompRecordPage(&kInstTemplate, kInstFields,
                      {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_BUTTON, IDC_RETAIN_LAST}, "CCompInstPage",
                      kInstTips)
    , m_date(*this, IDC_DATE_PICKER, "INSTRUMENTATION")
    , m_curves(*this,
               {&m_editMessage, IDC_CHECK_CURVE, IDC_VIEW_CURVE, IDC_FIND_NEXT_ERROR, Edit(IDC_FIRST_POINT),
                Edit(IDC_LAST_POINT), Edit(IDC_TIME_STEP)},
               {[this] {
                    if (!m_pData)
                        return CurveCheckState {};
                    D& d = *m_pData;
                    return CurveCheckState {&d.m_nCheckCurves,     &d.m_bCurvesChecked,    &d.m_strCurvePath,
                                            &d.m_vCurveErrors,     &d.m_vCurveChannelIndex, &d.m_nCurveCheckCount,
                                            &d.m_saInstFirstPoint, &d.m_saInstLastPoint,    &d.m_saInstTimeStep,
                                            &d.m_nCurveCount,      &d.m_bChannelInfoMerged};
                },
                [this] { return m_nRecordIndex; },
                [this](int channel) {
                    // A finding may name a curve deleted since the check.
                    if (channel >= 1 && channel <= m_nRecordCount)
                        m_nRecordIndex = channel;
                    LoadRecord();
                },
                [this] { SaveRecord(); }, [this] { return m_bChangeHandling; }, [this] { UpdateData(FALSE); }},
               CCurveCheckPanel::GreyStyle())
{
    for (const PageField<D>& field : kInstFields) {
        if (!field.codeTable)
            m_validated.push_back(field.id);
    }
}

CCompInstPage::~CCompInstPage() = default;

void CCompInstPage::DoDataExchange(CDataExchange* pDX)
{
    CCompRecordPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MESSAGE, m_editMessage);
}

BOOL CCompInstPage::OnInitDialog()
{
    CCompRecordPage::OnInitDialog();
    m_date.Init(*Edit(IDC_CALIBRATION_DATE), [this](const CString& date) {
        if (m_pData && m_nRecordIndex > 0)
            m_pData->m_saInstCalibrationDate.SetAtGrow(m_nRecordIndex, date);
    });
    OnClicked(IDC_SEARCH_VEHICLE, [this] { OnSearchVehicle(); });
    OnClicked(IDC_SEARCH_COMPONENT, [this] { OnSearchComponent(); });
    OnClicked(IDC_SEARCH_CONFIGURATION, [this] { OnSearchConfiguration(); });
    OnClicked(IDC_CHECK_CURVE, [this] { m_curves.OnCheckCurve(); });
    OnClicked(IDC_VIEW_CURVE, [this] { m_curves.OnViewCurve(); });
    OnClicked(IDC_FIND_NEXT_ERROR, [this] { m_curves.OnFindNextError(); });
    for (int id : {IDC_FIRST_POINT, IDC_LAST_POINT, IDC_TIME_STEP}) {
        CNEdit* edit = Edit(id);
        connect(edit, &CNEdit::Changed, this, [this] { m_curves.RecheckChannelCurve(); });
    }
    // After the protocol's own handler has shown the chosen curve.
    OnSelChange(IDC_RECORD_LIST, [this] {
        m_curves.ShowRecordCurveError(m_nRecordIndex);
        AllFieldsValid();
    });
    // A finding can be longer than the line: the whole of it shows as the line's tip.
    connect(&m_editMessage, &CNEdit::Changed, this, [this] {
        if (QWidget* line = m_editMessage.GetWidget())
            line->setToolTip(ToQString(m_editMessage.GetText()));
    });
    m_curves.OnInitDialog();
    return TRUE;
}

BOOL CCompInstPage::OnSetActive()
{
    const bool checkMode = !m_pData || m_pData->m_nCheckCurves == 0;
    if (checkMode)
        m_curves.ShowCurveButtons(true);
    if (m_pData) {
        m_nRecordCount = DataRecordCount(*m_pData);
        m_nRecordIndex = std::min(m_nRecordIndex, m_nRecordCount);
    }
    m_bChangeHandling = false;
    SetFieldTypes();
    m_bChangeHandling = true;
    m_curves.FindNextCurveError(0);
    LoadRecord();
    AllFieldsValid();
    m_curves.ShowCurveButtons(!m_pData || m_pData->m_nCheckCurves == 0);
    return CRecordPage::OnSetActive();
}

void CCompInstPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    D& data = *m_pData;
    const int i = m_nRecordIndex;
    if (i > 0) {
        if (NoVehicle())
            data.m_saInstVehicleNo.SetAtGrow(i, "0");
        if (data.m_nComponentCount == 0)
            data.m_saInstCompNo.SetAtGrow(i, "");
        if (data.m_nConfigurationCount == 0)
            data.m_saInstConfNo.SetAtGrow(i, "");
    }
    m_bChangeHandling = false;
    Edit(IDC_VEHICLE_NO)->Apply(FieldRule::Int(0, NoVehicle() ? 0 : 1, true));
    Edit(IDC_COMPONENT_NO)->Apply(FieldRule::Int(0, data.m_nComponentCount, true));
    Edit(IDC_CONFIGURATION_NO)->Apply(FieldRule::Int(0, static_cast<int>(data.m_saConfNo.GetSize()) - 1, true));
    // The stored date into the picker (a bad one is told), upper-cased into the record.
    CString date = data.m_saInstCalibrationDate[i];
    m_date.Load(date);
    if (i < data.m_saInstCalibrationDate.GetSize())
        data.m_saInstCalibrationDate.SetAt(i, date);
    CCompRecordPage::LoadRecord();
    m_bChangeHandling = true;
}

void CCompInstPage::LoadExtra(const CCompData& data, int index)
{
    EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
    EnableDlgItem(IDC_SEARCH_COMPONENT, data.m_nComponentCount != 0);
    for (int id : {IDC_VEHICLE_NO, IDC_COMPONENT_NO, IDC_CONFIGURATION_NO})
        Edit(id)->Revalidate();
    CNEdit& step = *Edit(IDC_TIME_STEP);
    if (step.IsValid())
        step.ShowNormalColors();
    if (Edit(IDC_COMPONENT_NO)->GetText().IsEmpty()) {
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, false);
        Edit(IDC_CONFIGURATION_NO)->SetText("");
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    } else {
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, true);
    }
    CheckReferences();
    EnableTimeStep(data.m_saInstXUnits[index] == "SEC", false);
}

bool CCompInstPage::CheckReferences()
{
    if (!m_pData)
        return false;
    const D& data = *m_pData;
    CNEdit& vehicle = *Edit(IDC_VEHICLE_NO);
    CNEdit& component = *Edit(IDC_COMPONENT_NO);
    CNEdit& configuration = *Edit(IDC_CONFIGURATION_NO);
    vehicle.Revalidate();
    if (!vehicle.IsValid()) {
        component.SetValidFlag(false);
        configuration.SetValidFlag(false);
        return false;
    }
    component.Revalidate();
    configuration.Revalidate();
    CheckPairInLists(component, vehicle, data.m_saCompNo, data.m_saCompVehicleNo, data.m_nComponentCount);
    if (!component.IsValid()) {
        configuration.SetValidFlag(false);
        return false;
    }
    configuration.Revalidate();
    CheckPairInLists(configuration, component, data.m_saConfNo, data.m_saConfCompNo, data.m_nConfigurationCount);
    return configuration.IsValid();
}

void CCompInstPage::EnableTimeStep(bool enable, bool fromRecord)
{
    const CString stored = m_pData ? m_pData->m_saInstTimeStep[m_nRecordIndex] : CString();
    EnableTimeField(IDC_TIME_STEP, enable, fromRecord ? &stored : nullptr);
}

void CCompInstPage::AfterSearch(int id)
{
    if (id == IDC_XUNITS)
        EnableTimeStep(Edit(IDC_XUNITS)->GetText() == "SEC", true);
}

void CCompInstPage::SaveExtra(CCompData& data, int /*index*/)
{
    data.m_nCurveCount = m_nRecordCount;
    data.m_nInstRecordCount = m_nRecordCount;
}

void CCompInstPage::ClearPage()
{
    m_bChangeHandling = false;
    CCompRecordPage::ClearPage();
    m_bChangeHandling = true;
}

bool CCompInstPage::AllFieldsValid()
{
    if (!CCompRecordPage::AllFieldsValid())
        return false;
    return m_curves.ShowRecordCurveError(m_nRecordIndex);
}

void CCompInstPage::OnSearchVehicle()
{
    UpdateData(TRUE);
    CString before = Edit(IDC_VEHICLE_NO)->GetText();
    before.Trim();
    if (const auto vehicle = PickVehicle(); vehicle && *vehicle != before) {
        Edit(IDC_VEHICLE_NO)->SetText(*vehicle);
        Edit(IDC_VEHICLE_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_COMPONENT, true);
        Edit(IDC_COMPONENT_NO)->SetText("");
        Edit(IDC_COMPONENT_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, false);
        Edit(IDC_CONFIGURATION_NO)->SetText("");
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    }
    UpdateData(TRUE);
}

void CCompInstPage::OnSearchComponent()
{
    UpdateData(TRUE);
    CString before = Edit(IDC_COMPONENT_NO)->GetText();
    before.Trim();
    if (const auto component = PickComponent(Edit(IDC_VEHICLE_NO)->GetText()); component && *component != before) {
        Edit(IDC_COMPONENT_NO)->SetText(*component);
        Edit(IDC_COMPONENT_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, !component->IsEmpty());
        Edit(IDC_CONFIGURATION_NO)->SetText("");
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    }
    UpdateData(TRUE);
}

void CCompInstPage::OnSearchConfiguration()
{
    if (IsEnterHeldDown() || !m_pData)
        return;
    UpdateData(TRUE);
    D& data = *m_pData;
    CString vehicle = Edit(IDC_VEHICLE_NO)->GetText(), component = Edit(IDC_COMPONENT_NO)->GetText();
    vehicle.Trim();
    component.Trim();
    CStringArray vehicles, components, numbers, comments;
    for (int i = 1; i <= data.m_nConfigurationCount && i < data.m_saConfNo.GetSize(); ++i) {
        CString v = data.m_saConfVehicleNo[i], c = data.m_saConfCompNo[i];
        v.Trim();
        c.Trim();
        data.m_saConfVehicleNo.SetAtGrow(i, v);
        data.m_saConfCompNo.SetAtGrow(i, c);
        if (v != vehicle || c != component)
            continue;
        vehicles.Add(vehicle);
        components.Add(c);
        numbers.Add(data.m_saConfNo[i]);
        comments.Add(data.m_saConfTestConfig[i] + ", " + data.m_saConfCommentary[i]);
    }
    CString before = Edit(IDC_CONFIGURATION_NO)->GetText();
    before.Trim();
    CSearch search(nullptr, "ListCompInstConfData", &vehicles, &components, &numbers, &comments);
    if (search.DoModal() == IDOK && search.GetCode() != before) {
        Edit(IDC_CONFIGURATION_NO)->SetText(search.GetCode());
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    }
    UpdateData(TRUE);
}
