#pragma once
// The shell every test sheet shares: the menu (File, Edit, Database, Help), the kind switch with
// its question, Exit and the close box with theirs, menu graying from a table, and the file
// commands' common steps (file dialogs with the extension rule, companion base names, printing a
// text file). The sheet knows its owner only through ISheetOwner; it names no kind.

#include "common/TestFile.h"
#include "common/ui/DataPage.h"
#include "platform/ui/PropertySheet.h"

#include <QAction>
#include <QMenu>

#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <span>
#include <vector>

enum SheetCommand : int {
    ID_LOAD_TEST = 32774,
    ID_SAVE_TEST = 32775,
    ID_SAVE_REPORT = 32783,
    ID_LOAD_HSVD_ONLY = 182,
    ID_SAVE_HSVD_ONLY = 183,
    ID_SAVE_HSVD_REPORT_ONLY = 187,
    ID_LOAD_INTRUSION_ONLY = 190,
    ID_SAVE_INTRUSION_ONLY = 191,
    ID_SAVE_INTRUSION_REPORT_ONLY = 192,
    ID_FILE_PRINT = 57607,
    ID_SHEET_EXIT = 32781,
    ID_UNDO_ALL_PAGES = 32798,
    ID_REDO_ALL_PAGES = 32797,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_CLEAR_ALL_PAGES = 32782,
    ID_VEHICLE_DATABASE = 32776,
    ID_COMPONENT_DATABASE = 32777,
    ID_BIOMECHANICS_DATABASE = 32778,
    ID_CRASH_AVOIDANCE_DATABASE = 32801,
    ID_SWG_DATABASE = 32779,
    ID_HELP_FINDER = 57667,
    ID_APP_ABOUT = 57664,
};

// The five test kinds as the Database menu offers them.
enum class TestKind { Vehicle, Biomechanics, Component, CrashAvoidance, Swg };

// What a sheet asks of the window that owns it (the chooser).
class ISheetOwner {
public:
    virtual ~ISheetOwner() = default;
    // Deletes every open sheet (the caller included: it must return at once) and opens `kind`'s.
    virtual void OpenKind(TestKind kind) = 0;
    // Deletes every sheet and ends the program.
    virtual void CloseAllSheets() = 0;
    virtual void ShowAbout() = 0;
};

class CTestSheet;

// A sheet command: its menu id and the kind sheet's handler.
template <class Sheet> struct SheetCommandRow {
    int id;
    void (Sheet::*handler)();
};

// A GR file the Load Test command imports: its extension and its number for ImportGR.
struct ImportedGrFile {
    const char* ext;
    char n;
};

// A graying rule: the item is enabled while `enabled` says so.
struct MenuRule {
    int id;
    std::function<bool()> enabled;
};

class CTestSheet : public CPropertySheet {
    Q_OBJECT
public:
    // `question` is the kind's switch question ("Exit Vehicle Data Screens?").
    CTestSheet(const char* caption, ISheetOwner* owner, int selectPage, TestKind kind, const char* question);
    ~CTestSheet() override;

    TestKind Kind() const { return m_kind; }
    QAction* MenuAction(int id) const;
    // Runs a menu command as if the user picked it (the menu's own actions call this too).
    void RunCommand(int id);
    // Connects a command to a handler; a later call replaces the earlier handler.
    void OnCommand(int id, std::function<void()> handler);
    // The kind's own command table.
    template <class Sheet> void OnCommands(Sheet* sheet, std::span<const SheetCommandRow<Sheet>> rows)
    {
        for (const SheetCommandRow<Sheet>& row : rows)
            OnCommand(row.id, [sheet, handler = row.handler] { (sheet->*handler)(); });
    }
    // Whether the command has a handler.
    bool HasCommand(int id) const { return m_handlers.count(id) != 0; }
    // Takes the handler off a command: choosing it does nothing.
    void DropCommand(int id) { m_handlers.erase(id); }
    // Graying rules, applied in the order added each time their menu opens (for an item listed
    // twice the later rule decides); the unlisted items are enabled.
    void AddMenuRules(std::vector<MenuRule> rules);

    // The close box and Exit: "Really exit Morvel?"; on Yes the owner closes every sheet.
    void OnClose() override;
    // Database menu: the kind's question; on Yes the owner opens the other kind.
    void SwitchTo(TestKind kind);

    // Graying before a menu shows; index 0 is File, 1 Edit.
    virtual void OnInitMenuPopup(QMenu* popup, int index);

    BOOL OnInitDialog() override;

    // Curve-check choice handed over by the owner before the window exists.
    int m_nCheckCurves = 0;

    // --- The file commands' shared steps ---

    // Open-file dialog; nothing when cancelled.
    static std::optional<CString> AskOpenFile(const char* title, const char* filter);
    // Save-file dialog (overwrite prompt); the chosen path gets "." + `ext` appended unless its
    // extension is exactly `ext` (case counts). Nothing when cancelled.
    static std::optional<CString> AskSaveFile(const char* title, const char* filter, const char* ext);
    // The extension of a path in lower case (the load commands choose their reader by it).
    static CString LowerExtension(const CString& path);
    // The companion files' base: the path less trailing blanks and its last four characters.
    static CString CompanionBase(const CString& path);
    // A Yes/No question of the application ("Really clear all entries?"): true on Yes.
    static bool AskApplication(const char* question);
    // Print: asks for a file and a printer and prints the file as text.
    void PrintFileCommand();

    // --- The test-file commands, one sequence each: ask the file, save and check the pages,
    // read or write, companions, message, refresh. The kind's part is data and the hooks below.

    void OnLoadTest();
    void OnSaveTest();
    void OnSaveReport();
    void OnClearAllPages();
    // Save Test's page save and check, one sequence for every kind: the page in front stored,
    // the companion pages' flags set, the kind's page checks, and after a valid check the pages
    // shown and stored as m_saveCheck says. False ends the command; the page that stopped it is
    // in front unless the kind brings the user's page back in any case.
    virtual bool CheckBeforeSave();

    bool m_bUntouched = true; // neither loaded nor cleared yet: Save Test grayed, nothing asked
    bool m_bCleared = false;  // the last Clear All Pages went through

    // --- The kind's pages, by index in tab order ---

    CPropertyPage* Page(int index) const { return m_pages[static_cast<size_t>(index)].page; }
    ISheetPage* PageProtocol(int index) const { return m_pages[static_cast<size_t>(index)].protocol; }
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    // Saves the page in front into the data; false for an index outside the pages.
    bool SaveActivePage();
    // Saves the listed pages in order; the first that fails comes to the front (the user sees
    // why nothing goes on) and the rest are left: false then.
    bool SavePages(std::initializer_list<int> indexes);
    // Saves the listed pages in order up to the first that fails, which stays where it is: its
    // index, or -1 when every page saved.
    int FirstPageNotSaved(std::initializer_list<int> indexes);
    // The page's check of every record (made first when it has no window); on a failure the page
    // comes to the front with the bad record shown and its first invalid field enabled, marked
    // and focused (ShowBlockingField), also where the page greys it.
    bool CheckPage(int index);
    // Every listed page's check (all of them, in order); when all pass, the page `front` comes to
    // the front with its shown record reloaded. A failing page stays in front with its bad record.
    bool CheckPages(std::initializer_list<int> indexes, int front);
    // Runs the page's OnSetActive when it has a window.
    void RefreshPage(int index);

protected:
    struct PageSlot {
        CPropertyPage* page;
        ISheetPage* protocol;
    };
    // The pages in tab order, added to the sheet. They are members of the kind's sheet: the
    // destructor of the kind's sheet must call ReleasePages() before they go. A sheet whose pages
    // do not follow the page protocol gives no `protocol` and uses none of the page steps.
    void AddPages(std::initializer_list<PageSlot> pages);
    // Gives each data page the test's data object and the code tables under the kind's tag.
    template <class Data, class... Pages>
    static void BindDataPages(Data& data, const ICodeFields* codes, const char* tag, Pages&... pages)
    {
        ((pages.m_pData = &data, pages.SetCodeFields(codes, tag)), ...);
    }
    // Takes the pages out of the tabs, so the window does not delete them a second time; no page
    // hears of the tab changes this makes.
    void ReleasePages();

    // The kind's test data, which the commands read and write through its file interface. Every
    // sheet says what it is: one that answers null has no file commands.
    virtual ITestFile* TestFile() = 0;
    // The data object's member that takes the chooser's curve-check option; none by default.
    virtual int* CurveCheckOption() { return nullptr; }
    // Before Load Test's file dialog; false ends the command.
    virtual bool BeforeLoad() { return true; }
    // Before a load or a clear changes the test: the component sheet stores the page in front.
    virtual void BeforeChange() {}
    // The test held as it stands after BeforeChange, kept for the component sheet's undo;
    // `replaced`: it is cleared or replaced right after, so what it holds may be taken, not copied.
    virtual void KeepForUndo(bool /*replaced*/) {}
    // The companion files of a version-5 test read into `read`, before the sheet takes it.
    virtual void ReadCompanions(ITestFile& /*read*/, const CString& /*base*/) {}
    // After a load: the pages show what is held (`ext`: the file's extension in lower case).
    virtual void ShowLoaded(const CString& /*ext*/) {}
    // After a load: the validity flags that gray the menu.
    virtual void CheckLoaded() {}
    // A failed file operation's text, where it has one.
    static void Tell(const TestFileResult& result);
    // A load that failed: the reason told. The held test is as it was.
    virtual void TellLoadFailure(const CString& path, const TestFileResult& result);
    // Where a kind's Save Test check departs from the common sequence.
    struct SaveCheck {
        enum Back { Never, WhenValid, Always };
        bool untouchedFails = true;    // an untouched sheet fails at once, silently
        bool waitCursor = true;        // the wait cursor for the whole check
        bool unsavedPageStops = false; // a page in front that cannot be stored fails the check
        Back back = WhenValid;         // when the page the user was on comes back to the front
        int front = -1;                // after a valid check, shown and reloaded before that; -1: none
        std::vector<int> storedAfter;  // after a valid check, stored again in this order
    };
    SaveCheck m_saveCheck;
    // Save Test's flags of the companion pages (cameras, intrusion points); they stop nothing.
    virtual void CheckCompanionsForSave() {}
    // Save Test's check of the kind's pages; false ends the command. Every sheet states its own
    // check: a default that refused would make a sheet save nothing and say nothing.
    virtual bool CheckPagesForSave() = 0;
    // The companions of a saved test (`base`: the path less its extension); false stops there.
    virtual bool SaveCompanions(const CString& /*base*/) { return true; }
    // Save Report's page saves and checks; false ends the command.
    virtual bool SavePagesForReport() { return true; }
    // The companions of a saved report.
    virtual void SaveReportCompanions(const CString& /*base*/) {}
    // Clear All Pages past its question: the kind's data to a new test's, then every page the
    // sheet registered (a page added later is cleared with the others), then what the kind shows.
    void ClearAll();
    // Every registered page, windowed or not, to its empty fields and no record.
    void ClearPages();
    // The kind's data to a new test's.
    virtual void ClearData() {}
    // After Clear All: the pages made to show the cleared test, where the kind does so.
    virtual void ShowCleared() {}
    // The pages made ready for a new test read in; by default a Clear All Pages'.
    virtual void ClearPagesForNewTest() { ClearAll(); }
    // Clear All Pages' question when the sheet holds a test (every time when m_bAskClearAlways):
    // false (and not cleared) on No.
    bool AskClearAll();

    // Load Test's file filter, whether it reads version-4 files, and its GR imports.
    const char* m_loadFilter = "MV5 Tests (*.mv5)|*.mv5|All (*.*)|*.*||";
    bool m_bReadsVersion4 = true;
    std::span<const ImportedGrFile> m_importedGrFiles;
    bool m_bAskClearAlways = false;
    // A new test's load runs Clear All Pages' question and, once read, ends cleared; otherwise
    // it asks nothing and the touched state ends after the load's checks.
    bool m_bLoadAsksAndClears = true;
    // A load of a file of an extension no reader takes is still a change: the state before it
    // is kept as a change's is, the load's checks run and the untouched state ends.
    bool m_bUnreadLoadChanges = false;

    ISheetOwner* m_pOwner;

private:
    // Save Test's or Save Report's file dialog, the file, then its companions.
    void WriteWithCompanions(bool report);
    // CheckPage within CheckPages: `passed` is the page whose check has just passed, or -1.
    bool CheckPage(int index, int passed);

    void BuildMenu();

    TestKind m_kind;
    CString m_question;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    std::vector<MenuRule> m_menuRules;
    std::vector<PageSlot> m_pages;
};
