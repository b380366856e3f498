#include "codes/CodeCheck.h"
#include "common/ui/DataPage.h"
