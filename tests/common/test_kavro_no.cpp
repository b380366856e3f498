#include "common/KavroNo.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(KavroNoTest, CheckNumber)
{
    for (const char* ok : {"M20150207", "C20120141", "R20205999", "M00000107", "MA0107", "D10101", "QL5900",
                           "M-1230107"})
        EXPECT_TRUE(kavro::CheckNumber(ok)) << ok;
    for (const char* bad : {"M20151507", "M20150007", "m20150207", "M2015020", "MZ0107", "Ma0107", "X20150207",
                            "M2015020a", "", "M20156007", "M20154007", "M201A0207", "M0107", "M201502070"})
        EXPECT_FALSE(kavro::CheckNumber(bad)) << bad;
}

TEST(KavroNoTest, YearCodesAndExpansion)
{
    EXPECT_EQ(kavro::DecodeYearCode('1'), 2001);
    EXPECT_EQ(kavro::DecodeYearCode('9'), 2009);
    EXPECT_EQ(kavro::DecodeYearCode('A'), 2010);
    EXPECT_EQ(kavro::DecodeYearCode('L'), 2021);
    EXPECT_EQ(kavro::DecodeYearCode('M'), 0);
    EXPECT_EQ(kavro::DecodeYearCode('0'), 0);
    EXPECT_EQ(kavro::DecodeYearCode('a'), 0);
    EXPECT_EQ(kavro::GetModelYear("MA0107"), "2010");
    EXPECT_EQ(kavro::GetModelYear("M20150207"), "2015");
    EXPECT_EQ(kavro::GetModelYear("M2015020"), "");
}

TEST(KavroNoTest, ListRowsKeepTheirBytes)
{
    ASSERT_EQ(kavro::kMakerCount, 32);
    EXPECT_STREQ(kavro::kMakerRows[0], "0100 \x96 General Motors Corporation");
    EXPECT_STREQ(kavro::kMakerRows[1], "0200 \x96 Ford Motor Company ");
    EXPECT_STREQ(kavro::kMakerRows[2], "0300 \x96"
                                       "Chrysler Corporation/Fiat");
    EXPECT_STREQ(kavro::kMakerRows[11], "1200 \x96 Motorcycles/ Mopeds");
    EXPECT_STREQ(kavro::kMakerRows[22], "4900 \x96 N/A");
    EXPECT_STREQ(kavro::kMakerRows[31], "5900 \x96 Volvo ");
    // Each row's code is a valid manufacturer code followed by 00.
    for (const char* row : kavro::kMakerRows) {
        const CString number = CString("M2015") + CString(row, 2) + "00";
        EXPECT_TRUE(kavro::CheckNumber(number)) << row;
        EXPECT_EQ(std::string(row + 2, 4), "00 \x96");
    }
    const char letters[] = "CDMOPQR";
    for (int i = 0; i < kavro::kOfficeCount; ++i) {
        EXPECT_EQ(kavro::kOfficeRows[i][0], letters[i]);
        EXPECT_EQ(kavro::kOfficeRows[i][1], '\x96');
    }
    EXPECT_EQ(kavro::kOfficeRows[kavro::kDefaultOffice][0], 'M');
}
