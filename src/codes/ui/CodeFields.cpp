#include "codes/ui/CodeFields.h"

#include "codes/CodeCheck.h"
#include "codes/CodeSql.h"
#include "codes/ui/Search.h"

#include <optional>

void CDbCodeFields::Check(CNEdit& field, const char* table, const char* tag) const
{
    CCodeCheck().CheckCode(&field, table, tag);
}

bool CDbCodeFields::Search(const CodeSearchRequest& request, CString& code, CString* second) const
{
    std::optional<CSearch> search;
    if (request.codes)
        search.emplace(nullptr, request.table, request.tag, request.codes);
    else
        search.emplace(nullptr, request.table, request.tag, request.query, FALSE);
    if (!request.testType.IsEmpty())
        search->SetTestType(request.testType);
    if (search->DoModal() != IDOK)
        return false;
    code = search->GetCode();
    if (second)
        *second = request.column == 1                              ? search->GetSecondColumn()
                  : search->ChosenRow().GetSize() > request.column ? search->ChosenRow().GetAt(request.column)
                                                                   : CString();
    return true;
}

bool CDbCodeFields::SearchModel(const CString& make, const char* tag, CString& model) const
{
    CString code;
    if (!Search({"MODEL", "", codesql::ModelsOfMake(make, tag, true)}, code, nullptr))
        return false;
    model = code.Right(2);
    return true;
}

const ICodeFields& DbCodeFields()
{
    static const CDbCodeFields codes;
    return codes;
}
