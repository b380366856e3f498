#pragma once
#include "platform/CString.h"
#include "vehicle/VehData.h"
