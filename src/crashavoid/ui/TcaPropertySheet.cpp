#include "crashavoid/ui/TcaPropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "common/Convert.h"
#include "platform/Messages.h"
#include "platform/ui/WaitCursor.h"

CTcaPropertySheet::CTcaPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CTestSheet(caption, owner, selectPage, TestKind::CrashAvoidance, "Exit TCA Data Screens?")
{
    // Each code field names its own tag; the sheet's is that of the crash-avoidance codes.
    BindDataPages(m_data, &DbCodeFields(), "TCADB", m_pageTest, m_pageVehicle, m_pageInst, m_pageLBeam, m_pageAmber,
                  m_pageRollover);
    AddPages({{&m_pageTest, &m_pageTest}, {&m_pageVehicle, &m_pageVehicle}, {&m_pageInst, &m_pageInst},
              {&m_pageLBeam, &m_pageLBeam}, {&m_pageAmber, &m_pageAmber}, {&m_pageRollover, &m_pageRollover}});
    static const SheetCommandRow<CTcaPropertySheet> kCommands[] = {
        {ID_LOAD_TEST, &CTcaPropertySheet::OnLoadTest},
        {ID_SAVE_TEST, &CTcaPropertySheet::OnSaveTest},
        {ID_CLEAR_ALL_PAGES, &CTcaPropertySheet::OnClearAllPages},
    };
    OnCommands<CTcaPropertySheet>(this, kCommands);
    m_bReadsVersion4 = false;
    m_bAskClearAlways = true;
    m_bLoadAsksAndClears = false;
    // The sheet offers no way to the SWG sheet.
    DropCommand(ID_SWG_DATABASE);
}

CTcaPropertySheet::~CTcaPropertySheet() { ReleasePages(); }

void CTcaPropertySheet::ShowLoaded(const CString& /*ext*/)
{
    for (int i : {kTestPage, kVehiclePage, kLBeamPage, kAmberPage, kRolloverPage, kInstPage})
        RefreshPage(i);
}

void CTcaPropertySheet::SaveAllPages()
{
    for (int i : {kTestPage, kVehiclePage, kInstPage, kLBeamPage, kAmberPage, kRolloverPage})
        PageProtocol(i)->SavePage();
}

bool CTcaPropertySheet::CheckBeforeSave()
{
    const CWaitCursor wait;
    // The shown record that cannot be stored stops the save: its typed values stay in front
    // rather than the stored ones being written.
    if (!SaveActivePage())
        return false;
    const int active = GetActiveIndex();
    // The first page that fails stops the check, so only its box is shown.
    for (int i : {kTestPage, kVehiclePage, kInstPage, kLBeamPage, kAmberPage, kRolloverPage}) {
        if (!CheckPage(i))
            return false;
    }
    SetActivePage(kInstPage);
    PageProtocol(kInstPage)->LoadPage();
    SetActivePage(active);
    SaveAllPages();
    return true;
}

void CTcaPropertySheet::ClearData()
{
    m_data.m_pTestRecord->SetDefaults();
    m_data.m_VehicleRecords.clear();
    if (m_data.m_pLBeamRecord)
        m_data.m_pLBeamRecord->SetDefaults();
    m_data.m_AmberRecords.clear();
    m_data.m_RolloverRecords.clear();
    m_data.m_InstRecords.clear();
    m_data.m_nCurVehicle = m_data.m_nCurBeam = m_data.m_nCurAmber = m_data.m_nCurRollover = m_data.m_nCurInst = -1;
}
