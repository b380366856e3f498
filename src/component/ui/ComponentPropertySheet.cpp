#include "component/ui/ComponentPropertySheet.h"

#include "codes/ui/CodeFields.h"

namespace {

using S = CComponentPropertySheet;

const SheetCommandRow<S> kCommands[] = {
    {ID_UNDO_ALL_PAGES, &S::OnUndoAllPages},
    {ID_REDO_ALL_PAGES, &S::OnRedoAllPages},
};

constexpr const char* kTag = "COMDB";

const ImportedGrFile kImportedGrFiles[] = {{"gr1", '1'}, {"gr5", '5'}, {"gr9", '9'}};

} // namespace

CComponentPropertySheet::CComponentPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CHsvdTestSheet(caption, owner, selectPage, TestKind::Component, "Exit Component Data Screens?")
{
    AddPages({
        {&m_TestPage, &m_TestPage},
        {&m_VehPage, &m_VehPage},
        {&m_CompPage, &m_CompPage},
        {&m_ConfPage, &m_ConfPage},
        {&m_InstPage, &m_InstPage},
        {&m_HsvdPage, &m_HsvdPage},
    });
    BindDataPages(m_CompData, &DbCodeFields(), kTag, m_TestPage, m_VehPage, m_CompPage, m_ConfPage, m_InstPage);
    m_HsvdPage.m_pData = &m_CompData;
    m_loadFilter = "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                   "MV3 Test Data (*.gr1)|*.gr1|MV3 Instrumentation Data (*.gr5)|*.gr5|"
                   "MV3 Component Data (*.gr9)|*.gr9|All (*.*)|*.*||";
    m_importedGrFiles = kImportedGrFiles;
    m_hsvdOpenFilter = "MV5 HSVD (*.hs5)|*.hs5|All (*.*)|*.*||";
    m_camerasIllegal = kIllegalCameras;
    // A load asks nothing: the test it replaces goes on the undo stack, as a clear's does.
    m_bLoadAsksAndClears = false;
    m_bUnreadLoadChanges = true;
    // Save Test's check ends on the page the user was on, also when a page failed it.
    m_saveCheck.back = SaveCheck::Always;

    OnCommands<S>(this, kCommands);
    AddMenuRules({
        {ID_UNDO_ALL_PAGES, [this] { return !m_UndoStack.IsEmpty(); }},
        {ID_REDO_ALL_PAGES, [this] { return !m_RedoStack.IsEmpty(); }},
    });
}

CComponentPropertySheet::~CComponentPropertySheet() { ReleasePages(); }

void CComponentPropertySheet::ShowPages(const CString& ext)
{
    // A new test shows the record pages at their last records. A GR file is merged into the test
    // as it stands: the indexes stay where they are, except on the page the file fills.
    const bool all = ext != "gr1" && ext != "gr5" && ext != "gr9";
    if (all || ext == "gr9")
        m_CompPage.m_nRecordIndex = std::max(m_CompData.m_nComponentCount, 0);
    if (all)
        m_ConfPage.m_nRecordIndex = std::max(m_CompData.m_nConfigurationCount, 0);
    if (all || ext == "gr5")
        m_InstPage.m_nRecordIndex = std::max(m_CompData.m_nCurveCount, 0);
    m_TestPage.OnSetActive();
    for (int index : {kComponent, kConfiguration, kInstrumentation, kVehicle})
        RefreshPage(index);
}

bool CComponentPropertySheet::CheckMainPages()
{
    if (m_bUntouched)
        return false;
    // The vehicle page checks its records only when it is left.
    return CheckPages({kTest, kComponent, kConfiguration, kInstrumentation}, kInstrumentation);
}

bool CComponentPropertySheet::CheckPagesForSave()
{
    m_bPagesValid = m_CompData.m_nComponentCount > 0 && CheckMainPages();
    return m_bPagesValid;
}

void CComponentPropertySheet::ShowCleared()
{
    // Every page with a window shows the cleared test, the test date and its picker included,
    // so that nothing of the old test flows back into the new one.
    m_TestPage.OnSetActive();
    for (int index : {kVehicle, kComponent, kConfiguration, kInstrumentation, kHsvd})
        RefreshPage(index);
}

void CComponentPropertySheet::RestoreSnapshot(const CUndoEntry& entry)
{
    if (!entry.GetCompData())
        return;
    m_CompData = *entry.GetCompData();
    for (CCompRecordPage* page : std::initializer_list<CCompRecordPage*> {&m_CompPage, &m_ConfPage, &m_InstPage})
        page->m_pData = &m_CompData;
    m_TestPage.m_pData = m_VehPage.m_pData = &m_CompData;
    m_HsvdPage.m_pData = &m_CompData;
    ShowPages(CString());
    ShowCameras();
}

void CComponentPropertySheet::MoveSnapshot(CUndoStack& from, CUndoStack& to)
{
    if (from.IsEmpty())
        return;
    SaveActivePage();
    const CUndoEntry entry = from.PopLast();
    to.Push(m_CompData);
    RestoreSnapshot(entry);
}

void CComponentPropertySheet::BeforeChange() { SaveActivePage(); }

void CComponentPropertySheet::KeepForUndo(bool replaced)
{
    if (replaced)
        m_UndoStack.Push(std::move(m_CompData));
    else
        m_UndoStack.Push(m_CompData);
}

void CComponentPropertySheet::CheckPagesLoaded()
{
    m_bPagesValid = m_CompData.m_nCurveCount >= 1 && CheckMainPages();
}

bool CComponentPropertySheet::SavePagesForReport()
{
    // A page that refuses ends the report where the user is.
    return FirstPageNotSaved({kTest, kComponent, kConfiguration, kVehicle, kInstrumentation}) < 0;
}
