#pragma once
// What the code search dialog lists and returns, without a window: the query of each kind of
// look-up (code table, channel types, biomechanics Y units, the two-stage attachment look-up,
// an external code list, the component record lists), the columns and rows it shows, the quick
// search over the shown rows, and the columns handed back for the chosen row.

#include "platform/CString.h"

#include <array>
#include <functional>
#include <vector>

struct CodeDbError;

struct SearchColumn {
    CString heading;
    int width = 0; // pixels
    bool centred = false;
};

using SearchRow = std::vector<CString>;

class CCodeSearchList {
public:
    // General: a code table (empty kind), a caller's statement, or a look-up kind word.
    CCodeSearchList(const CString& codeName, const CString& reference, const CString& lookupKind, bool extraKeyMode);
    // The code table restricted to a caller's list of codes.
    CCodeSearchList(const CString& codeName, const CString& reference, const CStringArray* externalCodes);
    // A record list of the component pages ("ListCompCompData", "ListCompInstConfData").
    CCodeSearchList(const CString& lookupKind, const CStringArray* array1, const CStringArray* array2,
                    const CStringArray* array3, const CStringArray* array4);
    virtual ~CCodeSearchList() = default;

    void SetTestType(const CString& testType) { m_strTestType = testType; }
    void SetExtraKeys(const CString& key1, const CString& key2, const CString& key3, const CString& key4);

    // Runs the one query path of this look-up and fills the caption, columns and rows.
    void Fill();

    // "<code> Search" or the record list's caption; empty keeps the template's "Code Search".
    const CString& Caption() const { return m_strCaption; }
    const std::vector<SearchColumn>& Columns() const { return m_columns; }
    const std::vector<SearchRow>& Rows() const { return m_rows; }
    // The two-stage look-up found nothing: the dialog ends at once with IDOK and an empty code.
    bool EndsAtOnce() const { return m_bEndAtOnce; }
    // Where the focus goes: the quick-search edit, except for an external code list.
    bool FocusOnQuickSearch() const { return m_pExternalCodes == nullptr; }

    // Quick search: the edit's text (trimmed, upper-cased) against column 0 of the rows in their
    // shown order. Returns the row to select, or -1 when no search ran or nothing matched.
    int QuickSearch(const CString& editText, const std::vector<CString>& column0);
    // The column whose text a click on a row puts into the code and the quick-search edit.
    int ClickColumn() const;

    // OK on the chosen row (its cells as shown): fills the code and the returned columns.
    void Choose(const SearchRow& cells);
    // "Clear Entry": an empty code.
    void ClearEntry();

    const CString& GetCode() const { return m_strCode; }
    const CString& GetSecondColumn() const { return m_strColumn1; }
    const CStringArray& ChosenRow() const { return m_arrChosenRow; }

protected:
    // Every message of the look-ups goes here; the dialog shows it owned by itself.
    virtual void Tell(const CString& text);

    CString m_strReference;
    CString m_strCodeName;
    CString m_strTestType;
    CString m_strLookupKind;
    bool m_bExtraKeyMode = false;
    bool m_bHasRows = true;
    bool m_bCodeTableMode = true;
    CString m_strExtraKey1, m_strExtraKey2, m_strExtraKey3, m_strExtraKey4;
    CString m_strCode;
    CString m_strColumn1;
    CString m_strQuickText;
    CString m_strLastQuickText;
    CStringArray m_arrColumn0, m_arrColumn1, m_arrColumn2, m_arrColumn3;
    std::array<const CStringArray*, 4> m_pRecordArrays {};
    const CStringArray* m_pExternalCodes = nullptr;
    CStringArray m_arrChosenRow;
    CStringArray m_arrSenlocByRow, m_arrDistinctUnits, m_arrUnitsByRow;

private:
    void FillCodeTable();
    void FillChannelTypes();
    void FillYUnits();
    void FillTwoStage();
    void FillExternal();
    void FillRecordList();

    void SetColumns(std::vector<SearchColumn> columns) { m_columns = std::move(columns); }
    CString BufferStatement() const;
    // Reads the statement's fields into the four buffers (a field name empty: buffer left
    // empty; fourthLiteral: buffer 3 holds that text for every row). False on no rows or error.
    bool ReadBuffers(const std::array<CString, 4>& fields, const CString& fourthLiteral, const CString& emptyMessage);
    // One cell as text; a failing cell is reported once per column and reads as empty.
    CString Cell(const class CodeDbRecordset& rs, const CString& field, bool trim);
    // Runs a statement and hands each row over; an empty result tells emptyMessage. False on no
    // rows or failure.
    bool Query(const CString& sql, const CString& emptyMessage,
               const std::function<void(const class CodeDbRecordset&)>& eachRow);
    // Runs a statement and appends its rows with the given fields; false when it failed.
    bool FillRows(const CString& sql, const std::vector<CString>& fields, const CString& literalLast, bool trim,
                  const CString& emptyMessage);
    void Failed(const CodeDbError& error);

    CString m_strCaption;
    std::vector<SearchColumn> m_columns;
    std::vector<SearchRow> m_rows;
    std::array<CStringArray, 4> m_records;
    std::vector<CString> m_failedFields;
    bool m_bEndAtOnce = false;
};
