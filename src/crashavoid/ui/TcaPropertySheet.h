#pragma once
// The crash-avoidance test sheet: caption, menu, kind switch and exit. Its pages and data come with the
// crash-avoidance screens.

#include "app/SheetMenu.h"

class CTcaPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    CTcaPropertySheet(const char* caption, CChooseDB* parent, int selectPage = 0)
        : CTestSheet(caption, parent, selectPage, TestKind::CrashAvoidance, "Exit TCA Data Screens?")
    {
    }
};
