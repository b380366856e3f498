#include "crashavoid/ui/TcaPropertySheet.h"

#include "common/Convert.h"
#include "platform/Messages.h"
#include "platform/ui/WaitCursor.h"

CTcaPropertySheet::CTcaPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CTestSheet(caption, owner, selectPage, TestKind::CrashAvoidance, "Exit TCA Data Screens?")
{
    for (int i = 0; i < kPageCount; ++i)
        TcaPage(i)->m_pData = &m_data;
    // The pages have their own checks rather than the page protocol.
    AddPages({{&m_pageTest, nullptr}, {&m_pageVehicle, nullptr}, {&m_pageInst, nullptr},
              {&m_pageLBeam, nullptr}, {&m_pageAmber, nullptr}, {&m_pageRollover, nullptr}});
    static const SheetCommandRow<CTcaPropertySheet> kCommands[] = {
        {ID_LOAD_TEST, &CTcaPropertySheet::OnLoadTest},
        {ID_SAVE_TEST, &CTcaPropertySheet::OnSaveTest},
        {ID_CLEAR_ALL_PAGES, &CTcaPropertySheet::OnClearAllPages},
    };
    OnCommands<CTcaPropertySheet>(this, kCommands);
    m_bReadsVersion4 = false;
    m_bAskClearAlways = true;
    m_bLoadClears = false;
    // The sheet offers no way to the SWG sheet.
    DropCommand(ID_SWG_DATABASE);
}

CTcaPropertySheet::~CTcaPropertySheet() { ReleasePages(); }

CTcaPageBase* CTcaPropertySheet::TcaPage(int index)
{
    CTcaPageBase* const pages[] = {&m_pageTest, &m_pageVehicle, &m_pageInst, &m_pageLBeam, &m_pageAmber, &m_pageRollover};
    return index >= 0 && index < kPageCount ? pages[index] : nullptr;
}

void CTcaPropertySheet::ClearAllPageFields()
{
    for (int i = 0; i < kPageCount; ++i)
        TcaPage(i)->ClearFields();
}

void CTcaPropertySheet::ShowLoaded(const CString& /*ext*/)
{
    for (int i : {kTestPage, kVehiclePage, kLBeamPage, kAmberPage, kRolloverPage, kInstPage}) {
        if (TcaPage(i)->HasWindow())
            TcaPage(i)->OnSetActive();
    }
}

bool CTcaPropertySheet::SaveActiveTcaPage()
{
    CTcaPageBase* page = TcaPage(GetActiveIndex());
    return !page || page->SaveRecord();
}

void CTcaPropertySheet::SaveAllPages()
{
    for (int i : {kTestPage, kVehiclePage, kInstPage, kLBeamPage, kAmberPage, kRolloverPage}) {
        if (TcaPage(i)->HasWindow())
            TcaPage(i)->SaveRecord();
    }
}

bool CTcaPropertySheet::CheckBeforeSave()
{
    const CWaitCursor wait;
    // The shown record that cannot be stored stops the save: its typed values stay in front
    // rather than the stored ones being written.
    if (!SaveActiveTcaPage())
        return false;
    const int active = GetActiveIndex();
    if (!CheckMainPages())
        return false;
    SetActivePage(kInstPage);
    m_pageInst.LoadRecord();
    SetActivePage(active);
    SaveAllPages();
    return true;
}

bool CTcaPropertySheet::CheckMainPages()
{
    for (int i = 0; i < kPageCount; ++i) {
        if (!CheckTcaPage(i))
            return false;
    }
    SetActivePage(kInstPage);
    m_pageInst.LoadRecord();
    return true;
}

bool CTcaPropertySheet::CheckTcaPage(int index)
{
    CTcaPageBase* page = TcaPage(index);
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

void CTcaPropertySheet::ClearAll()
{
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
