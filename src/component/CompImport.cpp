// Import of the component GR files of the older generation.

#include "common/Convert.h"
#include "common/GrLayout.h"
#include "common/RecordLine.h"
#include "component/CompData.h"
#include "platform/Messages.h"

#include <algorithm>

namespace {

using D = CCompData;

struct GrText {
    int pair;
    CString D::*member;
};

struct GrColumn {
    int pair;
    CStringArray D::*array;
};

constexpr GrText kGR1[] = {
    {1, &D::m_strTitle},       {2, &D::m_strObjectives},     {3, &D::m_strTestDate},
    {4, &D::m_strPerformer},   {5, &D::m_strContractNo},     {7, &D::m_strTestReference},
    {8, &D::m_strTestType},    {11, &D::m_strAmbientTemp},   {14, &D::m_strTestComments},
};

// Pair 1 holds the curve number, the record the line goes to.
constexpr int kGR5CurvePair = 1;
constexpr GrColumn kGR5[] = {
    {0, &D::m_saInstCompNo},        {3, &D::m_saInstSensorType},     {4, &D::m_saInstSensorAttachment},
    {5, &D::m_saInstAxis},          {6, &D::m_saInstXUnits},         {6, &D::m_saInstYUnits},
    {7, &D::m_saInstPrefilter},     {8, &D::m_saInstMaker},          {9, &D::m_saInstCalibrationDate},
    {10, &D::m_saInstRating},       {11, &D::m_saInstChannelMax},    {12, &D::m_saInstInitialVelocity},
    {13, &D::m_saInstFirstPoint},   {14, &D::m_saInstLastPoint},     {15, &D::m_saInstTimeStep},
    {16, &D::m_saInstDataStatus},   {17, &D::m_saInstComments},
};
constexpr CStringArray D::*kGR5Cleared[] = {&D::m_saInstVehicleNo, &D::m_saInstConfNo, &D::m_saInstChannelStatus};

constexpr GrColumn kGR9[] = {
    {0, &D::m_saCompNo},           {1, &D::m_saCompTested},       {2, &D::m_saCompType},
    {3, &D::m_saCompModIndicator}, {4, &D::m_saCompModDescription}, {5, &D::m_saCompWeight},
    {15, &D::m_saCompOccupantType}, {16, &D::m_saCompDummySize},  {17, &D::m_saCompDummyMaker},
    {20, &D::m_saCompComments},
};

// A curve number has three digits, a component record number as many.
constexpr int kMaxGrRecords = 999;

void ShowFormatError(const CString& path, const char* formatName)
{
    MessageBoxA(nullptr, path + " is not in proper " + formatName + " format.", "ERROR", MB_OK);
}

template <size_t N>
void StoreColumns(D& data, const GrColumn (&columns)[N], const GrLayout& layout, const CString& line, int n)
{
    for (const GrColumn& column : columns)
        (data.*column.array).SetAtGrow(n, layout.Cut(line, column.pair));
}

} // namespace

int CCompData::ReadGR1File(CString path)
{
    return ReadGrSingleGroup(path, m_GR1, "GR1", [this](const CString& line) {
        for (const GrText& field : kGR1)
            this->*field.member = m_GR1.Cut(line, field.pair);
        return 1;
    });
}

// Each line goes to the record its curve number names. A line without a curve number has no
// record to go to (element 0 is no record): the file is damaged.
int CCompData::ReadGR5File(CString path)
{
    int highest = 0;
    const int taken = ReadGrRecords(path, m_GR5, "GR5", [&](const CString& line, int) {
        const int curve = StdToInt(m_GR5.Cut(line, kGR5CurvePair));
        if (curve < 1) {
            ShowFormatError(path, "GR5");
            return false;
        }
        StoreColumns(*this, kGR5, m_GR5, line, curve);
        for (auto array : kGR5Cleared)
            (this->*array).SetAtGrow(curve, "");
        highest = std::max(highest, curve);
        return true;
    });
    if (taken < 0)
        return 0;
    // The highest curve read, not the last: lines for curves 3, 1, 2 keep curve 3.
    if (taken > 0)
        m_nInstRecordCount = highest;
    m_nCurveCount = m_nInstRecordCount;
    return 1;
}

short CCompData::ReadGR9File(CString path)
{
    bool leftOut = false;
    const int taken = ReadGrRecords(path, m_GR9, "GR9", [&](const CString& line, int n) {
        if (n > kMaxGrRecords) {
            leftOut = true;
            return true;
        }
        StoreColumns(*this, kGR9, m_GR9, line, n);
        m_saCompVehicleNo.SetAtGrow(n, "");
        return true;
    });
    if (leftOut)
        ShowRecordsLeftOut("GR9 file", kMaxGrRecords);
    return static_cast<short>(std::clamp(taken, 0, kMaxGrRecords));
}
