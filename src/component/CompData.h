#pragma once
// The component test data object. So far its high-speed video part and the vehicle records
// that the vehicle picker reads.

#include "common/HighSpeedVideoData.h"

class CCompData : public CHighSpeedVideoData {
public:
    CCompData() { SetDefaults(); }
    virtual ~CCompData() = default;

    // Each vehicle array gets exactly three empty elements: 0 is the test's non-vehicle record,
    // 1 the test vehicle.
    virtual void SetDefaults()
    {
        m_nVehicleCount = 0;
        for (CStringArray* a : {&m_saVehMake, &m_saVehModel, &m_saVehYear, &m_saVehKavroNo, &m_saVehBodyType,
                                &m_saVehVIN, &m_saVehCrashTested, &m_saVehComments}) {
            a->RemoveAll();
            a->SetSize(3);
        }
    }

    int m_nCheckCurves = 0;
    int m_nVehicleCount = 0;
    CStringArray m_saVehMake;
    CStringArray m_saVehModel;
    CStringArray m_saVehYear;
    CStringArray m_saVehKavroNo;
    CStringArray m_saVehBodyType;
    CStringArray m_saVehVIN;
    CStringArray m_saVehCrashTested;
    CStringArray m_saVehComments;
};
