#include "common/HighSpeedVideoData.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"
#include "platform/Time.h"

#include "HsvdTestSupport.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

using hsvdtest::AddCamera;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

std::string Header()
{
    const CTime now = CTime::GetCurrentTime();
    CString date;
    date.Format("# Date: <%d/%d/%d>\r\n", now.GetMonth(), now.GetDay(), now.GetYear());
    return "# Source: High Speed Video Data\r\n" + date.str();
}

} // namespace

TEST(HsvdData, NoCameraWritesNothing)
{
    TempDir dir;
    CHighSpeedVideoData d;
    d.m_strTestReference = "T1";
    EXPECT_FALSE(d.HasHsvd());
    EXPECT_FALSE(d.SaveHsvdData(dir.file("a.hs5").c_str()));
    EXPECT_FALSE(d.SaveHsvdReport(dir.file("a.hsr").c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.hs5")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.hsr")));
}

TEST(HsvdData, WritesDataAndReportToTheByte)
{
    TempDir dir;
    CHighSpeedVideoData d;
    AddCamera(d, "", "", "");
    AddCamera(d, " 0.002", "over\r\ntwo lines", "a\nb");
    ASSERT_TRUE(d.SaveHsvdData(dir.file("a.hs5").c_str()));
    EXPECT_EQ(ReadFile(dir.file("a.hs5")), Header() +
                                               "----- HSVD -----\r\n"
                                               "1| | | |\r\n"
                                               "2| | 0.002|overtwo lines|ab\r\n"
                                               "----- END -----\r\n");
    d.m_strTestReference = "T9";
    ASSERT_TRUE(d.SaveHsvdReport(dir.file("a.hsr").c_str()));
    EXPECT_EQ(ReadFile(dir.file("a.hsr")), Header() +
                                               "----- HSVD -----\r\n"
                                               "----- CAMERA 1 -----\r\n"
                                               "Test Reference:\tT9\r\n"
                                               "Video Frame Scale Factor:\t\r\n"
                                               "View Description:\t\r\n"
                                               "Camera Commentary:\t\r\n"
                                               "----- CAMERA 2 -----\r\n"
                                               "Test Reference:\tT9\r\n"
                                               "Video Frame Scale Factor:\t 0.002\r\n"
                                               "View Description:\tovertwo lines\r\n"
                                               "Camera Commentary:\tab\r\n"
                                               "----- END -----\r\n");
}

TEST(HsvdData, ReaderRenumbersTrimsAndKeepsOlderRecords)
{
    TempDir dir;
    platform::MessageRecorder boxes;
    WriteFile(dir.file("x.hs5"), "# c\n"
                                 "----- HSVD -----\n"
                                 "# comment|\n"
                                 "no separator\n"
                                 "5| R1 |  1.5 | v |c\n"
                                 "9|R2|2||\n"
                                 "----- OTHER -----\n"
                                 "12|R2|3|v3\n"); // three separators, no END
    CHighSpeedVideoData d;
    AddCamera(d, "a", "b", "c");
    AddCamera(d, "a", "b", "c");
    AddCamera(d, "a", "b", "c");
    AddCamera(d, "old", "old", "old");
    ASSERT_TRUE(d.LoadHsvdFile(dir.file("x.hs5").c_str(), false));
    EXPECT_EQ(d.CameraCount(), 4);
    EXPECT_EQ(d.m_arrCameraNumber[1], "1");
    EXPECT_EQ(d.m_arrCameraNumber[3], "3");
    EXPECT_EQ(d.m_arrScaleFactor[1], "1.5");
    EXPECT_EQ(d.m_arrViewDescription[1], "v");
    EXPECT_EQ(d.m_arrViewDescription[3], "v3");
    EXPECT_EQ(d.m_arrCommentary[3], "");
    EXPECT_EQ(d.m_arrScaleFactor[4], "old");
    EXPECT_EQ(d.m_strTestReference, "R2");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().caption, "Error");
    EXPECT_EQ(boxes.last().text,
              "This MV5 file has 3 | characters in line 3 of the HSVD section, should have 4");
}

TEST(HsvdData, AnOlderFileWithABarInTheCommentaryKeepsTheWholeCommentary)
{
    TempDir dir;
    platform::MessageRecorder boxes;
    WriteFile(dir.file("old.hs5"), "----- HSVD -----\r\n1|R|1|v|left | right\r\n----- END -----\r\n");
    CHighSpeedVideoData old;
    ASSERT_TRUE(old.LoadHsvdFile(dir.file("old.hs5").c_str(), true));
    EXPECT_EQ(old.m_arrCommentary[1], "left | right");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "This MV5 file has 5 | characters in line 1 of the HSVD section, should have 4");
}

TEST(HsvdData, FileWithoutSectionOrAbsentFile)
{
    TempDir dir;
    platform::MessageRecorder boxes;
    CHighSpeedVideoData d;
    d.m_strTestReference = "KEEP";
    WriteFile(dir.file("none.hs5"), "1|A|2|3|4\n");
    EXPECT_TRUE(d.LoadHsvdFile(dir.file("none.hs5").c_str(), true));
    EXPECT_FALSE(d.HasHsvd());
    EXPECT_EQ(d.m_strTestReference, "KEEP");
    EXPECT_FALSE(d.LoadHsvdFile(dir.file("missing.hs5").c_str(), false));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(d.LoadHsvdFile(dir.file("missing.hs5").c_str(), true));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Can't open file " + dir.file("missing.hs5") + ", error = 2\n");
}

TEST(HsvdData, UnwritableFileIsAnErrorAndCreatesNothing)
{
    TempDir dir;
    platform::MessageRecorder boxes;
    CHighSpeedVideoData d;
    AddCamera(d, "1", "", "");
    EXPECT_FALSE(d.SaveHsvdData(dir.file("no/such/dir.hs5").c_str()));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().caption, "Error");
    EXPECT_EQ(boxes.last().text, "Can't open file " + dir.file("no/such/dir.hs5") + ", error = 3\n");
}
