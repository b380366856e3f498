#include "swg/ui/SWGInstPage.h"

#include "common/ui/PageLayout.h"

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

// Two columns of fields (codes with their "Search..." buttons; numbers), the curve box at the
// right, the comments and the retain check box below.
constexpr ColumnGeometry kCodes {.x = 8, .y = 10, .labelWidth = 82, .editWidth = 60, .rowHeight = 18, .editGap = 2,
                                 .buttonGap = 4, .labelHeight = 9, .buttonWidth = 44};
constexpr ColumnGeometry kNumbers {.x = 212, .y = 10, .labelWidth = 82, .editWidth = 60, .rowHeight = 18, .editGap = 2,
                                   .labelHeight = 9};

// Placed on the page as a whole: the retain check box stands below the fields, not in the box.
constexpr BoxItem kCurveBox[] = {
    {BoxPart::Group, 366, 6, 136, 196},
    {BoxPart::List, 374, 20, 50, 150},
    {BoxPart::Next, 432, 20, 20, 14},
    {BoxPart::Remove, 432, 40, 20, 14},
    {BoxPart::RemoveText, 456, 40, 44, 28, "Delete the\nSelected\nRecord"},
    {BoxPart::Retain, 92, 194, 200, 12, "Retain the Last Record for the New"},
};

DlgTemplate MakeInstTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, kCodes,
              {
                  {"Signal Source:", P::IDC_SIGNAL_SOURCE, DS_READONLY, P::IDC_SEARCH_SIGNAL_SOURCE},
                  {"Sensor Type:", P::IDC_SENSOR_TYPE, DS_READONLY, P::IDC_SEARCH_SENSOR_TYPE},
                  {"Sensor Location:", P::IDC_SENSOR_LOCATION, DS_READONLY, P::IDC_SEARCH_SENSOR_LOCATION},
                  {"Sensor Attachment:", P::IDC_ATTACHMENT, DS_READONLY, P::IDC_SEARCH_ATTACHMENT},
                  {"Axis Direction:", P::IDC_AXIS, DS_READONLY, P::IDC_SEARCH_AXIS},
                  {"X Direction Units:", P::IDC_X_UNITS, DS_READONLY, P::IDC_SEARCH_X_UNITS},
                  {"Y Direction Units:", P::IDC_Y_UNITS, DS_READONLY, P::IDC_SEARCH_Y_UNITS},
                  {"Data Status:", P::IDC_DATA_STATUS, DS_READONLY, P::IDC_SEARCH_DATA_STATUS},
                  {"Channel Status:", P::IDC_CHANNEL_STATUS, DS_READONLY, P::IDC_SEARCH_CHANNEL_STATUS},
              });
    AddColumn(items, kNumbers,
              {
                  {"Signal Level:", P::IDC_LEVEL, DS_NUMBER},
                  {"Prefilter Frequency:", P::IDC_PREFILTER, DS_NUMBER},
                  {"Instrument Rating:", P::IDC_RATING},
                  {"Channel Maximum:", P::IDC_CHANNEL_MAX, DS_NUMBER},
                  {"First Point:", P::IDC_FIRST_POINT},
                  {"Last Point:", P::IDC_LAST_POINT, DS_NUMBER},
                  {"Time Increment:", P::IDC_TIME_INCREMENT, DS_NUMBER},
              });
    AddRow(items, kCodes, 10 + 9 * 18 + 2,
           {.label = "Instrument Comments:", .id = P::IDC_COMMENTS, .style = DS_UPPERCASE, .editWidth = 264});
    AddRecordIndex(items, 0, 0, "Curve/Channel Number",
                   RecordControls {P::IDC_CURVE_LIST, P::IDC_NEXTCURVE_BUTTON, P::IDC_DELETE_CURVE, P::IDC_RETAIN_LAST},
                   nullptr, kCurveBox);
    return PageTemplate("Instrumentation Information", 509, 218, std::move(items));
}
const DlgTemplate kInstTemplate = MakeInstTemplate();

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
