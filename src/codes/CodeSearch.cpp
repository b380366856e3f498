#include "codes/CodeSearch.h"

#include "codes/CodeCheck.h"
#include "platform/CodeDb.h"
#include "platform/Messages.h"

#include <algorithm>
#include <functional>

namespace {

const char* const kCompList = "ListCompCompData";
const char* const kConfList = "ListCompInstConfData";
const char* const kYUnits = "BIO_YUNITS";

CString Trimmed(CString s)
{
    s.Trim();
    return s;
}

std::vector<SearchColumn> CodeTableColumns()
{
    return {{"Code", 70, false}, {"Description", 300, false}, {"Comments", 250, false}, {"Code Name", 80, false}};
}

// Caption and columns of the record lists.
struct RecordListKind {
    const char* kind;
    const char* caption;
    std::vector<SearchColumn> columns;
};

const std::vector<RecordListKind>& RecordListKinds()
{
    static const std::vector<RecordListKind> kinds = {
        {kCompList,
         "VEHNO and COMPNO Search",
         {{"Vehicle #", 90, true}, {"Component #", 110, true}, {"Component Code", 150, true}, {"Component Comment", 240, false}}},
        {kConfList,
         "VEHNO, COMPNO and CONFNO Search",
         {{"Vehicle #", 80, true}, {"Component #", 110, true}, {"Configuration #", 140, true}, {"Comment", 250, false}}},
    };
    return kinds;
}

} // namespace

CCodeSearchList::CCodeSearchList(const CString& codeName, const CString& reference, const CString& lookupKind,
                                 bool extraKeyMode)
    : m_strReference(reference)
    , m_strCodeName(codeName)
    , m_strLookupKind(lookupKind)
    , m_bExtraKeyMode(extraKeyMode)
{
}

CCodeSearchList::CCodeSearchList(const CString& codeName, const CString& reference, const CStringArray* externalCodes)
    : m_strReference(reference)
    , m_strCodeName(codeName)
    , m_pExternalCodes(externalCodes)
{
}

CCodeSearchList::CCodeSearchList(const CString& lookupKind, const CStringArray* array1, const CStringArray* array2,
                                 const CStringArray* array3, const CStringArray* array4)
    : m_strLookupKind(lookupKind)
    , m_bCodeTableMode(false)
    , m_pRecordArrays {array1, array2, array3, array4}
{
}

void CCodeSearchList::SetExtraKeys(const CString& key1, const CString& key2, const CString& key3, const CString& key4)
{
    m_strExtraKey1 = key1;
    m_strExtraKey2 = key2;
    m_strExtraKey3 = key3;
    m_strExtraKey4 = key4;
}

void CCodeSearchList::Tell(const CString& text) { AfxMessageBox(text, MB_OK); }

void CCodeSearchList::Failed(const CodeDbError& error) { ShowCodeQueryFailure(error); }

void CCodeSearchList::Fill()
{
    m_columns.clear();
    m_rows.clear();
    m_failedFields.clear();
    m_bEndAtOnce = false;
    if (!m_strCodeName.IsEmpty())
        m_strCaption = m_strCodeName + " " + "Search";

    if (m_pExternalCodes) {
        if (m_pExternalCodes->GetSize() > 0)
            FillExternal();
        return;
    }
    if (m_bCodeTableMode) {
        if (m_bExtraKeyMode)
            FillTwoStage();
        else if (m_strCodeName == "CHANTYP")
            FillChannelTypes();
        else if (m_strLookupKind == kYUnits)
            FillYUnits();
        else
            FillCodeTable();
    } else {
        FillRecordList();
    }
}

CString CCodeSearchList::Cell(const CodeDbRecordset& rs, const CString& field, bool trim)
{
    try {
        CString value = rs.GetText(field);
        if (trim)
            value.Trim();
        return value;
    } catch (const CodeDbError& error) {
        // A statement without one of the fields fails on every row: say so once, not per row.
        if (std::find(m_failedFields.begin(), m_failedFields.end(), field) == m_failedFields.end()) {
            m_failedFields.push_back(field);
            Failed(error);
        }
        return CString();
    }
}

bool CCodeSearchList::Query(const CString& sql, const CString& emptyMessage,
                            const std::function<void(const CodeDbRecordset&)>& eachRow)
{
    try {
        auto rs = CodeDbExecute(sql);
        if (rs->IsEOF()) {
            Tell(emptyMessage);
            m_bHasRows = false;
            rs->Close();
            return false;
        }
        for (; !rs->IsEOF(); rs->MoveNext())
            eachRow(*rs);
        rs->Close();
        m_bHasRows = true;
        return true;
    } catch (const CodeDbError& error) {
        Failed(error);
        return false;
    }
}

bool CCodeSearchList::FillRows(const CString& sql, const std::vector<CString>& fields, const CString& literalLast,
                               bool trim, const CString& emptyMessage)
{
    return Query(sql, emptyMessage, [&](const CodeDbRecordset& rs) {
        SearchRow row;
        for (const CString& field : fields)
            row.push_back(Cell(rs, field, trim));
        if (!literalLast.IsEmpty())
            row.push_back(literalLast);
        m_rows.push_back(std::move(row));
    });
}

void CCodeSearchList::FillCodeTable()
{
    for (CStringArray* buffer : {&m_arrColumn0, &m_arrColumn1, &m_arrColumn2, &m_arrColumn3})
        buffer->RemoveAll();
    SetColumns(CodeTableColumns());
    const CString& t = m_strCodeName;
    const CString sql = m_strLookupKind.IsEmpty() ? codesql::CodeRowsOfGroup(t, m_strReference) : m_strLookupKind;
    FillRows(sql, {t, t + "D", t + "_COMMENT"}, t, true, "No Data Fetched.\n\r");
}

void CCodeSearchList::FillChannelTypes()
{
    const CString& t = m_strCodeName;
    const CString sql = codesql::ChannelTypeRowsOfGroup(t, m_strReference);
    SetColumns({{"Code", 50, false}, {"Description", 250, false}, {"Comments", 250, false}, {"ISO IS", 30, false},
                {"UNITS", 30, false}});
    FillRows(sql, {t, t + "D", t + "_COMMENT", "ISOSI", "UNITS"}, CString(), false, "No Data Fetched.\n\r");
}

CString CCodeSearchList::BufferStatement() const
{
    return m_strLookupKind.IsEmpty() ? codesql::CodeRowsOfGroup(m_strCodeName, m_strReference) : m_strLookupKind;
}

bool CCodeSearchList::ReadBuffers(const std::array<CString, 4>& fields, const CString& fourthLiteral,
                                  const CString& emptyMessage)
{
    std::array<CStringArray*, 4> buffers {&m_arrColumn0, &m_arrColumn1, &m_arrColumn2, &m_arrColumn3};
    for (CStringArray* buffer : buffers)
        buffer->RemoveAll();
    const CString sql = BufferStatement();
    return Query(sql, emptyMessage + sql, [&](const CodeDbRecordset& rs) {
        for (int i = 0; i < 4; ++i) {
            if (i == 3 && !fourthLiteral.IsEmpty())
                buffers[i]->Add(fourthLiteral);
            else if (!fields[i].IsEmpty())
                buffers[i]->Add(Cell(rs, fields[i], true));
        }
    });
}

void CCodeSearchList::FillYUnits()
{
    m_strLookupKind = codesql::LocationUnitsOfAttachment(m_strReference);
    if (ReadBuffers({"SENLOC", "UNITS", "SENATTD", ""}, CString(), "No Data Catched.\n\r")) {
        m_arrSenlocByRow.Copy(m_arrColumn0);
        m_arrUnitsByRow.Copy(m_arrColumn1);
        m_arrDistinctUnits.RemoveAll();
        for (int i = 0; i < m_arrUnitsByRow.GetSize(); ++i) {
            if (i == 0 || m_arrUnitsByRow[i] != m_arrUnitsByRow[i - 1])
                m_arrDistinctUnits.Add(m_arrUnitsByRow[i]);
        }

        m_strLookupKind = codesql::MetricUnitRows();
        ReadBuffers({"UNITS", "UNITSD", "MEASUREMENT_TYPE", ""}, CString(), "No Data Catched.\n\r");
        SetColumns({{"UNITS", 60, false}, {"UNITSD", 180, false}, {"MEASUREMENT_TYPE", 180, false}});
        for (const CString& unit : m_arrDistinctUnits) {
            for (int j = 0; j < m_arrColumn0.GetSize(); ++j) {
                if (m_arrColumn0[j] == unit) {
                    m_rows.push_back({unit, m_arrColumn1[j], m_arrColumn2[j]});
                    break;
                }
            }
        }
    }
    m_strLookupKind = kYUnits;
}

void CCodeSearchList::FillTwoStage()
{
    if (!ReadBuffers({m_strExtraKey1, m_strExtraKey2, m_strExtraKey3, m_strExtraKey4}, CString(),
                     "No related SENLOC Data Found for this UNIT.\n\r")) {
        if (!m_bHasRows) {
            m_strColumn1.Empty();
            m_bEndAtOnce = true;
        }
        return;
    }
    SetColumns({{m_strExtraKey1, 60, false}, {m_strExtraKey2, 180, false}, {m_strExtraKey3, 110, false},
                {m_strExtraKey4, 90, false}});
    const CStringArray attachments(m_arrColumn0), locations(m_arrColumn1), third(m_arrColumn2), fourth(m_arrColumn3);

    m_strCodeName = "SENLOC";
    m_strReference = "BIODB";
    m_strLookupKind = codesql::CodeRowsOfGroup(m_strCodeName, m_strReference);
    m_bExtraKeyMode = false;
    ReadBuffers({"SENLOC", "SENLOCD", "SENLOC_COMMENT", ""}, "SENLOC", "No Data Gotten.\n\r");

    for (int i = 0; i < attachments.GetSize(); ++i) {
        CString location;
        for (int j = 0; j < m_arrColumn0.GetSize(); ++j) {
            if (m_arrColumn0[j] == locations[i]) {
                location = locations[i] + " ( " + m_arrColumn1[j] + " )";
                break;
            }
        }
        m_rows.push_back({attachments[i], location, third[i], fourth[i]});
    }
    m_bExtraKeyMode = true;
}

void CCodeSearchList::FillExternal()
{
    SetColumns(CodeTableColumns());
    const CString& t = m_strCodeName;
    const CString& type = m_strTestType;
    CString sql;
    if (t == "SENLOC" && (type == "FCW" || type == "LDW" || type == "DRO" || type == "SSR"))
        sql = codesql::CodeRowsOfList(t, type, *m_pExternalCodes, true);
    else if (m_strLookupKind.IsEmpty())
        sql = codesql::CodeRowsOfList(t, m_strReference, *m_pExternalCodes, false);
    else
        sql = m_strLookupKind;
    FillRows(sql, {t, t + "D", t + "_COMMENT"}, t, true, "No Data Retrieved.\n\r" + sql);
}

void CCodeSearchList::FillRecordList()
{
    const auto& kinds = RecordListKinds();
    const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const RecordListKind& k) { return m_strLookupKind == k.kind; });
    if (kind == kinds.end())
        return;
    m_strCaption = kind->caption;
    SetColumns(kind->columns);

    // Sorted and pruned on copies: the page's own records keep their order and rows.
    int count = 0;
    for (const CStringArray* source : m_pRecordArrays)
        count = std::max(count, source ? source->GetSize() : 0);
    std::vector<std::array<CString, 4>> records(count);
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < count; ++i)
            records[i][c] = m_pRecordArrays[c] ? Trimmed(m_pRecordArrays[c]->GetAt(i)) : CString();
    }
    std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
        const int first = a[0].Compare(b[0]);
        return first != 0 ? first < 0 : a[1].Compare(b[1]) < 0;
    });
    records.erase(std::unique(records.begin(), records.end(),
                              [](const auto& a, const auto& b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }),
                  records.end());

    for (CStringArray& column : m_records)
        column.RemoveAll();
    for (const auto& record : records) {
        for (int c = 0; c < 4; ++c)
            m_records[c].Add(record[c]);
        m_rows.push_back({record[0], record[1], record[2], record[3]});
    }
}

int CCodeSearchList::QuickSearch(const CString& editText, const std::vector<CString>& column0)
{
    m_strQuickText = editText;
    m_strQuickText.Trim();
    m_strQuickText.MakeUpper();
    const int n = m_strQuickText.GetLength();
    if (n == 0 || m_strQuickText == m_strLastQuickText)
        return -1;
    m_strLastQuickText = m_strQuickText;
    for (size_t i = 0; i < column0.size(); ++i) {
        if (column0[i].GetLength() >= n && column0[i].Left(n).CompareNoCase(m_strQuickText) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int CCodeSearchList::ClickColumn() const
{
    if (m_strLookupKind == kCompList)
        return 1;
    if (m_strLookupKind == kConfList)
        return 2;
    return 0;
}

void CCodeSearchList::Choose(const SearchRow& cells)
{
    m_arrChosenRow.RemoveAll();
    for (const CString& cell : cells)
        m_arrChosenRow.Add(Trimmed(cell));

    if (!m_bCodeTableMode) {
        // The selected row, whichever row the mouse touched last.
        m_strCode = m_arrChosenRow.GetAt(ClickColumn());
        return;
    }
    m_strCode = m_arrChosenRow.GetAt(0);
    m_strColumn1 = m_arrChosenRow.GetAt(1);
    if (m_bExtraKeyMode) {
        const int paren = m_strColumn1.Find('(');
        m_strColumn1 = paren >= 0 ? m_strColumn1.Left(paren) : CString();
    } else if (m_strLookupKind == kYUnits) {
        int matches = 0;
        CString location;
        for (int i = 0; i < m_arrUnitsByRow.GetSize(); ++i) {
            if (m_arrUnitsByRow[i] == m_strCode) {
                ++matches;
                location = m_arrSenlocByRow.GetAt(i);
            }
        }
        m_strColumn1 = matches == 1 ? location : CString();
    }
    m_strCode.Trim();
}

void CCodeSearchList::ClearEntry() { m_strCode.Empty(); }
