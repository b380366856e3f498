#pragma once
// The crash-avoidance test sheet: its six pages over the one CTcaData, and Load Test, Save Test
// and Clear All Pages on the shell's sequence. Read errors come from the data as texts and are
// shown in one box. It grays no menu item; the items it has no command for do nothing.

#include "common/ui/TestSheet.h"
#include "crashavoid/TcaData.h"
#include "crashavoid/ui/TcaPages.h"

class CTcaPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    enum { kTestPage, kVehiclePage, kInstPage, kLBeamPage, kAmberPage, kRolloverPage, kPageCount };

    CTcaPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CTcaPropertySheet() override;

    CTcaData m_data;
    CTcaTestPage m_pageTest;
    CTcaVehPage m_pageVehicle;
    CTcaInstPage m_pageInst;
    CTcaLBeamPage m_pageLBeam;
    CTcaAmberPage m_pageAmber;
    CTcaRolloverPage m_pageRollover;

protected:
    ITestFile* TestFile() override { return &m_data; }
    // Before a test read in is taken, the page fields alone are cleared: the data keeps what no
    // file carries.
    void ClearPagesForNewTest() override { ClearPages(); }
    void ShowLoaded(const CString& ext) override;
    void ClearData() override;
    // Save Test: the first page that fails stops the check, so only its box is shown.
    bool CheckPagesForSave() override;
};
