#pragma once
// The biomechanics test sheet: eleven pages over one biomechanics test (a dummy or a biological
// occupant), and the commands of its menu (load by extension with the .hs5 companion, the GR
// imports, save with the companion, report, the high-speed video commands alone, print, clear,
// kind switch, exit). The occupant pages open by the test's Occupant Type.

#include "biomech/BioData.h"
#include "biomech/ui/BioInstPage.h"
#include "biomech/ui/BioPages.h"
#include "biomech/ui/BioRecordPages.h"
#include "common/ui/HsvdTestSheet.h"

class CBioMechPropertySheet : public CHsvdTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum PageIndex {
        kTest,
        kDummy,
        kBioOccupant,
        kRib,
        kAnthropometry,
        kInjury,
        kRestraint,
        kInstrumentation,
        kChestBand,
        kGauge,
        kHsvd,
        kPageCount
    };

    CBioMechPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CBioMechPropertySheet() override;

    // Pages 0 to 9 all checked (a page closed by the Occupant Type passes, see CheckClosedPages);
    // false at once while untouched. On success the instrumentation page is in front.
    bool CheckMainPages();
    // Before a save: the values of every page the Occupant Type closes whose section the file
    // carries, checked; a failure opens that page with its bad value named (the box ends with
    // `noOutput`) and is false.
    bool CheckClosedPages(const char* noOutput);

    void OnSaveHsvdOnly() override;
    void OnSaveHsvdReportOnly() override;

    // In the order the pages are declared; the page index is the tab order above.
    CBioMechTestPage m_TestPage;
    CBioRestPage m_RestPage;
    CBioAnthPage m_AnthPage;
    CBioInjPage m_InjPage;
    CBioCBandPage m_CBandPage;
    CBioDumPage m_DumPage;
    CBioOccPage m_OccPage;
    CBioInstPage m_InstPage;
    CBioGaugePage m_GaugePage;
    CBioRibPage m_RibPage;

    CBioData m_BioData;

    bool m_bAllPagesValid = false;

protected:
    ITestFile* TestFile() override { return &m_BioData; }
    int HsvdIndex() const override { return kHsvd; }
    int* CurveCheckOption() override { return &m_BioData.m_nCheckCurves; }
    void ClearData() override { m_BioData.ClearForRead(); }
    // The page in front saved before Load Test asks for its file.
    bool BeforeLoad() override { return SaveActivePage(); }
    // Every load that failed says "File import fails" with the path.
    void TellLoadFailure(const CString& path, const TestFileResult& result) override;
    // Save Test: an occupant at least (else told), the main pages, then the closed pages.
    bool CheckPagesForSave() override;
    bool SavePagesForReport() override;
    void ShowPages(const CString& ext) override;
    void CheckPagesLoaded() override { CheckMainPages(); }

private:
    bool NoOccupant() const;
    // The shown camera saved: true when the test has a camera, else told and false.
    bool HsvdToSave();
};
