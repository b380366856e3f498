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
    CIntrusionData second;
    const std::string out2 = fuzz::OutputFile("ip5", 2);
    if (!second.LoadIntrusionFile(out1.c_str(), true) || !second.SaveIntrusionData(out2.c_str()) ||
        fuzz::WithoutDateLine(fuzz::ReadAll(out1)) != fuzz::WithoutDateLine(fuzz::ReadAll(out2)))
        fuzz::RoundTripFailed(".ip5");
    return 0;
}
