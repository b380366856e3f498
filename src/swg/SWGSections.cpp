#include "swg/SWGSections.h"

#include <algorithm>

namespace {

using D = CSWGData;
using F = SectionField<D>;
// Values are written as they are held; the readers trim them.
constexpr unsigned U = Untrimmed;
constexpr unsigned H = HasData | Untrimmed;

constexpr F kTest[] = {
    F::T(0, &D::m_strVersion, "Version Number:\t").Na("S5").With(U),
    F::T(1, &D::m_strWaveGenSerialNo, "Wave Generator Serial Number:\t").With(H),
    F::T(2, &D::m_strTitle, "Test Title:\t").Gr(2).With(H),
    F::T(3, &D::m_strObjectives, "Test Objectives:\t").Gr(3).With(H),
    F::T(4, &D::m_strTestDate, "Test Date:\t").Gr(4).With(U | UpperOnWrite),
    F::T(5, &D::m_strCertificationDate, "Certification Date:\t").With(U | UpperOnWrite),
    F::T(6, &D::m_strPerformer, "Test Performer:\t").Gr(5).With(H),
    F::T(7, &D::m_strContractNo, "Contract Number:\t").Gr(6).With(H),
    F::T(8, &D::m_strTestReference, "Test Reference Number:\t").Gr(7).With(H),
    F::T(9, &D::m_strTestType, "Test Type:\t").Gr(8).With(H),
    F::T(10, &D::m_strAmbientTemp, "Ambient Temperature:\t").Gr(12).With(H),
    F::T(11, &D::m_strRecorderType, "Recorder Type:\t").Gr(13).With(H),
    F::T(12, &D::m_strDataLinkType, "Data Link Type:\t").Gr(14).With(H),
    F::N(13, &D::m_nCurveCount, "Total Number of Curves:\t"),
    F::T(14, &D::m_strTestComments, "Test Comments:\t").Gr(21).With(H),
};

// A version-4 line has no X units: every curve read from one gets "SEC".
constexpr int kXUnitsPos = 7;

constexpr F kCurve[] = {
    F::RecordNo(0, &D::m_nLastCurveNo).Gr(1),
    F::A(1, &D::m_saInstSignalSource, "Signal Source:\t").GrSets("").With(U),
    F::A(2, &D::m_saInstLevel, "Level:\t").GrSets("").With(U),
    F::A(3, &D::m_saInstSensorType, "Sensor Type:\t").Gr(2).With(U),
    F::A(4, &D::m_saInstSensorLocation, "Sensor Location:\t").Gr(3).With(U),
    F::A(5, &D::m_saInstAttachment, "Sensor Attachment:\t").Gr(4).With(U),
    F::A(6, &D::m_saInstAxis, "Axis Direction of Sensor:\t").Gr(5).With(U),
    F::A(kXUnitsPos, &D::m_saInstXUnits, "Data Measurement XUnits:\t").Gr(6).With(U),
    F::A(8, &D::m_saInstYUnits, "Data Measurement YUnits:\t").Gr(6).With(U),
    F::A(9, &D::m_saInstPrefilter, "Prefilter Frequency:\t").Gr(7).With(U),
    F::A(10, &D::m_saInstRating, "Instrument Rating:\t").Gr(10).With(U),
    F::A(11, &D::m_saInstChannelMax, "Channel Maximum Rating:\t").Gr(11).With(U),
    F::A(12, &D::m_saInstFirstPoint, "Number of First Point:\t").Gr(13).With(U),
    F::A(13, &D::m_saInstLastPoint, "Number of Last Point:\t").Gr(14).With(U),
    F::A(14, &D::m_saInstTimeIncrement, "Time Increment:\t").Gr(15).With(U),
    F::A(15, &D::m_saInstDataStatus, "Data Status:\t").Gr(16).With(U),
    F::A(16, &D::m_saInstChannelStatus, "Channel Status:\t").GrSets("").With(U),
    F::A(17, &D::m_saInstComments, "Instrument Comments:\t").Gr(17).With(U),
};
static_assert(std::size(kCurve) == 1 + CSWGData::kCurveFields);

const Section<D> kTestSection {.name = "TEST", .fields = kTest};

const Section<D> kCurveSection {.name = "INSTRUMENTATION",
                                .fields = kCurve,
                                .shortFormPos = kXUnitsPos,
                                .shortFormValue = "SEC"};

bool HasTestData(D& data) { return !data.IsTestSectionEmpty(); }

// Curves 1 to Last Curve Number, but never beyond the lists: a file whose curve numbers are not
// 1, 2, 3 leaves Last Curve Number above the curves it held.
int CurvesWritten(const D& data) { return std::min(data.m_nLastCurveNo, data.CurvesInLists()); }

const FileSection<D> kFileSections[] = {
    {.section = &kTestSection, .written = HasTestData},
    {.section = &kCurveSection,
     .count = &D::m_nLastCurveNo,
     .records = CurvesWritten,
     .heading = "----- CURVE NUMBER %d -----"},
};

} // namespace

const Section<CSWGData>& SwgTestSection() { return kTestSection; }

const Section<CSWGData>& SwgCurveSection() { return kCurveSection; }

std::span<const FileSection<CSWGData>> SwgFileSections() { return kFileSections; }
