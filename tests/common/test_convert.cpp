#include "common/Convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

TEST(ConvertTest, NumberSyntax)
{
    for (const char* ok : {"12", "12.5", "-0.5", ".5", "1.5E-3", "2e+10", "2e-", " 7 ", "0", "-.5", "1."})
        EXPECT_TRUE(IsRealNumber(ok)) << ok;
    for (const char* bad : {"+5", "1e5", "1.2.3", "-", ".", "1,5", "", "   ", "a", "1e", "1E+5x", "1 5", "1.5E+-3"})
        EXPECT_FALSE(IsRealNumber(bad)) << bad;

    for (const char* ok : {"0", "42", "-7", "007"})
        EXPECT_TRUE(IsIntegerText(ok)) << ok;
    for (const char* bad : {"-", "+7", "4.0", "4 2", " 42", "", "7-"})
        EXPECT_FALSE(IsIntegerText(bad)) << bad;
}

TEST(ConvertTest, TextToNumberReadsLikeAtoiAndAtof)
{
    EXPECT_EQ(StdToInt("  42abc"), 42);
    EXPECT_EQ(StdToInt("abc"), 0);
    EXPECT_EQ(StdToInt("-17"), -17);
    EXPECT_EQ(StdToInt("99999999999"), 2147483647); // clamped, never undefined
    EXPECT_DOUBLE_EQ(StdToDouble(" 1.5e2x"), 150.0);
    EXPECT_DOUBLE_EQ(StdToDouble("x"), 0.0);
}

TEST(ConvertTest, TrimmedViewTakesOffTheEndsOnly)
{
    EXPECT_EQ(TrimmedView(""), "");
    EXPECT_EQ(TrimmedView(" \t\r\n\v\f"), "");
    EXPECT_EQ(TrimmedView(" \t a \t b \r\n"), "a \t b");
    EXPECT_EQ(TrimmedView("ab"), "ab");
    EXPECT_EQ(TrimmedView(std::string_view("\0 a", 3)), std::string_view("\0 a", 3)); // NUL is no blank
    EXPECT_EQ(TrimmedView("\t1 ", " "), "\t1");
}

// The checks read a number in place, without the copy StdToInt and StdToDouble take: the same
// values, to the bit, for every text the number syntax lets through.
TEST(ConvertTest, NumbersReadInPlaceAsAtoiAndAtofReadThem)
{
    for (const char* text : {"0", "-0", "42", "-7", "007", "-", "2147483647", "2147483648", "-2147483648",
                             "-2147483649", "99999999999999999999", "-99999999999999999999"}) {
        EXPECT_EQ(IntOfIntegerText(text), StdToInt(text)) << text;
    }
    for (const char* text : {"12", "12.5", "-0.5", ".5", "-.5", "1.", "-.", "-0", "1.5E-3", "2e+10", "2e-", "1e+",
                             "0.1", "1e+400", "-1e+400", "1e-400", "4.9e-324", "2.2250738585072011e-308",
                             "123456789012345678901234567890", "0.30000000000000004"}) {
        ASSERT_TRUE(IsRealNumberView(text)) << text;
        const double inPlace = RealOfNumberText(text);
        const double read = StdToDouble(text);
        EXPECT_TRUE(inPlace == read && std::signbit(inPlace) == std::signbit(read)) << text;
    }
}

TEST(ConvertTest, NumberToText)
{
    EXPECT_EQ(IntToCString(-12), "-12");
    EXPECT_EQ(IntToStd(0), "0");
    EXPECT_EQ(DoubleToCString(2.5), "2.5");
    EXPECT_EQ(DoubleToCString(3.0), "3");
    EXPECT_EQ(DoubleToCString(1234567.0), "1.23457e+06");
    EXPECT_EQ(DoubleToCString(0.0001), "0.0001");
    EXPECT_EQ(DoubleToCString(0.00001), "1e-05");

    EXPECT_EQ(RoundedToCString(2.345, 2), "2.35");
    EXPECT_EQ(RoundedToCString(1e-12, 3), "0");
    EXPECT_EQ(RoundedToCString(-0.0, 3), "0");
    // Six significant digits still apply after rounding.
    EXPECT_EQ(RoundedToCString(1234567.891, 2), "1.23457e+06");
    EXPECT_EQ(RoundedToCString(12.3456789, 5), "12.3457");
}

TEST(ConvertTest, RoundingHalvesAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        double expected;
    };
    const Case cases[] = {
        {2.345, 2, 2.35},   {-2.345, 2, -2.35}, {1.005, 2, 1.01},      {2.5, 0, 3.0},
        {-2.5, 0, -3.0},    {0.5, 0, 1.0},      {2.4999, 0, 2.0},      {0.000000000001, 3, 0.0},
        {1.23456789, 9, 1.23456789}, {123.456, 1, 123.5},
        // Beyond 2^31 for the scaled value: no overflow.
        {3000000.125, 3, 3000000.125}, {1e12 + 0.25, 1, 1e12 + 0.3}, {-5e9, 2, -5e9},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RoundTo(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;

    // Values too large to hold a fraction at that scale come back as they are.
    EXPECT_EQ(RoundTo(1e300, 9), 1e300);
    EXPECT_EQ(RoundTo(-1e20, 2), -1e20);
    EXPECT_TRUE(std::isinf(RoundTo(INFINITY, 2)));
}

TEST(ConvertTest, StandardStrings)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitStd("a/b/", '/', false), (V {"a", "b", ""}));
    EXPECT_EQ(SplitStd("a/b/", '/', true), (V {"a", "b", ""}));
    EXPECT_EQ(SplitStd("a//b", '/', true), (V {"a", "", "b"}));
    EXPECT_EQ(SplitStd("abc", '/', true), (V {"abc"}));
    EXPECT_EQ(SplitStd("", '/', true), (V {""}));
    EXPECT_EQ(SplitStd("/", '/', false), (V {"", ""}));

    std::string t = "  a b  ";
    EXPECT_EQ(TrimStd(t), "a b");
    EXPECT_EQ(t, "a b");
    std::string tabs = "\t a \t";
    EXPECT_EQ(TrimStd(tabs), "\t a \t");
    std::string blanks = "   ";
    EXPECT_EQ(TrimStd(blanks), "");
    std::string empty;
    EXPECT_EQ(TrimStd(empty), "");

    EXPECT_EQ(FileExtension("test.data.mv5"), "mv5");
    EXPECT_EQ(FileExtension("README"), "");
    EXPECT_EQ(FileExtension("T.MV5"), "MV5");
    EXPECT_EQ(FileExtension("name."), "");
}
