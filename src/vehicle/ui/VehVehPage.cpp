#include "vehicle/ui/VehVehPage.h"

#include "codes/CodeCheck.h"
#include "common/KavroNo.h"
#include "common/ui/EditKavroNo.h"
#include "platform/ui/SpinButton.h"

#include <QLineEdit>

#include <cstring>
#include <vector>

namespace {

// One data field of the page: its label, edit, VEHICLE field, rule, code table, the button
// beside it, its styles and its place (column 0 or 1 and row; column 2 spans the page).
struct VehControl {
    const char* label;
    int id;
    CStringArray CVehData::*array;
    FieldRule rule;
    const char* codeTable;
    int buttonId;
    UINT style; // the edit's: digits only, upper case, read-only
    int column;
    int row;
};

constexpr unsigned kCode = DS_READONLY | DS_UPPERCASE;

const FieldRule kNone = FieldRule::Plain();
const FieldRule kAngle = FieldRule::Int(0, 359, true, "degrees (0->359)");

const VehControl kControls[] = {
    {"Vehicle Make:", 1129, &CVehData::m_saVehMake, kNone, "MAKE", 1194, kCode, 0, 1},
    {"Vehicle Model:", 1130, &CVehData::m_saVehModel, kNone, "MODEL", 1109, kCode, 0, 2},
    {"Vehicle Model Year:", 1131, &CVehData::m_saVehYear, FieldRule::Int(1900, 9999, true, "1900 to 9999"), nullptr, 0,
     DS_NUMBER, 0, 3},
    {"KAVRO Number:", 1132, &CVehData::m_saVehKavroNo,
     FieldRule::Text(6, 9, true, "9 chars: 1st - purchasing office; 2nd-5th - year; 6th-9th manufacturer code"),
     nullptr, 1710, DS_UPPERCASE, 0, 4},
    {"Body Type:", 1133, &CVehData::m_saVehBodyType, kNone, "BODY", 1110, kCode, 0, 5},
    {"Manufacturer VIN:", 1134, &CVehData::m_saVehVin, FieldRule::Text(0, 17, true), nullptr, 0, DS_UPPERCASE, 0, 6},
    {"Engine Type:", 1135, &CVehData::m_saVehEngineType, kNone, "ENGINE", 1111, kCode, 0, 7},
    // The tooltip names a smaller range than the rule takes; both are the page's.
    {"Engine Displacement:", 1136, &CVehData::m_saVehEngineDisplacement,
     FieldRule::Real(0, 9999.9, true, "liters (00.0->99.9)"), nullptr, 0, DS_UPPERCASE, 0, 8},
    {"Transmission Type:", 1137, &CVehData::m_saVehTransmission, kNone, "TRANSM", 1112, kCode, 0, 9},
    {"Vehicle Test Weight:", 1138, &CVehData::m_saVehTestWeight, FieldRule::Int(0, 99999, true, "kg (0->99999)"),
     nullptr, 0, DS_NUMBER, 0, 10},
    {"Vehicle Curb Weight:", 1160, &CVehData::m_saVehCurbWeight, FieldRule::Int(0, 99999, true, "kg (0->99999)"),
     nullptr, 0, DS_NUMBER, 0, 11},
    {"Wheelbase:", 1139, &CVehData::m_saVehWheelbase, FieldRule::Int(0, 99999, true, "mm (0->99999)"), nullptr, 0,
     DS_NUMBER, 0, 12},
    {"Vehicle Length:", 1140, &CVehData::m_saVehLength, FieldRule::Int(0, 99999, true, "mm (0->99999)"), nullptr, 0,
     DS_NUMBER, 0, 13},
    {"Vehicle Width:", 1141, &CVehData::m_saVehWidth, FieldRule::Int(0, 9999, true, "mm (0->9999)"), nullptr, 0,
     DS_NUMBER, 0, 14},
    {"Vehicle Center of Gravity:", 1142, &CVehData::m_saVehCgBehindFrontAxle,
     FieldRule::Int(0, 9999, true, "mm (0->9999)"), nullptr, 0, DS_NUMBER, 0, 15},
    {"Damage Distance\nto Center of Gravity:", 1158, &CVehData::m_saVehDamageToCg,
     FieldRule::Int(-9999, 99999, true, "mm (-9999->99999)"), nullptr, 0, 0, 0, 16},
    {"Maximum Crush Distance:", 1159, &CVehData::m_saVehMaxCrush, FieldRule::Int(0, 9999, true, "mm (0->9999)"),
     nullptr, 0, DS_NUMBER, 1, 0},
    {"Steering Column Shear Capsule Separation:", 1143, &CVehData::m_saVehShearCapsule, kNone, "STRSEP", 1118, kCode,
     1, 1},
    {"Steering Column Collapse Mechanism:", 1144, &CVehData::m_saVehCollapseMechanism, kNone, "COLMEC", 1116, kCode,
     1, 2},
    {"Vehicle Modification Indicator:", 1145, &CVehData::m_saVehModIndicator, kNone, "MODIND", 1117, kCode, 1, 3},
    {"Vehicle Speed:", 1147, &CVehData::m_saVehSpeed, FieldRule::Real(0, 999.99, true, "km/hr (000.00->999.99)"),
     nullptr, 0, 0, 1, 4},
    {"Crabbed Angle:", 1148, &CVehData::m_saVehCrabbedAngle, kAngle, nullptr, 0, DS_NUMBER, 1, 5},
    {"Principal Direction of Force:", 1149, &CVehData::m_saVehPdof, kAngle, nullptr, 0, DS_NUMBER, 1, 6},
    {"Bumper Engagement:", 1150, &CVehData::m_saVehBumperEngagement, kNone, "BMPENG", 1113, kCode, 1, 7},
    {"Sill Engagement:", 1151, &CVehData::m_saVehSillEngagement, kNone, "SILENG", 1115, kCode, 1, 8},
    {"A-Pillar Engagement:", 1152, &CVehData::m_saVehAPillarEngagement, kNone, "APLENG", 1114, kCode, 1, 9},
    {"Vehicle Damage Index:", 1154, &CVehData::m_saVehDamageIndex, FieldRule::Text(0, 7, true, "see SAE J224a"),
     nullptr, 0, DS_UPPERCASE, 1, 10},
    {"Angle of Moving Test Cart:", 1153, &CVehData::m_saVehCartAngle, kAngle, nullptr, 0, DS_NUMBER, 1, 11},
    {"Vehicle Orientation\non Moving Cart:", 1155, &CVehData::m_saVehCartOrientation,
     FieldRule::Int(0, 90, true, "degrees (0-90)"), nullptr, 0, DS_NUMBER, 1, 12},
    {"Total Length of Indentation:", 1156, &CVehData::m_saVehIndentationLength,
     FieldRule::Int(0, 99999, true, "mm (0->99999)"), nullptr, 0, DS_NUMBER, 1, 13},
    {"Description of\nVehicle Modification:", 1146, &CVehData::m_saVehModDescription, FieldRule::Text(0, 70, true),
     nullptr, 0, DS_UPPERCASE, 2, 18},
    {"Vehicle Comments:", 1157, &CVehData::m_saVehComments, FieldRule::Text(0, 70, true), nullptr, 0, DS_UPPERCASE, 2,
     19},
};

// The measurement buttons: dialog, button, label and tooltip.
struct MeasureButton {
    MeasureKind kind;
    int id;
    const char* text;
    int label;
    const char* tooltip;
};
const MeasureButton kMeasureButtons[] = {
    {MeasureKind::PreTest, CVehVehPage::IDC_PRETEST, "Pretest Vehicle Measurement Data",
     CVehVehPage::IDC_PRETEST_ERROR, "Set Pretest Measurement Values"},
    {MeasureKind::PostTest, CVehVehPage::IDC_POSTTEST, "Post-test Vehicle Measurement Data",
     CVehVehPage::IDC_POSTTEST_ERROR, "Set Posttest Measurement Values"},
    {MeasureKind::Damage, CVehVehPage::IDC_DAMAGE, "Damage Profile Distances", CVehVehPage::IDC_DAMAGE_ERROR,
     "Set Damage Profile Distance Values"},
};
const PageTip kTips[] = {
    {CVehVehPage::IDC_PRETEST, "Set Pretest Measurement Values"},
    {CVehVehPage::IDC_POSTTEST, "Set Posttest Measurement Values"},
    {CVehVehPage::IDC_DAMAGE, "Set Damage Profile Distance Values"},
};

const char* const kErrorInside = "Error Inside ^";

// The code fields in the order their codes are checked when a vehicle is loaded.
const char* const kCodeCheckOrder[] = {"MAKE",   "MODEL",  "BODY",   "ENGINE", "TRANSM", "COLMEC",
                                       "MODIND", "SILENG", "APLENG", "BMPENG", "STRSEP"};

const std::vector<PageField<CVehData>>& VehFields()
{
    static const std::vector<PageField<CVehData>> fields = [] {
        std::vector<PageField<CVehData>> rows;
        for (const VehControl& c : kControls) {
            PageField<CVehData> row;
            row.id = c.id;
            row.rule = c.rule;
            row.array = c.array;
            row.codeTable = c.codeTable;
            // The make and model searches are the page's own; the other code fields' are the
            // protocol's.
            row.searchId = c.codeTable && c.id != CVehVehPage::IDC_MAKE && c.id != CVehVehPage::IDC_MODEL ? c.buttonId : 0;
            rows.push_back(row);
        }
        return rows;
    }();
    return fields;
}

// Dialog units of the page.
constexpr int kTop = 8;
constexpr int kPitch = 16;
struct ColumnPlace {
    int label, labelWidth, edit, editWidth, button;
};
constexpr ColumnPlace kColumns[] = {{7, 118, 127, 80, 211}, {272, 128, 402, 80, 486}};
constexpr int kButtonWidth = 44;

const DlgTemplate& PageTemplate()
{
    static const DlgTemplate tmpl = [] {
        DlgTemplate t;
        t.caption = "Vehicle Info";
        t.cx = 536;
        t.cy = 395;
        std::vector<DlgItem>& items = t.items;
        const ColumnPlace& left = kColumns[0];
        items.push_back({-1, DlgKind::Static, "Test Vehicle Number:", left.label, kTop + 2, left.labelWidth, 8});
        items.push_back({CVehVehPage::IDC_VEHICLE_NO, DlgKind::Edit, "", left.edit, kTop, 24, 12, DS_READONLY});
        items.push_back({CVehVehPage::IDC_SPIN, DlgKind::Custom, "", left.edit + 25, kTop, 10, 12, 0,
                         [](QWidget* parent) -> QWidget* { return new CSpinButtonCtrl(parent); }});
        for (const VehControl& c : kControls) {
            const int y = kTop + c.row * kPitch;
            const bool twoLines = std::strchr(c.label, '\n') != nullptr;
            const int labelY = twoLines ? y - 3 : y + 2;
            const int labelHeight = twoLines ? 16 : 8;
            if (c.column == 2) {
                items.push_back({-1, DlgKind::Static, c.label, left.label, labelY, left.labelWidth, labelHeight});
                DlgItem edit {c.id, DlgKind::Edit, "", left.edit, y, kColumns[1].edit + 80 - left.edit, 12, c.style};
                edit.tooltip = c.rule.tooltip;
                items.push_back(edit);
                continue;
            }
            const ColumnPlace& col = kColumns[c.column];
            // A label too long for one line wraps onto a second.
            const bool wraps = twoLines || std::strlen(c.label) * 4 > size_t(col.labelWidth);
            items.push_back({-1, DlgKind::Static, c.label, col.label, wraps ? y - 3 : y + 2, col.labelWidth,
                             wraps ? 16 : 8});
            DlgItem edit {c.id, DlgKind::Edit, "", col.edit, y, col.editWidth, 12, c.style};
            edit.tooltip = c.rule.tooltip;
            items.push_back(edit);
            if (c.buttonId)
                items.push_back({c.buttonId, DlgKind::Button, c.codeTable ? "Search..." : "Edit", col.button, y,
                                 kButtonWidth, 12});
        }
        // The measurement buttons, each with its error label under it.
        const int groupY = kTop + 20 * kPitch + 6;
        items.push_back({-1, DlgKind::GroupBox, "Vehicle Measurements", 7, groupY, 522, 395 - groupY - 4});
        const int buttonWidth = 150;
        for (int i = 0; i < 3; ++i) {
            const MeasureButton& b = kMeasureButtons[i];
            const int x = 20 + i * (buttonWidth + 21);
            DlgItem button {b.id, DlgKind::Button, b.text, x, groupY + 14, buttonWidth, 14};
            button.tooltip = b.tooltip;
            items.push_back(button);
            items.push_back({b.label, DlgKind::Edit, "", x + 25, groupY + 31, buttonWidth - 50, 12,
                             DS_HIDDEN | DS_READONLY});
        }
        return t;
    }();
    return tmpl;
}

} // namespace

CVehVehPage::CVehVehPage()
    : CFieldPage<CVehData, CPropertyPage>(&PageTemplate(), VehFields(), kTips)
{
}

CVehVehPage::~CVehVehPage() = default;

CSpinButtonCtrl* CVehVehPage::Spin() const { return Item<CSpinButtonCtrl>(IDC_SPIN); }

void CVehVehPage::DoDataExchange(CDataExchange* pDX)
{
    CFieldPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_POSTTEST_ERROR, m_editPosttestError);
    DDX_Control(pDX, IDC_PRETEST_ERROR, m_editPretestError);
    DDX_Control(pDX, IDC_DAMAGE_ERROR, m_editDamageError);
    DDX_Control(pDX, IDC_VEHICLE_NO, m_editVehicleNo);
}

BOOL CVehVehPage::OnInitDialog()
{
    CFieldPage::OnInitDialog();
    UpdateData(FALSE);
    for (const MeasureButton& b : kMeasureButtons) {
        OnClicked(b.id, [this, kind = b.kind] { OnMeasurement(kind); });
        if (auto* label = Item<QLineEdit>(b.label))
            label->setAlignment(Qt::AlignCenter);
    }
    OnClicked(IDC_SEARCH_MAKE, [this] { OnSearchMake(); });
    OnClicked(IDC_SEARCH_MODEL, [this] { SearchModelOfMake(IDC_MAKE, IDC_MODEL, m_tag); });
    OnClicked(IDC_EDIT_KAVRO, [this] { OnEditKavroNo(); });
    // After the field's own check of a change.
    connect(Edit(IDC_KAVRO_NO), &CNEdit::Changed, this, [this] { CheckKavroNumber(); });
    m_editVehicleNo.SetText("1");
    if (CSpinButtonCtrl* spin = Spin()) {
        spin->SetRange(1, 2);
        spin->OnDeltaPos = [this](int delta) { return OnDeltaPosSpin(delta) != 0; };
    }
    return TRUE;
}

BOOL CVehVehPage::SaveRecord()
{
    if (!HasWindow())
        return TRUE;
    if (!m_pData)
        return FALSE;
    const int vehicle = ShownVehicle();
    if (vehicle < 1 || vehicle > m_pData->m_nVehicleCount)
        return FALSE;
    CNEdit* year = Edit(IDC_MODEL_YEAR);
    if (year->GetText() == "0")
        year->SetText("");
    SaveFields(*m_pData, vehicle);
    return TRUE;
}

void CVehVehPage::LoadRecord()
{
    if (!m_pData)
        return;
    UpdateData(TRUE);
    if (m_pData->m_nVehicleCount == 1)
        m_editVehicleNo.SetText("1");
    const int vehicle = ShownVehicle();
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_edits[i]->SetText((m_pData->*m_fields[i].array)[vehicle]);
    UpdateData(FALSE);
    if (!m_pCodes)
        return;
    for (const char* table : kCodeCheckOrder) {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].codeTable && std::strcmp(m_fields[i].codeTable, table) == 0)
                m_pCodes->Check(*m_edits[i], table, m_tag);
        }
    }
}

BOOL CVehVehPage::ValidateAllRecords()
{
    if (!m_pData)
        return FALSE;
    for (int vehicle = 1; vehicle <= m_pData->m_nVehicleCount; ++vehicle) {
        if (!SelectVehicle(vehicle))
            return FALSE;
    }
    return TRUE;
}

BYTE& CVehVehPage::MeasurementFlag(MeasureKind kind)
{
    if (kind == MeasureKind::PreTest)
        return m_bPretestValid;
    return kind == MeasureKind::PostTest ? m_bPosttestValid : m_bDamageValid;
}

CNEdit& CVehVehPage::ErrorLabel(MeasureKind kind)
{
    if (kind == MeasureKind::PreTest)
        return m_editPretestError;
    return kind == MeasureKind::PostTest ? m_editPosttestError : m_editDamageError;
}

BOOL CVehVehPage::CheckMeasurement(MeasureKind kind)
{
    BYTE& flag = MeasurementFlag(kind);
    flag = CMeasureDialog::CheckStored(kind, m_pData, ShownVehicle()) ? TRUE : FALSE;
    ShowErrorLabel(flag, ErrorLabel(kind), kErrorInside);
    return flag;
}

BOOL CVehVehPage::CheckPretest() { return CheckMeasurement(MeasureKind::PreTest); }
BOOL CVehVehPage::CheckPosttest() { return CheckMeasurement(MeasureKind::PostTest); }
BOOL CVehVehPage::CheckDamage() { return CheckMeasurement(MeasureKind::Damage); }

void CVehVehPage::ShowErrorLabel(BYTE valid, CNEdit& label, const char* text)
{
    QWidget* window = label.GetWidget();
    if (valid) {
        if (window)
            window->hide();
        return;
    }
    label.SetText(text);
    label.SetColors(RGB(255, 0, 0), RGB(0, 255, 255));
    if (window)
        window->show();
}

void CVehVehPage::ClearPage()
{
    ClearFields();
    m_editVehicleNo.SetText("1");
    if (!HasWindow())
        return;
    CheckPretest();
    CheckPosttest();
    CheckDamage();
    UpdateData(FALSE);
}

bool CVehVehPage::AllFieldsValid()
{
    const bool fields = CFieldPage::AllFieldsValid();
    const bool kavro = CheckKavroNumber() != FALSE;
    return fields && kavro;
}

BOOL CVehVehPage::CheckKavroNumber()
{
    CNEdit* field = Edit(IDC_KAVRO_NO);
    CString number = field->GetText();
    number.Trim();
    if (number.IsEmpty())
        return TRUE;
    const bool valid = kavro::CheckNumber(number);
    field->SetValid(valid);
    return valid ? TRUE : FALSE;
}

BOOL CVehVehPage::SelectVehicle(int vehicle)
{
    UpdateData(TRUE);
    m_editVehicleNo.SetLong(vehicle);
    UpdateData(FALSE);
    return ShowAndCheckVehicle();
}

BOOL CVehVehPage::ShowAndCheckVehicle()
{
    LoadRecord();
    // The first failure ends the checks: the labels after it keep their state.
    const bool labels = CheckPretest() && CheckPosttest() && CheckDamage();
    if (!labels)
        return FALSE;
    if (AllFieldsValid())
        return TRUE;
    ShowBlockingField();
    return FALSE;
}

BOOL CVehVehPage::OnSetActive()
{
    SetFieldTypes();
    if (m_pData && m_pData->m_strConfiguration == "PTV") {
        // A pole test: vehicle 1 is the pole, described in the barrier information.
        m_pData->m_saVehMake.SetAtGrow(1, "32");
        m_pData->m_saVehModel.SetAtGrow(1, "05");
        m_pData->m_saVehComments.SetAtGrow(1, "The pole information also described in the barrier information");
        m_pData->m_saVehComments.SetAtGrow(2, "");
    }
    LoadRecord();
    if (CSpinButtonCtrl* spin = Spin()) {
        const int vehicle = ShownVehicle();
        if (vehicle >= spin->GetLower() && vehicle <= spin->GetUpper()) {
            spin->SetPos(vehicle);
        } else {
            m_editVehicleNo.SetText("1");
            spin->SetPos(1);
        }
        spin->EnableWindow(!m_pData || m_pData->m_nVehicleCount != 1);
    }
    CheckPretest();
    CheckPosttest();
    CheckDamage();
    AllFieldsValid();
    if (m_pData) {
        if (m_pData->m_bConfigNoticeMuted) {
            m_pData->m_bConfigNoticeMuted = false;
        } else if (m_pData->m_bConfigChanged) {
            MessageBox("The test configuration has been changed,\n\rPlease check the Vehicle Information carefully.");
            m_pData->m_bConfigChanged = false;
        }
    }
    return CPropertyPage::OnSetActive();
}

BOOL CVehVehPage::OnKillActive()
{
    const int vehicle = ShownVehicle();
    if (vehicle != 1 && vehicle != 2)
        return CPropertyPage::OnKillActive();
    CheckPretest();
    CheckPosttest();
    CheckDamage();
    AllFieldsValid();
    SaveRecord();
    if (!m_pData || m_pData->m_nVehicleCount == 1)
        return TRUE;
    // Leaving moves the display to the other vehicle, and is refused when that one fails.
    const int other = vehicle == 1 ? 2 : 1;
    if (CSpinButtonCtrl* spin = Spin())
        spin->SetPos(other);
    if (!SelectVehicle(other))
        return FALSE;
    return CPropertyPage::OnKillActive();
}

int CVehVehPage::OnDeltaPosSpin(int delta)
{
    if (!SaveRecord())
        return 0;
    UpdateData(TRUE);
    const CString shown = m_editVehicleNo.GetText();
    if (shown == "2" && delta == -1)
        m_editVehicleNo.SetText("1");
    else if (shown == "1" && delta == 1)
        m_editVehicleNo.SetText("2");
    UpdateData(FALSE);
    ShowAndCheckVehicle();
    return 0;
}

void CVehVehPage::OnMeasurement(MeasureKind kind)
{
    const int vehicle = ShownVehicle();
    CMeasureDialog dialog(kind, m_pData, vehicle);
    if (dialog.DoModal() == IDOK)
        dialog.SaveToData();
    BYTE& flag = MeasurementFlag(kind);
    flag = dialog.m_bValidFlag;
    ShowErrorLabel(flag, ErrorLabel(kind), kErrorInside);
}

void CVehVehPage::OnSearchMake()
{
    const CString before = Edit(IDC_MAKE)->GetText();
    SearchInto(IDC_MAKE, {"MAKE", m_tag}, [this, before](const CString& code, const CString&) {
        // Another make: the model of the old one no longer applies.
        if (code != before) {
            // An empty model is no wrong code: it holds nothing up, and shows so.
            Edit(IDC_MODEL)->SetText("");
            Edit(IDC_MODEL)->SetValid(true);
        }
    });
}

void CVehVehPage::OnEditKavroNo()
{
    CEditKavroNo editor(nullptr);
    editor.m_strYear = Edit(IDC_MODEL_YEAR)->GetText();
    editor.m_strNumber = CheckKavroNumber() ? Edit(IDC_KAVRO_NO)->GetText() : CString();
    if (editor.DoModal() == IDOK)
        Edit(IDC_KAVRO_NO)->SetText(editor.m_strNumber);
}
