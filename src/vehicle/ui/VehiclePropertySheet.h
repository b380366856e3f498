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
    ITestFile* TestFile() override { return &m_VehData; }
    int HsvdIndex() const override { return kHsvd; }
    int* CurveCheckOption() override { return &m_VehData.m_nCurveCheckRequested; }
    void ClearData() override { m_VehData.ClearTest(); }
    // The intrusion companions beside the cameras'.
    void ReadCompanions(ITestFile& read, const CString& base) override;
    // Save Test: the cameras' and the intrusion points' flags, then pages 0 to 5.
    void CheckCompanionsForSave() override;
    bool CheckPagesForSave() override;
    bool SaveCompanions(const CString& base) override;
    bool SavePagesForReport() override;
    void SaveReportCompanions(const CString& base) override;
    void ShowPages(const CString& ext) override;
    void CheckPagesLoaded() override;

private:
    // The intrusion page at the last point, the test page and that page showing what is held.
    void ShowIntrusion();
    // Intrusion-valid: points exist and the page passes its check.
    void CheckIntrusion();
    // The points exist and the shown one is kept as typed; all pass their check (else `named`
    // or the plain box tells which).
    bool IntrusionToSave(bool named);
};
