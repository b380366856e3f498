#pragma once
// The one way the look-up dialogs set up their report list and show their rows: whole-row
// highlight, sorting on a heading click with text order in every column, then the columns and
// the rows.

#include "codes/CodeSearch.h"

class CListCtrlEx;

void ShowLookupRows(CListCtrlEx* list, int sortTypeCount, const std::vector<SearchColumn>& columns,
                    const std::vector<SearchRow>& rows);
