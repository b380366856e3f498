#include "common/ui/PageLayout.h"

#include "platform/ui/DateTimeCtrl.h"

#include <cstring>

void AddRow(std::vector<DlgItem>& items, const ColumnGeometry& at, int y, const LabelledField& field)
{
    const bool twoLines = std::strchr(field.label, '\n') != nullptr;
    const int labelHeight = twoLines ? 18 : at.labelHeight;
    const int editY = twoLines ? y + 4 : y;
    const int editX = at.x + at.labelWidth + at.editGap;
    const int editWidth = field.editWidth ? field.editWidth : at.editWidth;
    const UINT hidden = field.style & DS_HIDDEN;
    items.push_back({field.labelId, DlgKind::Static, field.label, at.x, twoLines ? y : y + 2, at.labelWidth,
                     labelHeight, hidden});
    items.push_back({field.id, field.kind, "", editX, editY, editWidth, 13, field.style});
    const int besideX = editX + editWidth + at.buttonGap;
    if (field.searchId)
        items.push_back({field.searchId, DlgKind::Button, field.button ? field.button : at.buttonText, besideX, editY,
                         at.buttonWidth, 13, field.buttonStyle | hidden});
    if (field.customId)
        items.push_back({field.customId, DlgKind::Custom, "", besideX, editY, at.pickerWidth, 13, hidden,
                         &CDateTimeCtrl::Create});
}

void AddColumn(std::vector<DlgItem>& items, const ColumnGeometry& at, std::initializer_list<LabelledField> fields)
{
    int y = at.y;
    for (const LabelledField& field : fields) {
        AddRow(items, at, y, field);
        y += std::strchr(field.label, '\n') ? at.rowHeight + at.rowHeight / 2 : at.rowHeight;
    }
}

void AddRecordIndex(std::vector<DlgItem>& items, int x, int y, const char* group, RecordBoxIds ids,
                    const char* retainText, std::span<const BoxItem> layout)
{
    for (const BoxItem& item : layout) {
        int id = -1;
        DlgKind kind = DlgKind::Button;
        const char* text = "";
        switch (item.part) {
        case BoxPart::Group:
            kind = DlgKind::GroupBox;
            text = group;
            break;
        case BoxPart::List:
            id = ids.list;
            kind = DlgKind::ListBox;
            break;
        case BoxPart::ComboList:
            id = ids.list;
            kind = DlgKind::ComboBox;
            break;
        case BoxPart::Previous:
            id = ids.previous;
            text = "<";
            break;
        case BoxPart::Next:
            id = ids.next;
            text = ">";
            break;
        case BoxPart::Remove:
            id = ids.remove;
            text = "x";
            break;
        case BoxPart::RemoveText:
            kind = DlgKind::Static;
            text = "Delete the\nSelected Record";
            break;
        case BoxPart::Retain:
            id = ids.retain;
            kind = DlgKind::CheckBox;
            text = retainText ? retainText : "Retain the Last\nRecord for the New";
            break;
        }
        if (id == 0)
            continue;
        if (item.text && !(item.part == BoxPart::Retain && retainText))
            text = item.text;
        items.push_back({id, kind, text, x + item.x, y + item.y, item.cx, item.cy, item.style});
    }
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
