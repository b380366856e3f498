#pragma once
// Text as the program holds it: the bytes exactly as they stand in the files (Windows-1252),
// never re-encoded. Conversion to QString happens only at the widget boundary (Codec.h).

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_s(text ? text : "") {}
    CString(const char* text, int length) : m_s(text ? std::string(text, length > 0 ? length : 0) : std::string()) {}
    CString(const std::string& text) : m_s(text) {}
    CString(std::string&& text) : m_s(std::move(text)) {}
    CString(std::string_view text) : m_s(text) {}
    explicit CString(char ch, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, ch) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }

    // Out-of-range reads give '\0' rather than reading past the text.
    char GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_s[i] : '\0'; }
    char operator[](int i) const { return GetAt(i); }
    void SetAt(int i, char ch)
    {
        if (i >= 0 && i < GetLength())
            m_s[i] = ch;
    }

    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;

    // Trim() without arguments removes white space (blank, tab, CR, LF, VT, FF) as the
    // framework's does; the char / set forms remove only those characters.
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* chars);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* chars);

    // ASCII only: bytes above 0x7F are left as they are so that no stored byte changes.
    CString& MakeUpper();
    CString& MakeLower();

    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Delete(int index, int count = 1);

    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;


    CString& operator=(const char* text)
    {
        // A fresh string moved in rather than assign(): GCC 12 at -O3 sees a copy that may
        // overlap itself in assign()'s inlined replace, which cannot happen here.
        m_s = std::string(text ? text : "");
        return *this;
    }
    CString& operator=(const std::string& text)
    {
        m_s = text;
        return *this;
    }
    CString& operator=(char ch)
    {
        m_s.assign(1, ch);
        return *this;
    }
    CString& operator+=(const CString& other)
    {
        m_s += other.m_s;
        return *this;
    }
    CString& operator+=(const char* text)
    {
        if (text)
            m_s += text;
        return *this;
    }
    CString& operator+=(const std::string& text)
    {
        m_s += text;
        return *this;
    }
    CString& operator+=(char ch)
    {
        m_s += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(a + b.m_s); }
    friend CString operator+(const CString& a, const std::string& b) { return CString(a.m_s + b); }
    friend CString operator+(const std::string& a, const CString& b) { return CString(a + b.m_s); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator==(const CString& a, const std::string& b) { return a.m_s == b; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator!=(const CString& a, const std::string& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return a.m_s > b.m_s; }
    friend bool operator<=(const CString& a, const CString& b) { return a.m_s <= b.m_s; }
    friend bool operator>=(const CString& a, const CString& b) { return a.m_s >= b.m_s; }

private:
    std::string m_s;
};

// The framework's array of texts. Reads outside the array give the empty text and writes grow
// it, so a record number read from a damaged file can never reach outside the array.
class CStringArray {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(int size) { m_items.resize(size > 0 ? size : 0); }

    const CString& GetAt(int i) const;
    void SetAt(int i, const CString& value) { SetAtGrow(i, value); }
    void SetAtGrow(int i, const CString& value);
    CString& ElementAt(int i);
    const CString& operator[](int i) const { return GetAt(i); }
    CString& operator[](int i) { return ElementAt(i); }

    int Add(const CString& value)
    {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    void RemoveAt(int i, int count = 1);
    void RemoveAll() { m_items.clear(); }
    void Copy(const CStringArray& other) { m_items = other.m_items; }

    std::vector<CString>::const_iterator begin() const { return m_items.begin(); }
    std::vector<CString>::const_iterator end() const { return m_items.end(); }
    friend bool operator==(const CStringArray& a, const CStringArray& b) { return a.m_items == b.m_items; }
    friend bool operator!=(const CStringArray& a, const CStringArray& b) { return !(a == b); }

private:
    std::vector<CString> m_items;
};
