#pragma once
// The program's HTML help, opened in the desktop's browser by the Help commands. The help is
// installed apart from the program, as <program folder>/../share/morvel/help/index.html; where it
// is missing, one box says where it was looked for. Tests put the front page elsewhere and see
// what would have been opened.

#include <QString>
#include <QUrl>

#include <functional>
#include <vector>

namespace platform {

// Where the help's front page is looked for.
QString HelpIndexPath();

// Opens a page in the browser; false when the desktop could not.
using HelpViewer = std::function<bool(const QUrl&)>;

// Runs the Help command: the front page in the browser, or one box saying why not.
void ShowHelp();

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
