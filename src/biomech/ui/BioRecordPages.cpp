#include "biomech/ui/BioRecordPages.h"

#include "common/ui/PageLayout.h"

namespace {

using D = CBioData;

// What the occupant gate enables on a record page: its record controls and fields, with the
// fields' search buttons where `searches`.
std::vector<int> GatedIds(const RecordControls& controls, std::span<const PageField<D>> fields, bool searches)
{
    std::vector<int> ids {controls.list, controls.retain, controls.next, controls.remove};
    for (const PageField<D>& field : fields) {
        ids.push_back(field.id);
        if (searches && field.searchId)
            ids.push_back(field.searchId);
    }
    return ids;
}

// ---------------------------------------------------------------- Rib Info

using R = CBioRibPage;

FieldRule Rib(const char* tooltip) { return FieldRule::Int(0, 999999, true, tooltip); }
constexpr const char* kRibMm = "Millimeters (0->999999)";
constexpr const char* kRibMm2 = "Square Millimeters (0->999999)";
constexpr const char* kRibN = "Newtons (0->999999)";

const PageField<D> kRibFields[] = {
    {.id = R::IDC_RIB_LOCATION, .rule = FieldRule::Text(0, 3, true), .array = &D::m_saRibLocation,
     .codeTable = "RIBLOC", .searchId = R::IDC_SEARCH_LOCATION},
    {.id = 1371, .rule = Rib(kRibMm), .array = &D::m_saRibMomentOfInertia},
    {.id = 1372, .rule = Rib(kRibMm), .array = &D::m_saRibNeutralAxis},
    {.id = 1373, .rule = Rib(kRibMm), .array = &D::m_saRibSpanLength},
    {.id = 1374, .rule = Rib(kRibMm2), .array = &D::m_saRibCrossSection},
    {.id = 1378, .rule = Rib(kRibMm), .array = &D::m_saRibDeflection},
    {.id = 1379, .rule = Rib(kRibN), .array = &D::m_saRibLoad},
    {.id = 1380, .rule = Rib(kRibN), .array = &D::m_saRibBreakLoad},
    {.id = 1381, .rule = Rib(kRibMm2), .array = &D::m_saRibMarrowArea},
};
const PageTip kRibTips[] = {{IDC_BIO_NEXT, "Go to or add next rib info set"},
                            {IDC_BIO_DELETE, "Delete rib info set"}};
constexpr RecordControls kRibControls = BioRecordControls(R::IDC_RECORD_LIST);

DlgTemplate RibTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 10, .labelWidth = 100, .editWidth = 60},
              {{"Rib Location:", R::IDC_RIB_LOCATION, DS_UPPERCASE, R::IDC_SEARCH_LOCATION},
               {"Moment of Inertia:", 1371, DS_NUMBER},
               {"Neutral Axis Distance:", 1372, DS_NUMBER},
               {"Span Length:", 1373, DS_NUMBER},
               {"Cross-Sectional Area:", 1374, DS_NUMBER},
               {"Deflection:", 1378, DS_NUMBER},
               {"Load:", 1379, DS_NUMBER},
               {"Break Load:", 1380, DS_NUMBER},
               {"Area of Bone Marrow:", 1381, DS_NUMBER}});
    AddRecordIndex(items, 270, 6, "Rib Record Index", kRibControls);
    return PageTemplate("Rib Info", 430, 164, std::move(items));
}


// ---------------------------------------------------------------- Occupant Injury Info

using I = CBioInjPage;

const PageField<D> kInjFields[] = {
    {.id = I::IDC_INJURY, .array = &D::m_saInjInjury, .codeTable = "LESION", .searchId = I::IDC_SEARCH_INJURY},
    {.id = I::IDC_ORGAN, .array = &D::m_saInjOrgan, .codeTable = "SYSORG", .searchId = I::IDC_SEARCH_ORGAN},
    {.id = I::IDC_BODY_REGION, .array = &D::m_saInjBodyRegion, .codeTable = "BODYRG", .searchId = I::IDC_SEARCH_REGION},
    {.id = I::IDC_BODY_ASPECT, .array = &D::m_saInjBodyAspect, .codeTable = "ASPECT", .searchId = I::IDC_SEARCH_ASPECT},
    {.id = I::IDC_AIS, .array = &D::m_saInjAis, .codeTable = "AIS", .searchId = I::IDC_SEARCH_AIS},
    {.id = I::IDC_AIS90,
     .rule = FieldRule::Real(0, 999999, true, "1990 version of the AIS Injury Code (0.0 -> 999999)"),
     .array = &D::m_saInjAis90},
    {.id = I::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saInjComments},
};
const PageTip kInjTips[] = {{IDC_BIO_NEXT, "Go to or add next injury info set"},
                            {IDC_BIO_DELETE, "Delete Injury info set"}};
constexpr RecordControls kInjControls = BioRecordControls(I::IDC_RECORD_LIST);
// The usual box, its retain check box wide enough for the second line of its text.
constexpr BoxItem kWideRetainBox[] = {
    {BoxPart::Group, 0, 0, 156, 150},
    {BoxPart::List, 8, 14, 50, 128},
    {BoxPart::Remove, 64, 14, 18, 14},
    {BoxPart::RemoveText, 64, 32, 84, 20},
    {BoxPart::Next, 64, 58, 18, 14},
    {BoxPart::Retain, 60, 80, 94, 40, nullptr, DS_MULTILINE},
};

DlgTemplate InjTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 10, .labelWidth = 110, .editWidth = 50},
              {{"Injury:", I::IDC_INJURY, DS_READONLY, I::IDC_SEARCH_INJURY},
               {"Injured Organ:", I::IDC_ORGAN, DS_READONLY, I::IDC_SEARCH_ORGAN},
               {"Body Region:", I::IDC_BODY_REGION, DS_READONLY, I::IDC_SEARCH_REGION},
               {"Body Aspect:", I::IDC_BODY_ASPECT, DS_READONLY, I::IDC_SEARCH_ASPECT},
               {"Abbreviated Injury Scale:", I::IDC_AIS, DS_READONLY, I::IDC_SEARCH_AIS},
               {"Abbreviated Injury Scale 90:", I::IDC_AIS90}});
    AddColumn(items, {.x = 8, .y = 112, .labelWidth = 110, .editWidth = 220},
              {{"Injury Comments:", I::IDC_COMMENTS, DS_UPPERCASE}});
    AddRecordIndex(items, 343, 6, "Injury Record Index", kInjControls, "Retain the\nLast Record for the New",
                   kWideRetainBox);
    return PageTemplate("Occupant Injury Info", 500, 164, std::move(items));
}

// ---------------------------------------------------------------- Restraint Info

using T = CBioRestPage;

const PageField<D> kRestFields[] = {
    {.id = T::IDC_TYPE, .array = &D::m_saRestType, .codeTable = "RSTTYP", .searchId = T::IDC_SEARCH_TYPE},
    {.id = T::IDC_MOUNT, .array = &D::m_saRestMount, .codeTable = "RSTMNT", .searchId = T::IDC_SEARCH_MOUNT},
    {.id = T::IDC_DEPLOYMENT, .array = &D::m_saRestDeployment, .codeTable = "DEPLOY",
     .searchId = T::IDC_SEARCH_DEPLOYMENT},
    {.id = T::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true, "Maximum length, character, (0->70)"),
     .array = &D::m_saRestComments},
};
const PageTip kRestTips[] = {{IDC_BIO_NEXT, "Go to or add next restraint info set"},
                             {IDC_BIO_DELETE, "Delete restraint info set"}};
constexpr RecordControls kRestControls = BioRecordControls(T::IDC_RECORD_LIST);

DlgTemplate RestTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 10, .labelWidth = 140, .editWidth = 50},
              {{"Restraint Type:", T::IDC_TYPE, DS_READONLY, T::IDC_SEARCH_TYPE},
               {"Restraint Mount:", T::IDC_MOUNT, DS_READONLY, T::IDC_SEARCH_MOUNT},
               {"Inflator/Belt Pretensioner Deployment:", T::IDC_DEPLOYMENT, DS_READONLY, T::IDC_SEARCH_DEPLOYMENT}});
    AddColumn(items, {.x = 8, .y = 70, .labelWidth = 140, .editWidth = 190},
              {{"Restraint Comments:", T::IDC_COMMENTS, DS_UPPERCASE}});
    AddRecordIndex(items, 345, 6, "Occupant Restraint Record Index", kRestControls);
    return PageTemplate("Restraint Info ", 500, 164, std::move(items));
}

// ---------------------------------------------------------------- Chest Band Occupant Info

using B = CBioCBandPage;

const PageField<D> kBandFields[] = {
    {.id = 1370, .rule = FieldRule::Int(0, 999, true, "Millimeters (0->999)"), .array = &D::m_saBandChestDepth},
    {.id = 1371, .rule = FieldRule::Int(0, 999, true, "Millimeters (0->999)"), .array = &D::m_saBandChestBreadth},
    {.id = 1372, .rule = FieldRule::Int(0, 1800, true, "Millimeters (0->1800)"), .array = &D::m_saBandLength},
    {.id = B::IDC_ANTERIOR_LOCATION, .rule = FieldRule::Int(0, 10, true, "1->10"),
     .array = &D::m_saBandAnteriorLocation},
    {.id = 1374, .rule = FieldRule::Int(0, 10, true, "1->10"), .array = &D::m_saBandPosteriorLocation},
    {.id = 1375, .rule = FieldRule::Int(0, 200, true, "0->200"), .array = &D::m_saBandSternumCurveNo},
    {.id = 1376, .rule = FieldRule::Int(0, 200, true, "0->200"), .array = &D::m_saBandSpineCurveNo},
    {.id = 1377, .rule = FieldRule::Int(0, 99, true, "Millimeters (0->99)"), .array = &D::m_saBandSternumDistance},
    {.id = 1378, .rule = FieldRule::Int(0, 99, true, "Millimeters (0->99)"), .array = &D::m_saBandSpineDistance},
    {.id = 1379, .rule = FieldRule::Int(0, 200, true, "0->200"), .array = &D::m_saBandGaugeCount},
    {.id = 1380, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saBandComments},
};
const PageTip kBandTips[] = {{IDC_BIO_NEXT, "Go to or add next chest band info set"},
                             {IDC_BIO_DELETE, "Delete chest band info set"}};
constexpr RecordControls kBandControls = BioRecordControls(B::IDC_RECORD_LIST);

DlgTemplate BandTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 8, .labelWidth = 110, .editWidth = 50},
              {{"Chest Depth:", 1370, DS_NUMBER},
               {"Chest Breadth:", 1371, DS_NUMBER},
               {"Band Length:", 1372, DS_NUMBER},
               {"Anterior\nVertical Location:", 1373, DS_NUMBER},
               {"Posterior\nVertical Location:", 1374, DS_NUMBER},
               {"Curve Number of\nGauge Relative to Sternum:", 1375, DS_NUMBER},
               {"Curve Number of\nGauge Relative to Spine:", 1376, DS_NUMBER},
               {"Sternum Distance:", 1377, DS_NUMBER},
               {"Spine Distance:", 1378, DS_NUMBER},
               {"Number of Gauges:", 1379, DS_NUMBER}});
    AddColumn(items, {.x = 8, .y = 208, .labelWidth = 110, .editWidth = 330},
              {{"Chest Band\nComments:", 1380, DS_UPPERCASE}});
    AddRecordIndex(items, 340, 6, "Chest Band Info Record Index", kBandControls);
    return PageTemplate("Chest Band Occupant Info", 500, 240, std::move(items));
}

// ---------------------------------------------------------------- Chest Band Gauge Info

using G = CBioGaugePage;

const PageField<D> kGaugeFields[] = {
    {.id = G::IDC_BAND_NO, .rule = FieldRule::Int(0, 5, true, "1->5"), .array = &D::m_saGaugeBandNo},
    {.id = 1373, .rule = FieldRule::Int(0, 1000, true, "0->1000"), .array = &D::m_saGaugeNo},
    {.id = 1370, .rule = FieldRule::Int(0, 1800, true, "Millimeters (0->1800)"), .array = &D::m_saGaugeDistance},
    {.id = G::IDC_CURVE_NO, .rule = FieldRule::Int(0, 200, true, "1->200"), .array = &D::m_saGaugeCurveNo},
    {.id = 1368, .rule = FieldRule::Text(0, 70, true), .array = &D::m_saGaugeComments},
};
const PageTip kGaugeTips[] = {{IDC_BIO_NEXT, "Go to or add next gauge info set"},
                              {IDC_BIO_DELETE, "Delete gauge info set"}};
constexpr RecordControls kGaugeControls = BioRecordControls(G::IDC_RECORD_LIST);

DlgTemplate GaugeTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 10, .labelWidth = 90, .editWidth = 50},
              {{"Chest Band Number:", G::IDC_BAND_NO, DS_NUMBER},
               {"Gauge Number:", 1373, DS_NUMBER},
               {"Gauge Distance:", 1370, DS_NUMBER},
               {"Curve Number:", G::IDC_CURVE_NO, DS_NUMBER}});
    AddColumn(items, {.x = 8, .y = 80, .labelWidth = 90, .editWidth = 230},
              {{"Gauge Commentary:", 1368, DS_UPPERCASE}});
    AddRecordIndex(items, 340, 6, "Chest Band Gauge Info Record Index", kGaugeControls);
    return PageTemplate("Chest Band Gauge Info", 500, 164, std::move(items));
}

const DlgTemplate kRibTemplate = RibTemplate();
const DlgTemplate kInjTemplate = InjTemplate();
const DlgTemplate kRestTemplate = RestTemplate();
const DlgTemplate kBandTemplate = BandTemplate();
const DlgTemplate kGaugeTemplate = GaugeTemplate();

} // namespace

CBioRibPage::CBioRibPage()
    : CBioGatedPage<CBioRecordPage>(OccupantGate::AnimalOrCadaver, GatedIds(kRibControls, kRibFields, false),
                                    &kRibTemplate, kRibFields, kRibControls, "CBioRibPage", &D::m_nRibCount, kRibTips)
{
}
CBioRibPage::~CBioRibPage() = default;

CBioInjPage::CBioInjPage()
    : CBioGatedPage<CBioRecordPage>(OccupantGate::AnimalOrCadaver, GatedIds(kInjControls, kInjFields, true),
                                    &kInjTemplate, kInjFields, kInjControls, "CBioInjPage", &D::m_nInjuryCount, kInjTips)
{
}
CBioInjPage::~CBioInjPage() = default;

BOOL CBioInjPage::OnSetActive()
{
    // The page always opens on the last injury.
    if (m_pData)
        m_nRecordIndex = std::max(m_pData->m_nInjuryCount, 0);
    return CBioGatedPage<CBioRecordPage>::OnSetActive();
}

CBioRestPage::CBioRestPage()
    : CBioRecordPage(&kRestTemplate, kRestFields, kRestControls, "CBioRestPage", &D::m_nRestraintCount, kRestTips)
{
}
CBioRestPage::~CBioRestPage() = default;

CBioCBandPage::CBioCBandPage()
    : CBioRecordPage(&kBandTemplate, kBandFields, kBandControls, "CBioCBandPage", &D::m_nChestBandCount, kBandTips)
{
}
CBioCBandPage::~CBioCBandPage() = default;

CBioGaugePage::CBioGaugePage()
    : CBioRecordPage(&kGaugeTemplate, kGaugeFields, kGaugeControls, "CBioGaugePage", &D::m_nGaugeCount, kGaugeTips)
{
}
CBioGaugePage::~CBioGaugePage() = default;
