#pragma once
// "Edit Rollover Vehicle Information": the rollover vehicle of a rollover component test, edited
// in place. A table of controls, each bound to its record field (exchanged) or read by id (the
// measured values the computations take), with the action its change runs: the track widths,
// wheelbase, GVWR, total weight, average C.G. height and stability rating follow what is typed.
// Every real shows the value the test file will hold: a value of the record as the file writes
// it, kept unrounded while it is not typed over (showing it changes nothing); a typed one on
// leaving it and on OK, its change running on that value, so the record and the rating hold
// what a save writes.

#include "common/ui/NEdit.h"
#include "component/CompData.h"
#include "platform/ui/Dialog.h"

#include <map>
#include <span>

class CRolloverVehicle : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 209 };

    // What a control's change does.
    enum class Action { None, Nothing, Store, FrontSide, RearSide, StoreWheelbase, Wheelbase, Gvwr, StoreTotal, Total,
                        CgHeight };

    struct Row {
        int id;
        const char* label;
        CString CRolloverVehicleData::*text = nullptr; // bound text
        int CRolloverVehicleData::*whole = nullptr;    // bound integer
        double CRolloverVehicleData::*real = nullptr;  // bound real, or the field of a control read by id
        bool byId = false;                             // not exchanged: read and written by id
        UINT style = 0;
        Action action = Action::None;
    };
    static std::span<const Row> Rows();

    explicit CRolloverVehicle(QWidget* parent = nullptr);
    ~CRolloverVehicle() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override { OnBnClickedOk(); }
    void OnBnClickedOk();

    double GetFieldDouble(int id);
    void SetFieldDouble(int id, double value);
    void ReadFieldDouble(int id, double& destination);
    void ShowMeasuredFields();
    void SaveMeasuredFields();

    CCompData* m_pData = nullptr;

private:
    // Exchanges with change notifications held back; false when a bound field holds no number.
    bool Exchange(BOOL save);
    // Every typed real shown as the test file writes it.
    void ShowFileValues();
    // The field of a real that still shows its record's value; null for any other.
    const CNEdit* StoredReal(int id) const;
    void OnChange(const Row& row);
    CRolloverVehicleData& Record() { return m_pData->m_RolloverVehicleData; }

    bool m_bExchanging = false;
    // The reals by control id, each with the decimals of its field in the test file.
    std::map<int, CNEdit> m_reals;
};
