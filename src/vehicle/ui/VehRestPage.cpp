#include "vehicle/ui/VehRestPage.h"

#include "codes/ui/Search.h"
#include "common/ui/PageLayout.h"
#include "vehicle/ui/VehPageSupport.h"

namespace {

using P = CVehRestPage;
using V = CVehData;

// Occupant location and deployment are searched by the page itself: the first offers only the
// test's locations, the second is never checked against its table.
const PageField<V> kFields[] = {
    {P::IDC_RESTRAINT_NO, FieldRule::Int(1, 9, true, "1->9"), nullptr, &V::m_saRestNo},
    {.id = P::IDC_VEHICLE_NO, .rule = FieldRule::Int(0, 1, true, kVehicleNumberTip), .array = &V::m_saRestVehicleNo,
     .empty = "1"},
    {P::IDC_LOCATION, FieldRule::Plain(), nullptr, &V::m_saRestOccLocation, "OCCLOC"},
    {P::IDC_TYPE, FieldRule::Plain(), nullptr, &V::m_saRestType, "RSTTYP", P::IDC_SEARCH_TYPE},
    {P::IDC_MOUNT, FieldRule::Plain(), nullptr, &V::m_saRestMount, "RSTMNT", P::IDC_SEARCH_MOUNT},
    {P::IDC_DEPLOYMENT, FieldRule::Plain("DEPLOY='NA'only if resttrain type is a belt"), nullptr,
     &V::m_saRestDeployment},
    {P::IDC_COMMENTS, FieldRule::Text(0, 70, true), nullptr, &V::m_saRestComments},
};

const PageTip kTips[] = {
    {P::IDC_NEXTCURVE_BUTTON, "Go to (or add) the next restraint info set"},
    {P::IDC_DELETE_RECORD, "Delete this restraint info set"},
};

constexpr RecordControls kControls {P::IDC_RECORD_LIST, P::IDC_NEXTCURVE_BUTTON, P::IDC_DELETE_RECORD,
                                    P::IDC_RETAIN_LAST};

DlgTemplate RestTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry codes {.x = 10, .y = 10, .labelWidth = 150, .editWidth = 45, .rowHeight = 20,
                                .editGap = 5, .buttonGap = 5};
    AddColumn(items, codes,
              {{"Restraint Number:", P::IDC_RESTRAINT_NO},
               {"Vehicle Number:", P::IDC_VEHICLE_NO, 0, P::IDC_SEARCH_VEHICLE_NO},
               {"Occupant Location:", P::IDC_LOCATION, 0, P::IDC_SEARCH_LOCATION},
               {"Restraint Type:", P::IDC_TYPE, 0, P::IDC_SEARCH_TYPE},
               {"Restraint Mount:", P::IDC_MOUNT, 0, P::IDC_SEARCH_MOUNT},
               {"Inflator/Belt Pretensioner Deployment:", P::IDC_DEPLOYMENT, 0, P::IDC_SEARCH_DEPLOYMENT}});
    ColumnGeometry comments = codes;
    comments.y += 6 * codes.rowHeight;
    comments.editWidth = 290;
    AddColumn(items, comments, {{"Restraint Comments:", P::IDC_COMMENTS}});
    AddVehicleRecordBox(items, "Occuponent Restraint Info Record Index", kControls);
    return PageTemplate("Occupant Restraints Info", 500, 236, std::move(items));
}

const DlgTemplate kRestTemplate = RestTemplate();

// Restraint types that are no belt.
const char* const kNotBelts[] = {"ABG", "ABT", "CUR", "FRT", "FCA", "HDT", "KNE", "PEL", "TAP", "TOR"};

} // namespace

CVehRestPage::CVehRestPage()
    : CDataRecordPage<CVehData>(&kRestTemplate, kFields, kControls, "CVehRestPage", kTips)
{
}

CVehRestPage::~CVehRestPage() = default;

BOOL CVehRestPage::OnInitDialog()
{
    CDataRecordPage<CVehData>::OnInitDialog();
    OnClicked(IDC_SEARCH_LOCATION, [this] { OnSearchLocation(); });
    OnClicked(IDC_SEARCH_DEPLOYMENT, [this] { OnSearchDeployment(); });
    OnClicked(IDC_SEARCH_VEHICLE_NO, [this] { OnSearchVehicleNumber(); });
    return TRUE;
}

void CVehRestPage::LoadExtra(const CVehData& /*data*/, int /*index*/)
{
    ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pData);
}

void CVehRestPage::SaveExtra(CVehData& data, int /*index*/) { data.m_nRestraintCount = m_nRecordCount; }

bool CVehRestPage::BuildOccupantLocationList(bool complain)
{
    m_arrOccupantLocations.RemoveAll();
    if (!m_pData)
        return false;
    CStringArray& locations = m_pData->m_saOccLocation;
    if (complain) {
        bool any = false;
        for (int i = 1; i < locations.GetSize(); ++i) {
            locations[i].Trim();
            any = any || !locations[i].IsEmpty();
        }
        if (!any) {
            MessageBox(kNoLocationMessage);
            return false;
        }
    }
    for (int i = 1; i < locations.GetSize(); ++i) {
        CString location = locations[i];
        location.Trim();
        if (!location.IsEmpty())
            m_arrOccupantLocations.Add(locations[i]);
    }
    return true;
}

bool CVehRestPage::IsBeltRestraint(const CString& type)
{
    if (type.GetLength() != 3)
        return false;
    for (const char* notBelt : kNotBelts) {
        if (type == notBelt)
            return false;
    }
    return true;
}

bool CVehRestPage::IsRestraintNumberValid()
{
    CNEdit& number = *Edit(IDC_RESTRAINT_NO);
    if (!number.IsValid())
        return false;
    number.ShowValidColors();
    return true;
}

void CVehRestPage::ColourDeployment()
{
    CNEdit& deployment = *Edit(IDC_DEPLOYMENT);
    if (IsBeltRestraint(Edit(IDC_TYPE)->GetText()) && deployment.GetText() != "NA")
        deployment.ShowInvalidColors();
    else
        deployment.ShowValidColors();
}

bool CVehRestPage::AllFieldsValid()
{
    if (m_pData && m_pData->m_nRestraintCount == 0)
        return true;
    bool valid = Edit(IDC_COMMENTS)->IsValid();
    valid = Edit(IDC_VEHICLE_NO)->IsValid() && valid;
    valid = IsRestraintNumberValid() && valid;
    valid = Edit(IDC_TYPE)->IsValid() && valid;
    valid = Edit(IDC_MOUNT)->IsValid() && valid;
    valid = Edit(IDC_DEPLOYMENT)->IsValid() && valid;

    CNEdit& location = *Edit(IDC_LOCATION);
    bool locationValid = location.IsValid();
    BuildOccupantLocationList(false);
    CCodeListCheck::IsEditTextInList(&m_arrOccupantLocations, &location, &locationValid);
    location.SetValidFlag(locationValid);
    if (locationValid)
        location.ShowValidColors();
    else
        location.ShowInvalidColors();
    ColourDeployment();
    return valid && locationValid;
}

BOOL CVehRestPage::OnKillActive()
{
    // Every restraint, the shown one as saved, must pass before the page is left.
    AllFieldsValid();
    SaveRecord();
    if (!CheckRecords([this](int) { return AllFieldsValid(); }))
        return FALSE;
    return CRecordPage::OnKillActive();
}

void CVehRestPage::ClearPage()
{
    CDataRecordPage<CVehData>::ClearPage();
    Edit(IDC_RESTRAINT_NO)->SetText("1");
    if (HasWindow())
        UpdateData(FALSE);
}

void CVehRestPage::NewRecord()
{
    CDataRecordPage<CVehData>::NewRecord();
    if (m_pData && !m_bRetainLast)
        m_pData->m_saRestVehicleNo.SetAtGrow(m_nRecordIndex, NewVehicleNumber(*m_pData));
}

void CVehRestPage::AfterNext()
{
    CDataRecordPage<CVehData>::AfterNext();
    ApplyVehicleNumberRule(*Edit(IDC_VEHICLE_NO), m_pData);
    AllFieldsValid();
}

void CVehRestPage::AfterSearch(int id)
{
    // A new restraint type asks for its deployment again.
    if (id == IDC_TYPE) {
        Edit(IDC_DEPLOYMENT)->SetText("");
        Edit(IDC_DEPLOYMENT)->SetValid(true);
    }
}

void CVehRestPage::OnSearchLocation()
{
    if (IsEnterHeldDown() || !BuildOccupantLocationList(true))
        return;
    SearchInto(IDC_LOCATION, {.table = "OCCLOC", .tag = "VEHDB", .codes = &m_arrOccupantLocations});
}

void CVehRestPage::OnSearchDeployment()
{
    if (IsEnterHeldDown())
        return;
    UpdateData(TRUE);
    CSearch search(nullptr, "DEPLOY", "VEHDB", "", FALSE);
    if (search.DoModal() == IDOK) {
        Edit(IDC_DEPLOYMENT)->SetText(search.GetCode());
        ColourDeployment();
    }
    UpdateData(FALSE);
}

void CVehRestPage::OnSearchVehicleNumber()
{
    UpdateData(TRUE);
    PickVehicleNumber(m_pData, *Edit(IDC_VEHICLE_NO));
    UpdateData(FALSE);
}
