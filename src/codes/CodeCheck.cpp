#include "codes/CodeCheck.h"

#include "platform/CodeDb.h"
#include "platform/Messages.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

void ShowCodeQueryFailure(const CodeDbError& error)
{
    if (g_pCodeDbConnection && !g_pCodeDbConnection->Errors().empty())
        ShowCodeDbErrors();
    else if (!error.description.IsEmpty())
        AfxMessageBox(error.description, MB_OK);
}

CCodeCheck::Outcome CCodeCheck::CheckText(const CString& text, const CString& codeName, const CString& tag)
{
    CString t(text);
    if (t.TrimLeft().IsEmpty())
        return Outcome::Blank;
    return LookupText(text, codesql::CodesOfGroup(codeName, tag), codeName);
}

CCodeCheck::Outcome CCodeCheck::CheckTextBySql(const CString& text, const CString& sql)
{
    CString t(text);
    if (t.TrimLeft().IsEmpty())
        return Outcome::Blank;
    CString column;
    if (!ColumnOfStatement(sql, column)) {
        AfxMessageBox("SQL statement error: code name not found.", MB_OK);
        return Outcome::BadStatement;
    }
    return LookupText(text, sql, column);
}

bool CCodeCheck::ColumnOfStatement(const CString& sql, CString& column)
{
    CString s(sql);
    s.TrimLeft();
    const int blank = s.Find(' ');
    int end = s.Find(',');
    if (end < 0)
        end = s.Find("FROM");
    if (blank < 0 || end < 0 || blank >= end)
        return false;
    column = s.Mid(blank + 1, end - blank - 1);
    const int distinct = column.Find("DISTINCT");
    if (distinct >= 0)
        column = column.Mid(distinct + 8);
    column.Trim();
    return true;
}

namespace {

// The codes each statement returned on the open connection. The code tables do not change while
// the program runs, and a page checks the same fields each time it is entered or a test is
// loaded: each statement is asked once per connection. A new connection starts afresh; a
// statement that returned no rows or failed is asked again (its message is shown each time).
struct CodeCache {
    std::weak_ptr<CodeDbConnection> connection;
    std::map<std::string, std::vector<CString>> codes; // statement and column: trimmed codes
};

std::vector<CString>* CachedCodes(const CString& key)
{
    static CodeCache cache;
    const std::shared_ptr<CodeDbConnection> current = g_pCodeDbConnection;
    if (!current)
        return nullptr;
    if (cache.connection.lock() != current) {
        cache.codes.clear();
        cache.connection = current;
    }
    return &cache.codes[key.str()];
}

} // namespace

CCodeCheck::Outcome CCodeCheck::LookupText(const CString& text, const CString& sql, const CString& column)
{
    CString wanted(text);
    wanted.Trim();
    std::vector<CString>* codes = CachedCodes(sql + "\n" + column);
    if (!codes || codes->empty()) {
        try {
            auto rs = CodeDbExecute(sql);
            if (rs->IsEOF()) {
                AfxMessageBox("No Validation Data Found in the portable DB.\n\r" + sql, MB_OK);
                rs->Close();
                return Outcome::NoRows;
            }
            std::vector<CString> read;
            for (; !rs->IsEOF(); rs->MoveNext()) {
                CString value = rs->GetText(column);
                read.push_back(value.Trim());
            }
            rs->Close();
            if (!codes)
                return std::find(read.begin(), read.end(), wanted) != read.end() ? Outcome::Found : Outcome::NotFound;
            *codes = std::move(read);
        } catch (const CodeDbError& error) {
            ShowCodeQueryFailure(error);
            return Outcome::Failed;
        }
    }
    return std::find(codes->begin(), codes->end(), wanted) != codes->end() ? Outcome::Found : Outcome::NotFound;
}
