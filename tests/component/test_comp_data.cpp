#include "component/CompData.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

TEST(CompDataTest, NewTestHoldsNothingToSave)
{
    CCompData d;
    EXPECT_FALSE(d.HasTestData());
    EXPECT_FALSE(d.HasVehicleData());
    EXPECT_FALSE(d.HasComponents());
    EXPECT_FALSE(d.HasConfigurations());
    EXPECT_FALSE(d.HasCurves());
    EXPECT_EQ(d.m_strVersion, "C5");
    EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    EXPECT_EQ(d.m_saVehComments.GetSize(), 3);
    EXPECT_EQ(d.m_saInstXUnits.GetAt(0), "SEC");
    EXPECT_EQ(d.m_saInstXUnits.GetAt(1), "SEC");
    EXPECT_EQ(d.m_saInstYUnits.GetSize(), 2);
    EXPECT_EQ(d.m_saCompVehicleNo.GetSize(), 1);
}

TEST(CompDataTest, WhatCountsAsTestAndVehicleData)
{
    const struct {
        const char* what;
        std::function<void(CCompData&)> change;
        bool testData;
        bool vehicleData;
    } cases[] = {
        {"lower-case version", [](CCompData& d) { d.m_strVersion = "c5"; }, true, false},
        {"curve count -1", [](CCompData& d) { d.m_nCurveCount = -1; }, true, false},
        {"test reference", [](CCompData& d) { d.m_strTestReference = "C1"; }, true, false},
        {"previous test type only", [](CCompData& d) { d.m_strPrevTestType = "ROV"; }, false, false},
        {"KAVRO number and VIN only",
         [](CCompData& d) {
             d.m_nVehicleCount = 1;
             d.m_saVehKavroNo.SetAt(1, "C98TR01");
             d.m_saVehVIN.SetAt(1, "1G1JC5");
         },
         false, true},
        {"rollover vehicle fields only",
         [](CCompData& d) {
             d.m_nVehicleCount = 1;
             d.m_RolloverVehicleData.m_nVimfTestNo = 12;
         },
         false, false},
        {"rollover vehicle fields of a rollover test",
         [](CCompData& d) {
             d.m_strTestType = "ROV";
             d.m_nVehicleCount = 1;
             d.m_RolloverVehicleData.m_strFuel = "GAS";
         },
         true, true},
        {"make of one blank",
         [](CCompData& d) {
             d.m_nVehicleCount = 1;
             d.m_saVehMake.SetAt(1, " ");
         },
         false, true},
        {"make without a vehicle count", [](CCompData& d) { d.m_saVehMake.SetAt(1, "FORD"); }, false, false},
        {"model year under a huge count",
         [](CCompData& d) {
             d.m_nVehicleCount = 2000000000;
             d.m_saVehYear.SetAt(1, "1999");
         },
         false, true},
        {"huge count, no vehicle", [](CCompData& d) { d.m_nVehicleCount = 2000000000; }, false, false},
    };
    for (const auto& c : cases) {
        CCompData d;
        c.change(d);
        EXPECT_EQ(d.HasTestData(), c.testData) << c.what;
        EXPECT_EQ(d.HasVehicleData(), c.vehicleData) << c.what;
    }
    CCompData d;
    d.m_nCurveCount = -1;
    EXPECT_FALSE(d.HasCurves());
}

TEST(CompDataTest, DefaultsClearCountsButKeepRecordsAboveThem)
{
    CCompData d;
    for (int n = 1; n <= 5; ++n) {
        d.m_saCompTested.SetAtGrow(n, 'C' + std::to_string(n));
        d.m_saCompVehicleNo.SetAtGrow(n, "1");
    }
    d.m_nComponentCount = 5;
    d.m_strTitle = "Seat test";
    d.m_strTestReference = "C100";
    d.m_strPrevTestType = "ROV";
    d.m_RolloverVehicleData.m_nStarRating = 4;
    d.m_arrCameraNumber.SetAtGrow(1, "1");
    d.m_saVehMake.SetAtGrow(4, "extra");
    d.m_saInstXUnits.SetAt(1, "MS");

    d.SetDefaults();
    EXPECT_EQ(d.m_nComponentCount, 0);
    EXPECT_EQ(d.m_strTitle, "");
    EXPECT_EQ(d.m_strTestReference, "");
    EXPECT_EQ(d.m_saCompTested.GetAt(1), "");
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(d.m_saCompTested.GetAt(n), 'C' + std::to_string(n));
    EXPECT_EQ(d.m_saCompVehicleNo.GetAt(1), "1"); // the owner numbers lose element 0 only
    EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    EXPECT_EQ(d.m_saInstXUnits.GetAt(1), "SEC");
    EXPECT_EQ(d.m_strPrevTestType, "ROV");
    EXPECT_EQ(d.m_RolloverVehicleData.m_nStarRating, 4);
    EXPECT_EQ(d.m_arrCameraNumber.GetAt(1), "1");
}

TEST(CompDataTest, SnapshotsCarryTheTestWithItsRolloverVehicle)
{
    CCompData d;
    d.m_strTitle = "Seat test";
    d.m_strTestReference = "C100";
    d.m_strPrevTestType = "ROV";
    d.m_nComponentCount = 2;
    d.m_saCompTested.SetAtGrow(2, "SEBK");
    d.m_saConfCommentary.SetAtGrow(3, "third");
    d.m_arrCommentary.SetAtGrow(1, "camera");
    d.m_RolloverVehicleData.m_dSSF = 1.25;
    d.m_vCurveErrors.resize(2);
    d.m_bCurvesChecked = true;

    const CCompData copy(d);
    EXPECT_EQ(copy.m_strTitle, "Seat test");
    EXPECT_EQ(copy.m_strTestReference, "C100");
    EXPECT_EQ(copy.m_nComponentCount, 2);
    EXPECT_EQ(copy.m_saCompTested.GetSize(), d.m_saCompTested.GetSize());
    EXPECT_EQ(copy.m_saCompTested.GetAt(2), "SEBK");
    EXPECT_EQ(copy.m_saConfCommentary.GetSize(), 4);
    EXPECT_EQ(copy.m_arrCommentary.GetAt(1), "camera");
    EXPECT_EQ(copy.m_strPrevTestType, "");
    EXPECT_EQ(copy.m_RolloverVehicleData.m_dSSF, 1.25);
    EXPECT_TRUE(copy.m_vCurveErrors.empty());
    EXPECT_FALSE(copy.m_bCurvesChecked);

    // Restoring a snapshot: the arrays become exact copies, shrinking where the snapshot is
    // shorter, the rollover vehicle is the snapshot's; the previous type and curve state stay as
    // they are.
    CCompData restored;
    restored.m_saCompTested.SetAtGrow(7, "longer");
    restored.m_strTestReference = "other";
    restored.m_strPrevTestType = "XYZ";
    restored.m_RolloverVehicleData.m_nStarRating = 5;
    restored.m_nCheckCurves = 1;
    restored = copy;
    EXPECT_EQ(restored.m_saCompTested.GetSize(), copy.m_saCompTested.GetSize());
    EXPECT_EQ(restored.m_strTestReference, "C100");
    EXPECT_EQ(restored.m_strPrevTestType, "XYZ");
    EXPECT_EQ(restored.m_RolloverVehicleData.m_nStarRating, 0);
    EXPECT_EQ(restored.m_RolloverVehicleData.m_dSSF, 1.25);
    EXPECT_EQ(restored.m_nCheckCurves, 1);
}

// The object a new test is read into is what a copy of the test held, emptied for a read, is:
// only the version is the held test's.
TEST(CompDataTest, AnObjectToReadIntoIsTheHeldTestEmptied)
{
    CCompData d;
    d.m_strVersion = "C4";
    d.m_strTitle = "Seat test";
    d.m_strTestType = "ROV";
    d.m_strPrevTestType = "ROV";
    d.m_strTestReference = "C100";
    d.m_nCurveCount = d.m_nComponentCount = d.m_nConfigurationCount = d.m_nVehicleCount = 3;
    for (int n = 1; n <= 3; ++n) {
        d.m_saVehMake.SetAtGrow(n, "FORD");
        d.m_saCompTested.SetAtGrow(n, "SEBK");
        d.m_saCompVehicleNo.SetAtGrow(n, "1");
        d.m_saConfNo.SetAtGrow(n, "1");
        d.m_saInstVehicleNo.SetAtGrow(n, "1");
        d.m_saInstXUnits.SetAtGrow(n, "MS");
        d.m_saInstComments.SetAtGrow(n, "curve");
        d.m_arrCameraNumber.SetAtGrow(n, "7");
    }
    d.m_RolloverVehicleData.m_dSSF = 1.25;
    d.m_nCheckCurves = 1;
    d.m_bCurvesChecked = true;

    CCompData emptied(d);
    emptied.ClearForRead();
    const std::unique_ptr<ITestFile> made = d.NewTestToRead();
    const CCompData& read = static_cast<const CCompData&>(*made);
    EXPECT_EQ(read.m_strVersion, "C4");
    for (const CString CCompData::*text : std::initializer_list<const CString CCompData::*> {&CCompData::m_strVersion, &CCompData::m_strTitle, &CCompData::m_strTestType,
                                           &CCompData::m_strPrevTestType, &CCompData::m_strTestReference})
        EXPECT_EQ(read.*text, emptied.*text);
    for (int CCompData::*count : std::initializer_list<int CCompData::*> {&CCompData::m_nCurveCount, &CCompData::m_nComponentCount,
                                  &CCompData::m_nConfigurationCount, &CCompData::m_nVehicleCount,
                                  &CCompData::m_nInstRecordCount, &CCompData::m_nCheckCurves})
        EXPECT_EQ(read.*count, emptied.*count);
    for (const CStringArray CCompData::*array : std::initializer_list<const CStringArray CCompData::*> {
             &CCompData::m_saVehMake, &CCompData::m_saVehComments, &CCompData::m_saCompTested,
          &CCompData::m_saCompVehicleNo, &CCompData::m_saConfNo, &CCompData::m_saConfCommentary,
          &CCompData::m_saInstVehicleNo, &CCompData::m_saInstSensorType, &CCompData::m_saInstXUnits,
          &CCompData::m_saInstComments, &CCompData::m_arrCameraNumber, &CCompData::m_arrCommentary})
        EXPECT_TRUE(read.*array == emptied.*array);
    EXPECT_EQ(read.m_RolloverVehicleData.m_dSSF, emptied.m_RolloverVehicleData.m_dSSF);
    EXPECT_EQ(read.m_bCurvesChecked, emptied.m_bCurvesChecked);
    EXPECT_EQ(read.HasHsvd(), emptied.HasHsvd());
}
