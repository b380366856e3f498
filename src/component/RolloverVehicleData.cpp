#include "component/RolloverVehicleData.h"

#include "common/Convert.h"

#include <climits>
#include <initializer_list>
#include <cmath>

namespace {

bool AllPresent(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!(v >= CRolloverVehicleData::kPresent))
            return false;
    }
    return true;
}

} // namespace

double CRolloverVehicleData::ComputeFrontTrackWidth()
{
    return SideTrackWidth(m_dFrontTrackWidth, {m_dFrontTrackA, m_dFrontTrackB, m_dFrontTrackC, m_dFrontTrackD});
}

double CRolloverVehicleData::ComputeRearTrackWidth()
{
    return SideTrackWidth(m_dRearTrackWidth, {m_dRearTrackE, m_dRearTrackF, m_dRearTrackG, m_dRearTrackH});
}

double CRolloverVehicleData::SideTrackWidth(double& width, std::initializer_list<double> tracks)
{
    if (AllPresent(tracks)) {
        double sum = 0.0;
        for (double track : tracks)
            sum += track;
        width = sum / 4.0;
    } else {
        width = 0.0;
        ResetRating();
    }
    return width;
}

double CRolloverVehicleData::ComputeAverageTrackWidth(Side side)
{
    if (side == Front)
        ComputeFrontTrackWidth();
    else
        ComputeRearTrackWidth();
    m_dAvgTrackWidth = (m_dFrontTrackWidth + m_dRearTrackWidth) / 2.0;
    if (!AllPresent({m_dFrontTrackWidth, m_dRearTrackWidth})) {
        m_dAvgTrackWidth = 0.0;
        ResetRating();
    }
    return m_dAvgTrackWidth;
}

void CRolloverVehicleData::ResetRating()
{
    m_dSSF = 0.0;
    m_dRolloverProbability = 0.0;
    m_dRiskScore = 0.0;
    m_nStarRating = 0;
}

double CRolloverVehicleData::ComputeWheelbase()
{
    m_dWheelbase = RoundTo((m_dLeftWheelbase + m_dRightWheelbase) / 2.0, 2);
    return m_dWheelbase;
}

int CRolloverVehicleData::ComputeGVWR()
{
    // Ratings read from a damaged file may be anything: the sum saturates instead of wrapping.
    const long long sum = static_cast<long long>(m_nFrontGAWR) + m_nRearGAWR;
    m_nGVWR = static_cast<int>(sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : sum);
    return m_nGVWR;
}

double CRolloverVehicleData::ComputeTotalWeight()
{
    if (AllPresent({m_dLeftFrontWeight, m_dRightFrontWeight, m_dLeftRearWeight, m_dRightRearWeight}))
        m_dTotalWeight = m_dLeftFrontWeight + m_dRightFrontWeight + m_dLeftRearWeight + m_dRightRearWeight;
    else
        m_dTotalWeight = 0.0;
    return m_dTotalWeight;
}

// Run 1 settles the platform and does not count.
double CRolloverVehicleData::ComputeAverageCGHeight() const
{
    if (!AllPresent({m_dRun2CGHeight, m_dRun3CGHeight, m_dRun4CGHeight, m_dRun5CGHeight}))
        return 0.0;
    return (m_dRun2CGHeight + m_dRun3CGHeight + m_dRun4CGHeight + m_dRun5CGHeight) / 4.0;
}

// Without both inputs there is no rating: one left over from earlier inputs would be saved with
// a vehicle it no longer describes.
void CRolloverVehicleData::ComputeStabilityFactor()
{
    if (m_dAvgCGHeight > kStabilityInput && m_dAvgTrackWidth > kStabilityInput) {
        m_dSSF = m_dAvgTrackWidth / (2.0 * m_dAvgCGHeight);
        ComputeRolloverRisk(m_dSSF);
    } else {
        ResetRating();
    }
}

void CRolloverVehicleData::ComputeRolloverRisk(double ssf)
{
    // The risk curve's logarithm has no value from 0.9 down; its limit there is certain
    // rollover, which is what such a vehicle gets.
    double probability = 1.0;
    if (ssf > 0.9) {
        const double x = 1.1686 * std::log(ssf - 0.9) + 2.8891;
        probability = 1.0 / (std::exp(x) + 1.0);
    }
    m_dRolloverProbability = RoundTo(probability, 3);
    m_dRiskScore = RoundTo(m_dRolloverProbability / 0.15, 2);
    if (m_dRiskScore < 0.67001)
        m_nStarRating = 5;
    else if (m_dRiskScore < 1.32999)
        m_nStarRating = 4;
    else if (m_dRiskScore < 1.99999)
        m_nStarRating = 3;
    else if (m_dRiskScore < 2.66999)
        m_nStarRating = 2;
    else
        m_nStarRating = 1;
}
