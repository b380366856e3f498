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

// Test seam: each request takes the next answer; a PDF path prints into that file, an empty
// answer (or none left) cancels.
class ScriptedPrintDialogs {
public:
    ScriptedPrintDialogs();
    ~ScriptedPrintDialogs();
    ScriptedPrintDialogs(const ScriptedPrintDialogs&) = delete;
    ScriptedPrintDialogs& operator=(const ScriptedPrintDialogs&) = delete;

    void answerPdf(const QString& path) { m_answers.push_back(path); }
    void cancel() { m_answers.push_back(QString()); }
    int asked() const { return m_asked; }

private:
    PrintDialogHandler m_previous;
    std::vector<QString> m_answers;
    int m_asked = 0;
};

} // namespace platform
