#include "swg/SWGData.h"

#include "swg/SWGSections.h"

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
    // The curve section lists them in file order after the curve number.
    static const std::array<CurveList, kCurveFields> lists = [] {
        std::array<CurveList, kCurveFields> out {};
        int i = 0;
        for (const SectionField<CSWGData>& field : SwgCurveSection().fields) {
            if (field.kind == SectionField<CSWGData>::Array)
                out.at(i++) = field.array;
        }
        return out;
    }();
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

void CSWGData::ClearTest()
{
    const CString version = m_strVersion;
    ResetSection(*this, SwgTestSection(), 0);
    m_strVersion = version;
    m_nCurveCount = 0;
    m_nLastCurveNo = 0;
    for (int field = 0; field < kCurveFields; ++field) {
        CStringArray& list = this->*CurveLists()[field];
        list.RemoveAll();
        list.Add(CurveDefault(field));
        list.Add(CurveDefault(field));
    }
}

bool CSWGData::IsTestSectionEmpty() const { return IsRecordEmpty(*this, SwgTestSection(), 0); }

int CSWGData::CurvesInLists() const
{
    int curves = (this->*CurveLists()[0]).GetSize();
    for (CurveList list : CurveLists())
        curves = std::min(curves, (this->*list).GetSize());
    return std::max(curves - 1, 0);
}
