#include "common/SectionReader.h"

#include "common/RecordLine.h"
#include "platform/Messages.h"

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

void ShowRecordsLeftOut(const CString& where, int kept)
{
    CString text;
    text.Format("This %s holds more than %d records; only the first %d are read.", where.GetString(), kept, kept);
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

CString SectionMarker(const char* name) { return CString("----- ") + name + " -----"; }

bool OnlyFillerLeft(CStdioFile& file)
{
    CString line;
    while (file.ReadString(line)) {
        if (!line.IsEmpty() && !IsCommentLine(line))
            return false;
    }
    return true;
}
