#pragma once
// The code-table connection for the code tests: the sample database, or a small database made
// from SQL text for the cases the sample must not carry (NULL codes, codes differing in case).

#include "platform/CodeDb.h"
#include "platform/Messages.h"

#include "TestUtil.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <memory>
#include <string>

namespace codetest {

// Installs a connection as g_pCodeDbConnection for the life of the object.
class Connection {
public:
    explicit Connection(const std::string& path = MORVEL_SAMPLE_DB)
    {
        m_previous = g_pCodeDbConnection;
        g_pCodeDbConnection = std::make_shared<CodeDbConnection>();
        m_open = g_pCodeDbConnection->Open(path.c_str());
        g_bCodeDbOpen = m_open;
    }
    ~Connection()
    {
        g_pCodeDbConnection = m_previous;
        g_bCodeDbOpen = g_pCodeDbConnection && g_pCodeDbConnection->IsOpen();
    }
    bool open() const { return m_open; }

private:
    std::shared_ptr<CodeDbConnection> m_previous;
    bool m_open = false;
};

// The statement limit measured on a clock that moves one millisecond each time it is read.
// SQLite reads it every thousand steps of a statement, so a statement's time is the work it does
// and a long one runs out of time however fast the machine is.
class SteppingClock {
public:
    SteppingClock() : m_previous(CodeDbConnection::GetLimits().clock) { CodeDbConnection::GetLimits().clock = &Read; }
    ~SteppingClock() { CodeDbConnection::GetLimits().clock = m_previous; }
    SteppingClock(const SteppingClock&) = delete;
    SteppingClock& operator=(const SteppingClock&) = delete;

private:
    static std::chrono::steady_clock::time_point Read()
    {
        static long long ticks = 0;
        return std::chrono::steady_clock::time_point(std::chrono::milliseconds(++ticks));
    }
    std::chrono::steady_clock::time_point (*m_previous)();
};

// A database built from SQL text in a scratch folder.
class SmallDb {
public:
    explicit SmallDb(const char* sql)
    {
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(path().c_str(), &db), SQLITE_OK);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
        sqlite3_close(db);
    }
    std::string path() const { return m_dir.file("ncodes.mdb"); }

private:
    testutil::TempDir m_dir;
};

// A coded field as the check sees it: its text and its valid state (-1 never set).
struct Field {
    CString text;
    int valid = -1;
    CString GetText() const { return text; }
    void SetValid(bool value) { valid = value ? 1 : 0; }
};

} // namespace codetest
