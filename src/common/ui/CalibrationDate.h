#pragma once
// The calibration date of an instrumentation channel, as every instrumentation page shows it: a
// typed date, marked invalid while it is no date, and a picker beside it whose pick goes onto the
// shown channel.

#include "common/ui/NEdit.h"

#include <functional>

class CDateTimeCtrl;
class CDlgControls;

class CCalibrationDate {
public:
    CCalibrationDate(CDlgControls& page, int pickerId)
        : m_page(page)
        , m_pickerId(pickerId)
    {
    }

    // Dialog initialisation: the picker shows no date until a channel is shown; the edit is marked
    // invalid while its text is no date (an empty text stays valid); a pick, while a test is
    // loaded (`dates` gives its channels' dates; null without one), goes onto the shown channel
    // (`index`, 1-based; 0: none) and into the edit.
    void Init(CNEdit& edit, std::function<CStringArray*()> dates, const int& index);
    // The channel's stored date: checked by the test-file date check (a bad one is told in its
    // box), a good one into the picker (else it shows none), the text trimmed and upper-cased into
    // the edit. Gives the date check's form of the text, upper-cased, for a page whose records
    // keep that form.
    CString Show(const CString& stored);
    // A new channel: the picker shows today.
    void PickToday();

private:
    CDateTimeCtrl* Picker() const;
    void OnPicked();

    CDlgControls& m_page;
    int m_pickerId;
    CNEdit* m_edit = nullptr;
    std::function<CStringArray*()> m_dates;
    const int* m_index = nullptr;
};
