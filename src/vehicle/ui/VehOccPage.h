#pragma once
// "Occupant Info": one occupant of the vehicle test at a time. Twenty of its values are edited
// on the page; clearance distances, peak loads and injury measurements in their own dialogs,
// which also run unseen to put "Error Inside -->" beside the button of a dialog whose stored
// values fail their rules.

#include "common/ui/DataPage.h"
#include "vehicle/VehData.h"

class CVehOccPage : public CDataRecordPage<CVehData> {
    Q_OBJECT
public:
    enum {
        IDD = 142,
        IDC_VEHICLE_NO = 1244,
        IDC_LOCATION = 1245,
        IDC_TYPE = 1246,
        IDC_AGE = 1247,
        IDC_SEX = 1248,
        IDC_HEIGHT = 1249,
        IDC_WEIGHT = 1250,
        IDC_CALIBRATION = 1251,
        IDC_DUMMY_SIZE = 1252,
        IDC_DUMMY_MAKER = 1253,
        IDC_DUMMY_MODIFICATION = 1254,
        IDC_DUMMY_DESCRIPTION = 1255,
        IDC_SEAT_POSITION = 1256,
        IDC_HEAD_CONTACT1 = 1257,
        IDC_HEAD_CONTACT2 = 1258,
        IDC_CHEST_CONTACT1 = 1259,
        IDC_CHEST_CONTACT2 = 1260,
        IDC_LEGS_CONTACT1 = 1261,
        IDC_LEGS_CONTACT2 = 1262,
        IDC_COMMENTS = 1274,
        IDC_SEARCH_VEHICLE_NO = 1640,
        IDC_RECORD_LIST = 1583,
        IDC_NEXTCURVE_BUTTON = 1314,
        IDC_DELETE_RECORD = 1326,
        IDC_RETAIN_LAST = 1078,
        IDC_CLEARANCE = 1287,
        IDC_PEAK_LOADS = 1579,
        IDC_INJURY = 1580,
        IDC_CLEARANCE_LABEL = 1609,
        IDC_PEAK_LOADS_LABEL = 1371,
        IDC_INJURY_LABEL = 1372,
    };
    static constexpr const char* kErrorInside = "Error Inside -->";

    CVehOccPage();
    ~CVehOccPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

    bool AllFieldsValid() override;
    // The shown occupant's fields and its three dialogs' stored values.
    BOOL IsPageValid() override;
    bool CheckClearanceDist();
    bool CheckPeakload();
    bool CheckInjmeas();
    // The loaded occupant's fields and dialogs checked.
    bool CheckOccupant();
    void EnableDetailButtons(bool enable);
    // Clear All Pages: no occupant, the labels checked again, the dialogs' buttons off.
    void ClearPage() override;
    void ShowErrorLabel(bool valid, CNEdit& label, const char* text);

    void OnClearanceDistances();
    void OnPeakLoads();
    void OnInjuryMeasurements();
    void OnSearchVehicleNumber();

    bool m_bClearanceValid = false;
    bool m_bPeakloadValid = false;
    bool m_bInjmeasValid = false;
    CNEdit m_editClearanceLabel;
    CNEdit m_editPeakloadLabel;
    CNEdit m_editInjmeasLabel;

protected:
    int DataRecordCount(const CVehData& data) const override { return data.m_nOccupantCount; }
    std::vector<CStringArray CVehData::*> ExtraArrays() const override;
    void LoadExtra(const CVehData& data, int index) override;
    void SaveExtra(CVehData& data, int index) override;
    void NewRecord() override;
    void RemoveRecord(int index) override;
    void AfterNext() override;

private:
    void CheckDetails();
    // Opens one detail dialog over the shown occupant; its values are kept on OK.
    template <class Dialog> void OpenDetail(bool& valid, CNEdit& label);
};
