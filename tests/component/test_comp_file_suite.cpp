// The component test file and its GR files in the shared file suite.
#include "component/CompData.h"

#include "CompTestSupport.h"
#include "FileSuite.h"

using comptest::FileWith;
using comptest::Fixture;

namespace {

struct ComponentKind : filetests::TestFileKind<CCompData> {
    static std::string Marker() { return "----- COMPONENT -----"; }
    static std::vector<filetests::Hostile<Data>> Hostiles()
    {
        return {{[](Data& d) {
                     d.m_strTitle = "a|b\r\nc";
                     d.m_strTestComments = "x|y";
                 },
                 {{3, "----- TEST -----"},
                  {4, "C5|a/bc| | | | | | | |0|x/y"},
                  {5, "----- VEHICLE -----"},
                  {6, "0||||||||A NON-VEHICLE COMPONENT, No Vehicle information Available"}},
                 [](const Data& d) {
                     EXPECT_EQ(d.m_strTitle, "a/bc");
                     EXPECT_EQ(d.m_strTestComments, "x/y");
                 }, {}}};
    }

    static std::vector<filetests::RoundTrip> RoundTrips()
    {
        return {{Fixture("comp_full.mv5"), ""},
                {Fixture("rollover.mv5"), Fixture("rollover.mvr")},
                {Fixture("nonvehicle.mv5"), ""}};
    }
    static std::vector<filetests::Twin<Data>> Twins()
    {
        return {{Fixture("comp_full.mv4"), Fixture("comp_full.mv5"), {}}};
    }
    static std::vector<filetests::SeparatorCase<Data>> Separators()
    {
        return {
            {comptest::kHead + "----- TEST -----\r\nC5|a|b|c|d|e|f|g|h|1|j|k\r\n", 5, false,
             {"This MV5 file has 11 | characters  of the TEST section, should have 10"},
             [](const Data& d) { EXPECT_EQ(d.m_strTitle, ""); }},
            // Only the version letter is looked at, in either case.
            {comptest::kHead + "----- TEST -----\r\nB5|a|b|c|d|e|f|g|h|1|j\r\n", 5, false, {},
             [](const Data& d) { EXPECT_EQ(d.m_strTitle, ""); }},
            {comptest::kHead + "----- TEST -----\r\nc5|a|b|c|d|e|f|g|h|1|j\r\n", 5, true, {},
             [](const Data& d) { EXPECT_EQ(d.m_strTitle, "a"); }},
            {FileWith("----- VEHICLE -----\r\n1|FORD|TAURUS|99|K|B|V|Y|c|x\r\n"), 5, true,
             {"This MV5 file has 9 | characters  of the VEHICLE section, should have 8, or 15"},
             [](const Data& d) { EXPECT_EQ(d.m_saVehYear.GetAt(1), "1999"); }},
            {FileWith("----- COMPONENT -----\r\n1|1|SEBK|FS|1|N| |H3|50|H|c|extra\r\n1|2|HDRS|FS|1|N| |H3|50|H|c\r\n"),
             5, true, {"This MV5 file has 11 | characters in line 1 of the COMPONENT section, should have 10"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_nComponentCount, 2);
                 EXPECT_EQ(d.m_saCompComments.GetAt(1), "c");
             }},
            {FileWith("----- ROLLOVER -----\r\nP|S|35 |P|S|35 \r\n"), 5, true,
             {"This MV5 file has 5 | characters in line 1 of the ROLLOVER section, should have 55"},
             [](const Data& d) { EXPECT_EQ(d.m_RolloverVehicleData.m_nRearTirePressure, 35); }},
            // Version 4 takes the TEST line whatever its count; any count but 11 has an unread
            // field before the temperature.
            {"----- TEST -----\r\nx|C4|a|b|c|d|e|R|SBS|u|21|3|comment|more\r\n", 4, true,
             {"This MV4 file has 13 | characters  of the TEST section, should have 11, or 12"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_strAmbientTemp, "21");
                 EXPECT_EQ(d.m_strTestType, "SBS");
                 EXPECT_EQ(d.m_strTestComments, "comment");
             }},
            {"----- TEST -----\r\nx|C4|a|b|c|d|e|R|SBS|21|3|comment\r\n----- VEHICLE -----\r\nx|1|FORD|T|05\r\n", 4,
             true, {"This MV4 file has 4 | characters  of the VEHICLE section, should have 9"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_strAmbientTemp, "21");
                 EXPECT_EQ(d.m_saVehYear.GetAt(1), "2005");
             }},
        };
    }
    static std::vector<filetests::Limit<Data>> Limits()
    {
        std::string components;
        for (int i = 1; i <= 1001; ++i)
            components += "1|" + std::to_string(i) + "|SEBK|FS|1|N| |H3|50|H|c\r\n";
        return {{FileWith("----- COMPONENT -----\r\n" + components), 5,
                 [](const Data& d) { return d.m_nComponentCount; }, 999,
                 "This MV5 file's COMPONENT section holds more than 999 records; only the first 999 are read."}};
    }
    static std::vector<filetests::GrFile<Data>> GrFiles()
    {
        return {
            filetests::ImportedGr<Data>(Fixture("test.gr1"), "GR1"),
            filetests::ImportedGr<Data>(Fixture("test.gr5"), "GR5"),
            filetests::ImportedGr<Data>(Fixture("test.gr9"), "GR9"),
        };
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Component, FileSuite, ComponentKind);
