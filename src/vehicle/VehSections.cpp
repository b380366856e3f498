#include "vehicle/VehSections.h"

#include "vehicle/VehData.h"

namespace {

using F = VehField;
using D = CVehData;
constexpr unsigned H = HasData;
constexpr auto T = &F::T;
constexpr auto A = &F::A;
constexpr auto Number = &F::N;
constexpr auto RecordNo = &F::RecordNo;

constexpr VehField kTest[] = {
    T(0, &D::m_strVersion, "Version Number:\t"),
    T(1, &D::m_strTitle, "Test Title:\t").Gr(2).With(H),
    T(2, &D::m_strObjectives, "Test Objectives:\t").Gr(3).With(H),
    T(3, &D::m_strTestDate, "Test Date:\t").Gr(4).With(UpperOnWrite),
    T(4, &D::m_strPerformer, "Test Performer:\t").Gr(5).With(H),
    T(5, &D::m_strContractNo, "Contract Number:\t").Gr(6).With(H),
    T(6, &D::m_strTestReference, "Test Reference Number:\t").Gr(7).With(H),
    T(7, &D::m_strTestType, "Test Type:\t").Gr(8).With(H),
    T(8, &D::m_strConfiguration, "Test Configuration:\t").Gr(9),
    T(9, &D::m_strTrackSurface, "Test Track Surface:\t").Gr(10).With(H),
    T(10, &D::m_strTrackCondition, "Test Track Condition:\t").Gr(11).With(H),
    T(11, &D::m_strAmbientTemp, "Ambient Temperature:\t").Gr(12).With(H),
    T(12, &D::m_strRecorderType, "Recorder Type:\t").Gr(13).With(H),
    T(13, &D::m_strDataLinkType, "Data Link Type:\t").Gr(14).With(H),
    T(14, &D::m_strClosingSpeed, "Closing Speed:\t").Gr(15).With(H),
    T(15, &D::m_strImpactAngle, "Impact Angle:\t").Gr(16).With(H),
    T(16, &D::m_strOffsetDistance, "Offset Distance:\t").Gr(17).With(H),
    T(17, &D::m_strSideImpactPoint, "Side Impact Point:\t").Gr(18).With(H),
    Number(18, &D::m_nCurveCount, "Total Number of Curves:\t").With(H | ReportLast),
    T(19, &D::m_strTestComments, "Test Comments:\t").Gr(21).With(H),
};

constexpr VehField kVehicle[] = {
    RecordNo(0, nullptr).Gr(0),
    A(1, &D::m_saVehMake, "Make:\t").Gr(1).With(H),
    A(2, &D::m_saVehModel, "Model:\t").Gr(2).With(H),
    A(3, &D::m_saVehYear, "Model Year:\t").Gr(3),
    A(4, &D::m_saVehKavroNo, "KAVRO Number:\t").With(H),
    A(5, &D::m_saVehBodyType, "Body Type:\t").Gr(4).With(H).Na("NA"),
    A(6, &D::m_saVehVin, "Manufacturer VIN:\t").Gr(5).With(H),
    A(7, &D::m_saVehEngineType, "Engine Type:\t").Gr(6).With(H).Na("NAPP"),
    A(8, &D::m_saVehEngineDisplacement, "Engine Displacement:\t").Gr(7).With(H),
    A(9, &D::m_saVehTransmission, "Transmission Type:\t").Gr(8).With(H).Na("NA"),
    A(10, &D::m_saVehTestWeight, "Vehicle Test Weight:\t").Gr(9).With(H),
    A(11, &D::m_saVehCurbWeight, "Vehicle Curb Weight:\t").With(H),
    A(12, &D::m_saVehWheelbase, "Wheelbase:\t").Gr(10).With(H),
    A(13, &D::m_saVehLength, "Vehicle Length:\t").Gr(11).With(H),
    A(14, &D::m_saVehWidth, "Vehicle Width:\t").Gr(12).With(H),
    A(15, &D::m_saVehCgBehindFrontAxle, "Center of Gravity Distance Behind Front Axle:\t").Gr(13).With(H),
    A(16, &D::m_saVehShearCapsule, "Steering Column Shear Capsule Separation:\t").Gr(14).With(H).Na("NA"),
    A(17, &D::m_saVehCollapseMechanism, "Steering Column Collapse Mechanism:\t").Gr(15).With(H).Na("NAP"),
    A(18, &D::m_saVehModIndicator, "Vehicle Modification Indicator:\t").Gr(16).With(H).Na("U"),
    A(19, &D::m_saVehModDescription, "Description of Vehicle Modification:\t").Gr(17).With(H),
    A(20, &D::m_saVehBX1, "BX1:\t").Gr(18),
    A(21, &D::m_saVehBX2, "BX2:\t").Gr(19),
    A(22, &D::m_saVehBX3, "BX3:\t").Gr(20),
    A(23, &D::m_saVehBX4, "BX4:\t").Gr(21),
    A(24, &D::m_saVehBX5, "BX5:\t").Gr(22),
    A(25, &D::m_saVehBX6, "BX6:\t").Gr(23),
    A(26, &D::m_saVehBX7, "BX7:\t").Gr(24),
    A(27, &D::m_saVehBX8, "BX8:\t").Gr(25),
    A(28, &D::m_saVehBX9, "BX9:\t").Gr(26),
    A(29, &D::m_saVehBX10, "BX10:\t").Gr(27),
    A(30, &D::m_saVehBX11, "BX11:\t").Gr(28),
    A(31, &D::m_saVehBX12, "BX12:\t").Gr(29),
    A(32, &D::m_saVehBX13, "BX13:\t").Gr(30),
    A(33, &D::m_saVehBX14, "BX14:\t").Gr(31),
    A(34, &D::m_saVehBX15, "BX15:\t").Gr(32),
    A(35, &D::m_saVehBX16, "BX16:\t").Gr(33),
    A(36, &D::m_saVehBX17, "BX17:\t").Gr(34),
    A(37, &D::m_saVehBX18, "BX18:\t").Gr(35),
    A(38, &D::m_saVehBX19, "BX19:\t").Gr(36),
    A(39, &D::m_saVehBX20, "BX20:\t").Gr(37),
    A(40, &D::m_saVehBX21, "BX21:\t").Gr(38),
    A(41, &D::m_saVehSpeed, "Vehicle Speed:\t").Gr(39).With(H),
    A(42, &D::m_saVehCrabbedAngle, "Crabbed Angle:\t").Gr(40).With(H),
    A(43, &D::m_saVehPdof, "Principle Direction of Force:\t").Gr(41).With(H),
    A(44, &D::m_saVehBumperEngagement, "Bumper Engagement:\t").Gr(42).With(H).Na("NA"),
    A(45, &D::m_saVehSillEngagement, "Sill Engagement:\t").Gr(43).With(H).Na("NA"),
    A(46, &D::m_saVehAPillarEngagement, "A-Pillar Engagement:\t").Gr(44).With(H).Na("NA"),
    A(47, &D::m_saVehDamageProfile1, "Damage Profile Distance 1:\t").Gr(45),
    A(48, &D::m_saVehDamageProfile2, "Damage Profile Distance 2:\t").Gr(46),
    A(49, &D::m_saVehDamageProfile3, "Damage Profile Distance 3:\t").Gr(47),
    A(50, &D::m_saVehDamageProfile4, "Damage Profile Distance 4:\t").Gr(48),
    A(51, &D::m_saVehDamageProfile5, "Damage Profile Distance 5:\t").Gr(49),
    A(52, &D::m_saVehDamageProfile6, "Damage Profile Distance 6:\t").Gr(50),
    A(53, &D::m_saVehDamageIndex, "Vehicle Damage Index:\t").Gr(51).With(H),
    A(54, &D::m_saVehIndentationLength, "Indentation Length:\t").Gr(52).With(H),
    A(55, &D::m_saVehDamageToCg, "Damage Distance to Center of Gravity:\t").Gr(53).With(H),
    A(56, &D::m_saVehMaxCrush, "Maximum Crush Distance:\t").Gr(54).With(H),
    A(57, &D::m_saVehAX1, "AX1:\t").Gr(55),
    A(58, &D::m_saVehAX2, "AX2:\t").Gr(56),
    A(59, &D::m_saVehAX3, "AX3:\t").Gr(57),
    A(60, &D::m_saVehAX4, "AX4:\t").Gr(58),
    A(61, &D::m_saVehAX5, "AX5:\t").Gr(59),
    A(62, &D::m_saVehAX6, "AX6:\t").Gr(60),
    A(63, &D::m_saVehAX7, "AX7:\t").Gr(61),
    A(64, &D::m_saVehAX8, "AX8:\t").Gr(62),
    A(65, &D::m_saVehAX9, "AX9:\t").Gr(63),
    A(66, &D::m_saVehAX10, "AX10:\t").Gr(64),
    A(67, &D::m_saVehAX11, "AX11:\t").Gr(65),
    A(68, &D::m_saVehAX12, "AX12:\t").Gr(66),
    A(69, &D::m_saVehAX13, "AX13:\t").Gr(67),
    A(70, &D::m_saVehAX14, "AX14:\t").Gr(68),
    A(71, &D::m_saVehAX15, "AX15:\t").Gr(69),
    A(72, &D::m_saVehAX16, "AX16:\t").Gr(70),
    A(73, &D::m_saVehAX17, "AX17:\t").Gr(71),
    A(74, &D::m_saVehAX18, "AX18:\t").Gr(72),
    A(75, &D::m_saVehAX19, "AX19:\t").Gr(73),
    A(76, &D::m_saVehAX20, "AX20:\t").Gr(74),
    A(77, &D::m_saVehAX21, "AX21:\t").Gr(75),
    A(78, &D::m_saVehCartAngle, "Angle of Moving Test Cart:\t").Gr(76).With(H),
    A(79, &D::m_saVehCartOrientation, "Vehicle Orientation on Moving Cart:\t").Gr(77).With(H),
    A(80, &D::m_saVehComments, "Vehicle Comments:\t").Gr(78).With(H),
};

constexpr VehField kBarrier[] = {
    T(0, &D::m_strBarRigidity, "Barrier Rigidity:\t").Gr(0),
    T(1, &D::m_strBarShape, "Barrier Shape:\t").Gr(1).With(H),
    T(2, &D::m_strBarContactAngle, "Contact Angle:\t").Gr(2).With(H),
    T(3, &D::m_strBarPoleDiameter, "Pole Diameter:\t").Gr(3).With(H),
    T(4, &D::m_strBarComments, "Barrier Comments:\t").Gr(4).With(H),
};

constexpr VehField kOccupant[] = {
    A(0, &D::m_saOccVehicleNo, "Vehicle Number:\t").Gr(0),
    A(1, &D::m_saOccLocation, "Occupant Location:\t").Gr(1),
    A(2, &D::m_saOccType, "Occupant Type:\t").Gr(2),
    A(3, &D::m_saOccAge, "Occupant Age:\t").Gr(3),
    A(4, &D::m_saOccSex, "Occupant Sex:\t").Gr(4),
    A(5, &D::m_saOccHeight, "Occupant Height:\t").Gr(5),
    A(6, &D::m_saOccWeight, "Occupant Weight:\t").Gr(6),
    A(7, &D::m_saOccCalibration, "Method of Calibration:\t").Gr(7),
    A(8, &D::m_saOccDummySize, "Dummy Size Percentile:\t").Gr(8),
    A(9, &D::m_saOccDummyMaker, "Dummy Manufacturer:\t").Gr(9),
    A(10, &D::m_saOccDummyModification, "Dummy Modification:\t").Gr(10),
    A(11, &D::m_saOccDummyDescription, "Dummy Description:\t").Gr(11),
    A(12, &D::m_saOccHeadToWindshieldHeader, "Head to Windshield Header:\t").Gr(12),
    A(13, &D::m_saOccHeadToWindshield, "Head to Windshield:\t").Gr(13),
    A(14, &D::m_saOccHeadToSideHeader, "Head to Side Header:\t").Gr(14),
    A(15, &D::m_saOccHeadToSideWindow, "Head to Side Window:\t").Gr(15),
    A(16, &D::m_saOccChestToDash, "Chest to Dash:\t").Gr(16),
    A(17, &D::m_saOccChestToWheel, "Chest to Steering Wheel:\t").Gr(17),
    A(18, &D::m_saOccArmToDoor, "Arm to Door:\t").Gr(18),
    A(19, &D::m_saOccHipToDoor, "Hip to Door:\t").Gr(19),
    A(20, &D::m_saOccKneesToDash, "Knees to Dash:\t").Gr(20),
    A(21, &D::m_saOccHeadToSeatback, "Head to Seatback:\t").Gr(21),
    A(22, &D::m_saOccNeckToSeatback, "Neck to Seatback:\t").Gr(22),
    A(23, &D::m_saOccChestToSeatback, "Chest to Seatback:\t").Gr(23),
    A(24, &D::m_saOccKneeToSeatback, "Knee to Seatback:\t").Gr(24),
    A(25, &D::m_saOccSeatPosition, "Seat Position:\t").Gr(28),
    A(26, &D::m_saOccHeadContact1, "First Contact Region for Head:\t").Gr(30),
    A(27, &D::m_saOccHeadContact2, "Second Contact Region for Head:\t").Gr(31),
    A(28, &D::m_saOccChestContact1, "First Contact Region for Chest:\t").Gr(32),
    A(29, &D::m_saOccChestContact2, "Second Contact Region for Chest:\t").Gr(33),
    A(30, &D::m_saOccLegsContact1, "First Contact Region for Legs:\t").Gr(34),
    A(31, &D::m_saOccLegsContact2, "Second Contact Region for Legs:\t").Gr(35),
    A(32, &D::m_saOccHic, "Head Injury Criterion:\t").Gr(36),
    A(33, &D::m_saOccHicLower, "HIC Time Interval (lower boundary):\t").Gr(37),
    A(34, &D::m_saOccHicUpper, "HIC Time Interval (upper boundary):\t").Gr(38),
    A(35, &D::m_saOccThoraxAccel, "Peak Acceleration of Thorax Region:\t").Gr(39),
    A(36, &D::m_saOccLeftFemurLoad, "Left Femur Peak Load:\t").Gr(40),
    A(37, &D::m_saOccRightFemurLoad, "Right Femur Peak Load:\t").Gr(41),
    A(38, &D::m_saOccCsi, "Chest Severity Index:\t").Gr(42),
    A(39, &D::m_saOccLapBeltLoad, "Lap Belt Peak Load:\t").Gr(43),
    A(40, &D::m_saOccShoulderBeltLoad, "Shoulder Belt Peak Load:\t").Gr(44),
    A(41, &D::m_saOccTti, "Thoracic Trauma Index:\t").GrSets(""),
    A(42, &D::m_saOccPelvicG, "Pelvic G's:\t").GrSets(""),
    A(43, &D::m_saOccComments, "Occupant Comments:\t").Gr(45),
};

constexpr VehField kRestraint[] = {
    A(0, &D::m_saRestVehicleNo, "Vehicle Number:\t"),
    A(1, &D::m_saRestOccLocation, "Occupant Location:\t"),
    A(2, &D::m_saRestNo, "Restraint Number:\t"),
    A(3, &D::m_saRestType, "Restraint Type:\t"),
    A(4, &D::m_saRestMount, "Restraint Mount:\t"),
    A(5, &D::m_saRestDeployment, "Inflator/Belt Pretensioner Deployment:\t"),
    A(6, &D::m_saRestComments, "Restraint Comments:\t"),
};

constexpr VehField kInstrumentation[] = {
    A(0, &D::m_saInstVehicleNo, "Vehicle Number:\t").Gr(0),
    RecordNo(1, &D::m_nLastCurveNo).Gr(1),
    A(2, &D::m_saInstSensorType, "Sensor Type:\t").Gr(2),
    A(3, &D::m_saInstSensorLocation, "Sensor Location:\t").Gr(3),
    A(4, &D::m_saInstAttachment, "Sensor Attachment:\t").Gr(4),
    A(5, &D::m_saInstAxis, "Axis Direction of Sensor:\t").Gr(5),
    A(6, &D::m_saInstXUnits, "Data Measurement XUnits:\t").GrSets("SEC"),
    A(7, &D::m_saInstYUnits, "Data Measurement YUnits:\t").Gr(6),
    A(8, &D::m_saInstPrefilter, "Prefilter Frequency:\t").Gr(7),
    A(9, &D::m_saInstMaker, "Instrument Manufacturer:\t").Gr(8),
    A(10, &D::m_saInstCalibrationDate, "Calibration Date:\t").Gr(9).With(UpperOnWrite),
    A(11, &D::m_saInstRating, "Instrument Rating:\t").Gr(10),
    A(12, &D::m_saInstChannelMax, "Channel Maximum Rating:\t").Gr(11),
    A(13, &D::m_saInstInitialVelocity, "Initial Velocity:\t").Gr(12),
    A(14, &D::m_saInstFirstPoint, "Number of First Point:\t").Gr(13),
    A(15, &D::m_saInstLastPoint, "Number of Last Point:\t").Gr(14),
    A(16, &D::m_saInstTimeIncrement, "Time Increment:\t").Gr(15),
    A(17, &D::m_saInstDataStatus, "Data Status:\t").Gr(16),
    A(18, &D::m_saInstChannelStatus, "Channel Status:\t").GrSets(""),
    A(19, &D::m_saInstComments, "Instrument Comments:\t").Gr(17),
};

constexpr VehSection kTestSection {.name = "TEST", .fields = kTest};
// Version-5 vehicle lines come with or without the curb weight; version 4 never has it.
constexpr VehSection kVehicleSection {.name = "VEHICLE", .fields = kVehicle, .shortFormPos = 11, .v5ShortForm = true,
                                      .maxRecords = kMaxVehicles,
                                      .endsAtGap = true};
constexpr VehSection kBarrierSection {.name = "BARRIER", .fields = kBarrier};
constexpr VehSection kOccupantSection {.name = "OCCUPANT", .fields = kOccupant};
constexpr VehSection kRestraintSection {.name = "RESTRAINT", .fields = kRestraint};
// Version 4 has no X units: every curve of such a file is in seconds.
constexpr VehSection kInstrumentationSection {
    .name = "INSTRUMENTATION", .fields = kInstrumentation, .shortFormPos = 6, .shortFormValue = "SEC"};

} // namespace

const VehSection& TestSectionTable() { return kTestSection; }
const VehSection& VehicleSectionTable() { return kVehicleSection; }
const VehSection& BarrierSectionTable() { return kBarrierSection; }
const VehSection& OccupantSectionTable() { return kOccupantSection; }
const VehSection& RestraintSectionTable() { return kRestraintSection; }
const VehSection& InstrumentationSectionTable() { return kInstrumentationSection; }
