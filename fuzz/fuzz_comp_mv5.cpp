// The component test file reader (version 5): what it accepts is saved, read back and saved again
// to the same file; the report of it is written as well.
#include "FuzzSupport.h"

#include "component/CompData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "mv5");
    CCompData first;
    if (!first.ReadTest(in.c_str()))
        return 0;
    first.WriteReport(fuzz::OutputFile("mvr").c_str());
    fuzz::CheckTestFileRewrite(first);
    return 0;
}
