// The component test report (.mvr): every field on a labelled line under its section marker.

#include "common/SectionReader.h"
#include "common/WholeFile.h"
#include "component/CompData.h"
#include "component/CompSections.h"
#include "platform/StdioFile.h"

#include <algorithm>

namespace {

using D = CCompData;

constexpr const char* kRecordHeading = "Record %d:";

bool IsRollover(const D& d) { return IsRolloverType(d.m_strTestType); }

const FileSection<D> kHeadReport[] = {
    {.section = &CompTestSection(), .written = [](D& d) { return d.HasTestData(); }},
    {.section = &CompComponentSection(),
     .written = [](D& d) { return d.HasComponents(); },
     .records = [](const D& d) { return HeldRecords(d, CompComponentSection(), d.m_nComponentCount); },
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
    {.section = &CompConfigurationSection(),
     .written = [](D& d) { return d.HasConfigurations(); },
     .records = [](const D& d) { return HeldRecords(d, CompConfigurationSection(), d.m_nConfigurationCount); },
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
};

const FileSection<D> kTailReport[] = {
    {.section = &CompInstrumentationSection(),
     .written = [](D& d) { return d.HasCurves(); },
     .records = [](const D& d) { return HeldRecords(d, CompInstrumentationSection(), d.m_nInstRecordCount); },
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
};

} // namespace

int CCompData::WriteReportFile(const CString& path)
{
    const bool written = WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(ReportFileHead());
        m_strTestDate.MakeUpper();
        ReportSections<D>(*this, file, kHeadReport);
        ReportVehicles(file);
        if (IsRollover(*this)) {
            file.WriteString(SectionMarker("ROLLOVER") + "\n");
            ReportRecord(m_RolloverVehicleData, RolloverSectionTable(), 0, file);
        }
        ReportSections<D>(*this, file, kTailReport);
        file.WriteString("----- END -----\n");
    });
    return written ? 1 : 0;
}

// Vehicle records with every field empty are left out, heading and all; a rollover test adds the
// rollover vehicle's own fields to each.
void CCompData::ReportVehicles(CStdioFile& file)
{
    if (!HasVehicleData())
        return;
    file.WriteString(SectionMarker("VEHICLE") + "\n");
    const CompSection& section = CompVehicleSection();
    const int vehicles = HeldVehicles();
    for (int i = 1; i <= vehicles; ++i) {
        if (!VehicleRecordHoldsData(i))
            continue;
        if (vehicles > 1) {
            CString heading;
            heading.Format(kRecordHeading, i);
            file.WriteString(heading + "\n");
        }
        ReportRecord(*this, section, i, file);
        if (IsRollover(*this))
            ReportRecord(m_RolloverVehicleData, RolloverVehicleLineSection(), 0, file);
    }
}
