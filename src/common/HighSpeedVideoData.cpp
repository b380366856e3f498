#include "common/HighSpeedVideoData.h"

#include "common/Convert.h"
#include "common/Sections.h"
#include "platform/Messages.h"
#include "platform/Path.h"

namespace {

using D = CHighSpeedVideoData;
using F = SectionField<D>;
constexpr auto A = &F::A;

// Camera numbers are written with at most three digits. The fields are written as held (not
// trimmed), a "|" typed into any of them as "/"; the camera number is read as the record's
// running number, the commentary as the rest of the line, so that a "|" an older file holds in it
// does not cut it off.
constexpr F kHsvd[] = {
    A(0, &D::m_arrCameraNumber, nullptr).With(Untrimmed | Numbered),
    F::T(1, &D::m_strTestReference, "Test Reference:\t").With(Untrimmed),
    A(2, &D::m_arrScaleFactor, "Video Frame Scale Factor:\t").With(Untrimmed),
    A(3, &D::m_arrViewDescription, "View Description:\t").With(Untrimmed),
    A(4, &D::m_arrCommentary, "Camera Commentary:\t").With(Untrimmed | RestOfLine),
};

constexpr Section<D> kHsvdSection {.name = "HSVD",
                                   .fields = kHsvd,
                                   .v5Only = true,
                                   .endMarker = "----- END -----",
                                   .limitWhere = "HSVD section"};

int Cameras(const D& data) { return data.CameraCount(); }

const FileSection<D> kHsvdFile[] = {{.section = &kHsvdSection, .records = Cameras}};
const FileSection<D> kHsvdReport[] = {
    {.section = &kHsvdSection, .records = Cameras, .heading = "----- CAMERA %s -----", .headingArray = &D::m_arrCameraNumber}};

const CompanionFormat<D> kFormat {.source = "# Source: High Speed Video Data\n", .dataExt = "hs5", .reportExt = "hsr",
                                  .section = &kHsvdSection, .data = kHsvdFile, .report = kHsvdReport};

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


const CompanionFormat<D>& CHighSpeedVideoData::Format() { return kFormat; }

bool CHighSpeedVideoData::LoadHsvdFile(CString path, bool showError) { return ReadCompanion(path, showError); }

TestFileResult CHighSpeedVideoData::ReplaceHsvdFromFile(const CString& path, bool showError)
{
    // The reader keeps records beyond the file's last: read into an empty object.
    CHighSpeedVideoData read;
    if (!read.LoadHsvdFile(path, showError))
        return TestFileResult::Failure();
    if (!read.HasHsvd())
        return TestFileResult::Failure(CString("File ") + PathForMessage(path) + " holds no high-speed video camera.");
    CString reference = m_strTestReference;
    read.LendTestReference(reference);
    *this = read;
    m_strTestReference = reference;
    return TestFileResult::Success();
}

bool CHighSpeedVideoData::SaveHsvdData(const CString& path) { return WriteCompanion(path, false, HasHsvd()); }

bool CHighSpeedVideoData::SaveHsvdCompanion(const CString& path) { return WriteCompanion(path, false); }

bool CHighSpeedVideoData::SaveHsvdReport(const CString& path) { return WriteCompanion(path, true, HasHsvd()); }

bool CHighSpeedVideoData::SaveHsvdReportCompanion(const CString& path) { return WriteCompanion(path, true); }
