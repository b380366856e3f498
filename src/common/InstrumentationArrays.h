#pragma once
// The arrays an instrumentation channel (curve) has alike in the vehicle, biomechanics, component
// and SWG tests: a base of each data object; record n is element n of every array, element 0 is
// never used. The sensor type and location, and what else a kind's channel holds, stay the
// kind's own; a kind whose channel lacks one of these leaves it empty and never writes it.

#include "platform/CString.h"

struct InstrumentationArrays {
    CStringArray m_saInstAttachment;
    CStringArray m_saInstAxis;
    CStringArray m_saInstXUnits;
    CStringArray m_saInstYUnits;
    CStringArray m_saInstPrefilter;
    CStringArray m_saInstMaker;
    CStringArray m_saInstCalibrationDate;
    CStringArray m_saInstRating;
    CStringArray m_saInstChannelMax;
    CStringArray m_saInstInitialVelocity;
    CStringArray m_saInstFirstPoint;
    CStringArray m_saInstLastPoint;
    CStringArray m_saInstTimeIncrement;
    CStringArray m_saInstDataStatus;
    CStringArray m_saInstChannelStatus;
    CStringArray m_saInstComments;
};
