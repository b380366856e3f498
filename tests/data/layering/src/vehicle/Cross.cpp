#include "vehicle/VehData.h"
#include "biomech/BioData.h"
