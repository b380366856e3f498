#pragma once
// Records every message box while it lives and answers from a script; a box with no scripted
// answer gets its first button. Readers and writers are tested through it without a window.

#include "platform/Messages.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void setNextAnswer(int answer) { m_answers.push_back(answer); }
    const std::vector<MessageRequest>& messages() const { return m_messages; }
    std::vector<std::string> texts() const;
    int count() const { return static_cast<int>(m_messages.size()); }
    const MessageRequest& last() const { return m_messages.back(); }
    void clear() { m_messages.clear(); }

private:
    MessageHandler m_previous;
    std::vector<MessageRequest> m_messages;
    std::deque<int> m_answers;
};

} // namespace platform
