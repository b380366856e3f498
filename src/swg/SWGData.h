#pragma once
// The SWG test data object. Only its high-speed video part exists so far.

#include "common/HighSpeedVideoData.h"

class CSWGData : public CHighSpeedVideoData {
};
