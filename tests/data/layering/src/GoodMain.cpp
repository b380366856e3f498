#include "app/MorvelApp.h"
