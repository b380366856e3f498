#pragma once
// The code-table database's version: the first row of DATABASE_VERSION in descending order.

#include "platform/CString.h"

// True with the version text when the table has a row; false when it has none, is missing, the
// query fails or there is no connection. Reports nothing.
bool QueryDatabaseVersion(CString& version);
