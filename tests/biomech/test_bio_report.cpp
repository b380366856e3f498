#include "BioTestSupport.h"

#include "platform/Messages.h"


#include <gtest/gtest.h>


using testutil::ReadFile;
using testutil::TempDir;
using filetests::Has;
using filetests::Lines;

namespace {

std::vector<std::string> Report(CBioData& d, const TempDir& dir)
{
    EXPECT_TRUE(d.WriteReport(dir.file("r.mvr").c_str()));
    return Lines(ReadFile(dir.file("r.mvr")));
}

} // namespace

TEST(BioReportTest, ADummyWithOneRestraint)
{
    TempDir dir;
    CBioData d;
    d.m_strRecorderType.Empty();
    d.m_strDataLinkType.Empty();
    d.m_strOccupantType = "H3";
    d.m_strDumTti = "44"; // no place named: the report holds the occupant all the same
    d.m_nRestraintCount = 1;
    d.m_saRestType.SetAt(1, "  BELT|x ");
    const auto lines = Report(d, dir);
    ASSERT_EQ(lines.size(), 3u + 17 + 26 + 5 + 1);
    EXPECT_EQ(lines[0], "# Source: Morvel for Windows v5");
    EXPECT_EQ(lines[2], "----- MV5 REPORT FILE -----");
    EXPECT_EQ(lines[3], "----- TEST -----"); // Occupant Type H3 is test data
    EXPECT_EQ(lines[20], "----- DUMMY OCCUPANT -----");
    EXPECT_EQ(lines[21], "Occupant Location:\t");
    EXPECT_EQ(lines[33], "Thoracic Trauma Index:\t44");
    EXPECT_EQ(lines[46], "----- RESTRAINT -----");
    EXPECT_EQ(lines[47], "Restraint Type:\t  BELT|x ");
    EXPECT_EQ(lines[50], "Restraint Comments:\t");
    EXPECT_EQ(lines.back(), "----- END -----");
}

TEST(BioReportTest, RecordsAreHeadedWhenThereAreSeveralAndTheDateIsUpperCased)
{
    TempDir dir;
    CBioData d;
    d.m_strTestDate = "12-mar-2001";
    d.m_nInjuryCount = 2;
    d.m_saInjInjury.SetAt(2, "F");
    const auto lines = Report(d, dir);
    EXPECT_TRUE(Has(lines, "Test Date:\t12-MAR-2001"));
    EXPECT_EQ(d.m_strTestDate, "12-MAR-2001");
    const auto at = std::find(lines.begin(), lines.end(), "----- OCCUPANT INJURY -----") - lines.begin();
    EXPECT_EQ(lines[at + 1], "Record 1:");
    EXPECT_EQ(lines[at + 9], "Record 2:");
    EXPECT_EQ(lines[at + 12], "Injury:\tF");
}

TEST(BioReportTest, SectionsLeftOutByTheirTests)
{
    TempDir dir;
    CBioData d;
    d.m_strOccupantType = "CD";
    d.m_strDumLocation = "01";
    d.m_nRibCount = 1;
    d.m_saRibLocation.SetAt(1, "   ");
    auto markers = [&] {
        std::string names;
        for (const auto& line : Report(d, dir))
            if (line.rfind("----- ", 0) == 0)
                names += line.substr(6, line.size() - 12) + ",";
        return names;
    };
    EXPECT_EQ(markers(), "MV5 REPORT FILE,TEST,END,");
    d.m_strBioBmcUnits = "G/CM2";
    d.m_saRibLoad.SetAt(1, "310");
    d.m_strAntStature = "1750";
    EXPECT_EQ(markers(), "MV5 REPORT FILE,TEST,BIO OCCUPANT,RIB,ANTHROPOMETRY,END,");
}
