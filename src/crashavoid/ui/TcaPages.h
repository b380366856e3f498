#pragma once
// The six pages of the crash-avoidance sheet, in page order: test, vehicle, instrumentation,
// lower beam, amber turn signal, rollover. They are pages of the one page framework
// (common/ui/DataPage.h) over the sheet's CTcaData: each is its template, its field table over
// one record struct of the data and what its table cannot say. The test and lower-beam pages
// edit the data's single records, the amber page its current amber record; the vehicle,
// instrumentation and rollover pages are record pages over the data's record lists, the data's
// current index of the list following the record shown.

#include "common/ui/DataPage.h"
#include "crashavoid/TcaData.h"

#include <string>
#include <vector>

class CTcaTestPage : public CDataPage<CTcaData, TcaTestRecord> {
public:
    enum {
        IDD = 106,
        IDC_VERSION = 1730, IDC_TITLE = 1734, IDC_OBJECTIVE = 1735, IDC_TEST_DATE = 1760, IDC_DATE_PICKER = 1820,
        IDC_PERFORMER = 1732, IDC_FIND_PERFORMER = 1791, IDC_CONTRACT = 1737, IDC_REFERENCE = 1738,
        IDC_TEST_TYPE = 1739, IDC_FIND_TEST_TYPE = 1792, IDC_CONFIGURATION = 1740, IDC_FIND_CONFIGURATION = 1733,
        IDC_WARNING_DISTANCE = 1748, IDC_ROAD_SURFACE = 1745, IDC_FIND_ROAD_SURFACE = 1741,
        IDC_ROAD_CONDITION = 1746, IDC_FIND_ROAD_CONDITION = 1743, IDC_AMBIENT_TEMPERATURE = 1742,
        IDC_TOTAL_CURVES = 1747, IDC_COMMENTS = 1736, IDC_STATUS = 1759,
    };
    CTcaTestPage();

    BOOL SaveToData() override;
    bool AllFieldsValid() override;
    BOOL OnInitDialog() override;

protected:
    TcaTestRecord* RecordAt(CTcaData& data, int index) const override;
    void LoadExtra(const CTcaData& data) override;
};

class CTcaVehPage : public CDataRecordPage<CTcaData, TcaVehicleRecord> {
public:
    enum {
        IDD = 215,
        IDC_RECORD_LIST = 1785, IDC_PREV = 1786, IDC_NEXT = 1732, IDC_DELETE = 1733,
        IDC_VEHICLE_TYPE = 1798, IDC_FIND_VEHICLE_TYPE = 1736, IDC_MAKE = 1793, IDC_FIND_MAKE = 1801,
        IDC_MODEL = 1375, IDC_FIND_MODEL = 1734, IDC_BODY = 1794, IDC_FIND_BODY = 1735, IDC_YEAR = 1795,
        IDC_KAVRO_NUMBER = 1796, IDC_EDIT_KAVRO = 1728, IDC_VIN = 1797, IDC_ENGINE = 1799, IDC_FIND_ENGINE = 1737,
        IDC_TRANSMISSION = 1800, IDC_FIND_TRANSMISSION = 1738, IDC_ABS = 1729, IDC_CRUISE_CONTROL = 1730,
        IDC_BRAKE_SYSTEM = 1731, IDC_TRIMLINE = 1802, IDC_CURB_WEIGHT = 1803, IDC_TEST_WEIGHT = 1804,
        IDC_TIRE_SIZE = 1806, IDC_FIND_TIRE_SIZE = 1739, IDC_COMMENTARY = 1371, IDC_WIDTH = 1759,
    };
    CTcaVehPage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL SaveRecord() override;
    bool AllFieldsValid() override;
    bool ValidatePage() override { return SaveAndValidateAll(); }
    void OnFindMake();

protected:
    std::vector<TcaVehicleRecord>* RecordStructs(CTcaData& data) const override { return &data.m_VehicleRecords; }
    void LoadExtra(const CTcaData& data, int index) override;
    void SaveExtra(CTcaData& data, int index) override;
};

class CTcaInstPage : public CDataRecordPage<CTcaData, TcaInstRecord> {
public:
    enum {
        IDD = 214,
        IDC_RECORD_LIST = 1731, IDC_NEXT = 1647, IDC_DELETE = 1728, IDC_KEEP_LAST = 1732,
        IDC_VEHICLE_NUMBER = 1734, IDC_SUB_TYPE = 1737, IDC_FIND_SUB_TYPE = 1741, IDC_TRIAL_NUMBER = 1747,
        IDC_DEPENDENT_VARIABLE = 1738, IDC_FIND_DEPENDENT_VARIABLE = 1746, IDC_MANUFACTURER = 1733,
        IDC_VELOCITY = 1739, IDC_TECH_DISABLED = 1745, IDC_TECH_DESCRIPTION = 1755, IDC_PERFORMANCE = 1762,
        IDC_PERFORMANCE_DESCRIPTION = 1375, IDC_TEST_STATUS = 1763, IDC_ALERT_LOCATION = 1789,
        IDC_TIME_INTERVAL = 1752, IDC_X_UNIT = 1748, IDC_FIND_X_UNIT = 1767, IDC_Y_UNIT = 1749,
        IDC_FIND_Y_UNIT = 1765, IDC_SYNC_FREQUENCY = 1373, IDC_FIRST_POINT = 1750, IDC_LAST_POINT = 1751,
        IDC_DATA_STATUS = 1753, IDC_FIND_DATA_STATUS = 1756, IDC_CHANNEL_STATUS = 1754,
        IDC_FIND_CHANNEL_STATUS = 1757, IDC_CHANNEL_STATUS_LABEL = 1830, IDC_CHANNEL_TYPE = 1829, IDC_FIND_CHANNEL_TYPE = 1729,
        IDC_CALIBRATION_DATE = 1768, IDC_DATE_PICKER = 1735, IDC_COMMENTARY = 1744, IDC_HEAD_LAMP = 1766,
        IDC_UPPER_BEAM = 1759,
        // Carried without a control.
        IDC_ALERT_REPEAT = -11, IDC_SPARE_1 = -15, IDC_SPARE_2 = -17,
    };
    CTcaInstPage();

    bool AllFieldsValid() override;
    bool Blocks(int id) const override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL SaveRecord() override;
    bool ValidatePage() override { return SaveAndValidateAll(); }

protected:
    std::vector<TcaInstRecord>* RecordStructs(CTcaData& data) const override { return &data.m_InstRecords; }
    CString CodeTag(const Row& field) const override;
    void LoadExtra(const CTcaData& data, int index) override;
    void SaveExtra(CTcaData& data, int index) override;
    void AfterSearch(int id) override;

private:
    void OnFindSubType();
    void OnFindChannelType();
    // The test's configuration: the tag of the sub-type code.
    CString Configuration() const;
};

class CTcaLBeamPage : public CDataPage<CTcaData, TcaLBeamRecord> {
public:
    enum {
        IDD = 107,
        IDC_VEHICLE_NUMBER = 1760, IDC_AMBIENT_TEMPERATURE = 1759, IDC_WIND_SPEED = 1761, IDC_DETECTOR = 1762,
        IDC_FIND_DETECTOR = 1728, IDC_IDLE_IGNITION = 1763, IDC_GLARE = 1764, IDC_COMMENTARY = 1371,
    };
    static const int kLocationIds[kTcaBeamPoints];
    static const int kIlluminanceIds[kTcaBeamPoints];

    CTcaLBeamPage();

    BOOL SaveToData() override;
    bool AllFieldsValid() override;

protected:
    TcaLBeamRecord* RecordAt(CTcaData& data, int index) const override;
};

class CTcaAmberPage : public CDataPage<CTcaData, TcaAmberRecord> {
public:
    enum {
        IDD = 217,
        IDC_VEHICLE_NUMBER = 1759, IDC_ILLUMINANCE = 1760, IDC_AMBIENT_TEMPERATURE = 1761, IDC_HUMIDITY = 1762,
        IDC_ANGLE_1 = 1763, IDC_X_1 = 1371, IDC_Y_1 = 1375, IDC_COMMENTARY = 1768, IDC_AMBER_IN_COLOR = 1822,
        IDC_RECORD_LIST = 1816, IDC_PREV = 1817, IDC_NEXT = 1729, IDC_DELETE = 1730, IDC_FIND = 1818,
    };
    CTcaAmberPage();

    BOOL SaveToData() override;
    bool AllFieldsValid() override;
    bool Blocks(int id) const override;
    void ClearPage() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAmberCheck();

    int m_nAmberInColor = 0;

protected:
    TcaAmberRecord* RecordAt(CTcaData& data, int index) const override;
    void LoadExtra(const CTcaData& data) override;

private:
    // The twelve colorimeter fields are enabled exactly when the flag is clear; they keep their
    // texts either way.
    void ApplyAmberFlag(bool amber);
    static bool IsColorimeter(int id);
};

class CTcaRolloverPage : public CDataRecordPage<CTcaData, TcaRolloverRecord> {
public:
    enum {
        IDD = 218,
        IDC_RECORD_LIST = 1789, IDC_PREV = 1802, IDC_NEXT = 1803, IDC_DELETE = 1804, IDC_TIP_UP = 1821,
        IDC_AVERAGE_TRACK = 1787, IDC_TRACK_FRONT = 1778, IDC_TRACK_REAR = 1779, IDC_WHEELBASE = 1786,
        IDC_LEFT_WHEELBASE = 1780, IDC_RIGHT_WHEELBASE = 1781, IDC_APPLIED_WEIGHT = 1768,
        IDC_PLATFORM_ANGLE = 1784, IDC_RELATIVE_MOTION = 1782, IDC_COG_HEIGHT = 1783, IDC_ROOF_HEIGHT = 1785,
        IDC_COMMENTARY = 1763,
    };
    CTcaRolloverPage();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL SaveRecord() override;
    bool AllFieldsValid() override;
    bool ValidatePage() override { return SaveAndValidateAll(); }
    void ClearPage() override;
    // A record number typed into the list's edit part.
    void OnEditchangeRecordList();

    int m_nTipUp = 0;

protected:
    std::vector<TcaRolloverRecord>* RecordStructs(CTcaData& data) const override { return &data.m_RolloverRecords; }
    void LoadExtra(const CTcaData& data, int index) override;
    void SaveExtra(CTcaData& data, int index) override;

private:
    int m_nLastTyped = -1;
};
