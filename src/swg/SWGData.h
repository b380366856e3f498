#pragma once
// Everything that describes one SWG test while it is edited: the TEST record with its two
// counts, one text list per curve field (curve k is element k of every list, element 0 is no
// curve) and, in the base, the high-speed video cameras. The sheet and its pages read and write
// the members directly.

#include "common/HighSpeedVideoData.h"
#include "common/InstrumentationArrays.h"
#include "common/TestFile.h"
#include "platform/CString.h"
#include "platform/StdioFile.h"
#include "swg/SWGGR.h"

#include <array>

class CSWGData : public CHighSpeedVideoData, public InstrumentationArrays, public CopiedTestFile<CSWGData> {
public:
    CSWGData();
    virtual ~CSWGData();

    // The test file as the sheets see it.
    const char* KindName() const override { return "SWG"; }
    TestFileResult ReadTest(const CString& path) override;
    TestFileResult ReadVersion4(const CString& path) override;
    TestFileResult WriteTest(const CString& path) override;
    TestFileResult WriteReport(const CString& path) override;
    TestFileResult ImportGR(char n, const CString& path) override;
    CHighSpeedVideoData* Cameras() override { return this; }
    // A copy to read a new test into: ClearTest, and no camera.
    void ClearForRead()
    {
        ClearTest();
        ResetHsvd();
    }

    // Clear All Pages: every test text but Version Number empty, both counts 0, every curve list
    // two elements (0 and 1) of the new-curve values. The cameras are the sheet's to clear.
    void ClearTest();

    // TRUE when none of the texts that the TEST section carries is set; Version Number, the two
    // dates and the curve count do not count.
    bool IsTestSectionEmpty() const;

    // The number of curves every curve list holds (its size less element 0, the smallest of
    // the 17). Writers and the report never go beyond it, whatever Last Curve Number says.
    int CurvesInLists() const;

    // The 17 curve lists in declared order.
    static constexpr int kCurveFields = 17;
    using CurveList = CStringArray CSWGData::*;
    static const std::array<CurveList, kCurveFields>& CurveLists();
    // What a new curve holds in each list: empty except Level "5" and X units "SEC".
    static const char* CurveDefault(int field);

    CSWGGR1 m_GR1;
    CSWGGR5 m_GR5;

    // TEST (the Test Reference Number lives in the base).
    CString m_strVersion;
    CString m_strWaveGenSerialNo;
    CString m_strTitle;
    CString m_strObjectives;
    CString m_strTestDate;
    CString m_strCertificationDate;
    CString m_strPerformer;
    CString m_strContractNo;
    CString m_strTestType;
    CString m_strAmbientTemp;
    CString m_strRecorderType;
    CString m_strDataLinkType;
    int m_nCurveCount;
    CString m_strTestComments;
    int m_nLastCurveNo;

    // INSTRUMENTATION: one list per curve field.
    CStringArray m_saInstSignalSource;
    CStringArray m_saInstLevel;
    CStringArray m_saInstSensorType;
    CStringArray m_saInstSensorLocation;
    // The other arrays of a channel: InstrumentationArrays (an SWG channel has no maker,
    // calibration date or initial velocity: those three stay empty).

private:
    // The file operations behind the interface above, with their own result codes.
    // Test file: version 5 written and read, version 4 read. 1 when the file was written (read),
    // 0 when it could not be written.
    int WriteTestFile(CString path);
    int ReadTestFileV5(CStdioFile& file);
    int ReadTestFileV4(CStdioFile& file);
    void ReadTestSection(CStdioFile& file, int version);
    void ReadInstrumentationSection(CStdioFile& file, int version);
    // Report (.mvr): 1 when written.
    int WriteReportFile(CString path);
    // GR files of the older generation: 1 when the test record was imported; the GR5 import
    // gives the number of the highest curve imported, 0 on failure.
    int ReadGR1File(CString path);
    int ReadGR5File(CString path);
    // Reads the TEST and INSTRUMENTATION sections of the open file (opened and judged by
    // ReadTestOfKind) in `version` (4 or 5): 1, whatever they held.
    int ReadFileOfVersion(CStdioFile& file, int version);
};
