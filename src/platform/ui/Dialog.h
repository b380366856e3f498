#pragma once
// Dialogs built from a table of controls, as the program's dialog templates describe them:
// each control has a numeric id, a kind, a text and a place in dialog units. Controls are found
// by id (GetDlgItem), values move through data exchange (UpdateData / DoDataExchange), and
// handlers are connected by id and event.
//
// Modal dialogs run through one runner: the program's runs the dialog's own event loop; tests
// install a script that drives the shown dialog and ends it, so no test waits for a person.

#include "platform/CString.h"
#include "platform/Messages.h"

#include <QDialog>
#include <QFont>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

using INT_PTR = long;
using DWORD = unsigned long;

namespace platform {
// A handler run as one action of the user (a click, a pick, a page change): a broken code table
// is told at most once within it, whatever the handler checks.
std::function<void()> AsUserAction(std::function<void()> handler);
} // namespace platform

enum class DlgKind {
    Static,     // QLabel
    Edit,       // QLineEdit
    MultiEdit,  // QPlainTextEdit (multi-line edit)
    Button,     // QPushButton
    DefButton,  // QPushButton, the default button
    CheckBox,   // QCheckBox
    Radio,      // QRadioButton
    GroupBox,   // QGroupBox (a frame with an optional title)
    ListBox,    // QListWidget
    ComboBox,   // QComboBox, editable
    DropList,   // QComboBox, pick from the list only
    Picture,    // QLabel showing an image or a frame
    Custom,     // made by DlgItem::create (typed edit, report list, date picker, ...)
};

// Control styles that matter to the program.
constexpr UINT DS_HIDDEN = 0x1;    // not visible at start
constexpr UINT DS_DISABLED = 0x2;  // disabled at start
constexpr UINT DS_READONLY = 0x4;  // read-only edit
constexpr UINT DS_MULTILINE = 0x8; // multi-line button text
constexpr UINT DS_FLAT = 0x10;
constexpr UINT DS_NUMBER = 0x20;    // edit: typing takes digits only (a text set or pasted is kept)
constexpr UINT DS_UPPERCASE = 0x40; // edit: typed letters become capitals

struct DlgItem {
    int id = -1; // -1 for controls the program never addresses
    DlgKind kind = DlgKind::Static;
    const char* text = "";
    int x = 0, y = 0, cx = 0, cy = 0; // dialog units
    UINT style = 0;
    std::function<QWidget*(QWidget* parent)> create = nullptr; // DlgKind::Custom
    const char* tooltip = nullptr;
};

struct DlgTemplate {
    const char* caption = "";
    int cx = 0, cy = 0; // dialog units
    const char* fontFamily = "DejaVu Sans";
    int fontPointSize = 8;
    bool bold = false;
    std::vector<DlgItem> items;
};

// Dialog units of a font: x * average character width / 4, y * height / 8.
struct DialogUnits {
    explicit DialogUnits(const QFont& font);
    int x(int du) const { return du * m_avgWidth / 4; }
    int y(int du) const { return du * m_height / 8; }
    int m_avgWidth = 6;
    int m_height = 13;
};

QFont TemplateFont(const DlgTemplate& tmpl);

// The controls of one dialog or page, created from its template and found by id.
struct CDataExchange;

class CDlgControls {
public:
    virtual ~CDlgControls() = default;

    // Moves values between the controls and the members named in DoDataExchange: into the
    // controls with FALSE, back (with their checks) with TRUE; FALSE when a check failed.
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    QWidget* GetDlgItem(int id) const;
    template <class T> T* Item(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }

    void SetDlgItemText(int id, const CString& text);
    CString GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void ShowDlgItem(int id, bool show);
    void EnableDlgItem(int id, bool enable);

    // Handlers by id and event: a click of a button, a change of an edit's text (each change,
    // typed or set) and a change of a list or combo box selection. Each runs as one action of the
    // user.
    void OnClicked(int id, std::function<void()> handler);
    void OnChanged(int id, std::function<void()> handler);
    void OnSelChange(int id, std::function<void()> handler);

    bool HasControls() const { return m_created; }
    const DialogUnits& Units() const { return m_units; }

protected:
    void CreateControls(QWidget* host, const DlgTemplate& tmpl);

private:
    std::map<int, QWidget*> m_items;
    DialogUnits m_units {QFont()};
    bool m_created = false;
};

class CDialog;

// Data exchange between controls and members.
struct CDataExchange {
    CDlgControls* m_pDlgWnd = nullptr;
    BOOL m_bSaveAndValidate = FALSE;
    bool m_failed = false;
    void Fail() { m_failed = true; }
};

void DDX_Text(CDataExchange* pDX, int id, CString& value);
// A number field holding no number of its type (empty or not a number) shows the framework's
// message, takes the focus and stops the exchange there: the later fields are not exchanged.
void DDX_Text(CDataExchange* pDX, int id, int& value);
// A real shows with up to 15 significant digits.
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_CBString(CDataExchange* pDX, int id, CString& value);

class CDialog : public QDialog, public CDlgControls {
    Q_OBJECT
public:
    explicit CDialog(const DlgTemplate* tmpl, QWidget* parent = nullptr);

    // Creates the controls (once), runs OnInitDialog, and hands the dialog to the runner.
    INT_PTR DoModal();
    // Modeless: creates the controls and OnInitDialog, then shows the window.
    BOOL CreateModeless();
    void EndDialog(int result);
    // How the dialog ended (-1 while it runs): what a runner installed through SetDialogRunner
    // hands back, so it belongs to that seam.
    int GetModalResult() const { return m_modalResult; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // Creates the controls and runs OnInitDialog once; DoModal and CreateModeless call it.
    void EnsureCreated();

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }

private:
    const DlgTemplate* m_template;
    int m_modalResult = -1;
    bool m_initialised = false;
};

namespace platform {

// Runs a dialog that DoModal has prepared; returns its result.
using DialogRunner = std::function<int(CDialog&)>;
DialogRunner SetDialogRunner(DialogRunner runner);

} // namespace platform
