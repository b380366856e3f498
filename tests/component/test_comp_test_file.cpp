#include "component/CompData.h"
#include "component/CompSections.h"

#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include "CompTestSupport.h"
#include "FileSuite.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>

using comptest::FileWith;
using comptest::Fixture;
using filetests::WithoutDate;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

std::string Written(CCompData& d, const TempDir& dir, const std::string& name = "out.mv5")
{
    const std::string path = dir.file(name);
    EXPECT_TRUE(d.WriteTest(path.c_str()));
    return ReadFile(path);
}

std::string Reported(CCompData& d, const TempDir& dir)
{
    const std::string path = dir.file("out.mvr");
    EXPECT_TRUE(d.WriteReport(path.c_str()));
    return ReadFile(path);
}

// The section lines of a written file: everything after "----- MV5 -----" up to the end marker.
std::string Body(const std::string& bytes)
{
    const std::string head = "----- MV5 -----\r\n";
    const size_t from = bytes.find(head) + head.size();
    return bytes.substr(from, bytes.rfind("----- END -----") - from);
}

std::string Read(CCompData& d, const TempDir& dir, const std::string& text, int version = 5)
{
    const std::string path = dir.file(version == 4 ? "in.mv4" : "in.mv5");
    WriteFile(path, text);
    EXPECT_TRUE(version == 4 ? d.ReadVersion4(path.c_str()) : d.ReadTest(path.c_str()));
    return path;
}

// `n` number fields of value 0.
std::string Zeros(int n)
{
    std::string zeros;
    for (int i = 0; i < n; ++i)
        zeros += "0 |";
    return zeros;
}

// The rollover test of the fixture as the vehicle page and the rollover dialog enter it: the
// measurements, then the computations run after each edit.
void EnterRolloverTest(CCompData& d)
{
    d.m_strTitle = "Roof crush resistance";
    d.m_strObjectives = "Rollover rating";
    d.m_strTestDate = "05-jun-2009";
    d.m_strPerformer = "TRC";
    d.m_strTestReference = "C5001";
    d.m_strTestType = "ROV";
    d.m_strAmbientTemp = "22";
    d.m_nCurveCount = 2;
    d.m_nVehicleCount = 1;
    const char* vehicle[] = {"CHEVROLET", "MALIBU", "2005", "C05RV01", "4S", "1G1ZT52805F123456", "N", "Rollover vehicle "};
    CStringArray* arrays[] = {&d.m_saVehMake, &d.m_saVehModel,    &d.m_saVehYear,        &d.m_saVehKavroNo,
                              &d.m_saVehBodyType, &d.m_saVehVIN, &d.m_saVehCrashTested, &d.m_saVehComments};
    for (int i = 0; i < 8; ++i)
        arrays[i]->SetAt(1, vehicle[i]);

    CRolloverVehicleData& r = d.m_RolloverVehicleData;
    r.m_nVimfTestNo = 1234;
    r.m_strLoad = "CURB";
    r.m_strEngine = "V6";
    r.m_dEngineDisplacement = 3.46;
    r.m_strTransmission = "A4";
    r.m_strFuel = "GAS";
    r.m_strOptionalEquipment = "ABS, side airbags";
    r.m_strFrontTireType = r.m_strRearTireType = "P";
    r.m_strFrontTireSize = r.m_strRearTireSize = "P215/60R16";
    r.m_nFrontTirePressure = r.m_nRearTirePressure = 35;
    r.m_dFrontTrackA = 69.25;
    r.m_dFrontTrackB = 69.75;
    r.m_dFrontTrackC = r.m_dFrontTrackD = 69.5;
    r.m_dRearTrackE = r.m_dRearTrackF = r.m_dRearTrackG = r.m_dRearTrackH = 70.5;
    r.m_dLeftWheelbase = 108.25;
    r.m_dRightWheelbase = 108.75;
    r.m_dRoofHeight = 56.125;
    r.m_nFrontGAWR = 2000;
    r.m_nRearGAWR = 2100;
    r.m_dLeftFrontWeight = 900;
    r.m_dRightFrontWeight = 910;
    r.m_dLeftRearWeight = 700;
    r.m_dRightRearWeight = 710.5;
    r.m_dCGLongitudinal = 42.25;
    r.m_dCGLateral = -0.5;
    double* runs[5][4] = {
        {&r.m_dRun1AppliedWeight, &r.m_dRun1PlatformAngle, &r.m_dRun1RelativeMotion, &r.m_dRun1CGHeight},
        {&r.m_dRun2AppliedWeight, &r.m_dRun2PlatformAngle, &r.m_dRun2RelativeMotion, &r.m_dRun2CGHeight},
        {&r.m_dRun3AppliedWeight, &r.m_dRun3PlatformAngle, &r.m_dRun3RelativeMotion, &r.m_dRun3CGHeight},
        {&r.m_dRun4AppliedWeight, &r.m_dRun4PlatformAngle, &r.m_dRun4RelativeMotion, &r.m_dRun4CGHeight},
        {&r.m_dRun5AppliedWeight, &r.m_dRun5PlatformAngle, &r.m_dRun5RelativeMotion, &r.m_dRun5CGHeight},
    };
    for (int run = 0; run < 5; ++run) {
        *runs[run][0] = 1500;
        *runs[run][1] = 1.25 * (run + 1);
        *runs[run][2] = 0.125 * (run + 1);
        *runs[run][3] = run == 0 ? 30 : 22;
    }
    r.ComputeAverageTrackWidth(CRolloverVehicleData::Front);
    r.ComputeAverageTrackWidth(CRolloverVehicleData::Rear);
    r.ComputeWheelbase();
    r.ComputeGVWR();
    r.ComputeTotalWeight();
    r.m_dAvgCGHeight = r.ComputeAverageCGHeight();
    r.ComputeStabilityFactor();

    // The component page leaves these as the user had them; a rollover test writes fixed texts.
    const char* components[2][5] = {{"1", "ROOF", "RF", "45.0", "Roof structure"},
                                    {"2", "APIL", "AP", "12.0", "A-pillar"}};
    d.m_nComponentCount = 2;
    for (int n = 1; n <= 2; ++n) {
        d.m_saCompVehicleNo.SetAtGrow(n, "1");
        d.m_saCompNo.SetAtGrow(n, components[n - 1][0]);
        d.m_saCompTested.SetAtGrow(n, components[n - 1][1]);
        d.m_saCompType.SetAtGrow(n, components[n - 1][2]);
        d.m_saCompWeight.SetAtGrow(n, components[n - 1][3]);
        d.m_saCompComments.SetAtGrow(n, components[n - 1][4]);
        d.m_saCompModIndicator.SetAtGrow(n, "Y");
        d.m_saCompOccupantType.SetAtGrow(n, "H3");
        d.m_saCompDummySize.SetAtGrow(n, "50");
    }
    d.m_nConfigurationCount = 1;
    const char* configuration[] = {"1", "1", "1", "PLAT", "0.5", "Roof press", "", "0.5", "5", "CTR", "FRT",
                                   "Platen on roof", "Quasi-static"};
    CStringArray* confArrays[] = {&d.m_saConfVehicleNo,        &d.m_saConfCompNo,         &d.m_saConfNo,
                                  &d.m_saConfTestDevice,       &d.m_saConfDeviceSpeed,    &d.m_saConfDeviceComments,
                                  &d.m_saConfTestConfig,       &d.m_saConfCompSpeed,      &d.m_saConfContactAngle,
                                  &d.m_saConfContactLocation1, &d.m_saConfContactLocation2, &d.m_saConfContactCommentary,
                                  &d.m_saConfCommentary};
    for (int i = 0; i < 13; ++i)
        confArrays[i]->SetAtGrow(1, configuration[i]);
    d.m_nInstRecordCount = 2;
    const char* curves[2][20] = {
        {"1", "1", "1", "LC", "ROOF", "ZG", "SEC", "N", "0", "Interface", "10-MAY-2009", "50000", "999", "0.5", "0",
         "12000", "0.01", "OK", "PR", "Platen load"},
        {"1", "1", "1", "DS", "ROOF", "ZG", "SEC", "MM", "0", "Celesco", "11-MAY-2009", "500", "500", "0.5", "0",
         "12000", "0.01", "OK", "PR", "Platen travel"},
    };
    CStringArray* instArrays[] = {
        &d.m_saInstVehicleNo,  &d.m_saInstCompNo,          &d.m_saInstConfNo,     &d.m_saInstSensorType,
        &d.m_saInstAttachment, &d.m_saInstAxis,      &d.m_saInstXUnits,     &d.m_saInstYUnits,
        &d.m_saInstPrefilter,  &d.m_saInstMaker,           &d.m_saInstCalibrationDate, &d.m_saInstRating,
        &d.m_saInstChannelMax, &d.m_saInstInitialVelocity, &d.m_saInstFirstPoint, &d.m_saInstLastPoint,
        &d.m_saInstTimeIncrement,   &d.m_saInstDataStatus,      &d.m_saInstChannelStatus, &d.m_saInstComments};
    for (int n = 1; n <= 2; ++n) {
        for (int i = 0; i < 20; ++i)
            instArrays[i]->SetAtGrow(n, curves[n - 1][i]);
    }
}

} // namespace

TEST(CompTestFileTest, RolloverTestIsWrittenWithItsComputedRating)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CCompData d;
    EnterRolloverTest(d);
    const CRolloverVehicleData& r = d.m_RolloverVehicleData;
    EXPECT_DOUBLE_EQ(r.m_dAvgTrackWidth, 70.0);
    EXPECT_DOUBLE_EQ(r.m_dAvgCGHeight, 22.0);
    EXPECT_DOUBLE_EQ(r.m_dSSF, 70.0 / 44.0);
    EXPECT_DOUBLE_EQ(r.m_dRolloverProbability, 0.079);
    EXPECT_DOUBLE_EQ(r.m_dRiskScore, 0.53);
    EXPECT_EQ(r.m_nStarRating, 5);

    // Reals are rounded as they are written (3.46 to 3.5, 56.125 to 56.13), the date is
    // upper-cased and the last field trimmed in the data as well.
    EXPECT_EQ(WithoutDate(Written(d, dir)), WithoutDate(ReadFile(Fixture("rollover.mv5"))));
    EXPECT_EQ(d.m_strTestDate, "05-JUN-2009");
    EXPECT_EQ(d.m_saVehComments.GetAt(1), "Rollover vehicle ");
    EXPECT_EQ(d.m_saCompModIndicator.GetAt(1), "Y");

    CCompData back;
    ASSERT_TRUE(back.ReadTest(dir.file("out.mv5").c_str()));
    EXPECT_DOUBLE_EQ(back.m_RolloverVehicleData.m_dSSF, 1.59091);
    EXPECT_DOUBLE_EQ(back.m_RolloverVehicleData.m_dRoofHeight, 56.13);
    EXPECT_DOUBLE_EQ(back.m_RolloverVehicleData.m_dEngineDisplacement, 3.5);
    EXPECT_EQ(back.m_RolloverVehicleData.m_nVimfTestNo, 1234);
    EXPECT_EQ(back.m_RolloverVehicleData.m_strOptionalEquipment, "ABS, side airbags");
    EXPECT_EQ(back.m_RolloverVehicleData.m_nStarRating, 5);
    EXPECT_EQ(messages.count(), 0);
}

TEST(CompTestFileTest, WhatTheWriterLeavesOutOrAdds)
{
    const std::string nonVehicle = "0||||||||A NON-VEHICLE COMPONENT, No Vehicle information Available\r\n";
    const std::string defaultTest = "----- TEST -----\r\nC5| | | | | | | | |0|\r\n";
    const struct {
        const char* what;
        std::function<void(CCompData&)> change;
        std::string body;
    } cases[] = {
        // Without its TEST section a file could not be read back.
        {"every field at its default", [](CCompData&) {}, defaultTest + "----- VEHICLE -----\r\n" + nonVehicle},
        // Any vehicle field typed makes a vehicle line: the non-vehicle line would drop it.
        {"a VIN alone is a vehicle",
         [](CCompData& d) {
             d.m_nVehicleCount = 1;
             d.m_saVehVIN.SetAt(1, "VIN");
         },
         defaultTest + "----- VEHICLE -----\r\n1| | | | | |VIN| |\r\n"},
        {"comments alone are a vehicle",
         [](CCompData& d) {
             d.m_nVehicleCount = 1;
             d.m_saVehComments.SetAt(1, "towed");
         },
         defaultTest + "----- VEHICLE -----\r\n1| | | | | | | |towed\r\n"},
        {"a vehicle count over empty fields",
         [](CCompData& d) { d.m_nVehicleCount = 1; },
         defaultTest + "----- VEHICLE -----\r\n" + nonVehicle},
        {"a rollover vehicle with its engine displacement alone",
         [](CCompData& d) {
             d.m_strTestType = "ROV";
             d.m_nVehicleCount = 1;
             d.m_RolloverVehicleData.m_dEngineDisplacement = 3.5;
         },
         "----- TEST -----\r\nC5| | | | | | |ROV| |0|\r\n----- VEHICLE -----\r\n1| | | | | | | | |0 | | |3.5 | | |\r\n"
         "----- ROLLOVER -----\r\n | |0 | | |" + Zeros(50) + "0\r\n"},
        {"ROV without a vehicle",
         [](CCompData& d) {
             d.m_strTestType = "ROV";
             d.m_RolloverVehicleData.m_nStarRating = 3;
             d.m_RolloverVehicleData.m_dSSF = 1.234567;
             d.m_RolloverVehicleData.m_nFrontTirePressure = 35;
         },
         "----- TEST -----\r\nC5| | | | | | |ROV| |0|\r\n----- VEHICLE -----\r\n" + nonVehicle +
             "----- ROLLOVER -----\r\n | |35 | | |" + Zeros(47) + "1.23457 |0 |0 |3\r\n"},
        {"rov in lower case is no rollover test",
         [](CCompData& d) {
             d.m_strTestType = "rov";
             d.m_nVehicleCount = 1;
             d.m_saVehMake.SetAt(1, "FORD");
             d.m_nComponentCount = 1;
             d.m_saCompModIndicator.SetAtGrow(1, "Y");
         },
         "----- TEST -----\r\nC5| | | | | | |rov| |0|\r\n----- VEHICLE -----\r\n1|FORD| | | | | | |\r\n"
         "----- COMPONENT -----\r\n | | | | |Y| | | | |\r\n"},
        // Written as "ROV", the test reads back as a rollover test: it is written as one.
        {"ROV with a tab before it",
         [](CCompData& d) { d.m_strTestType = "\tROV"; },
         "----- TEST -----\r\nC5| | | | | | |ROV| |0|\r\n----- VEHICLE -----\r\n" + nonVehicle +
             "----- ROLLOVER -----\r\n | |0 | | |" + Zeros(50) + "0\r\n"},
        {"configurations without components",
         [](CCompData& d) {
             d.m_nConfigurationCount = 1;
             d.m_saConfNo.SetAtGrow(1, "1");
         },
         defaultTest + "----- VEHICLE -----\r\n" + nonVehicle},
        {"records but no curve count",
         [](CCompData& d) {
             d.m_nInstRecordCount = 3;
             d.m_saInstSensorType.SetAtGrow(3, "AC");
         },
         defaultTest + "----- VEHICLE -----\r\n" + nonVehicle},
        {"a curve count but no records",
         [](CCompData& d) { d.m_nCurveCount = 2; },
         "----- TEST -----\r\nC5| | | | | | | | |2|\r\n----- VEHICLE -----\r\n" + nonVehicle +
             "----- INSTRUMENTATION -----\r\n"},
        // A count past the records held never invents records.
        {"a record count past the arrays",
         [](CCompData& d) {
             d.m_nCurveCount = 1;
             d.m_nInstRecordCount = 7;
         },
         "----- TEST -----\r\nC5| | | | | | | | |1|\r\n----- VEHICLE -----\r\n" + nonVehicle +
             "----- INSTRUMENTATION -----\r\n | | |1| | | |SEC| | | | | | | | | | | | |\r\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        CCompData d;
        c.change(d);
        EXPECT_EQ(Body(Written(d, dir)), c.body) << c.what;
    }
}

TEST(CompTestFileTest, HeadLines)
{
    TempDir dir;
    CCompData d;
    const std::string plain = Written(d, dir);
    EXPECT_EQ(plain.substr(0, plain.find("\r\n")), "# Source: Morvel for Windows v5 in Component Test - No curve error checking");
    EXPECT_EQ(plain.find("\r\n# Date: <"), plain.find("\r\n"));
    d.m_vCurveErrors.resize(1);
    const std::string checked = Written(d, dir);
    EXPECT_EQ(checked.substr(0, checked.find("\r\n")),
              "# Source: Morvel for Windows v5 in Component Test - Curve error checking completed");
    EXPECT_EQ(checked.substr(checked.size() - 17), "----- END -----\r\n");
}

TEST(CompTestFileTest, ReadingTakesEachSectionWhereverItStands)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CCompData d;
    d.m_RolloverVehicleData.m_nStarRating = 4;
    d.m_saCompTested.SetAtGrow(5, "kept");
    Read(d, dir,
         comptest::kHead + "----- INSTRUMENTATION -----\r\n"
                           "1|1|1|1|AC|SEBK|XG|SEC|G|1|M|D|1|1|1|1|2|3|OK|PR|a\r\n"
                           "# a comment\r\n"
                           "1|1|1|2|AC|SEBK|XG|SEC|G|1|M|D|1|1|1|1|2|3|OK|PR|b\r\n"
                           "1|1|1|7|AC|SEBK|XG|SEC|G|1|M|D|1|1|1|1|2|3|OK|PR|c\r\n"
                           "----- TEST -----\r\n" +
             comptest::kTestLine +
             "----- VEHICLE -----\r\n1|FORD|TAURUS|99|K|B|V|Y|first\r\n2|GM|X|05|K|B|V|Y|second\r\n"
             "----- COMPONENT -----\r\n1|1|SEBK|FS|1|N| |H3|50|H|a\r\n\r\n#\r\n1|2|HDRS|FS|1|N| |H3|50|H|b\r\n");
    EXPECT_EQ(messages.count(), 0);
    // Curves 1, 2, 7: three records, whatever numbers the lines carry.
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_nInstRecordCount, 3);
    EXPECT_EQ(d.m_saInstComments.GetAt(3), "c");
    EXPECT_EQ(d.m_strTitle, "t");
    EXPECT_EQ(d.m_nVehicleCount, 1);
    EXPECT_EQ(d.m_saVehYear.GetAt(1), "1999");
    EXPECT_EQ(d.m_saVehComments.GetAt(1), "first");
    EXPECT_EQ(d.m_saVehMake.GetAt(2), "");
    EXPECT_EQ(d.m_nComponentCount, 2);
    EXPECT_EQ(d.m_saCompComments.GetAt(2), "b");
    EXPECT_EQ(d.m_saCompTested.GetAt(5), "kept"); // records above the counts are not reset
    EXPECT_EQ(d.m_RolloverVehicleData.m_nStarRating, 0) << "the rollover vehicle is the file's";
}

namespace {

// The rollover vehicle as its two places in the test file carry it.
std::string RolloverLines(CRolloverVehicleData r)
{
    return (FormatRecordLine(r, RolloverVehicleLineSection(), 0) + "\n" +
            FormatRecordLine(r, RolloverSectionTable(), 0)).str();
}

} // namespace

TEST(CompTestFileTest, TheRolloverVehicleBelongsToItsTest)
{
    platform::MessageRecorder messages;
    TempDir dir;
    const std::string a = ReadFile(Fixture("rollover.mv5"));
    std::string b = a;
    b.replace(b.find("|V6|3.5 |"), 9, "|V6|2.4 |");
    b.replace(b.rfind("|0.53 |5"), 8, "|1.41 |3");

    CCompData fresh;
    Read(fresh, dir, a);
    const std::string aLines = RolloverLines(fresh.m_RolloverVehicleData);
    const std::string aWritten = WithoutDate(Written(fresh, dir, "a.mv5"));

    // Load A, load B, Undo: A as it was, its rollover vehicle and rating included.
    CCompData d;
    Read(d, dir, a);
    const CCompData undo(d);
    Read(d, dir, b);
    EXPECT_EQ(d.m_RolloverVehicleData.m_nStarRating, 3);
    EXPECT_NE(RolloverLines(d.m_RolloverVehicleData), aLines);
    d = undo;
    EXPECT_EQ(RolloverLines(d.m_RolloverVehicleData), aLines);
    EXPECT_EQ(WithoutDate(Written(d, dir, "undone.mv5")), aWritten);

    // A file without the rollover vehicle, of either version, leaves none of the previous one.
    const std::string emptyLines = RolloverLines(CRolloverVehicleData());
    for (int version : {5, 4}) {
        Read(d, dir, a);
        if (version == 5)
            Read(d, dir, FileWith("----- VEHICLE -----\r\n1|FORD|T|2001|K|B|V|Y|c\r\n"));
        else
            Read(d, dir, ReadFile(Fixture("comp_full.mv4")), 4);
        EXPECT_EQ(RolloverLines(d.m_RolloverVehicleData), emptyLines) << version;
    }
    // Clear All Pages takes it away with the rest of the test.
    Read(d, dir, a);
    d.ClearTest();
    EXPECT_EQ(RolloverLines(d.m_RolloverVehicleData), emptyLines);
    EXPECT_EQ(messages.count(), 0);
}

TEST(CompTestFileTest, ANumberThatIsNotFiniteIsNoValue)
{
    platform::MessageRecorder messages;
    TempDir dir;
    std::string text = ReadFile(Fixture("rollover.mv5"));
    text.replace(text.find("|V6|3.5 |"), 9, "|V6|nan |");
    const std::string rollover = "----- ROLLOVER -----\r\nP|P215/60R16|35 |P|P215/60R16|35 |70 |69.5 |70.5 |";
    const size_t at = text.find(rollover) + rollover.size();
    text.replace(at, text.find("|108.5 |", at) - at,
                 "inf |-INF |1e999 |-1e999 |NaN |0x1p99999 |infinity |69.5");
    CCompData d;
    Read(d, dir, text);
    EXPECT_EQ(messages.count(), 0);
    const CRolloverVehicleData& r = d.m_RolloverVehicleData;
    for (double value : {r.m_dEngineDisplacement, r.m_dFrontTrackA, r.m_dFrontTrackB, r.m_dFrontTrackC,
                         r.m_dFrontTrackD, r.m_dRearTrackE, r.m_dRearTrackF, r.m_dRearTrackG})
        EXPECT_EQ(value, 0.0);
    EXPECT_EQ(r.m_dRearTrackH, 69.5);

    // Nor is a value a computation left behind written as one.
    d.m_RolloverVehicleData.m_dSSF = std::numeric_limits<double>::infinity();
    d.m_RolloverVehicleData.m_dRiskScore = std::numeric_limits<double>::quiet_NaN();
    for (std::string bytes : {Written(d, dir), Reported(d, dir)}) {
        std::transform(bytes.begin(), bytes.end(), bytes.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_EQ(bytes.find("nan"), std::string::npos);
        EXPECT_EQ(bytes.find("inf"), std::string::npos);
    }
    EXPECT_NE(Written(d, dir).find("|0 |0 |0 |0 |0 |0 |0 |69.5 |"), std::string::npos);
}

TEST(CompTestFileTest, AVehicleOfAnyFieldIsReportedToo)
{
    TempDir dir;
    CCompData d;
    d.m_nVehicleCount = 1;
    d.m_saVehVIN.SetAt(1, "1G1ZT52805F123456");
    EXPECT_NE(Reported(d, dir).find("----- VEHICLE -----\r\nVehicle Make:\t\r\n"), std::string::npos);
    EXPECT_NE(Reported(d, dir).find("Manufacturer VIN:\t1G1ZT52805F123456\r\n"), std::string::npos);
}

TEST(CompTestFileTest, ReadingEdges)
{
    const struct {
        const char* what;
        std::string text;
        std::function<void(const CCompData&)> check;
    } cases[] = {
        {"model years of two digits",
         FileWith("----- VEHICLE -----\r\n1|FORD|T|69|K|B|V|Y|c\r\n"),
         [](const CCompData& d) { EXPECT_EQ(d.m_saVehYear.GetAt(1), "2069"); }},
        {"1970 and on", FileWith("----- VEHICLE -----\r\n1|FORD|T|70|K|B|V|Y|c\r\n"),
         [](const CCompData& d) { EXPECT_EQ(d.m_saVehYear.GetAt(1), "1970"); }},
        {"a vehicle count above one", FileWith("----- VEHICLE -----\r\n7|FORD|T|2001|K|B|V|Y|c\r\n"),
         [](const CCompData& d) {
             EXPECT_EQ(d.m_nVehicleCount, 1);
             EXPECT_EQ(d.m_saVehMake.GetAt(1), "FORD");
         }},
        {"the non-vehicle line",
         FileWith("----- VEHICLE -----\r\n0||||||||A NON-VEHICLE COMPONENT, No Vehicle information Available\r\n"),
         [](const CCompData& d) {
             EXPECT_EQ(d.m_nVehicleCount, 0);
             EXPECT_EQ(d.m_saVehComments.GetAt(1), "A NON-VEHICLE COMPONENT, No Vehicle information Available");
             EXPECT_FALSE(d.HasVehicleData());
         }},
        {"a section ending without the end marker", FileWith("----- COMPONENT -----\r\n1|1|A|B|1|N| |H3|50|H|a"),
         [](const CCompData& d) { EXPECT_EQ(d.m_nComponentCount, 1); }},
        {"a marker with no records", FileWith("----- INSTRUMENTATION -----\r\n----- END -----\r\n"),
         [](const CCompData& d) { EXPECT_EQ(d.m_nCurveCount, 0); }},
        {"an empty star rating",
         FileWith("----- ROLLOVER -----\r\n" + std::string(55, '|') + "\r\n"),
         [](const CCompData& d) { EXPECT_EQ(d.m_RolloverVehicleData.m_nStarRating, 0); }},
        {"a later rollover line wins",
         FileWith("----- ROLLOVER -----\r\n" + std::string(55, '|') + "2\r\n" + std::string(55, '|') + "3\r\n"),
         [](const CCompData& d) { EXPECT_EQ(d.m_RolloverVehicleData.m_nStarRating, 3); }},
    };
    for (const auto& c : cases) {
        platform::MessageRecorder messages;
        TempDir dir;
        CCompData d;
        d.m_nCurveCount = 5;
        d.m_nInstRecordCount = 5;
        Read(d, dir, c.text);
        EXPECT_EQ(messages.count(), 0) << c.what;
        c.check(d);
    }
}

TEST(CompTestFileTest, FilesThatCannotBeRead)
{
    TempDir dir;
    {
        platform::MessageRecorder messages;
        CCompData d;
        const std::string path = dir.file("no_test.mv5");
        WriteFile(path, comptest::kHead + "----- COMPONENT -----\r\n1|1|A|B|1|N| |H3|50|H|a\r\n");
        EXPECT_FALSE(d.ReadTest(path.c_str()));
        EXPECT_EQ(d.m_nComponentCount, 0);
        EXPECT_EQ(messages.count(), 0);
        EXPECT_TRUE(d.ReadVersion4(path.c_str())); // version 4 takes what there is
        EXPECT_EQ(d.m_nComponentCount, 1);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, "This MV4 file has 10 | characters in line 1 of the COMPONENT section, should have 11");
    }
    {
        platform::MessageRecorder messages;
        CCompData d;
        const std::string path = dir.file("missing.mv5");
        EXPECT_FALSE(d.ReadTest(path.c_str()));
        EXPECT_FALSE(d.ReadVersion4(path.c_str()));
        ASSERT_EQ(messages.count(), 2);
        EXPECT_EQ(messages.last().text, "Can't open file " + path + ", error = 2\n");
        EXPECT_EQ(messages.last().caption, "Error");
    }
}

TEST(CompReportTest, SectionsAndTheirConditions)
{
    TempDir dir;
    const std::string head = "# Source: Morvel for Windows v5\r\n# Date: <>\r\n----- MV5 REPORT FILE -----\r\n";
    {
        CCompData d;
        EXPECT_EQ(WithoutDate(Reported(d, dir)), head + "----- END -----\r\n");
    }
    {
        CCompData d;
        d.m_strTestDate = "12-jan-2009";
        d.m_strTestType = "rov";
        d.m_nCurveCount = 3;
        d.m_nComponentCount = 1;
        d.m_saCompTested.SetAtGrow(1, "SEBK");
        const std::string report = Reported(d, dir);
        EXPECT_EQ(d.m_strTestDate, "12-JAN-2009");
        EXPECT_NE(report.find("Test Date:\t12-JAN-2009\r\n"), std::string::npos);
        EXPECT_EQ(report.find("ROLLOVER"), std::string::npos);
        EXPECT_EQ(report.find("Record "), std::string::npos); // one component, no record line
        EXPECT_NE(report.find("Component Tested:\tSEBK\r\n"), std::string::npos);
        EXPECT_NE(report.find("----- INSTRUMENTATION -----\r\n----- END -----\r\n"), std::string::npos);
    }
}
