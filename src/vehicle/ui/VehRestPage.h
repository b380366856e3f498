#pragma once
// "Occupant Restraints Info": one restraint (belt, air bag ...) of the vehicle test at a time,
// tied to an occupant location entered on the occupant page. A belt with a deployment other
// than "NA" is coloured, never refused.

#include "common/ui/DataPage.h"
#include "vehicle/VehData.h"

class CVehRestPage : public CDataRecordPage<CVehData> {
    Q_OBJECT
public:
    enum {
        IDD = 143,
        IDC_COMMENTS = 1301,
        IDC_DEPLOYMENT = 1302,
        IDC_VEHICLE_NO = 1304,
        IDC_LOCATION = 1305,
        IDC_RESTRAINT_NO = 1306,
        IDC_TYPE = 1307,
        IDC_MOUNT = 1308,
        IDC_SEARCH_MOUNT = 1309,
        IDC_SEARCH_TYPE = 1310,
        IDC_SEARCH_LOCATION = 1311,
        IDC_SEARCH_VEHICLE_NO = 1312,
        IDC_SEARCH_DEPLOYMENT = 1079,
        IDC_RECORD_LIST = 1584,
        IDC_NEXTCURVE_BUTTON = 1314,
        IDC_DELETE_RECORD = 1316,
        IDC_RETAIN_LAST = 1078,
    };
    static constexpr const char* kNoLocationMessage =
        "Please enter occupant location on the Occupant Information page first;\n\rotherwise, there is no available "
        "occupant location in this page.";

    CVehRestPage();
    ~CVehRestPage() override;

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;

    bool AllFieldsValid() override;
    // The filled occupant locations of the test; with `complain`, none filled is told and false.
    bool BuildOccupantLocationList(bool complain);
    static bool IsBeltRestraint(const CString& type);
    bool IsRestraintNumberValid();
    // Clear All Pages: no restraint; vehicle and restraint number show "1".
    void ClearPage() override;

    void OnSearchLocation();
    void OnSearchDeployment();
    void OnSearchVehicleNumber();

    CStringArray m_arrOccupantLocations;

protected:
    int DataRecordCount(const CVehData& data) const override { return data.m_nRestraintCount; }
    void LoadExtra(const CVehData& data, int index) override;
    void SaveExtra(CVehData& data, int index) override;
    void NewRecord() override;
    void AfterNext() override;
    void AfterSearch(int id) override;

private:
    void ColourDeployment();
};
