#include "vehicle/VehData.h"

#include "vehicle/VehSections.h"

#include <algorithm>

CVehData::CVehData() : m_nCurveCheckRequested(0) { ResetVehData(); }

CVehData::~CVehData() = default;

void CVehData::ResetVehData()
{
    ResetSection(*this, TestSectionTable(), 0);
    m_strVersion = "V5";
    m_strConfiguration = "VTB";
    m_strRecorderType = "DDA";
    m_strDataLinkType = "UMB";
    m_nCurveCount = 0;
    m_bConfigNoticeMuted = true;
    m_bConfigChanged = false;
    m_nVehicleCount = 1;
    m_nVehiclesRead = 1;
    ResetSection(*this, VehicleSectionTable(), 3);
    ResetSection(*this, BarrierSectionTable(), 0);
    m_nOccupantCount = 0;
    ResetSection(*this, OccupantSectionTable(), 2);
    m_nRestraintCount = 0;
    ResetSection(*this, RestraintSectionTable(), 2);
    for (int n : {0, 1}) {
        m_saRestVehicleNo.SetAt(n, "1");
        m_saRestNo.SetAt(n, "1");
    }
    ResetSection(*this, InstrumentationSectionTable(), 2);
    for (int n : {0, 1})
        m_saInstXUnits.SetAt(n, "SEC");
    m_nLastCurveNo = 0;

    m_nCurveColumnCount = 0;
    ResetCurveCheckMembers();

    m_IntrusionData.ResetIntrusion();
    m_IntrusionData.SetSecondText(m_strTestReference);
}

void CVehData::ClearTest()
{
    const CString version = m_strVersion;
    const CurveCheckMembers curveCheck = *this;
    const int columns = m_nCurveColumnCount;
    ResetVehData();
    m_strVersion = version;
    static_cast<CurveCheckMembers&>(*this) = curveCheck;
    m_nCurveColumnCount = columns;
    for (int n : {0, 1}) {
        m_saOccVehicleNo.SetAt(n, "1");
        m_saRestNo.SetAt(n, "");
        m_saInstVehicleNo.SetAt(n, "1");
    }
    ResetHsvd();
}

int VehicleCountOfConfig(const CString& config)
{
    return (config == "ITI" || config == "ITV" || config == "VTI" || config == "VTV" || config == "PTV") ? 2 : 1;
}

void CVehData::SetVehicleCount()
{
    m_nVehicleCount = VehicleCountOfConfig(m_strConfiguration);
}


bool CVehData::IsTestEmpty() const { return IsRecordEmpty(*this, TestSectionTable(), 0); }

// Every vehicle of the test is looked at, not vehicle 1 alone: a second vehicle entered while the
// first is still empty would otherwise be left out of the saved file.
bool CVehData::IsVehicleEmpty() const
{
    const int vehicles = std::clamp(m_nVehicleCount, 1, kMaxVehicles);
    for (int n = 1; n <= vehicles; ++n) {
        if (!IsRecordEmpty(*this, VehicleSectionTable(), n))
            return false;
    }
    return true;
}

bool CVehData::IsBarrierEmpty() const
{
    if (m_strConfiguration == "VTV" || m_strConfiguration == "ITI" || m_strConfiguration == "VTI" ||
        m_strConfiguration == "ITV")
        return true;
    return IsRecordEmpty(*this, BarrierSectionTable(), 0);
}

void CVehData::KeepGroupsInStep()
{
    m_nVehiclesRead = std::clamp(m_nVehiclesRead, 1, 2);
    m_nOccupantCount = std::clamp(m_nOccupantCount, 0, kMaxVehRecords);
    m_nRestraintCount = std::clamp(m_nRestraintCount, 0, kMaxVehRecords);
    m_nCurveCount = std::clamp(m_nCurveCount, 0, kMaxVehRecords);
    GrowSection(*this, VehicleSectionTable(), 3);
    GrowSection(*this, OccupantSectionTable(), m_nOccupantCount + 1);
    GrowSection(*this, RestraintSectionTable(), m_nRestraintCount + 1);
    GrowSection(*this, InstrumentationSectionTable(), m_nCurveCount + 1);
}
