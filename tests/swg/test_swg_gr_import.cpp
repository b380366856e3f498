#include "doubles/MessageRecorder.h"
#include "swg/SWGData.h"

#include "platform/Messages.h"

#include "SWGTestSupport.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

using swgtest::Curve;
using swgtest::Fixture;
using swgtest::Padded;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

std::vector<std::string> DataLines(const std::string& fixture) { return filetests::DataLines(ReadFile(Fixture(fixture))); }

} // namespace

TEST(SwgGrImportTest, LayoutsStandWhereTheOldFilesHaveThem)
{
    CSWGData d;
    filetests::ExpectLayouts({
        {d.m_GR1, 22, 299, {{2, 3}, {7, 172}, {12, 194}, {16, 208}, {17, 214}, {21, 229}}},
        {d.m_GR5, 18, 203, {{0, 1}, {1, 2}, {6, 15}, {9, 93}, {13, 115}, {15, 125}, {17, 133}}},
    });
}

TEST(SwgGrImportTest, TestRecordKeepsItsBlanksAndLeavesTheRestAlone)
{
    platform::MessageRecorder messages;
    CSWGData d;
    d.m_strVersion = "S4";
    d.m_strWaveGenSerialNo = "WG-1";
    d.m_strCertificationDate = "01-JAN-2000";
    d.m_nCurveCount = d.m_nLastCurveNo = 1;
    ASSERT_TRUE(d.ImportGR('1', Fixture("test.gr1").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_strTitle, Padded("Steering wheel generator check", 70));
    EXPECT_EQ(d.m_strObjectives, Padded("Verify torque response of the wheel", 70));
    EXPECT_EQ(d.m_strTestDate, "12-JAN-10");
    EXPECT_EQ(d.m_strPerformer, "TRC");
    EXPECT_EQ(d.m_strContractNo, "DTNH22-08-D-00123");
    EXPECT_EQ(d.m_strTestReference, "SWG0042   ");
    EXPECT_EQ(d.m_strTestType, "SIG");
    EXPECT_EQ(d.m_strAmbientTemp, " 21");
    EXPECT_EQ(d.m_strRecorderType, "DDA");
    EXPECT_EQ(d.m_strDataLinkType, "UMB");
    EXPECT_EQ(d.m_strTestComments, Padded("Wheel mounted on rig 2", 70));
    EXPECT_EQ(d.m_strVersion, "S4");
    EXPECT_EQ(d.m_strWaveGenSerialNo, "WG-1");
    EXPECT_EQ(d.m_strCertificationDate, "01-JAN-2000");
    EXPECT_EQ(d.m_nCurveCount, 1);
    EXPECT_EQ(d.m_nLastCurveNo, 1);
}

TEST(SwgGrImportTest, ABarFromAnOldFileIsKeptOutOfTheTestFile)
{
    TempDir dir;
    std::string barred = DataLines("test.gr1").at(0);
    barred[8] = '|';
    CSWGData d;
    EXPECT_TRUE(d.ImportGR('1', filetests::Scratch(dir, "lf.gr1", barred + "\n").c_str()));
    EXPECT_EQ(d.m_strRecorderType, "DDA");
    EXPECT_EQ(d.m_strTitle, Padded("Steer/ng wheel generator check", 70));
}

TEST(SwgGrImportTest, CurvesGoToTheNumbersTheFileGives)
{
    platform::MessageRecorder messages;
    CSWGData d;
    d.m_saInstSignalSource.SetAt(1, "SWT");
    d.m_saInstChannelStatus.SetAt(2, "PR");
    d.m_strTitle = "kept";
    ASSERT_TRUE(d.ImportGR('5', Fixture("curves.gr5").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_nLastCurveNo, 3);
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_strTitle, "kept");
    using V = std::vector<std::string>;
    // The units column fills both units; signal source, level and channel status are emptied.
    EXPECT_EQ(Curve(d, 1), (V {"", "", "TQ", "SW", "SWH ", "ZL", "NM ", "NM ", " 1000", "  100", "500", " -100",
                               " 2000", "0.0001", "OK", "", Padded("Main torque channel", 70)}));
    EXPECT_EQ(Curve(d, 3), (V {"", "", "AC", "CG", "FRM ", "YL", "G  ", "G  ", "  180", "   50", " 25", "    0",
                               " 1999", "0.0005", "NO", "", Padded("", 70)}));
    for (CSWGData::CurveList list : CSWGData::CurveLists())
        EXPECT_EQ((d.*list).GetSize(), 4);
}

TEST(SwgGrImportTest, CurveFilesThatEndEarlyOrHoldBadLines)
{
    TempDir dir;
    const std::vector<std::string> lines = DataLines("curves.gr5");
    const std::string c1 = lines.at(0), c2 = lines.at(1), c3 = lines.at(2);
    auto numbered = [](std::string line, const char* number) { return line.replace(2, 3, number); };
    const std::string nl = "\r\n";
    const struct {
        const char* what;
        std::string text;
        bool result;
        int last;     // Last Curve Number afterwards
        int count;    // Total Number of Curves afterwards (9 before)
        int lists;    // size of every curve list
        bool message;
    } cases[] = {
        {"trailing blank and comment lines", c1 + nl + c2 + nl + c3 + nl + nl + "# done" + nl + nl, true, 3, 3, 4, false},
        {"blank curve number", c1 + nl + numbered(c2, "   ") + nl + c3 + nl, false, 1, 9, 2, true},
        {"curve number zero", numbered(c1, "  0") + nl + c2 + nl, false, 9, 9, 2, true},
        {"negative curve number", c1 + nl + numbered(c2, " -2") + nl, false, 1, 9, 2, true},
        {"a line too short", c1 + nl + c2.substr(0, 202) + nl, false, 1, 9, 2, true},
        {"a blank line between curves", c1 + nl + nl + c2 + nl, false, 1, 9, 2, true},
        {"curves out of order", numbered(c1, "  4") + nl + numbered(c2, "  7") + nl + numbered(c3, "  5") + nl, true, 7,
         7, 8, false},
        {"no curves at all", "# nothing here" + nl, true, 9, 9, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageRecorder messages;
        CSWGData d;
        d.m_nLastCurveNo = d.m_nCurveCount = 9;
        const std::string path = filetests::Scratch(dir, "bad.gr5", c.text);
        EXPECT_EQ(d.ImportGR('5', path.c_str()).ok, c.result);
        EXPECT_EQ(d.m_nLastCurveNo, c.last);
        EXPECT_EQ(d.m_nCurveCount, c.count);
        for (CSWGData::CurveList list : CSWGData::CurveLists())
            EXPECT_EQ((d.*list).GetSize(), c.lists);
        ASSERT_EQ(messages.count(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(messages.last().text, path + " is not in proper GR5 format.");
            EXPECT_EQ(messages.last().caption, "ERROR");
        }
    }
}
