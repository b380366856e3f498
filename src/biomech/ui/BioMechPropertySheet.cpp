#include "biomech/ui/BioMechPropertySheet.h"

#include "biomech/BioSections.h"
#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"
#include "platform/Path.h"

namespace {

using S = CBioMechPropertySheet;

constexpr const char* kTag = "BIODB";

const ImportedGrFile kImportedGrFiles[] = {{"gr1", '1'}, {"gr5", '5'}, {"gr6", '6'}, {"gr7", '7'},
                           {"gr8", '8'}, {"gry", 'y'}, {"grz", 'z'}};

// Each record page with the data's count of its records and the GR file that fills it.
struct RecordPageCount {
    int page;
    int CBioData::*count;
    const char* gr;
};
const RecordPageCount kRecordPages[] = {
    {S::kRib, &CBioData::m_nRibCount, nullptr},
    {S::kInjury, &CBioData::m_nInjuryCount, "gr8"},
    {S::kRestraint, &CBioData::m_nRestraintCount, nullptr},
    {S::kInstrumentation, &CBioData::m_nCurveCount, "gr5"},
    {S::kChestBand, &CBioData::m_nChestBandCount, "grz"},
    {S::kGauge, &CBioData::m_nGaugeCount, "gry"},
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
    m_loadFilter = "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                   "MV3 Test Data (*.gr1)|*.gr1|MV3 Instrumentation Data (*.gr5)|*.gr5|"
                   "MV3 Occupant Data (*.gr6)|*.gr6|MV3 Anthropometry Data (*.gr7)|*.gr7|"
                   "MV3 Occupant Injury Data (*.gr8)|*.gr8|MV3 Gauge Data (*.gry)|*.gry|"
                   "MV3 Chest Band Data (*.grz)|*.grz|All (*.*)|*.*||";
    m_importedGrFiles = kImportedGrFiles;
    OfferEmptyUndoRedo();
    // Save Test's check: a page in front that cannot be stored stops it; an untouched sheet is
    // checked all the same, and the check leaves in front the page it ends on.
    m_saveCheck.untouchedFails = false;
    m_saveCheck.waitCursor = false;
    m_saveCheck.unsavedPageStops = true;
    m_saveCheck.back = SaveCheck::Never;
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

void CBioMechPropertySheet::ShowPages(const CString& ext)
{
    // A new test shows the record pages that have a window at their last records; a GR file the
    // page it fills.
    const bool newTest = ext == "mv5" || ext == "mv4";
    for (const RecordPageCount& row : kRecordPages) {
        if (newTest ? Page(row.page)->HasWindow() : row.gr && ext == row.gr)
            PageProtocol(row.page)->ShowRecord(m_BioData.*row.count);
    }
    m_TestPage.OnSetActive();
    for (int index = kDummy; index <= kGauge; ++index)
        RefreshPage(index);
}

// Every failed load says the same, a file of another kind included.
void CBioMechPropertySheet::TellLoadFailure(const CString& path, const TestFileResult& /*result*/)
{
    AfxMessageBox(CString("File import fails:\n\r") + PathForMessage(path));
}

bool CBioMechPropertySheet::CheckPagesForSave()
{
    if (NoOccupant()) {
        AfxMessageBox("Both bio-dummy and bio-occupant tables are empty.\nNo file output.");
        return false;
    }
    return CheckMainPages() && CheckClosedPages("No file output.");
}

bool CBioMechPropertySheet::SavePagesForReport()
{
    if (!SavePages({kTest, kDummy, kBioOccupant, kRib, kRestraint, kAnthropometry, kInjury, kInstrumentation,
                    kChestBand, kGauge}))
        return false;
    if (NoOccupant()) {
        AfxMessageBox("Both bio-dummy and bio-occupant tables are empty.\nIt is illegal. No Report output.");
        return false;
    }
    return CheckClosedPages("No Report output.");
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
