#include "common/WholeFile.h"
#include "crashavoid/TcaData.h"

#include "common/Convert.h"
#include "common/Sections.h"
#include "platform/StdioFile.h"
#include "platform/Time.h"
#include "platform/Messages.h"

#include <algorithm>
#include <array>
#include <ctime>

// The file of this kind is its own: header lines with the ctime() date, exact separator counts per
// section, a section taken from the line after the last occurrence of its marker, and read errors
// collected as texts. Each record is described once, as a table of its fields in line order, which
// drives the writer, the reader and TrimAll.

namespace {

template <class R>
struct TcaField {
    enum Kind : unsigned char {
        Text,     // a text field
        Flag,     // a flag written as `on` or `off`, read as set exactly when it is `on`
        Position, // written as the record's position + 1, read into `text` unchanged
        Item,     // entry `item` of a list of texts
    };
    Kind kind = Text;
    std::string R::*text = nullptr;
    bool R::*flag = nullptr;
    const char* on = nullptr;
    const char* off = nullptr;
    std::vector<std::string> R::*list = nullptr;
    int item = 0;
};

template <class R>
constexpr TcaField<R> Txt(std::string R::*member)
{
    return {TcaField<R>::Text, member};
}

using Test = TcaTestRecord;
constexpr std::array<TcaField<Test>, 14> kTestFields {{
    Txt(&Test::m_strVersion), Txt(&Test::m_strTitle), Txt(&Test::m_strObjective), Txt(&Test::m_strDate),
    Txt(&Test::m_strPerformer), Txt(&Test::m_strContract), Txt(&Test::m_strReference), Txt(&Test::m_strType),
    Txt(&Test::m_strConfiguration), Txt(&Test::m_strRoadSurface), Txt(&Test::m_strRoadCondition),
    Txt(&Test::m_strAmbientTemperature), Txt(&Test::m_strTotalCurves), Txt(&Test::m_strComments),
}};

using Veh = TcaVehicleRecord;
constexpr std::array<TcaField<Veh>, 19> kVehicleFields {{
    Txt(&Veh::m_strNumber), Txt(&Veh::m_strType), Txt(&Veh::m_strMake), Txt(&Veh::m_strModel),
    Txt(&Veh::m_strBody), Txt(&Veh::m_strYear), Txt(&Veh::m_strKavroNumber), Txt(&Veh::m_strVin),
    Txt(&Veh::m_strEngine), Txt(&Veh::m_strTransmission), Txt(&Veh::m_strAbs), Txt(&Veh::m_strCruiseControl),
    Txt(&Veh::m_strBrakeSystem), Txt(&Veh::m_strTrimline), Txt(&Veh::m_strCurbWeight), Txt(&Veh::m_strTestWeight),
    Txt(&Veh::m_strTireSize), Txt(&Veh::m_strWidth), Txt(&Veh::m_strCommentary),
}};

using LBeam = TcaLBeamRecord;
// Six texts, then Location i and Illuminance i for each point, then the commentary.
constexpr std::array<TcaField<LBeam>, 7 + 2 * kTcaBeamPoints> kLowerBeamFields = [] {
    std::array<TcaField<LBeam>, 7 + 2 * kTcaBeamPoints> fields {{
        Txt(&LBeam::m_strVehicleNumber), Txt(&LBeam::m_strAmbientTemperature), Txt(&LBeam::m_strWindSpeed),
        Txt(&LBeam::m_strDetector), Txt(&LBeam::m_strIdleIgnition), Txt(&LBeam::m_strGlareMeasurement),
    }};
    for (int i = 0; i < kTcaBeamPoints; ++i) {
        fields[6 + 2 * i] = {TcaField<LBeam>::Item, nullptr, nullptr, nullptr, nullptr, &LBeam::m_Locations, i};
        fields[7 + 2 * i] = {TcaField<LBeam>::Item, nullptr, nullptr, nullptr, nullptr, &LBeam::m_Illuminances, i};
    }
    fields[6 + 2 * kTcaBeamPoints] = Txt(&LBeam::m_strCommentary);
    return fields;
}();

using Amber = TcaAmberRecord;
constexpr std::array<TcaField<Amber>, 18> kAmberFields {{
    Txt(&Amber::m_strVehicleNumber), Txt(&Amber::m_strIlluminance), Txt(&Amber::m_strAmbientTemperature),
    Txt(&Amber::m_strRelativeHumidity),
    {TcaField<Amber>::Flag, nullptr, &Amber::m_bAmberInColor, "1", "0"},
    Txt(&Amber::m_strAngle1), Txt(&Amber::m_strX1), Txt(&Amber::m_strY1),
    Txt(&Amber::m_strAngle2), Txt(&Amber::m_strX2), Txt(&Amber::m_strY2),
    Txt(&Amber::m_strAngle3), Txt(&Amber::m_strX3), Txt(&Amber::m_strY3),
    Txt(&Amber::m_strAngle4), Txt(&Amber::m_strX4), Txt(&Amber::m_strY4),
    Txt(&Amber::m_strCommentary),
}};

using Roll = TcaRolloverRecord;
constexpr std::array<TcaField<Roll>, 14> kRolloverFields {{
    Txt(&Roll::m_strNumber), Txt(&Roll::m_strAverageTrack), Txt(&Roll::m_strTrackFront), Txt(&Roll::m_strTrackRear),
    Txt(&Roll::m_strWheelbase), Txt(&Roll::m_strLeftWheelbase), Txt(&Roll::m_strRightWheelbase),
    Txt(&Roll::m_strAppliedWeight), Txt(&Roll::m_strPlatformAngle), Txt(&Roll::m_strRelativeMotion),
    Txt(&Roll::m_strCogHeight), Txt(&Roll::m_strRoofHeight),
    {TcaField<Roll>::Flag, nullptr, &Roll::m_bTipUp, "T", "F"},
    Txt(&Roll::m_strCommentary),
}};

using Inst = TcaInstRecord;
constexpr std::array<TcaField<Inst>, 29> kInstFields {{
    Txt(&Inst::m_strVehicleNumber),
    {TcaField<Inst>::Position, &Inst::m_strCurveNumber},
    Txt(&Inst::m_strSubType), Txt(&Inst::m_strTrialNumber), Txt(&Inst::m_strDependentVariable),
    Txt(&Inst::m_strManufacturer), Txt(&Inst::m_strVelocity), Txt(&Inst::m_strTechDisabled),
    Txt(&Inst::m_strTechDescription), Txt(&Inst::m_strPerformance), Txt(&Inst::m_strPerformanceDescription),
    Txt(&Inst::m_strTestStatus), Txt(&Inst::m_strAlertLocation), Txt(&Inst::m_strAlertRepeatTime),
    Txt(&Inst::m_strTimeInterval), Txt(&Inst::m_strChannelType), Txt(&Inst::m_strXUnit), Txt(&Inst::m_strYUnit),
    Txt(&Inst::m_strSpareCount1), Txt(&Inst::m_strSyncFrequency), Txt(&Inst::m_strSpareCount2),
    Txt(&Inst::m_strFirstPoint), Txt(&Inst::m_strLastPoint), Txt(&Inst::m_strDataStatus),
    Txt(&Inst::m_strChannelStatus), Txt(&Inst::m_strCalibrationDate), Txt(&Inst::m_strHeadLampDevice),
    Txt(&Inst::m_strUpperBeamDevice), Txt(&Inst::m_strCommentary),
}};

// The text a field holds, or null for the fields that are not held as text.
template <class R>
std::string* HeldText(R& record, const TcaField<R>& field)
{
    switch (field.kind) {
    case TcaField<R>::Text:
        return &(record.*field.text);
    case TcaField<R>::Item: {
        std::vector<std::string>& list = record.*field.list;
        return field.item < static_cast<int>(list.size()) ? &list[field.item] : nullptr;
    }
    default:
        return nullptr;
    }
}

template <class R, size_t N>
void TrimFields(R& record, const std::array<TcaField<R>, N>& fields)
{
    for (const TcaField<R>& field : fields) {
        if (std::string* text = HeldText(record, field))
            TrimStd(*text);
    }
}

// What is written is what the record holds afterwards: a value that would break the line or its
// fields (line breaks, '|') is made safe as in every test file, then trimmed.
template <class R, size_t N>
void PrepareForFile(R& record, const std::array<TcaField<R>, N>& fields)
{
    for (const TcaField<R>& field : fields) {
        if (std::string* text = HeldText(record, field)) {
            *text = FileSafeText(CString(*text)).str();
            TrimStd(*text);
        }
    }
}

template <class R, size_t N>
std::string FormatLine(R& record, const std::array<TcaField<R>, N>& fields, size_t position)
{
    PrepareForFile(record, fields);
    std::string line;
    for (size_t i = 0; i < N; ++i) {
        const TcaField<R>& field = fields[i];
        if (i > 0)
            line += '|';
        switch (field.kind) {
        case TcaField<R>::Flag:
            line += record.*field.flag ? field.on : field.off;
            break;
        case TcaField<R>::Position:
            line += std::to_string(position + 1);
            break;
        default:
            if (const std::string* text = HeldText(record, field))
                line += *text;
        }
    }
    return line + "\n";
}

template <class R, size_t N>
void StoreLine(R& record, const std::array<TcaField<R>, N>& fields, const std::vector<std::string>& parts)
{
    for (size_t i = 0; i < N && i < parts.size(); ++i) {
        const TcaField<R>& field = fields[i];
        switch (field.kind) {
        case TcaField<R>::Flag:
            record.*field.flag = parts[i] == field.on;
            break;
        case TcaField<R>::Position:
            record.*field.text = parts[i];
            break;
        default:
            if (std::string* text = HeldText(record, field))
                *text = parts[i];
        }
    }
}

int Separators(const std::string& line) { return static_cast<int>(std::count(line.begin(), line.end(), '|')); }

const char* const kMarkers[kTcaSectionCount] = {
    "----- TEST -----",  "----- VEHICLE -----",  "----- LOWER BEAM -----",
    "----- AMBER -----", "----- ROLLOVER -----", "----- INSTRUMENTATION -----",
};

// Every line of a section has one separator fewer than its record has fields.
const TestKindShape& CrashAvoidanceShape()
{
    static const TestKindShape shape = [] {
        TestKindShape kind {.kind = "Crash Avoidance"};
        const size_t fields[kTcaSectionCount] = {kTestFields.size(),  kVehicleFields.size(),  kLowerBeamFields.size(),
                                                 kAmberFields.size(), kRolloverFields.size(), kInstFields.size()};
        for (int s = 0; s < kTcaSectionCount; ++s)
            kind.v5.push_back({kMarkers[s], CString(), {static_cast<int>(fields[s]) - 1}});
        return kind;
    }();
    return shape;
}

const bool kShapeKnown = RegisterTestKind(CrashAvoidanceShape);

template <class R, size_t N>
std::string FormatList(const char* marker, std::vector<R>& records, const std::array<TcaField<R>, N>& fields)
{
    if (records.empty())
        return std::string();
    std::string text = std::string(marker) + "\n";
    for (size_t i = 0; i < records.size(); ++i)
        text += FormatLine(records[i], fields, i);
    return text;
}

} // namespace

void TcaTestRecord::SetDefaults()
{
    std::string warningDistance = std::move(m_strWarningDistance);
    *this = TcaTestRecord();
    m_strWarningDistance = std::move(warningDistance);
}

void TcaTestRecord::TrimAll() { TrimFields(*this, kTestFields); }
void TcaVehicleRecord::TrimAll() { TrimFields(*this, kVehicleFields); }
void TcaLBeamRecord::TrimAll() { TrimFields(*this, kLowerBeamFields); }
void TcaAmberRecord::TrimAll() { TrimFields(*this, kAmberFields); }
void TcaRolloverRecord::TrimAll() { TrimFields(*this, kRolloverFields); }
void TcaInstRecord::TrimAll() { TrimFields(*this, kInstFields); }

CTcaData::CTcaData() : m_pTestRecord(std::make_unique<TcaTestRecord>()) {}

CTcaData::~CTcaData() { ClearAll(); }

void CTcaData::ClearAll()
{
    m_pTestRecord.reset();
    m_pLBeamRecord.reset();
    m_VehicleRecords.clear();
    m_BeamRecords.clear();
    m_AmberRecords.clear();
    m_RolloverRecords.clear();
    m_InstRecords.clear();
    m_nCurVehicle = m_nCurBeam = m_nCurAmber = m_nCurRollover = m_nCurInst = -1;
}

// ---- writing ----

std::string CTcaData::FormatTestSection()
{
    if (!m_pTestRecord)
        m_pTestRecord = std::make_unique<TcaTestRecord>();
    return std::string(kMarkers[kTcaTest]) + "\n" + FormatLine(*m_pTestRecord, kTestFields, 0);
}

std::string CTcaData::FormatVehicleSection() { return FormatList(kMarkers[kTcaVehicle], m_VehicleRecords, kVehicleFields); }

std::string CTcaData::FormatLowerBeamSection()
{
    if (!m_pLBeamRecord)
        return std::string();
    // The record is made ready first, so that a number or detector of blanks alone counts as empty,
    // as it will when the file is read back.
    PrepareForFile(*m_pLBeamRecord, kLowerBeamFields);
    if (m_pLBeamRecord->m_strVehicleNumber.empty() && m_pLBeamRecord->m_strDetector.empty())
        return std::string();
    return std::string(kMarkers[kTcaLowerBeam]) + "\n" + FormatLine(*m_pLBeamRecord, kLowerBeamFields, 0);
}

std::string CTcaData::FormatAmberSection()
{
    // A line whose Vehicle Number is empty ends the section when read, and every record after it
    // would be lost: such records are left out (the amber page never stores one).
    std::vector<TcaAmberRecord*> written;
    for (TcaAmberRecord& record : m_AmberRecords) {
        PrepareForFile(record, kAmberFields);
        if (!record.m_strVehicleNumber.empty())
            written.push_back(&record);
    }
    if (written.empty())
        return std::string();
    std::string text = std::string(kMarkers[kTcaAmber]) + "\n";
    for (size_t i = 0; i < written.size(); ++i)
        text += FormatLine(*written[i], kAmberFields, i);
    return text;
}

std::string CTcaData::FormatRolloverSection()
{
    return FormatList(kMarkers[kTcaRollover], m_RolloverRecords, kRolloverFields);
}

std::string CTcaData::FormatInstSection() { return FormatList(kMarkers[kTcaInst], m_InstRecords, kInstFields); }

bool CTcaData::WriteFile(const std::string& path)
{
    if (!m_pTestRecord)
        m_pTestRecord = std::make_unique<TcaTestRecord>();
    // The count the file states is the count it holds.
    m_pTestRecord->m_strTotalCurves = std::to_string(m_InstRecords.size());

    const std::time_t now = CTime::GetCurrentTime().GetTime();
    const char* date = std::ctime(&now);
    std::string text = "# Source: Morvel for windows v5\n# Date:   ";
    text += date ? date : "\n";
    text += "\n----- MV5 -----\n";
    text += FormatTestSection();
    text += FormatVehicleSection();
    text += FormatLowerBeamSection();
    text += FormatAmberSection();
    text += FormatRolloverSection();
    text += FormatInstSection();
    text += "----- END -----";
    return WriteWholeFile(CString(path), [&text](CStdioFile& file) { file.WriteString(CString(text)); });
}

// ---- reading ----

bool CTcaData::ReadFile(CStdioFile& file)
{
    m_Messages.clear();
    ReadLines(file);
    ResetFileContent();
    return ParseSections();
}

void CTcaData::TakeTest(CTcaData& loaded)
{
    if (m_pTestRecord && loaded.m_pTestRecord) {
        loaded.m_pTestRecord->m_strWarningDistance = m_pTestRecord->m_strWarningDistance;
        loaded.m_pTestRecord->m_strStatus = m_pTestRecord->m_strStatus;
    }
    m_pTestRecord = std::move(loaded.m_pTestRecord);
    m_VehicleRecords = std::move(loaded.m_VehicleRecords);
    m_pLBeamRecord = std::move(loaded.m_pLBeamRecord);
    m_BeamRecords = std::move(loaded.m_BeamRecords);
    m_AmberRecords = std::move(loaded.m_AmberRecords);
    m_RolloverRecords = std::move(loaded.m_RolloverRecords);
    m_InstRecords = std::move(loaded.m_InstRecords);
    m_nCurVehicle = loaded.m_nCurVehicle;
    m_nCurBeam = loaded.m_nCurBeam;
    m_nCurAmber = loaded.m_nCurAmber;
    m_nCurRollover = loaded.m_nCurRollover;
    m_nCurInst = loaded.m_nCurInst;
    m_strFileName = std::move(loaded.m_strFileName);
    m_Messages = std::move(loaded.m_Messages);
    m_FileLines = std::move(loaded.m_FileLines);
    m_SectionStarts = std::move(loaded.m_SectionStarts);
}

void CTcaData::ReadLines(CStdioFile& file)
{
    m_SectionStarts.assign(kTcaSectionCount, -1);
    m_FileLines.clear();
    // Lines are taken whole, however long: a longer line than the writers write is still the
    // user's data, and reading must go on to the end of the file.
    CString line;
    while (file.ReadString(line)) {
        std::string text = line.str();
        TrimStd(text);
        if (text.empty() || text[0] == '#')
            continue;
        m_FileLines.push_back(text);
        if (text[0] != '-')
            continue;
        for (int s = 0; s < kTcaSectionCount; ++s) {
            if (text == kMarkers[s])
                m_SectionStarts[s] = static_cast<int>(m_FileLines.size());
        }
    }
}

// A test loaded is that test alone: nothing of the test held before stays behind where the file
// has no section for it. Warning Distance and Test Status, which no file carries, stay.
void CTcaData::ResetFileContent()
{
    if (!m_pTestRecord)
        m_pTestRecord = std::make_unique<TcaTestRecord>();
    std::string status = std::move(m_pTestRecord->m_strStatus);
    m_pTestRecord->SetDefaults();
    m_pTestRecord->m_strStatus = std::move(status);
    m_pLBeamRecord.reset();
    m_VehicleRecords.clear();
    m_AmberRecords.clear();
    m_RolloverRecords.clear();
    m_InstRecords.clear();
    m_nCurVehicle = m_nCurAmber = m_nCurRollover = m_nCurInst = -1;
}

bool CTcaData::ParseSections()
{
    return ReadTestSection() && ReadVehicleSection() && ReadLowerBeamSection() && ReadAmberSection() &&
           ReadRolloverSection() && ReadInstSection();
}

void CTcaData::AddPipeError(const char* section, int line, int found, int required)
{
    m_Messages.push_back("Pipe error in line " + std::to_string(line) + " of " + section + ": its No. of pipes is " +
                         std::to_string(found) + "; required " + std::to_string(required));
}

// A single-line section takes the line after its marker whatever it holds; a marker with no line
// after it reads as a line without separators.
bool CTcaData::CheckSingleLine(TcaSection section, const char* name, int required)
{
    const int at = m_SectionStarts[section];
    const int found = at < static_cast<int>(m_FileLines.size()) ? Separators(m_FileLines[at]) : 0;
    if (found == required)
        return true;
    AddPipeError(name, at, found, required);
    return false;
}

bool CTcaData::ReadTestSection()
{
    if (m_SectionStarts[kTcaTest] < 0)
        return false;
    if (!CheckSingleLine(kTcaTest, "TEST", static_cast<int>(kTestFields.size()) - 1))
        return false;
    if (!m_pTestRecord)
        m_pTestRecord = std::make_unique<TcaTestRecord>();
    StoreLine(*m_pTestRecord, kTestFields, SplitStd(m_FileLines[m_SectionStarts[kTcaTest]], '|', false));
    return true;
}

bool CTcaData::ReadLowerBeamSection()
{
    if (m_SectionStarts[kTcaLowerBeam] < 0)
        return true;
    if (!CheckSingleLine(kTcaLowerBeam, "LBEAM", static_cast<int>(kLowerBeamFields.size()) - 1))
        return false;
    if (!m_pLBeamRecord)
        m_pLBeamRecord = std::make_unique<TcaLBeamRecord>();
    m_pLBeamRecord->m_Locations.assign(kTcaBeamPoints, std::string());
    m_pLBeamRecord->m_Illuminances.assign(kTcaBeamPoints, std::string());
    StoreLine(*m_pLBeamRecord, kLowerBeamFields, SplitStd(m_FileLines[m_SectionStarts[kTcaLowerBeam]], '|', false));
    return true;
}

namespace {

// Where a line of a section has another separator count than its records have; line -1: none.
struct PipeMismatch {
    int line = -1;
    int found = 0;
    int required = 0;
};

struct ListRules {
    bool endsAtEmptyFirstField = false; // a line whose first field is empty ends the section
    bool lastIsCurrent = false;         // after reading, the last record is current (else the first)
};

// Reads the record lines of a list section into its emptied list, up to a line holding "-----",
// the end of the kept lines or a line of another separator count (the records before it stay).
template <class R, size_t N>
PipeMismatch ReadList(const std::vector<std::string>& lines, int start, std::vector<R>& records, int& current,
                      const std::array<TcaField<R>, N>& fields, ListRules rules)
{
    records.clear();
    PipeMismatch bad;
    for (int at = start; start >= 0 && at < static_cast<int>(lines.size()); ++at) {
        const std::string& line = lines[at];
        if (line.find("-----") != std::string::npos)
            break;
        if (rules.endsAtEmptyFirstField && line[0] == '|')
            break;
        const int found = Separators(line);
        if (found != static_cast<int>(N) - 1) {
            bad = {at, found, static_cast<int>(N) - 1};
            break;
        }
        R record;
        StoreLine(record, fields, SplitStd(line, '|', false));
        records.push_back(std::move(record));
    }
    const int count = static_cast<int>(records.size());
    current = count == 0 ? -1 : (rules.lastIsCurrent ? count - 1 : 0);
    return bad;
}

} // namespace

bool CTcaData::ReadVehicleSection()
{
    const PipeMismatch bad =
        ReadList(m_FileLines, m_SectionStarts[kTcaVehicle], m_VehicleRecords, m_nCurVehicle, kVehicleFields, {});
    if (bad.line >= 0)
        AddPipeError("VEHICLE", bad.line, bad.found, bad.required);
    return bad.line < 0;
}

bool CTcaData::ReadAmberSection()
{
    const PipeMismatch bad = ReadList(m_FileLines, m_SectionStarts[kTcaAmber], m_AmberRecords, m_nCurAmber,
                                      kAmberFields, {.endsAtEmptyFirstField = true});
    if (bad.line >= 0)
        AddPipeError("AMBER", bad.line, bad.found, bad.required);
    return bad.line < 0;
}

bool CTcaData::ReadRolloverSection()
{
    const PipeMismatch bad = ReadList(m_FileLines, m_SectionStarts[kTcaRollover], m_RolloverRecords, m_nCurRollover,
                                      kRolloverFields, {});
    if (bad.line >= 0)
        AddPipeError("ROLLOVER", bad.line, bad.found, bad.required);
    return bad.line < 0;
}

bool CTcaData::ReadInstSection()
{
    const PipeMismatch bad = ReadList(m_FileLines, m_SectionStarts[kTcaInst], m_InstRecords, m_nCurInst, kInstFields,
                                      {.lastIsCurrent = true});
    // The section's name in this message is spelled as users of the program know it.
    if (bad.line >= 0)
        AddPipeError("TNSTRUMENTATION", bad.line, bad.found, bad.required);
    return bad.line < 0;
}

TestFileResult CTcaData::ReadTest(const CString& path)
{
    // Another kind's test is refused as such, not by the count of its TEST line's separators.
    TestFileResult read = ReadTestOfKind(
        path, 5, CrashAvoidanceShape(), [this](CStdioFile& file) { return ReadFile(file); }, CantOpenTold::InResult);
    if (read) {
        m_strFileName = path.str();
        if (m_pTestRecord)
            m_pTestRecord->m_strTotalCurves = std::to_string(m_InstRecords.size());
        return read;
    }
    if (!read.message.IsEmpty())
        return read;
    if (m_Messages.empty())
        return TestFileResult::Failure(NotOfKindText(path, KindName()));
    std::string text = m_Messages.front();
    for (size_t i = 1; i < m_Messages.size(); ++i)
        text += m_Messages[i] + "\n";
    return TestFileResult::Failure(CString(text));
}

TestFileResult CTcaData::ReadVersion4(const CString& /*path*/) { return NotOffered(KindName(), "version-4 file"); }

TestFileResult CTcaData::WriteTest(const CString& path) { return TestFileResult::Of(WriteFile(path.str())); }

TestFileResult CTcaData::WriteReport(const CString& /*path*/) { return NotOffered(KindName(), "report"); }

TestFileResult CTcaData::ImportGR(char /*n*/, const CString& /*path*/) { return NotOffered(KindName(), "GR file"); }
