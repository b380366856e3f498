#pragma once
// The measurement dialogs: small modal dialogs over groups of values of one vehicle (pre-test and
// post-test body measurements, damage profile distances) or one occupant (clearance distances,
// peak loads, injury measurements) that do not fit on their pages. All six are one dialog over
// a table of fields; the classes below only pick their table.
//
// The dialog reads the data object and never writes it: after OK of a shown run the caller
// copies the values back (SaveToData). A run with the show flag at 0 only checks the stored
// values and never makes a window; the same check (CheckStored) gives the pages their
// "Error Inside" labels.

#include "common/ui/NEdit.h"
#include "platform/ui/Dialog.h"

#include <memory>
#include <vector>

class CVehData;

using BYTE = unsigned char;

enum class MeasureKind { PreTest, PostTest, Damage, Clearance, PeakLoad, InjuryMeasures };

// One value of a dialog: its edit, label, field of the data object and rule.
struct MeasureField {
    int id;
    const char* label;
    CStringArray CVehData::*field;
    FieldRule rule; // every value may be empty; the rule's tooltip is the edit's
    bool digitsOnly;
};

struct MeasureTable {
    int idd;
    const char* caption;
    int cx, cy; // dialog units
    const char* group;
    int rowsPerColumn; // the fields fill the columns top to bottom, in table order
    int editWidth;
    const char* buttonTooltip; // of OK and Cancel; null for none
    std::vector<MeasureField> fields;
};

const MeasureTable& MeasureTableOf(MeasureKind kind);

class CMeasureDialog : public CDialog {
    Q_OBJECT
public:
    CMeasureDialog(MeasureKind kind, CVehData* data, int index, QWidget* parent = nullptr);
    ~CMeasureDialog() override;

    // A shown run as CDialog's; with the show flag at 0 only the check of the stored values,
    // without a window, and IDOK.
    INT_PTR DoModal();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL AllFieldsValid() const;

    // Whether the values stored at the index pass their rules; no window is made.
    static bool CheckStored(MeasureKind kind, const CVehData* data, int index);
    // The caller's copy after OK: every edit's text into its field at the index.
    void SaveToData() const;

    CNEdit* Edit(int id) const;

    CVehData* m_pVehData;
    int m_nIndex;
    BYTE m_bShowFlag = 1;
    BYTE m_bValidFlag = TRUE;
    std::vector<std::unique_ptr<CNEdit>> m_edits; // in table order

private:
    const MeasureTable& m_table;
};

// The six dialogs by the names the pages use.
template <MeasureKind Kind> class CMeasureDialogOf : public CMeasureDialog {
public:
    CMeasureDialogOf(CVehData* data, int index, QWidget* parent = nullptr)
        : CMeasureDialog(Kind, data, index, parent)
    {
    }
};

using CVehPreTest = CMeasureDialogOf<MeasureKind::PreTest>;
using CVehPostTest = CMeasureDialogOf<MeasureKind::PostTest>;
using CVehDamage = CMeasureDialogOf<MeasureKind::Damage>;
using CClearanceDist = CMeasureDialogOf<MeasureKind::Clearance>;
using CPeakload = CMeasureDialogOf<MeasureKind::PeakLoad>;
using CInjmeas = CMeasureDialogOf<MeasureKind::InjuryMeasures>;
