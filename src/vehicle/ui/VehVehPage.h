#pragma once
// "Vehicle Info": the VEHICLE fields of one vehicle at a time (vehicle 2 only in a two-vehicle
// configuration, chosen with the spin beside the vehicle number), the test-number editor, and
// the three measurement dialogs with their "Error Inside ^" labels. A page of the page protocol
// whose records are the two fixed vehicle slots: no record list, no ">" or "x", and leaving the
// page moves to the other vehicle and is refused when that one fails its check.

#include "common/ui/DataPage.h"
#include "vehicle/VehData.h"
#include "vehicle/ui/MeasureDialogs.h"

class CSpinButtonCtrl;

class CVehVehPage : public CFieldPage<CVehData, CPropertyPage> {
    Q_OBJECT
public:
    enum {
        IDD = 140,
        IDC_VEHICLE_NO = 1128,
        IDC_MAKE = 1129,
        IDC_MODEL = 1130,
        IDC_MODEL_YEAR = 1131,
        IDC_KAVRO_NO = 1132,
        IDC_SPIN = 1337,
        IDC_SEARCH_MAKE = 1194,
        IDC_SEARCH_MODEL = 1109,
        IDC_EDIT_KAVRO = 1710,
        IDC_PRETEST = 1191,
        IDC_POSTTEST = 1192,
        IDC_DAMAGE = 1193,
        IDC_PRETEST_ERROR = 1368,
        IDC_POSTTEST_ERROR = 1369,
        IDC_DAMAGE_ERROR = 1370,
    };

    CVehVehPage();
    ~CVehVehPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The sheet's calls.
    BOOL SaveRecord();
    void LoadRecord();
    BOOL ValidateAllRecords();
    BOOL CheckPretest();
    BOOL CheckPosttest();
    BOOL CheckDamage();
    // Clear All Pages: every field empty, vehicle 1; the labels follow the emptied data.
    void ClearPage() override;
    // The same calls by the names every page answers to.
    BOOL SavePage() override { return SaveRecord(); }
    bool ValidatePage() override { return ValidateAllRecords() != FALSE; }
    void LoadPage() override { LoadRecord(); }

    // The fields with a rule, the code fields and the KAVRO Number check, all asked.
    bool AllFieldsValid() override;
    BOOL CheckKavroNumber();
    BOOL SelectVehicle(int vehicle);
    BOOL ShowAndCheckVehicle();
    void ShowErrorLabel(BYTE valid, CNEdit& label, const char* text);

    // Handlers.
    void OnMeasurement(MeasureKind kind);
    void OnSearchMake();
    void OnEditKavroNo();
    // The spin's proposal: +1 up, -1 down; returns 0, so the spin takes the change.
    int OnDeltaPosSpin(int delta);

    // The vehicle shown: 1 or 2.
    int ShownVehicle() const { return m_editVehicleNo.GetInt(); }
    CSpinButtonCtrl* Spin() const;
    CNEdit& ErrorLabel(MeasureKind kind);

    BYTE m_bPretestValid = FALSE;
    BYTE m_bPosttestValid = FALSE;
    BYTE m_bDamageValid = FALSE;
    CNEdit m_editPosttestError;
    CNEdit m_editPretestError;
    CNEdit m_editDamageError;
    CNEdit m_editVehicleNo;

private:
    // A hidden check of one measurement dialog for the shown vehicle, its flag and its label.
    BOOL CheckMeasurement(MeasureKind kind);
    BYTE& MeasurementFlag(MeasureKind kind);
};
