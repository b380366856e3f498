// The high-speed video reader: any bytes give messages and a result; what it accepts, the
// writer writes and the reader reads back the same.
#include "FuzzSupport.h"

#include "common/HighSpeedVideoData.h"

namespace {
bool SameCameras(const CHighSpeedVideoData& a, const CHighSpeedVideoData& b)
{
    return a.m_strTestReference == b.m_strTestReference && a.m_arrCameraNumber == b.m_arrCameraNumber &&
           a.m_arrScaleFactor == b.m_arrScaleFactor && a.m_arrViewDescription == b.m_arrViewDescription &&
           a.m_arrCommentary == b.m_arrCommentary;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "hs5");
    CHighSpeedVideoData first;
    if (!first.LoadHsvdFile(in.c_str(), true) || !first.HasHsvd())
        return 0;
    const std::string out = fuzz::OutputFile("hs5");
    if (!first.SaveHsvdData(out.c_str()))
        return 0;
    first.SaveHsvdReport(fuzz::OutputFile("hsr").c_str());
    CHighSpeedVideoData second;
    if (!second.LoadHsvdFile(out.c_str(), true) || !SameCameras(first, second))
        fuzz::RoundTripFailed(".hs5");
    return 0;
}
