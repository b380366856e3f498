// The SWG test file reader (version 5): any bytes give messages and a result; what it accepts
// is reported and written, and the written file reads back to the same file.
#include "FuzzSupport.h"

#include "swg/SWGData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "mv5");
    CSWGData first;
    if (!first.ReadTest(in.c_str()))
        return 0;
    first.WriteReport(fuzz::OutputFile("mvr").c_str());
    fuzz::CheckSettledRewrite(first);
    return 0;
}
