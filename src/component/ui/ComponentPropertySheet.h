#pragma once
// The component test sheet: six pages over one component test, whole-test Undo and Redo, and the
// commands of its menu (load by extension with the .hs5 companion, GR imports merged into the
// test, save with the companion, report, the high-speed video commands alone, print, clear, kind
// switch, exit).

#include "common/ui/HsvdTestSheet.h"
#include "component/CompData.h"
#include "component/ui/CompPages.h"
#include "component/ui/UndoStack.h"

class CComponentPropertySheet : public CHsvdTestSheet {
    Q_OBJECT
public:
    // Page indexes: the order of the tabs.
    enum PageIndex { kTest, kVehicle, kComponent, kConfiguration, kInstrumentation, kHsvd, kPageCount };

    CComponentPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CComponentPropertySheet() override;

    bool CheckMainPages();
    // Save Test: a component at least, then the main pages.
    bool CheckPagesForSave() override;
    void RestoreSnapshot(const CUndoEntry& entry);

    void OnUndoAllPages() { MoveSnapshot(m_UndoStack, m_RedoStack); }
    void OnRedoAllPages() { MoveSnapshot(m_RedoStack, m_UndoStack); }

    // In the order the pages are declared; the page index is the tab order above.
    CCompTestPage m_TestPage;
    CCompCompPage m_CompPage;
    CCompConfPage m_ConfPage;
    CCompInstPage m_InstPage;
    CCompVehPage m_VehPage;

    bool m_bPagesValid = false;
    CCompData m_CompData;
    CUndoStack m_UndoStack;
    CUndoStack m_RedoStack;

protected:
    ITestFile* TestFile() override { return &m_CompData; }
    int HsvdIndex() const override { return kHsvd; }
    int* CurveCheckOption() override { return &m_CompData.m_nCheckCurves; }
    // The cameras go with the test.
    void ClearData() override { m_CompData.ClearForRead(); }
    void ShowCleared() override;
    void BeforeChange() override;
    void KeepForUndo(bool replaced) override;
    bool SavePagesForReport() override;
    void ShowPages(const CString& ext) override;
    void CheckPagesLoaded() override;

private:
    // The test held goes on `to`, the one taken from `from` in its place.
    void MoveSnapshot(CUndoStack& from, CUndoStack& to);
};
