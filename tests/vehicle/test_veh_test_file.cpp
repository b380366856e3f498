#include "doubles/MessageRecorder.h"
#include "vehicle/VehData.h"

#include "platform/Messages.h"

#include "TestUtil.h"
#include "VehTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;
using vehtest::Fixture;
using vehtest::kHead;
using vehtest::kTestLine;
using vehtest::VehicleLine;
using vehtest::Lines;
using vehtest::WithoutDate;

namespace {

std::string Written(CVehData& data, const TempDir& dir, const std::string& name = "out.mv5")
{
    const std::string path = dir.file(name);
    EXPECT_TRUE(data.WriteTest(path.c_str()));
    return ReadFile(path);
}

bool ReadText(CVehData& data, const TempDir& dir, const std::string& text, int version = 5)
{
    const std::string path = dir.file(version == 5 ? "in.mv5" : "in.mv4");
    WriteFile(path, text);
    return (version == 5 ? data.ReadTest(path.c_str()) : data.ReadVersion4(path.c_str())).ok;
}

} // namespace

TEST(VehDataTest, NewObjectHoldsTheConstructionValues)
{
    CVehData d;
    EXPECT_EQ(d.m_strVersion, "V5");
    EXPECT_EQ(d.m_strConfiguration, "VTB");
    EXPECT_EQ(d.m_strRecorderType, "DDA");
    EXPECT_EQ(d.m_strDataLinkType, "UMB");
    EXPECT_EQ(d.m_strTestReference, "");
    EXPECT_EQ(d.m_nCurveCount, 0);
    EXPECT_EQ(d.m_nVehicleCount, 1);
    EXPECT_EQ(d.m_nVehiclesRead, 1);
    EXPECT_EQ(d.m_nOccupantCount, 0);
    EXPECT_EQ(d.m_nRestraintCount, 0);
    EXPECT_EQ(d.m_nLastCurveNo, 0);
    EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    EXPECT_EQ(d.m_saVehAX21.GetSize(), 3);
    EXPECT_EQ(d.m_saVehBodyType.GetAt(1), "");
    EXPECT_EQ(d.m_saOccComments.GetSize(), 2);
    EXPECT_EQ(d.m_saRestVehicleNo.GetAt(0), "1");
    EXPECT_EQ(d.m_saRestNo.GetAt(1), "1");
    EXPECT_EQ(d.m_saRestType.GetSize(), 2);
    EXPECT_EQ(d.m_saInstXUnits.GetAt(0), "SEC");
    EXPECT_EQ(d.m_saInstXUnits.GetAt(1), "SEC");
    EXPECT_EQ(d.m_saInstComments.GetSize(), 2);
    EXPECT_TRUE(d.m_vCurveErrors.empty());
    EXPECT_TRUE(d.m_vCurveChannelIndex.empty());
    EXPECT_TRUE(d.m_bConfigNoticeMuted);
    EXPECT_FALSE(d.m_bConfigChanged);
    EXPECT_FALSE(d.m_bCurvesChecked);
    EXPECT_EQ(d.m_nCurveCheckRequested, 0);
    EXPECT_FALSE(d.m_IntrusionData.HasIntrusion());
}

TEST(VehDataTest, ResetBringsBackTheConstructionValuesButKeepsTheCurveCheckOption)
{
    CVehData d;
    TempDir dir;
    ASSERT_TRUE(d.ReadTest(Fixture("vtv_two.mv5").c_str()));
    d.m_nCurveCheckRequested = 1;
    d.m_vCurveErrors.emplace_back();
    d.m_IntrusionData.m_arrPointNumber.Add("7");
    d.m_nVehicleCount = 2;
    d.ResetVehData();

    CVehData fresh;
    fresh.m_nCurveCheckRequested = 1;
    EXPECT_EQ(WithoutDate(Written(d, dir, "a.mv5")), WithoutDate(Written(fresh, dir, "b.mv5")));
    EXPECT_EQ(d.m_nVehiclesRead, 1);
    EXPECT_EQ(d.m_nVehicleCount, 1);
    EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    EXPECT_EQ(d.m_saInstXUnits.GetSize(), 2);
    EXPECT_TRUE(d.m_vCurveErrors.empty());
    EXPECT_FALSE(d.m_IntrusionData.HasIntrusion());
    EXPECT_EQ(d.m_nCurveCheckRequested, 1);
}

TEST(VehDataTest, VehicleCountOfConfig)
{
    for (const char* two : {"ITI", "ITV", "VTI", "VTV", "PTV"})
        EXPECT_EQ(VehicleCountOfConfig(two), 2) << two;
    for (const char* one : {"VTB", "vtv", " VTV", "", "VTVX"})
        EXPECT_EQ(VehicleCountOfConfig(one), 1) << one;
}

TEST(VehDataTest, VehicleCountFollowsTheConfiguration)
{
    const struct {
        const char* config;
        int count;
    } cases[] = {{"PTV", 2}, {"VTV", 2}, {"ITI", 2}, {"ITV", 2}, {"VTI", 2}, {"VTB", 1}, {"vtv", 1}, {"", 1}};
    for (const auto& c : cases) {
        CVehData d;
        d.m_strConfiguration = c.config;
        d.SetVehicleCount();
        EXPECT_EQ(d.m_nVehicleCount, c.count) << c.config;
    }
}

TEST(VehTestFileTest, FieldsLandInTheirMembers)
{
    CVehData d;
    ASSERT_TRUE(d.ReadTest(Fixture("vtb_full.mv5").c_str()));
    EXPECT_EQ(d.m_strTestReference, "T4321");
    EXPECT_EQ(d.m_strSideImpactPoint, "");
    EXPECT_EQ(d.m_strTestComments, "Lighting was poor");
    EXPECT_EQ(d.m_saVehCurbWeight.GetAt(1), "1450");
    EXPECT_EQ(d.m_saVehWheelbase.GetAt(1), "2756");
    EXPECT_EQ(d.m_saVehBX21.GetAt(1), "121");
    EXPECT_EQ(d.m_saVehDamageProfile6.GetAt(1), "306");
    EXPECT_EQ(d.m_saVehAX1.GetAt(1), "201");
    EXPECT_EQ(d.m_saVehComments.GetAt(1), "Engine shifted");
    EXPECT_EQ(d.m_strBarPoleDiameter, "");
    EXPECT_EQ(d.m_strBarComments, "Rigid wall");
    EXPECT_EQ(d.m_nOccupantCount, 2);
    EXPECT_EQ(d.m_saOccSeatPosition.GetAt(2), "FWD");
    EXPECT_EQ(d.m_saOccShoulderBeltLoad.GetAt(2), "8.8");
    EXPECT_EQ(d.m_saOccComments.GetAt(1), "Driver");
    EXPECT_EQ(d.m_nRestraintCount, 3);
    EXPECT_EQ(d.m_saRestComments.GetAt(2), "Lap and shoulder belt");
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_nLastCurveNo, 3);
    EXPECT_EQ(d.m_saInstSensorType.GetAt(3), "LC");
    EXPECT_EQ(d.m_saInstSensorLocation.GetAt(3), "FMRL");
    EXPECT_EQ(d.m_saInstComments.GetAt(3), "Left femur");

    CVehData two;
    ASSERT_TRUE(two.ReadTest(Fixture("vtv_two.mv5").c_str()));
    EXPECT_EQ(two.m_nVehiclesRead, 2);
    EXPECT_EQ(two.m_saVehSpeed.GetAt(2), "48.0");
    EXPECT_EQ(two.m_saVehCartAngle.GetAt(2), "27");
    EXPECT_EQ(two.m_saVehCartOrientation.GetAt(2), "F");
}

TEST(VehTestFileTest, WriterOfANewObject)
{
    TempDir dir;
    CVehData d;
    const auto lines = Lines(Written(d, dir));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "# Source: Morvel for Windows v5 in Vehicle Test - No curve error checking");
    EXPECT_EQ(lines[1].rfind("# Date: <", 0), 0u);
    EXPECT_EQ(lines[2], "----- MV5 -----");
    EXPECT_EQ(lines[3], "----- TEST -----");
    EXPECT_EQ(lines[4], "V5| | | | | | | |VTB| | | |DDA|UMB| | | | |0|");
    EXPECT_EQ(lines[5], "----- END -----");

    d.m_vCurveErrors.emplace_back();
    EXPECT_EQ(Lines(Written(d, dir))[0], "# Source: Morvel for Windows v5 in Vehicle Test - Curve error checking completed");
}

TEST(VehTestFileTest, WriterFillsNotApplicableCodesOfWrittenVehicles)
{
    TempDir dir;
    CVehData d;
    d.m_saVehMake.SetAt(1, "FORD");
    d.m_saVehBodyType.SetAt(1, "  ");
    const auto lines = Lines(Written(d, dir));
    ASSERT_EQ(lines[5], "----- VEHICLE -----");
    const std::string expected = "1|FORD| | | |"                       // number, make, model, year, KAVRO number
                                 "NA|"                                 // body type of blanks only: empty
                                 " |NAPP| |NA| | | | | | |NA|NAP|U| |"; // VIN .. modification description
    EXPECT_EQ(lines[6].substr(0, expected.size()), expected);
    EXPECT_EQ(std::count(lines[6].begin(), lines[6].end(), '|'), 80);
    EXPECT_NE(lines[6].find("| |NA|NA|NA| |"), std::string::npos); // PDOF, bumper, sill, A-pillar, profile 1
    EXPECT_EQ(d.m_saVehEngineType.GetAt(1), "NAPP");
    EXPECT_EQ(d.m_saVehAPillarEngagement.GetAt(1), "NA");
    EXPECT_EQ(d.m_saVehBodyType.GetAt(1), "NA");
    EXPECT_EQ(d.m_saVehEngineType.GetAt(2), ""); // vehicle 2 is not written for VTB
}

TEST(VehTestFileTest, AFieldOfWhiteSpaceIsEmptyOnTheFirstSaveAsOnTheSecond)
{
    TempDir dir;
    for (const char* blank : {"\t", "\v", " \t \v "}) {
        CVehData d;
        d.m_saVehMake.SetAt(1, "FORD");
        d.m_saVehBodyType.SetAt(1, blank);
        d.m_saVehModel.SetAt(1, blank);
        const std::string first = Written(d, dir, "first.mv5");
        CVehData back;
        ASSERT_TRUE(back.ReadTest(dir.file("first.mv5").c_str()));
        EXPECT_EQ(back.m_saVehBodyType.GetAt(1), "NA");
        EXPECT_EQ(back.m_saVehModel.GetAt(1), "");
        EXPECT_EQ(WithoutDate(Written(back, dir, "second.mv5")), WithoutDate(first));
        EXPECT_EQ(Lines(first)[6].substr(0, 16), "1|FORD| | | |NA|");
    }
}

TEST(VehTestFileTest, SectionsLeftOutByTheirHasDataRules)
{
    TempDir dir;
    auto sections = [&](CVehData& d) {
        std::string names;
        for (const auto& line : Lines(Written(d, dir)))
            if (line.rfind("----- ", 0) == 0)
                names += line.substr(6, line.size() - 12) + ",";
        return names;
    };
    CVehData rigidity;
    rigidity.m_strBarRigidity = "R";
    rigidity.m_saVehYear.SetAt(1, "1998");
    rigidity.m_saVehBX1.SetAt(1, "5");
    rigidity.m_saInstMaker.SetAt(1, "ENDEVCO");
    EXPECT_EQ(sections(rigidity), "MV5,TEST,END,");

    for (const char* config : {"VTV", "ITI", "VTI", "ITV"}) {
        CVehData d;
        d.m_strConfiguration = config;
        d.m_strBarShape = "FLB";
        EXPECT_EQ(sections(d), "MV5,TEST,END,") << config;
    }
    CVehData ptv;
    ptv.m_strConfiguration = "PTV";
    ptv.SetVehicleCount();
    ptv.m_strBarComments = "pole";
    ptv.m_saVehMake.SetAt(1, "FORD");
    EXPECT_EQ(sections(ptv), "MV5,TEST,VEHICLE,BARRIER,END,");
    const auto lines = Lines(Written(ptv, dir));
    EXPECT_EQ(lines[6].substr(0, 7), "1|FORD|");
    EXPECT_EQ(lines[7].substr(0, 4), "2| |");
}

TEST(VehTestFileTest, FieldFormatting)
{
    TempDir dir;
    CVehData d;
    d.m_strTitle = " a title ";
    d.m_strTestDate = "12-mar-1998";
    d.m_strTestComments = "  spaced  ";
    const auto lines = Lines(Written(d, dir));
    EXPECT_EQ(lines[4], "V5|a title| |12-MAR-1998| | | | |VTB| | | |DDA|UMB| | | | |0|spaced");
    EXPECT_EQ(d.m_strTestDate, "12-MAR-1998");
    EXPECT_EQ(d.m_strTestComments, "spaced");
    EXPECT_EQ(d.m_strTitle, " a title ");
}

TEST(VehTestFileTest, AnEmptiedTestSectionIsStillWrittenAndReadsBack)
{
    TempDir dir;
    CVehData d;
    d.m_strRecorderType.Empty();
    d.m_strDataLinkType.Empty();
    d.m_saVehMake.SetAt(1, "FORD");
    ASSERT_TRUE(d.IsTestEmpty());
    Written(d, dir);
    CVehData back;
    EXPECT_TRUE(back.ReadTest(dir.file("out.mv5").c_str()));
    EXPECT_EQ(back.m_saVehMake.GetAt(1), "FORD");
}

TEST(VehTestFileTest, WriteFailuresAreReportedAndLeaveNoFile)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CVehData d;
    const std::string path = dir.file("missing/out.mv5");
    EXPECT_FALSE(d.WriteTest(path.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Can't open file " + path + ", error = 3\n");
    EXPECT_EQ(messages.last().caption, "Error");
    EXPECT_FALSE(std::filesystem::exists(path));

    EXPECT_FALSE(d.ReadTest(dir.file("none.mv5").c_str()));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("none.mv5") + ", error = 2\n");
    EXPECT_FALSE(d.ReadVersion4(dir.file("none.mv4").c_str()));
}

TEST(VehTestFileTest, VehicleLinesWithoutCurbWeight)
{
    TempDir dir;
    for (int separators : {79, 78}) {
        platform::MessageRecorder messages;
        CVehData d;
        d.m_saVehCurbWeight.SetAt(1, "kept");
        std::string line = "1|MAKE|MODEL|1999|K|BT|VIN|ET|ED|TR|TW|WB";
        for (int i = 11; i < separators; ++i)
            line += "|f" + std::to_string(i);
        ASSERT_TRUE(ReadText(d, dir, kHead + "----- TEST -----\r\n" + kTestLine + "----- VEHICLE -----\r\n" + line));
        EXPECT_EQ(d.m_saVehTestWeight.GetAt(1), "TW");
        EXPECT_EQ(d.m_saVehCurbWeight.GetAt(1), "kept");
        EXPECT_EQ(d.m_saVehWheelbase.GetAt(1), "WB");
        EXPECT_EQ(d.m_saVehLength.GetAt(1), "f11");
        EXPECT_EQ(messages.count(), separators == 79 ? 0 : 1);
        if (separators == 78) {
            EXPECT_EQ(messages.last().text,
                      "This MV5 file has 78 | characters in line 1 of the VEHICLE section, should have 79, or 80");
        }
    }
}

TEST(VehTestFileTest, VersionFieldOfTheTestLine)
{
    TempDir dir;
    const struct {
        const char* version;
        bool result;
    } cases[] = {{"v5", true}, {"V4", true}, {"B5", false}, {"", false}};
    for (const auto& c : cases) {
        platform::MessageRecorder messages;
        CVehData d;
        const std::string text = kHead + "----- TEST -----\r\n" + c.version + "|t|o|d|p|c|R|T|VTV|s|c|a|r|l|c|i|o|s|0|x\r\n" +
                                 "----- VEHICLE -----\r\n" + VehicleLine("1", "FORD");
        EXPECT_EQ(ReadText(d, dir, text), c.result) << c.version;
        EXPECT_EQ(d.m_strVersion, c.version);
        EXPECT_EQ(d.m_strConfiguration, c.result ? "VTV" : "VTB");
        EXPECT_EQ(d.m_saVehMake.GetAt(1), c.result ? "FORD" : "");
        EXPECT_EQ(messages.count(), 0);
    }
}

TEST(VehTestFileTest, EachSectionEndsByItsOwnRule)
{
    TempDir dir;
    platform::MessageRecorder messages;
    const std::string test = kHead + "----- TEST -----\r\n# comment\r\n\r\n" + kTestLine;

    // A comment after the first VEHICLE line ends the section.
    CVehData vehicle;
    ASSERT_TRUE(ReadText(vehicle, dir, test + "----- VEHICLE -----\r\n" + VehicleLine("1", "FIRST") + "# note\r\n" +
                                         VehicleLine("2", "SECOND")));
    EXPECT_EQ(vehicle.m_saVehMake.GetAt(1), "FIRST");
    EXPECT_EQ(vehicle.m_saVehMake.GetAt(2), "");
    EXPECT_EQ(vehicle.m_nVehiclesRead, 1);

    // Comment and blank lines between OCCUPANT lines are passed over.
    CVehData occupant;
    const std::string occ = "|01|H3|35|M|175|78|NO|50|FTSS|NONE|d|1|2|3|4|5|6|7|8|9|10|11|12|13|MID|WS|DA|SW|NA|KP|NA|"
                            "654|12.5|48.5|45.2|5.1|4.8|0.9|8.2|9.1| | |";
    ASSERT_TRUE(ReadText(occupant, dir, test + "----- OCCUPANT -----\r\n# first\r\n1" + occ + "A\r\n# between\r\n\r\n2" +
                                          occ + "B\r\n----- RESTRAINT -----\r\n1|01|1|AB|SW|DE|x\r\n"));
    EXPECT_EQ(occupant.m_nOccupantCount, 2);
    EXPECT_EQ(occupant.m_saOccComments.GetAt(2), "B");
    EXPECT_EQ(occupant.m_saOccVehicleNo.GetAt(2), "2");
    EXPECT_EQ(occupant.m_nRestraintCount, 1);

    // Curves are stored in file order; the last line's number is kept apart; no END line.
    CVehData curves;
    curves.m_strBarShape = "kept";
    ASSERT_TRUE(ReadText(curves, dir, test + "----- INSTRUMENTATION -----\r\n"
                                         "1|5|AC|HDCG|ST|XG|SEC|G|1650|E|01-JAN-1998|1|2|3|4|5|6|OK|CH|a\r\n"
                                         "# between\r\n"
                                         "1|6|LC|FMRL|ST|ZG|SEC|N|600|D|01-JAN-1998|1|2|3|4|5|6|OK|CH|b"));
    EXPECT_EQ(curves.m_nCurveCount, 2);
    EXPECT_EQ(curves.m_nLastCurveNo, 6);
    EXPECT_EQ(curves.m_saInstSensorType.GetAt(2), "LC");
    EXPECT_EQ(curves.m_saInstComments.GetAt(2), "b");
    EXPECT_EQ(curves.m_strBarShape, "kept");

    // Without an INSTRUMENTATION section the TEST line's curve count stands.
    CVehData count;
    ASSERT_TRUE(ReadText(count, dir, kHead + "----- TEST -----\r\nV5|t|o|d|p|c|R|T|VTB|s|c|a|r|l|c|i|o|s|2|x\r\n"));
    EXPECT_EQ(count.m_nCurveCount, 2);
    EXPECT_GE(count.m_saInstComments.GetSize(), 3);

    // A marker right after a marker is an empty section, not the next section's first line.
    CVehData empty;
    ASSERT_TRUE(ReadText(empty, dir, test + "----- BARRIER -----\r\n----- RESTRAINT -----\r\n1|01|1|AB|SW|DE|x\r\n"));
    EXPECT_EQ(empty.m_strBarRigidity, "");
    EXPECT_EQ(empty.m_nRestraintCount, 1);

    // A TEST section with no data line fails the read.
    CVehData noTest;
    EXPECT_FALSE(ReadText(noTest, dir, kHead + "----- TEST -----\r\n# only a comment\r\n----- VEHICLE -----\r\n" +
                                        VehicleLine("1", "FORD")));
    EXPECT_EQ(noTest.m_saVehMake.GetAt(1), "");
    EXPECT_FALSE(ReadText(noTest, dir, "----- VEHICLE -----\r\n" + VehicleLine("1", "FORD")));
    EXPECT_EQ(messages.count(), 0);
}

TEST(VehTestFileTest, VehiclesAreCountedByTheLinesStored)
{
    TempDir dir;
    const std::string head = kHead + "----- TEST -----\r\n" + kTestLine + "----- VEHICLE -----\r\n";
    {
        CVehData d;
        ASSERT_TRUE(ReadText(d, dir, head + VehicleLine("2", "SECOND") + VehicleLine("1", "FIRST")));
        EXPECT_EQ(d.m_saVehMake.GetAt(1), "SECOND");
        EXPECT_EQ(d.m_saVehMake.GetAt(2), "FIRST");
        EXPECT_EQ(d.m_nVehiclesRead, 2);
    }
    {
        CVehData d;
        ASSERT_TRUE(ReadText(d, dir, head + VehicleLine("3", "ONLY")));
        EXPECT_EQ(d.m_saVehMake.GetAt(1), "ONLY");
        EXPECT_EQ(d.m_nVehiclesRead, 1);
        EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    }
}

TEST(VehTestFileTest, AnyBytesGiveAResultAndBoundedData)
{
    TempDir dir;
    std::string wide = "V5";
    for (int i = 0; i < 5000; ++i)
        wide += '|' + std::to_string(i);
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 131 + 7) % 256);
    const std::string inputs[] = {
        "",
        "----- TEST -----",
        "----- TEST -----\r\n" + wide,
        "----- TEST -----\r\n" + kTestLine + "----- VEHICLE -----\r\n" + wide + "\r\n" + wide,
        "----- TEST -----\r\nV5|t|o|d|p|c|R|T|VTB|s|c|a|r|l|c|i|o|s|-7|x\r\n",
        "----- TEST -----\r\nV5|t|o|d|p|c|R|T|VTB|s|c|a|r|l|c|i|o|s|99999999999|x\r\n",
        "----- TEST -----\r\n" + kTestLine + "----- INSTRUMENTATION -----\r\n1|-5|a\r\n1|99999999999|b",
        "----- TEST -----\r\n" + kTestLine + "----- OCCUPANT -----\r\n|\r\n||||\r\n" + wide,
        binary,
        "----- TEST -----\r\n" + kTestLine + binary,
    };
    for (const auto& input : inputs) {
        for (int version : {5, 4}) {
            platform::MessageRecorder messages;
            CVehData d;
            ReadText(d, dir, input, version);
            EXPECT_GE(d.m_nCurveCount, 0);
            EXPECT_LE(d.m_nCurveCount, 999);
            EXPECT_GE(d.m_saInstComments.GetSize(), d.m_nCurveCount + 1);
            EXPECT_GE(d.m_saOccComments.GetSize(), d.m_nOccupantCount + 1);
            EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
            EXPECT_GE(d.m_nVehiclesRead, 1);
            EXPECT_LE(d.m_nVehiclesRead, 2);
            d.SetVehicleCount();
            EXPECT_TRUE(d.WriteTest(dir.file("w.mv5").c_str()));
            EXPECT_TRUE(d.WriteReport(dir.file("w.mvr").c_str()));
        }
    }
}

TEST(VehTestFileTest, ValuesThatLookLikeFileSyntaxStayValues)
{
    TempDir dir;
    CVehData d;
    d.m_strTitle = "----- VEHICLE -----";
    d.m_nOccupantCount = 2;
    d.m_saOccVehicleNo.SetAt(1, "#1");
    d.m_saOccComments.SetAt(1, "-----  END");
    d.m_saOccVehicleNo.SetAt(2, "2");
    const auto lines = Lines(Written(d, dir));
    EXPECT_EQ(lines[4].substr(0, 23), "V5|-----VEHICLE -----| ");
    EXPECT_EQ(lines[6].substr(0, 4), " #1|");
    EXPECT_EQ(lines[6].substr(lines[6].size() - 8), "-----END");

    CVehData back;
    ASSERT_TRUE(back.ReadTest(dir.file("out.mv5").c_str()));
    EXPECT_EQ(back.m_strTitle, "-----VEHICLE -----");
    EXPECT_EQ(back.m_nOccupantCount, 2);
    EXPECT_EQ(back.m_saOccVehicleNo.GetAt(1), "#1");
    EXPECT_EQ(back.m_saOccVehicleNo.GetAt(2), "2");
}

TEST(VehTestFileTest, AWriteThatFailsHalfwayKeepsThePreviousFile)
{
    platform::MessageRecorder messages;
    TempDir dir;
    const std::string path = dir.file("kept.mv5");
    WriteFile(path, "previous test\r\n");
    CVehData d;
    ASSERT_TRUE(d.ReadTest(Fixture("vtb_full.mv5").c_str()));

    // Files may grow to 512 bytes only while the test is written: the disk is "full" halfway.
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = d.WriteTest(path.c_str()).ok;
    const bool reported = d.WriteReport(dir.file("kept.mvr").c_str()).ok;
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(reported);
    EXPECT_EQ(ReadFile(path), "previous test\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("kept.mvr")));
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.messages()[0].text.rfind("Can't open file " + path + ", error = ", 0), 0u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
}
