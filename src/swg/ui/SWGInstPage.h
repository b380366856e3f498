#pragma once
// "Instrumentation Information": the curves of the SWG test, one shown at a time, stepped with
// ">" and "x" and chosen from the curve list. Beyond its field table the page keeps Time
// Increment for curves in seconds only, and the data's two curve counts at its own count.

#include "common/ui/DataPage.h"
#include "swg/SWGData.h"

class CSWGInstPage : public CDataRecordPage<CSWGData> {
    Q_OBJECT
public:
    enum {
        IDD = 133,
        IDC_SEARCH_SENSOR_TYPE = 1025,
        IDC_SEARCH_SENSOR_LOCATION = 1026,
        IDC_SEARCH_ATTACHMENT = 1027,
        IDC_SEARCH_AXIS = 1028,
        IDC_SEARCH_Y_UNITS = 1029,
        IDC_SEARCH_CHANNEL_STATUS = 1030,
        IDC_SEARCH_X_UNITS = 1031,
        IDC_SEARCH_DATA_STATUS = 1032,
        IDC_SIGNAL_SOURCE = 1053,
        IDC_LEVEL = 1054,
        IDC_SENSOR_TYPE = 1055,
        IDC_SENSOR_LOCATION = 1056,
        IDC_ATTACHMENT = 1057,
        IDC_AXIS = 1058,
        IDC_X_UNITS = 1059,
        IDC_Y_UNITS = 1060,
        IDC_PREFILTER = 1061,
        IDC_RATING = 1062,
        IDC_CHANNEL_MAX = 1063,
        IDC_COMMENTS = 1064,
        IDC_CHANNEL_STATUS = 1065,
        IDC_FIRST_POINT = 1066,
        IDC_LAST_POINT = 1067,
        IDC_TIME_INCREMENT = 1068,
        IDC_DATA_STATUS = 1069,
        IDC_NEXTCURVE_BUTTON = 1073,
        IDC_SEARCH_SIGNAL_SOURCE = 1076,
        IDC_DELETE_CURVE = 1077,
        IDC_RETAIN_LAST = 1078,
        IDC_CURVE_LIST = 1581,
    };

    CSWGInstPage();
    ~CSWGInstPage() override;

protected:
    // The data's curve count, never beyond the curves its lists hold.
    int DataRecordCount(const CSWGData& data) const override;
    void LoadExtra(const CSWGData& data, int index) override;
    void SaveExtra(CSWGData& data, int index) override;
    // X units: Time Increment follows whether the curve is in seconds.
    void AfterSearch(int id) override;

private:
    void EnableTimeIncrement(bool seconds);
};
