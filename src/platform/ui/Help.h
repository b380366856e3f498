#pragma once
// The program's HTML help, opened in the desktop's browser by the Help commands. The help is
// installed apart from the program, as <program folder>/../share/morvel/help/index.html; where it
// is missing, one box says where it was looked for. Tests put the front page elsewhere and see
// what would have been opened.

#include <QString>
#include <QUrl>

#include <functional>

namespace platform {

// Where the help's front page is looked for.
QString HelpIndexPath();

// Opens a page in the browser; false when the desktop could not.
using HelpViewer = std::function<bool(const QUrl&)>;

// Where the front page is looked for in place of the installed place (empty: the installed place
// again), and what opens a page in place of the desktop's browser. Each returns the one it
// replaces.
QString SetHelpIndexPath(QString path);
HelpViewer SetHelpViewer(HelpViewer viewer);

// Runs the Help command: the front page in the browser, or one box saying why not.
void ShowHelp();

} // namespace platform
