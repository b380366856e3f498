#pragma once
// Everything that describes one biomechanics test while it is edited: the TEST record, the
// occupant (a dummy or a biological occupant), its body measurements, six groups of records
// (ribs, injuries, restraints, chest bands, chest-band gauges, instrumentation channels), the GR
// layouts and the state of the last curve-file check. The biomechanics pages read and write the
// public members directly; record n of a group is element n of every array of the group, element
// 0 is never used. Its sections are tables on the shared section mechanism (BioSections.h).

#include "biomech/BioGR.h"
#include "common/CurveCheck.h"
#include "common/HighSpeedVideoData.h"
#include "common/InstrumentationArrays.h"
#include "common/TestFile.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"

#include <vector>

class CBioData : public CHighSpeedVideoData,
                 public CurveCheckMembers,
                 public InstrumentationArrays,
                 public CopiedTestFile<CBioData> {
public:
    // The test file as the sheets see it.
    const char* KindName() const override { return "Biomechanics"; }
    TestFileResult ReadTest(const CString& path) override;
    TestFileResult ReadVersion4(const CString& path) override;
    TestFileResult WriteTest(const CString& path) override;
    TestFileResult WriteReport(const CString& path) override;
    TestFileResult ImportGR(char n, const CString& path) override;
    CHighSpeedVideoData* Cameras() override { return this; }
    CurveCheckMembers* CurveCheck() override { return this; }
    // Clear All Pages' test: a new test's, with no recorder and link, a cadaver, no X units and
    // no camera; the version and the last curve check (choice, findings, test file path) stay,
    // so the next file's first line still tells of that check. Also what a new read starts from.
    void ClearForRead();

    CBioData();
    virtual ~CBioData();

    // The has-data tests that decide which sections the test file and the report hold.
    bool HasTestData() const;
    bool IsDummyOccupant() const;
    bool IsBioOccupant() const;
    bool HasAnthropometry() const;
    // Trims the rib fields it looks at, in place.
    bool HasRibData();
    bool HasInjuryRecords() const;

    static CString CleanIntegerField(CString text);
    static CString CleanRealField(CString text);

    CBioGR1 m_GR1;
    CBioGR5 m_GR5;
    CBioGR6 m_GR6;
    CBioGR7 m_GR7;
    CBioGR8 m_GR8;
    CBioGRY m_GRY;
    CBioGRZ m_GRZ;

    // TEST (the test reference lives in the base).
    CString m_strVersion;
    CString m_strTitle;
    CString m_strObjectives;
    CString m_strTestDate;
    CString m_strPerformer;
    CString m_strContractNo;
    CString m_strConfiguration;
    CString m_strAmbientTemp;
    CString m_strRecorderType;
    CString m_strDataLinkType;
    CString m_strClosingSpeed;
    CString m_strImpactAngle;
    int m_nCurveCount;
    CString m_strOccupantType;
    CString m_strTestComments;

    // DUMMY OCCUPANT.
    CString m_strDumLocation;
    CString m_strDumSex;
    CString m_strDumSeatPosition;
    CString m_strDumHic;
    CString m_strDumHicLower;
    CString m_strDumHicUpper;
    CString m_strDumThoraxAccel;
    CString m_strDumLeftFemurLoad;
    CString m_strDumRightFemurLoad;
    CString m_strDumCsi;
    CString m_strDumLapBeltLoad;
    CString m_strDumShoulderBeltLoad;
    CString m_strDumTti;
    CString m_strDumPelvicG;
    CString m_strDumThoracicCriterion;
    CString m_strDumViscousCriterion;
    CString m_strDumChestDeflection;
    CString m_strDumNeckInjury;
    CString m_strDumCalibration;
    CString m_strDumSize;
    CString m_strDumMaker;
    CString m_strDumModification;
    CString m_strDumDescription;
    CString m_strDumComponentWeight;
    CString m_strDumComments;

    // BIO OCCUPANT (the file's order differs: component weight sixth, BMC comments before the
    // occupant comments).
    CString m_strBioLocation;
    CString m_strBioSex;
    CString m_strBioSeatPosition;
    CString m_strBioAge;
    CString m_strBioWeight;
    CString m_strBioFracturedRibs;
    CString m_strBioRibFractures;
    CString m_strBioReferenceNo;
    CString m_strBioTestCount;
    CString m_strBioDeathDate;
    CString m_strBioDeathCause;
    CString m_strBioAppearance;
    CString m_strBioBedConfinement;
    CString m_strBioAnomaly;
    CString m_strBioCardioPressure;
    CString m_strBioHeadPressure;
    CString m_strBioPulmonaryPressure;
    CString m_strBioComments;
    CString m_strBioBmc;
    CString m_strBioBmcLocation;
    CString m_strBioBmcUnits;
    CString m_strBioBmcMethod;
    CString m_strBioComponentWeight;
    CString m_strBioBmcComments;

    // ANTHROPOMETRY.
    CString m_strAntStature;
    CString m_strAntShoulderHeight;
    CString m_strAntVertexToSymphysion;
    CString m_strAntWaistHeight;
    CString m_strAntShoulderBreadth;
    CString m_strAntChestBreadth;
    CString m_strAntWaistBreadth;
    CString m_strAntHipBreadth;
    CString m_strAntShoulderToElbow;
    CString m_strAntForearmHandLength;
    CString m_strAntTibialeHeight;
    CString m_strAntAnkleHeight;
    CString m_strAntFootBreadth;
    CString m_strAntFootLength;
    CString m_strAntHeadToTrochanterion;
    CString m_strAntSeatedHeight;
    CString m_strAntKneeHeightSeated;
    CString m_strAntHeadLength;
    CString m_strAntHeadBreadth;
    CString m_strAntHeadHeight;
    CString m_strAntBicepCirc;
    CString m_strAntElbowCirc;
    CString m_strAntForearmCirc;
    CString m_strAntWristCirc;
    CString m_strAntThighCirc;
    CString m_strAntLowerThighCirc;
    CString m_strAntKneeCirc;
    CString m_strAntCalfCirc;
    CString m_strAntAnkleCirc;
    CString m_strAntNeckCirc;
    CString m_strAntScyeCirc;
    CString m_strAntChestCirc;
    CString m_strAntWaistCirc;
    CString m_strAntButtockCirc;
    CString m_strAntChestDepth;
    CString m_strAntWaistDepth;
    CString m_strAntButtockDepth;
    CString m_strAntInterscyeDistance;

    // RIB.
    int m_nRibCount;
    CStringArray m_saRibLocation;
    CStringArray m_saRibMomentOfInertia;
    CStringArray m_saRibNeutralAxis;
    CStringArray m_saRibSpanLength;
    CStringArray m_saRibDeflection;
    CStringArray m_saRibLoad;
    CStringArray m_saRibBreakLoad;
    CStringArray m_saRibMarrowArea;
    CStringArray m_saRibCrossSection;

    // OCCUPANT INJURY.
    int m_nInjuryCount;
    CStringArray m_saInjBodyRegion;
    CStringArray m_saInjBodyAspect;
    CStringArray m_saInjInjury;
    CStringArray m_saInjOrgan;
    CStringArray m_saInjAis;
    CStringArray m_saInjAis90;
    CStringArray m_saInjComments;

    // RESTRAINT.
    int m_nRestraintCount;
    CStringArray m_saRestType;
    CStringArray m_saRestMount;
    CStringArray m_saRestDeployment;
    CStringArray m_saRestComments;

    // CHEST BAND.
    int m_nChestBandCount;
    CStringArray m_saBandChestDepth;
    CStringArray m_saBandChestBreadth;
    CStringArray m_saBandLength;
    CStringArray m_saBandAnteriorLocation;
    CStringArray m_saBandPosteriorLocation;
    CStringArray m_saBandSternumCurveNo;
    CStringArray m_saBandSternumDistance;
    CStringArray m_saBandSpineCurveNo;
    CStringArray m_saBandSpineDistance;
    CStringArray m_saBandGaugeCount;
    CStringArray m_saBandComments;

    // CHEST BAND GAUGE.
    int m_nGaugeCount;
    CStringArray m_saGaugeBandNo;
    CStringArray m_saGaugeNo;
    CStringArray m_saGaugeDistance;
    CStringArray m_saGaugeCurveNo;
    CStringArray m_saGaugeComments;

    // INSTRUMENTATION: one record per curve.
    int m_nInstCount;
    CStringArray m_saInstSensorType;
    CStringArray m_saInstSensorLocation;
    // The other arrays of a channel: InstrumentationArrays.

    // The last curve-file check; never written to a file (the findings are in CurveCheckMembers).
    // The sheet sets the option before anything reads it.
    int m_nCheckCurves = 0;      // the chooser's option, 0 after a version-5 load, 1 once asked
    int m_nCurveCheckCount = 0;  // what the checker reported

private:
    // The file operations behind the interface above, with their own result codes.
    // Test file (.mv5): true after the whole file was written and put in place.
    bool WriteMV5File(CString path);
    // Version 5 (.mv5) and version 4 (.mv4) test files.
    // From the open file (opened and judged by ReadTestOfKind): version 5 fails without its TEST
    // line, version 4 reads whatever it finds.
    bool ReadMV5File(CStdioFile& file);
    bool ReadVersion4File(CStdioFile& file);
    // The sections of an open file; the version-5 read fails without its TEST line.
    bool ReadV5Sections(CStdioFile& file);
    bool ReadV4Sections(CStdioFile& file);
    // Report (.mvr).
    bool WriteReportFile(const CString& path);
    // GR files of the older generation. GR8, GRY and GRZ give the number of records read (0 on
    // failure), which ImportGR makes the group's count.
    bool ReadGR1File(CString path);
    bool ReadGR5File(CString path);
    bool ReadGR6File(CString path);
    bool ReadGR7File(CString path);
    short ReadGR8File(CString path);
    short ReadGRYFile(CString path);
    short ReadGRZFile(CString path);

    // After a read or an import: counts within what the arrays can hold, every array of a group
    // at least count + 1 long.
    void KeepGroupsInStep();
};
