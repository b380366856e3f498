// The SWG GR imports: the first byte picks GR1 or GR5, the rest is the file. What an import
// accepts is reported and saved as a test file that reads back to the same file.
#include "FuzzSupport.h"

#include "swg/SWGData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::CheckGrImport<CSWGData>(data, size, "15");
    return 0;
}
