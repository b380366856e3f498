// Builds an SQLite code-table database from SQL source files: mkdb OUT.mdb a.sql [b.sql ...].
// The output is written beside and renamed into place so a failed build never leaves half a file.
// The database holds UTF-8 text, as the program reads it: a source file that is not UTF-8 is
// taken as Windows-1252, the code page of the code tables, and converted.
#include "platform/CodeDbText.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mkdb OUT.mdb [SQL ...]\n");
        return 2;
    }
    const std::string out = argv[1];
    const std::string tmp = out + ".tmp";
    std::remove(tmp.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "mkdb: cannot create %s\n", tmp.c_str());
        return 1;
    }
    sqlite3_exec(db, "PRAGMA encoding = 'UTF-8'; BEGIN", nullptr, nullptr, nullptr);
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "mkdb: cannot read %s\n", argv[i]);
            sqlite3_close(db);
            return 1;
        }
        std::stringstream ss;
        ss << in.rdbuf();
        std::string sql = ss.str();
        if (!codedbtext::IsUtf8(sql))
            sql = codedbtext::Cp1252ToUtf8(sql);
        char* err = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::fprintf(stderr, "mkdb: %s: %s\n", argv[i], err ? err : "error");
            sqlite3_free(err);
            sqlite3_close(db);
            return 1;
        }
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (std::rename(tmp.c_str(), out.c_str()) != 0) {
        std::fprintf(stderr, "mkdb: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
