#include "platform/Messages.h"

#include "platform/Path.h"

#include <cctype>
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

ActionBoxes*& InnermostAction()
{
    static ActionBoxes* action = nullptr;
    return action;
}

QuietBoxes*& InnermostQuiet()
{
    static QuietBoxes* quiet = nullptr;
    return quiet;
}
} // namespace

ActionBoxes::ActionBoxes(std::function<std::string()> untold)
    : m_untold(std::move(untold))
    , m_outer(std::exchange(InnermostAction(), this))
{
}

ActionBoxes::~ActionBoxes()
{
    // Out of the chain first: the last box is no box of the action.
    InnermostAction() = m_outer;
    try {
        TellUntold();
    } catch (...) {
        // A box that cannot be shown (out of memory) must not end the program from a destructor.
    }
}

ActionBoxes* ActionBoxes::Current() { return InnermostAction(); }

void ActionBoxes::TellUntold()
{
    if (const std::string untold = TakeUntold(); !untold.empty())
        AfxMessageBox(untold.c_str(), MB_OK);
}

ActionBoxes::Waiting::Waiting()
    : m_action(InnermostAction())
{
    if (!m_action)
        return;
    m_action->TellUntold();
    ++m_action->m_waiting;
}

ActionBoxes::Waiting::~Waiting()
{
    if (m_action)
        --m_action->m_waiting;
}

std::pair<std::string, std::string> ActionBoxes::Key(const MessageRequest& request)
{
    // Letter case aside: a page shows a date it has loaded in capitals, so the same bad date told
    // again as the page is shown once more reads "VERIFY" where it first read "Verify".
    std::string folded = request.text;
    for (char& c : folded)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return {request.caption, std::move(folded)};
}

bool ActionBoxes::Repeats(const MessageRequest& request) const
{
    return request.buttons() == MB_OK && m_waiting == 0 && m_shown.count(Key(request)) > 0;
}

void ActionBoxes::Shown(const MessageRequest& request)
{
    if (request.buttons() == MB_OK && m_waiting == 0)
        m_shown.insert(Key(request));
}

QuietBoxes::QuietBoxes()
    : m_outer(std::exchange(InnermostQuiet(), this))
{
}

QuietBoxes::~QuietBoxes() { InnermostQuiet() = m_outer; }

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

bool MessageCap::Admit(const MessageRequest& request, bool dropRepeats)
{
    if (request.buttons() != MB_OK)
        return true;
    if (m_shown < m_limit) {
        ++m_shown;
        return true;
    }
    // A problem held back already is one problem, however often it is told.
    if (!dropRepeats || m_held.insert(ActionBoxes::Key(request)).second)
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
    if (QuietBoxes* quiet = InnermostQuiet()) {
        ++quiet->m_asked;
        return DefaultAnswer(request.type);
    }
    ++g_messagesAsked;
    ActionBoxes* action = ActionBoxes::Current();
    // A repeat is dropped before the cap sees it: the cap counts problems the user has not read.
    // What a cap holds back the user has not read either, so only a box shown makes a repeat.
    if (action && action->Repeats(request))
        return IDOK;
    if (MessageCap* cap = InnermostCap(); cap && !cap->Admit(request, action != nullptr))
        return IDOK;
    if (action)
        action->Shown(request);
    const MessageHandler& handler = CurrentHandler();
    if (action && request.buttons() == MB_OK) {
        if (const std::string untold = action->TakeUntold(); !untold.empty()) {
            MessageRequest joined = request;
            joined.text += "\n\n" + untold;
            return handler ? handler(joined) : DefaultAnswer(joined.type);
        }
    }
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
