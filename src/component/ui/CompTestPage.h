#pragma once
// "General Test Info" of the component sheet: the TEST record; choosing Test Type "ROV" switches
// the test into its rollover form (and back).

#include "common/ui/DataPage.h"
#include "common/ui/DateField.h"
#include "component/CompData.h"

class CCompTestPage : public CDataPage<CCompData> {
    Q_OBJECT
public:
    enum {
        IDD = 135,
        IDC_VERSION = 1350,
        IDC_TITLE = 1339,
        IDC_PERFORMER = 1342,
        IDC_OBJECTIVES = 1340,
        IDC_TEST_DATE = 1368,
        IDC_DATE_PICKER = 1352,
        IDC_TEST_COMMENTS = 1344,
        IDC_CONTRACT_NO = 1343,
        IDC_AMBIENT_TEMP = 1347,
        IDC_TEST_REFERENCE = 1349,
        IDC_TEST_TYPE = 1348,
        IDC_CURVE_COUNT = 1345,
        IDC_SEARCH_PERFORMER = 1351,
        IDC_SEARCH_TEST_TYPE = 1353,
    };

    CCompTestPage();
    ~CCompTestPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL SaveToData() override;
    void LoadFromData() override;
    bool AllFieldsValid() override;
    bool Blocks(int id) const override;
    void ClearPage() override;

    CDateField m_date;

protected:
    void AfterSearch(int id) override;
};
