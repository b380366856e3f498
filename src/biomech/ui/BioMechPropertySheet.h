#pragma once
// The biomechanics test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// biomechanics screens.

#include "common/ui/TestSheet.h"

class CBioMechPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CBioMechPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0)
        : CTestSheet(caption, owner, selectPage, TestKind::Biomechanics, "Exit Biomechanics Data Screens?")
    {
    }
};
