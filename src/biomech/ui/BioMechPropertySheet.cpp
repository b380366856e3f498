#include "biomech/ui/BioMechPropertySheet.h"

#include "biomech/BioSections.h"
#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"
#include "platform/Path.h"

namespace {

using S = CBioMechPropertySheet;

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

// The pages the Occupant Type may close, with the section of the files each edits and whether
// the files will carry it (the writers' own guards, which do not ask the Occupant Type).
struct GatedSection {
    int page;
    const BioSection& (*section)();
    bool (*written)(CBioData&);
};
const GatedSection kGatedSections[] = {
    {S::kDummy, &DummyOccupantSection, [](CBioData& d) { return d.IsDummyOccupant(); }},
    {S::kBioOccupant, &BioOccupantSection, [](CBioData& d) { return d.IsBioOccupant(); }},
    {S::kRib, &RibSection, [](CBioData& d) { return d.HasRibData(); }},
    {S::kAnthropometry, &AnthropometrySection, [](CBioData& d) { return d.HasAnthropometry(); }},
    {S::kInjury, &InjurySection, [](CBioData& d) { return d.HasInjuryRecords(); }},
};

void FileImportFails(const CString& path) { AfxMessageBox(CString("File import fails:\n\r") + PathForMessage(path)); }

// Clear All Pages' test: a new test's, with no recorder and link, a cadaver, no X units and no
// camera; the version and the last curve check (choice, findings, test file path) stay, so the
// next file's first line still tells of that check.
void ClearTestData(CBioData& data)
{
    const CString version = data.m_strVersion;
    const int checkCurves = data.m_nCheckCurves;
    const int checkCount = data.m_nCurveCheckCount;
    const CurveCheckMembers curveCheck = data;
    data = CBioData();
    data.m_strVersion = version;
    data.m_nCheckCurves = checkCurves;
    data.m_nCurveCheckCount = checkCount;
    static_cast<CurveCheckMembers&>(data) = curveCheck;
    data.m_strRecorderType.Empty();
    data.m_strDataLinkType.Empty();
    data.m_strOccupantType = "CD";
    for (int n : {0, 1})
        data.m_saInstXUnits.SetAt(n, "");
    data.ResetHsvd();
}

} // namespace

CBioMechPropertySheet::CBioMechPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CHsvdTestSheet(caption, owner, selectPage, TestKind::Biomechanics, "Exit Biomechanics Data Screens?")
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
    m_hsvdOpenFilter = "MV5 HSVD (*.hs5)|*.hs5|All Files (*.*)|*.*||";
    OfferEmptyUndoRedo();
}

CBioMechPropertySheet::~CBioMechPropertySheet() { ReleasePages(); }

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

bool CBioMechPropertySheet::CheckClosedPages(const char* noOutput)
{
    for (const GatedSection& row : kGatedSections) {
        auto* page = dynamic_cast<IOccupantGated*>(Page(row.page));
        if (page && row.written(m_BioData) && !page->CheckClosedValues(row.section(), noOutput))
            return false;
    }
    return true;
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
        if (!AskClearAll())
            return;
        const bool v5 = ext == "mv5";
        const bool read = LoadNewTest(m_BioData, [&](CBioData& test) {
            ClearTestData(test);
            if (!(v5 ? test.ReadMV5File(*path) : test.ReadVersion4File(*path)))
                return false;
            if (v5)
                test.ReplaceHsvdFromFile(CompanionBase(*path) + ".hs5", false);
            return true;
        });
        if (!read) {
            FileImportFails(*path);
            return;
        }
        if (v5) {
            m_BioData.m_strCurvePath = *path;
            m_BioData.m_nCheckCurves = 0;
            m_BioData.m_bCurvesChecked = false;
        }
        RefreshPages(true);
        ShowCameras();
        if (v5)
            CheckHsvd();
    } else {
        const GrImport* import = nullptr;
        for (const GrImport& row : kGrImports) {
            if (ext == row.ext)
                import = &row;
        }
        if (!import)
            return;
        const bool read = MergeIntoTest(m_BioData, [import, &path](CBioData& test) {
            if (import->read)
                return (test.*import->read)(*path);
            const int records = (test.*import->readRecords)(*path);
            test.*import->count = records;
            return records > 0;
        });
        if (!read) {
            FileImportFails(*path);
            return;
        }
        if (import->count)
            PageProtocol(import->page)->ShowRecord(m_BioData.*import->count);
        RefreshPages(false);
        // The camera page shows the test reference an import may have brought.
        RefreshPage(kHsvd);
    }
    CheckMainPages();
    m_bUntouched = false;
}

void CBioMechPropertySheet::OnSaveTest()
{
    if (!SaveActivePage())
        return;
    CheckHsvd();
    if (NoOccupant()) {
        AfxMessageBox("Both bio-dummy and bio-occupant tables are empty.\nNo file output.");
        return;
    }
    if (!CheckMainPages() || !CheckClosedPages("No file output."))
        return;
    const auto path = AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
    if (!path)
        return;
    // A test file that could not be written has been reported: its companion stays as it was,
    // so the files on disk still belong together.
    if (!m_BioData.WriteMV5File(*path))
        return;
    SaveHsvdCompanion(CompanionBase(*path), "Illegal data found. No high-speed video file output.");
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
    if (!CheckClosedPages("No Report output."))
        return;
    const auto path = AskSaveFile("Export Report", "MV5 Report (*.mvr)|*.mvr||", "mvr");
    if (!path)
        return;
    if (!m_BioData.WriteReportFile(*path))
        return;
    SaveHsvdReportCompanion(CompanionBase(*path));
}

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
        CHsvdTestSheet::OnSaveHsvdOnly();
}

void CBioMechPropertySheet::OnSaveHsvdReportOnly()
{
    if (HsvdToSave())
        CHsvdTestSheet::OnSaveHsvdReportOnly();
}

void CBioMechPropertySheet::ClearAll()
{
    ClearTestData(m_BioData);
    for (int index = kTest; index <= kGauge; ++index)
        PageProtocol(index)->ClearPage();
    m_HsvdPage.ClearPage();
}
