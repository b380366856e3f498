#pragma once
// The date text the pages store from their date pickers.

#include "platform/ui/DateTimeCtrl.h"

#include <string>

// Sets the picker to the notified date and returns it as MM/DD/YYYY. A notification without a
// date (GDT_NONE) or with an impossible date leaves the picker alone and gives the empty text.
std::string SetDateTimeCtrlFromText(const NMDATETIMECHANGE& change, CDateTimeCtrl& picker);
