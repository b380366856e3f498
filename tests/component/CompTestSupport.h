#pragma once
// Shared by the component tests: the fixtures and a short test file around given sections.

#include "TestUtil.h"

#include <string>

namespace comptest {

inline std::string Fixture(const std::string& name) { return testutil::DataPath("component/" + name); }

inline const std::string kHead = "# Source: hand made\r\n----- MV5 -----\r\n";
inline const std::string kTestLine = "C5|t|o|01-JAN-2009|p|c|R1|SBS|20|0|\r\n";

// A version-5 file of a TEST section and the given text after it.
inline std::string FileWith(const std::string& sections)
{
    return kHead + "----- TEST -----\r\n" + kTestLine + sections;
}

} // namespace comptest
