#include "vehicle/ui/MeasureDialogs.h"

#include "platform/Codec.h"
#include "vehicle/VehData.h"

#include <QLineEdit>

#include <algorithm>

namespace {

const FieldRule kMm = FieldRule::Int(0, 9999, true, "0->9999");
const FieldRule kDamage = FieldRule::Int(-9999, 9999, true, "-9999->9999");
const FieldRule kClearance = FieldRule::Real(0, 9999, true, "0->9999");
const FieldRule kFemur = FieldRule::Int(-99999, 0, true, "newtons (-99999->0)");
const FieldRule kBelt = FieldRule::Int(0, 99999, true, "newtons (0->99999)");
const FieldRule kIndex = FieldRule::Int(0, 9999, true, "0->9999");
const FieldRule kHicTime = FieldRule::Real(0, 999999.99, true, "ms (000000.00->999999.99)");
const FieldRule kAccel = FieldRule::Real(0, 99999.99, true, "Acceleration (g, 00000.00->99999.99)");
const FieldRule kPelvic = FieldRule::Real(0, 99999.99, true, "00000.00->99999.99");

const MeasureTable kTables[] = {
    {146, "Pretest Vehicle Measurement Data (millimeters)", 401, 161, "Pre-test Vehicle Measurement Data", 5, 40,
     "0->9999",
     {
         {1195, "Bx1:", &CVehData::m_saVehBX1, kMm, true},
         {1196, "Bx2:", &CVehData::m_saVehBX2, kMm, true},
         {1197, "Bx3:", &CVehData::m_saVehBX3, kMm, true},
         {1198, "Bx4:", &CVehData::m_saVehBX4, kMm, true},
         {1199, "Bx5:", &CVehData::m_saVehBX5, kMm, true},
         {1200, "Bx6:", &CVehData::m_saVehBX6, kMm, true},
         {1201, "Bx7:", &CVehData::m_saVehBX7, kMm, true},
         {1202, "Bx8:", &CVehData::m_saVehBX8, kMm, true},
         {1203, "Bx9:", &CVehData::m_saVehBX9, kMm, true},
         {1204, "Bx10:", &CVehData::m_saVehBX10, kMm, true},
         {1205, "Bx11:", &CVehData::m_saVehBX11, kMm, true},
         {1206, "Bx12:", &CVehData::m_saVehBX12, kMm, true},
         {1207, "Bx13:", &CVehData::m_saVehBX13, kMm, true},
         {1208, "Bx14:", &CVehData::m_saVehBX14, kMm, true},
         {1209, "Bx15:", &CVehData::m_saVehBX15, kMm, true},
         {1210, "Bx16:", &CVehData::m_saVehBX16, kMm, true},
         {1211, "Bx17:", &CVehData::m_saVehBX17, kMm, true},
         {1212, "Bx18:", &CVehData::m_saVehBX18, kMm, true},
         {1213, "Bx19:", &CVehData::m_saVehBX19, kMm, true},
         {1214, "Bx20:", &CVehData::m_saVehBX20, kMm, true},
         {1215, "Bx21:", &CVehData::m_saVehBX21, kMm, true},
     }},
    {147, "Post-test Measurement Data (millimeters)", 348, 150, "Post-test Measurement Data", 5, 34, "0->9999",
     {
         {1248, "Ax1:", &CVehData::m_saVehAX1, kMm, true},
         {1235, "Ax2:", &CVehData::m_saVehAX2, kMm, true},
         {1234, "Ax3:", &CVehData::m_saVehAX3, kMm, true},
         {1233, "Ax4:", &CVehData::m_saVehAX4, kMm, true},
         {1232, "Ax5:", &CVehData::m_saVehAX5, kMm, true},
         {1239, "Ax6:", &CVehData::m_saVehAX6, kMm, true},
         {1227, "Ax7:", &CVehData::m_saVehAX7, kMm, true},
         {1241, "Ax8:", &CVehData::m_saVehAX8, kMm, true},
         {1242, "Ax9:", &CVehData::m_saVehAX9, kMm, true},
         {1243, "Ax10:", &CVehData::m_saVehAX10, kMm, true},
         {1238, "Ax11:", &CVehData::m_saVehAX11, kMm, true},
         {1237, "Ax12:", &CVehData::m_saVehAX12, kMm, true},
         {1224, "Ax13:", &CVehData::m_saVehAX13, kMm, true},
         {1223, "Ax14:", &CVehData::m_saVehAX14, kMm, true},
         {1222, "Ax15:", &CVehData::m_saVehAX15, kMm, true},
         {1217, "Ax16:", &CVehData::m_saVehAX16, kMm, true},
         {1218, "Ax17:", &CVehData::m_saVehAX17, kMm, true},
         {1219, "Ax18:", &CVehData::m_saVehAX18, kMm, true},
         {1220, "Ax19:", &CVehData::m_saVehAX19, kMm, true},
         {1221, "Ax20:", &CVehData::m_saVehAX20, kMm, true},
         {1216, "Ax21:", &CVehData::m_saVehAX21, kMm, true},
     }},
    {148, "Damage Profile Distances (millimeters)", 192, 172, "Damage Profile Distances", 6, 50, "-9999->9999",
     {
         {1237, "DPD1:", &CVehData::m_saVehDamageProfile1, kDamage, false},
         {1238, "DPD2:", &CVehData::m_saVehDamageProfile2, kDamage, false},
         {1239, "DPD3:", &CVehData::m_saVehDamageProfile3, kDamage, false},
         {1240, "DPD4:", &CVehData::m_saVehDamageProfile4, kDamage, false},
         {1241, "DPD5:", &CVehData::m_saVehDamageProfile5, kDamage, false},
         {1242, "DPD6:", &CVehData::m_saVehDamageProfile6, kDamage, false},
     }},
    // The clearances are real numbers, yet typing takes digits only: a stored fraction is kept
    // and judged, a new one is typed in whole millimetres.
    {149, "Clearance Distances (millimeters)", 342, 161, "Clearance Distances", 7, 50, "0->9999",
     {
         {1288, "Head to Windshield Header:", &CVehData::m_saOccHeadToWindshieldHeader, kClearance, true},
         {1289, "Head to Windshield:", &CVehData::m_saOccHeadToWindshield, kClearance, true},
         {1290, "Head to Side Header:", &CVehData::m_saOccHeadToSideHeader, kClearance, true},
         {1291, "Head to Side Window:", &CVehData::m_saOccHeadToSideWindow, kClearance, true},
         {1292, "Chest to Dash:", &CVehData::m_saOccChestToDash, kClearance, true},
         {1293, "Chest to Steering Wheel:", &CVehData::m_saOccChestToWheel, kClearance, true},
         {1294, "Arm to Door:", &CVehData::m_saOccArmToDoor, kClearance, true},
         {1295, "Hip to Door:", &CVehData::m_saOccHipToDoor, kClearance, true},
         {1296, "Knees to Dash:", &CVehData::m_saOccKneesToDash, kClearance, true},
         {1297, "Head to Seatback:", &CVehData::m_saOccHeadToSeatback, kClearance, true},
         {1298, "Neck to Seatback:", &CVehData::m_saOccNeckToSeatback, kClearance, true},
         {1299, "Chest to Seatback:", &CVehData::m_saOccChestToSeatback, kClearance, true},
         {1300, "Knee to Seatback:", &CVehData::m_saOccKneeToSeatback, kClearance, true},
     }},
    {166, "Peak Loads", 212, 111, "Peak Loads", 4, 50, nullptr,
     {
         {1267, "Left Femur ( <0 ):", &CVehData::m_saOccLeftFemurLoad, kFemur, false},
         {1268, "Right Femur ( <0 ):", &CVehData::m_saOccRightFemurLoad, kFemur, false},
         {1270, "Lap Belt:", &CVehData::m_saOccLapBeltLoad, kBelt, true},
         {1271, "Shoulder Belt:", &CVehData::m_saOccShoulderBeltLoad, kBelt, true},
     }},
    {167, "Injury Measurements", 257, 170, "Injury Measures", 7, 60, nullptr,
     {
         {1263, "Head Injury Criterion:", &CVehData::m_saOccHic, kIndex, true},
         {1264, "HIC Time Interval (lower boundary):", &CVehData::m_saOccHicLower, kHicTime, false},
         {1265, "HIC Time Interval (upper boundary):", &CVehData::m_saOccHicUpper, kHicTime, false},
         {1266, "Peak Acceleration of Thorax Region:", &CVehData::m_saOccThoraxAccel, kAccel, false},
         {1269, "Chest Severity Index:", &CVehData::m_saOccCsi, kIndex, true},
         {1272, "Thoracic Trauma Index:", &CVehData::m_saOccTti, kAccel, false},
         {1273, "Pelvic G's:", &CVehData::m_saOccPelvicG, kPelvic, false},
     }},
};

// The dialog template of a table: a group box with the labelled edits in columns, OK and
// Cancel below it on the right.
DlgTemplate MakeTemplate(const MeasureTable& t)
{
    DlgTemplate tmpl;
    tmpl.caption = t.caption;
    tmpl.cx = t.cx;
    tmpl.cy = t.cy;
    const int groupBottom = t.cy - 27;
    tmpl.items.push_back({-1, DlgKind::GroupBox, t.group, 7, 7, t.cx - 14, groupBottom - 7});

    const int count = static_cast<int>(t.fields.size());
    const int rows = std::max(1, t.rowsPerColumn);
    const int columns = (count + rows - 1) / rows;
    const int columnWidth = (t.cx - 28) / std::max(1, columns);
    const int top = 22;
    const int editHeight = 12;
    const int pitch = rows > 1 ? std::min(18, (groupBottom - 6 - editHeight - top) / (rows - 1)) : 18;
    for (int i = 0; i < count; ++i) {
        const MeasureField& f = t.fields[i];
        const int x = 14 + (i / rows) * columnWidth;
        const int y = top + (i % rows) * pitch;
        const int labelWidth = columnWidth - t.editWidth - 6;
        tmpl.items.push_back({-1, DlgKind::Static, f.label, x, y + 2, labelWidth, 8});
        DlgItem edit {f.id, DlgKind::Edit, "", x + labelWidth + 2, y, t.editWidth, editHeight};
        edit.style = f.digitsOnly ? DS_NUMBER : 0;
        edit.tooltip = f.rule.tooltip;
        tmpl.items.push_back(edit);
    }
    DlgItem ok {IDOK, DlgKind::DefButton, "OK", t.cx - 7 - 50 - 6 - 50, groupBottom + 6, 50, 14};
    DlgItem cancel {IDCANCEL, DlgKind::Button, "Cancel", t.cx - 7 - 50, groupBottom + 6, 50, 14};
    ok.tooltip = cancel.tooltip = t.buttonTooltip;
    tmpl.items.push_back(ok);
    tmpl.items.push_back(cancel);
    return tmpl;
}

const DlgTemplate* TemplateOf(MeasureKind kind)
{
    static const std::vector<DlgTemplate> templates = [] {
        std::vector<DlgTemplate> all;
        for (const MeasureTable& t : kTables)
            all.push_back(MakeTemplate(t));
        return all;
    }();
    return &templates[static_cast<size_t>(kind)];
}

// The one check of a table's values at an index, shown or not: each edit takes its rule and its
// text, and its own validation judges it.
bool LoadFields(const MeasureTable& t, const CVehData* data, int index,
                const std::vector<std::unique_ptr<CNEdit>>& edits)
{
    bool valid = true;
    for (size_t i = 0; i < t.fields.size(); ++i) {
        CNEdit& edit = *edits[i];
        edit.Apply(t.fields[i].rule);
        edit.SetText(data ? (data->*t.fields[i].field).GetAt(index) : CString());
        edit.OnChange();
        valid = edit.IsValid() && valid;
    }
    return valid;
}

std::vector<std::unique_ptr<CNEdit>> MakeEdits(const MeasureTable& t)
{
    std::vector<std::unique_ptr<CNEdit>> edits;
    for (size_t i = 0; i < t.fields.size(); ++i)
        edits.push_back(std::make_unique<CNEdit>());
    return edits;
}

} // namespace

const MeasureTable& MeasureTableOf(MeasureKind kind) { return kTables[static_cast<size_t>(kind)]; }

CMeasureDialog::CMeasureDialog(MeasureKind kind, CVehData* data, int index, QWidget* parent)
    : CDialog(TemplateOf(kind), parent)
    , m_pVehData(data)
    , m_nIndex(index)
    , m_edits(MakeEdits(MeasureTableOf(kind)))
    , m_table(MeasureTableOf(kind))
{
}

CMeasureDialog::~CMeasureDialog() = default;

bool CMeasureDialog::CheckStored(MeasureKind kind, const CVehData* data, int index)
{
    const MeasureTable& t = MeasureTableOf(kind);
    return LoadFields(t, data, index, MakeEdits(t));
}

INT_PTR CMeasureDialog::DoModal()
{
    if (m_bShowFlag)
        return CDialog::DoModal();
    m_bValidFlag = LoadFields(m_table, m_pVehData, m_nIndex, m_edits) ? TRUE : FALSE;
    return IDOK;
}

CNEdit* CMeasureDialog::Edit(int id) const
{
    for (size_t i = 0; i < m_table.fields.size(); ++i) {
        if (m_table.fields[i].id == id)
            return m_edits[i].get();
    }
    return nullptr;
}

void CMeasureDialog::DoDataExchange(CDataExchange* pDX)
{
    for (size_t i = 0; i < m_table.fields.size(); ++i)
        DDX_Control(pDX, m_table.fields[i].id, *m_edits[i]);
}

BOOL CMeasureDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bValidFlag = LoadFields(m_table, m_pVehData, m_nIndex, m_edits) ? TRUE : FALSE;
    if (!m_bShowFlag) {
        EndDialog(IDOK);
        return TRUE;
    }
    OnClicked(IDOK, [this] { OnOK(); });
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    UpdateData(FALSE);
    return TRUE;
}

BOOL CMeasureDialog::AllFieldsValid() const
{
    bool valid = true;
    for (const auto& edit : m_edits)
        valid = edit->IsValid() && valid;
    return valid ? TRUE : FALSE;
}

void CMeasureDialog::OnOK()
{
    // A bad value keeps the dialog open without a word: its colour shows which one.
    if (!AllFieldsValid())
        return;
    m_bValidFlag = TRUE;
    EndDialog(IDOK);
}

void CMeasureDialog::OnCancel() { EndDialog(IDCANCEL); }

void CMeasureDialog::SaveToData() const
{
    if (!m_pVehData || m_nIndex < 1)
        return;
    for (size_t i = 0; i < m_table.fields.size(); ++i)
        (m_pVehData->*m_table.fields[i].field).SetAtGrow(m_nIndex, m_edits[i]->GetText());
}
