#include "doubles/ScriptedHelp.h"

#include <utility>

namespace platform {

ScriptedHelp::ScriptedHelp(QString indexPath, bool opens)
    : m_previousPath(SetHelpIndexPath(std::move(indexPath)))
{
    m_previousViewer = SetHelpViewer([this, opens](const QUrl& url) {
        m_opened.push_back(url);
        return opens;
    });
}

ScriptedHelp::~ScriptedHelp()
{
    SetHelpViewer(std::move(m_previousViewer));
    SetHelpIndexPath(std::move(m_previousPath));
}

} // namespace platform
