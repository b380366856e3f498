#include "biomech/BioGR.h"

// Column widths in the order of the pairs; every layout but GR7 is contiguous up to its line
// length.

CBioGR1::CBioGR1()
    : GrLayout(0, {2, 1, 70, 70, 9, 3, 17, 10, 3, 3, 3, 3, 3, 3, 3, 5, 3, 6, 6, 3, 3, 70}, 299)
{
}

CBioGR5::CBioGR5() : GrLayout(1, {1, 3, 2, 2, 4, 2, 3, 5, 70, 9, 5, 3, 5, 5, 5, 6, 2, 70}, 203) {}

CBioGR6::CBioGR6()
    : GrLayout(1,
               {1, 2, 2, 1, 3, 3, 70, 2, 2, 5, 7, 7, 2, 2, 70, 70, 70, // to the dummy description
                2, 3, 2, 2, 10, 2, 9, 70, 70, 3, 70, 3, 3, 3,         // to the pulmonary pressurization
                3, 12, 6, 6, 6, 5, 5, 6, 6,                           // rib 1
                3, 12, 6, 6, 6, 5, 5, 6, 6,                           // rib 2
                3, 12, 6, 6, 6, 5, 5, 6, 6,                           // rib 3
                3, 12, 6, 6, 6, 5, 5, 6, 6,                           // rib 4
                70},
               862)
{
}

// The 38 measurements stand in 38 columns of five from column 4 on; the file's pairs list the
// last six in another order.
CBioGR7::CBioGR7()
    : GrLayout({{1, 1},   {2, 2},   {4, 5},   {9, 5},   {14, 5},  {19, 5},  {24, 5},  {29, 5},  {34, 5},  {39, 5},
                {44, 5},  {49, 5},  {54, 5},  {59, 5},  {64, 5},  {69, 5},  {74, 5},  {79, 5},  {84, 5},  {89, 5},
                {94, 5},  {99, 5},  {104, 5}, {109, 5}, {114, 5}, {119, 5}, {124, 5}, {129, 5}, {134, 5}, {139, 5},
                {144, 5}, {149, 5}, {154, 5}, {159, 5}, {179, 5}, {184, 5}, {164, 5}, {169, 5}, {174, 5}, {189, 5}},
               194)
{
}

CBioGR8::CBioGR8() : GrLayout(1, {1, 2, 1, 1, 1, 1, 1, 70}, 79) {}

CBioGRY::CBioGRY() : GrLayout(1, {2, 2, 5, 3}, 13) {}

CBioGRZ::CBioGRZ() : GrLayout(1, {2, 5, 5, 5, 4, 4, 3, 5, 3, 5, 2}, 44) {}
