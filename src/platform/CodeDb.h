#pragma once
// The code-table connection: one process-wide connection to "ncodes.mdb", opened at start-up and
// closed at exit, on which every code query runs its SELECT text.
//
// SQLite files open directly. A genuine Access (Jet) file is converted into an SQLite file in the
// user's cache folder by morvel-mdbconvert, run as a process of its own under limits on memory,
// CPU and time: the Access reading library crashes, loops or eats memory on damaged files, and
// that must end the converter, never the program. The conversion is kept, keyed by the file's
// path, size, modification time and content, so the next start opens it at once; a kept one
// that is damaged or not of this file is made anew.
//
// The database holds UTF-8 text; the program's Windows-1252 statements are converted on the way
// in and the values on the way out. Text compares without regard to case, accented letters too
// (NOCASE and LIKE are replaced on the connection), as Jet compares it. Every statement runs
// under a time limit, so a runaway query ends in an error instead of a hang.
//
// Failures are raised as CodeDbError, as the database layer raises its errors; the connection's
// Errors() then hold the description texts that the callers tell. Within one action of the user
// (platform::CodeDbCommandScope) a table that failed is not asked again, and the failures met are
// told together, once: a file that lacks every table would otherwise ask for one OK per table,
// forty for one command.

#include "platform/CString.h"
#include "platform/CodeDbAccess.h"
#include "platform/Messages.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

struct CodeDbError {
    CString description;
    // The statement was not run: its table failed before in the same user command, and that
    // failure has been told.
    bool alreadyTold = false;
};

class CodeDbValue {
public:
    enum class Type { Null, Integer, Real, Text };

    CodeDbValue() = default;
    static CodeDbValue FromInteger(long long v);
    static CodeDbValue FromReal(double v);
    static CodeDbValue FromText(std::string v);

    Type type() const { return m_type; }
    // The value as text: NULL as the empty text, numbers in decimal ("12", "2.5").
    CString ToText() const;

private:
    Type m_type = Type::Null;
    long long m_int = 0;
    double m_real = 0.0;
    std::string m_text;
};

class CodeDbConnection;

// The rows of one statement, read forward one at a time as the caller moves: only the current
// row is held, so a check that stops at the row it needs reads no further. Reading a row may
// fail (a damaged page, the time limit): MoveNext then raises CodeDbError.
class CodeDbRecordset {
public:
    CodeDbRecordset(CodeDbConnection& connection, sqlite3_stmt* stmt, std::string table);
    ~CodeDbRecordset();
    CodeDbRecordset(const CodeDbRecordset&) = delete;
    CodeDbRecordset& operator=(const CodeDbRecordset&) = delete;

    bool IsEOF() const { return m_eof; }
    void MoveNext();
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }

    // The column of the current row by name (without regard to case, as the provider finds
    // fields). Raises CodeDbError for an unknown column or at the end of the rows.
    const CodeDbValue& GetValue(const char* column) const;
    const CodeDbValue& GetValue(int index) const;
    CString GetText(const char* column) const { return GetValue(column).ToText(); }
    CString GetText(int index) const { return GetValue(index).ToText(); }
    void Close();

private:
    friend class CodeDbConnection;
    // The next row: SQLITE_ROW, SQLITE_DONE (the statement is finished) or SQLite's error.
    int Step();
    void Finish();
    [[noreturn]] void NoSuchItem() const;

    CodeDbConnection* m_connection;
    sqlite3_stmt* m_stmt;
    std::string m_table;
    std::vector<std::string> m_columns;
    std::vector<CodeDbValue> m_row;
    bool m_eof = false;
    std::chrono::steady_clock::time_point m_deadline;
    std::chrono::steady_clock::time_point m_started;
};

class CodeDbConnection {
public:
    CodeDbConnection();
    ~CodeDbConnection();
    CodeDbConnection(const CodeDbConnection&) = delete;
    CodeDbConnection& operator=(const CodeDbConnection&) = delete;

    // Opens the file read-only. False with Errors() filled when it cannot be opened or is not a
    // database.
    bool Open(const CString& path);
    bool IsOpen() const { return m_db != nullptr; }
    void Close();

    // Runs a SELECT text. Raises CodeDbError (and fills Errors()) when it fails.
    std::unique_ptr<CodeDbRecordset> Execute(const CString& sql);

    const std::vector<CString>& Errors() const { return m_errors; }

    // Limits of a statement and of the Access conversion (tests shorten them).
    struct Limits : codedbaccess::ConversionLimits {
        std::chrono::milliseconds statement {5000};
        // What the statement limit is measured on; a test puts in a clock it moves itself, so
        // that a long statement runs out of time however fast the machine is.
        std::chrono::steady_clock::time_point (*clock)() = &std::chrono::steady_clock::now;
    };
    static Limits& GetLimits();
    static std::chrono::steady_clock::time_point Now() { return GetLimits().clock(); }

private:
    friend class CodeDbRecordset;
    // Raises the description as the connection's one error; the table it concerns is not asked
    // again in the same user command.
    [[noreturn]] void Fail(const CString& description, const std::string& table);
    bool OpenSqlite(const std::string& path, const CString& shownPath);
    bool OpenAccess(const CString& path, bool rebuild);
    // A damaged conversion is made anew from the Access file, once per connection.
    bool Reconvert();
    CString StepError(int rc);
    CString TableFault(const std::string& table, const CString& cause) const;
    CString DamagedMessage() const;
    static int OnProgress(void* self);

    sqlite3* m_db = nullptr;
    bool m_bAccess = false;
    bool m_fromCache = false;
    bool m_reconverted = false;
    bool m_damaged = false;
    CString m_shownPath;
    std::string m_dbPath;
    std::vector<CString> m_errors;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_timedOut = false;
};

namespace platform {

// One action of the user (a menu command, a page change with the page left and the page entered,
// a record move, a list pick, a button, a dialog) as the code-table connection sees it: a table
// that failed is not asked again until the action ends, and the statements on one table share one
// statement's time limit, so a broken or hostile table holds the action no longer than that. The
// failures met are told once, as the action's boxes tell what it has still to tell
// (platform::ActionBoxes): after the text of the action's next plain OK box, or in a box of their
// own before a dialog waits for the user or when the action ends. Scopes nest; the outermost one
// counts, and is the action whose boxes are not repeated.
class CodeDbCommandScope {
public:
    CodeDbCommandScope();
    // The outermost scope tells what was gathered.
    ~CodeDbCommandScope();
    CodeDbCommandScope(const CodeDbCommandScope&) = delete;
    CodeDbCommandScope& operator=(const CodeDbCommandScope&) = delete;

    // The outermost scope alive, or none.
    static CodeDbCommandScope* Current();
    bool HasFailed(const std::string& table) const { return m_failed.count(table) != 0; }
    void MarkFailed(const std::string& table) { m_failed.insert(table); }
    std::chrono::steady_clock::duration TimeSpent(const std::string& table) const;
    void AddTime(const std::string& table, std::chrono::steady_clock::duration time) { m_spent[table] += time; }
    // A failure to tell within the action; the same text is told once.
    void Gather(const CString& description);

private:
    // The failures gathered and not yet told, in one text ("" for none); told from then on.
    std::string TakeUntold();

    bool m_outermost;
    std::vector<CString> m_gathered;
    size_t m_told = 0; // the first m_told of m_gathered have been told
    std::optional<ActionBoxes> m_boxes;
    std::set<std::string> m_failed;
    std::map<std::string, std::chrono::steady_clock::duration> m_spent;
};

} // namespace platform

// The table a statement reads: the name after its first FROM, in capitals ("" when none).
std::string TableOfStatement(const CString& sql);

extern std::shared_ptr<CodeDbConnection> g_pCodeDbConnection;
extern int g_bCodeDbOpen;

// Runs a SELECT text on g_pCodeDbConnection; with no connection it raises CodeDbError with an
// empty error collection, as a call through an empty connection does.
std::unique_ptr<CodeDbRecordset> CodeDbExecute(const CString& sql);
// Each description of the connection's error collection, told as TellCodeDbFailure tells it.
void ShowCodeDbErrors();
// A failure of the code tables: gathered by the action under way, or shown now (OK) outside one.
void TellCodeDbFailure(const CString& description);
// The one box of the failures an action met: a single failure as its own text, several listed in
// the order met, the list cut after kMostFailuresListed with the number left out.
CString GatheredCodeDbFailures(const std::vector<CString>& descriptions);
inline constexpr size_t kMostFailuresListed = 10;
// The text with each ' doubled, for pasting into a quoted SQL literal.
CString SqlQuote(const CString& text);
