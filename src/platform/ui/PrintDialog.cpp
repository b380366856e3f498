#include "platform/ui/PrintDialog.h"

#include "platform/Messages.h"

#include <QPrintDialog>
#include <QPrinterInfo>

#include <utility>

namespace platform {
namespace {

std::unique_ptr<QPrinter> AskWithQt()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const std::unique_ptr<QPrintDialog> dialog = MakeQtPrintDialog(*printer, !QPrinterInfo::availablePrinters().isEmpty());
    if (dialog->exec() != QDialog::Accepted)
        return nullptr;
    if (printer->outputFileName().isEmpty() && printer->printerName().isEmpty()) {
        AfxMessageBox("Nothing was printed: no printer was chosen and no PDF file was named.");
        return nullptr;
    }
    return printer;
}

PrintDialogHandler& CurrentHandler()
{
    static PrintDialogHandler handler = AskWithQt;
    return handler;
}

} // namespace

std::unique_ptr<QPrintDialog> MakeQtPrintDialog(QPrinter& printer, bool printersInstalled)
{
    auto dialog = std::make_unique<QPrintDialog>(&printer);
    // All pages only. Printing to a file stays hidden beside real printers; without any it is
    // the one way to print at all.
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog->setOption(QAbstractPrintDialog::PrintToFile, !printersInstalled);
    if (!printersInstalled)
        printer.setOutputFormat(QPrinter::PdfFormat);
    return dialog;
}

PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

std::unique_ptr<QPrinter> AskPrinter() { return CurrentHandler()(); }

} // namespace platform
