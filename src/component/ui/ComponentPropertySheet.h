#pragma once
// The component test sheet: six pages over one component test, whole-test Undo and Redo, and the
// commands of its menu (load by extension with the .hs5 companion, GR imports merged into the
// test, save with the companion, report, the high-speed video commands alone, print, clear, kind
// switch, exit).

#include "common/ui/HsvdCommands.h"
#include "common/ui/HsvdPage.h"
#include "common/ui/TestSheet.h"
#include "component/CompData.h"
#include "component/ui/CompPages.h"
#include "component/ui/UndoStack.h"

class CComponentPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum Page { kTest, kVehicle, kComponent, kConfiguration, kInstrumentation, kHsvd, kPageCount };

    CComponentPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CComponentPropertySheet() override;

    BOOL OnInitDialog() override;

    bool CheckMainPages();
    bool CheckPagesForSave();
    bool CheckBeforeSave();
    // The empty test, in the data and on every page.
    void ResetAllPages();
    void RestoreSnapshot(const CUndoEntry& entry);

    void OnLoadTest();
    void OnSaveTest();
    void OnSaveReport();
    void OnLoadHsvdOnly();
    void OnSaveHsvdOnly();
    void OnSaveHsvdReportOnly();
    void OnUndoAllPages();
    void OnRedoAllPages();
    void OnClearAllPages();
    void OnInitMenuPopup(QMenu* popup, int index) override;

    // In the order the pages are declared; the page index is the tab order above.
    CCompTestPage m_TestPage;
    CCompCompPage m_CompPage;
    CCompConfPage m_ConfPage;
    CCompInstPage m_InstPage;
    CCompVehPage m_VehPage;
    CHsvdPage m_HsvdPage;

    bool m_bPagesValid = false;
    bool m_bHsvdValid = false;
    CCompData m_CompData;
    bool m_bUntouched = true;
    CUndoStack m_UndoStack;
    CUndoStack m_RedoStack;

private:
    // The record pages at their last records and every page with a window reloaded.
    void RefreshAll();
    bool LoadHsvdFromPath(const CString& path, bool report);

    CHsvdCommands m_hsvd;
};
