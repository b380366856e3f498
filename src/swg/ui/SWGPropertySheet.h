#pragma once
// The SWG test sheet: the test page, the instrumentation page and the high-speed video page over
// one SWG test, a band of three buttons above the tabs, and the commands of its menu (load by
// extension with the .hs5 companion, save with it, report, the high-speed video commands alone,
// print, clear, kind switch, exit).

#include "common/ui/HsvdCommands.h"
#include "common/ui/HsvdPage.h"
#include "common/ui/TestSheet.h"
#include "swg/SWGData.h"
#include "swg/ui/SWGInstPage.h"
#include "swg/ui/SWGTestPage.h"

class CSWGPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum Page { kTest, kInstrumentation, kHsvd };
    // The buttons of the band. The sheet has no command for them: pressing one does nothing.
    enum { IDC_BAND_VEHICLE = 1627, IDC_BAND_BIOMECHANICS = 1628, IDC_BAND_COMPONENT = 1647 };

    CSWGPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CSWGPropertySheet() override;

    BOOL OnInitDialog() override;

    void OnLoadTest();
    void OnSaveTest();
    void OnSaveReport();
    void OnLoadHsvdOnly();
    void OnSaveHsvdOnly();
    void OnSaveHsvdReportOnly();
    void OnClearAllPages();

    // Both pages whose fields decide whether Save Test is offered.
    bool PagesValid();

    // In the order of the design; the page index is the tab order above.
    CSWGInstPage m_InstPage;
    CSWGTestPage m_TestPage;
    CHsvdPage m_HsvdPage;
    CSWGData m_SWGData;
    CHsvdCommands m_hsvd;

    QWidget* m_pBand = nullptr;
    bool m_bCleared = false;
    bool m_bUntouched = true;

private:
    // After a test was read: the test page, and the instrumentation page at the last curve.
    void RefreshAfterRead(bool showLastCurve);
    // Saves the test page and the shown curve; false ends Save Test and Save Report.
    bool SavePages();
};
