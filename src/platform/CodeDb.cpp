#include "platform/CodeDb.h"

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

// --- Text comparison as Jet makes it: without regard to case, accented letters included. -------

char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

// The letter a folded character is written on ("e" for "é"): Jet sorts accented letters beside
// their plain letter, and tells them apart only when all else is equal.
char32_t BaseLetter(char32_t folded)
{
    if (folded < 0xC0)
        return folded;
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(0x250);
        for (char32_t c = 0; c < t.size(); ++c) {
            t[c] = c;
            if (QChar::decompositionTag(c) == QChar::Canonical) {
                const QString d = QChar::decomposition(c);
                if (!d.isEmpty() && d.at(0).unicode() < 0x80)
                    t[c] = d.at(0).unicode();
            }
        }
        return t;
    }();
    return folded < table.size() ? table[folded] : folded;
}

std::u32string FoldedText(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();)
        out += Fold(codedbtext::NextChar(text, pos));
    return out;
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    // Codes are ASCII: compare them in place while they are.
    size_t i = 0;
    const size_t common = std::min(a.size(), b.size());
    for (; i < common; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x >= 0x80 || y >= 0x80)
            break;
        const char32_t fx = Fold(x), fy = Fold(y);
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    // Equal as far as the shorter goes: the shorter comes first, whatever the longer holds after.
    if (i == common)
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    const std::u32string fa = FoldedText(a);
    const std::u32string fb = FoldedText(b);
    const size_t n = std::min(fa.size(), fb.size());
    for (size_t i = 0; i < n; ++i) {
        const char32_t x = BaseLetter(fa[i]);
        const char32_t y = BaseLetter(fb[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (fa.size() != fb.size())
        return fa.size() < fb.size() ? -1 : 1;
    return fa.compare(fb) < 0 ? -1 : (fa == fb ? 0 : 1);
}

int NoCaseCollation(void*, int na, const void* a, int nb, const void* b)
{
    return CompareNoCase(std::string_view(static_cast<const char*>(a), static_cast<size_t>(na)),
                         std::string_view(static_cast<const char*>(b), static_cast<size_t>(nb)));
}

// A LIKE pattern: '%' any run, '_' one character, all else itself (folded), the escape character
// making the next one plain.
struct LikePattern {
    enum Kind : char32_t { Literal = 0, One = 1, Run = 2 };
    std::vector<std::pair<Kind, char32_t>> items;
    size_t literals = 0;
};

LikePattern* ParsePattern(std::string_view text, char32_t escape, bool hasEscape)
{
    auto* p = new LikePattern;
    const std::u32string folded = FoldedText(text);
    for (size_t i = 0; i < folded.size(); ++i) {
        const char32_t c = folded[i];
        if (hasEscape && c == escape && i + 1 < folded.size()) {
            p->items.emplace_back(LikePattern::Literal, folded[++i]);
        } else if (c == '%') {
            if (p->items.empty() || p->items.back().first != LikePattern::Run)
                p->items.emplace_back(LikePattern::Run, 0);
        } else if (c == '_') {
            p->items.emplace_back(LikePattern::One, 0);
        } else {
            p->items.emplace_back(LikePattern::Literal, c);
        }
        if (p->items.back().first != LikePattern::Run)
            ++p->literals;
    }
    return p;
}

// Greedy match with one point to fall back to: time in proportion to pattern times text at worst,
// whatever the pattern (a pasted value of any length is simply not found).
bool LikeMatch(const LikePattern& pattern, const std::u32string& text)
{
    if (pattern.literals > text.size())
        return false;
    const auto& items = pattern.items;
    size_t p = 0, t = 0;
    size_t runP = SIZE_MAX, runT = 0;
    while (t < text.size()) {
        if (p < items.size() && items[p].first == LikePattern::Run) {
            runP = ++p;
            runT = t;
            continue;
        }
        if (p < items.size() && (items[p].first == LikePattern::One || items[p].second == text[t])) {
            ++p;
            ++t;
            continue;
        }
        if (runP == SIZE_MAX)
            return false;
        p = runP;
        t = ++runT;
    }
    while (p < items.size() && items[p].first == LikePattern::Run)
        ++p;
    return p == items.size();
}

void LikeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return; // NULL
    char32_t escape = 0;
    const bool hasEscape = argc == 3;
    if (hasEscape) {
        const auto* e = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
        const std::string_view es(e ? e : "", static_cast<size_t>(sqlite3_value_bytes(argv[2])));
        size_t pos = 0;
        if (!es.empty())
            escape = Fold(codedbtext::NextChar(es, pos));
        if (es.empty() || pos != es.size()) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    auto* pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        pattern = ParsePattern(std::string_view(raw ? raw : "", static_cast<size_t>(sqlite3_value_bytes(argv[0]))),
                               escape, hasEscape);
        sqlite3_set_auxdata(ctx, 0, pattern, [](void* p) { delete static_cast<LikePattern*>(p); });
        pattern = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) { // SQLite could not keep it and has freed it
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    const auto* raw = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const std::u32string text = FoldedText(std::string_view(raw ? raw : "", static_cast<size_t>(sqlite3_value_bytes(argv[1]))));
    sqlite3_result_int(ctx, LikeMatch(*pattern, text) ? 1 : 0);
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

// --- The Access conversion. ----------------------------------------------------------------

bool IsExecutable(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

uint64_t Fnv1a(std::string_view text, uint64_t h = 0xcbf29ce484222325ull)
{
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

std::string Hex(uint64_t v)
{
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool IsOurConversion(const std::string& path)
{
    sqlite3* db = nullptr;
    bool ok = false;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
            ok = sqlite3_column_int(stmt, 0) == kConversionFormat;
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return ok;
}

enum class Conversion { Done, Damaged, CannotWrite, NoConverter };

// Runs the converter in a child process under the limits; whatever the file does to it, the
// answer comes back within the wall time.
Conversion RunConverter(const std::string& converter, const std::string& in, const std::string& out)
{
    const CodeDbConnection::Limits limits = CodeDbConnection::GetLimits();
    // Everything the child needs is made before fork: after it, only async-signal-safe calls.
    std::vector<char*> argv = {const_cast<char*>(converter.c_str()), const_cast<char*>(in.c_str()),
                               const_cast<char*>(out.c_str()), nullptr};
    const pid_t pid = ::fork();
    if (pid < 0)
        return Conversion::Damaged;
    if (pid == 0) {
        const rlimit memory {limits.conversionMemory, limits.conversionMemory};
        const rlimit cpu {static_cast<rlim_t>(limits.conversionCpuSeconds), static_cast<rlim_t>(limits.conversionCpuSeconds + 1)};
        const rlimit none {0, 0};
        ::setrlimit(RLIMIT_AS, &memory);
        ::setrlimit(RLIMIT_CPU, &cpu);
        ::setrlimit(RLIMIT_CORE, &none);
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        for (int fd = 3; fd < 1024; ++fd)
            ::close(fd);
        ::execv(converter.c_str(), argv.data());
        ::_exit(codedbtext::kCannotRun);
    }
    const auto deadline = std::chrono::steady_clock::now() + limits.conversionWall;
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            break;
        if (r < 0 && errno != EINTR)
            return Conversion::Damaged;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return Conversion::Damaged;
        }
        ::usleep(2000);
    }
    if (!WIFEXITED(status))
        return Conversion::Damaged; // crashed, or killed by a limit
    switch (WEXITSTATUS(status)) {
    case codedbtext::kConverted:
        return Conversion::Done;
    case codedbtext::kCannotWrite:
        return Conversion::CannotWrite;
    case codedbtext::kCannotRun:
        return Conversion::NoConverter;
    default:
        return Conversion::Damaged;
    }
}

} // namespace

std::string AccessConverterPath()
{
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n > 0) {
        std::string dir(self, static_cast<size_t>(n));
        dir = dir.substr(0, dir.rfind('/') + 1);
        if (IsExecutable(dir + "morvel-mdbconvert"))
            return dir + "morvel-mdbconvert";
    }
#ifdef MORVEL_ACCESS_CONVERTER
    if (IsExecutable(MORVEL_ACCESS_CONVERTER))
        return MORVEL_ACCESS_CONVERTER;
#endif
    return std::string();
}

std::string CodeDbCacheFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/morvel";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.cache/morvel";
    return std::string();
}

bool CodeDbConnection::OpenAccess(const CString& path)
{
    const CString damaged = "The code-table database '" + path + "' is damaged and cannot be read.";
    struct stat st {};
    char resolved[PATH_MAX];
    if (::stat(path.GetString(), &st) != 0 || !::realpath(path.GetString(), resolved)) {
        m_errors.push_back("Could not find file '" + path + "'.");
        return false;
    }
    const std::string converter = AccessConverterPath();
    if (converter.empty()) {
        m_errors.push_back("The code-table database '" + path + "' cannot be read: morvel-mdbconvert is missing.");
        return false;
    }
    // One conversion per file; a changed file (size or time) gets a new one in place of the old.
    const std::string folder = CodeDbCacheFolder();
    const std::string source = resolved;
    const std::string key = source + '\0' + std::to_string(st.st_size) + '\0' + std::to_string(st.st_mtim.tv_sec) +
                            '.' + std::to_string(st.st_mtim.tv_nsec) + '\0' + std::to_string(kConversionFormat);
    const std::string prefix = Hex(Fnv1a(source)) + "-";
    const bool cached = !folder.empty() && MakeFolders(folder);
    const std::string target = cached ? folder + "/" + prefix + Hex(Fnv1a(key)) + ".sqlite" : std::string();
    if (cached && IsOurConversion(target))
        return OpenSqlite(target, path);

    // Converted under a temporary name and renamed when complete: a conversion cut short by a
    // crash or a kill is never taken for a finished one. Without a cache folder the conversion
    // lives as long as the connection.
    std::string temp = (cached ? folder : std::string(P_tmpdir)) + "/" + prefix + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        m_errors.push_back("The code-table database '" + path + "' cannot be converted: " + CString(temp) +
                           " cannot be written.");
        return false;
    }
    ::close(fd);
    ::unlink(temp.c_str()); // the converter creates it anew, and refuses a file that exists
    const Conversion result = RunConverter(converter, source, temp);
    if (result != Conversion::Done) {
        ::unlink(temp.c_str());
        if (result == Conversion::CannotWrite)
            m_errors.push_back("The code-table database '" + path + "' cannot be converted: " +
                               CString(cached ? folder : temp) + " cannot be written.");
        else if (result == Conversion::NoConverter)
            m_errors.push_back("The code-table database '" + path + "' cannot be read: " + CString(converter) +
                               " cannot be run.");
        else
            m_errors.push_back(damaged);
        return false;
    }
    if (!cached) {
        const bool ok = OpenSqlite(temp, path);
        ::unlink(temp.c_str()); // stays readable through the open connection
        return ok;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        m_errors.push_back("The code-table database '" + path + "' cannot be converted: " + CString(folder) +
                           " cannot be written.");
        return false;
    }
    // Conversions of this file before it changed are of no more use, nor are conversions left
    // unfinished by a program that was killed (long past the time any conversion may take).
    if (DIR* d = ::opendir(folder.c_str())) {
        const std::string mine = target.substr(folder.size() + 1);
        const time_t stale = ::time(nullptr) - 600;
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.rfind(prefix, 0) != 0 || name == mine)
                continue;
            struct stat old {};
            const std::string file = folder + "/" + name;
            if (name.size() == mine.size() || (::stat(file.c_str(), &old) == 0 && old.st_mtime < stale))
                ::unlink(file.c_str());
        }
        ::closedir(d);
    }
    return OpenSqlite(target, path);
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
    sqlite3_create_collation(m_db, "NOCASE", SQLITE_UTF8, nullptr, NoCaseCollation);
    for (int args = 2; args <= 3; ++args)
        sqlite3_create_function(m_db, "like", args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, LikeFunction, nullptr,
                                nullptr);
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
    if (!OpenAccess(path))
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
