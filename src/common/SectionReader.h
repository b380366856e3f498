#pragma once
// The one way a section of a test file is found and its record lines read: "----- NAME -----"
// marker lines, record lines up to the next marker, and what is left after the last section.

#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <functional>

// The "----- NAME -----" text of a section name.
CString SectionMarker(const char* name);

// Goes to the beginning of the file and reads up to the first line that contains `marker`; false
// when the file ends first (the section is absent).
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

// Records beyond what a data object can hold stay in the file, and the user is told so: "This
// <where> holds more than <kept> records; only the first <kept> are read." under "Error".
void ShowRecordsLeftOut(const CString& where, int kept);

// Reads on to the end: true when nothing but empty and comment lines was left.
bool OnlyFillerLeft(CStdioFile& file);
