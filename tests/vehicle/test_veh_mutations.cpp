// Damaged copies of the hand-made fixtures through every vehicle reader: each gives a result
// and messages, never a crash or a read past an array, and what a reader accepted is written
// so that it reads back to the same file.

#include "vehicle/VehData.h"

#include "platform/Messages.h"

#include "TestUtil.h"
#include "VehTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using testutil::ReadFile;
using testutil::TempDir;
using testutil::WriteFile;
using vehtest::Fixture;

namespace {

std::string Mutated(std::string bytes, std::mt19937& random)
{
    static const std::string inserts[] = {"|", "||||", "\r\n", "\n", "#", "----- ", "----- END -----\n",
                                          std::string(1, '\0'), "-99999999999", "\xff\xfe", "----- VEHICLE -----\n"};
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = random() % bytes.size();
        switch (random() % 5) {
        case 0:
            bytes[at] = static_cast<char>(random() % 256);
            break;
        case 1:
            bytes.insert(at, inserts[random() % std::size(inserts)]);
            break;
        case 2:
            bytes.erase(at, random() % 200);
            break;
        case 3: { // a line again, elsewhere
            const size_t from = bytes.rfind('\n', at);
            const size_t start = from == std::string::npos ? 0 : from + 1;
            const size_t end = bytes.find('\n', at);
            bytes.insert(random() % bytes.size(), bytes.substr(start, (end == std::string::npos ? bytes.size() : end + 1) - start));
            break;
        }
        default:
            bytes.resize(at);
        }
    }
    return bytes;
}

void ExpectBounded(const CVehData& d)
{
    EXPECT_EQ(d.m_saVehMake.GetSize(), 3);
    EXPECT_GE(d.m_nVehiclesRead, 1);
    EXPECT_LE(d.m_nVehiclesRead, 2);
    EXPECT_GE(d.m_nCurveCount, 0);
    EXPECT_LE(d.m_nCurveCount, 999);
    EXPECT_GE(d.m_saInstComments.GetSize(), d.m_nCurveCount + 1);
    EXPECT_GE(d.m_saOccComments.GetSize(), d.m_nOccupantCount + 1);
    EXPECT_GE(d.m_saRestComments.GetSize(), d.m_nRestraintCount + 1);
}

// Written, read back and written again: the two written files are the same.
void ExpectStableWrite(CVehData& d, const TempDir& dir)
{
    d.SetVehicleCount();
    ASSERT_EQ(d.WriteTestFile(dir.file("w1.mv5").c_str()), 1);
    ASSERT_EQ(d.WriteReportFile(dir.file("w1.mvr").c_str()), 1);
    CVehData back;
    if (!back.ReadTestFile(dir.file("w1.mv5").c_str())) {
        // Only a version text that a version-4 file let through can make it unreadable.
        EXPECT_NE(std::toupper(static_cast<unsigned char>(d.m_strVersion.GetAt(0))), 'V');
        return;
    }
    back.SetVehicleCount();
    EXPECT_EQ(back.m_nOccupantCount, d.m_nOccupantCount);
    EXPECT_EQ(back.m_nRestraintCount, d.m_nRestraintCount);
    EXPECT_EQ(back.m_nCurveCount, d.m_nCurveCount);
    ASSERT_EQ(back.WriteTestFile(dir.file("w2.mv5").c_str()), 1);
    CVehData again;
    ASSERT_EQ(again.ReadTestFile(dir.file("w2.mv5").c_str()), 1);
    again.SetVehicleCount();
    ASSERT_EQ(again.WriteTestFile(dir.file("w3.mv5").c_str()), 1);
    EXPECT_EQ(ReadFile(dir.file("w2.mv5")), ReadFile(dir.file("w3.mv5")));
}

} // namespace

TEST(VehMutationTest, DamagedFilesThroughEveryReader)
{
    platform::MessageRecorder messages;
    TempDir dir;
    std::mt19937 random(20240305);
    const struct {
        const char* fixture;
        const char* extension;
    } sources[] = {{"vtb_full.mv5", "mv5"}, {"vtv_two.mv5", "mv5"}, {"vtb_full.mv4", "mv4"}, {"test.gr1", "gr1"},
                   {"test.gr2", "gr2"},     {"test.gr3", "gr3"},    {"test.gr4", "gr4"},    {"test.gr5", "gr5"}};
    for (const auto& source : sources) {
        const std::string original = ReadFile(Fixture(source.fixture));
        for (int round = 0; round < 40; ++round) {
            SCOPED_TRACE(std::string(source.fixture) + " round " + std::to_string(round));
            const std::string path = dir.file(std::string("m.") + source.extension);
            WriteFile(path, Mutated(original, random));
            CVehData d;
            const std::string ext = source.extension;
            if (ext == "mv5") {
                d.ReadTestFile(path.c_str());
            } else if (ext == "mv4") {
                d.ReadV4TestFile(path.c_str());
            } else if (ext == "gr1") {
                d.ImportGR1(path.c_str());
            } else if (ext == "gr2") {
                d.ImportGR2(path.c_str());
            } else if (ext == "gr3") {
                d.ImportGR3(path.c_str());
            } else if (ext == "gr4") {
                const int n = d.ImportGR4(path.c_str());
                if (n > 0)
                    d.m_nOccupantCount = n;
            } else {
                d.ImportGR5(path.c_str());
            }
            ExpectBounded(d);
            ExpectStableWrite(d, dir);
            messages.clear();
        }
    }
}

TEST(VehMutationTest, DamagedIntrusionFiles)
{
    platform::MessageRecorder messages;
    TempDir dir;
    std::mt19937 random(7);
    const std::string original = "# Source: Intrusion Data\r\n# Date: <3/5/2024>\r\n----- INTRUSION -----\r\n"
                                 "1|12|Toe pan|1.5|-2|0|1.0|3|4|T1\r\n2|13|A-pillar|0|0|0|1|1|1|T1\r\n----- END -----\r\n";
    for (int round = 0; round < 100; ++round) {
        WriteFile(dir.file("m.ip5"), Mutated(original, random));
        CIntrusionData d;
        ASSERT_TRUE(d.LoadIntrusionFile(dir.file("m.ip5").c_str(), true));
        EXPECT_EQ(d.m_arrAfterZ.GetSize(), d.m_arrPointNumber.GetSize());
        if (!d.HasIntrusion())
            continue;
        ASSERT_TRUE(d.SaveIntrusionData(dir.file("w.ip5").c_str()));
        ASSERT_TRUE(d.SaveIntrusionReport(dir.file("w.ipr").c_str()));
        CIntrusionData back;
        ASSERT_TRUE(back.LoadIntrusionFile(dir.file("w.ip5").c_str(), true));
        EXPECT_EQ(back.m_arrPointLocation, d.m_arrPointLocation);
        EXPECT_EQ(back.m_arrAfterZ, d.m_arrAfterZ);
        EXPECT_EQ(back.m_strTestReference, d.m_strTestReference);
    }
}
