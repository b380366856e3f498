#include "component/CompData.h"

#include "doubles/MessageRecorder.h"
#include "platform/Messages.h"

#include "FileSuite.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

using filetests::Padded;
using testutil::TempDir;
using testutil::WriteFile;

namespace {

std::string Fixture(const std::string& name) { return testutil::DataPath("component/" + name); }

std::vector<std::string> DataLines(const std::string& name)
{
    return filetests::DataLines(testutil::ReadFile(Fixture(name)));
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

} // namespace

TEST(CompGrLayoutTest, ColumnsStandWhereTheOldFilesHaveThem)
{
    CCompData d;
    filetests::ExpectLayouts({
        {d.m_GR1, 15, 295, {{0, 2}, {3, 143}, {6, 172}, {7, 197}, {11, 216}, {14, 225}}},
        {d.m_GR5, 18, 202, {{0, 1}, {1, 2}, {6, 14}, {8, 22}, {12, 109}, {15, 124}, {17, 132}}},
        {d.m_GR9, 21, 415, {{0, 1}, {4, 9}, {5, 79}, {13, 110}, {15, 131}, {17, 135}, {20, 345}}},
    });
    // Every layout is contiguous up to its line length.
    for (const GrLayout* layout : std::initializer_list<const GrLayout*> {&d.m_GR1, &d.m_GR5, &d.m_GR9})
        EXPECT_EQ(layout->Start(layout->PairCount() - 1) + layout->Width(layout->PairCount() - 1), layout->LineLength());
}

TEST(CompGrImportTest, TestLineKeepsItsPaddingBlanks)
{
    platform::MessageRecorder messages;
    CCompData d;
    d.m_nCurveCount = 4;
    ASSERT_TRUE(d.ImportGR('1', Fixture("test.gr1").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_strTitle, Padded("Seat back strength test", 70));
    EXPECT_EQ(d.m_strObjectives, Padded("Measure seat back deflection", 70));
    EXPECT_EQ(d.m_strTestDate, "12-MAR-98");
    EXPECT_EQ(d.m_strPerformer, "TRC");
    EXPECT_EQ(d.m_strContractNo, "DTNH22-95-C-01000");
    EXPECT_EQ(d.m_strTestReference, "C4321     ");
    EXPECT_EQ(d.m_strTestType, "SBS");
    EXPECT_EQ(d.m_strAmbientTemp, " 21");
    EXPECT_EQ(d.m_strTestComments, Padded("Lighting poor", 70));
    EXPECT_EQ(d.m_strVersion, "C5");
    EXPECT_EQ(d.m_nCurveCount, 4);
}

TEST(CompGrImportTest, ChannelsGoToTheirCurveNumbers)
{
    platform::MessageRecorder messages;
    CCompData d;
    d.m_saInstChannelStatus.SetAtGrow(1, "old");
    ASSERT_TRUE(d.ImportGR('5', Fixture("test.gr5").c_str()));
    EXPECT_EQ(messages.count(), 0);
    // Curves 3, 1, 2: the highest is the count, not the last.
    EXPECT_EQ(d.m_nInstRecordCount, 3);
    EXPECT_EQ(d.m_nCurveCount, 3);
    EXPECT_EQ(d.m_saInstSensorType.GetAt(3), "AC");
    EXPECT_EQ(d.m_saInstSensorType.GetAt(1), "LC");
    EXPECT_EQ(d.m_saInstSensorType.GetAt(2), "DS");
    EXPECT_EQ(d.m_saInstCompNo.GetAt(2), "2");
    EXPECT_EQ(d.m_saInstAttachment.GetAt(3), "SEBK");
    EXPECT_EQ(d.m_saInstAxis.GetAt(3), "XG");
    EXPECT_EQ(d.m_saInstXUnits.GetAt(2), "MM ");
    EXPECT_EQ(d.m_saInstYUnits.GetAt(2), "MM ");
    EXPECT_EQ(d.m_saInstPrefilter.GetAt(3), " 1650");
    EXPECT_EQ(d.m_saInstMaker.GetAt(2), Padded("Humanetics", 70));
    EXPECT_EQ(d.m_saInstCalibrationDate.GetAt(1), "02-FEB-98");
    EXPECT_EQ(d.m_saInstRating.GetAt(1), " 2000");
    EXPECT_EQ(d.m_saInstChannelMax.GetAt(1), "999");
    EXPECT_EQ(d.m_saInstInitialVelocity.GetAt(2), "  7.5");
    EXPECT_EQ(d.m_saInstFirstPoint.GetAt(3), "  -50");
    EXPECT_EQ(d.m_saInstLastPoint.GetAt(3), " 3000");
    EXPECT_EQ(d.m_saInstTimeIncrement.GetAt(2), "0.0005");
    EXPECT_EQ(d.m_saInstDataStatus.GetAt(2), "NG");
    EXPECT_EQ(d.m_saInstComments.GetAt(3), Padded("Upper seat back", 70));
    EXPECT_EQ(d.m_saInstChannelStatus.GetAt(1), "");
    EXPECT_EQ(d.m_saInstVehicleNo.GetAt(1), "");
    EXPECT_EQ(d.m_saInstConfNo.GetAt(3), "");
}

TEST(CompGrImportTest, ChannelFileEndings)
{
    TempDir dir;
    const std::vector<std::string> lines = DataLines("test.gr5");
    std::string blankCurve = lines[0];
    blankCurve.replace(2, 3, "   ");
    std::string zeroCurve = lines[0];
    zeroCurve.replace(2, 3, "  0");
    const struct {
        const char* what;
        std::string bytes;
        bool result;
        bool formatMessage;
        int count; // curve count after the import; the data held 5
    } cases[] = {
        {"empty file", "", true, false, 5},
        {"blank lines and comments after the channels", Join(lines) + "\r\n# end\r\n\r\n", true, false, 3},
        {"blank line between channels", lines[0] + "\r\n\r\n" + lines[1] + "\r\n", false, true, 5},
        {"blank curve number", Join({lines[0], blankCurve}), false, true, 5},
        {"curve number 0", Join({zeroCurve}), false, true, 5},
        {"201 characters", Join({lines[0].substr(0, 201)}), false, true, 5},
    };
    for (const auto& c : cases) {
        platform::MessageRecorder messages;
        const std::string path = dir.file("c.gr5");
        WriteFile(path, c.bytes);
        CCompData d;
        d.m_nInstRecordCount = 5;
        d.m_nCurveCount = 5;
        EXPECT_EQ(d.ImportGR('5', path.c_str()).ok, c.result) << c.what;
        EXPECT_EQ(d.m_nCurveCount, c.count) << c.what;
        ASSERT_EQ(messages.count(), c.formatMessage ? 1 : 0) << c.what;
        if (c.formatMessage) {
            EXPECT_EQ(messages.last().text, path + " is not in proper GR5 format.") << c.what;
        }
    }
}

TEST(CompGrImportTest, ComponentsAreNumberedByTheirLines)
{
    platform::MessageRecorder messages;
    CCompData d;
    ASSERT_TRUE(d.ImportGR('9', Fixture("test.gr9").c_str()));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(d.m_nComponentCount, 4); // the lines imported
    EXPECT_EQ(d.m_saCompNo.GetAt(3), "3");
    EXPECT_EQ(d.m_saCompTested.GetAt(2), "HDRS");
    EXPECT_EQ(d.m_saCompType.GetAt(3), "RS");
    EXPECT_EQ(d.m_saCompModIndicator.GetAt(2), "Y");
    EXPECT_EQ(d.m_saCompModDescription.GetAt(2), Padded("Reinforced", 70));
    EXPECT_EQ(d.m_saCompWeight.GetAt(1), " 12.50");
    EXPECT_EQ(d.m_saCompOccupantType.GetAt(1), "H3");
    EXPECT_EQ(d.m_saCompDummySize.GetAt(4), "NA");
    EXPECT_EQ(d.m_saCompDummyMaker.GetAt(1), Padded("Humanetics", 70));
    EXPECT_EQ(d.m_saCompComments.GetAt(1), Padded("Driver seat back", 70));
    EXPECT_EQ(d.m_saCompComments.GetAt(4), Padded("", 70));
    EXPECT_EQ(d.m_saCompVehicleNo.GetAt(4), "");

    TempDir dir;
    const std::vector<std::string> lines = DataLines("test.gr9");
    const struct {
        const char* what;
        std::string bytes;
        int components; // the count after the import: the lines imported, 0 (as held) when none
        bool formatMessage;
    } cases[] = {
        {"empty file", "", 0, false},
        {"ends in a comment", Join({lines[0], lines[1], "# done"}), 2, false},
        {"ends in a blank line", Join({lines[0], ""}), 1, false},
        {"blank line between components", Join({lines[0], "", lines[1]}), 0, true},
        {"416 characters", Join({lines[0] + " "}), 0, true},
    };
    for (const auto& c : cases) {
        platform::MessageRecorder messages;
        const std::string path = dir.file("c.gr9");
        WriteFile(path, c.bytes);
        CCompData d;
        EXPECT_EQ(d.ImportGR('9', path.c_str()).ok, c.components > 0) << c.what;
        EXPECT_EQ(d.m_nComponentCount, c.components) << c.what;
        ASSERT_EQ(messages.count(), c.formatMessage ? 1 : 0) << c.what;
        if (c.formatMessage) {
            EXPECT_EQ(messages.last().text, path + " is not in proper GR9 format.") << c.what;
        }
    }
}
