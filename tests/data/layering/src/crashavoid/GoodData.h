#pragma once
#include <QString>
#include <vector>
#include "codes/CodeCheck.h"
#include "crashavoid/TcaData.h"
