#include "doubles/ScriptedFileDialogs.h"

#include "platform/Path.h"

#include <utility>

namespace platform {

ScriptedFileDialogs::ScriptedFileDialogs()
{
    m_previous = SetFileDialogHandler([this](const FileDialogRequest& request) -> std::optional<QString> {
        m_requests.push_back(request);
        if (m_answers.empty())
            return std::nullopt;
        std::optional<QString> answer;
        answer.swap(m_answers.front());
        m_answers.pop_front();
        return answer;
    });
}

ScriptedFileDialogs::~ScriptedFileDialogs() { SetFileDialogHandler(std::move(m_previous)); }

void ScriptedFileDialogs::answer(const CString& path) { m_answers.push_back(PathToQString(path)); }

} // namespace platform
