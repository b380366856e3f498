#pragma once
// The biomechanics test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// biomechanics screens.

#include "app/SheetMenu.h"

class CBioMechPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CBioMechPropertySheet(const char* caption, CChooseDB* parent, int selectPage = 0)
        : CTestSheet(caption, parent, selectPage, TestKind::Biomechanics, "Exit Biomechanics Data Screens?")
    {
    }
};
