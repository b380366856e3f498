#include "swg/ui/SWGInstPage.h"

#include <algorithm>

namespace {

using D = CSWGData;
using P = CSWGInstPage;

const PageField<D> kFields[] = {
    {.id = P::IDC_SIGNAL_SOURCE, .array = &D::m_saInstSignalSource, .codeTable = "SIGSRC",
     .searchId = P::IDC_SEARCH_SIGNAL_SOURCE},
    {.id = P::IDC_LEVEL,
     .rule = FieldRule::Int(5, 5000, true,
                            "Integer between 5-5000 for Sensor Type ET, between 5-500 for Sensor Type LL or HL"),
     .array = &D::m_saInstLevel,
     .empty = "5"},
    {.id = P::IDC_SENSOR_TYPE, .array = &D::m_saInstSensorType, .codeTable = "SENTYP",
     .searchId = P::IDC_SEARCH_SENSOR_TYPE},
    {.id = P::IDC_SENSOR_LOCATION, .array = &D::m_saInstSensorLocation, .codeTable = "SENLOC",
     .searchId = P::IDC_SEARCH_SENSOR_LOCATION},
    {.id = P::IDC_ATTACHMENT, .array = &D::m_saInstAttachment, .codeTable = "SENATT",
     .searchId = P::IDC_SEARCH_ATTACHMENT},
    {.id = P::IDC_AXIS, .array = &D::m_saInstAxis, .codeTable = "AXIS", .searchId = P::IDC_SEARCH_AXIS},
    {.id = P::IDC_X_UNITS, .array = &D::m_saInstXUnits, .codeTable = "UNITS", .searchId = P::IDC_SEARCH_X_UNITS,
     .empty = "SEC"},
    {.id = P::IDC_Y_UNITS, .array = &D::m_saInstYUnits, .codeTable = "UNITS", .searchId = P::IDC_SEARCH_Y_UNITS},
    {.id = P::IDC_PREFILTER, .rule = FieldRule::Int(0, 99999, true, "Hz (0->99999)"), .array = &D::m_saInstPrefilter},
    {.id = P::IDC_RATING, .rule = FieldRule::Int(-999999, 999999, true, "Integer (-999999->999999)"),
     .array = &D::m_saInstRating},
    {.id = P::IDC_CHANNEL_MAX, .rule = FieldRule::Int(0, 999, true, "% Integer (0->999)"),
     .array = &D::m_saInstChannelMax},
    {.id = P::IDC_FIRST_POINT, .rule = FieldRule::Int(-10000, 0, true, "Integer (-10000->0)"),
     .array = &D::m_saInstFirstPoint},
    {.id = P::IDC_LAST_POINT, .rule = FieldRule::Int(0, 99999, true, "Integer (0->99999)"),
     .array = &D::m_saInstLastPoint},
    {.id = P::IDC_TIME_INCREMENT, .rule = FieldRule::Int(0, 999999, true, "Microseconds (0->999999)"),
     .array = &D::m_saInstTimeIncrement},
    {.id = P::IDC_DATA_STATUS, .array = &D::m_saInstDataStatus, .codeTable = "DASTAT",
     .searchId = P::IDC_SEARCH_DATA_STATUS},
    {.id = P::IDC_CHANNEL_STATUS, .array = &D::m_saInstChannelStatus, .codeTable = "CHSTAT",
     .searchId = P::IDC_SEARCH_CHANNEL_STATUS},
    {.id = P::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInstComments},
};
static_assert(std::size(kFields) == CSWGData::kCurveFields);

const PageTip kTips[] = {
    {P::IDC_NEXTCURVE_BUTTON, "Go to (or add) the next curve"},
    {P::IDC_DELETE_CURVE, "Delete curve"},
};

constexpr COLORREF kGrey = RGB(192, 192, 192);

// Two columns of fields (codes with their "Search..." buttons; numbers), the curve group at the
// right, the comments and the retain box below.
constexpr int kRow = 18, kTop = 10;
constexpr int kCodeLabelX = 8, kCodeEditX = 92, kSearchX = 156;
constexpr int kNumberLabelX = 212, kNumberEditX = 296;

constexpr int RowY(int row) { return kTop + row * kRow; }

DlgItem CodeLabel(int row, const char* text) { return {-1, DlgKind::Static, text, kCodeLabelX, RowY(row) + 2, 82, 9}; }
DlgItem CodeEdit(int row, int id) { return {id, DlgKind::Edit, "", kCodeEditX, RowY(row), 60, 13, DS_READONLY}; }
DlgItem Search(int row, int id) { return {id, DlgKind::Button, "Search...", kSearchX, RowY(row), 44, 13}; }
DlgItem NumberLabel(int row, const char* text)
{
    return {-1, DlgKind::Static, text, kNumberLabelX, RowY(row) + 2, 82, 9};
}
DlgItem NumberEdit(int row, int id, UINT style = DS_NUMBER)
{
    return {id, DlgKind::Edit, "", kNumberEditX, RowY(row), 60, 13, style};
}

const DlgTemplate kInstTemplate {
    "Instrumentation Information",
    509,
    218,
    "DejaVu Sans",
    8,
    false,
    {
        CodeLabel(0, "Signal Source:"), CodeEdit(0, P::IDC_SIGNAL_SOURCE), Search(0, P::IDC_SEARCH_SIGNAL_SOURCE),
        CodeLabel(1, "Sensor Type:"), CodeEdit(1, P::IDC_SENSOR_TYPE), Search(1, P::IDC_SEARCH_SENSOR_TYPE),
        CodeLabel(2, "Sensor Location:"), CodeEdit(2, P::IDC_SENSOR_LOCATION), Search(2, P::IDC_SEARCH_SENSOR_LOCATION),
        CodeLabel(3, "Sensor Attachment:"), CodeEdit(3, P::IDC_ATTACHMENT), Search(3, P::IDC_SEARCH_ATTACHMENT),
        CodeLabel(4, "Axis Direction:"), CodeEdit(4, P::IDC_AXIS), Search(4, P::IDC_SEARCH_AXIS),
        CodeLabel(5, "X Direction Units:"), CodeEdit(5, P::IDC_X_UNITS), Search(5, P::IDC_SEARCH_X_UNITS),
        CodeLabel(6, "Y Direction Units:"), CodeEdit(6, P::IDC_Y_UNITS), Search(6, P::IDC_SEARCH_Y_UNITS),
        CodeLabel(7, "Data Status:"), CodeEdit(7, P::IDC_DATA_STATUS), Search(7, P::IDC_SEARCH_DATA_STATUS),
        CodeLabel(8, "Channel Status:"), CodeEdit(8, P::IDC_CHANNEL_STATUS), Search(8, P::IDC_SEARCH_CHANNEL_STATUS),

        NumberLabel(0, "Signal Level:"), NumberEdit(0, P::IDC_LEVEL),
        NumberLabel(1, "Prefilter Frequency:"), NumberEdit(1, P::IDC_PREFILTER),
        NumberLabel(2, "Instrument Rating:"), NumberEdit(2, P::IDC_RATING, 0),
        NumberLabel(3, "Channel Maximum:"), NumberEdit(3, P::IDC_CHANNEL_MAX),
        NumberLabel(4, "First Point:"), NumberEdit(4, P::IDC_FIRST_POINT, 0),
        NumberLabel(5, "Last Point:"), NumberEdit(5, P::IDC_LAST_POINT),
        NumberLabel(6, "Time Increment:"), NumberEdit(6, P::IDC_TIME_INCREMENT),

        {-1, DlgKind::Static, "Instrument Comments:", kCodeLabelX, RowY(9) + 4, 82, 9},
        {P::IDC_COMMENTS, DlgKind::Edit, "", kCodeEditX, RowY(9) + 2, 264, 13, DS_UPPERCASE},

        {-1, DlgKind::GroupBox, "Curve/Channel Number", 366, 6, 136, 196},
        {P::IDC_CURVE_LIST, DlgKind::ListBox, "", 374, 20, 50, 150},
        {P::IDC_NEXTCURVE_BUTTON, DlgKind::Button, ">", 432, 20, 20, 14},
        {P::IDC_DELETE_CURVE, DlgKind::Button, "x", 432, 40, 20, 14},
        {-1, DlgKind::Static, "Delete the\nSelected\nRecord", 456, 40, 44, 28},
        {P::IDC_RETAIN_LAST, DlgKind::CheckBox, "Retain the Last Record for the New", kCodeEditX, RowY(10) + 4, 200,
         12},
    },
};

} // namespace

CSWGInstPage::CSWGInstPage()
    : CDataRecordPage<D>(&kInstTemplate, kFields,
                         {IDC_CURVE_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_CURVE, IDC_RETAIN_LAST}, "CSWGInstPage",
                         kTips)
{
}

CSWGInstPage::~CSWGInstPage() = default;

int CSWGInstPage::DataRecordCount(const CSWGData& data) const
{
    return std::clamp(data.m_nCurveCount, 0, data.CurvesInLists());
}

void CSWGInstPage::EnableTimeIncrement(bool seconds)
{
    CNEdit* time = Edit(IDC_TIME_INCREMENT);
    if (seconds) {
        EnableDlgItem(IDC_TIME_INCREMENT, true);
        time->SetColors(CNEdit::kBlack, time->IsValid() ? CNEdit::kWhite : CNEdit::kYellow);
    } else {
        time->SetColors(CNEdit::kBlack, kGrey);
        EnableDlgItem(IDC_TIME_INCREMENT, false);
    }
}

void CSWGInstPage::LoadExtra(const CSWGData&, int)
{
    EnableTimeIncrement(Edit(IDC_X_UNITS)->GetText() == "SEC");
}

void CSWGInstPage::SaveExtra(CSWGData& data, int)
{
    data.m_nLastCurveNo = m_nRecordCount;
    data.m_nCurveCount = m_nRecordCount;
}

void CSWGInstPage::AfterSearch(int id)
{
    if (id != IDC_X_UNITS)
        return;
    CNEdit* time = Edit(IDC_TIME_INCREMENT);
    if (Edit(IDC_X_UNITS)->GetText() != "SEC") {
        time->SetText("0");
    } else if (m_pData) {
        time->SetText(m_pData->m_saInstTimeIncrement[m_nRecordIndex]);
    }
    EnableTimeIncrement(Edit(IDC_X_UNITS)->GetText() == "SEC");
}
