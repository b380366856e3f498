// The SWG test file reader (version 4): what it accepts is saved as a version-5 file that reads
// back to the same file.
#include "FuzzSupport.h"

#include "swg/SWGData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "mv4");
    CSWGData first;
    if (!first.ReadVersion4(in.c_str()))
        return 0;
    first.WriteReport(fuzz::OutputFile("mvr").c_str());
    fuzz::CheckSettledRewrite(first);
    return 0;
}
