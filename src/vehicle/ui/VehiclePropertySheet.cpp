#include "common/WholeFile.h"
#include "platform/StdioFile.h"
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

// The intrusion points of an .ip5 file; the test reference, when the test has none, is theirs.
bool ReadIntrusion(CVehData& data, const CString& path, bool showError)
{
    CIntrusionData& intrusion = data.m_IntrusionData;
    if (!intrusion.LoadIntrusionFile(path, showError))
        return false;
    if (data.m_strTestReference.IsEmpty())
        data.m_strTestReference = intrusion.m_strTestReference;
    return true;
}

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
    m_hsvdOpenFilter = "MV5 HSVD (*.hs5)|*.hs5|All Files (*.*)|*.*||";

    OnCommands<S>(this, kCommands);
    AddMenuRules({
        {ID_SAVE_INTRUSION_ONLY, [this] { return m_bIntrusionValid; }},
        {ID_SAVE_INTRUSION_REPORT_ONLY, [this] { return m_bIntrusionValid; }},
    });
}

CVehiclePropertySheet::~CVehiclePropertySheet()
{
    ReleasePages();
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
    CheckHsvd();
    m_bIntrusionValid = m_VehData.m_IntrusionData.HasIntrusion() && CheckPage(kIntrusion);
    m_bAllPagesValid = CheckMainPages();
    if (m_bAllPagesValid) {
        SetActivePage(kInstrumentation);
        PageProtocol(kInstrumentation)->LoadPage();
        SetActivePage(active);
    }
    return m_bAllPagesValid;
}

void CVehiclePropertySheet::ShowIntrusion()
{
    PageProtocol(kIntrusion)->ShowRecord(m_VehData.m_IntrusionData.PointCount());
    m_TestPage.OnSetActive();
    RefreshPage(kIntrusion);
}

void CVehiclePropertySheet::RefreshAfterImport()
{
    m_TestPage.OnSetActive();
    for (int index : {kBarrier, kOccupant, kRestraint, kVehicle, kInstrumentation})
        RefreshPage(index);
    // The camera page shows the test reference an import may have brought.
    RefreshPage(kHsvd);
}

void CVehiclePropertySheet::RefreshAfterRead(bool v5)
{
    m_TestPage.OnSetActive();
    if (Page(kVehicle)->HasWindow()) {
        if (v5)
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
    ShowCameras();
    ShowIntrusion();
}

void CVehiclePropertySheet::CheckAfterLoad()
{
    CheckHsvd();
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
    if (ext == "mv5" || ext == "mv4") {
        if (!AskClearAll())
            return;
        const bool v5 = ext == "mv5";
        const bool read = LoadNewTest(m_VehData, [&](CVehData& test) {
            test.ClearTest();
            if (!v5)
                return test.ReadV4TestFile(*path) != 0;
            if (!test.ReadTestFile(*path))
                return false;
            const CString base = CompanionBase(*path);
            test.ReplaceHsvdFromFile(base + ".hs5", false);
            ReadIntrusion(test, base + ".ip5", false);
            return true;
        });
        if (!read)
            return;
        if (v5) {
            m_VehData.m_strCurvePath = *path;
            m_VehData.m_bConfigChanged = false;
            m_VehData.m_bCurvesChecked = false;
            m_VehData.m_nCurveCheckRequested = 0;
        }
        RefreshAfterRead(v5);
    } else if (ext == "gr1" || ext == "gr2" || ext == "gr3" || ext == "gr5") {
        int (CVehData::*import)(CString) = ext == "gr1"   ? &CVehData::ImportGR1
                                           : ext == "gr2" ? &CVehData::ImportGR2
                                           : ext == "gr3" ? &CVehData::ImportGR3
                                                          : &CVehData::ImportGR5;
        if (!MergeIntoTest(m_VehData, [&](CVehData& test) { return (test.*import)(*path) != 0; }))
            return;
        if (ext == "gr5")
            PageProtocol(kInstrumentation)->ShowRecord(m_VehData.m_nCurveCount);
        RefreshAfterImport();
    } else if (ext == "gr4") {
        const bool read = MergeIntoTest(m_VehData, [&](CVehData& test) {
            const int occupants = test.ImportGR4(*path);
            if (occupants <= 0)
                return false;
            test.m_nOccupantCount = occupants;
            return true;
        });
        if (!read)
            return;
        PageProtocol(kOccupant)->ShowRecord(m_VehData.m_nOccupantCount);
        RefreshAfterImport();
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
    if (!SaveHsvdCompanion(base, "Illegal data found. No high-speed video file output."))
        return;
    CIntrusionData& intrusion = m_VehData.m_IntrusionData;
    if (intrusion.m_arrPointNumber.GetSize() > 1 && !m_IntrPage.CheckBeforeSave(false))
        return;
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

void CVehiclePropertySheet::OnLoadIntrusionOnly()
{
    const auto path = AskOpenFile("Open High-Speed Video File", "MV5 Intrusion (*.ip5)|*.ip5|All Files (*.*)|*.*||");
    if (!path)
        return;
    if (ReadIntrusion(m_VehData, *path, true))
        ShowIntrusion();
    m_bIntrusionValid = m_VehData.m_IntrusionData.HasIntrusion() && CheckPage(kIntrusion);
}

void CVehiclePropertySheet::OnSaveIntrusionOnly()
{
    if (m_VehData.m_IntrusionData.m_arrPointNumber.GetSize() < 2 || !m_IntrPage.CheckBeforeSave(true))
        return;
    if (const auto path = AskSaveFile("Export File", "MV5 Intrusion (*.ip5)|*.ip5||", "ip5"))
        m_VehData.m_IntrusionData.SaveIntrusionData(*path);
}

void CVehiclePropertySheet::OnSaveIntrusionReportOnly()
{
    if (m_VehData.m_IntrusionData.m_arrPointNumber.GetSize() < 2 || !m_IntrPage.CheckBeforeSave(true))
        return;
    if (const auto path = AskSaveFile("Report File", "MV5 Intrusion (*.ipr)|*.ipr||", "ipr"))
        m_VehData.m_IntrusionData.SaveIntrusionReport(*path);
}

void CVehiclePropertySheet::ClearAll()
{
    m_VehData.ClearTest();
    // The pages, windowed or not; the high-speed video and intrusion pages with their data.
    for (int index = kTest; index <= kInstrumentation; ++index)
        PageProtocol(index)->ClearPage();
    m_HsvdPage.ClearPage();
    PageProtocol(kIntrusion)->ClearPage();
}
