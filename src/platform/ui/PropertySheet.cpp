#include "platform/ui/PropertySheet.h"

#include "platform/CodeDb.h"
#include "platform/Codec.h"
#include "platform/ui/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Follows the Enter key for the whole application: the state the platform's key-state query
// gives, which a widget's own events cannot tell once the focus has moved.
class EnterKeyWatch : public QObject {
public:
    bool m_down = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (event->type() == QEvent::KeyPress)
                    m_down = true;
                else if (!key->isAutoRepeat())
                    m_down = false;
            }
            break;
        }
        case QEvent::ApplicationDeactivate:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            // A release that goes to another program never reaches us, nor one that follows a
            // dialog closed by the press itself (a file dialog confirmed with Enter): the key
            // is taken as up whenever the active window changes.
            m_down = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

EnterKeyWatch* EnterWatch()
{
    static QPointer<EnterKeyWatch> watch;
    if (!watch && qApp) {
        watch = new EnterKeyWatch;
        watch->setParent(qApp);
        qApp->installEventFilter(watch);
    }
    return watch.data();
}

} // namespace

bool IsEnterHeldDown()
{
    const EnterKeyWatch* watch = EnterWatch();
    return watch && watch->m_down;
}

int CListBox::GetCount() const { return m_list ? m_list->count() : m_box ? m_box->count() : 0; }

int CListBox::GetCurSel() const { return m_list ? m_list->currentRow() : m_box ? m_box->currentIndex() : -1; }

void CListBox::SetCurSel(int row)
{
    // Setting the selection from the program is no user's choice: no selection-change handler.
    if (m_list) {
        const QSignalBlocker block(m_list);
        m_list->setCurrentRow(row >= 0 && row < m_list->count() ? row : -1);
    } else if (m_box) {
        const QSignalBlocker block(m_box);
        m_box->setCurrentIndex(row >= 0 && row < m_box->count() ? row : -1);
        if (m_box->currentIndex() < 0)
            m_box->setEditText(QString());
    }
}

void CListBox::ResetContent()
{
    if (m_list) {
        const QSignalBlocker block(m_list);
        m_list->clear();
    } else if (m_box) {
        const QSignalBlocker block(m_box);
        m_box->clear();
    }
}

int CListBox::AddString(const CString& text)
{
    if (m_list) {
        const QSignalBlocker block(m_list);
        m_list->addItem(ToQString(text));
        return m_list->count() - 1;
    }
    if (m_box) {
        const QSignalBlocker block(m_box);
        m_box->addItem(ToQString(text));
        return m_box->count() - 1;
    }
    return -1;
}

void CListBox::SetNumberRows(int count)
{
    QStringList rows;
    rows.reserve(std::max(count, 0));
    for (int n = 1; n <= count; ++n)
        rows.append(QString::number(n));
    if (m_list) {
        const QSignalBlocker block(m_list);
        m_list->clear();
        m_list->setUniformItemSizes(true);
        m_list->addItems(rows);
    } else if (m_box) {
        const QSignalBlocker block(m_box);
        m_box->clear();
        m_box->addItems(rows);
    }
}

CString CListBox::GetText(int row) const
{
    if (m_list && row >= 0 && row < m_list->count())
        return FromQString(m_list->item(row)->text());
    if (m_box && row >= 0 && row < m_box->count())
        return FromQString(m_box->itemText(row));
    return CString();
}

void CButton::EnableWindow(bool enable)
{
    if (m_button)
        m_button->setEnabled(enable);
}

void DDX_Control(CDataExchange* pDX, int id, CListBox& list)
{
    if (list.GetWindow())
        return;
    if (auto* box = pDX->m_pDlgWnd->Item<QComboBox>(id))
        list.Attach(box);
    else
        list.Attach(pDX->m_pDlgWnd->Item<QListWidget>(id));
}

void DDX_Control(CDataExchange* pDX, int id, CButton& button)
{
    if (!button.GetWindow())
        button.Attach(pDX->m_pDlgWnd->Item<QPushButton>(id));
}

CPropertyPage::CPropertyPage(const DlgTemplate* tmpl, const char* caption)
    : m_template(tmpl)
{
    EnterWatch();
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


int CPropertyPage::MessageBox(const char* text, const char* caption, UINT type)
{
    return MessageBoxA(nullptr, text, caption ? caption : kAppTitle, type);
}

// ---------------------------------------------------------------------------------------------

CPropertySheet::CPropertySheet(const char* caption, QWidget* /*parentWnd*/, int selectPage)
    : QWidget(nullptr, Qt::Window)
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

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[i] == page)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return (index >= 0 && index < GetPageCount()) ? m_pages[index] : nullptr;
}

int CPropertySheet::GetActiveIndex() const { return m_current; }

BOOL CPropertySheet::SetActivePage(CPropertyPage* page)
{
    const int index = GetPageIndex(page);
    return index >= 0 ? SetActivePage(index) : FALSE;
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
    platform::CodeDbCommandScope action; // the page left and the page entered are one action
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
    platform::CodeDbCommandScope action; // the page left and the page entered are one action
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
    platform::CodeDbCommandScope action; // opening a sheet is one action, whoever opens it
    m_created = true;
    m_switching = true;
    for (CPropertyPage* page : m_pages) {
        // The sheet is as large as its largest page from the start: a page made later must
        // neither be cut off nor make the window jump.
        if (const DlgTemplate* tmpl = page->m_template; tmpl && tmpl->cx > 0 && tmpl->cy > 0) {
            const DialogUnits units(TemplateFont(*tmpl));
            page->setMinimumSize(units.x(tmpl->cx), units.y(tmpl->cy));
        }
        m_tabs->addTab(page, page->Caption());
    }
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

BOOL CPropertySheet::OnInitDialog()
{
    // As large as the largest page, as far as the screen allows.
    platform::FitOnDesktop(this, sizeHint());
    return TRUE;
}

void CPropertySheet::OnClose() { DestroyWindow(); }

void CPropertySheet::closeEvent(QCloseEvent* event)
{
    // The close box asks first; whatever follows is the sheet's own decision.
    event->ignore();
    OnClose();
}

// ---------------------------------------------------------------------------------------------

void CRecordPage::NextRecord(const char* saveError)
{
    if (IsEnterHeldDown())
        return;
    const bool moved = m_nRecordIndex == m_nRecordCount ? AddRecord(saveError) : MoveToRecord(m_nRecordIndex + 1, saveError);
    if (moved)
        AfterNext();
}

bool CRecordPage::PreviousRecord(const char* saveError)
{
    if (IsEnterHeldDown() || m_nRecordIndex <= 1)
        return true;
    return MoveToRecord(m_nRecordIndex - 1, saveError);
}

bool CRecordPage::MoveToRecord(int record, const char* saveError)
{
    if (m_nRecordIndex != 0 && !SaveRecord()) {
        if (saveError)
            MessageBox(saveError);
        return false;
    }
    m_nRecordIndex = std::clamp(record, m_nRecordCount > 0 ? 1 : 0, m_nRecordCount);
    LoadRecord();
    return true;
}

bool CRecordPage::AddRecord(const char* saveError)
{
    if (m_nRecordIndex == 0) {
        // Typing on a page without records is record 1: it is shown rather than left behind.
        if (TakeTypingAsFirstRecord()) {
            SaveRecord();
            LoadRecord();
            return true;
        }
    } else if (!SaveRecord()) {
        if (saveError)
            MessageBox(saveError);
        return false;
    }
    AppendRecord();
    LoadRecord();
    return true;
}

int CRecordPage::AppendRecord()
{
    ++m_nRecordCount;
    m_nRecordIndex = m_nRecordCount;
    NewRecord();
    return m_nRecordCount;
}

bool CRecordPage::TakeTypingAsFirstRecord()
{
    if (!HasWindow() || m_nRecordIndex != 0 || m_nRecordCount != 0 || !FieldsTyped())
        return false;
    m_nRecordCount = 1;
    m_nRecordIndex = 1;
    NewRecord();
    return true;
}

void CRecordPage::DeleteRecord()
{
    if (IsEnterHeldDown() || m_nRecordIndex == 0)
        return;
    const int removed = m_nRecordIndex;
    --m_nRecordCount;
    RemoveRecord(removed);
    m_nRecordIndex = m_bDeleteShowsNext && removed <= m_nRecordCount ? removed : removed - 1;
    if (m_nRecordIndex == 0 && m_nRecordCount > 0)
        m_nRecordIndex = 1;
    LoadRecord();
}

void CRecordPage::RefreshRecordList(CListBox& list)
{
    if (list.GetCount() != m_nRecordCount)
        list.SetNumberRows(m_nRecordCount);
    list.SetCurSel(m_nRecordIndex > 0 ? m_nRecordIndex - 1 : 0);
}

void CRecordPage::OnRecordListSelChange(CListBox& list)
{
    const int row = list.GetCurSel();
    if (row < 0) {
        if (m_nRecordIndex != 0)
            SaveRecord();
        return;
    }
    ShowListedRecord(list, row + 1);
}

bool CRecordPage::ShowListedRecord(CListBox& list, int record)
{
    if (MoveToRecord(record))
        return true;
    list.SetCurSel(m_nRecordIndex > 1 ? m_nRecordIndex - 1 : 0);
    return false;
}

bool CRecordPage::CheckRecords(const std::function<bool(int record)>& check, bool skipShown, bool comeBack,
                               bool judgeStored)
{
    const int shown = m_nRecordIndex;
    for (int n = 1; n <= m_nRecordCount; ++n) {
        if (skipShown && n == shown)
            continue;
        if (judgeStored && (comeBack || n < m_nRecordCount) && StoredRecordValid(n))
            continue;
        m_nRecordIndex = n;
        LoadRecord();
        if (!check(n))
            return false;
    }
    if (comeBack) {
        m_nRecordIndex = shown;
        LoadRecord();
    }
    return true;
}

bool CRecordPage::SaveAndValidateAll()
{
    if (!IsPageValid())
        return false;
    SaveRecord();
    if (m_bRecordsJustJudged) {
        LoadRecord();
        return true;
    }
    return CheckRecords([this](int) { return IsPageValid() != FALSE; }, true, true, true);
}

bool CRecordPage::ValidateAllRecords()
{
    return CheckRecords([this](int) { return IsPageValid() != FALSE; }, false, false);
}
