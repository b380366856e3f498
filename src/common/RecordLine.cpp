#include "common/RecordLine.h"

#include "platform/Messages.h"

int CountFields(const CString& line)
{
    int n = 0;
    for (char c : line.str())
        n += (c == '|');
    return n;
}

namespace {

// Position of separator number `n` (1-based), or -1.
int SeparatorPos(const std::string& s, int n)
{
    if (n <= 0)
        return -1;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '|' && --n == 0)
            return static_cast<int>(i);
    }
    return -1;
}

CString Trimmed(const std::string& s, size_t from, size_t to)
{
    CString out(std::string_view(s).substr(from, to - from));
    out.Trim(' ');
    return out;
}

} // namespace

CString GetFields(const CString& line, int from, int to)
{
    const std::string& s = line.str();
    if (from < 0 || to <= from)
        return CString();
    if (from == 0) {
        if (!s.empty() && s[0] == '|')
            return CString();
        const int end = SeparatorPos(s, to);
        return Trimmed(s, 0, end < 0 ? s.size() : static_cast<size_t>(end));
    }
    const int start = SeparatorPos(s, from);
    if (start < 0)
        return CString();
    const int end = SeparatorPos(s, to);
    return Trimmed(s, start + 1, end < 0 ? s.size() : static_cast<size_t>(end));
}

char VersionLetter(const CString& testLine) { return GetFields(testLine, 0, 1).MakeUpper().GetAt(0); }

bool CheckPipeCount(int version, int found, int lineNo, const CString& section, const std::vector<int>& allowed)
{
    if (allowed.empty()) {
        MessageBoxA(nullptr, "No reference pipe number!", "Error", MB_OK);
        return true;
    }
    for (int count : allowed) {
        if (count == found)
            return false;
    }
    CString text;
    text.Format("This MV%d file has %d | characters ", version, found);
    if (lineNo > 0)
        text.AppendFormat("in line %d", lineNo);
    text += " of the ";
    text += section;
    text.AppendFormat(" section, should have %d", allowed.front());
    for (size_t i = 1; i < allowed.size(); ++i)
        text.AppendFormat(i + 1 == allowed.size() ? ", or %d" : ", %d", allowed[i]);
    MessageBoxA(nullptr, text, "Error", MB_OK);
    return true;
}

bool IsCommentLine(const CString& line) { return line.GetAt(0) == '#'; }
