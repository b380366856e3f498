#include "app/ChooseDB.h"
#include "vehicle/ui/VehPages.h"
#include "swg/ui/SWGPages.h"
#include "crashavoid/TcaData.h"
