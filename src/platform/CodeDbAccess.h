#pragma once
// The Access side of the code-table connection: a genuine Access (Jet) file is read through an
// SQLite conversion made by morvel-mdbconvert in a process of its own, kept in the user's cache
// folder for the next start.

#include "platform/CString.h"

#include <string>

namespace codedbaccess {

// The SQLite file that stands for an Access file.
struct Converted {
    std::string sqlitePath;
    // Not kept: to be removed once the connection has it open.
    bool temporary = false;
};

// The conversion of the Access file at `path`, from the cache or made now (always made now when
// `rebuild`: the kept one proved damaged). False with the message to show in `error`.
bool Convert(const CString& path, bool rebuild, Converted& out, CString& error);

// What a code-table file that may not be read is reported as.
CString DeniedMessage(const CString& path);

} // namespace codedbaccess
