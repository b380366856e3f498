#pragma once
// Building a page's dialog template from columns of labelled fields, for pages of many plain
// fields: a label, its edit and an optional "Search..." button per row, and the record index box
// of a record page (list, "x", ">" and the retain check box).

#include "common/ui/DataPage.h"
#include "platform/ui/Dialog.h"

#include <initializer_list>
#include <vector>

struct LabelledField {
    const char* label;
    int id;
    UINT style = 0;
    int searchId = 0;   // a "Search..." button right of the edit
    int customId = 0;   // a date picker right of the edit
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
};

// The rows of one column, top to bottom.
void AddColumn(std::vector<DlgItem>& items, const ColumnGeometry& at, std::initializer_list<LabelledField> fields);

// A record page's index box at (x, y): `group` caption, list, "x" with its caption, ">" and the
// retain check box with its text; 150 x 150 dialog units.
void AddRecordIndex(std::vector<DlgItem>& items, int x, int y, const char* group, RecordControls controls,
                    const char* retainText = "Retain the Last\nRecord for the New");

// A template of the items.
DlgTemplate PageTemplate(const char* caption, int cx, int cy, std::vector<DlgItem> items);
