#pragma once
#include "../platform/CString.h"
