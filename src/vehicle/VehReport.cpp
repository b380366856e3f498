// The vehicle test report (.mvr): every field on a labelled line under the test file's section
// markers.

#include "common/WholeFile.h"
#include "platform/StdioFile.h"
#include "vehicle/VehData.h"
#include "vehicle/VehSections.h"

#include <algorithm>

namespace {

// Every vehicle the test holds: those of the file read and those its configuration asks for, so
// that a two-vehicle test entered by hand reports both, as its test file holds both.
int ReportedVehicles(const CVehData& data)
{
    return std::clamp(std::max(data.m_nVehiclesRead, data.m_nVehicleCount), 1, kMaxVehicles);
}

const FileSection<CVehData> kReportSections[] = {
    {.section = &TestSectionTable(), .written = [](CVehData& d) { return !d.IsTestEmpty(); }},
    {.section = &VehicleSectionTable(),
     .written = [](CVehData& d) { return !d.IsVehicleEmpty(); },
     .records = ReportedVehicles,
     .heading = "----- VEHICLE NUMBER %d -----"},
    {.section = &BarrierSectionTable(), .written = [](CVehData& d) { return !d.IsBarrierEmpty(); }},
    {.section = &OccupantSectionTable(), .count = &CVehData::m_nOccupantCount, .heading = "----- Occupant Number %d -----"},
    {.section = &RestraintSectionTable(), .count = &CVehData::m_nRestraintCount, .markerPerRecord = true},
    {.section = &InstrumentationSectionTable(), .count = &CVehData::m_nCurveCount, .heading = "----- CURVE NUMBER %d -----"},
};

} // namespace

int CVehData::WriteReportFile(const CString& path)
{
    const bool written = WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(ReportFileHead());
        ReportSections<CVehData>(*this, file, kReportSections);
        file.WriteString("----- END -----\n");
    });
    return written ? 1 : 0;
}
