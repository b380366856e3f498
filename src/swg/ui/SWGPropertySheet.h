#pragma once
// The SWG test sheet: the test page, the instrumentation page and the high-speed video page over
// one SWG test, a band of three buttons above the tabs, and the commands of its menu (load by
// extension with the .hs5 companion, save with it, report, the high-speed video commands alone,
// print, clear, kind switch, exit).

#include "common/ui/HsvdTestSheet.h"
#include "swg/SWGData.h"
#include "swg/ui/SWGInstPage.h"
#include "swg/ui/SWGTestPage.h"

class CSWGPropertySheet : public CHsvdTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum PageIndex { kTest, kInstrumentation, kHsvd };
    // The buttons of the band. The sheet has no command for them: pressing one does nothing.
    enum { IDC_BAND_VEHICLE = 1627, IDC_BAND_BIOMECHANICS = 1628, IDC_BAND_COMPONENT = 1647 };

    CSWGPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CSWGPropertySheet() override;

    BOOL OnInitDialog() override;

    // Also without a camera (a report without camera blocks); cameras failing their check:
    // "Illegal data found. No file output.".
    void OnSaveHsvdReportOnly() override;

    // Both pages whose fields decide whether Save Test is offered.
    bool PagesValid();

    // In the order of the design; the page index is the tab order above.
    CSWGInstPage m_InstPage;
    CSWGTestPage m_TestPage;
    CSWGData m_SWGData;

    QWidget* m_pBand = nullptr;

protected:
    ITestFile* TestFile() override { return &m_SWGData; }
    int HsvdIndex() const override { return kHsvd; }
    void ClearData() override { m_SWGData.ClearForRead(); }
    // Save Test's check is the kind's own alone, without the common sequence around it: the test
    // page and the shown curve stored, no other page judged (the menu offers Save Test only while
    // both pages are valid, PagesValid). False ends Save Test; Save Report stores the same.
    bool CheckBeforeSave() override { return CheckPagesForSave(); }
    bool CheckPagesForSave() override { return SaveTestAndShownCurve(); }
    bool SavePagesForReport() override { return SaveTestAndShownCurve(); }
    // The test page, and the instrumentation page at the last curve of a test or a curve file.
    void ShowPages(const CString& ext) override;

private:
    bool SaveTestAndShownCurve();
};
