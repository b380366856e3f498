#include "common/TestFile.h"

#include "common/RecordLine.h"
#include "common/WholeFile.h"
#include "platform/StdioFile.h"
#include "platform/Path.h"

#include <algorithm>

TestFileResult NotOffered(const char* kind, const char* what)
{
    return TestFileResult::Failure(CString(kind) + " tests have no " + what + ".");
}

namespace {

std::vector<const TestKindShape& (*)()>& Registrations()
{
    static std::vector<const TestKindShape& (*)()> kinds;
    return kinds;
}

std::vector<const TestKindShape*> Registered()
{
    std::vector<const TestKindShape*> kinds;
    for (const auto& shape : Registrations())
        kinds.push_back(&shape());
    return kinds;
}

// The file's lines, and where a section stands in them.
class FileLines {
public:
    explicit FileLines(std::vector<CString> lines) : m_lines(std::move(lines)) {}

    bool Holds(const CString& marker) const { return Find(marker) >= 0; }

    // The line of the section's marker (else its alternate's); -1 when absent.
    int Locate(const KindSection& section) const
    {
        const int at = Find(section.marker);
        return at >= 0 || section.altMarker.IsEmpty() ? at : Find(section.altMarker);
    }

    // The first record line after the marker at `at`: comment lines and lines without '|' are
    // passed over, a marker line ends the search. nullptr when the section has none.
    const CString* FirstRecord(int at) const
    {
        for (size_t i = static_cast<size_t>(at) + 1; i < m_lines.size(); ++i) {
            CString line = m_lines[i];
            line.TrimLeft();
            if (line.Find('|') >= 0 && !IsCommentLine(line))
                return &m_lines[i];
            if (line.Find("-----") >= 0 && !IsCommentLine(line))
                return nullptr;
        }
        return nullptr;
    }

private:
    int Find(const CString& marker) const
    {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            // Every marker begins with dashes: most lines are passed over at once.
            if (m_lines[i].Find('-') >= 0 && m_lines[i].Find(marker) >= 0)
                return static_cast<int>(i);
        }
        return -1;
    }

    std::vector<CString> m_lines;
};

const std::vector<KindSection>& SectionsOf(const TestKindShape& shape, int version)
{
    return version == 5 ? shape.v5 : shape.v4;
}

bool ReadsSection(const TestKindShape& shape, int version, const CString& marker)
{
    return std::any_of(SectionsOf(shape, version).begin(), SectionsOf(shape, version).end(),
                       [&](const KindSection& s) { return s.marker == marker || s.altMarker == marker; });
}

// What the file holds of a kind: any section with a record line, and whether all of it fits.
struct KindFit {
    bool holdsSection = false;
    bool fits = false;
};

KindFit FitOf(const FileLines& file, const TestKindShape& shape, int version,
             const std::vector<const TestKindShape*>& kinds)
{
    KindFit fit;
    bool agrees = true;
    for (const KindSection& section : SectionsOf(shape, version)) {
        const int at = file.Locate(section);
        const CString* record = at >= 0 ? file.FirstRecord(at) : nullptr;
        if (!record)
            continue;
        fit.holdsSection = true;
        const int count = CountFields(*record);
        agrees = agrees && std::find(section.counts.begin(), section.counts.end(), count) != section.counts.end();
        if (version == 5 && shape.letter && section.marker == "----- TEST -----") {
            CString field = GetFields(*record, 0, 1);
            agrees = agrees && field.MakeUpper().GetAt(0) == shape.letter;
        }
    }
    // A section that another kind reads and this one does not is another kind's.
    for (const TestKindShape* other : kinds) {
        for (const KindSection& section : SectionsOf(*other, version)) {
            if (!ReadsSection(shape, version, section.marker) && file.Locate(section) >= 0)
                agrees = false;
        }
    }
    fit.fits = fit.holdsSection && agrees;
    return fit;
}

bool HoldsAnyKindsSection(const FileLines& file, int version, const std::vector<const TestKindShape*>& kinds)
{
    return std::any_of(kinds.begin(), kinds.end(), [&](const TestKindShape* shape) {
        return std::any_of(SectionsOf(*shape, version).begin(), SectionsOf(*shape, version).end(),
                           [&](const KindSection& s) { return file.Locate(s) >= 0; });
    });
}

bool IsOfKind(const FileLines& file, int version, const TestKindShape& own)
{
    const std::vector<const TestKindShape*> kinds = Registered();
    const KindFit fit = FitOf(file, own, version, kinds);
    if (!fit.holdsSection)
        return version == 5 && own.writesEmptyTest && file.Holds("----- MV5 -----") &&
               !HoldsAnyKindsSection(file, 5, kinds);
    if (fit.fits)
        return true;
    return std::none_of(kinds.begin(), kinds.end(), [&](const TestKindShape* other) {
        return other != &own && FitOf(file, *other, version, kinds).fits;
    });
}

} // namespace

bool RegisterTestKind(const TestKindShape& (*shape)())
{
    Registrations().push_back(shape);
    return true;
}

TestFileResult ReadTestOfKind(const CString& path, int version, const TestKindShape& own,
                              const std::function<bool()>& read)
{
    std::vector<CString> lines;
    const bool opened = ReadWholeFile(path, false, [&](CStdioFile& file) {
        CString line;
        while (file.ReadString(line))
            lines.push_back(line);
    });
    if (!opened || IsOfKind(FileLines(std::move(lines)), version, own))
        return TestFileResult::Of(read());
    return TestFileResult::Failure(CString("File ") + PathForMessage(path) + " is not a " + own.kind + " test.");
}
