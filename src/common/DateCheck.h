#pragma once
// The check of a date text of the test files ("DD-MMM-YYYY" or "DD/MMM/YYYY"), as a file is read
// and as a date is typed.

#include "platform/CString.h"
#include "platform/Time.h"

#include <string>

// Trims and normalises a "DD-MMM-YYYY" or "DD/MMM/YYYY" date text in place; returns the date at
// midnight, or the zero time (after the date message) when the text is not a date. An empty
// text gives the zero time and no message.
CTime ValidateDateText(CString& dateText, CString section);
void ShowDateError(const CString& dateText, CString section, std::string part);
