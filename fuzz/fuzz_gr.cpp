// The vehicle GR importers: the first byte picks GR1 .. GR5, the rest is the file. What an import
// accepts is reported and saved as a test file that reads back to the same file.
#include "FuzzSupport.h"

#include "vehicle/VehData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::CheckGrImport<CVehData>(data, size, "12345");
    return 0;
}
