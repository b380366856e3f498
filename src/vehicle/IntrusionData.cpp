#include "vehicle/IntrusionData.h"

#include "common/Convert.h"
#include "common/Sections.h"
#include "platform/Messages.h"

namespace {

using D = CIntrusionData;
using F = SectionField<D>;
constexpr auto A = &F::A;
constexpr unsigned U = Untrimmed;

// Record numbers are shown with at most three digits. The values are written as held (not
// trimmed); a point without a vehicle number is written as vehicle 0.
constexpr F kIntrusion[] = {
    A(0, &D::m_arrVehicleNumber, "Vehicle number:\t\t").With(U).Fill("0"),
    A(1, &D::m_arrPointNumber, "Intrusion point number:").With(U),
    A(2, &D::m_arrPointLocation, "Intrusion point location:").With(U),
    A(3, &D::m_arrBeforeX, "Before intrusion x:\t").With(U),
    A(4, &D::m_arrBeforeY, "Before intrusion y:\t").With(U),
    A(5, &D::m_arrBeforeZ, "Before intrusion z:\t").With(U),
    A(6, &D::m_arrAfterX, "After intrusion x:\t").With(U),
    A(7, &D::m_arrAfterY, "After intrusion y:\t").With(U),
    A(8, &D::m_arrAfterZ, "After intrusion z:\t").With(U),
    F::T(9, &D::m_strTestReference, "Test reference:\t\t").With(U),
};

constexpr Section<D> kIntrusionSection {.name = "INTRUSION",
                                        .fields = kIntrusion,
                                        .v5Only = true,
                                        .endMarker = "----- END -----",
                                        .limitWhere = "INTRUSION section"};

int Points(const D& data) { return data.PointCount(); }

const FileSection<D> kIntrusionFile[] = {{.section = &kIntrusionSection, .records = Points}};
const FileSection<D> kIntrusionReport[] = {{.section = &kIntrusionSection,
                                            .records = Points,
                                            .heading = "----- INTRUSION POINT %s -----",
                                            .headingArray = &D::m_arrRecordIndex}};

const CompanionFormat<D> kFormat {.source = "# Source: Intrusion Data\n", .dataExt = "ip5", .reportExt = "ipr",
                                  .section = &kIntrusionSection, .data = kIntrusionFile, .report = kIntrusionReport};

} // namespace

CIntrusionData::CIntrusionData() { ResetIntrusion(); }

CIntrusionData::~CIntrusionData() = default;

void CIntrusionData::SetSecondText(CString text) { m_strTestReference = text; }

void CIntrusionData::ResetIntrusion()
{
    for (CStringArray* array : {&m_arrRecordIndex, &m_arrVehicleNumber, &m_arrPointNumber, &m_arrPointLocation,
                                &m_arrBeforeX, &m_arrBeforeY, &m_arrBeforeZ, &m_arrAfterX, &m_arrAfterY, &m_arrAfterZ}) {
        array->RemoveAll();
        array->Add(CString());
    }
    m_arrVehicleNumber.SetAt(0, "1");
}

bool CIntrusionData::HasIntrusion() const { return m_arrPointNumber.GetSize() != 1; }

int CIntrusionData::PointCount() const
{
    const int n = m_arrPointNumber.GetSize() - 1;
    return n > 0 ? n : 0;
}

const CompanionFormat<D>& CIntrusionData::Format() { return kFormat; }

bool CIntrusionData::LoadIntrusionFile(const CString& path, bool showError)
{
    return ReadCompanion(path, showError, [this](int n) {
        // The file's points replace those held: a shorter file must not leave old points behind,
        // and a file without points takes none away.
        if (n == 1)
            ResetIntrusion();
        m_arrRecordIndex.SetAtGrow(n, IntToCString(n));
    });
}

bool CIntrusionData::SaveIntrusionData(const CString& path) { return WriteCompanion(path, false, HasIntrusion()); }

bool CIntrusionData::SaveIntrusionCompanion(const CString& path) { return WriteCompanion(path, false); }

bool CIntrusionData::SaveIntrusionReport(const CString& path) { return WriteCompanion(path, true, HasIntrusion()); }
