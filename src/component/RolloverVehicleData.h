#pragma once
// The rollover vehicle of a rollover test ("ROV"): tires, track widths, wheelbase, roof height,
// axle ratings, corner weights, centre-of-gravity position and the five runs of the C.G. height
// measurement on the vehicle inertia measurement facility (VIMF), with the averages and the
// stability rating derived from them. Its 63 fields are numbered in declared order; the test
// file, the report and the screens know them by those numbers.

#include "platform/CString.h"

#include <initializer_list>

class CRolloverVehicleData {
public:
    enum Side { Front, Rear };

    // A measurement counts as entered from this size on.
    static constexpr double kPresent = 0.0000001;
    // Track width and C.G. height must exceed this for a stability factor.
    static constexpr double kStabilityInput = 0.00000001;

    double ComputeFrontTrackWidth();
    double ComputeRearTrackWidth();
    double ComputeAverageTrackWidth(Side side);
    void ResetRating();
    double ComputeWheelbase();
    int ComputeGVWR();
    double ComputeTotalWeight();
    // Not stored: the caller puts it into m_dAvgCGHeight.
    double ComputeAverageCGHeight() const;
    void ComputeStabilityFactor();
    void ComputeRolloverRisk(double ssf);

    // 1-7: edited on the vehicle page and carried on the VEHICLE line.
    int m_nVimfTestNo = 0;
    CString m_strLoad;
    CString m_strEngine;
    double m_dEngineDisplacement = 0.0;
    CString m_strTransmission;
    CString m_strFuel;
    CString m_strOptionalEquipment;
    // 8-13: tires (pressures in psi).
    CString m_strFrontTireType;
    CString m_strFrontTireSize;
    int m_nFrontTirePressure = 0;
    CString m_strRearTireType;
    CString m_strRearTireSize;
    int m_nRearTirePressure = 0;
    // 14-28: track widths and wheelbase (in).
    double m_dAvgTrackWidth = 0.0;
    double m_dFrontTrackWidth = 0.0;
    double m_dRearTrackWidth = 0.0;
    double m_dFrontTrackA = 0.0;
    double m_dFrontTrackB = 0.0;
    double m_dFrontTrackC = 0.0;
    double m_dFrontTrackD = 0.0;
    double m_dRearTrackE = 0.0;
    double m_dRearTrackF = 0.0;
    double m_dRearTrackG = 0.0;
    double m_dRearTrackH = 0.0;
    double m_dWheelbase = 0.0;
    double m_dLeftWheelbase = 0.0;
    double m_dRightWheelbase = 0.0;
    double m_dRoofHeight = 0.0;
    // 29-36: ratings and weights (lb).
    int m_nGVWR = 0;
    int m_nFrontGAWR = 0;
    int m_nRearGAWR = 0;
    double m_dTotalWeight = 0.0;
    double m_dLeftFrontWeight = 0.0;
    double m_dRightFrontWeight = 0.0;
    double m_dLeftRearWeight = 0.0;
    double m_dRightRearWeight = 0.0;
    // 37-39: centre of gravity (in); lateral is negative towards the driver's side.
    double m_dCGLongitudinal = 0.0;
    double m_dCGLateral = 0.0;
    double m_dAvgCGHeight = 0.0;
    // 40-59: the five VIMF runs, each applied weight (lb), platform angle (deg), relative
    // motion (in), C.G. height (in).
    double m_dRun1AppliedWeight = 0.0;
    double m_dRun1PlatformAngle = 0.0;
    double m_dRun1RelativeMotion = 0.0;
    double m_dRun1CGHeight = 0.0;
    double m_dRun2AppliedWeight = 0.0;
    double m_dRun2PlatformAngle = 0.0;
    double m_dRun2RelativeMotion = 0.0;
    double m_dRun2CGHeight = 0.0;
    double m_dRun3AppliedWeight = 0.0;
    double m_dRun3PlatformAngle = 0.0;
    double m_dRun3RelativeMotion = 0.0;
    double m_dRun3CGHeight = 0.0;
    double m_dRun4AppliedWeight = 0.0;
    double m_dRun4PlatformAngle = 0.0;
    double m_dRun4RelativeMotion = 0.0;
    double m_dRun4CGHeight = 0.0;
    double m_dRun5AppliedWeight = 0.0;
    double m_dRun5PlatformAngle = 0.0;
    double m_dRun5RelativeMotion = 0.0;
    double m_dRun5CGHeight = 0.0;
    // 60-63: the rating.
    double m_dSSF = 0.0;
    double m_dRolloverProbability = 0.0;
    double m_dRiskScore = 0.0;
    int m_nStarRating = 0; // 1 to 5; 0 not rated

private:
    // The width of one side from its four measurements; none missing, or no rating.
    double SideTrackWidth(double& width, std::initializer_list<double> tracks);
};
