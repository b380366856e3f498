#include "common/ui/NEdit.h"

#include "common/Convert.h"
#include "platform/Codec.h"
#include "platform/DateParse.h"

#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QValidator>

#include <algorithm>
#include <cmath>

#include <cstdio>
#include <cstdlib>

namespace {

// The typing limit of a text field. Only growth past the limit is refused: a longer text put
// in by the program (a value read from a file) is never cut, and can still be shortened.
class TextLimitValidator : public QValidator {
public:
    TextLimitValidator(QLineEdit* edit, int limit)
        : QValidator(edit)
        , m_limit(limit)
        , m_length(edit->text().size())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_length = text.size(); });
    }
    void setLimit(int limit) { m_limit = limit; }
    State validate(QString& input, int&) const override
    {
        if (input.size() <= m_limit || input.size() <= m_length)
            return Acceptable;
        return Invalid;
    }

private:
    int m_limit;
    qsizetype m_length; // of the text before the change being checked
};

// An edit control's limit of 0 means no limit of its own.
constexpr int kNoLimit = 32767;

} // namespace

CNEdit::CNEdit() = default;

CNEdit::~CNEdit()
{
    if (QWidget* w = GetWidget())
        w->removeEventFilter(this);
}

QWidget* CNEdit::GetWidget() const
{
    if (m_edit)
        return m_edit.data();
    return m_multi.data();
}

void CNEdit::Attach(QLineEdit* edit)
{
    if (!edit || HasWindow())
        return;
    m_edit = edit;
    connect(edit, &QLineEdit::textChanged, this, &CNEdit::OnChange);
    AttachWidget(edit);
}

void CNEdit::Attach(QPlainTextEdit* edit)
{
    if (!edit || HasWindow())
        return;
    m_multi = edit;
    m_multiText = edit->toPlainText();
    connect(edit, &QPlainTextEdit::textChanged, this, &CNEdit::OnMultiLineChange);
    AttachWidget(edit);
}

void CNEdit::AttachWidget(QWidget* widget)
{
    m_watched = widget;
    widget->installEventFilter(this);
    connect(widget, &QObject::destroyed, this, [this] {
        m_limit = nullptr;
        m_watched = nullptr;
    });
    m_crText = kBlack;
    m_crBack = kWhite;
    SetWidgetColors(widget, m_crText, m_crBack);
    if (!m_tooltip.isEmpty())
        widget->setToolTip(m_tooltip);
    ApplyTextLimit();
    // Attaching shows the stored text in the normal colours; only a change checks it.
    m_attaching = true;
    SetWindowText(m_strText);
    m_attaching = false;
}

bool CNEdit::HoldsRule(const FieldRule& rule) const
{
    if (GetType() != rule.type || m_bAllowEmpty != (rule.type != FieldType::None && rule.allowEmpty))
        return false;
    switch (rule.type) {
    case FieldType::Int:
        if (m_nMin != static_cast<int>(rule.min) || m_nMax != static_cast<int>(rule.max))
            return false;
        break;
    case FieldType::Real:
        if (m_dMin != rule.min || m_dMax != rule.max)
            return false;
        break;
    case FieldType::Text:
        if (m_nMinLength != static_cast<unsigned>(rule.min) || m_nMaxLength != static_cast<unsigned>(rule.max))
            return false;
        break;
    case FieldType::Date:
        if (m_nMinLength != rule.displayLength)
            return false;
        break;
    case FieldType::None:
        break;
    }
    // Compared as the rule's bytes: the record checks ask this for every record they judge.
    if (std::string_view(rule.tooltip ? rule.tooltip : "") != m_ruleTooltip)
        return false;
    const QWidget* w = GetWidget();
    return !w || (w->toolTip() == m_tooltip && (!m_edit || m_limit));
}

void CNEdit::Apply(const FieldRule& rule)
{
    // The record checks give the reference fields their ranges for every record they judge: a
    // rule the field already holds is not set again.
    if (HoldsRule(rule))
        return;
    switch (rule.type) {
    case FieldType::Int:
        SetIntType(static_cast<int>(rule.min), static_cast<int>(rule.max), rule.allowEmpty);
        break;
    case FieldType::Real:
        SetDoubleType(rule.min, rule.max, rule.allowEmpty);
        break;
    case FieldType::Text:
        SetStringType(static_cast<unsigned>(rule.min), static_cast<unsigned>(rule.max), rule.allowEmpty);
        break;
    case FieldType::Date:
        SetDateType(rule.allowEmpty);
        m_nMinLength = rule.displayLength;
        break;
    case FieldType::None:
        SetTypeFlags(FieldType::None, false);
        break;
    }
    m_ruleTooltip = rule.tooltip ? rule.tooltip : "";
    m_tooltip = rule.tooltip ? ToQString(CString(rule.tooltip)) : QString();
    if (QWidget* w = GetWidget())
        w->setToolTip(m_tooltip);
}

void CNEdit::SetTypeFlags(FieldType type, bool allowEmpty)
{
    m_bIsInt = type == FieldType::Int;
    m_bIsReal = type == FieldType::Real;
    m_bIsString = type == FieldType::Text;
    m_bIsDate = type == FieldType::Date;
    m_bAllowEmpty = allowEmpty;
    ApplyTextLimit();
}

void CNEdit::SetIntType(int min, int max, bool allowEmpty)
{
    m_nMin = min;
    m_nMax = max;
    SetTypeFlags(FieldType::Int, allowEmpty);
}

void CNEdit::SetDoubleType(double min, double max, bool allowEmpty)
{
    m_dMin = min;
    m_dMax = max;
    SetTypeFlags(FieldType::Real, allowEmpty);
}

void CNEdit::SetStringType(unsigned minLength, unsigned maxLength, bool allowEmpty)
{
    m_nMinLength = minLength;
    m_nMaxLength = maxLength;
    SetTypeFlags(FieldType::Text, allowEmpty);
}

void CNEdit::SetDateType(bool allowEmpty) { SetTypeFlags(FieldType::Date, allowEmpty); }

FieldType CNEdit::GetType() const
{
    if (m_bIsInt)
        return FieldType::Int;
    if (m_bIsReal)
        return FieldType::Real;
    if (m_bIsString)
        return FieldType::Text;
    if (m_bIsDate)
        return FieldType::Date;
    return FieldType::None;
}

int CNEdit::TextLimit() const
{
    return m_bIsString && m_nMaxLength > 0 && m_nMaxLength < unsigned(kNoLimit) ? static_cast<int>(m_nMaxLength)
                                                                                 : kNoLimit;
}

void CNEdit::ApplyTextLimit()
{
    if (!m_edit)
        return; // a multi-line window checks its limit on each change
    if (!m_limit) {
        auto* validator = new TextLimitValidator(m_edit, TextLimit());
        m_limit = validator;
        m_edit->setValidator(validator);
    } else {
        static_cast<TextLimitValidator*>(m_limit)->setLimit(TextLimit());
    }
}

QString CNEdit::WindowText() const
{
    if (m_edit)
        return m_edit->text();
    return m_multi ? m_multi->toPlainText() : QString();
}

void CNEdit::SetWindowText(const CString& text)
{
    const QString q = ToQString(text);
    if (m_edit)
        m_edit->setText(q);
    else if (m_multi && m_multi->toPlainText() != q) {
        m_multiText = q; // the program's text is never cut to the typing limit
        m_multi->setPlainText(q);
    }
}

void CNEdit::OnMultiLineChange()
{
    // The typing limit of a multi-line window: a change that grows the text past the limit is
    // taken back; a longer text put in by the program is kept.
    const QString text = m_multi->toPlainText();
    if (!m_attaching && text.size() > TextLimit() && text.size() > m_multiText.size()) {
        const QSignalBlocker block(m_multi.data());
        const int caret = std::max(0, m_multi->textCursor().position() - int(text.size() - m_multiText.size()));
        m_multi->setPlainText(m_multiText);
        QTextCursor cursor = m_multi->textCursor();
        cursor.setPosition(std::min(caret, int(m_multiText.size())));
        m_multi->setTextCursor(cursor);
        return;
    }
    m_multiText = text;
    OnChange();
}

void CNEdit::SetText(const char* text)
{
    CString trimmed(text);
    trimmed.Trim();
    if (trimmed != m_strShownReal)
        m_bShowsReal = false;
    if (trimmed == m_strText)
        return;
    m_strText = trimmed;
    SetWindowText(m_strText);
}

void CNEdit::SetLong(const long& value)
{
    CString text;
    if (m_nMinLength > 0)
        text.Format("%0*ld", static_cast<int>(m_nMinLength), value);
    else
        text.Format("%ld", value);
    if (text == m_strText)
        return;
    m_strText = text;
    SetWindowText(m_strText);
}

int CNEdit::GetInt() const { return StdToInt(m_strText); }
double CNEdit::GetDouble() const { return ShowsStoredReal() ? m_dShownReal : std::atof(m_strText); }

void CNEdit::ShowReal(double value)
{
    // Kept before the window hears of the text: its change handlers read the value already.
    m_dShownReal = FiniteOrZero(value);
    m_strShownReal = WrittenRealText(m_dShownReal, m_nFileDecimals);
    m_bShowsReal = true;
    SetText(m_strShownReal);
}

bool CNEdit::ShowsStoredReal() const { return m_bShowsReal && m_strText == m_strShownReal; }

void CNEdit::ShowFileValue()
{
    if (m_nFileDecimals < 0 || ShowsStoredReal())
        return;
    // A field of no type (a dialog's plain number field, checked by its dialog) counts as a real
    // while its text is a finite number it can store.
    const bool real = GetType() == FieldType::None
                          ? !ShowsUnstorableText() && IsRealNumber(m_strText) && std::isfinite(GetDouble())
                          : m_bIsReal && m_bValid && !m_strText.IsEmpty();
    if (real)
        SetText(WrittenRealText(GetDouble(), m_nFileDecimals));
}

void CNEdit::SetValid(bool valid)
{
    m_bValid = valid;
    if (valid)
        ShowValidColors();
    else
        ShowInvalidColors();
}

void CNEdit::Revalidate()
{
    OnChange();
    SetValid(m_bValid);
}

void CNEdit::SetColors(COLORREF text, COLORREF back)
{
    m_crText = text;
    m_crBack = back;
    SetWidgetColors(GetWidget(), text, back);
}

void CNEdit::Redraw()
{
    // The colours in force are the members: a field of no type still turns its text black.
    SetWidgetColors(GetWidget(), m_crText, m_crBack);
}

bool CNEdit::ShowsUnstorableText() const { return HasWindow() && !FitsCodePage(WindowText()); }

void CNEdit::OnChange()
{
    if (m_attaching)
        return;
    const COLORREF oldText = m_crText;
    const CString oldValue = m_strText;
    m_crText = kBlack;
    bool fits = true;
    if (HasWindow()) {
        // A text the code page cannot hold is not taken: the field keeps its last text (what a
        // page saves) while the window shows the refused one, marked, for its correction.
        const QString shown = WindowText();
        fits = FitsCodePage(shown);
        if (fits) {
            m_strText = FromQString(shown);
            m_strText.Trim();
        }
    }
    if (m_bIsReal || m_bIsInt || m_bIsString || m_bIsDate)
        Validate();
    if (m_bIsDate)
        m_strText.MakeUpper();
    if (m_strText != m_strShownReal || !fits)
        m_bShowsReal = false;
    if (!fits) {
        // Marked as any invalid value is, whatever the field's type; never written as "?".
        m_bValid = false;
        if (GetType() == FieldType::None)
            ShowInvalidColors();
        else
            SetColors(kBlack, m_crInvalidBack);
    }
    if (oldText != m_crText || oldValue != m_strText)
        Redraw();
    emit Changed();
}

bool CNEdit::Judge(CString& text) const
{
    if (m_bIsReal || m_bIsInt || m_bIsString)
        return JudgeValue(text.str());
    return text.IsEmpty() || ParseDate(text);
}

bool CNEdit::JudgeValue(std::string_view text) const
{
    if (m_bIsReal) {
        if (m_bAllowEmpty && text.empty())
            return true;
        // Blanks around a number are allowed (as IsRealNumber allows them), nothing else.
        const std::string_view number = TrimmedView(text, " ");
        if (!IsRealNumberView(number))
            return false;
        const double value = RealOfNumberText(number);
        return m_dMin <= value && value <= m_dMax;
    }
    if (m_bIsInt) {
        if (m_bAllowEmpty && text.empty())
            return true;
        // A lone minus sign passes and reads as 0, as the field always took it.
        if (text != "-" && !IsIntegerTextView(text))
            return false;
        const int value = IntOfIntegerText(text);
        return m_nMin <= value && value <= m_nMax;
    }
    const unsigned length = static_cast<unsigned>(text.size());
    return text.empty() ? m_bAllowEmpty : (m_nMinLength <= length && length <= m_nMaxLength);
}

bool CNEdit::Accepts(const CString& stored) const
{
    if (!m_bIsReal && !m_bIsInt && !m_bIsString && !m_bIsDate)
        return false;
    // Trimmed as CString::Trim trims; a number or text is judged where it stands.
    const std::string_view text = TrimmedView(stored.str());
    // Stored bytes always fit the window's code page: each shows as a character that goes back
    // to it.
    if (m_bIsReal || m_bIsInt || m_bIsString)
        return JudgeValue(text);
    CString date(text);
    return Judge(date);
}

void CNEdit::Validate()
{
    m_bValid = Judge(m_strText);
    SetColors(kBlack, m_bValid ? m_crValidBack : m_crInvalidBack);
}

bool CNEdit::ParseDate(CString& text) const
{
    ParsedDateTime d;
    if (ParseLocaleDate(text, d)) {
        if (m_nMinLength == 6)
            text.Format("%02d%02d%02d", d.month, d.day, d.year % 100);
        else if (m_nMinLength == 8)
            text.Format("%02d%02d%04d", d.month, d.day, d.year);
        else
            text.Format("%s %02d, %04d", ShortMonthName(d.month), d.day, d.year);
        return true;
    }
    if (text.GetLength() == 6)
        return ParseLocaleDate(text.Left(2) + "-" + text.Mid(2, 2) + "-" + text.Mid(4, 2), d);
    if (text.GetLength() == 8)
        return ParseLocaleDate(text.Left(2) + "-" + text.Mid(2, 2) + "-" + text.Mid(4, 4), d);
    return false;
}

bool CNEdit::eventFilter(QObject* watched, QEvent* event)
{
    // Compared as a plain object: the window may be part way through its destruction here.
    if (event->type() == QEvent::FocusOut && watched == m_watched)
        ShowFileValue();
    if (event->type() == QEvent::FocusIn && watched == m_watched) {
        // The caret goes to the end, which scrolls it into view.
        if (m_edit)
            m_edit->selectAll();
        else if (m_multi)
            m_multi->selectAll();
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------

void DDX_Control(CDataExchange* pDX, int id, CNEdit& edit)
{
    if (edit.HasWindow() || !pDX || !pDX->m_pDlgWnd)
        return;
    if (auto* line = pDX->m_pDlgWnd->Item<QLineEdit>(id))
        edit.Attach(line);
}

void DDX_Real(CDataExchange* pDX, int id, CNEdit& field, double& value)
{
    if (!pDX || pDX->m_failed)
        return;
    if (!field.HasWindow() || (pDX->m_bSaveAndValidate && !field.ShowsStoredReal()))
        DDX_Text(pDX, id, value);
    else if (pDX->m_bSaveAndValidate)
        value = field.GetDouble();
    else
        field.ShowReal(value);
}

void CCodeListCheck::IsEditTextInList(const CStringArray* list, const CNEdit* field, bool* flag)
{
    if (!field || !flag)
        return;
    CString text = field->GetText();
    text.Trim();
    if (text.IsEmpty())
        return;
    if (!list || list->IsEmpty()) {
        *flag = false;
        return;
    }
    for (const CString& entry : *list) {
        CString e = entry;
        e.Trim();
        if (e == text) {
            *flag = true;
            return;
        }
    }
    *flag = false;
}

EnableDlgItem::EnableDlgItem(CDlgControls* window, int id, bool& enable)
{
    if (window)
        window->EnableDlgItem(id, enable);
}
