#include "component/ui/CompRecordPages.h"

#include "codes/ui/Search.h"
#include "codes/ui/SearchReference.h"
#include "common/Convert.h"
#include "component/ui/CompPageSupport.h"

#include <charconv>

namespace {

using D = CCompData;
using C = CCompCompPage;

const PageField<D> kCompFields[] = {
    {.id = C::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, "0->1; 0 or empty if vehicle page is no available."),
     .array = &D::m_saCompVehicleNo},
    {.id = C::IDC_COMPONENT_NO,
     .rule = FieldRule::Int(0, 99, true, "0->99; 0 or empty if component page is no available."),
     .array = &D::m_saCompNo},
    {.id = C::IDC_TESTED, .array = &D::m_saCompTested, .codeTable = "CMPNT"},
    {.id = C::IDC_TYPE, .array = &D::m_saCompType, .codeTable = "CMPTYP"},
    {.id = C::IDC_WEIGHT, .rule = FieldRule::Real(0.0, 9999.0, true, "kg (0.0->9999)"), .array = &D::m_saCompWeight},
    {.id = C::IDC_MOD_INDICATOR, .array = &D::m_saCompModIndicator, .codeTable = "MODIND",
        .searchId = C::IDC_SEARCH_MODIND},
    {.id = C::IDC_MOD_DESCRIPTION, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saCompModDescription},
    {.id = C::IDC_OCCUPANT_TYPE, .array = &D::m_saCompOccupantType, .codeTable = "OCCTYP",
        .searchId = C::IDC_SEARCH_OCCTYP},
    {.id = C::IDC_DUMMY_SIZE, .array = &D::m_saCompDummySize, .codeTable = "DUMSIZ", .searchId = C::IDC_SEARCH_DUMSIZ},
    {.id = C::IDC_DUMMY_MAKER, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saCompDummyMaker},
    {.id = C::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saCompComments},
};
const PageTip kCompTips[] = {
    {C::IDC_NEXTCURVE_BUTTON, "Advance to Next Component Info Set"},
    {C::IDC_DELETE_BUTTON, "Delete Component Info Set"},
};

DlgTemplate MakeCompTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry code = CompColumn(8, 110, 50), wide = CompColumn(8, 110, 280);
    AddRow(items, code, 10, {.label = "Test Vehicle Number:", .id = C::IDC_VEHICLE_NO, .style = DS_READONLY,
        .searchId = C::IDC_SEARCH_VEHICLE});
    AddRow(items, code, 28, {"Component Number:", C::IDC_COMPONENT_NO, DS_READONLY});
    AddRow(items, code, 46, {.label = "Component Tested:", .id = C::IDC_TESTED, .style = DS_READONLY,
        .searchId = C::IDC_SEARCH_CMPNT});
    AddRow(items, code, 64, {.label = "Component Type:", .id = C::IDC_TYPE, .style = DS_READONLY,
        .searchId = C::IDC_SEARCH_CMPTYP});
    AddRow(items, code, 82, {"Component Weight:", C::IDC_WEIGHT});
    AddRow(items, code, 100, {.label = "Modification Indicator:", .id = C::IDC_MOD_INDICATOR, .style = DS_READONLY,
        .searchId = C::IDC_SEARCH_MODIND, .labelId = 1660});
    AddRow(items, wide, 118, {.label = "Modification Description:", .id = C::IDC_MOD_DESCRIPTION, .labelId = 1663});
    AddRow(items, code, 136, {.label = "Occupant Type:", .id = C::IDC_OCCUPANT_TYPE, .style = DS_READONLY,
        .searchId = C::IDC_SEARCH_OCCTYP});
    AddRow(items, code, 154, {.label = "Dummy Size Percentile:", .id = C::IDC_DUMMY_SIZE, .style = DS_READONLY,
        .searchId = C::IDC_SEARCH_DUMSIZ, .labelId = 1662});
    AddRow(items, wide, 172, {.label = "Dummy Manufacturer:", .id = C::IDC_DUMMY_MAKER, .labelId = 1664});
    AddRow(items, wide, 190, {"Component Comments:", C::IDC_COMMENTS});
    AddRecordIndex(items, 410, 4, "Component Record Index", RecordControls {C::IDC_RECORD_LIST,
        C::IDC_NEXTCURVE_BUTTON, C::IDC_DELETE_BUTTON, C::IDC_RETAIN_LAST}, nullptr, kCompRecordBox);
    return {"Component Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kCompTemplate = MakeCompTemplate();

// ---------------------------------------------------------------------------------------------
// Configuration page

using F = CCompConfPage;

const PageField<D> kConfFields[] = {
    {.id = F::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, "0->1"), .array = &D::m_saConfVehicleNo},
    {.id = F::IDC_COMPONENT_NO, .rule = FieldRule::Int(0, 99, true, "0->99"), .array = &D::m_saConfCompNo},
    {.id = F::IDC_CONFIGURATION_NO, .rule = FieldRule::Int(0, 999, true, "0->999"), .array = &D::m_saConfNo},
    {.id = F::IDC_TEST_DEVICE, .array = &D::m_saConfTestDevice, .codeTable = "TSTDEV",
        .searchId = F::IDC_SEARCH_TSTDEV},
    {.id = F::IDC_DEVICE_SPEED, .rule = FieldRule::Real(0.0001, 99999.0, true, "km/hr (0.0001->99999)"),
     .array = &D::m_saConfDeviceSpeed},
    {.id = F::IDC_DEVICE_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saConfDeviceComments},
    {.id = F::IDC_TEST_CONFIG, .array = &D::m_saConfTestConfig, .codeTable = "CONFIG",
        .searchId = F::IDC_SEARCH_CONFIG},
    {.id = F::IDC_COMPONENT_SPEED, .rule = FieldRule::Real(0.0001, 99999.0, true, "km/hr (0.0001->99999)"),
     .array = &D::m_saConfCompSpeed},
    {.id = F::IDC_CONTACT_ANGLE, .rule = FieldRule::Int(0, 359, true, "Degrees (0->359)"),
     .array = &D::m_saConfContactAngle},
    {.id = F::IDC_CONTACT_LOCATION1, .rule = FieldRule::Int(0, 99999, true, "0->99999"),
     .array = &D::m_saConfContactLocation1},
    {.id = F::IDC_CONTACT_LOCATION2, .rule = FieldRule::Int(0, 99999, true, "0->99999"),
     .array = &D::m_saConfContactLocation2},
    {.id = F::IDC_CONTACT_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saConfContactCommentary},
    {.id = F::IDC_CONFIG_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saConfCommentary},
};
const PageTip kConfTips[] = {
    {F::IDC_NEXTCURVE_BUTTON, "Advance to Next Configuration Info Set"},
    {F::IDC_DELETE_BUTTON, "Delete Configuration Info Set"},
};

DlgTemplate MakeConfTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry code = CompColumn(14, 104, 40), plain = CompColumn(8, 110, 60), wide = CompColumn(8, 110, 280);
    items.push_back({-1, DlgKind::GroupBox, "Reference No Narrowing", 6, 2, 200, 48});
    AddRow(items, code, 14, {.label = "Test Vehicle Number:", .id = F::IDC_VEHICLE_NO,
        .style = DS_READONLY | DS_NUMBER | DS_DISABLED, .searchId = F::IDC_SEARCH_VEHICLE});
    AddRow(items, code, 32, {.label = "Component Number:", .id = F::IDC_COMPONENT_NO,
        .style = DS_READONLY | DS_NUMBER, .searchId = F::IDC_SEARCH_COMPONENT});
    AddRow(items, plain, 56, {"Configuration Number:", F::IDC_CONFIGURATION_NO, DS_READONLY | DS_NUMBER | DS_DISABLED});
    AddRow(items, plain, 74, {.label = "Test Device:", .id = F::IDC_TEST_DEVICE, .style = DS_READONLY,
        .searchId = F::IDC_SEARCH_TSTDEV});
    AddRow(items, plain, 92, {"Test Device Speed:", F::IDC_DEVICE_SPEED});
    AddRow(items, wide, 110, {"Test Device Comments:", F::IDC_DEVICE_COMMENTS});
    AddRow(items, plain, 128, {.label = "Test Configuration:", .id = F::IDC_TEST_CONFIG, .style = DS_READONLY,
        .searchId = F::IDC_SEARCH_CONFIG});
    AddRow(items, plain, 146, {"Component Speed:", F::IDC_COMPONENT_SPEED});
    AddRow(items, CompColumn(240, 76, 50), 56, {"Contact Angle:", F::IDC_CONTACT_ANGLE, DS_NUMBER});
    AddRow(items, CompColumn(240, 76, 50), 74, {"Contact Location #1:", F::IDC_CONTACT_LOCATION1, DS_NUMBER});
    AddRow(items, CompColumn(240, 76, 50), 92, {"Contact Location #2:", F::IDC_CONTACT_LOCATION2, DS_NUMBER});
    AddRow(items, wide, 164, {"Contact Comments:", F::IDC_CONTACT_COMMENTS});
    AddRow(items, wide, 182, {"Configuration Comments:", F::IDC_CONFIG_COMMENTS});
    AddRecordIndex(items, 410, 4, "Configuration Record Index", RecordControls {F::IDC_RECORD_LIST,
        F::IDC_NEXTCURVE_BUTTON, F::IDC_DELETE_BUTTON, F::IDC_RETAIN_LAST}, nullptr, kCompRecordBox);
    return {"Component Configuration Info", 509, 232, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kConfTemplate = MakeConfTemplate();

} // namespace

// =============================================================================================

CheckPairInLists::CheckPairInLists(CNEdit& field, const CNEdit& other, const CStringArray& list1,
                                   const CStringArray& list2, int count)
{
    field.SetValid(Holds(field.GetText(), other.GetText(), list1, list2, count));
}

bool CheckPairInLists::Holds(const CString& value1, const CString& value2, const CStringArray& list1,
                             const CStringArray& list2, int count)
{
    if (value1.IsEmpty())
        return true;
    const int last = std::min({count, static_cast<int>(list1.GetSize()) - 1, static_cast<int>(list2.GetSize()) - 1});
    // Record numbers are the records' positions: the record a number names is looked at first,
    // so that checking every record of a large test does not compare each with all the others.
    int named = 0;
    const std::string& digits = value1.str();
    if (const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), named);
        error == std::errc() && end == digits.data() + digits.size() && named >= 1 && named <= last &&
        list1[named] == value1 && list2[named] == value2)
        return true;
    for (int i = 1; i <= last; ++i) {
        if (list1[i] == value1 && list2[i] == value2)
            return true;
    }
    return false;
}
// =============================================================================================
// Record pages

bool CCompRecordPage::Blocks(int id) const { return std::find(m_validated.begin(), m_validated.end(), id) != m_validated.end(); }

bool CCompRecordPage::AllFieldsValid()
{
    bool valid = true;
    for (int id : m_validated)
        valid = Edit(id)->IsValid() && valid;
    return valid;
}

CString CCompRecordPage::StoredText(int id, int index) const
{
    for (const PageField<D>& field : m_fields) {
        if (field.id == id && field.array) {
            CString text = (m_pData->*field.array)[index];
            return text.Trim();
        }
    }
    return CString();
}

bool CCompRecordPage::StoredRecordValid(int index)
{
    if (!m_pData || !HasWindow())
        return false;
    PrepareRecord(index);
    if (m_judged.empty()) {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (Blocks(m_fields[i].id) && !JudgedAsReference(m_fields[i].id))
                m_judged.push_back(i);
        }
    }
    // Each field takes the stored text as StoredText gives it (Accepts trims it alike).
    static const CString kNoText;
    for (size_t i : m_judged) {
        const CStringArray D::*array = m_fields[i].array;
        if (!m_edits[i]->Accepts(array ? (m_pData->*array)[index] : kNoText))
            return false;
    }
    return StoredReferencesValid(index);
}

std::optional<CString> CCompRecordPage::PickVehicle()
{
    if (IsEnterHeldDown() || !m_pData)
        return std::nullopt;
    SearchReference picker;
    picker.SetRefArray1(&m_pData->m_saVehMake);
    picker.SetRefArray2(&m_pData->m_saVehModel);
    picker.SetRefArray3(&m_pData->m_saVehYear);
    picker.SetRefArray4(&m_pData->m_saVehKavroNo);
    picker.SetRefArray5(&m_pData->m_saVehComments);
    picker.SetMode(1);
    if (picker.DoModal() != IDOK)
        return std::nullopt;
    return picker.GetSelection();
}

std::optional<CString> CCompRecordPage::PickComponent(const CString& shownVehicle)
{
    if (IsEnterHeldDown() || !m_pData)
        return std::nullopt;
    D& data = *m_pData;
    CString vehicle = shownVehicle;
    vehicle.Trim();
    CStringArray vehicles, numbers, tested, comments;
    for (int i = 1; i <= data.m_nComponentCount && i < data.m_saCompVehicleNo.GetSize(); ++i) {
        CString stored = data.m_saCompVehicleNo[i];
        stored.Trim();
        data.m_saCompVehicleNo.SetAt(i, stored);
        if (stored != vehicle)
            continue;
        vehicles.Add(stored);
        numbers.Add(data.m_saCompNo[i]);
        tested.Add(data.m_saCompTested[i]);
        comments.Add(data.m_saCompComments[i]);
    }
    CSearch search(nullptr, "ListCompCompData", &vehicles, &numbers, &tested, &comments);
    if (search.DoModal() != IDOK)
        return std::nullopt;
    return search.GetCode();
}

// ---------------------------------------------------------------------------------------------
// Component page

CCompCompPage::CCompCompPage()
    : CCompRecordPage(&kCompTemplate, kCompFields,
                      {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_BUTTON, IDC_RETAIN_LAST}, "CCompCompPage",
                      kCompTips)
{
    m_validated = {IDC_COMMENTS, IDC_DUMMY_MAKER, IDC_MOD_DESCRIPTION, IDC_WEIGHT, IDC_COMPONENT_NO, IDC_VEHICLE_NO};
}

CCompCompPage::~CCompCompPage() = default;

BOOL CCompCompPage::OnInitDialog()
{
    CCompRecordPage::OnInitDialog();
    OnClicked(IDC_SEARCH_CMPNT, [this] { OnSearchTestedOrType(IDC_TESTED, "CMPNT"); });
    OnClicked(IDC_SEARCH_CMPTYP, [this] { OnSearchTestedOrType(IDC_TYPE, "CMPTYP"); });
    OnClicked(IDC_SEARCH_VEHICLE, [this] { OnSearchVehicle(); });
    return TRUE;
}

BOOL CCompCompPage::OnSetActive()
{
    const BOOL result = CCompRecordPage::OnSetActive();
    const bool rollover = m_pData && m_pData->m_strTestType == "ROV";
    ApplyIntRange(IDC_VEHICLE_NO, 0, !rollover && NoVehicle() ? 0 : 1);
    Edit(IDC_VEHICLE_NO)->Revalidate();
    // Only the page the user turns to takes up the rollover mode: a page shown again after a load
    // or an undo shows the test's records and adds none.
    if (const CPropertySheet* sheet = GetParentSheet(); !sheet || sheet->GetActivePage() == this)
        ApplyTestType();
    return result;
}

void CCompCompPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    PrepareRecord(m_nRecordIndex);
    CCompRecordPage::LoadRecord();
}

void CCompCompPage::PrepareRecord(int i)
{
    if (i > 0) {
        if (NoVehicle())
            m_pData->m_saCompVehicleNo.SetAtGrow(i, "0");
        // Component numbers are the records' positions.
        m_pData->m_saCompNo.SetAtGrow(i, IntToCString(i));
    }
}

void CCompCompPage::LoadExtra(const CCompData& /*data*/, int /*index*/)
{
    EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
    CNEdit& number = *Edit(IDC_COMPONENT_NO);
    CString text = number.GetText();
    text.Trim();
    if (text == "0")
        number.SetText("");
    number.SetValid(true);
    CNEdit& vehicle = *Edit(IDC_VEHICLE_NO);
    vehicle.SetValid(vehicle.IsValid());
}

void CCompCompPage::SaveExtra(CCompData& data, int /*index*/) { data.m_nComponentCount = m_nRecordCount; }

int CCompCompPage::RolloverRecord()
{
    D& data = *m_pData;
    for (int i = 1; i <= m_nRecordCount; ++i) {
        if (data.m_saCompTested[i] == "ROVV")
            return i;
    }
    // Only a test turned into a rollover test gains the record: a test read as one (the test
    // page has seen its type) keeps the records its file gave, whatever the sheet did before.
    if (data.m_strPrevTestType == "ROV")
        return 0;
    if (m_nRecordIndex > 0)
        SaveRecord();
    // The rollover vehicle's record starts empty whatever the retain check box says.
    const int added = AppendRecord();
    for (CStringArray D::*array : RecordArrays())
        (data.*array).SetAtGrow(added, CString());
    data.m_saCompTested.SetAt(added, "ROVV");
    data.m_nComponentCount = m_nRecordCount;
    return added;
}

void CCompCompPage::ApplyTestType()
{
    if (!m_pData || !HasWindow())
        return;
    D& data = *m_pData;
    if (data.m_strTestType != "ROV") {
        ShowComponentDetails(true);
        if (data.m_strPrevTestType == "ROV") {
            // The rollover vehicle's record goes with the rollover test.
            DeleteRecord();
            data.m_nComponentCount = m_nRecordCount;
            data.m_strPrevTestType = data.m_strTestType;
        }
        return;
    }
    // The rollover vehicle's weight and its fixed codes belong to its own record only.
    const int r = RolloverRecord();
    if (r == 0) {
        ShowComponentDetails(false);
        return;
    }
    const double pounds = data.m_RolloverVehicleData.m_dTotalWeight;
    data.m_saCompWeight.SetAtGrow(r, RealText(pounds * 0.45359237));
    data.m_saCompVehicleNo.SetAtGrow(r, "1");
    data.m_saCompOccupantType.SetAtGrow(r, "WD");
    data.m_saCompTested.SetAtGrow(r, "ROVV");
    data.m_saCompType.SetAtGrow(r, "VE");
    m_nRecordIndex = r;
    LoadRecord();
    ShowComponentDetails(false);
}

void CCompCompPage::ShowComponentDetails(bool shown)
{
    for (int id : std::initializer_list<int> {IDC_MOD_INDICATOR, IDC_MOD_DESCRIPTION, IDC_DUMMY_SIZE,
        IDC_DUMMY_MAKER, 1660, 1662, 1663, 1664,
                   IDC_SEARCH_MODIND, IDC_SEARCH_DUMSIZ})
        ShowDlgItem(id, shown);
    for (int id : {IDC_VEHICLE_NO, IDC_DELETE_BUTTON, IDC_NEXTCURVE_BUTTON, IDC_SEARCH_VEHICLE, IDC_WEIGHT})
        EnableDlgItem(id, shown);
    if (shown)
        EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
}

void CCompCompPage::OnSearchTestedOrType(int id, const char* table)
{
    // A rollover test's component is the rollover vehicle: its codes stay, whatever is chosen.
    CNEdit discarded;
    SearchInto(m_pData && m_pData->m_strTestType == "ROV" ? discarded : *Edit(id), {table, m_tag});
}

void CCompCompPage::OnSearchVehicle()
{
    UpdateData(TRUE);
    if (const auto vehicle = PickVehicle()) {
        CNEdit& field = *Edit(IDC_VEHICLE_NO);
        field.SetText(*vehicle);
        field.ShowValidColors();
    }
    UpdateData(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Configuration page

CCompConfPage::CCompConfPage()
    : CCompRecordPage(&kConfTemplate, kConfFields,
                      {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_BUTTON, IDC_RETAIN_LAST}, "CCompConfPage",
                      kConfTips)
{
    for (const PageField<D>& field : kConfFields) {
        if (field.id != IDC_TEST_DEVICE && field.id != IDC_TEST_CONFIG)
            m_validated.push_back(field.id);
    }
}

CCompConfPage::~CCompConfPage() = default;

BOOL CCompConfPage::OnInitDialog()
{
    CCompRecordPage::OnInitDialog();
    OnClicked(IDC_SEARCH_VEHICLE, [this] { OnSearchVehicle(); });
    OnClicked(IDC_SEARCH_COMPONENT, [this] { OnSearchComponent(); });
    return TRUE;
}

BOOL CCompConfPage::OnSetActive()
{
    EnableDlgItem(IDC_VEHICLE_NO, false);
    EnableDlgItem(IDC_CONFIGURATION_NO, false);
    return CCompRecordPage::OnSetActive();
}

void CCompConfPage::PrepareRecord(int i)
{
    if (i > 0) {
        if (NoVehicle())
            m_pData->m_saConfVehicleNo.SetAtGrow(i, "0");
        m_pData->m_saConfNo.SetAtGrow(i, IntToCString(i));
    }
}

void CCompConfPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    PrepareRecord(m_nRecordIndex);
    ApplyRanges();
    CCompRecordPage::LoadRecord();
}

void CCompConfPage::ApplyRanges()
{
    ApplyIntRange(IDC_VEHICLE_NO, 0, NoVehicle() ? 0 : 1);
    ApplyIntRange(IDC_COMPONENT_NO, 0, m_pData->m_nComponentCount);
}

bool CCompConfPage::StoredReferencesValid(int index)
{
    // As LoadExtra and CheckReferences judge the shown record.
    ApplyRanges();
    const CString vehicle = StoredText(IDC_VEHICLE_NO, index);
    if (!Edit(IDC_VEHICLE_NO)->Accepts(vehicle))
        return false;
    const CString component = m_pData->m_nComponentCount == 0 ? CString() : StoredText(IDC_COMPONENT_NO, index);
    return CheckPairInLists::Holds(component, vehicle, m_pData->m_saCompNo, m_pData->m_saCompVehicleNo,
                                   m_pData->m_nComponentCount);
}

void CCompConfPage::LoadExtra(const CCompData& data, int /*index*/)
{
    EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
    if (data.m_nComponentCount == 0) {
        EnableDlgItem(IDC_SEARCH_COMPONENT, false);
        Edit(IDC_COMPONENT_NO)->SetText("");
    } else {
        EnableDlgItem(IDC_SEARCH_COMPONENT, true);
    }
    for (int id : {IDC_VEHICLE_NO, IDC_COMPONENT_NO, IDC_CONFIGURATION_NO})
        Edit(id)->Revalidate();
    CheckReferences();
}

bool CCompConfPage::CheckReferences()
{
    if (!m_pData)
        return false;
    CNEdit& vehicle = *Edit(IDC_VEHICLE_NO);
    CNEdit& component = *Edit(IDC_COMPONENT_NO);
    vehicle.Revalidate();
    if (!vehicle.IsValid()) {
        component.SetValid(false);
        return false;
    }
    component.Revalidate();
    CheckPairInLists(component, vehicle, m_pData->m_saCompNo, m_pData->m_saCompVehicleNo, m_pData->m_nComponentCount);
    return component.IsValid();
}

void CCompConfPage::SaveExtra(CCompData& data, int /*index*/) { data.m_nConfigurationCount = m_nRecordCount; }

void CCompConfPage::OnSearchVehicle()
{
    UpdateData(TRUE);
    CString before = Edit(IDC_VEHICLE_NO)->GetText();
    before.Trim();
    if (const auto vehicle = PickVehicle(); vehicle && *vehicle != before) {
        Edit(IDC_VEHICLE_NO)->SetText(*vehicle);
        Edit(IDC_VEHICLE_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_COMPONENT, !vehicle->IsEmpty());
        // Components belong to one vehicle.
        Edit(IDC_COMPONENT_NO)->SetText("");
        Edit(IDC_COMPONENT_NO)->Revalidate();
    }
    UpdateData(TRUE);
}

void CCompConfPage::OnSearchComponent()
{
    UpdateData(TRUE);
    if (const auto component = PickComponent(Edit(IDC_VEHICLE_NO)->GetText())) {
        Edit(IDC_COMPONENT_NO)->SetText(*component);
        Edit(IDC_COMPONENT_NO)->ShowValidColors();
        CheckReferences();
    }
    UpdateData(TRUE);
}
