#include "common/SectionReader.h"
#include "common/Sections.h"
#include "common/WholeFile.h"

CString WithoutLineBreaks(CString value)
{
    value.Remove('\n');
    value.Remove('\r');
    return value;
}

CString FileSafeText(CString value)
{
    value = WithoutLineBreaks(value);
    value.Replace('|', '/');
    std::string out;
    out.reserve(value.GetLength());
    for (char c : value.str()) {
        if (c == ' ' && out.size() >= 5 && out.compare(out.size() - 5, 5, "-----") == 0)
            continue;
        out += c;
    }
    return CString(std::move(out));
}

CString RecordLineText(const CString& line) { return line.GetAt(0) == '#' ? " " + line : line; }

bool IsBlankText(const CString& value)
{
    CString copy = value;
    return copy.Trim().IsEmpty();
}

CString FormatFieldText(const CString& value, unsigned flags, bool last)
{
    // White space alone is an empty value whether the field is trimmed or not: written once as
    // " |", it reads back empty and is written the same way again.
    CString text = value;
    if (!(flags & Untrimmed))
        text.Trim();
    else if (IsBlankText(text))
        text.Empty();
    if (text.IsEmpty())
        return last ? CString() : CString(" |");
    text = FileSafeText(text);
    return last ? text : text + "|";
}

CString FormatNumberText(const CString& number, bool last) { return last ? number : number + " |"; }

bool LocateSection(CStdioFile& file, const char* name, const char* readMarker, const char* altMarker,
                   const char* altName, FoundSection& found)
{
    const CString marker = readMarker ? CString(readMarker) : SectionMarker(name);
    if (SeekSection(file, marker)) {
        found = {marker, name};
        return true;
    }
    if (altMarker && SeekSection(file, altMarker)) {
        found = {altMarker, altName ? altName : name};
        return true;
    }
    return false;
}

int ReadSectionRecords(CStdioFile& file, const FoundSection& found, const char* endMarker, bool endsAtGap,
                       const std::function<bool(const SectionRecord&)>& onRecord)
{
    if (endsAtGap)
        return ReadContiguousSection(file, found.marker, onRecord);
    return ReadSection(file, found.marker, onRecord, endMarker);
}

CString RecordLimitWhere(const char* where, int version, const char* name)
{
    if (where)
        return where;
    CString text;
    text.Format("MV%d file's %s section", version, name);
    return text;
}

namespace {

CString FileHead(const CString& sourceMore, const char* marker)
{
    return "# Source: Morvel for Windows v5" + sourceMore + "\n" + DateCommentLine() + SectionMarker(marker) + "\n";
}

} // namespace

CString TestFileHead(const char* kindName, bool curvesChecked)
{
    return FileHead(CString(" in ") + kindName + " Test " +
                        (curvesChecked ? "- Curve error checking completed" : "- No curve error checking"),
                    "MV5");
}

CString TestFileHead() { return FileHead(CString(), "MV5"); }

CString ReportFileHead() { return FileHead(CString(), "MV5 REPORT FILE"); }
