#pragma once
// The sheet of every test kind that films its test with high-speed video cameras (vehicle,
// biomechanics, component, SWG): the high-speed video page and its commands, the camera
// companions of the test-file commands, the flags those sheets share, and the command rows and
// graying rules they have in common.

#include "common/HighSpeedVideoData.h"
#include "common/ui/HsvdPage.h"
#include "common/ui/TestSheet.h"

#include <optional>

class CHsvdTestSheet : public CTestSheet {
    Q_OBJECT
public:
    CHsvdTestSheet(const char* caption, ISheetOwner* owner, int selectPage, TestKind kind, const char* question);
    ~CHsvdTestSheet() override;

    BOOL OnInitDialog() override;

    // The file's cameras in place of the sheet's; a file without a camera keeps them.
    virtual void OnLoadHsvdOnly();
    // No camera: nothing. The cameras are written only once they pass CheckCamerasBeforeSave.
    virtual void OnSaveHsvdOnly();
    virtual void OnSaveHsvdReportOnly();

    CHsvdPage m_HsvdPage;

    bool m_bHsvdValid = false; // cameras exist and pass their check

protected:
    // Load HSVD Data Only's file filter.
    const char* m_hsvdOpenFilter = "MV5 HSVD (*.hs5)|*.hs5|All Files (*.*)|*.*||";
    // What Save Test says when a camera fails its check.
    const char* m_camerasIllegal = "Illegal data found. No high-speed video file output.";

    // The test's high-speed video part (the kind's data object).
    CHighSpeedVideoData& HsvdData() { return *TestFile()->Cameras(); }
    // The tab of the high-speed video page.
    virtual int HsvdIndex() const = 0;

    // Undo All Pages and Redo All Pages handled by doing nothing: the menu leaves them enabled.
    void OfferEmptyUndoRedo();

    // The test file's .hs5 read with it; the pages at the last camera after a load; the camera
    // check with the kind's page checks after it; the .hs5 and .hsr written with a test and a
    // report.
    void ReadCompanions(ITestFile& read, const CString& base) override;
    // Save Test's camera flag.
    void CheckCompanionsForSave() override { CheckHsvd(); }
    void ShowLoaded(const CString& ext) final;
    void CheckLoaded() final;
    bool SaveCompanions(const CString& base) override;
    void SaveReportCompanions(const CString& base) override;
    // The kind's pages after a load (the camera page is the base's).
    virtual void ShowPages(const CString& ext) = 0;
    // The kind's validity flags after a load.
    virtual void CheckPagesLoaded() {}

    // After new cameras or a new test: the page at the last camera, the test page (it shows the
    // test reference the cameras share) and the camera page showing what is held, whichever
    // page was in front.
    void ShowCameras();
    // HSVD-valid: cameras exist and the page passes its check.
    bool CheckHsvd();
    // What a failed check of the cameras says where no other text is given.
    static constexpr const char* kIllegalCameras = "Illegal data found. No file output.";
    // Before cameras are written (a test's or a report's companion, the camera commands alone):
    // the shown camera kept as typed, then every camera checked; a bad one comes to the front
    // with its field marked, `illegal` is told, and false.
    bool CheckCamerasBeforeSave(const char* illegal);
    // The file dialogs of the camera commands alone; nothing when cancelled.
    static std::optional<CString> AskHsvdDataPath();
    static std::optional<CString> AskHsvdReportPath();
};
