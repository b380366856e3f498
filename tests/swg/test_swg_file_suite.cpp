// The SWG test file, its report and its GR files in the shared file suite.
#include "swg/SWGData.h"

#include "FileSuite.h"
#include "SWGTestSupport.h"

using swgtest::CurveLine;
using swgtest::Fixture;
using swgtest::kTestLine;
using swgtest::SeparatorMessage;

namespace {

struct SwgKind : filetests::TestFileKind<CSWGData> {
    static std::string Marker() { return "----- INSTRUMENTATION -----"; }
    static std::vector<filetests::Hostile<Data>> Hostiles()
    {
        return {{[](Data& d) {
                     d.m_strTitle = "torque|test";
                     d.m_strTestComments = "first line\r\nsecond line";
                     d.m_strObjectives = "----- INSTRUMENTATION -----";
                     d.m_nLastCurveNo = d.m_nCurveCount = 1;
                     d.m_saInstSignalSource.SetAt(1, "#SWT");
                     d.m_saInstComments.SetAt(1, "a|b\nc");
                 },
                 {{4, "S5| |torque/test|-----INSTRUMENTATION -----| | | | | | | | | |1|first linesecond line"},
                  {6, "1|#SWT|5| | | | |SEC| | | | | | | | | |a/bc"}},
                 [](const Data& d) {
                     EXPECT_EQ(d.m_strTitle, "torque/test");
                     EXPECT_EQ(d.m_nCurveCount, 1);
                     EXPECT_EQ(d.m_saInstSignalSource.GetAt(1), "#SWT");
                     EXPECT_EQ(d.m_saInstComments.GetAt(1), "a/bc");
                 }, {}}};
    }

    static std::vector<filetests::RoundTrip> RoundTrips() { return {{Fixture("full.mv5"), Fixture("full.mvr")}}; }
    static std::vector<filetests::Twin<Data>> Twins() { return {{Fixture("full.mv4"), Fixture("full.mv5"), {}}}; }

    // What a read into a new test leaves: the test title, Total Number of Curves and Last Curve
    // Number.
    static std::function<void(const Data&)> Leaves(const char* title, int count, int last)
    {
        return [=](const Data& d) {
            EXPECT_EQ(d.m_strTitle, title);
            EXPECT_EQ(d.m_nCurveCount, count);
            EXPECT_EQ(d.m_nLastCurveNo, last);
        };
    }

    static std::vector<filetests::SeparatorCase<Data>> Separators()
    {
        const std::string instr = "----- INSTRUMENTATION -----\r\n";
        const std::string end = "----- END -----\r\n";
        const std::string test = "----- TEST -----\r\n";
        const auto none = std::vector<std::string> {};
        return {
            // A TEST line of a wrong count is left unread; the curves are read.
            {test + "S5|WG|t|o|d|c|p|n|r|t|a|r|d|3|c|x\r\n" + instr + CurveLine("1", "5") + end, 5, true,
             {SeparatorMessage(5, 15, "TEST", 14)}, Leaves("", 1, 1)},
            {test + kTestLine, 4, true, {SeparatorMessage(4, 14, "TEST", 15)}, Leaves("", 0, 0)},
            {test + "x|" + kTestLine, 4, true, none, Leaves("title", 0, 0)},
            {instr + CurveLine("1", "5") + end + test + "# c\r\n" + kTestLine, 5, true, none, Leaves("title", 1, 1)},
            {test + "title only\r\n" + instr + CurveLine("1", "5"), 5, true, none, Leaves("", 1, 1)},
            {test + "\r\n" + kTestLine, 5, true, none, Leaves("", 0, 0)},
            // A curve line of a wrong count ends the section: the curves before it stay, the count
            // is 0.
            {instr + CurveLine("1", "5") + CurveLine("2", "5").erase(0, 2) + CurveLine("3", "5"), 5, true,
             {SeparatorMessage(5, 16, "INSTRUMENTATION", 17)}, Leaves("", 0, 1)},
            // With a TEST line of 15 it would be a biomechanics file.
            {test + kTestLine + instr + "0|" + CurveLine("1", "5"), 4, true,
             {SeparatorMessage(4, 14, "TEST", 15), SeparatorMessage(4, 18, "INSTRUMENTATION", 17)}, Leaves("", 0, 0)},
            {instr + CurveLine("1", "5") + "stray\r\n" + CurveLine("2", "5") + end, 5, true,
             {SeparatorMessage(5, 0, "INSTRUMENTATION", 17)}, Leaves("", 0, 1)},
            {instr + "# a\r\n" + CurveLine("1", "5") + "# b\r\n# c\r\n" + CurveLine("2", "5") + end, 5, true, none,
             Leaves("", 2, 2)},
            {instr + "\r\n" + CurveLine("1", "5") + end, 5, true, none, Leaves("", 0, 0)},
            // Curves are counted by line; the last line's number is Last Curve Number.
            {instr + CurveLine("3", "5") + CurveLine("7", "5") + end, 5, true, none, Leaves("", 2, 7)},
            // The end of the file ends the section as a marker does.
            {instr + CurveLine("1", "5") + CurveLine("2", "5"), 5, true, none, Leaves("", 2, 2)},
            {instr + CurveLine("1", "5") + CurveLine("2", "5") + "\r\n\r\n# end\r\n", 5, true, none,
             Leaves("", 2, 2)},
            {test + kTestLine, 5, true, none, Leaves("title", 0, 0)},
            // An empty file is no SWG test: nothing is read, and no box is shown.
            {"", 5, false, none, Leaves("", 0, 0)},
        };
    }
    static std::vector<filetests::Limit<Data>> Limits() { return {}; }
    static std::vector<filetests::GrFile<Data>> GrFiles()
    {
        return {
            filetests::ImportedGr<Data>(Fixture("test.gr1"), "GR1"),
            filetests::ImportedGr<Data>(Fixture("curves.gr5"), "GR5"),
        };
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Swg, FileSuite, SwgKind);
