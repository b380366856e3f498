#include "vehicle/ui/VehIntrPage.h"

#include "codes/CodeCheck.h"
#include "codes/ui/Search.h"
#include "common/ui/PageLayout.h"
#include "platform/Messages.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/VehPageSupport.h"

#include <map>
#include <tuple>

namespace {

using P = CVehIntrPage;
using I = CIntrusionData;

const char* const kPointTip = "determined by intrusion point";
const FieldRule kCoordinate = FieldRule::Int(-10000, 10000, true, "integer");

const PageField<I> kFields[] = {
    {P::IDC_TEST_REFERENCE, FieldRule::Plain("string (maximum 16 characters)"), &I::m_strTestReference},
    {P::IDC_VEHICLE_NO, FieldRule::Int(0, 1, true, kVehicleNumberTip), nullptr, &I::m_arrVehicleNumber},
    {P::IDC_POINT_NUMBER, FieldRule::Plain(kPointTip), nullptr, &I::m_arrPointNumber},
    {P::IDC_POINT_LOCATION, FieldRule::Plain(kPointTip), nullptr, &I::m_arrPointLocation},
    {P::IDC_BEFORE_X, kCoordinate, nullptr, &I::m_arrBeforeX},
    {P::IDC_BEFORE_Y, kCoordinate, nullptr, &I::m_arrBeforeY},
    {P::IDC_BEFORE_Z, kCoordinate, nullptr, &I::m_arrBeforeZ},
    {P::IDC_AFTER_X, kCoordinate, nullptr, &I::m_arrAfterX},
    {P::IDC_AFTER_Y, kCoordinate, nullptr, &I::m_arrAfterY},
    {P::IDC_AFTER_Z, kCoordinate, nullptr, &I::m_arrAfterZ},
};

const PageTip kTips[] = {
    {P::IDC_RECORD_LIST, "Intrusion number list"},
    {P::IDC_NEXTCURVE_BUTTON, "Move to the next intrusion"},
    {P::IDC_DELETE_RECORD, "Delete the current record"},
    {P::IDC_RETAIN_LAST, "Retain data for the record of next number"},
};

constexpr RecordControls kControls {P::IDC_RECORD_LIST, P::IDC_NEXTCURVE_BUTTON, P::IDC_DELETE_RECORD,
                                    P::IDC_RETAIN_LAST};

DlgTemplate IntrTemplate()
{
    std::vector<DlgItem> items {
        {-1, DlgKind::Static, "Test Reference Number", 10, 12, 100, 10},
        {P::IDC_TEST_REFERENCE, DlgKind::Edit, "", 115, 10, 90, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Vehicle Number", 10, 32, 100, 10},
        {P::IDC_VEHICLE_NO, DlgKind::Edit, "", 115, 30, 30, 13, DS_READONLY},
        {P::IDC_SEARCH_VEHICLE_NO, DlgKind::Button, "search", 150, 30, 40, 13},
        {-1, DlgKind::Static, "Intrusion Point Number", 10, 52, 100, 10},
        {P::IDC_POINT_NUMBER, DlgKind::Edit, "", 115, 50, 30, 13, DS_READONLY},
        {P::IDC_SEARCH_POINT, DlgKind::Button, "search", 150, 50, 40, 13},
        {-1, DlgKind::Static, "Intrusion Location", 10, 72, 100, 10},
        {P::IDC_POINT_LOCATION, DlgKind::Edit, "", 115, 70, 75, 13, DS_READONLY},
        {-1, DlgKind::Static, "X", 115, 96, 50, 10},
        {-1, DlgKind::Static, "Y", 170, 96, 50, 10},
        {-1, DlgKind::Static, "Z", 225, 96, 50, 10},
        {-1, DlgKind::Static, "Before Intrusion:", 10, 110, 100, 10},
        {P::IDC_BEFORE_X, DlgKind::Edit, "", 115, 108, 50, 13},
        {P::IDC_BEFORE_Y, DlgKind::Edit, "", 170, 108, 50, 13},
        {P::IDC_BEFORE_Z, DlgKind::Edit, "", 225, 108, 50, 13},
        {-1, DlgKind::Static, "After Intrusion:", 10, 130, 100, 10},
        {P::IDC_AFTER_X, DlgKind::Edit, "", 115, 128, 50, 13},
        {P::IDC_AFTER_Y, DlgKind::Edit, "", 170, 128, 50, 13},
        {P::IDC_AFTER_Z, DlgKind::Edit, "", 225, 128, 50, 13},
    };
    AddVehicleRecordBox(items, "Intrusion Number", kControls);
    return PageTemplate("Intrusion Info", 500, 200, std::move(items));
}

const DlgTemplate kIntrTemplate = IntrTemplate();

// How a failed check names a field.
struct FieldLabel {
    int id;
    const char* label;
};
const FieldLabel kFieldLabels[] = {
    {P::IDC_VEHICLE_NO, "Vehicle Number"},       {P::IDC_POINT_NUMBER, "Intrusion Point Number"},
    {P::IDC_POINT_LOCATION, "Intrusion Location"}, {P::IDC_BEFORE_X, "Before Intrusion X"},
    {P::IDC_BEFORE_Y, "Before Intrusion Y"},     {P::IDC_BEFORE_Z, "Before Intrusion Z"},
    {P::IDC_AFTER_X, "After Intrusion X"},       {P::IDC_AFTER_Y, "After Intrusion Y"},
    {P::IDC_AFTER_Z, "After Intrusion Z"},
};

// The fields a repeated point shares with another.
using PointKey = std::tuple<std::string, std::string, std::string>;

PointKey KeyOf(const I& data, int i)
{
    return {data.m_arrVehicleNumber[i].str(), data.m_arrPointNumber[i].str(), data.m_arrPointLocation[i].str()};
}

} // namespace

CVehIntrPage::CVehIntrPage()
    : CDataRecordPage<CIntrusionData>(&kIntrTemplate, kFields, kControls, "CVehIntrPage", kTips)
{
}

CVehIntrPage::~CVehIntrPage() = default;

void CVehIntrPage::SetVehData(CVehData* data)
{
    m_pVehData = data;
    m_pData = data ? &data->m_IntrusionData : nullptr;
}

BOOL CVehIntrPage::OnInitDialog()
{
    CDataRecordPage<CIntrusionData>::OnInitDialog();
    OnClicked(IDC_SEARCH_POINT, [this] { OnSearchPoint(); });
    OnClicked(IDC_SEARCH_VEHICLE_NO, [this] { OnSearchVehicleNumber(); });
    return TRUE;
}

BOOL CVehIntrPage::OnSetActive()
{
    // The test reference is one for the test, its intrusion points and its cameras.
    if (m_pVehData && m_pData)
        m_pData->m_strTestReference = m_pVehData->m_strTestReference;
    return CDataRecordPage<CIntrusionData>::OnSetActive();
}

void CVehIntrPage::LoadExtra(const CIntrusionData& /*data*/, int /*index*/)
{
    CNEdit& number = *Edit(IDC_POINT_NUMBER);
    CNEdit& location = *Edit(IDC_POINT_LOCATION);
    CString code = number.GetText();
    CString place = location.GetText();
    code.Trim();
    place.Trim();
    // The point is one code of the table: number and location are valid or invalid together.
    switch (CCodeCheck::CheckText(code + place, "VEHIP", "INTRUSIONDB")) {
    case CCodeCheck::Outcome::Blank:
    case CCodeCheck::Outcome::Found:
        number.SetValidFlag(true);
        location.SetValidFlag(true);
        break;
    case CCodeCheck::Outcome::NotFound:
        number.SetValidFlag(false);
        location.SetValidFlag(false);
        break;
    default:
        break;
    }
    MarkDuplicate();
    if (m_pVehData) {
        ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pVehData);
        Edit(IDC_VEHICLE_NO)->SetValid(Edit(IDC_VEHICLE_NO)->IsValid());
    }
}

void CVehIntrPage::SaveExtra(CIntrusionData& data, int index)
{
    data.m_arrRecordIndex.SetAtGrow(index, CString(std::to_string(index)));
    if (m_pVehData)
        m_pVehData->m_strTestReference = data.m_strTestReference;
}

void CVehIntrPage::MarkDuplicate()
{
    if (!m_pData)
        return;
    CNEdit& number = *Edit(IDC_POINT_NUMBER);
    CNEdit& location = *Edit(IDC_POINT_LOCATION);
    if (number.GetText().IsEmpty())
        return;
    const PointKey shown {Edit(IDC_VEHICLE_NO)->GetStdText(), number.GetStdText(), location.GetStdText()};
    for (int k = 1; k <= m_nRecordCount; ++k) {
        if (k != m_nRecordIndex && KeyOf(*m_pData, k) == shown) {
            number.SetValid(false);
            location.SetValid(false);
            return;
        }
    }
}

bool CVehIntrPage::FieldsValid()
{
    bool valid = true;
    for (const auto& edit : m_edits) {
        if (edit.get() != Edit(IDC_TEST_REFERENCE))
            valid = edit->IsValid() && valid;
    }
    return valid;
}

bool CVehIntrPage::ShowDuplicate()
{
    if (!m_pData)
        return false;
    // For each key its first and second point; the pair shown is the one whose first point
    // comes first, as a walk over all pairs in order would find it.
    std::map<PointKey, std::pair<int, int>> seen;
    const int count = m_pData->PointCount();
    int bestFirst = 0, bestSecond = 0;
    for (int i = 1; i <= count; ++i) {
        auto [it, added] = seen.try_emplace(KeyOf(*m_pData, i), i, 0);
        if (!added && it->second.second == 0) {
            it->second.second = i;
            if (bestFirst == 0 || it->second.first < bestFirst) {
                bestFirst = it->second.first;
                bestSecond = i;
            }
        }
    }
    if (bestSecond == 0)
        return false;
    m_nRecordIndex = bestSecond;
    LoadRecord();
    return true;
}

bool CVehIntrPage::CheckRecord(bool duplicates)
{
    if (!m_pData || !m_pData->HasIntrusion())
        return true;
    if (!FieldsValid() || (duplicates && ShowDuplicate())) {
        // A point code is judged without colours when it is shown: a failure shows it.
        ShowBlockingField();
        return false;
    }
    return true;
}

bool CVehIntrPage::CheckAllRecordsForSave()
{
    if (!CheckRecord(true))
        return false;
    SaveRecord();
    // Nothing changes the points while they are checked: one look for repeated points will do.
    return CheckRecords([this](int i) { return CheckRecord(i == 1); });
}

bool CVehIntrPage::ValidateAllRecords()
{
    const int count = m_pData ? m_pData->PointCount() : 0;
    for (int i = 1; i <= count; ++i) {
        m_nRecordIndex = i;
        LoadRecord();
        if (!CheckRecord(i == 1))
            return false;
    }
    return true;
}

bool CVehIntrPage::CheckBeforeSave(bool named)
{
    // Without a window nothing was typed: the points are as the load's check found them.
    if (!HasWindow())
        return true;
    SaveRecord();
    if (CheckAllRecordsForSave())
        return true;
    if (CPropertySheet* sheet = GetParentSheet())
        sheet->SetActivePage(this);
    ShowBlockingField();
    if (!named) {
        AfxMessageBox("Illegal data found. No intrusion file output.");
        return false;
    }
    CString field = "Intrusion Point Number";
    for (const FieldLabel& row : kFieldLabels) {
        if (!Edit(row.id)->IsValid()) {
            field = row.label;
            break;
        }
    }
    const CString text = "Illegal data found in " + field + " of intrusion point " +
                         CString(std::to_string(m_nRecordIndex)) + ". No intrusion file output.";
    AfxMessageBox(text);
    return false;
}

BOOL CVehIntrPage::OnKillActive()
{
    // The shown point is kept as typed; Save Test's check stops at it when it is bad.
    SaveRecord();
    CheckAllRecordsForSave();
    return CRecordPage::OnKillActive();
}

void CVehIntrPage::NewRecord()
{
    CDataRecordPage<CIntrusionData>::NewRecord();
    if (m_pData && m_pVehData && !m_bRetainLast)
        m_pData->m_arrVehicleNumber.SetAtGrow(m_nRecordIndex, NewVehicleNumber(*m_pVehData));
}

void CVehIntrPage::AfterNext()
{
    SetFieldTypes();
    ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pVehData);
}

void CVehIntrPage::OnSearchPoint()
{
    if (IsEnterHeldDown())
        return;
    UpdateData(TRUE);
    CSearch search(nullptr, "VEHIP", "INTRUSIONDB", "", FALSE);
    if (search.DoModal() == IDOK) {
        m_strLastCode = search.GetCode();
        m_strLastCode.Trim();
        // The leading digits are the point number, the rest its location.
        int digits = 0;
        while (digits < m_strLastCode.GetLength() && m_strLastCode[digits] >= '0' && m_strLastCode[digits] <= '9')
            ++digits;
        Edit(IDC_POINT_NUMBER)->SetText(m_strLastCode.Left(digits));
        Edit(IDC_POINT_LOCATION)->SetText(m_strLastCode.Mid(digits));
        Edit(IDC_POINT_NUMBER)->SetValid(true);
        Edit(IDC_POINT_LOCATION)->SetValid(true);
        MarkDuplicate();
    }
    UpdateData(FALSE);
}

void CVehIntrPage::OnSearchVehicleNumber()
{
    UpdateData(TRUE);
    PickVehicleNumber(m_pVehData, *Edit(IDC_VEHICLE_NO));
    UpdateData(FALSE);
}
