#pragma once
// The grammar shared by every test file: '#' comment lines, "----- NAME -----" marker lines and
// '|'-separated record lines, with the helpers every reader uses.

#include "platform/CString.h"
#include "platform/StdioFile.h"
#include "platform/Time.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Number of '|' in the line.
int CountFields(const CString& line);

// Trimmed text from just after separator `from` (1-based) to just before separator `to`.
// A field whose opening separator is missing reads as the empty text.
CString GetFields(const CString& line, int from, int to);

// FALSE when `found` is one of the allowed counts; otherwise shows the separator-count message
// under "Error" and returns TRUE. `lineNo` 0 leaves the line part out of the message.
bool CheckPipeCount(int version, int found, int lineNo, CString section, int expected);
bool CheckPipeCountEx(int version, int found, int lineNo, CString section, int expected1, int expected2);
bool CheckPipeCountImpl(int version, int found, int lineNo, const CString& section, const std::vector<int>& allowed);

// Trims and normalises a "DD-MMM-YYYY" or "DD/MMM/YYYY" date text in place; returns the date at
// midnight, or the zero time (after the date message) when the text is not a date. An empty
// text gives the zero time and no message.
CTime ValidateDateText(CString& dateText, CString section);
void ShowDateError(const CString& dateText, CString section, std::string part);

// 2 for the two-vehicle test configurations ITI, ITV, VTI, VTV and PTV; 1 for any other text.
int VehicleCountOfConfig(const CString& config);

// The one way a section is found and read.
//
// SeekSection goes to the beginning of the file and reads up to the first line that contains
// `marker`; false when the file ends first (the section is absent).
bool SeekSection(CStdioFile& file, const char* marker);

// A record line of a section, as handed to a section reader.
struct SectionRecord {
    const CString& line;
    int number; // running number of the record within the section: 1, 2, ...
    int separators;
};

// Finds the section and hands each record line to `onRecord` until a line holding `endMarker`
// (by default any marker line, "----- ") or the end of the file. Comment lines ('#' first) and
// lines without '|' are skipped. `onRecord` returns false to stop early (a section of one line).
// Returns the number of records handed over; -1 when the section is absent.
int ReadSection(CStdioFile& file, const char* marker,
                const std::function<bool(const SectionRecord&)>& onRecord, const char* endMarker = "----- ");

// As ReadSection for a section whose records stand together: after the first record, a comment
// line or any other line without '|' ends the section.
int ReadContiguousSection(CStdioFile& file, const char* marker,
                          const std::function<bool(const SectionRecord&)>& onRecord);

// "# Date: <month/day/year>\n" of the local date now, without leading zeros: the second head
// line of every written file of the test-file family.
CString DateCommentLine();

// Creates `path` and lets `body` write it; the file is put in place only when all of it was
// written. A failed open, write or close shows "Can't open file %s, error = %u\n" with the
// cause code and gives false, leaving an older file of that name untouched.
bool WriteWholeFile(const CString& path, const std::function<void(CStdioFile&)>& body);

// Opens `path` for reading and lets `body` read it. A failed open shows "Can't open file %s,
// error = %u\n" with the cause code when `showError` is set, and gives false.
bool ReadWholeFile(const CString& path, bool showError, const std::function<void(CStdioFile&)>& body);

// Records beyond what a data object can hold stay in the file, and the user is told so: "This
// <where> holds more than <kept> records; only the first <kept> are read." under "Error".
void ShowRecordsLeftOut(const CString& where, int kept);

// The "----- NAME -----" text of a section name.
CString SectionMarker(const char* name);

// A comment line of a test or GR file: it starts with '#'.
bool IsCommentLine(const CString& line);
// Reads on to the end: true when nothing but empty and comment lines was left.
bool OnlyFillerLeft(CStdioFile& file);
