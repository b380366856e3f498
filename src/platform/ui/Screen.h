#pragma once
// The desktop size the start-up check reads, and the part of it a window may take. Tests set the
// size; otherwise it is the primary screen's.

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace platform {
QSize DesktopSize();
// The screen less its panels (a size set for testing: all of it, from (0, 0)).
QRect DesktopArea();
// A desktop of this size in place of the primary screen (none: the screen again); returns the
// size it replaces.
std::optional<QSize> SetDesktopSize(std::optional<QSize> size);

// The width a top-level window needs for its title bar to show `caption` whole: the caption in
// a bold title font, with room for the window's icon and its buttons.
int CaptionWidth(const QString& caption);
// Widens a top-level window whose title bar would cut its caption short, within the desktop;
// its controls move with the middle of the window. A window wide enough is left as it is.
void WidenForCaption(QWidget* window);

// Resizes a top-level window to `wanted`, kept inside the desktop area with room for the frame
// the window manager adds, and centres it there.
void FitOnDesktop(QWidget* window, QSize wanted);
} // namespace platform
