#pragma once
// The tooltip a page's control shows, found by its id: what the user sees on hovering it.

#include "platform/ui/Dialog.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

// The control's tooltip; a control the page lacks (no window yet, or no such id) is a failure of
// the test, not an empty tip.
inline QString ControlTip(const CDlgControls& page, int id)
{
    const QWidget* control = page.GetDlgItem(id);
    if (!control) {
        ADD_FAILURE() << "no control " << id;
        return QStringLiteral("<no control>");
    }
    return control->toolTip();
}
