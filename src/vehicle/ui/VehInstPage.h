#pragma once
// "Instrumentation Info": one instrumentation channel (curve) of the vehicle test at a time, its
// calibration date picker, the crash-avoidance configurations' own sensor locations and axes,
// and the check of the channels against their curve files. Invalid fields are coloured and
// never keep the user on the page; Save Test's check finds them.

#include "common/ui/ChannelControls.h"
#include "common/ui/DataPage.h"
#include "vehicle/VehData.h"

class CVehInstPage : public CDataRecordPage<CVehData> {
    Q_OBJECT
public:
    enum {
        IDD = 144,
        IDC_VEHICLE_NO = 1167,
        IDC_SENSOR_TYPE = 1168,
        IDC_SENSOR_LOCATION = 1169,
        IDC_ATTACHMENT = 1170,
        IDC_AXIS = 1171,
        IDC_XUNITS = 1172,
        IDC_YUNITS = 1173,
        IDC_DATA_STATUS = 1174,
        IDC_CHANNEL_STATUS = 1175,
        IDC_INITIAL_VELOCITY = 1176,
        IDC_TIME_INCREMENT = 1177,
        IDC_LAST_POINT = 1178,
        IDC_FIRST_POINT = 1179,
        IDC_CHANNEL_MAX = 1180,
        IDC_RATING = 1181,
        IDC_MAKER = 1182,
        IDC_PREFILTER = 1183,
        IDC_COMMENTS = 1184,
        IDC_CALIBRATION_DATE = 1368,
        IDC_DATE_PICKER = 1165,
        IDC_HINT = 1191,
        IDC_SEARCH_VEHICLE_NO = 1164,
        IDC_SEARCH_LOCATION = 1162,
        IDC_SEARCH_TYPE = 1163,
        IDC_SEARCH_ATTACHMENT = 1185,
        IDC_SEARCH_AXIS = 1186,
        IDC_SEARCH_XUNITS = 1187,
        IDC_SEARCH_YUNITS = 1188,
        IDC_SEARCH_DATA_STATUS = 1189,
        IDC_SEARCH_CHANNEL_STATUS = 1190,
        IDC_RECORD_LIST = 1581,
        IDC_NEXTCURVE_BUTTON = 1073,
        IDC_DELETE_RECORD = 1077,
        IDC_RETAIN_LAST = 1078,
        IDC_CHECK_CURVE = 1722,
        IDC_VIEW_CURVE = 1717,
        IDC_FIND_NEXT_ERROR = 1724,
    };
    static constexpr const char* kNoLocationWarning =
        "Please enter occupant location on the Occupant Information page first;\n\rotherwise, there are only 2 "
        "choices: either 'N/A' or 'OT'.";

    CVehInstPage();
    ~CVehInstPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void LoadRecord() override;
    // Clear All Pages: no channel; no curve recheck while the fields empty.
    void ClearPage() override;

    bool AllFieldsValid() override;
    // The sensor locations a channel may name: the test's occupant locations, the crash-avoidance
    // configuration's own, "OT" and "NA".
    void BuildLocationList(bool warn);
    // The axes a crash-avoidance configuration offers.
    void BuildAxisList();
    // "FCW", "LDW" or "DRO": the crash-avoidance configurations.
    bool IsCrashAvoidance() const;

    void OnSearchLocation();
    void OnSearchAttachment();
    void OnSearchAxis();
    void OnSearchVehicleNumber();

    CNEdit m_editHint;
    CStringArray m_arrLocations;
    CStringArray m_arrAxes;
    bool m_bReady = true;

protected:
    int DataRecordCount(const CVehData& data) const override { return std::max(data.m_nCurveCount, 0); }
    void LoadExtra(const CVehData& data, int index) override;
    void SaveExtra(CVehData& data, int index) override;
    void NewRecord() override;
    void AfterNext() override;
    void AfterSearch(int id) override;

private:
    // The rules that follow the test configuration: vehicle number and first point.
    void ApplyConfigRules();
    void EnableTimeIncrement(bool enable, bool fromRecord);
    CString Configuration() const;

    CChannelControls m_channel;
};
