#pragma once
// The desktop's date parser for texts typed by the user (date only, or a date with a time of
// day), with the default locale's month-day-year order. It stands in for the platform parser the
// typed date fields and the date sort of the report lists were written against.
//
// Accepted dates: M/D/Y, M-D-Y and M.D.Y (one or two digits for month and day; two or four for
// the year), Y-M-D with a four-digit year, and forms with a month name (three-letter or full,
// any case) such as "Jan 5, 2001", "JAN 05 2001", "5 Jan 2001" and "05-JAN-2001". A two-digit
// year below 30 is 20xx, otherwise 19xx. An impossible day or month is refused, and so is a text
// of digits only (callers re-read those by their own fixed layout).

#include "platform/CString.h"

struct ParsedDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend auto operator<=>(const ParsedDateTime&, const ParsedDateTime&) = default;
};

// Date only: any text beyond the date fails.
bool ParseLocaleDate(const CString& text, ParsedDateTime& out);
// A date, optionally followed by a time "H:MM", "H:MM:SS", either with AM or PM.
bool ParseLocaleDateTime(const CString& text, ParsedDateTime& out);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// "Jan" .. "Dec"; month 1 to 12.
const char* ShortMonthName(int month);
