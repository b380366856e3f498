#include "doubles/ScriptedPrintDialogs.h"

#include <memory>
#include <utility>

namespace platform {

ScriptedPrintDialogs::ScriptedPrintDialogs()
{
    m_previous = SetPrintDialogHandler([this]() -> std::unique_ptr<QPrinter> {
        ++m_asked;
        if (m_answers.empty())
            return nullptr;
        const QString path = m_answers.front();
        m_answers.pop_front();
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
