#include "codes/ui/LookupList.h"

#include "common/ui/ListCtrlEx.h"

void ShowLookupRows(CListCtrlEx* list, int sortTypeCount, const std::vector<SearchColumn>& columns,
                    const std::vector<SearchRow>& rows)
{
    if (!columns.empty()) {
        list->SetHighlightType(2);
        list->EnableSort(true);
        const std::vector<unsigned char> textTypes(static_cast<size_t>(sortTypeCount), kSortText);
        list->SetColumnTypes(textTypes.data(), sortTypeCount);
        for (size_t c = 0; c < columns.size(); ++c)
            list->InsertColumn(static_cast<int>(c), columns[c].heading,
                               columns[c].centred ? LVCFMT_CENTER : LVCFMT_LEFT, columns[c].width);
    }
    list->SetRedraw(false);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int item = list->InsertItem(static_cast<int>(r), rows[r].empty() ? "" : rows[r][0].GetString());
        for (size_t c = 1; c < rows[r].size(); ++c)
            list->SetItemText(item, static_cast<int>(c), rows[r][c]);
    }
    list->SetRedraw(true);
}
