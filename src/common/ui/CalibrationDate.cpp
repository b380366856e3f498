#include "common/DateCheck.h"
#include "common/ui/CalibrationDate.h"

#include "platform/Codec.h"
#include "platform/DateParse.h"
#include "platform/Time.h"
#include "platform/ui/DateTimeCtrl.h"

#include <QDate>
#include <QLocale>
#include <QSignalBlocker>

void ShowCalibrationDate(CNEdit& edit, CDateTimeCtrl* picker, CString text)
{
    text.Trim();
    // A stored date that is no date is told at once, not only shown in red.
    CString checked = text;
    const CTime date = ValidateDateText(checked, "INSTRUMENTATION");
    if (picker && date.IsZero())
        picker->ShowNoDate();
    else if (picker) {
        const QSignalBlocker quiet(picker);
        picker->setDate(QDate(date.GetYear(), date.GetMonth(), date.GetDay()));
    }
    text.MakeUpper();
    edit.SetText(text);
}

namespace {

void WatchCalibrationDate(CNEdit& edit)
{
    CNEdit* date = &edit;
    QObject::connect(date, &CNEdit::Changed, date, [date] {
        ParsedDateTime d;
        const CString text = date->GetText();
        if (!text.IsEmpty() && !ParseLocaleDate(text, d)) {
            date->SetValidFlag(false);
            date->ShowInvalidColors();
        }
    });
}

} // namespace

CString PickedCalibrationDate(const CDateTimeCtrl& picker)
{
    // Month names in English whatever the desktop's language, as the test files have them.
    return FromQString(QLocale::c().toString(picker.date(), QStringLiteral("dd/MMM/yyyy")).toUpper());
}

void ConnectCalibrationDate(CDateTimeCtrl* picker, CNEdit& edit, std::function<CStringArray*()> dates,
                            const int& index)
{
    WatchCalibrationDate(edit);
    if (!picker)
        return;
    picker->setDisplayFormat(QStringLiteral("dd/MMM/yyyy"));
    QObject::connect(picker, &CDateTimeCtrl::DateTimeChange, picker,
                     [picker, edit = &edit, dates = std::move(dates), index = &index] {
                         CStringArray* stored = dates();
                         if (!stored)
                             return;
                         const CString text = PickedCalibrationDate(*picker);
                         if (*index > 0)
                             stored->SetAtGrow(*index, text);
                         edit->SetText(text);
                     });
}

void PickToday(CDateTimeCtrl* picker)
{
    if (picker) {
        const QSignalBlocker quiet(picker);
        picker->setDate(QDate::currentDate());
    }
}
