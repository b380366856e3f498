#pragma once
// "Barrier Info": the BARRIER section of the vehicle test. Its inputs are enabled only for the
// configurations that have a barrier; it never keeps the user on the page.

#include "common/ui/DataPage.h"
#include "vehicle/VehData.h"

class CVehBarPage : public CDataPage<CVehData> {
    Q_OBJECT
public:
    enum {
        IDD = 145,
        IDC_DEFORMABLE = 1119,
        IDC_RIGID = 1120,
        IDC_BARRIER_SHAPE = 1121,
        IDC_CONTACT_ANGLE = 1122,
        IDC_POLE_DIAMETER = 1123,
        IDC_BARRIER_COMMENTS = 1124,
        IDC_SEARCH_SHAPE = 1126,
    };

    CVehBarPage();
    ~CVehBarPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // The sheet's check before a save: the stored values, whatever the configuration.
    bool CheckPage();
    bool ValidatePage() override { return CheckPage(); }
    // Enables the inputs for a barrier configuration; returns whether it is one.
    bool EnableByConfiguration();

protected:
    void LoadExtra(const CVehData& data) override;
    void SaveExtra(CVehData& data) override;
};
