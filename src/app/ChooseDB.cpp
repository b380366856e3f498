#include "app/ChooseDB.h"

#include "biomech/ui/BioMechPropertySheet.h"
#include "codes/DatabaseVersion.h"
#include "component/ui/ComponentPropertySheet.h"
#include "crashavoid/ui/TcaPropertySheet.h"
#include "platform/Version.h"
#include "swg/ui/SWGPropertySheet.h"
#include "vehicle/ui/VehiclePropertySheet.h"

#include <QRadioButton>

CVehiclePropertySheet* g_pVehicleSheet = nullptr;
CBioMechPropertySheet* g_pBioMechSheet = nullptr;
CComponentPropertySheet* g_pComponentSheet = nullptr;
CTcaPropertySheet* g_pTcaSheet = nullptr;
CSWGPropertySheet* g_pSwgSheet = nullptr;

namespace {

const DlgTemplate kChooserTemplate {
    "Morvel v5 -- KAVRO R&D Test Data Entries with Automatic Validations",
    191,
    128,
    "DejaVu Sans",
    12,
    true,
    {
        {-1, DlgKind::GroupBox, "", 9, 1, 174, 116},
        {-1, DlgKind::Picture, "", 15, 12, 32, 27},
        {-1, DlgKind::Static, "KAVRO Crash Test Data Group", 48, 12, 133, 8},
        {-1, DlgKind::Static, "Product Version:", 53, 21, 55, 9},
        {IDC_PRODUCT_VERSION, DlgKind::Static, "", 108, 21, 51, 9},
        {-1, DlgKind::Static, "Database Version:", 48, 30, 60, 8},
        {IDC_DB_VERSION, DlgKind::Static, "", 108, 30, 51, 8},
        {IDC_VEHICLE_DATABASE, DlgKind::Button, "Vehicle\nDatabase", 15, 48, 69, 25},
        {IDC_BIOMECHANICS_DATABASE, DlgKind::Button, "Biomechanics\nDatabase", 108, 48, 69, 25},
        {IDC_COMPONENT_DATABASE, DlgKind::Button, "Component\nDatabase", 15, 84, 69, 25},
        {IDC_CRASH_AVOIDANCE_DATABASE, DlgKind::Button, "Crash Avoidance\nDatabase", 108, 84, 69, 24},
        {IDC_CURVE_CHECK, DlgKind::Radio, "No curve check, may do it in Instrumentation page", 14, 119, 174, 8},
        {IDC_SWG_DATABASE, DlgKind::Button, "SWG", -1, 121, 10, 6, DS_HIDDEN},
        {IDCANCEL, DlgKind::Button, "X", 185, 0, 6, 6, DS_HIDDEN | DS_FLAT},
    },
};

// Destroys and deletes one sheet. Deletion is deferred: the sheet may be the one whose handler
// is running this very call.
template <class Sheet> void DestroySheet(Sheet*& sheet)
{
    if (!sheet)
        return;
    sheet->DestroyWindow();
    sheet->deleteLater();
    sheet = nullptr;
}

template <class Sheet> void OpenSheet(CChooseDB* chooser, Sheet*& pointer, const char* caption, bool copyCurveCheck)
{
    pointer = new Sheet(caption, chooser, 0);
    if (copyCurveCheck)
        pointer->m_nCheckCurves = chooser->m_nCheckCurves;
    pointer->Create(nullptr, 0x90CE0080, 0);
}

} // namespace

CChooseDB::CChooseDB(QWidget* parent)
    : CDialog(&kChooserTemplate, parent)
{
}

CChooseDB::~CChooseDB() = default;

void CChooseDB::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_DB_VERSION, m_strDbVersion);
    DDX_Text(pDX, IDC_PRODUCT_VERSION, m_strProductVersion);
}

BOOL CChooseDB::OnInitDialog()
{
    CDialog::OnInitDialog();

    QueryDatabaseVersion(m_strDbVersion);
    SetDlgItemText(IDC_DB_VERSION, m_strDbVersion);

    const CString version = GetProductVersionText();
    if (!version.IsEmpty())
        m_strProductVersion = version;
    SetDlgItemText(IDC_PRODUCT_VERSION, m_strProductVersion);

    CheckDlgButton(IDC_CURVE_CHECK, m_nCheckCurves);
    ShowDlgItem(IDC_CURVE_CHECK, false);

    OnClicked(IDC_VEHICLE_DATABASE, [this] { OnVehicleDatabase(); });
    OnClicked(IDC_BIOMECHANICS_DATABASE, [this] { OnBiomechanicsDatabase(); });
    OnClicked(IDC_COMPONENT_DATABASE, [this] { OnComponentDatabase(); });
    OnClicked(IDC_CRASH_AVOIDANCE_DATABASE, [this] { OnCrashAvoidanceDatabase(); });
    OnClicked(IDC_SWG_DATABASE, [this] { OnSwgDatabase(); });
    OnClicked(IDC_CURVE_CHECK, [this] { OnCurveCheckBox(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    return TRUE;
}

void CChooseDB::PrepareForSheet()
{
    hide();
    DestroySheet(g_pVehicleSheet);
    DestroySheet(g_pBioMechSheet);
    DestroySheet(g_pComponentSheet);
    DestroySheet(g_pTcaSheet);
    DestroySheet(g_pSwgSheet);
}

void CChooseDB::OnVehicleDatabase()
{
    PrepareForSheet();
    OpenSheet(this, g_pVehicleSheet, "Vehicle Data", true);
}

void CChooseDB::OnBiomechanicsDatabase()
{
    PrepareForSheet();
    OpenSheet(this, g_pBioMechSheet, "Biomechanics Data", true);
}

void CChooseDB::OnComponentDatabase()
{
    PrepareForSheet();
    OpenSheet(this, g_pComponentSheet, "Component Data", true);
}

void CChooseDB::OnCrashAvoidanceDatabase()
{
    PrepareForSheet();
    OpenSheet(this, g_pTcaSheet, "Crash Avoidance Data", true);
}

void CChooseDB::OnSwgDatabase()
{
    PrepareForSheet();
    OpenSheet(this, g_pSwgSheet, "SWG Data", false);
}

void CChooseDB::CloseAllSheets()
{
    DestroySheet(g_pBioMechSheet);
    DestroySheet(g_pSwgSheet);
    DestroySheet(g_pComponentSheet);
    DestroySheet(g_pVehicleSheet);
    DestroySheet(g_pTcaSheet);
    EndDialog(IDOK);
}

void CChooseDB::OnCurveCheckBox()
{
    CheckDlgButton(IDC_CURVE_CHECK, m_nCheckCurves ? 0 : 1);
    m_nCheckCurves = static_cast<int>(IsDlgButtonChecked(IDC_CURVE_CHECK));
    SetDlgItemText(IDC_CURVE_CHECK, m_nCheckCurves == 1 ? "Take longer time to check curves"
                                                        : "No curve check, may do it in Instrumentation page");
}
