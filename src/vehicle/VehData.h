#pragma once
// Everything that describes one vehicle crash test while it is edited: the TEST record, up to
// two vehicles, the barrier, occupants, restraints, instrumentation channels (curves), the
// high-speed video cameras (base), the intrusion points, the GR layouts and the state of the
// last curve-file check. The vehicle pages read and write the public members directly; record
// n of a group is element n of every array of the group, element 0 is never used.

#include "common/CurveCheck.h"
#include "common/HighSpeedVideoData.h"
#include "common/InstrumentationArrays.h"
#include "common/TestFile.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"
#include "vehicle/IntrusionData.h"
#include "vehicle/VehGR.h"

#include <vector>

// 2 for the two-vehicle test configurations ITI, ITV, VTI, VTV and PTV; 1 for any other text.
int VehicleCountOfConfig(const CString& config);

class CVehData : public CHighSpeedVideoData,
                 public CurveCheckMembers,
                 public InstrumentationArrays,
                 public CopiedTestFile<CVehData> {
public:
    CVehData();
    virtual ~CVehData();

    // The test file as the sheets see it.
    const char* KindName() const override { return "Vehicle"; }
    TestFileResult ReadTest(const CString& path) override;
    TestFileResult ReadVersion4(const CString& path) override;
    TestFileResult WriteTest(const CString& path) override;
    TestFileResult WriteReport(const CString& path) override;
    TestFileResult ImportGR(char n, const CString& path) override;
    CHighSpeedVideoData* Cameras() override { return this; }
    CurveCheckMembers* CurveCheck() override { return this; }
    // The intrusion points of an .ip5 file; the test reference, when the test has none, is theirs.
    bool ReadIntrusionCompanion(const CString& path, bool showError);
    // A copy to read a new test into: ClearTest.
    void ClearForRead() { ClearTest(); }

    // Every member back to its construction value (the test kind's Clear All Pages), the
    // intrusion points included; the curve-check option the sheet handed over stays.
    void ResetVehData();
    // Clear All Pages' test: the sections of a new test (an occupant's and a channel's vehicle
    // number "1", no restraint number), no camera and no point; the version and the last curve
    // check (its findings, the test file path, the option) stay.
    void ClearTest();
    void SetVehicleCount();

    bool IsTestEmpty() const;
    bool IsVehicleEmpty() const;
    bool IsBarrierEmpty() const;

    CVehGR1 m_GR1;
    CVehGR2 m_GR2;
    CVehGR3 m_GR3;
    CVehGR4 m_GR4;
    CVehGR5 m_GR5;

    CIntrusionData m_IntrusionData;

    bool m_bConfigNoticeMuted;
    bool m_bConfigChanged;

    // TEST (the test reference lives in the base).
    CString m_strVersion;
    CString m_strTitle;
    CString m_strObjectives;
    CString m_strTestDate;
    CString m_strPerformer;
    CString m_strContractNo;
    CString m_strTestType;
    CString m_strConfiguration;
    CString m_strTrackSurface;
    CString m_strTrackCondition;
    CString m_strAmbientTemp;
    CString m_strRecorderType;
    CString m_strDataLinkType;
    CString m_strClosingSpeed;
    CString m_strImpactAngle;
    CString m_strOffsetDistance;
    CString m_strSideImpactPoint;
    int m_nCurveCount;
    CString m_strTestComments;

    int m_nVehicleCount;  // from the test configuration: pages and test-file writer
    int m_nVehiclesRead;  // vehicles of the last file read or GR2 import: the report

    // VEHICLE: elements 1 and 2 are vehicles 1 and 2.
    CStringArray m_saVehMake;
    CStringArray m_saVehModel;
    CStringArray m_saVehYear;
    CStringArray m_saVehKavroNo;
    CStringArray m_saVehBodyType;
    CStringArray m_saVehVin;
    CStringArray m_saVehEngineType;
    CStringArray m_saVehEngineDisplacement;
    CStringArray m_saVehTransmission;
    CStringArray m_saVehTestWeight;
    CStringArray m_saVehCurbWeight;
    CStringArray m_saVehWheelbase;
    CStringArray m_saVehLength;
    CStringArray m_saVehWidth;
    CStringArray m_saVehCgBehindFrontAxle;
    CStringArray m_saVehShearCapsule;
    CStringArray m_saVehCollapseMechanism;
    CStringArray m_saVehModIndicator;
    CStringArray m_saVehModDescription;
    CStringArray m_saVehBX1;
    CStringArray m_saVehBX2;
    CStringArray m_saVehBX3;
    CStringArray m_saVehBX4;
    CStringArray m_saVehBX5;
    CStringArray m_saVehBX6;
    CStringArray m_saVehBX7;
    CStringArray m_saVehBX8;
    CStringArray m_saVehBX9;
    CStringArray m_saVehBX10;
    CStringArray m_saVehBX11;
    CStringArray m_saVehBX12;
    CStringArray m_saVehBX13;
    CStringArray m_saVehBX14;
    CStringArray m_saVehBX15;
    CStringArray m_saVehBX16;
    CStringArray m_saVehBX17;
    CStringArray m_saVehBX18;
    CStringArray m_saVehBX19;
    CStringArray m_saVehBX20;
    CStringArray m_saVehBX21;
    CStringArray m_saVehSpeed;
    CStringArray m_saVehCrabbedAngle;
    CStringArray m_saVehPdof;
    CStringArray m_saVehBumperEngagement;
    CStringArray m_saVehSillEngagement;
    CStringArray m_saVehAPillarEngagement;
    CStringArray m_saVehDamageProfile1;
    CStringArray m_saVehDamageProfile2;
    CStringArray m_saVehDamageProfile3;
    CStringArray m_saVehDamageProfile4;
    CStringArray m_saVehDamageProfile5;
    CStringArray m_saVehDamageProfile6;
    CStringArray m_saVehDamageIndex;
    CStringArray m_saVehIndentationLength;
    CStringArray m_saVehDamageToCg;
    CStringArray m_saVehMaxCrush;
    CStringArray m_saVehAX1;
    CStringArray m_saVehAX2;
    CStringArray m_saVehAX3;
    CStringArray m_saVehAX4;
    CStringArray m_saVehAX5;
    CStringArray m_saVehAX6;
    CStringArray m_saVehAX7;
    CStringArray m_saVehAX8;
    CStringArray m_saVehAX9;
    CStringArray m_saVehAX10;
    CStringArray m_saVehAX11;
    CStringArray m_saVehAX12;
    CStringArray m_saVehAX13;
    CStringArray m_saVehAX14;
    CStringArray m_saVehAX15;
    CStringArray m_saVehAX16;
    CStringArray m_saVehAX17;
    CStringArray m_saVehAX18;
    CStringArray m_saVehAX19;
    CStringArray m_saVehAX20;
    CStringArray m_saVehAX21;
    CStringArray m_saVehCartAngle;
    CStringArray m_saVehCartOrientation;
    CStringArray m_saVehComments;

    // BARRIER.
    CString m_strBarRigidity;
    CString m_strBarShape;
    CString m_strBarContactAngle;
    CString m_strBarPoleDiameter;
    CString m_strBarComments;

    // OCCUPANT.
    int m_nOccupantCount;
    CStringArray m_saOccVehicleNo;
    CStringArray m_saOccLocation;
    CStringArray m_saOccType;
    CStringArray m_saOccAge;
    CStringArray m_saOccSex;
    CStringArray m_saOccHeight;
    CStringArray m_saOccWeight;
    CStringArray m_saOccCalibration;
    CStringArray m_saOccDummySize;
    CStringArray m_saOccDummyMaker;
    CStringArray m_saOccDummyModification;
    CStringArray m_saOccDummyDescription;
    CStringArray m_saOccHeadToWindshieldHeader;
    CStringArray m_saOccHeadToWindshield;
    CStringArray m_saOccHeadToSideHeader;
    CStringArray m_saOccHeadToSideWindow;
    CStringArray m_saOccChestToDash;
    CStringArray m_saOccChestToWheel;
    CStringArray m_saOccArmToDoor;
    CStringArray m_saOccHipToDoor;
    CStringArray m_saOccKneesToDash;
    CStringArray m_saOccHeadToSeatback;
    CStringArray m_saOccNeckToSeatback;
    CStringArray m_saOccChestToSeatback;
    CStringArray m_saOccKneeToSeatback;
    CStringArray m_saOccSeatPosition;
    CStringArray m_saOccHeadContact1;
    CStringArray m_saOccHeadContact2;
    CStringArray m_saOccChestContact1;
    CStringArray m_saOccChestContact2;
    CStringArray m_saOccLegsContact1;
    CStringArray m_saOccLegsContact2;
    CStringArray m_saOccHic;
    CStringArray m_saOccHicLower;
    CStringArray m_saOccHicUpper;
    CStringArray m_saOccThoraxAccel;
    CStringArray m_saOccLeftFemurLoad;
    CStringArray m_saOccRightFemurLoad;
    CStringArray m_saOccCsi;
    CStringArray m_saOccLapBeltLoad;
    CStringArray m_saOccShoulderBeltLoad;
    CStringArray m_saOccTti;
    CStringArray m_saOccPelvicG;
    CStringArray m_saOccComments;

    // RESTRAINT.
    int m_nRestraintCount;
    CStringArray m_saRestVehicleNo;
    CStringArray m_saRestOccLocation;
    CStringArray m_saRestNo;
    CStringArray m_saRestType;
    CStringArray m_saRestMount;
    CStringArray m_saRestDeployment;
    CStringArray m_saRestComments;

    // INSTRUMENTATION (its count is m_nCurveCount). Sensor location is declared before sensor
    // type; the file has type first.
    CStringArray m_saInstVehicleNo;
    int m_nLastCurveNo; // curve number of the last line read or imported; never written
    CStringArray m_saInstSensorLocation;
    CStringArray m_saInstSensorType;
    // The other arrays of a channel: InstrumentationArrays.

    // The last curve-file check: the option and the column count; the findings are in
    // CurveCheckMembers.
    int m_nCurveCheckRequested;
    int m_nCurveColumnCount;

private:
    // The file operations behind the interface above, with their own result codes.
    // Test file (.mv5): 1 after the whole file was written and put in place, 0 on failure.
    int WriteTestFile(CString path);
    // Version 5 (.mv5) and version 4 (.mv4) test files, from the open file (opened and judged by
    // ReadTestOfKind): version 5 gives 0 when its TEST line is missing or refused, version 4 1.
    int ReadTestFile(CStdioFile& file);
    int ReadV4TestFile(CStdioFile& file);
    // The sections of an open file of `version` (4 or 5); false when a version-5 TEST line is
    // missing or refused.
    bool ReadSections(CStdioFile& file, int version);
    // GR files of the older generation: nonzero when imported; GR4 gives the occupant lines
    // stored, which ImportGR makes the occupant count.
    int ReadGR1File(CString path);
    int ReadGR2File(CString path);
    int ReadGR3File(CString path);
    short ReadGR4File(CString path);
    int ReadGR5File(CString path);
    // Report (.mvr).
    int WriteReportFile(const CString& path);

    // After a read or an import: counts within what the arrays can hold, every array of a group
    // at least count + 1 long.
    void KeepGroupsInStep();
};
