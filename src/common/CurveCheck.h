#pragma once
// Curve-file checking: every curve file of a test folder (one per instrumentation channel, the
// channel number as its extension) is read, its lines checked as numbers, and its own first
// point, last point, time step and point count compared with what the test file says.

#include "platform/CString.h"

#include <string>
#include <vector>

// One finding of the checker for one curve file.
struct CurveErrorRecord {
    CurveErrorRecord();
    CurveErrorRecord(const CurveErrorRecord& other);
    CurveErrorRecord& operator=(const CurveErrorRecord& other);
    ~CurveErrorRecord();

    void Reset();
    void Copy(const CurveErrorRecord& other);
    // "007", "042", "123".
    void FormatCurveNumber();

    int m_nErrorNo;
    int m_nCurveNo;
    std::string m_strCurveNo;
    int m_nCurveNfp; // 999999: none found
    int m_nCurveNlp;
    int m_nCurveDel; // microseconds
    int m_nCurveTotal;
    int m_nTestNfp;
    int m_nTestNlp;
    int m_nTestDel;
    int m_nTestTotal;
    bool m_bNfpOk;
    bool m_bNlpOk;
    bool m_bDelOk;
    bool m_bTotalOk;
    std::string m_strNote;
    std::string m_strError;
};

// The last curve-file check as a test's data object keeps it; never written to a file. A base of
// each data object whose pages check curves; the option and the counts stay the kind's own.
struct CurveCheckMembers {
    std::vector<CurveErrorRecord> m_vCurveErrors;
    std::vector<int> m_vCurveChannelIndex; // channel -> position in m_vCurveErrors, -1 for none
    CString m_strCurvePath;                // the version-5 test file last loaded
    bool m_bCurvesChecked = false;         // the checker ran with a result since the last load

    void ResetCurveCheckMembers() { *this = CurveCheckMembers(); }
};

class CCurveCheck {
public:
    CCurveCheck();
    explicit CCurveCheck(std::string path);
    ~CCurveCheck();

    int CheckCurveFiles();
    void ListCurveFolder(std::string path, std::vector<CString>& list);
    void ListFiles(std::string folder, std::vector<CString>& list);
    void ReadCurveFile(std::string path);
    void MergeChannelInfo(CStringArray& first, CStringArray& last, CStringArray& step);
    void SetRecordChannelInfo(int index, std::vector<CurveErrorRecord>& records, CString first, CString last,
                              CString step);
    void CompareRecord(int index, std::vector<CurveErrorRecord>& records);

    std::vector<CurveErrorRecord>& GetErrorRecords() { return m_vRecords; }
    std::vector<int>& GetChannelIndex() { return m_vChannelIndex; }
    bool HasChannelInfo() const { return m_bChannelInfo; }
    int GetCheckCount() const { return m_nColumns; }
    void SetCheckCount(int columns) { m_nColumns = columns; }

    // Larger than any instrument's curve: reported as a bad file without being read.
    static constexpr unsigned long long kMaxCurveFileSize = 2ull << 30;

private:
    std::vector<CString> m_arrFiles;
    std::vector<CurveErrorRecord> m_vRecords;
    std::vector<int> m_vChannelIndex; // channel c -> index of its record, -1 without a curve file
    bool m_bChannelInfo = false;
    std::string m_strPath;
    int m_nColumns = 0;
    std::vector<std::string> m_vFileErrors;
};
