#include "doubles/MessageRecorder.h"
#include "vehicle/IntrusionData.h"
#include "vehicle/VehData.h"

#include "common/Convert.h"
#include "platform/Messages.h"

#include "TestUtil.h"
#include "VehTestSupport.h"

#include <gtest/gtest.h>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;
using vehtest::AddPoint;
using vehtest::Lines;
using vehtest::WithoutDate;

namespace {

bool Load(CIntrusionData& d, const TempDir& dir, const std::string& text)
{
    WriteFile(dir.file("in.ip5"), text);
    return d.LoadIntrusionFile(dir.file("in.ip5").c_str(), true);
}

} // namespace

TEST(IntrusionTest, NoPointsWritesNoFile)
{
    TempDir dir;
    CIntrusionData d;
    EXPECT_FALSE(d.HasIntrusion());
    EXPECT_EQ(d.m_arrVehicleNumber.GetAt(0), "1");
    WriteFile(dir.file("old.ip5"), "old");
    EXPECT_FALSE(d.SaveIntrusionData(dir.file("old.ip5").c_str()));
    EXPECT_FALSE(d.SaveIntrusionReport(dir.file("old.ipr").c_str()));
    EXPECT_EQ(ReadFile(dir.file("old.ip5")), "old");
    EXPECT_FALSE(std::filesystem::exists(dir.file("old.ipr")));
}

TEST(IntrusionTest, DataFileAndReportOfThreePoints)
{
    TempDir dir;
    CIntrusionData d;
    d.SetSecondText("T1");
    AddPoint(d, "", "12", "Toe pan", {"1.5", "-2", "", "1.0", " 3 ", "4"});
    AddPoint(d, "2", "13", "A-pillar", {"0", "0", "0", "1", "1", "1"});
    AddPoint(d, "1", "14", "Dash", {"", "", "", "", "", ""});
    ASSERT_TRUE(d.SaveIntrusionData(dir.file("p.ip5").c_str()));
    EXPECT_EQ(WithoutDate(ReadFile(dir.file("p.ip5"))), "# Source: Intrusion Data\r\n"
                                                        "# Date: <>\r\n"
                                                        "----- INTRUSION -----\r\n"
                                                        "0|12|Toe pan|1.5|-2| |1.0| 3 |4|T1\r\n"
                                                        "2|13|A-pillar|0|0|0|1|1|1|T1\r\n"
                                                        "1|14|Dash| | | | | | |T1\r\n"
                                                        "----- END -----\r\n");

    CIntrusionData back;
    ASSERT_TRUE(back.LoadIntrusionFile(dir.file("p.ip5").c_str(), true));
    ASSERT_EQ(back.PointCount(), 3);
    EXPECT_EQ(back.m_arrVehicleNumber.GetAt(1), "0");
    EXPECT_EQ(back.m_arrBeforeZ.GetAt(1), "");
    EXPECT_EQ(back.m_arrAfterY.GetAt(1), "3");
    EXPECT_EQ(back.m_arrRecordIndex.GetAt(3), "3");
    EXPECT_EQ(back.m_strTestReference, "T1");

    ASSERT_TRUE(d.SaveIntrusionReport(dir.file("p.ipr").c_str()));
    const auto lines = Lines(ReadFile(dir.file("p.ipr")));
    ASSERT_EQ(lines.size(), 3u + 3 * 11 + 1);
    EXPECT_EQ(lines[2], "----- INTRUSION -----");
    const std::vector<std::string> first(lines.begin() + 3, lines.begin() + 14);
    EXPECT_EQ(first, (std::vector<std::string> {"----- INTRUSION POINT 1 -----", "Vehicle number:\t\t",
                                                "Intrusion point number:12", "Intrusion point location:Toe pan",
                                                "Before intrusion x:\t1.5", "Before intrusion y:\t-2",
                                                "Before intrusion z:\t", "After intrusion x:\t1.0",
                                                "After intrusion y:\t 3 ", "After intrusion z:\t4",
                                                "Test reference:\t\tT1"}));
    EXPECT_EQ(lines[25], "----- INTRUSION POINT 3 -----");
    EXPECT_EQ(lines.back(), "----- END -----");
}

TEST(IntrusionTest, ReadingTheSection)
{
    TempDir dir;
    {
        // Comment and blank lines before and between the points are passed over; no END line.
        platform::MessageRecorder messages;
        CIntrusionData d;
        ASSERT_TRUE(Load(d, dir, "# x\n----- INTRUSION -----\n# c\n\n1|1|a|1|2|3|4|5|6|R1\n# c\n\n"
                                 "2|2|b|1|2|3|4|5|6|R2"));
        EXPECT_EQ(d.PointCount(), 2);
        EXPECT_EQ(d.m_arrPointLocation.GetAt(2), "b");
        EXPECT_EQ(d.m_strTestReference, "R2");
        EXPECT_EQ(messages.count(), 0);
    }
    {
        platform::MessageRecorder messages;
        CIntrusionData d;
        ASSERT_TRUE(Load(d, dir, "----- INTRUSION -----\r\n----- END -----\r\n"));
        EXPECT_FALSE(d.HasIntrusion());
        ASSERT_TRUE(Load(d, dir, "----- INTRUSION -----\r\n1|1|a|1|2|3\r\n----- END -----\r\n"));
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text,
                  "This MV5 file has 5 | characters in line 1 of the INTRUSION section, should have 9");
        EXPECT_EQ(d.m_arrBeforeZ.GetAt(1), "3");
        EXPECT_EQ(d.m_arrAfterX.GetAt(1), "");
        EXPECT_EQ(d.m_arrAfterZ.GetSize(), 2);
    }
    {
        // A file of two points replaces the five held; a section without points keeps them.
        CIntrusionData d;
        for (int i = 0; i < 5; ++i)
            AddPoint(d, "1", "9", "old", {"1", "1", "1", "1", "1", "1"});
        ASSERT_TRUE(Load(d, dir, "----- INTRUSION -----\n# no points yet\n----- END -----\n"));
        EXPECT_EQ(d.PointCount(), 5);
        ASSERT_TRUE(Load(d, dir, "----- INTRUSION -----\n1|1|a|1|2|3|4|5|6|R\n1|2|b|1|2|3|4|5|6|R\n"));
        EXPECT_EQ(d.PointCount(), 2);
        EXPECT_EQ(d.m_arrPointLocation.GetAt(1), "a");
        EXPECT_EQ(d.m_arrAfterZ.GetSize(), 3);
        // Without the marker nothing is read and the points stay.
        ASSERT_TRUE(Load(d, dir, "1|3|c|1|2|3|4|5|6|R\n"));
        EXPECT_EQ(d.PointCount(), 2);
    }
}

TEST(IntrusionTest, OpenFailuresAndBadBytes)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CIntrusionData d;
    EXPECT_FALSE(d.LoadIntrusionFile(dir.file("none.ip5").c_str(), false));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_FALSE(d.LoadIntrusionFile(dir.file("none.ip5").c_str(), true));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("none.ip5") + ", error = 2\n");
    AddPoint(d, "1", "1", "a", {});
    EXPECT_FALSE(d.SaveIntrusionData(dir.file("no/such.ip5").c_str()));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("no/such.ip5") + ", error = 3\n");

    std::string binary = "----- INTRUSION -----\n";
    for (int i = 0; i < 3000; ++i)
        binary += static_cast<char>((i * 37 + 11) % 256);
    CIntrusionData bytes;
    ASSERT_TRUE(Load(bytes, dir, binary));
    EXPECT_EQ(bytes.m_arrPointNumber.GetSize(), bytes.m_arrAfterZ.GetSize());
}

// Both companions of a vehicle test under the one rule: the test takes the file's test reference
// only when it has none; the companion's own records keep the file's.
TEST(IntrusionTest, CompanionsGiveTheTestTheirTestReferenceOnlyWhenItHasNone)
{
    TempDir dir;
    platform::MessageRecorder messages;
    WriteFile(dir.file("t.hs5"), "----- HSVD -----\r\n1|FILE|0.5|FRONT|\r\n----- END -----\r\n");
    WriteFile(dir.file("t.ip5"), "----- INTRUSION -----\r\n1|1|a|1|2|3|4|5|6|FILE\r\n----- END -----\r\n");
    const std::string base = dir.file("t");
    struct Companion {
        const char* name;
        CString path;
        bool (*read)(CVehData&, const CString&);
    };
    const Companion companions[] = {
        {"cameras", CHighSpeedVideoData::DataFileBeside(base.c_str()),
         [](CVehData& d, const CString& path) { return static_cast<bool>(d.ReplaceHsvdFromFile(path, true)); }},
        {"intrusion points", CIntrusionData::DataFileBeside(base.c_str()),
         [](CVehData& d, const CString& path) {
             return d.ReadIntrusionCompanion(path, true) && d.m_IntrusionData.m_strTestReference == "FILE";
         }},
    };
    for (const Companion& companion : companions) {
        for (const auto& [held, expected] : {std::pair {"", "FILE"}, std::pair {"OWN", "OWN"}}) {
            SCOPED_TRACE(std::string(companion.name) + " over '" + held + "'");
            CVehData d;
            d.m_strTestReference = held;
            ASSERT_TRUE(companion.read(d, companion.path));
            EXPECT_EQ(d.m_strTestReference, expected);
        }
    }
    EXPECT_EQ(CIntrusionData::ReportFileBeside("/d/t"), "/d/t.ipr");
    EXPECT_EQ(CHighSpeedVideoData::ReportFileBeside("/d/t"), "/d/t.hsr");
    EXPECT_EQ(messages.count(), 0);
}
