#pragma once
// Shared by the SWG tests: fixtures and the texts of one curve.

#include "swg/SWGData.h"

#include "TestUtil.h"

#include <string>
#include <vector>

namespace swgtest {

inline std::string Fixture(const std::string& name) { return testutil::DataPath("swg/" + name); }

inline std::string Padded(const std::string& text, int width)
{
    return text + std::string(static_cast<size_t>(width) - text.size(), ' ');
}

// Element k of the 17 curve lists, in declared order.
inline std::vector<std::string> Curve(const CSWGData& d, int k)
{
    std::vector<std::string> values;
    for (CSWGData::CurveList list : CSWGData::CurveLists())
        values.push_back((d.*list).GetAt(k).str());
    return values;
}

} // namespace swgtest
