#pragma once
// The intrusion points of one vehicle test: numbered points of a vehicle whose x, y and z are
// measured before and after the test, with the .ip5 data file and the .ipr report.

#include "common/CompanionFile.h"
#include "platform/CString.h"

class CIntrusionData : public CCompanionFile<CIntrusionData> {
public:
    CIntrusionData();
    ~CIntrusionData();

    void SetSecondText(CString text);
    void ResetIntrusion();
    bool HasIntrusion() const;
    // Number of points: the length of the arrays less the unused element 0.
    int PointCount() const;

    // The file's points in place of those held; a file without points takes none away. The
    // test reference is that of the file's points.
    bool LoadIntrusionFile(const CString& path, bool showError);
    bool SaveIntrusionData(const CString& path);
    // The companion of a saved test: written also without a point (an empty section), so that
    // an older file of the same name never brings back points the user deleted.
    bool SaveIntrusionCompanion(const CString& path);
    bool SaveIntrusionReport(const CString& path);

    static const CompanionFormat<CIntrusionData>& Format();

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
