#pragma once
// "VEHNO Selection": picks the number of one of the open test's vehicles from a list of them
// (make, model, year, KAVRO number, comments) instead of typing it. The rows come from the texts
// the page hands over (the vehicle count of its test configuration and five arrays); no database
// query runs.

#include "platform/ui/Dialog.h"

class CListCtrlEx;

class SearchReference : public CDialog {
public:
    enum { IDD = 199, IDC_CHOICE = 1368, IDC_CLEAR_ENTRY = 1627, IDC_REFS = 1638 };

    // `vehicleCount`: the vehicles of a vehicle test, as its configuration says (1 or 2).
    explicit SearchReference(int vehicleCount = 1, QWidget* parent = nullptr);

    void SetRefArray1(CStringArray* array) { m_pRefArray1 = array; }
    void SetRefArray2(CStringArray* array) { m_pRefArray2 = array; }
    void SetRefArray3(CStringArray* array) { m_pRefArray3 = array; }
    void SetRefArray4(CStringArray* array) { m_pRefArray4 = array; }
    void SetRefArray5(CStringArray* array) { m_pRefArray5 = array; }
    void SetMode(int mode) { m_nMode = mode; }
    CString GetSelection() const { return m_strChoice; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnClearEntry();
    void OnItemChanged();
    void OnDblClk();

    CListCtrlEx* GetList() const { return m_listRefs; }

private:
    // The number in column 0 of the first selected row; empty when none is selected.
    CString FirstSelectedNumber() const;

    CListCtrlEx* m_listRefs = nullptr;
    CString m_strChoice;
    int m_nMode = 0;
    int m_nVehicles;
    CStringArray* m_pRefArray1 = nullptr;
    CStringArray* m_pRefArray2 = nullptr;
    CStringArray* m_pRefArray3 = nullptr;
    CStringArray* m_pRefArray4 = nullptr;
    CStringArray* m_pRefArray5 = nullptr;
};
