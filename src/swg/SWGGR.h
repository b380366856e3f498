#pragma once
// The column layouts of the two SWG GR files: GR1 the test record, GR5 one curve per line.

#include "common/GrLayout.h"

class CSWGGR1 : public GrLayout {
public:
    CSWGGR1();
};

class CSWGGR5 : public GrLayout {
public:
    CSWGGR5();
};
