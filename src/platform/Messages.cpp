#include "platform/Messages.h"

#include "platform/Path.h"

#include <utility>

const char* const kAppTitle = "Vehicle Impact Data Morvel";

namespace platform {
namespace {
MessageHandler& CurrentHandler()
{
    static MessageHandler handler;
    return handler;
}

MessageCap*& InnermostCap()
{
    static MessageCap* cap = nullptr;
    return cap;
}
} // namespace

MessageCap::MessageCap(std::string fileName, int limit)
    : m_fileName(PathForMessage(CString(std::move(fileName))).str())
    , m_limit(limit)
    , m_outer(std::exchange(InnermostCap(), this))
{
}

MessageCap::~MessageCap()
{
    // Files may close in any order: take this one out of the chain wherever it stands.
    for (MessageCap** link = &InnermostCap(); *link; link = &(*link)->m_outer) {
        if (*link == this) {
            *link = m_outer;
            break;
        }
    }
    if (m_hidden > 0) {
        const std::string text = std::to_string(m_hidden) + (m_hidden == 1 ? " more problem was" : " more problems were") +
                                 " found in " + m_fileName + ".";
        MessageBoxA(nullptr, text.c_str(), "Error", MB_OK);
    }
}

bool MessageCap::Admit(const MessageRequest& request)
{
    if (request.buttons() != MB_OK)
        return true;
    if (m_shown < m_limit) {
        ++m_shown;
        return true;
    }
    ++m_hidden;
    return false;
}

MessageHandler SetMessageHandler(MessageHandler handler)
{
    return std::exchange(CurrentHandler(), std::move(handler));
}

int DefaultAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

namespace {
unsigned long g_messagesAsked = 0;
}

unsigned long MessagesAsked() { return g_messagesAsked; }

int ShowMessage(const MessageRequest& request)
{
    ++g_messagesAsked;
    if (MessageCap* cap = InnermostCap(); cap && !cap->Admit(request))
        return IDOK;
    const MessageHandler& handler = CurrentHandler();
    return handler ? handler(request) : DefaultAnswer(request.type);
}

} // namespace platform

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type)
{
    platform::MessageRequest request;
    request.owner = owner;
    request.text = text ? text : "";
    request.caption = caption ? caption : "Error";
    request.type = type;
    return platform::ShowMessage(request);
}

int AfxMessageBox(const char* text, UINT type, UINT /*helpId*/)
{
    return MessageBoxA(nullptr, text, kAppTitle, type);
}
