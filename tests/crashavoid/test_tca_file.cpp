#include "crashavoid/TcaData.h"

#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <regex>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

const std::string kHead = "# Source: Morvel for windows v5\r\n# Date:   Tue Mar 12 10:04:05 2024\r\n\r\n----- MV5 -----\r\n";
const std::string kTestLine = "T5|t|o|12-MAR-2024|TRC|C1|R1|NCA|FCW|ASP|DRY|21|0|c";

// The date line holds the moment of writing; the rest of a written file is compared as it stands.
std::string WithFixedDate(std::string text)
{
    static const std::regex date("# Date:   [^\r]*\r\n");
    return std::regex_replace(text, date, "# Date:   Tue Mar 12 10:04:05 2024\r\n", std::regex_constants::format_first_only);
}

std::string Written(CTcaData& data, const TempDir& dir, const std::string& name = "out.mv5")
{
    const std::string path = dir.file(name);
    EXPECT_TRUE(data.WriteTest(path.c_str()));
    return ReadFile(path);
}

TestFileResult ReadText(CTcaData& data, const TempDir& dir, const std::string& text)
{
    const std::string path = dir.file("in.mv5");
    WriteFile(path, text);
    return data.ReadTest(path.c_str());
}

std::string Bars(int count, const std::string& first = "1")
{
    std::string line = first;
    for (int i = 0; i < count; ++i)
        line += "|";
    return line;
}

} // namespace

TEST(TcaFileTest, FullTestReadsAndIsWrittenBackToTheByte)
{
    TempDir dir;
    const std::string original = ReadFile(testutil::DataPath("crashavoid/full.mv5"));
    CTcaData data;
    ASSERT_TRUE(data.ReadTest(testutil::DataPath("crashavoid/full.mv5").c_str()));
    EXPECT_TRUE(data.m_Messages.empty());

    EXPECT_EQ(data.m_pTestRecord->m_strComments, "Wet start, dry end");
    ASSERT_EQ(data.m_VehicleRecords.size(), 2u);
    EXPECT_EQ(data.m_VehicleRecords[1].m_strWidth, "1840");
    EXPECT_EQ(data.m_VehicleRecords[1].m_strCommentary, "Second car");
    ASSERT_TRUE(data.m_pLBeamRecord);
    EXPECT_EQ(data.m_pLBeamRecord->m_strDetector, "MAN");
    EXPECT_EQ(data.m_pLBeamRecord->m_Locations[15], "L16");
    EXPECT_EQ(data.m_pLBeamRecord->m_Illuminances[15], "150");
    EXPECT_EQ(data.m_pLBeamRecord->m_strCommentary, "Glare at 60 m");
    ASSERT_EQ(data.m_AmberRecords.size(), 2u);
    EXPECT_FALSE(data.m_AmberRecords[0].m_bAmberInColor);
    EXPECT_EQ(data.m_AmberRecords[0].m_strY4, "0.8");
    EXPECT_TRUE(data.m_AmberRecords[1].m_bAmberInColor);
    ASSERT_EQ(data.m_RolloverRecords.size(), 2u);
    EXPECT_TRUE(data.m_RolloverRecords[0].m_bTipUp);
    EXPECT_FALSE(data.m_RolloverRecords[1].m_bTipUp);
    ASSERT_EQ(data.m_InstRecords.size(), 2u);
    EXPECT_EQ(data.m_InstRecords[1].m_strTechDescription, "Radar off");
    EXPECT_EQ(data.m_InstRecords[1].m_strCommentary, "Channel 2");
    EXPECT_EQ(data.m_nCurVehicle, 0);
    EXPECT_EQ(data.m_nCurAmber, 0);
    EXPECT_EQ(data.m_nCurRollover, 0);
    EXPECT_EQ(data.m_nCurInst, 1);

    const std::string first = Written(data, dir);
    EXPECT_EQ(WithFixedDate(first), original);
    EXPECT_TRUE(std::regex_search(first, std::regex("^# Source: Morvel for windows v5\r\n# Date:   [A-Z][a-z]{2} "
                                                    "[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}\r\n"
                                                    "\r\n----- MV5 -----\r\n")));

    CTcaData again;
    ASSERT_TRUE(again.ReadTest(dir.file("out.mv5").c_str()));
    EXPECT_EQ(WithFixedDate(Written(again, dir, "again.mv5")), original);
}

TEST(TcaFileTest, EmptySectionsAreLeftOut)
{
    TempDir dir;
    CTcaData data;
    // A lower-beam record without Vehicle Number and Detector (blanks count as empty) is not
    // written, and neither is an amber record without a Vehicle Number, which would end the
    // section when read and lose the records after it.
    data.m_pLBeamRecord = std::make_unique<TcaLBeamRecord>();
    data.m_pLBeamRecord->m_strVehicleNumber = "   ";
    data.m_pLBeamRecord->m_strWindSpeed = "3";
    data.m_AmberRecords.resize(1);
    data.m_AmberRecords[0].m_strIlluminance = "5";
    EXPECT_EQ(WithFixedDate(Written(data, dir)), kHead + "----- TEST -----\r\nT5|||||||NCA|||||0|\r\n----- END -----");

    data.m_AmberRecords.resize(2);
    data.m_AmberRecords[1].m_strVehicleNumber = "2";
    data.m_pLBeamRecord->m_strDetector = "D";
    const std::string text = Written(data, dir);
    EXPECT_NE(text.find("----- LOWER BEAM -----\r\n||3|D|"), std::string::npos);
    EXPECT_NE(text.find("----- AMBER -----\r\n2||||0" + std::string(13, '|') + "\r\n----- END -----"), std::string::npos);
}

TEST(TcaFileTest, WritingTrimsMakesValuesSafeAndRenumbersCurves)
{
    TempDir dir;
    CTcaData data;
    data.m_pTestRecord->m_strTitle = "  Night  run  ";
    data.m_pTestRecord->m_strObjective = "\t";
    data.m_pTestRecord->m_strComments = "a|b\r\nc";
    data.m_pTestRecord->m_strWarningDistance = "40";
    data.m_InstRecords.resize(2);
    data.m_InstRecords[0].m_strCurveNumber = "7";
    data.m_InstRecords[1].m_strCurveNumber = "9";
    const std::string text = Written(data, dir);

    EXPECT_NE(text.find("\r\nT5|Night  run|\t|||||NCA|||||2|a/bc\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n|1" + std::string(15, '|') + "SEC" + std::string(12, '|') + "\r\n|2|"), std::string::npos);
    EXPECT_EQ(data.m_pTestRecord->m_strTitle, "Night  run");
    EXPECT_EQ(data.m_pTestRecord->m_strComments, "a/bc");
    EXPECT_EQ(data.m_pTestRecord->m_strTotalCurves, "2");
    EXPECT_EQ(data.m_InstRecords[1].m_strCurveNumber, "9"); // the position is written, not the field
    EXPECT_EQ(text.find("|40"), std::string::npos); // not the clock in the head lines
}

TEST(TcaFileTest, UnwritableFileIsReported)
{
    platform::MessageRecorder recorder;
    TempDir dir;
    CTcaData data;
    const std::string path = dir.file("missing/out.mv5");
    EXPECT_FALSE(data.WriteTest(path.c_str()));
    ASSERT_EQ(recorder.count(), 1);
    EXPECT_EQ(recorder.last().caption, "Error");
    EXPECT_EQ(recorder.last().text, "Can't open file " + path + ", error = 3\n");
}

TEST(TcaFileTest, DamagedLineGivesItsPipeErrorAndKeepsWhatCameBefore)
{
    const std::string veh = Bars(18);
    const std::string lb = Bars(38);
    const std::string amb = Bars(17);
    const std::string rol = Bars(13);
    const std::string inst = Bars(28);
    struct Case {
        std::string sections;
        std::string message;
    };
    const std::vector<Case> cases {
        {"----- TEST -----\r\nT5|a\r\n", "Pipe error in line 2 of TEST: its No. of pipes is 1; required 13"},
        // The vehicle line makes it a crash-avoidance file, the TEST section having none.
        {"----- TEST -----\r\n----- END -----\r\n----- VEHICLE -----\r\n" + veh + "\r\n",
         "Pipe error in line 2 of TEST: its No. of pipes is 0; required 13"},
        {"----- TEST -----\r\n" + kTestLine + "\r\n----- VEHICLE -----\r\n" + veh + "\r\n1|2|3\r\n",
         "Pipe error in line 5 of VEHICLE: its No. of pipes is 2; required 18"},
        {"----- TEST -----\r\n" + kTestLine + "\r\n----- LOWER BEAM -----\r\n" + Bars(39) + "\r\n",
         "Pipe error in line 4 of LBEAM: its No. of pipes is 39; required 38"},
        {"----- TEST -----\r\n" + kTestLine + "\r\n----- LOWER BEAM -----", // marker is the last line
         "Pipe error in line 4 of LBEAM: its No. of pipes is 0; required 38"},
        {"----- TEST -----\r\n" + kTestLine + "\r\n----- AMBER -----\r\n" + amb + "\r\n" + Bars(18) + "\r\n",
         "Pipe error in line 5 of AMBER: its No. of pipes is 18; required 17"},
        {"----- TEST -----\r\n" + kTestLine + "\r\n----- ROLLOVER -----\r\n" + rol + "\r\nx\r\n",
         "Pipe error in line 5 of ROLLOVER: its No. of pipes is 0; required 13"},
        {"----- TEST -----\r\n" + kTestLine + "\r\n----- INSTRUMENTATION -----\r\n" + inst + "\r\n" + Bars(27) + "\r\n",
         "Pipe error in line 5 of TNSTRUMENTATION: its No. of pipes is 27; required 28"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        CTcaData data;
        const TestFileResult read = ReadText(data, dir, kHead + c.sections);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.message.str(), c.message);
        ASSERT_EQ(data.m_Messages.size(), 1u);
        EXPECT_EQ(data.m_Messages[0], c.message);
        // The records before the damaged line stay, with their section's current index.
        const size_t kept = c.message.find("TEST") == std::string::npos && c.message.find("LBEAM") == std::string::npos;
        EXPECT_EQ(data.m_VehicleRecords.size() + data.m_AmberRecords.size() + data.m_RolloverRecords.size() +
                      data.m_InstRecords.size(),
                  kept);
        EXPECT_EQ(data.m_nCurVehicle + data.m_nCurAmber + data.m_nCurRollover + data.m_nCurInst, kept ? -3 : -4);
    }
}

TEST(TcaFileTest, ReadingFollowsTheFileGrammar)
{
    TempDir dir;
    const std::string veh = "|VT|MAKE" + Bars(16, "");
    const std::string inst = Bars(28);
    CTcaData data;
    // Blanks around markers and lines go; comments and empty lines are skipped; a marker counts
    // at its last occurrence; a line holding "-----" ends a record section, and an amber line
    // with an empty first field ends the amber section; the last section needs no END line.
    ASSERT_TRUE(ReadText(data, dir,
                         "#----- VEHICLE -----\r\n   ----- TEST -----  \r\n  " + kTestLine +
                             "  \r\n----- VEHICLE -----\r\nignored|\r\n----- VEHICLE -----\r\n" + veh + "\n\n#" + veh +
                             "\r\n" + veh + "\r\n1|has ----- inside" + Bars(17, "") + "\r\n" + veh +
                             "\r\n----- AMBER -----\r\n1" + Bars(17) + "\r\n" + Bars(17, "") + "\r\n2" + Bars(17) +
                             "\r\n----- INSTRUMENTATION -----\r\n" + inst + "\r\n" + inst + "\r\n" + inst));
    EXPECT_TRUE(data.m_Messages.empty());
    EXPECT_EQ(data.m_pTestRecord->m_strComments, "c");
    ASSERT_EQ(data.m_VehicleRecords.size(), 2u);
    EXPECT_EQ(data.m_VehicleRecords[0].m_strMake, "MAKE");
    EXPECT_EQ(data.m_AmberRecords.size(), 1u);
    EXPECT_EQ(data.m_InstRecords.size(), 3u);
    EXPECT_EQ(data.m_nCurVehicle, 0);
    EXPECT_EQ(data.m_nCurInst, 2);
    // A lone CR ends a line, as in every kind's files: what follows it is a line of its own.
    ASSERT_TRUE(ReadText(data, dir, kHead + "----- TEST -----\r\n" + kTestLine + " \r x\r\n"));
    EXPECT_EQ(data.m_pTestRecord->m_strComments, "c");
}

TEST(TcaFileTest, LoadingReplacesTheTestHeldBefore)
{
    TempDir dir;
    CTcaData data;
    data.m_pLBeamRecord = std::make_unique<TcaLBeamRecord>();
    data.m_pLBeamRecord->m_strVehicleNumber = "1";
    data.m_VehicleRecords.resize(2);
    data.m_nCurVehicle = 1;
    data.m_pTestRecord->m_strWarningDistance = "40";
    data.m_pTestRecord->m_strStatus = "P";
    ASSERT_TRUE(ReadText(data, dir, kHead + "----- TEST -----\r\n" + kTestLine + "\r\n----- END -----"));
    EXPECT_FALSE(data.m_pLBeamRecord);
    EXPECT_TRUE(data.m_VehicleRecords.empty());
    EXPECT_EQ(data.m_nCurVehicle, -1);
    // Only the file's own fields are replaced: the two held in memory alone stay.
    EXPECT_EQ(data.m_pTestRecord->m_strWarningDistance, "40");
    EXPECT_EQ(data.m_pTestRecord->m_strStatus, "P");
    EXPECT_EQ(data.m_pTestRecord->m_strTitle, "t");
}

TEST(TcaFileTest, FilesThatHoldNoTestGiveFalse)
{
    TempDir dir;
    CTcaData data;
    data.m_VehicleRecords.resize(1);
    const std::string missing = dir.file("nothing.mv5");
    const TestFileResult unopened = data.ReadTest(missing.c_str());
    EXPECT_FALSE(unopened);
    EXPECT_EQ(unopened.message.str(), "File " + missing + " cannot open");
    EXPECT_EQ(data.m_VehicleRecords.size(), 1u); // nothing changed

    // A file without a test line says so, and no pipe error.
    for (const std::string& text : {std::string(), kHead + "----- VEHICLE -----\r\n----- END -----"}) {
        const TestFileResult read = ReadText(data, dir, text);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.message.str(), "File " + dir.file("in.mv5") + " is not a Crash Avoidance test.");
    }
}

TEST(TcaRecordTest, DefaultsAndTrimming)
{
    CTcaData data;
    EXPECT_EQ(data.m_pTestRecord->m_strVersion, "T5");
    EXPECT_EQ(data.m_pTestRecord->m_strType, "NCA");
    EXPECT_FALSE(data.m_pLBeamRecord);
    EXPECT_EQ(TcaInstRecord().m_strXUnit, "SEC");

    TcaTestRecord test;
    test.m_strWarningDistance = "55";
    test.m_strTitle = "x";
    test.m_strStatus = "F";
    test.SetDefaults();
    EXPECT_EQ(test.m_strWarningDistance, "55");
    EXPECT_EQ(test.m_strTitle, "");
    EXPECT_EQ(test.m_strStatus, "");

    test.m_strTitle = "  two  words ";
    test.m_strObjective = "\t\t";
    test.m_strComments = "   ";
    test.m_strWarningDistance = " 7 ";
    test.TrimAll();
    EXPECT_EQ(test.m_strTitle, "two  words");
    EXPECT_EQ(test.m_strObjective, "\t\t");
    EXPECT_EQ(test.m_strComments, "");
    EXPECT_EQ(test.m_strWarningDistance, " 7 "); // not a field of the file

    TcaLBeamRecord beam;
    beam.m_Locations.clear();
    beam.SetDefaults();
    EXPECT_EQ(beam.m_Locations.size(), 16u);
    EXPECT_EQ(beam.m_Illuminances.size(), 16u);

    TcaInstRecord inst;
    inst.m_strCurveNumber = " 4 ";
    inst.TrimAll();
    EXPECT_EQ(inst.m_strCurveNumber, " 4 ");
}
