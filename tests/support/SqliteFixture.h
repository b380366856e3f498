#pragma once
// Builds a small SQLite file from SQL text, for tests that need a code-table database of their own.

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace testutil {

inline void MakeSqliteDb(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    const std::string message = err ? err : "";
    sqlite3_free(err);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(message);
}

} // namespace testutil
