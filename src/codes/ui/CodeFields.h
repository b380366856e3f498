#pragma once
// The code-table checks and searches of the pages' code fields: CCodeCheck against the field's
// code table, and the "Code Search" dialog.

#include "common/ui/DataPage.h"

class CDbCodeFields : public ICodeFields {
public:
    void Check(CNEdit& field, const char* table, const char* tag) const override;
    bool Search(const CodeSearchRequest& request, CString& code, CString* second) const override;
    using ICodeFields::Search;
    bool SearchModel(const CString& make, const char* tag, CString& model) const override;
};

// The one instance the sheets hand their pages.
const ICodeFields& DbCodeFields();
