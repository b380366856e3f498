#include "biomech/ui/BioPages.h"

#include "common/Convert.h"
#include "common/ui/PageLayout.h"

#include <cstdlib>

namespace {

using D = CBioData;

// ---------------------------------------------------------------- General Test Info

using T = CBioMechTestPage;

const PageField<D> kTestFields[] = {
    {.id = T::IDC_VERSION, .rule = FieldRule::Text(0, 2, true), .member = &D::m_strVersion, .empty = "B5"},
    {.id = T::IDC_TITLE, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTitle},
    {.id = T::IDC_OBJECTIVES, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strObjectives},
    // The Test Date is the page's own: its window text is what is saved.
    {.id = T::IDC_TEST_DATE, .rule = FieldRule::Plain("Date (dd/MMM/yyyy)")},
    {.id = T::IDC_PERFORMER, .member = &D::m_strPerformer, .codeTable = "TSTPRF", .searchId = T::IDC_SEARCH_PERFORMER},
    {.id = T::IDC_CONTRACT_NO, .rule = FieldRule::Text(0, 17, true), .member = &D::m_strContractNo},
    {.id = T::IDC_TEST_REFERENCE, .rule = FieldRule::Text(0, 16, true, "Max length: 16 chars"),
     .member = &D::m_strTestReference},
    {.id = T::IDC_CONFIGURATION, .member = &D::m_strConfiguration, .codeTable = "TSTCFN",
     .searchId = T::IDC_SEARCH_CONFIGURATION},
    {.id = T::IDC_AMBIENT_TEMP, .rule = FieldRule::Int(-99, 99, true, "Degrees Celsius (-99->99)"),
     .member = &D::m_strAmbientTemp},
    {.id = T::IDC_RECORDER_TYPE, .member = &D::m_strRecorderType, .codeTable = "RECTYP",
     .searchId = T::IDC_SEARCH_RECORDER_TYPE},
    {.id = T::IDC_DATA_LINK, .member = &D::m_strDataLinkType, .codeTable = "LINK", .searchId = T::IDC_SEARCH_DATA_LINK},
    {.id = T::IDC_CLOSING_SPEED, .rule = FieldRule::Real(-200.0, 200.0, true, "Kilometers/Hour (-200.00->200.00)"),
     .member = &D::m_strClosingSpeed},
    {.id = T::IDC_IMPACT_ANGLE, .rule = FieldRule::Int(0, 359, true, "Degrees (Integer)0->359"),
     .member = &D::m_strImpactAngle},
    {.id = T::IDC_OCCUPANT_TYPE, .member = &D::m_strOccupantType, .codeTable = "OCCTYP",
     .searchId = T::IDC_SEARCH_OCCUPANT_TYPE},
    {.id = T::IDC_TEST_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strTestComments},
};

DlgTemplate TestTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 10, .labelWidth = 92, .editWidth = 30},
              {{"Version Number:", T::IDC_VERSION, DS_UPPERCASE}});
    AddColumn(items, {.x = 8, .y = 28, .labelWidth = 92, .editWidth = 400},
              {{"Title:", T::IDC_TITLE, DS_UPPERCASE},
               {"Test Objectives:", T::IDC_OBJECTIVES, DS_UPPERCASE},
               {"Test Comments:", T::IDC_TEST_COMMENTS, DS_UPPERCASE}});
    AddColumn(items, {.x = 8, .y = 82, .labelWidth = 92, .editWidth = 60},
              {{"Test Performer:", T::IDC_PERFORMER, DS_READONLY, T::IDC_SEARCH_PERFORMER},
               {"Test Configuration:", T::IDC_CONFIGURATION, DS_READONLY, T::IDC_SEARCH_CONFIGURATION},
               {"Type of Recorder:", T::IDC_RECORDER_TYPE, DS_READONLY, T::IDC_SEARCH_RECORDER_TYPE},
               {"Data Link to Recorder:", T::IDC_DATA_LINK, DS_READONLY, T::IDC_SEARCH_DATA_LINK},
               {"Occupant Type:", T::IDC_OCCUPANT_TYPE, DS_READONLY, T::IDC_SEARCH_OCCUPANT_TYPE}});
    AddColumn(items, {.x = 270, .y = 82, .labelWidth = 92, .editWidth = 80},
              {{"Test Date:", T::IDC_TEST_DATE, DS_UPPERCASE, 0, T::IDC_DATE_PICKER},
               {"Contract Number:", T::IDC_CONTRACT_NO, DS_UPPERCASE},
               {"Test Reference Number:", T::IDC_TEST_REFERENCE, DS_UPPERCASE},
               {"Ambient Temperature:", T::IDC_AMBIENT_TEMP},
               {"Closing Speed:", T::IDC_CLOSING_SPEED},
               {"Impact Angle:", T::IDC_IMPACT_ANGLE, DS_NUMBER},
               {"Number of Curves:", T::IDC_CURVE_COUNT}});
    return PageTemplate("General Test Info", 520, 200, std::move(items));
}

// ---------------------------------------------------------------- Dummy Occupant Info

using M = CBioDumPage;

const PageField<D> kDummyFields[] = {
    {.id = M::IDC_LOCATION, .member = &D::m_strDumLocation, .codeTable = "DOCCLOC", .searchId = M::IDC_SEARCH_LOCATION},
    {.id = M::IDC_SEX, .member = &D::m_strDumSex, .codeTable = "DOCCSEX", .searchId = M::IDC_SEARCH_SEX},
    {.id = M::IDC_SEAT_POSITION, .member = &D::m_strDumSeatPosition, .codeTable = "DSEPOSN",
     .searchId = M::IDC_SEARCH_SEAT_POSITION},
    {.id = M::IDC_CALIBRATION, .member = &D::m_strDumCalibration, .codeTable = "MTHCAL",
     .searchId = M::IDC_SEARCH_CALIBRATION},
    {.id = M::IDC_SIZE, .member = &D::m_strDumSize, .codeTable = "DUMSIZ", .searchId = M::IDC_SEARCH_SIZE},
    {.id = M::IDC_COMPONENT_WEIGHT, .rule = FieldRule::Real(0, 999, true, "0.0->999"),
     .member = &D::m_strDumComponentWeight},
    {.id = M::IDC_VISCOUS_CRITERION, .rule = FieldRule::Real(0, 100, true, "m/s (0.0->100)"),
     .member = &D::m_strDumViscousCriterion},
    {.id = M::IDC_CHEST_DEFLECTION, .rule = FieldRule::Int(0, 99999, true, "0->99999"),
     .member = &D::m_strDumChestDeflection},
    {.id = M::IDC_NECK_INJURY, .member = &D::m_strDumNeckInjury},
    {.id = M::IDC_THORACIC_CRITERION, .member = &D::m_strDumThoracicCriterion},
    {.id = M::IDC_LEFT_FEMUR, .rule = FieldRule::Int(-99999, 0, true, "Newtons (-99999->0)"),
     .member = &D::m_strDumLeftFemurLoad},
    {.id = M::IDC_RIGHT_FEMUR, .rule = FieldRule::Int(-99999, 0, true, "Newtons (-99999->0)"),
     .member = &D::m_strDumRightFemurLoad},
    {.id = M::IDC_LAP_BELT, .rule = FieldRule::Int(0, 99999, true, "Newtons (0->99999)"),
     .member = &D::m_strDumLapBeltLoad},
    {.id = M::IDC_SHOULDER_BELT, .rule = FieldRule::Int(0, 99999, true, "Newtons (0->99999)"),
     .member = &D::m_strDumShoulderBeltLoad},
    {.id = M::IDC_HIC, .rule = FieldRule::Int(0, 9999, true, "0->9999"), .member = &D::m_strDumHic},
    {.id = M::IDC_HIC_LOWER, .rule = FieldRule::Real(0, 999999, true, "Milliseconds (0.00->999999.00)"),
     .member = &D::m_strDumHicLower},
    {.id = M::IDC_HIC_UPPER, .rule = FieldRule::Real(0, 999999, true, "Milliseconds (0.0->999999.00)"),
     .member = &D::m_strDumHicUpper},
    {.id = M::IDC_THORAX_ACCEL, .rule = FieldRule::Real(0, 9999, true, "Acceleration (g, 0.00->9999.00)"),
     .member = &D::m_strDumThoraxAccel},
    {.id = M::IDC_TTI, .rule = FieldRule::Real(0, 99999, true, "0.00->99999.00"), .member = &D::m_strDumTti},
    {.id = M::IDC_CSI, .rule = FieldRule::Int(0, 9999, true, "0->9999"), .member = &D::m_strDumCsi},
    {.id = M::IDC_PELVIC_G, .rule = FieldRule::Real(0, 99999, true, "Acceleration (g, 0.0->99999.00)"),
     .member = &D::m_strDumPelvicG},
    {.id = M::IDC_MAKER, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strDumMaker},
    {.id = M::IDC_MODIFICATION, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strDumModification},
    {.id = M::IDC_DESCRIPTION, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strDumDescription},
    {.id = M::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strDumComments},
};

DlgTemplate DummyTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 8, .labelWidth = 100, .editWidth = 50},
              {{"Occupant Location:", M::IDC_LOCATION, DS_READONLY, M::IDC_SEARCH_LOCATION},
               {"Occupant Sex:", M::IDC_SEX, DS_READONLY, M::IDC_SEARCH_SEX},
               {"Seat Position:", M::IDC_SEAT_POSITION, DS_READONLY, M::IDC_SEARCH_SEAT_POSITION},
               {"Calibration Method:", M::IDC_CALIBRATION, DS_READONLY, M::IDC_SEARCH_CALIBRATION},
               {"Dummy Size:", M::IDC_SIZE, DS_READONLY, M::IDC_SEARCH_SIZE}});
    AddColumn(items, {.x = 240, .y = 8, .labelWidth = 110, .editWidth = 80},
              {{"Component Weight:", M::IDC_COMPONENT_WEIGHT},
               {"Viscous Criterion:", M::IDC_VISCOUS_CRITERION},
               {"Chest Deflection:", M::IDC_CHEST_DEFLECTION, DS_NUMBER},
               {"Neck Injury Criterion:", M::IDC_NECK_INJURY},
               {"Combined Thoracic Criterion:", M::IDC_THORACIC_CRITERION}});
    items.push_back({-1, DlgKind::GroupBox, "Peak Loads", 4, 92, 212, 80});
    AddColumn(items, {.x = 12, .y = 106, .labelWidth = 90, .editWidth = 80},
              {{"Left Femur:", M::IDC_LEFT_FEMUR},
               {"Right Femur:", M::IDC_RIGHT_FEMUR},
               {"Lap Belt:", M::IDC_LAP_BELT, DS_NUMBER},
               {"Shoulder Belt:", M::IDC_SHOULDER_BELT, DS_NUMBER}});
    items.push_back({-1, DlgKind::GroupBox, "Injury Measures", 230, 92, 232, 128});
    AddColumn(items, {.x = 240, .y = 106, .labelWidth = 110, .editWidth = 80},
              {{"HIC:", M::IDC_HIC, DS_NUMBER},
               {"T1:", M::IDC_HIC_LOWER},
               {"T2:", M::IDC_HIC_UPPER},
               {"3ms Clip:", M::IDC_THORAX_ACCEL},
               {"TTI:", M::IDC_TTI},
               {"CSI:", M::IDC_CSI, DS_NUMBER},
               {"Pelvic G's:", M::IDC_PELVIC_G}});
    AddColumn(items, {.x = 8, .y = 226, .labelWidth = 100, .editWidth = 350},
              {{"Dummy Manufacturer:", M::IDC_MAKER, DS_UPPERCASE},
               {"Dummy Modification:", M::IDC_MODIFICATION, DS_UPPERCASE},
               {"Dummy Description:", M::IDC_DESCRIPTION, DS_UPPERCASE},
               {"Occupant Comments:", M::IDC_COMMENTS, DS_UPPERCASE}});
    return PageTemplate("Dummy Occupant Info", 470, 294, std::move(items));
}

// The dummy page's gate: the edits that are no code edits, and the five Search buttons.
std::vector<int> DummyGated()
{
    std::vector<int> ids;
    for (const PageField<D>& field : kDummyFields) {
        if (!field.codeTable)
            ids.push_back(field.id);
    }
    for (int id : {M::IDC_SEARCH_LOCATION, M::IDC_SEARCH_SEX, M::IDC_SEARCH_SEAT_POSITION, M::IDC_SEARCH_CALIBRATION,
                   M::IDC_SEARCH_SIZE})
        ids.push_back(id);
    return ids;
}

// ---------------------------------------------------------------- Biological Occupant Info

using O = CBioOccPage;

const PageField<D> kOccFields[] = {
    {.id = O::IDC_LOCATION, .member = &D::m_strBioLocation, .codeTable = "BOCCLOC", .searchId = O::IDC_SEARCH_LOCATION},
    {.id = O::IDC_SEX, .member = &D::m_strBioSex, .codeTable = "BOCCSEX", .searchId = O::IDC_SEARCH_SEX},
    {.id = O::IDC_SEAT_POSITION, .member = &D::m_strBioSeatPosition, .codeTable = "BSEPOSN",
     .searchId = O::IDC_SEARCH_SEAT_POSITION},
    {.id = O::IDC_REFERENCE_NO, .rule = FieldRule::Text(0, 10, true, "Max length: 10 chars"),
     .member = &D::m_strBioReferenceNo},
    {.id = O::IDC_AGE, .rule = FieldRule::Int(0, 99, true, "0->99"), .member = &D::m_strBioAge},
    {.id = O::IDC_WEIGHT, .rule = FieldRule::Int(0, 999, true, "kg (Integer, 0->999)"), .member = &D::m_strBioWeight},
    {.id = O::IDC_FRACTURED_RIBS, .rule = FieldRule::Int(0, 99, true, "0->99"), .member = &D::m_strBioFracturedRibs},
    {.id = O::IDC_RIB_FRACTURES, .rule = FieldRule::Int(0, 99, true, "0->99"), .member = &D::m_strBioRibFractures},
    {.id = O::IDC_TEST_COUNT, .rule = FieldRule::Int(0, 99, true, "0->99"), .member = &D::m_strBioTestCount},
    {.id = O::IDC_BED_CONFINEMENT, .rule = FieldRule::Int(0, 999, true, "days (Integer, 0->999)"),
     .member = &D::m_strBioBedConfinement},
    {.id = O::IDC_COMPONENT_WEIGHT, .rule = FieldRule::Int(0, 999, true, "kg (Integer, 0->999)"),
     .member = &D::m_strBioComponentWeight},
    {.id = O::IDC_CARDIO_PRESSURE, .rule = FieldRule::Plain("YES/NO"), .member = &D::m_strBioCardioPressure,
     .codeTable = "AORPRE", .searchId = O::IDC_SEARCH_CARDIO},
    {.id = O::IDC_HEAD_PRESSURE, .rule = FieldRule::Plain("YES/NO"), .member = &D::m_strBioHeadPressure,
     .codeTable = "CERPRE", .searchId = O::IDC_SEARCH_HEAD},
    {.id = O::IDC_PULMONARY_PRESSURE, .rule = FieldRule::Plain("YES/NO"), .member = &D::m_strBioPulmonaryPressure,
     .codeTable = "PULPRE", .searchId = O::IDC_SEARCH_PULMONARY},
    // The date of death is the page's own: its window text is what is saved.
    {.id = O::IDC_DEATH_DATE, .rule = FieldRule::Plain("Date (dd/MMM/yyyy)")},
    {.id = O::IDC_DEATH_CAUSE, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strBioDeathCause},
    {.id = O::IDC_ANOMALY, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strBioAnomaly},
    {.id = O::IDC_APPEARANCE, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strBioAppearance},
    {.id = O::IDC_BMC, .rule = FieldRule::Real(0.000001, 999999, true, "Real, > 0"), .member = &D::m_strBioBmc},
    {.id = O::IDC_BMC_LOCATION, .rule = FieldRule::Text(0, 3, true), .member = &D::m_strBioBmcLocation,
     .codeTable = "BMCLOC", .searchId = O::IDC_SEARCH_BMC_LOCATION},
    {.id = O::IDC_BMC_UNITS, .rule = FieldRule::Text(0, 4, true), .member = &D::m_strBioBmcUnits,
     .codeTable = "BMCUNITS", .searchId = O::IDC_SEARCH_BMC_UNITS},
    {.id = O::IDC_BMC_METHOD, .rule = FieldRule::Text(0, 3, true), .member = &D::m_strBioBmcMethod,
     .codeTable = "BMCMETHOD", .searchId = O::IDC_SEARCH_BMC_METHOD},
    {.id = O::IDC_BMC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strBioBmcComments},
    {.id = O::IDC_COMMENTS, .rule = FieldRule::Text(0, 70, true), .member = &D::m_strBioComments},
};

DlgTemplate OccTemplate()
{
    std::vector<DlgItem> items;
    AddColumn(items, {.x = 8, .y = 8, .labelWidth = 110, .editWidth = 50},
              {{"Occupant Location:", O::IDC_LOCATION, DS_READONLY, O::IDC_SEARCH_LOCATION},
               {"Occupant Sex:", O::IDC_SEX, DS_READONLY, O::IDC_SEARCH_SEX},
               {"Seat Position:", O::IDC_SEAT_POSITION, DS_READONLY, O::IDC_SEARCH_SEAT_POSITION},
               {"Occupant Reference Number:", O::IDC_REFERENCE_NO, DS_UPPERCASE},
               {"Occupant Age:", O::IDC_AGE, DS_NUMBER},
               {"Occupant Weight:", O::IDC_WEIGHT, DS_NUMBER}});
    AddColumn(items, {.x = 260, .y = 8, .labelWidth = 110, .editWidth = 50},
              {{"Number of Fractured Ribs:", O::IDC_FRACTURED_RIBS, DS_NUMBER},
               {"Number of Rib Fractures:", O::IDC_RIB_FRACTURES, DS_NUMBER},
               {"Number of Tests:", O::IDC_TEST_COUNT, DS_NUMBER},
               {"Length of Bed Confinement:", O::IDC_BED_CONFINEMENT, DS_NUMBER},
               {"Component Weight:", O::IDC_COMPONENT_WEIGHT}});
    items.push_back({-1, DlgKind::GroupBox, "Pressurization", 4, 104, 246, 62});
    AddColumn(items, {.x = 10, .y = 116, .labelWidth = 115, .editWidth = 50},
              {{"Cardiovascular Pressurization:", O::IDC_CARDIO_PRESSURE, DS_READONLY, O::IDC_SEARCH_CARDIO},
               {"Head Pressurization:", O::IDC_HEAD_PRESSURE, DS_READONLY, O::IDC_SEARCH_HEAD},
               {"Pulmonary Pressurization:", O::IDC_PULMONARY_PRESSURE, DS_READONLY, O::IDC_SEARCH_PULMONARY}});
    items.push_back({-1, DlgKind::GroupBox, "Cadaver", 256, 90, 264, 78});
    AddColumn(items, {.x = 262, .y = 102, .labelWidth = 84, .editWidth = 100},
              {{"Cadaver Date of Death:", O::IDC_DEATH_DATE, DS_UPPERCASE, 0, O::IDC_DATE_PICKER}});
    AddColumn(items, {.x = 262, .y = 118, .labelWidth = 84, .editWidth = 165},
              {{"Cadaver Cause of Death:", O::IDC_DEATH_CAUSE, DS_UPPERCASE},
               {"Cadaver Anomaly:", O::IDC_ANOMALY, DS_UPPERCASE},
               {"Cadaver Appearance:", O::IDC_APPEARANCE, DS_UPPERCASE}});
    items.push_back({-1, DlgKind::GroupBox, "Bone Mineral Content (BMC)", 4, 172, 516, 96});
    AddColumn(items, {.x = 10, .y = 184, .labelWidth = 115, .editWidth = 60},
              {{"Bone Mineral Content:", O::IDC_BMC},
               {"Location of BMC Measurement:", O::IDC_BMC_LOCATION, DS_READONLY, O::IDC_SEARCH_BMC_LOCATION},
               {"BMC Units:", O::IDC_BMC_UNITS, DS_READONLY, O::IDC_SEARCH_BMC_UNITS},
               {"BMC Measurement Method:", O::IDC_BMC_METHOD, DS_READONLY, O::IDC_SEARCH_BMC_METHOD}});
    AddColumn(items, {.x = 10, .y = 248, .labelWidth = 115, .editWidth = 385},
              {{"BMC Comments:", O::IDC_BMC_COMMENTS, DS_UPPERCASE}});
    AddColumn(items, {.x = 8, .y = 276, .labelWidth = 115, .editWidth = 385},
              {{"Occupant Comments:", O::IDC_COMMENTS, DS_UPPERCASE}});
    return PageTemplate("Biological Occupant Info", 525, 296, std::move(items));
}

// The biological occupant page's gate: every edit, the date picker, and the location, sex and
// seat searches.
std::vector<int> OccGated()
{
    std::vector<int> ids;
    for (const PageField<D>& field : kOccFields)
        ids.push_back(field.id);
    for (int id : {O::IDC_SEARCH_LOCATION, O::IDC_SEARCH_SEX, O::IDC_SEARCH_SEAT_POSITION, O::IDC_DATE_PICKER})
        ids.push_back(id);
    return ids;
}

// ---------------------------------------------------------------- Anthropometric Info

constexpr const char* kMm = "Millimeters (0 -> 9999)";
FieldRule Mm() { return FieldRule::Int(0, 9999, true, kMm); }

const PageField<D> kAnthFields[] = {
    {1484, Mm(), &D::m_strAntStature},
    {1485, Mm(), &D::m_strAntShoulderHeight},
    {1486, Mm(), &D::m_strAntVertexToSymphysion},
    {1487, Mm(), &D::m_strAntWaistHeight},
    {1488, Mm(), &D::m_strAntShoulderBreadth},
    {1489, Mm(), &D::m_strAntChestBreadth},
    {1490, Mm(), &D::m_strAntWaistBreadth},
    {1491, Mm(), &D::m_strAntHipBreadth},
    {1377, Mm(), &D::m_strAntShoulderToElbow},
    {1378, Mm(), &D::m_strAntForearmHandLength},
    {1379, Mm(), &D::m_strAntTibialeHeight},
    {1380, Mm(), &D::m_strAntAnkleHeight},
    {1381, Mm(), &D::m_strAntFootBreadth},
    {1382, Mm(), &D::m_strAntFootLength},
    {1383, Mm(), &D::m_strAntHeadToTrochanterion},
    {1384, Mm(), &D::m_strAntSeatedHeight},
    {1385, Mm(), &D::m_strAntKneeHeightSeated},
    {1386, Mm(), &D::m_strAntHeadLength},
    {1387, Mm(), &D::m_strAntHeadBreadth},
    {1464, Mm(), &D::m_strAntHeadHeight},
    {1465, Mm(), &D::m_strAntChestDepth},
    {1466, Mm(), &D::m_strAntWaistDepth},
    {1467, Mm(), &D::m_strAntButtockDepth},
    {1468, Mm(), &D::m_strAntInterscyeDistance},
    {1469, Mm(), &D::m_strAntBicepCirc},
    {1470, Mm(), &D::m_strAntElbowCirc},
    {1471, Mm(), &D::m_strAntForearmCirc},
    {1472, FieldRule::Int(0, 999, true, "Millimeters (0 -> 999)"), &D::m_strAntWristCirc},
    {1473, Mm(), &D::m_strAntThighCirc},
    {1474, Mm(), &D::m_strAntLowerThighCirc},
    {1475, Mm(), &D::m_strAntKneeCirc},
    {1476, Mm(), &D::m_strAntCalfCirc},
    {1477, Mm(), &D::m_strAntAnkleCirc},
    {1478, Mm(), &D::m_strAntNeckCirc},
    {1479, Mm(), &D::m_strAntScyeCirc},
    {1480, Mm(), &D::m_strAntChestCirc},
    {1481, Mm(), &D::m_strAntWaistCirc},
    {1482, Mm(), &D::m_strAntButtockCirc},
};

DlgTemplate AnthTemplate()
{
    std::vector<DlgItem> items;
    const ColumnGeometry left {.x = 6, .y = 8, .labelWidth = 104, .editWidth = 38};
    AddColumn(items, left,
              {{"Stature:", 1484, DS_NUMBER},
               {"Shoulder Height:", 1485, DS_NUMBER},
               {"Vertex to Symphysion Length:", 1486, DS_NUMBER},
               {"Waist Height:", 1487, DS_NUMBER},
               {"Shoulder Breadth:", 1488, DS_NUMBER},
               {"Chest Breadth:", 1489, DS_NUMBER},
               {"Waist Breadth:", 1490, DS_NUMBER},
               {"Hip Breadth:", 1491, DS_NUMBER},
               {"Shoulder to Elbow Length:", 1377, DS_NUMBER},
               {"Forearm - Hand Length:", 1378, DS_NUMBER},
               {"Tibiale Height:", 1379, DS_NUMBER},
               {"Ankle Height:", 1380, DS_NUMBER},
               {"Seated Height:", 1384, DS_NUMBER}});
    const ColumnGeometry middle {.x = 160, .y = 8, .labelWidth = 110, .editWidth = 38};
    AddColumn(items, middle,
              {{"Foot Breadth:", 1381, DS_NUMBER},
               {"Foot Length:", 1382, DS_NUMBER},
               {"Head to Trochanterion Distance:", 1383, DS_NUMBER},
               {"Knee Height:", 1385, DS_NUMBER},
               {"Head Length:", 1386, DS_NUMBER},
               {"Head Breadth:", 1387, DS_NUMBER},
               {"Head Height:", 1464, DS_NUMBER},
               {"Chest Depth:", 1465, DS_NUMBER},
               {"Waist Depth:", 1466, DS_NUMBER},
               {"Buttock Depth:", 1467, DS_NUMBER},
               {"Interscye Distance:", 1468, DS_NUMBER}});
    items.push_back({-1, DlgKind::GroupBox, "Circumferences", 318, 2, 160, 234});
    const ColumnGeometry right {.x = 324, .y = 14, .labelWidth = 100, .editWidth = 38, .rowHeight = 15};
    AddColumn(items, right,
              {{"Bicep Circumference:", 1469, DS_NUMBER},
               {"Elbow Circumference:", 1470, DS_NUMBER},
               {"Forearm Circumference:", 1471, DS_NUMBER},
               {"Wrist Circumference:", 1472, DS_NUMBER},
               {"Thigh Circumference:", 1473, DS_NUMBER},
               {"Lower Thigh Circumference:", 1474, DS_NUMBER},
               {"Knee Circumference:", 1475, DS_NUMBER},
               {"Calf Circumference:", 1476, DS_NUMBER},
               {"Ankle Circumference:", 1477, DS_NUMBER},
               {"Neck Circumference:", 1478, DS_NUMBER},
               {"Scye Circumference:", 1479, DS_NUMBER},
               {"Chest Circumference:", 1480, DS_NUMBER},
               {"Waist Circumference:", 1481, DS_NUMBER},
               {"Buttock Circumference:", 1482, DS_NUMBER}});
    return PageTemplate("Anthropometric Info", 484, 240, std::move(items));
}

std::vector<int> AnthGated()
{
    std::vector<int> ids;
    for (const PageField<D>& field : kAnthFields)
        ids.push_back(field.id);
    return ids;
}

const DlgTemplate kTestTemplate = TestTemplate();
const DlgTemplate kDummyTemplate = DummyTemplate();
const DlgTemplate kOccTemplate = OccTemplate();
const DlgTemplate kAnthTemplate = AnthTemplate();

} // namespace

// ---------------------------------------------------------------- CBioMechTestPage

CBioMechTestPage::CBioMechTestPage()
    : CBioDataPage(&kTestTemplate, kTestFields)
    , m_date(*this, IDC_DATE_PICKER, "TEST")
{
}

CBioMechTestPage::~CBioMechTestPage() = default;

BOOL CBioMechTestPage::OnInitDialog()
{
    CBioDataPage::OnInitDialog();
    SetDlgItemText(IDC_CURVE_COUNT, "0");
    m_date.Init(*Edit(IDC_TEST_DATE), [this](const CString& date) {
        if (m_pData)
            m_pData->m_strTestDate = date;
    });
    return TRUE;
}

void CBioMechTestPage::LoadExtra(const CBioData& /*data*/)
{
    m_date.Load(m_pData->m_strTestDate);
    SetDlgItemText(IDC_CURVE_COUNT, IntToCString(m_pData->m_nCurveCount));
}

void CBioMechTestPage::SaveExtra(CBioData& data)
{
    CString date = GetDlgItemText(IDC_TEST_DATE);
    date.Trim();
    data.m_strTestDate = date;
    data.m_nCurveCount = std::atoi(GetDlgItemText(IDC_CURVE_COUNT));
}

bool CBioMechTestPage::AllFieldsValid()
{
    m_date.Check();
    return CBioDataPage::AllFieldsValid();
}

void CBioMechTestPage::ClearPage()
{
    CBioDataPage::ClearPage();
    if (HasWindow())
        SetDlgItemText(IDC_CURVE_COUNT, "0");
    m_date.EmptyPicker();
}

// ---------------------------------------------------------------- CBioDumPage

CBioDumPage::CBioDumPage()
    : CBioGatedPage<CBioDataPage>(OccupantGate::Dummy, DummyGated(), &kDummyTemplate, kDummyFields)
{
}

CBioDumPage::~CBioDumPage() = default;

// ---------------------------------------------------------------- CBioOccPage

CBioOccPage::CBioOccPage()
    : CBioGatedPage<CBioDataPage>(OccupantGate::Biological, OccGated(), &kOccTemplate, kOccFields)
    , m_date(*this, IDC_DATE_PICKER, "BIO OCCUPANT")
{
}

CBioOccPage::~CBioOccPage() = default;

BOOL CBioOccPage::OnInitDialog()
{
    CBioGatedPage<CBioDataPage>::OnInitDialog();
    m_date.Init(*Edit(IDC_DEATH_DATE), [this](const CString& date) {
        if (m_pData)
            m_pData->m_strBioDeathDate = date;
    });
    return TRUE;
}

void CBioOccPage::LoadExtra(const CBioData& /*data*/)
{
    // A content too small to be measured is no content: the field empties, in the data too.
    CNEdit& bmc = *Edit(IDC_BMC);
    if (std::atof(bmc.GetText()) < 0.000001) {
        bmc.SetText("");
        m_pData->m_strBioBmc.Empty();
    }
    m_date.Load(m_pData->m_strBioDeathDate);
}

void CBioOccPage::SaveExtra(CBioData& data)
{
    CString date = GetDlgItemText(IDC_DEATH_DATE);
    date.Trim();
    data.m_strBioDeathDate = date;
    Edit(IDC_DEATH_DATE)->SetText(date);
}

bool CBioOccPage::AllFieldsValid()
{
    m_date.Check();
    return CBioGatedPage<CBioDataPage>::AllFieldsValid();
}

void CBioOccPage::ClearPage()
{
    CBioGatedPage<CBioDataPage>::ClearPage();
    m_date.EmptyPicker();
}

// ---------------------------------------------------------------- CBioAnthPage

CBioAnthPage::CBioAnthPage()
    : CBioGatedPage<CBioDataPage>(OccupantGate::Biological, AnthGated(), &kAnthTemplate, kAnthFields)
{
}

CBioAnthPage::~CBioAnthPage() = default;
