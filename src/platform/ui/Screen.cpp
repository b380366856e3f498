#include "platform/ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {
std::optional<QSize>& Override()
{
    static std::optional<QSize> size;
    return size;
}
} // namespace

QSize DesktopSize()
{
    if (Override())
        return *Override();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void SetDesktopSizeForTesting(std::optional<QSize> size) { Override() = size; }

} // namespace platform
