#pragma once
// The one way the '|'-separated files are described: each section is a table of its fields, one
// row per field in file order (its position, the member that holds it, its report label, the
// GR column it is imported from, its write rules), and each file a list of its sections. One
// writer, the version-5 and version-4 readers, the report walker and the GR import glue walk
// these tables for every kind; a kind adds only where it departs from them.
//
// The tables are templates over the data class, so a row names members of that class and a
// wrong member is a compile error; the rules that do not depend on the class are in Sections.cpp.

#include "common/Convert.h"
#include "common/GrLayout.h"
#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "common/TestFile.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <array>
#include <algorithm>
#include <climits>
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

// Record numbers of the test files have at most three digits.
constexpr int kMaxSectionRecords = 999;

// How a field is written, read and imported (a field's `flags`).
enum SectionFieldFlags : unsigned {
    UpperOnWrite = 1, // upper-cased in the data object before it is written
    HasData = 2,      // looked at by the section's has-data test
    ReportLast = 4,   // reported after the other fields of the record
    Untrimmed = 8,    // written as held, blanks around it kept (the other fields are trimmed)
    RestOfLine = 16,  // the last field: read to the end of the line, so that a '|' an older file holds in it is kept
    Numbered = 32,    // read as the running number of the record (the line's text is not used)
    GrInteger = 64,   // cleaned as an integer text when imported from a GR file
    GrReal = 128,     // cleaned as a real-number text when imported from a GR file
    NumberForm = 256, // written as a number field: its text, a blank and '|' (every `Decimal` is)
};

// A written value never changes the structure of a file: line breaks are dropped, a '|' inside a
// value becomes '/' (the rest-of-line field's too: a file the program writes reads back without a
// separator message), and a run of five dashes and a blank, which readers take for a marker line,
// loses its blank.
CString FileSafeText(CString value);
// A record line whose first field begins with '#' would be read as a comment: a blank before it
// keeps it a record (readers trim the blank off).
CString RecordLineText(const CString& line);
// True when the text holds nothing but white space (blank, tab, CR, LF, VT, FF), or nothing.
bool IsBlankText(const CString& value);
// One field as written: " |" for an empty value (a value of white space only is empty), else
// the value (trimmed unless `Untrimmed`) made file-safe, and "|". The last field of a line has no
// separator and nothing for an empty value.
CString FormatFieldText(const CString& value, unsigned flags = 0, bool last = false);
// A number as written in the number form: its text, a blank and "|"; the last field of a line
// has the text alone.
CString FormatNumberText(const CString& number, bool last = false);
// The value without its line breaks (CR, LF): how the reports write values.
CString WithoutLineBreaks(CString value);

template <class D>
struct SectionField {
    enum Kind : unsigned char {
        Text,  // a single text
        Array, // element n of a record array
        Count, // an int written and read as decimal text
        Index, // the record number: written as n, read into `number` when there is one
        Skip,  // a position of the line that is not read
        Decimal, // a double, written rounded to `decimals` in the number form, reported in full
    };
    static constexpr int kNoGr = -1;

    int pos = 0;
    Kind kind = Text;
    CString D::*text = nullptr;
    CStringArray D::*array = nullptr;
    int D::*number = nullptr;
    double D::*real = nullptr;
    int decimals = 0;
    const char* label = nullptr;    // nullptr: not in the report
    const char* naCode = nullptr;   // written, and stored, in place of an empty value
    const char* fill = nullptr;     // written in place of an empty value, the data left as it is
    const char* constant = nullptr; // always written in place of the value
    int grPair = kNoGr;
    const char* grFixed = nullptr; // set by the GR import where no column carries the field
    unsigned flags = 0;

    constexpr SectionField Gr(int pair) const { return With(&SectionField::grPair, pair); }
    constexpr SectionField GrSets(const char* value) const { return With(&SectionField::grFixed, value); }
    constexpr SectionField Na(const char* code) const { return With(&SectionField::naCode, code); }
    constexpr SectionField Fill(const char* code) const { return With(&SectionField::fill, code); }
    constexpr SectionField Always(const char* value) const { return With(&SectionField::constant, value); }
    constexpr SectionField With(unsigned more) const
    {
        SectionField f = *this;
        f.flags |= more;
        return f;
    }

    // The rows of a table: T(pos, &D::m_str.., "Label:\t"), A(..) for a record array, N(..) for an
    // int, Real(pos, member, decimals, label), RecordNo(pos, member or nullptr), Unread(pos).
    static constexpr SectionField T(int pos, CString D::*member, const char* label)
    {
        SectionField f;
        f.pos = pos;
        f.text = member;
        f.label = label;
        return f;
    }
    static constexpr SectionField A(int pos, CStringArray D::*member, const char* label)
    {
        SectionField f;
        f.pos = pos;
        f.kind = Array;
        f.array = member;
        f.label = label;
        return f;
    }
    static constexpr SectionField N(int pos, int D::*member, const char* label)
    {
        SectionField f;
        f.pos = pos;
        f.kind = Count;
        f.number = member;
        f.label = label;
        return f;
    }
    static constexpr SectionField Real(int pos, double D::*member, int decimals, const char* label)
    {
        SectionField f;
        f.pos = pos;
        f.kind = Decimal;
        f.real = member;
        f.decimals = decimals;
        f.label = label;
        return f;
    }
    static constexpr SectionField RecordNo(int pos, int D::*member)
    {
        SectionField f;
        f.pos = pos;
        f.kind = Index;
        f.number = member;
        return f;
    }
    static constexpr SectionField Unread(int pos)
    {
        SectionField f;
        f.pos = pos;
        f.kind = Skip;
        return f;
    }

private:
    template <class M, class V>
    constexpr SectionField With(M SectionField::*member, V value) const
    {
        SectionField f = *this;
        f.*member = value;
        return f;
    }
};

// The rows of a table, checked where the table is declared: one row per position of the line,
// in file order. A table may begin at a later position (the rest of a line another table begins).
// Every count the readers need follows from the rows. A field added changes those counts, and
// files written before it keep theirs: see the short form below before adding one.
inline void SectionRowOutOfFileOrder() {} // named by the compile error of a table out of order

template <class D>
class SectionFields : public std::span<const SectionField<D>> {
public:
    template <size_t N>
    consteval SectionFields(const SectionField<D> (&rows)[N]) : std::span<const SectionField<D>>(rows)
    {
        CheckFileOrder();
    }
    template <size_t N>
    consteval SectionFields(const std::array<SectionField<D>, N>& rows) : std::span<const SectionField<D>>(rows)
    {
        CheckFileOrder();
    }

private:
    consteval void CheckFileOrder() const
    {
        for (size_t i = 0; i < this->size(); ++i) {
            if ((*this)[i].pos != (*this)[0].pos + static_cast<int>(i))
                SectionRowOutOfFileOrder();
        }
    }
};

// A section's separator counts follow from its table: a full version-5 line has as many
// separators as its last position; a version-4 line has one more, for its leading field that is
// not read, unless its short form leaves a field out or the table lists its own layout.
template <class D>
struct Section {
    const char* name; // its marker is "----- <name> -----"; the separator messages name it
    SectionFields<D> fields;
    bool v5Only = false; // no version-4 file holds the section
    // A field that a shorter form of the line leaves out (-1: none): version-4 lines always,
    // version-5 lines when `v5ShortForm` is set and they lack a separator.
    int shortFormPos = -1;
    bool v5ShortForm = false;
    const char* shortFormValue = nullptr; // what the left-out field becomes (nullptr: keeps its value)
    // Version-4 lines have a leading field that is not read; a table of a version-4 line of its
    // own order lists the line's positions as they stand (`ownLayout`; no version-5 file holds it).
    bool ownLayout = false;
    // Another separator count a version-5 line may have: a longer line, whose rest another table
    // reads (0: none).
    int v5LongerCount = 0;
    int maxRecords = kMaxSectionRecords;
    bool endsAtGap = false; // a comment or other line without '|' after the first record ends it
    const char* readMarker = nullptr; // found by this text instead of the marker line
    const char* altMarker = nullptr;  // looked for when the marker is absent
    const char* altName = nullptr;    // the name the messages give when the alternate was found
    const char* endMarker = "----- ";
    const char* limitWhere = nullptr; // "<where>" of the record-limit message; default "MV5 file's NAME section"
};

// The separators of a full version-5 line of the section.
template <class D>
constexpr int FullSeparators(const Section<D>& section)
{
    return section.fields.back().pos;
}

// The separator counts a line of the section may have in a file of `version` (4 or 5); {0} for
// a version whose files never hold the section.
template <class D>
std::vector<int> AllowedSeparators(const Section<D>& section, int version)
{
    const int full = FullSeparators(section);
    if (version == 4) {
        if (section.v5Only)
            return {0};
        return {section.ownLayout || section.shortFormPos >= 0 ? full : full + 1};
    }
    if (section.ownLayout)
        return {0};
    if (section.v5ShortForm)
        return {full - 1, full};
    if (section.v5LongerCount > 0)
        return {full, section.v5LongerCount};
    return {full};
}

// The sections of a test file as the kind check knows them (TestFile.h): their markers and the
// separator counts the reader takes in `version`; sections that share a marker (a line read in
// two layouts) are one, taking the counts of both.
template <class D>
std::vector<KindSection> KindSectionsOf(std::initializer_list<const Section<D>*> sections, int version)
{
    std::vector<KindSection> kinds;
    for (const Section<D>* section : sections) {
        const CString marker = section->readMarker ? CString(section->readMarker) : SectionMarker(section->name);
        auto same = std::find_if(kinds.begin(), kinds.end(), [&](const KindSection& k) { return k.marker == marker; });
        if (same == kinds.end())
            same = kinds.insert(kinds.end(), {marker, section->altMarker ? CString(section->altMarker) : CString(), {}});
        for (int count : AllowedSeparators(*section, version))
            same->counts.push_back(count);
    }
    return kinds;
}

namespace sections_detail {

template <class D>
CString ValueOf(const D& data, const SectionField<D>& field, int n)
{
    switch (field.kind) {
    case SectionField<D>::Text:
        return data.*field.text;
    case SectionField<D>::Array:
        return (data.*field.array).GetAt(n);
    case SectionField<D>::Count:
        return IntToCString(data.*field.number);
    case SectionField<D>::Index:
        return IntToCString(n);
    case SectionField<D>::Decimal:
        return WrittenRealText(data.*field.real, -1);
    case SectionField<D>::Skip:
        break;
    }
    return CString();
}

// The text a field of record n is stored in; nullptr for the numbers.
template <class D>
CString* TextOf(D& data, const SectionField<D>& field, int n)
{
    switch (field.kind) {
    case SectionField<D>::Text:
        return &(data.*field.text);
    case SectionField<D>::Array:
        return &(data.*field.array).ElementAt(n);
    default:
        return nullptr;
    }
}

template <class D>
void Store(D& data, const SectionField<D>& field, int n, const CString& value)
{
    switch (field.kind) {
    case SectionField<D>::Text:
        data.*field.text = value;
        break;
    case SectionField<D>::Array:
        (data.*field.array).SetAtGrow(n, value);
        break;
    case SectionField<D>::Count:
    case SectionField<D>::Index:
        if (field.number)
            data.*field.number = StdToInt(value);
        break;
    case SectionField<D>::Decimal:
        data.*field.real = FiniteOrZero(StdToDouble(value));
        break;
    case SectionField<D>::Skip:
        break;
    }
}

} // namespace sections_detail

// Record n of the section as one file line, without its line end. Applies what writing does to
// the data object: not-applicable codes into empty fields, upper-cased fields, the last field
// trimmed (unless it is written untrimmed).
template <class D>
CString FormatRecordLine(D& data, const Section<D>& section, int n)
{
    using namespace sections_detail;
    const int last = section.fields.back().pos;
    CString out;
    for (const SectionField<D>& field : section.fields) {
        const bool isLast = field.pos == last;
        if (CString* text = TextOf(data, field, n)) {
            if (field.naCode && IsBlankText(*text))
                *text = field.naCode;
            if (field.flags & UpperOnWrite)
                text->MakeUpper();
            if (isLast && !(field.flags & Untrimmed))
                text->Trim();
        }
        if (field.kind == SectionField<D>::Decimal) {
            out += FormatNumberText(WrittenRealText(data.*field.real, field.decimals), isLast);
            continue;
        }
        CString value = field.constant ? CString(field.constant) : ValueOf(data, field, n);
        if (field.fill && IsBlankText(value))
            value = field.fill;
        out += (field.flags & NumberForm) ? FormatNumberText(value, isLast) : FormatFieldText(value, field.flags, isLast);
    }
    return RecordLineText(out);
}

// The decimals the section writes `member` with; -1 when no row of it writes that real.
template <class D>
int WrittenDecimals(const Section<D>& section, double D::*member)
{
    for (const SectionField<D>& field : section.fields) {
        if (field.kind == SectionField<D>::Decimal && field.real == member)
            return field.decimals;
    }
    return -1;
}

// Stores one data line of the section at record n; `version` 4 or 5. `posOffset` is added to every
// field's position (a line that holds a block of fields per record).
template <class D>
void StoreRecordLine(D& data, const Section<D>& section, const CString& line, int separators, int version, int n,
                     int posOffset = 0)
{
    using namespace sections_detail;
    const bool v4 = version == 4 && !section.ownLayout;
    const bool shortForm = !section.ownLayout && section.shortFormPos >= 0 &&
                           (v4 || (section.v5ShortForm && separators != FullSeparators(section)));
    for (const SectionField<D>& field : section.fields) {
        if (field.kind == SectionField<D>::Skip)
            continue;
        int linePos = field.pos + posOffset;
        if (shortForm && field.pos == section.shortFormPos) {
            if (section.shortFormValue)
                Store(data, field, n, section.shortFormValue);
            continue;
        }
        if (shortForm && field.pos > section.shortFormPos)
            --linePos;
        if (v4)
            ++linePos; // the leading field of a version-4 line is not read
        if (field.flags & Numbered)
            Store(data, field, n, IntToCString(n));
        else
            Store(data, field, n, GetFields(line, linePos, (field.flags & RestOfLine) ? INT_MAX : linePos + 1));
    }
}

// Writes the report lines of record n: the label and the value as held, line breaks dropped.
template <class D>
void ReportRecord(const D& data, const Section<D>& section, int n, CStdioFile& file)
{
    auto report = [&](const SectionField<D>& field) {
        file.WriteString(CString(field.label) + WithoutLineBreaks(sections_detail::ValueOf(data, field, n)) + "\n");
    };
    for (const SectionField<D>& field : section.fields) {
        if (field.label && !(field.flags & ReportLast))
            report(field);
    }
    for (const SectionField<D>& field : section.fields) {
        if (field.label && (field.flags & ReportLast))
            report(field);
    }
}

// Stores the GR columns of a data line at record n; `pairOffset` is added to every field's pair
// (a layout that repeats one block of columns per record).
template <class D>
void ImportRecordLine(D& data, const Section<D>& section, const GrLayout& layout, const CString& line, int n,
                      int pairOffset = 0)
{
    using sections_detail::Store;
    for (const SectionField<D>& field : section.fields) {
        if (field.kind != SectionField<D>::Text && field.kind != SectionField<D>::Array)
            continue;
        if (field.grPair >= 0) {
            CString value = FileSafeText(layout.Cut(line, field.grPair + pairOffset));
            if (field.flags & GrInteger)
                value = CleanIntegerField(value);
            else if (field.flags & GrReal)
                value = CleanRealField(value);
            Store(data, field, n, value);
        } else if (field.grFixed) {
            Store(data, field, n, field.grFixed);
        }
    }
}

// The record number a GR line names in the column of the section's index field.
template <class D>
int GrRecordNumber(const Section<D>& section, const GrLayout& layout, const CString& line)
{
    for (const SectionField<D>& field : section.fields) {
        if (field.kind == SectionField<D>::Index && field.grPair >= 0)
            return StdToInt(layout.Cut(line, field.grPair));
    }
    return 0;
}

// True when every field the has-data test looks at is empty in record n.
template <class D>
bool IsRecordEmpty(const D& data, const Section<D>& section, int n)
{
    for (const SectionField<D>& field : section.fields) {
        if (!(field.flags & HasData))
            continue;
        if (field.kind == SectionField<D>::Count ? data.*field.number > 0
            : field.kind == SectionField<D>::Decimal ? data.*field.real != 0.0
                                                      : !sections_detail::ValueOf(data, field, n).IsEmpty())
            return false;
    }
    return true;
}

// Empties every field of the section; record arrays get `arraySize` empty elements.
template <class D>
void ResetSection(D& data, const Section<D>& section, int arraySize)
{
    for (const SectionField<D>& field : section.fields) {
        if (field.kind == SectionField<D>::Text) {
            (data.*field.text).Empty();
        } else if (field.kind == SectionField<D>::Array) {
            (data.*field.array).RemoveAll();
            (data.*field.array).SetSize(arraySize);
        }
    }
}

// Grows every record array of the section to at least `arraySize` elements.
template <class D>
void GrowSection(D& data, const Section<D>& section, int arraySize)
{
    for (const SectionField<D>& field : section.fields) {
        CStringArray* array = field.kind == SectionField<D>::Array ? &(data.*field.array) : nullptr;
        if (array && array->GetSize() < arraySize)
            array->SetSize(arraySize);
    }
}

// ---- Reading ---------------------------------------------------------------------------------

// Where a section was found: the marker line looked for and the name the messages give.
struct FoundSection {
    CString marker;
    const char* name;
};

// Looks for the section's marker (or `readMarker`), then for its alternate; false when absent.
bool LocateSection(CStdioFile& file, const char* name, const char* readMarker, const char* altMarker,
                   const char* altName, FoundSection& found);

// Hands over the record lines of a located section (see ReadSection).
int ReadSectionRecords(CStdioFile& file, const FoundSection& found, const char* endMarker, bool endsAtGap,
                       const std::function<bool(const SectionRecord&)>& onRecord);

// "MV<version> file's <name> section", or `where` when given.
CString RecordLimitWhere(const char* where, int version, const char* name);

template <class D>
bool LocateSection(CStdioFile& file, const Section<D>& section, FoundSection& found)
{
    return LocateSection(file, section.name, section.readMarker, section.altMarker, section.altName, found);
}

// Reads the record lines of a record section as records 1, 2, ... (their running number, whatever
// number they carry), up to the most the section holds; the records behind are left in the file
// and the user is told. `beforeStore` (may be empty) runs before record n is stored. Returns the
// number of records stored, -1 when the section is absent.
template <class D>
int ReadRecords(D& data, CStdioFile& file, const Section<D>& section, int version,
                const std::function<void(int n)>& beforeStore = {})
{
    FoundSection found;
    if (!LocateSection(file, section, found))
        return -1;
    bool leftOut = false;
    int stored = 0;
    ReadSectionRecords(file, found, section.endMarker, section.endsAtGap, [&](const SectionRecord& record) {
        if (record.number > section.maxRecords) {
            leftOut = true;
            return false;
        }
        CheckPipeCount(version, record.separators, record.number, found.name, AllowedSeparators(section, version));
        if (beforeStore)
            beforeStore(record.number);
        StoreRecordLine(data, section, record.line, record.separators, version, record.number);
        stored = record.number;
        return true;
    });
    if (leftOut)
        ShowRecordsLeftOut(RecordLimitWhere(section.limitWhere, version, section.name), section.maxRecords);
    return stored;
}

// The outcome of reading a one-line section.
enum class LineRead { Absent, Stored, WrongCount };

// Reads the first record line of a one-line section into record `n` (0 for the sections of one
// record). A line of a wrong separator count is stored as well unless `keepWrongCount` is false.
template <class D>
LineRead ReadSingleLine(D& data, CStdioFile& file, const Section<D>& section, int version, bool keepWrongCount = true,
                        int n = 0)
{
    FoundSection found;
    if (!LocateSection(file, section, found))
        return LineRead::Absent;
    LineRead result = LineRead::Absent;
    ReadSectionRecords(file, found, section.endMarker, false, [&](const SectionRecord& record) {
        const bool wrong =
            CheckPipeCount(version, record.separators, 0, found.name, AllowedSeparators(section, version));
        result = wrong ? LineRead::WrongCount : LineRead::Stored;
        if (!wrong || keepWrongCount)
            StoreRecordLine(data, section, record.line, record.separators, version, n);
        return false;
    });
    return result;
}

// The TEST line of a test file: version 5 refuses a line of a wrong separator count (nothing
// stored) and a version field that does not begin with `versionLetter` in either case (nothing
// after it stored); version 4 stores what it finds unless `keepWrongV4` is false. True when the
// line was stored.
template <class D>
bool ReadTestLine(D& data, CStdioFile& file, const Section<D>& section, int version, char versionLetter,
                  CString D::*versionMember, bool keepWrongV4 = true)
{
    FoundSection found;
    if (!LocateSection(file, section, found))
        return false;
    bool taken = false;
    ReadSectionRecords(file, found, section.endMarker, false, [&](const SectionRecord& record) {
        const bool wrong =
            CheckPipeCount(version, record.separators, 0, found.name, AllowedSeparators(section, version));
        if (version == 5) {
            if (wrong)
                return false;
            data.*versionMember = GetFields(record.line, 0, 1);
            if (VersionLetter(record.line) != versionLetter)
                return false;
        } else if (wrong && !keepWrongV4) {
            return false;
        }
        StoreRecordLine(data, section, record.line, record.separators, version, 0);
        taken = true;
        return false;
    });
    return taken;
}

// The three head lines of a test file of the kind named ("Vehicle", "Biomechanics", ...): the
// source line with its curve-check note, the date line and the version-5 marker.
CString TestFileHead(const char* kindName, bool curvesChecked);
// The head lines of a test file whose source line names no kind and no curve check.
CString TestFileHead();
// The three head lines of a report file (.mvr).
CString ReportFileHead();

// ---- Files -------------------------------------------------------------------------------------

// One section of a file (test file or report): its table, when it is written and which records.
template <class D>
struct FileSection {
    const Section<D>* section;
    bool (*written)(D&) = nullptr; // nullptr: always for a one-line section, records > 0 for the others
    int D::*count = nullptr;       // nullptr: a one-line section (record 0)
    int (*records)(const D&) = nullptr; // the records written when not 1 to the count
    // Report only: the heading line before each record ("%d": its number), or one taken from
    // `headingArray` ("%s"); `headingWhenSeveral` writes it only when there is more than one
    // record; `markerPerRecord` repeats the marker line before every record.
    const char* heading = nullptr;
    CStringArray D::*headingArray = nullptr;
    bool headingWhenSeveral = false;
    bool markerPerRecord = false;
};

namespace sections_detail {

template <class D>
int RecordsOf(D& data, const FileSection<D>& entry)
{
    if (entry.records)
        return entry.records(data);
    return entry.count ? data.*entry.count : 0;
}

template <class D>
bool IsWritten(D& data, const FileSection<D>& entry)
{
    if (entry.written)
        return entry.written(data);
    return !entry.count || RecordsOf(data, entry) > 0;
}

} // namespace sections_detail

// Writes the sections of a test file: each whose guard holds, its marker and its lines.
template <class D>
void WriteSections(D& data, CStdioFile& file, std::span<const FileSection<D>> list)
{
    for (const FileSection<D>& entry : list) {
        if (!sections_detail::IsWritten(data, entry))
            continue;
        file.WriteString(SectionMarker(entry.section->name) + "\n");
        if (!entry.count && !entry.records) {
            file.WriteString(FormatRecordLine(data, *entry.section, 0) + "\n");
            continue;
        }
        const int records = sections_detail::RecordsOf(data, entry);
        for (int n = 1; n <= records; ++n)
            file.WriteString(FormatRecordLine(data, *entry.section, n) + "\n");
    }
}

// Writes the report sections: each whose guard holds, its marker, and per record its heading and
// its labelled lines.
template <class D>
void ReportSections(D& data, CStdioFile& file, std::span<const FileSection<D>> list)
{
    for (const FileSection<D>& entry : list) {
        if (!sections_detail::IsWritten(data, entry))
            continue;
        const CString marker = SectionMarker(entry.section->name) + "\n";
        if (!entry.count && !entry.records) {
            file.WriteString(marker);
            ReportRecord(data, *entry.section, 0, file);
            continue;
        }
        const int records = sections_detail::RecordsOf(data, entry);
        if (!entry.markerPerRecord)
            file.WriteString(marker);
        for (int n = 1; n <= records; ++n) {
            if (entry.markerPerRecord)
                file.WriteString(marker);
            if (entry.heading && (!entry.headingWhenSeveral || records > 1)) {
                CString line;
                if (entry.headingArray)
                    line.Format(entry.heading, (data.*entry.headingArray).GetAt(n).GetString());
                else
                    line.Format(entry.heading, n);
                file.WriteString(line + "\n");
            }
            ReportRecord(data, *entry.section, n, file);
        }
    }
}
