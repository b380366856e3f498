#include "common/ui/DatePickerText.h"

#include "platform/DateParse.h"

#include <QSignalBlocker>

#include <cstdio>

std::string SetDateTimeCtrlFromText(const NMDATETIMECHANGE& change, CDateTimeCtrl& picker)
{
    if (change.dwFlags != GDT_VALID || !picker.SetTime(change.st))
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%02u/%02u/%u", unsigned(change.st.wMonth), unsigned(change.st.wDay),
                  unsigned(change.st.wYear));
    return text;
}

void ShowTextInPicker(const std::string& text, CDateTimeCtrl& picker)
{
    const QSignalBlocker quiet(&picker);
    CString trimmed(text);
    trimmed.Trim();
    ParsedDateTime date;
    if (!trimmed.IsEmpty() && ParseLocaleDate(trimmed, date)) {
        picker.setDate(QDate(date.year, date.month, date.day));
        return;
    }
    picker.ShowNoDate();
}
