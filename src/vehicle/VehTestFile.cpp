// The vehicle test file: the .mv5 writer and the version-5 and version-4 readers.

#include "common/RecordLine.h"
#include "platform/Messages.h"
#include "vehicle/VehData.h"
#include "vehicle/VehSections.h"

#include <algorithm>
#include <cctype>

namespace {

void WriteRecords(CStdioFile& file, CVehData& data, const VehSection& section, int first, int last)
{
    file.WriteString(SectionMarker(section.name) + "\n");
    for (int n = first; n <= last; ++n)
        file.WriteString(FormatRecordLine(data, section, n) + "\n");
}

int FileVersion(int version) { return version == 4 ? 4 : 5; }

void CheckSeparators(const VehSection& section, int version, const SectionRecord& record, int lineNo)
{
    CheckPipeCountImpl(version, record.separators, lineNo, section.name, AllowedSeparators(section, version));
}

// Reads a section of records 1, 2, ... up to the most the data object holds; returns the number
// stored.
int ReadRecords(CVehData& data, CStdioFile& file, const VehSection& section, int version)
{
    const int maxRecords = section.maxRecords;
    int stored = 0;
    bool leftOut = false;
    auto onRecord = [&](const SectionRecord& record) {
        if (record.number > maxRecords) {
            leftOut = true;
            return false;
        }
        CheckSeparators(section, version, record, record.number);
        StoreRecordLine(data, section, record.line, record.separators, version, record.number);
        stored = record.number;
        return true;
    };
    const CString marker = SectionMarker(section.name);
    if (section.endsAtGap)
        ReadContiguousSection(file, marker, onRecord);
    else
        ReadSection(file, marker, onRecord);
    if (leftOut) {
        CString where;
        where.Format("MV%d file's %s section", version, section.name);
        ShowRecordsLeftOut(where, maxRecords);
    }
    return stored;
}

} // namespace

int CVehData::WriteTestFile(CString path)
{
    const bool written = WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(CString("# Source: Morvel for Windows v5 in Vehicle Test ") +
                         (m_vCurveErrors.empty() ? "- No curve error checking" : "- Curve error checking completed") +
                         "\n");
        file.WriteString(DateCommentLine());
        file.WriteString("----- MV5 -----\n");
        WriteTestSection(file);
        WriteVehicleSection(file);
        WriteBarrierSection(file);
        WriteOccupantSection(file);
        WriteRestraintSection(file);
        WriteInstrumentationSection(file);
        file.WriteString("----- END -----\n");
    });
    return written ? 1 : 0;
}

// Written even when every field looks empty: a test file without its TEST section could not be
// read back. For the same reason a version the reader would refuse (one carried over from a
// damaged older file) is written as "V5", the version of the file being written.
void CVehData::WriteTestSection(CStdioFile& file)
{
    const CString version = m_strVersion;
    CString written = FileSafeText(version);
    written.Trim();
    written.MakeUpper();
    if (written.GetAt(0) != 'V')
        m_strVersion = "V5";
    WriteRecords(file, *this, TestSectionTable(), 0, 0);
    m_strVersion = version;
}

void CVehData::WriteVehicleSection(CStdioFile& file)
{
    if (!IsVehicleEmpty())
        WriteRecords(file, *this, VehicleSectionTable(), 1, std::clamp(m_nVehicleCount, 1, kMaxVehicles));
}

void CVehData::WriteBarrierSection(CStdioFile& file)
{
    if (!IsBarrierEmpty())
        WriteRecords(file, *this, BarrierSectionTable(), 0, 0);
}

void CVehData::WriteOccupantSection(CStdioFile& file)
{
    if (m_nOccupantCount > 0)
        WriteRecords(file, *this, OccupantSectionTable(), 1, m_nOccupantCount);
}

void CVehData::WriteRestraintSection(CStdioFile& file)
{
    if (m_nRestraintCount > 0)
        WriteRecords(file, *this, RestraintSectionTable(), 1, m_nRestraintCount);
}

void CVehData::WriteInstrumentationSection(CStdioFile& file)
{
    if (m_nCurveCount > 0)
        WriteRecords(file, *this, InstrumentationSectionTable(), 1, m_nCurveCount);
}

int CVehData::ReadTestFile(CString path)
{
    int result = 0;
    ReadWholeFile(path, true, [&](CStdioFile& file) { result = ReadV5Sections(file); });
    KeepGroupsInStep();
    return result;
}

int CVehData::ReadV4TestFile(CString path)
{
    const bool opened = ReadWholeFile(path, true, [this](CStdioFile& file) {
        ReadTestSection(file, 4);
        ReadVehicleSection(file, 4);
        ReadBarrierSection(file, 4);
        ReadOccupantSection(file, 4);
        ReadRestraintSection(file, 4);
        ReadInstrumentationSection(file, 4);
    });
    KeepGroupsInStep();
    return opened ? 1 : 0;
}

int CVehData::ReadV5Sections(CStdioFile& file)
{
    if (!ReadTestSection(file, 5))
        return 0;
    ReadVehicleSection(file, 5);
    ReadBarrierSection(file, 5);
    ReadOccupantSection(file, 5);
    ReadRestraintSection(file, 5);
    ReadInstrumentationSection(file, 5);
    return 1;
}

bool CVehData::ReadTestSection(CStdioFile& file, int version)
{
    version = FileVersion(version);
    const VehSection& section = TestSectionTable();
    bool taken = false;
    ReadSection(file, SectionMarker(section.name), [&](const SectionRecord& record) {
        const bool wrongCount = CheckPipeCountImpl(version, record.separators, 0, section.name,
                                                   AllowedSeparators(section, version));
        if (version == 5) {
            if (wrongCount)
                return false;
            m_strVersion = GetFields(record.line, 0, 1);
            if (std::toupper(static_cast<unsigned char>(m_strVersion.GetAt(0))) != 'V')
                return false;
        }
        StoreRecordLine(*this, section, record.line, record.separators, version, 0);
        taken = true;
        return false;
    });
    return taken;
}

void CVehData::ReadVehicleSection(CStdioFile& file, int version)
{
    // Vehicles are counted by the lines stored, not by the number written in them: a line
    // numbered "3" or lines numbered "2" then "1" must not lose or misplace a vehicle.
    const int stored = ReadRecords(*this, file, VehicleSectionTable(), FileVersion(version));
    if (stored > 0)
        m_nVehiclesRead = stored;
}

void CVehData::ReadBarrierSection(CStdioFile& file, int version)
{
    version = FileVersion(version);
    const VehSection& section = BarrierSectionTable();
    ReadSection(file, SectionMarker(section.name), [&](const SectionRecord& record) {
        CheckSeparators(section, version, record, 0);
        StoreRecordLine(*this, section, record.line, record.separators, version, 0);
        return false;
    });
}

void CVehData::ReadOccupantSection(CStdioFile& file, int version)
{
    const int stored = ReadRecords(*this, file, OccupantSectionTable(), FileVersion(version));
    if (stored > 0)
        m_nOccupantCount = stored;
}

void CVehData::ReadRestraintSection(CStdioFile& file, int version)
{
    const int stored = ReadRecords(*this, file, RestraintSectionTable(), FileVersion(version));
    if (stored > 0)
        m_nRestraintCount = stored;
}

void CVehData::ReadInstrumentationSection(CStdioFile& file, int version)
{
    const int stored = ReadRecords(*this, file, InstrumentationSectionTable(), FileVersion(version));
    if (stored > 0)
        m_nCurveCount = stored;
}
