#include "component/ui/CompPageSupport.h"

#include <cmath>

CString RealText(double value)
{
    if (!std::isfinite(value))
        return CString();
    CString text;
    text.Format("%.2lf", value);
    return text;
}
