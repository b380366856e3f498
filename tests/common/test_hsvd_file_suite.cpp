// The high-speed video file in the shared file suite.
#include "common/HighSpeedVideoData.h"

#include "FileSuite.h"
#include "HsvdTestSupport.h"

using hsvdtest::AddCamera;

namespace {

struct HsvdKind {
    using Data = CHighSpeedVideoData;
    static bool Read(Data& d, const std::string& path, int) { return d.LoadHsvdFile(path.c_str(), true); }
    static bool Write(Data& d, const std::string& path) { return d.SaveHsvdData(path.c_str()); }
    static bool WriteReport(Data& d, const std::string& path) { return d.SaveHsvdReport(path.c_str()); }
    static std::string Marker() { return "----- HSVD -----"; }
    static std::vector<filetests::Hostile<Data>> Hostiles()
    {
        return {{[](Data& d) {
                     d.m_strTestReference = "R|1\r\n";
                     AddCamera(d, "1|5", "front\r\n|view", "left | right\r\n----- END -----");
                     AddCamera(d, "2", "side", "|");
                 },
                 {},
                 [](const Data& d) {
                     ASSERT_EQ(d.CameraCount(), 2);
                     EXPECT_EQ(d.m_strTestReference, "R/1");
                     EXPECT_EQ(d.m_arrScaleFactor[1], "1/5");
                     EXPECT_EQ(d.m_arrViewDescription[1], "front/view");
                     EXPECT_EQ(d.m_arrCommentary[1], "left / right-----END -----");
                     EXPECT_EQ(d.m_arrCommentary[2], "/");
                 },
                 [](const std::string& report) { EXPECT_EQ(report.find("right\r\n-----"), std::string::npos); }}};
    }
    static std::vector<filetests::RoundTrip> RoundTrips()
    {
        return {{testutil::DataPath("hsvd/three.hs5"), testutil::DataPath("hsvd/three.hsr")}};
    }
    static std::vector<filetests::Twin<Data>> Twins() { return {}; }
    static std::vector<filetests::SeparatorCase<Data>> Separators()
    {
        return {{"----- HSVD -----\n1|R|1|v|c\n2|R|2|v\n3|R|3|v|c|d\n", 5, true,
                 {"This MV5 file has 3 | characters in line 2 of the HSVD section, should have 4",
                  "This MV5 file has 5 | characters in line 3 of the HSVD section, should have 4"},
                 {}}};
    }
    static std::vector<filetests::Limit<Data>> Limits()
    {
        std::string text = "----- HSVD -----\n";
        for (int i = 1; i <= 1005; ++i)
            text += std::to_string(i) + "|R|" + std::to_string(i) + "|v|c\n";
        return {{text + "----- END -----\n", 5, [](const Data& d) { return d.CameraCount(); }, 999,
                 "This HSVD section holds more than 999 records; only the first 999 are read."}};
    }
    static std::vector<filetests::GrFile<Data>> GrFiles() { return {}; }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Hsvd, FileSuite, HsvdKind);
