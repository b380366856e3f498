#pragma once
// The sections of the biomechanics test as tables of their fields on the shared section
// mechanism (common/Sections.h): one row per field of the version-5 line, in file order, with
// the member, the report label and the GR column. The two occupant lines of version 4 have an
// order of their own and tables of their own.

#include "common/Sections.h"

class CBioData;

using BioField = SectionField<CBioData>;
using BioSection = Section<CBioData>;

const BioSection& BioTestSection();
const BioSection& DummyOccupantSection();
const BioSection& BioOccupantSection();
const BioSection& AnthropometrySection();
const BioSection& RibSection();
const BioSection& InjurySection();
const BioSection& BioRestraintSection();
const BioSection& ChestBandSection();
const BioSection& GaugeSection();
const BioSection& BioInstrumentationSection();
const BioSection& DummyOccupantV4Section();
const BioSection& BioOccupantV4Section();

// The ribs of a version-4 biological occupant line: four blocks of nine fields from field 19 on.
constexpr int kV4RibFirstField = 19;
// The ribs of a GR6 line: four blocks of nine columns from pair 31 on.
constexpr int kGr6RibFirstPair = 31;
constexpr int kRibsPerOccupantLine = 4;
