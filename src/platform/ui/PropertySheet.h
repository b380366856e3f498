#pragma once
// Property sheets: a window with the sheet menu and a tab per page. A page's controls are made
// the first time the page is shown (until then it "has no window"); entering a page calls
// OnSetActive, leaving it OnKillActive, whose FALSE keeps the page in front.

#include "platform/ui/Dialog.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <vector>

class CPropertySheet;

// True while the Enter key is down. A record page's ">" and "x" ignore a click then: Enter in a
// multi-line field starts a new line and must not also step or delete a record.
bool IsEnterHeldDown();

// A page's list box, bound to its control by data exchange; before that it is empty and does
// nothing.
// A list of a page, a list box or the list of a drop-down box.
class CListBox {
public:
    void Attach(QListWidget* list) { m_list = list; }
    void Attach(QComboBox* box) { m_box = box; }
    QListWidget* GetWindow() const { return m_list.data(); }
    int GetCount() const;
    int GetCurSel() const; // -1: none
    // No row (-1, or one past the rows) empties a drop-down box's text too.
    void SetCurSel(int row);
    void ResetContent();
    int AddString(const CString& text);
    CString GetText(int row) const;
    // The rows "1" .. count in place of what the list held, taken in at once; in a list box
    // they are laid out as rows of one height, not measured one by one.
    void SetNumberRows(int count);

private:
    QPointer<QListWidget> m_list;
    QPointer<QComboBox> m_box;
};

// A page's push button, bound by data exchange.
class CButton {
public:
    void Attach(QPushButton* button) { m_button = button; }
    QPushButton* GetWindow() const { return m_button.data(); }
    void EnableWindow(bool enable);

private:
    QPointer<QPushButton> m_button;
};

void DDX_Control(CDataExchange* pDX, int id, CListBox& list);
void DDX_Control(CDataExchange* pDX, int id, CButton& button);

class CPropertyPage : public QWidget, public CDlgControls {
    Q_OBJECT
public:
    explicit CPropertyPage(const DlgTemplate* tmpl, const char* caption = nullptr);

    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

    // The page's controls exist.
    bool HasWindow() const { return HasControls(); }
    // Makes the controls and runs OnInitDialog, once.
    void EnsureCreated();

    CPropertySheet* GetParentSheet() const { return m_sheet; }
    // What the controls are made from (nullptr: a page without controls).
    const DlgTemplate* Template() const { return m_template; }
    QString Caption() const;
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

private:
    friend class CPropertySheet;
    const DlgTemplate* m_template;
    QString m_caption;
    CPropertySheet* m_sheet = nullptr;
    bool m_initialised = false;
};

class CPropertySheet : public QWidget {
    Q_OBJECT
public:
    // The window itself has no parent: a sheet that calls back to its owner keeps it itself.
    CPropertySheet(const char* caption, QWidget* parentWnd = nullptr, int selectPage = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    // The page's index in tab order; -1 for a page not in the sheet.
    int GetPageIndex(const CPropertyPage* page) const;
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }
    // Leaves the active page (its OnKillActive may refuse) and enters the page at `index`.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);

    // Creates the window: the pages' tabs, OnInitDialog, the first page entered, shown.
    BOOL Create(QWidget* parentWnd = nullptr, DWORD style = 0, DWORD exStyle = 0);
    BOOL DestroyWindow();
    bool HasWindow() const { return m_created; }

    virtual BOOL OnInitDialog();
    // The caption close box; the sheets ask their question here.
    virtual void OnClose();

    QMenuBar* GetMenuBar() const { return m_menuBar; }
    QTabWidget* Tabs() const { return m_tabs; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnTabChanged(int index);

    int m_firstPage;
    QMenuBar* m_menuBar;
    QTabWidget* m_tabs;
    std::vector<CPropertyPage*> m_pages;
    int m_current = -1;
    bool m_created = false;
    bool m_switching = false;
};

// A page of repeated records, one shown at a time: ">" shows the next record or appends one after
// the last, "x" deletes the shown record, a list of record numbers selects one, and leaving the
// page requires every record to be valid. A page supplies its records through the hooks.
//
// A page that holds no record still takes typing: whatever differs from the empty fields is never
// dropped, the first save makes it record 1 (TakeTypingAsFirstRecord).
class CRecordPage : public CPropertyPage {
    Q_OBJECT
public:
    using CPropertyPage::CPropertyPage;

    int m_nRecordCount = 0; // records the page knows
    // Set by a check that has just passed every record, for the change of page it makes at once:
    // that leave check judges the shown record only.
    bool m_bRecordsJustJudged = false;
    int m_nRecordIndex = 0; // 1-based record shown; 0: none
    // "x" shows the record that moves into the removed one's place rather than the one before.
    bool m_bDeleteShowsNext = false;

    // Shows record m_nRecordIndex; nothing without a window.
    virtual void LoadRecord() = 0;
    // Stores the shown fields into record m_nRecordIndex.
    virtual BOOL SaveRecord() = 0;
    // Every field of the page is valid.
    virtual BOOL IsPageValid() = 0;

    // The page-leave check: shown record valid and saved, then every other record valid; on a
    // failure the bad record stays shown. A record the page judges from its stored values
    // (StoredRecordValid) is passed without being shown.
    bool SaveAndValidateAll();
    // Loads and checks records 1 to m_nRecordCount; FALSE at the first failure, which stays shown.
    bool ValidateAllRecords();
    // Loads and checks the records 1 .. count in turn with `check` (given the record's number;
    // the record shown when `skipShown` is set is the caller's to check). The first that fails
    // stays shown and gives false; when all pass, `comeBack` shows the record that was shown
    // before, else the last stays shown. With `judgeStored` (for a check that is IsPageValid) a
    // record that StoredRecordValid passes is not shown, save the last when no record is shown
    // again after: the page ends where the walk through every record ends.
    bool CheckRecords(const std::function<bool(int record)>& check, bool skipShown = false, bool comeBack = true,
                      bool judgeStored = false);

    // On a page that holds no record, fields typed into make record 1 (given its new-record
    // values, then shown as the record): true when it was made. Nothing without a window.
    bool TakeTypingAsFirstRecord();

protected:
    // Record m_nRecordIndex has just been appended: give it its first values.
    virtual void NewRecord() = 0;
    // Removes record `index` from the page's data; the records behind it move up.
    virtual void RemoveRecord(int index) = 0;
    // After ">" has shown a record.
    virtual void AfterNext() {}
    // Whether any field that takes typing differs from what a page without records shows.
    virtual bool FieldsTyped() const { return false; }
    // Whether record `index` passes IsPageValid, judged from the data without showing it: true
    // only where showing it would pass it, leaving the data as showing it leaves it, saying
    // nothing and showing nothing. Whatever it cannot tell so is false, and the record is then
    // shown and judged by the fields.
    virtual bool StoredRecordValid(int /*index*/) { return false; }

    // ">": the next record, or a new one after the last. When the shown record cannot be saved
    // nothing moves and nothing is added, with `saveError` told when given.
    void NextRecord(const char* saveError);
    // "<": the record before (nothing on the first), as MoveToRecord. False when the shown record
    // could not be saved.
    bool PreviousRecord(const char* saveError = nullptr);
    // Shows record `record` (1 .. count) after saving the shown one; a record that cannot be saved
    // stays shown, with `saveError` told when given. False when it stayed.
    bool MoveToRecord(int record, const char* saveError = nullptr);
    // A new record after the last, shown; the shown record saved first (see MoveToRecord). On a
    // page without records, what was typed becomes record 1 and is shown instead.
    bool AddRecord(const char* saveError = nullptr);
    // A record after the last, given its first values (NewRecord) and made the shown one, not yet
    // loaded; nothing saved. Its number.
    int AppendRecord();
    // "x": no question asked; then the record before is shown (see m_bDeleteShowsNext).
    void DeleteRecord();
    // The record list: rebuilt as "1", "2", ... when its length differs from the count, then the
    // shown record's row selected.
    void RefreshRecordList(CListBox& list);
    // A selection change of the record list: the shown record is saved first; when that fails
    // the selection goes back.
    void OnRecordListSelChange(CListBox& list);
    // The record list asks for `record` (selected or typed): shown as MoveToRecord, silently; when
    // the shown record cannot be saved the list goes back to it. False then.
    bool ShowListedRecord(CListBox& list, int record);
};
