#include "platform/ui/Help.h"

#include "platform/Messages.h"
#include "platform/Path.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace platform {
namespace {

QString& IndexOverride()
{
    static QString path;
    return path;
}

HelpViewer& CurrentViewer()
{
    static HelpViewer viewer = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return viewer;
}

} // namespace

QString HelpIndexPath()
{
    if (!IndexOverride().isEmpty())
        return IndexOverride();
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/morvel/help/index.html");
}

QString SetHelpIndexPath(QString path) { return std::exchange(IndexOverride(), std::move(path)); }

HelpViewer SetHelpViewer(HelpViewer viewer) { return std::exchange(CurrentViewer(), std::move(viewer)); }

void ShowHelp()
{
    const QString index = HelpIndexPath();
    const CString where = PathForMessage(PathFromQString(index));
    if (!QFileInfo(index).isFile()) {
        AfxMessageBox(CString("The help for Morvel is not installed. It was looked for at\n") + where);
        return;
    }
    if (!CurrentViewer()(QUrl::fromLocalFile(index)))
        AfxMessageBox(CString("The help could not be shown: no web browser opened\n") + where);
}

} // namespace platform
