#include "doubles/MessageRecorder.h"

#include <utility>

namespace platform {

MessageRecorder::MessageRecorder()
{
    m_previous = SetMessageHandler([this](const MessageRequest& request) {
        m_messages.push_back(request);
        if (m_answers.empty())
            return DefaultAnswer(request.type);
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(std::move(m_previous)); }

std::vector<std::string> MessageRecorder::texts() const
{
    std::vector<std::string> out;
    for (const auto& m : m_messages)
        out.push_back(m.text);
    return out;
}

} // namespace platform
