#pragma once
// Shared by the vehicle tests: files read and written around a CVehData.

#include "common/Convert.h"
#include "vehicle/IntrusionData.h"
#include "vehicle/VehData.h"

#include "FileSuite.h"
#include "TestUtil.h"

#include <initializer_list>
#include <string>

namespace vehtest {

using filetests::WithoutDate;

// A small hand-made test file: its head and a TEST line.
inline const std::string kHead = "# Source: hand made\r\n----- MV5 -----\r\n";
inline const std::string kTestLine = "V5|t|o|01-JAN-2000|p|c|R1|FRT|VTB|CON|DRY|20|DDA|UMB|50|0|0| |0|\r\n";

// A vehicle line of `separators` bars: number, make, then a blank field per further bar.
inline std::string VehicleLine(const std::string& number, const std::string& make, int separators = 80)
{
    std::string line = number + "|" + make;
    for (int i = 2; i <= separators; ++i)
        line += "| ";
    return line + "\r\n";
}

inline std::string Fixture(const std::string& name) { return testutil::DataPath("vehicle/" + name); }

using filetests::Lines;

// An intrusion point with its six coordinates (before x, y, z, after x, y, z).
inline void AddPoint(CIntrusionData& d, const char* vehicle, const char* point, const char* location,
                     std::initializer_list<const char*> xyz)
{
    const int n = d.m_arrPointNumber.GetSize();
    d.m_arrRecordIndex.SetAtGrow(n, IntToCString(n));
    d.m_arrVehicleNumber.SetAtGrow(n, vehicle);
    d.m_arrPointNumber.SetAtGrow(n, point);
    d.m_arrPointLocation.SetAtGrow(n, location);
    CStringArray* coordinates[] = {&d.m_arrBeforeX, &d.m_arrBeforeY, &d.m_arrBeforeZ,
                                   &d.m_arrAfterX,  &d.m_arrAfterY,  &d.m_arrAfterZ};
    int k = 0;
    for (const char* value : xyz)
        coordinates[k++]->SetAtGrow(n, value);
}

} // namespace vehtest
