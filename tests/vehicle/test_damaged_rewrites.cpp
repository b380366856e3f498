// Damaged files that once saved into files of another shape: each must now save into a file that
// reads back the same.
#include "doubles/MessageRecorder.h"
#include "vehicle/VehData.h"

#include "platform/Messages.h"

#include "TestUtil.h"
#include "VehTestSupport.h"

#include <gtest/gtest.h>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;
using vehtest::WithoutDate;

namespace {
const std::string kHead = "# Source: hand made\r\n----- MV5 -----\r\n";
const std::string kTestLine = "----- TEST -----\r\nV5|t|o|01-JAN-2000|p|c|R1|FRT|VTB|CON|DRY|20|DDA|UMB|50|0|0| |0|\r\n";
} // namespace

TEST(DamagedRewriteTest, AStrayCarriageReturnInsideALineIsNotKept)
{
    TempDir dir;
    // Curve 1's comment field is a lone CR (not followed by LF), then the last field.
    WriteFile(dir.file("in.mv5"), kHead + kTestLine + "----- INSTRUMENTATION -----\r\n" +
                                      "1|1|AC|HD|ST|XG|SEC|G|2|3|4|5|6|7|8|9| | \r|x\r\n----- END -----\r\n");
    platform::MessageRecorder messages;
    CVehData d;
    ASSERT_TRUE(d.ReadTest(dir.file("in.mv5").c_str()));
    for (int f = 0; f < d.m_saInstComments.GetSize(); ++f)
        EXPECT_EQ(d.m_saInstComments.GetAt(f).Find('\r'), -1);
    ASSERT_TRUE(d.WriteTest(dir.file("a.mv5").c_str()));
    CVehData back;
    ASSERT_TRUE(back.ReadTest(dir.file("a.mv5").c_str()));
    ASSERT_TRUE(back.WriteTest(dir.file("b.mv5").c_str()));
    EXPECT_EQ(WithoutDate(ReadFile(dir.file("a.mv5"))), WithoutDate(ReadFile(dir.file("b.mv5"))));
}

TEST(DamagedRewriteTest, AnOlderFileWithAVersionTheReaderRefusesStillSavesReadably)
{
    TempDir dir;
    // A version-4 TEST line one field short: the version position holds "FRT".
    WriteFile(dir.file("in.mv4"), "# x\r\n----- MV4 -----\r\n----- TEST -----\r\n"
                                  "4|t|o|01-JAN-2000|p|c|FRT|VTB|CON|DRY|20|DDA|UMB|50|0|0| |0|\r\n"
                                  "----- END -----\r\n");
    platform::MessageRecorder messages;
    CVehData d;
    ASSERT_TRUE(d.ReadVersion4(dir.file("in.mv4").c_str()));
    const CString version = d.m_strVersion;
    ASSERT_TRUE(d.WriteTest(dir.file("out.mv5").c_str()));
    EXPECT_EQ(d.m_strVersion, version); // the data keep what was read
    CVehData back;
    EXPECT_TRUE(back.ReadTest(dir.file("out.mv5").c_str()));
    EXPECT_EQ(back.m_strVersion, "V5");
}

TEST(DamagedRewriteTest, ASecondVehicleIsSavedWhileTheFirstIsEmpty)
{
    TempDir dir;
    CVehData d;
    d.m_strConfiguration = "VTV";
    d.SetVehicleCount();
    ASSERT_EQ(d.m_nVehicleCount, 2);
    d.m_saVehMake.SetAt(2, "FORD");
    EXPECT_FALSE(d.IsVehicleEmpty());
    ASSERT_TRUE(d.WriteTest(dir.file("two.mv5").c_str()));
    CVehData back;
    platform::MessageRecorder messages;
    ASSERT_TRUE(back.ReadTest(dir.file("two.mv5").c_str()));
    EXPECT_EQ(back.m_saVehMake.GetAt(2), "FORD");
}

TEST(DamagedRewriteTest, AnOldFileEndsAtItsCtrlZ)
{
    TempDir dir;
    WriteFile(dir.file("old.mv5"), kHead + kTestLine + "----- END -----\r\n\x1a\x1a garbage|after|eof\r\n");
    CStdioFile file;
    ASSERT_TRUE(file.Open(dir.file("old.mv5").c_str(), CFile::modeRead | CFile::typeText));
    CString line, last;
    while (file.ReadString(line))
        last = line;
    EXPECT_EQ(last, "----- END -----");
}
