#pragma once
// "Intrusion Info": one intrusion point of the vehicle test at a time, kept in the test's
// intrusion data (the .ip5 companion file). A point is a code of the intrusion-point table (its
// number and location) of one vehicle, measured before and after the test. The page never keeps
// the user: the shown point is saved as typed, and Save Test's check stops at a bad or repeated
// point.

#include "common/ui/DataPage.h"
#include "vehicle/IntrusionData.h"

class CVehData;

class CVehIntrPage : public CDataRecordPage<CIntrusionData> {
    Q_OBJECT
public:
    enum {
        IDD = 188,
        IDC_TEST_REFERENCE = 1094,
        IDC_POINT_NUMBER = 1371,
        IDC_POINT_LOCATION = 1372,
        IDC_BEFORE_X = 1373,
        IDC_BEFORE_Y = 1374,
        IDC_BEFORE_Z = 1375,
        IDC_AFTER_X = 1376,
        IDC_AFTER_Y = 1377,
        IDC_AFTER_Z = 1378,
        IDC_RECORD_LIST = 1619,
        IDC_NEXTCURVE_BUTTON = 1620,
        IDC_DELETE_RECORD = 1621,
        IDC_RETAIN_LAST = 1622,
        IDC_VEHICLE_NO = 1626,
        IDC_SEARCH_POINT = 1627,
        IDC_SEARCH_VEHICLE_NO = 1628,
    };

    CVehIntrPage();
    ~CVehIntrPage() override;

    // The vehicle test whose intrusion data the page edits.
    void SetVehData(CVehData* data);
    CVehData* m_pVehData = nullptr;
    CString m_strLastCode; // the last code chosen in the point search

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // The shown point's fields valid, and no two points alike (the second of a pair is shown).
    bool CheckRecord() { return CheckRecord(true); }
    bool AllFieldsValid() override { return CheckRecord(true); }
    // Save Test's check: the shown point valid and saved, then every point valid.
    bool CheckAllRecordsForSave();
    // The sheet's check: every point valid, no two alike.
    bool ValidateAllRecords();
    // Before the points are written (Save Test's .ip5, Save Intrusion Data Only, Save Intrusion
    // Report Only): the shown point kept as typed, then every point checked; a bad one comes to
    // the front with its field marked, and a box tells it: `named`, the field and the point
    // ("Illegal data found in <field> of intrusion point <n>. No intrusion file output."), else
    // "Illegal data found. No intrusion file output.".
    bool CheckBeforeSave(bool named);
    bool ValidatePage() override { return ValidateAllRecords(); }
    // Marks point number and location invalid when another point has the shown vehicle, number
    // and location.
    void MarkDuplicate();

    void OnSearchPoint();
    void OnSearchVehicleNumber();

protected:
    int DataRecordCount(const CIntrusionData& data) const override { return data.PointCount(); }
    std::vector<CStringArray CIntrusionData::*> ExtraArrays() const override
    {
        return {&CIntrusionData::m_arrRecordIndex};
    }
    void LoadExtra(const CIntrusionData& data, int index) override;
    void SaveExtra(CIntrusionData& data, int index) override;
    void NewRecord() override;
    void AfterNext() override;

private:
    bool CheckRecord(bool duplicates);
    bool FieldsValid();
    // Shows the second point of the first pair alike; false when there is none.
    bool ShowDuplicate();
};
