#include "crashavoid/ui/TcaPropertySheet.h"

#include "common/Convert.h"
#include "platform/Messages.h"
#include "platform/ui/WaitCursor.h"

CTcaPropertySheet::CTcaPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CTestSheet(caption, owner, selectPage, TestKind::CrashAvoidance, "Exit TCA Data Screens?")
{
    for (int i = 0; i < kPageCount; ++i)
        Page(i)->m_pData = &m_data;
    // The pages have their own checks rather than the page protocol.
    AddPages({{&m_pageTest, nullptr}, {&m_pageVehicle, nullptr}, {&m_pageInst, nullptr},
              {&m_pageLBeam, nullptr}, {&m_pageAmber, nullptr}, {&m_pageRollover, nullptr}});
    static const SheetCommandRow<CTcaPropertySheet> kCommands[] = {
        {ID_LOAD_TEST, &CTcaPropertySheet::OnLoadTest},
        {ID_SAVE_TEST, &CTcaPropertySheet::OnSaveTest},
        {ID_CLEAR_ALL_PAGES, &CTcaPropertySheet::OnClearAllPages},
    };
    OnCommands<CTcaPropertySheet>(this, kCommands);
}

CTcaPropertySheet::~CTcaPropertySheet() { ReleasePages(); }

CTcaPageBase* CTcaPropertySheet::Page(int index)
{
    switch (index) {
    case kTestPage:
        return &m_pageTest;
    case kVehiclePage:
        return &m_pageVehicle;
    case kInstPage:
        return &m_pageInst;
    case kLBeamPage:
        return &m_pageLBeam;
    case kAmberPage:
        return &m_pageAmber;
    case kRolloverPage:
        return &m_pageRollover;
    default:
        return nullptr;
    }
}

void CTcaPropertySheet::ClearAllPageFields()
{
    for (int i = 0; i < kPageCount; ++i)
        Page(i)->ClearFields();
}

void CTcaPropertySheet::OnLoadTest()
{
    const std::optional<CString> path = AskOpenFile("Open Test", "MV5 Tests (*.mv5)|*.mv5|All (*.*)|*.*||");
    if (!path || LowerExtension(*path) != "mv5")
        return;
    LoadTestFile(path->str());
}

bool CTcaPropertySheet::LoadTestFile(const std::string& path)
{
    ClearAllPageFields();
    const bool read = m_data.ReadFile(path);
    if (read) {
        m_data.m_strFileName = path;
        m_data.m_pTestRecord->m_strTotalCurves = std::to_string(m_data.m_InstRecords.size());
    }
    // The pages show what the data now holds, all of it or what came before a damaged line, so
    // that leaving a page never stores its emptied fields over what was read.
    RefreshPages();
    if (!read) {
        std::string text;
        if (m_data.m_Messages.empty()) {
            text = "File " + path + " holds no TEST section";
        } else {
            text = m_data.m_Messages.front();
            for (size_t i = 1; i < m_data.m_Messages.size(); ++i)
                text += m_data.m_Messages[i] + "\n";
        }
        AfxMessageBox(text.c_str(), MB_OK);
    }
    return read;
}

void CTcaPropertySheet::RefreshPages()
{
    for (int i : {kTestPage, kVehiclePage, kLBeamPage, kAmberPage, kRolloverPage, kInstPage}) {
        if (Page(i)->HasWindow())
            Page(i)->OnSetActive();
    }
}

void CTcaPropertySheet::OnSaveTest()
{
    if (!CheckBeforeSave())
        return;
    if (const std::optional<CString> path = AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5"))
        SaveTestFile(path->str());
}

bool CTcaPropertySheet::SaveTestFile(std::string path)
{
    SaveAllPages();
    return m_data.WriteFile(path);
}

bool CTcaPropertySheet::SaveActivePage()
{
    CTcaPageBase* page = Page(GetActiveIndex());
    return !page || page->SaveRecord();
}

void CTcaPropertySheet::SaveAllPages()
{
    for (int i : {kTestPage, kVehiclePage, kInstPage, kLBeamPage, kAmberPage, kRolloverPage}) {
        if (Page(i)->HasWindow())
            Page(i)->SaveRecord();
    }
}

bool CTcaPropertySheet::CheckBeforeSave()
{
    const CWaitCursor wait;
    // The shown record that cannot be stored stops the save: its typed values stay in front
    // rather than the stored ones being written.
    if (!SaveActivePage())
        return false;
    const int active = GetActiveIndex();
    if (!CheckMainPages())
        return false;
    SetActivePage(kInstPage);
    m_pageInst.LoadRecord();
    SetActivePage(active);
    return true;
}

bool CTcaPropertySheet::CheckMainPages()
{
    for (int i = 0; i < kPageCount; ++i) {
        if (!CheckPage(i))
            return false;
    }
    SetActivePage(kInstPage);
    m_pageInst.LoadRecord();
    return true;
}

bool CTcaPropertySheet::CheckPage(int index)
{
    CTcaPageBase* page = Page(index);
    if (!page->HasWindow())
        SetActivePage(index);
    if (!page->HasWindow())
        return true;
    if (page->CheckBeforeSave())
        return true;
    SetActivePage(index);
    page->LoadRecord();
    return false;
}

void CTcaPropertySheet::OnClearAllPages()
{
    if (!AskApplication("Really clear all entries?"))
        return;
    ClearAllPageFields();
    m_data.m_pTestRecord->SetDefaults();
    m_data.m_VehicleRecords.clear();
    if (m_data.m_pLBeamRecord)
        m_data.m_pLBeamRecord->SetDefaults();
    m_data.m_AmberRecords.clear();
    m_data.m_RolloverRecords.clear();
    m_data.m_InstRecords.clear();
    m_data.m_nCurVehicle = m_data.m_nCurBeam = m_data.m_nCurAmber = m_data.m_nCurRollover = m_data.m_nCurInst = -1;
}
