#include "common/WholeFile.h"
#include "platform/StdioFile.h"
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

// Both files: nothing at all without points (unless `evenEmpty`), else the head lines, the body
// and the end line.
bool WriteIntrusionFile(CIntrusionData& data, const CString& path, void (CIntrusionData::*body)(CStdioFile&),
                        bool evenEmpty = false)
{
    if (!evenEmpty && !data.HasIntrusion())
        return false;
    return WriteWholeFile(path, [&](CStdioFile& file) {
        file.WriteString("# Source: Intrusion Data\n");
        file.WriteString(DateCommentLine());
        (data.*body)(file);
        file.WriteString("----- END -----\n");
    });
}

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

bool CIntrusionData::LoadIntrusionFile(const CString& path, bool showError)
{
    return ReadWholeFile(path, showError, [this](CStdioFile& file) { ParseIntrusionSection(file); });
}

bool CIntrusionData::SaveIntrusionData(const CString& path)
{
    return WriteIntrusionFile(*this, path, &CIntrusionData::WriteIntrusionSection);
}

bool CIntrusionData::SaveIntrusionCompanion(const CString& path)
{
    return WriteIntrusionFile(*this, path, &CIntrusionData::WriteIntrusionSection, true);
}

bool CIntrusionData::SaveIntrusionReport(const CString& path)
{
    return WriteIntrusionFile(*this, path, &CIntrusionData::WriteIntrusionReportBody);
}

void CIntrusionData::WriteIntrusionSection(CStdioFile& file) { WriteSections<D>(*this, file, kIntrusionFile); }

void CIntrusionData::ParseIntrusionSection(CStdioFile& file)
{
    ReadRecords(*this, file, kIntrusionSection, 5, [this](int n) {
        // The file's points replace those held: a shorter file must not leave old points behind,
        // and a file without points takes none away.
        if (n == 1)
            ResetIntrusion();
        m_arrRecordIndex.SetAtGrow(n, IntToCString(n));
    });
}

void CIntrusionData::WriteIntrusionReportBody(CStdioFile& file) { ReportSections<D>(*this, file, kIntrusionReport); }
