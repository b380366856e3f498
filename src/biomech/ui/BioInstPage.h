#pragma once
// "Instrumentation Info" of the biomechanics sheet: one channel (curve) at a time. Its code
// fields narrow each other: the Sensor Attachment names the Y Units it may measure, and the two
// together the Sensor Location and the Sensor Type; the channels are checked against their curve
// files as on the vehicle page. A curve file's own fault is told and never keeps the user.

#include "biomech/ui/BioPageSupport.h"
#include "common/ui/ChannelControls.h"

class CBioInstPage : public CBioRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 160,
        IDC_CALIBRATION_DATE = 1368,
        IDC_SENSOR_TYPE = 1370,
        IDC_SENSOR_LOCATION = 1371,
        IDC_ATTACHMENT = 1372,
        IDC_AXIS = 1373,
        IDC_XUNITS = 1374,
        IDC_YUNITS = 1375,
        IDC_PREFILTER = 1376,
        IDC_MAKER = 1377,
        IDC_COMMENTS = 1378,
        IDC_CHANNEL_STATUS = 1379,
        IDC_DATA_STATUS = 1380,
        IDC_TIME_INCREMENT = 1381,
        IDC_LAST_POINT = 1382,
        IDC_FIRST_POINT = 1383,
        IDC_INITIAL_VELOCITY = 1384,
        IDC_CHANNEL_MAX = 1385,
        IDC_RATING = 1386,
        IDC_SEARCH_TYPE = 1437,
        IDC_SEARCH_ATTACHMENT = 1438,
        IDC_SEARCH_AXIS = 1439,
        IDC_SEARCH_XUNITS = 1440,
        IDC_SEARCH_DATA_STATUS = 1441,
        IDC_SEARCH_CHANNEL_STATUS = 1442,
        IDC_NEXTCURVE_BUTTON = 1445,
        IDC_SEARCH_YUNITS = 1447,
        IDC_DATE_PICKER = 1535,
        IDC_SEARCH_LOCATION = 1543,
        IDC_RECORD_LIST = 1581,
        IDC_HINT = 1715,
        IDC_VIEW_CURVE = 1717,
        IDC_CHECK_CURVE = 1722,
        IDC_FIND_NEXT_ERROR = 1724,
    };
    static constexpr const char* kAttachmentFirst = "Please enter 'SENATT(Sensor Attachment)' prior to searching 'Y Unit'.";
    static constexpr const char* kUnitsBeforeType = "Please enter 'Y Units' prior to searching 'Sensor type'.";
    static constexpr const char* kUnitsBeforeAxis = "Please enter 'Y Units' prior to searching 'Axis'.";
    static constexpr const char* kLocationBeforeAxis = "Please enter 'Sensor location' prior to searching 'Axis'.";

    CBioInstPage();
    ~CBioInstPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void LoadRecord() override;
    void ClearPage() override;
    bool AllFieldsValid() override;

    void OnSearchAttachment();
    void OnSearchYUnits();
    void OnSearchLocation();
    void OnSearchType();
    void OnSearchAxis();

    // The sensor locations a channel may name: the occupant's location, "AP", "NA", "OT".
    void BuildLocationList();

    CNEdit m_editHint;
    CStringArray m_arrLocations;
    bool m_bReady = true;

protected:
    void LoadExtra(const CBioData& data, int index) override;
    void SaveExtra(CBioData& data, int index) override;
    void NewRecord() override;
    void AfterSearch(int id) override;

private:
    // The chain's searches follow what the shown channel holds.
    void EnableChainSearches();
    void EnableTimeStep(bool fromRecord);

    CChannelControls m_channel;
    int m_nCurveColumnCount = 0;
};
