#pragma once
// Converts every user table of a genuine Access (Jet) file into an SQLite file, text as UTF-8 and
// text columns COLLATE NOCASE as Jet compares them. Run by morvel-mdbconvert in a process of its
// own: the Access reading library is not safe on damaged files.

#include "platform/CodeDbText.h"

#include <string>

namespace accessconvert {

using Result = codedbtext::ConverterExit;
using codedbtext::kCannotWrite;
using codedbtext::kConverted;
using codedbtext::kUnreadable;
using codedbtext::kUsage;

// Writes `sqlitePath`, which must not exist yet: an existing file is refused (kCannotWrite) and
// left as it is. On failure the partial output is left for the caller to remove.
Result Convert(const std::string& accessPath, const std::string& sqlitePath);

// Reads every row of every user table and throws it away: the floor that a conversion cannot
// beat, for the benchmark. Returns the number of rows, or -1 when the file cannot be read.
long long ReadAllRows(const std::string& accessPath);

} // namespace accessconvert
