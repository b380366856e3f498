#include "swg/SWGData.h"
#include "ui/SWGPages.h"
