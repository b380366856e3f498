#pragma once
// The code-table connection: one process-wide connection to "ncodes.mdb", opened at start-up and
// closed at exit, on which every code query runs its SELECT text.
//
// SQLite files open directly. A genuine Access (Jet) file is read through libmdb: each table is
// copied into an in-memory SQLite database the first time a statement needs it, with its text
// columns COLLATE NOCASE (Jet compares and sorts text without regard to case), so the program's
// statements run unchanged on either kind of file.
//
// Failures are raised as CodeDbError, as the database layer raises its errors; the connection's
// Errors() then hold the description texts that the callers show, one box each.

#include "platform/CString.h"

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
    bool IsAccessFile() const { return m_mdb != nullptr; }

private:
    [[noreturn]] void Fail(const CString& description);
    bool CopyAccessTable(const std::string& name);

    sqlite3* m_db = nullptr;
    struct MdbFile;
    std::unique_ptr<MdbFile> m_mdb;
    std::vector<CString> m_errors;
};

extern std::shared_ptr<CodeDbConnection> g_pCodeDbConnection;
extern int g_bCodeDbOpen;

// Runs a SELECT text on g_pCodeDbConnection; with no connection it raises CodeDbError with an
// empty error collection, as a call through an empty connection does.
std::unique_ptr<CodeDbRecordset> CodeDbExecute(const CString& sql);
// One AfxMessageBox per description of the connection's error collection.
void ShowCodeDbErrors();
// The text with each ' doubled, for pasting into a quoted SQL literal.
CString SqlQuote(const CString& text);
