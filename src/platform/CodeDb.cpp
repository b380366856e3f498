#include "platform/CodeDb.h"

#include "platform/CodeDbAccess.h"
#include "platform/CodeDbCompare.h"
#include "platform/CodeDbText.h"
#include "platform/Messages.h"

#include <QChar>
#include <QString>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

std::shared_ptr<CodeDbConnection> g_pCodeDbConnection;
int g_bCodeDbOpen = 0;

namespace {
using codedbtext::kConversionFormat;
// No code-table statement needs more; a runaway one fails with "out of memory" at this point.
constexpr long long kSqliteHeapLimit = 512ll << 20;
} // namespace

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

CodeDbConnection::CodeDbConnection() = default;

CodeDbConnection::~CodeDbConnection() { Close(); }

CodeDbConnection::Limits& CodeDbConnection::GetLimits()
{
    static Limits limits;
    return limits;
}

namespace {

enum class FileKind { Missing, SQLite, Access, Other };

FileKind KindOf(const std::string& path)
{
    // Only a plain file: a pipe or a device named ncodes.mdb would block the start.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return FileKind::Missing;
    if (!S_ISREG(st.st_mode))
        return FileKind::Other;
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

// --- The statement text: Windows-1252 in, UTF-8 to SQLite. ----------------------------------

// A NUL cannot stand in an SQL text; in a pasted value it becomes a character that no code holds,
// so the value is simply not found.
std::string StatementText(const CString& sql)
{
    std::string out = codedbtext::Cp1252ToUtf8(sql.str());
    for (size_t pos = out.find('\0'); pos != std::string::npos; pos = out.find('\0', pos + 3))
        out.replace(pos, 1, "\xEF\xBF\xBF");
    return out;
}

} // namespace

bool CodeDbConnection::OpenSqlite(const std::string& file, const CString& shownPath)
{
    if (sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        m_errors.push_back("Unrecognized database format '" + shownPath + "'.");
        Close();
        return false;
    }
    // A file of unknown origin: no functions with side effects in its views, no schema tricks.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    // A runaway statement is ended by the time limit; sorting spills to memory, where SQLite's
    // own limit bounds it, and never fills the disk with temporary files.
    sqlite3_exec(m_db, "PRAGMA temp_store = MEMORY", nullptr, nullptr, nullptr);
    sqlite3_hard_heap_limit64(kSqliteHeapLimit);
    codedbcompare::Install(m_db);
    sqlite3_progress_handler(m_db, 1000, &CodeDbConnection::OnProgress, this);
    m_dbPath = file;
    // A damaged file opens lazily; make it show now rather than at the first query.
    m_deadline = std::chrono::steady_clock::now() + GetLimits().statement;
    if (sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        m_errors.push_back("Unrecognized database format '" + shownPath + "'.");
        Close();
        return false;
    }
    return true;
}

int CodeDbConnection::OnProgress(void* self)
{
    auto* c = static_cast<CodeDbConnection*>(self);
    if (std::chrono::steady_clock::now() < c->m_deadline)
        return 0;
    c->m_timedOut = true;
    return 1;
}

bool CodeDbConnection::Open(const CString& path)
{
    Close();
    m_errors.clear();
    const FileKind kind = KindOf(path.str());
    if (kind == FileKind::Missing) {
        m_errors.push_back("Could not find file '" + path + "'.");
        return false;
    }
    if (kind == FileKind::Other) {
        m_errors.push_back("Unrecognized database format '" + path + "'.");
        return false;
    }
    if (kind == FileKind::SQLite)
        return OpenSqlite(path.str(), path);
    codedbaccess::Converted converted;
    CString error;
    if (!codedbaccess::Convert(path, converted, error)) {
        m_errors.push_back(error);
        return false;
    }
    const bool ok = OpenSqlite(converted.sqlitePath, path);
    if (converted.temporary)
        ::unlink(converted.sqlitePath.c_str()); // stays readable through the open connection
    if (!ok)
        return false;
    m_bAccess = true;
    return true;
}

void CodeDbConnection::Close()
{
    if (m_db) {
        sqlite3_close(m_db);
        m_db = nullptr;
    }
    m_bAccess = false;
    m_dbPath.clear();
}

void CodeDbConnection::Fail(const CString& description)
{
    m_errors.clear();
    m_errors.push_back(description);
    throw CodeDbError {description};
}

std::unique_ptr<CodeDbRecordset> CodeDbConnection::Execute(const CString& sql)
{
    if (!m_db)
        Fail("Operation is not allowed when the object is closed.");
    const std::string text = StatementText(sql);
    m_timedOut = false;
    m_deadline = std::chrono::steady_clock::now() + GetLimits().statement;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, text.c_str(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(m_db);
        const std::string prefix = "no such table: ";
        if (message.rfind(prefix, 0) == 0)
            Fail(CString("The Microsoft Jet database engine cannot find the input table or query '") +
                 CString(codedbtext::Utf8ToCp1252(message.substr(prefix.size()))) +
                 "'.  Make sure it exists and that its name is spelled correctly.");
        Fail(CString(codedbtext::Utf8ToCp1252(message)));
    }
    if (!stmt)
        Fail("Command text was not set for the command object.");

    std::vector<std::string> columns;
    const int ncols = sqlite3_column_count(stmt);
    for (int c = 0; c < ncols; ++c) {
        const char* name = sqlite3_column_name(stmt, c);
        columns.push_back(codedbtext::Utf8ToCp1252(name ? name : ""));
    }
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
                const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                const int len = sqlite3_column_bytes(stmt, c);
                row.push_back(CodeDbValue::FromText(
                    value ? codedbtext::Utf8ToCp1252(std::string_view(value, static_cast<size_t>(len))) : std::string()));
                break;
            }
            }
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        const CString message = m_timedOut ? CString("Query timeout expired")
                                           : CString(codedbtext::Utf8ToCp1252(sqlite3_errmsg(m_db)));
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