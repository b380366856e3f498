#include "platform/ui/MessageBoxQt.h"

#include "platform/Codec.h"
#include "platform/Messages.h"
#include "platform/ui/Screen.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace platform {

void InstallQtMessageHandler()
{
    SetMessageHandler([](const MessageRequest& request) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(ToQString(request.caption));
        box.setText(ToQString(request.text));
        switch (request.icon()) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONWARNING:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
        }
        struct Choice {
            QMessageBox::StandardButton button;
            int id;
        };
        std::vector<Choice> choices;
        switch (request.buttons()) {
        case MB_OKCANCEL:
            choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_YESNO:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
            break;
        case MB_YESNOCANCEL:
            choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_RETRYCANCEL:
            choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
            break;
        case MB_ABORTRETRYIGNORE:
            choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
            break;
        default:
            choices = {{QMessageBox::Ok, IDOK}};
            break;
        }
        QMessageBox::StandardButtons buttons;
        for (const Choice& c : choices)
            buttons |= c.button;
        box.setStandardButtons(buttons);
        const int defIndex = (request.type & MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
        box.setDefaultButton(choices[defIndex].button);
        // The box sizes itself to its text alone, and a title bar then cuts a longer caption
        // short ("Vehicle Impact Data Morvel" over a short question): a row as wide as the
        // caption needs keeps it whole.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            const QMargins margins = grid->contentsMargins();
            const int width = CaptionWidth(box.windowTitle()) - margins.left() - margins.right();
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                          grid->columnCount());
        }
        const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
        for (const Choice& c : choices) {
            if (c.button == pressed)
                return c.id;
        }
        // The close box answers as Cancel where there is one, otherwise as the only button.
        for (const Choice& c : choices) {
            if (c.id == IDCANCEL)
                return IDCANCEL;
        }
        return choices.size() == 1 ? choices[0].id : IDNO;
    });
}

} // namespace platform
