#include "platform/CodeDb.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "fixture absent: " << path;
    CodeDbConnection db;
    ASSERT_TRUE(db.Open(path.c_str()));
    EXPECT_TRUE(db.IsAccessFile());
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
