#pragma once
// The colours a widget shows, as the program gives colours (platform/ui/Colors.h): the text and
// background of a field are its palette's Text and Base roles.

#include "platform/ui/Colors.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

inline COLORREF FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

inline COLORREF WidgetTextColor(const QWidget* widget)
{
    return widget ? FromQColor(widget->palette().color(QPalette::Active, QPalette::Text)) : 0;
}

inline COLORREF WidgetBackColor(const QWidget* widget)
{
    return widget ? FromQColor(widget->palette().color(QPalette::Active, QPalette::Base)) : 0;
}
