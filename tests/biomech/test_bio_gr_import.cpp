#include "BioTestSupport.h"

#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

using biotest::Fixture;
using testutil::ReadFile;
using testutil::TempDir;
using filetests::Padded;
using filetests::Scratch;

namespace {

std::vector<std::string> DataLines(const std::string& name) { return filetests::DataLines(ReadFile(Fixture(name))); }

} // namespace

TEST(BioGrLayoutTest, ColumnsStandWhereTheOldFilesHaveThem)
{
    CBioData d;
    filetests::ExpectLayouts({
        {d.m_GR1, 22, 299, {{2, 3}, {7, 172}, {21, 229}}},
        {d.m_GR5, 18, 203, {{1, 2}, {6, 15}, {17, 133}}},
        {d.m_GR6, 68, 862, {{2, 4}, {17, 320}, {31, 572}, {32, 575}, {40, 627}, {49, 682}, {58, 737}, {66, 786}, {67, 792}}},
        {d.m_GR7, 40, 194, {{2, 4}, {33, 159}, {34, 179}, {35, 184}, {36, 164}, {37, 169}, {38, 174}, {39, 189}}},
        {d.m_GR8, 8, 79, {{2, 4}, {7, 9}}},
        {d.m_GRY, 4, 13, {{0, 1}, {3, 10}}},
        {d.m_GRZ, 11, 44, {{1, 3}, {10, 42}}},
    });
}

TEST(BioGrImportTest, TestKeepsItsPaddingBlanks)
{
    platform::MessageRecorder messages;
    CBioData d;
    d.m_nCurveCount = 4;
    d.m_strOccupantType = "CD";
    ASSERT_TRUE(d.ImportGR('1', Fixture("test.gr1").c_str()));
    EXPECT_EQ(d.m_strTitle, Padded("Sled test of a cadaver", 70));
    EXPECT_EQ(d.m_strTestDate, "07-MAR-24");
    EXPECT_EQ(d.m_strTestReference, "B1234     ");
    EXPECT_EQ(d.m_strConfiguration, "SLD");
    EXPECT_EQ(d.m_strAmbientTemp, " 22");
    EXPECT_EQ(d.m_strClosingSpeed, "24.10");
    EXPECT_EQ(d.m_strTestComments, Padded("Seat rigid", 70));
    EXPECT_EQ(d.m_strVersion, "B5");
    EXPECT_EQ(d.m_nCurveCount, 4);
    EXPECT_EQ(d.m_strOccupantType, "CD");
    EXPECT_EQ(messages.count(), 0);
}

TEST(BioGrImportTest, ChannelsGoToTheRecordTheirNumberNames)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CBioData d;
    ASSERT_TRUE(d.ImportGR('5', Fixture("test.gr5").c_str()));
    // Lines numbered 3, 1, 2: all three kept, the count the largest number.
    EXPECT_EQ(d.m_nInstCount, 3);
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_saInstSensorLocation.GetAt(3), "T1");
    EXPECT_EQ(d.m_saInstSensorLocation.GetAt(1), "TB");
    EXPECT_EQ(d.m_saInstXUnits.GetAt(2), "N  ");
    EXPECT_EQ(d.m_saInstYUnits.GetAt(2), "N  ");
    EXPECT_EQ(d.m_saInstChannelStatus.GetAt(1), "");
    EXPECT_EQ(d.m_saInstComments.GetAt(2), Padded("Femur", 70));
    EXPECT_EQ(messages.count(), 0);

    // Record number 0 names no record: the format message, and the lines before it stay.
    const auto lines = DataLines("test.gr5");
    std::string zero = lines[1];
    zero.replace(2, 3, "  0");
    CBioData bad;
    const std::string path = Scratch(dir, "zero.gr5", lines[0] + "\r\n" + zero + "\r\n" + lines[2] + "\r\n");
    EXPECT_FALSE(bad.ImportGR('5', path.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, path + " is not in proper GR5 format.");
    EXPECT_EQ(bad.m_saInstSensorType.GetAt(0), "");
    EXPECT_EQ(bad.m_saInstSensorType.GetAt(3), "AC");
    EXPECT_EQ(bad.m_nInstCount, 3);
}

TEST(BioGrImportTest, OccupantLineOfEitherKind)
{
    platform::MessageRecorder messages;
    CBioData bio;
    ASSERT_TRUE(bio.ImportGR('6', Fixture("bio.gr6").c_str()));
    EXPECT_EQ(bio.m_strOccupantType, "CD");
    EXPECT_EQ(bio.m_strBioLocation, "03");
    EXPECT_EQ(bio.m_strBioSeatPosition, "MI");
    EXPECT_EQ(bio.m_strBioWeight, " 72");
    EXPECT_EQ(bio.m_strBioDeathCause, Padded("HEART FAILURE", 70));
    EXPECT_EQ(bio.m_strBioPulmonaryPressure, "YES");
    EXPECT_EQ(bio.m_strBioComments, Padded("Embalmed", 70));
    EXPECT_EQ(bio.m_nRibCount, 4);
    EXPECT_EQ(bio.m_saRibLocation.GetAt(2), "R05");
    EXPECT_EQ(bio.m_saRibMomentOfInertia.GetAt(4), Padded("1.1E-3", 12));
    EXPECT_EQ(bio.m_saRibBreakLoad.GetAt(4), "     ");
    EXPECT_EQ(bio.m_saRibCrossSection.GetAt(4), "35.1  ");
    EXPECT_EQ(bio.m_strDumLocation, "");

    // "HU" is a biological code elsewhere, but GR6 takes only "AN" and "CD" for one.
    CBioData dummy;
    ASSERT_TRUE(dummy.ImportGR('6', Fixture("dummy.gr6").c_str()));
    EXPECT_EQ(dummy.m_strOccupantType, "HU");
    EXPECT_EQ(dummy.m_strDumHic, "  654");
    EXPECT_EQ(dummy.m_strDumHicUpper, "   48.5");
    EXPECT_EQ(dummy.m_strDumDescription, Padded("Hybrid III 50th male", 70));
    EXPECT_EQ(dummy.m_strDumComponentWeight, " 78");
    EXPECT_EQ(dummy.m_strDumComments, Padded("Driver", 70));
    EXPECT_EQ(dummy.m_strBioAge, "");
    EXPECT_EQ(dummy.m_nRibCount, 0);
    EXPECT_EQ(messages.count(), 0);
}

TEST(BioGrImportTest, AnthropometryColumnsInTheFilesPairOrder)
{
    CBioData d;
    ASSERT_TRUE(d.ImportGR('7', Fixture("test.gr7").c_str()));
    EXPECT_EQ(d.m_strAntStature, " 1750");
    EXPECT_EQ(d.m_strAntChestCirc, "  960");
    EXPECT_EQ(d.m_strAntWaistCirc, "  840");
    EXPECT_EQ(d.m_strAntButtockCirc, "  950");
    EXPECT_EQ(d.m_strAntChestDepth, "  240");
    EXPECT_EQ(d.m_strAntWaistDepth, "  220");
    EXPECT_EQ(d.m_strAntButtockDepth, "  250");
    EXPECT_EQ(d.m_strAntInterscyeDistance, "  390");
}

TEST(BioGrImportTest, InjuriesGaugesAndBands)
{
    platform::MessageRecorder messages;
    CBioData d;
    d.m_saInjAis90.SetAt(1, "4");
    EXPECT_TRUE(d.ImportGR('8', Fixture("test.gr8").c_str()));
    EXPECT_EQ(d.m_saInjAis.GetAt(2), "2");
    EXPECT_EQ(d.m_saInjAis90.GetAt(1), "");
    EXPECT_EQ(d.m_saInjComments.GetAt(1), Padded("Fracture of rib 4", 70));
    EXPECT_EQ(d.m_nInjuryCount, 2); // the records imported

    // Short lines are padded; numbers are cleaned.
    EXPECT_TRUE(d.ImportGR('y', Fixture("test.gry").c_str()));
    EXPECT_EQ(d.m_nGaugeCount, 6);
    const struct {
        const char* band;
        const char* gauge;
        const char* distance;
        const char* curve;
    } gauges[] = {{"1", "1", "0.0", "5"}, {"2", "1", "12.5", "9"}, {"1", "3", "2", "7"},
                  {"", "4", "", "8"},     {"-1", "5", "5E-02", "12"}, {"1", "6", "", "6"}};
    for (int n = 1; n <= 6; ++n) {
        const auto& g = gauges[n - 1];
        EXPECT_EQ(d.m_saGaugeBandNo.GetAt(n), g.band) << n;
        EXPECT_EQ(d.m_saGaugeNo.GetAt(n), g.gauge) << n;
        EXPECT_EQ(d.m_saGaugeDistance.GetAt(n), g.distance) << n;
        EXPECT_EQ(d.m_saGaugeCurveNo.GetAt(n), g.curve) << n;
    }

    // Seven bands: five are kept.
    EXPECT_TRUE(d.ImportGR('z', Fixture("test.grz").c_str()));
    EXPECT_EQ(d.m_nChestBandCount, 5);
    EXPECT_EQ(d.m_saBandChestDepth.GetAt(1), "  230");
    EXPECT_EQ(d.m_saBandGaugeCount.GetAt(5), "33");
    EXPECT_EQ(d.m_saBandChestDepth.GetSize(), 6);
    EXPECT_EQ(messages.count(), 0);
}

TEST(BioGrImportTest, FileEndsAndEmptyFiles)
{
    TempDir dir;
    platform::MessageRecorder messages;
    const auto injuries = DataLines("test.gr8");
    CBioData d;
    // Comment lines at the end close the file as its end does; an all-comment GRZ holds no band.
    EXPECT_TRUE(d.ImportGR('8', Scratch(dir, "end.gr8", injuries[0] + "\r\n# done\r\n# really\r\n").c_str()));
    EXPECT_EQ(d.m_nInjuryCount, 1);
    EXPECT_FALSE(d.ImportGR('z', Scratch(dir, "c.grz", "# none\r\n").c_str()));
    EXPECT_EQ(d.m_nChestBandCount, 0);
    EXPECT_EQ(messages.count(), 0);
    // An empty line with records after it is a damaged file.
    const std::string gap = Scratch(dir, "gap.gr8", injuries[0] + "\r\n\r\n" + injuries[1] + "\r\n");
    EXPECT_FALSE(d.ImportGR('8', gap.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, gap + " is not in proper GR8 format.");
}

TEST(BioGrImportTest, NumberCleanUp)
{
    const struct {
        const char* text;
        const char* integer;
        const char* real;
    } cases[] = {
        {"", "", ""},           {"  ", "", ""},       {"A12", "", ""},         {" 12. ", "12", "12"},
        {"-3", "-3", "-3"},     {"1.5E+3", "1.5E+3", "1.5E+3"}, {"1.5E3", "1.5E3", ""}, {"1.2.3", "1.2.3", ""},
        {"2.5e-1", "2.5e-1", "2.5e-1"}, {"7x", "7x", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CBioData::CleanIntegerField(c.text), c.integer) << c.text;
        EXPECT_EQ(CBioData::CleanRealField(c.text), c.real) << c.text;
    }
}
