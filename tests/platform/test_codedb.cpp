#include "platform/CodeDb.h"
#include "platform/CodeDbAccess.h"

#include "../codes/CodesTestUtil.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(CodeDbTest, SampleDatabaseAnswersTheVersionQuery)
{
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(MORVEL_SAMPLE_DB));
    auto rs = db.Execute("SELECT DATABASE_VERSION FROM DATABASE_VERSION ORDER BY DATABASE_VERSION DESC");
    ASSERT_FALSE(rs->IsEOF());
    EXPECT_EQ(rs->GetText("database_version"), "12");
    EXPECT_THROW(rs->GetValue("NOPE"), CodeDbError);
}

TEST(CodeDbTest, NotADatabaseFailsWithADescription)
{
    testutil::TempDir dir;
    testutil::WriteFile(dir.file("ncodes.mdb"), "this is not a database at all, just some text\n");
    CodeDbConnection db;
    EXPECT_FALSE(db.Open(dir.file("ncodes.mdb").c_str()));
    ASSERT_EQ(db.Errors().size(), 1u);
    EXPECT_EQ(db.Errors()[0], CString("Unrecognized database format '") + dir.file("ncodes.mdb").c_str() + "'.");
}

TEST(CodeDbTest, AFailedStatementRaisesAndFillsTheErrors)
{
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(MORVEL_SAMPLE_DB));
    EXPECT_THROW(db.Execute("SELECT X FROM NO_SUCH_TABLE"), CodeDbError);
    ASSERT_EQ(db.Errors().size(), 1u);
    EXPECT_NE(db.Errors()[0].Find("NO_SUCH_TABLE"), -1);
}

TEST(CodeDbTest, GenuineAccessFileIsReadTableByTable)
{
    const std::string path = testutil::FixturePath("jet/DateTestDatabase.mdb");
    SKIP_OR_FAIL_IF_ABSENT(std::filesystem::exists(path), "fixture " << path);
    testutil::ScopedCacheHome cache;
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(path.c_str()));
    auto rs = db.Execute("SELECT ShortTextCol FROM DateTest ORDER BY IDCol");
    std::vector<std::string> texts;
    for (; !rs->IsEOF(); rs->MoveNext())
        texts.push_back(rs->GetText("ShortTextCol").str());
    ASSERT_EQ(texts.size(), 6u);
    // Jet compares text without regard to case.
    auto again = db.Execute("SELECT COUNT(*) AS N FROM datetest WHERE ShortTextCol = UPPER(ShortTextCol)");
    EXPECT_EQ(again->GetText("N"), "6");
}

TEST(CodeDbTest, QuotesAreDoubledForLiterals) { EXPECT_EQ(SqlQuote("O'Brien's"), "O''Brien''s"); }

namespace {

// Conversions go to a cache folder of the test's own; the limits are cut so that the damaged
// files end quickly, and restored after.
class AccessCodeDbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldLimits = CodeDbConnection::GetLimits();
        CodeDbConnection::GetLimits().conversionWall = std::chrono::seconds(20);
        CodeDbConnection::GetLimits().conversionMemory = 512ull << 20;
    }
    void TearDown() override { CodeDbConnection::GetLimits() = m_oldLimits; }
    // The fixture copied into the test's folder (its time and size are then the test's own).
    std::string Copy(const std::string& fixture)
    {
        const std::string from = testutil::FixturePath(fixture);
        if (!std::filesystem::exists(from))
            return std::string();
        const std::string to = m_files.file("ncodes.mdb");
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
        return to;
    }
    std::vector<std::string> Conversions() const
    {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(m_cache.path() / "morvel"))
            out.push_back(e.path().filename().string());
        return out;
    }
    // The path of a conversion named in Conversions().
    std::string Conversion(const std::string& name) const { return (m_cache.path() / "morvel" / name).string(); }

    testutil::ScopedCacheHome m_cache;
    testutil::TempDir m_files;
    CodeDbConnection::Limits m_oldLimits;
};

std::vector<std::string> Column(CodeDbConnection& db, const CString& sql)
{
    std::vector<std::string> out;
    for (auto rs = db.Execute(sql); !rs->IsEOF(); rs->MoveNext())
        out.push_back(rs->GetText(0).str());
    return out;
}

} // namespace

TEST_F(AccessCodeDbTest, DamagedAccessFilesEndInOneMessageWithinTheLimits)
{
    // Each of these crashes, hangs or eats the memory of the Access reader.
    const char* const damaged[] = {"jet-props-loop.mdb",           "jet-truncated-148992.mdb", "jet-null-usage-map.mdb",
                                   "jet-table-null-usage-map.mdb", "jet-columns-null.mdb",     "jet-coltostring-overread.mdb",
                                   "jet-props-overread.mdb"};
    for (const char* name : damaged) {
        const std::string path = Copy(std::string("damaged-codetables/") + name);
        SKIP_OR_FAIL_IF_ABSENT(!path.empty(), "fixture " << name);
        CodeDbConnection db;
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(db.Open(path.c_str())) << name;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(25)) << name;
        ASSERT_EQ(db.Errors().size(), 1u) << name;
        EXPECT_EQ(db.Errors()[0], "The code-table database '" + CString(path) + "' is damaged and cannot be read.");
        // Nothing half-made is left for the next start to trust.
        EXPECT_TRUE(Conversions().empty()) << name;
    }
    rusage children {};
    ::getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 600L << 10) << "kilobytes of the largest converter";
}

TEST_F(AccessCodeDbTest, ASecondOpenReusesTheConversionUntilTheFileChanges)
{
    const std::string path = Copy("jet/DateTestDatabase.mdb");
    SKIP_OR_FAIL_IF_ABSENT(!path.empty(), "fixture jet/DateTestDatabase.mdb");
    std::string first;
    struct stat before {};
    {
        CodeDbConnection db;
        ASSERT_TRUE(db.Open(path.c_str()));
        ASSERT_EQ(Conversions().size(), 1u);
        first = Conversion(Conversions()[0]);
        ASSERT_EQ(::stat(first.c_str(), &before), 0);
    }
    {
        CodeDbConnection db;
        ASSERT_TRUE(db.Open(path.c_str()));
        EXPECT_EQ(Conversions(), std::vector<std::string> {std::filesystem::path(first).filename().string()});
        struct stat after {};
        ASSERT_EQ(::stat(first.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    }
    // A conversion that is not a finished one (cut short, or another program's file) is made anew.
    testutil::WriteFile(first, "SQLite format 3");
    {
        CodeDbConnection db;
        ASSERT_TRUE(db.Open(path.c_str()));
        EXPECT_EQ(Column(db, "SELECT COUNT(*) FROM DateTest"), std::vector<std::string> {"6"});
    }
    // A changed file gets a conversion of its own, in place of the old one; a conversion left
    // unfinished long ago by a killed program goes too.
    const std::string name = std::filesystem::path(first).filename().string();
    const std::string unfinished = (m_cache.path() / "morvel" / (name.substr(0, name.find('-') + 1) + "Ab12Cd")).string();
    testutil::WriteFile(unfinished, "SQLite format 3");
    std::filesystem::last_write_time(unfinished, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const auto later = std::filesystem::last_write_time(path) + std::chrono::seconds(5);
    std::filesystem::last_write_time(path, later);
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(path.c_str()));
    ASSERT_EQ(Conversions().size(), 1u);
    EXPECT_NE(Conversion(Conversions()[0]), first);
}

TEST_F(AccessCodeDbTest, AccentedLettersCompareAsJetDoes)
{
    const std::string path = Copy("damaged-codetables/jet-nonascii-like.mdb");
    SKIP_OR_FAIL_IF_ABSENT(!path.empty(), "fixture damaged-codetables/jet-nonascii-like.mdb");
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(path.c_str()));
    // Windows-1252 in and out: "Héllo" is 48 E9 6C 6C 6F.
    const std::vector<std::string> hello {"H\xE9llo"};
    EXPECT_EQ(Column(db, "SELECT ShortTextCol FROM DateTest WHERE ShortTextCol = 'h\xC9LLO'"), hello);
    EXPECT_EQ(Column(db, "SELECT ShortTextCol FROM DateTest WHERE ShortTextCol LIKE '%\xC9l%'"), hello);
    EXPECT_TRUE(Column(db, "SELECT ShortTextCol FROM DateTest WHERE ShortTextCol LIKE '%\xC8l%'").empty());
    EXPECT_TRUE(Column(db, "SELECT ShortTextCol FROM DateTest WHERE ShortTextCol = 'Hello'").empty());
}

TEST(CodeDbTest, SqliteTextIsUtf8ComparedWithoutCaseAndOldFilesStillAnswer)
{
    // Rows in UTF-8, and one written by an older tool in Windows-1252 bytes (0xCB is Ë).
    codetest::SmallDb file("CREATE TABLE KAVRODB_MODEL (MODEL TEXT COLLATE NOCASE, MAKE TEXT COLLATE NOCASE);"
                           "INSERT INTO KAVRODB_MODEL VALUES ('C4', 'CITRO\xC3\x8bN'), ('XM', 'CITRO\xC3\x88N'),"
                           " ('DS', 'citro\xC3\xABn'), ('2CV', CAST(X'434954524FCB4E' AS TEXT)), ('ZX', 'CITROFN'),"
                           " ('AX', 'CITROEN');");
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(file.path().c_str()));
    const std::vector<std::string> withDiaeresis {"2CV", "C4", "DS"};
    EXPECT_EQ(Column(db, "SELECT MODEL FROM KAVRODB_MODEL WHERE MAKE LIKE '%CITRO\xCBN%' ORDER BY MODEL"), withDiaeresis);
    EXPECT_EQ(Column(db, "SELECT MODEL FROM KAVRODB_MODEL WHERE MAKE = 'citro\xEBn' ORDER BY MODEL"), withDiaeresis);
    EXPECT_EQ(Column(db, "SELECT MODEL FROM KAVRODB_MODEL WHERE MAKE LIKE 'CITRO\xC8N'"), std::vector<std::string> {"XM"});
    // Values come back as the program's Windows-1252 bytes, the old row's too; accented letters
    // sort beside their plain letter.
    EXPECT_EQ(Column(db, "SELECT DISTINCT MAKE FROM KAVRODB_MODEL WHERE MODEL IN ('XM', '2CV', 'ZX', 'AX') ORDER BY MAKE"),
              (std::vector<std::string> {"CITROEN", "CITRO\xC8N", "CITRO\xCBN", "CITROFN"}));
}

TEST(CodeDbTest, PastedValuesWithANulOrOfAnyLengthAreSimplyNotFound)
{
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(MORVEL_SAMPLE_DB));
    const CString nul("VEH\0DB", 6);
    const CString huge(std::string(200000, 'V'));
    const CString bad[] = {nul, huge, CString(std::string(5000, '%') + "X" + std::string(5000, '_'))};
    for (const CString& value : bad) {
        const CString sql = "SELECT BODY FROM KAVRODB_BODY WHERE REFERENCE LIKE '%" + SqlQuote(value) +
                            "%' OR BODY = '" + SqlQuote(value) + "'";
        std::vector<std::string> rows;
        EXPECT_NO_THROW(rows = Column(db, sql)) << db.Errors().size();
        EXPECT_TRUE(rows.empty());
    }
}

TEST(CodeDbTest, ARunawayQueryEndsInTheConnectionsError)
{
    const std::string path = testutil::FixturePath("damaged-codetables/sqlite-infinite-view.mdb");
    SKIP_OR_FAIL_IF_ABSENT(std::filesystem::exists(path), "fixture " << path);
    const auto old = CodeDbConnection::GetLimits();
    CodeDbConnection::GetLimits().statement = std::chrono::milliseconds(300);
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(path.c_str()));
    EXPECT_THROW(db.Execute("SELECT MAKE FROM KAVRODB_MAKE WHERE REFERENCE LIKE '%VEHDB%' ORDER BY MAKE"), CodeDbError);
    ASSERT_EQ(db.Errors().size(), 1u);
    EXPECT_EQ(db.Errors()[0], "The code table 'KAVRODB_MAKE' cannot be read: Query timeout expired");
    // The connection goes on answering.
    EXPECT_FALSE(Column(db, "SELECT DATABASE_VERSION FROM DATABASE_VERSION").empty());
    CodeDbConnection::GetLimits() = old;
}

// The converter writes only a file it creates: whatever stands at the output's name (a file, a
// link, a pipe) is refused and left as it was.
TEST_F(AccessCodeDbTest, TheConverterRefusesAnOutputThatExists)
{
    const std::string access = Copy("jet/DateTestDatabase.mdb");
    const std::string converter = AccessConverterPath();
    SKIP_OR_FAIL_IF_ABSENT(!access.empty(), "fixture jet/DateTestDatabase.mdb");
    SKIP_OR_FAIL_IF_ABSENT(!converter.empty(), "converter morvel-mdbconvert");
    const std::string file = m_files.file("out.sqlite");
    testutil::WriteFile(file, "keep me");
    const std::string link = m_files.file("link.sqlite");
    std::filesystem::create_symlink(file, link);
    const std::string pipe = m_files.file("pipe.sqlite");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& out : {file, link, pipe}) {
        const int status = std::system(("timeout 20 '" + converter + "' '" + access + "' '" + out + "'").c_str());
        ASSERT_TRUE(WIFEXITED(status)) << out;
        EXPECT_EQ(WEXITSTATUS(status), 3) << out;
    }
    EXPECT_EQ(testutil::ReadFile(file), "keep me");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    // A name that is free is written.
    EXPECT_EQ(std::system(("'" + converter + "' '" + access + "' '" + m_files.file("new.sqlite") + "'").c_str()), 0);
}

// A code-table file that may not be read, or that lies in a folder that may not be searched, is
// told as such, not as missing. Permissions do not bind the superuser: then the open runs in a
// child that has given up its rights, and the closed folder is the superuser's own (mode 700).
TEST_F(AccessCodeDbTest, AnUnreadableFileIsReportedAsAccessDenied)
{
    ASSERT_EQ(::chmod(m_files.path().c_str(), 0711), 0);
    const bool root = ::geteuid() == 0;
    struct Case {
        const char* fixture; // "": the sample database
        const char* folder;  // "": the file itself is closed; else the folder holding it
    };
    for (const Case& c : {Case {"jet/DateTestDatabase.mdb", ""}, Case {"", ""}, Case {"", "closed"}}) {
        std::string path = *c.fixture ? Copy(c.fixture) : m_files.file("ncodes.mdb");
        if (path.empty())
            continue;
        const std::string folder = *c.folder ? m_files.file(c.folder) : std::string();
        if (!folder.empty()) {
            std::filesystem::create_directory(folder);
            path = folder + "/ncodes.mdb";
        }
        if (!*c.fixture)
            std::filesystem::copy_file(MORVEL_SAMPLE_DB, path, std::filesystem::copy_options::overwrite_existing);
        const std::string closed = folder.empty() ? path : folder;
        ASSERT_EQ(::chmod(closed.c_str(), folder.empty() ? 0 : root ? 0700 : 0600), 0);
        const CString expected = "The Microsoft Jet database engine cannot open the file '" + CString(path) +
                                 "'.  You need permission to view its data.";
        const auto opensDenied = [&] {
            CodeDbConnection db;
            return !db.Open(path.c_str()) && db.Errors().size() == 1 && db.Errors()[0] == expected;
        };
        if (!root) {
            EXPECT_TRUE(opensDenied()) << path;
        } else {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0)
                ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && opensDenied() ? 0 : 1);
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << path;
        }
        ::chmod(closed.c_str(), 0700);
    }
}
