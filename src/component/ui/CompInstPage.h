#pragma once
// "Instrumentation Info" of the component sheet: one curve a record, its vehicle, component and
// configuration references checked as pairs, the curve files reviewed.

#include "common/ui/ChannelControls.h"
#include "component/ui/CompRecordPages.h"

#include <optional>

class CCompInstPage : public CCompRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 153,
        IDC_RECORD_LIST = 1581,
        IDC_NEXTCURVE_BUTTON = 1445,
        IDC_DELETE_BUTTON = 1326,
        IDC_RETAIN_LAST = 1078,
        IDC_VEHICLE_NO = 1570,
        IDC_COMPONENT_NO = 1369,
        IDC_CONFIGURATION_NO = 1370,
        IDC_SENSOR_TYPE = 1372,
        IDC_SENSOR_ATTACHMENT = 1373,
        IDC_AXIS = 1374,
        IDC_XUNITS = 1375,
        IDC_YUNITS = 1378,
        IDC_INITIAL_VELOCITY = 1381,
        IDC_FIRST_POINT = 1382,
        IDC_LAST_POINT = 1383,
        IDC_TIME_STEP = 1384,
        IDC_DATA_STATUS = 1385,
        IDC_CHANNEL_STATUS = 1386,
        IDC_CALIBRATION_DATE = 1368,
        IDC_DATE_PICKER = 1448,
        IDC_PREFILTER = 1376,
        IDC_RATING = 1379,
        IDC_CHANNEL_MAX = 1380,
        IDC_MAKER = 1377,
        IDC_COMMENTS = 1387,
        IDC_MESSAGE = 1716,
        IDC_SEARCH_SENTYP = 1437,
        IDC_SEARCH_SENATT = 1438,
        IDC_SEARCH_AXIS = 1439,
        IDC_SEARCH_XUNITS = 1440,
        IDC_SEARCH_DASTAT = 1441,
        IDC_SEARCH_CHSTAT = 1442,
        IDC_SEARCH_YUNITS = 1447,
        IDC_SEARCH_VEHICLE = 1455,
        IDC_SEARCH_COMPONENT = 1456,
        IDC_SEARCH_CONFIGURATION = 1457,
        IDC_VIEW_CURVE = 1717,
        IDC_CHECK_CURVE = 1722,
        IDC_FIND_NEXT_ERROR = 1724,
    };

    CCompInstPage();
    ~CCompInstPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void LoadRecord() override;
    void ClearPage() override;
    bool AllFieldsValid() override;

    void OnSearchVehicle();
    void OnSearchComponent();
    void OnSearchConfiguration();
    bool CheckReferences();

    CNEdit m_editMessage;
    bool m_bChangeHandling = true;

protected:
    int DataRecordCount(const CCompData& data) const override { return std::max(data.m_nCurveCount, 0); }
    void SaveExtra(CCompData& data, int index) override;
    void LoadExtra(const CCompData& data, int index) override;
    void AfterSearch(int id) override;
    void PrepareRecord(int index) override;
    bool StoredReferencesValid(int index) override;
    bool JudgedAsReference(int id) const override
    {
        return id == IDC_VEHICLE_NO || id == IDC_COMPONENT_NO || id == IDC_CONFIGURATION_NO ||
               id == IDC_CALIBRATION_DATE;
    }

private:
    // The ranges of the reference numbers, which follow the vehicle, component and
    // configuration records.
    void ApplyRanges();
    void EnableTimeStep(bool enable, bool fromRecord);

    CChannelControls m_channel;
    // The calibration date the record check read last, and what reading it gave: curves
    // calibrated together carry one date, which is read once.
    struct DateReading {
        CString stored;
        CString read;
        bool good = false;
    };
    std::optional<DateReading> m_lastDate;
};
