#pragma once
// Everything that describes one component test while it is edited: the TEST record, the test
// vehicle (at most one) with the rollover vehicle of a rollover test, the tested components,
// the test configurations, the instrumentation channels (curves), the high-speed video cameras
// (base) and the state of the last curve-file check. The component pages read and write the
// public members directly; record n of a group is element n of every array of the group,
// element 0 belongs to no record.

#include "common/CurveCheck.h"
#include "common/HighSpeedVideoData.h"
#include "common/InstrumentationArrays.h"
#include "common/TestFile.h"
#include "component/CompGR.h"
#include "component/RolloverVehicleData.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <vector>

// The array copy of the undo snapshots.
class CWArray : public CStringArray {
public:
    ~CWArray() = default;
    void CopyArray(CStringArray& destination, const CStringArray& source) const;
};

class CCompData : public CHighSpeedVideoData,
                  public CurveCheckMembers,
                  public InstrumentationArrays,
                  public CopiedTestFile<CCompData> {
public:
    // The test file as the sheets see it.
    const char* KindName() const override { return "Component"; }
    TestFileResult ReadTest(const CString& path) override;
    TestFileResult ReadVersion4(const CString& path) override;
    TestFileResult WriteTest(const CString& path) override;
    TestFileResult WriteReport(const CString& path) override;
    TestFileResult ImportGR(char n, const CString& path) override;
    CHighSpeedVideoData* Cameras() override { return this; }
    CurveCheckMembers* CurveCheck() override { return this; }
    // An object to read a new test into, as a copy emptied by ClearForRead would be: only the
    // version is this test's. The records are not copied only to be emptied.
    std::unique_ptr<ITestFile> NewTestToRead() const override;
    // A copy to read a new test into: ClearTest, and no camera.
    void ClearForRead()
    {
        ClearTest();
        ResetHsvd();
    }

    CCompData();
    // A snapshot: the test data, the rollover vehicle included. The previous test type and the
    // curve check are those of a new object.
    CCompData(const CCompData& other);
    // The test data, the rollover vehicle included: the previous test type and the curve check stay.
    CCompData& operator=(const CCompData& other);
    // A snapshot that takes the test data of `other`, a test cleared or replaced right after: it
    // holds what a copy would. Of the test data `other` keeps the texts, counts and the rollover
    // vehicle; its arrays are left empty.
    CCompData(CCompData&& other);
    virtual ~CCompData();

    void Copy(const CCompData& other);
    void SetDefaults();
    // Clear All Pages: every record group emptied to its first elements and the rollover vehicle
    // reset, the cameras kept; the version and the previous test type stay.
    void ClearTest();

    bool HasTestData() const;
    // Make, model and year all empty: a component tested without a vehicle, to the pages.
    bool IsVehicleRecordEmpty(int i) const;
    // Any vehicle field of record i not empty, or, in a rollover test, any rollover vehicle field
    // that its line carries: what the file and the report must not drop.
    bool VehicleRecordHoldsData(int i) const;
    // The vehicle records 1 .. count that the arrays hold.
    int HeldVehicles() const;
    // A record from 1 to the vehicle count holds data.
    bool HasVehicleData() const;
    bool HasComponents() const;
    bool HasConfigurations() const;
    bool HasCurves() const;


    CCompGR1 m_GR1;
    CCompGR5 m_GR5;
    CCompGR9 m_GR9;

    // TEST (the test reference lives in the base).
    CString m_strVersion;
    CString m_strTitle;
    CString m_strObjectives;
    CString m_strTestDate;
    CString m_strPerformer;
    CString m_strContractNo;
    CString m_strTestType;
    CString m_strPrevTestType; // the type the test page saw last; never in a file
    CString m_strAmbientTemp;
    int m_nCurveCount = 0; // Total Number of Curves
    CString m_strTestComments;

    CRolloverVehicleData m_RolloverVehicleData;

    // VEHICLE: element 0 is the entry of a component tested without a vehicle, element 1 the
    // test vehicle; m_nVehicleCount (0 or 1) selects the one the vehicle page shows.
    int m_nVehicleCount = 0;
    CStringArray m_saVehMake;
    CStringArray m_saVehModel;
    CStringArray m_saVehYear;
    CStringArray m_saVehKavroNo;
    CStringArray m_saVehBodyType;
    CStringArray m_saVehVIN;
    CStringArray m_saVehCrashTested;
    CStringArray m_saVehComments;

    // COMPONENT.
    int m_nComponentCount = 0;
    CStringArray m_saCompVehicleNo;
    CStringArray m_saCompNo;
    CStringArray m_saCompTested;
    CStringArray m_saCompType;
    CStringArray m_saCompWeight;
    CStringArray m_saCompModIndicator;
    CStringArray m_saCompModDescription;
    CStringArray m_saCompOccupantType;
    CStringArray m_saCompDummySize;
    CStringArray m_saCompDummyMaker;
    CStringArray m_saCompComments;

    // CONFIGURATION.
    int m_nConfigurationCount = 0;
    CStringArray m_saConfVehicleNo;
    CStringArray m_saConfCompNo;
    CStringArray m_saConfNo;
    CStringArray m_saConfTestDevice;
    CStringArray m_saConfDeviceSpeed;
    CStringArray m_saConfDeviceComments;
    CStringArray m_saConfTestConfig;
    CStringArray m_saConfCompSpeed;
    CStringArray m_saConfContactAngle;
    CStringArray m_saConfContactLocation1;
    CStringArray m_saConfContactLocation2;
    CStringArray m_saConfContactCommentary;
    CStringArray m_saConfCommentary;

    // INSTRUMENTATION: one record per curve.
    CStringArray m_saInstVehicleNo;
    CStringArray m_saInstCompNo;
    CStringArray m_saInstConfNo;
    int m_nInstRecordCount = 0;
    CStringArray m_saInstSensorType;
    // The other arrays of a channel: InstrumentationArrays.

    // The last curve-file check; never written to a file (the findings are in CurveCheckMembers).
    int m_nCheckCurves = 0;      // the chooser's option, 0 after a version-5 load, 1 once checked
    int m_nCurveCheckCount = 0;  // what the checker reported
    bool m_bChannelInfoMerged = false;

private:
    // Copy, or from an rvalue the same with the arrays taken.
    template <class Other> void Transfer(Other&& other);
    // The file operations behind the interface above, with their own result codes.
    // Test file (.mv5): 1 after the whole file was written and put in place, 0 on failure.
    int WriteMV5File(CString path);
    void WriteTestSection(CStdioFile& file);
    void WriteVehicleSection(CStdioFile& file);
    void WriteRolloverSection(CStdioFile& file);
    void WriteComponentSection(CStdioFile& file);
    void WriteConfigurationSection(CStdioFile& file);
    void WriteInstrumentationSection(CStdioFile& file);
    // Version 5 (.mv5) and version 4 (.mv4) test files.
    // From the open file (opened and judged by ReadTestOfKind): version 5 gives 0 without its TEST
    // line, version 4 1 whatever it holds.
    int ReadMV5File(CStdioFile& file);
    int ReadMV4File(CStdioFile& file);
    int ReadV5Sections(CStdioFile& file);
    bool ReadTestSection(CStdioFile& file, int version);
    void ReadVehicleSection(CStdioFile& file, int version);
    void ReadComponentSection(CStdioFile& file, int version);
    void ReadRolloverSection(CStdioFile& file, int version);
    void ReadConfigurationSection(CStdioFile& file, int version);
    void ReadInstrumentationSection(CStdioFile& file, int version);
    // Report (.mvr).
    int WriteReportFile(const CString& path);
    void ReportVehicles(CStdioFile& file);
    // GR files of the older generation: nonzero when imported; GR9 gives the component lines
    // stored, which ImportGR makes the component count.
    int ReadGR1File(CString path);
    int ReadGR5File(CString path);
    short ReadGR9File(CString path);
};
