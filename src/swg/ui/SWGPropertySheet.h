#pragma once
// The SWG test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// SWG screens.

#include "common/ui/TestSheet.h"

class CSWGPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CSWGPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0)
        : CTestSheet(caption, owner, selectPage, TestKind::Swg, "Exit SWG Data Screens?")
    {
    }
};
