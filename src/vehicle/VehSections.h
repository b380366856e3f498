#pragma once
// The sections of the vehicle test as tables of their fields on the shared section mechanism
// (common/Sections.h). One row per field of the test file, in file order: its position, the
// member that holds it, its report label, the code the writer fills into an empty field and the
// GR column it is imported from. The test-file writer and readers, the report and the GR import
// all walk these tables.

#include "common/Sections.h"

class CVehData;

// Record numbers of the test files have at most three digits (curve files .001 to .999); a
// test has at most two vehicles.
constexpr int kMaxVehRecords = kMaxSectionRecords;
constexpr int kMaxVehicles = 2;

using VehField = SectionField<CVehData>;
using VehSection = Section<CVehData>;

const VehSection& TestSectionTable();
const VehSection& VehicleSectionTable();
const VehSection& BarrierSectionTable();
const VehSection& OccupantSectionTable();
const VehSection& RestraintSectionTable();
const VehSection& InstrumentationSectionTable();
