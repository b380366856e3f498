#pragma once
// "General Test Information": the TEST record of the SWG test. Beyond its field table it keeps
// the test and certification dates with their pickers and shows the number of curves.

#include "common/ui/DataPage.h"
#include "common/ui/DateField.h"
#include "swg/SWGData.h"

class CSWGTestPage : public CDataPage<CSWGData> {
    Q_OBJECT
public:
    enum {
        IDD = 132,
        IDC_COMMENTS = 1005,
        IDC_TOTAL_CURVES = 1006,
        IDC_AMBIENT_TEMP = 1008,
        IDC_TEST_REFERENCE = 1010,
        IDC_CONTRACT_NO = 1011,
        IDC_VERSION = 1013,
        IDC_SERIAL_NO = 1014,
        IDC_TITLE = 1015,
        IDC_OBJECTIVES = 1016,
        IDC_CERT_DATE_PICKER = 1019,
        IDC_TEST_DATE_PICKER = 1020,
        IDC_SEARCH_TEST_TYPE = 1024,
        IDC_PERFORMER = 1025,
        IDC_RECORDER_TYPE = 1026,
        IDC_DATA_LINK = 1027,
        IDC_TEST_TYPE = 1028,
        IDC_SEARCH_PERFORMER = 1029,
        IDC_SEARCH_RECORDER_TYPE = 1030,
        IDC_SEARCH_DATA_LINK = 1031,
        IDC_TEST_DATE = 1368,
        IDC_CERT_DATE = 1369,
    };

    CSWGTestPage();
    ~CSWGTestPage() override;

    BOOL OnInitDialog() override;
    // The sheet's name for the protocol's save.
    BOOL SaveTest() { return SaveToData(); }
    bool AllFieldsValid() override;
    // Clear All Pages: the fields, Total Curves "0", Version Number "S5", and no date in either
    // picker.
    void ClearPage() override;

protected:
    void LoadExtra(const CSWGData& data) override;
    void SaveExtra(CSWGData& data) override;

public:
    // Each date's field beside its picker; a picked date goes, upper-cased, into the data and the
    // field at once.
    CDateField m_certDate;
    CDateField m_testDate;
};
