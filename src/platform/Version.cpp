#include "platform/Version.h"

#include <cstdio>

CString GetProductVersionText()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (std::sscanf(MORVEL_PRODUCT_VERSION, "%u.%u.%u.%u", &a, &b, &c, &d) != 4)
        return CString();
    CString text;
    text.Format("%u.%u.%u.%u", a, b, c, d);
    return text;
}
