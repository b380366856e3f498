#pragma once
// The high-speed digital video cameras of one test: the test reference and one record per
// camera, with the .hs5 data file and the .hsr report. Base of the vehicle, biomechanics,
// component and SWG test data objects.

#include "common/CompanionFile.h"
#include "common/TestFile.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"

class CHighSpeedVideoData : public CCompanionFile<CHighSpeedVideoData> {
public:
    CHighSpeedVideoData();
    ~CHighSpeedVideoData();

    void ResetHsvd();
    bool HasHsvd() const;
    // Number of cameras: the length of m_arrCameraNumber less the unused element 0.
    int CameraCount() const;
    // The file's records over those held, record by record (records beyond its last are kept).
    bool LoadHsvdFile(CString path, bool showError);
    // The file's cameras in place of those held; this object is the test, whose test reference
    // the file's replaces only when it is empty (LendTestReference). A file that cannot be read or holds no camera changes nothing; the
    // second failure says so.
    TestFileResult ReplaceHsvdFromFile(const CString& path, bool showError);
    // Nothing without a camera (false).
    bool SaveHsvdData(const CString& path);
    // The companion of a saved test: written also without a camera (an empty section), so that
    // an older file of the same name never brings back cameras the user deleted.
    bool SaveHsvdCompanion(const CString& path);
    // Nothing without a camera (false).
    bool SaveHsvdReport(const CString& path);
    // The report written also without a camera (no camera block then).
    bool SaveHsvdReportCompanion(const CString& path);

    static const CompanionFormat<CHighSpeedVideoData>& Format();

    CStringArray m_arrCameraNumber;
    CStringArray m_arrScaleFactor;
    CStringArray m_arrViewDescription;
    CStringArray m_arrCommentary;
};
