// Import of the SWG GR files of the older generation. Values are taken with the blanks that
// fill their columns.

#include "common/GrLayout.h"
#include "common/Sections.h"
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
    int highest = 0;
    const int taken = ReadGrRecords(path, m_GR5, "GR5", [&](const CString& line, int) {
        const int curve = GrRecordNumber(SwgCurveSection(), m_GR5, line);
        // Element 0 of the lists holds no curve: a blank or zero curve number is a damaged line.
        if (curve < 1) {
            ShowGrFormatError(path, "GR5");
            return false;
        }
        ImportRecordLine(*this, SwgCurveSection(), m_GR5, line, curve);
        highest = std::max(highest, curve);
        return true;
    });
    // The highest curve imported, not the last one: curves 4, 7, 5 keep curve 7.
    if (highest > 0)
        m_nLastCurveNo = highest;
    // What was stored before a bad line stays; the curve count is left as it was.
    if (taken < 0)
        return 0;
    m_nCurveCount = m_nLastCurveNo;
    return m_nLastCurveNo;
}
