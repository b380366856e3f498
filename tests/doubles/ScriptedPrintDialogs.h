#pragma once
// Answers the print dialog from a script: a PDF path prints into that file, an empty answer (or
// none left) cancels.

#include "platform/ui/PrintDialog.h"

#include <QString>

#include <deque>

namespace platform {

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
    std::deque<QString> m_answers;
    int m_asked = 0;
};

} // namespace platform
