#include "common/DateCheck.h"

#include "platform/DateParse.h"
#include "platform/Messages.h"

#include <cstdlib>
#include <string>

void ShowDateError(const CString& dateText, CString section, std::string part)
{
    CString text = "Date " + dateText + " in section " + section + " is incorrect in " + CString(part) + ".\n" +
                   "Please use drop-down calendar to enter a date, or \n" +
                   "use format 'DD-MMM-YYYY' or 'DD/MMM/YYYY', and check your mv5 file.";
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

namespace {

bool AllDigits(const CString& text)
{
    if (text.IsEmpty() || text.GetLength() > 9)
        return false;
    for (char c : text.str()) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

CTime ValidateDateText(CString& dateText, CString section)
{
    dateText.Trim();
    if (dateText.IsEmpty())
        return CTime();

    char sep = '-';
    int first = dateText.Find(sep);
    int second = first < 0 ? -1 : dateText.Find(sep, first + 1);
    if (second < 0) {
        sep = '/';
        first = dateText.Find(sep);
        second = first < 0 ? -1 : dateText.Find(sep, first + 1);
    }
    if (second < 0) {
        ShowDateError(dateText, section, "separator");
        return CTime();
    }

    // Day and year must be whole numbers: a text such as "2001xyz" is not a year, even though
    // reading it as a number would stop at 2001.
    CString yearText = dateText.Mid(second + 1);
    yearText.Trim();
    int year = AllDigits(yearText) ? std::atoi(yearText) : -1;
    if (year >= 0 && year <= 99) {
        year += year >= 70 ? 1900 : 2000;
        yearText.Format("%d", year);
    } else if (year < 1970 || year > 3000) {
        ShowDateError(dateText, section, "year range (1970 - 3000)");
        return CTime();
    }

    CString dayText = dateText.Left(first);
    dayText.Trim();
    const int day = AllDigits(dayText) ? std::atoi(dayText) : 0;
    if (day < 1) {
        ShowDateError(dateText, section, "day range");
        return CTime();
    }

    static const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    CString monthText = dateText.Mid(first + 1, second - first - 1);
    monthText.Trim();
    monthText.MakeUpper();
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (monthText == kMonths[m])
            month = m + 1;
    }
    if (month == 0) {
        ShowDateError(dateText, section, "month range");
        return CTime();
    }

    if (day > DaysInMonth(year, month)) {
        ShowDateError(dateText, section, "day range");
        return CTime();
    }

    if (dayText.GetLength() == 1)
        dayText = "0" + dayText;
    dateText = dayText + "-" + monthText + "-" + yearText;
    return CTime(year, month, day, 0, 0, 0);
}
