#pragma once
// The print dialog. Every request goes through one handler: the program's shows Qt's print
// dialog, tests answer from a script (a printer set to write a PDF file, or cancel). Where no
// printer is installed, the dialog offers printing into a PDF file instead of an empty list.

#include <QPrinter>

#include <functional>
#include <memory>

class QPrintDialog;

namespace platform {

// Returns the chosen printer, ready to print, or null when the user cancels.
using PrintDialogHandler = std::function<std::unique_ptr<QPrinter>()>;
PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler);
std::unique_ptr<QPrinter> AskPrinter();

// The dialog the program's handler shows for `printer`: all pages, no selection, no page range;
// printing to a file only when `printersInstalled` is false.
std::unique_ptr<QPrintDialog> MakeQtPrintDialog(QPrinter& printer, bool printersInstalled);

} // namespace platform
