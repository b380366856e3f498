#include "swg/ui/SWGPropertySheet.h"

#include "codes/ui/CodeFields.h"
#include "platform/Messages.h"

#include <QBoxLayout>
#include <QFrame>
#include <QPushButton>
#include <QScreen>


#include <filesystem>

namespace {

using S = CSWGPropertySheet;

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

constexpr const char* kTag = "SWGDB";

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
    : CTestSheet(caption, owner, selectPage, TestKind::Swg, "Exit SWG Data Screens?")
    , m_hsvd(*this, m_HsvdPage, m_SWGData, kHsvd, [this] { m_TestPage.OnSetActive(); })
{
    BindDataPages(m_SWGData, &DbCodeFields(), kTag, m_TestPage, m_InstPage);
    m_HsvdPage.m_pData = &m_SWGData;
    m_HsvdPage.m_cKind = 'S';
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

    OnCommands<S>(this, kCommands);
    SetMenuRules(WithIntrusionGrayed({
        {ID_SAVE_TEST, [this] { return PagesValid(); }},
    }));
}

CSWGPropertySheet::~CSWGPropertySheet() { ReleasePages(); }

BOOL CSWGPropertySheet::OnInitDialog()
{
    const BOOL result = CTestSheet::OnInitDialog();
    // The pages' sizes reach the window only once its layout has run: centred again then, so
    // that the widest page is not cut off at the right of the screen.
    if (layout())
        layout()->activate();
    resize(size().expandedTo(minimumSizeHint()));
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    return result;
}

bool CSWGPropertySheet::PagesValid() { return m_TestPage.AllFieldsValid() && m_InstPage.AllFieldsValid(); }

bool CSWGPropertySheet::SavePages() { return m_TestPage.SaveTest() && m_InstPage.SaveRecord(); }

void CSWGPropertySheet::RefreshAfterRead(bool showLastCurve)
{
    m_TestPage.OnSetActive();
    if (showLastCurve)
        m_InstPage.ShowRecord(m_SWGData.m_nCurveCount);
    if (m_InstPage.HasWindow())
        m_InstPage.OnSetActive();
}

void CSWGPropertySheet::OnLoadTest()
{
    const auto path = AskOpenFile("Open Test", "MV5 Tests (*.mv5)|*.mv5|MV4 Tests (*.mv4)|*.mv4|"
                                               "MV3 Test Data (*.gr1)|*.gr1|MV3 Instrumentation Data (*.gr5)|*.gr5|"
                                               "All (*.*)|*.*||");
    if (!path)
        return;
    const CString ext = LowerExtension(*path);
    if (ext == "mv5" || ext == "mv4") {
        OnClearAllPages();
        if (!m_bCleared)
            return;
        const bool v5 = ext == "mv5";
        if (v5 ? m_SWGData.ReadTestFileV5(*path) : m_SWGData.ReadTestFileV4(*path))
            RefreshAfterRead(true);
        if (v5) {
            m_HsvdPage.m_cKind = 'S';
            m_hsvd.LoadCompanion(CompanionBase(*path) + ".hs5", false, true);
        }
    } else if (ext == "gr1") {
        if (m_SWGData.ReadGR1File(*path))
            RefreshAfterRead(false);
    } else if (ext == "gr5") {
        if (m_SWGData.ReadGR5File(*path))
            RefreshAfterRead(true);
    }
}

void CSWGPropertySheet::OnSaveTest()
{
    if (!SavePages())
        return;
    const auto path = AskSaveFile("Export File", "MV5 File (*.mv5)|*.mv5||", "mv5");
    if (!path)
        return;
    // A test file that could not be written has been reported: its companion stays as it was,
    // so the files on disk still belong together.
    if (!m_SWGData.WriteTestFile(*path))
        return;
    const CString companion = CompanionBase(*path) + ".hs5";
    if ((m_SWGData.CameraCount() > 0)) {
        if (m_HsvdPage.SaveAndValidateAll())
            m_SWGData.SaveHsvdData(companion);
        else
            AfxMessageBox("Illegal data found. No file output.");
    } else if (std::filesystem::exists(std::filesystem::path(companion.str()))) {
        // An older companion of this name would bring back the cameras the user deleted the
        // next time the test is loaded: it is replaced by one without cameras.
        m_SWGData.SaveHsvdCompanion(companion);
    }
}

void CSWGPropertySheet::OnSaveReport()
{
    if (!SavePages())
        return;
    const auto path = AskSaveFile("Export Report", "MV5 Report (*.mvr)|*.mvr||", "mvr");
    if (!path)
        return;
    m_SWGData.WriteReportFile(*path);
    if (!(m_SWGData.CameraCount() > 0))
        return;
    if (m_HsvdPage.SaveAndValidateAll())
        m_SWGData.SaveHsvdReport(CompanionBase(*path) + ".hsr");
    else
        AfxMessageBox("Illegal data found. No file output.");
}

void CSWGPropertySheet::OnLoadHsvdOnly()
{
    // The high-speed video file carries the Test Reference Number the test page shows.
    if (const auto path = AskOpenFile("Open High-Speed Video File", "MV5 HSVD (*.hs5)|*.hs5|All (*.*)|*.*||"))
        m_hsvd.LoadCompanion(*path, true, true);
}

void CSWGPropertySheet::OnSaveHsvdOnly() { m_hsvd.OnSaveOnly(); }

void CSWGPropertySheet::OnSaveHsvdReportOnly() { m_hsvd.OnSaveReportOnly(); }

void CSWGPropertySheet::OnClearAllPages()
{
    if (!m_bUntouched && !AskApplication("Really clear all entries?")) {
        m_bCleared = false;
        return;
    }
    m_bUntouched = false;
    m_SWGData.ClearTest();
    m_TestPage.ClearPage();
    m_InstPage.ClearPage();
    m_SWGData.ResetHsvd();
    m_HsvdPage.ClearPage();
    m_bCleared = true;
}
