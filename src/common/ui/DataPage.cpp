#include "common/ui/DataPage.h"

void ForceUpperCase(QLineEdit* edit)
{
    if (!edit)
        return;
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

CString TooltipText(const char* text) { return text ? CString(text).Left(80) : CString(); }

CEmptyPage::CEmptyPage(const char* caption)
    : CPropertyPage(&m_template, caption)
    , m_template {caption, 509, 209, "DejaVu Sans", 8, false, {}}
{
}
