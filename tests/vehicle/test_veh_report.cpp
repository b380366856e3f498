#include "doubles/MessageRecorder.h"
#include "vehicle/VehData.h"

#include "platform/Messages.h"

#include "TestUtil.h"
#include "VehTestSupport.h"

#include <gtest/gtest.h>

using testutil::ReadFile;
using testutil::TempDir;
using filetests::Has;
using vehtest::Fixture;
using vehtest::Lines;
using vehtest::WithoutDate;

namespace {

std::vector<std::string> Report(CVehData& d, const TempDir& dir)
{
    EXPECT_TRUE(d.WriteReport(dir.file("r.mvr").c_str()));
    return Lines(ReadFile(dir.file("r.mvr")));
}

} // namespace

TEST(VehReportTest, ReportOfANewObject)
{
    TempDir dir;
    CVehData d;
    const auto lines = Report(d, dir);
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines[0], "# Source: Morvel for Windows v5");
    EXPECT_EQ(lines[1].rfind("# Date: <", 0), 0u);
    EXPECT_EQ(lines[2], "----- MV5 REPORT FILE -----");
    EXPECT_EQ(lines[3], "----- TEST -----");
    EXPECT_EQ(lines[4], "Version Number:\tV5");
    EXPECT_EQ(lines[5], "Test Title:\t");
    EXPECT_EQ(lines[12], "Test Configuration:\tVTB");
    EXPECT_EQ(lines[16], "Recorder Type:\tDDA");
    EXPECT_EQ(lines[17], "Data Link Type:\tUMB");
    EXPECT_EQ(lines[22], "Test Comments:\t");
    EXPECT_EQ(lines[23], "Total Number of Curves:\t0");
    EXPECT_EQ(lines[24], "----- END -----");
}

TEST(VehReportTest, ValuesAreShownAsHeldAndTheDataIsNotChanged)
{
    TempDir dir;
    CVehData d;
    d.m_strTitle = " word ";
    d.m_strTestDate = "12-mar-1998";
    d.m_strTestComments = "two\nlines";
    d.m_saInstMaker.SetAt(1, "ENDEVCO");
    const auto lines = Report(d, dir);
    EXPECT_TRUE(Has(lines, "Test Title:\t word "));
    EXPECT_TRUE(Has(lines, "Test Date:\t12-mar-1998"));
    EXPECT_TRUE(Has(lines, "Test Comments:\ttwolines"));
    EXPECT_EQ(d.m_strTestDate, "12-mar-1998");
    EXPECT_FALSE(Has(lines, "----- INSTRUMENTATION -----"));
}

TEST(VehReportTest, VehiclesAndBarrier)
{
    TempDir dir;
    {
        // A two-vehicle test entered by hand reports both vehicles, as its test file holds both.
        CVehData d;
        d.m_strConfiguration = "VTV";
        d.SetVehicleCount();
        d.m_saVehMake.SetAt(1, "HONDA");
        d.m_saVehMake.SetAt(2, "FORD");
        d.m_strBarShape = "FLB";
        const auto lines = Report(d, dir);
        EXPECT_TRUE(Has(lines, "----- VEHICLE NUMBER 2 -----"));
        EXPECT_TRUE(Has(lines, "Make:\tFORD"));
        EXPECT_FALSE(Has(lines, "----- BARRIER -----"));
    }
    {
        CVehData d;
        d.m_saVehMake.SetAt(1, "HONDA");
        d.m_strBarShape = "FLB";
        const auto lines = Report(d, dir);
        EXPECT_TRUE(Has(lines, "----- VEHICLE NUMBER 1 -----"));
        EXPECT_FALSE(Has(lines, "----- VEHICLE NUMBER 2 -----"));
        EXPECT_TRUE(Has(lines, "Barrier Shape:\tFLB"));
    }
}

TEST(VehReportTest, OpenFailure)
{
    TempDir dir;
    platform::MessageRecorder messages;
    CVehData d;
    const std::string path = dir.file("no/r.mvr");
    EXPECT_FALSE(d.WriteReport(path.c_str()));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Can't open file " + path + ", error = 3\n");
}
