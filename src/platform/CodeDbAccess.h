#pragma once
// The Access side of the code-table connection: a genuine Access (Jet) file is read through an
// SQLite conversion made by morvel-mdbconvert in a process of its own, kept in the user's cache
// folder for the next start.

#include "platform/CString.h"

#include <chrono>
#include <string>

namespace codedbaccess {

// The SQLite file that stands for an Access file.
struct Converted {
    std::string sqlitePath;
    // Not kept: to be removed once the connection has it open.
    bool temporary = false;
};

// What the converter process may take; a conversion past them counts as damage.
struct ConversionLimits {
    std::chrono::milliseconds conversionWall {60000};
    int conversionCpuSeconds = 30;
    unsigned long long conversionMemory = 1ull << 30;
};

// The conversion of the Access file at `path`, from the cache or made now (always made now when
// `rebuild`: the kept one proved damaged). False with the message to show in `error`.
bool Convert(const CString& path, bool rebuild, const ConversionLimits& limits, Converted& out, CString& error);

// What a code-table file that may not be read is reported as.
CString DeniedMessage(const CString& path);
// What a code-table file that cannot be reached is reported as, by the errno of the failure:
// access denied where the file may not be read or a folder on its path may not be searched (it
// may well exist), else not found.
CString UnreachableMessage(const CString& path, int error);

} // namespace codedbaccess

// The converter program: beside the running program, else in ../libexec/morvel/ from it (where
// it is installed, and where the build links it for the tests a folder down); "" when neither.
std::string AccessConverterPath();
// Where conversions are kept: $XDG_CACHE_HOME/morvel, else ~/.cache/morvel.
std::string CodeDbCacheFolder();
