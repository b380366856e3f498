#include "platform/Time.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst)
{
    std::tm tm {};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = dst;
    const std::time_t t = std::mktime(&tm);
    m_time = t == static_cast<std::time_t>(-1) ? 0 : t;
}

CTime CTime::GetCurrentTime() { return CTime(std::time(nullptr)); }

std::tm CTime::Local() const
{
    std::tm tm {};
    localtime_r(&m_time, &tm);
    return tm;
}

int CTime::GetYear() const { return Local().tm_year + 1900; }
int CTime::GetMonth() const { return Local().tm_mon + 1; }
int CTime::GetDay() const { return Local().tm_mday; }
int CTime::GetHour() const { return Local().tm_hour; }
int CTime::GetMinute() const { return Local().tm_min; }
int CTime::GetSecond() const { return Local().tm_sec; }

CString CTime::Format(const char* format) const
{
    const std::tm tm = Local();
    char buffer[256];
    const size_t n = std::strftime(buffer, sizeof buffer, format ? format : "", &tm);
    return CString(buffer, static_cast<int>(n));
}
