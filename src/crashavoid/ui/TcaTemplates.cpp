#include "crashavoid/ui/TcaTemplates.h"

#include "common/ui/PageLayout.h"
#include "crashavoid/ui/TcaPages.h"
#include "platform/ui/DateTimeCtrl.h"

#include <cstdio>
#include <utility>

namespace {

// Lines of a page: a label, its field and an optional button beside it, in dialog units.
struct Layout {
    std::vector<DlgItem> items;

    void Label(const char* text, int x, int y, int w, UINT style = 0)
    {
        items.push_back({-1, DlgKind::Static, text, x, y + 2, w, 9, style});
    }
    void Add(int id, DlgKind kind, const char* text, int x, int y, int w, int h, UINT style = 0)
    {
        items.push_back({id, kind, text, x, y, w, h, style});
    }
    // Label at x, field at x + labelW, a "Find" button after it when findId is set.
    void Row(int x, int y, int labelW, const char* label, int id, int w, int findId = 0, UINT style = 0,
             DlgKind kind = DlgKind::Edit, UINT findStyle = 0)
    {
        const ColumnGeometry at {.x = x, .labelWidth = labelW - 2, .editWidth = w, .editGap = 2, .labelHeight = 9,
                                 .buttonWidth = 28, .buttonText = "Find"};
        AddRow(items, at, y,
               {.label = label, .id = id, .style = style, .searchId = findId, .buttonStyle = findStyle, .kind = kind});
    }
    void Hidden(int id, DlgKind kind, const char* text = "") { Add(id, kind, text, 0, 0, 20, 13, DS_HIDDEN); }
    // The record navigator of a page: its group, the record list, "<", ">" and "X".
    void Navigator(const char* title, int list, int prev, int next, int remove)
    {
        static constexpr BoxItem kNavigator[] = {
            {BoxPart::Group, 0, 0, 150, 32},  {BoxPart::ComboList, 8, 12, 44, 13}, {BoxPart::Previous, 60, 11, 22, 14},
            {BoxPart::Next, 86, 11, 22, 14}, {BoxPart::Remove, 112, 11, 22, 14, "X"},
        };
        AddRecordIndex(items, 8, 4, title, RecordBoxIds(list, prev, next, remove), nullptr, kNavigator);
    }
};

DlgTemplate Make(const char* caption, int cx, int cy, Layout layout)
{
    return DlgTemplate {caption, cx, cy, "DejaVu Sans", 8, false, std::move(layout.items)};
}

} // namespace

const DlgTemplate& TcaTestTemplate()
{
    using P = CTcaTestPage;
    static const DlgTemplate tmpl = [] {
        Layout l;
        constexpr int lw = 96, rx = 248, rw = 108;
        l.Row(8, 8, lw, "Version Number:", P::IDC_VERSION, 30);
        l.Row(rx, 8, rw, "Test Date:", P::IDC_TEST_DATE, 58);
        l.Add(P::IDC_DATE_PICKER, DlgKind::Custom, "", rx + rw + 62, 8, 14, 13);
        l.items.back().create = &CDateTimeCtrl::Create;
        l.Row(8, 26, lw, "Title:", P::IDC_TITLE, 364);
        l.Row(8, 44, lw, "Test Objective:", P::IDC_OBJECTIVE, 364);
        l.Row(8, 62, lw, "Test Comments:", P::IDC_COMMENTS, 364);
        const struct {
            const char* label;
            int id, find;
        } codes[] = {
            {"Test Performer:", P::IDC_PERFORMER, P::IDC_FIND_PERFORMER},
            {"Test Type:", P::IDC_TEST_TYPE, P::IDC_FIND_TEST_TYPE},
            {"Test Configuration:", P::IDC_CONFIGURATION, P::IDC_FIND_CONFIGURATION},
            {"Test Road Surface:", P::IDC_ROAD_SURFACE, P::IDC_FIND_ROAD_SURFACE},
            {"Test Road Condition:", P::IDC_ROAD_CONDITION, P::IDC_FIND_ROAD_CONDITION},
        };
        int y = 88;
        for (const auto& c : codes) {
            l.Row(8, y, lw, c.label, c.id, 70, c.find, DS_READONLY);
            y += 18;
        }
        l.Row(8, y, lw, "Warning Distance:", P::IDC_WARNING_DISTANCE, 70);
        l.Row(rx, 88, rw, "Contract Number:", P::IDC_CONTRACT, 90);
        l.Row(rx, 106, rw, "Test Reference Number:", P::IDC_REFERENCE, 90);
        l.Row(rx, 124, rw, "Ambient Temperature:", P::IDC_AMBIENT_TEMPERATURE, 50);
        l.Row(rx, 142, rw, "Total Number of Curves:", P::IDC_TOTAL_CURVES, 50, 0, DS_READONLY);
        l.Row(rx, 160, rw, "Test Status:", P::IDC_STATUS, 20);
        return Make("General Test Information", 476, 200, std::move(l));
    }();
    return tmpl;
}

const DlgTemplate& TcaVehicleTemplate()
{
    using P = CTcaVehPage;
    static const DlgTemplate tmpl = [] {
        Layout l;
        l.Navigator("Vehicle Number", P::IDC_RECORD_LIST, P::IDC_PREV, P::IDC_NEXT, P::IDC_DELETE);

        constexpr int lw = 96;
        l.Row(8, 46, lw, "Vehicle Type:", P::IDC_VEHICLE_TYPE, 60, P::IDC_FIND_VEHICLE_TYPE, DS_READONLY);
        l.Row(8, 64, lw, "Make:", P::IDC_MAKE, 60, P::IDC_FIND_MAKE, DS_READONLY);
        l.Row(8, 82, lw, "Model:", P::IDC_MODEL, 60, P::IDC_FIND_MODEL, DS_READONLY);
        l.Row(8, 100, lw, "Body:", P::IDC_BODY, 60, P::IDC_FIND_BODY, DS_READONLY);
        l.Row(8, 118, lw, "Year:", P::IDC_YEAR, 40);
        l.Row(8, 136, lw, "Manufacturer VIN:", P::IDC_VIN, 60);
        l.Row(8, 154, lw, "Engine Displacement:", P::IDC_ENGINE, 40, P::IDC_FIND_ENGINE, 0, DlgKind::Edit, DS_HIDDEN);
        l.Row(8, 172, lw, "Transmission Type:", P::IDC_TRANSMISSION, 60, P::IDC_FIND_TRANSMISSION, DS_READONLY);
        l.Row(8, 190, lw, "KAVRO Number:", P::IDC_KAVRO_NUMBER, 60, 0, DS_READONLY | DS_HIDDEN);
        l.Add(P::IDC_EDIT_KAVRO, DlgKind::Button, "Edit", 8 + lw + 63, 190, 28, 13, DS_HIDDEN);

        constexpr int rx = 244;
        l.Add(-1, DlgKind::GroupBox, "Is the vehicle equipped ...", rx, 40, 226, 66);
        l.Row(rx + 6, 54, 172, "Anti-Lock Brakes (ABS) (Y/N):", P::IDC_ABS, 36, 0, 0, DlgKind::ComboBox);
        l.Row(rx + 6, 70, 172, "Adaptive Cruise Control  (Y/N):", P::IDC_CRUISE_CONTROL, 36, 0, 0, DlgKind::ComboBox);
        l.Row(rx + 6, 86, 172, "Collision Mitigating Brake System (Y/N):", P::IDC_BRAKE_SYSTEM, 36, 0, 0,
              DlgKind::ComboBox);
        constexpr int rw = 80;
        l.Row(rx, 118, rw, "Trimline:", P::IDC_TRIMLINE, 70);
        l.Row(rx, 136, rw, "Curb Weight:", P::IDC_CURB_WEIGHT, 50);
        l.Row(rx, 154, rw, "Test Weight:", P::IDC_TEST_WEIGHT, 50);
        l.Row(rx, 172, rw, "Tire Size:", P::IDC_TIRE_SIZE, 70, P::IDC_FIND_TIRE_SIZE, 0, DlgKind::Edit, DS_HIDDEN);
        l.Row(rx, 190, rw, "Vehicle Width:", P::IDC_WIDTH, 50);
        l.Row(8, 212, lw, "Vehicle Commentary:", P::IDC_COMMENTARY, 366);
        return Make("Vehicle Information", 476, 236, std::move(l));
    }();
    return tmpl;
}

const DlgTemplate& TcaInstTemplate()
{
    using P = CTcaInstPage;
    static const DlgTemplate tmpl = [] {
        Layout l;
        static constexpr BoxItem kCurveBox[] = {
            {BoxPart::Group, 0, 0, 82, 232},
            {BoxPart::List, 8, 12, 66, 150},
            {BoxPart::Next, 8, 166, 30, 14},
            {BoxPart::Remove, 44, 166, 30, 14, "X"},
            {BoxPart::Retain, 4, 186, 76, 26, "Keep the Last\nRecord to New", DS_MULTILINE},
        };
        AddRecordIndex(l.items, 6, 4, "Curve/Channel Number",
                       RecordControls {P::IDC_RECORD_LIST, P::IDC_NEXT, P::IDC_DELETE, P::IDC_KEEP_LAST}, nullptr,
                       kCurveBox);

        constexpr int x = 94, lw = 92, w = 64;
        l.Row(x, 6, lw, "Vehicle Number:", P::IDC_VEHICLE_NUMBER, 36, 0, 0, DlgKind::ComboBox);
        l.Row(x, 24, lw, "Performed Sub-Type:", P::IDC_SUB_TYPE, w, P::IDC_FIND_SUB_TYPE, DS_READONLY);
        l.Row(x, 42, lw, "Trial Number:", P::IDC_TRIAL_NUMBER, 36);
        l.Row(x, 60, lw, "Dependent Variable:", P::IDC_DEPENDENT_VARIABLE, w, P::IDC_FIND_DEPENDENT_VARIABLE,
              DS_READONLY);
        l.Row(x, 78, lw, "Instantaneous Velocity:", P::IDC_VELOCITY, 48);
        l.Row(x, 96, lw, "Time Interval:", P::IDC_TIME_INTERVAL, 48);
        l.Row(x, 114, lw, "x-Unit:", P::IDC_X_UNIT, w, P::IDC_FIND_X_UNIT, DS_READONLY);
        l.Row(x, 132, lw, "y-Unit:", P::IDC_Y_UNIT, w, P::IDC_FIND_Y_UNIT, DS_READONLY);
        l.Row(x, 150, lw, "Synchronized Frequency:", P::IDC_SYNC_FREQUENCY, 48);
        l.Row(x, 168, lw, "Number of First Point:", P::IDC_FIRST_POINT, 48);
        l.Row(x, 186, lw, "Number of Last Point:", P::IDC_LAST_POINT, 48);
        l.Row(x, 204, lw, "Data Status:", P::IDC_DATA_STATUS, w, P::IDC_FIND_DATA_STATUS, DS_READONLY);
        l.Row(x, 222, lw, "Channel Type:", P::IDC_CHANNEL_TYPE, w, P::IDC_FIND_CHANNEL_TYPE, DS_READONLY);
        // Hidden, but shown in its place while a record's value is no channel status code.
        l.Add(P::IDC_CHANNEL_STATUS_LABEL, DlgKind::Static, "Channel Status:", x, 242, lw - 2, 9, DS_HIDDEN);
        l.Add(P::IDC_CHANNEL_STATUS, DlgKind::Edit, "", x + lw, 240, w, 13, DS_READONLY | DS_HIDDEN);
        l.Add(P::IDC_FIND_CHANNEL_STATUS, DlgKind::Button, "Find", x + lw + w + 3, 240, 28, 13, DS_HIDDEN);

        constexpr int rx = 312, rlw = 114, rw = 110;
        l.Row(rx, 6, rlw, "Instrument Manufacturer:", P::IDC_MANUFACTURER, rw);
        l.Row(rx, 24, rlw, "CA Technology Disabled (Y/N):", P::IDC_TECH_DISABLED, 36, 0, 0, DlgKind::ComboBox);
        l.Row(rx, 42, rlw, "Description:", P::IDC_TECH_DESCRIPTION, rw);
        l.Row(rx, 60, rlw, "System Performance:", P::IDC_PERFORMANCE, 50, 0, 0, DlgKind::ComboBox);
        l.Row(rx, 78, rlw, "Description:", P::IDC_PERFORMANCE_DESCRIPTION, rw);
        l.Row(rx, 96, rlw, "Alert Location:", P::IDC_ALERT_LOCATION, 80, 0, 0, DlgKind::ComboBox);
        l.Add(-1, DlgKind::GroupBox, "Automatic Dimming Indicator for", rx, 114, rlw + rw, 50);
        l.Row(rx + 6, 128, rlw - 6, "Device-controlling head-lamp:", P::IDC_HEAD_LAMP, 36, 0, 0, DlgKind::ComboBox);
        l.Row(rx + 6, 146, rlw - 6, "Device-controlling upper-beam:", P::IDC_UPPER_BEAM, 36, 0, 0, DlgKind::ComboBox);
        l.Row(rx, 172, rlw, "Calibration Date:", P::IDC_CALIBRATION_DATE, 60, 0, DS_READONLY);
        l.Add(P::IDC_DATE_PICKER, DlgKind::Custom, "", rx + rlw + 64, 172, 14, 13);
        l.items.back().create = &CDateTimeCtrl::Create;
        l.Label("Instrumentation Commentary:", rx, 192, 160);
        l.Add(P::IDC_COMMENTARY, DlgKind::MultiEdit, "", rx, 204, rlw + rw, 32);

        // Controls of the template that nothing shows.
        for (const char* label : {"Detector Type:", "Scale Factor:", "Alert Repeat Time:", "x-Type:", "y-Type:",
                                  "Channel Max Rating:", "Test Status:"})
            l.Add(-1, DlgKind::Static, label, 0, 0, 20, 9, DS_HIDDEN);
        for (int id : {1736, 1743, 1760, 1761, 1371, 1372, 1764})
            l.Hidden(id, DlgKind::Edit);
        l.Hidden(P::IDC_TEST_STATUS, DlgKind::ComboBox);
        for (int id : {1740, 1742, 1758})
            l.Hidden(id, DlgKind::Button, "Find");
        return Make("Instrumentation Information", 544, 258, std::move(l));
    }();
    return tmpl;
}

const DlgTemplate& TcaLBeamTemplate()
{
    using P = CTcaLBeamPage;
    static const DlgTemplate tmpl = [] {
        Layout l;
        constexpr int lw = 84;
        l.Row(8, 8, lw, "Vehicle Number:", P::IDC_VEHICLE_NUMBER, 30);
        l.Row(8, 26, lw, "Ambient temperature:", P::IDC_AMBIENT_TEMPERATURE, 44);
        l.Row(8, 44, lw, "Wind speed:", P::IDC_WIND_SPEED, 30);
        l.Row(180, 8, 76, "Detector:", P::IDC_DETECTOR, 80, P::IDC_FIND_DETECTOR, DS_READONLY);
        l.Row(180, 26, 76, "Idle ignition:", P::IDC_IDLE_IGNITION, 40);
        l.Row(180, 44, 76, "Glare measurement:", P::IDC_GLARE, 40);

        l.Add(-1, DlgKind::GroupBox, "Detector loacations and their illuminance", 6, 64, 464, 152);
        static char labels[2 * kTcaBeamPoints][20];
        for (int i = 0; i < kTcaBeamPoints; ++i) {
            const int x = 12 + (i % 4) * 114, y = 78 + (i / 4) * 34;
            std::snprintf(labels[2 * i], sizeof labels[0], "Location %d:", i + 1);
            std::snprintf(labels[2 * i + 1], sizeof labels[0], "Illuminance %d:", i + 1);
            l.Row(x, y, 56, labels[2 * i], P::kLocationIds[i], 52);
            l.Row(x, y + 15, 56, labels[2 * i + 1], P::kIlluminanceIds[i], 52);
        }
        l.Label("Commentary:", 8, 222, 60);
        l.Add(P::IDC_COMMENTARY, DlgKind::MultiEdit, "", 70, 220, 400, 30);
        return Make("Lower Beam Information", 476, 256, std::move(l));
    }();
    return tmpl;
}

const DlgTemplate& TcaAmberTemplate()
{
    using P = CTcaAmberPage;
    static const DlgTemplate tmpl = [] {
        Layout l;
        constexpr int lw = 90;
        l.Row(8, 8, lw, "Vehicle Number:", P::IDC_VEHICLE_NUMBER, 30);
        l.Row(8, 26, lw, "Illuminance:", P::IDC_ILLUMINANCE, 50);
        l.Row(8, 44, lw, "Ambient Temperature:", P::IDC_AMBIENT_TEMPERATURE, 50);
        l.Row(8, 62, lw, "Relative Huminity:", P::IDC_HUMIDITY, 30);
        l.Add(P::IDC_AMBER_IN_COLOR, DlgKind::CheckBox,
              "From the simple comparison test, is the rear turn signal amber in color?", 8, 82, 330, 12);

        l.Add(-1, DlgKind::GroupBox, "Colorimeter Reading X && Y @", 6, 100, 420, 84);
        static char labels[12][12];
        for (int i = 0; i < 4; ++i) {
            const int y = 114 + i * 17;
            std::snprintf(labels[3 * i], sizeof labels[0], "Angle %d:", i + 1);
            std::snprintf(labels[3 * i + 1], sizeof labels[0], "X%d:", i + 1);
            std::snprintf(labels[3 * i + 2], sizeof labels[0], "Y%d:", i + 1);
            l.Row(12, y, 40, labels[3 * i], P::IDC_ANGLE_1 + i, 30);
            l.Row(100, y, 16, labels[3 * i + 1], P::IDC_X_1 + i, 130);
            l.Row(260, y, 16, labels[3 * i + 2], P::IDC_Y_1 + i, 140);
        }
        l.Row(8, 192, lw, "Amber Commentary:", P::IDC_COMMENTARY, 330);

        // The record navigator of the template, never shown.
        l.Add(P::IDC_RECORD_LIST, DlgKind::ComboBox, "", 0, 0, 20, 13, DS_HIDDEN);
        for (const auto& [id, text] : {std::pair {P::IDC_PREV, "<"}, {P::IDC_NEXT, ">"}, {P::IDC_DELETE, "X"},
                                       {P::IDC_FIND, "Find"}})
            l.Hidden(id, DlgKind::Button, text);
        l.Add(1823, DlgKind::GroupBox, "Amber Record Number", 0, 0, 20, 13, DS_HIDDEN);
        return Make("Amber Turn Signal", 440, 214, std::move(l));
    }();
    return tmpl;
}

const DlgTemplate& TcaRolloverTemplate()
{
    using P = CTcaRolloverPage;
    static const DlgTemplate tmpl = [] {
        Layout l;
        l.Navigator("Rollover Record Number", P::IDC_RECORD_LIST, P::IDC_PREV, P::IDC_NEXT, P::IDC_DELETE);

        const struct {
            const char* label;
            int id;
        } fields[] = {
            {"Average Track:", P::IDC_AVERAGE_TRACK},
            {"Track Front:", P::IDC_TRACK_FRONT},
            {"Track Rear:", P::IDC_TRACK_REAR},
            {"Wheelbase:", P::IDC_WHEELBASE},
            {"Left Side Wheelbase:", P::IDC_LEFT_WHEELBASE},
            {"Right Side Wheelbase:", P::IDC_RIGHT_WHEELBASE},
            {"Applied Weight:", P::IDC_APPLIED_WEIGHT},
            {"Platform Angle:", P::IDC_PLATFORM_ANGLE},
            {"Relative Motion:", P::IDC_RELATIVE_MOTION},
            {"Center of Gravity Hight:", P::IDC_COG_HEIGHT},
            {"Roof Height:", P::IDC_ROOF_HEIGHT},
        };
        for (int i = 0; i < 11; ++i)
            l.Row(i < 6 ? 8 : 220, 46 + (i % 6) * 18, 100, fields[i].label, fields[i].id, 44);
        l.Add(P::IDC_TIP_UP, DlgKind::CheckBox, "Did the vehicle tip-up during the dynamic rollover tests?", 8, 158,
              300, 12);
        l.Row(8, 176, 100, "Rollover Commentary:", P::IDC_COMMENTARY, 360);
        l.Hidden(1805, DlgKind::Button, "Find");
        l.Add(-1, DlgKind::Static, "Trial Number:", 0, 0, 20, 9, DS_HIDDEN);
        l.Hidden(1776, DlgKind::Edit);
        l.Add(-1, DlgKind::Static, "Vehicle VIN:", 0, 0, 20, 9, DS_HIDDEN);
        l.Hidden(1774, DlgKind::Edit);
        return Make("Rollover Information", 476, 200, std::move(l));
    }();
    return tmpl;
}
