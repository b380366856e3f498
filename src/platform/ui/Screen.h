#pragma once
// The desktop size the start-up check reads. Tests set it; otherwise it is the primary screen's.

#include <QSize>

#include <optional>

namespace platform {
QSize DesktopSize();
void SetDesktopSizeForTesting(std::optional<QSize> size);
} // namespace platform
