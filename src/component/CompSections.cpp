#include "component/CompSections.h"

#include "component/CompData.h"

#include <algorithm>
#include <array>

namespace {

using D = CCompData;
using F = SectionField<D>;
using V = CRolloverVehicleData;
using R = SectionField<V>;

constexpr F kTest[] = {
    F::T(0, &D::m_strVersion, "Version Number:\t").Always("C5"),
    F::T(1, &D::m_strTitle, "Test Title:\t").Gr(1),
    F::T(2, &D::m_strObjectives, "Test Objectives:\t").Gr(2),
    F::T(3, &D::m_strTestDate, "Test Date:\t").Gr(3).With(UpperOnWrite),
    F::T(4, &D::m_strPerformer, "Test Performer:\t").Gr(4),
    F::T(5, &D::m_strContractNo, "Contract Number:\t").Gr(5),
    F::T(6, &D::m_strTestReference, "Test Reference Number:\t").Gr(7),
    F::T(7, &D::m_strTestType, "Test Type:\t").Gr(8),
    F::T(8, &D::m_strAmbientTemp, "Ambient Temperature:\t").Gr(11),
    F::N(9, &D::m_nCurveCount, "Total Number of Curves:\t").With(ReportLast),
    F::T(10, &D::m_strTestComments, "Test Comments:\t").Gr(14),
};

// The version-4 line as it stands: a leading field and one before the temperature, not read.
constexpr F kTestV4Long[] = {
    F::Unread(0),
    F::T(1, &D::m_strVersion, nullptr),
    F::T(2, &D::m_strTitle, nullptr),
    F::T(3, &D::m_strObjectives, nullptr),
    F::T(4, &D::m_strTestDate, nullptr),
    F::T(5, &D::m_strPerformer, nullptr),
    F::T(6, &D::m_strContractNo, nullptr),
    F::T(7, &D::m_strTestReference, nullptr),
    F::T(8, &D::m_strTestType, nullptr),
    F::Unread(9),
    F::T(10, &D::m_strAmbientTemp, nullptr),
    F::N(11, &D::m_nCurveCount, nullptr),
    F::T(12, &D::m_strTestComments, nullptr),
};

// Field 0 carries the vehicle count when read; the writer puts the record number there. The
// report leaves out a record whose fields are all empty.
constexpr F kVehicle[] = {
    F::RecordNo(0, &D::m_nVehicleCount),
    F::A(1, &D::m_saVehMake, "Vehicle Make:\t").With(HasData),
    F::A(2, &D::m_saVehModel, "Vehicle Model:\t").With(HasData),
    F::A(3, &D::m_saVehYear, "Vehicle Model Year:\t").With(HasData),
    F::A(4, &D::m_saVehKavroNo, "KAVRO Number:\t").With(HasData),
    F::A(5, &D::m_saVehBodyType, "Body Type:\t").With(HasData),
    F::A(6, &D::m_saVehVIN, "Manufacturer VIN:\t").With(HasData),
    F::A(7, &D::m_saVehCrashTested, "Crash Tested Indicator:\t").With(HasData),
    F::A(8, &D::m_saVehComments, "Vehicle Comments:\t").With(HasData),
};

// The same fields followed by a position that the rollover vehicle's fields fill.
constexpr auto kVehicleRov = [] {
    std::array<F, std::size(kVehicle) + 1> t {};
    std::copy(std::begin(kVehicle), std::end(kVehicle), t.begin());
    t.back() = F::Unread(static_cast<int>(std::size(kVehicle)));
    return t;
}();

// Any of them holding data makes a vehicle line of its own (not the non-vehicle line).
constexpr R kRolloverVehicle[] = {
    R::N(9, &V::m_nVimfTestNo, "VIMF (Vehicle Inertia Measurement Facility) Test No.:\t").With(NumberForm | HasData),
    R::T(10, &V::m_strLoad, "Load:\t").With(HasData),
    R::T(11, &V::m_strEngine, "Engine:\t").With(HasData),
    R::Real(12, &V::m_dEngineDisplacement, 1, "Engine Displacement:\t").With(HasData),
    R::T(13, &V::m_strTransmission, "Transmission:\t").With(HasData),
    R::T(14, &V::m_strFuel, "fuel:\t").With(HasData),
    R::T(15, &V::m_strOptionalEquipment, "Optional Equipment:\t").With(HasData),
};

constexpr R kRollover[] = {
    R::T(0, &V::m_strFrontTireType, "FRONT TIRE TYPE\t"),
    R::T(1, &V::m_strFrontTireSize, "FRONT TIRE  SIZE\t"),
    R::N(2, &V::m_nFrontTirePressure, "FRONT TIRE PRESSURE (PSI)\t").With(NumberForm),
    R::T(3, &V::m_strRearTireType, "REAR TIRE TYPE\t"),
    R::T(4, &V::m_strRearTireSize, "REAR TIRE  SIZE\t"),
    R::N(5, &V::m_nRearTirePressure, "REAR TIRE PRESSURE (PSI)\t").With(NumberForm),
    R::Real(6, &V::m_dAvgTrackWidth, 2, "Average Track Width\t"),
    R::Real(7, &V::m_dFrontTrackWidth, 2, "Front Track Width\t"),
    R::Real(8, &V::m_dRearTrackWidth, 2, "Rear Track Width\t"),
    R::Real(9, &V::m_dFrontTrackA, 2, "Front Track A (in)\t"),
    R::Real(10, &V::m_dFrontTrackB, 2, "Front Track B (in)\t"),
    R::Real(11, &V::m_dFrontTrackC, 2, "Front Track C (in)\t"),
    R::Real(12, &V::m_dFrontTrackD, 2, "Front Track D (in)\t"),
    R::Real(13, &V::m_dRearTrackE, 2, "Rear Track E (in)\t"),
    R::Real(14, &V::m_dRearTrackF, 2, "Rear Track F (in)\t"),
    R::Real(15, &V::m_dRearTrackG, 2, "Rear Track G (in)\t"),
    R::Real(16, &V::m_dRearTrackH, 2, "Rear Track H (in)\t"),
    R::Real(17, &V::m_dWheelbase, 2, "WHEELBASE\t"),
    R::Real(18, &V::m_dLeftWheelbase, 2, "Left Side Wheelbase (in)\t"),
    R::Real(19, &V::m_dRightWheelbase, 2, "Right Side Wheelbase (in)\t"),
    R::Real(20, &V::m_dRoofHeight, 2, "ROOF HEIGHT (in)\t"),
    R::N(21, &V::m_nGVWR, "GVWR (Gross Vehicle Weight Rating) = GAWRF+GAWRR (lb)\t").With(NumberForm),
    R::N(22, &V::m_nFrontGAWR, "FRONT GAWR (Gross Axle Weight Rating) (lb)\t").With(NumberForm),
    R::N(23, &V::m_nRearGAWR, "REAR GAWR (Gross Axle Weight Rating) (lb)\t").With(NumberForm),
    R::Real(24, &V::m_dTotalWeight, 2, "Tota Vehicle Weight (lb)\t"),
    R::Real(25, &V::m_dLeftFrontWeight, 2, "LEFT FRONT WEIGHT (lb)\t"),
    R::Real(26, &V::m_dRightFrontWeight, 2, "RIGHT FRONT WEIGHT (lb)\t"),
    R::Real(27, &V::m_dLeftRearWeight, 2, "LEFT REAR WEIGHT (lb)\t"),
    R::Real(28, &V::m_dRightRearWeight, 2, "RIGHT REAR WEIGHT (lb)\t"),
    R::Real(29, &V::m_dCGLongitudinal, 2, "C.G. LONGITUDINAL From Front Axle (in)\t"),
    R::Real(30, &V::m_dCGLateral, 2, "C.G. LATERAL - Negative Towards Driver's Side (in)\t"),
    R::Real(31, &V::m_dAvgCGHeight, 2, "Average VIMF C.G. Height\t"),
    R::Real(32, &V::m_dRun1AppliedWeight, 2, "RUN#1, Applied Weight (lb)\t"),
    R::Real(33, &V::m_dRun1PlatformAngle, 3, "RUN#1, Platform Angle (deg)\t"),
    R::Real(34, &V::m_dRun1RelativeMotion, 3, "RUN#1, Relative Motion (in)\t"),
    R::Real(35, &V::m_dRun1CGHeight, 3, "RUN#1, C.G. Height (in)\t"),
    R::Real(36, &V::m_dRun2AppliedWeight, 2, "RUN#2, Applied Weight (lb)\t"),
    R::Real(37, &V::m_dRun2PlatformAngle, 3, "RUN#2, Platform Angle (deg)\t"),
    R::Real(38, &V::m_dRun2RelativeMotion, 3, "RUN#2, Relative Motion (in)\t"),
    R::Real(39, &V::m_dRun2CGHeight, 3, "RUN#2, C.G. Height (in)\t"),
    R::Real(40, &V::m_dRun3AppliedWeight, 2, "RUN#3, Applied Weight (lb)\t"),
    R::Real(41, &V::m_dRun3PlatformAngle, 3, "RUN#3, Platform Angle (deg)\t"),
    R::Real(42, &V::m_dRun3RelativeMotion, 3, "RUN#3, Relative Motion (in)\t"),
    R::Real(43, &V::m_dRun3CGHeight, 3, "RUN#3, C.G. Height (in)\t"),
    R::Real(44, &V::m_dRun4AppliedWeight, 2, "RUN#4, Applied Weight (lb)\t"),
    R::Real(45, &V::m_dRun4PlatformAngle, 3, "RUN#4, Platform Angle (deg)\t"),
    R::Real(46, &V::m_dRun4RelativeMotion, 3, "RUN#4, Relative Motion (in)\t"),
    R::Real(47, &V::m_dRun4CGHeight, 3, "RUN#4, C.G. Height (in)\t"),
    R::Real(48, &V::m_dRun5AppliedWeight, 2, "RUN#5, Applied Weight (lb)\t"),
    R::Real(49, &V::m_dRun5PlatformAngle, 3, "RUN#5, Platform Angle (deg)\t"),
    R::Real(50, &V::m_dRun5RelativeMotion, 3, "RUN#5, Relative Motion (in)\t"),
    R::Real(51, &V::m_dRun5CGHeight, 3, "RUN#5, C.G. Height (in)\t"),
    R::Real(52, &V::m_dSSF, 5, "Vehicle Static Stability Factor = TRACK/(2*CGHT) (dimensionless)\t"),
    R::Real(53, &V::m_dRolloverProbability, 3, "KAVRO rollover possibility\t"),
    R::Real(54, &V::m_dRiskScore, 2, "KAVRO rollover Relative Risk Score\t"),
    R::N(55, &V::m_nStarRating, "KAVRO rollover Star Rating\t"),
};

constexpr F kComponent[] = {
    F::A(0, &D::m_saCompVehicleNo, nullptr).GrSets(""),
    F::A(1, &D::m_saCompNo, "Component Number:\t").Gr(0),
    F::A(2, &D::m_saCompTested, "Component Tested:\t").Gr(1),
    F::A(3, &D::m_saCompType, "Component Type:\t").Gr(2),
    F::A(4, &D::m_saCompWeight, "Component Weight:\t").Gr(5),
    F::A(5, &D::m_saCompModIndicator, "Component Modification Indicator:\t").Gr(3),
    F::A(6, &D::m_saCompModDescription, "Modification Description:\t").Gr(4),
    F::A(7, &D::m_saCompOccupantType, "Occupant Type:\t").Gr(15),
    F::A(8, &D::m_saCompDummySize, "Dummy Size Percentile:\t").Gr(16),
    F::A(9, &D::m_saCompDummyMaker, "Dummy Manufacturer:\t").Gr(17),
    F::A(10, &D::m_saCompComments, "Component Comments:\t").Gr(20),
};

// A rollover test's components are never modified and carry no occupant.
constexpr auto kComponentRov = [] {
    std::array<F, std::size(kComponent)> t {};
    std::copy(std::begin(kComponent), std::end(kComponent), t.begin());
    t[5] = t[5].Always("N");
    t[7] = t[7].Always("NA");
    t[8] = t[8].Always("NA");
    return t;
}();

constexpr F kConfiguration[] = {
    F::A(0, &D::m_saConfVehicleNo, nullptr),
    F::A(1, &D::m_saConfCompNo, "Component Number:\t"),
    F::A(2, &D::m_saConfNo, "Configuration Number:\t"),
    F::A(3, &D::m_saConfTestDevice, "Test Device:\t"),
    F::A(4, &D::m_saConfDeviceSpeed, "Device Speed:\t"),
    F::A(5, &D::m_saConfDeviceComments, "Device Comments:\t"),
    F::A(6, &D::m_saConfTestConfig, "Test Configuration:\t"),
    F::A(7, &D::m_saConfCompSpeed, "Component Speed:\t"),
    F::A(8, &D::m_saConfContactAngle, "Contact Angle:\t"),
    F::A(9, &D::m_saConfContactLocation1, "Contact Location 1:\t"),
    F::A(10, &D::m_saConfContactLocation2, "Contract Location2:\t"),
    F::A(11, &D::m_saConfContactCommentary, "Contact Commentary:\t"),
    F::A(12, &D::m_saConfCommentary, "Configuration Commentary:\t"),
};

// Field 3 is the curve number: written as the record number, read by position. The GR5 file
// carries X and Y units in one column.
constexpr F kInstrumentation[] = {
    F::A(0, &D::m_saInstVehicleNo, "Vehicle Number:\t").GrSets(""),
    F::A(1, &D::m_saInstCompNo, "Component Number:\t").Gr(0),
    F::A(2, &D::m_saInstConfNo, "Configuration Number:\t").GrSets(""),
    F::RecordNo(3, nullptr).Gr(1),
    F::A(4, &D::m_saInstSensorType, "Sensor Type:\t").Gr(3),
    F::A(5, &D::m_saInstAttachment, "Sensor Attachment:\t").Gr(4),
    F::A(6, &D::m_saInstAxis, "Axis:\t").Gr(5),
    F::A(7, &D::m_saInstXUnits, "Xunits:\t").Gr(6),
    F::A(8, &D::m_saInstYUnits, "Yunits:\t").Gr(6),
    F::A(9, &D::m_saInstPrefilter, "Prefilter Frequency:\t").Gr(7),
    F::A(10, &D::m_saInstMaker, "Instrument Manufacturer:\t").Gr(8),
    F::A(11, &D::m_saInstCalibrationDate, "Calibration Date:\t").Gr(9),
    F::A(12, &D::m_saInstRating, "Instrument Rating:\t").Gr(10),
    F::A(13, &D::m_saInstChannelMax, "Channel Maximum Rating:\t").Gr(11),
    F::A(14, &D::m_saInstInitialVelocity, "Initial Velocity:\t").Gr(12),
    F::A(15, &D::m_saInstFirstPoint, "Number of First Point:\t").Gr(13),
    F::A(16, &D::m_saInstLastPoint, "Number of Last Point:\t").Gr(14),
    F::A(17, &D::m_saInstTimeIncrement, "Time Step:\t").Gr(15),
    F::A(18, &D::m_saInstDataStatus, "Data Status:\t").Gr(16),
    F::A(19, &D::m_saInstChannelStatus, "Channel Status:\t").GrSets(""),
    F::A(20, &D::m_saInstComments, "Instrument Comments:\t").Gr(17),
};

constexpr CompSection kTestSection {.name = "TEST", .fields = kTest};
constexpr CompSection kTestV4LongSection {.name = "TEST", .fields = kTestV4Long, .ownLayout = true};
// The rest of a rollover test's vehicle line.
constexpr RolloverSection kRolloverVehicleSection {.name = "VEHICLE", .fields = kRolloverVehicle, .v5Only = true};
// A version-5 vehicle line is the plain one or a rollover test's, which goes on with the rollover
// vehicle's fields.
constexpr CompSection kVehicleSection {
    .name = "VEHICLE", .fields = kVehicle, .v5LongerCount = FullSeparators(kRolloverVehicleSection)};
// Written only: a rollover test's vehicle line before the rollover vehicle's fields.
constexpr CompSection kVehicleRovSection {.name = "VEHICLE", .fields = kVehicleRov};
constexpr RolloverSection kRolloverSection {.name = "ROLLOVER", .fields = kRollover, .v5Only = true};
constexpr CompSection kComponentSection {.name = "COMPONENT", .fields = kComponent};
constexpr CompSection kComponentRovSection {.name = "COMPONENT", .fields = kComponentRov};
constexpr CompSection kConfigurationSection {.name = "CONFIGURATION", .fields = kConfiguration};
// Version 4 has no X units: every curve of such a file is in seconds.
constexpr CompSection kInstrumentationSection {
    .name = "INSTRUMENTATION", .fields = kInstrumentation, .shortFormPos = 7, .shortFormValue = "SEC"};

} // namespace

const CompSection& CompTestSection() { return kTestSection; }
const CompSection& CompTestV4LongSection() { return kTestV4LongSection; }
const CompSection& CompVehicleSection() { return kVehicleSection; }
const CompSection& CompVehicleRovSection() { return kVehicleRovSection; }
const RolloverSection& RolloverVehicleLineSection() { return kRolloverVehicleSection; }
const RolloverSection& RolloverSectionTable() { return kRolloverSection; }
const CompSection& CompComponentSection() { return kComponentSection; }
const CompSection& CompComponentRovSection() { return kComponentRovSection; }
const CompSection& CompConfigurationSection() { return kConfigurationSection; }
const CompSection& CompInstrumentationSection() { return kInstrumentationSection; }

bool IsRolloverType(const CString& testType)
{
    CString written = testType;
    return written.Trim() == "ROV";
}

int HeldRecords(const CCompData& data, const CompSection& section, int count)
{
    int held = 0;
    for (const F& field : section.fields) {
        if (field.kind == F::Array)
            held = std::max(held, (data.*field.array).GetSize() - 1);
    }
    return std::clamp(count, 0, held);
}
