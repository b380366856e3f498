#pragma once
// What the SWG fuzz targets share: the rewrite check of a test that a reader or an import gave.

#include "FuzzSupport.h"

#include "swg/SWGData.h"

namespace fuzz {

// Writes the test as .mv5 and reads it back: the file must read. One reading settles what the
// first file may hold in another form (values with tabs around them, a curve count that a damaged
// section left 0); from then on, writing what was read gives the same file.
inline void CheckSwgRewrite(CSWGData& data)
{
    const std::string out1 = OutputFile("mv5", 1);
    if (!data.WriteTestFile(out1.c_str()))
        return;
    CSWGData settled;
    if (!settled.ReadTestFileV5(out1.c_str()))
        RoundTripFailed("a written SWG test does not read back");
    settled.WriteReportFile(OutputFile("mvr").c_str());
    const std::string out2 = OutputFile("mv5", 3);
    if (!settled.WriteTestFile(out2.c_str()))
        return;
    CheckRewrite<CSWGData>(
        out2, "mv5", [](CSWGData& d, const std::string& path) { return d.ReadTestFileV5(path.c_str()) != 0; },
        [](CSWGData& d, const std::string& path) { return d.WriteTestFile(path.c_str()) != 0; });
}

} // namespace fuzz
