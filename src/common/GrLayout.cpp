#include "common/GrLayout.h"

#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "common/WholeFile.h"
#include "platform/Messages.h"
#include "platform/Path.h"
#include "platform/StdioFile.h"

GrLayout::GrLayout(int firstStart, std::initializer_list<int> widths, int lineLength)
{
    int start = firstStart;
    for (int width : widths) {
        m_words.push_back(static_cast<int16_t>(start));
        m_words.push_back(static_cast<int16_t>(width));
        start += width;
    }
    m_words.push_back(static_cast<int16_t>(lineLength));
}

GrLayout::GrLayout(std::initializer_list<std::pair<int, int>> pairs, int lineLength)
{
    for (const auto& [start, width] : pairs) {
        m_words.push_back(static_cast<int16_t>(start));
        m_words.push_back(static_cast<int16_t>(width));
    }
    m_words.push_back(static_cast<int16_t>(lineLength));
}

int GrLayout::Start(int pair) const { return pair >= 0 && pair < PairCount() ? m_words[2 * pair] : 0; }

int GrLayout::Width(int pair) const { return pair >= 0 && pair < PairCount() ? m_words[2 * pair + 1] : 0; }

CString GrLayout::Cut(const CString& line, int pair) const
{
    if (pair < 0 || pair >= PairCount())
        return CString();
    return line.Mid(Start(pair), Width(pair));
}

void ShowGrFormatError(const CString& path, const char* formatName)
{
    MessageBoxA(nullptr, PathForMessage(path) + " is not in proper " + formatName + " format.", "ERROR", MB_OK);
}

namespace {

bool CheckLength(const CString& line, const CString& path, const GrLayout& layout, const char* formatName)
{
    if (line.GetLength() == layout.LineLength())
        return true;
    ShowGrFormatError(path, formatName);
    return false;
}

} // namespace

int ReadGrSingleGroup(const CString& path, const GrLayout& layout, const char* formatName,
                      const std::function<int(const CString& line)>& onLine)
{
    int result = 0;
    ReadWholeFile(path, true, [&](CStdioFile& file) {
        CString line;
        if (!file.ReadString(line) || line.IsEmpty())
            return;
        while (IsCommentLine(line)) {
            if (!file.ReadString(line))
                line.Empty();
        }
        if (CheckLength(line, path, layout, formatName))
            result = onLine(line);
    });
    return result;
}

namespace {

int ReadGrRecordLines(CStdioFile& file, const CString& path, const GrLayout& layout, const char* formatName,
                      const std::function<bool(const CString& line, int number)>& onLine, int maxRecords,
                      int padFrom)
{
    int taken = 0;
    CString line;
    while ((maxRecords <= 0 || taken < maxRecords) && file.ReadString(line)) {
        if (IsCommentLine(line))
            continue;
        // A file that ends in comments or empty lines is complete: the records before them stand.
        // An empty line with records after it is a damaged file, told like a line of the wrong
        // length, so that the records after it are not left out unnoticed.
        if (line.IsEmpty() && OnlyFillerLeft(file))
            return taken;
        if (padFrom > 0 && line.GetLength() >= padFrom && line.GetLength() < layout.LineLength())
            line += CString(' ', layout.LineLength() - line.GetLength());
        if (!CheckLength(line, path, layout, formatName) || !onLine(line, taken + 1))
            return -1;
        ++taken;
    }
    return taken;
}

} // namespace

int ReadGrRecords(const CString& path, const GrLayout& layout, const char* formatName,
                  const std::function<bool(const CString& line, int number)>& onLine, int maxRecords,
                  int padFrom)
{
    int taken = -1;
    ReadWholeFile(path, true, [&](CStdioFile& file) {
        taken = ReadGrRecordLines(file, path, layout, formatName, onLine, maxRecords, padFrom);
    });
    return taken;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The trimmed text when it begins with a digit or "-", else the empty text.
CString NumberStart(CString text)
{
    text.Trim();
    if (!IsDigit(text.GetAt(0)) && text.GetAt(0) != '-')
        text.Empty();
    return text;
}

CString WithoutTrailingPoint(CString text)
{
    if (text.GetAt(text.GetLength() - 1) == '.')
        text.Delete(text.GetLength() - 1);
    return text;
}

} // namespace

CString CleanIntegerField(CString text) { return WithoutTrailingPoint(NumberStart(text)); }

CString CleanRealField(CString text)
{
    text = NumberStart(text);
    bool point = false;
    for (int i = 1; i < text.GetLength(); ++i) {
        const char c = text.GetAt(i);
        if (IsDigit(c))
            continue;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if ((c == 'E' || c == 'e') && (text.GetAt(i + 1) == '+' || text.GetAt(i + 1) == '-')) {
            ++i;
            continue;
        }
        return CString();
    }
    return WithoutTrailingPoint(text);
}
