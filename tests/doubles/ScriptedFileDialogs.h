#pragma once
// Answers the open and save dialogs from a script (a name, or cancel) and keeps what each asked.
// A dialog with no answer left is cancelled.

#include "platform/CString.h"
#include "platform/ui/FileDialog.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

namespace platform {

class ScriptedFileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    // The name the user picks, as the dialog spells it.
    void answer(const QString& path) { m_answers.push_back(path); }
    // The name by its file-system bytes.
    void answer(const CString& path);
    void answer(const char* path) { answer(CString(path)); }
    void cancel() { m_answers.push_back(std::nullopt); }
    const std::vector<FileDialogRequest>& requests() const { return m_requests; }

private:
    FileDialogHandler m_previous;
    std::deque<std::optional<QString>> m_answers;
    std::vector<FileDialogRequest> m_requests;
};

} // namespace platform
