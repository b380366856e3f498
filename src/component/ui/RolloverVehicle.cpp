#include "component/ui/RolloverVehicle.h"

#include "common/Convert.h"
#include "component/CompSections.h"

#include <QLineEdit>

#include <cmath>
#include <cstdlib>

namespace {

using R = CRolloverVehicleData;
using A = CRolloverVehicle::Action;
using Row = CRolloverVehicle::Row;
constexpr UINT RO = DS_READONLY;

// In the order of the dialog's groups; the first row of each group opens it.
const Row kRows[] = {
    {1368, "Front Tire Type:", &R::m_strFrontTireType, nullptr, nullptr, false, 0, A::Nothing},
    {1369, "Front Tire Size:", &R::m_strFrontTireSize, nullptr, nullptr, false, 0, A::Nothing},
    {1371, "Front Tire Pressure (psi):", nullptr, &R::m_nFrontTirePressure, nullptr, false, DS_NUMBER, A::Nothing},
    {1372, "Rear Tire Type:", &R::m_strRearTireType, nullptr, nullptr, false, 0, A::Nothing},
    {1373, "Rear Tire Size:", &R::m_strRearTireSize, nullptr, nullptr, false, 0, A::Nothing},
    {1374, "Rear Tire Pressure (psi):", nullptr, &R::m_nRearTirePressure, nullptr, false, DS_NUMBER, A::Nothing},

    {1370, "Front Track A (in):", nullptr, nullptr, &R::m_dFrontTrackA, true, 0, A::FrontSide},
    {1376, "Front Track B (in):", nullptr, nullptr, &R::m_dFrontTrackB, true, 0, A::FrontSide},
    {1378, "Front Track C (in):", nullptr, nullptr, &R::m_dFrontTrackC, true, 0, A::FrontSide},
    {1377, "Front Track D (in):", nullptr, nullptr, &R::m_dFrontTrackD, true, 0, A::FrontSide},
    {1379, "Front Track Width (in):", nullptr, nullptr, &R::m_dFrontTrackWidth, false, RO, A::Nothing},
    {1384, "Rear Track E (in):", nullptr, nullptr, &R::m_dRearTrackE, true, 0, A::RearSide},
    {1383, "Rear Track F (in):", nullptr, nullptr, &R::m_dRearTrackF, true, 0, A::RearSide},
    {1382, "Rear Track G (in):", nullptr, nullptr, &R::m_dRearTrackG, true, 0, A::RearSide},
    {1381, "Rear Track H (in):", nullptr, nullptr, &R::m_dRearTrackH, true, 0, A::RearSide},
    {1380, "Rear Track Width (in):", nullptr, nullptr, &R::m_dRearTrackWidth, false, RO, A::None},
    {1375, "Average Track Width (in):", nullptr, nullptr, &R::m_dAvgTrackWidth, false, RO, A::None},

    {1387, "Left Side Wheelbase (in):", nullptr, nullptr, &R::m_dLeftWheelbase, true, 0, A::StoreWheelbase},
    {1386, "Right Side Wheelbase (in):", nullptr, nullptr, &R::m_dRightWheelbase, true, 0, A::StoreWheelbase},
    {1385, "Wheelbase (in):", nullptr, nullptr, &R::m_dWheelbase, false, RO, A::Wheelbase},
    {1388, "Roof Height (in):", nullptr, nullptr, &R::m_dRoofHeight, false, 0, A::None},

    {1391, "Front GAWR(lb):", nullptr, &R::m_nFrontGAWR, nullptr, false, DS_NUMBER, A::Gvwr},
    {1390, "Rear GAWR(lb):", nullptr, &R::m_nRearGAWR, nullptr, false, DS_NUMBER, A::Gvwr},
    {1389, "GVWR(lb):", nullptr, &R::m_nGVWR, nullptr, false, RO | DS_NUMBER, A::Nothing},

    {1409, " Left Front Weight (lb):", nullptr, nullptr, &R::m_dLeftFrontWeight, true, 0, A::StoreTotal},
    {1410, "Right Front Weight (lb):", nullptr, nullptr, &R::m_dRightFrontWeight, true, 0, A::StoreTotal},
    {1412, " Left Rear Weight (lb):", nullptr, nullptr, &R::m_dLeftRearWeight, true, 0, A::StoreTotal},
    {1659, "Right Rear Weight (lb):", nullptr, nullptr, &R::m_dRightRearWeight, true, 0, A::StoreTotal},
    {1413, "Total Weight (lb):", nullptr, nullptr, &R::m_dTotalWeight, false, RO, A::Total},

    {1414, "C.G. Longitudinal From Front Axle (in):", nullptr, nullptr, &R::m_dCGLongitudinal, false, 0, A::Store},
    {1415, "C.G. Lateral Negative Towards Driver Side (in):", nullptr, nullptr, &R::m_dCGLateral, false, 0, A::Store},

    {1392, "", nullptr, nullptr, &R::m_dRun1AppliedWeight, false, 0, A::Store},
    {1393, "", nullptr, nullptr, &R::m_dRun1PlatformAngle, false, 0, A::Store},
    {1394, "", nullptr, nullptr, &R::m_dRun1RelativeMotion, false, 0, A::Store},
    {1395, "", nullptr, nullptr, &R::m_dRun1CGHeight, false, 0, A::Store},
    {1396, "", nullptr, nullptr, &R::m_dRun2AppliedWeight, false, 0, A::Store},
    {1399, "", nullptr, nullptr, &R::m_dRun2PlatformAngle, false, 0, A::Store},
    {1402, "", nullptr, nullptr, &R::m_dRun2RelativeMotion, false, 0, A::Store},
    {1406, "", nullptr, nullptr, &R::m_dRun2CGHeight, true, 0, A::CgHeight},
    {1397, "", nullptr, nullptr, &R::m_dRun3AppliedWeight, false, 0, A::Store},
    {1400, "", nullptr, nullptr, &R::m_dRun3PlatformAngle, false, 0, A::Store},
    {1403, "", nullptr, nullptr, &R::m_dRun3RelativeMotion, false, 0, A::Store},
    {1407, "", nullptr, nullptr, &R::m_dRun3CGHeight, true, 0, A::CgHeight},
    {1398, "", nullptr, nullptr, &R::m_dRun4AppliedWeight, false, 0, A::Store},
    {1401, "", nullptr, nullptr, &R::m_dRun4PlatformAngle, false, 0, A::Store},
    {1404, "", nullptr, nullptr, &R::m_dRun4RelativeMotion, false, 0, A::Store},
    {1408, "", nullptr, nullptr, &R::m_dRun4CGHeight, true, 0, A::CgHeight},
    {1411, "", nullptr, nullptr, &R::m_dRun5AppliedWeight, false, 0, A::Store},
    {1417, "", nullptr, nullptr, &R::m_dRun5PlatformAngle, false, 0, A::Store},
    {1418, "", nullptr, nullptr, &R::m_dRun5RelativeMotion, false, 0, A::Store},
    {1419, "", nullptr, nullptr, &R::m_dRun5CGHeight, true, 0, A::CgHeight},
    {1405, "Average C.G. Height:", nullptr, nullptr, &R::m_dAvgCGHeight, false, RO, A::Nothing},

    {1416, "Static Stability Factor (SSF):", nullptr, nullptr, &R::m_dSSF, false, RO, A::Nothing},
    {1421, "Risk Possibility:", nullptr, nullptr, &R::m_dRolloverProbability, false, RO, A::None},
    {1422, "Relative Risk Score (RRS):", nullptr, nullptr, &R::m_dRiskScore, false, RO, A::None},
    {1420, "5 Star Rating:", nullptr, &R::m_nStarRating, nullptr, false, RO, A::None},
};

// The groups: title, first and last row (indexes into kRows), place, column widths and the
// height of a row (a row whose label takes two lines is higher). The three columns fit a
// 1024-pixel screen.
struct Group {
    const char* title;
    int first, last;
    int x, y, labelW, editW;
    int rowHeight = 13;
};
constexpr int kMiddle = 176; // the middle column's left edge
constexpr int kRight = 358;  // the right column's
const Group kGroups[] = {
    {"Tire", 0, 5, 6, 4, 96, 56},
    {"Track Width", 6, 16, 6, 104, 96, 56},
    {"Wheelbase", 17, 20, kMiddle, 4, 110, 54},
    {"Gross Vihicle Weight Rating", 21, 23, kMiddle, 78, 110, 54},
    {"Weight", 24, 28, kMiddle, 138, 110, 54},
    {"Center of Gravity", 29, 30, kMiddle, 224, 110, 54, 22},
    {"KAVRO Vehicle Rollover Stability Rating", 52, 55, kRight, 164, 120, 70},
};
constexpr int kRunsFirst = 31; // five runs of four values, then the average
constexpr int kRowHeight = 13;

DlgTemplate MakeTemplate()
{
    std::vector<DlgItem> items;
    for (const Group& g : kGroups) {
        const int rows = g.last - g.first + 1;
        const bool twoLines = g.rowHeight > kRowHeight;
        items.push_back({-1, DlgKind::GroupBox, g.title, g.x, g.y, g.labelW + g.editW + 14, rows * g.rowHeight + 16});
        for (int i = g.first; i <= g.last; ++i) {
            const int y = g.y + 12 + (i - g.first) * g.rowHeight;
            items.push_back({-1, DlgKind::Static, kRows[i].label, g.x + 6, twoLines ? y : y + 2, g.labelW,
                             twoLines ? 18 : 10});
            items.push_back({kRows[i].id, DlgKind::Edit, "", g.x + 8 + g.labelW, twoLines ? y + 3 : y, g.editW, 12,
                             kRows[i].style});
        }
    }
    // The runs: one line each, four columns under two-line headings.
    const int x = kRight, y = 4;
    items.push_back({-1, DlgKind::GroupBox, "C.G. Height Measurement Results", x, y, 214, 154});
    const char* headings[] = {"Application\nWeight (lb)", "Platform\nAngle (deg)", "Relative\nMotion (in)",
                              "C.G.\nHeight (in)"};
    for (int c = 0; c < 4; ++c)
        items.push_back({-1, DlgKind::Static, headings[c], x + 36 + c * 44, y + 12, 44, 18});
    for (int run = 0; run < 5; ++run) {
        const int yy = y + 34 + run * kRowHeight;
        static const char* const names[] = {"Run #1:", "Run #2:", "Run #3:", "Run #4:", "Run #5:"};
        items.push_back({-1, DlgKind::Static, names[run], x + 6, yy + 2, 30, 10});
        for (int c = 0; c < 4; ++c)
            items.push_back({kRows[kRunsFirst + run * 4 + c].id, DlgKind::Edit, "", x + 36 + c * 44, yy, 42, 12});
    }
    const Row& average = kRows[kRunsFirst + 20];
    items.push_back({-1, DlgKind::Static, average.label, x + 36, y + 34 + 5 * kRowHeight + 2, 120, 10});
    items.push_back({average.id, DlgKind::Edit, "", x + 168, y + 34 + 5 * kRowHeight, 42, 12, average.style});
    items.push_back({IDOK, DlgKind::DefButton, "OK", 516, 270, 50, 14});
    return {"Edit Rollover Vehicle Information", 578, 290, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kTemplate = MakeTemplate();

} // namespace

std::span<const Row> CRolloverVehicle::Rows() { return kRows; }

CRolloverVehicle::CRolloverVehicle(QWidget* parent)
    : CDialog(&kTemplate, parent)
{
    for (const Row& row : kRows) {
        if (row.real)
            m_reals[row.id].SetFileDecimals(WrittenDecimals(RolloverSectionTable(), row.real));
    }
}

CRolloverVehicle::~CRolloverVehicle() = default;

void CRolloverVehicle::DoDataExchange(CDataExchange* pDX)
{
    for (auto& [id, field] : m_reals)
        DDX_Control(pDX, id, field);
    if (!m_pData)
        return;
    R& record = Record();
    for (const Row& row : kRows) {
        if (row.byId)
            continue;
        if (row.text)
            DDX_Text(pDX, row.id, record.*row.text);
        else if (row.whole)
            DDX_Text(pDX, row.id, record.*row.whole);
        else if (row.real)
            DDX_Real(pDX, row.id, m_reals[row.id], record.*row.real);
    }
}

bool CRolloverVehicle::Exchange(BOOL save)
{
    const bool was = m_bExchanging;
    m_bExchanging = true;
    const BOOL done = UpdateData(save);
    m_bExchanging = was;
    return done != FALSE;
}

BOOL CRolloverVehicle::OnInitDialog()
{
    CDialog::OnInitDialog(); // shows the bound fields
    OnClicked(IDOK, [this] { OnBnClickedOk(); });
    for (const Row& row : kRows) {
        if (row.action == Action::None)
            continue;
        OnChanged(row.id, [this, &row] { OnChange(row); });
    }
    Exchange(TRUE);
    Exchange(FALSE);
    ShowMeasuredFields();
    return TRUE;
}

const CNEdit* CRolloverVehicle::StoredReal(int id) const
{
    const auto field = m_reals.find(id);
    return field != m_reals.end() && field->second.ShowsStoredReal() ? &field->second : nullptr;
}

double CRolloverVehicle::GetFieldDouble(int id)
{
    if (const CNEdit* field = StoredReal(id))
        return field->GetDouble();
    const CString text = GetDlgItemText(id);
    if (text.IsEmpty() || text == "-")
        return 0.0;
    if (IsRealNumber(text)) {
        const double value = std::atof(text);
        if (std::isfinite(value))
            return value;
    }
    // The character that made it no number is taken back; its change runs on the shorter text.
    const CString shorter = text.Left(text.GetLength() - 1);
    SetDlgItemText(id, shorter);
    const double value = std::atof(shorter);
    return std::isfinite(value) ? value : 0.0;
}

void CRolloverVehicle::SetFieldDouble(int id, double value)
{
    if (const auto field = m_reals.find(id); field != m_reals.end() && field->second.HasWindow())
        field->second.ShowReal(value);
    else
        SetDlgItemText(id, DoubleToCString(value));
}

void CRolloverVehicle::ReadFieldDouble(int id, double& destination)
{
    if (const CNEdit* field = StoredReal(id)) {
        destination = field->GetDouble();
        return;
    }
    const double value = StdToDouble(GetDlgItemText(id));
    destination = std::isfinite(value) ? value : 0.0;
}

void CRolloverVehicle::OnChange(const Row& row)
{
    if (m_bExchanging || !m_pData)
        return;
    R& record = Record();
    const auto store = [&] {
        if (row.real)
            record.*row.real = GetFieldDouble(row.id);
    };
    switch (row.action) {
    case Action::None:
    case Action::Nothing:
        break;
    case Action::Store:
        store();
        break;
    case Action::FrontSide:
    case Action::RearSide:
        store();
        Exchange(TRUE);
        record.ComputeAverageTrackWidth(row.action == Action::FrontSide ? R::Front : R::Rear);
        record.ComputeStabilityFactor();
        Exchange(FALSE);
        break;
    case Action::StoreWheelbase:
        store();
        [[fallthrough]];
    case Action::Wheelbase:
        Exchange(TRUE);
        record.m_dWheelbase = record.ComputeWheelbase();
        Exchange(FALSE);
        break;
    case Action::Gvwr:
        Exchange(TRUE);
        record.ComputeGVWR();
        Exchange(FALSE);
        break;
    case Action::StoreTotal:
        store();
        [[fallthrough]];
    case Action::Total:
        Exchange(TRUE);
        record.m_dTotalWeight = record.ComputeTotalWeight();
        Exchange(FALSE);
        break;
    case Action::CgHeight:
        store();
        Exchange(TRUE);
        record.m_dAvgCGHeight = record.ComputeAverageCGHeight();
        record.ComputeStabilityFactor();
        Exchange(FALSE);
        break;
    }
}

void CRolloverVehicle::ShowMeasuredFields()
{
    if (!m_pData)
        return;
    for (const Row& row : kRows) {
        if (row.byId)
            SetFieldDouble(row.id, Record().*row.real);
    }
    Exchange(TRUE);
    Exchange(FALSE);
}

void CRolloverVehicle::SaveMeasuredFields()
{
    if (!m_pData)
        return;
    for (const Row& row : kRows) {
        if (row.byId)
            ReadFieldDouble(row.id, Record().*row.real);
    }
}

void CRolloverVehicle::OnBnClickedOk()
{
    if (!m_pData) {
        EndDialog(IDOK);
        return;
    }
    if (!Exchange(TRUE))
        return;
    // The field still being typed is left now. With every bound field a number, the changes
    // this runs exchange without a message.
    ShowFileValues();
    Exchange(TRUE);
    Exchange(FALSE);
    SaveMeasuredFields();
    if (Exchange(TRUE))
        EndDialog(IDOK);
}

void CRolloverVehicle::ShowFileValues()
{
    for (auto& [id, field] : m_reals)
        field.ShowFileValue();
}
