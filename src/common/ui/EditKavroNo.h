#pragma once
// "Edit KAVRO No.": composes a test number from office, model year, manufacturer code and test
// order, splits an existing number back into them, and checks a number typed by hand. The
// check alone (CheckNumber) needs no window.

#include "common/KavroNo.h"
#include "common/ui/NEdit.h"
#include "platform/CString.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"

class CEditKavroNo : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 210,
        IDC_OFFICE = 2101,
        IDC_YEAR = 2102,
        IDC_MAKER = 2103,
        IDC_ORDER = 2104,
        IDC_NUMBER = 2105,
        IDC_NUMBER_LABEL = 2106,
        IDC_FRESH = 2107,
    };

    explicit CEditKavroNo(QWidget* parent = nullptr);

    // Stores the text in m_strNumber and checks it, without touching any window.
    bool CheckNumber(const CString& number);
    // The three parts of that check, on m_strNumber.
    bool IsOfficeValid() const { return kavro::IsOfficeValid(m_strNumber); }
    CString GetModelYear() const { return kavro::GetModelYear(m_strNumber); }
    bool IsMakerAndOrderValid() const { return kavro::IsMakerAndOrderValid(m_strNumber); }

    CString m_strYear;
    CString m_strNumber;
    CString m_strOffice;
    CString m_strMaker;
    CString m_strOrder;
    CNEdit m_editNumber;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override { OnBnClickedOk(); }

    void OnBnClickedOk();
    void OnComboSelChange(int id);
    void ComposeNumber();
    void OnNumberChange();
    bool ValidateNumber();

private:
    void SplitNumber();
    void SplitShortNumber();
    void ReadBoxes();
    void ShowBoxes();
    CComboBox Box(int id) const;
};
