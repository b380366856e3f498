// The vehicle test file: the .mv5 writer and the version-5 and version-4 readers, on the shared
// section tables.

#include "common/WholeFile.h"
#include "platform/StdioFile.h"
#include "vehicle/VehData.h"
#include "vehicle/VehSections.h"

#include <algorithm>

namespace {

int WrittenVehicles(const CVehData& data) { return std::clamp(data.m_nVehicleCount, 1, kMaxVehicles); }

// The sections of the test file in file order. TEST is written even when every field looks empty:
// a test file without its TEST section could not be read back.
const FileSection<CVehData> kFileSections[] = {
    {.section = &TestSectionTable()},
    {.section = &VehicleSectionTable(),
     .written = [](CVehData& d) { return !d.IsVehicleEmpty(); },
     .records = WrittenVehicles},
    {.section = &BarrierSectionTable(), .written = [](CVehData& d) { return !d.IsBarrierEmpty(); }},
    {.section = &OccupantSectionTable(), .count = &CVehData::m_nOccupantCount},
    {.section = &RestraintSectionTable(), .count = &CVehData::m_nRestraintCount},
    {.section = &InstrumentationSectionTable(), .count = &CVehData::m_nCurveCount},
};

// Sets the count of a record group from the records of its section when it had any; a section
// absent or without records leaves the count as it was.
void TakeCountWhenStored(int& count, int stored)
{
    if (stored > 0)
        count = stored;
}

const TestKindShape& VehicleShape()
{
    static const TestKindShape shape = [] {
        TestKindShape s {.kind = "Vehicle", .letter = 'V'};
        for (int version : {5, 4}) {
            (version == 5 ? s.v5 : s.v4) = KindSectionsOf<CVehData>(
                {&TestSectionTable(), &VehicleSectionTable(), &BarrierSectionTable(), &OccupantSectionTable(),
                 &RestraintSectionTable(), &InstrumentationSectionTable()},
                version);
        }
        // A version-4 TEST line of the version-5 length is read after its message.
        s.v4.front().counts.push_back(AllowedSeparators(TestSectionTable(), 5).front());
        return s;
    }();
    return shape;
}

const bool kShapeKnown = RegisterTestKind(VehicleShape);

} // namespace

int CVehData::WriteTestFile(CString path)
{
    // A version the reader would refuse (one carried over from a damaged older file) is written as
    // "V5", the version of the file being written.
    const CString version = m_strVersion;
    CString written = FileSafeText(version);
    written.Trim();
    written.MakeUpper();
    if (written.GetAt(0) != 'V')
        m_strVersion = "V5";
    const bool ok = WriteWholeFile(path, [this](CStdioFile& file) {
        file.WriteString(TestFileHead("Vehicle", !m_vCurveErrors.empty()));
        WriteSections<CVehData>(*this, file, kFileSections);
        file.WriteString("----- END -----\n");
    });
    m_strVersion = version;
    return ok ? 1 : 0;
}

int CVehData::ReadTestFile(CStdioFile& file)
{
    const int result = ReadSections(file, 5) ? 1 : 0;
    KeepGroupsInStep();
    return result;
}

int CVehData::ReadV4TestFile(CStdioFile& file)
{
    ReadSections(file, 4);
    KeepGroupsInStep();
    return 1;
}

bool CVehData::ReadSections(CStdioFile& file, int version)
{
    if (!ReadTestLine(*this, file, TestSectionTable(), version, 'V', &CVehData::m_strVersion) && version == 5)
        return false;
    // Vehicles and the other groups are counted by the lines stored, not by the number written in
    // them: a line numbered "3" or lines numbered "2" then "1" must not lose or misplace a record.
    TakeCountWhenStored(m_nVehiclesRead, ReadRecords(*this, file, VehicleSectionTable(), version));
    ReadSingleLine(*this, file, BarrierSectionTable(), version);
    TakeCountWhenStored(m_nOccupantCount, ReadRecords(*this, file, OccupantSectionTable(), version));
    TakeCountWhenStored(m_nRestraintCount, ReadRecords(*this, file, RestraintSectionTable(), version));
    TakeCountWhenStored(m_nCurveCount, ReadRecords(*this, file, InstrumentationSectionTable(), version));
    return true;
}

TestFileResult CVehData::ReadTest(const CString& path)
{
    return ReadTestOfKind(path, 5, VehicleShape(), [this](CStdioFile& file) { return ReadTestFile(file) != 0; });
}

TestFileResult CVehData::ReadVersion4(const CString& path)
{
    return ReadTestOfKind(path, 4, VehicleShape(), [this](CStdioFile& file) { return ReadV4TestFile(file) != 0; });
}

TestFileResult CVehData::WriteTest(const CString& path) { return TestFileResult::Of(WriteTestFile(path) != 0); }

TestFileResult CVehData::WriteReport(const CString& path) { return TestFileResult::Of(WriteReportFile(path) != 0); }

TestFileResult CVehData::ImportGR(char n, const CString& path)
{
    switch (n) {
    case '1':
        return TestFileResult::Of(ReadGR1File(path) != 0);
    case '2':
        return TestFileResult::Of(ReadGR2File(path) != 0);
    case '3':
        return TestFileResult::Of(ReadGR3File(path) != 0);
    case '4': {
        const int occupants = ReadGR4File(path);
        if (occupants > 0)
            m_nOccupantCount = occupants;
        return TestFileResult::Of(occupants > 0);
    }
    case '5':
        return TestFileResult::Of(ReadGR5File(path) != 0);
    default:
        return NotOffered(KindName(), "such GR file");
    }
}

bool CVehData::ReadIntrusionCompanion(const CString& path, bool showError)
{
    if (!m_IntrusionData.LoadIntrusionFile(path, showError))
        return false;
    m_IntrusionData.LendTestReference(m_strTestReference);
    return true;
}
