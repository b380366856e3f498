#include "codes/DatabaseVersion.h"

#include "codes/CodeSql.h"
#include "platform/CodeDb.h"

bool QueryDatabaseVersion(CString& version)
{
    version.Empty();
    try {
        auto rs = CodeDbExecute(codesql::DatabaseVersions());
        if (rs->IsEOF())
            return false;
        version = rs->GetText("DATABASE_VERSION");
        rs->Close();
        return true;
    } catch (const CodeDbError&) {
        version.Empty();
        return false;
    }
}
