#pragma once
// The desktop's date picker: a date field with a drop-down calendar that reports each change
// of its date with the change notification the pages handle.

#include "platform/Time.h"

#include <QDateTimeEdit>

#include <cstdint>

using WORD = std::uint16_t;

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

constexpr unsigned long GDT_VALID = 0;
constexpr unsigned long GDT_NONE = 1;

// The date-change notification: the picker's new date, or GDT_NONE when it holds none.
struct NMDATETIMECHANGE {
    unsigned long dwFlags = GDT_VALID;
    SYSTEMTIME st;
};

class CDateTimeCtrl : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit CDateTimeCtrl(QWidget* parent = nullptr);
    // For a dialog's control table (DlgKind::Custom).
    static QWidget* Create(QWidget* parent) { return new CDateTimeCtrl(parent); }

    // False, and the picker unchanged, for a date it cannot show.
    bool SetTime(const SYSTEMTIME& time);
    bool SetTime(const CTime& time);
    // Shows no date (its earliest), without a change notification: the picker of a field that
    // holds no date never shows another field's or test's.
    void ShowNoDate();

signals:
    void DateTimeChange(const NMDATETIMECHANGE& change);

private:
    SYSTEMTIME GetSystemTime() const;
};
