#include "common/HighSpeedVideoData.h"

#include "common/Convert.h"
#include "common/RecordLine.h"
#include "platform/Messages.h"
#include "platform/Time.h"

#include <functional>
#include <limits>

namespace {

// Camera numbers are written with at most three digits.
constexpr int kMaxCameras = 999;

// Both files begin with the source line and the date line of the moment of writing.
bool WriteHsvdFile(const CString& path, const std::function<void(CStdioFile&)>& body)
{
    return WriteWholeFile(path, [&body](CStdioFile& file) {
        file.WriteString("# Source: High Speed Video Data\n");
        file.WriteString(DateCommentLine());
        body(file);
    });
}

} // namespace

CHighSpeedVideoData::CHighSpeedVideoData() { ResetHsvd(); }

CHighSpeedVideoData::~CHighSpeedVideoData() = default;

void CHighSpeedVideoData::ResetHsvd()
{
    for (CStringArray* a : {&m_arrCameraNumber, &m_arrScaleFactor, &m_arrViewDescription, &m_arrCommentary}) {
        a->RemoveAll();
        a->Add(CString());
    }
}

bool CHighSpeedVideoData::HasHsvd() const { return m_arrCameraNumber.GetSize() != 1; }

int CHighSpeedVideoData::CameraCount() const
{
    const int n = m_arrCameraNumber.GetSize() - 1;
    return n > 0 ? n : 0;
}

CString CHighSpeedVideoData::FormatField(CString value)
{
    if (value.IsEmpty())
        return " |";
    return value + "|";
}

CString CHighSpeedVideoData::StripLineBreaks(CString value)
{
    value.Remove('\n');
    value.Remove('\r');
    return value;
}

bool CHighSpeedVideoData::LoadHsvdFile(CString path, bool showError)
{
    return ReadWholeFile(path, showError, [this](CStdioFile& file) { ParseHsvdSection(file); });
}

void CHighSpeedVideoData::ParseHsvdSection(CStdioFile& file)
{
    bool tooMany = false;
    ReadSection(
        file, "----- HSVD -----",
        [&](const SectionRecord& record) {
            if (record.number > kMaxCameras) {
                tooMany = true;
                return false;
            }
            CheckPipeCount(5, record.separators, record.number, "HSVD", 4);
            const int n = record.number;
            m_arrCameraNumber.SetAtGrow(n, IntToCString(n));
            m_strTestReference = GetFields(record.line, 1, 2);
            m_arrScaleFactor.SetAtGrow(n, GetFields(record.line, 2, 3));
            m_arrViewDescription.SetAtGrow(n, GetFields(record.line, 3, 4));
            // The commentary is the rest of the line: a "|" typed into it must not cut it off.
            m_arrCommentary.SetAtGrow(n, GetFields(record.line, 4, std::numeric_limits<int>::max()));
            return true;
        },
        "----- END -----");
    // Camera numbers have three digits: the records behind the 999th cannot be kept, and the
    // user must know that they were left in the file.
    if (tooMany)
        ShowRecordsLeftOut("HSVD section", kMaxCameras);
}

void CHighSpeedVideoData::WriteHsvdSection(CStdioFile& file)
{
    file.WriteString("----- HSVD -----\n");
    const int count = CameraCount();
    for (int n = 1; n <= count; ++n) {
        CString line = FormatField(m_arrCameraNumber[n]) + FormatField(m_strTestReference) +
                       FormatField(m_arrScaleFactor[n]) + StripLineBreaks(FormatField(m_arrViewDescription[n])) +
                       StripLineBreaks(m_arrCommentary[n]) + "\n";
        file.WriteString(line);
    }
    file.WriteString("----- END -----\n");
}

void CHighSpeedVideoData::WriteHsvdReportBody(CStdioFile& file)
{
    file.WriteString("----- HSVD -----\n");
    const int count = CameraCount();
    for (int n = 1; n <= count; ++n) {
        file.WriteString("----- CAMERA " + m_arrCameraNumber[n] + " -----\n");
        file.WriteString("Test Reference:\t" + m_strTestReference + "\n");
        file.WriteString("Video Frame Scale Factor:\t" + m_arrScaleFactor[n] + "\n");
        file.WriteString("View Description:\t" + StripLineBreaks(m_arrViewDescription[n]) + "\n");
        file.WriteString("Camera Commentary:\t" + StripLineBreaks(m_arrCommentary[n]) + "\n");
    }
    file.WriteString("----- END -----\n");
}

bool CHighSpeedVideoData::SaveHsvdData(const CString& path)
{
    if (!HasHsvd())
        return false;
    return WriteHsvdFile(path, [this](CStdioFile& file) { WriteHsvdSection(file); });
}

bool CHighSpeedVideoData::SaveHsvdReport(const CString& path)
{
    if (!HasHsvd())
        return false;
    return WriteHsvdFile(path, [this](CStdioFile& file) { WriteHsvdReportBody(file); });
}
