#include "doubles/MessageRecorder.h"
#include "swg/SWGData.h"

#include "platform/Messages.h"

#include "SWGTestSupport.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

using swgtest::Lines;
using testutil::ReadFile;
using testutil::TempDir;
using V = std::vector<std::string>;

namespace {

std::string Report(CSWGData& data, const TempDir& dir)
{
    const std::string path = dir.file("out.mvr");
    EXPECT_TRUE(data.WriteReport(path.c_str()));
    return ReadFile(path);
}

} // namespace

TEST(SwgReportTest, ValuesAreShownAsHeld)
{
    TempDir dir;
    {
        CSWGData d;
        d.m_strVersion = "";
        EXPECT_EQ(Lines(Report(d, dir)).size(), 4u);
    }
    CSWGData d;
    d.m_strVersion = "";
    d.m_strTestDate = "12/jan/2010";
    d.m_strTitle = " spaced ";
    // Curve numbers 3 and 7 read from a file: two curves in the lists, Last Curve Number 7.
    d.m_nCurveCount = 2;
    d.m_nLastCurveNo = 7;
    for (CSWGData::CurveList list : CSWGData::CurveLists())
        (d.*list).SetAt(2, "v");
    const V lines = Lines(Report(d, dir));
    ASSERT_EQ(lines.size(), 3u + 16 + 1 + 2 * 18 + 1);
    EXPECT_EQ(lines[2], "----- MV5 REPORT FILE -----");
    EXPECT_EQ(lines[4], "Version Number:\t");
    EXPECT_EQ(lines[6], "Test Title:\t spaced ");
    EXPECT_EQ(lines[8], "Test Date:\t12/jan/2010");
    EXPECT_EQ(lines[17], "Total Number of Curves:\t2");
    EXPECT_EQ(lines[19], "----- INSTRUMENTATION -----");
    EXPECT_EQ(lines[20], "----- CURVE NUMBER 1 -----");
    EXPECT_EQ(lines[21], "Signal Source:\t");
    EXPECT_EQ(lines[22], "Level:\t5");
    EXPECT_EQ(lines[38], "----- CURVE NUMBER 2 -----");
    EXPECT_EQ(lines[55], "Instrument Comments:\tv");
    EXPECT_EQ(lines[56], "----- END -----");
    EXPECT_EQ(d.m_strVersion, "");
    EXPECT_EQ(d.m_strTestDate, "12/jan/2010");
}

TEST(SwgReportTest, OpenFailure)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CSWGData d;
    const std::string path = dir.file("missing/out.mvr");
    EXPECT_FALSE(d.WriteReport(path.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Can't open file " + path + ", error = 3\n");
    EXPECT_EQ(messages.last().caption, "Error");
}
