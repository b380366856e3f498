#include "common/ui/HsvdPage.h"

#include "biomech/BioData.h"
#include "common/Convert.h"
#include "component/CompData.h"
#include "swg/SWGData.h"
#include "vehicle/VehData.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// Camera numbers are written with at most three digits.
constexpr int kMaxCameras = 999;

// The page's value fields: which edit, its control, its type and limits, and its tooltip.
struct HsvdField {
    int id;
    CNEdit CHsvdPage::*edit;
    CStringArray CHighSpeedVideoData::*values; // null: the test reference, one for all cameras
    FieldRule rule;
};

const HsvdField kFields[] = {
    {CHsvdPage::IDC_TEST_REFERENCE, &CHsvdPage::m_editTestReference, nullptr,
     FieldRule::Text(0, 16, true, "string (maximum 16 characters)")},
    {CHsvdPage::IDC_SCALE_FACTOR, &CHsvdPage::m_editScaleFactor, &CHighSpeedVideoData::m_arrScaleFactor,
     FieldRule::Real(0.0, 10000.0, true, "second (real)")},
    {CHsvdPage::IDC_VIEW_DESCRIPTION, &CHsvdPage::m_editViewDescription, &CHighSpeedVideoData::m_arrViewDescription,
     FieldRule::Text(0, 70, true, "string (maximum 70 characters)")},
    {CHsvdPage::IDC_COMMENTARY, &CHsvdPage::m_editCommentary, &CHighSpeedVideoData::m_arrCommentary,
     FieldRule::Text(0, 70, true, "string (maximum 70 characters)")},
};

// The four arrays of a camera record.
constexpr CStringArray CHighSpeedVideoData::*kRecordArrays[] = {
    &CHighSpeedVideoData::m_arrCameraNumber, &CHighSpeedVideoData::m_arrScaleFactor,
    &CHighSpeedVideoData::m_arrViewDescription, &CHighSpeedVideoData::m_arrCommentary};

struct Tip {
    int id;
    const char* text;
};

// The other controls' tooltips; the fields carry theirs in their rules.
const Tip kTips[] = {
    {CHsvdPage::IDC_CAMERA_LIST, "Camera number list"},
    {CHsvdPage::IDC_DELETE_RECORD, "Delete the current record"},
    {CHsvdPage::IDC_NEXTCURVE_BUTTON, "Move to the next camera"},
    {CHsvdPage::IDC_RETAIN_LAST, "Retain data for the record of next number"},
};

const DlgTemplate kHsvdTemplate {
    "High-Speed Digital Video Info",
    509,
    209,
    "Microsoft Sans Serif",
    10,
    false,
    {
        {-1, DlgKind::Static, "Test Reference\nNumber:", 10, 10, 90, 20},
        {CHsvdPage::IDC_TEST_REFERENCE, DlgKind::Edit, "", 105, 12, 120, 13},
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
    : CRecordPage(&kHsvdTemplate)
{
}

CHsvdPage::~CHsvdPage() = default;

CHighSpeedVideoData* CHsvdPage::Data() const
{
    switch (m_cKind) {
    case 'V':
        return m_pVehData;
    case 'B':
        return m_pBioData;
    case 'C':
        return m_pCompData;
    case 'S':
        return m_pSWGData;
    default:
        return nullptr;
    }
}

BOOL CHsvdPage::OnInitDialog()
{
    CRecordPage::OnInitDialog();
    for (const Tip& tip : kTips) {
        if (QWidget* w = GetDlgItem(tip.id))
            w->setToolTip(QString::fromLatin1(tip.text));
    }
    if (auto* box = Item<QCheckBox>(IDC_RETAIN_LAST))
        box->setLayoutDirection(Qt::RightToLeft); // text on the left
    if (QLineEdit* edit = Item<QLineEdit>(IDC_TEST_REFERENCE)) {
        // Letters are forced to capitals as they are typed.
        connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
            const QString upper = text.toUpper();
            if (upper != text) {
                const int cursor = edit->cursorPosition();
                edit->setText(upper);
                edit->setCursorPosition(cursor);
            }
        });
    }
    OnClicked(IDC_NEXTCURVE_BUTTON, [this] { OnNextcurveButton(); });
    OnClicked(IDC_DELETE_RECORD, [this] { OnDeleteRecord(); });
    OnSelChange(IDC_CAMERA_LIST, [this] { OnSelchangeCameraList(); });
    return TRUE;
}

void CHsvdPage::DoDataExchange(CDataExchange* pDX)
{
    for (const HsvdField& field : kFields) {
        // View description and commentary are multi-line windows: checked and limited as typed
        // like the single-line fields.
        CNEdit& edit = this->*field.edit;
        if (auto* multi = Item<QPlainTextEdit>(field.id); multi && !edit.HasWindow())
            edit.Attach(multi);
        else
            DDX_Control(pDX, field.id, edit);
    }
    DDX_Control(pDX, IDC_CAMERA_LIST, m_listCameras);
    DDX_Control(pDX, IDC_DELETE_RECORD, m_btnDelete);
    DDX_Control(pDX, IDC_NEXTCURVE_BUTTON, m_btnNext);
    DDX_Check(pDX, IDC_RETAIN_LAST, m_bRetainLast);
}

void CHsvdPage::SetFieldTypes()
{
    for (const HsvdField& field : kFields)
        (this->*field.edit).Apply(field.rule);
}

BOOL CHsvdPage::OnSetActive()
{
    if (const CHighSpeedVideoData* data = Data()) {
        m_nRecordCount = data->CameraCount();
        // The data may have been emptied while the page had no window to be cleared: a record
        // index behind the last camera would make the next save invent empty cameras.
        if (m_nRecordIndex > m_nRecordCount)
            m_nRecordIndex = m_nRecordCount;
    }
    SetFieldTypes();
    LoadRecord();
    IsPageValid();
    return CRecordPage::OnSetActive();
}

BOOL CHsvdPage::OnKillActive()
{
    if (!SaveAndValidateAll())
        return FALSE;
    return CRecordPage::OnKillActive();
}

void CHsvdPage::LoadRecord()
{
    if (!HasWindow())
        return;
    RefreshRecordList(m_listCameras);
    UpdateData(TRUE);
    if (const CHighSpeedVideoData* data = Data()) {
        m_editTestReference.SetText(data->m_strTestReference);
        for (const HsvdField& field : kFields) {
            if (field.values)
                (this->*field.edit).SetText((data->*field.values)[m_nRecordIndex]);
        }
    }
    UpdateData(FALSE);
}

BOOL CHsvdPage::SaveRecord()
{
    if (!HasWindow())
        return TRUE;
    CHighSpeedVideoData* data = Data();
    if (!data)
        return FALSE;
    data->m_arrCameraNumber.SetAtGrow(m_nRecordIndex, IntToCString(m_nRecordIndex));
    data->m_strTestReference = m_editTestReference.GetText();
    for (const HsvdField& field : kFields) {
        if (field.values)
            (data->*field.values).SetAtGrow(m_nRecordIndex, (this->*field.edit).GetText());
    }
    return TRUE;
}

BOOL CHsvdPage::IsPageValid()
{
    for (const HsvdField& field : kFields) {
        if (!(this->*field.edit).IsValid())
            return FALSE;
    }
    return TRUE;
}

void CHsvdPage::OnNextcurveButton()
{
    // Camera numbers have three digits: no record is appended after the 999th.
    if (m_nRecordIndex == m_nRecordCount && m_nRecordCount >= kMaxCameras && !IsEnterHeldDown()) {
        MessageBox("A test holds at most 999 high-speed video cameras.");
        return;
    }
    NextRecord("Error: see CHsvdPage::OnNextcurveButton()");
}

void CHsvdPage::OnDeleteRecord() { DeleteRecord(); }

void CHsvdPage::OnSelchangeCameraList() { OnRecordListSelChange(m_listCameras); }

void CHsvdPage::NewRecord()
{
    CHighSpeedVideoData* data = Data();
    if (!data)
        return;
    if (HasWindow())
        m_bRetainLast = IsDlgButtonChecked(IDC_RETAIN_LAST) ? TRUE : FALSE;
    if (!m_bRetainLast) {
        EmptyNewRecord(*data);
        return;
    }
    for (CStringArray CHighSpeedVideoData::*values : kRecordArrays) {
        CStringArray& a = data->*values;
        const CString last = a[m_nRecordIndex - 1]; // a copy: growing the array moves its elements
        a.SetAtGrow(m_nRecordIndex, last);
    }
}

void CHsvdPage::EmptyNewRecord(CHighSpeedVideoData& data)
{
    for (CStringArray CHighSpeedVideoData::*values : kRecordArrays)
        (data.*values).SetAtGrow(m_nRecordIndex, CString());
}

void CHsvdPage::RemoveRecord(int index)
{
    CHighSpeedVideoData* data = Data();
    if (!data)
        return;
    for (CStringArray CHighSpeedVideoData::*values : kRecordArrays) {
        CStringArray& a = data->*values;
        if (index >= 0 && index < a.GetSize())
            a.RemoveAt(index);
    }
}

void CHsvdPage::ClearPage()
{
    if (m_nRecordCount == 0)
        return;
    UpdateData(TRUE);
    m_listCameras.ResetContent();
    m_bRetainLast = FALSE;
    m_nRecordCount = 0;
    m_nRecordIndex = 0;
    for (const HsvdField& field : kFields)
        (this->*field.edit).SetText("");
    UpdateData(FALSE);
}

CString CHsvdPage::OnToolTipNotify(int id)
{
    for (const HsvdField& field : kFields) {
        if (field.id == id)
            return CString(field.rule.tooltip).Left(80);
    }
    for (const Tip& tip : kTips) {
        if (tip.id == id)
            return CString(tip.text).Left(80);
    }
    return CString();
}

BOOL CHsvdPage::OnHelpInfo() { return TRUE; }
