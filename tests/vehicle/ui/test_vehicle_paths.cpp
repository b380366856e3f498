#include "SheetHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

using testutil::ReadFile;
using testutil::WriteFile;
using sheettest::WithoutDate;

namespace {

const char* const kHs5 = "# Source: High Speed Video Data\r\n"
                         "# Date: <3/4/2021>\r\n"
                         "----- HSVD -----\r\n"
                         "1|T4321|0.001|FRONT VIEW|MAIN CAMERA\r\n"
                         "----- END -----\r\n";

} // namespace

// A folder named in accented letters and a blank, as Linux names are: UTF-8 on disk. The dialog
// answers the name as Qt spells it; every file the sheet opens must be found by that name.
TEST(VehicleSheetPathTest, AccentedFolderRoundTripsTestAndCompanions)
{
    testutil::TempDir dir;
    const std::filesystem::path folder = dir.path() / "Pr\xC3\xBC" "fung \xC3\xA9";
    std::filesystem::create_directories(folder);
    const std::string in = (folder / "t.mv5").string();
    sheettest::VehicleSheet s;
    WriteFile(in, ReadFile(s.Fixture("vtb_valid.mv5")));
    WriteFile((folder / "t.hs5").string(), kHs5);

    s.files.answer(QString::fromUtf8(in.c_str()));
    s.sheet.RunCommand(ID_LOAD_TEST);
    EXPECT_EQ(s.Naming("Can't open"), 0) << sheettest::Texts(s.messages);
    EXPECT_FALSE(s.sheet.m_bUntouched);
    EXPECT_EQ(s.data.CameraCount(), 1) << "the companion beside the test is read too";

    const std::string out = (folder / "neu \xC3\xBC").string();
    s.files.answer(QString::fromUtf8(out.c_str()));
    s.messages.clear();
    s.sheet.RunCommand(ID_SAVE_TEST);
    EXPECT_EQ(s.messages.count(), 0) << sheettest::Texts(s.messages);
    EXPECT_EQ(WithoutDate(ReadFile(out + ".mv5")), WithoutDate(ReadFile(in)));
    EXPECT_EQ(WithoutDate(ReadFile(out + ".hs5")), WithoutDate(kHs5));
    EXPECT_TRUE(std::filesystem::exists(out + ".ip5"));

    sheettest::VehicleSheet again;
    again.files.answer(QString::fromUtf8((out + ".mv5").c_str()));
    again.sheet.RunCommand(ID_LOAD_TEST);
    EXPECT_EQ(again.Naming("Can't open"), 0) << sheettest::Texts(again.messages);
    EXPECT_EQ(again.data.CameraCount(), 1);
    EXPECT_EQ(again.data.m_strCurvePath, CString(out + ".mv5"));

    // A message names the file in readable letters (the boxes' text is Windows-1252).
    sheettest::VehicleSheet missing;
    missing.files.answer(QString::fromUtf8((folder / "fehlt.mv5").c_str()));
    missing.sheet.RunCommand(ID_LOAD_TEST);
    ASSERT_GE(missing.messages.count(), 1);
    const std::string shown = (dir.path() / "Pr\xFC" "fung \xE9" / "fehlt.mv5").string();
    EXPECT_EQ(missing.messages.texts().front(), "Can't open file " + shown + ", error = 2\n");
}
