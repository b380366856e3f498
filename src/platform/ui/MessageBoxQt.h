#pragma once
// The program's message-box handler: a QMessageBox with the caption, text, icon and buttons
// asked for.

namespace platform {
void InstallQtMessageHandler();
}
