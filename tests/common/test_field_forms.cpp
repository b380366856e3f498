#include "common/Convert.h"
#include "common/Sections.h"

#include <gtest/gtest.h>

// The forms every writer puts a field in, each with its trailing separator.
TEST(FieldFormsTest, TextIntegerAndRealFields)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } reals[] = {
        {0.0, 1, "0 |"},
        {1e-12, 2, "0 |"},
        {5.75, 1, "5.8 |"},
        {-5.75, 1, "-5.8 |"},
        {1.234567, 5, "1.23457 |"},
        {12.345, 2, "12.35 |"},
        {2.0, 2, "2 |"},
        {123456.789, 2, "123457 |"},
        {1234567.0, 2, "1.23457e+06 |"},
        // Past 2^31 after scaling: rounded in floating point, never wrapped to a negative.
        {3000000000.0, 2, "3e+09 |"},
        {21474836.48, 2, "2.14748e+07 |"},
        {-1e300, 5, "-1e+300 |"},
    };
    for (const auto& c : reals)
        EXPECT_EQ(FormatNumberText(RoundedToCString(c.value, c.decimals)), c.text) << c.value;

    EXPECT_EQ(FormatNumberText(IntToCString(35)), "35 |");
    EXPECT_EQ(FormatNumberText(IntToCString(-4)), "-4 |");
    EXPECT_EQ(FormatNumberText(IntToCString(0)), "0 |");

    EXPECT_EQ(FormatFieldText(""), " |");
    EXPECT_EQ(FormatFieldText("  "), " |"); // white space alone is written empty
    EXPECT_EQ(FormatFieldText(" SEBK \t"), "SEBK|");
    // A value never breaks the line or its fields.
    EXPECT_EQ(FormatFieldText("a|b\r\nc"), "a/bc|");
}
