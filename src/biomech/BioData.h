#pragma once
// The biomechanics test data object. Only its high-speed video part exists so far.

#include "common/HighSpeedVideoData.h"

class CBioData : public CHighSpeedVideoData {
public:
    int m_nCheckCurves = 0;
};
