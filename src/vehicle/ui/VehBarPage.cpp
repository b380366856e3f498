#include "vehicle/ui/VehBarPage.h"

namespace {

using D = CVehData;
using P = CVehBarPage;

const PageField<D> kFields[] = {
    {.id = P::IDC_BARRIER_SHAPE, .member = &D::m_strBarShape, .codeTable = "BARSHP", .searchId = P::IDC_SEARCH_SHAPE},
    {.id = P::IDC_CONTACT_ANGLE, .rule = FieldRule::Int(0, 90, true, "Degrees (0->90)"),
     .member = &D::m_strBarContactAngle},
    {.id = P::IDC_POLE_DIAMETER, .rule = FieldRule::Int(0, 9999, true, "mm (0->9999)"),
     .member = &D::m_strBarPoleDiameter},
    {.id = P::IDC_BARRIER_COMMENTS,
     .rule = FieldRule::Text(0, 70, true, "Comments length can not be longer, then 70 characters."),
     .member = &D::m_strBarComments},
};

const char* const kBarrierConfigurations[] = {"VTB", "ITB", "VTP", "PTV", "OTH", "ROL"};

// The inputs a configuration without a barrier disables (the read-only shape stays enabled).
const int kBarrierInputs[] = {P::IDC_SEARCH_SHAPE, P::IDC_CONTACT_ANGLE, P::IDC_POLE_DIAMETER,
                              P::IDC_BARRIER_COMMENTS, P::IDC_RIGID, P::IDC_DEFORMABLE};

const DlgTemplate kBarrierTemplate {
    "Barrier Info",
    509,
    209,
    "DejaVu Sans",
    8,
    false,
    {
        {-1, DlgKind::GroupBox, "Barrier", 10, 8, 200, 34},
        {P::IDC_DEFORMABLE, DlgKind::Radio, "Deformable", 22, 22, 70, 12},
        {P::IDC_RIGID, DlgKind::Radio, "Rigid", 112, 22, 70, 12},
        {-1, DlgKind::Static, "Barrier Shape:", 10, 56, 90, 9},
        {P::IDC_BARRIER_SHAPE, DlgKind::Edit, "", 105, 54, 80, 13, DS_READONLY},
        {P::IDC_SEARCH_SHAPE, DlgKind::Button, "Search...", 190, 54, 40, 13},
        {-1, DlgKind::Static, "Contact Angle:", 10, 76, 90, 9},
        {P::IDC_CONTACT_ANGLE, DlgKind::Edit, "", 105, 74, 80, 13, DS_NUMBER},
        {-1, DlgKind::Static, "Pole Diameter:", 10, 96, 90, 9},
        {P::IDC_POLE_DIAMETER, DlgKind::Edit, "", 105, 94, 80, 13, DS_NUMBER},
        {-1, DlgKind::Static, "Barrier Comments:", 10, 116, 90, 9},
        {P::IDC_BARRIER_COMMENTS, DlgKind::Edit, "", 105, 114, 390, 13, DS_UPPERCASE},
    },
};

} // namespace

CVehBarPage::CVehBarPage()
    : CDataPage<D>(&kBarrierTemplate, kFields)
{
}

CVehBarPage::~CVehBarPage() = default;

BOOL CVehBarPage::OnInitDialog()
{
    CDataPage<D>::OnInitDialog();
    CheckDlgButton(IDC_DEFORMABLE, 1);
    return TRUE;
}

void CVehBarPage::LoadExtra(const CVehData& data)
{
    const bool rigid = data.m_strBarRigidity == "R";
    CheckDlgButton(IDC_RIGID, rigid ? 1 : 0);
    CheckDlgButton(IDC_DEFORMABLE, rigid ? 0 : 1);
}

void CVehBarPage::SaveExtra(CVehData& data)
{
    data.m_strBarRigidity = IsDlgButtonChecked(IDC_DEFORMABLE) ? "D" : "R";
}

bool CVehBarPage::EnableByConfiguration()
{
    bool enabled = false;
    if (m_pData) {
        for (const char* configuration : kBarrierConfigurations)
            enabled = enabled || m_pData->m_strConfiguration == configuration;
    }
    for (int id : kBarrierInputs)
        EnableDlgItem(id, enabled);
    return enabled;
}

BOOL CVehBarPage::OnSetActive()
{
    SetFieldTypes();
    LoadFromData();
    if (EnableByConfiguration())
        AllFieldsValid();
    return CPropertyPage::OnSetActive();
}

bool CVehBarPage::CheckPage()
{
    LoadFromData();
    return AllFieldsValid();
}
