#include "platform/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const char kWhiteSpace[] = " \t\r\n\v\f";

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

CString CString::Left(int count) const
{
    return CString(m_s.substr(0, Clamp(count, 0, GetLength())));
}

CString CString::Right(int count) const
{
    const int n = Clamp(count, 0, GetLength());
    return CString(m_s.substr(m_s.size() - n));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = Clamp(first, 0, GetLength());
    count = Clamp(count, 0, GetLength() - first);
    return CString(m_s.substr(first, count));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    const auto pos = m_s.find(ch, start);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    const auto pos = m_s.find(sub, start);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    const auto pos = m_s.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const char* chars) { return TrimRight(chars).TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhiteSpace); }
CString& CString::TrimRight() { return TrimRight(kWhiteSpace); }

CString& CString::TrimLeft(char ch)
{
    const char set[2] = {ch, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimRight(char ch)
{
    const char set[2] = {ch, '\0'};
    return TrimRight(set);
}

CString& CString::TrimLeft(const char* chars)
{
    // Most texts have nothing to trim: their first character is not in the set.
    if (!chars || m_s.empty() || (m_s.front() != '\0' && !std::strchr(chars, m_s.front())))
        return *this;
    const auto pos = m_s.find_first_not_of(chars);
    m_s.erase(0, pos == std::string::npos ? m_s.size() : pos);
    return *this;
}

CString& CString::TrimRight(const char* chars)
{
    if (!chars || m_s.empty() || (m_s.back() != '\0' && !std::strchr(chars, m_s.back())))
        return *this;
    const auto pos = m_s.find_last_not_of(chars);
    m_s.erase(pos == std::string::npos ? 0 : pos + 1);
    return *this;
}

CString& CString::MakeUpper()
{
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_s.begin(), m_s.end(), m_s.begin(), AsciiLower);
    return *this;
}

void CString::FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n <= 0) {
        m_s.clear();
        return;
    }
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(n);
    m_s = std::move(out);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    CString more;
    va_list args;
    va_start(args, format);
    more.FormatV(format, args);
    va_end(args);
    m_s += more.m_s;
}

int CString::Replace(char oldCh, char newCh)
{
    int n = 0;
    for (char& c : m_s) {
        if (c == oldCh) {
            c = newCh;
            ++n;
        }
    }
    return n;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText);
    const std::string to(newText ? newText : "");
    int n = 0;
    std::string out;
    size_t pos = 0;
    for (;;) {
        const size_t hit = m_s.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_s, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++n;
    }
    if (n) {
        out.append(m_s, pos, std::string::npos);
        m_s = std::move(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    const auto before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_s.erase(index, Clamp(count, 0, GetLength() - index));
    return GetLength();
}

int CString::Compare(const char* other) const
{
    const int r = std::strcmp(m_s.c_str(), other ? other : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* other) const
{
    const char* a = m_s.c_str();
    const char* b = other ? other : "";
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(AsciiLower(*a));
        const unsigned char cb = static_cast<unsigned char>(AsciiLower(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (!ca)
            return 0;
    }
}

// ---------------------------------------------------------------------------------------------

namespace {
const CString kEmptyText;
}

const CString& CStringArray::GetAt(int i) const
{
    return (i >= 0 && i < GetSize()) ? m_items[i] : kEmptyText;
}

void CStringArray::SetAtGrow(int i, const CString& value)
{
    if (i < 0)
        return;
    if (i >= GetSize())
        m_items.resize(static_cast<size_t>(i) + 1);
    m_items[i] = value;
}

CString& CStringArray::ElementAt(int i)
{
    if (i < 0) {
        // A negative index has no element; hand out a scratch text that nothing keeps.
        static thread_local CString scratch;
        scratch.Empty();
        return scratch;
    }
    if (i >= GetSize())
        m_items.resize(static_cast<size_t>(i) + 1);
    return m_items[i];
}

void CStringArray::RemoveAt(int i, int count)
{
    if (i < 0 || i >= GetSize() || count <= 0)
        return;
    count = std::min(count, GetSize() - i);
    m_items.erase(m_items.begin() + i, m_items.begin() + i + count);
}
