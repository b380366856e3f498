#pragma once
// The date text the pages store from their date pickers.

#include "platform/ui/DateTimeCtrl.h"

#include <string>

// Sets the picker to the notified date and returns it as MM/DD/YYYY. A notification without a
// date (GDT_NONE) or with an impossible date leaves the picker alone and gives the empty text.
std::string SetDateTimeCtrlFromText(const NMDATETIMECHANGE& change, CDateTimeCtrl& picker);

// The picker shows the date of a field's text (any form the date parser reads: "03/12/2024",
// "12-MAR-2024"); an empty or unreadable text shows no date. The picker hears nothing of it.
void ShowTextInPicker(const std::string& text, CDateTimeCtrl& picker);
