#include "common/Convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

std::string_view TrimmedView(std::string_view text, std::string_view chars)
{
    const size_t first = text.find_first_not_of(chars);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(chars) + 1 - first);
}

bool IsRealNumber(const CString& text) { return IsRealNumberView(TrimmedView(text.str(), " ")); }

size_t RealNumberLength(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && s[i] == '-')
        ++i;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
    }
    if (i == 0)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        // The exponent takes its sign; its digits may be missing ("1e+" is a number).
        if (i + 1 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-'))
            return 0;
        for (i += 2; i < s.size() && IsDigit(s[i]);)
            ++i;
        return i;
    }
    // A lone "-" or "." is no number.
    return i == 1 && !IsDigit(s[0]) ? 0 : i;
}

bool IsRealNumberView(std::string_view s) { return !s.empty() && RealNumberLength(s) == s.size(); }

bool IsIntegerText(const CString& text) { return IsIntegerTextView(text.str()); }

bool IsIntegerTextView(std::string_view s)
{
    if (s.empty())
        return false;
    if (!(IsDigit(s[0]) || (s[0] == '-' && s.size() > 1)))
        return false;
    for (size_t i = 1; i < s.size(); ++i) {
        if (!IsDigit(s[i]))
            return false;
    }
    return true;
}

int StdToInt(CString text)
{
    // atoi's own overflow is undefined; clamp the way strtol does instead.
    const long v = std::strtol(text, nullptr, 10);
    if (v > 2147483647L)
        return 2147483647;
    if (v < -2147483647L - 1)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

double StdToDouble(CString text) { return std::atof(text); }

int IntOfIntegerText(std::string_view text)
{
    const bool negative = !text.empty() && text[0] == '-';
    // Past what an int holds the value only clamps, as StdToInt clamps strtol's.
    constexpr long long kBeyond = 2147483648LL + 1;
    long long value = 0;
    for (size_t i = negative ? 1 : 0; i < text.size() && IsDigit(text[i]) && value < kBeyond; ++i)
        value = value * 10 + (text[i] - '0');
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, -2147483647LL - 1, 2147483647LL));
}

double RealOfNumberText(std::string_view text)
{
    // Both read the decimal text correctly rounded; strtod settles what from_chars does not
    // take ("-.", values out of range).
    double value = 0.0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc())
        return value;
    return std::strtod(std::string(text).c_str(), nullptr);
}

double FiniteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

CString IntToCString(int value) { return CString(IntToStd(value)); }

std::string IntToStd(int value)
{
    return std::to_string(value);
}

CString DoubleToCString(double value)
{
    std::ostringstream out;
    out << value;
    return CString(out.str());
}

double RoundTo(double value, int decimals)
{
    const double magnitude = std::fabs(value);
    if (magnitude < 1e-11)
        return 0.0;
    if (decimals < 0)
        decimals = 0;
    double factor = 1.0;
    for (int i = 0; i < decimals; ++i)
        factor *= 10.0;
    // Kept in floating point: an integer product would overflow once factor x magnitude
    // reaches 2^31.
    const double scaled = factor * magnitude;
    // From 2^52 on a double holds no fraction at this scale: the value is already as round as
    // it can be, and dividing back could only blur it (or give infinity for huge values).
    if (!(scaled < 4503599627370496.0))
        return value;
    const double r = std::trunc(scaled + 0.500000000001);
    const double result = r / factor;
    return value < 0 ? -result : result;
}

CString RoundedToCString(double value, int decimals)
{
    if (std::fabs(value) < 1e-11)
        return "0";
    return DoubleToCString(RoundTo(value, decimals));
}

CString WrittenRealText(double value, int decimals)
{
    value = FiniteOrZero(value);
    return decimals < 0 ? DoubleToCString(value) : RoundedToCString(value, decimals);
}

std::vector<std::string> SplitStd(const std::string& text, char delimiter, bool /*keepLast*/)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t pos = text.find(delimiter, start);
        if (pos == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::string TrimStd(std::string& text)
{
    text = std::string(TrimmedView(text, " "));
    return text;
}

std::string FileExtension(std::string fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}
