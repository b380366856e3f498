#include "common/DateCheck.h"
#include "common/ui/DateField.h"

#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/Time.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Dialog.h"

#include <QLocale>
#include <QSignalBlocker>

namespace {

// A date text is good when empty or when it passes the test file's date rules; the check shows
// no message while the user types.
// The date message is kept back; whether it would have been shown.
bool ReadDateText(CString& text, const char* section, CTime& time)
{
    const platform::QuietBoxes quiet;
    time = ValidateDateText(text, section);
    return quiet.Asked() > 0;
}

bool IsGoodDate(const CString& text, const char* section)
{
    CString copy = text;
    copy.Trim();
    if (copy.IsEmpty())
        return true;
    CTime time;
    return !ReadDateText(copy, section, time) && time != CTime();
}

} // namespace

bool ReadDateQuietly(CString& text, const char* section)
{
    CTime time;
    if (ReadDateText(text, section, time))
        return false;
    text.MakeUpper();
    // The reading left the text trimmed and, for a date, in the date's own form, which reads
    // again as the same date: the check IsGoodDate makes is told by this reading.
    return text.IsEmpty() || time != CTime();
}

CDateTimeCtrl* CDateField::Picker() const { return m_page.Item<CDateTimeCtrl>(m_pickerId); }

void CDateField::Init(CNEdit& edit, std::function<void(const CString&)> chosen)
{
    m_edit = &edit;
    m_chosen = std::move(chosen);
    if (CDateTimeCtrl* picker = Picker()) {
        picker->setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
        EmptyPicker();
        QObject::connect(picker, &CDateTimeCtrl::DateTimeChange, picker, [this] { OnPicked(); });
    }
    QObject::connect(&edit, &CNEdit::Changed, &edit, [this] { Check(); });
}

void CDateField::EmptyPicker()
{
    if (CDateTimeCtrl* picker = Picker())
        picker->ShowNoDate();
}

void CDateField::Check()
{
    if (m_edit)
        m_edit->SetValid(IsGoodDate(m_edit->GetText(), m_section));
}

void CDateField::Load(CString& stored)
{
    // A good date is set into the picker; an empty or bad one leaves it showing none (a bad one
    // is told by the date message).
    const CTime time = ValidateDateText(stored, m_section);
    if (CDateTimeCtrl* picker = Picker()) {
        const QSignalBlocker quiet(picker);
        if (time == CTime() || !picker->SetTime(time))
            EmptyPicker();
    }
    stored.MakeUpper();
    if (m_edit) {
        m_edit->SetText(stored);
        Check();
    }
}

void CDateField::OnPicked()
{
    CDateTimeCtrl* picker = Picker();
    if (!picker || picker->date() == picker->minimumDate())
        return;
    const QString text = QLocale::c().toString(picker->date(), QStringLiteral("dd/MMM/yyyy")).toUpper();
    const CString date = FromQString(text);
    if (m_chosen)
        m_chosen(date);
    if (m_edit)
        m_edit->SetText(date);
}
