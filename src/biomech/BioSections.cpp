#include "biomech/BioSections.h"

#include "biomech/BioData.h"

namespace {

using F = BioField;
using D = CBioData;
constexpr unsigned H = HasData;
constexpr auto T = &F::T;
constexpr auto A = &F::A;
constexpr auto RecordNo = &F::RecordNo;
constexpr auto Unread = &F::Unread;

constexpr BioField kTest[] = {
    T(0, &D::m_strVersion, "Version Number:\t").Always("B5"),
    T(1, &D::m_strTitle, "Title:\t").Gr(2),
    T(2, &D::m_strObjectives, "Test Objectives:\t").Gr(3),
    T(3, &D::m_strTestDate, "Test Date:\t").Gr(4).With(UpperOnWrite),
    T(4, &D::m_strPerformer, "Test Performer:\t").Gr(5),
    T(5, &D::m_strContractNo, "Contract Number:\t").Gr(6),
    T(6, &D::m_strTestReference, "Test Reference Number:\t").Gr(7),
    T(7, &D::m_strConfiguration, "Test Configuration:\t").Gr(9),
    T(8, &D::m_strAmbientTemp, "Ambient Temperature:\t").Gr(12),
    T(9, &D::m_strRecorderType, "Type of Recorder:\t").Gr(13),
    T(10, &D::m_strDataLinkType, "Data Link to Recorder:\t").Gr(14),
    T(11, &D::m_strClosingSpeed, "Closing Speed:\t").Gr(15),
    T(12, &D::m_strImpactAngle, "Impact Angle:\t").Gr(16),
    F::N(13, &D::m_nCurveCount, "Total Number of Curves:\t"),
    T(14, &D::m_strOccupantType, "Occupant Type:\t"),
    T(15, &D::m_strTestComments, "Test Comments:\t").Gr(21),
};

constexpr BioField kDummy[] = {
    T(0, &D::m_strDumLocation, "Occupant Location:\t").Gr(1).With(H),
    T(1, &D::m_strDumSex, "Occupant Sex:\t").Gr(3).With(H),
    T(2, &D::m_strDumSeatPosition, "Seat Position:\t").Gr(7).With(H),
    T(3, &D::m_strDumHic, "Head Injury Criterion:\t").Gr(9).With(H),
    T(4, &D::m_strDumHicLower, "Lower Boundary of HIC Time Interval:\t").Gr(10).With(H),
    T(5, &D::m_strDumHicUpper, "Upper Boundary of HIC Time Interval:\t").Gr(11).With(H),
    T(6, &D::m_strDumThoraxAccel, "Thorax Region Peak Acceleration:\t").With(H),
    T(7, &D::m_strDumLeftFemurLoad, "Left Femur Peak Load:\t").With(H),
    T(8, &D::m_strDumRightFemurLoad, "Right Femur Peak Load:\t").With(H),
    T(9, &D::m_strDumCsi, "Chest Severity Index:\t").With(H),
    T(10, &D::m_strDumLapBeltLoad, "Lap Belt Peak Load:\t").With(H),
    T(11, &D::m_strDumShoulderBeltLoad, "Shoulder Belt Peak Load:\t").With(H),
    T(12, &D::m_strDumTti, "Thoracic Trauma Index:\t").With(H),
    T(13, &D::m_strDumPelvicG, "Pelvic G's:\t").With(H),
    T(14, &D::m_strDumThoracicCriterion, "Combined Thoracic Criterion:\t").With(H),
    T(15, &D::m_strDumViscousCriterion, "Viscous Criterion:\t").With(H),
    T(16, &D::m_strDumChestDeflection, "Chest Deflection:\t").With(H),
    T(17, &D::m_strDumNeckInjury, "Neck Injury Criterion:\t").With(H),
    T(18, &D::m_strDumCalibration, "Calibration Method:\t").Gr(12).With(H),
    T(19, &D::m_strDumSize, "Dummy Size:\t").Gr(13).With(H),
    T(20, &D::m_strDumMaker, "Dummy Manufacturer:\t").Gr(14).With(H),
    T(21, &D::m_strDumModification, "Dummy Modification:\t").Gr(15).With(H),
    T(22, &D::m_strDumDescription, "Dummy Description:\t").Gr(16).With(H),
    T(23, &D::m_strDumComponentWeight, "Component Weight:\t").Gr(18).With(H),
    T(24, &D::m_strDumComments, "Occupant Comments:\t").Gr(67).With(H),
};

constexpr BioField kBio[] = {
    T(0, &D::m_strBioLocation, "Occupant Location:\t").Gr(1).With(H),
    T(1, &D::m_strBioSex, "Occupant Sex:\t").Gr(3).With(H),
    T(2, &D::m_strBioSeatPosition, "Seat Position:\t").Gr(7).With(H),
    T(3, &D::m_strBioAge, "Occupant Age:\t").Gr(17).With(H),
    T(4, &D::m_strBioWeight, "Occupant Weight:\t").Gr(18).With(H),
    T(5, &D::m_strBioComponentWeight, "Component Weight:\t").With(H),
    T(6, &D::m_strBioFracturedRibs, "Number of Fractured Ribs:\t").Gr(19).With(H),
    T(7, &D::m_strBioRibFractures, "Number of Rib Fractures:\t").Gr(20).With(H),
    T(8, &D::m_strBioReferenceNo, "Occupant Reference Number:\t").Gr(21).With(H),
    T(9, &D::m_strBioTestCount, "Number of Tests:\t").Gr(22).With(H),
    T(10, &D::m_strBioDeathDate, "Cadaver Date of Death:\t").Gr(23).With(H),
    T(11, &D::m_strBioDeathCause, "Cadaver Cause of Death:\t").Gr(24).With(H),
    T(12, &D::m_strBioAppearance, "Cadaver Appearance:\t").Gr(25).With(H),
    T(13, &D::m_strBioBedConfinement, "Length of Bed Confinement:\t").Gr(26).With(H),
    T(14, &D::m_strBioAnomaly, "Cadaver Anomaly:\t").Gr(27).With(H),
    T(15, &D::m_strBioCardioPressure, "Cardiovascular Pressurization:\t").Gr(28).With(H),
    T(16, &D::m_strBioHeadPressure, "Head Pressurization:\t").Gr(29).With(H),
    T(17, &D::m_strBioPulmonaryPressure, "Pulmonary Pressurization:\t").Gr(30).With(H),
    T(18, &D::m_strBioBmc, "Bone Mineral Content:\t").With(H),
    T(19, &D::m_strBioBmcLocation, "Location of BMC Measurement:\t").With(H),
    T(20, &D::m_strBioBmcUnits, "BMC Units:\t").With(H),
    T(21, &D::m_strBioBmcMethod, "BMC Measurement Method:\t").With(H),
    T(22, &D::m_strBioBmcComments, "BMC Comments:\t").With(H),
    T(23, &D::m_strBioComments, "Occupant Comments:\t").Gr(67).With(H),
};

constexpr BioField kAnthropometry[] = {
    T(0, &D::m_strAntStature, "Stature:\t").Gr(2).With(H),
    T(1, &D::m_strAntShoulderHeight, "Shoulder Height:\t").Gr(3).With(H),
    T(2, &D::m_strAntVertexToSymphysion, "Vertex to Symphysion:\t").Gr(4).With(H),
    T(3, &D::m_strAntWaistHeight, "Waist Height:\t").Gr(5).With(H),
    T(4, &D::m_strAntShoulderBreadth, "Shoulder Breadth:\t").Gr(6).With(H),
    T(5, &D::m_strAntChestBreadth, "Chest Breadth:\t").Gr(7).With(H),
    T(6, &D::m_strAntWaistBreadth, "Waist Breadth:\t").Gr(8).With(H),
    T(7, &D::m_strAntHipBreadth, "Hip Breadth:\t").Gr(9).With(H),
    T(8, &D::m_strAntShoulderToElbow, "Shoulder to Elbow:\t").Gr(10).With(H),
    T(9, &D::m_strAntForearmHandLength, "Forearm - Hand Length:\t").Gr(11).With(H),
    T(10, &D::m_strAntTibialeHeight, "Tibiale Height:\t").Gr(12).With(H),
    T(11, &D::m_strAntAnkleHeight, "Ankle Height:\t").Gr(13).With(H),
    T(12, &D::m_strAntFootBreadth, "Foot Breadth:\t").Gr(14).With(H),
    T(13, &D::m_strAntFootLength, "Foot Length:\t").Gr(15).With(H),
    T(14, &D::m_strAntHeadToTrochanterion, "Head to Trochanterion Distance:\t").Gr(16).With(H),
    T(15, &D::m_strAntSeatedHeight, "Seated Height:\t").Gr(17).With(H),
    T(16, &D::m_strAntKneeHeightSeated, "Knee Height, Seated:\t").Gr(18).With(H),
    T(17, &D::m_strAntHeadLength, "Head Length:\t").Gr(19).With(H),
    T(18, &D::m_strAntHeadBreadth, "Head Breadth:\t").Gr(20).With(H),
    T(19, &D::m_strAntHeadHeight, "Head Height:\t").Gr(21).With(H),
    T(20, &D::m_strAntBicepCirc, "Bicep Circumference:\t").Gr(22).With(H),
    T(21, &D::m_strAntElbowCirc, "Elbow Circumference:\t").Gr(23).With(H),
    T(22, &D::m_strAntForearmCirc, "Forearm Circumference:\t").Gr(24).With(H),
    T(23, &D::m_strAntWristCirc, "Wrist Circumference:\t").Gr(25).With(H),
    T(24, &D::m_strAntThighCirc, "Thigh Circumference:\t").Gr(26).With(H),
    T(25, &D::m_strAntLowerThighCirc, "Lower Thigh Circumference:\t").Gr(27).With(H),
    T(26, &D::m_strAntKneeCirc, "Knee Circumference:\t").Gr(28).With(H),
    T(27, &D::m_strAntCalfCirc, "Calf Circumference:\t").Gr(29).With(H),
    T(28, &D::m_strAntAnkleCirc, "Ankle Circumference:\t").Gr(30).With(H),
    T(29, &D::m_strAntNeckCirc, "Neck Circumference:\t").Gr(31).With(H),
    T(30, &D::m_strAntScyeCirc, "Scye Circumference:\t").Gr(32).With(H),
    T(31, &D::m_strAntChestCirc, "Chest Circumference:\t").Gr(33).With(H),
    T(32, &D::m_strAntWaistCirc, "Waist Circumference:\t").Gr(36).With(H),
    T(33, &D::m_strAntButtockCirc, "Buttock Circumference:\t").Gr(37).With(H),
    T(34, &D::m_strAntChestDepth, "Chest Depth:\t").Gr(38).With(H),
    T(35, &D::m_strAntWaistDepth, "Waist Depth:\t").Gr(34).With(H),
    T(36, &D::m_strAntButtockDepth, "Buttock Depth:\t").Gr(35).With(H),
    T(37, &D::m_strAntInterscyeDistance, "Interscye Distance:\t").Gr(39).With(H),
};

// The GR6 pairs of a rib are counted within its block of nine.
constexpr BioField kRib[] = {
    RecordNo(0, nullptr),
    A(1, &D::m_saRibLocation, "Rib Location:\t").Gr(0),
    A(2, &D::m_saRibMomentOfInertia, "Rib Moment of Inertia:\t").Gr(1),
    A(3, &D::m_saRibNeutralAxis, "Neutral Axis Distance:\t").Gr(2),
    A(4, &D::m_saRibSpanLength, "Span Length:\t").Gr(3),
    A(5, &D::m_saRibDeflection, "Deflection:\t").Gr(4),
    A(6, &D::m_saRibLoad, "Load:\t").Gr(5),
    A(7, &D::m_saRibBreakLoad, "Break Load:\t").Gr(6),
    A(8, &D::m_saRibMarrowArea, "Area of Bone Marrow:\t").Gr(7),
    A(9, &D::m_saRibCrossSection, "Cross Sectional Area:\t").Gr(8),
};

constexpr BioField kInjury[] = {
    RecordNo(0, nullptr),
    A(1, &D::m_saInjBodyRegion, "Body Region:\t").Gr(2),
    A(2, &D::m_saInjBodyAspect, "Body Aspect:\t").Gr(3),
    A(3, &D::m_saInjInjury, "Injury:\t").Gr(4),
    A(4, &D::m_saInjOrgan, "Injured Organ:\t").Gr(5),
    A(5, &D::m_saInjAis, "Abbreviated Injury Scale:\t").Gr(6),
    A(6, &D::m_saInjAis90, "AIS 90:\t").GrSets(""),
    A(7, &D::m_saInjComments, "Injury Comments:\t").Gr(7),
};

constexpr BioField kRestraint[] = {
    RecordNo(0, nullptr),
    A(1, &D::m_saRestType, "Restraint Type:\t"),
    A(2, &D::m_saRestMount, "Restraint Mount:\t"),
    A(3, &D::m_saRestDeployment, "Inflator/Belt Deployment:\t"),
    A(4, &D::m_saRestComments, "Restraint Comments:\t"),
};

constexpr BioField kChestBand[] = {
    RecordNo(0, nullptr),
    A(1, &D::m_saBandChestDepth, "Chest Depth:\t").Gr(1),
    A(2, &D::m_saBandChestBreadth, "Chest Breadth:\t").Gr(2),
    A(3, &D::m_saBandLength, "Band Length:\t").Gr(3),
    A(4, &D::m_saBandAnteriorLocation, "Anterior Vertical Location:\t").Gr(4),
    A(5, &D::m_saBandPosteriorLocation, "Posterior Vertical Location:\t").Gr(5),
    A(6, &D::m_saBandSternumCurveNo, "Curve Number, Gauge Relative to Sternum:\t").Gr(6),
    A(7, &D::m_saBandSternumDistance, "Distance Referenced to the Sternum:\t").Gr(7),
    A(8, &D::m_saBandSpineCurveNo, "Curve Number, Gauge Relative to Spine:\t").Gr(8),
    A(9, &D::m_saBandSpineDistance, "Distance Referenced to the Spine:\t").Gr(9),
    A(10, &D::m_saBandGaugeCount, "Total Number of Gauges:\t").Gr(10),
    A(11, &D::m_saBandComments, "Chest Band Comments:\t").GrSets(""),
};

constexpr BioField kGauge[] = {
    A(0, &D::m_saGaugeBandNo, "Chest Band Number:\t").Gr(0).With(GrInteger),
    A(1, &D::m_saGaugeNo, "Gauge Number:\t").Gr(1).With(GrInteger),
    A(2, &D::m_saGaugeDistance, "Gauge Distance:\t").Gr(2).With(GrReal),
    A(3, &D::m_saGaugeCurveNo, "Curve Number of Specific Gauge:\t").Gr(3).With(GrInteger),
    A(4, &D::m_saGaugeComments, "Gauge Comments:\t").GrSets(""),
};

// GR5 carries one units column for both the X and the Y units.
constexpr BioField kInstrumentation[] = {
    RecordNo(0, nullptr).Gr(1),
    A(1, &D::m_saInstSensorType, "Sensor Type:\t").Gr(2),
    A(2, &D::m_saInstSensorLocation, "Sensor Location:\t").Gr(3),
    A(3, &D::m_saInstAttachment, "Sensor Attachment:\t").Gr(4),
    A(4, &D::m_saInstAxis, "Axis:\t").Gr(5),
    A(5, &D::m_saInstXUnits, "X Units:\t").Gr(6),
    A(6, &D::m_saInstYUnits, "Y Units:\t").Gr(6),
    A(7, &D::m_saInstPrefilter, "Prefilter Frequency:\t").Gr(7),
    A(8, &D::m_saInstMaker, "Instrument Manufacturer:\t").Gr(8),
    A(9, &D::m_saInstCalibrationDate, "Calibration Date:\t").Gr(9),
    A(10, &D::m_saInstRating, "Instrument Rating:\t").Gr(10),
    A(11, &D::m_saInstChannelMax, "Channel Maximum Rating:\t").Gr(11),
    A(12, &D::m_saInstInitialVelocity, "Initial Velocity:\t").Gr(12),
    A(13, &D::m_saInstFirstPoint, "Number of First Point:\t").Gr(13),
    A(14, &D::m_saInstLastPoint, "Number of Last Point:\t").Gr(14),
    A(15, &D::m_saInstTimeIncrement, "Time Increment:\t").Gr(15),
    A(16, &D::m_saInstDataStatus, "Data Status:\t").Gr(16),
    A(17, &D::m_saInstChannelStatus, "Channel Status:\t").GrSets(""),
    A(18, &D::m_saInstComments, "Instrument Comments:\t").Gr(17),
};

// The version-4 occupant lines, by their own positions (field 0 is never read).
constexpr BioField kDummyV4[] = {
    Unread(0),
    T(1, &D::m_strDumLocation, nullptr),
    T(2, &D::m_strOccupantType, nullptr),
    T(3, &D::m_strDumSex, nullptr),
    T(4, &D::m_strDumCalibration, nullptr),
    T(5, &D::m_strDumSize, nullptr),
    T(6, &D::m_strDumMaker, nullptr),
    T(7, &D::m_strDumModification, nullptr),
    T(8, &D::m_strDumDescription, nullptr),
    T(9, &D::m_strDumSeatPosition, nullptr),
    T(10, &D::m_strDumHic, nullptr),
    T(11, &D::m_strDumHicLower, nullptr),
    T(12, &D::m_strDumHicUpper, nullptr),
    T(13, &D::m_strDumThoraxAccel, nullptr),
    T(14, &D::m_strDumLeftFemurLoad, nullptr),
    T(15, &D::m_strDumRightFemurLoad, nullptr),
    T(16, &D::m_strDumCsi, nullptr),
    T(17, &D::m_strDumLapBeltLoad, nullptr),
    T(18, &D::m_strDumShoulderBeltLoad, nullptr),
    T(19, &D::m_strDumTti, nullptr),
    T(20, &D::m_strDumPelvicG, nullptr),
    T(21, &D::m_strDumComments, nullptr),
};

// Fields 19 to 54 are the four ribs (read with the RIB table); field 9 is never read.
constexpr BioField kBioV4[] = {
    Unread(0),
    T(1, &D::m_strBioLocation, nullptr),
    T(2, &D::m_strOccupantType, nullptr),
    T(3, &D::m_strBioAge, nullptr),
    T(4, &D::m_strBioSex, nullptr),
    T(5, &D::m_strBioWeight, nullptr),
    T(6, &D::m_strBioSeatPosition, nullptr),
    T(7, &D::m_strBioFracturedRibs, nullptr),
    T(8, &D::m_strBioRibFractures, nullptr),
    Unread(9),
    T(10, &D::m_strBioTestCount, nullptr),
    T(11, &D::m_strBioDeathDate, nullptr),
    T(12, &D::m_strBioDeathCause, nullptr),
    T(13, &D::m_strBioAppearance, nullptr),
    T(14, &D::m_strBioBedConfinement, nullptr),
    T(15, &D::m_strBioAnomaly, nullptr),
    T(16, &D::m_strBioCardioPressure, nullptr),
    T(17, &D::m_strBioHeadPressure, nullptr),
    T(18, &D::m_strBioPulmonaryPressure, nullptr),
    Unread(19), Unread(20), Unread(21), Unread(22), Unread(23), Unread(24), Unread(25), Unread(26), Unread(27),
    Unread(28), Unread(29), Unread(30), Unread(31), Unread(32), Unread(33), Unread(34), Unread(35), Unread(36),
    Unread(37), Unread(38), Unread(39), Unread(40), Unread(41), Unread(42), Unread(43), Unread(44), Unread(45),
    Unread(46), Unread(47), Unread(48), Unread(49), Unread(50), Unread(51), Unread(52), Unread(53), Unread(54),
    T(55, &D::m_strBioComments, nullptr),
};

// Version 4 has no Occupant Type in its TEST line (the occupant line brings it), no X units (every
// curve is in seconds) and no AIS 90.
constexpr BioSection kTestSection {
    .name = "TEST", .fields = kTest, .shortFormPos = 14, .shortFormValue = ""};
// Older files mark the dummy occupant "----- DUMMY ..." in other words.
constexpr BioSection kDummySection {
    .name = "DUMMY OCCUPANT", .fields = kDummy, .v5Only = true, .readMarker = "----- DUMMY"};
constexpr BioSection kBioSection {.name = "BIO OCCUPANT", .fields = kBio, .v5Only = true};
constexpr BioSection kAnthropometrySection {.name = "ANTHROPOMETRY", .fields = kAnthropometry};
constexpr BioSection kRibSection {.name = "RIB", .fields = kRib, .v5Only = true};
constexpr BioSection kInjurySection {.name = "OCCUPANT INJURY",
                                     .fields = kInjury,
                                     .shortFormPos = 6,
                                     .shortFormValue = "",
                                     .altMarker = "----- OCCI",
                                     .altName = "OCCI"};
constexpr BioSection kRestraintSection {.name = "RESTRAINT", .fields = kRestraint};
constexpr BioSection kChestBandSection {.name = "CHEST BAND", .fields = kChestBand};
constexpr BioSection kGaugeSection {.name = "CHEST BAND GAUGE", .fields = kGauge, .altMarker = "----- GAUGE"};
constexpr BioSection kInstrumentationSection {.name = "INSTRUMENTATION",
                                              .fields = kInstrumentation,
                                              .shortFormPos = 5,
                                              .shortFormValue = "SEC"};
constexpr BioSection kDummyV4Section {.name = "DUMMY OCCUPANT", .fields = kDummyV4, .ownLayout = true};
constexpr BioSection kBioV4Section {.name = "BIO OCCUPANT", .fields = kBioV4, .ownLayout = true};

} // namespace

const BioSection& BioTestSection() { return kTestSection; }
const BioSection& DummyOccupantSection() { return kDummySection; }
const BioSection& BioOccupantSection() { return kBioSection; }
const BioSection& AnthropometrySection() { return kAnthropometrySection; }
const BioSection& RibSection() { return kRibSection; }
const BioSection& InjurySection() { return kInjurySection; }
const BioSection& BioRestraintSection() { return kRestraintSection; }
const BioSection& ChestBandSection() { return kChestBandSection; }
const BioSection& GaugeSection() { return kGaugeSection; }
const BioSection& BioInstrumentationSection() { return kInstrumentationSection; }
const BioSection& DummyOccupantV4Section() { return kDummyV4Section; }
const BioSection& BioOccupantV4Section() { return kBioV4Section; }
