// The biomechanics GR importers: the first byte picks GR1, GR5, GR6, GR7, GR8, GRY or GRZ, the
// rest is the file. What an import accepts is reported and saved as a test file that reads back
// to the same file.
#include "FuzzSupport.h"

#include "biomech/BioData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::CheckGrImport<CBioData>(data, size, "15678yz");
    return 0;
}
