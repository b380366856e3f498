#pragma once
// The four channels of the test beside the curve files in tests/data/curves: curves 1, 2 and 4
// and a curve 9 past the last channel. Channel 1 agrees with its curve, channel 2 gives a wrong
// last point, channel 3 has no curve file and curve 4 has a damaged line.

#include "platform/CString.h"

namespace testutil {

inline void FillCurveChannels(CStringArray& first, CStringArray& last, CStringArray& step)
{
    const char* values[][3] = {{"", "", ""}, {"-2", "2", "1000"}, {"-2", "3", "1000"}, {"0", "9", "1"},
                               {"-2", "2", "1000"}};
    for (auto& v : values) {
        first.Add(v[0]);
        last.Add(v[1]);
        step.Add(v[2]);
    }
}

} // namespace testutil
