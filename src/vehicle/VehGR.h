#pragma once
// The column layouts of the five vehicle GR files: GR1 the test, GR2 the vehicles, GR3 the
// barrier, GR4 the occupants, GR5 the instrumentation channels.

#include "common/GrLayout.h"

class CVehGR1 : public GrLayout {
public:
    CVehGR1();
};

class CVehGR2 : public GrLayout {
public:
    CVehGR2();
};

class CVehGR3 : public GrLayout {
public:
    CVehGR3();
};

class CVehGR4 : public GrLayout {
public:
    CVehGR4();
};

class CVehGR5 : public GrLayout {
public:
    CVehGR5();
};
