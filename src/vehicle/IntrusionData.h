#pragma once
// The intrusion points of one vehicle test: numbered points of a vehicle whose x, y and z are
// measured before and after the test, with the .ip5 data file and the .ipr report.

#include "platform/CString.h"
#include "platform/StdioFile.h"

class CIntrusionData {
public:
    CIntrusionData();
    ~CIntrusionData();

    void SetSecondText(CString text);
    void ResetIntrusion();
    bool HasIntrusion() const;
    // Number of points: the length of the arrays less the unused element 0.
    int PointCount() const;

    bool LoadIntrusionFile(const CString& path, bool showError);
    bool SaveIntrusionData(const CString& path);
    // The companion of a saved test: written also without a point (an empty section), so that
    // an older file of the same name never brings back points the user deleted.
    bool SaveIntrusionCompanion(const CString& path);
    bool SaveIntrusionReport(const CString& path);

    void WriteIntrusionSection(CStdioFile& file);
    void ParseIntrusionSection(CStdioFile& file);
    void WriteIntrusionReportBody(CStdioFile& file);

    CString m_strTestReference;
    CStringArray m_arrRecordIndex;
    CStringArray m_arrVehicleNumber;
    CStringArray m_arrPointNumber;
    CStringArray m_arrPointLocation;
    CStringArray m_arrBeforeX;
    CStringArray m_arrBeforeY;
    CStringArray m_arrBeforeZ;
    CStringArray m_arrAfterX;
    CStringArray m_arrAfterY;
    CStringArray m_arrAfterZ;
};
