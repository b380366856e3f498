#include "common/ui/TestSheet.h"

#include "common/CurveCheck.h"
#include "common/FileSet.h"
#include "common/ui/PrintText.h"
#include "platform/CodeDb.h"
#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/StdioFile.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Help.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WaitCursor.h"

#include <QSignalBlocker>
#include <QTabBar>

namespace {

struct MenuEntry {
    int id; // 0: separator
    const char* text;
};

const MenuEntry kFileMenu[] = {
    {ID_LOAD_TEST, "Load Test (.mv5, .hs5 and .ip5)"},
    {ID_SAVE_TEST, "Save Test (.mv5, .hs5 and .ip5)"},
    {ID_SAVE_REPORT, "Save Report (.mvr, .hsr and .ipr)"},
    {0, nullptr},
    {ID_LOAD_HSVD_ONLY, "Load HSVD Data Only"},
    {ID_SAVE_HSVD_ONLY, "Save HSVD Data Only"},
    {ID_SAVE_HSVD_REPORT_ONLY, "Save HSVD Report Only"},
    {0, nullptr},
    {ID_LOAD_INTRUSION_ONLY, "Load Intrusion Data Only"},
    {ID_SAVE_INTRUSION_ONLY, "Save Intrusion Data Only"},
    {ID_SAVE_INTRUSION_REPORT_ONLY, "Save Intrusion Report Only"},
    {0, nullptr},
    {ID_FILE_PRINT, "&Print"},
    {0, nullptr},
    {ID_SHEET_EXIT, "E&xit"},
};
const MenuEntry kEditMenu[] = {
    {ID_UNDO_ALL_PAGES, "&Undo All Pages"},
    {ID_REDO_ALL_PAGES, "&Redo All Pages"},
    {0, nullptr},
    {ID_EDIT_COPY, "&Copy\tCtrl+C"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V"},
    {0, nullptr},
    {ID_CLEAR_ALL_PAGES, "&Clear All Pages"},
};
const MenuEntry kDatabaseMenu[] = {
    {ID_VEHICLE_DATABASE, "Vehicle Database"},
    {ID_COMPONENT_DATABASE, "Component Database"},
    {ID_BIOMECHANICS_DATABASE, "Biomechanics Database"},
    {ID_CRASH_AVOIDANCE_DATABASE, "Crash Avoidance Database"},
    {ID_SWG_DATABASE, "SWG Database"},
};
const MenuEntry kHelpMenu[] = {
    {ID_HELP_FINDER, "&Contents..."},
    {ID_APP_ABOUT, "&About Morvel"},
};

struct KindCommand {
    TestKind kind;
    int id;
};
const KindCommand kKindCommands[] = {
    {TestKind::Vehicle, ID_VEHICLE_DATABASE},
    {TestKind::Component, ID_COMPONENT_DATABASE},
    {TestKind::Biomechanics, ID_BIOMECHANICS_DATABASE},
    {TestKind::CrashAvoidance, ID_CRASH_AVOIDANCE_DATABASE},
    {TestKind::Swg, ID_SWG_DATABASE},
};

// A Save Test or Save Report stopped before its file dialog by a check that showed the page to
// correct: a box says so, unless a box since `asked` (platform::MessagesAsked) said why already.
const char* NotSaved(bool report) { return report ? "The report was not saved." : "The test was not saved."; }

void TellNotSaved(bool report, unsigned long asked)
{
    if (platform::MessagesAsked() != asked)
        return;
    const CString text = CString(NotSaved(report)) + " The page shown holds an entry that is missing or not valid.";
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

} // namespace

CTestSheet::CTestSheet(const char* caption, ISheetOwner* owner, int selectPage, TestKind kind, const char* question)
    : CPropertySheet(caption, nullptr, selectPage)
    , m_pOwner(owner)
    , m_kind(kind)
    , m_question(question)
{
    BuildMenu();
    for (const KindCommand& k : kKindCommands) {
        if (k.kind != kind)
            OnCommand(k.id, [this, target = k.kind] { SwitchTo(target); });
    }
    OnCommand(ID_SHEET_EXIT, [this] { OnClose(); });
    OnCommand(ID_HELP_FINDER, [] { platform::ShowHelp(); });
    OnCommand(ID_APP_ABOUT, [this] {
        if (m_pOwner)
            m_pOwner->ShowAbout();
    });
}

CTestSheet::~CTestSheet() = default;

void CTestSheet::BuildMenu()
{
    QMenuBar* bar = GetMenuBar();
    auto addMenu = [&](const char* title, const MenuEntry* entries, size_t count, int index) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(title));
        for (size_t i = 0; i < count; ++i) {
            if (!entries[i].id) {
                menu->addSeparator();
                continue;
            }
            QString text = ToQString(CString(entries[i].text));
            QString shortcut;
            if (const int tab = text.indexOf('\t'); tab >= 0) {
                shortcut = text.mid(tab + 1);
                text = text.left(tab);
            }
            QAction* action = menu->addAction(text);
            if (!shortcut.isEmpty())
                action->setShortcut(QKeySequence(shortcut));
            const int id = entries[i].id;
            connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
            m_actions[id] = action;
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu, index] { OnInitMenuPopup(menu, index); });
    };
    addMenu("&File", kFileMenu, std::size(kFileMenu), 0);
    addMenu("&Edit", kEditMenu, std::size(kEditMenu), 1);
    addMenu("&Database", kDatabaseMenu, std::size(kDatabaseMenu), 2);
    addMenu("&Help", kHelpMenu, std::size(kHelpMenu), 3);
}

QAction* CTestSheet::MenuAction(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CTestSheet::OnCommand(int id, std::function<void()> handler) { m_handlers[id] = std::move(handler); }

void CTestSheet::RunCommand(int id)
{
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end())
        return;
    // The handler may end with a call that deletes this sheet: run a copy.
    const std::function<void()> handler = it->second;
    platform::CodeDbCommandScope codeTableFaults; // a command is one action: its broken tables in one box
    handler();
}

void CTestSheet::AddMenuRules(std::vector<MenuRule> rules)
{
    for (MenuRule& rule : rules)
        m_menuRules.push_back(std::move(rule));
}

void CTestSheet::OnInitMenuPopup(QMenu* popup, int /*index*/)
{
    for (QAction* action : popup->actions()) {
        if (!action->isSeparator())
            action->setEnabled(true);
    }
    for (const MenuRule& rule : m_menuRules) {
        if (QAction* action = MenuAction(rule.id); action && popup->actions().contains(action))
            action->setEnabled(rule.enabled());
    }
}

BOOL CTestSheet::OnInitDialog()
{
    const BOOL result = CPropertySheet::OnInitDialog();
    for (const KindCommand& k : kKindCommands) {
        if (k.kind == m_kind) {
            MenuAction(k.id)->setCheckable(true);
            MenuAction(k.id)->setChecked(true);
        }
    }
    // Room for the menu bar and every tab's caption, within the screen. On a screen smaller than
    // that, the pages scroll and so do the tabs: every page and tab stays reachable.
    const QSize natural = sizeHint();
    Tabs()->setUsesScrollButtons(true);
    platform::FitOnDesktop(this, QSize(std::max(natural.width() + 15, Tabs()->tabBar()->sizeHint().width() + 20),
                                       natural.height() + 20));
    return result;
}

void CTestSheet::OnClose()
{
    if (MessageBoxA(nullptr, "Really exit Morvel?", "Warning", MB_YESNO) != IDYES)
        return;
    if (ISheetOwner* owner = m_pOwner)
        owner->CloseAllSheets(); // deletes this sheet: nothing may follow
}

void CTestSheet::SwitchTo(TestKind kind)
{
    if (kind == m_kind)
        return;
    if (MessageBoxA(nullptr, m_question, "Warning", MB_YESNO) != IDYES)
        return;
    DestroyWindow();
    if (ISheetOwner* owner = m_pOwner)
        owner->OpenKind(kind); // this sheet is deleted by now
}

std::optional<CString> CTestSheet::AskOpenFile(const char* title, const char* filter)
{
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
    dialog.SetTitle(title);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return dialog.GetPathName();
}

std::optional<CString> CTestSheet::AskSaveFile(const char* title, const char* filter, const char* ext)
{
    CFileDialog dialog(false, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
    dialog.SetTitle(title);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    CString path = dialog.GetPathName();
    if (dialog.GetFileExt() != ext)
        path += CString(".") + ext;
    return path;
}

CString CTestSheet::LowerExtension(const CString& path)
{
    const int slash = path.ReverseFind('/');
    const CString name = path.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    CString ext = dot < 0 ? CString() : name.Mid(dot + 1);
    ext.MakeLower();
    return ext;
}

CString CTestSheet::CompanionBase(const CString& path)
{
    CString base = path;
    base.TrimRight();
    return base.Left(std::max(0, base.GetLength() - 4));
}

bool CTestSheet::AskApplication(const char* question) { return AfxMessageBox(question, MB_YESNO) == IDYES; }

void CTestSheet::PrintFileCommand()
{
    const auto path = AskOpenFile("Choose File To Print",
                                  "MV5 File (*.mv5)|*.mv5|MV5 Report File (*.mvr)|*.mvr|All Files (*.*)|*.*||");
    if (!path || path->IsEmpty())
        return;
    std::unique_ptr<QPrinter> printer = platform::AskPrinter();
    if (!printer)
        return;
    CPrinterTarget target(*printer);
    PrintTextFile(*path, target);
}

void CTestSheet::AddPages(std::initializer_list<PageSlot> pages)
{
    for (const PageSlot& slot : pages) {
        m_pages.push_back(slot);
        AddPage(slot.page);
    }
}

void CTestSheet::ReleasePages()
{
    // Quietly: no tab change may reach a page while the kind's sheet is going.
    const QSignalBlocker block(Tabs());
    for (int i = Tabs()->count() - 1; i >= 0; --i)
        Tabs()->removeTab(i);
    for (const PageSlot& slot : m_pages)
        slot.page->setParent(nullptr);
}

bool CTestSheet::SaveActivePage()
{
    const int index = GetActiveIndex();
    if (index < 0 || index >= PageCount())
        return false;
    return PageProtocol(index)->SavePage();
}

bool CTestSheet::SavePages(std::initializer_list<int> indexes)
{
    const int failed = FirstPageNotSaved(indexes);
    if (failed >= 0)
        SetActivePage(failed);
    return failed < 0;
}

int CTestSheet::FirstPageNotSaved(std::initializer_list<int> indexes)
{
    for (int index : indexes) {
        if (!PageProtocol(index)->SavePage())
            return index;
    }
    return -1;
}

bool CTestSheet::CheckPages(std::initializer_list<int> indexes, int front)
{
    bool valid = true;
    int passed = -1;
    for (int index : indexes) {
        const bool pageValid = CheckPage(index, passed);
        passed = pageValid ? index : -1;
        valid = pageValid && valid;
    }
    if (!valid)
        return false;
    SetActivePage(front);
    PageProtocol(front)->LoadPage();
    return true;
}

bool CTestSheet::CheckPage(int index) { return CheckPage(index, -1); }

bool CTestSheet::CheckPage(int index, int passed)
{
    if (index < 0 || index >= PageCount())
        return false;
    if (!Page(index)->HasWindow()) {
        // A page is made by showing it. Leaving the page in front, when its check has just
        // passed every record, need not judge them all again.
        auto* left = passed >= 0 && GetActivePage() == Page(passed) ? dynamic_cast<CRecordPage*>(Page(passed)) : nullptr;
        if (left)
            left->m_bRecordsJustJudged = true;
        SetActivePage(index);
        if (left)
            left->m_bRecordsJustJudged = false;
        if (!Page(index)->HasWindow())
            return true;
    }
    if (PageProtocol(index)->ValidatePage())
        return true;
    SetActivePage(index);
    PageProtocol(index)->LoadPage();
    // A field the page disables is opened here too: what stops a save can always be corrected.
    PageProtocol(index)->ShowBlockingField();
    return false;
}

void CTestSheet::RefreshPage(int index)
{
    if (Page(index)->HasWindow())
        Page(index)->OnSetActive();
}

bool CTestSheet::AskClearAll()
{
    if ((m_bAskClearAlways || !m_bUntouched) && !AskApplication("Really clear all entries?")) {
        m_bCleared = false;
        return false;
    }
    return true;
}

void CTestSheet::OnClearAllPages()
{
    if (!AskClearAll())
        return;
    BeforeChange();
    KeepForUndo(true);
    m_bUntouched = false;
    ClearAll();
    m_bCleared = true;
}

void CTestSheet::ClearAll()
{
    ClearData();
    ClearPages();
    ShowCleared();
}

void CTestSheet::ClearPages()
{
    for (const PageSlot& slot : m_pages) {
        if (slot.protocol)
            slot.protocol->ClearPage();
    }
}

void CTestSheet::Tell(const TestFileResult& result)
{
    if (!result && !result.message.IsEmpty())
        AfxMessageBox(result.message);
}

void CTestSheet::TellLoadFailure(const CString& /*path*/, const TestFileResult& result) { Tell(result); }

void CTestSheet::OnLoadTest()
{
    if (!TestFile() || !BeforeLoad())
        return;
    const auto path = AskOpenFile("Open Test", m_loadFilter);
    if (!path)
        return;
    const CString ext = LowerExtension(*path);
    const bool v5 = ext == "mv5";
    const bool newTest = v5 || (m_bReadsVersion4 && ext == "mv4");
    const ImportedGrFile* import = nullptr;
    for (const ImportedGrFile& gr : m_importedGrFiles) {
        if (ext == gr.ext)
            import = &gr;
    }
    if (!newTest && !import) {
        if (m_bUnreadLoadChanges) {
            BeforeChange();
            KeepForUndo(false);
            CheckLoaded();
            m_bUntouched = false;
        }
        return;
    }
    if (newTest && m_bLoadAsksAndClears && !AskClearAll())
        return;
    BeforeChange();
    // Read into a test of its own: a file that fails leaves the test held and the pages as they
    // were.
    ITestFile& held = *TestFile();
    const std::unique_ptr<ITestFile> read = newTest ? held.NewTestToRead() : held.CopyTest();
    const unsigned long asked = platform::MessagesAsked();
    TestFileResult result = !newTest ? read->ImportGR(import->n, *path)
                            : v5     ? read->ReadTest(*path)
                                     : read->ReadVersion4(*path);
    if (!result) {
        KeepForUndo(false);
        // A reader that refuses a test without a word (a TEST line of another version letter)
        // would leave the user wondering whether anything happened.
        if (newTest && result.message.IsEmpty() && platform::MessagesAsked() == asked)
            result.message = NotOfKindText(*path, held.KindName());
        TellLoadFailure(*path, result);
        return;
    }
    if (v5)
        ReadCompanions(*read, CompanionBase(*path));
    KeepForUndo(true);
    if (newTest)
        ClearPagesForNewTest();
    held.TakeTest(*read);
    if (v5) {
        if (CurveCheckMembers* check = held.CurveCheck()) {
            check->m_strCurvePath = *path;
            check->m_bCurvesChecked = false;
        }
        if (int* option = CurveCheckOption())
            *option = 0;
    }
    if (newTest && m_bLoadAsksAndClears) {
        m_bCleared = true;
        m_bUntouched = false;
    }
    ShowLoaded(ext);
    CheckLoaded();
    m_bUntouched = false;
}

void CTestSheet::OnSaveTest()
{
    if (!TestFile())
        return;
    // An untouched sheet grays Save Test: there is nothing to say why.
    const bool untouched = m_bUntouched && m_saveCheck.untouchedFails;
    const unsigned long asked = platform::MessagesAsked();
    if (CheckBeforeSave())
        WriteWithCompanions(false);
    else if (!untouched)
        TellNotSaved(false, asked);
}

bool CTestSheet::CheckBeforeSave()
{
    const SaveCheck& rule = m_saveCheck;
    if (rule.untouchedFails && m_bUntouched)
        return false;
    std::optional<CWaitCursor> wait;
    if (rule.waitCursor)
        wait.emplace();
    if (!SaveActivePage() && rule.unsavedPageStops)
        return false;
    const int active = GetActiveIndex();
    CheckCompanionsForSave();
    const bool valid = CheckPagesForSave();
    if (valid && rule.front >= 0) {
        SetActivePage(rule.front);
        PageProtocol(rule.front)->LoadPage();
    }
    if (rule.back == SaveCheck::Always || (valid && rule.back == SaveCheck::WhenValid))
        SetActivePage(active);
    if (valid) {
        for (int index : rule.storedAfter)
            PageProtocol(index)->SavePage();
    }
    return valid;
}

void CTestSheet::OnSaveReport()
{
    if (!TestFile())
        return;
    const unsigned long asked = platform::MessagesAsked();
    // A field showing characters its file cannot hold stops a report as it stops a save: the
    // report would hold the field's last storable text, not what the page shows.
    for (int i = 0; i < PageCount(); ++i) {
        if (Page(i)->HasWindow() && PageProtocol(i)->ShowUnstorableField()) {
            SetActivePage(i);
            PageProtocol(i)->ShowUnstorableField();
            TellNotSaved(true, asked);
            return;
        }
    }
    if (SavePagesForReport())
        WriteWithCompanions(true);
    else
        TellNotSaved(true, asked);
}

void CTestSheet::WriteWithCompanions(bool report)
{
    const auto path = report ? AskSaveFile("Export Report", "MV5 Report (*.mvr)|*.mvr||", "mvr")
                             : AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
    if (!path)
        return;
    // The test and its companions are put in place together, once all are written, or none of
    // them: the files on disk always belong together. A companion its check leaves unwritten
    // stops the save there, and what was written before it is put in place.
    CFileSet set;
    TestFileResult written;
    {
        // The save may wait a few seconds for another program's commit in the folder.
        CWaitCursor wait;
        written = report ? TestFile()->WriteReport(*path) : TestFile()->WriteTest(*path);
        if (written) {
            const CString base = CompanionBase(*path);
            if (report)
                SaveReportCompanions(base);
            else
                SaveCompanions(base);
        }
    }
    if (written && set.Commit())
        return;
    if (!written.message.IsEmpty()) {
        Tell(written);
        return;
    }
    // One box: the file that could not be written, and that none of the set was (or, where the
    // set could not be undone, which files now hold the new text).
    MessageBoxA(nullptr, set.Changed() ? set.Failure() : set.Failure() + NotSaved(report), "Error", MB_OK);
}
