#include "common/ui/PageLayout.h"

#include "platform/ui/DateTimeCtrl.h"

#include <cstring>

void AddColumn(std::vector<DlgItem>& items, const ColumnGeometry& at, std::initializer_list<LabelledField> fields)
{
    int y = at.y;
    const int editX = at.x + at.labelWidth + at.editGap;
    for (const LabelledField& field : fields) {
        const bool twoLines = std::strchr(field.label, '\n') != nullptr;
        const int labelHeight = twoLines ? 18 : at.labelHeight;
        const int editY = twoLines ? y + 4 : y;
        items.push_back({-1, DlgKind::Static, field.label, at.x, twoLines ? y : y + 2, at.labelWidth, labelHeight});
        items.push_back({field.id, DlgKind::Edit, "", editX, editY, at.editWidth, 13, field.style});
        const int besideX = editX + at.editWidth + at.buttonGap;
        if (field.searchId)
            items.push_back({field.searchId, DlgKind::Button, "Search...", besideX, editY, at.buttonWidth, 13});
        if (field.customId)
            items.push_back({field.customId, DlgKind::Custom, "", besideX, editY, at.pickerWidth, 13, 0,
                             &CDateTimeCtrl::Create});
        y += twoLines ? at.rowHeight + at.rowHeight / 2 : at.rowHeight;
    }
}

void AddRecordIndex(std::vector<DlgItem>& items, int x, int y, const char* group, RecordControls controls,
                    const char* retainText)
{
    items.push_back({-1, DlgKind::GroupBox, group, x, y, 150, 150});
    items.push_back({controls.list, DlgKind::ListBox, "", x + 8, y + 14, 50, 128});
    items.push_back({controls.remove, DlgKind::Button, "x", x + 64, y + 14, 18, 14});
    items.push_back({-1, DlgKind::Static, "Delete the\nSelected Record", x + 64, y + 32, 84, 20});
    items.push_back({controls.next, DlgKind::Button, ">", x + 64, y + 58, 18, 14});
    if (controls.retain)
        items.push_back({controls.retain, DlgKind::CheckBox, retainText, x + 62, y + 80, 86, 40, DS_MULTILINE});
}

DlgTemplate PageTemplate(const char* caption, int cx, int cy, std::vector<DlgItem> items)
{
    DlgTemplate t;
    t.caption = caption;
    t.cx = cx;
    t.cy = cy;
    t.items = std::move(items);
    return t;
}
