#include "common/DateCheck.h"
#include "common/RecordLine.h"
#include "common/SectionReader.h"
#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"
#include "platform/StdioFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(RecordLineTest, CountsSeparatorsAndTakesFields)
{
    EXPECT_EQ(CountFields("a|b|"), 2);
    EXPECT_EQ(CountFields("no separators"), 0);

    struct Case {
        const char* line;
        int from, to;
        const char* expected;
    };
    const Case cases[] = {
        {"a|b|", 2, 3, ""},          // empty last field
        {"a|b|", 1, 2, "b"},
        {"|x|y", 0, 1, ""},          // field 0 of a line beginning with '|'
        {"  whole line  ", 0, 1, "whole line"},
        {" a |b", 0, 1, "a"},
        {"a|b|c", 0, 2, "a|b"},      // a span keeps its inner separators
        {"a| b |c", 1, 2, "b"},
        {"a|b|  last  ", 2, 3, "last"},
        {"a|b", 5, 6, ""},           // opening separator missing
        {"a|b|c", 2, 2, ""},         // to <= from
        {"a|b|c", -1, 1, ""},
        {"a|\tb\t|c", 1, 2, "\tb\t"}, // only blanks are trimmed
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetFields(c.line, c.from, c.to), c.expected) << c.line << " " << c.from << "-" << c.to;
}

TEST(RecordLineTest, SeparatorCountMessages)
{
    struct Case {
        int version, found, lineNo;
        const char* section;
        std::vector<int> allowed;
        const char* text; // nullptr: no message
    };
    const Case cases[] = {
        {5, 18, 3, "VEHICLE", {79, 80}, "This MV5 file has 18 | characters in line 3 of the VEHICLE section, should have 79, or 80"},
        {5, 81, 1, "VEHICLE", {79, 80}, "This MV5 file has 81 | characters in line 1 of the VEHICLE section, should have 79, or 80"},
        {5, 12, 0, "VEHICLE", {19}, "This MV5 file has 12 | characters  of the VEHICLE section, should have 19"},
        {4, 2, 0, "TEST", {19}, "This MV4 file has 2 | characters  of the TEST section, should have 19"},
        {5, 4, 2, "VEHICLE", {5, 6, 7}, "This MV5 file has 4 | characters in line 2 of the VEHICLE section, should have 5, 6, or 7"},
        {5, 1, 1, "VEHICLE", {}, "No reference pipe number!"},
        {5, 80, 3, "VEHICLE", {79, 80}, nullptr},
        {5, 80, 1, "VEHICLE", {79, 80}, nullptr},
        {5, 7, 1, "VEHICLE", {5, 6, 7}, nullptr},
    };
    for (const Case& c : cases) {
        platform::MessageRecorder rec;
        const bool reported = CheckPipeCount(c.version, c.found, c.lineNo, c.section, c.allowed);
        EXPECT_EQ(reported, c.text != nullptr) << c.found;
        if (!c.text) {
            EXPECT_EQ(rec.count(), 0);
            continue;
        }
        ASSERT_EQ(rec.count(), 1);
        EXPECT_EQ(rec.last().text, c.text);
        EXPECT_EQ(rec.last().caption, "Error");
        EXPECT_EQ(rec.last().type, MB_OK);
        EXPECT_EQ(rec.last().owner, nullptr);
    }
}

namespace {
std::string DateMessage(const std::string& date, const std::string& section, const std::string& part)
{
    return "Date " + date + " in section " + section + " is incorrect in " + part + ".\n" +
           "Please use drop-down calendar to enter a date, or \n" +
           "use format 'DD-MMM-YYYY' or 'DD/MMM/YYYY', and check your mv5 file.";
}
} // namespace

TEST(RecordLineTest, DatesAreNormalisedOrReported)
{
    struct Case {
        const char* in;
        const char* out;  // text afterwards
        const char* part; // nullptr: accepted
        int y, m, d;
    };
    const Case cases[] = {
        {" 1-jan-05 ", "01-JAN-2005", nullptr, 2005, 1, 1},
        {"7/Jul/1999", "07-JUL-1999", nullptr, 1999, 7, 7},
        {"29-FEB-2004", "29-FEB-2004", nullptr, 2004, 2, 29},
        {"29-FEB-2000", "29-FEB-2000", nullptr, 2000, 2, 29},
        {"29-feb-00", "29-FEB-2000", nullptr, 2000, 2, 29},
        {"15-JAN-69", "15-JAN-2069", nullptr, 2069, 1, 15},
        {"31-dec-70", "31-DEC-1970", nullptr, 1970, 12, 31},
        {"1-Jan-3000", "01-JAN-3000", nullptr, 3000, 1, 1},
        {"29-FEB-2001", "29-FEB-2001", "day range", 0, 0, 0},
        {"29-FEB-2100", "29-FEB-2100", "day range", 0, 0, 0},
        {"29-FEB-2900", "29-FEB-2900", "day range", 0, 0, 0},
        {"31-APR-2001", "31-APR-2001", "day range", 0, 0, 0},
        {"0-JAN-2001", "0-JAN-2001", "day range", 0, 0, 0},
        {"15-JAN-1969", "15-JAN-1969", "year range (1970 - 3000)", 0, 0, 0},
        {"15-JAN-3001", "15-JAN-3001", "year range (1970 - 3000)", 0, 0, 0},
        {"15-JAN-2001xyz", "15-JAN-2001xyz", "year range (1970 - 3000)", 0, 0, 0},
        {"15-JANUARY-2001", "15-JANUARY-2001", "month range", 0, 0, 0},
        {"15.JAN.2001", "15.JAN.2001", "separator", 0, 0, 0},
        {"15-JAN/2001", "15-JAN/2001", "separator", 0, 0, 0},
    };
    for (const Case& c : cases) {
        platform::MessageRecorder rec;
        CString text = c.in;
        const CTime t = ValidateDateText(text, "TEST");
        EXPECT_EQ(text, c.out) << c.in;
        if (c.part) {
            EXPECT_TRUE(t.IsZero()) << c.in;
            ASSERT_EQ(rec.count(), 1) << c.in;
            EXPECT_EQ(rec.last().text, DateMessage(c.out, "TEST", c.part));
            EXPECT_EQ(rec.last().caption, "Error");
        } else {
            EXPECT_EQ(rec.count(), 0) << c.in;
            EXPECT_EQ(t.GetYear(), c.y);
            EXPECT_EQ(t.GetMonth(), c.m);
            EXPECT_EQ(t.GetDay(), c.d);
            EXPECT_EQ(t.GetHour(), 0);
        }
    }

    platform::MessageRecorder rec;
    CString blank = "   ";
    EXPECT_TRUE(ValidateDateText(blank, "TEST").IsZero());
    EXPECT_EQ(blank, "");
    EXPECT_EQ(rec.count(), 0);
}

TEST(RecordLineTest, ReadSectionSkipsCommentsAndStopsAtNextMarker)
{
    testutil::TempDir dir;
    const std::string path = dir.file("t.mv5");
    testutil::WriteFile(path, "# Source: Morvel for Windows v5\r\n"
                              "----- MV5 -----\r\n"
                              "----- OCC -----\r\n"
                              "no separator here\r\n"
                              "1|a|b\r\n"
                              "# 2|comment|\r\n"
                              "2|c|d\n"
                              "----- EMPTY -----\r\n"
                              "----- REST -----\r\n"
                              "9|z|z\r\n"
                              "----- END -----\r\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::typeText));

    std::vector<std::string> got;
    EXPECT_EQ(ReadSection(file, "----- OCC -----", [&](const SectionRecord& r) {
                  got.push_back(std::to_string(r.number) + ":" + std::to_string(r.separators) + ":" +
                                GetFields(r.line, 1, 2).str());
                  return true;
              }),
              2);
    EXPECT_EQ(got, (std::vector<std::string> {"1:2:a", "2:2:c"}));

    // An empty section ends at the marker that follows it.
    EXPECT_EQ(ReadSection(file, "----- EMPTY -----", [](const SectionRecord&) { return true; }), 0);
    EXPECT_EQ(ReadSection(file, "----- ABSENT -----", [](const SectionRecord&) { return true; }), -1);
    // A one-line section stops after its first record.
    EXPECT_EQ(ReadSection(file, "----- OCC -----", [](const SectionRecord&) { return false; }), 1);
}

// Damaged lines of every shape: fields are always taken from inside the line, and a date text
// of any bytes is either normalised or reported, never read past.
TEST(RecordLineTest, ArbitraryLinesStayInsideTheText)
{
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const char alphabet[] = "|| -/aJ09\t#";
    platform::MessageRecorder rec;
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        const unsigned length = next() % 24;
        for (unsigned i = 0; i < length; ++i)
            line += alphabet[next() % (sizeof alphabet - 1)];
        const int from = static_cast<int>(next() % 30) - 3;
        const int to = static_cast<int>(next() % 30) - 3;
        const CString field = GetFields(line, from, to);
        EXPECT_LE(field.GetLength(), static_cast<int>(line.size()));
        EXPECT_LE(CountFields(line), static_cast<int>(line.size()));
        CString date = line;
        ValidateDateText(date, "TEST");
    }
}
