#pragma once
// The code-table connection: one process-wide connection to "ncodes.mdb", opened at start-up and
// closed at exit, on which every code query runs its SELECT text.
//
// SQLite files open directly. A genuine Access (Jet) file is converted into an SQLite file in the
// user's cache folder by morvel-mdbconvert, run as a process of its own under limits on memory,
// CPU and time: the Access reading library crashes, loops or eats memory on damaged files, and
// that must end the converter, never the program. The conversion is kept, keyed by the file's
// path, size and modification time, so the next start opens it at once.
//
// The database holds UTF-8 text; the program's Windows-1252 statements are converted on the way
// in and the values on the way out. Text compares without regard to case, accented letters too
// (NOCASE and LIKE are replaced on the connection), as Jet compares it. Every statement runs
// under a time limit, so a runaway query ends in an error instead of a hang.
//
// Failures are raised as CodeDbError, as the database layer raises its errors; the connection's
// Errors() then hold the description texts that the callers show, one box each.

#include "platform/CString.h"

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

struct CodeDbError {
    CString description;
};

class CodeDbValue {
public:
    enum class Type { Null, Integer, Real, Text };

    CodeDbValue() = default;
    static CodeDbValue FromInteger(long long v);
    static CodeDbValue FromReal(double v);
    static CodeDbValue FromText(std::string v);

    Type type() const { return m_type; }
    bool IsNull() const { return m_type == Type::Null; }
    // The value as text: NULL as the empty text, numbers in decimal ("12", "2.5").
    CString ToText() const;

private:
    Type m_type = Type::Null;
    long long m_int = 0;
    double m_real = 0.0;
    std::string m_text;
};

class CodeDbRecordset {
public:
    CodeDbRecordset(std::vector<std::string> columns, std::vector<std::vector<CodeDbValue>> rows);

    bool IsEOF() const { return m_row >= m_rows.size(); }
    void MoveNext()
    {
        if (!IsEOF())
            ++m_row;
    }
    void MoveFirst() { m_row = 0; }
    int GetRecordCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    CString GetColumnName(int index) const;

    // The column of the current row by name (without regard to case, as the provider finds
    // fields). Raises CodeDbError for an unknown column or at the end of the rows.
    const CodeDbValue& GetValue(const char* column) const;
    const CodeDbValue& GetValue(int index) const;
    CString GetText(const char* column) const { return GetValue(column).ToText(); }
    CString GetText(int index) const { return GetValue(index).ToText(); }
    void Close() { m_row = m_rows.size(); }

private:
    std::vector<std::string> m_columns;
    std::vector<std::vector<CodeDbValue>> m_rows;
    size_t m_row = 0;
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
    // The file opened was a genuine Access file, read through its conversion.
    bool IsAccessFile() const { return m_bAccess; }
    // The SQLite file the connection reads (the conversion, for an Access file).
    const std::string& DatabasePath() const { return m_dbPath; }

    // Limits of a statement and of the Access conversion (tests shorten them).
    struct Limits {
        std::chrono::milliseconds statement {5000};
        std::chrono::milliseconds conversionWall {60000};
        int conversionCpuSeconds = 30;
        unsigned long long conversionMemory = 1ull << 30;
    };
    static Limits& GetLimits();

private:
    [[noreturn]] void Fail(const CString& description);
    bool OpenSqlite(const std::string& path, const CString& shownPath);
    static int OnProgress(void* self);

    sqlite3* m_db = nullptr;
    bool m_bAccess = false;
    std::string m_dbPath;
    std::vector<CString> m_errors;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_timedOut = false;
};

// The converter program: beside the running program, else where the build put it.
std::string AccessConverterPath();
// Where conversions are kept: $XDG_CACHE_HOME/morvel, else ~/.cache/morvel.
std::string CodeDbCacheFolder();

extern std::shared_ptr<CodeDbConnection> g_pCodeDbConnection;
extern int g_bCodeDbOpen;

// Runs a SELECT text on g_pCodeDbConnection; with no connection it raises CodeDbError with an
// empty error collection, as a call through an empty connection does.
std::unique_ptr<CodeDbRecordset> CodeDbExecute(const CString& sql);
// One AfxMessageBox per description of the connection's error collection.
void ShowCodeDbErrors();
// The text with each ' doubled, for pasting into a quoted SQL literal.
CString SqlQuote(const CString& text);
