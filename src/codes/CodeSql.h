#pragma once
// Every statement the program runs over the code tables, in one place. Every value pasted into
// a quoted literal has its quotes doubled, so a make, unit or attachment such as G'S neither
// breaks nor changes the statement.

#include "platform/CString.h"

namespace codesql {

// "SELECT T FROM KAVRODB_T WHERE REFERENCE LIKE '%G%' ORDER BY T": every code of one group.
CString CodesOfGroup(const CString& codeName, const CString& tag);
// "SELECT T, TD, T_COMMENT FROM KAVRODB_T WHERE REFERENCE LIKE '%R%' ORDER BY T": the rows of the
// code search list.
CString CodeRowsOfGroup(const CString& codeName, const CString& reference);
// The units an attachment may measure (SENATTCODE1).
CString UnitsOfAttachment(const CString& attachment);
// The sensor locations of an attachment and unit (SENATTCODE1).
CString LocationsOfAttachmentAndUnit(const CString& attachment, const CString& unit);
// The sensor types that measure a unit, or every unit (SENTYPCODE).
CString SensorTypesOfUnit(const CString& unit);
// The code search rows of the sensor types that measure a unit, or every unit (SENTYPCODE).
CString SensorTypeRowsOfUnit(const CString& unit);
// The attachments of a unit with their locations, for the two-stage attachment search.
CString AttachmentsOfUnit(const CString& unit);
// The models of a make in one group; anywhere: the make may stand anywhere in MAKE (vehicle
// pages), else MAKE must begin with it (component pages).
CString ModelsOfMake(const CString& make, const CString& tag, bool anywhere);

// The code search rows of a group, with the ISO/SI flag and the units (the channel types).
CString ChannelTypeRowsOfGroup(const CString& codeName, const CString& reference);
// The code search rows of the codes of a list: those of the group (`either` false) or those of
// the group together with every code of the list (`either` true).
CString CodeRowsOfList(const CString& codeName, const CString& reference, const CStringArray& codes, bool either);
// Every attachment with its description and comment (SENATTCODE1).
CString AttachmentRows();
// The locations and units of an attachment (SENATTCODE1), in unit order.
CString LocationUnitsOfAttachment(const CString& attachment);
// The metric units with their descriptions and measurement types.
CString MetricUnitRows();
// The code-table database's versions, the latest first.
CString DatabaseVersions();

} // namespace codesql
