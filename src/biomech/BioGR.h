#pragma once
// The column layouts of the seven biomechanics GR files: GR1 the test, GR5 the instrumentation
// channels, GR6 the occupant with its ribs, GR7 the anthropometry, GR8 the occupant injuries,
// GRY the chest-band gauges, GRZ the chest bands.

#include "common/GrLayout.h"

class CBioGR1 : public GrLayout {
public:
    CBioGR1();
};

class CBioGR5 : public GrLayout {
public:
    CBioGR5();
};

class CBioGR6 : public GrLayout {
public:
    CBioGR6();
};

class CBioGR7 : public GrLayout {
public:
    CBioGR7();
};

class CBioGR8 : public GrLayout {
public:
    CBioGR8();
};

class CBioGRY : public GrLayout {
public:
    CBioGRY();
};

class CBioGRZ : public GrLayout {
public:
    CBioGRZ();
};
