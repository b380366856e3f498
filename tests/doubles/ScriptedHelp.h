#pragma once
// Puts the help's front page elsewhere and keeps what the browser was asked to open.

#include "platform/ui/Help.h"

#include <QString>
#include <QUrl>

#include <vector>

namespace platform {

class ScriptedHelp {
public:
    // The front page is looked for at `indexPath`; `opens` is what the browser answers.
    explicit ScriptedHelp(QString indexPath, bool opens = true);
    ~ScriptedHelp();
    ScriptedHelp(const ScriptedHelp&) = delete;
    ScriptedHelp& operator=(const ScriptedHelp&) = delete;

    const std::vector<QUrl>& opened() const { return m_opened; }

private:
    QString m_previousPath;
    HelpViewer m_previousViewer;
    std::vector<QUrl> m_opened;
};

} // namespace platform
