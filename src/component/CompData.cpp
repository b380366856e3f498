#include "component/CompData.h"

#include "common/Convert.h"
#include "common/Sections.h"
#include "component/CompSections.h"

#include <algorithm>
#include <climits>
#include <type_traits>
#include <utility>

namespace {

using D = CCompData;
using Arrays = std::initializer_list<CStringArray D::*>;

constexpr Arrays kVehicleArrays = {&D::m_saVehMake,     &D::m_saVehModel, &D::m_saVehYear,
                                   &D::m_saVehKavroNo,  &D::m_saVehBodyType, &D::m_saVehVIN,
                                   &D::m_saVehCrashTested, &D::m_saVehComments};

constexpr Arrays kComponentArrays = {
    &D::m_saCompVehicleNo,      &D::m_saCompNo,           &D::m_saCompTested,     &D::m_saCompType,
    &D::m_saCompWeight,         &D::m_saCompModIndicator, &D::m_saCompModDescription, &D::m_saCompOccupantType,
    &D::m_saCompDummySize,      &D::m_saCompDummyMaker,   &D::m_saCompComments};

constexpr Arrays kConfigurationArrays = {
    &D::m_saConfVehicleNo,        &D::m_saConfCompNo,           &D::m_saConfNo,
    &D::m_saConfTestDevice,       &D::m_saConfDeviceSpeed,      &D::m_saConfDeviceComments,
    &D::m_saConfTestConfig,       &D::m_saConfCompSpeed,        &D::m_saConfContactAngle,
    &D::m_saConfContactLocation1, &D::m_saConfContactLocation2, &D::m_saConfContactCommentary,
    &D::m_saConfCommentary};

constexpr Arrays kInstrumentationNumberArrays = {&D::m_saInstVehicleNo, &D::m_saInstCompNo, &D::m_saInstConfNo};

constexpr Arrays kInstrumentationArrays = {
    &D::m_saInstSensorType, &D::m_saInstAttachment,       &D::m_saInstAxis,            &D::m_saInstXUnits,
    &D::m_saInstYUnits,     &D::m_saInstPrefilter,        &D::m_saInstMaker,           &D::m_saInstCalibrationDate,
    &D::m_saInstRating,     &D::m_saInstChannelMax,       &D::m_saInstInitialVelocity, &D::m_saInstFirstPoint,
    &D::m_saInstLastPoint,  &D::m_saInstTimeIncrement,    &D::m_saInstDataStatus,      &D::m_saInstChannelStatus,
    &D::m_saInstComments};

// The arrays whose element 0 alone is set by the defaults: a record's owner numbers.
constexpr Arrays kOwnerArrays = {&D::m_saCompVehicleNo, &D::m_saConfVehicleNo, &D::m_saConfNo};

bool IsOwnerArray(CStringArray D::*array)
{
    for (auto owner : kOwnerArrays) {
        if (owner == array)
            return true;
    }
    return false;
}

// A copy through CWArray, or, from a test about to go, the array itself.
template <class Array> void TransferArray(CStringArray& destination, Array&& source)
{
    if constexpr (std::is_rvalue_reference_v<Array&&>)
        destination = std::move(source);
    else
        CWArray().CopyArray(destination, source);
}

} // namespace

void CWArray::CopyArray(CStringArray& destination, const CStringArray& source) const { destination = source; }

CCompData::CCompData()
{
    SetDefaults();
    m_strPrevTestType = m_strTestType;
}

CCompData::CCompData(const CCompData& other)
    : CHighSpeedVideoData()
    , CurveCheckMembers()
    , CopiedTestFile<CCompData>()
{
    Copy(other);
}

CCompData::CCompData(CCompData&& other)
    : CHighSpeedVideoData()
    , CurveCheckMembers()
    , CopiedTestFile<CCompData>()
{
    Transfer(std::move(other));
}

std::unique_ptr<ITestFile> CCompData::NewTestToRead() const
{
    // What a copy takes of this test and ClearForRead leaves of it is the version alone.
    auto read = std::make_unique<CCompData>();
    read->m_strVersion = m_strVersion;
    read->ClearForRead();
    return read;
}

CCompData& CCompData::operator=(const CCompData& other)
{
    Copy(other);
    return *this;
}

CCompData::~CCompData() = default;

void CCompData::Copy(const CCompData& other) { Transfer(other); }

template <class Other> void CCompData::Transfer(Other&& other)
{
    if (this == &other)
        return;
    m_strVersion = other.m_strVersion;
    m_strTitle = other.m_strTitle;
    m_strObjectives = other.m_strObjectives;
    m_strTestDate = other.m_strTestDate;
    m_strPerformer = other.m_strPerformer;
    m_strContractNo = other.m_strContractNo;
    m_strTestType = other.m_strTestType;
    m_strAmbientTemp = other.m_strAmbientTemp;
    m_nCurveCount = other.m_nCurveCount;
    m_strTestComments = other.m_strTestComments;

    // The arrays are the bulk of a test: taken, not copied, from a test about to go.
    const auto transferArrays = [&](Arrays arrays) {
        for (auto array : arrays)
            TransferArray(this->*array, std::forward<Other>(other).*array);
    };
    m_nVehicleCount = other.m_nVehicleCount;
    transferArrays(kVehicleArrays);
    m_nComponentCount = other.m_nComponentCount;
    transferArrays(kComponentArrays);
    m_nConfigurationCount = other.m_nConfigurationCount;
    transferArrays(kConfigurationArrays);
    transferArrays(kInstrumentationNumberArrays);
    m_nInstRecordCount = other.m_nInstRecordCount;
    transferArrays(kInstrumentationArrays);

    m_RolloverVehicleData = other.m_RolloverVehicleData;

    m_strTestReference = other.m_strTestReference;
    for (auto array : {&CHighSpeedVideoData::m_arrCameraNumber, &CHighSpeedVideoData::m_arrScaleFactor,
                       &CHighSpeedVideoData::m_arrViewDescription, &CHighSpeedVideoData::m_arrCommentary})
        TransferArray(this->*array, std::forward<Other>(other).*array);
}

void CCompData::SetDefaults()
{
    m_strVersion = "C5";
    for (CString* text : {&m_strTitle, &m_strObjectives, &m_strTestDate, &m_strPerformer, &m_strContractNo,
                          &m_strTestType, &m_strAmbientTemp, &m_strTestComments, &m_strTestReference})
        text->Empty();
    m_nCurveCount = 0;
    m_nVehicleCount = 0;
    m_nComponentCount = 0;
    m_nConfigurationCount = 0;
    m_nInstRecordCount = 0;

    for (auto array : kVehicleArrays) {
        (this->*array).RemoveAll();
        (this->*array).SetSize(3);
    }
    // Records above the new (zero) counts keep their texts: the arrays are never shrunk here.
    for (Arrays group : {kComponentArrays, kConfigurationArrays, kInstrumentationNumberArrays,
                         kInstrumentationArrays}) {
        for (auto array : group) {
            const CString value = array == &D::m_saInstXUnits ? "SEC" : "";
            (this->*array).SetAtGrow(0, value);
            if (!IsOwnerArray(array))
                (this->*array).SetAtGrow(1, value);
        }
    }
}

bool CCompData::HasTestData() const
{
    if (m_strVersion != "C5" || m_nCurveCount != 0)
        return true;
    for (const CString* text : {&m_strTitle, &m_strObjectives, &m_strTestDate, &m_strPerformer, &m_strContractNo,
                                &m_strTestReference, &m_strTestType, &m_strAmbientTemp, &m_strTestComments}) {
        if (!text->IsEmpty())
            return true;
    }
    return false;
}

void CCompData::ClearTest()
{
    for (CString* text : {&m_strTitle, &m_strObjectives, &m_strTestDate, &m_strPerformer, &m_strContractNo,
                          &m_strTestReference, &m_strTestType, &m_strAmbientTemp, &m_strTestComments})
        text->Empty();
    m_nCurveCount = 0;
    m_nVehicleCount = 0;
    for (auto array : kVehicleArrays) {
        (this->*array).RemoveAll();
        (this->*array).SetSize(3);
    }
    m_saVehComments.SetAt(0, "a non-vehicle component");
    m_RolloverVehicleData = CRolloverVehicleData();
    m_nComponentCount = 0;
    m_nConfigurationCount = 0;
    m_nInstRecordCount = 0;
    for (Arrays group : {kComponentArrays, kConfigurationArrays, kInstrumentationNumberArrays,
                         kInstrumentationArrays}) {
        for (auto array : group) {
            const CString value = array == &D::m_saInstXUnits ? "SEC" : "";
            CStringArray& a = this->*array;
            a.RemoveAll();
            a.Add(value);
            const bool inst = group.begin() == kInstrumentationNumberArrays.begin() ||
                              group.begin() == kInstrumentationArrays.begin();
            if (inst || !IsOwnerArray(array))
                a.Add(value);
        }
    }
}

bool CCompData::IsVehicleRecordEmpty(int i) const
{
    return m_saVehMake.GetAt(i).IsEmpty() && m_saVehModel.GetAt(i).IsEmpty() && m_saVehYear.GetAt(i).IsEmpty();
}

bool CCompData::VehicleRecordHoldsData(int i) const
{
    for (auto array : kVehicleArrays) {
        if (i < (this->*array).GetSize() && !(this->*array).GetAt(i).IsEmpty())
            return true;
    }
    return IsRolloverType(m_strTestType) &&
           !IsRecordEmpty(m_RolloverVehicleData, RolloverVehicleLineSection(), 0);
}

int CCompData::HeldVehicles() const
{
    // Only records that every vehicle array holds: the count read from a file never drives a long
    // walk, nor one past an array.
    int size = INT_MAX;
    for (auto array : kVehicleArrays)
        size = std::min(size, (this->*array).GetSize());
    return std::clamp(m_nVehicleCount, 0, std::max(size - 1, 0));
}

bool CCompData::HasVehicleData() const
{
    for (int i = 1; i <= HeldVehicles(); ++i) {
        if (VehicleRecordHoldsData(i))
            return true;
    }
    return false;
}

bool CCompData::HasComponents() const { return m_nComponentCount > 0; }

bool CCompData::HasConfigurations() const { return m_nConfigurationCount > 0; }

bool CCompData::HasCurves() const { return m_nCurveCount > 0; }

