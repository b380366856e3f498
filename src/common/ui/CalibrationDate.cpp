#include "common/DateCheck.h"
#include "common/ui/CalibrationDate.h"

#include "platform/Codec.h"
#include "platform/DateParse.h"
#include "platform/Time.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Dialog.h"

#include <QDate>
#include <QLocale>
#include <QSignalBlocker>

CDateTimeCtrl* CCalibrationDate::Picker() const { return m_page.Item<CDateTimeCtrl>(m_pickerId); }

void CCalibrationDate::Init(CNEdit& edit, std::function<CStringArray*()> dates, const int& index)
{
    m_edit = &edit;
    m_dates = std::move(dates);
    m_index = &index;
    // A date field: what the typed-date parser takes, as every typed date field of the program.
    CNEdit* date = &edit;
    QObject::connect(date, &CNEdit::Changed, date, [date] {
        ParsedDateTime d;
        const CString text = date->GetText();
        if (!text.IsEmpty() && !ParseLocaleDate(text, d)) {
            date->SetValidFlag(false);
            date->ShowInvalidColors();
        }
    });
    if (CDateTimeCtrl* picker = Picker()) {
        picker->setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
        picker->ShowNoDate();
        QObject::connect(picker, &CDateTimeCtrl::DateTimeChange, picker, [this] { OnPicked(); });
    }
}

CString CCalibrationDate::Show(const CString& stored)
{
    CString text = stored;
    text.Trim();
    // A stored date that is no date is told at once, not only shown in red.
    CString checked = text;
    const CTime date = ValidateDateText(checked, "INSTRUMENTATION");
    if (CDateTimeCtrl* picker = Picker()) {
        const QSignalBlocker quiet(picker);
        if (date.IsZero())
            picker->ShowNoDate();
        else
            picker->setDate(QDate(date.GetYear(), date.GetMonth(), date.GetDay()));
    }
    text.MakeUpper();
    if (m_edit)
        m_edit->SetText(text);
    checked.MakeUpper();
    return checked;
}

void CCalibrationDate::OnPicked()
{
    CDateTimeCtrl* picker = Picker();
    // The earliest date stands for none: it is never a pick.
    if (!picker || picker->date() == picker->minimumDate())
        return;
    CStringArray* stored = m_dates ? m_dates() : nullptr;
    if (!stored)
        return;
    // Month names in English whatever the desktop's language, as the test files have them.
    const CString text = FromQString(QLocale::c().toString(picker->date(), QStringLiteral("dd/MMM/yyyy")).toUpper());
    if (*m_index > 0)
        stored->SetAtGrow(*m_index, text);
    m_edit->SetText(text);
}

void CCalibrationDate::PickToday()
{
    if (CDateTimeCtrl* picker = Picker()) {
        const QSignalBlocker quiet(picker);
        picker->setDate(QDate::currentDate());
    }
}
