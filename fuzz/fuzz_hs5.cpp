// The high-speed video reader: any bytes give messages and a result; what it accepts, the
// writer writes and the reader reads back the same.
#include "FuzzSupport.h"

#include "common/HighSpeedVideoData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "hs5");
    CHighSpeedVideoData first;
    if (!first.LoadHsvdFile(in.c_str(), true) || !first.HasHsvd())
        return 0;
    const std::string out1 = fuzz::OutputFile("hs5", 1);
    if (!first.SaveHsvdData(out1.c_str()))
        return 0;
    first.SaveHsvdReport(fuzz::OutputFile("hsr").c_str());
    // The writer drops line breaks inside values, so compare what is written: the file written
    // from what was read back must be the file that was read. A value holding "----- " reads
    // as the end of the section; such values are left out of the comparison.
    if (fuzz::HasMarkerInsideValues(fuzz::ReadAll(out1)))
        return 0;
    fuzz::CheckRewrite<CHighSpeedVideoData>(
        out1, "hs5", [](CHighSpeedVideoData& d, const std::string& path) { return d.LoadHsvdFile(path.c_str(), true); },
        [](CHighSpeedVideoData& d, const std::string& path) { return d.SaveHsvdData(path.c_str()); });
    return 0;
}
