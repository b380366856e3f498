#pragma once
// The vehicle test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// vehicle screens.

#include "common/ui/TestSheet.h"

class CVehiclePropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CVehiclePropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0)
        : CTestSheet(caption, owner, selectPage, TestKind::Vehicle, "Exit Vehicle Data Screens?")
    {
    }
};
