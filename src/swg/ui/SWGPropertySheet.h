#pragma once
// The SWG test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// SWG screens.

#include "app/SheetMenu.h"

class CSWGPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CSWGPropertySheet(const char* caption, CChooseDB* parent, int selectPage = 0)
        : CTestSheet(caption, parent, selectPage, TestKind::Swg, "Exit SWG Data Screens?")
    {
    }
};
