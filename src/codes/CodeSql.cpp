#include "codes/CodeSql.h"

#include "platform/CodeDb.h"

namespace codesql {

CString CodesOfGroup(const CString& codeName, const CString& tag)
{
    return "SELECT " + codeName + " FROM KAVRODB_" + codeName + " WHERE REFERENCE LIKE '%" + SqlQuote(tag) +
           "%' ORDER BY " + codeName;
}

CString CodeRowsOfGroup(const CString& codeName, const CString& reference)
{
    return "SELECT " + codeName + ", " + codeName + "D, " + codeName + "_COMMENT FROM KAVRODB_" + codeName +
           " WHERE REFERENCE LIKE '%" + SqlQuote(reference) + "%' ORDER BY " + codeName;
}

CString UnitsOfAttachment(const CString& attachment)
{
    return "SELECT DISTINCT UNITS FROM SENATTCODE1 WHERE SENATT LIKE '%" + SqlQuote(attachment) + "%' ORDER BY UNITS ";
}

CString LocationsOfAttachmentAndUnit(const CString& attachment, const CString& unit)
{
    return CString("SELECT DISTINCT SENLOC FROM SENATTCODE1 ") + "WHERE SENATT LIKE '%" + SqlQuote(attachment) +
           "%' AND UNITS LIKE '%" + SqlQuote(unit) + "%'" + " ORDER BY SENLOC ";
}

CString SensorTypesOfUnit(const CString& unit)
{
    return "SELECT DISTINCT SENTYP FROM SENTYPCODE WHERE UNITS LIKE '%" + SqlQuote(unit) +
           "%'OR UNITS LIKE '%ALL%' ORDER BY SENTYP";
}

CString SensorTypeRowsOfUnit(const CString& unit)
{
    return "SELECT SENTYP,SENTYPD,SENTYP_COMMENT FROM SENTYPCODE WHERE UNITS LIKE '%" + SqlQuote(unit) +
           "%'OR UNITS LIKE '%ALL%' ORDER BY SENTYP";
}

CString AttachmentsOfUnit(const CString& unit)
{
    return "SELECT SENATT,SENLOC,SENATTD,SENATT_COMMENT FROM SENATTCODE1 WHERE UNITS LIKE '%" + SqlQuote(unit) +
           "%' ORDER BY SENATT";
}

CString ModelsOfMake(const CString& make, const CString& tag, bool anywhere)
{
    return CString("SELECT MODEL,MODELD,MODEL_COMMENT FROM KAVRODB_MODEL WHERE MAKE LIKE '") + (anywhere ? "%" : "") +
           SqlQuote(make) + "%' AND REFERENCE LIKE '%" + SqlQuote(tag) + "%' ORDER BY MODEL";
}

CString ChannelTypeRowsOfGroup(const CString& codeName, const CString& reference)
{
    const CString& t = codeName;
    return "SELECT " + t + ", " + t + "D, " + t + "_COMMENT, ISOSI, UNITS FROM KAVRODB_" + t +
           " WHERE REFERENCE LIKE '%" + SqlQuote(reference) + "%' ORDER BY " + t;
}

CString CodeRowsOfList(const CString& codeName, const CString& reference, const CStringArray& codes, bool either)
{
    const CString& t = codeName;
    CString in = t + " IN (";
    for (int i = 0; i < codes.GetSize(); ++i)
        in += CString(i ? ",'" : "'") + SqlQuote(codes.GetAt(i)) + "'";
    in += ")";
    return "SELECT " + t + ", " + t + "D, " + t + "_COMMENT FROM KAVRODB_" + t + " WHERE REFERENCE LIKE '%" +
           SqlQuote(reference) + (either ? "%' OR " : "%' AND ") + in + " ORDER BY " + t;
}

CString AttachmentRows() { return "SELECT DISTINCT SENATT,SENATTD,SENATT_COMMENT FROM SENATTCODE1 ORDER BY SENATT"; }

CString LocationUnitsOfAttachment(const CString& attachment)
{
    return "SELECT SENLOC, UNITS, SENATTD FROM SENATTCODE1 WHERE SENATT LIKE '%" + SqlQuote(attachment) +
           "%' ORDER BY UNITS ";
}

CString MetricUnitRows()
{
    return "SELECT UNITS,UNITSD,MEASUREMENT_TYPE FROM KAVRODB_UNITS WHERE MEASUR = 'MET' ORDER BY UNITS ";
}

CString DatabaseVersions() { return "SELECT DATABASE_VERSION FROM DATABASE_VERSION ORDER BY DATABASE_VERSION DESC"; }

} // namespace codesql
