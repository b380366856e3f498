#include "AccessConvert.h"

#include <sqlite3.h>

#include <glib.h>
// glib first: the Access reader's header needs its types.
#include <mdbtools.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace accessconvert {
namespace {

// A value longer than this is cut: no code, description or comment comes near it.
constexpr size_t kBindSize = 1 << 20;

struct MdbCloser {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;

struct TableCloser {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableCloser>;

MdbPtr OpenAccess(const std::string& path)
{
    MdbPtr mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb)
        return nullptr;
    // A file cut short: the reader takes missing pages for empty ones and would hand out part
    // of the rows as if they were all.
    struct stat st {};
    if (!mdb->fmt || mdb->fmt->pg_size <= 0 || ::stat(path.c_str(), &st) != 0 || st.st_size % mdb->fmt->pg_size != 0)
        return nullptr;
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return nullptr;
    mdb_set_date_fmt(mdb.get(), "%m/%d/%Y %H:%M:%S");
    mdb_set_bind_size(mdb.get(), kBindSize);
    return mdb;
}

std::string QuoteIdent(const char* name)
{
    std::string out = "\"";
    for (const char* p = name; *p; ++p) {
        if (*p == '"')
            out += '"';
        out += *p;
    }
    return out + "\"";
}

enum class Kind { Integer, Real, Text, Blob };

Kind KindOf(int colType)
{
    switch (colType) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return Kind::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return Kind::Real;
    case MDB_BINARY:
    case MDB_OLE:
        return Kind::Blob;
    default:
        return Kind::Text;
    }
}

// One table of the catalog, opened with its columns bound to buffers. Empty when the table or its
// columns cannot be read: the file is damaged.
struct BoundTable {
    TablePtr table;
    std::vector<Kind> kinds;
    std::vector<std::vector<char>> buffers;
    std::vector<int> lengths;

    bool Open(MdbCatalogEntry* entry)
    {
        table.reset(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()) || !table->columns)
            return false;
        const unsigned ncols = table->num_cols;
        if (ncols != table->columns->len)
            return false;
        kinds.resize(ncols);
        buffers.assign(ncols, std::vector<char>(kBindSize + 1));
        lengths.assign(ncols, 0);
        for (unsigned c = 0; c < ncols; ++c) {
            const auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            if (!col)
                return false;
            kinds[c] = KindOf(col->col_type);
            mdb_bind_column(table.get(), static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
        }
        mdb_rewind_table(table.get());
        return true;
    }
    MdbColumn* Column(unsigned c) const { return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c)); }
    size_t Length(unsigned c) const
    {
        return lengths[c] < 0 ? 0 : std::min(static_cast<size_t>(lengths[c]), kBindSize);
    }
};

std::vector<MdbCatalogEntry*> UserTables(MdbHandle* mdb)
{
    std::vector<MdbCatalogEntry*> out;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e && e->object_type == MDB_TABLE && mdb_is_user_table(e))
            out.push_back(e);
    }
    return out;
}

bool Exec(sqlite3* db, const std::string& sql) { return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }

// Copies one table; kUnreadable when the Access file fails, kCannotWrite when SQLite does.
Result CopyTable(MdbCatalogEntry* entry, sqlite3* db)
{
    BoundTable t;
    if (!t.Open(entry))
        return kUnreadable;
    const unsigned ncols = static_cast<unsigned>(t.kinds.size());
    if (ncols == 0)
        return kConverted;
    std::string create = "CREATE TABLE " + QuoteIdent(entry->object_name) + " (";
    std::string insert = "INSERT INTO " + QuoteIdent(entry->object_name) + " VALUES (";
    for (unsigned c = 0; c < ncols; ++c) {
        static const char* const kTypes[] = {"INTEGER", "REAL", "TEXT COLLATE NOCASE", "BLOB"};
        create += (c ? ", " : "") + QuoteIdent(t.Column(c)->name) + " " + kTypes[static_cast<int>(t.kinds[c])];
        insert += c ? ", ?" : "?";
    }
    // Two columns or tables of one name (case aside) cannot stand in a sound Access file.
    if (!Exec(db, create + ")"))
        return kUnreadable;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        return kCannotWrite;
    Result result = kConverted;
    unsigned long long rows = 0;
    while (mdb_fetch_row(t.table.get())) {
        ++rows;
        for (unsigned c = 0; c < ncols; ++c) {
            const int i = static_cast<int>(c + 1);
            const size_t len = t.Length(c);
            char* data = t.buffers[c].data();
            data[len] = '\0';
            if (len == 0 && t.kinds[c] != Kind::Text) {
                sqlite3_bind_null(stmt, i);
                continue;
            }
            switch (t.kinds[c]) {
            case Kind::Integer:
                sqlite3_bind_int64(stmt, i, std::strtoll(data, nullptr, 10));
                break;
            case Kind::Real:
                sqlite3_bind_double(stmt, i, std::strtod(data, nullptr));
                break;
            case Kind::Blob:
                sqlite3_bind_blob(stmt, i, data, static_cast<int>(len), SQLITE_STATIC);
                break;
            case Kind::Text:
                // The reader hands out UTF-8, as the database keeps its text.
                sqlite3_bind_text(stmt, i, data, static_cast<int>(len), SQLITE_STATIC);
                break;
            }
        }
        if (sqlite3_step(stmt) != SQLITE_DONE) {
            result = kCannotWrite;
            break;
        }
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    // Fewer rows than the table keeps count of: pages of it are lost or unreadable.
    if (result == kConverted && rows < t.table->num_rows)
        result = kUnreadable;
    return result;
}

bool SyncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

Result Convert(const std::string& accessPath, const std::string& sqlitePath)
{
    MdbPtr mdb = OpenAccess(accessPath);
    if (!mdb)
        return kUnreadable;
    // The output is created here and now, never one that exists (SQLite's own open would take
    // it): what stands at the name may be another's file, a link or a pipe.
    const int fd = ::open(sqlitePath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return kCannotWrite;
    struct stat made {};
    const bool statted = ::fstat(fd, &made) == 0;
    ::close(fd);
    sqlite3* db = nullptr;
    struct stat opened {};
    if (!statted || sqlite3_open_v2(sqlitePath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        ::lstat(sqlitePath.c_str(), &opened) != 0 || opened.st_dev != made.st_dev || opened.st_ino != made.st_ino) {
        sqlite3_close(db);
        return kCannotWrite;
    }
    // The file is renamed into place only when complete, so it needs no journal of its own.
    Result result = Exec(db, "PRAGMA encoding = 'UTF-8'; PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN")
                        ? kConverted
                        : kCannotWrite;
    for (MdbCatalogEntry* entry : UserTables(mdb.get())) {
        if (result != kConverted)
            break;
        result = CopyTable(entry, db);
    }
    if (result == kConverted &&
        !Exec(db, "PRAGMA user_version = " + std::to_string(codedbtext::kConversionFormat) + "; COMMIT"))
        result = kCannotWrite;
    if (sqlite3_close(db) != SQLITE_OK && result == kConverted)
        result = kCannotWrite;
    if (result == kConverted && !SyncFile(sqlitePath))
        result = kCannotWrite;
    return result;
}

long long ReadAllRows(const std::string& accessPath)
{
    MdbPtr mdb = OpenAccess(accessPath);
    if (!mdb)
        return -1;
    long long rows = 0;
    for (MdbCatalogEntry* entry : UserTables(mdb.get())) {
        BoundTable t;
        if (!t.Open(entry))
            return -1;
        while (mdb_fetch_row(t.table.get()))
            ++rows;
    }
    return rows;
}

} // namespace accessconvert
