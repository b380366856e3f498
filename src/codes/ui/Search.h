#pragma once
// "Code Search": the modal dialog that every page opens from its "Search..." buttons. It lists
// the rows of one code table (or of a special look-up, or a component record list), finds a row
// by the start of its code as the user types, and hands the chosen row's columns back.
// What is listed and returned is CCodeSearchList's; the dialog shows it and reports the choice.

#include "codes/CodeSearch.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PropertySheet.h"

class CListCtrlEx;
class QLineEdit;

class CSearch : public CDialog, public CCodeSearchList {
public:
    enum { IDD = 139, IDC_CLEAR_ENTRY = 1595, IDC_RESULTS = 1041, IDC_QUICK_SEARCH = 1368 };

    // General: a code table (empty kind), a caller's statement, or a look-up kind word.
    CSearch(QWidget* parent, const CString& codeName, const CString& reference, const CString& lookupKind,
            BOOL extraKeyMode);
    // The code table restricted to a caller's list of codes.
    CSearch(QWidget* parent, const CString& codeName, const CString& reference, const CStringArray* externalCodes);
    // A record list of the component pages.
    CSearch(QWidget* parent, const CString& lookupKind, const CStringArray* array1, const CStringArray* array2,
            const CStringArray* array3, const CStringArray* array4);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnClearEntry();
    void OnClickList();
    void OnChangeQuickSearch();

    CListCtrlEx* GetList() const { return m_listResults; }
    QLineEdit* GetQuickSearchEdit() const { return m_editQuickSearch; }

protected:
    void Tell(const CString& text) override;

private:
    CButton m_btnClearEntry;
    CListCtrlEx* m_listResults = nullptr;
    QLineEdit* m_editQuickSearch = nullptr;
    bool m_bIgnoreEditChange = false;
};
