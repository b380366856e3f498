#pragma once
// The vehicle test sheet: eight pages over one vehicle test, and the commands of its menu (load
// by extension with the .hs5 and .ip5 companions, save with the companions, report, the
// high-speed video and intrusion commands alone, print, clear, kind switch, exit).

#include "common/ui/HsvdTestSheet.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/VehBarPage.h"
#include "vehicle/ui/VehInstPage.h"
#include "vehicle/ui/VehIntrPage.h"
#include "vehicle/ui/VehOccPage.h"
#include "vehicle/ui/VehRestPage.h"
#include "vehicle/ui/VehTestPage.h"
#include "vehicle/ui/VehVehPage.h"

class CVehiclePropertySheet : public CHsvdTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum PageIndex { kTest, kVehicle, kOccupant, kRestraint, kBarrier, kInstrumentation, kHsvd, kIntrusion, kPageCount };

    CVehiclePropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CVehiclePropertySheet() override;

    // Pages 0 to 5 all checked; false at once while untouched.
    bool CheckMainPages();
    bool CheckBeforeSave();

    void OnLoadTest() override;
    void OnSaveTest() override;
    void OnSaveReport() override;
    void OnLoadIntrusionOnly();
    void OnSaveIntrusionOnly();
    void OnSaveIntrusionReportOnly();

    // In the order the pages are declared; the page index is the tab order above.
    CVehTestPage m_TestPage;
    CVehVehPage m_VehPage;
    CVehRestPage m_RestPage;
    CVehOccPage m_OccPage;
    CVehBarPage m_BarPage;
    CVehInstPage m_InstPage;
    CVehIntrPage m_IntrPage;

    CVehData m_VehData;

    bool m_bAllPagesValid = false;
    bool m_bIntrusionValid = false;

protected:
    CHighSpeedVideoData& HsvdData() override { return m_VehData; }
    int HsvdIndex() const override { return kHsvd; }
    int* CurveCheckOption() override { return &m_VehData.m_nCurveCheckRequested; }
    void ClearAll() override;

private:
    void RefreshAfterImport();
    // After a new test: every page shows it, the record pages at their last records; a version-5
    // test also sets the vehicles of its configuration.
    void RefreshAfterRead(bool v5);
    // The intrusion page at the last point, the test page and that page showing what is held.
    void ShowIntrusion();
    // After a load that was not stopped: the validity flags and the instrumentation page in front.
    void CheckAfterLoad();
};
