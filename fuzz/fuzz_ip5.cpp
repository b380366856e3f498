// The intrusion-point reader: what it accepts, the writer writes, and the file written from
// reading that back is the same file.
#include "FuzzSupport.h"

#include "vehicle/IntrusionData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "ip5");
    CIntrusionData first;
    if (!first.LoadIntrusionFile(in.c_str(), true) || !first.HasIntrusion())
        return 0;
    const std::string out1 = fuzz::OutputFile("ip5", 1);
    if (!first.SaveIntrusionData(out1.c_str()))
        return 0;
    first.SaveIntrusionReport(fuzz::OutputFile("ipr").c_str());
    fuzz::CheckRewrite<CIntrusionData>(
        out1, "ip5", [](CIntrusionData& d, const std::string& path) { return d.LoadIntrusionFile(path.c_str(), true); },
        [](CIntrusionData& d, const std::string& path) { return d.SaveIntrusionData(path.c_str()); });
    return 0;
}
