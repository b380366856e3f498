#pragma once
// The single-record pages of the biomechanics sheet: the general test information, the dummy
// occupant, the biological occupant and its anthropometry. Each is its template and field table;
// the occupant pages open by the test's Occupant Type.

#include "biomech/ui/BioPageSupport.h"
#include "common/ui/DateField.h"

// "General Test Info": the TEST section, its date picker and the number of curves.
class CBioMechTestPage : public CBioDataPage {
    Q_OBJECT
public:
    enum {
        IDD = 136,
        IDC_TEST_DATE = 1368,
        IDC_VERSION = 1369,
        IDC_TITLE = 1370,
        IDC_OBJECTIVES = 1371,
        IDC_PERFORMER = 1372,
        IDC_CONTRACT_NO = 1373,
        IDC_TEST_REFERENCE = 1374,
        IDC_CONFIGURATION = 1375,
        IDC_AMBIENT_TEMP = 1376,
        IDC_RECORDER_TYPE = 1377,
        IDC_DATA_LINK = 1378,
        IDC_CLOSING_SPEED = 1379,
        IDC_IMPACT_ANGLE = 1380,
        IDC_CURVE_COUNT = 1381,
        IDC_OCCUPANT_TYPE = 1382,
        IDC_TEST_COMMENTS = 1383,
        IDC_DATE_PICKER = 1450,
        IDC_SEARCH_PERFORMER = 1451,
        IDC_SEARCH_CONFIGURATION = 1452,
        IDC_SEARCH_RECORDER_TYPE = 1453,
        IDC_SEARCH_DATA_LINK = 1454,
        IDC_SEARCH_OCCUPANT_TYPE = 1572,
    };

    CBioMechTestPage();
    ~CBioMechTestPage() override;

    BOOL OnInitDialog() override;
    bool AllFieldsValid() override;
    // Clear All Pages: "B5", no curve, no date in the picker.
    void ClearPage() override;

    CDateField& Date() { return m_date; }

protected:
    void LoadExtra(const CBioData& data) override;
    void SaveExtra(CBioData& data) override;

private:
    CDateField m_date;
};

// "Dummy Occupant Info": open for a dummy occupant type.
class CBioDumPage : public CBioGatedPage<CBioDataPage> {
    Q_OBJECT
public:
    enum {
        IDD = 158,
        IDC_COMMENTS = 1368,
        IDC_MAKER = 1369,
        IDC_DESCRIPTION = 1371,
        IDC_THORACIC_CRITERION = 1372,
        IDC_MODIFICATION = 1373,
        IDC_LOCATION = 1374,
        IDC_SEX = 1375,
        IDC_SEAT_POSITION = 1376,
        IDC_HIC = 1377,
        IDC_HIC_LOWER = 1378,
        IDC_HIC_UPPER = 1379,
        IDC_THORAX_ACCEL = 1380,
        IDC_LEFT_FEMUR = 1381,
        IDC_RIGHT_FEMUR = 1382,
        IDC_PELVIC_G = 1383,
        IDC_TTI = 1384,
        IDC_SHOULDER_BELT = 1385,
        IDC_LAP_BELT = 1386,
        IDC_CSI = 1387,
        IDC_COMPONENT_WEIGHT = 1515,
        IDC_VISCOUS_CRITERION = 1516,
        IDC_NECK_INJURY = 1518,
        IDC_CALIBRATION = 1519,
        IDC_SIZE = 1520,
        IDC_CHEST_DEFLECTION = 1521,
        IDC_SEARCH_LOCATION = 1522,
        IDC_SEARCH_SEX = 1523,
        IDC_SEARCH_SEAT_POSITION = 1524,
        IDC_SEARCH_CALIBRATION = 1525,
        IDC_SEARCH_SIZE = 1526,
    };
    CBioDumPage();
    ~CBioDumPage() override;
};

// "Biological Occupant Info": open for "AN", "CD" and "HU".
class CBioOccPage : public CBioGatedPage<CBioDataPage> {
    Q_OBJECT
public:
    enum {
        IDD = 159,
        IDC_LOCATION = 1368,
        IDC_SEX = 1369,
        IDC_SEAT_POSITION = 1370,
        IDC_AGE = 1371,
        IDC_WEIGHT = 1372,
        IDC_FRACTURED_RIBS = 1373,
        IDC_RIB_FRACTURES = 1374,
        IDC_REFERENCE_NO = 1375,
        IDC_TEST_COUNT = 1376,
        IDC_DEATH_DATE = 1377,
        IDC_DEATH_CAUSE = 1378,
        IDC_APPEARANCE = 1379,
        IDC_BED_CONFINEMENT = 1380,
        IDC_ANOMALY = 1381,
        IDC_CARDIO_PRESSURE = 1382,
        IDC_HEAD_PRESSURE = 1383,
        IDC_PULMONARY_PRESSURE = 1384,
        IDC_COMMENTS = 1385,
        IDC_BMC = 1386,
        IDC_BMC_LOCATION = 1387,
        IDC_BMC_UNITS = 1527,
        IDC_BMC_METHOD = 1528,
        IDC_COMPONENT_WEIGHT = 1529,
        IDC_BMC_COMMENTS = 1530,
        IDC_SEARCH_LOCATION = 1311,
        IDC_SEARCH_CARDIO = 1312,
        IDC_SEARCH_HEAD = 1313,
        IDC_SEARCH_PULMONARY = 1314,
        IDC_SEARCH_SEX = 1532,
        IDC_SEARCH_SEAT_POSITION = 1533,
        IDC_DATE_PICKER = 1534,
        IDC_SEARCH_BMC_LOCATION = 1535,
        IDC_SEARCH_BMC_UNITS = 1536,
        IDC_SEARCH_BMC_METHOD = 1537,
    };
    CBioOccPage();
    ~CBioOccPage() override;

    BOOL OnInitDialog() override;
    bool AllFieldsValid() override;
    void ClearPage() override;

protected:
    void LoadExtra(const CBioData& data) override;
    void SaveExtra(CBioData& data) override;

private:
    CDateField m_date;
};

// "Anthropometric Info": open for "AN", "CD" and "HU".
class CBioAnthPage : public CBioGatedPage<CBioDataPage> {
    Q_OBJECT
public:
    enum { IDD = 156, IDC_WRIST_CIRC = 1472 };
    CBioAnthPage();
    ~CBioAnthPage() override;
};
