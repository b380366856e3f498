#include "vehicle/ui/VehiclePropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "common/RecordLine.h"
#include "platform/Messages.h"
#include "platform/ui/WaitCursor.h"

namespace {

using S = CVehiclePropertySheet;

const SheetCommandRow<S> kCommands[] = {
    {ID_LOAD_TEST, &S::OnLoadTest},
    {ID_SAVE_TEST, &S::OnSaveTest},
    {ID_SAVE_REPORT, &S::OnSaveReport},
    {ID_LOAD_HSVD_ONLY, &S::OnLoadHsvdOnly},
    {ID_SAVE_HSVD_ONLY, &S::OnSaveHsvdOnly},
    {ID_SAVE_HSVD_REPORT_ONLY, &S::OnSaveHsvdReportOnly},
    {ID_LOAD_INTRUSION_ONLY, &S::OnLoadIntrusionOnly},
    {ID_SAVE_INTRUSION_ONLY, &S::OnSaveIntrusionOnly},
    {ID_SAVE_INTRUSION_REPORT_ONLY, &S::OnSaveIntrusionReportOnly},
    {ID_FILE_PRINT, &S::PrintFileCommand},
    {ID_CLEAR_ALL_PAGES, &S::OnClearAllPages},
};

constexpr const char* kTag = "VEHDB";

// The .ip5 companion of a saved test, written also without a point (an empty section), so that
// an older file of the same name never brings back points the user deleted.
bool SaveIntrusionCompanion(CIntrusionData& intrusion, const CString& path)
{
    if (intrusion.HasIntrusion())
        return intrusion.SaveIntrusionData(path);
    return WriteWholeFile(path, [&](CStdioFile& file) {
        file.WriteString("# Source: Intrusion Data\n");
        file.WriteString(DateCommentLine());
        intrusion.WriteIntrusionSection(file);
        file.WriteString("----- END -----\n");
    });
}

} // namespace

CVehiclePropertySheet::CVehiclePropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CTestSheet(caption, owner, selectPage, TestKind::Vehicle, "Exit Vehicle Data Screens?")
    , m_hsvd(*this, m_HsvdPage, m_VehData, kHsvd, [this] { m_TestPage.OnSetActive(); })
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
    m_HsvdPage.m_cKind = 'V';

    OnCommands<S>(this, kCommands);
    SetMenuRules({
        {ID_SAVE_TEST, [this] { return !m_bUntouched; }},
        {ID_SAVE_HSVD_ONLY, [this] { return m_bHsvdValid; }},
        {ID_SAVE_HSVD_REPORT_ONLY, [this] { return m_bHsvdValid; }},
        {ID_SAVE_INTRUSION_ONLY, [this] { return m_bIntrusionValid; }},
        {ID_SAVE_INTRUSION_REPORT_ONLY, [this] { return m_bIntrusionValid; }},
    });
}

CVehiclePropertySheet::~CVehiclePropertySheet()
{
    ReleasePages();
}

BOOL CVehiclePropertySheet::OnInitDialog()
{
    const BOOL result = CTestSheet::OnInitDialog();
    m_VehData.m_nCurveCheckRequested = m_nCheckCurves;
    return result;
}

bool CVehiclePropertySheet::CheckMainPages()
{
    if (m_bUntouched)
        return false;
    return CheckPages({kTest, kVehicle, kOccupant, kRestraint, kBarrier, kInstrumentation}, kInstrumentation);
}

bool CVehiclePropertySheet::CheckBeforeSave()
{
    if (m_bUntouched)
        return false;
    const CWaitCursor wait;
    SaveActivePage();
    const int active = GetActiveIndex();
    m_bHsvdValid = m_hsvd.IsValid();
    m_bIntrusionValid = m_VehData.m_IntrusionData.HasIntrusion() && CheckPage(kIntrusion);
    m_bAllPagesValid = CheckMainPages();
    if (m_bAllPagesValid) {
        SetActivePage(kInstrumentation);
        PageProtocol(kInstrumentation)->LoadPage();
        SetActivePage(active);
    }
    return m_bAllPagesValid;
}

bool CVehiclePropertySheet::LoadIntrusionCompanion(const CString& path, bool showError, bool refreshTestPage)
{
    CIntrusionData& intrusion = m_VehData.m_IntrusionData;
    if (!intrusion.LoadIntrusionFile(path, showError))
        return false;
    if (m_VehData.m_strTestReference.IsEmpty())
        m_VehData.m_strTestReference = intrusion.m_strTestReference;
    PageProtocol(kIntrusion)->ShowRecord(intrusion.PointCount());
    if (refreshTestPage)
        m_TestPage.OnSetActive();
    RefreshPage(kIntrusion);
    return true;
}

void CVehiclePropertySheet::RefreshAfterImport()
{
    m_TestPage.OnSetActive();
    for (int index : {kBarrier, kOccupant, kRestraint, kVehicle, kInstrumentation})
        RefreshPage(index);
}

void CVehiclePropertySheet::CheckAfterLoad()
{
    m_bHsvdValid = m_hsvd.IsValid();
    m_bIntrusionValid = m_VehData.m_IntrusionData.HasIntrusion() && CheckPage(kIntrusion);
    m_bAllPagesValid = CheckMainPages();
    if (m_bAllPagesValid)
        SetActivePage(kInstrumentation);
    m_bUntouched = false;
}

void CVehiclePropertySheet::OnLoadTest()
{
    const auto path = AskOpenFile("Open Test", "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                                               "MV3 Test Data (*.gr1)|*.gr1|MV3 Vehicle Data (*.gr2)|*.gr2|"
                                               "MV3 Barrier Data (*.gr3)|*.gr3|MV3 Occupant Data (*.gr4)|*.gr4|"
                                               "MV3 Instrumentation Data (*.gr5)|*.gr5|All (*.*)|*.*||");
    if (!path)
        return;
    const CString ext = LowerExtension(*path);
    if (ext == "mv5") {
        OnClearAllPages();
        if (!m_bCleared)
            return;
        // The test page shows the test reference the companions share: it is refreshed once,
        // after them, rather than after each file.
        const bool read = m_VehData.ReadTestFile(*path);
        if (read) {
            m_VehData.m_strCurvePath = *path;
            m_VehData.m_bConfigChanged = false;
            m_VehData.m_bCurvesChecked = false;
            m_VehData.m_nCurveCheckRequested = 0;
            if (Page(kVehicle)->HasWindow()) {
                m_VehData.SetVehicleCount();
                RefreshPage(kVehicle);
            }
            RefreshPage(kBarrier);
            PageProtocol(kOccupant)->ShowRecord(m_VehData.m_nOccupantCount);
            RefreshPage(kOccupant);
            PageProtocol(kRestraint)->ShowRecord(m_VehData.m_nRestraintCount);
            RefreshPage(kRestraint);
            PageProtocol(kInstrumentation)->ShowRecord(m_VehData.m_nCurveCount);
            RefreshPage(kInstrumentation);
        }
        m_HsvdPage.m_cKind = 'V';
        const CString base = CompanionBase(*path);
        const bool cameras = m_hsvd.LoadCompanion(base + ".hs5", false, false);
        const bool points = LoadIntrusionCompanion(base + ".ip5", false, false);
        if (read || cameras || points)
            m_TestPage.OnSetActive();
    } else if (ext == "mv4") {
        OnClearAllPages();
        if (!m_bCleared)
            return;
        if (m_VehData.ReadV4TestFile(*path)) {
            m_TestPage.OnSetActive();
            RefreshPage(kBarrier);
            PageProtocol(kOccupant)->ShowRecord(m_VehData.m_nOccupantCount);
            RefreshPage(kOccupant);
            PageProtocol(kRestraint)->ShowRecord(m_VehData.m_nRestraintCount);
            RefreshPage(kRestraint);
            RefreshPage(kVehicle);
            PageProtocol(kInstrumentation)->ShowRecord(m_VehData.m_nCurveCount);
            RefreshPage(kInstrumentation);
        }
    } else if (ext == "gr1" || ext == "gr2" || ext == "gr3" || ext == "gr5") {
        int imported = 0;
        if (ext == "gr1")
            imported = m_VehData.ImportGR1(*path);
        else if (ext == "gr2")
            imported = m_VehData.ImportGR2(*path);
        else if (ext == "gr3")
            imported = m_VehData.ImportGR3(*path);
        else if ((imported = m_VehData.ImportGR5(*path)) != 0)
            PageProtocol(kInstrumentation)->ShowRecord(m_VehData.m_nCurveCount);
        if (imported)
            RefreshAfterImport();
    } else if (ext == "gr4") {
        const int occupants = m_VehData.ImportGR4(*path);
        if (occupants > 0) {
            m_VehData.m_nOccupantCount = occupants;
            PageProtocol(kOccupant)->ShowRecord(occupants);
            RefreshAfterImport();
        }
    } else {
        return;
    }
    CheckAfterLoad();
}

void CVehiclePropertySheet::OnSaveTest()
{
    if (!CheckBeforeSave())
        return;
    const auto path = AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
    if (!path)
        return;
    // A test file that could not be written has been reported: its companions stay as they
    // were, so the files on disk still belong together.
    if (!m_VehData.WriteTestFile(*path))
        return;
    const CString base = CompanionBase(*path);
    if (!m_hsvd.SaveCompanion(base))
        return;
    CIntrusionData& intrusion = m_VehData.m_IntrusionData;
    if (intrusion.m_arrPointNumber.GetSize() > 1 &&
        !(PageProtocol(kIntrusion)->SavePage() && PageProtocol(kIntrusion)->ValidatePage())) {
        AfxMessageBox("Illegal data found. No intrusion file output.");
        return;
    }
    SaveIntrusionCompanion(intrusion, base + ".ip5");
}

void CVehiclePropertySheet::OnSaveReport()
{
    if (!SavePages({kTest, kVehicle, kRestraint, kOccupant, kBarrier, kInstrumentation}))
        return;
    const auto path = AskSaveFile("Export Report", "MV5 Report (*.mvr)|*.mvr||", "mvr");
    if (!path)
        return;
    m_VehData.WriteReportFile(*path);
    const CString base = CompanionBase(*path);
    m_VehData.SaveHsvdReport(base + ".hsr");
    m_VehData.m_IntrusionData.SaveIntrusionReport(base + ".ipr");
}

void CVehiclePropertySheet::OnLoadHsvdOnly() { m_hsvd.OnLoadOnly(m_bHsvdValid); }

void CVehiclePropertySheet::OnSaveHsvdOnly() { m_hsvd.OnSaveOnly(); }

void CVehiclePropertySheet::OnSaveHsvdReportOnly() { m_hsvd.OnSaveReportOnly(); }

void CVehiclePropertySheet::OnLoadIntrusionOnly()
{
    const auto path = AskOpenFile("Open High-Speed Video File", "MV5 Intrusion (*.ip5)|*.ip5|All Files (*.*)|*.*||");
    if (!path)
        return;
    LoadIntrusionCompanion(*path, true, true);
    m_bIntrusionValid = m_VehData.m_IntrusionData.HasIntrusion() && CheckPage(kIntrusion);
}

void CVehiclePropertySheet::OnSaveIntrusionOnly()
{
    if (m_VehData.m_IntrusionData.m_arrPointNumber.GetSize() < 2 || !m_IntrPage.CheckBeforeOnlySave())
        return;
    if (const auto path = AskSaveFile("Export File", "MV5 Intrusion (*.ip5)|*.ip5||", "ip5"))
        m_VehData.m_IntrusionData.SaveIntrusionData(*path);
}

void CVehiclePropertySheet::OnSaveIntrusionReportOnly()
{
    if (m_VehData.m_IntrusionData.m_arrPointNumber.GetSize() < 2 || !m_IntrPage.CheckBeforeOnlySave())
        return;
    if (const auto path = AskSaveFile("Report File", "MV5 Intrusion (*.ipr)|*.ipr||", "ipr"))
        m_VehData.m_IntrusionData.SaveIntrusionReport(*path);
}

void CVehiclePropertySheet::OnClearAllPages()
{
    if (!m_bUntouched && !AskApplication("Really clear all entries?")) {
        m_bCleared = false;
        return;
    }
    m_bUntouched = false;

    // The data: every section to its new-test values; the version stays as it was.
    const CString version = m_VehData.m_strVersion;
    m_VehData.ResetVehData();
    m_VehData.m_strVersion = version;
    m_VehData.m_nVehicleCount = 1;

    // The pages, windowed or not; the high-speed video and intrusion pages with their data.
    for (int index = kTest; index <= kInstrumentation; ++index)
        PageProtocol(index)->ClearPage();
    m_VehData.ResetHsvd();
    m_HsvdPage.ClearPage();
    m_VehData.m_IntrusionData.ResetIntrusion();
    PageProtocol(kIntrusion)->ClearPage();
    m_bCleared = true;
}
