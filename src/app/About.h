#pragma once
// The About page: what the program is for, the product version and the code-table database
// version, over the page's HTML.

#include "platform/ui/Dialog.h"

enum AboutControl : int {
    IDC_ABOUT_NOTICE = 1641,
    IDC_ABOUT_VERSION = 1632,
    IDC_ABOUT_DB_VERSION = 1633,
    IDC_ABOUT_PAGE = 105,
};

class CAbout : public CDialog {
    Q_OBJECT
public:
    explicit CAbout(QWidget* parent = nullptr);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_strVersion;
    CString m_strDbVersion;

    // The page's buttons by element id: "ButtonOK" closes with OK, "ButtonCancel" with Cancel.
    void OnHtmlClick(const QString& elementId);

private:
    void LayOutPage();
};
