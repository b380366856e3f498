// Import of the SWG GR files of the older generation. Values are taken with the blanks that
// fill their columns.

#include "common/GrImport.h"
#include "platform/Messages.h"
#include "swg/SWGData.h"
#include "swg/SWGSections.h"

#include <algorithm>

int CSWGData::ReadGR1File(CString path)
{
    return ReadGrSingleGroup(path, m_GR1, "GR1", [this](const CString& line) {
        ImportRecordLine(*this, SwgTestSection(), m_GR1, line, 0);
        return 1;
    });
}

int CSWGData::ReadGR5File(CString path)
{
    const NumberedGrImport read = ImportNumberedGrRecords(*this, SwgCurveSection(), m_GR5, path, "GR5");
    // The highest curve imported, not the last one: curves 4, 7, 5 keep curve 7.
    if (read.highest > 0)
        m_nLastCurveNo = read.highest;
    // What was stored before a bad line stays; the curve count is left as it was.
    if (read.taken < 0)
        return 0;
    m_nCurveCount = m_nLastCurveNo;
    return m_nLastCurveNo;
}

TestFileResult CSWGData::ImportGR(char n, const CString& path)
{
    switch (n) {
    case '1':
        return TestFileResult::Of(ReadGR1File(path) != 0);
    case '5':
        return TestFileResult::Of(ReadGR5File(path) != 0);
    default:
        return NotOffered(KindName(), "such GR file");
    }
}
