#pragma once
// Checking a coded field against the code tables of "ncodes.mdb" (the statements are
// codesql's, codes/CodeSql.h). Every query runs on the one process-wide connection.
//
// The field is anything with GetText() and SetValid(bool) (the typed edit of the pages); the
// check is written once over the field's text so that it runs without a window.

#include "codes/CodeSql.h"
#include "platform/CString.h"

struct CodeDbError;

// Tells a failed code query (TellCodeDbFailure: at the end of the action under way): each
// description in the connection's error collection, or the failure's own description when the
// collection holds none (a missing column is raised by the recordset, not the provider). An
// unopened connection has neither and tells nothing, nor does a statement skipped because its
// table failed before in the same action.
void ShowCodeQueryFailure(const CodeDbError& error);

class CCodeCheck {
public:
    // What one check came to, and so what it does to the field's valid state.
    enum class Outcome {
        Blank,        // empty field: valid, no query
        Found,        // valid
        NotFound,     // invalid
        NoRows,       // "No Validation Data Found..." shown; field unchanged
        Failed,       // database failure shown; field unchanged
        BadStatement, // "SQL statement error..." shown; field unchanged
    };

    template <class Field>
    void CheckCode(Field* field, CString codeName, CString tag)
    {
        if (field)
            Apply(field, CheckText(CString(field->GetText()), codeName, tag));
    }

    template <class Field>
    void CheckCodeBySql(Field* field, CString sql)
    {
        if (field)
            Apply(field, CheckTextBySql(CString(field->GetText()), sql));
    }

    // The code check over a text, for callers without a field.
    static Outcome CheckText(const CString& text, const CString& codeName, const CString& tag);
    // The code column of a statement: the word after SELECT (and after DISTINCT), up to the first
    // comma or FROM. False when the statement has no such word.
    static bool ColumnOfStatement(const CString& sql, CString& column);

private:
    static Outcome CheckTextBySql(const CString& text, const CString& sql);
    // Whether the trimmed text is among the codes `column` of the statement's rows.
    static Outcome LookupText(const CString& text, const CString& sql, const CString& column);

    template <class Field>
    static void Apply(Field* field, Outcome outcome)
    {
        if (outcome == Outcome::Blank || outcome == Outcome::Found)
            field->SetValid(true);
        else if (outcome == Outcome::NotFound)
            field->SetValid(false);
    }
};
