#pragma once
// The sheet of every test kind that films its test with high-speed video cameras (vehicle,
// biomechanics, component, SWG): the high-speed video page and its commands, the flags those
// sheets share, the command rows and graying rules they have in common, the curve-check hand-over
// and the loads that take a test only once it has been read.

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

    // The commands every such sheet has; the kind states its own steps.
    virtual void OnLoadTest() = 0;
    virtual void OnSaveTest() = 0;
    virtual void OnSaveReport() = 0;
    virtual void OnLoadHsvdOnly();
    // No camera: nothing. The cameras are written only once they pass CheckCamerasBeforeSave.
    virtual void OnSaveHsvdOnly();
    virtual void OnSaveHsvdReportOnly();
    // "Really clear all entries?" unless untouched, then ClearAll().
    virtual void OnClearAllPages();

    CHsvdPage m_HsvdPage;

    bool m_bUntouched = true; // neither loaded nor cleared yet: Save Test grayed, nothing asked
    bool m_bCleared = false;  // the last Clear All Pages went through
    bool m_bHsvdValid = false; // cameras exist and pass their check

protected:
    // Load HSVD Data Only's file filter.
    const char* m_hsvdOpenFilter = "MV5 HSVD (*.hs5)|*.hs5|All (*.*)|*.*||";

    // The test's high-speed video part (the kind's data object).
    virtual CHighSpeedVideoData& HsvdData() = 0;
    // The tab of the high-speed video page.
    virtual int HsvdIndex() const = 0;
    // The data object's member that takes the chooser's curve-check option; none by default.
    virtual int* CurveCheckOption() { return nullptr; }
    // The data and every page to a new test's (Clear All Pages past its question).
    virtual void ClearAll() = 0;

    // Undo All Pages and Redo All Pages handled by doing nothing: the menu leaves them enabled.
    void OfferEmptyUndoRedo();

    // Clear All Pages' question when the sheet holds a test: false (and not cleared) on No.
    bool AskClearAll();

    // A whole test read in place of the one held: `read` gets a copy of the held data and makes it
    // the new test (it clears it, reads the file and its companions). Only when it succeeds are
    // the pages cleared (ClearAll) and the copy taken; a failed read leaves test and pages as
    // they were. `asCleared`: the sheet's flags then are those of a Clear All Pages.
    template <class Data, class Read> bool LoadNewTest(Data& held, Read read, bool asCleared = true)
    {
        Data fresh = held;
        if (!read(fresh))
            return false;
        ClearAll();
        held = fresh;
        if (asCleared) {
            m_bCleared = true;
            m_bUntouched = false;
        }
        return true;
    }
    // A file merged into the test held (GR imports): made on a copy, taken only when it succeeds.
    template <class Data, class Read> static bool MergeIntoTest(Data& held, Read read)
    {
        Data fresh = held;
        if (!read(fresh))
            return false;
        held = fresh;
        return true;
    }

    // After new cameras or a new test: the page at the last camera, the test page (it shows the
    // test reference the cameras share) and the camera page showing what is held, whichever
    // page was in front.
    void ShowCameras();
    // HSVD-valid: cameras exist and the page passes its check.
    virtual bool CheckHsvd();
    // What a failed check of the cameras says where no other text is given.
    static constexpr const char* kIllegalCameras = "Illegal data found. No file output.";
    // Before cameras are written (a test's or a report's companion, the camera commands alone):
    // the shown camera kept as typed, then every camera checked; a bad one comes to the front
    // with its field marked, `illegal` is told, and false.
    bool CheckCamerasBeforeSave(const char* illegal);
    // The companion .hs5 of a saved test. With cameras: written once they pass
    // CheckCamerasBeforeSave, else `illegal` is told and false. Without a camera an older file of that
    // name is replaced by one without cameras, so deleted cameras stay deleted; none is made
    // otherwise.
    bool SaveHsvdCompanion(const CString& base, const char* illegal);
    // The .hsr companion of a saved report: with cameras, once they pass CheckCamerasBeforeSave
    // (else "Illegal data found. No file output."); nothing without a camera.
    void SaveHsvdReportCompanion(const CString& base);
    // The file dialogs of the camera commands alone; nothing when cancelled.
    static std::optional<CString> AskHsvdDataPath();
    static std::optional<CString> AskHsvdReportPath();
};
