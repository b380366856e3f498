#pragma once
// The crash-avoidance test: one test record, at most one lower-beam record and lists of vehicle,
// amber-signal, rollover and instrumentation records. Every field is text; the pages convert.
// Unlike the other kinds, its read errors are collected in m_Messages and shown by the sheet in
// one box.

#include "common/TestFile.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

struct TcaTestRecord {
    // Leaves Warning Distance as it is.
    void SetDefaults();
    void TrimAll();

    std::string m_strVersion = "T5";     // 0
    std::string m_strTitle;              // 1
    std::string m_strObjective;          // 2
    std::string m_strDate;               // 3
    std::string m_strPerformer;          // 4
    std::string m_strContract;           // 5
    std::string m_strReference;          // 6
    std::string m_strType = "NCA";       // 7
    std::string m_strConfiguration;      // 8
    std::string m_strWarningDistance;    // 9: held in memory only
    std::string m_strRoadSurface;        // 10
    std::string m_strRoadCondition;      // 11
    std::string m_strAmbientTemperature; // 12
    std::string m_strTotalCurves;        // 13
    std::string m_strComments;           // 14
    std::string m_strStatus;             // 15: held in memory only
};

struct TcaVehicleRecord {
    void SetDefaults() { *this = TcaVehicleRecord(); }
    void TrimAll();

    std::string m_strNumber;         // 0
    std::string m_strType;           // 1
    std::string m_strMake;           // 2
    std::string m_strModel;          // 3
    std::string m_strBody;           // 4
    std::string m_strYear;           // 5
    std::string m_strKavroNumber;    // 6
    std::string m_strVin;            // 7
    std::string m_strEngine;         // 8
    std::string m_strTransmission;   // 9
    std::string m_strAbs;            // 10 (Y/N)
    std::string m_strCruiseControl;  // 11 (Y/N)
    std::string m_strBrakeSystem;    // 12 (Y/N)
    std::string m_strTrimline;       // 13
    std::string m_strCurbWeight;     // 14
    std::string m_strTestWeight;     // 15
    std::string m_strTireSize;       // 16
    std::string m_strCommentary;     // 17
    std::string m_strWidth;          // 18
};

constexpr int kTcaBeamPoints = 16;

struct TcaLBeamRecord {
    // Empties the texts and gives both lists their 16 empty entries.
    void SetDefaults() { *this = TcaLBeamRecord(); }
    void TrimAll();

    std::string m_strVehicleNumber;       // 0
    std::string m_strAmbientTemperature;  // 1
    std::string m_strWindSpeed;           // 2
    std::string m_strDetector;            // 3
    std::string m_strIdleIgnition;        // 4
    std::string m_strGlareMeasurement;    // 5
    std::string m_strCommentary;          // 6
    std::vector<std::string> m_Locations = std::vector<std::string>(kTcaBeamPoints);    // Location 1..16
    std::vector<std::string> m_Illuminances = std::vector<std::string>(kTcaBeamPoints); // Illuminance 1..16
};

// A list type of the data object that nothing fills, reads or writes.
struct TcaBeamRecord {
    void SetDefaults() { *this = TcaBeamRecord(); }
    std::vector<std::string> m_Fields = std::vector<std::string>(24);
};

struct TcaAmberRecord {
    void SetDefaults() { *this = TcaAmberRecord(); }
    void TrimAll();

    std::string m_strVehicleNumber;       // 1
    std::string m_strIlluminance;         // 2
    std::string m_strAmbientTemperature;  // 3
    std::string m_strRelativeHumidity;    // 4
    std::string m_strAngle1;              // 5
    std::string m_strAngle2;              // 6
    std::string m_strAngle3;              // 7
    std::string m_strAngle4;              // 8
    std::string m_strX1;                  // 9
    std::string m_strX2;                  // 10
    std::string m_strX3;                  // 11
    std::string m_strX4;                  // 12
    std::string m_strY1;                  // 13
    std::string m_strY2;                  // 14
    std::string m_strY3;                  // 15
    std::string m_strY4;                  // 16
    std::string m_strCommentary;          // 17
    bool m_bAmberInColor = false;         // the rear turn signal is amber
};

struct TcaRolloverRecord {
    void SetDefaults() { *this = TcaRolloverRecord(); }
    void TrimAll();

    std::string m_strNumber;              // 0
    std::string m_strAverageTrack;        // 3
    std::string m_strTrackFront;          // 4
    std::string m_strTrackRear;           // 5
    std::string m_strWheelbase;           // 6
    std::string m_strLeftWheelbase;       // 7
    std::string m_strRightWheelbase;      // 8
    std::string m_strAppliedWeight;       // 9
    std::string m_strPlatformAngle;       // 10
    std::string m_strRelativeMotion;      // 11
    std::string m_strCogHeight;           // 12
    std::string m_strRoofHeight;          // 13
    bool m_bTipUp = false;
    std::string m_strCommentary;          // 14
};

struct TcaInstRecord {
    void SetDefaults() { *this = TcaInstRecord(); }
    // All carried fields but the Curve Number, which the file takes from the record's position.
    void TrimAll();

    std::string m_strVehicleNumber;       // 0
    std::string m_strCurveNumber;         // 1
    std::string m_strSubType;             // 2
    std::string m_strTrialNumber;         // 3
    std::string m_strDependentVariable;   // 4
    std::string m_strManufacturer;        // 5
    std::string m_strVelocity;            // 6
    std::string m_strTechDisabled;        // 7 (Y/N)
    std::string m_strPerformance;         // 8
    std::string m_strTestStatus;          // 9
    std::string m_strAlertLocation;       // 10
    std::string m_strAlertRepeatTime;     // 11
    std::string m_strTimeInterval;        // 12
    std::string m_strXUnit = "SEC";      // 13
    std::string m_strYUnit;               // 14
    std::string m_strSpareCount1;         // 15
    std::string m_strSyncFrequency;       // 16
    std::string m_strSpareCount2;         // 17
    std::string m_strFirstPoint;          // 18
    std::string m_strLastPoint;           // 19
    std::string m_strDataStatus;          // 20
    std::string m_strChannelStatus;       // 21
    std::string m_strChannelType;         // 22
    std::string m_strCalibrationDate;     // 24
    std::string m_strCommentary;          // 25
    std::string m_strHeadLampDevice;      // 26 (Y/N)
    std::string m_strUpperBeamDevice;     // 27 (Y/N)
    std::string m_strTechDescription;     // 28
    std::string m_strPerformanceDescription; // 29
};

// The six sections of the file, in file order; also the order of m_SectionStarts.
enum TcaSection { kTcaTest, kTcaVehicle, kTcaLowerBeam, kTcaAmber, kTcaRollover, kTcaInst, kTcaSectionCount };

class CTcaData : public ITestFile {
public:
    CTcaData();
    ~CTcaData() override;
    CTcaData(const CTcaData&) = delete;
    CTcaData& operator=(const CTcaData&) = delete;

    // The test file as the sheets see it: no version-4 file, no report, no GR file. A failed
    // read says "File <path> cannot open", the reader's texts (the first alone and each further
    // one followed by a line break), or that the file holds no crash-avoidance test.
    const char* KindName() const override { return "Crash Avoidance"; }
    TestFileResult ReadTest(const CString& path) override;
    TestFileResult ReadVersion4(const CString& path) override;
    TestFileResult WriteTest(const CString& path) override;
    TestFileResult WriteReport(const CString& path) override;
    TestFileResult ImportGR(char n, const CString& path) override;
    // A new test object (the test held does not copy); CopyTest gives none.
    std::unique_ptr<ITestFile> NewTestToRead() const override { return std::make_unique<CTcaData>(); }
    std::unique_ptr<ITestFile> CopyTest() const override { return nullptr; }
    void TakeTest(ITestFile& read) override { TakeTest(static_cast<CTcaData&>(read)); }

    // Drops the test and lower-beam records and empties every list (indexes -1).
    void ClearAll();

    // Takes over the test another object has read (it is left empty); Warning Distance and Test
    // Status, which no file carries, stay this test's.
    void TakeTest(CTcaData& loaded);

    std::unique_ptr<TcaTestRecord> m_pTestRecord;
    std::vector<TcaVehicleRecord> m_VehicleRecords;
    std::unique_ptr<TcaLBeamRecord> m_pLBeamRecord; // null until a lower-beam record is read or stored
    std::vector<TcaBeamRecord> m_BeamRecords;
    std::vector<TcaAmberRecord> m_AmberRecords;
    std::vector<TcaRolloverRecord> m_RolloverRecords;
    std::vector<TcaInstRecord> m_InstRecords;

    // Current record of each list, 0-based; -1 when there is none.
    int m_nCurVehicle = -1;
    int m_nCurBeam = -1;
    int m_nCurAmber = -1;
    int m_nCurRollover = -1;
    int m_nCurInst = -1;

    std::string m_strFileName;            // the last file loaded
    std::vector<std::string> m_Messages;  // errors of the last read
    std::vector<std::string> m_FileLines; // the kept lines of the last read
    std::vector<int> m_SectionStarts;     // per TcaSection: the line after its marker, -1 absent

private:
    // The file operations behind the interface above, with their own result codes.
    // From the open file (opened and judged by ReadTestOfKind): true when every section present
    // was read; otherwise false with the reason as the one text of m_Messages, or no text when the
    // file holds no test line.
    bool ReadFile(CStdioFile& file);
    // The file written at `path` as it stands (the sheet has given it its extension). A file that
    // cannot be written is reported and gives false, leaving an older file of that name as it was.
    bool WriteFile(const std::string& path);
    // The section texts as written, each with its marker; empty when the section is left out.
    // Each trims (and makes safe for the file) the records it writes, in memory too.
    std::string FormatTestSection();
    std::string FormatVehicleSection();
    std::string FormatLowerBeamSection();
    std::string FormatAmberSection();
    std::string FormatRolloverSection();
    std::string FormatInstSection();

    void ReadLines(CStdioFile& file);
    void ResetFileContent();
    bool ParseSections();
    bool ReadTestSection();
    bool ReadVehicleSection();
    bool ReadLowerBeamSection();
    bool ReadAmberSection();
    bool ReadRolloverSection();
    bool ReadInstSection();
    bool CheckSingleLine(TcaSection section, const char* name, int required);
    void AddPipeError(const char* section, int line, int found, int required);
};
