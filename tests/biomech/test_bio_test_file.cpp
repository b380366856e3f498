#include "BioTestSupport.h"

#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"


#include <gtest/gtest.h>

using biotest::Fields;
using biotest::Fixture;
using biotest::kHead;
using biotest::kTestLine;
using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;
using filetests::Lines;

namespace {

std::vector<std::string> Written(CBioData& data, const TempDir& dir)
{
    EXPECT_TRUE(data.WriteTest(dir.file("out.mv5").c_str()));
    return Lines(ReadFile(dir.file("out.mv5")));
}

bool Read(CBioData& data, const TempDir& dir, const std::string& text, int version = 5)
{
    const std::string path = dir.file(version == 5 ? "in.mv5" : "in.mv4");
    WriteFile(path, text);
    return (version == 5 ? data.ReadTest(path.c_str()) : data.ReadVersion4(path.c_str())).ok;
}

// The marker lines of a written file, "MV5,TEST,...,END,".
std::string Sections(const std::vector<std::string>& lines)
{
    std::string names;
    for (const auto& line : lines)
        if (line.rfind("----- ", 0) == 0)
            names += line.substr(6, line.size() - 12) + ",";
    return names;
}

} // namespace

TEST(BioTestFileTest, WriterOfANewObject)
{
    TempDir dir;
    CBioData d;
    const auto lines = Written(d, dir);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "# Source: Morvel for Windows v5 in Biomechanics Test - No curve error checking");
    EXPECT_EQ(lines[1].rfind("# Date: <", 0), 0u);
    EXPECT_EQ(lines[2], "----- MV5 -----");
    EXPECT_EQ(lines[3], "----- TEST -----");
    EXPECT_EQ(lines[4], "B5| | | | | | | | |DDA|UMB| | |0| |");
    EXPECT_EQ(lines[5], "----- END -----");
    d.m_vCurveErrors.emplace_back();
    EXPECT_EQ(Written(d, dir)[0], "# Source: Morvel for Windows v5 in Biomechanics Test - Curve error checking completed");
}

TEST(BioTestFileTest, WriterFormatsFieldsAndChangesWhatThePartSays)
{
    TempDir dir;
    CBioData d;
    d.m_strVersion = "V4 carried over";
    d.m_strTitle = " a title ";
    d.m_strTestDate = "12-mar-2001";
    d.m_strTestComments = "  spaced  ";
    d.m_strOccupantType = "H3";
    d.m_strDumLocation = "01";
    d.m_strDumComments = " last ";
    d.m_strDumNeckInjury = "\t";
    const auto lines = Written(d, dir);
    EXPECT_EQ(lines[4], "B5|a title| |12-MAR-2001| | | | | |DDA|UMB| | |0|H3|spaced");
    EXPECT_EQ(lines[6], "01| | | | | | | | | | | | | | | | | | | | | | | |last");
    EXPECT_EQ(d.m_strTestDate, "12-MAR-2001");
    EXPECT_EQ(d.m_strTestComments, "spaced");
    EXPECT_EQ(d.m_strDumComments, "last");
    EXPECT_EQ(d.m_strTitle, " a title ");
    EXPECT_EQ(d.m_strVersion, "V4 carried over");
}

TEST(BioTestFileTest, SectionsLeftOutByTheirGuards)
{
    TempDir dir;
    {
        // An occupant that names no place is not written; the TEST line always is.
        CBioData d;
        d.m_strRecorderType.Empty();
        d.m_strDataLinkType.Empty();
        d.m_strOccupantType = "CD";
        d.m_strBioAge = "67";
        d.m_strDumLocation = "01";
        EXPECT_EQ(Sections(Written(d, dir)), "MV5,TEST,END,");
        d.m_strBioSex = "M";
        EXPECT_EQ(Sections(Written(d, dir)), "MV5,TEST,BIO OCCUPANT,END,");
    }
    {
        CBioData d;
        d.m_strOccupantType = "H3";
        d.m_strDumSeatPosition = "MID";
        d.m_nRestraintCount = 3;
        d.m_strAntStature = "1750";
        d.m_nRibCount = 1; // blank ribs: no section
        d.m_saRibLocation.SetAt(1, "  ");
        d.m_nInjuryCount = 1;
        d.m_nInstCount = 1;
        d.m_nChestBandCount = 1;
        d.m_nGaugeCount = 1;
        d.m_saGaugeBandNo.SetAt(1, "2");
        const auto lines = Written(d, dir);
        EXPECT_EQ(Sections(lines), "MV5,TEST,DUMMY OCCUPANT,RESTRAINT,ANTHROPOMETRY,OCCUPANT INJURY,INSTRUMENTATION,"
                                   "CHEST BAND,CHEST BAND GAUGE,END,");
        EXPECT_EQ(lines[8], "1| | | |");
        EXPECT_EQ(lines[10], "3| | | |");
        EXPECT_EQ(lines.rbegin()[1], "2| | | |");
    }
}

TEST(BioTestFileTest, FieldsLandInTheirMembers)
{
    platform::MessageRecorder messages;
    CBioData d;
    ASSERT_TRUE(d.ReadTest(Fixture("bio.mv5").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_strTestReference, "B1234");
    EXPECT_EQ(d.m_strOccupantType, "CD");
    EXPECT_EQ(d.m_nCurveCount, 2);
    EXPECT_EQ(d.m_strBioComponentWeight, "3.5");
    EXPECT_EQ(d.m_strBioBmcComments, "Spine scan");
    EXPECT_EQ(d.m_strBioComments, "Embalmed");
    EXPECT_EQ(d.m_strAntKneeHeightSeated, "530");
    EXPECT_EQ(d.m_strAntInterscyeDistance, "390");
    EXPECT_EQ(d.m_nRibCount, 4);
    EXPECT_EQ(d.m_saRibCrossSection.GetAt(4), "35.1");
    EXPECT_EQ(d.m_nInjuryCount, 2);
    EXPECT_EQ(d.m_saInjComments.GetAt(2), "Fracture of rib 5");
    EXPECT_EQ(d.m_nInstCount, 2);
    EXPECT_EQ(d.m_saInstSensorLocation.GetAt(2), "T12");
    EXPECT_EQ(d.m_saInstTimeIncrement.GetAt(1), "0.0001");
    EXPECT_EQ(d.m_nChestBandCount, 1);
    EXPECT_EQ(d.m_saBandGaugeCount.GetAt(1), "40");
    EXPECT_EQ(d.m_nGaugeCount, 2);
    EXPECT_EQ(d.m_saGaugeDistance.GetAt(2), "2.5");
    EXPECT_EQ(d.m_saGaugeComments.GetAt(1), "");

    CBioData dummy;
    ASSERT_TRUE(dummy.ReadTest(Fixture("dummy.mv5").c_str()));
    EXPECT_EQ(dummy.m_strDumThoracicCriterion, "0.81");
    EXPECT_EQ(dummy.m_strDumDescription, "Hybrid III 50th male");
    EXPECT_EQ(dummy.m_saRestComments.GetAt(2), "Driver air bag");
}

TEST(BioTestFileTest, TheTestLineDecidesTheLoad)
{
    TempDir dir;
    const struct {
        std::string test;
        bool result;
        const char* title;
    } cases[] = {
        {"b5|t|o|d|p|c|R|S|2|D|U|5|0|7|H3|x", true, "t"},
        {"V5|t|o|d|p|c|R|S|2|D|U|5|0|7|H3|x", false, ""},
        {"|t|o|d|p|c|R|S|2|D|U|5|0|7|H3|x", false, ""},
        // Five dashes in a value, as the writer writes them, are a value.
        {"B5|-----TITLE|o|d|p|c|R|S|2|D|U|5|0|7|H3|x", true, "-----TITLE"},
    };
    for (const auto& c : cases) {
        platform::MessageRecorder messages;
        CBioData d;
        EXPECT_EQ(Read(d, dir, kHead + "----- TEST -----\r\n# a comment\r\n\r\n" + c.test + "\r\n" +
                                   "----- RESTRAINT -----\r\n" + Fields("1", 4)),
                  c.result)
            << c.test;
        EXPECT_EQ(d.m_strTitle, c.title);
        EXPECT_EQ(d.m_nRestraintCount, c.result ? 1 : 0);
        // Total Number of Curves follows the INSTRUMENTATION lines, not the TEST line.
        EXPECT_EQ(d.m_nCurveCount, 0);
        EXPECT_EQ(messages.count(), 0);
    }
    CBioData none;
    EXPECT_FALSE(Read(none, dir, kHead + "----- TEST -----\r\n----- RESTRAINT -----\r\n" + Fields("1", 4)));
    EXPECT_FALSE(Read(none, dir, "----- RESTRAINT -----\r\n" + Fields("1", 4)));
}

TEST(BioTestFileTest, GroupsAreCountedByTheLinesStored)
{
    TempDir dir;
    platform::MessageRecorder messages;
    const std::string test = kHead + "----- TEST -----\r\n" + kTestLine;
    CBioData d;
    d.m_nInjuryCount = 3; // unchanged when its section is absent
    d.m_nChestBandCount = 4;
    ASSERT_TRUE(Read(d, dir, test + "----- RIB -----\r\n" + Fields("7", 9) + "# between\r\n" + Fields("2", 9) +
                             "----- INSTRUMENTATION -----\r\n" + Fields("5", 18) + Fields("1", 18) + Fields("9", 18) +
                             "----- RESTRAINT -----\r\n" + Fields("-4", 4)));
    EXPECT_EQ(d.m_nRibCount, 2);
    EXPECT_EQ(d.m_nInstCount, 3);
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_nRestraintCount, 1);
    EXPECT_EQ(d.m_nInjuryCount, 3);
    EXPECT_EQ(d.m_nChestBandCount, 0);
    EXPECT_EQ(d.m_saRibLocation.GetAt(2), "f1");
    EXPECT_GE(d.m_saInjComments.GetSize(), 4);
    EXPECT_EQ(messages.count(), 0);
}

TEST(BioTestFileTest, OnlyTheFirstMarkerIsReadAndAFileMayEndWithoutItsEndLine)
{
    TempDir dir;
    CBioData d;
    ASSERT_TRUE(Read(d, dir, kHead + "----- TEST -----\r\n" + kTestLine + "----- RESTRAINT -----\r\n1|A|B|C|first\r\n" +
                             "----- RESTRAINT -----\r\n1|A|B|C|second\r\n2|A|B|C|third"));
    EXPECT_EQ(d.m_nRestraintCount, 1);
    EXPECT_EQ(d.m_saRestComments.GetAt(1), "first");
}

TEST(BioTestFileTest, Version4Layouts)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CBioData v4;
    v4.m_strOccupantType = "H3";
    v4.m_saInstXUnits.SetAt(2, "MSEC");
    v4.m_saInjAis90.SetAt(1, "4");
    ASSERT_TRUE(v4.ReadVersion4(Fixture("bio.mv4").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(v4.m_strOccupantType, "CD");
    EXPECT_EQ(v4.m_saInstXUnits.GetAt(2), "SEC");
    EXPECT_EQ(v4.m_saInjAis90.GetAt(1), "");
    EXPECT_EQ(v4.m_nRibCount, 4);
    EXPECT_EQ(v4.m_saRibMomentOfInertia.GetAt(2), "1.4E-3");
    EXPECT_EQ(v4.m_saRibLocation.GetAt(3), "L06");
    EXPECT_EQ(v4.m_saRibCrossSection.GetAt(4), "35.1");
    EXPECT_EQ(v4.m_strBioPulmonaryPressure, "YES");
    EXPECT_EQ(v4.m_strBioReferenceNo, "");
    EXPECT_EQ(v4.m_nGaugeCount, 2); // under the older marker "----- GAUGE"

    const std::string dummy = "----- DUMMY OCCUPANT -----\r\n" + Fields("x|01|H3", 19);
    const std::string bio = "x|03|CD" + std::string(53, '|') + "\r\n";
    const struct {
        std::string text;
        const char* type;
        int ribs;
    } cases[] = {
        {"----- BIO OCCUPANT -----\r\n" + bio + dummy, "CD", 4},
        {dummy + "----- BIO OCCUPANT -----\r\n# comment first\r\n" + bio, "CD", 4},
        {"----- BIO OCCUPANT -----\r\n----- DUMMY OCCUPANT -----\r\n" + Fields("x|01|H3", 19), "H3", 0},
        {dummy, "H3", 0},
    };
    for (const auto& c : cases) {
        CBioData d;
        ASSERT_TRUE(Read(d, dir, "----- TEST -----\r\n" + Fields("x|B4", 14) + c.text, 4));
        EXPECT_EQ(d.m_strOccupantType, c.type) << c.text;
        EXPECT_EQ(d.m_nRibCount, c.ribs) << c.text;
        EXPECT_EQ(d.m_strVersion, "B4");
        EXPECT_EQ(d.m_strDumSex, c.ribs ? "" : "f1") << c.text;
    }
    EXPECT_EQ(messages.count(), 0);
}

TEST(BioTestFileTest, OpenFailures)
{
    platform::MessageRecorder messages;
    TempDir dir;
    CBioData d;
    EXPECT_FALSE(d.ReadTest(dir.file("none.mv5").c_str()));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("none.mv5") + ", error = 2\n");
    EXPECT_EQ(messages.last().caption, "Error");
    EXPECT_FALSE(d.ReadVersion4(dir.file("none.mv4").c_str()));
    EXPECT_FALSE(d.WriteTest(dir.file("no/such.mv5").c_str()));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("no/such.mv5") + ", error = 3\n");
    EXPECT_FALSE(d.WriteReport(dir.file("no/such.mvr").c_str()));
    EXPECT_EQ(messages.count(), 4);
}
