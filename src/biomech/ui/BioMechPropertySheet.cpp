#include "biomech/ui/BioMechPropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"
#include "platform/Path.h"

namespace {

using S = CBioMechPropertySheet;

const SheetCommandRow<S> kCommands[] = {
    {ID_LOAD_TEST, &S::OnLoadTest},
    {ID_SAVE_TEST, &S::OnSaveTest},
    {ID_SAVE_REPORT, &S::OnSaveReport},
    {ID_LOAD_HSVD_ONLY, &S::OnLoadHsvdOnly},
    {ID_SAVE_HSVD_ONLY, &S::OnSaveHsvdOnly},
    {ID_SAVE_HSVD_REPORT_ONLY, &S::OnSaveHsvdReportOnly},
    {ID_FILE_PRINT, &S::PrintFileCommand},
    {ID_CLEAR_ALL_PAGES, &S::OnClearAllPages},
};

constexpr const char* kTag = "BIODB";

// A GR import: its extension, the reader, and where a record count goes.
struct GrImport {
    const char* ext;
    bool (CBioData::*read)(CString);
    short (CBioData::*readRecords)(CString);
    int CBioData::*count;
    int page;
};
const GrImport kGrImports[] = {
    {"gr1", &CBioData::ImportGR1File, nullptr, nullptr, S::kTest},
    {"gr5", &CBioData::ImportGR5File, nullptr, &CBioData::m_nCurveCount, S::kInstrumentation},
    {"gr6", &CBioData::ImportGR6File, nullptr, nullptr, S::kTest},
    {"gr7", &CBioData::ImportGR7File, nullptr, nullptr, S::kTest},
    {"gr8", nullptr, &CBioData::ImportGR8File, &CBioData::m_nInjuryCount, S::kInjury},
    {"gry", nullptr, &CBioData::ImportGRYFile, &CBioData::m_nGaugeCount, S::kGauge},
    {"grz", nullptr, &CBioData::ImportGRZFile, &CBioData::m_nChestBandCount, S::kChestBand},
};

// Each record page with the data's count of its records.
struct RecordPageCount {
    int page;
    int CBioData::*count;
};
const RecordPageCount kRecordPages[] = {
    {S::kRib, &CBioData::m_nRibCount},
    {S::kInjury, &CBioData::m_nInjuryCount},
    {S::kRestraint, &CBioData::m_nRestraintCount},
    {S::kInstrumentation, &CBioData::m_nCurveCount},
    {S::kChestBand, &CBioData::m_nChestBandCount},
    {S::kGauge, &CBioData::m_nGaugeCount},
};

void FileImportFails(const CString& path) { AfxMessageBox(CString("File import fails:\n\r") + PathForMessage(path)); }

} // namespace

CBioMechPropertySheet::CBioMechPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CTestSheet(caption, owner, selectPage, TestKind::Biomechanics, "Exit Biomechanics Data Screens?")
    , m_hsvd(*this, m_HsvdPage, m_BioData, kHsvd, [this] { m_TestPage.OnSetActive(); })
{
    AddPages({
        {&m_TestPage, &m_TestPage},
        {&m_DumPage, &m_DumPage},
        {&m_OccPage, &m_OccPage},
        {&m_RibPage, &m_RibPage},
        {&m_AnthPage, &m_AnthPage},
        {&m_InjPage, &m_InjPage},
        {&m_RestPage, &m_RestPage},
        {&m_InstPage, &m_InstPage},
        {&m_CBandPage, &m_CBandPage},
        {&m_GaugePage, &m_GaugePage},
        {&m_HsvdPage, &m_HsvdPage},
    });
    BindDataPages(m_BioData, &DbCodeFields(), kTag, m_TestPage, m_DumPage, m_OccPage, m_AnthPage, m_RibPage, m_InjPage,
                  m_RestPage, m_InstPage, m_CBandPage, m_GaugePage);
    m_HsvdPage.m_pData = &m_BioData;
    m_HsvdPage.m_cKind = 'B';

    OnCommands<S>(this, kCommands);
    SetMenuRules(WithIntrusionGrayed({
        {ID_SAVE_TEST, [this] { return !m_bUntouched; }},
        {ID_SAVE_HSVD_ONLY, [this] { return m_bHsvdValid; }},
        {ID_SAVE_HSVD_REPORT_ONLY, [this] { return m_bHsvdValid; }},
    }));
}

CBioMechPropertySheet::~CBioMechPropertySheet() { ReleasePages(); }

BOOL CBioMechPropertySheet::OnInitDialog()
{
    const BOOL result = CTestSheet::OnInitDialog();
    m_BioData.m_nCheckCurves = m_nCheckCurves;
    return result;
}

bool CBioMechPropertySheet::NoOccupant() const { return !m_BioData.IsDummyOccupant() && !m_BioData.IsBioOccupant(); }

bool CBioMechPropertySheet::CheckMainPages()
{
    if (m_bUntouched)
        return false;
    m_bAllPagesValid = CheckPages({kTest, kDummy, kBioOccupant, kRib, kAnthropometry, kInjury, kRestraint,
                                   kInstrumentation, kChestBand, kGauge},
                                  kInstrumentation);
    return m_bAllPagesValid;
}

void CBioMechPropertySheet::RefreshPages(bool showLastRecords)
{
    m_TestPage.OnSetActive();
    for (int index = kDummy; index <= kGauge; ++index) {
        if (!Page(index)->HasWindow())
            continue;
        if (showLastRecords) {
            for (const RecordPageCount& row : kRecordPages) {
                if (row.page == index)
                    PageProtocol(index)->ShowRecord(m_BioData.*row.count);
            }
        }
        Page(index)->OnSetActive();
    }
}

void CBioMechPropertySheet::OnLoadTest()
{
    if (!SaveActivePage())
        return;
    const auto path = AskOpenFile("Open Test", "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                                               "MV3 Test Data (*.gr1)|*.gr1|MV3 Instrumentation Data (*.gr5)|*.gr5|"
                                               "MV3 Occupant Data (*.gr6)|*.gr6|MV3 Anthropometry Data (*.gr7)|*.gr7|"
                                               "MV3 Occupant Injury Data (*.gr8)|*.gr8|MV3 Gauge Data (*.gry)|*.gry|"
                                               "MV3 Chest Band Data (*.grz)|*.grz|All (*.*)|*.*||");
    if (!path)
        return;
    const CString ext = LowerExtension(*path);
    if (ext == "mv5" || ext == "mv4") {
        OnClearAllPages();
        if (!m_bCleared)
            return;
        const bool read = ext == "mv5" ? m_BioData.ReadMV5File(*path) : m_BioData.ReadVersion4File(*path);
        if (!read) {
            FileImportFails(*path);
            return;
        }
        if (ext == "mv5") {
            m_BioData.m_strCurvePath = *path;
            m_BioData.m_nCheckCurves = 0;
            m_BioData.m_bCurvesChecked = false;
        }
        RefreshPages(true);
        if (ext == "mv5") {
            m_HsvdPage.m_cKind = 'B';
            m_hsvd.LoadCompanion(CompanionBase(*path) + ".hs5", false, true);
            m_bHsvdValid = m_hsvd.IsValid();
        }
    } else {
        const GrImport* import = nullptr;
        for (const GrImport& row : kGrImports) {
            if (ext == row.ext)
                import = &row;
        }
        if (!import)
            return;
        if (import->read) {
            if (!(m_BioData.*import->read)(*path)) {
                FileImportFails(*path);
                return;
            }
        } else {
            const int records = (m_BioData.*import->readRecords)(*path);
            m_BioData.*import->count = records;
            if (records <= 0) {
                FileImportFails(*path);
                return;
            }
        }
        if (import->count)
            PageProtocol(import->page)->ShowRecord(m_BioData.*import->count);
        RefreshPages(false);
    }
    CheckMainPages();
    m_bUntouched = false;
}

void CBioMechPropertySheet::OnSaveTest()
{
    if (!SaveActivePage())
        return;
    m_bHsvdValid = m_hsvd.IsValid();
    if (NoOccupant()) {
        AfxMessageBox("Both bio-dummy and bio-occupant tables are empty.\nNo file output.");
        return;
    }
    if (!CheckMainPages())
        return;
    const auto path = AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
    if (!path)
        return;
    // A test file that could not be written has been reported: its companion stays as it was,
    // so the files on disk still belong together.
    if (!m_BioData.WriteMV5File(*path))
        return;
    m_hsvd.SaveCompanion(CompanionBase(*path));
}

void CBioMechPropertySheet::OnSaveReport()
{
    if (!SavePages({kTest, kDummy, kBioOccupant, kRib, kRestraint, kAnthropometry, kInjury, kInstrumentation,
                    kChestBand, kGauge}))
        return;
    if (NoOccupant()) {
        AfxMessageBox("Both bio-dummy and bio-occupant tables are empty.\nIt is illegal. No Report output.");
        return;
    }
    const auto path = AskSaveFile("Export Report", "MV5 Report (*.mvr)|*.mvr||", "mvr");
    if (!path)
        return;
    if (!m_BioData.WriteReportFile(*path))
        return;
    if (m_BioData.m_arrCameraNumber.GetSize() > 1) {
        if (m_HsvdPage.SaveAndValidateAll())
            m_BioData.SaveHsvdReport(CompanionBase(*path) + ".hsr");
        else
            AfxMessageBox("Illegal data found. No file output.");
    }
}

void CBioMechPropertySheet::OnLoadHsvdOnly() { m_hsvd.OnLoadOnly(m_bHsvdValid); }

bool CBioMechPropertySheet::HsvdToSave()
{
    if (GetActiveIndex() == kHsvd)
        m_HsvdPage.SaveRecord();
    if (m_BioData.HasHsvd())
        return true;
    AfxMessageBox("No available high-speed vidio information.");
    return false;
}

void CBioMechPropertySheet::OnSaveHsvdOnly()
{
    if (HsvdToSave())
        m_hsvd.OnSaveOnly();
}

void CBioMechPropertySheet::OnSaveHsvdReportOnly()
{
    if (HsvdToSave() && CheckPage(kHsvd))
        m_hsvd.OnSaveReportOnly();
}

void CBioMechPropertySheet::OnClearAllPages()
{
    if (!m_bUntouched && !AskApplication("Really clear all entries?")) {
        m_bCleared = false;
        return;
    }
    m_bUntouched = false;

    // The data: a new test's, with no recorder and link, a cadaver, no X units; the version and
    // the curve-check choice stay.
    const CString version = m_BioData.m_strVersion;
    const int checkCurves = m_BioData.m_nCheckCurves;
    m_BioData = CBioData();
    m_BioData.m_strVersion = version;
    m_BioData.m_nCheckCurves = checkCurves;
    m_BioData.m_strRecorderType.Empty();
    m_BioData.m_strDataLinkType.Empty();
    m_BioData.m_strOccupantType = "CD";
    for (int n : {0, 1})
        m_BioData.m_saInstXUnits.SetAt(n, "");

    for (int index = kTest; index <= kGauge; ++index)
        PageProtocol(index)->ClearPage();
    m_BioData.ResetHsvd();
    m_HsvdPage.ClearPage();
    m_bCleared = true;
}
