#include "app/ChooseDB.h"

#include "biomech/ui/BioMechPropertySheet.h"
#include "app/MorvelApp.h"
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

// One kind: its chooser button, its sheet's caption and pointer, and whether the sheet takes
// the chooser's curve-check choice.
struct KindRow {
    TestKind kind;
    int button;
    const char* caption;
    bool copyCurveCheck;
    CTestSheet* (*open)(const char* caption, CChooseDB* chooser);
    void (*destroy)();
};

template <class Sheet, Sheet** Pointer> CTestSheet* OpenKindSheet(const char* caption, CChooseDB* chooser)
{
    *Pointer = new Sheet(caption, chooser, 0);
    return *Pointer;
}

template <class Sheet, Sheet** Pointer> void DestroyKindSheet() { DestroySheet(*Pointer); }

#define KIND_SHEET(Sheet, pointer) &OpenKindSheet<Sheet, &pointer>, &DestroyKindSheet<Sheet, &pointer>

// In the order CloseAllSheets deletes them.
const KindRow kKinds[] = {
    {TestKind::Biomechanics, IDC_BIOMECHANICS_DATABASE, "Biomechanics Data", true,
     KIND_SHEET(CBioMechPropertySheet, g_pBioMechSheet)},
    {TestKind::Swg, IDC_SWG_DATABASE, "SWG Data", false, KIND_SHEET(CSWGPropertySheet, g_pSwgSheet)},
    {TestKind::Component, IDC_COMPONENT_DATABASE, "Component Data", true,
     KIND_SHEET(CComponentPropertySheet, g_pComponentSheet)},
    {TestKind::Vehicle, IDC_VEHICLE_DATABASE, "Vehicle Data", true, KIND_SHEET(CVehiclePropertySheet, g_pVehicleSheet)},
    {TestKind::CrashAvoidance, IDC_CRASH_AVOIDANCE_DATABASE, "Crash Avoidance Data", true,
     KIND_SHEET(CTcaPropertySheet, g_pTcaSheet)},
};

#undef KIND_SHEET

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

    for (const KindRow& row : kKinds)
        OnClicked(row.button, [this, kind = row.kind] { OpenKind(kind); });
    OnClicked(IDC_CURVE_CHECK, [this] { OnCurveCheckBox(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    return TRUE;
}

void CChooseDB::PrepareForSheet()
{
    hide();
    for (const KindRow& row : kKinds)
        row.destroy();
}

void CChooseDB::OpenKind(TestKind kind)
{
    for (const KindRow& row : kKinds) {
        if (row.kind != kind)
            continue;
        PrepareForSheet();
        CTestSheet* sheet = row.open(row.caption, this);
        if (row.copyCurveCheck)
            sheet->m_nCheckCurves = m_nCheckCurves;
        sheet->Create(nullptr, 0x90CE0080, 0);
        return;
    }
}

void CChooseDB::CloseAllSheets()
{
    for (const KindRow& row : kKinds)
        row.destroy();
    EndDialog(IDOK);
}

void CChooseDB::ShowAbout() { CMorvelV5App::OnAppAbout(); }

void CChooseDB::OnCurveCheckBox()
{
    CheckDlgButton(IDC_CURVE_CHECK, m_nCheckCurves ? 0 : 1);
    m_nCheckCurves = static_cast<int>(IsDlgButtonChecked(IDC_CURVE_CHECK));
    SetDlgItemText(IDC_CURVE_CHECK, m_nCheckCurves == 1 ? "Take longer time to check curves"
                                                        : "No curve check, may do it in Instrumentation page");
}
