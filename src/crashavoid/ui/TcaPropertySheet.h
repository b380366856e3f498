#pragma once
// The crash-avoidance test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// crash-avoidance screens.

#include "common/ui/TestSheet.h"

class CTcaPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CTcaPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0)
        : CTestSheet(caption, owner, selectPage, TestKind::CrashAvoidance, "Exit TCA Data Screens?")
    {
    }
};
