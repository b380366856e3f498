#include "platform/ui/DateTimeCtrl.h"

#include <QSignalBlocker>

CDateTimeCtrl::CDateTimeCtrl(QWidget* parent)
    : QDateTimeEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("M/d/yyyy"));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] {
        NMDATETIMECHANGE change;
        change.st = GetSystemTime();
        emit DateTimeChange(change);
    });
}

bool CDateTimeCtrl::SetTime(const SYSTEMTIME& time)
{
    const QDate date(time.wYear, time.wMonth, time.wDay);
    const QTime clock(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
    if (!date.isValid() || !clock.isValid())
        return false;
    setDateTime(QDateTime(date, clock));
    return true;
}

bool CDateTimeCtrl::SetTime(const CTime& time)
{
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(time.GetYear());
    st.wMonth = static_cast<WORD>(time.GetMonth());
    st.wDay = static_cast<WORD>(time.GetDay());
    st.wHour = static_cast<WORD>(time.GetHour());
    st.wMinute = static_cast<WORD>(time.GetMinute());
    st.wSecond = static_cast<WORD>(time.GetSecond());
    return SetTime(st);
}

void CDateTimeCtrl::ShowNoDate()
{
    const QSignalBlocker quiet(this);
    // The earliest date the picker takes stands for none, shown blank, on every picker alike.
    if (specialValueText().isEmpty()) {
        setMinimumDate(QDate(1752, 9, 14));
        setSpecialValueText(QStringLiteral(" "));
    }
    setDate(minimumDate());
}

SYSTEMTIME CDateTimeCtrl::GetSystemTime() const
{
    const QDateTime dt = dateTime();
    SYSTEMTIME st;
    st.wYear = static_cast<WORD>(dt.date().year());
    st.wMonth = static_cast<WORD>(dt.date().month());
    st.wDay = static_cast<WORD>(dt.date().day());
    st.wDayOfWeek = static_cast<WORD>(dt.date().dayOfWeek() % 7);
    st.wHour = static_cast<WORD>(dt.time().hour());
    st.wMinute = static_cast<WORD>(dt.time().minute());
    st.wSecond = static_cast<WORD>(dt.time().second());
    st.wMilliseconds = static_cast<WORD>(dt.time().msec());
    return st;
}
