#pragma once
// Building a page's dialog template from rows of labelled fields and record boxes, the one
// builder of every kind's pages: a label, its edit and an optional button (or date picker) to
// its right per row, and a record page's box of list, ">", "x" and retain check box. A page's
// own places are its geometry and its box table; the builder only adds them up.

#include "common/ui/DataPage.h"
#include "platform/ui/Dialog.h"

#include <initializer_list>
#include <span>
#include <vector>

struct LabelledField {
    const char* label;
    int id;
    UINT style = 0;     // the edit's; DS_HIDDEN hides its label and button too
    int searchId = 0;   // a button right of the edit ("Search...", or the column's button text)
    int customId = 0;   // a date picker right of the edit
    int labelId = -1;   // the label's own id, for a page that shows or hides it
    const char* button = nullptr; // this row's button text
    UINT buttonStyle = 0;
    DlgKind kind = DlgKind::Edit;
    int editWidth = 0;  // this row's edit width; 0: the column's
};

struct ColumnGeometry {
    int x = 7;           // the label's left edge
    int y = 8;           // the first row's top
    int labelWidth = 90;
    int editWidth = 45;
    int rowHeight = 16;  // a two-line label takes one and a half rows
    int editGap = 3;     // between label and edit
    int buttonGap = 3;   // between edit and its button or picker
    int labelHeight = 10; // of a one-line label
    int buttonWidth = 42;
    int pickerWidth = 62;
    const char* buttonText = "Search...";
};

// One row with its top at `y`.
void AddRow(std::vector<DlgItem>& items, const ColumnGeometry& at, int y, const LabelledField& field);
// The rows of one column, top to bottom from `at.y`.
void AddColumn(std::vector<DlgItem>& items, const ColumnGeometry& at, std::initializer_list<LabelledField> fields);

// A record box's controls in the order they are made (their tab order), each at its place in
// dialog units from the box's corner. A part's text replaces its usual one: the group caption
// given, "", "<", ">", "x", "Delete the\nSelected Record", "Retain the Last\nRecord for the New".
enum class BoxPart { Group, List, ComboList, Previous, Next, Remove, RemoveText, Retain };
struct BoxItem {
    BoxPart part;
    int x, y, cx, cy;
    const char* text = nullptr;
    UINT style = 0;
};

// The ids of a record box's controls; a part whose id is 0 is left out.
struct RecordBoxIds {
    RecordBoxIds(RecordControls c) : list(c.list), next(c.next), remove(c.remove), retain(c.retain) {}
    RecordBoxIds(int list, int previous, int next, int remove)
        : list(list), next(next), remove(remove), previous(previous)
    {
    }
    int list = 0, next = 0, remove = 0, retain = 0, previous = 0;
};

// The record index box most record pages share: 150 x 150 dialog units, the list at the left,
// "x", its caption, ">" and the retain check box beside it.
inline constexpr BoxItem kRecordIndexBox[] = {
    {BoxPart::Group, 0, 0, 150, 150},
    {BoxPart::List, 8, 14, 50, 128},
    {BoxPart::Remove, 64, 14, 18, 14},
    {BoxPart::RemoveText, 64, 32, 84, 20},
    {BoxPart::Next, 64, 58, 18, 14},
    {BoxPart::Retain, 62, 80, 86, 40, nullptr, DS_MULTILINE},
};

// A record page's box at (x, y): `group` caption, its parts by `layout`; `retainText` (when
// given) is the retain check box's text.
void AddRecordIndex(std::vector<DlgItem>& items, int x, int y, const char* group, RecordBoxIds ids,
                    const char* retainText = nullptr, std::span<const BoxItem> layout = kRecordIndexBox);

// A template of the items.
DlgTemplate PageTemplate(const char* caption, int cx, int cy, std::vector<DlgItem> items);
