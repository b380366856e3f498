#include "vehicle/IntrusionData.h"

#include "common/Convert.h"
#include "common/HighSpeedVideoData.h"
#include "common/RecordLine.h"
#include "platform/Messages.h"
#include "vehicle/VehSections.h"

#include <array>

namespace {

// Record numbers are shown with at most three digits.
constexpr int kMaxPoints = 999;
constexpr const char* kMarker = "----- INTRUSION -----";

// Both files: nothing at all without points, else the head lines, the body and the end line.
bool WriteIntrusionFile(CIntrusionData& data, const CString& path, void (CIntrusionData::*body)(CStdioFile&))
{
    if (!data.HasIntrusion())
        return false;
    return WriteWholeFile(path, [&](CStdioFile& file) {
        file.WriteString("# Source: Intrusion Data\n");
        file.WriteString(DateCommentLine());
        (data.*body)(file);
        file.WriteString("----- END -----\n");
    });
}

} // namespace

CIntrusionData::CIntrusionData() { ResetIntrusion(); }

CIntrusionData::~CIntrusionData() = default;

void CIntrusionData::SetSecondText(CString text) { m_strTestReference = text; }

void CIntrusionData::ResetIntrusion()
{
    for (CStringArray* array : {&m_arrRecordIndex, &m_arrVehicleNumber, &m_arrPointNumber, &m_arrPointLocation,
                                &m_arrBeforeX, &m_arrBeforeY, &m_arrBeforeZ, &m_arrAfterX, &m_arrAfterY, &m_arrAfterZ}) {
        array->RemoveAll();
        array->Add(CString());
    }
    m_arrVehicleNumber.SetAt(0, "1");
}

bool CIntrusionData::HasIntrusion() const { return m_arrPointNumber.GetSize() != 1; }

int CIntrusionData::PointCount() const
{
    const int n = m_arrPointNumber.GetSize() - 1;
    return n > 0 ? n : 0;
}

CString CIntrusionData::FormatField(const CString& value)
{
    if (value.IsEmpty())
        return " |";
    return FileSafeText(value) + "|";
}

bool CIntrusionData::LoadIntrusionFile(const CString& path, bool showError)
{
    return ReadWholeFile(path, showError, [this](CStdioFile& file) { ParseIntrusionSection(file); });
}

bool CIntrusionData::SaveIntrusionData(const CString& path)
{
    return WriteIntrusionFile(*this, path, &CIntrusionData::WriteIntrusionSection);
}

bool CIntrusionData::SaveIntrusionReport(const CString& path)
{
    return WriteIntrusionFile(*this, path, &CIntrusionData::WriteIntrusionReportBody);
}

void CIntrusionData::WriteIntrusionSection(CStdioFile& file)
{
    file.WriteString(CString(kMarker) + "\n");
    for (int n = 1; n <= PointCount(); ++n) {
        const CString& vehicle = m_arrVehicleNumber.GetAt(n);
        CString line = vehicle.IsEmpty() ? CString("0|") : FormatField(vehicle);
        for (const CStringArray* array : {&m_arrPointNumber, &m_arrPointLocation, &m_arrBeforeX, &m_arrBeforeY,
                                          &m_arrBeforeZ, &m_arrAfterX, &m_arrAfterY, &m_arrAfterZ})
            line += FormatField(array->GetAt(n));
        line += FileSafeText(m_strTestReference);
        file.WriteString(RecordLineText(line) + "\n");
    }
}

void CIntrusionData::ParseIntrusionSection(CStdioFile& file)
{
    const std::array<CStringArray*, 9> targets {&m_arrVehicleNumber, &m_arrPointNumber, &m_arrPointLocation,
                                                &m_arrBeforeX,       &m_arrBeforeY,     &m_arrBeforeZ,
                                                &m_arrAfterX,        &m_arrAfterY,      &m_arrAfterZ};
    bool leftOut = false;
    ReadSection(
        file, kMarker,
        [&](const SectionRecord& record) {
            if (record.number > kMaxPoints) {
                leftOut = true;
                return false;
            }
            const int n = record.number;
            // The file's points replace those held: a shorter file must not leave old points
            // behind, and a file without points takes none away.
            if (n == 1)
                ResetIntrusion();
            CheckPipeCount(5, record.separators, n, "INTRUSION", 9);
            m_arrRecordIndex.SetAtGrow(n, IntToCString(n));
            for (int k = 0; k < 9; ++k)
                targets[k]->SetAtGrow(n, GetFields(record.line, k, k + 1));
            m_strTestReference = GetFields(record.line, 9, 10);
            return true;
        },
        "----- END -----");
    if (leftOut)
        ShowRecordsLeftOut("INTRUSION section", kMaxPoints);
}

void CIntrusionData::WriteIntrusionReportBody(CStdioFile& file)
{
    static const char* const kLabels[] = {"Vehicle number:\t\t",  "Intrusion point number:", "Intrusion point location:",
                                          "Before intrusion x:\t", "Before intrusion y:\t",   "Before intrusion z:\t",
                                          "After intrusion x:\t",  "After intrusion y:\t",    "After intrusion z:\t"};
    const CStringArray* const values[] = {&m_arrVehicleNumber, &m_arrPointNumber, &m_arrPointLocation,
                                          &m_arrBeforeX,       &m_arrBeforeY,     &m_arrBeforeZ,
                                          &m_arrAfterX,        &m_arrAfterY,      &m_arrAfterZ};
    file.WriteString(CString(kMarker) + "\n");
    for (int n = 1; n <= PointCount(); ++n) {
        file.WriteString("----- INTRUSION POINT " + m_arrRecordIndex.GetAt(n) + " -----\n");
        for (int k = 0; k < 9; ++k)
            file.WriteString(kLabels[k] + CHighSpeedVideoData::StripLineBreaks(values[k]->GetAt(n)) + "\n");
        file.WriteString("Test reference:\t\t" + CHighSpeedVideoData::StripLineBreaks(m_strTestReference) + "\n");
    }
}
