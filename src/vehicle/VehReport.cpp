// The vehicle test report (.mvr): every field on a labelled line under the test file's section
// markers.

#include "common/RecordLine.h"
#include "vehicle/VehData.h"
#include "vehicle/VehSections.h"

#include <algorithm>

namespace {

void WriteHeading(CStdioFile& file, const char* heading, int n)
{
    CString line;
    line.Format("----- %s %d -----\n", heading, n);
    file.WriteString(line);
}

} // namespace

int CVehData::WriteReportFile(const CString& path)
{
    const bool written = WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString("# Source: Morvel for Windows v5\n");
        file.WriteString(DateCommentLine());
        file.WriteString("----- MV5 REPORT FILE -----\n");
        ReportTest(file);
        ReportVehicles(file);
        ReportBarrier(file);
        ReportOccupants(file);
        ReportRestraints(file);
        ReportInstrumentation(file);
        file.WriteString("----- END -----\n");
    });
    return written ? 1 : 0;
}

void CVehData::ReportTest(CStdioFile& file)
{
    if (IsTestEmpty())
        return;
    file.WriteString("----- TEST -----\n");
    ReportRecord(*this, TestSectionTable(), 0, file);
}

void CVehData::ReportVehicles(CStdioFile& file)
{
    if (IsVehicleEmpty())
        return;
    file.WriteString("----- VEHICLE -----\n");
    // Every vehicle the test holds: those of the file read and those its configuration asks
    // for, so that a two-vehicle test entered by hand reports both, as its test file holds both.
    const int vehicles = std::clamp(std::max(m_nVehiclesRead, m_nVehicleCount), 1, kMaxVehicles);
    for (int n = 1; n <= vehicles; ++n) {
        WriteHeading(file, "VEHICLE NUMBER", n);
        ReportRecord(*this, VehicleSectionTable(), n, file);
    }
}

void CVehData::ReportBarrier(CStdioFile& file)
{
    if (IsBarrierEmpty())
        return;
    file.WriteString("----- BARRIER -----\n");
    ReportRecord(*this, BarrierSectionTable(), 0, file);
}

void CVehData::ReportOccupants(CStdioFile& file)
{
    if (m_nOccupantCount <= 0)
        return;
    file.WriteString("----- OCCUPANT -----\n");
    for (int n = 1; n <= m_nOccupantCount; ++n) {
        WriteHeading(file, "Occupant Number", n);
        ReportRecord(*this, OccupantSectionTable(), n, file);
    }
}

void CVehData::ReportRestraints(CStdioFile& file)
{
    for (int n = 1; n <= m_nRestraintCount; ++n) {
        file.WriteString("----- RESTRAINT -----\n");
        ReportRecord(*this, RestraintSectionTable(), n, file);
    }
}

void CVehData::ReportInstrumentation(CStdioFile& file)
{
    if (m_nCurveCount <= 0)
        return;
    file.WriteString("----- INSTRUMENTATION -----\n");
    for (int n = 1; n <= m_nCurveCount; ++n) {
        WriteHeading(file, "CURVE NUMBER", n);
        ReportRecord(*this, InstrumentationSectionTable(), n, file);
    }
}
