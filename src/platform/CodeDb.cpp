#include "platform/CodeDb.h"

#include "platform/CodeDbAccess.h"
#include "platform/CodeDbCompare.h"
#include "platform/CodeDbText.h"
#include "platform/Messages.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
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
// No code-table statement needs more; a runaway one fails with "out of memory" at this point.
constexpr long long kSqliteHeapLimit = 128ll << 20;
// No code, description or comment comes near it (the Access conversion cuts values at 1 MiB); a
// longer value fails its statement ("string or blob too big") instead of being copied about.
constexpr int kLongestValue = 16 << 20;
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

namespace {

constexpr const char* kNoCurrentRecord = "Either BOF or EOF is True, or the current record has been deleted. "
                                         "Requested operation requires a current record.";
constexpr const char* kNoSuchItem =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";

} // namespace

CodeDbRecordset::CodeDbRecordset(CodeDbConnection& connection, sqlite3_stmt* stmt, std::string table)
    : m_connection(&connection)
    , m_stmt(stmt)
    , m_table(std::move(table))
    , m_deadline(connection.m_deadline)
    , m_started(CodeDbConnection::Now())
{
    const int ncols = sqlite3_column_count(stmt);
    for (int c = 0; c < ncols; ++c) {
        const char* name = sqlite3_column_name(stmt, c);
        m_columns.push_back(codedbtext::Utf8ToCp1252(name ? name : ""));
    }
}

CodeDbRecordset::~CodeDbRecordset() { Finish(); }

void CodeDbRecordset::Finish()
{
    if (!m_stmt)
        return;
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_eof = true;
    m_row.clear();
    if (auto* scope = platform::CodeDbCommandScope::Current())
        scope->AddTime(m_table, CodeDbConnection::Now() - m_started);
}

int CodeDbRecordset::Step()
{
    m_row.clear();
    if (!m_stmt) {
        m_eof = true;
        return SQLITE_DONE;
    }
    // The statement's own time limit holds while its rows are read, whatever ran in between.
    m_connection->m_deadline = m_deadline;
    m_connection->m_timedOut = false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_DONE) {
        Finish();
        return rc;
    }
    if (rc != SQLITE_ROW)
        return rc;
    const int ncols = GetColumnCount();
    m_row.reserve(static_cast<size_t>(ncols));
    for (int c = 0; c < ncols; ++c) {
        switch (sqlite3_column_type(m_stmt, c)) {
        case SQLITE_INTEGER:
            m_row.push_back(CodeDbValue::FromInteger(sqlite3_column_int64(m_stmt, c)));
            break;
        case SQLITE_FLOAT:
            m_row.push_back(CodeDbValue::FromReal(sqlite3_column_double(m_stmt, c)));
            break;
        case SQLITE_NULL:
            m_row.emplace_back();
            break;
        default: {
            const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
            const int len = sqlite3_column_bytes(m_stmt, c);
            m_row.push_back(CodeDbValue::FromText(
                value ? codedbtext::Utf8ToCp1252(std::string_view(value, static_cast<size_t>(len))) : std::string()));
            break;
        }
        }
    }
    return rc;
}

void CodeDbRecordset::MoveNext()
{
    if (m_eof)
        return;
    const int rc = Step();
    if (rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    const CString cause = m_connection->StepError(rc);
    Finish();
    m_connection->Fail(m_connection->TableFault(m_table, cause), m_table);
}

void CodeDbRecordset::Close() { Finish(); }

const CodeDbValue& CodeDbRecordset::GetValue(int index) const
{
    if (IsEOF())
        throw CodeDbError {kNoCurrentRecord};
    if (index < 0 || index >= GetColumnCount() || static_cast<size_t>(index) >= m_row.size())
        NoSuchItem();
    return m_row[index];
}

const CodeDbValue& CodeDbRecordset::GetValue(const char* column) const
{
    const CString name(column);
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (name.CompareNoCase(m_columns[i].c_str()) == 0)
            return GetValue(static_cast<int>(i));
    }
    NoSuchItem();
}

void CodeDbRecordset::NoSuchItem() const
{
    // A statement without the field fails on every row and every call: told once per action.
    if (auto* scope = platform::CodeDbCommandScope::Current())
        scope->MarkFailed(m_table);
    throw CodeDbError {kNoSuchItem};
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

enum class FileKind { Unreachable, SQLite, Access, Other };

// `error` receives the errno of an unreachable file.
FileKind KindOf(const std::string& path, int& error)
{
    // Only a plain file, opened without blocking: a pipe or a device named ncodes.mdb would
    // block the start.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        error = errno;
        return FileKind::Unreachable;
    }
    if (!S_ISREG(st.st_mode))
        return FileKind::Other;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return FileKind::Unreachable;
    }
    char head[32] = {};
    ssize_t n = -1;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        while ((n = ::read(fd, head, sizeof head)) < 0 && errno == EINTR) {
        }
    }
    ::close(fd);
    if (n < 0)
        return FileKind::Other;
    if (n >= 16 && std::memcmp(head, "SQLite format 3", 16) == 0)
        return FileKind::SQLite;
    if (n >= 19 && (std::memcmp(head + 4, "Standard Jet DB", 15) == 0 || std::memcmp(head + 4, "Standard ACE DB", 15) == 0))
        return FileKind::Access;
    return FileKind::Other;
}

bool IsDamage(int rc) { return (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB; }

platform::CodeDbCommandScope* g_commandScope = nullptr;

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

bool CodeDbConnection::OpenAccess(const CString& path, bool rebuild)
{
    codedbaccess::Converted converted;
    CString error;
    if (!codedbaccess::Convert(path, rebuild, GetLimits(), converted, error)) {
        m_errors.push_back(error);
        return false;
    }
    const bool ok = OpenSqlite(converted.sqlitePath, path);
    if (converted.temporary)
        ::unlink(converted.sqlitePath.c_str()); // stays readable through the open connection
    if (!ok)
        return false;
    m_bAccess = true;
    m_fromCache = !converted.temporary;
    return true;
}

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
    sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, kLongestValue);
    codedbcompare::Install(m_db);
    sqlite3_progress_handler(m_db, 1000, &CodeDbConnection::OnProgress, this);
    m_dbPath = file;
    m_shownPath = shownPath;
    // A damaged file opens lazily; make it show now rather than at the first query.
    m_deadline = Now() + GetLimits().statement;
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
    if (Now() < c->m_deadline)
        return 0;
    c->m_timedOut = true;
    return 1;
}

bool CodeDbConnection::Open(const CString& path)
{
    Close();
    m_errors.clear();
    m_reconverted = m_damaged = false;
    int error = 0;
    const FileKind kind = KindOf(path.str(), error);
    if (kind == FileKind::Unreachable) {
        m_errors.push_back(codedbaccess::UnreachableMessage(path, error));
        return false;
    }
    if (kind == FileKind::Other) {
        m_errors.push_back("Unrecognized database format '" + path + "'.");
        return false;
    }
    if (kind == FileKind::SQLite)
        return OpenSqlite(path.str(), path);
    return OpenAccess(path, false);
}

void CodeDbConnection::Close()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_bAccess = false;
    m_fromCache = false;
    m_dbPath.clear();
}

bool CodeDbConnection::Reconvert()
{
    if (m_reconverted)
        return false;
    m_reconverted = true;
    const CString shown = m_shownPath;
    const std::string kept = m_fromCache ? m_dbPath : std::string();
    Close();
    if (!kept.empty())
        ::unlink(kept.c_str());
    std::vector<CString> errors;
    std::swap(errors, m_errors);
    const bool ok = OpenAccess(shown, true);
    m_errors = std::move(errors);
    return ok;
}

CString CodeDbConnection::DamagedMessage() const
{
    return "The code-table database '" + m_shownPath + "' is damaged and cannot be read.";
}

CString CodeDbConnection::StepError(int rc)
{
    if (m_timedOut)
        return "Query timeout expired";
    // Rows of a damaged conversion: the next statement reads a fresh one.
    if (IsDamage(rc) && m_bAccess && !m_reconverted)
        m_damaged = true;
    return CString(codedbtext::Utf8ToCp1252(sqlite3_errmsg(m_db)));
}

CString CodeDbConnection::TableFault(const std::string& table, const CString& cause) const
{
    if (table.empty())
        return cause;
    return "The code table '" + CString(codedbtext::Utf8ToCp1252(table)) + "' cannot be read: " + cause;
}

void CodeDbConnection::Fail(const CString& description, const std::string& table)
{
    if (auto* scope = platform::CodeDbCommandScope::Current())
        scope->MarkFailed(table);
    m_errors.clear();
    m_errors.push_back(description);
    throw CodeDbError {description};
}

std::unique_ptr<CodeDbRecordset> CodeDbConnection::Execute(const CString& sql)
{
    const std::string table = m_db ? TableOfStatement(sql) : std::string();
    platform::CodeDbCommandScope* scope = platform::CodeDbCommandScope::Current();
    if (scope && scope->HasFailed(table)) {
        m_errors.clear();
        throw CodeDbError {CString(), true};
    }
    if (m_damaged && !Reconvert())
        Fail(DamagedMessage(), std::string());
    m_damaged = false;
    if (!m_db)
        Fail(m_reconverted ? DamagedMessage() : CString("Operation is not allowed when the object is closed."),
             std::string());
    const std::string text = StatementText(sql);
    for (;;) {
        // The statements of a command on one table share one statement's time.
        auto budget = std::chrono::steady_clock::duration(GetLimits().statement);
        if (scope)
            budget = std::max(budget - scope->TimeSpent(table), std::chrono::steady_clock::duration::zero());
        m_timedOut = false;
        m_deadline = Now() + budget;
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(m_db, text.c_str(), static_cast<int>(text.size()), &stmt, nullptr);
        CString cause;
        if (rc == SQLITE_OK) {
            if (!stmt)
                Fail("Command text was not set for the command object.", table);
            auto rs = std::make_unique<CodeDbRecordset>(*this, stmt, table);
            rc = rs->Step();
            if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
                m_errors.clear();
                return rs;
            }
            cause = TableFault(table, m_timedOut ? CString("Query timeout expired")
                                                 : CString(codedbtext::Utf8ToCp1252(sqlite3_errmsg(m_db))));
        } else {
            const std::string message = sqlite3_errmsg(m_db);
            const std::string prefix = "no such table: ";
            cause = message.rfind(prefix, 0) == 0
                        ? CString("The Microsoft Jet database engine cannot find the input table or query '") +
                              CString(codedbtext::Utf8ToCp1252(message.substr(prefix.size()))) +
                              "'.  Make sure it exists and that its name is spelled correctly."
                        : CString(codedbtext::Utf8ToCp1252(message));
        }
        // A damaged conversion is made anew from the Access file, and the statement asked again
        // of it; damage that stays is the Access file's own.
        if (IsDamage(rc) && m_bAccess) {
            if (Reconvert())
                continue;
            // Closed now: every statement after it, on any table, meets the same message.
            if (scope)
                scope->MarkFailed(table);
            Fail(DamagedMessage(), std::string());
        }
        Fail(cause, table);
    }
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
        TellCodeDbFailure(description);
}

void TellCodeDbFailure(const CString& description)
{
    if (auto* scope = platform::CodeDbCommandScope::Current())
        scope->Gather(description);
    else
        AfxMessageBox(description, MB_OK);
}

CString GatheredCodeDbFailures(const std::vector<CString>& descriptions)
{
    if (descriptions.size() == 1)
        return descriptions.front();
    CString text("These code tables cannot be read:\n");
    const size_t listed = std::min(descriptions.size(), kMostFailuresListed);
    for (size_t i = 0; i < listed; ++i)
        text += "\n" + descriptions[i];
    if (const size_t left = descriptions.size() - listed; left > 0)
        text += "\n... and " + CString(std::to_string(left)) + (left == 1 ? " more table." : " more tables.");
    return text;
}

CString SqlQuote(const CString& text)
{
    CString out(text);
    out.Replace("'", "''");
    return out;
}

std::string TableOfStatement(const CString& sql)
{
    const std::string& text = sql.str();
    const auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
    const auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
    for (size_t i = 0; i + 4 <= text.size(); ++i) {
        if (upper(text[i]) != 'F' || upper(text[i + 1]) != 'R' || upper(text[i + 2]) != 'O' || upper(text[i + 3]) != 'M' ||
            (i > 0 && isWord(text[i - 1])) || (i + 4 < text.size() && isWord(text[i + 4])))
            continue;
        size_t p = i + 4;
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p])))
            ++p;
        std::string name;
        if (p < text.size() && (text[p] == '"' || text[p] == '[' || text[p] == '`')) {
            const char close = text[p] == '[' ? ']' : text[p];
            for (++p; p < text.size() && text[p] != close; ++p)
                name += upper(text[p]);
        } else {
            for (; p < text.size() && isWord(text[p]); ++p)
                name += upper(text[p]);
        }
        return name;
    }
    return std::string();
}

namespace platform {

CodeDbCommandScope::CodeDbCommandScope()
    : m_outermost(g_commandScope == nullptr)
{
    if (m_outermost) {
        g_commandScope = this;
        m_boxes.emplace([this] { return TakeUntold(); });
    }
}

CodeDbCommandScope::~CodeDbCommandScope()
{
    if (!m_outermost) {
        // A click in a dialog that waits for the user is an action of its own: what it met is
        // told as it ends, not once the dialog has closed.
        if (ActionBoxes* boxes = ActionBoxes::Current(); boxes && boxes->IsWaiting())
            boxes->TellUntold();
        return;
    }
    // Closed first: a check run while the last box is up belongs to no action of this one.
    g_commandScope = nullptr;
    m_boxes.reset();
}

std::string CodeDbCommandScope::TakeUntold()
{
    if (m_told == m_gathered.size())
        return std::string();
    const std::vector<CString> untold(m_gathered.begin() + static_cast<std::ptrdiff_t>(m_told), m_gathered.end());
    m_told = m_gathered.size();
    return GatheredCodeDbFailures(untold).str();
}

void CodeDbCommandScope::Gather(const CString& description)
{
    if (std::find(m_gathered.begin(), m_gathered.end(), description) == m_gathered.end())
        m_gathered.push_back(description);
}

CodeDbCommandScope* CodeDbCommandScope::Current() { return g_commandScope; }

std::chrono::steady_clock::duration CodeDbCommandScope::TimeSpent(const std::string& table) const
{
    const auto it = m_spent.find(table);
    return it == m_spent.end() ? std::chrono::steady_clock::duration::zero() : it->second;
}

} // namespace platform
