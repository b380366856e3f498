#include "component/ui/CompPageSupport.h"

#include "common/Convert.h"

#include <cmath>

CString RealText(double value)
{
    if (!std::isfinite(value))
        return CString();
    // Rounded as the test file rounds (half away from zero), so the page shows what is saved:
    // printf's own rounding would give -1.25 for a stored -1.255 the file writes as -1.26.
    CString text;
    text.Format("%.2lf", RoundTo(value, 2));
    return text;
}
