#include "platform/ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {
namespace {
std::optional<QSize>& Override()
{
    static std::optional<QSize> size;
    return size;
}

// What a window manager's title bar and borders usually take; a window not yet shown has no
// frame to measure.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 32;
} // namespace

QSize DesktopSize()
{
    if (Override())
        return *Override();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

QRect DesktopArea()
{
    if (Override())
        return QRect(QPoint(0, 0), *Override());
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

std::optional<QSize> SetDesktopSize(std::optional<QSize> size) { return std::exchange(Override(), size); }

void FitOnDesktop(QWidget* window, QSize wanted)
{
    const QRect area = DesktopArea();
    if (area.isEmpty()) {
        window->resize(wanted);
        return;
    }
    QSize frame = window->frameGeometry().size() - window->geometry().size();
    if (!window->isVisible() || frame.isEmpty())
        frame = QSize(kFrameWidth, kFrameHeight);
    const QSize room = area.size() - frame;
    window->resize(wanted.boundedTo(room).expandedTo(window->minimumSize()));
    QPoint topLeft = area.center() - QRect(QPoint(0, 0), window->size() + frame).center();
    topLeft.setX(std::max(topLeft.x(), area.left()));
    topLeft.setY(std::max(topLeft.y(), area.top()));
    window->move(topLeft);
}

} // namespace platform
