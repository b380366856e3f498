#pragma once
// The menu every test sheet carries (File, Edit, Database, Help) and the shell all five test
// sheets share: the Database switch with its question, Exit and the close box with theirs, and
// the calls back into the chooser that owns the sheets.

#include "platform/ui/PropertySheet.h"

#include <QAction>
#include <QMenu>

#include <functional>
#include <map>

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

class CChooseDB;

// The five test kinds, in the chooser's terms.
enum class TestKind { Vehicle, Biomechanics, Component, CrashAvoidance, Swg };

class CTestSheet : public CPropertySheet {
    Q_OBJECT
public:
    // `question` is the kind's switch question ("Exit Vehicle Data Screens?").
    CTestSheet(const char* caption, CChooseDB* chooser, int selectPage, TestKind kind, const char* question);
    ~CTestSheet() override;

    TestKind Kind() const { return m_kind; }
    QAction* MenuAction(int id) const;
    // Runs a menu command as if the user picked it (the menu's own actions call this too).
    void RunCommand(int id);
    // Connects a command to a handler; a later call replaces the earlier handler.
    void OnCommand(int id, std::function<void()> handler);

    // The close box and Exit: "Really exit Morvel?"; on Yes the chooser closes every sheet.
    void OnClose() override;
    // Database menu: "Exit <Kind> Data Screens?"; on Yes the chooser opens the other kind.
    void SwitchTo(TestKind kind);

    // Graying before a menu shows; index 0 is File, 1 Edit. Kinds override.
    virtual void OnInitMenuPopup(QMenu* popup, int index);

    BOOL OnInitDialog() override;

    // Curve-check choice handed over by the chooser before the window exists.
    int m_nCheckCurves = 0;

    // How many test sheets exist: the chooser keeps at most one.
    static int LiveCount();

protected:
    CChooseDB* m_pChooser;

private:
    void BuildMenu();

    TestKind m_kind;
    CString m_question;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
};
