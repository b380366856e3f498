#pragma once
// The component test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// component screens.

#include "app/SheetMenu.h"

class CComponentPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CComponentPropertySheet(const char* caption, CChooseDB* parent, int selectPage = 0)
        : CTestSheet(caption, parent, selectPage, TestKind::Component, "Exit Component Data Screens?")
    {
    }
};
