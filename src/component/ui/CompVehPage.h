#pragma once
// "Vehicle Info" of the component sheet: the two vehicle slots (0: a component tested without a
// vehicle, 1: the test vehicle) chosen by the spin, the KAVRO number editor, and for a rollover
// test the rollover entry fields, the computed values and "More Info" (the rollover vehicle
// dialog).

#include "common/ui/DataPage.h"
#include "component/CompData.h"

#include <memory>
#include <vector>

class CSpinButtonCtrl;

class CCompVehPage : public CFieldPage<CCompData, CPropertyPage> {
    Q_OBJECT
public:
    enum {
        IDD = 150,
        IDC_VEHICLE_NO = 1355,
        IDC_SPIN = 1337,
        IDC_YEAR = 1360,
        IDC_MAKE = 1358,
        IDC_MODEL = 1359,
        IDC_BODY = 1364,
        IDC_VIN = 1361,
        IDC_KAVRO_NO = 1363,
        IDC_CRASH_TESTED = 1362,
        IDC_COMMENTS = 1357,
        IDC_SEARCH_MAKE = 1367,
        IDC_SEARCH_MODEL = 1366,
        IDC_SEARCH_BODY = 1365,
        IDC_SEARCH_CRTEST = 1569,
        IDC_EDIT_KAVRO = 1702,
        IDC_ROLLOVER_GROUP = 1651,
        IDC_VIMF_NO = 1368,
        IDC_LOAD = 1374,
        IDC_ENGINE = 1370,
        IDC_DISPLACEMENT = 1672,
        IDC_TRANSMISSION = 1371,
        IDC_FUEL = 1372,
        IDC_OPTIONAL_EQUIPMENT = 1373,
        IDC_SEARCH_ENGINE = 1652,
        IDC_SEARCH_TRANSM = 1375,
        IDC_MORE_INFO = 1673,
    };

    CCompVehPage();
    ~CCompVehPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void LoadRecord();
    BOOL SaveRecord();
    bool AllFieldsValid() override;
    bool Blocks(int id) const override;
    BOOL CheckKavroNumber();
    bool ShowAndCheck(int record);
    void ApplyTestType();
    void ShowRolloverControls(bool show);
    void ShowRolloverResults();
    void ApplyEngineType(bool electric);

    BOOL SavePage() override { return SaveRecord(); }
    bool ValidatePage() override { return AllFieldsValid(); }
    void LoadPage() override { LoadRecord(); }
    void ClearPage() override;

    // Handlers.
    int OnDeltaposSpin(int delta);
    void OnSearchEngine();
    void OnSearchTransm();
    void OnMoreInfo();
    void OnEditKavroNo();

    CSpinButtonCtrl* Spin() const;
    // The rollover entry fields and the computed values, by control id.
    CNEdit* RolloverEdit(int id) const;
    // The entry field of a real of the rollover vehicle; 0 when the page has none.
    static int RolloverRealId(double CRolloverVehicleData::*member);
    bool IsRollover() const { return m_pData && m_pData->m_strTestType == "ROV"; }

    CNEdit m_editVehicleNo;

protected:
    void AfterSearch(int id) override;

private:
    // A code valid under the component tag or under the vehicle tag its search lists.
    void CheckEitherTag(CNEdit& field, const char* table);

    std::vector<std::unique_ptr<CNEdit>> m_rollover; // entry fields, then computed values
};
