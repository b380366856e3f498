#include "swg/SWGData.h"

#include <algorithm>

CSWGData::CSWGData()
    : m_strVersion("S5"), m_nCurveCount(0), m_nLastCurveNo(0)
{
    for (int field = 0; field < kCurveFields; ++field) {
        CStringArray& list = this->*CurveLists()[field];
        list.Add(CString());
        list.Add(CurveDefault(field));
    }
}

CSWGData::~CSWGData() = default;

const std::array<CSWGData::CurveList, CSWGData::kCurveFields>& CSWGData::CurveLists()
{
    static const std::array<CurveList, kCurveFields> lists = {
        &CSWGData::m_saInstSignalSource, &CSWGData::m_saInstLevel,         &CSWGData::m_saInstSensorType,
        &CSWGData::m_saInstSensorLocation, &CSWGData::m_saInstAttachment, &CSWGData::m_saInstAxis,
        &CSWGData::m_saInstXUnits,       &CSWGData::m_saInstYUnits,        &CSWGData::m_saInstPrefilter,
        &CSWGData::m_saInstRating,       &CSWGData::m_saInstChannelMax,    &CSWGData::m_saInstFirstPoint,
        &CSWGData::m_saInstLastPoint,    &CSWGData::m_saInstTimeIncrement, &CSWGData::m_saInstDataStatus,
        &CSWGData::m_saInstChannelStatus, &CSWGData::m_saInstComments,
    };
    return lists;
}

const char* CSWGData::CurveDefault(int field)
{
    const CurveList list = field >= 0 && field < kCurveFields ? CurveLists()[field] : nullptr;
    if (list == &CSWGData::m_saInstLevel)
        return "5";
    if (list == &CSWGData::m_saInstXUnits)
        return "SEC";
    return "";
}

bool CSWGData::IsTestSectionEmpty() const
{
    for (const CString* text : {&m_strWaveGenSerialNo, &m_strTitle, &m_strObjectives, &m_strPerformer, &m_strContractNo,
                                &m_strTestReference, &m_strTestType, &m_strAmbientTemp, &m_strRecorderType,
                                &m_strDataLinkType, &m_strTestComments}) {
        if (!text->IsEmpty())
            return false;
    }
    return true;
}

int CSWGData::CurvesInLists() const
{
    int curves = (this->*CurveLists()[0]).GetSize();
    for (CurveList list : CurveLists())
        curves = std::min(curves, (this->*list).GetSize());
    return std::max(curves - 1, 0);
}
