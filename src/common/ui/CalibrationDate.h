#pragma once
// The calibration date of an instrumentation channel, as every instrumentation page shows it: a
// typed date that is marked invalid while it is no date, and a picker beside it.

#include "common/ui/NEdit.h"

#include <functional>

class CDateTimeCtrl;

// The channel's stored date: checked by the test-file date check (a bad one is told in its box),
// a good one into the picker, the text upper-cased into the edit.
void ShowCalibrationDate(CNEdit& edit, CDateTimeCtrl* picker, CString text);
// The picker's date as the pages store it: its display text upper-cased.
CString PickedCalibrationDate(const CDateTimeCtrl& picker);
// The edit is marked invalid while its text is no date (an empty text stays valid). The picker
// shows dates as the pages store them; a pick, while a test is loaded (`dates` gives its
// channels' dates; null without one), goes onto the shown channel (`index`, 1-based; 0: none)
// and into the edit.
void ConnectCalibrationDate(CDateTimeCtrl* picker, CNEdit& edit, std::function<CStringArray*()> dates,
                              const int& index);
// A new channel: the picker shows today.
void PickToday(CDateTimeCtrl* picker);
