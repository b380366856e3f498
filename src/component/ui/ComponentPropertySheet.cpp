#include "component/ui/ComponentPropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"

#include "platform/ui/WaitCursor.h"

namespace {

using S = CComponentPropertySheet;

const SheetCommandRow<S> kCommands[] = {
    {ID_LOAD_TEST, &S::OnLoadTest},
    {ID_SAVE_TEST, &S::OnSaveTest},
    {ID_SAVE_REPORT, &S::OnSaveReport},
    {ID_LOAD_HSVD_ONLY, &S::OnLoadHsvdOnly},
    {ID_SAVE_HSVD_ONLY, &S::OnSaveHsvdOnly},
    {ID_SAVE_HSVD_REPORT_ONLY, &S::OnSaveHsvdReportOnly},
    {ID_FILE_PRINT, &S::PrintFileCommand},
    {ID_UNDO_ALL_PAGES, &S::OnUndoAllPages},
    {ID_REDO_ALL_PAGES, &S::OnRedoAllPages},
    {ID_CLEAR_ALL_PAGES, &S::OnClearAllPages},
};

constexpr const char* kTag = "COMDB";

} // namespace

CComponentPropertySheet::CComponentPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CTestSheet(caption, owner, selectPage, TestKind::Component, "Exit Component Data Screens?")
    , m_hsvd(*this, m_HsvdPage, m_CompData, kHsvd, [this] { m_TestPage.OnSetActive(); })
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
    m_HsvdPage.m_cKind = 'C';

    OnCommands<S>(this, kCommands);
    SetMenuRules(WithIntrusionGrayed({
        {ID_SAVE_TEST, [this] { return !m_bUntouched; }},
        {ID_SAVE_HSVD_ONLY, [this] { return m_bHsvdValid; }},
        {ID_SAVE_HSVD_REPORT_ONLY, [this] { return m_bHsvdValid; }},
    }));
}

CComponentPropertySheet::~CComponentPropertySheet() { ReleasePages(); }

BOOL CComponentPropertySheet::OnInitDialog()
{
    const BOOL result = CTestSheet::OnInitDialog();
    m_CompData.m_nCheckCurves = m_nCheckCurves;
    return result;
}

void CComponentPropertySheet::OnInitMenuPopup(QMenu* popup, int index)
{
    CTestSheet::OnInitMenuPopup(popup, index);
    MenuAction(ID_UNDO_ALL_PAGES)->setEnabled(!m_UndoStack.IsEmpty());
    MenuAction(ID_REDO_ALL_PAGES)->setEnabled(!m_RedoStack.IsEmpty());
}

void CComponentPropertySheet::RefreshAll()
{
    m_TestPage.OnSetActive();
    m_CompPage.m_nRecordIndex = std::max(m_CompData.m_nComponentCount, 0);
    RefreshPage(kComponent);
    m_ConfPage.m_nRecordIndex = std::max(m_CompData.m_nConfigurationCount, 0);
    RefreshPage(kConfiguration);
    m_InstPage.m_nRecordIndex = std::max(m_CompData.m_nCurveCount, 0);
    RefreshPage(kInstrumentation);
    RefreshPage(kVehicle);
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

bool CComponentPropertySheet::CheckBeforeSave()
{
    if (m_bUntouched)
        return false;
    const CWaitCursor wait;
    SaveActivePage();
    const int active = GetActiveIndex();
    m_bHsvdValid = m_hsvd.IsValid();
    CheckPagesForSave();
    SetActivePage(active);
    return m_bPagesValid;
}

void CComponentPropertySheet::ResetAllPages()
{
    m_CompData.ClearTest();
    for (int index = kTest; index <= kInstrumentation; ++index)
        PageProtocol(index)->ClearPage();
    m_CompData.ResetHsvd();
    m_HsvdPage.ClearPage();
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
    RefreshAll();
    m_HsvdPage.m_nRecordCount = m_HsvdPage.m_nRecordIndex = m_CompData.CameraCount();
    m_TestPage.OnSetActive();
    RefreshPage(kHsvd);
}

void CComponentPropertySheet::OnUndoAllPages()
{
    if (m_UndoStack.IsEmpty())
        return;
    SaveActivePage();
    const CUndoEntry entry = m_UndoStack.PopLast();
    m_RedoStack.Push(m_CompData);
    RestoreSnapshot(entry);
}

void CComponentPropertySheet::OnRedoAllPages()
{
    if (m_RedoStack.IsEmpty())
        return;
    SaveActivePage();
    const CUndoEntry entry = m_RedoStack.PopLast();
    m_UndoStack.Push(m_CompData);
    RestoreSnapshot(entry);
}

void CComponentPropertySheet::OnClearAllPages()
{
    if (!m_bUntouched && !AskApplication("Really clear all entries?"))
        return;
    SaveActivePage();
    m_UndoStack.Push(m_CompData);
    ResetAllPages();
    m_bUntouched = false;
}

bool CComponentPropertySheet::LoadHsvdFromPath(const CString& path, bool report)
{
    // The high-speed video file carries the Test Reference Number the test page shows.
    return m_hsvd.LoadCompanion(path, report, true);
}

void CComponentPropertySheet::OnLoadTest()
{
    const auto path = AskOpenFile("Open Test", "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                                               "MV3 Test Data (*.gr1)|*.gr1|MV3 Instrumentation Data (*.gr5)|*.gr5|"
                                               "MV3 Component Data (*.gr9)|*.gr9|All (*.*)|*.*||");
    if (!path)
        return;
    SaveActivePage();
    m_UndoStack.Push(m_CompData);
    const CString ext = LowerExtension(*path);
    if (ext == "mv5") {
        ResetAllPages();
        if (m_CompData.ReadMV5File(*path)) {
            m_CompData.m_strCurvePath = *path;
            m_CompData.m_bCurvesChecked = false;
            m_CompData.m_nCheckCurves = 0;
            RefreshAll();
        }
        m_HsvdPage.m_cKind = 'C';
        LoadHsvdFromPath(CompanionBase(*path) + ".hs5", false);
    } else if (ext == "mv4") {
        ResetAllPages();
        if (m_CompData.ReadMV4File(*path))
            RefreshAll();
    } else if (ext == "gr1" || ext == "gr5" || ext == "gr9") {
        // Merged into the test as it stands: the indexes of the record pages stay where they are,
        // except the curves of an instrumentation file.
        bool read = false;
        if (ext == "gr1") {
            read = m_CompData.ReadGR1File(*path) != 0;
        } else if (ext == "gr5") {
            read = m_CompData.ReadGR5File(*path) != 0;
            if (read)
                m_InstPage.m_nRecordIndex = std::max(m_CompData.m_nCurveCount, 0);
        } else if (const short count = m_CompData.ReadGR9File(*path); count != 0) {
            m_CompData.m_nComponentCount = count;
            m_CompPage.m_nRecordIndex = std::max<int>(count, 0);
            read = true;
        }
        if (read) {
            m_TestPage.OnSetActive();
            for (int index : {kComponent, kConfiguration, kInstrumentation, kVehicle})
                RefreshPage(index);
        }
    }
    m_bHsvdValid = m_hsvd.IsValid();
    m_bPagesValid = m_CompData.m_nCurveCount >= 1 && CheckMainPages();
    m_bUntouched = false;
}

void CComponentPropertySheet::OnSaveTest()
{
    if (!CheckBeforeSave())
        return;
    const auto path = AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
    if (!path)
        return;
    // A test file that could not be written has been reported: its companion stays as it was,
    // so the files on disk still belong together.
    if (!m_CompData.WriteMV5File(*path))
        return;
    if (m_CompData.m_arrCameraNumber.GetSize() < 2)
        return;
    if (m_HsvdPage.SaveAndValidateAll())
        m_CompData.SaveHsvdData(CompanionBase(*path) + ".hs5");
    else
        AfxMessageBox("Illegal data found. No file output.");
}

void CComponentPropertySheet::OnSaveReport()
{
    for (int index : {kTest, kComponent, kConfiguration, kVehicle, kInstrumentation}) {
        if (!PageProtocol(index)->SavePage())
            return;
    }
    const auto path = AskSaveFile("Export Report", "MV5 Report (*.mvr)|*.mvr||", "mvr");
    if (!path)
        return;
    m_CompData.WriteReportFile(*path);
    if (m_CompData.m_arrCameraNumber.GetSize() < 2)
        return;
    if (m_HsvdPage.SaveAndValidateAll())
        m_CompData.SaveHsvdReport(CompanionBase(*path) + ".hsr");
    else
        AfxMessageBox("Illegal data found. No file output.");
}

void CComponentPropertySheet::OnLoadHsvdOnly()
{
    const auto path = AskOpenFile("Open High-Speed Video File", "MV5 HSVD (*.hs5)|*.hs5|All (*.*)|*.*||");
    if (!path)
        return;
    LoadHsvdFromPath(*path, true);
    m_bHsvdValid = CheckPage(kHsvd);
}

void CComponentPropertySheet::OnSaveHsvdOnly()
{
    if (m_CompData.m_arrCameraNumber.GetSize() < 2)
        return;
    if (const auto path = AskSaveFile("Export File", "MV5 HSVD (*.hs5)|*.hs5||", "hs5"))
        m_CompData.SaveHsvdData(*path);
}

void CComponentPropertySheet::OnSaveHsvdReportOnly()
{
    if (m_CompData.m_arrCameraNumber.GetSize() < 2)
        return;
    if (const auto path = AskSaveFile("Report File", "MV5 HSVD (*.hsr)|*.hsr||", "hsr"))
        m_CompData.SaveHsvdReport(*path);
}
