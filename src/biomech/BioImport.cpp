// Import of the biomechanics GR files of the older generation, on the section tables.

#include "biomech/BioData.h"
#include "biomech/BioSections.h"
#include "common/GrImport.h"
#include "common/SectionReader.h"

#include <algorithm>

namespace {

constexpr int kMaxChestBands = 5;

// A record file whose records are stored by their order; the number stored, 0 on failure.
// Records beyond what a group holds stay in the file, and the user is told.
short ImportRecords(CBioData& data, const CString& path, const GrLayout& layout, const char* formatName,
                    const BioSection& section, int maxRecords = 0, int padFrom = 0)
{
    bool leftOut = false;
    const int taken = ReadGrRecords(
        path, layout, formatName,
        [&](const CString& line, int n) {
            if (n > kMaxSectionRecords)
                leftOut = true;
            else
                ImportRecordLine(data, section, layout, line, n);
            return true;
        },
        maxRecords, padFrom);
    if (leftOut)
        ShowRecordsLeftOut(CString(formatName) + " file", kMaxSectionRecords);
    return static_cast<short>(std::clamp(taken, 0, kMaxSectionRecords));
}

} // namespace

bool CBioData::ReadGR1File(CString path)
{
    return ReadGrSingleGroup(path, m_GR1, "GR1", [this](const CString& line) {
        ImportRecordLine(*this, BioTestSection(), m_GR1, line, 0);
        return 1;
    }) != 0;
}

// Each line is stored at the record its number names; a number below 1 names no record.
bool CBioData::ReadGR5File(CString path)
{
    const NumberedGrImport read = ImportNumberedGrRecords(*this, BioInstrumentationSection(), m_GR5, path, "GR5");
    // The largest record stored, not the last line's: lines 3, 1, 2 keep record 3.
    if (read.highest > 0)
        m_nInstCount = read.highest;
    KeepGroupsInStep();
    if (read.taken < 0)
        return false;
    m_nCurveCount = m_nInstCount;
    return true;
}

// Only "AN" and "CD" select the biological occupant; its line also holds four ribs.
bool CBioData::ReadGR6File(CString path)
{
    return ReadGrSingleGroup(path, m_GR6, "GR6", [this](const CString& line) {
        m_strOccupantType = FileSafeText(m_GR6.Cut(line, 2));
        if (m_strOccupantType == "AN" || m_strOccupantType == "CD") {
            ImportRecordLine(*this, BioOccupantSection(), m_GR6, line, 0);
            for (int k = 1; k <= kRibsPerOccupantLine; ++k)
                ImportRecordLine(*this, RibSection(), m_GR6, line, k, kGr6RibFirstPair + 9 * (k - 1));
            m_nRibCount = kRibsPerOccupantLine;
            KeepGroupsInStep();
        } else {
            ImportRecordLine(*this, DummyOccupantSection(), m_GR6, line, 0);
        }
        return 1;
    }) != 0;
}

bool CBioData::ReadGR7File(CString path)
{
    return ReadGrSingleGroup(path, m_GR7, "GR7", [this](const CString& line) {
        ImportRecordLine(*this, AnthropometrySection(), m_GR7, line, 0);
        return 1;
    }) != 0;
}

short CBioData::ReadGR8File(CString path) { return ImportRecords(*this, path, m_GR8, "GR8", InjurySection()); }

// Gauge lines of 11 or 12 characters lost their trailing blanks: they are padded back to 13.
short CBioData::ReadGRYFile(CString path) { return ImportRecords(*this, path, m_GRY, "GRY", GaugeSection(), 0, 11); }

short CBioData::ReadGRZFile(CString path)
{
    return ImportRecords(*this, path, m_GRZ, "GRZ", ChestBandSection(), kMaxChestBands);
}

TestFileResult CBioData::ImportGR(char n, const CString& path)
{
    // The record groups a GR file fills: the count of records read becomes the group's.
    const auto records = [this](short read, int CBioData::*count) {
        if (read > 0)
            this->*count = read;
        return TestFileResult::Of(read > 0);
    };
    switch (n) {
    case '1':
        return TestFileResult::Of(ReadGR1File(path));
    case '5':
        return TestFileResult::Of(ReadGR5File(path));
    case '6':
        return TestFileResult::Of(ReadGR6File(path));
    case '7':
        return TestFileResult::Of(ReadGR7File(path));
    case '8':
        return records(ReadGR8File(path), &CBioData::m_nInjuryCount);
    case 'y':
        return records(ReadGRYFile(path), &CBioData::m_nGaugeCount);
    case 'z':
        return records(ReadGRZFile(path), &CBioData::m_nChestBandCount);
    default:
        return NotOffered(KindName(), "such GR file");
    }
}
