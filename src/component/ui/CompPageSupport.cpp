#include "component/ui/CompPageSupport.h"

#include <cmath>

CString RealText(double value)
{
    if (!std::isfinite(value))
        return CString();
    CString text;
    text.Format("%.2lf", value);
    return text;
}

void AddRow(std::vector<DlgItem>& items, const Cell& c, int y, const char* label, int id, UINT style,
            int labelId, int buttonId, const char* button)
{
    items.push_back({labelId, DlgKind::Static, label, c.x, y + 2, c.labelW, 10});
    items.push_back({id, DlgKind::Edit, "", c.x + c.labelW + 2, y, c.editW, 13, style});
    if (buttonId)
        items.push_back({buttonId, DlgKind::Button, button, c.x + c.labelW + c.editW + 5, y, 40, 13});
}

void AddRecordBox(std::vector<DlgItem>& items, int x, const char* title, int list, int next, int remove, int retain)
{
    items.push_back({-1, DlgKind::GroupBox, title, x, 4, 92, 168});
    items.push_back({list, DlgKind::ListBox, "", x + 8, 18, 76, 90});
    items.push_back({remove, DlgKind::Button, "x", x + 8, 112, 18, 14});
    items.push_back({next, DlgKind::Button, ">", x + 66, 112, 18, 14});
    items.push_back({-1, DlgKind::Static, "Delete the\nSelected Record", x + 4, 130, 84, 18});
    items.push_back({retain, DlgKind::CheckBox, "Retain the Last\nRecord for the New", x + 4, 148, 84, 22});
}
