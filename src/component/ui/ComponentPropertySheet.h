#pragma once
// The component test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// component screens.

#include "common/ui/TestSheet.h"

class CComponentPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CComponentPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0)
        : CTestSheet(caption, owner, selectPage, TestKind::Component, "Exit Component Data Screens?")
    {
    }
};
