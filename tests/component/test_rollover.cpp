#include "component/RolloverVehicleData.h"

#include <gtest/gtest.h>

namespace {

void SetTracks(CRolloverVehicleData& r, double front, double rear)
{
    r.m_dFrontTrackA = r.m_dFrontTrackB = r.m_dFrontTrackC = r.m_dFrontTrackD = front;
    r.m_dRearTrackE = r.m_dRearTrackF = r.m_dRearTrackG = r.m_dRearTrackH = rear;
}

void SetCGHeights(CRolloverVehicleData& r, double run1, double others)
{
    r.m_dRun1CGHeight = run1;
    r.m_dRun2CGHeight = r.m_dRun3CGHeight = r.m_dRun4CGHeight = r.m_dRun5CGHeight = others;
}

// As the rollover dialog runs the computations after an edit.
void Rate(CRolloverVehicleData& r)
{
    r.ComputeAverageTrackWidth(CRolloverVehicleData::Front);
    r.ComputeAverageTrackWidth(CRolloverVehicleData::Rear);
    r.m_dAvgCGHeight = r.ComputeAverageCGHeight();
    r.ComputeStabilityFactor();
}

} // namespace

TEST(RolloverTest, StabilityRatingFromTrackAndCGHeight)
{
    const struct {
        double track, cgHeight, ssf, probability, riskScore;
        int stars;
    } cases[] = {
        {60, 24, 1.25, 0.159, 1.06, 4},
        {70, 22, 70.0 / 44.0, 0.079, 0.53, 5},
        {58, 25, 1.16, 0.212, 1.41, 3},
        {52.17, 25, 1.0434, 0.35, 2.33, 2},
        {50, 25, 1.0, 0.451, 3.01, 1},
        // From 0.9 down the risk curve has no value: its limit, certain rollover.
        {45, 25, 0.9, 1.0, 6.67, 1},
        {40, 25, 0.8, 1.0, 6.67, 1},
        {1, 25, 0.02, 1.0, 6.67, 1},
    };
    for (const auto& c : cases) {
        CRolloverVehicleData r;
        SetTracks(r, c.track, c.track);
        SetCGHeights(r, 99, c.cgHeight);
        Rate(r);
        EXPECT_DOUBLE_EQ(r.m_dAvgTrackWidth, c.track) << c.track;
        EXPECT_DOUBLE_EQ(r.m_dAvgCGHeight, c.cgHeight) << c.track;
        EXPECT_DOUBLE_EQ(r.m_dSSF, c.ssf) << c.track;
        EXPECT_DOUBLE_EQ(r.m_dRolloverProbability, c.probability) << c.track;
        EXPECT_DOUBLE_EQ(r.m_dRiskScore, c.riskScore) << c.track;
        EXPECT_EQ(r.m_nStarRating, c.stars) << c.track;
    }
}

TEST(RolloverTest, StarBoundariesOfTheRiskScore)
{
    // Factors whose probability lands on 0.101 .. 0.400: risk scores either side of each step.
    const struct {
        double ssf, riskScore;
        int stars;
    } cases[] = {
        {1.4479775085089317, 0.67, 5}, {1.4428597482713448, 0.68, 4}, {1.1778622730436132, 1.33, 3},
        {1.0749697892062264, 1.99, 3}, {1.074257580740069, 2.00, 2},  {1.0198228404054137, 2.66, 2},
        {1.0193961923477741, 2.67, 1}, {1e300, 0.0, 5},
    };
    for (const auto& c : cases) {
        CRolloverVehicleData r;
        r.ComputeRolloverRisk(c.ssf);
        EXPECT_DOUBLE_EQ(r.m_dRiskScore, c.riskScore) << c.ssf;
        EXPECT_EQ(r.m_nStarRating, c.stars) << c.ssf;
    }
}

TEST(RolloverTest, MissingInputsClearTheRating)
{
    CRolloverVehicleData r;
    SetTracks(r, 60, 62);
    SetCGHeights(r, 30, 24);
    Rate(r);
    EXPECT_DOUBLE_EQ(r.m_dAvgTrackWidth, 61.0);
    ASSERT_EQ(r.m_nStarRating, 4);

    // A front track without D: no front width, no average, no rating; the rear width stays.
    r.m_dFrontTrackD = 0.0;
    EXPECT_EQ(r.ComputeAverageTrackWidth(CRolloverVehicleData::Front), 0.0);
    EXPECT_EQ(r.m_dFrontTrackWidth, 0.0);
    EXPECT_DOUBLE_EQ(r.m_dRearTrackWidth, 62.0);
    EXPECT_EQ(r.m_dSSF, 0.0);
    EXPECT_EQ(r.m_dRolloverProbability, 0.0);
    EXPECT_EQ(r.m_dRiskScore, 0.0);
    EXPECT_EQ(r.m_nStarRating, 0);

    // A cleared C.G. height: no average height, and the earlier rating goes as well.
    r.m_dFrontTrackD = 60.0;
    Rate(r);
    ASSERT_EQ(r.m_nStarRating, 4);
    r.m_dRun3CGHeight = 0.0;
    r.m_dAvgCGHeight = r.ComputeAverageCGHeight();
    EXPECT_EQ(r.m_dAvgCGHeight, 0.0);
    r.ComputeStabilityFactor();
    EXPECT_EQ(r.m_dSSF, 0.0);
    EXPECT_EQ(r.m_nStarRating, 0);
}

TEST(RolloverTest, WheelbaseWeightsAndCGHeight)
{
    CRolloverVehicleData r;
    r.m_dLeftWheelbase = 100;
    EXPECT_DOUBLE_EQ(r.ComputeWheelbase(), 50.0); // one side alone counts half
    r.m_dRightWheelbase = 101;
    EXPECT_DOUBLE_EQ(r.ComputeWheelbase(), 100.5);
    r.m_dRightWheelbase = 101.005;
    EXPECT_DOUBLE_EQ(r.ComputeWheelbase(), 100.5); // 100.5025 at two decimals

    r.m_nFrontGAWR = 2000;
    r.m_nRearGAWR = 2100;
    EXPECT_EQ(r.ComputeGVWR(), 4100);
    EXPECT_EQ(r.m_nGVWR, 4100);
    r.m_nFrontGAWR = r.m_nRearGAWR = 2000000000;
    EXPECT_EQ(r.ComputeGVWR(), 2147483647);

    r.m_dLeftFrontWeight = 900;
    r.m_dRightFrontWeight = 910;
    r.m_dLeftRearWeight = 700;
    EXPECT_EQ(r.ComputeTotalWeight(), 0.0);
    r.m_dRightRearWeight = 710.5;
    EXPECT_DOUBLE_EQ(r.ComputeTotalWeight(), 3220.5);

    // Run 1 never counts.
    SetCGHeights(r, 30, 22);
    EXPECT_DOUBLE_EQ(r.ComputeAverageCGHeight(), 22.0);
    EXPECT_EQ(r.m_dAvgCGHeight, 0.0); // not stored by the computation
}
