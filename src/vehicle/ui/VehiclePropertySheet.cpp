#include "vehicle/ui/VehiclePropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"
#include "platform/ui/WaitCursor.h"

namespace {

using S = CVehiclePropertySheet;

const SheetCommandRow<S> kCommands[] = {
    {ID_LOAD_INTRUSION_ONLY, &S::OnLoadIntrusionOnly},
    {ID_SAVE_INTRUSION_ONLY, &S::OnSaveIntrusionOnly},
    {ID_SAVE_INTRUSION_REPORT_ONLY, &S::OnSaveIntrusionReportOnly},
};

constexpr const char* kTag = "VEHDB";

const ImportedGrFile kImportedGrFiles[] = {{"gr1", '1'}, {"gr2", '2'}, {"gr3", '3'}, {"gr4", '4'}, {"gr5", '5'}};

} // namespace

CVehiclePropertySheet::CVehiclePropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CHsvdTestSheet(caption, owner, selectPage, TestKind::Vehicle, "Exit Vehicle Data Screens?")
{
    AddPages({
        {&m_TestPage, &m_TestPage},
        {&m_VehPage, &m_VehPage},
        {&m_OccPage, &m_OccPage},
        {&m_RestPage, &m_RestPage},
        {&m_BarPage, &m_BarPage},
        {&m_InstPage, &m_InstPage},
        {&m_HsvdPage, &m_HsvdPage},
        {&m_IntrPage, &m_IntrPage},
    });
    BindDataPages(m_VehData, &DbCodeFields(), kTag, m_TestPage, m_VehPage, m_BarPage, m_OccPage, m_RestPage,
                  m_InstPage);
    m_IntrPage.SetVehData(&m_VehData);
    m_IntrPage.SetCodeFields(&DbCodeFields(), kTag);
    m_HsvdPage.m_pData = &m_VehData;
    m_loadFilter = "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                   "MV3 Test Data (*.gr1)|*.gr1|MV3 Vehicle Data (*.gr2)|*.gr2|"
                   "MV3 Barrier Data (*.gr3)|*.gr3|MV3 Occupant Data (*.gr4)|*.gr4|"
                   "MV3 Instrumentation Data (*.gr5)|*.gr5|All (*.*)|*.*||";
    m_importedGrFiles = kImportedGrFiles;
    m_saveCheck.front = kInstrumentation;

    OnCommands<S>(this, kCommands);
    AddMenuRules({
        {ID_SAVE_INTRUSION_ONLY, [this] { return m_bIntrusionValid; }},
        {ID_SAVE_INTRUSION_REPORT_ONLY, [this] { return m_bIntrusionValid; }},
    });
}

CVehiclePropertySheet::~CVehiclePropertySheet() { ReleasePages(); }

bool CVehiclePropertySheet::CheckMainPages()
{
    if (m_bUntouched)
        return false;
    return CheckPages({kTest, kVehicle, kOccupant, kRestraint, kBarrier, kInstrumentation}, kInstrumentation);
}

void CVehiclePropertySheet::CheckIntrusion()
{
    m_bIntrusionValid = m_VehData.m_IntrusionData.HasIntrusion() && CheckPage(kIntrusion);
}

void CVehiclePropertySheet::CheckCompanionsForSave()
{
    CHsvdTestSheet::CheckCompanionsForSave();
    CheckIntrusion();
}

bool CVehiclePropertySheet::CheckPagesForSave()
{
    m_bAllPagesValid = CheckMainPages();
    return m_bAllPagesValid;
}

void CVehiclePropertySheet::ShowIntrusion()
{
    PageProtocol(kIntrusion)->ShowRecord(m_VehData.m_IntrusionData.PointCount());
    m_TestPage.OnSetActive();
    RefreshPage(kIntrusion);
}

void CVehiclePropertySheet::ShowPages(const CString& ext)
{
    // A new test shows the record pages at their last records, a GR file the page it fills; a
    // version-5 test also sets the vehicles of its configuration.
    const bool newTest = ext == "mv5" || ext == "mv4";
    if (newTest || ext == "gr4")
        PageProtocol(kOccupant)->ShowRecord(m_VehData.m_nOccupantCount);
    if (newTest)
        PageProtocol(kRestraint)->ShowRecord(m_VehData.m_nRestraintCount);
    if (newTest || ext == "gr5")
        PageProtocol(kInstrumentation)->ShowRecord(m_VehData.m_nCurveCount);
    if (ext == "mv5" && Page(kVehicle)->HasWindow())
        m_VehData.SetVehicleCount();
    m_TestPage.OnSetActive();
    for (int index : {kVehicle, kBarrier, kOccupant, kRestraint, kInstrumentation})
        RefreshPage(index);
    if (newTest)
        ShowIntrusion();
}

void CVehiclePropertySheet::CheckPagesLoaded()
{
    CheckIntrusion();
    m_bAllPagesValid = CheckMainPages();
    if (m_bAllPagesValid)
        SetActivePage(kInstrumentation);
}

void CVehiclePropertySheet::ReadCompanions(ITestFile& read, const CString& base)
{
    CHsvdTestSheet::ReadCompanions(read, base);
    static_cast<CVehData&>(read).ReadIntrusionCompanion(CIntrusionData::DataFileBeside(base), false);
}

bool CVehiclePropertySheet::IntrusionToSave(bool named)
{
    return m_VehData.m_IntrusionData.HasIntrusion() && m_IntrPage.CheckBeforeSave(named);
}

bool CVehiclePropertySheet::SaveCompanions(const CString& base)
{
    if (!CHsvdTestSheet::SaveCompanions(base))
        return false;
    CIntrusionData& intrusion = m_VehData.m_IntrusionData;
    if (intrusion.HasIntrusion() && !m_IntrPage.CheckBeforeSave(false))
        return false;
    return intrusion.SaveIntrusionCompanion(CIntrusionData::DataFileBeside(base));
}

bool CVehiclePropertySheet::SavePagesForReport()
{
    return SavePages({kTest, kVehicle, kRestraint, kOccupant, kBarrier, kInstrumentation});
}

void CVehiclePropertySheet::SaveReportCompanions(const CString& base)
{
    CHsvdTestSheet::SaveReportCompanions(base);
    if (IntrusionToSave(false))
        m_VehData.m_IntrusionData.SaveIntrusionReport(CIntrusionData::ReportFileBeside(base));
}

void CVehiclePropertySheet::OnLoadIntrusionOnly()
{
    const auto path = AskOpenFile("Open High-Speed Video File", "MV5 Intrusion (*.ip5)|*.ip5|All Files (*.*)|*.*||");
    if (!path)
        return;
    if (m_VehData.ReadIntrusionCompanion(*path, true))
        ShowIntrusion();
    CheckIntrusion();
}

void CVehiclePropertySheet::OnSaveIntrusionOnly()
{
    if (const auto path = IntrusionToSave(true) ? AskSaveFile("Export File", "MV5 Intrusion (*.ip5)|*.ip5||", "ip5")
                                                : std::nullopt) {
        CWaitCursor wait; // for another program's commit in the folder
        m_VehData.m_IntrusionData.SaveIntrusionData(*path);
    }
}

void CVehiclePropertySheet::OnSaveIntrusionReportOnly()
{
    if (const auto path = IntrusionToSave(true) ? AskSaveFile("Report File", "MV5 Intrusion (*.ipr)|*.ipr||", "ipr")
                                                : std::nullopt) {
        CWaitCursor wait;
        m_VehData.m_IntrusionData.SaveIntrusionReport(*path);
    }
}
