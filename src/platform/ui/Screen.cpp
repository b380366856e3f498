#include "platform/ui/Screen.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
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
// Besides the caption a title bar holds the window's icon and its minimize, maximize and close
// buttons, with padding around each: about five buttons' width.
constexpr int kTitleBarButtons = 5;
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

int CaptionWidth(const QString& caption)
{
    // The window manager draws the title; its font is not ours to read, so the caption is
    // measured in the bold application font that title bars commonly use.
    QFont font = QApplication::font();
    font.setBold(true);
    const int button = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return QFontMetrics(font).horizontalAdvance(caption) + kTitleBarButtons * button;
}

void WidenForCaption(QWidget* window)
{
    int wanted = CaptionWidth(window->windowTitle());
    if (const QRect area = DesktopArea(); !area.isEmpty())
        wanted = std::min(wanted, area.width() - kFrameWidth);
    const int extra = wanted - window->width();
    if (extra <= 0)
        return;
    if (!window->layout()) {
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow())
                child->move(child->x() + extra / 2, child->y());
        }
    }
    window->resize(wanted, window->height());
}

} // namespace platform
