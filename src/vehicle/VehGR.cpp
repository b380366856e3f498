#include "vehicle/VehGR.h"

// Column widths in the order of the pairs; every layout is contiguous up to its line length.

CVehGR1::CVehGR1()
    : GrLayout(0,
               {2, 1, 70, 70, 9, 3, 17, 10, 3, 3, 3, 3, 3, 3, 3, 5, 3, 6, 6, 3, 3, 70},
               299)
{
}

CVehGR2::CVehGR2()
    : GrLayout(1,
               {1, 2, 2, 2, 2, 20, 4, 12, 2, 5, 6, 6, 5, 5, 2, 3, 1, 70,
                6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, // BX1 .. BX21
                5, 3, 3, 2, 2, 2,
                5, 5, 5, 5, 5, 5, // damage profile 1 .. 6
                7, 6, 5, 5,
                6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, // AX1 .. AX21
                3, 3, 70},
               549)
{
}

CVehGR3::CVehGR3() : GrLayout(1, {1, 3, 3, 5, 70}, 83) {}

CVehGR4::CVehGR4()
    : GrLayout(1,
               {1, 2, 2, 2, 1, 3, 3, 2, 2, 70, 70, 70,
                5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, // the thirteen distances
                3, 3, 70, 2, 2, 2, 2, 2, 2, 2, 2, 5, 7, 7, 5, 5, 5, 5, 5, 5, 70},
               505)
{
}

CVehGR5::CVehGR5()
    : GrLayout(1, {1, 3, 2, 2, 4, 2, 3, 5, 70, 9, 5, 3, 5, 5, 5, 6, 2, 70}, 203)
{
}
