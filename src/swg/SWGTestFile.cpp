// The SWG test file (.mv5, and the older .mv4 read) and the report (.mvr).

#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "common/Sections.h"
#include "common/WholeFile.h"
#include "platform/Messages.h"
#include "swg/SWGData.h"
#include "swg/SWGSections.h"

namespace {

// Reading at the end of the file gives an empty line; false there.
bool ReadLine(CStdioFile& file, CString& line)
{
    if (file.ReadString(line))
        return true;
    line.Empty();
    return false;
}

bool SkipComments(CStdioFile& file, CString& line, bool more)
{
    while (more && IsCommentLine(line))
        more = ReadLine(file, line);
    return more;
}

void ShowSeparatorError(int version, int found, const char* section, int expected)
{
    CString text;
    text.Format("This MV%d file has %d | characters in the %s section, should have %d.", version, found, section,
                expected);
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

// An empty test is written without any section (the TEST section of an empty test is left out).
const TestKindShape& SwgShape()
{
    static const TestKindShape shape {
        .kind = "SWG",
        .v5 = KindSectionsOf<CSWGData>({&SwgTestSection(), &SwgCurveSection()}, 5),
        .v4 = KindSectionsOf<CSWGData>({&SwgTestSection(), &SwgCurveSection()}, 4),
        .writesEmptyTest = true,
    };
    return shape;
}

const bool kShapeKnown = RegisterTestKind(SwgShape);

} // namespace

int CSWGData::WriteTestFile(CString path)
{
    return WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(TestFileHead());
        WriteSections(*this, file, SwgFileSections());
        file.WriteString("----- END -----\n");
    }) ? 1 : 0;
}

int CSWGData::WriteReportFile(CString path)
{
    return WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(ReportFileHead());
        ReportSections(*this, file, SwgFileSections());
        file.WriteString("----- END -----\n");
    }) ? 1 : 0;
}

int CSWGData::ReadTestFileV5(CStdioFile& file) { return ReadFileOfVersion(file, 5); }

int CSWGData::ReadTestFileV4(CStdioFile& file) { return ReadFileOfVersion(file, 4); }

int CSWGData::ReadFileOfVersion(CStdioFile& file, int version)
{
    ReadTestSection(file, version);
    ReadInstrumentationSection(file, version);
    return 1;
}

void CSWGData::ReadTestSection(CStdioFile& file, int version)
{
    const Section<CSWGData>& section = SwgTestSection();
    if (!SeekSection(file, SectionMarker(section.name)))
        return;
    CString line;
    SkipComments(file, line, ReadLine(file, line));
    if (line.Find('|') < 0)
        return;
    const int found = CountFields(line);
    const int expected = AllowedSeparators(section, version).front();
    if (found != expected) {
        ShowSeparatorError(version, found, section.name, expected);
        return;
    }
    StoreRecordLine(*this, section, line, found, version, 0);
}

void CSWGData::ReadInstrumentationSection(CStdioFile& file, int version)
{
    const Section<CSWGData>& section = SwgCurveSection();
    m_nCurveCount = 0;
    if (!SeekSection(file, SectionMarker(section.name)))
        return;
    CString line;
    bool more = ReadLine(file, line);
    if (line.IsEmpty())
        return;
    more = SkipComments(file, line, more);
    if (line.Find('|') < 0)
        return;
    const int expected = AllowedSeparators(section, version).front();
    for (int n = 1;; ++n) {
        // The end of the file ends the section as a marker line does: the curves read stand.
        if (line.Left(6) == "----- " || (line.IsEmpty() && (!more || OnlyFillerLeft(file)))) {
            m_nCurveCount = n - 1;
            return;
        }
        const int found = CountFields(line);
        if (found != expected) {
            ShowSeparatorError(version, found, section.name, expected);
            return;
        }
        StoreRecordLine(*this, section, line, found, version, n);
        more = SkipComments(file, line, ReadLine(file, line));
    }
}

TestFileResult CSWGData::ReadTest(const CString& path)
{
    return ReadTestOfKind(path, 5, SwgShape(), [this](CStdioFile& file) { return ReadTestFileV5(file) != 0; });
}

TestFileResult CSWGData::ReadVersion4(const CString& path)
{
    return ReadTestOfKind(path, 4, SwgShape(), [this](CStdioFile& file) { return ReadTestFileV4(file) != 0; });
}

TestFileResult CSWGData::WriteTest(const CString& path) { return TestFileResult::Of(WriteTestFile(path) != 0); }

TestFileResult CSWGData::WriteReport(const CString& path) { return TestFileResult::Of(WriteReportFile(path) != 0); }
