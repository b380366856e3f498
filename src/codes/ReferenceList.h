#pragma once
// The rows of the "VEHNO Selection" picker, without a window: the vehicles of the open test with
// their make, model, year, KAVRO number and comments, read from the test data's arrays.

#include "codes/CodeSearch.h"

#include <array>
#include <vector>

class CReferenceList {
public:
    enum Mode { VehicleTest = 0, ComponentTest = 1 };

    // The sources of list columns 1 to 5, indexed by vehicle record number; owned by the test.
    using Sources = std::array<const CStringArray*, 5>;

    // The six columns of a mode; an unknown mode has the columns of a vehicle test.
    static std::vector<SearchColumn> Columns(int mode);
    // Mode 0: the vehicle test's `vehicleCount` vehicles (a one-vehicle test with the barrier row
    // "0" before its vehicle); mode 1: the component test's records 0 and 1; any other mode: no
    // row.
    static std::vector<SearchRow> Rows(int mode, int vehicleCount, const Sources& sources);
};
