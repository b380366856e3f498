#pragma once
// The sections of the component test as tables on the shared section mechanism: one row per
// field of the test file, in file order, with its report label and GR column. The test-file
// writer and readers, the report and the GR imports walk these tables.

#include "common/Sections.h"

class CCompData;
class CRolloverVehicleData;

using CompSection = Section<CCompData>;
using RolloverSection = Section<CRolloverVehicleData>;

const CompSection& CompTestSection();
// A version-4 TEST line of any count but 11 carries an unread field before the temperature.
const CompSection& CompTestV4LongSection();
const CompSection& CompVehicleSection();
// The vehicle fields of a rollover test's VEHICLE line: the comments are not its last field.
const CompSection& CompVehicleRovSection();
// The rollover vehicle's own fields at the end of a rollover test's VEHICLE line.
const RolloverSection& RolloverVehicleLineSection();
const RolloverSection& RolloverSectionTable();
const CompSection& CompComponentSection();
// A rollover test's components carry fixed texts in three fields.
const CompSection& CompComponentRovSection();
const CompSection& CompConfigurationSection();
const CompSection& CompInstrumentationSection();

// A rollover test: its type is "ROV" as the test file holds it. Tabs around the type, which a
// reader keeps and the writer drops, do not make a file that reads back as another kind of test.
bool IsRolloverType(const CString& testType);

// The records of the group the section holds, up to `count`: a count never reaches records
// that the arrays do not hold.
int HeldRecords(const CCompData& data, const CompSection& section, int count);
