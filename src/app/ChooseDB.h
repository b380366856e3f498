#pragma once
// The test-kind chooser: the program's main window. It shows the product and database
// versions, opens one kind's sheet at a time and owns it; the sheets call back into it to
// switch kind or to end the program.

#include "common/ui/TestSheet.h"
#include "platform/ui/Dialog.h"

class CVehiclePropertySheet;
class CBioMechPropertySheet;
class CComponentPropertySheet;
class CTcaPropertySheet;
class CSWGPropertySheet;

extern CVehiclePropertySheet* g_pVehicleSheet;
extern CBioMechPropertySheet* g_pBioMechSheet;
extern CComponentPropertySheet* g_pComponentSheet;
extern CTcaPropertySheet* g_pTcaSheet;
extern CSWGPropertySheet* g_pSwgSheet;

enum ChooserControl : int {
    IDC_PRODUCT_VERSION = 1642,
    IDC_DB_VERSION = 1643,
    IDC_VEHICLE_DATABASE = 1001,
    IDC_BIOMECHANICS_DATABASE = 1003,
    IDC_COMPONENT_DATABASE = 1002,
    IDC_CRASH_AVOIDANCE_DATABASE = 1728,
    IDC_CURVE_CHECK = 1649,
    IDC_SWG_DATABASE = 1004,
};

class CChooseDB : public CDialog, public ISheetOwner {
    Q_OBJECT
public:
    explicit CChooseDB(QWidget* parent = nullptr);
    ~CChooseDB() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnCurveCheckBox();

    // What the sheets ask of their owner.
    void OpenKind(TestKind kind) override;
    void CloseAllSheets() override;
    void ShowAbout() override;

    CString m_strDbVersion;
    CString m_strProductVersion;
    int m_nCheckCurves = 0;

private:
    // Hides the chooser and deletes every open sheet.
    void PrepareForSheet();
};
