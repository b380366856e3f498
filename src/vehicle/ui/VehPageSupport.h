#pragma once
// What the vehicle test's record pages share beyond the page protocol: the vehicle-number rule
// of the test configuration, the vehicle picker and the record index box of the restraint and
// intrusion pages.

#include "common/ui/DataPage.h"
#include "common/ui/NEdit.h"
#include "platform/ui/Dialog.h"

#include <vector>

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

// The record index box at the right of the restraint and intrusion pages: `group` caption, list,
// "x" with its caption, ">" and the retain check box.
void AddVehicleRecordBox(std::vector<DlgItem>& items, const char* group, RecordControls controls);
