#pragma once
// Text comparison on the code-table connection as Jet makes it: without regard to case, accented
// letters included, accented letters sorted beside their plain letter. Replaces SQLite's NOCASE
// collation and LIKE on a connection.

#include <string_view>

struct sqlite3;

namespace codedbcompare {

// Installs the NOCASE collation and the LIKE function on the connection.
void Install(sqlite3* db);

// The NOCASE order of two UTF-8 texts: negative, zero or positive.
int CompareNoCase(std::string_view a, std::string_view b);

} // namespace codedbcompare
