#pragma once
// Runs each dialog's DoModal from a script: the dialog is shown and the next step types and
// clicks into it, normally ending it. A dialog still open after its step, or opened with no step
// left, is cancelled. Records the caption of each dialog run.

#include "platform/ui/Dialog.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace platform {

class ScriptedDialogs {
public:
    using Step = std::function<void(CDialog&)>;
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void then(Step step) { m_steps.push_back(std::move(step)); }
    const std::vector<QString>& captions() const { return m_captions; }
    int run() const { return static_cast<int>(m_captions.size()); }

private:
    DialogRunner m_previous;
    std::deque<Step> m_steps;
    std::vector<QString> m_captions;
};

} // namespace platform
