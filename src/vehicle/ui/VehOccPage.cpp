#include "vehicle/ui/VehOccPage.h"

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

// A labelled code field with its search button, in one of two columns.
constexpr int Row(int k) { return 8 + 16 * k; }

const DlgTemplate kOccTemplate {
    "Occupant Info",
    500,
    236,
    "DejaVu Sans",
    8,
    false,
    {
        {-1, DlgKind::Static, "Test Vehicle Number:", 7, Row(0) + 2, 100, 10},
        {P::IDC_VEHICLE_NO, DlgKind::Edit, "", 110, Row(0), 45, 13},
        {P::IDC_SEARCH_VEHICLE_NO, DlgKind::Button, "Search...", 158, Row(0), 42, 13},
        {-1, DlgKind::Static, "Occupant Location:", 7, Row(1) + 2, 100, 10},
        {P::IDC_LOCATION, DlgKind::Edit, "", 110, Row(1), 45, 13},
        {1275, DlgKind::Button, "Search...", 158, Row(1), 42, 13},
        {-1, DlgKind::Static, "Occupant Type:", 7, Row(2) + 2, 100, 10},
        {P::IDC_TYPE, DlgKind::Edit, "", 110, Row(2), 45, 13},
        {1276, DlgKind::Button, "Search...", 158, Row(2), 42, 13},
        {-1, DlgKind::Static, "Occupant Age:", 7, Row(3) + 2, 100, 10},
        {P::IDC_AGE, DlgKind::Edit, "", 110, Row(3), 45, 13},
        {-1, DlgKind::Static, "Occupant Sex:", 7, Row(4) + 2, 100, 10},
        {P::IDC_SEX, DlgKind::Edit, "", 110, Row(4), 45, 13},
        {1277, DlgKind::Button, "Search...", 158, Row(4), 42, 13},
        {-1, DlgKind::Static, "Occupant Height:", 7, Row(5) + 2, 100, 10},
        {P::IDC_HEIGHT, DlgKind::Edit, "", 110, Row(5), 45, 13},
        {-1, DlgKind::Static, "Occupant Weight:", 7, Row(6) + 2, 100, 10},
        {P::IDC_WEIGHT, DlgKind::Edit, "", 110, Row(6), 45, 13},
        {-1, DlgKind::Static, "Method of Calibration:", 7, Row(7) + 2, 100, 10},
        {P::IDC_CALIBRATION, DlgKind::Edit, "", 110, Row(7), 45, 13},
        {1278, DlgKind::Button, "Search...", 158, Row(7), 42, 13},
        {-1, DlgKind::Static, "Dummy Size Percentile:", 7, Row(8) + 2, 100, 10},
        {P::IDC_DUMMY_SIZE, DlgKind::Edit, "", 110, Row(8), 45, 13},
        {1279, DlgKind::Button, "Search...", 158, Row(8), 42, 13},
        {-1, DlgKind::Static, "Seat Position:", 7, Row(9) + 2, 100, 10},
        {P::IDC_SEAT_POSITION, DlgKind::Edit, "", 110, Row(9), 45, 13},
        {1280, DlgKind::Button, "Search...", 158, Row(9), 42, 13},

        {-1, DlgKind::Static, "First Head Contact Region:", 208, Row(0) + 2, 105, 10},
        {P::IDC_HEAD_CONTACT1, DlgKind::Edit, "", 315, Row(0), 40, 13},
        {1286, DlgKind::Button, "Search...", 358, Row(0), 42, 13},
        {-1, DlgKind::Static, "Second Head Contact Region:", 208, Row(1) + 2, 105, 10},
        {P::IDC_HEAD_CONTACT2, DlgKind::Edit, "", 315, Row(1), 40, 13},
        {1282, DlgKind::Button, "Search...", 358, Row(1), 42, 13},
        {-1, DlgKind::Static, "First Chest Contact Region:", 208, Row(2) + 2, 105, 10},
        {P::IDC_CHEST_CONTACT1, DlgKind::Edit, "", 315, Row(2), 40, 13},
        {1281, DlgKind::Button, "Search...", 358, Row(2), 42, 13},
        {-1, DlgKind::Static, "Second Chest Contact Region:", 208, Row(3) + 2, 105, 10},
        {P::IDC_CHEST_CONTACT2, DlgKind::Edit, "", 315, Row(3), 40, 13},
        {1283, DlgKind::Button, "Search...", 358, Row(3), 42, 13},
        {-1, DlgKind::Static, "First Leg Contact Region:", 208, Row(4) + 2, 105, 10},
        {P::IDC_LEGS_CONTACT1, DlgKind::Edit, "", 315, Row(4), 40, 13},
        {1284, DlgKind::Button, "Search...", 358, Row(4), 42, 13},
        {-1, DlgKind::Static, "Second Leg Contact Region:", 208, Row(5) + 2, 105, 10},
        {P::IDC_LEGS_CONTACT2, DlgKind::Edit, "", 315, Row(5), 40, 13},
        {1285, DlgKind::Button, "Search...", 358, Row(5), 42, 13},

        {P::IDC_CLEARANCE_LABEL, DlgKind::Edit, "", 208, Row(6) + 8, 70, 13, DS_READONLY | DS_HIDDEN},
        {P::IDC_CLEARANCE, DlgKind::Button, "Clearance Distances", 282, Row(6) + 7, 118, 15},
        {P::IDC_PEAK_LOADS_LABEL, DlgKind::Edit, "", 208, Row(7) + 10, 70, 13, DS_READONLY | DS_HIDDEN},
        {P::IDC_PEAK_LOADS, DlgKind::Button, "Peak Loads", 282, Row(7) + 9, 118, 15},
        {P::IDC_INJURY_LABEL, DlgKind::Edit, "", 208, Row(8) + 12, 70, 13, DS_READONLY | DS_HIDDEN},
        {P::IDC_INJURY, DlgKind::Button, "Injury Measurements", 282, Row(8) + 11, 118, 15},

        {-1, DlgKind::Static, "Dummy Manufacturer:", 7, Row(10) + 2, 100, 10},
        {P::IDC_DUMMY_MAKER, DlgKind::Edit, "", 110, Row(10), 290, 13},
        {-1, DlgKind::Static, "Dummy Modification:", 7, Row(11) + 2, 100, 10},
        {P::IDC_DUMMY_MODIFICATION, DlgKind::Edit, "", 110, Row(11), 290, 13},
        {-1, DlgKind::Static, "Description of the Dummy:", 7, Row(12) + 2, 100, 10},
        {P::IDC_DUMMY_DESCRIPTION, DlgKind::Edit, "", 110, Row(12), 290, 13},
        {-1, DlgKind::Static, "Occupant Comments:", 7, Row(13) + 2, 100, 10},
        {P::IDC_COMMENTS, DlgKind::Edit, "", 110, Row(13), 290, 13},

        {-1, DlgKind::GroupBox, "Occupant Info Record Index", 408, 4, 88, 150},
        {P::IDC_RECORD_LIST, DlgKind::ListBox, "", 416, 18, 72, 108},
        {P::IDC_DELETE_RECORD, DlgKind::Button, "x", 416, 132, 18, 14},
        {P::IDC_NEXTCURVE_BUTTON, DlgKind::Button, ">", 470, 132, 18, 14},
        {-1, DlgKind::Static, "Delete the\nSelected Record", 412, 158, 84, 20},
        {P::IDC_RETAIN_LAST, DlgKind::CheckBox, "Retain the Last\nRecord for the New", 412, 184, 84, 22},
    },
};

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

bool CVehOccPage::CheckOccupant(int index)
{
    m_nRecordIndex = index;
    LoadRecord(); // checks the three dialogs' values
    return AllFieldsValid() && m_bClearanceValid && m_bPeakloadValid && m_bInjmeasValid;
}

BOOL CVehOccPage::OnKillActive()
{
    // The shown occupant is kept as typed; any other invalid occupant keeps the page in front.
    AllFieldsValid();
    CheckDetails();
    SaveRecord();
    const int shown = m_nRecordIndex;
    for (int i = 1; i <= m_nRecordCount; ++i) {
        if (i != shown && !CheckOccupant(i))
            return FALSE;
    }
    m_nRecordIndex = shown;
    LoadRecord();
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
