#pragma once
// The "High-Speed Digital Video Info" page of the vehicle, biomechanics, component and SWG
// sheets: the test reference number and one high-speed video camera record at a time. The sheet
// points it at its data object; the page edits only the high-speed video part of it.

#include "common/HighSpeedVideoData.h"
#include "common/ui/DataPage.h"

class CHsvdPage : public CDataRecordPage<CHighSpeedVideoData> {
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
    CNEdit& m_editTestReference;
    CNEdit& m_editScaleFactor;
    CNEdit& m_editViewDescription;
    CNEdit& m_editCommentary;

protected:
    int DataRecordCount(const CHighSpeedVideoData& data) const override { return data.CameraCount(); }
    std::vector<CStringArray CHighSpeedVideoData::*> ExtraArrays() const override
    {
        return {&CHighSpeedVideoData::m_arrCameraNumber};
    }
    void SaveExtra(CHighSpeedVideoData& data, int index) override;
};
