#pragma once
// What every instrumentation page sets up alike around the channel (curve) it shows a record:
// the channel's calibration date with its picker, the curve-check panel over the page's point
// fields, and the record list's selection, which shows the chosen channel's finding and judges
// its fields. The page keeps its own fields, searches and rules.

#include "common/ui/CalibrationDate.h"
#include "common/ui/CurveCheckPanel.h"

#include <functional>

class CRecordPage;

class CChannelControls {
public:
    struct Ids {
        int recordList;
        int picker; // the calibration date's
    };

    // `state` gives the data object's curve-check members; `ready` is the page's flag that is
    // false while it fills its controls.
    CChannelControls(CRecordPage& page, Ids ids, CCurveCheckPanel::Controls curveControls,
                     std::function<CurveCheckState()> state, const bool& ready, CCurveCheckPanel::Style style);

    // Dialog initialisation, after the page's own: the calibration date in `dateEdit` (a pick goes
    // into `dates()` at the shown channel), the panel's buttons and point fields, the record list's
    // selection (after the page's own handler has shown the chosen channel: its finding, then
    // `judge`, the page's check of its fields), and the panel's first state.
    void OnInitDialog(CNEdit& dateEdit, std::function<CStringArray*()> dates, std::function<void()> judge);

    CCalibrationDate date;
    CCurveCheckPanel curves;

private:
    CRecordPage& m_page;
    int m_recordList;
};
