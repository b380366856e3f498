#pragma once
// The product version the program carries (it stands where a version resource would).

#include "platform/CString.h"

// "5.17.11.9": the four numbers of the product version, "%u.%u.%u.%u".
CString GetProductVersionText();
