// Import of the SWG GR files of the older generation. Values are taken with the blanks that
// fill their columns.

#include "common/GrLayout.h"
#include "platform/Messages.h"
#include "swg/SWGData.h"

#include <algorithm>
#include <cstdlib>

namespace {

using D = CSWGData;

struct GrText {
    int pair;
    CString D::*member;
};

constexpr GrText kGR1Fields[] = {
    {2, &D::m_strTitle},        {3, &D::m_strObjectives},    {4, &D::m_strTestDate},
    {5, &D::m_strPerformer},    {6, &D::m_strContractNo},    {7, &D::m_strTestReference},
    {8, &D::m_strTestType},     {12, &D::m_strAmbientTemp},  {13, &D::m_strRecorderType},
    {14, &D::m_strDataLinkType}, {21, &D::m_strTestComments},
};

// One GR5 column per curve list; -1: the import empties the field.
struct GrCurve {
    CStringArray D::*list;
    int pair;
};

constexpr GrCurve kGR5Fields[] = {
    {&D::m_saInstSignalSource, -1}, {&D::m_saInstLevel, -1},        {&D::m_saInstSensorType, 2},
    {&D::m_saInstSensorLocation, 3}, {&D::m_saInstAttachment, 4},   {&D::m_saInstAxis, 5},
    {&D::m_saInstXUnits, 6},        {&D::m_saInstYUnits, 6},        {&D::m_saInstPrefilter, 7},
    {&D::m_saInstRating, 10},       {&D::m_saInstChannelMax, 11},   {&D::m_saInstFirstPoint, 13},
    {&D::m_saInstLastPoint, 14},    {&D::m_saInstTimeIncrement, 15}, {&D::m_saInstDataStatus, 16},
    {&D::m_saInstChannelStatus, -1}, {&D::m_saInstComments, 17},
};
static_assert(std::size(kGR5Fields) == CSWGData::kCurveFields);

constexpr int kCurveNumberPair = 1;

} // namespace

int CSWGData::ReadGR1File(CString path)
{
    return ReadGrSingleGroup(path, m_GR1, "GR1", [this](const CString& line) {
        for (const GrText& f : kGR1Fields)
            this->*f.member = m_GR1.Cut(line, f.pair);
        return 1;
    });
}

int CSWGData::ReadGR5File(CString path)
{
    int highest = 0;
    const int taken = ReadGrRecords(path, m_GR5, "GR5", [&](const CString& line, int) {
        const int curve = std::atoi(m_GR5.Cut(line, kCurveNumberPair));
        // Element 0 of the lists holds no curve: a blank or zero curve number is a damaged line.
        if (curve < 1) {
            MessageBoxA(nullptr, path + " is not in proper GR5 format.", "ERROR", MB_OK);
            return false;
        }
        for (const GrCurve& f : kGR5Fields)
            (this->*f.list).SetAtGrow(curve, f.pair < 0 ? CString() : m_GR5.Cut(line, f.pair));
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
