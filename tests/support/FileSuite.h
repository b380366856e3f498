#pragma once
// One suite of file tests that every file kind joins: round trip to the byte (and the report of
// the same data), a version-4 file read like its version-5 twin, the separator-count messages,
// the record limit, the GR imports and any bytes. A kind joins with a traits struct:
//
//   struct MyKind {
//       using Data = CMyData;
//       static bool Read(Data&, const std::string& path, int version);   // 5 or 4
//       static bool Write(Data&, const std::string& path);
//       static bool WriteReport(Data&, const std::string& path);
//       static std::vector<filetests::RoundTrip> RoundTrips();
//       static std::vector<filetests::Twin<Data>> Twins();
//       static std::vector<filetests::SeparatorCase<Data>> Separators();
//       static std::vector<filetests::Limit<Data>> Limits();
//       static std::vector<filetests::GrFile<Data>> GrFiles();
//       static std::string Marker(); // a marker line of the file, for the damaged inputs
//       // May be left out:
//       static std::vector<filetests::Hostile<Data>> Hostiles();
//       static std::vector<filetests::Damaged<Data>> Damaged();
//       static void ExpectBounded(const Data&);            // counts within the lists read
//       static void ExpectSameRecords(const Data&, const Data&); // what a rewrite keeps
//       static bool Unreadable(const Data&); // why a damaged file's rewrite may not read back
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(MyKind, FileSuite, MyKind);
//
// A kind without a file of some sort gives an empty list for it; that test then has nothing to do.

#include "common/GrLayout.h"
#include "common/TestFile.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

namespace filetests {

// The date line of a written file holds today's date; fixtures hold another.
inline std::string WithoutDate(std::string bytes)
{
    const auto at = bytes.find("# Date: <");
    if (at != std::string::npos) {
        const auto end = bytes.find('\n', at);
        bytes.replace(at, end - at, "# Date: <>\r");
    }
    return bytes;
}

// The lines of a file without their CR LF.
inline std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t from = 0;
    while (from < bytes.size()) {
        size_t nl = bytes.find('\n', from);
        if (nl == std::string::npos)
            nl = bytes.size();
        std::string line = bytes.substr(from, nl - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        from = nl + 1;
    }
    return lines;
}

// The data lines of a file: its lines less the empty and comment ones.
inline std::vector<std::string> DataLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (std::string& line : Lines(bytes)) {
        if (!line.empty() && line[0] != '#')
            lines.push_back(std::move(line));
    }
    return lines;
}

// True when the file's lines hold `line`.
inline bool Has(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The text left-aligned in a GR column of `width`.
inline std::string Padded(const std::string& text, size_t width)
{
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// Writes `text` to a scratch file and gives its path.
inline std::string Scratch(const testutil::TempDir& dir, const std::string& name, const std::string& text)
{
    const std::string path = dir.file(name);
    testutil::WriteFile(path, text);
    return path;
}

// A GR layout as the old files have it: pairs, line length and where some pairs start.
struct LayoutCase {
    const GrLayout& layout;
    int pairs;
    int length;
    std::vector<std::pair<int, int>> starts; // pair, start column
};

inline void ExpectLayouts(std::initializer_list<LayoutCase> cases)
{
    for (const auto& c : cases) {
        EXPECT_EQ(c.layout.PairCount(), c.pairs);
        EXPECT_EQ(c.layout.LineLength(), c.length);
        for (const auto& [pair, start] : c.starts)
            EXPECT_EQ(c.layout.Start(pair), start) << "pair " << pair << " of " << c.length;
    }
}

// A hand-written file that reads without a message and is written back to the byte (but for the
// date line); its report, when `report` is given, is that hand-written file.
struct RoundTrip {
    std::string file;
    std::string report;
};

// A version-4 file and its version-5 twin: they read into the same data, but for what version 4
// does not hold, which `fill` puts into the data read from version 4.
template <class Data>
struct Twin {
    std::string v4;
    std::string v5;
    std::function<void(Data&)> fill;
};

// A file text and the messages its reading shows, in order; `result` is the reader's; `check`
// (may be empty) looks at what was stored.
template <class Data>
struct SeparatorCase {
    std::string text;
    int version;
    bool result;
    std::vector<std::string> messages;
    std::function<void(const Data&)> check;
};

// A file text with more records than a section holds: the records kept and the one message.
template <class Data>
struct Limit {
    std::string text;
    int version;
    std::function<int(const Data&)> records;
    int kept;
    std::string message;
};

// A hand-cut GR file and its import.
template <class Data>
struct GrFile {
    std::string file;
    const char* format; // "GR1" ...
    std::function<bool(Data&, const std::string&)> import;
};

// A hand-cut GR file of `format` ("GR1" ... "GRZ") imported as the sheet imports it: through the
// test file's ImportGR, which also stores the count a record file brings.
template <class Data>
GrFile<Data> ImportedGr(std::string file, const char* format)
{
    const char n = static_cast<char>(std::tolower(static_cast<unsigned char>(format[2])));
    return {std::move(file), format, [n](Data& d, const std::string& path) { return d.ImportGR(n, path.c_str()).ok; }};
}

// A test kind's file operations as the sheets reach them, for the traits of a test kind.
template <class D>
struct TestFileKind {
    using Data = D;
    static bool Read(Data& d, const std::string& path, int version)
    {
        return (version == 4 ? d.ReadVersion4(path.c_str()) : d.ReadTest(path.c_str())).ok;
    }
    static bool Write(Data& d, const std::string& path) { return d.WriteTest(path.c_str()).ok; }
    static bool WriteReport(Data& d, const std::string& path) { return d.WriteReport(path.c_str()).ok; }
};

// Values a user may type or an old file may hold ('|', line breaks, "----- ", a leading '#', white
// space only) put into the data: the file written keeps its structure (`lines`: line index and
// the line written), reads back without a message into what `check` wants, and rewrites alike;
// `report` (may be empty) looks at the report written of the same data.
template <class Data>
struct Hostile {
    std::function<void(Data&)> fill;
    std::vector<std::pair<size_t, std::string>> lines;
    std::function<void(const Data&)> check;
    std::function<void(const std::string&)> report;
};

// The damaged copies of the fixtures kept in a fuzz corpus folder (files named "*-damaged-*"),
// read with `read`, which tells whether what it read is to be written; when `picks`, the first
// byte picks the reader (`pick`) and the rest is the file.
template <class Data>
struct Damaged {
    std::string folder;
    bool picks;
    std::function<bool(Data&, const std::string& path, int pick)> read;
};

} // namespace filetests

template <class Kind>
class FileSuite : public ::testing::Test {
protected:
    using Data = typename Kind::Data;

    std::string Written(Data& data, const std::string& name)
    {
        const std::string path = m_dir.file(name);
        EXPECT_TRUE(Kind::Write(data, path));
        return testutil::ReadFile(path);
    }

    // Reads `text` as a file of `version`.
    bool ReadText(Data& data, const std::string& text, int version)
    {
        const std::string path = m_dir.file("text.in");
        testutil::WriteFile(path, text);
        return Kind::Read(data, path, version);
    }

    // Reading the written file and writing it again gives the same file.
    void ExpectRewriteIsStable(const std::string& written)
    {
        Data back;
        ASSERT_TRUE(ReadText(back, written, 5));
        EXPECT_EQ(filetests::WithoutDate(Written(back, "again.out")), filetests::WithoutDate(written));
    }

    static void ExpectBounded([[maybe_unused]] const Data& data)
    {
        if constexpr (requires { Kind::ExpectBounded(data); })
            Kind::ExpectBounded(data);
    }

    testutil::TempDir m_dir;
};

TYPED_TEST_SUITE_P(FileSuite);

TYPED_TEST_P(FileSuite, WritesBackToTheByte)
{
    using Kind = TypeParam;
    const auto cases = Kind::RoundTrips();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        platform::MessageRecorder messages;
        typename Kind::Data data;
        ASSERT_TRUE(Kind::Read(data, c.file, 5));
        const std::string first = this->Written(data, "first.out");
        EXPECT_EQ(filetests::WithoutDate(first), filetests::WithoutDate(testutil::ReadFile(c.file)));
        this->ExpectRewriteIsStable(first);
        if (!c.report.empty()) {
            const std::string path = this->m_dir.file("report.out");
            ASSERT_TRUE(Kind::WriteReport(data, path));
            EXPECT_EQ(filetests::WithoutDate(testutil::ReadFile(path)),
                      filetests::WithoutDate(testutil::ReadFile(c.report)));
        }
        EXPECT_EQ(messages.count(), 0);
    }
}

TYPED_TEST_P(FileSuite, Version4ReadsLikeItsVersion5Twin)
{
    using Kind = TypeParam;
    const auto cases = Kind::Twins();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v4);
        platform::MessageRecorder messages;
        typename Kind::Data v4;
        typename Kind::Data v5;
        ASSERT_TRUE(Kind::Read(v5, c.v5, 5));
        ASSERT_TRUE(Kind::Read(v4, c.v4, 4));
        EXPECT_EQ(messages.count(), 0);
        if (c.fill)
            c.fill(v4);
        EXPECT_EQ(filetests::WithoutDate(this->Written(v4, "v4.out")),
                  filetests::WithoutDate(this->Written(v5, "v5.out")));
    }
}

TYPED_TEST_P(FileSuite, SeparatorMessages)
{
    using Kind = TypeParam;
    const auto cases = Kind::Separators();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        platform::MessageRecorder messages;
        typename Kind::Data data;
        EXPECT_EQ(this->ReadText(data, c.text, c.version), c.result);
        std::vector<std::string> shown;
        for (const auto& m : messages.messages()) {
            shown.push_back(m.text);
            EXPECT_EQ(m.caption, "Error");
        }
        EXPECT_EQ(shown, c.messages);
        if (c.check)
            c.check(data);
    }
}

TYPED_TEST_P(FileSuite, RecordsBeyondTheLimitStayInTheFileAndTheUserIsTold)
{
    using Kind = TypeParam;
    const auto cases = Kind::Limits();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        platform::MessageRecorder messages;
        typename Kind::Data data;
        this->ReadText(data, c.text, c.version);
        EXPECT_EQ(c.records(data), c.kept);
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().text, c.message);
        EXPECT_EQ(messages.last().caption, "Error");
    }
}

TYPED_TEST_P(FileSuite, GrFilesImportAndKeepTheirFormat)
{
    using Kind = TypeParam;
    const auto cases = Kind::GrFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        {
            // The hand-cut file imports without a message, and the test it gives is written and
            // read back as any test.
            platform::MessageRecorder messages;
            typename Kind::Data data;
            ASSERT_TRUE(c.import(data, c.file));
            EXPECT_EQ(messages.count(), 0);
            typename Kind::Data back;
            ASSERT_TRUE(this->ReadText(back, this->Written(data, "imported.out"), 5));
            this->ExpectRewriteIsStable(this->Written(back, "imported2.out"));
        }
        {
            // Its first data line cut to half its length: the format message, and failure.
            platform::MessageRecorder messages;
            std::string text = testutil::ReadFile(c.file);
            size_t at = 0;
            while (text.compare(at, 1, "#") == 0)
                at = text.find('\n', at) + 1;
            const size_t end = text.find_first_of("\r\n", at);
            text.erase(at + (end - at) / 2, (end - at) - (end - at) / 2);
            const std::string path = this->m_dir.file("short.gr");
            testutil::WriteFile(path, text);
            typename Kind::Data data;
            EXPECT_FALSE(c.import(data, path));
            ASSERT_EQ(messages.count(), 1);
            EXPECT_EQ(messages.last().text, path + " is not in proper " + c.format + " format.");
            EXPECT_EQ(messages.last().caption, "ERROR");
        }
        {
            platform::MessageRecorder messages;
            typename Kind::Data data;
            const std::string path = this->m_dir.file("absent.gr");
            EXPECT_FALSE(c.import(data, path));
            ASSERT_EQ(messages.count(), 1);
            EXPECT_EQ(messages.last().text, "Can't open file " + path + ", error = 2\n");
            EXPECT_EQ(messages.last().caption, "Error");
        }
    }
}

TYPED_TEST_P(FileSuite, GrRecordLinesOfTheWrongShape)
{
    using Kind = TypeParam;
    for (const auto& c : Kind::GrFiles()) {
        const auto lines = filetests::DataLines(testutil::ReadFile(c.file));
        if (lines.size() != 1)
            continue; // files of one record line only
        SCOPED_TRACE(c.file);
        const std::string& line = lines[0];
        typename Kind::Data fresh;
        const std::string untouched = filetests::WithoutDate(this->Written(fresh, "fresh.out"));
        const struct {
            std::string text;
            bool message;
        } cases[] = {
            {line.substr(0, line.size() - 1) + "\r\n", true},
            {line + "x\r\n", true},
            {"# only comments\r\n# here\r\n", true}, // the end of the file reads as an empty line
            {"\r\n" + line + "\r\n", false},
            {"", false},
        };
        for (const auto& bad : cases) {
            SCOPED_TRACE(bad.text);
            platform::MessageRecorder messages;
            typename Kind::Data data;
            const std::string path = filetests::Scratch(this->m_dir, "bad.gr", bad.text);
            EXPECT_FALSE(c.import(data, path));
            EXPECT_EQ(filetests::WithoutDate(this->Written(data, "bad.out")), untouched);
            ASSERT_EQ(messages.count(), bad.message ? 1 : 0);
            if (bad.message) {
                EXPECT_EQ(messages.last().text, path + " is not in proper " + c.format + " format.");
                EXPECT_EQ(messages.last().caption, "ERROR");
            }
        }
        // A line end of LF alone reads as CR LF does.
        platform::MessageRecorder messages;
        typename Kind::Data crlf;
        typename Kind::Data lf;
        ASSERT_TRUE(c.import(crlf, filetests::Scratch(this->m_dir, "crlf.gr", line + "\r\n")));
        ASSERT_TRUE(c.import(lf, filetests::Scratch(this->m_dir, "lf.gr", line + "\n")));
        EXPECT_EQ(filetests::WithoutDate(this->Written(lf, "lf.out")), filetests::WithoutDate(this->Written(crlf, "crlf.out")));
        EXPECT_EQ(messages.count(), 0);
    }
}

TYPED_TEST_P(FileSuite, AnyBytesGiveAResultAndAWritableTest)
{
    using Kind = TypeParam;
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 131 + 7) % 256);
    std::string wide = "|";
    for (int i = 0; i < 3000; ++i)
        wide += std::to_string(i) + "|";
    const std::string inputs[] = {"", binary, wide + "\r\n" + wide, Kind::Marker() + "\r\n" + wide + "\n" + binary,
                                  Kind::Marker() + "\r\n|\r\n||||\r\n-7|\r\n99999999999|x\r\n"};
    for (const auto& input : inputs) {
        platform::MessageRecorder messages;
        const std::string path = this->m_dir.file("bytes.in");
        testutil::WriteFile(path, input);
        // What was read is written as any data is (sanitizers watch every array reached).
        for (int version : {5, 4}) {
            typename Kind::Data data;
            Kind::Read(data, path, version);
            this->ExpectBounded(data);
            Kind::Write(data, this->m_dir.file("bytes.out"));
            Kind::WriteReport(data, this->m_dir.file("bytes.report"));
        }
        for (const auto& gr : Kind::GrFiles()) {
            typename Kind::Data data;
            if (gr.import(data, path))
                this->Written(data, "bytes.gr.out");
            this->ExpectBounded(data);
        }
    }
}

TYPED_TEST_P(FileSuite, HostileValuesNeverChangeTheStructureOfTheFile)
{
    using Kind = TypeParam;
    if constexpr (requires { Kind::Hostiles(); }) {
        const auto cases = Kind::Hostiles();
        for (size_t i = 0; i < cases.size(); ++i) {
            SCOPED_TRACE("hostile case " + std::to_string(i));
            const auto& c = cases[i];
            platform::MessageRecorder messages;
            typename Kind::Data data;
            c.fill(data);
            const std::string written = this->Written(data, "hostile.out");
            const auto lines = filetests::Lines(written);
            for (const auto& [at, line] : c.lines) {
                ASSERT_LT(at, lines.size());
                EXPECT_EQ(lines[at], line);
            }
            typename Kind::Data back;
            ASSERT_TRUE(this->ReadText(back, written, 5));
            EXPECT_EQ(messages.count(), 0);
            if (c.check)
                c.check(back);
            this->ExpectRewriteIsStable(written);
            if (c.report) {
                const std::string path = this->m_dir.file("hostile.report");
                ASSERT_TRUE(Kind::WriteReport(data, path));
                c.report(testutil::ReadFile(path));
            }
        }
    }
}

// What a reader takes from a damaged file stays within its lists, is written with its report, and
// keeps its records through a rewrite. (The fuzz replay checks the rewritten bytes.)
TYPED_TEST_P(FileSuite, DamagedFilesReadWithinTheirLists)
{
    using Kind = TypeParam;
    if constexpr (requires { Kind::Damaged(); }) {
        for (const auto& source : Kind::Damaged()) {
            const std::filesystem::path folder = std::filesystem::path(MORVEL_FUZZ_CORPUS_DIR) / source.folder;
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                if (entry.path().filename().string().find("-damaged-") != std::string::npos)
                    files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
            ASSERT_FALSE(files.empty()) << folder;
            for (const auto& file : files) {
                SCOPED_TRACE(file.string());
                platform::MessageRecorder messages;
                std::string bytes = testutil::ReadFile(file.string());
                int pick = 0;
                if (source.picks && !bytes.empty()) {
                    pick = static_cast<unsigned char>(bytes[0]);
                    bytes.erase(0, 1);
                }
                const std::string path = filetests::Scratch(this->m_dir, "damaged.in", bytes);
                typename Kind::Data data;
                const bool write = source.read(data, path, pick);
                this->ExpectBounded(data);
                if (!write)
                    continue;
                const std::string written = this->Written(data, "damaged.out");
                ASSERT_TRUE(Kind::WriteReport(data, this->m_dir.file("damaged.report")));
                typename Kind::Data back;
                if (!this->ReadText(back, written, 5)) {
                    if constexpr (requires { Kind::Unreadable(data); })
                        EXPECT_TRUE(Kind::Unreadable(data));
                    else
                        ADD_FAILURE() << "the written file does not read back";
                    continue;
                }
                this->ExpectBounded(back);
                if constexpr (requires { Kind::ExpectSameRecords(data, back); })
                    Kind::ExpectSameRecords(data, back);
            }
        }
    }
}

REGISTER_TYPED_TEST_SUITE_P(FileSuite, WritesBackToTheByte, Version4ReadsLikeItsVersion5Twin, SeparatorMessages,
                            RecordsBeyondTheLimitStayInTheFileAndTheUserIsTold, GrFilesImportAndKeepTheirFormat,
                            GrRecordLinesOfTheWrongShape, AnyBytesGiveAResultAndAWritableTest, HostileValuesNeverChangeTheStructureOfTheFile,
                            DamagedFilesReadWithinTheirLists);
