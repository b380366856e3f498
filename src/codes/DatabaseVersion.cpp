#include "codes/DatabaseVersion.h"

#include "platform/CodeDb.h"

bool QueryDatabaseVersion(CString& version)
{
    version.Empty();
    try {
        auto rs = CodeDbExecute("SELECT DATABASE_VERSION FROM DATABASE_VERSION ORDER BY DATABASE_VERSION DESC");
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
