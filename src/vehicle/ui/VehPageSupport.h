#pragma once
// What the vehicle test's record pages share beyond the page protocol: the vehicle-number rule
// of the test configuration and the vehicle picker.

#include "common/ui/NEdit.h"

class CVehData;

// The tooltip of every Test Vehicle Number field.
inline constexpr const char* kVehicleNumberTip = "0->1 or 1->2, dependent on 'Test Vehicle No' of Vehicle Page";

// Whole vehicle numbers n - 1 .. n, n the vehicles of the data's test configuration; may be empty.
FieldRule VehicleNumberRule(const CVehData& data);
// Sets the field to its configuration's rule and checks its text again.
void ApplyVehicleNumberRule(CNEdit& field, const CVehData* data);

// The value a new record's vehicle number starts with: empty for a two-vehicle configuration.
const char* NewVehicleNumber(const CVehData& data);

// "VEHNO Selection" over the test's vehicles: on a choice the field takes it, marked valid.
bool PickVehicleNumber(CVehData* data, CNEdit& field);
