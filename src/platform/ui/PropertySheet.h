#pragma once
// Property sheets: a window with the sheet menu and a tab per page. A page's controls are made
// the first time the page is shown (until then it "has no window"); entering a page calls
// OnSetActive, leaving it OnKillActive, whose FALSE keeps the page in front.

#include "platform/ui/Dialog.h"

#include <QMenuBar>
#include <QTabWidget>
#include <QWidget>

#include <vector>

class CPropertySheet;

class CPropertyPage : public QWidget, public CDlgControls {
    Q_OBJECT
public:
    explicit CPropertyPage(const DlgTemplate* tmpl, const char* caption = nullptr);

    virtual BOOL OnInitDialog();
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The page's controls exist.
    bool HasWindow() const { return HasControls(); }
    // Makes the controls and runs OnInitDialog, once.
    void EnsureCreated();

    CPropertySheet* GetParentSheet() const { return m_sheet; }
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
    // `parentWnd` is kept for the sheet's calls back to its owner; the window itself has none.
    CPropertySheet(const char* caption, QWidget* parentWnd = nullptr, int selectPage = 0);

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
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
    QWidget* GetOwner() const { return m_owner; }
    QTabWidget* Tabs() const { return m_tabs; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnTabChanged(int index);

    QWidget* m_owner;
    int m_firstPage;
    QMenuBar* m_menuBar;
    QTabWidget* m_tabs;
    std::vector<CPropertyPage*> m_pages;
    int m_current = -1;
    bool m_created = false;
    bool m_switching = false;
};
