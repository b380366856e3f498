// Import of the component GR files of the older generation.

#include "common/GrImport.h"
#include "common/SectionReader.h"
#include "component/CompData.h"
#include "component/CompSections.h"

#include <algorithm>

int CCompData::ReadGR1File(CString path)
{
    return ReadGrSingleGroup(path, m_GR1, "GR1", [this](const CString& line) {
        ImportRecordLine(*this, CompTestSection(), m_GR1, line, 0);
        return 1;
    });
}

// Each line goes to the record its curve number names. A line without a curve number has no
// record to go to (element 0 is no record): the file is damaged.
int CCompData::ReadGR5File(CString path)
{
    const NumberedGrImport read = ImportNumberedGrRecords(*this, CompInstrumentationSection(), m_GR5, path, "GR5");
    if (read.taken < 0)
        return 0;
    // The highest curve read, not the last: lines for curves 3, 1, 2 keep curve 3.
    if (read.taken > 0)
        m_nInstRecordCount = read.highest;
    m_nCurveCount = m_nInstRecordCount;
    return 1;
}

short CCompData::ReadGR9File(CString path)
{
    bool leftOut = false;
    const int taken = ReadGrRecords(path, m_GR9, "GR9", [&](const CString& line, int n) {
        if (n > kMaxSectionRecords)
            leftOut = true;
        else
            ImportRecordLine(*this, CompComponentSection(), m_GR9, line, n);
        return true;
    });
    if (leftOut)
        ShowRecordsLeftOut("GR9 file", kMaxSectionRecords);
    // The sheet stores a positive result as the component count.
    return static_cast<short>(std::clamp(taken, 0, kMaxSectionRecords));
}

TestFileResult CCompData::ImportGR(char n, const CString& path)
{
    switch (n) {
    case '1':
        return TestFileResult::Of(ReadGR1File(path) != 0);
    case '5':
        return TestFileResult::Of(ReadGR5File(path) != 0);
    case '9': {
        const short components = ReadGR9File(path);
        if (components != 0)
            m_nComponentCount = components;
        return TestFileResult::Of(components != 0);
    }
    default:
        return NotOffered(KindName(), "such GR file");
    }
}
