#include "doubles/ScriptedDialogs.h"

#include <utility>

namespace platform {

ScriptedDialogs::ScriptedDialogs()
{
    m_previous = SetDialogRunner([this](CDialog& dialog) {
        m_captions.push_back(dialog.windowTitle());
        dialog.show();
        if (!m_steps.empty()) {
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step(dialog);
        }
        if (dialog.GetModalResult() < 0)
            dialog.EndDialog(IDCANCEL);
        return dialog.GetModalResult();
    });
}

ScriptedDialogs::~ScriptedDialogs() { SetDialogRunner(std::move(m_previous)); }

} // namespace platform
