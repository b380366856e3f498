#pragma once
// The sections of the vehicle test as tables of their fields. One row per field of the test
// file, in file order: its position, the member that holds it, its report label, the code the
// writer fills into an empty field and the GR column it is imported from. The test-file writer
// and readers, the report and the GR import all walk these tables.

#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <span>
#include <vector>

class CVehData;
class GrLayout;

// Record numbers of the test files have at most three digits (curve files .001 to .999); a
// test has at most two vehicles.
constexpr int kMaxVehRecords = 999;
constexpr int kMaxVehicles = 2;

struct VehField {
    enum Kind : unsigned char {
        Text,  // a single text
        Array, // element n of a record array
        Count, // an int written and read as decimal text
        Index, // the record number: written as n, read into `number` when there is one
    };
    enum Flags : unsigned {
        UpperOnWrite = 1, // upper-cased in the data object before it is written
        HasData = 2,      // looked at by the section's has-data test
        ReportLast = 4,   // reported after the other fields of the record
    };
    static constexpr int kNoGr = -1;

    int pos = 0;
    Kind kind = Text;
    CString CVehData::*text = nullptr;
    CStringArray CVehData::*array = nullptr;
    int CVehData::*number = nullptr;
    const char* label = nullptr;  // nullptr: not in the report
    const char* naCode = nullptr; // written (and stored) in place of an empty field
    int grPair = kNoGr;
    const char* grFixed = nullptr; // set by the GR import where no column carries the field
    unsigned flags = 0;

    constexpr VehField Gr(int pair) const
    {
        VehField f = *this;
        f.grPair = pair;
        return f;
    }
    constexpr VehField GrSets(const char* value) const
    {
        VehField f = *this;
        f.grFixed = value;
        return f;
    }
    constexpr VehField Na(const char* code) const
    {
        VehField f = *this;
        f.naCode = code;
        return f;
    }
    constexpr VehField With(unsigned more) const
    {
        VehField f = *this;
        f.flags |= more;
        return f;
    }
};

struct VehSection {
    const char* name;
    std::span<const VehField> fields;
    int v5Counts[2]; // separator counts a version-5 line may have (the second 0 when only one)
    int v4Count;
    // A field that a shorter form of the line leaves out (-1: none): version-4 lines always,
    // version-5 lines when `v5FullCount` is set and their separator count is another.
    int shortFormPos = -1;
    int v5FullCount = -1;
    const char* shortFormValue = nullptr; // what the left-out field becomes (nullptr: keeps its value)
    int maxRecords = kMaxVehRecords;
    bool endsAtGap = false; // a comment or other line without '|' after the first record ends it
};

const VehSection& TestSectionTable();
const VehSection& VehicleSectionTable();
const VehSection& BarrierSectionTable();
const VehSection& OccupantSectionTable();
const VehSection& RestraintSectionTable();
const VehSection& InstrumentationSectionTable();

// The separator counts a line of the section may have in a file of `version` (4 or 5).
std::vector<int> AllowedSeparators(const VehSection& section, int version);

// A written value never changes the structure of a file: line breaks are dropped (as in the
// high-speed video file), a '|' inside a value becomes '/', and a run of five dashes and a blank,
// which readers take for a marker line, loses its blank.
CString FileSafeText(CString value);
// A record line whose first field begins with '#' would be read as a comment: a blank before it
// keeps it a record (readers trim the blank off).
CString RecordLineText(const CString& line);

// Record n of the section as one test-file line, without its line end. Applies what writing
// does to the data object: not-applicable codes into empty fields, upper-cased fields, the
// last field trimmed.
CString FormatRecordLine(CVehData& data, const VehSection& section, int n);

// Stores one data line of the section at record n; `version` 4 or 5.
void StoreRecordLine(CVehData& data, const VehSection& section, const CString& line, int separators,
                     int version, int n);

// Writes the report lines of record n.
void ReportRecord(const CVehData& data, const VehSection& section, int n, CStdioFile& file);

// Stores the GR columns of a data line at record n.
void ImportRecordLine(CVehData& data, const VehSection& section, const GrLayout& layout, const CString& line,
                      int n);

// The record number a GR line names in the column of the section's index field.
int GrRecordNumber(const VehSection& section, const GrLayout& layout, const CString& line);

// True when every field the has-data test looks at is empty in record n.
bool IsRecordEmpty(const CVehData& data, const VehSection& section, int n);
