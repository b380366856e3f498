#include "BioTestSupport.h"

#include <gtest/gtest.h>

TEST(BioDataTest, NewObjectHoldsTheConstructionValues)
{
    CBioData d;
    EXPECT_EQ(d.m_strVersion, "B5");
    EXPECT_EQ(d.m_strRecorderType, "DDA");
    EXPECT_EQ(d.m_strDataLinkType, "UMB");
    EXPECT_EQ(d.m_strOccupantType, "");
    EXPECT_EQ(d.m_nCurveCount, 0);
    for (int count : {d.m_nRibCount, d.m_nInjuryCount, d.m_nRestraintCount, d.m_nChestBandCount, d.m_nGaugeCount,
                      d.m_nInstCount})
        EXPECT_EQ(count, 0);
    for (const CStringArray* array : {&d.m_saRibLocation, &d.m_saInjAis90, &d.m_saRestComments, &d.m_saBandComments,
                                      &d.m_saGaugeComments, &d.m_saInstComments})
        EXPECT_EQ(array->GetSize(), 2);
    for (int n : {0, 1}) {
        EXPECT_EQ(d.m_saInstXUnits.GetAt(n), "SEC");
        EXPECT_EQ(d.m_saInstDataStatus.GetAt(n), "AM");
        EXPECT_EQ(d.m_saInstChannelStatus.GetAt(n), "P");
        EXPECT_EQ(d.m_saInstYUnits.GetAt(n), "");
    }
    EXPECT_TRUE(d.m_vCurveErrors.empty());
    EXPECT_EQ(d.m_GR6.LineLength(), 862);

    // The recorder and data link of a new test are test data; both occupants and all groups are not.
    EXPECT_TRUE(d.HasTestData());
    EXPECT_FALSE(d.IsDummyOccupant());
    EXPECT_FALSE(d.IsBioOccupant());
    EXPECT_FALSE(d.HasAnthropometry());
    EXPECT_FALSE(d.HasRibData());
    EXPECT_FALSE(d.HasInjuryRecords());
    EXPECT_EQ(d.m_nRestraintCount + d.m_nChestBandCount + d.m_nGaugeCount + d.m_nInstCount, 0);
}

TEST(BioDataTest, TestDataIsMeasuredAgainstTheClearedState)
{
    auto cleared = [] {
        CBioData d;
        d.m_strRecorderType.Empty();
        d.m_strDataLinkType.Empty();
        d.m_strOccupantType = "CD";
        return d;
    };
    EXPECT_FALSE(cleared().HasTestData());
    const struct {
        const char* what;
        void (*change)(CBioData&);
    } cases[] = {
        {"version", [](CBioData& d) { d.m_strVersion = "B4"; }},
        {"curves", [](CBioData& d) { d.m_nCurveCount = 5; }},
        {"occupant type", [](CBioData& d) { d.m_strOccupantType = "H3"; }},
        {"reference", [](CBioData& d) { d.m_strTestReference = "R"; }},
        {"blank comments", [](CBioData& d) { d.m_strTestComments = " "; }},
    };
    for (const auto& c : cases) {
        CBioData d = cleared();
        c.change(d);
        EXPECT_TRUE(d.HasTestData()) << c.what;
    }
    CBioData none = cleared();
    none.m_strOccupantType.Empty();
    EXPECT_FALSE(none.HasTestData());
}

TEST(BioDataTest, TheOccupantTypeDecidesWhichOccupantHolds)
{
    const struct {
        const char* type;
        bool dummy;
        bool bio;
    } cases[] = {{"CD", false, true}, {"AN", false, true}, {"HU", false, true},
                 {"cd", true, false}, {"H3", true, false}, {"", false, false}};
    for (const auto& c : cases) {
        CBioData d;
        d.m_strOccupantType = c.type;
        d.m_strDumComments = "x";
        d.m_strBioBmcComments = " "; // blanks count as filled
        EXPECT_EQ(d.IsDummyOccupant(), c.dummy) << c.type;
        EXPECT_EQ(d.IsBioOccupant(), c.bio) << c.type;
        d.m_strDumComments.Empty();
        d.m_strBioBmcComments.Empty();
        EXPECT_FALSE(d.IsDummyOccupant() || d.IsBioOccupant()) << c.type;
    }
}

TEST(BioDataTest, RibDataTrimsTheFieldsItLooksAt)
{
    CBioData d;
    d.m_nRibCount = 1;
    for (CStringArray* a : {&d.m_saRibLocation, &d.m_saRibLoad, &d.m_saRibCrossSection})
        a->SetAt(1, "  ");
    EXPECT_FALSE(d.HasRibData());
    EXPECT_EQ(d.m_saRibLocation.GetAt(1), "");
    EXPECT_EQ(d.m_saRibCrossSection.GetAt(1), "");

    d.m_nRibCount = 2;
    d.m_saRibLocation.SetAt(2, " 3 ");
    d.m_saRibLoad.SetAt(2, " 9 ");
    EXPECT_TRUE(d.HasRibData());
    EXPECT_EQ(d.m_saRibLocation.GetAt(2), "3");
    EXPECT_EQ(d.m_saRibLoad.GetAt(2), " 9 "); // after the first filled field nothing is touched

    // A count of 0 with a filled element 1: no records.
    CBioData zero;
    zero.m_saRibLocation.SetAt(1, "L04");
    zero.m_saInjInjury.SetAt(1, "F");
    EXPECT_FALSE(zero.HasRibData());
    EXPECT_FALSE(zero.HasInjuryRecords());
}
