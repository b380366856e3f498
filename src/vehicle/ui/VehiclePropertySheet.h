#pragma once
// The vehicle test sheet: eight pages over one vehicle test, and the commands of its menu (load
// by extension with the .hs5 and .ip5 companions, save with the companions, report, the
// high-speed video and intrusion commands alone, print, clear, kind switch, exit).

#include "common/ui/HsvdCommands.h"
#include "common/ui/HsvdPage.h"
#include "common/ui/TestSheet.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/VehBarPage.h"
#include "vehicle/ui/VehInstPage.h"
#include "vehicle/ui/VehIntrPage.h"
#include "vehicle/ui/VehOccPage.h"
#include "vehicle/ui/VehRestPage.h"
#include "vehicle/ui/VehTestPage.h"
#include "vehicle/ui/VehVehPage.h"

class CVehiclePropertySheet : public CTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum PageIndex { kTest, kVehicle, kOccupant, kRestraint, kBarrier, kInstrumentation, kHsvd, kIntrusion, kPageCount };

    CVehiclePropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CVehiclePropertySheet() override;

    BOOL OnInitDialog() override;

    // Pages 0 to 5 all checked; false at once while untouched.
    bool CheckMainPages();
    bool CheckBeforeSave();

    void OnLoadTest();
    void OnSaveTest();
    void OnSaveReport();
    void OnLoadHsvdOnly();
    void OnSaveHsvdOnly();
    void OnSaveHsvdReportOnly();
    void OnLoadIntrusionOnly();
    void OnSaveIntrusionOnly();
    void OnSaveIntrusionReportOnly();
    void OnClearAllPages();

    // In the order the pages are declared; the page index is the tab order above.
    CVehTestPage m_TestPage;
    CVehVehPage m_VehPage;
    CVehRestPage m_RestPage;
    CVehOccPage m_OccPage;
    CVehBarPage m_BarPage;
    CVehInstPage m_InstPage;
    CHsvdPage m_HsvdPage;
    CVehIntrPage m_IntrPage;

    CVehData m_VehData;
    CHsvdCommands m_hsvd;

    bool m_bAllPagesValid = false;
    bool m_bHsvdValid = false;
    bool m_bIntrusionValid = false;
    bool m_bCleared = false;
    bool m_bUntouched = true;

private:
    void RefreshAfterImport();
    bool LoadIntrusionCompanion(const CString& path, bool showError, bool refreshTestPage);
    // After a load that was not stopped: the validity flags and the instrumentation page in front.
    void CheckAfterLoad();
};
