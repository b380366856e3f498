// Damaged test files offered to every kind. A file that holds a section only its kind's files
// have goes to that kind, whatever its separator counts; a file of sections kinds share goes by
// its counts. A sheet that refuses a file keeps the test it holds to the byte.

#include "DamagedCopies.h"
#include "SheetHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using sheettest::Kind;
using sheettest::Kinds;
using sheettest::KindSheet;
using testutil::ReadFile;
using testutil::WriteFile;

namespace {

// A fixture of a kind, of version 4 or 5.
struct Fixture {
    const Kind* kind;
    std::string name; // under tests/data
    int version;
    std::string text;
};

// Every test file of every kind's folder (and the folders in it), of both versions.
const std::vector<Fixture>& Fixtures()
{
    static const std::vector<Fixture> fixtures = [] {
        std::vector<Fixture> all;
        const std::filesystem::path data = testutil::DataPath("");
        for (const Kind& kind : Kinds()) {
            std::set<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(kind.Fixture("")))
                files.insert(entry.path());
            for (const std::filesystem::path& file : files) {
                const std::string ext = file.extension().string();
                if (ext == ".mv5" || ext == ".mv4")
                    all.push_back({&kind, std::filesystem::relative(file, data).string(), ext == ".mv5" ? 5 : 4,
                                   ReadFile(file.string())});
            }
        }
        return all;
    }();
    return fixtures;
}

// A line of a file with its line end kept apart.
struct Line {
    std::string text;
    std::string end;
};

std::vector<Line> Lines(const std::string& bytes)
{
    std::vector<Line> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        end = end == std::string::npos ? bytes.size() : end + 1;
        std::string line = bytes.substr(at, end - at);
        std::string ending;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            ending.insert(ending.begin(), line.back());
            line.pop_back();
        }
        lines.push_back({line, ending});
        at = end;
    }
    return lines;
}

std::string Joined(const std::vector<Line>& lines)
{
    std::string bytes;
    for (const Line& line : lines)
        bytes += line.text + line.end;
    return bytes;
}

// "----- NAME -----" of a section, the file's version and end lines not counted.
bool IsSectionMarker(const std::string& line)
{
    return line.starts_with("----- ") && line.ends_with(" -----") && line.size() > 12 && line != "----- END -----" &&
           line != "----- MV5 -----" && line != "----- MV4 -----";
}

std::string SectionName(const std::string& marker) { return marker.substr(6, marker.size() - 12); }

using damagedfiles::Fault;
constexpr Fault kFaults[] = {Fault::LeftOut, Fault::OneMore, Fault::OneFewer, Fault::CutInHalf};

const char* FaultName(Fault fault)
{
    switch (fault) {
    case Fault::LeftOut:
        return "left out";
    case Fault::OneMore:
        return "one | more";
    case Fault::OneFewer:
        return "one | fewer";
    case Fault::CutInHalf:
        return "cut in half";
    }
    return "";
}

struct Damaged {
    const Fixture* fixture;
    std::string section;
    Fault fault;
    std::string text;

    std::string Name() const { return fixture->name + ", " + section + " " + FaultName(fault); }
    bool CountsDamaged() const { return fault != Fault::LeftOut; }
};

// Every damaged copy of every fixture; a fault that changes nothing (a section without a record
// line) gives no copy.
const std::vector<Damaged>& DamagedCopies()
{
    static const std::vector<Damaged> copies = [] {
        std::vector<Damaged> all;
        for (const Fixture& fixture : Fixtures()) {
            const std::vector<Line> lines = Lines(fixture.text);
            for (size_t marker = 0; marker < lines.size(); ++marker) {
                if (!IsSectionMarker(lines[marker].text))
                    continue;
                size_t next = marker + 1;
                while (next < lines.size() && !lines[next].text.starts_with("-----"))
                    ++next;
                size_t record = marker + 1;
                while (record < next && (lines[record].text.starts_with("#") || lines[record].text.find('|') == std::string::npos))
                    ++record;
                for (Fault fault : kFaults) {
                    std::vector<Line> copy = lines;
                    if (fault == Fault::LeftOut) {
                        copy.erase(copy.begin() + static_cast<long>(marker), copy.begin() + static_cast<long>(next));
                    } else if (record == next) {
                        continue;
                    } else {
                        std::string& text = copy[record].text;
                        if (fault == Fault::OneMore)
                            text += '|';
                        else if (fault == Fault::OneFewer)
                            text.erase(text.rfind('|'), 1);
                        else
                            text.resize(text.size() / 2);
                    }
                    all.push_back({&fixture, SectionName(lines[marker].text), fault, Joined(copy)});
                }
            }
        }
        return all;
    }();
    return copies;
}

// Whether the file holds a section only `kind`'s files have.
bool HoldsOwnSection(const std::string& text, const Kind& kind)
{
    for (const Line& line : Lines(text)) {
        for (const char* own : kind.ownSections) {
            if (line.text == std::string("----- ") + own + " -----")
                return true;
        }
    }
    return false;
}

bool ReadsVersion(const Kind& kind, int version) { return version == 5 || kind.fixtureV4; }

// What a kind's test file does with a file: refuses it as another kind's, or hands it to the reader,
// which reads it or not.
enum class Outcome { Refused, Read, ReaderFails };

const char* OutcomeName(Outcome outcome)
{
    return outcome == Outcome::Refused ? "refused" : outcome == Outcome::Read ? "read" : "reader fails";
}

// What every kind that reads the version does with a damaged copy, through its test file as a
// sheet's Load Test calls it, on a new test to read.
class Outcomes {
public:
    Outcomes()
    {
        for (const Kind& kind : Kinds())
            m_sheets.push_back(std::make_unique<KindSheet>(kind));
    }

    std::map<const Kind*, Outcome> Of(const Damaged& copy) { return Of(copy.fixture->version, copy.text); }

    std::map<const Kind*, Outcome> Of(int version, const std::string& text)
    {
        const std::string path = m_dir.file(version == 5 ? "offered.mv5" : "offered.mv4");
        WriteFile(path, text);
        std::map<const Kind*, Outcome> outcomes;
        for (size_t k = 0; k < Kinds().size(); ++k) {
            const Kind& kind = Kinds()[k];
            if (!ReadsVersion(kind, version))
                continue;
            platform::MessageRecorder boxes;
            std::unique_ptr<ITestFile> read = kind.sheet.data(*m_sheets[k]->sheet).NewTestToRead();
            const TestFileResult result = version == 5 ? read->ReadTest(path.c_str()) : read->ReadVersion4(path.c_str());
            const std::string refusal = std::string("File ") + path + " is not a " + kind.kindName + " test.";
            outcomes[&kind] = result ? Outcome::Read
                            : result.message.str() == refusal ? Outcome::Refused
                                                              : Outcome::ReaderFails;
            if (outcomes[&kind] == Outcome::Refused) {
                EXPECT_EQ(boxes.count(), 0) << kind.kindName << ": a refusal is told once, by the sheet";
            }
        }
        return outcomes;
    }

private:
    std::vector<std::unique_ptr<KindSheet>> m_sheets;
    testutil::TempDir m_dir;
};

std::string Describe(const std::map<const Kind*, Outcome>& outcomes)
{
    std::string text;
    for (const auto& [kind, outcome] : outcomes)
        text += std::string(kind->kindName) + " " + OutcomeName(outcome) + "; ";
    return text;
}

} // namespace

// A damaged file that still holds a section only its kind's files have (OCCUPANT, COMPONENT,
// AMBER, RIB, ...) is that kind's whatever its counts: its kind's reader reads it, with its
// messages, and every other kind refuses it, also where a damaged count equals another kind's.
TEST(SheetDamagedFilesTest, ASectionOnlyOneKindHasGivesTheFileToThatKind)
{
    Outcomes outcomes;
    int rows = 0;
    for (const Damaged& copy : DamagedCopies()) {
        const Kind& own = *copy.fixture->kind;
        if (!HoldsOwnSection(copy.text, own))
            continue;
        ++rows;
        const auto seen = outcomes.Of(copy);
        for (const auto& [kind, outcome] : seen) {
            // The crash-avoidance reader's own answer to a file without its TEST line is the same text.
            const bool readerSaysSo = std::string(own.kindName) == "Crash Avoidance" && copy.section == "TEST" &&
                                      copy.fault == Fault::LeftOut;
            if (kind == &own) {
                EXPECT_TRUE(readerSaysSo || outcome != Outcome::Refused) << copy.Name() << ": " << Describe(seen);
            } else {
                EXPECT_EQ(outcome, Outcome::Refused) << copy.Name() << " offered as " << kind->kindName << ": "
                                                     << Describe(seen);
            }
        }
    }
    EXPECT_GT(rows, 100);
}

namespace {

// A damaged copy offered through Load Test: the kinds whose sheets take it, those whose reader
// takes it and tells why it cannot read it; every other sheet that reads its version refuses it.
struct SheetRow {
    const char* fixture;
    const char* section;
    Fault fault;
    std::set<std::string> takers; // kind names
    std::set<std::string> readerTells = {};
};

const Damaged& CopyOf(const SheetRow& row)
{
    for (const Damaged& copy : DamagedCopies()) {
        if (copy.fixture->name == row.fixture && copy.section == row.section && copy.fault == row.fault)
            return copy;
    }
    throw std::logic_error(std::string("no such damaged copy: ") + row.fixture + ", " + row.section);
}

} // namespace

std::string damagedfiles::DamagedCopy(const std::string& fixture, const std::string& section, Fault fault)
{
    return CopyOf({fixture.c_str(), section.c_str(), fault, {}}).text;
}

namespace {

// Boxes told, the clear question left out.
std::vector<std::string> Told(KindSheet& s)
{
    std::vector<std::string> told = s.messages.texts();
    std::erase(told, std::string("Really clear all entries?"));
    return told;
}

// Load Test of `text` written at `path`: the boxes told, the clear question answered and left out.
std::vector<std::string> Offer(KindSheet& s, const std::string& path, const std::string& text)
{
    WriteFile(path, text);
    s.messages.clear();
    s.messages.setNextAnswer(IDYES);
    s.Run(ID_LOAD_TEST, path);
    return Told(s);
}

// The sheet made to hold its kind's valid test: what Save Test (and Save Report) then write.
std::vector<std::string> HoldTheValidTest(KindSheet& s)
{
    s.Run(ID_LOAD_TEST, s.WriteTest("t", s.kind.sheet.hasCameras ? sheettest::kTwoCameras : ""));
    s.messages.clear();
    std::vector<std::string> saved = sheettest::SaveAll(s, "before");
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    return saved;
}

// Each row through every sheet holding its kind's valid test. A sheet that refuses says so in
// one box, and one whose reader cannot read the file tells why; both keep their test to the
// byte. A sheet that takes the file shows no refusal and holds the test read (each row's file
// is not its taker's valid test).
void OfferThroughTheSheets(const std::vector<SheetRow>& rows)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        const std::vector<std::string> before = HoldTheValidTest(s);
        auto offer = [&](const Damaged& copy) {
            const std::string path = s.dir.file(copy.fixture->version == 5 ? "offered.mv5" : "offered.mv4");
            return std::pair(Offer(s, path, copy.text), sheettest::Refusal(kind, path));
        };
        for (const SheetRow& row : rows) {
            const Damaged& copy = CopyOf(row);
            if (!ReadsVersion(kind, copy.fixture->version) || row.takers.contains(kind.kindName))
                continue;
            SCOPED_TRACE(copy.Name());
            const auto [told, refusal] = offer(copy);
            if (row.readerTells.contains(kind.kindName)) {
                // The reader's messages (the biomechanics sheet ends every failed load as it
                // ends a refusal).
                EXPECT_FALSE(told.empty());
                EXPECT_NE(told, std::vector<std::string> {refusal});
            } else {
                EXPECT_EQ(told, std::vector<std::string> {refusal});
            }
        }
        s.messages.clear();
        EXPECT_EQ(sheettest::SaveAll(s, "after"), before);
        EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
        // The takers: each holds what it read, no longer the valid test, which is loaded again.
        for (const SheetRow& row : rows) {
            const Damaged& copy = CopyOf(row);
            if (!ReadsVersion(kind, copy.fixture->version) || !row.takers.contains(kind.kindName))
                continue;
            SCOPED_TRACE(copy.Name());
            const auto [told, refusal] = offer(copy);
            EXPECT_EQ(std::count(told.begin(), told.end(), refusal), 0) << sheettest::Texts(s.messages);
            s.messages.clear();
            EXPECT_NE(sheettest::SaveAll(s, "taken"), before);
            s.messages.setNextAnswer(IDYES);
            s.Run(ID_LOAD_TEST, s.dir.file("t.mv5"));
        }
    }
}

} // namespace

// The faults the issue found, through the sheets. Files holding a section only their kind has:
// a hand edit's extra '|' in a vehicle test's first VEHICLE line or a component test's first
// COMPONENT line no longer hands the test to a kind that would drop its own sections, and a
// count that equals another kind's does not keep a file from its own sheet.
TEST(SheetDamagedFilesTest, SheetsRefuseWhatHoldsASectionOnlyAnotherKindHas)
{
    OfferThroughTheSheets({
        {"vehicle/vtb_full.mv4", "VEHICLE", Fault::OneMore, {"Vehicle"}},
        {"vehicle/vtb_full.mv5", "VEHICLE", Fault::OneMore, {"Vehicle"}},
        {"component/comp_full.mv5", "COMPONENT", Fault::OneMore, {"Component"}},
        {"component/comp_full.mv4", "TEST", Fault::OneMore, {"Component"}},
        {"biomech/cadaver.mv5", "INSTRUMENTATION", Fault::CutInHalf, {"Biomechanics"}},
        {"biomech/bio.mv4", "TEST", Fault::LeftOut, {"Biomechanics"}},
        {"crashavoid/full.mv5", "AMBER", Fault::OneFewer, {}, {"Crash Avoidance"}},
    });
}

// Files of sections kinds share, through the sheets: a section left out of a test leaves one
// that fits its own kind alone; one separator more in a version-4 SWG test's first
// INSTRUMENTATION line makes its counts a biomechanics test's, and a version-4 TEST line alone
// fits both kinds that read one of its length.
TEST(SheetDamagedFilesTest, SheetsGoByTheCountsOfSharedSections)
{
    OfferThroughTheSheets({
        {"vehicle/vtv_two.mv5", "VEHICLE", Fault::OneFewer, {"Vehicle"}},
        {"swg/full.mv5", "INSTRUMENTATION", Fault::LeftOut, {"SWG"}},
        {"swg/full.mv4", "INSTRUMENTATION", Fault::OneMore, {"Biomechanics"}},
        {"swg/full.mv4", "INSTRUMENTATION", Fault::LeftOut, {"Biomechanics", "SWG"}},
        {"swg/full.mv5", "TEST", Fault::OneFewer, {"SWG"}, {"Vehicle", "Biomechanics", "Component", "Crash Avoidance"}},
    });
}

// A file that opens with a backup left by an interrupted save beside it names the backup once in
// a load, whether the sheet reads it or refuses it: the kind check and the reader share one open.
TEST(SheetDamagedFilesTest, ALoadOpensTheFileOnce)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        const std::string own = s.WriteTest("t", kind.sheet.hasCameras ? sheettest::kTwoCameras : "");
        WriteFile(own + ".mv-backup", "the old bytes\r\n");
        s.Run(ID_LOAD_TEST, own);
        EXPECT_EQ(s.Naming(".mv-backup"), 1) << sheettest::Texts(s.messages);
        const Kind& other = &kind == &Kinds().front() ? Kinds().back() : Kinds().front();
        const std::string offered = s.dir.file("other.mv5");
        WriteFile(offered, ReadFile(testutil::DataPath(other.fixture)));
        WriteFile(offered + ".mv-backup", "the old bytes\r\n");
        s.messages.clear();
        s.Run(ID_LOAD_TEST, offered);
        EXPECT_EQ(s.Naming(".mv-backup"), 1) << sheettest::Texts(s.messages);
        EXPECT_EQ(s.Told(sheettest::Refusal(kind, offered)), 1);
    }
}

namespace {

// The damaged copies of sections kinds share that another kind's sheet takes as well as (or
// instead of) their own kind's: the shapes the file itself cannot settle.
struct SharedShape {
    const char* fixture;
    const char* section;
    std::vector<Fault> faults;
    std::set<std::string> takers; // kind names: every other kind refuses
};

const std::vector<Fault> kCountFaults = {Fault::OneMore, Fault::OneFewer, Fault::CutInHalf};

const std::vector<SharedShape> kSharedShapes = {
    // A vehicle test of TEST, VEHICLE and INSTRUMENTATION whose counts fit no kind: every kind that
    // reads those three sections hands it to its reader, which tells what is wrong (the version
    // letter, a count); one VEHICLE separator fewer is the vehicle's shorter layout.
    {"vehicle/vtv_two.mv5", "TEST", kCountFaults, {"Vehicle", "Component", "Crash Avoidance"}},
    {"vehicle/vtv_two.mv5", "VEHICLE", {Fault::OneMore, Fault::CutInHalf}, {"Vehicle", "Component", "Crash Avoidance"}},
    {"vehicle/vtv_two.mv5", "INSTRUMENTATION", kCountFaults, {"Vehicle", "Component", "Crash Avoidance"}},
    // An SWG test is TEST and INSTRUMENTATION, which every kind reads. Damaged, it fits no kind
    // and every kind's reader may take it; version 4 has no version letter to stop them.
    {"swg/full.mv5", "TEST", kCountFaults, {"Vehicle", "Biomechanics", "Component", "Crash Avoidance", "SWG"}},
    {"swg/full.mv5", "INSTRUMENTATION", kCountFaults, {"Vehicle", "Biomechanics", "Component", "Crash Avoidance", "SWG"}},
    {"swg/full.mv4", "TEST", kCountFaults, {"Vehicle", "Biomechanics", "Component", "SWG"}},
    {"swg/full.mv4", "INSTRUMENTATION", {Fault::OneFewer, Fault::CutInHalf}, {"Vehicle", "Biomechanics", "Component", "SWG"}},
    // A version-4 TEST line of 15 separators alone fits the biomechanics and the SWG test.
    {"swg/full.mv4", "INSTRUMENTATION", {Fault::LeftOut}, {"Biomechanics", "SWG"}},
    // One separator more in the first INSTRUMENTATION line of a version-4 SWG test makes its counts
    // a biomechanics test's (TEST 15, INSTRUMENTATION 18): it goes to the biomechanics sheet alone.
    {"swg/full.mv4", "INSTRUMENTATION", {Fault::OneMore}, {"Biomechanics"}},
};

} // namespace

// A damaged file of sections kinds share goes by its counts: where they still fit its own kind
// exactly (a section left out), only its own kind takes it; where they fit no kind, each kind that
// reads all its sections may take it, with its reader's messages. The shapes where a kind other
// than the file's takes it, or its own kind refuses it, are the table above, and no others.
TEST(SheetDamagedFilesTest, SharedSectionsGoByTheirCounts)
{
    Outcomes outcomes;
    int rows = 0;
    for (const Damaged& copy : DamagedCopies()) {
        const Kind& own = *copy.fixture->kind;
        if (HoldsOwnSection(copy.text, own))
            continue;
        ++rows;
        std::set<std::string> takers = {own.kindName};
        for (const SharedShape& shape : kSharedShapes) {
            if (copy.fixture->name == shape.fixture && copy.section == shape.section &&
                std::find(shape.faults.begin(), shape.faults.end(), copy.fault) != shape.faults.end())
                takers = shape.takers;
        }
        const auto seen = outcomes.Of(copy);
        for (const auto& [kind, outcome] : seen)
            EXPECT_EQ(outcome != Outcome::Refused, takers.contains(kind->kindName))
                << copy.Name() << " offered as " << kind->kindName << ": " << Describe(seen);
    }
    EXPECT_GT(rows, 30);

    // Two faults: an SWG test reduced to its TEST line, that line with one separator fewer, has
    // the counts of a crash-avoidance test (no version letter tells them apart).
    for (const Damaged& copy : DamagedCopies()) {
        if (copy.fixture->name != "swg/full.mv5" || copy.section != "INSTRUMENTATION" || copy.fault != Fault::LeftOut)
            continue;
        Damaged twice = copy;
        const size_t test = twice.text.find("----- TEST -----");
        twice.text.erase(twice.text.rfind('|', twice.text.find('\n', twice.text.find('\n', test) + 1)), 1);
        twice.fault = Fault::OneFewer;
        for (const auto& [kind, outcome] : outcomes.Of(twice))
            EXPECT_EQ(outcome != Outcome::Refused, std::string(kind->kindName) == "Crash Avoidance") << kind->kindName;
    }
}

namespace {

// The file with every line end made `end`.
std::string WithLineEnds(const std::string& text, const std::string& end)
{
    std::vector<Line> lines = Lines(text);
    for (Line& line : lines) {
        if (!line.end.empty())
            line.end = end;
    }
    return Joined(lines);
}

} // namespace

// Every test file of every kind, of both versions, with its CR LF line ends made CR alone, LF
// alone or CR CR LF (CR LF converted twice), loads on a new sheet of its kind as its CR LF twin
// does: the same boxes, the same bytes from Save Test (and Save Report), and the same test held.
TEST(SheetDamagedFilesTest, EveryFileLoadsWithAnyLineEndAsItsCrLfTwin)
{
    testutil::TempDir dir;
    int files = 0;
    for (const Fixture& fixture : Fixtures()) {
        SCOPED_TRACE(fixture.name);
        ASSERT_NE(fixture.text.find("\r\n"), std::string::npos);
        const std::string path = dir.file(fixture.version == 5 ? "offered.mv5" : "offered.mv4");
        // What Save Test and Save Report write after the load, the test held as its kind writes
        // it, and every box of the load and the saves.
        auto loaded = [&](const std::string& end) {
            KindSheet s(*fixture.kind);
            EXPECT_TRUE(s.db.open());
            Offer(s, path, WithLineEnds(fixture.text, end));
            std::vector<std::string> seen = sheettest::SaveAll(s, "saved");
            s.Data().WriteTest(s.dir.file("held.mv5").c_str());
            seen.push_back(s.Written("held.mv5"));
            for (const std::string& text : s.messages.texts())
                seen.push_back(text);
            return seen;
        };
        const std::vector<std::string> twin = loaded("\r\n");
        for (const char* end : {"\r", "\n", "\r\r\n"})
            EXPECT_EQ(loaded(end), twin) << testing::PrintToString(std::string(end));
        ++files;
    }
    EXPECT_GT(files, 15);
}

// A CR before the version letter of a version-5 TEST line ends the line before it: check and
// readers take the letter as the file's own and every kind does with it what it does with the
// file. A tab is no blank: check and readers alike take it as the version field's first
// character, so every kind does what it does with a wrong letter there.
TEST(SheetDamagedFilesTest, CheckAndReadersTakeTheVersionLetterAlike)
{
    Outcomes outcomes;
    int files = 0;
    for (const Fixture& fixture : Fixtures()) {
        if (fixture.version != 5)
            continue;
        SCOPED_TRACE(fixture.name);
        const size_t marker = fixture.text.find("----- TEST -----\r\n");
        ASSERT_NE(marker, std::string::npos);
        const size_t letter = fixture.text.find("\r\n", marker) + 2;
        ASSERT_NE(fixture.text[letter], '|');
        std::string wrongLetter = fixture.text;
        wrongLetter[letter] = 'X';
        const struct {
            const char* inserted;
            std::string judgedAs;
        } rows[] = {{"\r", fixture.text}, {"\t", wrongLetter}, {" \r", fixture.text}};
        for (const auto& row : rows) {
            std::string text = fixture.text;
            text.insert(letter, row.inserted);
            const auto seen = outcomes.Of(5, text);
            const auto expected = outcomes.Of(5, row.judgedAs);
            EXPECT_EQ(seen, expected) << testing::PrintToString(std::string(row.inserted)) << ": " << Describe(seen)
                                      << " instead of " << Describe(expected);
        }
        ++files;
    }
    EXPECT_GT(files, 10);
}

// A version-4 file whose sections hold no record line, its markers alone, is refused by its own
// sheet as no test of its kind: the version-4 readers fail on nothing, and it would load as an
// empty test. The sheet keeps the test it holds to the byte.
TEST(SheetDamagedFilesTest, AVersion4FileOfMarkersAloneIsRefusedByItsOwnSheet)
{
    for (const Kind& kind : Kinds()) {
        if (!kind.fixtureV4)
            continue;
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        const std::vector<std::string> before = HoldTheValidTest(s);
        std::vector<Line> lines = Lines(ReadFile(testutil::DataPath(kind.fixtureV4)));
        std::erase_if(lines, [](const Line& line) { return line.text.find('|') != std::string::npos; });
        const std::string path = s.dir.file("markers.mv4");
        EXPECT_EQ(Offer(s, path, Joined(lines)), std::vector<std::string> {sheettest::Refusal(kind, path)});
        s.messages.clear();
        EXPECT_EQ(sheettest::SaveAll(s, "after"), before);
        EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    }
}

// A load that fails never ends without a word: a reader that refuses a test silently (a TEST
// line of another version letter) leaves the sheet to say that the file is no test of its kind,
// once, and the test held stays to the byte. A kind that reads no letter takes the file.
TEST(SheetDamagedFilesTest, ALoadThatFailsSaysSo)
{
    for (const Kind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        KindSheet s(kind);
        ASSERT_TRUE(s.db.open());
        const std::vector<std::string> before = HoldTheValidTest(s);
        std::string text = ReadFile(testutil::DataPath(kind.fixture));
        const size_t marker = text.find("----- TEST -----\r\n");
        ASSERT_NE(marker, std::string::npos);
        text[text.find("\r\n", marker) + 2] = 'X';
        const std::string path = s.dir.file("otherletter.mv5");
        const std::vector<std::string> told = Offer(s, path, text);
        s.messages.clear();
        const std::vector<std::string> after = sheettest::SaveAll(s, "after");
        if (after == before)
            EXPECT_EQ(told, std::vector<std::string> {sheettest::Refusal(kind, path)});
        else
            EXPECT_EQ(told, std::vector<std::string> {});
    }
}
