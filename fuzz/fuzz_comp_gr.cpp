// The component GR importers: the first byte picks GR1, GR5 or GR9, the rest is the file. What an
// import accepts is reported and saved as a test file that reads back to the same file.
#include "FuzzSupport.h"

#include "component/CompData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::CheckGrImport<CCompData>(data, size, "159");
    return 0;
}
