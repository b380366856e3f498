#include "component/ui/CompInstPage.h"

#include "codes/ui/Search.h"
#include "common/CurveReview.h"
#include "common/ui/DateField.h"
#include "component/ui/CompPageSupport.h"
#include "platform/ui/DateTimeCtrl.h"

namespace {

using D = CCompData;
using I = CCompInstPage;

const PageField<D> kInstFields[] = {
    {.id = I::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, "0->1"), .array = &D::m_saInstVehicleNo},
    {.id = I::IDC_COMPONENT_NO, .rule = FieldRule::Int(0, 99, true, "1->99"), .array = &D::m_saInstCompNo},
    {.id = I::IDC_CONFIGURATION_NO, .rule = FieldRule::Int(0, 999, true, "1->999"), .array = &D::m_saInstConfNo},
    {.id = I::IDC_SENSOR_TYPE, .array = &D::m_saInstSensorType, .codeTable = "SENTYP",
        .searchId = I::IDC_SEARCH_SENTYP},
    {.id = I::IDC_SENSOR_ATTACHMENT, .array = &D::m_saInstAttachment, .codeTable = "SENATT",
     .searchId = I::IDC_SEARCH_SENATT},
    {.id = I::IDC_AXIS, .array = &D::m_saInstAxis, .codeTable = "AXIS", .searchId = I::IDC_SEARCH_AXIS},
    {.id = I::IDC_XUNITS, .array = &D::m_saInstXUnits, .codeTable = "UNITS", .searchId = I::IDC_SEARCH_XUNITS,
     .empty = "SEC"},
    {.id = I::IDC_YUNITS, .array = &D::m_saInstYUnits, .codeTable = "UNITS", .searchId = I::IDC_SEARCH_YUNITS},
    {.id = I::IDC_INITIAL_VELOCITY, .rule = FieldRule::Real(-200.0, 200.0, true, "km/hr (-200.000->200.000)"),
     .array = &D::m_saInstInitialVelocity},
    {.id = I::IDC_FIRST_POINT, .rule = FieldRule::Int(-10000, 0, true, "-10000->0"), .array = &D::m_saInstFirstPoint},
    {.id = I::IDC_LAST_POINT, .rule = FieldRule::Int(0, 99999, true, "0->99999"), .array = &D::m_saInstLastPoint},
    {.id = I::IDC_TIME_STEP, .rule = FieldRule::Int(0, 999999, true, "Microseconds (0->999999)"),
     .array = &D::m_saInstTimeIncrement},
    {.id = I::IDC_DATA_STATUS, .array = &D::m_saInstDataStatus, .codeTable = "DASTAT",
        .searchId = I::IDC_SEARCH_DASTAT},
    {.id = I::IDC_CHANNEL_STATUS, .array = &D::m_saInstChannelStatus, .codeTable = "CHSTAT",
     .searchId = I::IDC_SEARCH_CHSTAT},
    {.id = I::IDC_CALIBRATION_DATE, .rule = FieldRule::Text(0, 11, true, "Date (dd/MMM/yyyy)"),
     .array = &D::m_saInstCalibrationDate},
    {.id = I::IDC_PREFILTER, .rule = FieldRule::Int(0, 99999, true, "Hz (0->99999)"), .array = &D::m_saInstPrefilter},
    {.id = I::IDC_RATING, .rule = FieldRule::Int(-999999, 999999, true, "-999999->999999"),
        .array = &D::m_saInstRating},
    {.id = I::IDC_CHANNEL_MAX, .rule = FieldRule::Int(0, 300, true, "% (0->100) allow to exceed 100 "),
     .array = &D::m_saInstChannelMax},
    {.id = I::IDC_MAKER, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstMaker},
    {.id = I::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstComments},
};
const PageTip kInstTips[] = {
    {I::IDC_NEXTCURVE_BUTTON, "Go to (or add) the next curve"},
    {I::IDC_DELETE_BUTTON, "Delete curve"},
};

DlgTemplate MakeInstTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry ref = CompColumn(14, 86, 30), code = CompColumn(8, 92, 40), value = CompColumn(196, 84, 56),
        wide = CompColumn(8, 92, 300);
    items.push_back({-1, DlgKind::GroupBox, "Referenced Number Narrowing", 6, 2, 176, 64});
    AddRow(items, ref, 14, {.label = "Test Vehicle Number:", .id = I::IDC_VEHICLE_NO,
        .style = DS_READONLY | DS_NUMBER, .searchId = I::IDC_SEARCH_VEHICLE});
    AddRow(items, ref, 31, {.label = "Component Number:", .id = I::IDC_COMPONENT_NO,
        .style = DS_READONLY | DS_NUMBER, .searchId = I::IDC_SEARCH_COMPONENT});
    AddRow(items, ref, 48, {.label = "Configuration Number:", .id = I::IDC_CONFIGURATION_NO,
        .style = DS_READONLY | DS_NUMBER, .searchId = I::IDC_SEARCH_CONFIGURATION});
    AddRow(items, code, 70, {.label = "Sensor Type:", .id = I::IDC_SENSOR_TYPE, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_SENTYP});
    AddRow(items, code, 86, {.label = "Sensor Attachment:", .id = I::IDC_SENSOR_ATTACHMENT, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_SENATT});
    items.push_back({-1, DlgKind::GroupBox, "Curve Coordinates", 4, 101, 190, 58});
    AddRow(items, code, 112, {.label = "Axis:", .id = I::IDC_AXIS, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_AXIS});
    AddRow(items, code, 127, {.label = "X Units:", .id = I::IDC_XUNITS, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_XUNITS});
    AddRow(items, code, 142, {.label = "Y Units:", .id = I::IDC_YUNITS, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_YUNITS});
    AddRow(items, code, 162, {.label = "Data Status:", .id = I::IDC_DATA_STATUS, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_DASTAT});
    AddRow(items, code, 178, {.label = "Channel Status:", .id = I::IDC_CHANNEL_STATUS, .style = DS_READONLY,
        .searchId = I::IDC_SEARCH_CHSTAT});
    AddRow(items, value, 6, {"Initial Velocity:", I::IDC_INITIAL_VELOCITY});
    AddRow(items, value, 22, {"First Point:", I::IDC_FIRST_POINT});
    AddRow(items, value, 38, {"Last Point:", I::IDC_LAST_POINT, DS_NUMBER});
    AddRow(items, value, 54, {"Time Step:", I::IDC_TIME_STEP, DS_NUMBER});
    AddRow(items, value, 70, {"Calibration Date:", I::IDC_CALIBRATION_DATE, DS_UPPERCASE});
    items.push_back({I::IDC_DATE_PICKER, DlgKind::Custom, "", 340, 70, 66, 13, 0, &CDateTimeCtrl::Create});
    AddRow(items, value, 86, {"Prefilter Frequency:", I::IDC_PREFILTER, DS_NUMBER});
    AddRow(items, value, 102, {"Instrument Rating:", I::IDC_RATING});
    AddRow(items, value, 118, {"Channel Maximum Rating:", I::IDC_CHANNEL_MAX, DS_NUMBER});
    AddRow(items, CompColumn(196, 84, 120), 134, {"Instrument Manufacturer:", I::IDC_MAKER, DS_UPPERCASE});
    AddRow(items, wide, 196, {"Instrument Comments:", I::IDC_COMMENTS});
    items.push_back({I::IDC_CHECK_CURVE, DlgKind::Button, "Check Curve\nRelated Error", 4, 212, 70, 20, DS_MULTILINE});
    items.push_back({I::IDC_VIEW_CURVE, DlgKind::Button, "View Curve\nRelated Data", 4, 212, 70, 20, DS_MULTILINE});
    items.push_back({I::IDC_MESSAGE, DlgKind::Edit, "", 78, 215, 330, 13, DS_READONLY});
    items.push_back({I::IDC_FIND_NEXT_ERROR, DlgKind::Button, "FInd next error", 414, 214, 88, 14});
    AddRecordIndex(items, 410, 4, "Curve/Channel Number", RecordControls {I::IDC_RECORD_LIST,
        I::IDC_NEXTCURVE_BUTTON, I::IDC_DELETE_BUTTON, I::IDC_RETAIN_LAST}, nullptr, kCompRecordBox);
    return {"Instrumentation Info", 509, 234, "DejaVu Sans", 8, false, items};
}
const DlgTemplate kInstTemplate = MakeInstTemplate();

} // namespace

CCompInstPage::CCompInstPage()
    : CCompRecordPage(&kInstTemplate, kInstFields,
                      {IDC_RECORD_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_BUTTON, IDC_RETAIN_LAST}, "CCompInstPage",
                      kInstTips)
    , m_channel(*this, {IDC_RECORD_LIST, IDC_DATE_PICKER},
                {&m_editMessage, IDC_CHECK_CURVE, IDC_VIEW_CURVE, IDC_FIND_NEXT_ERROR, Edit(IDC_FIRST_POINT),
                 Edit(IDC_LAST_POINT), Edit(IDC_TIME_STEP)},
                [this] {
                    if (!m_pData)
                        return CurveCheckState {};
                    D& d = *m_pData;
                    CurveCheckState state = ChannelCurveState(d, d.m_nCheckCurves, d.m_nCurveCheckCount);
                    state.channelInfoMerged = &d.m_bChannelInfoMerged;
                    return state;
                },
                m_bChangeHandling, CCurveCheckPanel::GreyStyle())
{
    for (const PageField<D>& field : kInstFields) {
        if (!field.codeTable)
            m_validated.push_back(field.id);
    }
}

CCompInstPage::~CCompInstPage() = default;

void CCompInstPage::DoDataExchange(CDataExchange* pDX)
{
    CCompRecordPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MESSAGE, m_editMessage);
}

BOOL CCompInstPage::OnInitDialog()
{
    CCompRecordPage::OnInitDialog();
    m_channel.OnInitDialog(
        *Edit(IDC_CALIBRATION_DATE), [this] { return m_pData ? &m_pData->m_saInstCalibrationDate : nullptr; },
        [this] { AllFieldsValid(); });
    OnClicked(IDC_SEARCH_VEHICLE, [this] { OnSearchVehicle(); });
    OnClicked(IDC_SEARCH_COMPONENT, [this] { OnSearchComponent(); });
    OnClicked(IDC_SEARCH_CONFIGURATION, [this] { OnSearchConfiguration(); });
    return TRUE;
}

BOOL CCompInstPage::OnSetActive()
{
    const bool checkMode = !m_pData || m_pData->m_nCheckCurves == 0;
    if (checkMode)
        m_channel.curves.ShowCurveButtons(true);
    if (m_pData) {
        m_nRecordCount = DataRecordCount(*m_pData);
        m_nRecordIndex = std::min(m_nRecordIndex, m_nRecordCount);
    }
    m_bChangeHandling = false;
    SetFieldTypes();
    m_bChangeHandling = true;
    m_channel.curves.FindNextCurveError(0);
    LoadRecord();
    AllFieldsValid();
    m_channel.curves.ShowCurveButtons(!m_pData || m_pData->m_nCheckCurves == 0);
    return CRecordPage::OnSetActive();
}

void CCompInstPage::LoadRecord()
{
    if (!HasWindow() || !m_pData)
        return;
    D& data = *m_pData;
    const int i = m_nRecordIndex;
    PrepareRecord(i);
    m_bChangeHandling = false;
    ApplyRanges();
    // The stored date into the picker (a bad one is told); the record keeps the date check's form
    // of it, upper-cased.
    const CString date = m_channel.date.Show(data.m_saInstCalibrationDate[i]);
    if (i < data.m_saInstCalibrationDate.GetSize())
        data.m_saInstCalibrationDate.SetAt(i, date);
    CCompRecordPage::LoadRecord();
    m_bChangeHandling = true;
}

void CCompInstPage::PrepareRecord(int i)
{
    D& data = *m_pData;
    if (i > 0) {
        if (NoVehicle())
            data.m_saInstVehicleNo.SetAtGrow(i, "0");
        if (data.m_nComponentCount == 0)
            data.m_saInstCompNo.SetAtGrow(i, "");
        if (data.m_nConfigurationCount == 0)
            data.m_saInstConfNo.SetAtGrow(i, "");
    }
}

void CCompInstPage::ApplyRanges()
{
    const D& data = *m_pData;
    ApplyIntRange(IDC_VEHICLE_NO, 0, NoVehicle() ? 0 : 1);
    ApplyIntRange(IDC_COMPONENT_NO, 0, data.m_nComponentCount);
    ApplyIntRange(IDC_CONFIGURATION_NO, 0, static_cast<int>(data.m_saConfNo.GetSize()) - 1);
}

bool CCompInstPage::StoredReferencesValid(int index)
{
    // A curve told wrong is judged on the shown record, where the panel tells it.
    const CCurveReview review = m_channel.curves.Review();
    if (review.IsOn() && review.HasFindings())
        return false;
    // A date the picker would refuse is told when its record is shown. A good one is stored as
    // showing it stores it.
    D& data = *m_pData;
    const CString& stored = data.m_saInstCalibrationDate[index];
    if (!m_lastDate || m_lastDate->stored != stored) {
        CString date = stored;
        const bool good = ReadDateQuietly(date, "INSTRUMENTATION");
        m_lastDate = DateReading {stored, date, good};
    }
    if (!m_lastDate->good)
        return false;
    if (index < data.m_saInstCalibrationDate.GetSize())
        data.m_saInstCalibrationDate.SetAt(index, m_lastDate->read);
    // As LoadExtra and CheckReferences judge the shown record.
    ApplyRanges();
    const CString vehicle = StoredText(IDC_VEHICLE_NO, index);
    if (!Edit(IDC_VEHICLE_NO)->Accepts(vehicle))
        return false;
    const CString component = StoredText(IDC_COMPONENT_NO, index);
    if (!CheckPairInLists::Holds(component, vehicle, data.m_saCompNo, data.m_saCompVehicleNo,
                                 data.m_nComponentCount))
        return false;
    const CString configuration = component.IsEmpty() ? CString() : StoredText(IDC_CONFIGURATION_NO, index);
    return CheckPairInLists::Holds(configuration, component, data.m_saConfNo, data.m_saConfCompNo,
                                   data.m_nConfigurationCount);
}

void CCompInstPage::LoadExtra(const CCompData& data, int index)
{
    EnableDlgItem(IDC_SEARCH_VEHICLE, !NoVehicle());
    EnableDlgItem(IDC_SEARCH_COMPONENT, data.m_nComponentCount != 0);
    for (int id : {IDC_VEHICLE_NO, IDC_COMPONENT_NO, IDC_CONFIGURATION_NO})
        Edit(id)->Revalidate();
    CNEdit& step = *Edit(IDC_TIME_STEP);
    if (step.IsValid())
        step.ShowNormalColors();
    if (Edit(IDC_COMPONENT_NO)->GetText().IsEmpty()) {
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, false);
        Edit(IDC_CONFIGURATION_NO)->SetText("");
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    } else {
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, true);
    }
    CheckReferences();
    EnableTimeStep(data.m_saInstXUnits[index] == "SEC", false);
}

bool CCompInstPage::CheckReferences()
{
    if (!m_pData)
        return false;
    const D& data = *m_pData;
    CNEdit& vehicle = *Edit(IDC_VEHICLE_NO);
    CNEdit& component = *Edit(IDC_COMPONENT_NO);
    CNEdit& configuration = *Edit(IDC_CONFIGURATION_NO);
    vehicle.Revalidate();
    if (!vehicle.IsValid()) {
        component.SetValidFlag(false);
        configuration.SetValidFlag(false);
        return false;
    }
    component.Revalidate();
    configuration.Revalidate();
    CheckPairInLists(component, vehicle, data.m_saCompNo, data.m_saCompVehicleNo, data.m_nComponentCount);
    if (!component.IsValid()) {
        configuration.SetValidFlag(false);
        return false;
    }
    configuration.Revalidate();
    CheckPairInLists(configuration, component, data.m_saConfNo, data.m_saConfCompNo, data.m_nConfigurationCount);
    return configuration.IsValid();
}

void CCompInstPage::EnableTimeStep(bool enable, bool fromRecord)
{
    const CString stored = m_pData ? m_pData->m_saInstTimeIncrement[m_nRecordIndex] : CString();
    EnableTimeField(IDC_TIME_STEP, enable, fromRecord ? &stored : nullptr);
}

void CCompInstPage::AfterSearch(int id)
{
    if (id == IDC_XUNITS)
        EnableTimeStep(Edit(IDC_XUNITS)->GetText() == "SEC", true);
}

void CCompInstPage::SaveExtra(CCompData& data, int /*index*/)
{
    data.m_nCurveCount = m_nRecordCount;
    data.m_nInstRecordCount = m_nRecordCount;
}

void CCompInstPage::ClearPage()
{
    m_bChangeHandling = false;
    CCompRecordPage::ClearPage();
    m_bChangeHandling = true;
}

bool CCompInstPage::AllFieldsValid()
{
    if (!CCompRecordPage::AllFieldsValid())
        return false;
    return m_channel.curves.ShowRecordCurveError(m_nRecordIndex);
}

void CCompInstPage::OnSearchVehicle()
{
    UpdateData(TRUE);
    CString before = Edit(IDC_VEHICLE_NO)->GetText();
    before.Trim();
    if (const auto vehicle = PickVehicle(); vehicle && *vehicle != before) {
        Edit(IDC_VEHICLE_NO)->SetText(*vehicle);
        Edit(IDC_VEHICLE_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_COMPONENT, true);
        Edit(IDC_COMPONENT_NO)->SetText("");
        Edit(IDC_COMPONENT_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, false);
        Edit(IDC_CONFIGURATION_NO)->SetText("");
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    }
    UpdateData(TRUE);
}

void CCompInstPage::OnSearchComponent()
{
    UpdateData(TRUE);
    CString before = Edit(IDC_COMPONENT_NO)->GetText();
    before.Trim();
    if (const auto component = PickComponent(Edit(IDC_VEHICLE_NO)->GetText()); component && *component != before) {
        Edit(IDC_COMPONENT_NO)->SetText(*component);
        Edit(IDC_COMPONENT_NO)->Revalidate();
        EnableDlgItem(IDC_SEARCH_CONFIGURATION, !component->IsEmpty());
        Edit(IDC_CONFIGURATION_NO)->SetText("");
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    }
    UpdateData(TRUE);
}

void CCompInstPage::OnSearchConfiguration()
{
    if (IsEnterHeldDown() || !m_pData)
        return;
    UpdateData(TRUE);
    D& data = *m_pData;
    CString vehicle = Edit(IDC_VEHICLE_NO)->GetText(), component = Edit(IDC_COMPONENT_NO)->GetText();
    vehicle.Trim();
    component.Trim();
    CStringArray vehicles, components, numbers, comments;
    for (int i = 1; i <= data.m_nConfigurationCount && i < data.m_saConfNo.GetSize(); ++i) {
        CString v = data.m_saConfVehicleNo[i], c = data.m_saConfCompNo[i];
        v.Trim();
        c.Trim();
        data.m_saConfVehicleNo.SetAtGrow(i, v);
        data.m_saConfCompNo.SetAtGrow(i, c);
        if (v != vehicle || c != component)
            continue;
        vehicles.Add(vehicle);
        components.Add(c);
        numbers.Add(data.m_saConfNo[i]);
        comments.Add(data.m_saConfTestConfig[i] + ", " + data.m_saConfCommentary[i]);
    }
    CString before = Edit(IDC_CONFIGURATION_NO)->GetText();
    before.Trim();
    CSearch search(nullptr, "ListCompInstConfData", &vehicles, &components, &numbers, &comments);
    if (search.DoModal() == IDOK && search.GetCode() != before) {
        Edit(IDC_CONFIGURATION_NO)->SetText(search.GetCode());
        Edit(IDC_CONFIGURATION_NO)->Revalidate();
    }
    UpdateData(TRUE);
}