#include "platform/ui/PropertySheet.h"

#include "platform/Codec.h"

#include <QCloseEvent>
#include <QVBoxLayout>

CPropertyPage::CPropertyPage(const DlgTemplate* tmpl, const char* caption)
    : m_template(tmpl)
{
    if (caption)
        m_caption = ToQString(CString(caption));
    else if (tmpl && tmpl->caption)
        m_caption = ToQString(CString(tmpl->caption));
}

QString CPropertyPage::Caption() const { return m_caption; }

void CPropertyPage::EnsureCreated()
{
    if (m_initialised)
        return;
    m_initialised = true;
    if (m_template) {
        CreateControls(this, *m_template);
        setWindowTitle(m_caption);
        if (m_template->cx > 0 && m_template->cy > 0)
            setMinimumSize(Units().x(m_template->cx), Units().y(m_template->cy));
    }
    OnInitDialog();
}

BOOL CPropertyPage::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnSetActive() { return TRUE; }

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::DoDataExchange(CDataExchange*) {}

BOOL CPropertyPage::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx;
    dx.m_pDlgWnd = this;
    dx.m_bSaveAndValidate = bSaveAndValidate;
    DoDataExchange(&dx);
    return dx.m_failed ? FALSE : TRUE;
}

int CPropertyPage::MessageBox(const char* text, const char* caption, UINT type)
{
    return MessageBoxA(nullptr, text, caption ? caption : kAppTitle, type);
}

// ---------------------------------------------------------------------------------------------

CPropertySheet::CPropertySheet(const char* caption, QWidget* parentWnd, int selectPage)
    : QWidget(nullptr, Qt::Window)
    , m_owner(parentWnd)
    , m_firstPage(selectPage)
{
    setWindowTitle(ToQString(CString(caption)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnTabChanged);
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_sheet = this;
    m_pages.push_back(page);
    if (m_created) {
        m_switching = true;
        m_tabs->addTab(page, page->Caption());
        m_switching = false;
    }
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return (index >= 0 && index < GetPageCount()) ? m_pages[index] : nullptr;
}

int CPropertySheet::GetActiveIndex() const { return m_current; }

BOOL CPropertySheet::SetActivePage(CPropertyPage* page)
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[i] == page)
            return SetActivePage(i);
    }
    return FALSE;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (!GetPage(index))
        return FALSE;
    if (!m_created) {
        m_firstPage = index;
        return TRUE;
    }
    if (index == m_current)
        return TRUE;
    if (CPropertyPage* old = GetPage(m_current); old && old->HasWindow() && !old->OnKillActive())
        return FALSE;
    m_current = index;
    m_switching = true;
    m_tabs->setCurrentIndex(index);
    m_switching = false;
    m_pages[index]->EnsureCreated();
    m_pages[index]->OnSetActive();
    return TRUE;
}

void CPropertySheet::OnTabChanged(int index)
{
    if (m_switching || index == m_current)
        return;
    // The user picked another tab: the page being left may refuse.
    CPropertyPage* old = GetPage(m_current);
    if (old && old->HasWindow() && !old->OnKillActive()) {
        m_switching = true;
        m_tabs->setCurrentIndex(m_current);
        m_switching = false;
        return;
    }
    m_current = index;
    if (CPropertyPage* page = GetPage(index)) {
        page->EnsureCreated();
        page->OnSetActive();
    }
}

BOOL CPropertySheet::Create(QWidget* /*parentWnd*/, DWORD /*style*/, DWORD /*exStyle*/)
{
    if (m_created)
        return TRUE;
    m_created = true;
    m_switching = true;
    for (CPropertyPage* page : m_pages)
        m_tabs->addTab(page, page->Caption());
    m_switching = false;
    OnInitDialog();
    const int first = GetPage(m_firstPage) ? m_firstPage : 0;
    if (CPropertyPage* page = GetPage(first)) {
        m_current = first;
        m_switching = true;
        m_tabs->setCurrentIndex(first);
        m_switching = false;
        page->EnsureCreated();
        page->OnSetActive();
    }
    show();
    return TRUE;
}

BOOL CPropertySheet::DestroyWindow()
{
    hide();
    return TRUE;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

void CPropertySheet::OnClose() { DestroyWindow(); }

void CPropertySheet::closeEvent(QCloseEvent* event)
{
    // The close box asks first; whatever follows is the sheet's own decision.
    event->ignore();
    OnClose();
}
