#include "platform/ui/Colors.h"

#include <QPalette>

void SetWidgetColors(QWidget* widget, COLORREF text, COLORREF back)
{
    if (!widget)
        return;
    QPalette pal = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, ToQColor(text));
        pal.setColor(group, QPalette::Base, ToQColor(back));
    }
    widget->setPalette(pal);
    widget->update();
}

COLORREF WidgetTextColor(const QWidget* widget)
{
    return widget ? FromQColor(widget->palette().color(QPalette::Active, QPalette::Text)) : 0;
}

COLORREF WidgetBackColor(const QWidget* widget)
{
    return widget ? FromQColor(widget->palette().color(QPalette::Active, QPalette::Base)) : 0;
}
