#pragma once
// What the component pages share beyond the page protocol: a number as they show it, and their
// rows and record boxes.

#include "platform/CString.h"
#include "platform/ui/Dialog.h"

#include <vector>

// A number as the pages show it; nothing for a value that is no number.
CString RealText(double value);

// One row of a page: label, field and an optional button to its right.
struct Cell {
    int x, labelW, editW;
};

void AddRow(std::vector<DlgItem>& items, const Cell& c, int y, const char* label, int id, UINT style = 0,
            int labelId = -1, int buttonId = 0, const char* button = "Search...");

void AddRecordBox(std::vector<DlgItem>& items, int x, const char* title, int list, int next, int remove, int retain);
