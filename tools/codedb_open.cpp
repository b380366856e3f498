// morvel-codedb-open FILE: opens a code-table file as the program does at start-up (an Access
// file through the limited converter) and reads every table of it. Prints "opened N tables,
// M rows" or each error description on a line of its own. tools/access_damage.py runs it on
// damaged copies of an Access file.
#include "platform/CodeDb.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvel-codedb-open FILE\n");
        return 2;
    }
    CodeDbConnection db;
    if (!db.Open(argv[1])) {
        for (const CString& e : db.Errors())
            std::printf("%s\n", e.GetString());
        return 1;
    }
    long long rows = 0;
    int tables = 0;
    try {
        auto names = db.Execute("SELECT name FROM sqlite_master WHERE type = 'table'");
        for (; !names->IsEOF(); names->MoveNext()) {
            ++tables;
            // A damaged name may hold a character that Windows-1252 cannot spell: no statement
            // of the program can name such a table.
            if (names->GetText(0).Find('?') >= 0)
                continue;
            auto rs = db.Execute("SELECT * FROM \"" + names->GetText(0) + "\"");
            for (; !rs->IsEOF(); rs->MoveNext())
                for (int c = 0; c < rs->GetColumnCount(); ++c)
                    rows += rs->GetText(c).GetLength() >= 0;
        }
    } catch (const CodeDbError& e) {
        std::printf("query failed: %s\n", e.description.GetString());
        return 3;
    }
    std::printf("opened %d tables, %lld values\n", tables, rows);
    return 0;
}
