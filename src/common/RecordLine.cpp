#include "common/RecordLine.h"

#include "platform/DateParse.h"
#include "platform/Messages.h"

#include <cstdlib>

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

bool CheckPipeCountImpl(int version, int found, int lineNo, const CString& section, const std::vector<int>& allowed)
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

bool CheckPipeCount(int version, int found, int lineNo, CString section, int expected)
{
    return CheckPipeCountImpl(version, found, lineNo, section, {expected});
}

bool CheckPipeCountEx(int version, int found, int lineNo, CString section, int expected1, int expected2)
{
    return CheckPipeCountImpl(version, found, lineNo, section, {expected1, expected2});
}

void ShowDateError(const CString& dateText, CString section, std::string part)
{
    CString text = "Date " + dateText + " in section " + section + " is incorrect in " + CString(part) + ".\n" +
                   "Please use drop-down calendar to enter a date, or \n" +
                   "use format 'DD-MMM-YYYY' or 'DD/MMM/YYYY', and check your mv5 file.";
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

namespace {

bool AllDigits(const CString& text)
{
    if (text.IsEmpty() || text.GetLength() > 9)
        return false;
    for (char c : text.str()) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

CTime ValidateDateText(CString& dateText, CString section)
{
    dateText.Trim();
    if (dateText.IsEmpty())
        return CTime();

    char sep = '-';
    int first = dateText.Find(sep);
    int second = first < 0 ? -1 : dateText.Find(sep, first + 1);
    if (second < 0) {
        sep = '/';
        first = dateText.Find(sep);
        second = first < 0 ? -1 : dateText.Find(sep, first + 1);
    }
    if (second < 0) {
        ShowDateError(dateText, section, "separator");
        return CTime();
    }

    // Day and year must be whole numbers: a text such as "2001xyz" is not a year, even though
    // reading it as a number would stop at 2001.
    CString yearText = dateText.Mid(second + 1);
    yearText.Trim();
    int year = AllDigits(yearText) ? std::atoi(yearText) : -1;
    if (year >= 0 && year <= 99) {
        year += year >= 70 ? 1900 : 2000;
        yearText.Format("%d", year);
    } else if (year < 1970 || year > 3000) {
        ShowDateError(dateText, section, "year range (1970 - 3000)");
        return CTime();
    }

    CString dayText = dateText.Left(first);
    dayText.Trim();
    const int day = AllDigits(dayText) ? std::atoi(dayText) : 0;
    if (day < 1) {
        ShowDateError(dateText, section, "day range");
        return CTime();
    }

    static const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    CString monthText = dateText.Mid(first + 1, second - first - 1);
    monthText.Trim();
    monthText.MakeUpper();
    int month = 0;
    for (int m = 0; m < 12; ++m) {
        if (monthText == kMonths[m])
            month = m + 1;
    }
    if (month == 0) {
        ShowDateError(dateText, section, "month range");
        return CTime();
    }

    if (day > DaysInMonth(year, month)) {
        ShowDateError(dateText, section, "day range");
        return CTime();
    }

    if (dayText.GetLength() == 1)
        dayText = "0" + dayText;
    dateText = dayText + "-" + monthText + "-" + yearText;
    return CTime(year, month, day, 0, 0, 0);
}

int VehicleCountOfConfig(const CString& config)
{
    return (config == "ITI" || config == "ITV" || config == "VTI" || config == "VTV" || config == "PTV") ? 2 : 1;
}

bool SeekSection(CStdioFile& file, const char* marker)
{
    file.SeekToBegin();
    CString line;
    while (file.ReadString(line)) {
        if (line.Find(marker) >= 0)
            return true;
    }
    return false;
}

namespace {

int ReadSectionLines(CStdioFile& file, const char* marker, const std::function<bool(const SectionRecord&)>& onRecord,
                     const char* endMarker, bool contiguous)
{
    if (!SeekSection(file, marker))
        return -1;
    int number = 1;
    CString line;
    while (file.ReadString(line)) {
        // A carriage return inside a line comes only from a damaged file (the writers put line
        // breaks nowhere but at line ends); it would stay in a value and change on every save.
        line.Remove('\r');
        if (line.Find(endMarker) >= 0)
            break;
        if (line.GetAt(0) == '#' || line.Find('|') < 0) {
            if (contiguous && number > 1)
                break;
            continue;
        }
        const SectionRecord record {line, number, CountFields(line)};
        ++number;
        if (!onRecord(record))
            break;
    }
    return number - 1;
}

} // namespace

int ReadSection(CStdioFile& file, const char* marker,
                const std::function<bool(const SectionRecord&)>& onRecord, const char* endMarker)
{
    return ReadSectionLines(file, marker, onRecord, endMarker, false);
}

int ReadContiguousSection(CStdioFile& file, const char* marker,
                          const std::function<bool(const SectionRecord&)>& onRecord)
{
    return ReadSectionLines(file, marker, onRecord, "----- ", true);
}

CString DateCommentLine()
{
    const CTime now = CTime::GetCurrentTime();
    CString line;
    line.Format("# Date: <%d/%d/%d>\n", now.GetMonth(), now.GetDay(), now.GetYear());
    return line;
}

bool WriteWholeFile(const CString& path, const std::function<void(CStdioFile&)>& body)
{
    CStdioFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText, &error)) {
        ShowCantOpenFile(path, error);
        return false;
    }
    body(file);
    if (!file.Close()) {
        error.m_cause = file.GetLastCause();
        ShowCantOpenFile(path, error);
        return false;
    }
    return true;
}

bool ReadWholeFile(const CString& path, bool showError, const std::function<void(CStdioFile&)>& body)
{
    CStdioFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::typeText, &error)) {
        if (showError)
            ShowCantOpenFile(path, error);
        return false;
    }
    body(file);
    file.Close();
    return true;
}

void ShowRecordsLeftOut(const CString& where, int kept)
{
    CString text;
    text.Format("This %s holds more than %d records; only the first %d are read.", where.GetString(), kept, kept);
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

CString SectionMarker(const char* name) { return CString("----- ") + name + " -----"; }

bool IsCommentLine(const CString& line) { return line.GetAt(0) == '#'; }

bool OnlyFillerLeft(CStdioFile& file)
{
    CString line;
    while (file.ReadString(line)) {
        if (!line.IsEmpty() && !IsCommentLine(line))
            return false;
    }
    return true;
}
