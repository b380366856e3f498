#include "platform/DateParse.h"

#include <gtest/gtest.h>

TEST(DateParseTest, AcceptsTheUsualFormsAndRefusesImpossibleDates)
{
    struct Case {
        const char* text;
        int y, m, d; // y 0: refused
    };
    const Case cases[] = {
        {"01/05/2001", 2001, 1, 5},   {"1/5/2001", 2001, 1, 5},    {"01-05-01", 2001, 1, 5},
        {"01-05-2001", 2001, 1, 5},   {"Jan 05, 2001", 2001, 1, 5}, {"JAN 05, 2001", 2001, 1, 5},
        {"january 5 2001", 2001, 1, 5}, {"5 Jan 2001", 2001, 1, 5}, {"05-JAN-2001", 2001, 1, 5},
        {"2001-01-05", 2001, 1, 5},   {"12/31/99", 1999, 12, 31},   {"2/29/2000", 2000, 2, 29},
        {"13/45/2001", 0, 0, 0},      {"2/30/2004", 0, 0, 0},       {"2/29/1900", 0, 0, 0},
        {"00/10/2001", 0, 0, 0},      {"010501", 0, 0, 0},          {"01052001", 0, 0, 0},
        {"Foo 5, 2001", 0, 0, 0},     {"", 0, 0, 0},                {"1/5", 0, 0, 0},
        {"1/5/2001 x", 0, 0, 0},      {"1/5/201", 0, 0, 0},         {"1/5/2001 10:30", 0, 0, 0},
    };
    for (const Case& c : cases) {
        ParsedDateTime d;
        const bool ok = ParseLocaleDate(c.text, d);
        EXPECT_EQ(ok, c.y != 0) << c.text;
        if (ok && c.y) {
            EXPECT_EQ(d.year, c.y) << c.text;
            EXPECT_EQ(d.month, c.m) << c.text;
            EXPECT_EQ(d.day, c.d) << c.text;
        }
    }
}

TEST(DateParseTest, DateWithTimeOfDay)
{
    ParsedDateTime d;
    ASSERT_TRUE(ParseLocaleDateTime("1/5/2001 10:30", d));
    EXPECT_EQ(d.hour, 10);
    EXPECT_EQ(d.minute, 30);
    ASSERT_TRUE(ParseLocaleDateTime("1/5/2001 1:02:03 PM", d));
    EXPECT_EQ(d.hour, 13);
    EXPECT_EQ(d.second, 3);
    ASSERT_TRUE(ParseLocaleDateTime("1/5/2001 12:00 am", d));
    EXPECT_EQ(d.hour, 0);
    ASSERT_TRUE(ParseLocaleDateTime("Jan 05, 2001", d));
    EXPECT_EQ(d.hour, 0);
    for (const char* bad : {"1/5/2001 25:00", "1/5/2001 10:", "1/5/2001 10:30:00:00", "1/5/2001 13:00 PM", "10:30"})
        EXPECT_FALSE(ParseLocaleDateTime(bad, d)) << bad;
}
