#pragma once
// Shared by the SWG tests: fixtures and the texts of one curve; the file helpers are the file
// suite's.

#include "swg/SWGData.h"

#include "FileSuite.h"
#include "TestUtil.h"

#include <string>
#include <vector>

namespace swgtest {

inline std::string Fixture(const std::string& name) { return testutil::DataPath("swg/" + name); }

using filetests::Lines;
using filetests::Padded;

// Element k of the 17 curve lists, in declared order.
inline std::vector<std::string> Curve(const CSWGData& d, int k)
{
    std::vector<std::string> values;
    for (CSWGData::CurveList list : CSWGData::CurveLists())
        values.push_back((d.*list).GetAt(k).str());
    return values;
}

} // namespace swgtest

namespace swgtest {

// A version-5 TEST line and a curve line (its number, its level) of the fields the tests use.
inline const std::string kTestLine =
    "S5|WG-1|title|objectives|12-JAN-2010|05-DEC-2009|TRC|C-1|R-1|SWG|21|DIG|UMB|9|comments\r\n";

inline std::string CurveLine(const std::string& number, const std::string& level)
{
    return number + "|SWT|" + level + "|TQ|SW|SWH|ZL|SEC|NM|1000|100|500|-100|2000|0.0001|OK|PR|c" + number + "\r\n";
}

inline std::string SeparatorMessage(int version, int count, const char* section, int should)
{
    return "This MV" + std::to_string(version) + " file has " + std::to_string(count) + " | characters in the " +
           section + " section, should have " + std::to_string(should) + ".";
}

} // namespace swgtest
