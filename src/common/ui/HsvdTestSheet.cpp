#include "common/ui/HsvdTestSheet.h"

#include "platform/Messages.h"
#include "platform/ui/WaitCursor.h"

#include <filesystem>

namespace {

using S = CHsvdTestSheet;

// The rows every sheet with cameras has; the handlers are the kind's through the virtual calls.
const SheetCommandRow<S> kCommands[] = {
    {ID_LOAD_TEST, &S::OnLoadTest},
    {ID_SAVE_TEST, &S::OnSaveTest},
    {ID_SAVE_REPORT, &S::OnSaveReport},
    {ID_LOAD_HSVD_ONLY, &S::OnLoadHsvdOnly},
    {ID_SAVE_HSVD_ONLY, &S::OnSaveHsvdOnly},
    {ID_SAVE_HSVD_REPORT_ONLY, &S::OnSaveHsvdReportOnly},
    {ID_FILE_PRINT, &S::PrintFileCommand},
    {ID_CLEAR_ALL_PAGES, &S::OnClearAllPages},
};

// Commands only some kinds have (intrusion points, whole-test undo): grayed where the kind has
// no handler for them.
const int kKindOnlyCommands[] = {
    ID_LOAD_INTRUSION_ONLY, ID_SAVE_INTRUSION_ONLY, ID_SAVE_INTRUSION_REPORT_ONLY, ID_UNDO_ALL_PAGES, ID_REDO_ALL_PAGES,
};

} // namespace

CHsvdTestSheet::CHsvdTestSheet(const char* caption, ISheetOwner* owner, int selectPage, TestKind kind,
                               const char* question)
    : CTestSheet(caption, owner, selectPage, kind, question)
{
    OnCommands<S>(this, kCommands);
    std::vector<MenuRule> rules = {
        {ID_SAVE_TEST, [this] { return !m_bUntouched; }},
        {ID_SAVE_HSVD_ONLY, [this] { return m_bHsvdValid; }},
        {ID_SAVE_HSVD_REPORT_ONLY, [this] { return m_bHsvdValid; }},
    };
    for (int id : kKindOnlyCommands)
        rules.push_back({id, [this, id] { return HasCommand(id); }});
    AddMenuRules(std::move(rules));
}

CHsvdTestSheet::~CHsvdTestSheet() = default;

BOOL CHsvdTestSheet::OnInitDialog()
{
    const BOOL result = CTestSheet::OnInitDialog();
    if (int* option = CurveCheckOption())
        *option = m_nCheckCurves;
    return result;
}

void CHsvdTestSheet::OfferEmptyUndoRedo()
{
    for (int id : {ID_UNDO_ALL_PAGES, ID_REDO_ALL_PAGES})
        OnCommand(id, [] {});
}

void CHsvdTestSheet::ReadCompanions(ITestFile& read, const CString& base)
{
    read.Cameras()->ReplaceHsvdFromFile(CHighSpeedVideoData::DataFileBeside(base), false);
}

void CHsvdTestSheet::ShowLoaded(const CString& ext)
{
    ShowPages(ext);
    if (ext == "mv5" || ext == "mv4")
        ShowCameras();
    else
        RefreshPage(HsvdIndex()); // the test reference an import may have brought
}

void CHsvdTestSheet::CheckLoaded()
{
    // The camera check after a load sets the menu state only: a camera page it had to make for
    // the check does not stay in front of the page the user was on.
    const int active = GetActiveIndex();
    CheckHsvd();
    SetActivePage(active);
    CheckPagesLoaded();
}

void CHsvdTestSheet::ShowCameras()
{
    m_HsvdPage.m_nRecordCount = m_HsvdPage.m_nRecordIndex = HsvdData().CameraCount();
    Page(0)->OnSetActive();
    RefreshPage(HsvdIndex());
}

bool CHsvdTestSheet::CheckHsvd()
{
    m_bHsvdValid = HsvdData().HasHsvd() && CheckPage(HsvdIndex());
    return m_bHsvdValid;
}

bool CHsvdTestSheet::CheckCamerasBeforeSave(const char* illegal)
{
    if (m_HsvdPage.HasWindow())
        m_HsvdPage.SaveRecord();
    if (CheckPage(HsvdIndex()))
        return true;
    m_HsvdPage.ShowBlockingField();
    AfxMessageBox(illegal);
    return false;
}

bool CHsvdTestSheet::SaveCompanions(const CString& base)
{
    CHighSpeedVideoData& data = HsvdData();
    const CString path = CHighSpeedVideoData::DataFileBeside(base);
    if (data.HasHsvd()) {
        if (!CheckCamerasBeforeSave(m_camerasIllegal))
            return false;
        return data.SaveHsvdData(path);
    }
    // Without a camera an older file of that name is replaced by one without cameras, so that
    // deleted cameras stay deleted; none is made otherwise.
    if (std::filesystem::exists(std::filesystem::path(path.str())))
        return data.SaveHsvdCompanion(path);
    return true;
}

void CHsvdTestSheet::SaveReportCompanions(const CString& base)
{
    if (HsvdData().HasHsvd() && CheckCamerasBeforeSave(kIllegalCameras))
        HsvdData().SaveHsvdReport(CHighSpeedVideoData::ReportFileBeside(base));
}

void CHsvdTestSheet::OnLoadHsvdOnly()
{
    const auto path = AskOpenFile("Open High-Speed Video File", m_hsvdOpenFilter);
    if (!path)
        return;
    const TestFileResult read = HsvdData().ReplaceHsvdFromFile(*path, true);
    if (read)
        ShowCameras();
    else
        Tell(read);
    CheckHsvd();
}

std::optional<CString> CHsvdTestSheet::AskHsvdDataPath()
{
    return AskSaveFile("Export File", "MV5 HSVD (*.hs5)|*.hs5||", "hs5");
}

std::optional<CString> CHsvdTestSheet::AskHsvdReportPath()
{
    return AskSaveFile("Report File", "MV5 HSVD (*.hsr)|*.hsr||", "hsr");
}

void CHsvdTestSheet::OnSaveHsvdOnly()
{
    if (!HsvdData().HasHsvd() || !CheckCamerasBeforeSave(kIllegalCameras))
        return;
    if (const auto path = AskHsvdDataPath()) {
        CWaitCursor wait; // for another program's commit in the folder
        HsvdData().SaveHsvdData(*path);
    }
}

void CHsvdTestSheet::OnSaveHsvdReportOnly()
{
    if (!HsvdData().HasHsvd() || !CheckCamerasBeforeSave(kIllegalCameras))
        return;
    if (const auto path = AskHsvdReportPath()) {
        CWaitCursor wait;
        HsvdData().SaveHsvdReport(*path);
    }
}
