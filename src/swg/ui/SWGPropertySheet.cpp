#include "swg/ui/SWGPropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"

#include <QBoxLayout>
#include <QFrame>
#include <QPushButton>

namespace {

using S = CSWGPropertySheet;

constexpr const char* kTag = "SWGDB";

const ImportedGrFile kImportedGrFiles[] = {{"gr1", '1'}, {"gr5", '5'}};

struct BandButton {
    int id;
    const char* text;
};

const BandButton kBandButtons[] = {
    {S::IDC_BAND_BIOMECHANICS, "Biomechanics"},
    {S::IDC_BAND_VEHICLE, "Vehicle"},
    {S::IDC_BAND_COMPONENT, "Component"},
};

} // namespace

CSWGPropertySheet::CSWGPropertySheet(const char* caption, ISheetOwner* owner, int selectPage)
    : CHsvdTestSheet(caption, owner, selectPage, TestKind::Swg, "Exit SWG Data Screens?")
{
    BindDataPages(m_SWGData, &DbCodeFields(), kTag, m_TestPage, m_InstPage);
    m_HsvdPage.m_pData = &m_SWGData;
    m_loadFilter = "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                   "MV3 Test Data (*.gr1)|*.gr1|MV3 Instrumentation Data (*.gr5)|*.gr5|"
                   "All (*.*)|*.*||";
    m_importedGrFiles = kImportedGrFiles;
    m_hsvdOpenFilter = "MV5 HSVD (*.hs5)|*.hs5|All (*.*)|*.*||";
    m_camerasIllegal = kIllegalCameras;
    AddPages({{&m_TestPage, &m_TestPage}, {&m_InstPage, &m_InstPage}, {&m_HsvdPage, &m_HsvdPage}});

    // The band above the tabs.
    m_pBand = new QFrame(this);
    static_cast<QFrame*>(m_pBand)->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(m_pBand);
    row->setContentsMargins(6, 3, 6, 3);
    for (const BandButton& b : kBandButtons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), m_pBand);
        button->setObjectName(QString::number(b.id));
        row->addWidget(button);
    }
    row->addStretch();
    if (auto* column = qobject_cast<QBoxLayout*>(layout()))
        column->insertWidget(0, m_pBand);

    OfferEmptyUndoRedo();
    // Save Test follows the two pages' fields; the camera items stay enabled.
    AddMenuRules({
        {ID_SAVE_TEST, [this] { return PagesValid(); }},
        {ID_SAVE_HSVD_ONLY, [] { return true; }},
        {ID_SAVE_HSVD_REPORT_ONLY, [] { return true; }},
    });
}

CSWGPropertySheet::~CSWGPropertySheet() { ReleasePages(); }

BOOL CSWGPropertySheet::OnInitDialog()
{
    // The shell sizes the window with the band in it.
    return CTestSheet::OnInitDialog();
}

bool CSWGPropertySheet::PagesValid() { return m_TestPage.AllFieldsValid() && m_InstPage.AllFieldsValid(); }

bool CSWGPropertySheet::SaveTestAndShownCurve() { return m_TestPage.SaveTest() && m_InstPage.SaveRecord(); }

void CSWGPropertySheet::ShowPages(const CString& ext)
{
    m_TestPage.OnSetActive();
    if (ext != "gr1")
        m_InstPage.ShowRecord(m_SWGData.m_nCurveCount);
    if (m_InstPage.HasWindow())
        m_InstPage.OnSetActive();
}

void CSWGPropertySheet::OnSaveHsvdReportOnly()
{
    if (m_SWGData.HasHsvd() && !CheckCamerasBeforeSave(kIllegalCameras))
        return;
    if (const auto path = AskHsvdReportPath())
        m_SWGData.SaveHsvdReportCompanion(*path);
}
