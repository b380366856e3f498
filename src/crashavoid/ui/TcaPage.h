#pragma once
// The pages of the crash-avoidance sheet. Their records are standard-string records of CTcaData,
// so a page is a table of TcaPageField rows over one record type: typed edits and combo boxes,
// code fields with the tag they are checked under and the tag their "Find" searches. The three
// pages that step through a list (vehicle, instrumentation, rollover) share one navigator, with
// the list's current index kept in CTcaData.

#include "common/ui/NEdit.h"
#include "crashavoid/TcaData.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/PropertySheet.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

enum TcaFieldStyle : unsigned {
    TFS_COMBO = 0x1,      // a combo box whose text is stored as typed
    TFS_LINE_START = 0x2, // the first field of its file line: may not begin with '#'
    TFS_SHOWS_ONLY = 0x4, // its colours show a bad value, but it never makes the page invalid
    TFS_SHOWN_WHEN_BAD = 0x8, // hidden by the template; shown, with its label and "Find", while
                              // its value makes the record invalid (a record never traps the user)
};

// Fields that carry a record value without a control (an id no template holds) are never
// re-validated and so travel unchanged between the file and the record.

template <class R> struct TcaPageField {
    int id = 0;
    FieldRule rule {};
    std::string R::*member = nullptr;
    std::vector<std::string> R::*list = nullptr; // or entry `item` of a list of the record
    int item = 0;
    const char* codeTable = nullptr;
    const char* checkTag = nullptr;  // the tag the code is checked under
    const char* searchTag = nullptr; // the tag its "Find" lists (nullptr: the check tag)
    int searchId = 0;
    unsigned style = 0;
    const char* empty = ""; // what ClearFields puts in
    int labelId = 0;        // its label, where the page shows or hides it
};

// Checks, searches and texts that do not depend on the record type.
namespace tcapage {
// Valid when the text (trimmed at the left) is empty or a code under one of the two tags; paints
// the field. A query without rows or a failure leaves the field's colours alone.
bool CheckCode(CNEdit& field, const char* table, const char* checkTag, const char* searchTag);
// The code search; true with `code` (and the row's UNITS column, where it has one) when a row was
// chosen. `query` replaces the table listing.
bool SearchCode(const char* table, const char* tag, CString& code, const CString& query = CString(),
                CString* units = nullptr);
// A value the file would read as the end of its section, or as a comment at the start of a line.
bool BreaksFileLine(const std::string& value, bool lineStart);
// A text of at most 79 characters (the tooltip buffer of the pages holds 80 with its end).
QString TooltipText(const char* text);
} // namespace tcapage

class CTcaPageBase : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;
    CTcaData* m_pData = nullptr;

    // The sheet's protocol.
    virtual void ClearFields() = 0;
    virtual bool SaveRecord() = 0;
    virtual bool LoadRecord() = 0;
    // The check before a test is saved (CheckPage or ValidateAllRecords).
    virtual bool CheckBeforeSave() = 0;
};

template <class R> class CTcaPage : public CTcaPageBase {
public:
    using Field = TcaPageField<R>;

    CTcaPage(const DlgTemplate* tmpl, std::span<const Field> fields)
        : CTcaPageBase(tmpl)
        , m_fields(fields)
        , m_combos(fields.size())
    {
        for (size_t i = 0; i < fields.size(); ++i)
            m_edits.push_back(std::make_unique<CNEdit>());
    }

    CNEdit* Edit(int id) const
    {
        const int i = IndexOf(id);
        return i < 0 ? nullptr : m_edits[i].get();
    }
    CString ComboText(int id) const
    {
        const int i = IndexOf(id);
        return i < 0 ? CString() : m_combos[i];
    }
    // The field's text, edit or combo.
    std::string Text(int id) const
    {
        const int i = IndexOf(id);
        if (i < 0)
            return std::string();
        return (m_fields[i].style & TFS_COMBO) ? m_combos[i].str() : m_edits[i]->GetStdText();
    }
    void SetFieldText(int id, const std::string& text)
    {
        const int i = IndexOf(id);
        if (i < 0)
            return;
        if (m_fields[i].style & TFS_COMBO)
            m_combos[i] = CString(text);
        else
            m_edits[i]->SetStdText(text);
    }

    void SetRanges()
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].rule.type != FieldType::None)
                m_edits[i]->Apply(m_fields[i].rule);
        }
    }

    void ClearFields() override
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            m_edits[i]->SetText(m_fields[i].empty);
            m_combos[i] = m_fields[i].empty;
        }
        if (HasWindow())
            UpdateData(FALSE);
    }

    // Every code field checked (each paints itself); true when all passed.
    bool CheckCodes()
    {
        bool all = true;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Field& f = m_fields[i];
            if (f.codeTable && !tcapage::CheckCode(*m_edits[i], f.codeTable, CheckTagOf(f), SearchTagOf(f)))
                all = false;
        }
        return all;
    }

    // The typed fields' valid flags, first to last; a value that would break its file line is
    // refused here too, its field shown invalid.
    virtual bool AllFieldsValid()
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Field& f = m_fields[i];
            if (!IsJudged(f))
                continue;
            if (f.style & TFS_COMBO) {
                // A combo box has no invalid colours: its value is refused as it stands.
                if (tcapage::BreaksFileLine(m_combos[i].str(), f.style & TFS_LINE_START))
                    return false;
                continue;
            }
            if (tcapage::BreaksFileLine(m_edits[i]->GetStdText(), f.style & TFS_LINE_START)) {
                m_edits[i]->SetValid(false);
                return false;
            }
            if (f.rule.type != FieldType::None && !(f.style & TFS_SHOWS_ONLY) && !m_edits[i]->IsValid())
                return false;
        }
        return true;
    }

    // The protocol of the single-record pages; the record pages add their list to it.
    BOOL OnSetActive() override
    {
        SetRanges();
        LoadRecord();
        return CTcaPageBase::OnSetActive();
    }
    BOOL OnKillActive() override { return SaveRecord() ? CTcaPageBase::OnKillActive() : FALSE; }
    // The check before a test is saved: the record shown again, its fields judged.
    bool CheckBeforeSave() override { return LoadRecord(); }

    // The combo boxes' texts are read first: they are checked as typed.
    bool ValidatePage()
    {
        if (HasWindow())
            UpdateData(TRUE);
        const bool valid = CheckCodes() && AllFieldsValid();
        ShowBadHiddenFields();
        return valid;
    }

    BOOL OnInitDialog() override
    {
        CTcaPageBase::OnInitDialog();
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Field& f = m_fields[i];
            if (QWidget* w = GetDlgItem(f.id))
                w->setToolTip(tcapage::TooltipText(f.rule.tooltip));
            if (f.searchId)
                OnClicked(f.searchId, [this, i] { OnFind(static_cast<int>(i)); });
        }
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].style & TFS_COMBO) {
                DDX_CBString(pDX, m_fields[i].id, m_combos[i]);
            } else if (auto* multi = Item<QPlainTextEdit>(m_fields[i].id)) {
                if (!m_edits[i]->HasWindow())
                    m_edits[i]->Attach(multi);
            } else {
                DDX_Control(pDX, m_fields[i].id, *m_edits[i]);
            }
        }
    }

protected:
    // A value the user could not see would keep the record from being stored or left: such a
    // field is shown while it is bad, and hidden again once it is not.
    void ShowBadHiddenFields()
    {
        if (!HasWindow())
            return;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Field& f = m_fields[i];
            if (!(f.style & TFS_SHOWN_WHEN_BAD))
                continue;
            const bool show = !m_edits[i]->IsValid();
            for (int id : {f.id, f.searchId, f.labelId}) {
                if (id)
                    ShowDlgItem(id, show);
            }
        }
    }

    // A field the page does not store as it stands (greyed, the record keeps its value) does
    // not judge the page.
    virtual bool IsJudged(const Field& /*f*/) const { return true; }
    virtual const char* CheckTagOf(const Field& f) const { return f.checkTag ? f.checkTag : ""; }
    virtual const char* SearchTagOf(const Field& f) const { return f.searchTag ? f.searchTag : CheckTagOf(f); }

    // Record to page: every field that has a member, then the controls.
    void ShowFields(R& record)
    {
        if (HasWindow())
            UpdateData(TRUE);
        for (const Field& f : m_fields) {
            if (const std::string* value = ValueOf(record, f))
                SetFieldText(f.id, *value);
        }
        if (HasWindow())
            UpdateData(FALSE);
    }

    // Page to record.
    void StoreFields(R& record)
    {
        if (HasWindow())
            UpdateData(TRUE);
        for (const Field& f : m_fields) {
            if (std::string* value = ValueOf(record, f))
                *value = Text(f.id);
        }
    }

    // A "Find" button: the chosen code goes into the field, marked valid.
    void OnFind(int i)
    {
        if (IsEnterHeldDown())
            return;
        const Field& f = m_fields[i];
        UpdateData(TRUE);
        m_textBeforeFind = Text(f.id);
        CString code;
        if (tcapage::SearchCode(f.codeTable, SearchTagOf(f), code, CString(), &m_foundUnits)) {
            m_edits[i]->SetText(code);
            m_edits[i]->SetValid(true);
            AfterFind(f.id);
        }
        UpdateData(FALSE);
    }
    // A code has just been chosen for the field of `id` (m_textBeforeFind: what it held before;
    // m_foundUnits: the UNITS column of the chosen row, where the listing has one).
    virtual void AfterFind(int /*id*/) {}
    std::string m_textBeforeFind;
    CString m_foundUnits;

    static std::string* ValueOf(R& record, const Field& f)
    {
        if (f.member)
            return &(record.*f.member);
        if (f.list) {
            std::vector<std::string>& list = record.*f.list;
            if (f.item >= static_cast<int>(list.size()))
                list.resize(f.item + 1);
            return &list[f.item];
        }
        return nullptr;
    }

    int IndexOf(int id) const
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].id == id)
                return static_cast<int>(i);
        }
        return -1;
    }

    std::span<const Field> m_fields;
    std::vector<std::unique_ptr<CNEdit>> m_edits;
    std::vector<CString> m_combos;
};

// The record list of a navigating page: a combo box or a list box, entries "1" to the count.
class CTcaRecordList {
public:
    void Attach(QWidget* control);
    // Refills "1".."count" when the count differs, then selects `current` (-1: nothing).
    void Refill(int count, int current);
    int GetCurSel() const;
    void SetCurSel(int index);
    CString GetWindowText() const;
    void SetWindowText(const CString& text);

private:
    CComboBox m_combo;
    CListBox m_list;
};

// A page that steps through one record list of CTcaData: "<", ">", "X" and a record list. The
// page never moves while the shown record cannot be stored: the typed input stays in front.
template <class R> class CTcaRecordPage : public CTcaPage<R> {
public:
    struct Controls {
        int list;
        int prev; // 0: none
        int next;
        int remove;
    };

    CTcaRecordPage(const DlgTemplate* tmpl, std::span<const TcaPageField<R>> fields, Controls controls)
        : CTcaPage<R>(tmpl, fields)
        , m_controls(controls)
    {
    }

    virtual std::vector<R>& Records() = 0;
    virtual int& Current() = 0;

    R* Shown()
    {
        if (!this->m_pData)
            return nullptr;
        const int c = Current();
        return c >= 0 && c < static_cast<int>(Records().size()) ? &Records()[c] : nullptr;
    }

    bool LoadRecord() override
    {
        if (!this->m_pData)
            return true;
        m_list.Refill(static_cast<int>(Records().size()), Current());
        BeforeLoad();
        R* record = Shown();
        if (!record) {
            this->ClearFields();
            return true;
        }
        this->ShowFields(*record);
        ShowExtra(*record);
        return this->ValidatePage();
    }

    bool SaveRecord() override
    {
        if (!this->ValidatePage())
            return false;
        R* record = Shown();
        if (!record)
            return true;
        this->StoreFields(*record);
        StoreExtra(*record, Current());
        return true;
    }

    // Shows each other record in turn; at the first invalid one it stays shown.
    bool ValidateAllRecords()
    {
        if (!this->m_pData)
            return true;
        const int keep = Current();
        const int count = static_cast<int>(Records().size());
        for (int i = 0; i < count; ++i) {
            Current() = i;
            if (i != keep && !LoadRecord())
                return false;
        }
        Current() = keep;
        LoadRecord();
        return true;
    }

    bool CheckBeforeSave() override { return ValidateAllRecords(); }

    // The fields and the record number shown in the list's edit part.
    void ClearFields() override
    {
        CTcaPage<R>::ClearFields();
        m_list.SetWindowText("");
    }

    BOOL OnKillActive() override
    {
        if (!SaveRecord() || !ValidateAllRecords())
            return FALSE;
        return CTcaPageBase::OnKillActive();
    }

    BOOL OnInitDialog() override
    {
        CTcaPage<R>::OnInitDialog();
        m_list.Attach(this->GetDlgItem(m_controls.list));
        m_list.Refill(0, -1);
        if (m_controls.prev)
            this->OnClicked(m_controls.prev, [this] { OnPrevRecord(); });
        this->OnClicked(m_controls.next, [this] { OnNextRecord(); });
        this->OnClicked(m_controls.remove, [this] { OnDeleteRecord(); });
        this->OnSelChange(m_controls.list, [this] { OnSelchangeRecordList(); });
        return TRUE;
    }

    void OnPrevRecord()
    {
        if (IsEnterHeldDown() || !this->m_pData || Current() < 1)
            return;
        MoveTo(Current() - 1);
    }

    void OnNextRecord()
    {
        if (IsEnterHeldDown() || !this->m_pData)
            return;
        const int count = static_cast<int>(Records().size());
        if (Current() >= 0 && Current() < count - 1) {
            MoveTo(Current() + 1);
            return;
        }
        if (Current() >= 0 && !SaveRecord())
            return;
        if (!AppendRecord())
            return;
        ++Current();
        LoadRecord();
    }

    void OnDeleteRecord()
    {
        if (IsEnterHeldDown() || !this->m_pData || Records().empty() || !Shown())
            return;
        Records().erase(Records().begin() + Current());
        if (Current() >= static_cast<int>(Records().size()))
            --Current();
        LoadRecord();
    }

    void OnSelchangeRecordList()
    {
        if (!this->m_pData)
            return;
        const int chosen = m_list.GetCurSel();
        if (chosen < 0 || chosen == Current() || chosen >= static_cast<int>(Records().size()))
            return;
        if (MoveTo(chosen))
            AfterSelect();
    }

    CTcaRecordList& RecordList() { return m_list; }

protected:
    // Saves the shown record and shows record `index`; a record that cannot be saved keeps the
    // page where it is (and the list on its entry).
    bool MoveTo(int index)
    {
        if (Shown() && !SaveRecord()) {
            m_list.SetCurSel(Current());
            return false;
        }
        Current() = index;
        LoadRecord();
        return true;
    }

    // ">" after the last record: appends the new record (the current one is already saved);
    // false when nothing was appended.
    virtual bool AppendRecord()
    {
        Records().push_back(R());
        return true;
    }
    // Before a record is shown (the page's own lists).
    virtual void BeforeLoad() {}
    // What no row can say, record to page and page to record.
    virtual void ShowExtra(const R& /*record*/) {}
    virtual void StoreExtra(R& /*record*/, int /*index*/) {}
    // After a record was chosen in the list and shown.
    virtual void AfterSelect() {}

    Controls m_controls;
    CTcaRecordList m_list;
};
