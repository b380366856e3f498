#include "doubles/MessageRecorder.h"
#include "swg/SWGData.h"

#include "platform/Messages.h"

#include "SWGTestSupport.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

using swgtest::Curve;
using swgtest::Fixture;
using swgtest::CurveLine;
using swgtest::Lines;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;
using V = std::vector<std::string>;

namespace {

std::string Written(CSWGData& data, const TempDir& dir, const std::string& name = "out.mv5")
{
    const std::string path = dir.file(name);
    EXPECT_TRUE(data.WriteTest(path.c_str()));
    return ReadFile(path);
}

bool ReadText(CSWGData& data, const TempDir& dir, const std::string& text, int version = 5)
{
    const std::string path = dir.file(version == 5 ? "in.mv5" : "in.mv4");
    WriteFile(path, text);
    return (version == 5 ? data.ReadTest(path.c_str()) : data.ReadVersion4(path.c_str())).ok;
}

} // namespace

TEST(SwgTestFileTest, FieldsLandInTheirMembers)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CSWGData d;
    ASSERT_TRUE(d.ReadTest(Fixture("full.mv5").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_strWaveGenSerialNo, "WG1047");
    EXPECT_EQ(d.m_strCertificationDate, "05-DEC-2009");
    EXPECT_EQ(d.m_strTestReference, "SWG0042");
    EXPECT_EQ(d.m_strDataLinkType, "UMB");
    EXPECT_EQ(d.m_strTestComments, "Wheel mounted on rig 2");
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_nLastCurveNo, 3);
    EXPECT_EQ(Curve(d, 2), (V {"DIG", "450", "AR", "ST", "VS", "ZL", "SEC", "DEG", "500", "720", "360", "0", "1999",
                               "100", "AM", "P", "Wheel angle, 0.5 deg resolution"}));
    EXPECT_EQ(Curve(d, 3), (V {"", "5", "AC", "CG", "SE", "YL", "SEC", "MPS", "", "", "", "0", "1999", "500", "NG", "",
                               ""}));
}

TEST(SwgTestFileTest, Version4CurvesGetSecondsAsXUnits)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CSWGData d;
    d.m_saInstXUnits.SetAt(1, "MSEC");
    std::string v4Line = "0|" + CurveLine("1", "5");
    v4Line.erase(v4Line.find("SEC|"), 4);
    ASSERT_TRUE(ReadText(d, dir, "----- INSTRUMENTATION -----\r\n" + v4Line, 4));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(Curve(d, 1), (V {"SWT", "5", "TQ", "SW", "SWH", "ZL", "SEC", "NM", "1000", "100", "500", "-100", "2000",
                               "0.0001", "OK", "PR", "c1"}));
}

TEST(SwgTestFileTest, WriterRules)
{
    TempDir dir;
    {
        // Nothing but the head and the end marker: dates and the version alone are no TEST data.
        CSWGData d;
        d.m_strTestDate = "12-JAN-2010";
        d.m_strVersion = "";
        const V lines = Lines(Written(d, dir));
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], "# Source: Morvel for Windows v5");
        EXPECT_EQ(lines[1].rfind("# Date: <", 0), 0u);
        EXPECT_EQ(lines[2], "----- MV5 -----");
        EXPECT_EQ(lines[3], "----- END -----");
        EXPECT_EQ(d.m_strVersion, "");
    }
    {
        CSWGData d;
        d.m_strVersion = "";
        d.m_strTitle = " spaced ";
        d.m_strTestDate = "12/jan/2010";
        d.m_strCertificationDate = "1-feb-09";
        d.m_nCurveCount = 1;
        d.m_nLastCurveNo = 1;
        for (CSWGData::CurveList list : CSWGData::CurveLists())
            (d.*list).SetAt(1, "");
        const V lines = Lines(Written(d, dir));
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[3], "----- TEST -----");
        // Values are written as held, untrimmed; the dates upper-cased in the data too.
        EXPECT_EQ(lines[4], "S5| | spaced | |12/JAN/2010|1-FEB-09| | | | | | | |1|");
        EXPECT_EQ(lines[5], "----- INSTRUMENTATION -----");
        std::string emptyCurve = "1|";
        for (int i = 0; i < 16; ++i)
            emptyCurve += " |";
        EXPECT_EQ(lines[6], emptyCurve);
        EXPECT_EQ(lines[7], "----- END -----");
        EXPECT_EQ(d.m_strVersion, "S5");
        EXPECT_EQ(d.m_strTestDate, "12/JAN/2010");
        EXPECT_EQ(d.m_strCertificationDate, "1-FEB-09");
    }
}

TEST(SwgTestFileTest, OpenFailuresLeaveTheDataAndOldFiles)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CSWGData d;
    d.m_strTitle = "kept";
    const std::string path = dir.file("missing/out.mv5");
    EXPECT_FALSE(d.WriteTest(path.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Can't open file " + path + ", error = 3\n");
    EXPECT_EQ(messages.last().caption, "Error");
    EXPECT_FALSE(std::filesystem::exists(path));

    for (int version : {5, 4}) {
        const std::string none = dir.file("none.mv" + std::to_string(version));
        EXPECT_FALSE(version == 5 ? d.ReadTest(none.c_str()) : d.ReadVersion4(none.c_str()));
        EXPECT_EQ(messages.last().text, "Can't open file " + none + ", error = 2\n");
    }
    EXPECT_EQ(d.m_strTitle, "kept");
}

TEST(SwgTestFileTest, ReadersNeverClearTheData)
{
    platform::MessageRecorder messages;
    TempDir dir;
    for (int version : {5, 4}) {
        CSWGData d;
        d.m_strTitle = "old";
        d.m_nLastCurveNo = 8;
        d.m_saInstComments.SetAt(1, "kept");
        // An empty line ends the section before its curve: nothing is read.
        ASSERT_TRUE(ReadText(d, dir, "----- INSTRUMENTATION -----\r\n\r\n" + CurveLine("1", "5"), version));
        EXPECT_EQ(d.m_strTitle, "old");
        EXPECT_EQ(d.m_nLastCurveNo, 8);
        EXPECT_EQ(d.m_nCurveCount, 0);
        EXPECT_EQ(d.m_saInstComments.GetAt(1), "kept");
    }
    EXPECT_EQ(messages.count(), 0);
}

TEST(SwgTestFileTest, CurvesAreStoredByLineAndNeverWrittenPastTheLists)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CSWGData d;
    ASSERT_TRUE(ReadText(d, dir, "----- INSTRUMENTATION -----\r\n" + CurveLine("3", "7") + CurveLine("7", "450")));
    EXPECT_EQ(d.m_nCurveCount, 2);
    EXPECT_EQ(d.m_nLastCurveNo, 7);
    EXPECT_EQ(d.m_saInstLevel.GetAt(1), "7");
    EXPECT_EQ(d.m_saInstComments.GetAt(2), "c7");
    EXPECT_EQ(d.CurvesInLists(), 2);
    // Only the two curves read are written, numbered from 1.
    const V lines = Lines(Written(d, dir));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], CurveLine("1", "7").substr(0, CurveLine("1", "7").size() - 4) + "c3");
    EXPECT_EQ(lines[5], CurveLine("2", "450").substr(0, CurveLine("2", "450").size() - 4) + "c7");
    EXPECT_EQ(lines[6], "----- END -----");
}
