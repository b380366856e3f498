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

// Whether the kind reads a section found by `section`'s marker or its alternate.
bool ReadsSection(const TestKindShape& shape, int version, const KindSection& section)
{
    return std::any_of(SectionsOf(shape, version).begin(), SectionsOf(shape, version).end(), [&](const KindSection& s) {
        return s.marker == section.marker || (!s.altMarker.IsEmpty() && s.altMarker == section.marker) ||
               (!section.altMarker.IsEmpty() && (s.marker == section.altMarker || s.altMarker == section.altMarker));
    });
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
        if (version == 5 && shape.letter && section.marker == "----- TEST -----")
            agrees = agrees && VersionLetter(*record) == shape.letter;
    }
    // A section that another kind reads and this one does not is another kind's.
    for (const TestKindShape* other : kinds) {
        for (const KindSection& section : SectionsOf(*other, version)) {
            if (!ReadsSection(shape, version, section) && file.Locate(section) >= 0)
                agrees = false;
        }
    }
    fit.fits = fit.holdsSection && agrees;
    return fit;
}

// What the file's section markers alone say of a kind, whatever the lines under them hold.
enum class MarkersSay {
    OtherKind, // it holds a section the kind does not read: another kind's file
    ThisKind,  // it holds a section only this kind reads, and none it does not
    Shared,    // every section it holds is read by this kind and by another (or it holds none)
};

MarkersSay MarkersOf(const FileLines& file, int version, const TestKindShape& own,
                     const std::vector<const TestKindShape*>& kinds)
{
    bool ownOnly = false;
    for (const TestKindShape* kind : kinds) {
        for (const KindSection& section : SectionsOf(*kind, version)) {
            if (file.Locate(section) < 0)
                continue;
            if (!ReadsSection(own, version, section))
                return MarkersSay::OtherKind;
            ownOnly = ownOnly || std::none_of(kinds.begin(), kinds.end(), [&](const TestKindShape* other) {
                          return other != &own && ReadsSection(*other, version, section);
                      });
        }
    }
    return ownOnly ? MarkersSay::ThisKind : MarkersSay::Shared;
}

bool HoldsAnyKindsSection(const FileLines& file, int version, const std::vector<const TestKindShape*>& kinds)
{
    return std::any_of(kinds.begin(), kinds.end(), [&](const TestKindShape* shape) {
        return std::any_of(SectionsOf(*shape, version).begin(), SectionsOf(*shape, version).end(),
                           [&](const KindSection& s) { return file.Locate(s) >= 0; });
    });
}

// A section only one kind's files have names the kind, whatever the counts of its lines: a
// damaged line must not hand the file to a kind that would drop that section. Where the file
// holds only sections that kinds share, the counts tell: a kind they fit exactly is the file's,
// and where damage leaves them fitting none, every kind that reads all the file's sections may
// read it and say what is wrong.
bool IsOfKind(const FileLines& file, int version, const TestKindShape& own)
{
    const std::vector<const TestKindShape*> kinds = Registered();
    switch (MarkersOf(file, version, own, kinds)) {
    case MarkersSay::OtherKind:
        return false;
    case MarkersSay::ThisKind:
        // A version-4 reader takes whatever it finds: a file whose sections hold no record line
        // would load as an empty test in place of the one held.
        return version == 5 || FitOf(file, own, version, kinds).holdsSection;
    case MarkersSay::Shared:
        break;
    }
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

CString NotOfKindText(const CString& path, const char* kind)
{
    return CString("File ") + PathForMessage(path) + " is not a " + kind + " test.";
}

TestFileResult ReadTestOfKind(const CString& path, int version, const TestKindShape& own,
                              const std::function<bool(CStdioFile&)>& read, CantOpenTold cantOpen)
{
    // One open for the check and the read: the file is judged by the bytes the reader takes, and
    // what is shown on opening it (a backup left by an interrupted save) is shown once.
    bool refused = false;
    bool done = false;
    CFileException error;
    const bool opened = ReadWholeFile(
        path, cantOpen == CantOpenTold::InBox,
        [&](CStdioFile& file) {
            std::vector<CString> lines;
            CString line;
            while (file.ReadString(line))
                lines.push_back(line);
            refused = !IsOfKind(FileLines(std::move(lines)), version, own);
            if (refused)
                return;
            file.SeekToBegin();
            done = read(file);
        },
        &error);
    if (!opened)
        return cantOpen == CantOpenTold::InResult
                   ? TestFileResult::Failure(CString("File ") + PathForMessage(path) + " cannot open")
                   : TestFileResult::Failure();
    if (refused)
        return TestFileResult::Failure(NotOfKindText(path, own.kind));
    return TestFileResult::Of(done);
}
