#include "swg/SWGGR.h"

// Column widths in the order of the pairs; both layouts are contiguous up to their line length.

CSWGGR1::CSWGGR1() : GrLayout(0, {2, 1, 70, 70, 9, 3, 17, 10, 3, 3, 3, 3, 3, 3, 3, 5, 6, 6, 3, 3, 3, 70}, 299) {}

// Column 0 of a GR5 line belongs to no field.
CSWGGR5::CSWGGR5() : GrLayout(1, {1, 3, 2, 2, 4, 2, 3, 5, 70, 9, 5, 3, 5, 5, 5, 6, 2, 70}, 203) {}
