#include "vehicle/ui/VehOccPage.h"

#include "common/ui/PageLayout.h"
#include "vehicle/ui/MeasureDialogs.h"
#include "vehicle/ui/VehPageSupport.h"

#include <QLineEdit>

namespace {

using P = CVehOccPage;
using V = CVehData;

const PageField<V> kFields[] = {
    {.id = P::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, kVehicleNumberTip), .array = &V::m_saOccVehicleNo,
     .empty = "1"},
    {P::IDC_LOCATION, FieldRule::Plain(), nullptr, &V::m_saOccLocation, "OCCLOC", 1275},
    {P::IDC_TYPE, FieldRule::Plain(), nullptr, &V::m_saOccType, "OCCTYP", 1276},
    {P::IDC_AGE, FieldRule::Int(0, 99, true, "0->99"), nullptr, &V::m_saOccAge},
    {P::IDC_SEX, FieldRule::Plain(), nullptr, &V::m_saOccSex, "OCCSEX", 1277},
    {P::IDC_HEIGHT, FieldRule::Int(0, 9999, true, "mm (0->9999)"), nullptr, &V::m_saOccHeight},
    {P::IDC_WEIGHT, FieldRule::Int(0, 999, true, "kg (0->999)"), nullptr, &V::m_saOccWeight},
    {P::IDC_CALIBRATION, FieldRule::Plain(), nullptr, &V::m_saOccCalibration, "MTHCAL", 1278},
    {P::IDC_DUMMY_SIZE, FieldRule::Plain(), nullptr, &V::m_saOccDummySize, "DUMSIZ", 1279},
    {P::IDC_DUMMY_MAKER, FieldRule::Text(0, 70, true), nullptr, &V::m_saOccDummyMaker},
    {P::IDC_DUMMY_MODIFICATION, FieldRule::Text(0, 70, true), nullptr, &V::m_saOccDummyModification},
    {P::IDC_DUMMY_DESCRIPTION, FieldRule::Text(0, 70, true), nullptr, &V::m_saOccDummyDescription},
    {P::IDC_SEAT_POSITION, FieldRule::Plain(), nullptr, &V::m_saOccSeatPosition, "SEPOSN", 1280},
    {P::IDC_HEAD_CONTACT1, FieldRule::Plain(), nullptr, &V::m_saOccHeadContact1, "CNTRH1", 1286},
    {P::IDC_HEAD_CONTACT2, FieldRule::Plain(), nullptr, &V::m_saOccHeadContact2, "CNTRH2", 1282},
    {P::IDC_CHEST_CONTACT1, FieldRule::Plain(), nullptr, &V::m_saOccChestContact1, "CNTRC1", 1281},
    {P::IDC_CHEST_CONTACT2, FieldRule::Plain(), nullptr, &V::m_saOccChestContact2, "CNTRC2", 1283},
    {P::IDC_LEGS_CONTACT1, FieldRule::Plain(), nullptr, &V::m_saOccLegsContact1, "CNTRL1", 1284},
    {P::IDC_LEGS_CONTACT2, FieldRule::Plain(), nullptr, &V::m_saOccLegsContact2, "CNTRL2", 1285},
    {P::IDC_COMMENTS, FieldRule::Text(0, 70, true), nullptr, &V::m_saOccComments},
};

const PageTip kTips[] = {
    {P::IDC_NEXTCURVE_BUTTON, "Advance to Next Occupant Info Set"},
    {P::IDC_DELETE_RECORD, "Delete Set"},
    {P::IDC_CLEARANCE, "Set Clearance Distance Values"},
};

// The values the three dialogs edit.
constexpr CStringArray V::*kDetailArrays[] = {
    &V::m_saOccHeadToWindshieldHeader, &V::m_saOccHeadToWindshield, &V::m_saOccHeadToSideHeader,
    &V::m_saOccHeadToSideWindow, &V::m_saOccChestToDash, &V::m_saOccChestToWheel, &V::m_saOccArmToDoor,
    &V::m_saOccHipToDoor, &V::m_saOccKneesToDash, &V::m_saOccHeadToSeatback, &V::m_saOccNeckToSeatback,
    &V::m_saOccChestToSeatback, &V::m_saOccKneeToSeatback, &V::m_saOccLeftFemurLoad, &V::m_saOccRightFemurLoad,
    &V::m_saOccLapBeltLoad, &V::m_saOccShoulderBeltLoad, &V::m_saOccHic, &V::m_saOccHicLower,
    &V::m_saOccHicUpper, &V::m_saOccThoraxAccel, &V::m_saOccCsi, &V::m_saOccTti, &V::m_saOccPelvicG,
};

DlgTemplate OccTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 7, .y = 8, .labelWidth = 100, .editWidth = 45},
              {{"Test Vehicle Number:", P::IDC_VEHICLE_NO, 0, P::IDC_SEARCH_VEHICLE_NO},
               {"Occupant Location:", P::IDC_LOCATION, 0, 1275},
               {"Occupant Type:", P::IDC_TYPE, 0, 1276},
               {"Occupant Age:", P::IDC_AGE},
               {"Occupant Sex:", P::IDC_SEX, 0, 1277},
               {"Occupant Height:", P::IDC_HEIGHT},
               {"Occupant Weight:", P::IDC_WEIGHT},
               {"Method of Calibration:", P::IDC_CALIBRATION, 0, 1278},
               {"Dummy Size Percentile:", P::IDC_DUMMY_SIZE, 0, 1279},
               {"Seat Position:", P::IDC_SEAT_POSITION, 0, 1280}});
    AddColumn(items, {.x = 208, .y = 8, .labelWidth = 105, .editWidth = 40, .editGap = 2},
              {{"First Head Contact Region:", P::IDC_HEAD_CONTACT1, 0, 1286},
               {"Second Head Contact Region:", P::IDC_HEAD_CONTACT2, 0, 1282},
               {"First Chest Contact Region:", P::IDC_CHEST_CONTACT1, 0, 1281},
               {"Second Chest Contact Region:", P::IDC_CHEST_CONTACT2, 0, 1283},
               {"First Leg Contact Region:", P::IDC_LEGS_CONTACT1, 0, 1284},
               {"Second Leg Contact Region:", P::IDC_LEGS_CONTACT2, 0, 1285}});
    constexpr auto Row = [](int k) { return 8 + 16 * k; };
    items.insert(items.end(), {
        {P::IDC_CLEARANCE_LABEL, DlgKind::Edit, "", 208, Row(6) + 8, 70, 13, DS_READONLY | DS_HIDDEN},
        {P::IDC_CLEARANCE, DlgKind::Button, "Clearance Distances", 282, Row(6) + 7, 118, 15},
        {P::IDC_PEAK_LOADS_LABEL, DlgKind::Edit, "", 208, Row(7) + 10, 70, 13, DS_READONLY | DS_HIDDEN},
        {P::IDC_PEAK_LOADS, DlgKind::Button, "Peak Loads", 282, Row(7) + 9, 118, 15},
        {P::IDC_INJURY_LABEL, DlgKind::Edit, "", 208, Row(8) + 12, 70, 13, DS_READONLY | DS_HIDDEN},
        {P::IDC_INJURY, DlgKind::Button, "Injury Measurements", 282, Row(8) + 11, 118, 15},
    });
    AddColumn(items, {.x = 7, .y = Row(10), .labelWidth = 100, .editWidth = 290},
              {{"Dummy Manufacturer:", P::IDC_DUMMY_MAKER},
               {"Dummy Modification:", P::IDC_DUMMY_MODIFICATION},
               {"Description of the Dummy:", P::IDC_DUMMY_DESCRIPTION},
               {"Occupant Comments:", P::IDC_COMMENTS}});
    items.insert(items.end(), {
        {-1, DlgKind::GroupBox, "Occupant Info Record Index", 408, 4, 90, 150},
        {P::IDC_RECORD_LIST, DlgKind::ListBox, "", 416, 18, 72, 108},
        {P::IDC_DELETE_RECORD, DlgKind::Button, "x", 416, 132, 18, 14},
        {P::IDC_NEXTCURVE_BUTTON, DlgKind::Button, ">", 470, 132, 18, 14},
        {-1, DlgKind::Static, "Delete the\nSelected Record", 412, 158, 84, 20},
        {P::IDC_RETAIN_LAST, DlgKind::CheckBox, "Retain the Last\nRecord for the New", 412, 184, 84, 22},
    });
    return PageTemplate("Occupant Info", 500, 236, std::move(items));
}

const DlgTemplate kOccTemplate = OccTemplate();

} // namespace

CVehOccPage::CVehOccPage()
    : CDataRecordPage<CVehData>(&kOccTemplate, kFields,
                                {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_RECORD, IDC_RETAIN_LAST},
                                "CVehOccPage", kTips)
{
}

CVehOccPage::~CVehOccPage() = default;

BOOL CVehOccPage::OnInitDialog()
{
    CDataRecordPage<CVehData>::OnInitDialog();
    OnClicked(IDC_CLEARANCE, [this] { OnClearanceDistances(); });
    OnClicked(IDC_PEAK_LOADS, [this] { OnPeakLoads(); });
    OnClicked(IDC_INJURY, [this] { OnInjuryMeasurements(); });
    OnClicked(IDC_SEARCH_VEHICLE_NO, [this] { OnSearchVehicleNumber(); });
    return TRUE;
}

void CVehOccPage::DoDataExchange(CDataExchange* pDX)
{
    CDataRecordPage<CVehData>::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLEARANCE_LABEL, m_editClearanceLabel);
    DDX_Control(pDX, IDC_PEAK_LOADS_LABEL, m_editPeakloadLabel);
    DDX_Control(pDX, IDC_INJURY_LABEL, m_editInjmeasLabel);
}

std::vector<CStringArray CVehData::*> CVehOccPage::ExtraArrays() const
{
    return {std::begin(kDetailArrays), std::end(kDetailArrays)};
}

BOOL CVehOccPage::OnSetActive()
{
    const BOOL result = CDataRecordPage<CVehData>::OnSetActive();
    EnableDetailButtons(m_nRecordCount > 0);
    return result;
}

void CVehOccPage::LoadExtra(const CVehData& /*data*/, int /*index*/)
{
    // Its range follows the test configuration, which may have changed since its text was set.
    ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pData);
    // Every occupant shown, deleting one included, shows its own dialogs' labels.
    CheckDetails();
}

void CVehOccPage::SaveExtra(CVehData& data, int /*index*/) { data.m_nOccupantCount = m_nRecordCount; }

bool CVehOccPage::AllFieldsValid()
{
    if (m_pData && m_pData->m_nOccupantCount == 0)
        return true;
    return CDataRecordPage<CVehData>::AllFieldsValid();
}

BOOL CVehOccPage::IsPageValid()
{
    const bool fields = AllFieldsValid();
    const bool clearance = CheckClearanceDist();
    const bool peakload = CheckPeakload();
    const bool injmeas = CheckInjmeas();
    if (!fields)
        ShowBlockingField();
    return fields && clearance && peakload && injmeas;
}

void CVehOccPage::ShowErrorLabel(bool valid, CNEdit& label, const char* text)
{
    QWidget* w = label.GetWidget();
    if (valid) {
        if (w)
            w->hide();
        return;
    }
    label.SetText(text);
    label.SetColors(RGB(255, 0, 0), RGB(0, 255, 255));
    if (w)
        w->show();
}

bool CVehOccPage::CheckClearanceDist()
{
    m_bClearanceValid = CMeasureDialog::CheckStored(MeasureKind::Clearance, m_pData, m_nRecordIndex);
    ShowErrorLabel(m_bClearanceValid, m_editClearanceLabel, kErrorInside);
    return m_bClearanceValid;
}

bool CVehOccPage::CheckPeakload()
{
    m_bPeakloadValid = CMeasureDialog::CheckStored(MeasureKind::PeakLoad, m_pData, m_nRecordIndex);
    ShowErrorLabel(m_bPeakloadValid, m_editPeakloadLabel, kErrorInside);
    return m_bPeakloadValid;
}

bool CVehOccPage::CheckInjmeas()
{
    m_bInjmeasValid = CMeasureDialog::CheckStored(MeasureKind::InjuryMeasures, m_pData, m_nRecordIndex);
    ShowErrorLabel(m_bInjmeasValid, m_editInjmeasLabel, kErrorInside);
    return m_bInjmeasValid;
}

void CVehOccPage::CheckDetails()
{
    if (!m_pData)
        return;
    CheckClearanceDist();
    CheckPeakload();
    CheckInjmeas();
}

bool CVehOccPage::CheckOccupant()
{
    // The record was loaded, which checks the three dialogs' values.
    return AllFieldsValid() && m_bClearanceValid && m_bPeakloadValid && m_bInjmeasValid;
}

BOOL CVehOccPage::OnKillActive()
{
    // The shown occupant is kept as typed; any other invalid occupant keeps the page in front.
    AllFieldsValid();
    CheckDetails();
    SaveRecord();
    if (!CheckRecords([this](int) { return CheckOccupant(); }, true))
        return FALSE;
    return CRecordPage::OnKillActive();
}

void CVehOccPage::EnableDetailButtons(bool enable)
{
    for (int id : {IDC_PEAK_LOADS, IDC_CLEARANCE, IDC_INJURY})
        EnableDlgItem(id, enable);
}

void CVehOccPage::ClearPage()
{
    CDataRecordPage<CVehData>::ClearPage();
    if (!HasWindow())
        return;
    CheckDetails();
    EnableDetailButtons(false);
}

void CVehOccPage::NewRecord()
{
    CDataRecordPage<CVehData>::NewRecord();
    if (m_pData && !m_bRetainLast)
        m_pData->m_saOccVehicleNo.SetAtGrow(m_nRecordIndex, NewVehicleNumber(*m_pData));
}

void CVehOccPage::RemoveRecord(int index)
{
    CDataRecordPage<CVehData>::RemoveRecord(index);
    EnableDetailButtons(m_nRecordCount > 0);
}

void CVehOccPage::AfterNext()
{
    CDataRecordPage<CVehData>::AfterNext();
    ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pData);
    EnableDetailButtons(m_nRecordCount > 0);
}

template <class Dialog> void CVehOccPage::OpenDetail(bool& valid, CNEdit& label)
{
    if (!m_pData || m_nRecordIndex < 1)
        return;
    Dialog dlg(m_pData, m_nRecordIndex);
    if (dlg.DoModal() == IDOK)
        dlg.SaveToData();
    valid = dlg.m_bValidFlag;
    ShowErrorLabel(valid, label, kErrorInside);
}

void CVehOccPage::OnClearanceDistances() { OpenDetail<CClearanceDist>(m_bClearanceValid, m_editClearanceLabel); }
void CVehOccPage::OnPeakLoads() { OpenDetail<CPeakload>(m_bPeakloadValid, m_editPeakloadLabel); }
void CVehOccPage::OnInjuryMeasurements() { OpenDetail<CInjmeas>(m_bInjmeasValid, m_editInjmeasLabel); }

void CVehOccPage::OnSearchVehicleNumber()
{
    UpdateData(TRUE);
    PickVehicleNumber(m_pData, *Edit(IDC_VEHICLE_NO));
    UpdateData(FALSE);
}
