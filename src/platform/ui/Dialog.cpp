#include "platform/ui/Dialog.h"

#include "platform/CodeDb.h"
#include "platform/Codec.h"
#include "platform/ui/Screen.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    const QString sample = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_avgWidth = std::max(1, (fm.horizontalAdvance(sample) / 26 + 1) / 2);
    m_height = std::max(1, fm.height());
}

QFont TemplateFont(const DlgTemplate& tmpl)
{
    // The fonts the templates were drawn with are not on Linux; the layout is computed from the
    // metrics of the font actually used, so the proportions hold.
    QFont font(QString::fromLatin1(tmpl.fontFamily ? tmpl.fontFamily : "DejaVu Sans"));
    font.setPointSize(tmpl.fontPointSize > 0 ? tmpl.fontPointSize : 8);
    font.setBold(tmpl.bold);
    return font;
}

namespace {

// The typing styles of an edit. Digits only: a typed character that is not a digit is refused.
// Upper case: a typed letter arrives as its capital. Only typing is changed: what the program
// sets and what is pasted stay as they are (a lower-case comment read from a file is not
// rewritten by the next key), and the field's own check judges them.
class EditStyleFilter : public QObject {
public:
    EditStyleFilter(QObject* parent, UINT style)
        : QObject(parent)
        , m_style(style)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (shortcut || text.size() != 1 || !text[0].isPrint())
            return QObject::eventFilter(watched, event);
        if ((m_style & DS_NUMBER) && !text[0].isDigit())
            return true;
        const QChar upper = text[0].toUpper();
        if ((m_style & DS_UPPERCASE) && upper != text[0]) {
            QKeyEvent capital(QEvent::KeyPress, key->key(), key->modifiers(), QString(upper), key->isAutoRepeat(),
                              static_cast<ushort>(key->count()));
            QCoreApplication::sendEvent(watched, &capital);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    UINT m_style;
};

void ApplyEditStyle(QLineEdit* edit, UINT style)
{
    if (style & (DS_NUMBER | DS_UPPERCASE))
        edit->installEventFilter(new EditStyleFilter(edit, style));
}

} // namespace

// ---------------------------------------------------------------------------------------------

QWidget* CDlgControls::GetDlgItem(int id) const
{
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

void CDlgControls::CreateControls(QWidget* host, const DlgTemplate& tmpl)
{
    if (m_created)
        return;
    m_created = true;
    const QFont font = TemplateFont(tmpl);
    host->setFont(font);
    m_units = DialogUnits(font);
    if (tmpl.caption && *tmpl.caption)
        host->setWindowTitle(ToQString(CString(tmpl.caption)));
    if (tmpl.cx > 0 && tmpl.cy > 0)
        host->resize(m_units.x(tmpl.cx), m_units.y(tmpl.cy));

    for (const DlgItem& item : tmpl.items) {
        const QString text = ToQString(CString(item.text));
        QWidget* w = nullptr;
        switch (item.kind) {
        case DlgKind::Static:
        case DlgKind::Picture: {
            auto* label = new QLabel(text, host);
            label->setWordWrap(item.cy > 12);
            w = label;
            break;
        }
        case DlgKind::Edit: {
            auto* edit = new QLineEdit(text, host);
            edit->setReadOnly(item.style & DS_READONLY);
            ApplyEditStyle(edit, item.style);
            w = edit;
            break;
        }
        case DlgKind::MultiEdit: {
            auto* edit = new QPlainTextEdit(text, host);
            edit->setReadOnly(item.style & DS_READONLY);
            w = edit;
            break;
        }
        case DlgKind::Button:
        case DlgKind::DefButton: {
            auto* button = new QPushButton(text, host);
            button->setAutoDefault(false);
            button->setDefault(item.kind == DlgKind::DefButton);
            button->setFlat(item.style & DS_FLAT);
            w = button;
            break;
        }
        case DlgKind::CheckBox:
            w = new QCheckBox(text, host);
            break;
        case DlgKind::Radio:
            w = new QRadioButton(text, host);
            break;
        case DlgKind::GroupBox:
            w = new QGroupBox(text, host);
            break;
        case DlgKind::ListBox:
            w = new QListWidget(host);
            break;
        case DlgKind::ComboBox:
        case DlgKind::DropList: {
            auto* combo = new QComboBox(host);
            combo->setEditable(item.kind == DlgKind::ComboBox);
            w = combo;
            break;
        }
        case DlgKind::Custom:
            w = item.create ? item.create(host) : new QWidget(host);
            if (w->parentWidget() != host)
                w->setParent(host);
            break;
        }
        w->setGeometry(m_units.x(item.x), m_units.y(item.y), m_units.x(item.cx), m_units.y(item.cy));
        if (item.kind == DlgKind::GroupBox)
            w->lower();
        if (item.tooltip)
            w->setToolTip(ToQString(CString(item.tooltip)));
        // A page's controls are made when the page is first shown: a child made inside a
        // visible window stays hidden unless it is shown itself.
        w->setVisible(!(item.style & DS_HIDDEN));
        if (item.style & DS_DISABLED)
            w->setEnabled(false);
        if (item.id != -1)
            m_items[item.id] = w;
    }
}

void CDlgControls::SetDlgItemText(int id, const CString& text)
{
    QWidget* w = GetDlgItem(id);
    const QString q = ToQString(text);
    if (auto* e = dynamic_cast<QLineEdit*>(w))
        e->setText(q);
    else if (auto* p = dynamic_cast<QPlainTextEdit*>(w))
        p->setPlainText(q);
    else if (auto* l = dynamic_cast<QLabel*>(w))
        l->setText(q);
    else if (auto* b = dynamic_cast<QAbstractButton*>(w))
        b->setText(q);
    else if (auto* c = dynamic_cast<QComboBox*>(w)) {
        if (c->isEditable())
            c->setEditText(q);
        else
            c->setCurrentIndex(c->findText(q));
    } else if (auto* g = dynamic_cast<QGroupBox*>(w))
        g->setTitle(q);
    else if (w)
        w->setWindowTitle(q);
}

CString CDlgControls::GetDlgItemText(int id) const
{
    QWidget* w = GetDlgItem(id);
    if (auto* e = dynamic_cast<QLineEdit*>(w))
        return FromQString(e->text());
    if (auto* p = dynamic_cast<QPlainTextEdit*>(w))
        return FromQString(p->toPlainText());
    if (auto* l = dynamic_cast<QLabel*>(w))
        return FromQString(l->text());
    if (auto* b = dynamic_cast<QAbstractButton*>(w))
        return FromQString(b->text());
    if (auto* c = dynamic_cast<QComboBox*>(w))
        return FromQString(c->currentText());
    if (auto* g = dynamic_cast<QGroupBox*>(w))
        return FromQString(g->title());
    return w ? FromQString(w->windowTitle()) : CString();
}

void CDlgControls::CheckDlgButton(int id, UINT check)
{
    if (auto* b = dynamic_cast<QAbstractButton*>(GetDlgItem(id))) {
        b->setCheckable(true);
        b->setChecked(check != 0);
    }
}

UINT CDlgControls::IsDlgButtonChecked(int id) const
{
    auto* b = dynamic_cast<QAbstractButton*>(GetDlgItem(id));
    return (b && b->isChecked()) ? 1 : 0;
}

void CDlgControls::ShowDlgItem(int id, bool show)
{
    if (QWidget* w = GetDlgItem(id))
        w->setVisible(show);
}

void CDlgControls::EnableDlgItem(int id, bool enable)
{
    if (QWidget* w = GetDlgItem(id))
        w->setEnabled(enable);
}

std::function<void()> platform::AsUserAction(std::function<void()> handler)
{
    return [h = std::move(handler)] {
        platform::CodeDbCommandScope action;
        h();
    };
}

void CDlgControls::OnClicked(int id, std::function<void()> handler)
{
    if (auto* b = dynamic_cast<QAbstractButton*>(GetDlgItem(id)))
        QObject::connect(b, &QAbstractButton::clicked, b, [h = platform::AsUserAction(std::move(handler))] { h(); });
}

void CDlgControls::OnChanged(int id, std::function<void()> handler)
{
    QWidget* w = GetDlgItem(id);
    if (auto* e = dynamic_cast<QLineEdit*>(w))
        QObject::connect(e, &QLineEdit::textChanged, e, [h = platform::AsUserAction(std::move(handler))] { h(); });
    else if (auto* p = dynamic_cast<QPlainTextEdit*>(w))
        QObject::connect(p, &QPlainTextEdit::textChanged, p, [h = platform::AsUserAction(std::move(handler))] { h(); });
    else if (auto* c = dynamic_cast<QComboBox*>(w))
        QObject::connect(c, &QComboBox::editTextChanged, c, [h = platform::AsUserAction(std::move(handler))] { h(); });
}

void CDlgControls::OnSelChange(int id, std::function<void()> handler)
{
    QWidget* w = GetDlgItem(id);
    if (auto* c = dynamic_cast<QComboBox*>(w))
        QObject::connect(c, &QComboBox::currentIndexChanged, c, [h = platform::AsUserAction(std::move(handler))] { h(); });
    else if (auto* l = dynamic_cast<QListWidget*>(w))
        QObject::connect(l, &QListWidget::currentRowChanged, l, [h = platform::AsUserAction(std::move(handler))] { h(); });
}

// ---------------------------------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    if (pDX->m_failed)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
}

namespace {

void FailNumber(CDataExchange* pDX, int id, const char* message)
{
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    if (QWidget* field = pDX->m_pDlgWnd->GetDlgItem(id))
        field->setFocus();
    pDX->Fail();
}

} // namespace

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    if (pDX->m_failed)
        return;
    if (pDX->m_bSaveAndValidate) {
        CString text = pDX->m_pDlgWnd->GetDlgItemText(id);
        text.Trim();
        char* end = nullptr;
        errno = 0;
        const long v = std::strtol(text, &end, 10);
        if (text.IsEmpty() || (end && *end) || errno == ERANGE || v < INT_MIN || v > INT_MAX) {
            FailNumber(pDX, id, "Please enter an integer.");
            return;
        }
        value = static_cast<int>(v);
    } else {
        CString text;
        text.Format("%d", value);
        pDX->m_pDlgWnd->SetDlgItemText(id, text);
    }
}

void DDX_Text(CDataExchange* pDX, int id, double& value)
{
    if (pDX->m_failed)
        return;
    if (pDX->m_bSaveAndValidate) {
        CString text = pDX->m_pDlgWnd->GetDlgItemText(id);
        text.Trim();
        char* end = nullptr;
        const double v = std::strtod(text, &end);
        if (text.IsEmpty() || (end && *end) || !std::isfinite(v)) {
            FailNumber(pDX, id, "Please enter a number.");
            return;
        }
        value = v;
    } else {
        CString text;
        text.Format("%.15g", std::isfinite(value) ? value : 0.0);
        pDX->m_pDlgWnd->SetDlgItemText(id, text);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(pDX->m_pDlgWnd->IsDlgButtonChecked(id));
    else
        pDX->m_pDlgWnd->CheckDlgButton(id, value ? 1 : 0);
}

void DDX_CBString(CDataExchange* pDX, int id, CString& value)
{
    auto* c = pDX->m_pDlgWnd->Item<QComboBox>(id);
    if (!c)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = FromQString(c->currentText());
    } else if (c->isEditable()) {
        c->setEditText(ToQString(value));
    } else {
        // Select the first entry that begins with the text, as a drop list does.
        const QString q = ToQString(value);
        int found = -1;
        for (int i = 0; i < c->count() && found < 0; ++i) {
            if (c->itemText(i).startsWith(q, Qt::CaseInsensitive))
                found = i;
        }
        c->setCurrentIndex(found);
    }
}

// ---------------------------------------------------------------------------------------------

namespace platform {
namespace {
DialogRunner& CurrentRunner()
{
    static DialogRunner runner;
    return runner;
}
} // namespace

DialogRunner SetDialogRunner(DialogRunner runner) { return std::exchange(CurrentRunner(), std::move(runner)); }

} // namespace platform

CDialog::CDialog(const DlgTemplate* tmpl, QWidget* parent)
    : QDialog(parent)
    , m_template(tmpl)
{
}

void CDialog::EnsureCreated()
{
    if (m_initialised)
        return;
    m_initialised = true;
    if (m_template)
        CreateControls(this, *m_template);
    OnInitDialog();
}

INT_PTR CDialog::DoModal()
{
    m_modalResult = -1;
    EnsureCreated();
    platform::WidenForCaption(this);
    const platform::DialogRunner& runner = platform::CurrentRunner();
    // A dialog that ended itself while it was being set up is never shown.
    if (!runner && m_modalResult >= 0)
        return m_modalResult;
    const platform::ActionBoxes::Waiting waiting;
    if (runner)
        return runner(*this);
    // Our own loop rather than exec(): a dialog may hide itself and go on running (the chooser
    // hides while a sheet is open), and only EndDialog ends the loop.
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    if (m_modalResult < 0)
        loop.exec(QEventLoop::DialogExec);
    return m_modalResult >= 0 ? m_modalResult : IDCANCEL;
}

BOOL CDialog::CreateModeless()
{
    EnsureCreated();
    platform::WidenForCaption(this);
    show();
    return TRUE;
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    done(result);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDlgControls::DoDataExchange(CDataExchange*) {}

BOOL CDlgControls::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx;
    dx.m_pDlgWnd = this;
    dx.m_bSaveAndValidate = bSaveAndValidate;
    DoDataExchange(&dx);
    return dx.m_failed ? FALSE : TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

int CDialog::MessageBox(const char* text, const char* caption, UINT type)
{
    return MessageBoxA(nullptr, text, caption ? caption : kAppTitle, type);
}
