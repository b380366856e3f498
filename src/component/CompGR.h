#pragma once
// The column layouts of the three component GR files: GR1 the test, GR5 the instrumentation
// channels, GR9 the tested components.

#include "common/GrLayout.h"

class CCompGR1 : public GrLayout {
public:
    CCompGR1();
};

class CCompGR5 : public GrLayout {
public:
    CCompGR5();
};

class CCompGR9 : public GrLayout {
public:
    CCompGR9();
};
