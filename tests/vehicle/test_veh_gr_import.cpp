#include "doubles/MessageRecorder.h"
#include "vehicle/VehData.h"

#include "platform/Messages.h"

#include "TestUtil.h"
#include "VehTestSupport.h"

#include <gtest/gtest.h>

using testutil::TempDir;
using filetests::Padded;
using vehtest::Fixture;

TEST(VehGrLayoutTest, ColumnsStandWhereTheOldFilesHaveThem)
{
    CVehData d;
    filetests::ExpectLayouts({
        {d.m_GR1, 22, 299, {{0, 0}, {2, 3}, {7, 172}, {15, 203}, {21, 229}}},
        {d.m_GR2, 79, 549, {{0, 1}, {17, 81}, {18, 151}, {38, 271}, {39, 277}, {45, 294}, {50, 319}, {51, 324},
                            {55, 347}, {75, 467}, {76, 473}, {78, 479}}},
        {d.m_GR3, 5, 83, {{0, 1}, {4, 13}}},
        {d.m_GR4, 46, 505, {{12, 229}, {24, 289}, {25, 294}, {28, 370}, {36, 386}, {45, 435}}},
        {d.m_GR5, 18, 203, {{1, 2}, {8, 23}, {9, 93}, {15, 125}, {17, 133}}},
    });
    // Every layout is contiguous up to its line length.
    for (const GrLayout* layout : std::initializer_list<const GrLayout*> {&d.m_GR1, &d.m_GR2, &d.m_GR3, &d.m_GR4, &d.m_GR5})
        EXPECT_EQ(layout->Start(layout->PairCount() - 1) + layout->Width(layout->PairCount() - 1), layout->LineLength());
    EXPECT_EQ(d.m_GR1.Cut("abc", 99), "");
    EXPECT_EQ(d.m_GR1.Cut("abcd", 2), "d");
}

TEST(VehGrImportTest, TestDataKeepsItsPaddingBlanks)
{
    platform::MessageRecorder messages;
    CVehData d;
    d.m_nCurveCount = 4;
    ASSERT_TRUE(d.ImportGR('1', Fixture("test.gr1").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_strTitle, Padded("Frontal test", 70));
    EXPECT_EQ(d.m_strTestDate, "12-MAR-98");
    EXPECT_EQ(d.m_strContractNo, "DTNH22-95-C-01000");
    EXPECT_EQ(d.m_strTestReference, "T4321     ");
    EXPECT_EQ(d.m_strConfiguration, "VTV");
    EXPECT_EQ(d.m_strAmbientTemp, " 21");
    EXPECT_EQ(d.m_strClosingSpeed, "56.30");
    EXPECT_EQ(d.m_strSideImpactPoint, "  1500");
    EXPECT_EQ(d.m_strTestComments, Padded("Lighting poor", 70));
    EXPECT_EQ(d.m_strVersion, "V5");
    EXPECT_EQ(d.m_nCurveCount, 4);
}

TEST(VehGrImportTest, VehiclesGoToTheElementTheirNumberNames)
{
    platform::MessageRecorder messages;
    CVehData d;
    d.m_saVehKavroNo.SetAt(1, "K1");
    d.m_saVehCurbWeight.SetAt(2, "1750");
    ASSERT_TRUE(d.ImportGR('2', Fixture("test.gr2").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_saVehMake.GetAt(2), "FO");
    EXPECT_EQ(d.m_saVehMake.GetAt(1), "HO");
    EXPECT_EQ(d.m_saVehEngineType.GetAt(1), "6V  ");
    EXPECT_EQ(d.m_saVehEngineDisplacement.GetAt(1), Padded("3.0", 12));
    EXPECT_EQ(d.m_saVehModIndicator.GetAt(1), "N");
    EXPECT_EQ(d.m_saVehBX1.GetAt(1), "   101");
    EXPECT_EQ(d.m_saVehBX2.GetAt(1), "   102");
    EXPECT_EQ(d.m_saVehBX21.GetAt(1), "   121");
    EXPECT_EQ(d.m_saVehSpeed.GetAt(1), " 56.3");
    EXPECT_EQ(d.m_saVehAPillarEngagement.GetAt(1), "NO");
    EXPECT_EQ(d.m_saVehDamageProfile1.GetAt(1), "  301");
    EXPECT_EQ(d.m_saVehDamageProfile6.GetAt(1), "  306");
    EXPECT_EQ(d.m_saVehDamageIndex.GetAt(1), "12FDEW3");
    EXPECT_EQ(d.m_saVehMaxCrush.GetAt(1), "  540");
    EXPECT_EQ(d.m_saVehAX1.GetAt(1), "   201");
    EXPECT_EQ(d.m_saVehAX21.GetAt(1), "   221");
    EXPECT_EQ(d.m_saVehCartOrientation.GetAt(1), "  F");
    EXPECT_EQ(d.m_saVehComments.GetAt(1), Padded("Struck vehicle", 70));
    // A '|' that comes in from an old file is kept out of the test file.
    EXPECT_EQ(d.m_saVehComments.GetAt(2), Padded("Bullet/cart", 70));
    EXPECT_EQ(d.m_saVehKavroNo.GetAt(1), "K1");
    EXPECT_EQ(d.m_saVehCurbWeight.GetAt(2), "1750");
    // Vehicle 2 came first: the report still lists both.
    EXPECT_EQ(d.m_nVehiclesRead, 2);
    EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
}

TEST(VehGrImportTest, InvalidVehicleNumberStopsTheImport)
{
    TempDir dir;
    const std::string good = testutil::ReadFile(Fixture("test.gr2"));
    const auto first = good.find('\n') + 1;
    std::string vehicle2 = good.substr(first, 549);
    for (char number : {'3', ' ', '0'}) {
        platform::MessageRecorder messages;
        std::string wrong = vehicle2;
        wrong[1] = number;
        CVehData d;
        const std::string path = filetests::Scratch(dir, "bad.gr2", vehicle2 + "\r\n" + wrong + "\r\n" + vehicle2 + "\r\n");
        EXPECT_FALSE(d.ImportGR('2', path.c_str()));
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, "Invalid Vehicle Number");
        EXPECT_EQ(messages.last().caption, "ERROR");
        EXPECT_EQ(d.m_saVehMake.GetAt(2), "FO");
        EXPECT_EQ(d.m_nVehiclesRead, 2);
        EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    }
    platform::MessageRecorder messages;
    CVehData d;
    EXPECT_TRUE(d.ImportGR('2', filetests::Scratch(dir, "empty.gr2", "").c_str()));
    EXPECT_EQ(d.m_nVehiclesRead, 1);
    EXPECT_EQ(messages.count(), 0);
}

TEST(VehGrImportTest, BarrierAndOccupants)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CVehData d;
    ASSERT_TRUE(d.ImportGR('3', Fixture("test.gr3").c_str()));
    EXPECT_EQ(d.m_strBarRigidity, "R");
    EXPECT_EQ(d.m_strBarShape, "FLB");
    EXPECT_EQ(d.m_strBarPoleDiameter, "  250");
    EXPECT_EQ(d.m_strBarComments, Padded("Rigid wall", 70));

    d.m_saOccTti.SetAt(1, "old");
    EXPECT_TRUE(d.ImportGR('4', Fixture("test.gr4").c_str()));
    EXPECT_EQ(d.m_saOccVehicleNo.GetAt(3), "2");
    EXPECT_EQ(d.m_saOccLocation.GetAt(2), "03");
    EXPECT_EQ(d.m_saOccDummyModification.GetAt(1), Padded("NONE", 70));
    EXPECT_EQ(d.m_saOccHeadToWindshieldHeader.GetAt(1), "  410");
    EXPECT_EQ(d.m_saOccKneeToSeatback.GetAt(1), "  640");
    EXPECT_EQ(d.m_saOccSeatPosition.GetAt(1), "MI");
    EXPECT_EQ(d.m_saOccHeadContact1.GetAt(1), "WS");
    EXPECT_EQ(d.m_saOccLegsContact2.GetAt(1), "NA");
    EXPECT_EQ(d.m_saOccHicUpper.GetAt(1), "   48.5");
    EXPECT_EQ(d.m_saOccShoulderBeltLoad.GetAt(1), "  9.1");
    EXPECT_EQ(d.m_saOccTti.GetAt(1), "");
    EXPECT_EQ(d.m_saOccPelvicG.GetSize(), 4);
    EXPECT_EQ(d.m_saOccComments.GetAt(3), Padded("Bullet driver", 70));
    EXPECT_EQ(d.m_nOccupantCount, 3); // the lines imported
    EXPECT_EQ(messages.count(), 0);

    // An empty line inside the file stops the import with the format message; the lines before
    // it stay.
    const std::string good = testutil::ReadFile(Fixture("test.gr4"));
    const std::string line = good.substr(0, 507);
    CVehData stopped;
    const std::string gap = filetests::Scratch(dir, "gap.gr4", line + line + "\r\n" + line);
    EXPECT_FALSE(stopped.ImportGR('4', gap.c_str()));
    EXPECT_EQ(stopped.m_nOccupantCount, 0);
    EXPECT_EQ(stopped.m_saOccComments.GetAt(2), Padded("Driver", 70));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, gap + " is not in proper GR4 format.");
    messages.clear();
    // Comment and empty lines at the end close the file as its end does.
    CVehData trailing;
    EXPECT_TRUE(trailing.ImportGR('4', filetests::Scratch(dir, "end.gr4", line + line + "# last\r\n\r\n").c_str()));
    EXPECT_EQ(trailing.m_nOccupantCount, 2);
    // A file without occupant lines imports none and leaves the count as it was.
    EXPECT_FALSE(trailing.ImportGR('4', filetests::Scratch(dir, "empty.gr4", "").c_str()));
    EXPECT_EQ(trailing.m_nOccupantCount, 2);
    EXPECT_EQ(messages.count(), 0);
}

TEST(VehGrImportTest, CurvesGoToTheElementTheirNumberNames)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CVehData d;
    ASSERT_TRUE(d.ImportGR('5', Fixture("test.gr5").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_saInstSensorType.GetAt(4), "AC");
    EXPECT_EQ(d.m_saInstSensorType.GetAt(7), "LC");
    EXPECT_EQ(d.m_saInstSensorType.GetAt(5), "AC");
    EXPECT_EQ(d.m_saInstComments.GetAt(7), Padded("Left femur", 70));
    EXPECT_EQ(d.m_saInstCalibrationDate.GetAt(4), "01-JAN-98");
    EXPECT_EQ(d.m_saInstYUnits.GetAt(4), "G'S");
    EXPECT_EQ(d.m_saInstTimeIncrement.GetAt(4), "0.0001");
    EXPECT_EQ(d.m_saInstXUnits.GetAt(7), "SEC");
    EXPECT_EQ(d.m_saInstChannelStatus.GetAt(7), "");
    EXPECT_EQ(d.m_saInstVehicleNo.GetAt(5), "1");
    EXPECT_EQ(d.m_nLastCurveNo, 5);
    // The highest curve, not the last line's: curve 7 stays in the test.
    EXPECT_EQ(d.m_nCurveCount, 7);
    EXPECT_GE(d.m_saInstAttachment.GetSize(), 8);

    const std::string good = testutil::ReadFile(Fixture("test.gr5"));
    std::string zero = good.substr(0, 203);
    zero.replace(2, 3, "  0");
    CVehData bad;
    const std::string path = filetests::Scratch(dir, "zero.gr5", good.substr(0, 205) + zero + "\r\n");
    EXPECT_FALSE(bad.ImportGR('5', path.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, path + " is not in proper GR5 format.");
    EXPECT_EQ(bad.m_saInstSensorType.GetAt(4), "AC");
    EXPECT_EQ(bad.m_saInstSensorType.GetAt(0), "");
    EXPECT_EQ(bad.m_nCurveCount, 0);

    CVehData empty;
    empty.m_nLastCurveNo = 2;
    EXPECT_TRUE(empty.ImportGR('5', filetests::Scratch(dir, "empty.gr5", "").c_str()));
    EXPECT_EQ(empty.m_nCurveCount, 2);
}

TEST(VehGrImportTest, OpenFailureAndAnyBytes)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CVehData d;
    EXPECT_FALSE(d.ImportGR('3', dir.file("none.gr3").c_str()));
    EXPECT_EQ(messages.last().text, "Can't open file " + dir.file("none.gr3") + ", error = 2\n");
    EXPECT_EQ(messages.last().caption, "Error");
    EXPECT_FALSE(d.ImportGR('4', dir.file("none.gr4").c_str()));

    std::string binary;
    for (int i = 0; i < 20000; ++i)
        binary += static_cast<char>((i * 53 + 3) % 256);
    const std::string path = filetests::Scratch(dir, "bin.gr", binary);
    for (char n : {'1', '2', '3', '4', '5'})
        EXPECT_FALSE(d.ImportGR(n, path.c_str())) << "GR" << n;
}
