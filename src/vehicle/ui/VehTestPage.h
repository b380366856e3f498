#pragma once
// "General Test Info": the TEST section of the vehicle test. Beyond its field table it keeps the
// test date and its picker, shows the number of curves, and keeps the vehicle count of the test
// configuration and the configuration-changed flag that the vehicle page reads.

#include "common/ui/DataPage.h"
#include "common/ui/DateField.h"
#include "vehicle/VehData.h"

class CVehTestPage : public CDataPage<CVehData> {
    Q_OBJECT
public:
    enum {
        IDD = 137,
        IDC_VERSION = 1088,
        IDC_TITLE = 1089,
        IDC_OBJECTIVES = 1090,
        IDC_TEST_COMMENTS = 1086,
        IDC_PERFORMER = 1092,
        IDC_CONTRACT_NO = 1093,
        IDC_TEST_REFERENCE = 1094,
        IDC_TEST_TYPE = 1095,
        IDC_CONFIGURATION = 1096,
        IDC_CLOSING_SPEED = 1097,
        IDC_IMPACT_ANGLE = 1098,
        IDC_TRACK_SURFACE = 1099,
        IDC_TRACK_CONDITION = 1100,
        IDC_AMBIENT_TEMP = 1101,
        IDC_OFFSET_DISTANCE = 1102,
        IDC_RECORDER_TYPE = 1103,
        IDC_DATA_LINK = 1104,
        IDC_SIDE_IMPACT_POINT = 1105,
        IDC_CURVE_COUNT = 1106,
        IDC_DATE_PICKER = 1107,
        IDC_TEST_DATE = 1368,
        IDC_SEARCH_PERFORMER = 1108,
        IDC_SEARCH_TEST_TYPE = 1080,
        IDC_SEARCH_CONFIGURATION = 1081,
        IDC_SEARCH_TRACK_SURFACE = 1082,
        IDC_SEARCH_TRACK_CONDITION = 1083,
        IDC_SEARCH_RECORDER_TYPE = 1084,
        IDC_SEARCH_DATA_LINK = 1085,
    };

    CVehTestPage();
    ~CVehTestPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    // The page always has its window: loads and saves whenever it has data.
    BOOL SaveToData() override;
    void LoadFromData() override;
    bool AllFieldsValid() override;
    void ClearPage() override;

    CString m_strConfigOnEntry;

protected:
    void AfterSearch(int id) override;

private:
    CDateField m_date;
};
