#pragma once
// The one face every kind's test data shows the sheets: read a test file of the current version
// or of version 4, write the test and its report, import a GR file, each with one result that
// says whether it went and, when not, what the user is told. A kind that has no version-4 file
// or no report says so through the same result.

#include "platform/CString.h"

#include <functional>
#include <memory>
#include <vector>

class CHighSpeedVideoData;
class CStdioFile;
struct CurveCheckMembers;

struct TestFileResult {
    bool ok = true;
    // On failure, the text the user is told; empty where the file layer told the cause already
    // ("Can't open file ...", a separator count) or where the kind stays silent.
    CString message;

    static TestFileResult Success() { return {}; }
    static TestFileResult Failure(CString text = CString()) { return {false, std::move(text)}; }
    static TestFileResult Of(bool done) { return done ? Success() : Failure(); }
    explicit operator bool() const { return ok; }
};

class ITestFile {
public:
    virtual ~ITestFile() = default;

    // The kind as the messages name it ("Vehicle").
    virtual const char* KindName() const = 0;

    virtual TestFileResult ReadTest(const CString& path) = 0;
    virtual TestFileResult ReadVersion4(const CString& path) = 0;
    virtual TestFileResult WriteTest(const CString& path) = 0;
    virtual TestFileResult WriteReport(const CString& path) = 0;
    // GR file `n` ('1' .. '9', 'y', 'z') merged into the test held; the record count it brings
    // becomes the test's.
    virtual TestFileResult ImportGR(char n, const CString& path) = 0;

    // An object to read a new test into: what a read keeps of this one (version, curve-check
    // choice), the test itself empty. A read that fails leaves this test as it was.
    virtual std::unique_ptr<ITestFile> NewTestToRead() const = 0;
    // A copy of the test held, to merge a file into (a GR import); none for a kind without.
    virtual std::unique_ptr<ITestFile> CopyTest() const = 0;
    // The test `read` (made by NewTestToRead or CopyTest) holds, in place of this one.
    virtual void TakeTest(ITestFile& read) = 0;

    // The cameras and the curve check of the test, for kinds that have them.
    virtual CHighSpeedVideoData* Cameras() { return nullptr; }
    virtual CurveCheckMembers* CurveCheck() { return nullptr; }
};

// The copy and take-over of a kind whose data object copies as a whole; `clear` empties the
// copy for a new read.
template <class D> class CopiedTestFile : public ITestFile {
public:
    std::unique_ptr<ITestFile> NewTestToRead() const override
    {
        auto read = std::make_unique<D>(static_cast<const D&>(*this));
        read->ClearForRead();
        return read;
    }
    std::unique_ptr<ITestFile> CopyTest() const override
    {
        return std::make_unique<D>(static_cast<const D&>(*this));
    }
    void TakeTest(ITestFile& read) override { static_cast<D&>(*this) = static_cast<D&>(read); }
};

// "<kind> tests have no <what>.": the answer of an operation a kind does not offer.
TestFileResult NotOffered(const char* kind, const char* what);

// One section of a kind's test file as the kind's reader finds and takes it in one version.
struct KindSection {
    CString marker;    // the text a line holds where the section begins
    CString altMarker; // looked for when the marker is absent (empty: none)
    std::vector<int> counts; // separator counts of its record lines the reader takes, those it
                             // takes after a message included
};

// What a test file of a kind holds, from the tables its reader and writer use: its sections per
// version, the letter its version-5 TEST line's Version Number must begin with where the reader
// checks one, and whether the kind writes an empty test as a file without any section.
struct TestKindShape {
    const char* kind = nullptr;
    std::vector<KindSection> v5 {};
    std::vector<KindSection> v4 {}; // empty: the kind reads no version-4 file
    char letter = 0;
    bool writesEmptyTest = false;
};

// Makes the kind `shape` gives known to every kind's check; returns true, for a static
// initialiser. Each kind's test-file code registers its own, so a check knows every kind linked
// into the program; the shape is asked for only when a file is checked.
bool RegisterTestKind(const TestKindShape& (*shape)());

// How a file that cannot be opened is told: "Can't open file %s, error = %u\n" under "Error"
// at once, or "File <path> cannot open" as the result's message.
enum class CantOpenTold { InBox, InResult };

// "File <path> is not a <kind> test.": the refusal, and what a failed load of a test that said
// nothing tells.
CString NotOfKindText(const CString& path, const char* kind);

// Opens a file to be read as a test of the kind `own` in `version` (4 or 5) and judges its kind
// by the sections it holds, from every registered kind's tables:
// - a file holding a section that this kind does not read is another kind's, and one holding a
//   section that only this kind reads is this kind's, whatever the separator counts of its lines;
// - a file of sections that kinds share goes by its counts: it fits a kind when it holds a section
//   of it with a record line, the first record line of each such section has a count the kind
//   takes (the TEST line beginning with the kind's letter where it checks one), and it holds no
//   section that the kind does not read. It is this kind's when it fits this kind, or when damage
//   leaves it fitting no kind; it is refused when it fits another kind and not this one;
// - a file holding no section of the kind (an empty one included) is refused, except that a kind
//   that writes an empty test as one without sections takes a version-5 file of no kind's section
//   that holds the "----- MV5 -----" line. In version 4, whose readers fail on nothing, a file
//   none of whose kind's sections holds a record line is refused too, whatever its markers say;
// - the version letter is taken by VersionLetter, as the readers take it.
// A refused file gives "File <path> is not a <kind> test." Otherwise `read` reads the same open
// file from its beginning, and its result is the read's.
TestFileResult ReadTestOfKind(const CString& path, int version, const TestKindShape& own,
                              const std::function<bool(CStdioFile&)>& read,
                              CantOpenTold cantOpen = CantOpenTold::InBox);
