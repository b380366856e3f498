#include "codes/ui/CodeFields.h"

#include "codes/CodeCheck.h"
#include "codes/ui/Search.h"

void CDbCodeFields::Check(CNEdit& field, const char* table, const char* tag) const
{
    CCodeCheck().CheckCode(&field, table, tag);
}

bool CDbCodeFields::Search(const char* table, const char* tag, CString& code) const
{
    CSearch search(nullptr, table, tag, "", FALSE);
    if (search.DoModal() != IDOK)
        return false;
    code = search.GetCode();
    return true;
}

const ICodeFields& DbCodeFields()
{
    static const CDbCodeFields codes;
    return codes;
}
