// The vehicle test file, its intrusion file and its GR files in the shared file suite.
#include "vehicle/VehData.h"

#include "FileSuite.h"
#include "VehTestSupport.h"

#include <cctype>

using vehtest::AddPoint;
using vehtest::Fixture;
using vehtest::kHead;
using vehtest::kTestLine;
using vehtest::VehicleLine;

namespace {

struct VehicleKind : filetests::TestFileKind<CVehData> {
    static bool Read(Data& d, const std::string& path, int version)
    {
        const bool read = TestFileKind::Read(d, path, version);
        d.SetVehicleCount(); // as the sheet does after a load
        return read;
    }
    static std::string Marker() { return "----- VEHICLE -----"; }

    static std::vector<filetests::RoundTrip> RoundTrips()
    {
        return {{Fixture("vtb_full.mv5"), Fixture("vtb_full.mvr")}, {Fixture("vtv_two.mv5"), Fixture("vtv_two.mvr")}};
    }
    static std::vector<filetests::Twin<Data>> Twins()
    {
        // Version 4 has no curb weight: the member keeps what it held.
        return {{Fixture("vtb_full.mv4"), Fixture("vtb_full.mv5"), [](Data& d) {
                     EXPECT_EQ(d.m_saVehCurbWeight.GetAt(1), "");
                     d.m_saVehCurbWeight.SetAt(1, "1450");
                 }}};
    }
    static std::vector<filetests::SeparatorCase<Data>> Separators()
    {
        return {
            {kHead + "----- TEST -----\r\nV5|a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q|r|s|t\r\n", 5, false,
             {"This MV5 file has 20 | characters  of the TEST section, should have 19"},
             [](const Data& d) { EXPECT_EQ(d.m_strTitle, ""); }},
            {"----- TEST -----\r\nx|V5|a|b|c|d|e|f|g|VTV|j|k|l|m|n|o|p|q|0|s\r\n", 4, true,
             {"This MV4 file has 19 | characters  of the TEST section, should have 20"},
             [](const Data& d) { EXPECT_EQ(d.m_strConfiguration, "VTV"); }},
            {kHead + "----- TEST -----\r\n" + kTestLine + "----- VEHICLE -----\r\n" + VehicleLine("1", "FORD") +
                 "2|MAKE|MODEL|1999|K|BT|VIN|ET|ED|TR|TW|WB|a|b|c|d|e|f|g\r\n",
             5, true, {"This MV5 file has 18 | characters in line 2 of the VEHICLE section, should have 79, or 80"},
             [](const Data& d) {
                 EXPECT_EQ(d.m_saVehWheelbase.GetAt(2), "WB");
                 EXPECT_EQ(d.m_saVehComments.GetAt(2), "");
             }},
            {kHead + "----- TEST -----\r\n" + kTestLine + "----- RESTRAINT -----\r\n1|01|1|AB|SW|DE|x\r\n2|01|2|AB\r\n", 5,
             true, {"This MV5 file has 3 | characters in line 2 of the RESTRAINT section, should have 6"}, {}},
        };
    }
    static std::vector<filetests::Limit<Data>> Limits()
    {
        std::string vehicles;
        std::string occupants;
        for (int i = 1; i <= 1001; ++i) {
            if (i <= 50)
                vehicles += VehicleLine(std::to_string(i), 'M' + std::to_string(i));
            occupants += std::to_string(i) + std::string(43, '|') + "\r\n";
        }
        const std::string head = kHead + "----- TEST -----\r\n" + kTestLine;
        return {
            {head + "----- VEHICLE -----\r\n" + vehicles, 5, [](const Data& d) { return d.m_nVehiclesRead; }, 2,
             "This MV5 file's VEHICLE section holds more than 2 records; only the first 2 are read."},
            {head + "----- OCCUPANT -----\r\n" + occupants, 5, [](const Data& d) { return d.m_nOccupantCount; }, 999,
             "This MV5 file's OCCUPANT section holds more than 999 records; only the first 999 are read."},
        };
    }
    static std::vector<filetests::Hostile<Data>> Hostiles()
    {
        return {{[](Data& d) {
                     d.m_strTitle = "crash|test";
                     d.m_strTestComments = "first line\r\nsecond line";
                     d.m_nCurveCount = 1;
                     d.m_saInstMaker.SetAt(1, "EN|DE\nVCO");
                 },
                 {{4, "V5|crash/test| | | | | | |VTB| | | |DDA|UMB| | | | |1|first linesecond line"}},
                 [](const Data& d) {
                     EXPECT_EQ(d.m_strTitle, "crash/test");
                     EXPECT_EQ(d.m_nCurveCount, 1);
                     EXPECT_EQ(d.m_saInstMaker.GetAt(1), "EN/DEVCO");
                 }, {}}};
    }
    // The fixtures damaged at random: each reader keeps to its lists.
    static std::vector<filetests::Damaged<Data>> Damaged()
    {
        return {
            {"mv5", false, [](Data& d, const std::string& p, int) { return Read(d, p, 5), true; }},
            {"mv4", false, [](Data& d, const std::string& p, int) { return Read(d, p, 4), true; }},
            {"gr", true,
             [](Data& d, const std::string& p, int pick) {
                 const auto& gr = GrFiles();
                 gr[static_cast<size_t>(pick % 5)].import(d, p);
                 d.SetVehicleCount();
                 return true;
             }},
        };
    }
    static void ExpectBounded(const Data& d)
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
    static void ExpectSameRecords(const Data& d, const Data& back)
    {
        EXPECT_EQ(back.m_nOccupantCount, d.m_nOccupantCount);
        EXPECT_EQ(back.m_nRestraintCount, d.m_nRestraintCount);
        EXPECT_EQ(back.m_nCurveCount, d.m_nCurveCount);
    }
    // Only a version text that a version-4 file let through can make a written file unreadable.
    static bool Unreadable(const Data& d) { return std::toupper(static_cast<unsigned char>(d.m_strVersion.GetAt(0))) != 'V'; }
    static std::vector<filetests::GrFile<Data>> GrFiles()
    {
        return {
            filetests::ImportedGr<Data>(Fixture("test.gr1"), "GR1"),
            filetests::ImportedGr<Data>(Fixture("test.gr2"), "GR2"),
            filetests::ImportedGr<Data>(Fixture("test.gr3"), "GR3"),
            filetests::ImportedGr<Data>(Fixture("test.gr4"), "GR4"),
            filetests::ImportedGr<Data>(Fixture("test.gr5"), "GR5"),
        };
    }
};

struct IntrusionKind {
    using Data = CIntrusionData;
    static bool Read(Data& d, const std::string& path, int) { return d.LoadIntrusionFile(path.c_str(), true); }
    static bool Write(Data& d, const std::string& path) { return d.SaveIntrusionData(path.c_str()); }
    static bool WriteReport(Data& d, const std::string& path) { return d.SaveIntrusionReport(path.c_str()); }
    static std::string Marker() { return "----- INTRUSION -----"; }
    static std::vector<filetests::RoundTrip> RoundTrips() { return {{Fixture("points.ip5"), Fixture("points.ipr")}}; }
    static std::vector<filetests::Twin<Data>> Twins() { return {}; }
    static std::vector<filetests::SeparatorCase<Data>> Separators()
    {
        return {{"----- INTRUSION -----\r\n1|1|a|1|2|3|4|5|6|R\r\n1|1|a|1|2|3\r\n----- END -----\r\n", 5, true,
                 {"This MV5 file has 5 | characters in line 2 of the INTRUSION section, should have 9"}, {}}};
    }
    static std::vector<filetests::Limit<Data>> Limits()
    {
        std::string many = "----- INTRUSION -----\n";
        for (int i = 0; i < 1005; ++i)
            many += "1|" + std::to_string(i) + "|a|1|2|3|4|5|6|R\n";
        return {{many, 5, [](const Data& d) { return d.PointCount(); }, 999,
                 "This INTRUSION section holds more than 999 records; only the first 999 are read."}};
    }
    static std::vector<filetests::GrFile<Data>> GrFiles() { return {}; }
    static std::vector<filetests::Hostile<Data>> Hostiles()
    {
        return {{[](Data& d) {
                     d.SetSecondText("T|1\r\n");
                     AddPoint(d, "1", "1", "left\nfoot|well", {"1", "2", "3", "4", "5", "6"});
                 },
                 {{3, "1|1|leftfoot/well|1|2|3|4|5|6|T/1"}},
                 {}, {}}};
    }
    static std::vector<filetests::Damaged<Data>> Damaged()
    {
        return {{"ip5", false, [](Data& d, const std::string& p, int) {
                     EXPECT_TRUE(Read(d, p, 5));
                     return d.HasIntrusion();
                 }}};
    }
    static void ExpectBounded(const Data& d) { EXPECT_EQ(d.m_arrAfterZ.GetSize(), d.m_arrPointNumber.GetSize()); }
    static void ExpectSameRecords(const Data& d, const Data& back)
    {
        EXPECT_EQ(back.m_arrPointLocation, d.m_arrPointLocation);
        EXPECT_EQ(back.m_arrAfterZ, d.m_arrAfterZ);
        EXPECT_EQ(back.m_strTestReference, d.m_strTestReference);
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Vehicle, FileSuite, VehicleKind);
INSTANTIATE_TYPED_TEST_SUITE_P(Intrusion, FileSuite, IntrusionKind);
