#include "common/ui/DataPage.h"

CString TooltipText(const char* text) { return text ? CString(text).Left(80) : CString(); }
