// Import of the vehicle GR files of the older generation.

#include "common/Convert.h"
#include "common/GrImport.h"
#include "common/SectionReader.h"
#include "platform/Messages.h"
#include "vehicle/VehData.h"
#include "vehicle/VehSections.h"

#include <algorithm>

int CVehData::ReadGR1File(CString path)
{
    const int result = ReadGrSingleGroup(path, m_GR1, "GR1", [this](const CString& line) {
        ImportRecordLine(*this, TestSectionTable(), m_GR1, line, 0);
        return 1;
    });
    KeepGroupsInStep();
    return result;
}

int CVehData::ReadGR2File(CString path)
{
    int highest = 0;
    bool invalid = false;
    const int taken = ReadGrRecords(path, m_GR2, "GR2", [&](const CString& line, int) {
        const int vehicle = GrRecordNumber(VehicleSectionTable(), m_GR2, line);
        if (vehicle != 1 && vehicle != 2) {
            invalid = true;
            MessageBoxA(nullptr, "Invalid Vehicle Number", "ERROR", MB_OK);
            return false;
        }
        ImportRecordLine(*this, VehicleSectionTable(), m_GR2, line, vehicle);
        highest = std::max(highest, vehicle);
        return true;
    });
    // The report lists vehicles 1 .. m_nVehiclesRead: the highest vehicle imported keeps
    // vehicle 2 in it when its line came first.
    if (highest > 0)
        m_nVehiclesRead = highest;
    else if (invalid)
        m_nVehiclesRead = 1;
    KeepGroupsInStep();
    return taken >= 0 ? 1 : 0;
}

int CVehData::ReadGR3File(CString path)
{
    const int result = ReadGrSingleGroup(path, m_GR3, "GR3", [this](const CString& line) {
        ImportRecordLine(*this, BarrierSectionTable(), m_GR3, line, 0);
        return 1;
    });
    KeepGroupsInStep();
    return result;
}

short CVehData::ReadGR4File(CString path)
{
    bool leftOut = false;
    const int taken = ReadGrRecords(path, m_GR4, "GR4", [&](const CString& line, int n) {
        if (n > kMaxVehRecords)
            leftOut = true;
        else
            ImportRecordLine(*this, OccupantSectionTable(), m_GR4, line, n);
        return true;
    });
    if (leftOut)
        ShowRecordsLeftOut("GR4 file", kMaxVehRecords);
    // The sheet stores a positive result as the occupant count; each line imported has grown
    // every occupant array to its element.
    return static_cast<short>(std::clamp(taken, 0, kMaxVehRecords));
}

int CVehData::ReadGR5File(CString path)
{
    const NumberedGrImport read = ImportNumberedGrRecords(*this, InstrumentationSectionTable(), m_GR5, path, "GR5");
    if (read.last > 0)
        m_nLastCurveNo = read.last;
    if (read.taken < 0) {
        KeepGroupsInStep();
        return 0;
    }
    // The highest curve imported, not the last one: curves 4, 7, 5 keep curve 7.
    m_nCurveCount = read.taken > 0 ? read.highest : m_nLastCurveNo;
    KeepGroupsInStep();
    return 1;
}
