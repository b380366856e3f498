#include "component/ui/CompVehPage.h"

#include "codes/CodeCheck.h"
#include "common/Convert.h"
#include "common/ui/EditKavroNo.h"
#include "component/CompSections.h"
#include "component/ui/CompPageSupport.h"
#include "component/ui/RolloverVehicle.h"
#include "platform/ui/SpinButton.h"

#include <cmath>
#include <string_view>

namespace {

using D = CCompData;
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr const char* kTag = "COMDB";

using V = CCompVehPage;

const PageField<D> kVehFields[] = {
    {.id = V::IDC_YEAR, .rule = FieldRule::Int(1900, 9999, true, "1900->9999"), .array = &D::m_saVehYear},
    {.id = V::IDC_MAKE, .array = &D::m_saVehMake, .codeTable = "MAKE"},
    {.id = V::IDC_MODEL, .array = &D::m_saVehModel},
    {.id = V::IDC_BODY, .array = &D::m_saVehBodyType, .codeTable = "BODY", .searchId = V::IDC_SEARCH_BODY},
    {.id = V::IDC_VIN, .rule = FieldRule::Text(0, 17, true), .array = &D::m_saVehVIN},
    {.id = V::IDC_KAVRO_NO,
     .rule = FieldRule::Text(6, 9, true, "9 chars: 1st - purchasing office; 2nd-5th - year; 6th-9th manufacturer code"),
     .array = &D::m_saVehKavroNo},
    {.id = V::IDC_CRASH_TESTED, .array = &D::m_saVehCrashTested, .codeTable = "CRTEST",
        .searchId = V::IDC_SEARCH_CRTEST},
    {.id = V::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saVehComments},
};

// The rollover entry fields are the page's own (the rollover vehicle's values of their types).
const PageTip kVehTips[] = {
    {V::IDC_DISPLACEMENT, "0.0->19.9"},
};

// The rollover entry fields and their labels, then the computed values and theirs.
using R = CRolloverVehicleData;
struct RolloverCell {
    int id;
    int labelId;
    const char* label;
    FieldRule rule;
    double R::*real = nullptr; // a typed real: shown, on leaving it, as the test file writes it
};
const RolloverCell kRolloverEntries[] = {
    {V::IDC_VIMF_NO, 1665, "VIMF No.:", FieldRule::Plain()},
    {V::IDC_LOAD, 1666, "Load:", FieldRule::Plain()},
    {V::IDC_ENGINE, 1667, "Engine:", FieldRule::Plain()},
    {V::IDC_DISPLACEMENT, 1671, "Engine Displacement (L):", FieldRule::Real(0.0, 19.9, true, "0.0->19.9"),
     &R::m_dEngineDisplacement},
    {V::IDC_TRANSMISSION, 1668, "Transmission:", FieldRule::Plain()},
    {V::IDC_FUEL, 1669, "Fuel:", FieldRule::Plain()},
    {V::IDC_OPTIONAL_EQUIPMENT, 1670, "Optional Equipment:", FieldRule::Plain()},
};
struct RolloverResult {
    int id;
    int labelId;
    const char* label;
    double R::*real;
    int R::*whole;
};
const RolloverResult kRolloverResults[] = {
    {1678, 1674, "Static Stability Factor (SSF):", &R::m_dSSF, nullptr},
    {1679, 1675, "Risk Possibility:", &R::m_dRolloverProbability, nullptr},
    {1680, 1676, "Relative Risk Score (RRS):", &R::m_dRiskScore, nullptr},
    {1681, 1677, "Five Star Rating:", nullptr, &R::m_nStarRating},
    {1695, 1696, "Front Tire Pressure (psi):", nullptr, &R::m_nFrontTirePressure},
    {1694, 1693, "Rear Tire Pressure (psi):", nullptr, &R::m_nRearTirePressure},
    {1697, 1692, "C.G. Logitudinal (in):", &R::m_dCGLongitudinal, nullptr},
    {1698, 1691, "C.G. Lateral (in):", &R::m_dCGLateral, nullptr},
    {1699, 1690, "Wheelbase (in):", &R::m_dWheelbase, nullptr},
    {1686, 1689, "Ave. Track Width (in):", &R::m_dAvgTrackWidth, nullptr},
    {1687, 1688, "Ave. C.G. Height (in):", &R::m_dAvgCGHeight, nullptr},
    {1701, 1684, "Roof Height (in):", &R::m_dRoofHeight, nullptr},
    {1700, 1683, "Gross Vehicle Weight\nRating (GVWR) (lb):", nullptr, &R::m_nGVWR},
    {1682, 1685, "Total Weight (lb):", &R::m_dTotalWeight, nullptr},
};

DlgTemplate MakeVehTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry left = CompColumn(8, 84, 70), wide = CompColumn(8, 84, 140);
    items.push_back({-1, DlgKind::Static, "Test Vehicle Number:", 8, 12, 84, 10});
    items.push_back({V::IDC_VEHICLE_NO, DlgKind::Edit, "", 94, 10, 24, 13, DS_READONLY});
    items.push_back({V::IDC_SPIN, DlgKind::Custom, "", 119, 10, 10, 13, 0,
                     [](QWidget* parent) -> QWidget* { return new CSpinButtonCtrl(parent); }});
    AddRow(items, left, 28, {"Vehicle Year:", V::IDC_YEAR, DS_NUMBER});
    AddRow(items, left, 46, {.label = "Vehicle Make:", .id = V::IDC_MAKE, .style = DS_READONLY,
        .searchId = V::IDC_SEARCH_MAKE});
    AddRow(items, left, 64, {.label = "Vehicle Model:", .id = V::IDC_MODEL, .style = DS_READONLY,
        .searchId = V::IDC_SEARCH_MODEL});
    AddRow(items, left, 82, {.label = "Body:", .id = V::IDC_BODY, .style = DS_READONLY,
        .searchId = V::IDC_SEARCH_BODY});
    AddRow(items, wide, 100, {"Manufacturer VIN:", V::IDC_VIN, DS_UPPERCASE});
    AddRow(items, left, 118, {.label = "KAVRO Number:", .id = V::IDC_KAVRO_NO, .style = DS_UPPERCASE,
        .searchId = V::IDC_EDIT_KAVRO, .button = "EDIT"});
    AddRow(items, left, 136, {.label = "Crash Tested Indicator:", .id = V::IDC_CRASH_TESTED,
        .style = DS_READONLY | DS_UPPERCASE, .searchId = V::IDC_SEARCH_CRTEST});
    AddRow(items, wide, 154, {"Vehicle Commentary:", V::IDC_COMMENTS, DS_UPPERCASE});

    items.push_back({V::IDC_ROLLOVER_GROUP, DlgKind::GroupBox, "Rollover Info", 238, 2, 270, 226});
    int y = 14;
    for (const RolloverCell& cell : kRolloverEntries) {
        const UINT style = cell.id == V::IDC_VIMF_NO || cell.id == V::IDC_LOAD ? DS_NUMBER
                           : cell.id == V::IDC_ENGINE || cell.id == V::IDC_TRANSMISSION ? DS_READONLY
                                                                                          : 0;
        const int button = cell.id == V::IDC_ENGINE ? V::IDC_SEARCH_ENGINE
                           : cell.id == V::IDC_TRANSMISSION ? V::IDC_SEARCH_TRANSM
                                                            : 0;
        AddRow(items, CompColumn(244, 96, button ? 70 : 114), y, {.label = cell.label, .id = cell.id, .style = style,
            .searchId = button, .labelId = cell.labelId});
        y += 15;
    }
    y += 2;
    for (size_t i = 0; i < std::size(kRolloverResults); ++i) {
        const RolloverResult& r = kRolloverResults[i];
        const int column = static_cast<int>(i % 2), row = static_cast<int>(i / 2);
        const int x = 244 + column * 134, yy = y + row * 15;
        const bool twoLines = std::string_view(r.label).find('\n') != std::string_view::npos;
        items.push_back({r.labelId, DlgKind::Static, r.label, x, twoLines ? yy - 3 : yy + 2, 94, twoLines ? 17 : 10});
        items.push_back({r.id, DlgKind::Edit, "", x + 94, yy, 34, 13, DS_READONLY});
    }
    items.push_back({V::IDC_MORE_INFO, DlgKind::Button, "More Info", 8, 178, 70, 16});
    return {"Vehicle Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kVehTemplate = MakeVehTemplate();

} // namespace

CCompVehPage::CCompVehPage()
    : CFieldPage<D, CPropertyPage>(&kVehTemplate, kVehFields, kVehTips)
{
    for (size_t i = 0; i < std::size(kRolloverEntries) + std::size(kRolloverResults); ++i)
        m_rollover.push_back(std::make_unique<CNEdit>());
    for (const RolloverCell& cell : kRolloverEntries) {
        if (cell.real)
            RolloverEdit(cell.id)->SetFileDecimals(WrittenDecimals(RolloverVehicleLineSection(), cell.real));
    }
}

int CCompVehPage::RolloverRealId(double CRolloverVehicleData::*member)
{
    for (const RolloverCell& cell : kRolloverEntries) {
        if (cell.real && cell.real == member)
            return cell.id;
    }
    return 0;
}

CCompVehPage::~CCompVehPage() = default;

CSpinButtonCtrl* CCompVehPage::Spin() const { return Item<CSpinButtonCtrl>(IDC_SPIN); }

CNEdit* CCompVehPage::RolloverEdit(int id) const
{
    for (size_t i = 0; i < std::size(kRolloverEntries); ++i) {
        if (kRolloverEntries[i].id == id)
            return m_rollover[i].get();
    }
    for (size_t i = 0; i < std::size(kRolloverResults); ++i) {
        if (kRolloverResults[i].id == id)
            return m_rollover[std::size(kRolloverEntries) + i].get();
    }
    return nullptr;
}

void CCompVehPage::DoDataExchange(CDataExchange* pDX)
{
    CFieldPage<D, CPropertyPage>::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VEHICLE_NO, m_editVehicleNo);
    for (const RolloverCell& cell : kRolloverEntries)
        DDX_Control(pDX, cell.id, *RolloverEdit(cell.id));
    for (const RolloverResult& r : kRolloverResults)
        DDX_Control(pDX, r.id, *RolloverEdit(r.id));
}

BOOL CCompVehPage::OnInitDialog()
{
    CFieldPage<D, CPropertyPage>::OnInitDialog();
    UpdateData(FALSE);
    OnClicked(IDC_SEARCH_MAKE, [this] {
        const CString before = Edit(IDC_MAKE)->GetText();
        SearchInto(IDC_MAKE, {"MAKE", m_tag}, [this, before](CString code, const CString&) {
            code.Trim();
            // Another make: the model of the old one no longer applies.
            if (code != before)
                Edit(IDC_MODEL)->SetText("");
            EnableDlgItem(IDC_SEARCH_MODEL, !code.IsEmpty());
        });
    });
    OnClicked(IDC_SEARCH_MODEL, [this] { SearchModelOfMake(IDC_MAKE, IDC_MODEL, kTag); });
    OnClicked(IDC_SEARCH_ENGINE, [this] { OnSearchEngine(); });
    OnClicked(IDC_SEARCH_TRANSM, [this] { OnSearchTransm(); });
    OnClicked(IDC_MORE_INFO, [this] { OnMoreInfo(); });
    OnClicked(IDC_EDIT_KAVRO, [this] { OnEditKavroNo(); });
    connect(Edit(IDC_KAVRO_NO), &CNEdit::Changed, this, [this] { CheckKavroNumber(); });
    m_editVehicleNo.SetText("0");
    if (CSpinButtonCtrl* spin = Spin()) {
        spin->SetRange(0, 1);
        spin->OnDeltaPos = [this](int delta) {
            OnDeltaposSpin(delta);
            return false;
        };
    }
    return TRUE;
}

BOOL CCompVehPage::OnSetActive()
{
    Edit(IDC_MODEL)->SetColors(CNEdit::kBlack, kSilver);
    SetFieldTypes();
    for (const RolloverCell& cell : kRolloverEntries) {
        if (cell.real)
            RolloverEdit(cell.id)->Apply(cell.rule);
    }
    ApplyTestType();
    LoadRecord();
    AllFieldsValid();
    return CPropertyPage::OnSetActive();
}

void CCompVehPage::CheckEitherTag(CNEdit& field, const char* table)
{
    if (!m_pCodes)
        return;
    m_pCodes->Check(field, table, m_tag);
    if (!field.IsValid())
        m_pCodes->Check(field, table, "VEHDB");
}

void CCompVehPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    D& data = *m_pData;
    // A test file may name any record: the page shows one of its two.
    const int n = std::clamp(data.m_nVehicleCount, 0, 1);
    UpdateData(TRUE);
    m_editVehicleNo.SetText(IntToCString(n));
    if (CSpinButtonCtrl* spin = Spin())
        spin->SetPos(n);
    LoadFields(data, n);
    if (IsRollover()) {
        const R& r = data.m_RolloverVehicleData;
        RolloverEdit(IDC_VIMF_NO)->SetText(r.m_nVimfTestNo ? IntToCString(r.m_nVimfTestNo) : CString());
        RolloverEdit(IDC_LOAD)->SetText(r.m_strLoad);
        RolloverEdit(IDC_ENGINE)->SetText(r.m_strEngine);
        // 0 is no displacement: the field shows none rather than the previous test's.
        if (r.m_dEngineDisplacement > 0)
            RolloverEdit(IDC_DISPLACEMENT)->ShowReal(r.m_dEngineDisplacement);
        else
            RolloverEdit(IDC_DISPLACEMENT)->SetText("");
        ApplyEngineType(r.m_strEngine == "ELEC");
        RolloverEdit(IDC_TRANSMISSION)->SetText(r.m_strTransmission);
        RolloverEdit(IDC_FUEL)->SetText(r.m_strFuel);
        RolloverEdit(IDC_OPTIONAL_EQUIPMENT)->SetText(r.m_strOptionalEquipment);
        CheckEitherTag(*RolloverEdit(IDC_ENGINE), "ENGINE");
        CheckEitherTag(*RolloverEdit(IDC_TRANSMISSION), "TRANSM");
    }
    CString make = Edit(IDC_MAKE)->GetText();
    make.Trim();
    EnableDlgItem(IDC_SEARCH_MODEL, !make.IsEmpty());
    UpdateData(FALSE);
}

BOOL CCompVehPage::SaveRecord()
{
    if (!HasWindow())
        return TRUE;
    if (!m_pData)
        return FALSE;
    D& data = *m_pData;
    const int n = std::clamp(m_editVehicleNo.GetInt(), 0, 1);
    data.m_nVehicleCount = n;
    SaveFields(data, n);
    if (IsRollover()) {
        R& r = data.m_RolloverVehicleData;
        r.m_nVimfTestNo = RolloverEdit(IDC_VIMF_NO)->GetInt();
        r.m_strLoad = RolloverEdit(IDC_LOAD)->GetText();
        r.m_strEngine = RolloverEdit(IDC_ENGINE)->GetText();
        // Stored as the file will hold it, and shown so: a save changes nothing the page shows.
        // A value loaded and left alone is stored as it was.
        RolloverEdit(IDC_DISPLACEMENT)->ShowFileValue();
        const double displacement = RolloverEdit(IDC_DISPLACEMENT)->GetDouble();
        r.m_dEngineDisplacement = std::isfinite(displacement) ? displacement : 0.0;
        r.m_strTransmission = RolloverEdit(IDC_TRANSMISSION)->GetText();
        r.m_strFuel = RolloverEdit(IDC_FUEL)->GetText();
        r.m_strOptionalEquipment = RolloverEdit(IDC_OPTIONAL_EQUIPMENT)->GetText();
    }
    return TRUE;
}

namespace {
// The fields that hold the page; the code fields only show their check.
constexpr int kBlocking[] = {CCompVehPage::IDC_KAVRO_NO, CCompVehPage::IDC_COMMENTS, CCompVehPage::IDC_VIN,
                             CCompVehPage::IDC_YEAR};
} // namespace

bool CCompVehPage::Blocks(int id) const { return std::find(std::begin(kBlocking), std::end(kBlocking), id) != std::end(kBlocking); }

bool CCompVehPage::AllFieldsValid()
{
    bool valid = true;
    for (int id : kBlocking)
        valid = Edit(id)->IsValid() && valid;
    valid = RolloverEdit(IDC_DISPLACEMENT)->IsValid() && valid;
    return CheckKavroNumber() && valid;
}

BOOL CCompVehPage::CheckKavroNumber()
{
    CNEdit& field = *Edit(IDC_KAVRO_NO);
    CString number = field.GetText();
    number.Trim();
    if (number.IsEmpty())
        return TRUE;
    CEditKavroNo check;
    const bool good = check.CheckNumber(number);
    field.SetValid(good);
    return good ? TRUE : FALSE;
}

bool CCompVehPage::ShowAndCheck(int record)
{
    if (m_pData)
        m_pData->m_nVehicleCount = record;
    LoadRecord();
    return AllFieldsValid();
}

BOOL CCompVehPage::OnKillActive()
{
    if (!AllFieldsValid())
        return FALSE;
    SaveRecord();
    if (!m_pData)
        return CPropertyPage::OnKillActive();
    const int shown = std::clamp(m_pData->m_nVehicleCount, 0, 1);
    const int other = IsRollover() ? shown : (shown == 0 ? 1 : 0);
    if (!ShowAndCheck(other))
        return FALSE;
    m_pData->m_nVehicleCount = shown;
    LoadRecord();
    return CPropertyPage::OnKillActive();
}

int CCompVehPage::OnDeltaposSpin(int delta)
{
    if (!m_pData)
        return 0;
    const int shown = m_pData->m_nVehicleCount;
    if ((shown == 1 && delta == -1) || (shown == 0 && delta == 1)) {
        if (!SaveRecord())
            return 0;
        m_pData->m_nVehicleCount = shown == 1 ? 0 : 1;
        LoadRecord();
    }
    return 0;
}

void CCompVehPage::ApplyTestType()
{
    const bool rollover = IsRollover();
    ShowRolloverControls(rollover);
    if (rollover)
        ShowRolloverResults();
}

void CCompVehPage::ShowRolloverControls(bool show)
{
    if (!HasWindow())
        return;
    for (const RolloverCell& cell : kRolloverEntries) {
        ShowDlgItem(cell.id, show);
        ShowDlgItem(cell.labelId, show);
    }
    if (show)
        ApplyEngineType(RolloverEdit(IDC_ENGINE)->GetText() == "ELEC");
    if (CSpinButtonCtrl* spin = Spin())
        spin->EnableWindow(!show);
    for (int id : {static_cast<int>(IDC_ROLLOVER_GROUP), static_cast<int>(IDC_SEARCH_ENGINE),
                   static_cast<int>(IDC_SEARCH_TRANSM), static_cast<int>(IDC_MORE_INFO)})
        ShowDlgItem(id, show);
    for (const RolloverResult& r : kRolloverResults) {
        ShowDlgItem(r.id, show);
        ShowDlgItem(r.labelId, show);
    }
}

void CCompVehPage::ShowRolloverResults()
{
    if (!m_pData)
        return;
    Edit(IDC_CRASH_TESTED)->SetText("N");
    const R& data = m_pData->m_RolloverVehicleData;
    for (const RolloverResult& r : kRolloverResults)
        RolloverEdit(r.id)->SetText(r.real ? RealText(data.*r.real) : IntToCString(data.*r.whole));
}

void CCompVehPage::ApplyEngineType(bool electric)
{
    CNEdit& displacement = *RolloverEdit(IDC_DISPLACEMENT);
    if (electric) {
        displacement.SetText("");
        EnableDlgItem(IDC_DISPLACEMENT, false);
        displacement.SetColors(CNEdit::kBlack, kSilver);
        return;
    }
    EnableDlgItem(IDC_DISPLACEMENT, true);
    displacement.ShowNormalColors();
    if (QWidget* w = GetDlgItem(IDC_DISPLACEMENT); w && w->isVisible())
        w->setFocus();
}

void CCompVehPage::ClearPage()
{
    ClearFields();
    for (const auto& edit : m_rollover)
        edit->SetText("");
    m_editVehicleNo.SetText("0");
    if (HasWindow())
        UpdateData(FALSE);
}

void CCompVehPage::AfterSearch(int /*id*/) {}

void CCompVehPage::OnSearchEngine()
{
    SearchInto(*RolloverEdit(IDC_ENGINE), {"ENGINE", "VEHDB"},
               [this](const CString& code, const CString&) { ApplyEngineType(code == "ELEC"); });
}

void CCompVehPage::OnSearchTransm() { SearchInto(*RolloverEdit(IDC_TRANSMISSION), {"TRANSM", "VEHDB"}); }

void CCompVehPage::OnMoreInfo()
{
    if (!m_pData)
        return;
    // The entry fields go with the record the dialog edits.
    SaveRecord();
    CRolloverVehicle dialog(nullptr);
    dialog.m_pData = m_pData;
    dialog.DoModal();
    // Esc keeps the edits made in the dialog as OK does: the summary follows either way.
    ShowRolloverResults();
}

void CCompVehPage::OnEditKavroNo()
{
    CEditKavroNo editor(nullptr);
    editor.m_strYear = Edit(IDC_YEAR)->GetText();
    editor.m_strNumber = CheckKavroNumber() ? Edit(IDC_KAVRO_NO)->GetText() : CString();
    if (editor.DoModal() == IDOK)
        Edit(IDC_KAVRO_NO)->SetText(editor.m_strNumber);
}
