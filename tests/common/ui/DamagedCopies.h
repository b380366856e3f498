#pragma once
// The damaged copies of the test files that the damaged-file suite offers to every sheet, for the
// suites that look at what one of them does elsewhere.

#include <string>

namespace damagedfiles {

// The faults a copy of a fixture is given: a section left out, or its first record line given one
// separator more, one fewer, or cut in half.
enum class Fault { LeftOut, OneMore, OneFewer, CutInHalf };

// The bytes of the fixture (its name under tests/data) with the fault in the named section; an
// exception when there is no such copy.
std::string DamagedCopy(const std::string& fixture, const std::string& section, Fault fault);

} // namespace damagedfiles
