#pragma once
// The crash-avoidance test sheet: its six pages over the one CTcaData, Load Test, Save Test and
// Clear All Pages. Read errors come from the data as texts and are shown in one box. It grays no
// menu item; the items it has no command for do nothing.

#include "common/ui/TestSheet.h"
#include "crashavoid/TcaData.h"
#include "crashavoid/ui/TcaPages.h"

class CTcaPropertySheet : public CTestSheet {
    Q_OBJECT
public:
    enum { kTestPage, kVehiclePage, kInstPage, kLBeamPage, kAmberPage, kRolloverPage, kPageCount };

    CTcaPropertySheet(const char* caption, ISheetOwner* owner, int selectPage = 0);
    ~CTcaPropertySheet() override;

    void OnLoadTest();
    void OnSaveTest();
    void OnClearAllPages();
    // Load Test and Save Test after their file dialogs.
    bool LoadTestFile(const std::string& path);
    bool SaveTestFile(std::string path);

    CTcaData m_data;
    CTcaTestPage m_pageTest;
    CTcaVehPage m_pageVehicle;
    CTcaInstPage m_pageInst;
    CTcaLBeamPage m_pageLBeam;
    CTcaAmberPage m_pageAmber;
    CTcaRolloverPage m_pageRollover;

    bool CheckBeforeSave();

private:
    void ClearAllPageFields();
    void SaveAllPages();
    void RefreshPages();
};
