#include "platform/CodeDb.h"

#include "platform/Codec.h"
#include "platform/Messages.h"

#include <sqlite3.h>

#include <glib.h>
// glib first: the Access reader's header needs its types.
#include <mdbtools.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

std::shared_ptr<CodeDbConnection> g_pCodeDbConnection;
int g_bCodeDbOpen = 0;

// ---------------------------------------------------------------------------------------------

CodeDbValue CodeDbValue::FromInteger(long long v)
{
    CodeDbValue out;
    out.m_type = Type::Integer;
    out.m_int = v;
    return out;
}

CodeDbValue CodeDbValue::FromReal(double v)
{
    CodeDbValue out;
    out.m_type = Type::Real;
    out.m_real = v;
    return out;
}

CodeDbValue CodeDbValue::FromText(std::string v)
{
    CodeDbValue out;
    out.m_type = Type::Text;
    out.m_text = std::move(v);
    return out;
}

CString CodeDbValue::ToText() const
{
    switch (m_type) {
    case Type::Null:
        return CString();
    case Type::Integer:
        return CString(std::to_string(m_int));
    case Type::Real: {
        std::ostringstream out;
        out.precision(15);
        out << m_real;
        return CString(out.str());
    }
    case Type::Text:
        return CString(m_text);
    }
    return CString();
}

// ---------------------------------------------------------------------------------------------

CodeDbRecordset::CodeDbRecordset(std::vector<std::string> columns, std::vector<std::vector<CodeDbValue>> rows)
    : m_columns(std::move(columns))
    , m_rows(std::move(rows))
{
}

CString CodeDbRecordset::GetColumnName(int index) const
{
    return (index >= 0 && index < GetColumnCount()) ? CString(m_columns[index]) : CString();
}

const CodeDbValue& CodeDbRecordset::GetValue(int index) const
{
    if (IsEOF())
        throw CodeDbError {"Either BOF or EOF is True, or the current record has been deleted. "
                           "Requested operation requires a current record."};
    if (index < 0 || index >= GetColumnCount())
        throw CodeDbError {"Item cannot be found in the collection corresponding to the requested name or ordinal."};
    return m_rows[m_row][index];
}

const CodeDbValue& CodeDbRecordset::GetValue(const char* column) const
{
    const CString name(column);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (name.CompareNoCase(m_columns[i].c_str()) == 0)
            return GetValue(static_cast<int>(i));
    }
    throw CodeDbError {"Item cannot be found in the collection corresponding to the requested name or ordinal."};
}

// ---------------------------------------------------------------------------------------------

struct CodeDbConnection::MdbFile {
    MdbHandle* handle = nullptr;
    std::set<std::string> copied; // upper-cased names of the tables already copied
    ~MdbFile()
    {
        if (handle)
            mdb_close(handle);
    }
};

CodeDbConnection::CodeDbConnection() = default;

CodeDbConnection::~CodeDbConnection() { Close(); }

namespace {

enum class FileKind { Missing, SQLite, Access, Other };

FileKind KindOf(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return FileKind::Missing;
    char head[32] = {};
    const size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    if (n >= 16 && std::memcmp(head, "SQLite format 3", 16) == 0)
        return FileKind::SQLite;
    if (n >= 19 && (std::memcmp(head + 4, "Standard Jet DB", 15) == 0 || std::memcmp(head + 4, "Standard ACE DB", 15) == 0))
        return FileKind::Access;
    return FileKind::Other;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string QuoteIdent(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

} // namespace

bool CodeDbConnection::Open(const CString& path)
{
    Close();
    m_errors.clear();
    const std::string p = path.str();
    const FileKind kind = KindOf(p);
    if (kind == FileKind::Missing) {
        m_errors.push_back("Could not find file '" + path + "'.");
        return false;
    }
    if (kind == FileKind::Other) {
        m_errors.push_back("Unrecognized database format '" + path + "'.");
        return false;
    }
    if (kind == FileKind::SQLite) {
        if (sqlite3_open_v2(p.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            m_errors.push_back(CString(m_db ? sqlite3_errmsg(m_db) : "Unrecognized database format '" + p + "'."));
            Close();
            return false;
        }
        // A damaged file opens lazily; make it show now rather than at the first query.
        if (sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
            m_errors.push_back("Unrecognized database format '" + path + "'.");
            Close();
            return false;
        }
        return true;
    }

    auto mdb = std::make_unique<MdbFile>();
    mdb->handle = mdb_open(p.c_str(), MDB_NOFLAGS);
    if (!mdb->handle || !mdb_read_catalog(mdb->handle, MDB_TABLE)) {
        m_errors.push_back("Unrecognized database format '" + path + "'.");
        return false;
    }
    mdb_set_date_fmt(mdb->handle, "%m/%d/%Y %H:%M:%S");
    mdb_set_bind_size(mdb->handle, 1 << 20);
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK) {
        m_errors.push_back("Out of memory.");
        Close();
        return false;
    }
    m_mdb = std::move(mdb);
    return true;
}

void CodeDbConnection::Close()
{
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    m_mdb.reset();
}

void CodeDbConnection::Fail(const CString& description)
{
    m_errors.clear();
    m_errors.push_back(description);
    throw CodeDbError {description};
}

bool CodeDbConnection::CopyAccessTable(const std::string& name)
{
    const std::string key = Upper(name);
    if (!m_mdb || m_mdb->copied.count(key))
        return false;
    MdbHandle* mdb = m_mdb->handle;
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (e->object_type == MDB_TABLE && Upper(e->object_name) == key) {
            entry = e;
            break;
        }
    }
    if (!entry)
        return false;
    MdbTableDef* table = mdb_read_table(entry);
    if (!table)
        return false;
    m_mdb->copied.insert(key);
    mdb_read_columns(table);
    mdb_rewind_table(table);

    const int ncols = static_cast<int>(table->num_cols);
    std::vector<int> types(ncols);
    std::string create = "CREATE TABLE " + QuoteIdent(entry->object_name) + " (";
    std::string insert = "INSERT INTO " + QuoteIdent(entry->object_name) + " VALUES (";
    for (int c = 0; c < ncols; ++c) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
        types[c] = col->col_type;
        const char* sqlType = "TEXT COLLATE NOCASE";
        switch (col->col_type) {
        case MDB_BOOL:
        case MDB_BYTE:
        case MDB_INT:
        case MDB_LONGINT:
            sqlType = "INTEGER";
            break;
        case MDB_MONEY:
        case MDB_FLOAT:
        case MDB_DOUBLE:
        case MDB_NUMERIC:
            sqlType = "REAL";
            break;
        default:
            break;
        }
        create += (c ? ", " : "") + QuoteIdent(col->name) + " " + sqlType;
        insert += c ? ", ?" : "?";
    }
    create += ")";
    insert += ")";
    if (ncols == 0 || sqlite3_exec(m_db, create.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        mdb_free_tabledef(table);
        return false;
    }

    const size_t bindSize = 1 << 20;
    std::vector<std::vector<char>> buffers(ncols, std::vector<char>(bindSize + 1));
    std::vector<int> lengths(ncols);
    for (int c = 0; c < ncols; ++c)
        mdb_bind_column(table, c + 1, buffers[c].data(), &lengths[c]);

    sqlite3_stmt* stmt = nullptr;
    sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr);
    if (sqlite3_prepare_v2(m_db, insert.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (mdb_fetch_row(table)) {
            for (int c = 0; c < ncols; ++c) {
                const int len = std::clamp(lengths[c], 0, static_cast<int>(bindSize));
                const std::string raw(buffers[c].data(), static_cast<size_t>(len));
                if (len == 0 && types[c] != MDB_TEXT && types[c] != MDB_MEMO) {
                    sqlite3_bind_null(stmt, c + 1);
                    continue;
                }
                switch (types[c]) {
                case MDB_BOOL:
                case MDB_BYTE:
                case MDB_INT:
                case MDB_LONGINT:
                    sqlite3_bind_int64(stmt, c + 1, std::strtoll(raw.c_str(), nullptr, 10));
                    break;
                case MDB_MONEY:
                case MDB_FLOAT:
                case MDB_DOUBLE:
                case MDB_NUMERIC:
                    sqlite3_bind_double(stmt, c + 1, std::strtod(raw.c_str(), nullptr));
                    break;
                default: {
                    const std::string text = Utf8ToCp1252(raw);
                    sqlite3_bind_text(stmt, c + 1, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
                    break;
                }
                }
            }
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    mdb_free_tabledef(table);
    return true;
}

std::unique_ptr<CodeDbRecordset> CodeDbConnection::Execute(const CString& sql)
{
    if (!m_db)
        Fail("Operation is not allowed when the object is closed.");
    sqlite3_stmt* stmt = nullptr;
    for (;;) {
        if (sqlite3_prepare_v2(m_db, sql.GetString(), -1, &stmt, nullptr) == SQLITE_OK)
            break;
        const std::string message = sqlite3_errmsg(m_db);
        const std::string prefix = "no such table: ";
        if (message.rfind(prefix, 0) == 0) {
            std::string table = message.substr(prefix.size());
            if (CopyAccessTable(table))
                continue;
            Fail(CString("The Microsoft Jet database engine cannot find the input table or query '") + table +
                 "'.  Make sure it exists and that its name is spelled correctly.");
        }
        Fail(CString(message));
    }
    if (!stmt)
        Fail("Command text was not set for the command object.");

    std::vector<std::string> columns;
    const int ncols = sqlite3_column_count(stmt);
    for (int c = 0; c < ncols; ++c)
        columns.emplace_back(sqlite3_column_name(stmt, c));
    std::vector<std::vector<CodeDbValue>> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<CodeDbValue> row;
        row.reserve(ncols);
        for (int c = 0; c < ncols; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                row.push_back(CodeDbValue::FromInteger(sqlite3_column_int64(stmt, c)));
                break;
            case SQLITE_FLOAT:
                row.push_back(CodeDbValue::FromReal(sqlite3_column_double(stmt, c)));
                break;
            case SQLITE_NULL:
                row.emplace_back();
                break;
            default: {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                const int len = sqlite3_column_bytes(stmt, c);
                row.push_back(CodeDbValue::FromText(text ? std::string(text, len) : std::string()));
                break;
            }
            }
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const CString message(sqlite3_errmsg(m_db));
        sqlite3_finalize(stmt);
        Fail(message);
    }
    sqlite3_finalize(stmt);
    m_errors.clear();
    return std::make_unique<CodeDbRecordset>(std::move(columns), std::move(rows));
}

std::unique_ptr<CodeDbRecordset> CodeDbExecute(const CString& sql)
{
    if (!g_pCodeDbConnection)
        throw CodeDbError {CString()};
    return g_pCodeDbConnection->Execute(sql);
}

void ShowCodeDbErrors()
{
    if (!g_pCodeDbConnection)
        return;
    for (const CString& description : g_pCodeDbConnection->Errors())
        AfxMessageBox(description);
}

CString SqlQuote(const CString& text)
{
    CString out(text);
    out.Replace("'", "''");
    return out;
}
