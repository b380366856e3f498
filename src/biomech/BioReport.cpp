// The biomechanics test report (.mvr): every field on a labelled line under the test file's
// section markers, in the report's own order of sections.

#include "biomech/BioData.h"
#include "biomech/BioSections.h"
#include "common/WholeFile.h"
#include "platform/StdioFile.h"

namespace {

template <bool (CBioData::*test)() const>
bool Holds(CBioData& d)
{
    return (d.*test)();
}

// Records are headed "Record n:" only when the group has more than one.
constexpr const char* kRecordHeading = "Record %d:";

const FileSection<CBioData> kReportSections[] = {
    {.section = &BioTestSection(), .written = Holds<&CBioData::HasTestData>},
    {.section = &DummyOccupantSection(), .written = Holds<&CBioData::IsDummyOccupant>},
    {.section = &BioOccupantSection(), .written = Holds<&CBioData::IsBioOccupant>},
    {.section = &RibSection(),
     .written = [](CBioData& d) { return d.HasRibData(); },
     .count = &CBioData::m_nRibCount,
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
    {.section = &BioRestraintSection(),
     .count = &CBioData::m_nRestraintCount,
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
    {.section = &AnthropometrySection(), .written = Holds<&CBioData::HasAnthropometry>},
    {.section = &InjurySection(), .count = &CBioData::m_nInjuryCount, .heading = kRecordHeading, .headingWhenSeveral = true},
    {.section = &BioInstrumentationSection(),
     .count = &CBioData::m_nInstCount,
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
    {.section = &ChestBandSection(),
     .count = &CBioData::m_nChestBandCount,
     .heading = kRecordHeading,
     .headingWhenSeveral = true},
    {.section = &GaugeSection(), .count = &CBioData::m_nGaugeCount, .heading = kRecordHeading, .headingWhenSeveral = true},
};

} // namespace

bool CBioData::WriteReportFile(const CString& path)
{
    return WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(ReportFileHead());
        // The date is reported, and kept, upper-case, as the test file has it.
        if (HasTestData())
            m_strTestDate.MakeUpper();
        ReportSections<CBioData>(*this, file, kReportSections);
        file.WriteString("----- END -----\n");
    });
}
