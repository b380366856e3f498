#include "platform/DateParse.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

const char* const kShort[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLong[12] = {"january", "february", "march",     "april",   "may",      "june",
                               "july",    "august",   "september", "october", "november", "december"};

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

int MonthOfName(const std::string& word)
{
    const std::string w = Lower(word);
    for (int m = 0; m < 12; ++m) {
        if (w == Lower(kShort[m]) || w == kLong[m])
            return m + 1;
    }
    return 0;
}

struct Token {
    std::string text;
    bool digits = false;
};

bool IsDateSeparator(char c) { return c == ' ' || c == ',' || c == '-' || c == '/' || c == '.' || c == '\t'; }

// Splits into runs of digits and runs of letters; anything else but a separator fails.
bool Tokenize(const std::string& s, std::vector<Token>& tokens)
{
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (IsDateSeparator(s[i])) {
            ++i;
            continue;
        }
        const bool digit = std::isdigit(c) != 0;
        if (!digit && !std::isalpha(c))
            return false;
        size_t j = i;
        while (j < s.size() && (digit ? std::isdigit(static_cast<unsigned char>(s[j])) != 0
                                      : std::isalpha(static_cast<unsigned char>(s[j])) != 0))
            ++j;
        tokens.push_back({s.substr(i, j - i), digit});
        i = j;
    }
    return true;
}

bool SmallNumber(const Token& t, int& value)
{
    if (!t.digits || t.text.empty() || t.text.size() > 2)
        return false;
    value = std::stoi(t.text);
    return true;
}

bool YearNumber(const Token& t, int& year)
{
    if (!t.digits || (t.text.size() != 2 && t.text.size() != 4 && t.text.size() != 1))
        return false;
    year = std::stoi(t.text);
    if (t.text.size() <= 2)
        year += year < 30 ? 2000 : 1900;
    return true;
}

bool Valid(const ParsedDateTime& d)
{
    return d.year >= 100 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= DaysInMonth(d.year, d.month);
}

bool ParseDatePart(const std::string& s, ParsedDateTime& out)
{
    std::vector<Token> t;
    if (!Tokenize(s, t) || t.size() != 3)
        return false;
    ParsedDateTime d;
    if (t[0].digits && t[1].digits && t[2].digits) {
        if (t[0].text.size() == 4) { // Y-M-D
            d.year = std::stoi(t[0].text);
            if (!SmallNumber(t[1], d.month) || !SmallNumber(t[2], d.day))
                return false;
        } else if (!SmallNumber(t[0], d.month) || !SmallNumber(t[1], d.day) || !YearNumber(t[2], d.year)) {
            return false;
        }
    } else if (!t[0].digits && t[1].digits && t[2].digits) { // Jan 5, 2001
        d.month = MonthOfName(t[0].text);
        if (!SmallNumber(t[1], d.day) || !YearNumber(t[2], d.year))
            return false;
    } else if (t[0].digits && !t[1].digits && t[2].digits) { // 5 Jan 2001
        d.month = MonthOfName(t[1].text);
        if (!SmallNumber(t[0], d.day) || !YearNumber(t[2], d.year))
            return false;
    } else {
        return false;
    }
    if (!Valid(d))
        return false;
    out = d;
    return true;
}

bool ParseTimePart(std::string s, ParsedDateTime& d)
{
    int ampm = 0; // 1 AM, 2 PM
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    if (s.size() >= 2) {
        const std::string tail = Lower(s.substr(s.size() - 2));
        if (tail == "am" || tail == "pm") {
            ampm = tail == "am" ? 1 : 2;
            s.erase(s.size() - 2);
            while (!s.empty() && s.back() == ' ')
                s.pop_back();
        }
    }
    int parts[3] = {0, 0, 0};
    int n = 0;
    size_t i = 0;
    for (;;) {
        size_t j = i;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            ++j;
        if (j == i || j - i > 2 || n == 3)
            return false;
        parts[n++] = std::stoi(s.substr(i, j - i));
        if (j == s.size())
            break;
        if (s[j] != ':')
            return false;
        i = j + 1;
    }
    if (n < 2)
        return false;
    int hour = parts[0];
    if (ampm != 0) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (ampm == 2 ? 12 : 0);
    }
    if (hour > 23 || parts[1] > 59 || parts[2] > 59)
        return false;
    d.hour = hour;
    d.minute = parts[1];
    d.second = parts[2];
    return true;
}

std::string Trimmed(const CString& text)
{
    CString t = text;
    t.Trim();
    return t.str();
}

} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

const char* ShortMonthName(int month) { return month >= 1 && month <= 12 ? kShort[month - 1] : ""; }

bool ParseLocaleDate(const CString& text, ParsedDateTime& out) { return ParseDatePart(Trimmed(text), out); }

bool ParseLocaleDateTime(const CString& text, ParsedDateTime& out)
{
    const std::string s = Trimmed(text);
    const size_t colon = s.find(':');
    if (colon == std::string::npos)
        return ParseDatePart(s, out);
    const size_t blank = s.rfind(' ', colon);
    if (blank == std::string::npos)
        return false;
    ParsedDateTime d;
    if (!ParseDatePart(s.substr(0, blank), d) || !ParseTimePart(s.substr(blank + 1), d))
        return false;
    out = d;
    return true;
}
