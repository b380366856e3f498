#pragma once
// The list of the last curve-file check: one row per curve file with the first point, last
// point, point count and time step as the test file gives them and as the curve file shows
// them, the comparison's hint and the first reading error. It only shows.

#include "common/CurveCheck.h"
#include "common/ui/ListCtrlEx.h"
#include "platform/ui/Dialog.h"

#include <vector>

class CCurveInfoError : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 212, IDC_ERROR_LIST = 2121 };
    // Column mask bits: which parts of a column AddColumn sets.
    static constexpr unsigned kColFormat = 0x1;
    static constexpr unsigned kColWidth = 0x2;
    static constexpr unsigned kColText = 0x4;
    static constexpr unsigned kColSubItem = 0x8;

    explicit CCurveInfoError(QWidget* parent = nullptr);
    ~CCurveInfoError() override;

    // The records to show, owned by the caller's test data object; before DoModal.
    void SetErrorList(std::vector<CurveErrorRecord>* errors) { m_pErrorList = errors; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter leaves the list open.
    void OnOK() override { OnBnClickedOk(); }
    void OnBnClickedOk() {}

    int AddColumn(const char* heading, int column, int subItem = -1,
                  unsigned mask = kColFormat | kColWidth | kColText | kColSubItem, int format = LVCFMT_LEFT);
    int AddLeftColumn(const char* heading, int column);
    int AddRightColumn(const char* heading, int column);
    bool AddItem(int row, int subItem, const char* text, int image = -1);
    void SetupColumns();
    void FillList();

    CListCtrlEx* m_listErrors = nullptr;
    std::vector<CurveErrorRecord>* m_pErrorList = nullptr;
};
