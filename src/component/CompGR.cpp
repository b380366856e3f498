#include "component/CompGR.h"

// Column widths in the order of the pairs; every layout is contiguous up to its line length.

CCompGR1::CCompGR1() : GrLayout(2, {1, 70, 70, 9, 3, 17, 25, 10, 3, 3, 3, 3, 3, 3, 70}, 295) {}

CCompGR5::CCompGR5() : GrLayout(1, {1, 3, 1, 2, 4, 2, 3, 5, 70, 9, 5, 3, 5, 5, 5, 6, 2, 70}, 202) {}

CCompGR9::CCompGR9()
    : GrLayout(1, {1, 4, 2, 1, 70, 6, 5, 6, 6, 2, 2, 2, 2, 20, 1, 2, 2, 70, 70, 70, 70}, 415)
{
}
