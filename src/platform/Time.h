#pragma once
// Local date and time as the program uses them: the moment of writing a file, a date at
// midnight from a checked date text, and the "zero time" that stands for no date.

#include "platform/CString.h"

#include <ctime>

class CTime {
public:
    CTime() = default; // the zero time
    explicit CTime(std::time_t t) : m_time(t) {}
    // Local time; daylight saving decided by the platform (dst = -1). An impossible date gives
    // the zero time.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    bool IsZero() const { return m_time == 0; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    // strftime over the local time.
    CString Format(const char* format) const;

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }
    friend bool operator!=(const CTime& a, const CTime& b) { return a.m_time != b.m_time; }
    friend bool operator<(const CTime& a, const CTime& b) { return a.m_time < b.m_time; }

private:
    std::tm Local() const;
    std::time_t m_time = 0;
};
