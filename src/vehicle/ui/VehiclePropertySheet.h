#pragma once
// The vehicle test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// vehicle screens.

#include "app/SheetMenu.h"

class CVehiclePropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CVehiclePropertySheet(const char* caption, CChooseDB* parent, int selectPage = 0)
        : CTestSheet(caption, parent, selectPage, TestKind::Vehicle, "Exit Vehicle Data Screens?")
    {
    }
};
