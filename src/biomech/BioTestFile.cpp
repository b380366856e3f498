// The biomechanics test file: the .mv5 writer and the version-5 and version-4 readers, on the
// section tables of BioSections.cpp.

#include "biomech/BioData.h"
#include "biomech/BioSections.h"
#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "common/WholeFile.h"

namespace {

// The occupant line is written only when it names where the occupant sat.
bool HasPlace(const CString& location, const CString& sex, const CString& seat)
{
    return !location.IsEmpty() || !sex.IsEmpty() || !seat.IsEmpty();
}

// The sections in file order. TEST is written whatever it holds: a test file without its TEST
// line could not be loaded again.
const FileSection<CBioData> kFileSections[] = {
    {.section = &BioTestSection()},
    {.section = &DummyOccupantSection(),
     .written =
         [](CBioData& d) {
             return d.IsDummyOccupant() && HasPlace(d.m_strDumLocation, d.m_strDumSex, d.m_strDumSeatPosition);
         }},
    {.section = &BioOccupantSection(),
     .written =
         [](CBioData& d) {
             return d.IsBioOccupant() && HasPlace(d.m_strBioLocation, d.m_strBioSex, d.m_strBioSeatPosition);
         }},
    {.section = &BioRestraintSection(), .count = &CBioData::m_nRestraintCount},
    {.section = &AnthropometrySection(), .written = [](CBioData& d) { return d.HasAnthropometry(); }},
    {.section = &RibSection(), .written = [](CBioData& d) { return d.HasRibData(); }, .count = &CBioData::m_nRibCount},
    {.section = &InjurySection(), .count = &CBioData::m_nInjuryCount},
    {.section = &BioInstrumentationSection(), .count = &CBioData::m_nInstCount},
    {.section = &ChestBandSection(), .count = &CBioData::m_nChestBandCount},
    {.section = &GaugeSection(), .count = &CBioData::m_nGaugeCount},
};

// A group's count: the number of record lines stored, 0 when the section is absent (or, with
// `keepWhenAbsent`, unchanged then).
void SetCountToStored(int& count, int stored, bool keepWhenAbsent = false)
{
    if (stored >= 0 || !keepWhenAbsent)
        count = stored > 0 ? stored : 0;
}

// Version 4 has no RIB section and its occupant lines in layouts of their own.
const TestKindShape& BiomechanicsShape()
{
    static const TestKindShape shape {
        .kind = "Biomechanics",
        .v5 = KindSectionsOf<CBioData>({&BioTestSection(), &RibSection(), &BioRestraintSection(), &BioOccupantSection(),
                                        &BioInstrumentationSection(), &InjurySection(), &GaugeSection(),
                                        &DummyOccupantSection(), &ChestBandSection(), &AnthropometrySection()},
                                       5),
        .v4 = KindSectionsOf<CBioData>({&BioTestSection(), &BioRestraintSection(), &BioInstrumentationSection(),
                                        &InjurySection(), &GaugeSection(), &BioOccupantV4Section(),
                                        &DummyOccupantV4Section(), &ChestBandSection(), &AnthropometrySection()},
                                       4),
        .letter = 'B',
    };
    return shape;
}

const bool kShapeKnown = RegisterTestKind(BiomechanicsShape);

} // namespace

bool CBioData::WriteMV5File(CString path)
{
    return WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(TestFileHead("Biomechanics", !m_vCurveErrors.empty()));
        WriteSections<CBioData>(*this, file, kFileSections);
        file.WriteString("----- END -----\n");
    });
}

bool CBioData::ReadMV5File(CStdioFile& file)
{
    const bool result = ReadV5Sections(file);
    KeepGroupsInStep();
    return result;
}

bool CBioData::ReadVersion4File(CStdioFile& file)
{
    ReadV4Sections(file);
    KeepGroupsInStep();
    return true;
}

// Every group is counted by the record lines stored, whatever record numbers they carry: a count
// above the records stored would reach records that are not there.
bool CBioData::ReadV5Sections(CStdioFile& file)
{
    if (!ReadTestLine(*this, file, BioTestSection(), 5, 'B', &CBioData::m_strVersion, false))
        return false;
    SetCountToStored(m_nRibCount, ReadRecords(*this, file, RibSection(), 5));
    SetCountToStored(m_nRestraintCount, ReadRecords(*this, file, BioRestraintSection(), 5));
    ReadSingleLine(*this, file, BioOccupantSection(), 5);
    SetCountToStored(m_nInstCount, ReadRecords(*this, file, BioInstrumentationSection(), 5));
    m_nCurveCount = m_nInstCount;
    SetCountToStored(m_nInjuryCount, ReadRecords(*this, file, InjurySection(), 5), true);
    SetCountToStored(m_nGaugeCount, ReadRecords(*this, file, GaugeSection(), 5));
    ReadSingleLine(*this, file, DummyOccupantSection(), 5);
    SetCountToStored(m_nChestBandCount, ReadRecords(*this, file, ChestBandSection(), 5));
    ReadSingleLine(*this, file, AnthropometrySection(), 5);
    return true;
}

bool CBioData::ReadV4Sections(CStdioFile& file)
{
    ReadTestLine(*this, file, BioTestSection(), 4, 'B', &CBioData::m_strVersion, false);
    SetCountToStored(m_nRestraintCount, ReadRecords(*this, file, BioRestraintSection(), 4));
    SetCountToStored(m_nInstCount, ReadRecords(*this, file, BioInstrumentationSection(), 4));
    m_nCurveCount = m_nInstCount;
    SetCountToStored(m_nInjuryCount, ReadRecords(*this, file, InjurySection(), 4), true);
    SetCountToStored(m_nGaugeCount, ReadRecords(*this, file, GaugeSection(), 4));

    // One occupant: the biological one when its section has a line, else the dummy. Comment lines
    // after the marker are passed over as in every section. The biological line holds the ribs.
    FoundSection found;
    bool biological = false;
    if (LocateSection(file, BioOccupantV4Section(), found)) {
        ReadSectionRecords(file, found, "----- ", false, [&](const SectionRecord& record) {
            CheckPipeCount(4, record.separators, 0, found.name, AllowedSeparators(BioOccupantV4Section(), 4));
            StoreRecordLine(*this, BioOccupantV4Section(), record.line, record.separators, 4, 0);
            for (int k = 1; k <= kRibsPerOccupantLine; ++k) {
                // Rib field 1 is field 19 of the line for rib 1, 28 for rib 2, ...
                const int offset = kV4RibFirstField - 1 + 9 * (k - 1);
                StoreRecordLine(*this, RibSection(), record.line, record.separators, 5, k, offset);
            }
            m_nRibCount = kRibsPerOccupantLine;
            biological = true;
            return false;
        });
    }
    if (!biological)
        ReadSingleLine(*this, file, DummyOccupantV4Section(), 4);

    SetCountToStored(m_nChestBandCount, ReadRecords(*this, file, ChestBandSection(), 4));
    ReadSingleLine(*this, file, AnthropometrySection(), 4);
    return true;
}

void CBioData::ClearForRead()
{
    const CString version = m_strVersion;
    const int checkCurves = m_nCheckCurves;
    const int checkCount = m_nCurveCheckCount;
    const CurveCheckMembers curveCheck = *this;
    *this = CBioData();
    m_strVersion = version;
    m_nCheckCurves = checkCurves;
    m_nCurveCheckCount = checkCount;
    static_cast<CurveCheckMembers&>(*this) = curveCheck;
    m_strRecorderType.Empty();
    m_strDataLinkType.Empty();
    m_strOccupantType = "CD";
    for (int n : {0, 1})
        m_saInstXUnits.SetAt(n, "");
    ResetHsvd();
}

TestFileResult CBioData::ReadTest(const CString& path)
{
    return ReadTestOfKind(path, 5, BiomechanicsShape(), [this](CStdioFile& file) { return ReadMV5File(file); });
}

TestFileResult CBioData::ReadVersion4(const CString& path)
{
    return ReadTestOfKind(path, 4, BiomechanicsShape(), [this](CStdioFile& file) { return ReadVersion4File(file); });
}

TestFileResult CBioData::WriteTest(const CString& path) { return TestFileResult::Of(WriteMV5File(path)); }

TestFileResult CBioData::WriteReport(const CString& path) { return TestFileResult::Of(WriteReportFile(path)); }
