#include "platform/ui/PrintDialog.h"

#include <QPrintDialog>

#include <utility>

namespace platform {
namespace {

std::unique_ptr<QPrinter> AskWithQt()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get());
    // All pages only: no selection, no page range, no print to file.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    if (printer->outputFileName().isEmpty() && printer->printerName().isEmpty())
        return nullptr;
    return printer;
}

PrintDialogHandler& CurrentHandler()
{
    static PrintDialogHandler handler = AskWithQt;
    return handler;
}

} // namespace

PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

std::unique_ptr<QPrinter> AskPrinter() { return CurrentHandler()(); }

ScriptedPrintDialogs::ScriptedPrintDialogs()
{
    m_previous = SetPrintDialogHandler([this]() -> std::unique_ptr<QPrinter> {
        ++m_asked;
        if (m_answers.empty())
            return nullptr;
        const QString path = m_answers.front();
        m_answers.erase(m_answers.begin());
        if (path.isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    });
}

ScriptedPrintDialogs::~ScriptedPrintDialogs() { SetPrintDialogHandler(std::move(m_previous)); }

} // namespace platform
