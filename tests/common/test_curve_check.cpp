#include "common/CurveCheck.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>

using testutil::TempDir;
using testutil::WriteFile;

namespace {

// Points as lines ending in CR LF.
std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

const std::string kFiveTimes = Lines({"-0.002 1.5", "-0.001\t2.5", "0.0 3", "0.001 4", "0.002 5"});

// Reads one curve file named t.<ext> in a fresh folder.
struct OneCurve {
    TempDir dir;
    CCurveCheck check;
    std::string path;
    OneCurve(const std::string& text, const std::string& ext = "001") : check(dir.file("t.mv5"))
    {
        path = dir.file("t." + ext);
        WriteFile(path, text);
        EXPECT_EQ(check.CheckCurveFiles(), 1);
    }
    CurveErrorRecord& record() { return check.GetErrorRecords().at(0); }
};

std::string ErrorText(const std::string& path, int point, const std::string& line, bool mixed = false)
{
    return "Curve error in " + path + ", point " + std::to_string(point) + ": " +
           (mixed ? "Mess Y and A-Y format; " : "") + line +
           " is not real number. View curve errors, correct and reload this test";
}

CStringArray Channels(std::initializer_list<const char*> values)
{
    CStringArray a;
    a.Add("");
    for (const char* v : values)
        a.Add(v);
    return a;
}

} // namespace

TEST(CurveErrorRecordTest, ResetCopyAndThreeDigitNumber)
{
    CurveErrorRecord r;
    EXPECT_EQ(r.m_strCurveNo, "000");
    EXPECT_EQ(r.m_nCurveNfp, 999999);
    EXPECT_TRUE(r.m_bNfpOk && r.m_bNlpOk && r.m_bDelOk && r.m_bTotalOk);
    for (auto [n, text] : std::vector<std::pair<int, std::string>>{{7, "007"}, {42, "042"}, {123, "123"}}) {
        r.m_nCurveNo = n;
        r.m_strCurveNo = "x";
        r.m_strNote = "note";
        CurveErrorRecord copy(r);
        EXPECT_EQ(copy.m_strCurveNo, text);
        EXPECT_EQ(copy.m_strNote, "note");
    }
    r = r;
    EXPECT_EQ(r.m_strCurveNo, "x");
}

TEST(CurveCheckTest, FolderListingReadsNumberedFilesOnlyInOrder)
{
    TempDir dir;
    for (const char* name : {"t.mv5", "t.002", "t.abc", "t.0", "t.001", "t.-3"})
        WriteFile(dir.file(name), kFiveTimes);
    std::filesystem::create_directory(dir.file("sub.003"));
    CCurveCheck check(dir.file("t.mv5"));
    ASSERT_EQ(check.CheckCurveFiles(), 2);
    EXPECT_EQ(check.GetErrorRecords()[0].m_nCurveNo, 1);
    EXPECT_EQ(check.GetErrorRecords()[1].m_nCurveNo, 2);
    EXPECT_EQ(check.GetErrorRecords()[1].m_strCurveNo, "002");

    EXPECT_EQ(CCurveCheck("").CheckCurveFiles(), 0);
    EXPECT_EQ(CCurveCheck("t.mv5").CheckCurveFiles(), 0);
    EXPECT_EQ(CCurveCheck(dir.file("nothere/t.mv5")).CheckCurveFiles(), 0);
}

TEST(CurveCheckTest, TwoColumnPointsAroundTimeZero)
{
    OneCurve c(kFiveTimes);
    EXPECT_EQ(c.record().m_nCurveNfp, -2);
    EXPECT_EQ(c.record().m_nCurveNlp, 2);
    EXPECT_EQ(c.record().m_nCurveDel, 1000);
    EXPECT_EQ(c.record().m_nCurveTotal, 5);
    EXPECT_EQ(c.record().m_strError, "");
    EXPECT_EQ(c.check.GetCheckCount(), 2);

    // Blank lines and lines of blanks anywhere change nothing.
    OneCurve blanks("\r\n   \r\n" + Lines({"-0.002 1.5", "", "\t \t", "-0.001 2.5", "0.0 3", "  0.001   4  ", "0.002 5"}) +
                    " \n");
    EXPECT_EQ(blanks.record().m_nCurveNfp, -2);
    EXPECT_EQ(blanks.record().m_nCurveDel, 1000);
    EXPECT_EQ(blanks.record().m_nCurveTotal, 5);
    EXPECT_EQ(blanks.record().m_strError, "");
}

TEST(CurveCheckTest, InvalidLinesAreQuotedAndNotCounted)
{
    OneCurve abc(kFiveTimes + "abc   0.003\r\n");
    EXPECT_EQ(abc.record().m_nCurveTotal, 5);
    EXPECT_EQ(abc.record().m_strError, ErrorText(abc.path, 6, "abc 0.003"));

    OneCurve mixed(Lines({"-0.001 1", "0.0 2", "7", "0.001 3"}));
    EXPECT_EQ(mixed.record().m_nCurveTotal, 3);
    EXPECT_EQ(mixed.record().m_strError, ErrorText(mixed.path, 3, "7", true));
    EXPECT_EQ(mixed.record().m_nCurveDel, -1000000) << "the line after time zero was no point";
}

TEST(CurveCheckTest, TimeZeroAndTimeStepEdges)
{
    OneCurve none(Lines({"0.001 1", "0.002 2", "0.003 3"}));
    EXPECT_EQ(none.record().m_nCurveNfp, -9999999);
    EXPECT_EQ(none.record().m_nCurveDel, -1000000);
    EXPECT_EQ(none.record().m_nCurveTotal, 3);

    OneCurve truncated(Lines({"0.0 1", "0.0000499 2", "0.0000998 3"}));
    EXPECT_EQ(truncated.record().m_nCurveNfp, 0);
    EXPECT_EQ(truncated.record().m_nCurveDel, 49);

    // A line is judged whole, however long.
    const std::string longTime = "0.0010000000000000000000000000000000000000000000000000000000000000000";
    OneCurve longLine(Lines({"0.0 1", longTime + " 2.000000000000000000000000000000000000000000000000000001"}));
    EXPECT_EQ(longLine.record().m_nCurveTotal, 2);
    EXPECT_EQ(longLine.record().m_nCurveDel, 1000);
    EXPECT_EQ(longLine.record().m_strError, "");
}

TEST(CurveCheckTest, OneColumnComparedWithTheTestFile)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += std::to_string(i * 0.5) + "\r\n";
    OneCurve c(text);
    EXPECT_EQ(c.record().m_nCurveNfp, 999999);
    EXPECT_EQ(c.record().m_nCurveTotal, 1000);
    EXPECT_EQ(c.check.GetCheckCount(), 1);

    auto& records = c.check.GetErrorRecords();
    c.check.SetRecordChannelInfo(0, records, "0", "999", "100");
    EXPECT_TRUE(records[0].m_bNfpOk && records[0].m_bNlpOk && records[0].m_bTotalOk && records[0].m_bDelOk);
    EXPECT_EQ(records[0].m_strNote, "");
    EXPECT_EQ(records[0].m_nCurveNlp, 999);

    c.check.SetRecordChannelInfo(0, records, "0", "998", "100");
    EXPECT_FALSE(records[0].m_bNfpOk || records[0].m_bNlpOk || records[0].m_bTotalOk);
    EXPECT_TRUE(records[0].m_bDelOk);
    EXPECT_EQ(records[0].m_nTestTotal, 999);
    EXPECT_EQ(records[0].m_strNote, "Hint: NLP = 999 or NLP - NFP = Total Point - 1 = 999 where NLP = 'Last Point' "
                                     "and NFP = 'First Point'");
}

TEST(CurveCheckTest, TwoColumnComparisonAndHints)
{
    std::string text;
    for (int i = -2; i <= 2; ++i)
        text += std::to_string(i * 0.00005) + " 1\n";
    OneCurve c(text);
    auto& records = c.check.GetErrorRecords();
    ASSERT_EQ(records[0].m_nCurveDel, 50);

    c.check.SetRecordChannelInfo(0, records, "-2", "2", "100");
    EXPECT_TRUE(records[0].m_bNfpOk && records[0].m_bNlpOk && records[0].m_bTotalOk);
    EXPECT_FALSE(records[0].m_bDelOk);
    EXPECT_EQ(records[0].m_strNote, "Hint: replacing 'Time Step' =100 with 50");

    // A wrong count replaces the time-step hint.
    c.check.SetRecordChannelInfo(0, records, "0", "9", "100");
    EXPECT_FALSE(records[0].m_bNfpOk);
    EXPECT_FALSE(records[0].m_bNlpOk);
    EXPECT_FALSE(records[0].m_bTotalOk);
    EXPECT_EQ(records[0].m_strNote, "Hint: NLP = 2 or NLP - NFP = Total Point - 1 = 4 where NLP = 'Last Point' and "
                                     "NFP = 'First Point'");

    c.check.SetRecordChannelInfo(0, records, "-2", "2", "50");
    EXPECT_TRUE(records[0].m_bDelOk && records[0].m_bNfpOk);
    EXPECT_EQ(records[0].m_strNote, "");

    // Numbers at the ends of the int range and a record index outside the vector are harmless.
    c.check.SetRecordChannelInfo(0, records, "-99999999999", "99999999999", "x");
    EXPECT_FALSE(records[0].m_bTotalOk);
    c.check.SetRecordChannelInfo(5, records, "0", "1", "2");
    c.check.CompareRecord(-1, records);
}

TEST(CurveCheckTest, MergeMarksChannelsWithoutCurveAndSkipsUnknownCurves)
{
    TempDir dir;
    WriteFile(dir.file("t.002"), kFiveTimes);
    WriteFile(dir.file("t.007"), kFiveTimes);
    WriteFile(dir.file("t.005"), "");
    CCurveCheck check(dir.file("t.mv5"));
    ASSERT_EQ(check.CheckCurveFiles(), 3);
    CStringArray first = Channels({"0", "-2", "0", "0"});
    CStringArray last = Channels({"9", "2", "9", "9"});
    CStringArray step = Channels({"1", "1000", "1", "1"});
    check.MergeChannelInfo(first, last, step);
    EXPECT_TRUE(check.HasChannelInfo());
    EXPECT_EQ(check.GetChannelIndex(), (std::vector<int> {-1, -1, 0, -1, -1}));
    const auto& records = check.GetErrorRecords();
    EXPECT_EQ(records[0].m_nTestNlp, 2);
    EXPECT_TRUE(records[0].m_bNlpOk && records[0].m_bDelOk);
    EXPECT_EQ(records[2].m_nCurveNo, 7);
    EXPECT_EQ(records[2].m_nTestNlp, 0) << "curve 7 has no channel";
    EXPECT_EQ(check.GetCheckCount(), 2) << "the empty file does not decide the column count";
}

TEST(CurveCheckTest, BadFilesGiveARecordWithTheirError)
{
    TempDir dir;
    std::string binary;
    for (int i = 0; i < 300000; ++i)
        binary += static_cast<char>((i * 7919u) % 256u);
    WriteFile(dir.file("t.001"), binary);
    WriteFile(dir.file("t.002"), "");
    WriteFile(dir.file("t.003"), "0.0 1\r\n" + std::string(10 * 1024 * 1024, '7') + " x\r\n0.001 2\r\n");
    std::string wide;
    for (int line = 0; line < 3; ++line) {
        for (int i = 0; i < 10000; ++i)
            wide += "1.5 ";
        wide += "\n";
    }
    WriteFile(dir.file("t.004"), wide);
    std::filesystem::create_symlink(dir.file("gone"), dir.file("t.005"));
    ASSERT_EQ(::mkfifo(dir.file("t.006").c_str(), 0600), 0); // would wait for a writer for ever

    CCurveCheck check(dir.file("t.mv5"));
    ASSERT_EQ(check.CheckCurveFiles(), 6);
    const auto& r = check.GetErrorRecords();
    EXPECT_EQ(r[0].m_strError.rfind("Curve error in " + dir.file("t.001") + ", point 1: ", 0), 0u);
    EXPECT_EQ(r[1].m_nCurveTotal, 0);
    EXPECT_EQ(r[1].m_strError, "");
    EXPECT_EQ(r[2].m_nCurveTotal, 2);
    EXPECT_LT(r[2].m_strError.size(), 1200u);
    EXPECT_NE(r[2].m_strError.find("... is not real number"), std::string::npos);
    EXPECT_EQ(r[3].m_nCurveTotal, 0);
    EXPECT_NE(r[3].m_strError.find("point 1: 1.5 1.5"), std::string::npos);
    EXPECT_EQ(r[4].m_nCurveNo, 0);
    EXPECT_EQ(r[4].m_strCurveNo, "000");
    EXPECT_EQ(r[4].m_strError, "Curve data file is bad or not exist");
    EXPECT_EQ(r[5].m_strError, "Curve data file is bad or not exist");
}

TEST(CurveCheckTest, LargeFilesAreReadInPiecesAndHugeOnesRefusedUnread)
{
    TempDir dir;
    // Lines of every length cross the pieces the file is read in; the count and the time step
    // come out as from a small file.
    std::string text;
    int points = 0;
    for (int i = -1000; text.size() < 3 * 1024 * 1024; ++i, ++points)
        text += std::to_string(i) + "e-6" + std::string(static_cast<size_t>(i & 31), ' ') + "\t" + std::to_string(i % 97) +
                ".25\r\n";
    WriteFile(dir.file("t.001"), text + "bad line here\r\n0.5 1\r\n");
    // 100 GB that cost no disk: refused by its size, not read.
    WriteFile(dir.file("t.002"), "0.0 1\r\n");
    std::filesystem::resize_file(dir.file("t.002"), 100ull << 30);

    CCurveCheck check(dir.file("t.mv5"));
    ASSERT_EQ(check.CheckCurveFiles(), 2);
    const auto& r = check.GetErrorRecords();
    EXPECT_EQ(r[0].m_nCurveTotal, points + 1);
    EXPECT_EQ(r[0].m_nCurveNfp, -1000);
    EXPECT_EQ(r[0].m_nCurveDel, 1);
    EXPECT_EQ(r[0].m_strError, ErrorText(dir.file("t.001"), points + 1, "bad line here", true));
    EXPECT_EQ(r[1].m_nCurveTotal, 0);
    EXPECT_EQ(r[1].m_strError, "Curve data file is larger than 2048 MB, not read");
}

TEST(CurveCheckTest, UsualLinesAreJudgedByTheFullRules)
{
    // Each line follows two good points, so the column count and the time step are known when it
    // is read; `quoted` is empty for a line that is a point.
    struct Case {
        std::string line;
        std::string quoted;
        bool mixed = false;
    };
    const std::vector<Case> cases {
        {"0.002 3\r\n", ""},
        {"0.002 3\n", ""},
        {" \t0.002\t3 \t\r\n", ""},
        {"0.002 -.\r\n", ""},
        {"0.002 5.\r\n", ""},
        {".5 -.5\r\n", ""},
        {"-e+5 1E-07\r\n", ""},
        {"0.002 -.e+1\r\n", ""},
        {"0.002 1e+\r\n", ""},
        {"0.002 1e5\r\n", "0.002 1e5"},
        {"0.002 e+1\r\n", "0.002 e+1"},
        {"0.002 -\r\n", "0.002 -"},
        {"0.002 .\r\n", "0.002 ."},
        {"0.002 1.2.3\r\n", "0.002 1.2.3"},
        {"0.002 --1\r\n", "0.002 --1"},
        {"0.002 1-\r\n", "0.002 1-"},
        {"0.002 1e+5.0\r\n", "0.002 1e+5.0"},
        {"0.002 3\r\r\n", "0.002 3\r"},
        {"0.002 3\r \n", "0.002 3\r"},
        {"0.002 3\v\r\n", "0.002 3\v"},
        {"0.002 3 4\r\n", "0.002 3 4", true},
        {"0.002\r\n", "0.002", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        OneCurve curve("0.0 1\r\n0.001 2\r\n" + c.line);
        EXPECT_EQ(curve.record().m_nCurveTotal, c.quoted.empty() ? 3 : 2);
        EXPECT_EQ(curve.record().m_strError, c.quoted.empty() ? "" : ErrorText(curve.path, 3, c.quoted, c.mixed));
        EXPECT_EQ(curve.record().m_nCurveDel, 1000);
    }
}

TEST(CurveCheckTest, ManyFilesCheckedTogetherGiveTheFindingsOfOneAfterAnother)
{
    // Files of every kind and size, so that they finish out of order: good ones, a long one, one
    // column, errors, empty, unreadable, a pipe, and a folder that is no curve.
    TempDir dir;
    std::vector<std::string> curves;
    for (int c = 1; c <= 40; ++c) {
        char name[16];
        std::snprintf(name, sizeof name, "t.%03d", c);
        const std::string path = dir.file(name);
        std::string text;
        const int points = c % 7 == 0 ? 60000 : 10 + c;
        for (int i = 0; i < points; ++i) {
            if (c % 5 == 0)
                text += std::to_string(i) + "\n";
            else
                text += std::to_string((i - c) * 0.0001) + " " + std::to_string(i * c) + "\r\n";
        }
        if (c % 3 == 0)
            text += "oops " + std::to_string(c) + "\r\n0.5\r\n";
        switch (c) {
        case 4: text.clear(); break;
        case 11: std::filesystem::create_symlink(dir.file("gone"), path); break;
        case 17: ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); break;
        case 23: std::filesystem::create_directory(path); break;
        }
        if (c != 11 && c != 17 && c != 23)
            WriteFile(path, text);
        if (c != 23)
            curves.push_back(path);
    }

    CCurveCheck alone;
    for (const std::string& path : curves)
        alone.ReadCurveFile(path);
    const auto& expected = alone.GetErrorRecords();
    ASSERT_EQ(expected.size(), curves.size());
    EXPECT_EQ(expected[10].m_strError, "Curve data file is bad or not exist");
    EXPECT_NE(expected[2].m_strError.find("point " + std::to_string(10 + 3 + 1) + ": oops 3"), std::string::npos);

    auto fields = [](const CurveErrorRecord& r) {
        return std::tie(r.m_nErrorNo, r.m_nCurveNo, r.m_strCurveNo, r.m_nCurveNfp, r.m_nCurveNlp, r.m_nCurveDel,
                        r.m_nCurveTotal, r.m_nTestNfp, r.m_nTestNlp, r.m_nTestDel, r.m_nTestTotal, r.m_bNfpOk,
                        r.m_bNlpOk, r.m_bDelOk, r.m_bTotalOk, r.m_strNote, r.m_strError);
    };
    for (int run = 0; run < 3; ++run) {
        CCurveCheck together(dir.file("t.mv5"));
        ASSERT_EQ(together.CheckCurveFiles(), static_cast<int>(curves.size()));
        EXPECT_EQ(together.GetCheckCount(), alone.GetCheckCount());
        const auto& found = together.GetErrorRecords();
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_TRUE(fields(found[i]) == fields(expected[i])) << "curve file " << curves[i];
    }
}
