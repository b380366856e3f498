#pragma once
// The desktop size the start-up check reads, and the part of it a window may take. Tests set the
// size; otherwise it is the primary screen's.

#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

namespace platform {
QSize DesktopSize();
// The screen less its panels (a size set for testing: all of it, from (0, 0)).
QRect DesktopArea();
// A desktop of this size in place of the primary screen (none: the screen again); returns the
// size it replaces.
std::optional<QSize> SetDesktopSize(std::optional<QSize> size);

// Resizes a top-level window to `wanted`, kept inside the desktop area with room for the frame
// the window manager adds, and centres it there.
void FitOnDesktop(QWidget* window, QSize wanted);
} // namespace platform
