#pragma once
// The pages of the component test sheet, each a table on the page protocol:
// - "General Test Info": the TEST record; Test Type "ROV" switches the test into its rollover form.
// - "Vehicle Info": the two vehicle slots (0: a component tested without a vehicle, 1: the test
//   vehicle) chosen by the spin, the KAVRO number editor, and for a rollover test the rollover
//   entry fields, the computed values and "More Info" (the rollover vehicle dialog).
// - "Component Info", "Component Configuration Info", "Instrumentation Info": record pages whose
//   vehicle, component and configuration numbers are references checked as pairs against the
//   records they name; the instrumentation page reviews the curve files.

#include "component/ui/CompInstPage.h"
#include "component/ui/CompRecordPages.h"
#include "component/ui/CompTestPage.h"
#include "component/ui/CompVehPage.h"
