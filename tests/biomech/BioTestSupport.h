#pragma once
// Shared by the biomechanics tests: fixtures and files read and written around a CBioData.

#include "biomech/BioData.h"

#include "FileSuite.h"
#include "TestUtil.h"

#include <string>

namespace biotest {

using filetests::WithoutDate;

inline std::string Fixture(const std::string& name) { return testutil::DataPath("biomech/" + name); }

inline const std::string kHead = "# Source: hand made\r\n----- MV5 -----\r\n";
inline const std::string kTestLine = "B5|t|o|01-JAN-2000|p|c|R1|SLD|20|DDA|UMB|50|0|0|H3|x\r\n";

// A record line of `separators` bars: the first field, then "f<k>" in field k.
inline std::string Fields(const std::string& first, int separators)
{
    std::string line = first;
    for (int k = 1; k <= separators; ++k)
        line += "|f" + std::to_string(k);
    return line + "\r\n";
}

} // namespace biotest
