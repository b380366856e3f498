#include "common/ui/HsvdPage.h"

#include "common/Convert.h"

#include <QCheckBox>

namespace {

using D = CHighSpeedVideoData;

const PageField<D> kFields[] = {
    {.id = CHsvdPage::IDC_TEST_REFERENCE,
     .rule = FieldRule::Text(0, 16, true, "string (maximum 16 characters)"),
     .member = &D::m_strTestReference},
    {.id = CHsvdPage::IDC_SCALE_FACTOR,
     .rule = FieldRule::Real(0.0, 10000.0, true, "second (real)"),
     .array = &D::m_arrScaleFactor},
    {.id = CHsvdPage::IDC_VIEW_DESCRIPTION,
     .rule = FieldRule::Text(0, 70, true, "string (maximum 70 characters)"),
     .array = &D::m_arrViewDescription},
    {.id = CHsvdPage::IDC_COMMENTARY,
     .rule = FieldRule::Text(0, 70, true, "string (maximum 70 characters)"),
     .array = &D::m_arrCommentary},
};

const PageTip kTips[] = {
    {CHsvdPage::IDC_CAMERA_LIST, "Camera number list"},
    {CHsvdPage::IDC_DELETE_RECORD, "Delete the current record"},
    {CHsvdPage::IDC_NEXTCURVE_BUTTON, "Move to the next camera"},
    {CHsvdPage::IDC_RETAIN_LAST, "Retain data for the record of next number"},
};

// As wide as its controls: in its larger font the page still fits a 1024-pixel screen.
const DlgTemplate kHsvdTemplate {
    "High-Speed Digital Video Info",
    500,
    209,
    "Microsoft Sans Serif",
    10,
    false,
    {
        {-1, DlgKind::Static, "Test Reference\nNumber:", 10, 10, 90, 20},
        {CHsvdPage::IDC_TEST_REFERENCE, DlgKind::Edit, "", 105, 12, 120, 13, DS_UPPERCASE},
        {-1, DlgKind::Static, "Video Frame Number\nScale Factor:", 10, 36, 90, 20},
        {CHsvdPage::IDC_SCALE_FACTOR, DlgKind::Edit, "", 105, 38, 120, 13},
        {-1, DlgKind::Static, "View Description:", 10, 64, 90, 10},
        {CHsvdPage::IDC_VIEW_DESCRIPTION, DlgKind::MultiEdit, "", 105, 60, 240, 22},
        {-1, DlgKind::Static, "Camera Commentary:", 10, 90, 90, 10},
        {CHsvdPage::IDC_COMMENTARY, DlgKind::MultiEdit, "", 105, 88, 240, 22},
        {-1, DlgKind::GroupBox, "Camera Number", 370, 8, 125, 150},
        {CHsvdPage::IDC_CAMERA_LIST, DlgKind::ListBox, "", 380, 22, 105, 128},
        {CHsvdPage::IDC_DELETE_RECORD, DlgKind::Button, "x", 105, 120, 20, 14},
        {-1, DlgKind::Static, "Delete the Selected Record", 130, 123, 120, 10},
        {CHsvdPage::IDC_NEXTCURVE_BUTTON, DlgKind::Button, ">", 325, 120, 20, 14},
        {CHsvdPage::IDC_RETAIN_LAST, DlgKind::CheckBox, "Retain the Last Record for the New", 105, 150, 180, 12},
    },
};

} // namespace

CHsvdPage::CHsvdPage()
    : CDataRecordPage<D>(&kHsvdTemplate, kFields,
                         {IDC_CAMERA_LIST, IDC_NEXTCURVE_BUTTON, IDC_DELETE_RECORD, IDC_RETAIN_LAST}, "CHsvdPage",
                         kTips)
    , m_editTestReference(*Edit(IDC_TEST_REFERENCE))
    , m_editScaleFactor(*Edit(IDC_SCALE_FACTOR))
    , m_editViewDescription(*Edit(IDC_VIEW_DESCRIPTION))
    , m_editCommentary(*Edit(IDC_COMMENTARY))
{
    // Camera numbers are written with at most three digits.
    m_maxRecords = 999;
    m_tooManyMessage = "A test holds at most 999 high-speed video cameras.";
}

CHsvdPage::~CHsvdPage() = default;

BOOL CHsvdPage::OnInitDialog()
{
    CDataRecordPage<D>::OnInitDialog();
    if (auto* box = Item<QCheckBox>(IDC_RETAIN_LAST))
        box->setLayoutDirection(Qt::RightToLeft); // text on the left
    return TRUE;
}

void CHsvdPage::SaveExtra(CHighSpeedVideoData& data, int index)
{
    data.m_arrCameraNumber.SetAtGrow(index, IntToCString(index));
}

