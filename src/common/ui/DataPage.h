#pragma once
// The page protocol every page of every sheet follows. A page is its dialog template, its field
// table and only its departures:
//
// - CFieldPage: the fields of a page (typed edits found by control id), each described once by a
//   PageField row: control, type and limits with tooltip (FieldRule), the data member it edits
//   (a CString for single-record pages, a CStringArray for record pages, or a standard string
//   of a record struct: one struct per record, or the page's one struct), its code table and
//   "Search..." button and its empty value. Field types, load, save, validity, clear, tooltips
//   and the search buttons all run over the table; upper-case and digits-only typing and
//   read-only fields are the template's edit styles (DS_UPPERCASE, DS_NUMBER, DS_READONLY).
// - CDataPage: a single-record page (SaveToData / LoadFromData / AllFieldsValid).
// - CDataRecordPage: a record page on CRecordPage (">" "x", record list, retain check box),
//   whose record arrays are the table's arrays plus any the page adds.
//
// Code fields are checked and searched through ICodeFields, which the code-table layer
// implements; a sheet hands it to its pages with its database tag.

#include "common/ui/NEdit.h"
#include "platform/CodeDb.h"
#include "platform/Codec.h"
#include "platform/ui/PropertySheet.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

// What a code search lists: a code table's codes under a tag; or only the codes of a list (for
// a test type, when given); or the rows of a statement or look-up kind word.
struct CodeSearchRequest {
    const char* table = nullptr;
    CString tag {};
    CString query {};                    // a statement or look-up kind word; empty: the table's
    const CStringArray* codes = nullptr; // only these codes of the table
    CString testType {};                 // the test type a list of codes is for
    int column = 1;                      // the column of the chosen row given back as `second`
};

// Checking and searching code fields (the code-table layer implements it).
class ICodeFields {
public:
    virtual ~ICodeFields() = default;
    // Marks the field valid or invalid by its code table (an empty field is valid).
    virtual void Check(CNEdit& field, const char* table, const char* tag) const = 0;
    // The code search dialog; true with `code` (and the chosen row's second column in `second`)
    // when the user chose one.
    virtual bool Search(const CodeSearchRequest& request, CString& code, CString* second = nullptr) const = 0;
    bool Search(const char* table, const char* tag, CString& code) const { return Search({table, tag}, code); }
    // The search of the vehicle models of `make`, whose codes stand under `tag`: true with the
    // model's own two characters (a model code carries its make in front) in `model`.
    virtual bool SearchModel(const CString& make, const char* tag, CString& model) const = 0;
};

// `Record` is the struct a page's record fields are members of, where its records are structs
// (RecordAt gives the one of a record number); the data object itself by default.
template <class Data, class Record = Data> struct PageField {
    int id = 0;
    FieldRule rule {};                      // FieldType::None for code and read-only fields
    CString Data::*member = nullptr;        // single-record field
    CStringArray Data::*array = nullptr;    // record field: element = record number
    const char* codeTable = nullptr;        // code field: checked on load, set by its search
    int searchId = 0;                       // its "Search..." button
    const char* empty = "";                 // after Clear All Pages and in a new record
    std::string Record::*text = nullptr;    // a text of the record struct
    std::vector<std::string> Record::*list = nullptr; // or entry `item` of a list of it
    int item = 0;
    const char* tag = nullptr;              // the tag its code is checked under (null: the page's)
    const char* searchTag = nullptr;        // the tag its search lists, a code under which is also
                                            // valid (null: the check tag)
};

// Tooltips of controls that are not fields.
struct PageTip {
    int id;
    const char* text;
};

// A tooltip as the pages give it: at most 80 characters.
CString TooltipText(const char* text);

// What a sheet asks of each page by its index, whatever the page's shape.
class ISheetPage {
public:
    virtual ~ISheetPage() = default;
    // SaveToData or SaveRecord: TRUE without a window.
    virtual BOOL SavePage() = 0;
    // The sheet's check before a save: AllFieldsValid, or every record's.
    virtual bool ValidatePage() = 0;
    // LoadFromData or LoadRecord: the shown record again.
    virtual void LoadPage() = 0;
    // Record pages: the record shown when the page is next entered (count at least that).
    virtual void ShowRecord(int /*index*/) {}
    // Clear All Pages: fields to their empty values, no record.
    virtual void ClearPage() {}
    // After a failed check: the field that failed it shown, open for its correction.
    virtual void ShowBlockingField() {}
    // A field showing characters its file cannot hold, shown as ShowBlockingField shows one;
    // false when there is none.
    virtual bool ShowUnstorableField() { return false; }
};

template <class Data, class Base, class Record = Data> class CFieldPage : public Base, public ISheetPage {
public:
    using Row = PageField<Data, Record>;

    CFieldPage(const DlgTemplate* tmpl, std::span<const Row> fields, std::span<const PageTip> tips = {})
        : Base(tmpl)
        , m_fields(fields)
        , m_tips(tips)
    {
        for (size_t i = 0; i < fields.size(); ++i) {
            m_edits.push_back(std::make_unique<CNEdit>());
            m_edits.back()->SetText(fields[i].empty);
        }
    }

    Data* m_pData = nullptr;

    // The code-table checks and searches, with the sheet's database tag ("VEHDB").
    void SetCodeFields(const ICodeFields* codes, const char* tag)
    {
        m_pCodes = codes;
        m_tag = tag;
    }

    // The field of a control; null for an id the table does not hold.
    CNEdit* Edit(int id) const
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].id == id)
                return m_edits[i].get();
        }
        return nullptr;
    }
    std::span<const Row> Fields() const { return m_fields; }

    // A reference field's range follows the counts of the moment; its row's tooltip stays.
    void ApplyIntRange(int id, int min, int max)
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].id == id)
                m_edits[i]->Apply(FieldRule::Int(min, max, true, m_fields[i].rule.tooltip));
        }
    }

    void SetFieldTypes()
    {
        for (size_t i = 0; i < m_fields.size(); ++i)
            m_edits[i]->Apply(m_fields[i].rule);
    }

    // Every field asked, the AND of their valid flags.
    virtual bool AllFieldsValid()
    {
        bool valid = true;
        for (const auto& edit : m_edits)
            valid = edit->IsValid() && valid;
        return valid;
    }

    // Every field back to its empty value (whether or not the page has a window).
    void ClearFields()
    {
        for (size_t i = 0; i < m_fields.size(); ++i)
            m_edits[i]->SetText(m_fields[i].empty);
    }

    BOOL OnInitDialog() override
    {
        Base::OnInitDialog();
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].searchId)
                this->OnClicked(m_fields[i].searchId, [this, i] { OnSearch(i); });
        }
        for (const PageTip& tip : m_tips) {
            if (QWidget* w = this->GetDlgItem(tip.id))
                w->setToolTip(ToQString(TooltipText(tip.text)));
        }
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            CNEdit& edit = *m_edits[i];
            if (edit.HasWindow())
                continue;
            // A drop-down box whose text may be typed is a field through its edit part.
            if (auto* multi = this->template Item<QPlainTextEdit>(m_fields[i].id))
                edit.Attach(multi);
            else if (auto* combo = this->template Item<QComboBox>(m_fields[i].id); combo && combo->lineEdit())
                edit.Attach(combo->lineEdit());
            else
                DDX_Control(pDX, m_fields[i].id, edit);
        }
    }

    // Whether an invalid value in the field of `id` keeps the page from being left or saved; a
    // field that only shows its check (a code unknown to the tables on some pages) does not.
    virtual bool Blocks(int /*id*/) const { return true; }

    // The first field whose value keeps the page from being left or saved: coloured invalid,
    // enabled where it was greyed, and focused, so nothing unseen holds the user. A field marked
    // invalid that holds nothing is passed over for the one that does.
    void ShowBlockingField() override
    {
        ShowFirstField([this](size_t i) { return !m_edits[i]->IsValid() && Blocks(m_fields[i].id); });
    }
    bool ShowUnstorableField() override
    {
        return ShowFirstField([this](size_t i) { return m_edits[i]->ShowsUnstorableText(); });
    }

    // Whether a field the user can type into holds something other than what the page shows
    // without a record: its row's empty value (a record field: nor what element 0 holds). A field
    // of the test itself is saved whatever the records and never counts. A record page without
    // records takes such typing as its record 1.
    bool AnyFieldTyped() const
    {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (FieldTyped(i))
                return true;
        }
        return false;
    }
    bool FieldTyped(size_t i) const
    {
        if (!TakesTyping(*m_edits[i]))
            return false;
        const Row& field = m_fields[i];
        const CString text = Trimmed(m_edits[i]->GetText());
        if (field.member) // the test's own value, saved whatever the records
            return false;
        if (text == Trimmed(field.empty))
            return false;
        return !(field.array && m_pData && text == Trimmed((m_pData->*field.array)[0]));
    }

protected:
    // The first field `chosen` picks, coloured invalid, enabled and focused; false when none.
    bool ShowFirstField(const std::function<bool(size_t)>& chosen)
    {
        if (!this->HasWindow())
            return false;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (!chosen(i))
                continue;
            this->EnableDlgItem(m_fields[i].id, true);
            m_edits[i]->ShowInvalidColors();
            if (QWidget* w = m_edits[i]->GetWidget())
                w->setFocus();
            return true;
        }
        return false;
    }

    // The record struct of record `index` (0: the page's one); null when there is none, and
    // then its fields show their empty values and store nowhere.
    virtual Record* RecordAt(Data& data, int /*index*/) const
    {
        if constexpr (std::is_same_v<Data, Record>)
            return &data;
        else
            return nullptr;
    }

    // The fields from the data (record fields from element `index`), then the code check.
    void LoadFields(const Data& data, int index)
    {
        const Record* record = RecordAt(const_cast<Data&>(data), index);
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Row& field = m_fields[i];
            if (field.member)
                m_edits[i]->SetText(data.*field.member);
            else if (field.array)
                m_edits[i]->SetText((data.*field.array)[index]);
            else if (field.text || field.list)
                m_edits[i]->SetStdText(record ? TextOf(*record, field) : std::string(field.empty));
        }
        CheckCodeFields();
    }

    void SaveFields(Data& data, int index) const
    {
        Record* record = RecordAt(data, index);
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Row& field = m_fields[i];
            if (field.member)
                data.*field.member = m_edits[i]->GetText();
            else if (field.array)
                (data.*field.array).SetAtGrow(index, m_edits[i]->GetText());
            else if (field.text && record)
                (*record).*field.text = m_edits[i]->GetStdText();
            else if (field.list && record) {
                std::vector<std::string>& list = (*record).*field.list;
                if (field.item >= static_cast<int>(list.size()))
                    list.resize(static_cast<size_t>(field.item) + 1);
                list[static_cast<size_t>(field.item)] = m_edits[i]->GetStdText();
            }
        }
    }

    static std::string TextOf(const Record& record, const Row& field)
    {
        if (field.text)
            return record.*field.text;
        const std::vector<std::string>& list = record.*field.list;
        return field.item < static_cast<int>(list.size()) ? list[static_cast<size_t>(field.item)] : std::string();
    }

    // The tag a field's code is checked under, and the tag its search lists.
    virtual CString CodeTag(const Row& field) const { return field.tag ? field.tag : m_tag; }
    CString SearchTag(const Row& field) const { return field.searchTag ? CString(field.searchTag) : CodeTag(field); }

    // A code is valid under the field's tag, or under the tag its search lists codes of.
    void CheckCodeFields()
    {
        if (!m_pCodes)
            return;
        platform::CodeDbCommandScope codeTableFaults; // within a menu command, that command's
        for (size_t i = 0; i < m_fields.size(); ++i) {
            const Row& field = m_fields[i];
            if (!field.codeTable)
                continue;
            const CString tag = CodeTag(field);
            m_pCodes->Check(*m_edits[i], field.codeTable, tag.GetString());
            if (!m_edits[i]->IsValid() && SearchTag(field) != tag)
                m_pCodes->Check(*m_edits[i], field.codeTable, SearchTag(field).GetString());
        }
    }

    // The code search of a field, every "Search..." button's: nothing while Enter is held; else
    // the page's values read, the search opened, a chosen code put into `field` as valid and
    // `after` told of it, and the page shown again. True when a code was chosen.
    bool SearchInto(CNEdit& field, const CodeSearchRequest& request,
                    const std::function<void(const CString& code, const CString& second)>& after = {})
    {
        if (IsEnterHeldDown() || !m_pCodes)
            return false;
        this->UpdateData(TRUE);
        CString code, second;
        const bool chosen = m_pCodes->Search(request, code, &second);
        if (chosen) {
            field.SetText(code);
            field.SetValid(true);
            if (after)
                after(code, second);
        }
        this->UpdateData(FALSE);
        return chosen;
    }
    // The same over the field of a control.
    bool SearchInto(int id, const CodeSearchRequest& request,
                    const std::function<void(const CString& code, const CString& second)>& after = {})
    {
        return SearchInto(*Edit(id), request, after);
    }

    // The Vehicle Model's "Search...": the models of the make in the field of `makeId` (their
    // codes under `tag`), the user told to enter the make first when it is empty; the model
    // chosen goes into the field of `modelId`.
    void SearchModelOfMake(int makeId, int modelId, const char* tag)
    {
        if (IsEnterHeldDown() || !m_pCodes)
            return;
        this->UpdateData(TRUE);
        const CString make = Edit(makeId)->GetText();
        if (make.IsEmpty()) {
            this->MessageBox("Please enter 'Vehicle Make' prior to searching 'Vehicle Model'.");
            return;
        }
        CString model;
        if (m_pCodes->SearchModel(make, tag, model)) {
            Edit(modelId)->SetText(model);
            Edit(modelId)->SetValid(true);
        }
        this->UpdateData(FALSE);
    }

    // A row's "Search..." button.
    void OnSearch(size_t i)
    {
        SearchInto(*m_edits[i], {m_fields[i].codeTable, SearchTag(m_fields[i])},
                   [this, i](const CString&, const CString&) { AfterSearch(m_fields[i].id); });
    }
    // A code has just been chosen for the field of `id`.
    virtual void AfterSearch(int /*id*/) {}

    // A time step that applies only to curves over seconds: enabled, taking `stored` again when
    // given (white when valid, yellow when not); or disabled on grey, "0" when `stored` is given.
    // A value that stops the page being left or saved is never hidden behind the grey: the field
    // stays enabled for its correction, in the invalid colours.
    void EnableTimeField(int id, bool enable, const CString* stored)
    {
        CNEdit& step = *Edit(id);
        if (enable) {
            this->EnableDlgItem(id, true);
            if (stored) {
                step.SetText(*stored);
                step.OnChange();
                step.SetColors(CNEdit::kBlack, step.IsValid() ? CNEdit::kWhite : CNEdit::kYellow);
            }
            return;
        }
        if (stored)
            step.SetText("0");
        if (!step.IsValid()) {
            this->EnableDlgItem(id, true);
            step.ShowInvalidColors();
            return;
        }
        step.SetColors(CNEdit::kBlack, RGB(192, 192, 192));
        this->EnableDlgItem(id, false);
    }

    static bool TakesTyping(const CNEdit& edit)
    {
        if (const QLineEdit* line = edit.GetWindow())
            return line->isEnabled() && !line->isReadOnly();
        if (const QPlainTextEdit* multi = edit.GetMultiLineWindow())
            return multi->isEnabled() && !multi->isReadOnly();
        return false;
    }
    static CString Trimmed(CString text) { return text.Trim(); }

    std::span<const Row> m_fields;
    std::span<const PageTip> m_tips;
    std::vector<std::unique_ptr<CNEdit>> m_edits;
    const ICodeFields* m_pCodes = nullptr;
    const char* m_tag = "";
};

// A single-record page: its fields are members of the data object.
template <class Data, class Record = Data> class CDataPage : public CFieldPage<Data, CPropertyPage, Record> {
public:
    using CFieldPage<Data, CPropertyPage, Record>::CFieldPage;

    // TRUE without a window (nothing shown, nothing to save), FALSE without data.
    virtual BOOL SaveToData()
    {
        if (!this->HasWindow())
            return TRUE;
        if (!this->m_pData)
            return FALSE;
        this->SaveFields(*this->m_pData, 0);
        SaveExtra(*this->m_pData);
        return TRUE;
    }

    // Nothing without a window or data.
    virtual void LoadFromData()
    {
        if (!this->HasWindow() || !this->m_pData)
            return;
        this->UpdateData(TRUE);
        this->LoadFields(*this->m_pData, 0);
        LoadExtra(*this->m_pData);
        this->UpdateData(FALSE);
    }

    BOOL OnSetActive() override
    {
        platform::CodeDbCommandScope codeTableFaults; // showing a page is one action of the user
        this->SetFieldTypes();
        LoadFromData();
        this->AllFieldsValid();
        return CPropertyPage::OnSetActive();
    }

    BOOL SavePage() override { return SaveToData(); }
    bool ValidatePage() override { return this->AllFieldsValid() || Blocked(); }
    void LoadPage() override { LoadFromData(); }
    void ClearPage() override
    {
        this->ClearFields();
        if (this->HasWindow())
            this->UpdateData(FALSE);
    }

    // A blocking page stays in front while a field is invalid; the others save whatever is shown.
    BOOL OnKillActive() override
    {
        if (!this->AllFieldsValid() && m_bBlocking)
            return Blocked();
        SaveToData();
        return CPropertyPage::OnKillActive();
    }

protected:
    // A failed check: the field that holds the page is shown; always false.
    bool Blocked()
    {
        this->ShowBlockingField();
        return false;
    }

    // The page's departures: what its table cannot say.
    virtual void LoadExtra(const Data& /*data*/) {}
    virtual void SaveExtra(Data& /*data*/) {}

    bool m_bBlocking = false;
};

// The controls of a record page.
struct RecordControls {
    int list;   // the record number list
    int next;   // ">"
    int remove; // "x"
    int retain; // "Retain the Last Record for the New" (0: none)
    int prev = 0; // "<" (0: none)
};

// A record page: its fields are arrays of the data object, element = record number.
template <class Data, class Record = Data> class CDataRecordPage : public CFieldPage<Data, CRecordPage, Record> {
public:
    using Row = PageField<Data, Record>;
    using FieldPage = CFieldPage<Data, CRecordPage, Record>;

    CDataRecordPage(const DlgTemplate* tmpl, std::span<const Row> fields, RecordControls controls,
                    const char* className, std::span<const PageTip> tips = {})
        : FieldPage(tmpl, fields, tips)
        , m_controls(controls)
        , m_className(className)
    {
    }

    BOOL m_bRetainLast = FALSE;
    CListBox m_listRecords;
    // "<", ">" and the list refuse without a word while the shown record cannot be stored: the
    // page's fields already show what is wrong, and what was typed stays in front.
    bool m_bSilentRefusal = false;

    BOOL OnInitDialog() override
    {
        FieldPage::OnInitDialog();
        if (m_controls.prev)
            this->OnClicked(m_controls.prev, [this] { OnPrevcurveButton(); });
        this->OnClicked(m_controls.next, [this] { OnNextcurveButton(); });
        this->OnClicked(m_controls.remove, [this] { OnDeleteRecordButton(); });
        this->OnSelChange(m_controls.list, [this] { this->OnRecordListSelChange(m_listRecords); });
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        FieldPage::DoDataExchange(pDX);
        DDX_Control(pDX, m_controls.list, m_listRecords);
        if (m_controls.retain)
            DDX_Check(pDX, m_controls.retain, m_bRetainLast);
    }

    void LoadRecord() override
    {
        if (!this->HasWindow() || !this->m_pData)
            return;
        this->RefreshRecordList(m_listRecords);
        this->UpdateData(TRUE);
        this->LoadFields(*this->m_pData, this->m_nRecordIndex);
        LoadExtra(*this->m_pData, this->m_nRecordIndex);
        this->UpdateData(FALSE);
    }

    // A page without records saves what was typed on it as record 1 (its fields that were not
    // typed into take the new record's values).
    BOOL SaveRecord() override
    {
        if (!this->HasWindow())
            return TRUE;
        if (!this->m_pData)
            return FALSE;
        std::vector<bool> typed;
        if (this->m_nRecordIndex == 0) {
            for (size_t i = 0; i < this->m_fields.size(); ++i)
                typed.push_back(this->FieldTyped(i));
        }
        if (this->TakeTypingAsFirstRecord()) {
            for (size_t i = 0; i < this->m_fields.size(); ++i) {
                if (!typed[i] && this->m_fields[i].array)
                    this->m_edits[i]->SetText((this->m_pData->*this->m_fields[i].array)[1]);
            }
            this->RefreshRecordList(m_listRecords);
        }
        this->SaveFields(*this->m_pData, this->m_nRecordIndex);
        SaveExtra(*this->m_pData, this->m_nRecordIndex);
        return TRUE;
    }

    // Every check that keeps the user on a record shows the field that does.
    BOOL IsPageValid() override
    {
        if (this->AllFieldsValid())
            return TRUE;
        this->ShowBlockingField();
        return FALSE;
    }

    BOOL OnSetActive() override
    {
        platform::CodeDbCommandScope codeTableFaults; // showing a page is one action of the user
        if (this->m_pData) {
            const int count = DataRecordCount(*this->m_pData);
            if (count >= 0)
                this->m_nRecordCount = count;
            // The data may have been emptied while the page had no window to be cleared: an
            // index behind the last record would make the next save invent empty records. A
            // page that has records but none shown (its index was never set because it had no
            // window when a test came) shows the last, as the sheets set it after a load:
            // otherwise its fields would stand for no record and what is typed would be lost.
            if (this->m_nRecordIndex > this->m_nRecordCount || this->m_nRecordIndex == 0)
                this->m_nRecordIndex = this->m_nRecordCount;
        }
        this->SetFieldTypes();
        LoadRecord();
        this->AllFieldsValid();
        return CRecordPage::OnSetActive();
    }

    // The blocking form: every record valid before the page may be left.
    BOOL OnKillActive() override
    {
        if (!this->SaveAndValidateAll())
            return FALSE;
        return CRecordPage::OnKillActive();
    }

    void OnPrevcurveButton()
    {
        const CString error = CString("Error: see ") + m_className + "::OnPrevcurveButton()";
        if (!this->PreviousRecord(m_bSilentRefusal ? nullptr : error.GetString()))
            m_listRecords.SetCurSel(this->m_nRecordIndex - 1);
    }
    void OnNextcurveButton()
    {
        if (m_bSilentRefusal) {
            if (IsEnterHeldDown())
                return;
            // Stored before anything else is decided: with no record shown, what was typed
            // becomes record 1 only when it can be stored, and is then what ">" shows.
            const bool none = this->m_nRecordIndex == 0;
            if (!SaveRecord())
                return;
            if (none && this->m_nRecordIndex != 0) {
                LoadRecord();
                return;
            }
        }
        if (!NextAllowed())
            return;
        if (this->m_nRecordIndex == this->m_nRecordCount && this->m_nRecordCount >= m_maxRecords &&
            !IsEnterHeldDown()) {
            this->MessageBox(m_tooManyMessage);
            return;
        }
        const CString error = CString("Error: see ") + m_className + "::OnNextcurveButton()";
        this->NextRecord(m_bSilentRefusal ? nullptr : error.GetString());
    }
    void OnDeleteRecordButton() { this->DeleteRecord(); }

    BOOL SavePage() override { return SaveRecord(); }
    // Every record as the fields judge it, stopping at the first that fails, shown. A record the
    // page can judge from its stored values (StoredRecordValid) is passed without being shown;
    // the others, and the last, are shown and judged by the fields, so the page ends where a
    // walk through every record ends and a failing record is told as the fields tell it.
    bool ValidatePage() override
    {
        return this->CheckRecords([this](int) { return this->IsPageValid() != FALSE; }, false, false, true);
    }
    void LoadPage() override { LoadRecord(); }
    void ShowRecord(int index) override
    {
        this->m_nRecordIndex = std::max(0, index);
        this->m_nRecordCount = std::max(this->m_nRecordCount, this->m_nRecordIndex);
    }

    // Empties the list, the fields and the record position.
    void ClearPage() override
    {
        m_listRecords.ResetContent();
        m_bRetainLast = FALSE;
        this->m_nRecordCount = 0;
        this->m_nRecordIndex = 0;
        this->ClearFields();
        if (this->HasWindow())
            this->UpdateData(FALSE);
    }

protected:
    bool FieldsTyped() const override { return this->AnyFieldTyped(); }

    // ">" does nothing while this says no (a page with a fixed number of records).
    virtual bool NextAllowed() const { return true; }
    // The records of a page whose fields are texts of a record struct, one struct per record in
    // record order; null for a page of arrays.
    virtual std::vector<Record>* RecordStructs(Data& /*data*/) const { return nullptr; }
    Record* RecordAt(Data& data, int index) const override
    {
        if (std::vector<Record>* records = RecordStructs(data))
            return index >= 1 && index <= static_cast<int>(records->size()) ? &(*records)[index - 1] : nullptr;
        return FieldPage::RecordAt(data, index);
    }
    // The record count the data holds; -1: the page keeps its own.
    virtual int DataRecordCount(const Data& data) const
    {
        const std::vector<Record>* records = RecordStructs(const_cast<Data&>(data));
        return records ? static_cast<int>(records->size()) : -1;
    }
    // Arrays of the record group that no field shows (a record number column).
    virtual std::vector<CStringArray Data::*> ExtraArrays() const { return {}; }
    virtual void LoadExtra(const Data& /*data*/, int /*index*/) {}
    virtual void SaveExtra(Data& /*data*/, int /*index*/) {}

    std::vector<CStringArray Data::*> RecordArrays() const
    {
        std::vector<CStringArray Data::*> arrays;
        for (const Row& field : this->m_fields) {
            if (field.array)
                arrays.push_back(field.array);
        }
        for (CStringArray Data::*extra : ExtraArrays())
            arrays.push_back(extra);
        return arrays;
    }

    void NewRecord() override
    {
        if (!this->m_pData)
            return;
        Data& data = *this->m_pData;
        const int index = this->m_nRecordIndex;
        if (this->HasWindow() && m_controls.retain)
            m_bRetainLast = this->IsDlgButtonChecked(m_controls.retain) ? TRUE : FALSE;
        if (std::vector<Record>* records = RecordStructs(data)) {
            const auto at = records->begin() + std::clamp(index - 1, 0, static_cast<int>(records->size()));
            if (m_bRetainLast && at != records->begin()) {
                const Record last = *(at - 1);
                records->insert(at, last);
            } else {
                records->insert(at, Record());
            }
        }
        if (m_bRetainLast) {
            for (CStringArray Data::*values : RecordArrays()) {
                CStringArray& a = data.*values;
                const CString last = a[index - 1]; // a copy: growing the array moves its elements
                a.SetAtGrow(index, last);
            }
            return;
        }
        for (const Row& field : this->m_fields) {
            if (field.array)
                (data.*field.array).SetAtGrow(index, field.empty);
        }
        for (CStringArray Data::*extra : ExtraArrays())
            (data.*extra).SetAtGrow(index, CString());
    }

    void AfterNext() override
    {
        this->SetFieldTypes();
        this->AllFieldsValid();
    }

    void RemoveRecord(int index) override
    {
        if (!this->m_pData)
            return;
        if (std::vector<Record>* records = RecordStructs(*this->m_pData);
            records && index >= 1 && index <= static_cast<int>(records->size()))
            records->erase(records->begin() + (index - 1));
        for (CStringArray Data::*values : RecordArrays()) {
            CStringArray& a = this->m_pData->*values;
            if (index >= 0 && index < a.GetSize())
                a.RemoveAt(index);
        }
    }

    RecordControls m_controls;
    const char* m_className;
    int m_maxRecords = 999;
    const char* m_tooManyMessage = "A test holds at most 999 records.";
};
