#pragma once
// Shared by the vehicle tests: files read and written around a CVehData.

#include "vehicle/VehData.h"

#include "TestUtil.h"

#include <string>

namespace vehtest {

// The date line of a written file holds today's date; fixtures hold another.
inline std::string WithoutDate(std::string bytes)
{
    const auto at = bytes.find("# Date: <");
    if (at != std::string::npos) {
        const auto end = bytes.find('\n', at);
        bytes.replace(at, end - at, "# Date: <>\r");
    }
    return bytes;
}

inline std::string Fixture(const std::string& name) { return testutil::DataPath("vehicle/" + name); }

// The lines of a file without their CR LF.
inline std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < bytes.size()) {
        size_t nl = bytes.find('\n', from);
        if (nl == std::string::npos)
            nl = bytes.size();
        std::string line = bytes.substr(from, nl - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        from = nl + 1;
    }
    return lines;
}

} // namespace vehtest
