// The biomechanics test file, its report and its seven GR files in the shared file suite.
#include "BioTestSupport.h"

using biotest::Fields;
using biotest::Fixture;
using biotest::kHead;
using biotest::kTestLine;

namespace {

struct BioKind : filetests::TestFileKind<CBioData> {
    static std::string Marker() { return "----- RIB -----"; }
    static std::vector<filetests::Hostile<Data>> Hostiles()
    {
        return {{[](Data& d) {
                     d.m_strTitle = "crash|test ----- END -----";
                     d.m_strTestComments = "first line\r\nsecond line";
                     d.m_nRestraintCount = 1;
                     d.m_saRestType.SetAt(1, "#1");
                     d.m_saRestComments.SetAt(1, "a|b");
                     d.m_nGaugeCount = 1;
                     d.m_saGaugeBandNo.SetAt(1, "#2");
                 },
                 {{4, "B5|crash/test -----END -----| | | | | | | |DDA|UMB| | |0| |first linesecond line"},
                  {6, "1|#1| | |a/b"},
                  {8, " #2| | | |"}},
                 [](const Data& d) {
                     EXPECT_EQ(d.m_strTitle, "crash/test -----END -----");
                     EXPECT_EQ(d.m_saRestComments.GetAt(1), "a/b");
                     EXPECT_EQ(d.m_saGaugeBandNo.GetAt(1), "#2");
                 }, {}}};
    }

    static std::vector<filetests::RoundTrip> RoundTrips()
    {
        return {{Fixture("bio.mv5"), Fixture("bio.mvr")}, {Fixture("dummy.mv5"), Fixture("dummy.mvr")}};
    }
    static std::vector<filetests::Twin<Data>> Twins()
    {
        // Version 4 holds no occupant reference, component weight or bone mineral data.
        return {{Fixture("bio.mv4"), Fixture("bio.mv5"), [](Data& d) {
                     EXPECT_EQ(d.m_strBioReferenceNo, "");
                     d.m_strBioReferenceNo = "OCC77";
                     d.m_strBioComponentWeight = "3.5";
                     d.m_strBioBmc = "1.15";
                     d.m_strBioBmcLocation = "L3";
                     d.m_strBioBmcUnits = "G/CM2";
                     d.m_strBioBmcMethod = "DXA";
                     d.m_strBioBmcComments = "Spine scan";
                 }}};
    }
    static std::vector<filetests::SeparatorCase<Data>> Separators()
    {
        const std::string test = kHead + "----- TEST -----\r\n" + kTestLine;
        return {
            // The RIB marker makes it a biomechanics file: a TEST line of 14 would fit another kind.
            {kHead + "----- TEST -----\r\n" + Fields("B5", 14) + "----- RIB -----\r\n", 5, false,
             {"This MV5 file has 14 | characters  of the TEST section, should have 15"},
             [](const Data& d) { EXPECT_EQ(d.m_strTitle, ""); }},
            {test + "----- RESTRAINT -----\r\n" + Fields("1", 4) + Fields("2", 3), 5, true,
             {"This MV5 file has 3 | characters in line 2 of the RESTRAINT section, should have 4"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_nRestraintCount, 2);
                 EXPECT_EQ(d.m_saRestMount.GetAt(2), "f2");
                 EXPECT_EQ(d.m_saRestComments.GetAt(2), "");
             }},
            {test + "----- OCCI -----\r\n" + Fields("1", 7) + Fields("2", 6), 5, true,
             {"This MV5 file has 6 | characters in line 2 of the OCCI section, should have 7"},
             [](const Data& d) { EXPECT_EQ(d.m_nInjuryCount, 2); }},
            {test + "----- GAUGE -----\r\n" + Fields("1", 5), 5, true,
             {"This MV5 file has 5 | characters in line 1 of the CHEST BAND GAUGE section, should have 4"}, {}},
            {test + "----- DUMMY -----\r\n" + Fields("01", 21) + "----- BIO OCCUPANT -----\r\n" + Fields("03", 55) +
                 "----- ANTHROPOMETRY -----\r\n" + Fields("1", 38),
             5, true,
             {"This MV5 file has 55 | characters  of the BIO OCCUPANT section, should have 23",
              "This MV5 file has 21 | characters  of the DUMMY OCCUPANT section, should have 24",
              "This MV5 file has 38 | characters  of the ANTHROPOMETRY section, should have 37"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_strDumSex, "f1");
                 EXPECT_EQ(d.m_strBioComments, "f23");
             }},
            {"----- TEST -----\r\n" + Fields("x", 14) + "----- BIO OCCUPANT -----\r\n" + Fields("x", 23) +
                 "----- DUMMY OCCUPANT -----\r\n" + Fields("x", 24) + "----- INSTRUMENTATION -----\r\n" + Fields("x", 19),
             4, true,
             {"This MV4 file has 14 | characters  of the TEST section, should have 15",
              "This MV4 file has 19 | characters in line 1 of the INSTRUMENTATION section, should have 18",
              "This MV4 file has 23 | characters  of the BIO OCCUPANT section, should have 55"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_strTitle, ""); // a version-4 TEST line of a wrong count is not stored
                 EXPECT_EQ(d.m_strBioLocation, "f1");
                 EXPECT_EQ(d.m_strDumLocation, "");
             }},
        };
    }
    static std::vector<filetests::Limit<Data>> Limits()
    {
        std::string gauges;
        for (int i = 1; i <= 1000; ++i)
            gauges += std::to_string(i) + "|1|2|3|x\r\n";
        return {{kHead + "----- TEST -----\r\n" + kTestLine + "----- CHEST BAND GAUGE -----\r\n" + gauges, 5,
                 [](const Data& d) { return d.m_nGaugeCount; }, 999,
                 "This MV5 file's CHEST BAND GAUGE section holds more than 999 records; only the first 999 are read."}};
    }
    static std::vector<filetests::GrFile<Data>> GrFiles()
    {
        return {
            filetests::ImportedGr<Data>(Fixture("test.gr1"), "GR1"),
            filetests::ImportedGr<Data>(Fixture("test.gr5"), "GR5"),
            filetests::ImportedGr<Data>(Fixture("bio.gr6"), "GR6"),
            filetests::ImportedGr<Data>(Fixture("dummy.gr6"), "GR6"),
            filetests::ImportedGr<Data>(Fixture("test.gr7"), "GR7"),
            filetests::ImportedGr<Data>(Fixture("test.gr8"), "GR8"),
            filetests::ImportedGr<Data>(Fixture("test.gry"), "GRY"),
            filetests::ImportedGr<Data>(Fixture("test.grz"), "GRZ"),
        };
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Biomechanics, FileSuite, BioKind);
