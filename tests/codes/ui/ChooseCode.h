#pragma once
// A code search step for the page tests: the code typed into the search's quick search, then OK.

#include "codes/ui/Search.h"
#include "common/ui/ListCtrlEx.h"

#include <QLineEdit>
#include <QTest>

namespace codetest {

inline void ChooseCode(CDialog& dialog, const char* code, int* rows = nullptr)
{
    auto& search = dynamic_cast<CSearch&>(dialog);
    if (rows)
        *rows = search.GetList()->GetItemCount();
    QTest::keyClicks(search.GetQuickSearchEdit(), code);
    search.OnOK();
}

} // namespace codetest
