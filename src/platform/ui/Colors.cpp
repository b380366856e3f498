#include "platform/ui/Colors.h"

#include <QPalette>

void SetWidgetColors(QWidget* widget, COLORREF text, COLORREF back)
{
    if (!widget)
        return;
    QPalette pal = widget->palette();
    // A page loads every field again each time a record is shown: a palette set anew without a
    // change would still cost the widget a palette event and a repaint.
    bool same = true;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        same = same && pal.color(group, QPalette::Text) == ToQColor(text) &&
               pal.color(group, QPalette::Base) == ToQColor(back);
    if (same && widget->testAttribute(Qt::WA_SetPalette))
        return;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, ToQColor(text));
        pal.setColor(group, QPalette::Base, ToQColor(back));
    }
    widget->setPalette(pal);
    widget->update();
}
