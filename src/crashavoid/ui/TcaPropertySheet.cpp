#include "crashavoid/ui/TcaPropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "common/Convert.h"
#include "platform/Messages.h"

namespace {

// The order in which Save Test checks the pages and stores them again.
constexpr int kPageOrder[] = {CTcaPropertySheet::kTestPage,  CTcaPropertySheet::kVehiclePage,
                              CTcaPropertySheet::kInstPage,  CTcaPropertySheet::kLBeamPage,
                              CTcaPropertySheet::kAmberPage, CTcaPropertySheet::kRolloverPage};

} // namespace

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
    // The shown record that cannot be stored stops the save: its typed values stay in front
    // rather than the stored ones being written. A valid test's pages are all stored again.
    m_saveCheck.untouchedFails = false;
    m_saveCheck.unsavedPageStops = true;
    m_saveCheck.front = kInstPage;
    m_saveCheck.storedAfter.assign(std::begin(kPageOrder), std::end(kPageOrder));
    // The sheet offers no way to the SWG sheet.
    DropCommand(ID_SWG_DATABASE);
}

CTcaPropertySheet::~CTcaPropertySheet() { ReleasePages(); }

void CTcaPropertySheet::ShowLoaded(const CString& /*ext*/)
{
    for (int i : {kTestPage, kVehiclePage, kLBeamPage, kAmberPage, kRolloverPage, kInstPage})
        RefreshPage(i);
}

bool CTcaPropertySheet::CheckPagesForSave()
{
    for (int i : kPageOrder) {
        if (!CheckPage(i))
            return false;
    }
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
