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
    if (error.alreadyTold)
        return;
    if (g_pCodeDbConnection && !g_pCodeDbConnection->Errors().empty())
        ShowCodeDbErrors();
    else if (!error.description.IsEmpty())
        TellCodeDbFailure(error.description);
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
// statement that returned no rows or failed is asked again (its message is shown once per user
// command). A group too large to keep is not kept: each check then reads its rows only as far as
// the code it looks for.
struct GroupCodes {
    std::vector<CString> codes;
    bool complete = false;
    bool tooLarge = false;
};

constexpr size_t kMostCodesKept = 100000;

struct CodeCache {
    std::weak_ptr<CodeDbConnection> connection;
    std::map<std::string, GroupCodes> groups; // statement and column: trimmed codes
};

GroupCodes* CachedCodes(const CString& key)
{
    static CodeCache cache;
    const std::shared_ptr<CodeDbConnection> current = g_pCodeDbConnection;
    if (!current)
        return nullptr;
    if (cache.connection.lock() != current) {
        cache.groups.clear();
        cache.connection = current;
    }
    return &cache.groups[key.str()];
}

} // namespace

CCodeCheck::Outcome CCodeCheck::LookupText(const CString& text, const CString& sql, const CString& column)
{
    CString wanted(text);
    wanted.Trim();
    GroupCodes* group = CachedCodes(sql + "\n" + column);
    if (group && group->complete)
        return std::find(group->codes.begin(), group->codes.end(), wanted) != group->codes.end() ? Outcome::Found
                                                                                                : Outcome::NotFound;
    try {
        auto rs = CodeDbExecute(sql);
        if (rs->IsEOF()) {
            AfxMessageBox("No Validation Data Found in the portable DB.\n\r" + sql, MB_OK);
            rs->Close();
            return Outcome::NoRows;
        }
        bool keep = group && !group->tooLarge;
        bool found = false;
        std::vector<CString> read;
        for (; !rs->IsEOF() && !(found && !keep); rs->MoveNext()) {
            CString value = rs->GetText(column);
            value.Trim();
            found = found || value == wanted;
            if (!keep)
                continue;
            if (read.size() < kMostCodesKept) {
                read.push_back(value);
            } else {
                keep = false;
                group->tooLarge = true;
                std::vector<CString>().swap(read);
            }
        }
        rs->Close();
        if (keep) {
            group->codes = std::move(read);
            group->complete = true;
        }
        return found ? Outcome::Found : Outcome::NotFound;
    } catch (const CodeDbError& error) {
        ShowCodeQueryFailure(error);
        return Outcome::Failed;
    }
}
