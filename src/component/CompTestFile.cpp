// The component test file: the .mv5 writer and the version-5 and version-4 readers.

#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "common/WholeFile.h"
#include "component/CompData.h"
#include "component/CompSections.h"

#include <algorithm>

namespace {

using D = CCompData;

constexpr const char* kNonVehicleLine = "0||||||||A NON-VEHICLE COMPONENT, No Vehicle information Available";

bool IsRollover(const D& d) { return IsRolloverType(d.m_strTestType); }

int Components(const D& d) { return HeldRecords(d, CompComponentSection(), d.m_nComponentCount); }
int Configurations(const D& d) { return HeldRecords(d, CompConfigurationSection(), d.m_nConfigurationCount); }
int Curves(const D& d) { return HeldRecords(d, CompInstrumentationSection(), d.m_nInstRecordCount); }

// The TEST section is written whatever the test holds: a file without it could not be read back.
const FileSection<D> kTestFile[] = {{.section = &CompTestSection()}};
// A rollover test writes its components with their fixed texts.
const FileSection<D> kRecordFile[] = {
    {.section = &CompComponentSection(),
     .written = [](D& d) { return d.HasComponents() && !IsRollover(d); },
     .records = Components},
    {.section = &CompComponentRovSection(),
     .written = [](D& d) { return d.HasComponents() && IsRollover(d); },
     .records = Components},
    {.section = &CompConfigurationSection(),
     .written = [](D& d) { return d.HasComponents() && d.HasConfigurations(); },
     .records = Configurations},
    {.section = &CompInstrumentationSection(), .written = [](D& d) { return d.HasCurves(); }, .records = Curves},
};

template <class Data>
void CheckSeparators(const Section<Data>& section, int version, const SectionRecord& record, const char* name,
                     int lineNo)
{
    CheckPipeCount(version, record.separators, lineNo, name, AllowedSeparators(section, version));
}

// Version 4 has no ROLLOVER section; its TEST line comes in two lengths.
const TestKindShape& ComponentShape()
{
    static const TestKindShape shape = [] {
        TestKindShape s {
            .kind = "Component",
            .v5 = KindSectionsOf<CCompData>({&CompTestSection(), &CompVehicleSection(), &CompComponentSection(),
                                             &CompConfigurationSection(), &CompInstrumentationSection()},
                                            5),
            .v4 = KindSectionsOf<CCompData>({&CompTestSection(), &CompTestV4LongSection(), &CompVehicleSection(),
                                             &CompComponentSection(), &CompConfigurationSection(),
                                             &CompInstrumentationSection()},
                                            4),
            .letter = 'C',
        };
        for (KindSection& rollover : KindSectionsOf<CRolloverVehicleData>({&RolloverSectionTable()}, 5))
            s.v5.push_back(std::move(rollover));
        return s;
    }();
    return shape;
}

const bool kShapeKnown = RegisterTestKind(ComponentShape);

} // namespace

int CCompData::WriteMV5File(CString path)
{
    const bool written = WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(TestFileHead("Component", !m_vCurveErrors.empty()));
        WriteTestSection(file);
        WriteVehicleSection(file);
        WriteRolloverSection(file);
        WriteComponentSection(file);
        WriteConfigurationSection(file);
        WriteInstrumentationSection(file);
        file.WriteString("----- END -----\n");
    });
    return written ? 1 : 0;
}

void CCompData::WriteTestSection(CStdioFile& file) { WriteSections<D>(*this, file, kTestFile); }

void CCompData::WriteVehicleSection(CStdioFile& file)
{
    file.WriteString(SectionMarker("VEHICLE") + "\n");
    if (!HasVehicleData()) {
        file.WriteString(CString(kNonVehicleLine) + "\n");
        return;
    }
    const bool rollover = IsRollover(*this);
    for (int i = 1; i <= HeldVehicles(); ++i) {
        if (!VehicleRecordHoldsData(i))
            continue;
        if (rollover)
            file.WriteString(FormatRecordLine(*this, CompVehicleRovSection(), i) +
                             FormatRecordLine(m_RolloverVehicleData, RolloverVehicleLineSection(), 0) + "\n");
        else
            file.WriteString(FormatRecordLine(*this, CompVehicleSection(), i) + "\n");
    }
}

void CCompData::WriteRolloverSection(CStdioFile& file)
{
    if (!IsRollover(*this))
        return;
    file.WriteString(SectionMarker("ROLLOVER") + "\n");
    file.WriteString(FormatRecordLine(m_RolloverVehicleData, RolloverSectionTable(), 0) + "\n");
}

void CCompData::WriteComponentSection(CStdioFile& file)
{
    WriteSections<D>(*this, file, std::span(kRecordFile).subspan(0, 2));
}

void CCompData::WriteConfigurationSection(CStdioFile& file)
{
    WriteSections<D>(*this, file, std::span(kRecordFile).subspan(2, 1));
}

void CCompData::WriteInstrumentationSection(CStdioFile& file)
{
    WriteSections<D>(*this, file, std::span(kRecordFile).subspan(3, 1));
}

int CCompData::ReadMV5File(CStdioFile& file) { return ReadV5Sections(file); }

int CCompData::ReadMV4File(CStdioFile& file)
{
    // Version 4 carries no rollover vehicle: the previous test's must not stay with this one.
    m_RolloverVehicleData = CRolloverVehicleData();
    ReadTestSection(file, 4);
    ReadVehicleSection(file, 4);
    ReadComponentSection(file, 4);
    ReadConfigurationSection(file, 4);
    ReadInstrumentationSection(file, 4);
    return 1;
}

int CCompData::ReadV5Sections(CStdioFile& file)
{
    if (!ReadTestSection(file, 5))
        return 0;
    // The rollover vehicle is the file's: a file without its fields leaves none of the previous
    // test's measurements and rating behind.
    m_RolloverVehicleData = CRolloverVehicleData();
    ReadVehicleSection(file, 5);
    ReadComponentSection(file, 5);
    ReadRolloverSection(file, 5);
    ReadConfigurationSection(file, 5);
    ReadInstrumentationSection(file, 5);
    return 1;
}

bool CCompData::ReadTestSection(CStdioFile& file, int version)
{
    if (version != 4)
        return ReadTestLine(*this, file, CompTestSection(), 5, 'C', &D::m_strVersion);
    // Version 4 lines come in two lengths; what either holds is taken, whatever its count.
    FoundSection found;
    if (!LocateSection(file, CompTestSection(), found))
        return false;
    bool taken = false;
    ReadSectionRecords(file, found, "----- ", false, [&](const SectionRecord& record) {
        CheckPipeCount(4, record.separators, 0, found.name, {11, 12});
        if (record.separators == 11)
            StoreRecordLine(*this, CompTestSection(), record.line, record.separators, 4, 0);
        else
            StoreRecordLine(*this, CompTestV4LongSection(), record.line, record.separators, 4, 0);
        taken = true;
        return false;
    });
    return taken;
}

// The one vehicle line goes to vehicle record 1, whatever number it carries.
void CCompData::ReadVehicleSection(CStdioFile& file, int version)
{
    version = version == 4 ? 4 : 5;
    const CompSection& section = CompVehicleSection();
    FoundSection found;
    if (!LocateSection(file, section, found))
        return;
    bool taken = false;
    ReadSectionRecords(file, found, "----- ", false, [&](const SectionRecord& record) {
        CheckSeparators(section, version, record, found.name, 0);
        StoreRecordLine(*this, section, record.line, record.separators, version, 1);
        if (version == 5 && record.separators == section.v5LongerCount)
            StoreRecordLine(m_RolloverVehicleData, RolloverVehicleLineSection(), record.line, record.separators, 5, 0);
        taken = true;
        return false;
    });
    if (!taken)
        return;
    // A test has at most the one vehicle: the count is whether there is one.
    m_nVehicleCount = std::clamp(m_nVehicleCount, 0, 1);
    CString& year = m_saVehYear.ElementAt(1);
    if (year.GetLength() == 2)
        year = (year < CString("70") ? "20" : "19") + year;
}

void CCompData::ReadComponentSection(CStdioFile& file, int version)
{
    m_nComponentCount = std::max(ReadRecords(*this, file, CompComponentSection(), version == 4 ? 4 : 5), 0);
}

void CCompData::ReadRolloverSection(CStdioFile& file, int version)
{
    if (version == 5)
        ReadRecords(m_RolloverVehicleData, file, RolloverSectionTable(), 5);
}

void CCompData::ReadConfigurationSection(CStdioFile& file, int version)
{
    m_nConfigurationCount = std::max(ReadRecords(*this, file, CompConfigurationSection(), version == 4 ? 4 : 5), 0);
}

// The records read are the curves: the numbers the lines carry do not count them, so a count
// never names records that were not stored.
void CCompData::ReadInstrumentationSection(CStdioFile& file, int version)
{
    const int stored = ReadRecords(*this, file, CompInstrumentationSection(), version == 4 ? 4 : 5);
    if (stored < 0) {
        m_nCurveCount = 0;
        return;
    }
    m_nCurveCount = stored;
    m_nInstRecordCount = stored;
}

TestFileResult CCompData::ReadTest(const CString& path)
{
    return ReadTestOfKind(path, 5, ComponentShape(), [this](CStdioFile& file) { return ReadMV5File(file) != 0; });
}

TestFileResult CCompData::ReadVersion4(const CString& path)
{
    return ReadTestOfKind(path, 4, ComponentShape(), [this](CStdioFile& file) { return ReadMV4File(file) != 0; });
}

TestFileResult CCompData::WriteTest(const CString& path) { return TestFileResult::Of(WriteMV5File(path) != 0); }

TestFileResult CCompData::WriteReport(const CString& path) { return TestFileResult::Of(WriteReportFile(path) != 0); }
