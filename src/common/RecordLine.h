#pragma once
// A record line of the test files: '|'-separated fields, the check of its separator count, and
// the '#' comment lines between records.

#include "platform/CString.h"

#include <vector>

// Number of '|' in the line.
int CountFields(const CString& line);

// Trimmed text from just after separator `from` (1-based) to just before separator `to`.
// A field whose opening separator is missing reads as the empty text.
CString GetFields(const CString& line, int from, int to);

// The version letter of a version-5 TEST line: the first character of its field 0 as GetFields
// takes it, upper-cased ('\0' for an empty field). The readers and the kind check both judge a
// file by it, so that they never disagree on one.
char VersionLetter(const CString& testLine);

// FALSE when `found` is one of the allowed counts; otherwise shows the separator-count message
// under "Error" and returns TRUE. `lineNo` 0 leaves the line part out of the message.
bool CheckPipeCount(int version, int found, int lineNo, const CString& section, const std::vector<int>& allowed);

// A comment line of a test or GR file: it starts with '#'.
bool IsCommentLine(const CString& line);
