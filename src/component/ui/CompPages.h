#pragma once
// The pages of the component test sheet, each a table on the page protocol:
// - "General Test Info": the TEST record; Test Type "ROV" switches the test into its rollover form.
// - "Vehicle Info": the two vehicle slots (0: a component tested without a vehicle, 1: the test
//   vehicle) chosen by the spin, the KAVRO number editor, and for a rollover test the rollover
//   entry fields, the computed values and "More Info" (the rollover vehicle dialog).
// - "Component Info", "Component Configuration Info", "Instrumentation Info": record pages whose
//   vehicle, component and configuration numbers are references checked as pairs against the
//   records they name; the instrumentation page reviews the curve files.

#include "common/ui/CurveCheckPanel.h"
#include "common/ui/DataPage.h"
#include "common/ui/DateField.h"
#include "component/CompData.h"

#include <optional>

class CDateTimeCtrl;
class CSpinButtonCtrl;

// Marks `field` valid when its text is empty or when some record i (1 .. count, within both
// lists) holds it in `list1` together with `other`'s text in `list2`; invalid otherwise.
class CheckPairInLists {
public:
    CheckPairInLists(CNEdit& field, const CNEdit& other, const CStringArray& list1, const CStringArray& list2,
                     int count);
};

class CCompTestPage : public CDataPage<CCompData> {
    Q_OBJECT
public:
    enum {
        IDD = 135,
        IDC_VERSION = 1350,
        IDC_TITLE = 1339,
        IDC_PERFORMER = 1342,
        IDC_OBJECTIVES = 1340,
        IDC_TEST_DATE = 1368,
        IDC_DATE_PICKER = 1352,
        IDC_TEST_COMMENTS = 1344,
        IDC_CONTRACT_NO = 1343,
        IDC_AMBIENT_TEMP = 1347,
        IDC_TEST_REFERENCE = 1349,
        IDC_TEST_TYPE = 1348,
        IDC_CURVE_COUNT = 1345,
        IDC_SEARCH_PERFORMER = 1351,
        IDC_SEARCH_TEST_TYPE = 1353,
    };

    CCompTestPage();
    ~CCompTestPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL SaveToData() override;
    void LoadFromData() override;
    bool AllFieldsValid() override;
    void ClearPage() override;

    CDateField m_date;

protected:
    void AfterSearch(int id) override;
};

class CCompVehPage : public CFieldPage<CCompData, CPropertyPage> {
    Q_OBJECT
public:
    enum {
        IDD = 150,
        IDC_VEHICLE_NO = 1355,
        IDC_SPIN = 1337,
        IDC_YEAR = 1360,
        IDC_MAKE = 1358,
        IDC_MODEL = 1359,
        IDC_BODY = 1364,
        IDC_VIN = 1361,
        IDC_KAVRO_NO = 1363,
        IDC_CRASH_TESTED = 1362,
        IDC_COMMENTS = 1357,
        IDC_SEARCH_MAKE = 1367,
        IDC_SEARCH_MODEL = 1366,
        IDC_SEARCH_BODY = 1365,
        IDC_SEARCH_CRTEST = 1569,
        IDC_EDIT_KAVRO = 1702,
        IDC_ROLLOVER_GROUP = 1651,
        IDC_VIMF_NO = 1368,
        IDC_LOAD = 1374,
        IDC_ENGINE = 1370,
        IDC_DISPLACEMENT = 1672,
        IDC_TRANSMISSION = 1371,
        IDC_FUEL = 1372,
        IDC_OPTIONAL_EQUIPMENT = 1373,
        IDC_SEARCH_ENGINE = 1652,
        IDC_SEARCH_TRANSM = 1375,
        IDC_MORE_INFO = 1673,
    };

    CCompVehPage();
    ~CCompVehPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void LoadRecord();
    BOOL SaveRecord();
    bool AllFieldsValid() override;
    BOOL CheckKavroNumber();
    bool ShowAndCheck(int record);
    void ApplyTestType();
    void ShowRolloverControls(bool show);
    void ShowRolloverResults();
    void ApplyEngineType(bool electric);

    BOOL SavePage() override { return SaveRecord(); }
    bool ValidatePage() override { return AllFieldsValid(); }
    void LoadPage() override { LoadRecord(); }
    void ClearPage() override;

    // Handlers.
    int OnDeltaposSpin(int delta);
    void OnSearchModel();
    void OnSearchEngine();
    void OnSearchTransm();
    void OnMoreInfo();
    void OnEditKavroNo();

    CSpinButtonCtrl* Spin() const;
    // The rollover entry fields and the computed values, by control id.
    CNEdit* RolloverEdit(int id) const;
    bool IsRollover() const { return m_pData && m_pData->m_strTestType == "ROV"; }

    CNEdit m_editVehicleNo;

protected:
    void AfterSearch(int id) override;

private:
    // A code valid under the component tag or under the vehicle tag its search lists.
    void CheckEitherTag(CNEdit& field, const char* table);

    std::vector<std::unique_ptr<CNEdit>> m_rollover; // entry fields, then computed values
};

// What the component, configuration and instrumentation pages share: the vehicle pick and the
// vehicle number's range (0 only when the test has no vehicle).
class CCompRecordPage : public CDataRecordPage<CCompData> {
    Q_OBJECT
public:
    using CDataRecordPage<CCompData>::CDataRecordPage;

    // Only the listed fields make a record invalid.
    bool AllFieldsValid() override;
    // "VEHNO Selection" over the test's vehicles; the chosen number, or nothing.
    std::optional<CString> PickVehicle();
    // Records for the component pick of the configuration and instrumentation pages: those of
    // the vehicle; the chosen component number, or nothing.
    std::optional<CString> PickComponent(const CString& vehicle);
    bool NoVehicle() const { return !m_pData || m_pData->IsVehicleRecordEmpty(1); }

protected:
    std::vector<int> m_validated; // the fields AllFieldsValid asks
};

class CCompCompPage : public CCompRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 151,
        IDC_RECORD_LIST = 1588,
        IDC_NEXTCURVE_BUTTON = 1314,
        IDC_DELETE_BUTTON = 1326,
        IDC_RETAIN_LAST = 1078,
        IDC_VEHICLE_NO = 1402,
        IDC_COMPONENT_NO = 1403,
        IDC_TESTED = 1404,
        IDC_TYPE = 1405,
        IDC_WEIGHT = 1406,
        IDC_MOD_INDICATOR = 1407,
        IDC_MOD_DESCRIPTION = 1408,
        IDC_OCCUPANT_TYPE = 1409,
        IDC_DUMMY_SIZE = 1410,
        IDC_DUMMY_MAKER = 1411,
        IDC_COMMENTS = 1412,
        IDC_SEARCH_CMPNT = 1394,
        IDC_SEARCH_CMPTYP = 1395,
        IDC_SEARCH_MODIND = 1396,
        IDC_SEARCH_OCCTYP = 1397,
        IDC_SEARCH_DUMSIZ = 1398,
        IDC_SEARCH_VEHICLE = 1399,
    };

    CCompCompPage();
    ~CCompCompPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void LoadRecord() override;
    void ApplyTestType();
    void ShowComponentDetails(bool shown);
    void OnSearchVehicle();
    // The rollover vehicle's record ("ROVV"), appended when there is none: its number.
    int RolloverRecord();

protected:
    int DataRecordCount(const CCompData& data) const override { return std::max(data.m_nComponentCount, 0); }
    void SaveExtra(CCompData& data, int index) override;
    void LoadExtra(const CCompData& data, int index) override;

private:
    void OnSearchTestedOrType(int id, const char* table);
};

class CCompConfPage : public CCompRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 152,
        IDC_RECORD_LIST = 1586,
        IDC_NEXTCURVE_BUTTON = 1314,
        IDC_DELETE_BUTTON = 1326,
        IDC_RETAIN_LAST = 1078,
        IDC_VEHICLE_NO = 1424,
        IDC_COMPONENT_NO = 1425,
        IDC_CONFIGURATION_NO = 1426,
        IDC_TEST_DEVICE = 1427,
        IDC_DEVICE_SPEED = 1428,
        IDC_DEVICE_COMMENTS = 1429,
        IDC_TEST_CONFIG = 1430,
        IDC_COMPONENT_SPEED = 1431,
        IDC_CONTACT_ANGLE = 1432,
        IDC_CONTACT_LOCATION1 = 1433,
        IDC_CONTACT_LOCATION2 = 1434,
        IDC_CONTACT_COMMENTS = 1435,
        IDC_CONFIG_COMMENTS = 1436,
        IDC_SEARCH_TSTDEV = 1419,
        IDC_SEARCH_CONFIG = 1420,
        IDC_SEARCH_VEHICLE = 1422,
        IDC_SEARCH_COMPONENT = 1630,
    };

    CCompConfPage();
    ~CCompConfPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnSearchVehicle();
    void OnSearchComponent();
    // Vehicle number in range, then the component a component of that vehicle.
    bool CheckReferences();

protected:
    int DataRecordCount(const CCompData& data) const override { return std::max(data.m_nConfigurationCount, 0); }
    void SaveExtra(CCompData& data, int index) override;
    void LoadExtra(const CCompData& data, int index) override;
    void PrepareRecord(int index);

public:
    void LoadRecord() override;
};

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

    CCurveCheckPanel& CurvePanel() { return m_curves; }
    CNEdit m_editMessage;
    CDateField m_date;
    bool m_bChangeHandling = true;

protected:
    int DataRecordCount(const CCompData& data) const override { return std::max(data.m_nCurveCount, 0); }
    void SaveExtra(CCompData& data, int index) override;
    void LoadExtra(const CCompData& data, int index) override;
    void AfterSearch(int id) override;

private:
    void EnableTimeStep(bool enable, bool fromRecord);

    CCurveCheckPanel m_curves;
};
