#pragma once
// KAVRO test numbers: the owning agency's number of a vehicle test. Long form O YYYY MM NN
// (office letter, model year, manufacturer code, test order), short form O Y MM NN with a
// one-character year code. The check needs no window, so the vehicle pages validate typed
// numbers with it directly.

#include "platform/CString.h"

namespace kavro {

// First character one of the office letters C, D, M, O, P, Q, R (upper case only).
bool IsOfficeValid(const CString& number);
// Four-digit model year of a long number, the decoded year of a short one, else empty.
CString GetModelYear(const CString& number);
// The last four characters are the manufacturer code (01-14, 41-49, 51-59) and the test order.
bool IsMakerAndOrderValid(const CString& number);
bool CheckNumber(const CString& number);

// Year code of the short form: 1-9 are 2001-2009, A-L are 2010-2021; 0 for any other character.
int DecodeYearCode(char code);

// The lists of the test-number editor, as Windows-1252 bytes (0x96 is the en dash).
constexpr int kOfficeCount = 7;
extern const char* const kOfficeRows[kOfficeCount];
constexpr int kMakerCount = 32;
extern const char* const kMakerRows[kMakerCount];
constexpr int kDefaultOffice = 2; // M, rulemaking

} // namespace kavro
