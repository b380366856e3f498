#pragma once
// The "High-Speed Digital Video Info" page of the vehicle, biomechanics, component and SWG
// sheets: the test reference number and one high-speed video camera record at a time. The sheet
// sets the kind letter and its data pointer; the page edits only the high-speed video part of
// that data object.

#include "common/ui/NEdit.h"
#include "platform/ui/PropertySheet.h"

class CHighSpeedVideoData;
class CBioData;
class CCompData;
class CSWGData;
class CVehData;

class CHsvdPage : public CRecordPage {
    Q_OBJECT
public:
    enum {
        IDD = 160,
        IDC_TEST_REFERENCE = 1601,
        IDC_SCALE_FACTOR,
        IDC_VIEW_DESCRIPTION,
        IDC_COMMENTARY,
        IDC_CAMERA_LIST,
        IDC_DELETE_RECORD,
        IDC_NEXTCURVE_BUTTON,
        IDC_RETAIN_LAST,
    };

    CHsvdPage();
    ~CHsvdPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void ClearPage();
    void LoadRecord() override;
    BOOL SaveRecord() override;
    BOOL IsPageValid() override;
    void SetFieldTypes();

    void OnNextcurveButton();
    void OnDeleteRecord();
    void OnSelchangeCameraList();
    // The tooltip of a control (at most 80 characters); empty for a control without one.
    static CString OnToolTipNotify(int id);
    BOOL OnHelpInfo();

    CBioData* m_pBioData = nullptr;
    CCompData* m_pCompData = nullptr;
    CSWGData* m_pSWGData = nullptr;
    CVehData* m_pVehData = nullptr;
    char m_cKind = ' ';

    CListBox m_listCameras;
    BOOL m_bRetainLast = FALSE;
    CButton m_btnDelete;
    CButton m_btnNext;
    CNEdit m_editTestReference;
    CNEdit m_editScaleFactor;
    CNEdit m_editViewDescription;
    CNEdit m_editCommentary;

protected:
    void NewRecord() override;
    void RemoveRecord(int index) override;
    void AfterNext() override { SetFieldTypes(); }

private:
    // The data object the kind letter names; null without a kind or its pointer.
    CHighSpeedVideoData* Data() const;
    void EmptyNewRecord(CHighSpeedVideoData& data);
};
