// The vehicle test file reader (version 5): any bytes give messages and a result; what it
// accepts, the writer writes, and the file written from reading that back is the same file.
#include "FuzzSupport.h"

#include "vehicle/VehData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "mv5");
    CVehData first;
    if (!first.ReadTest(in.c_str()))
        return 0;
    first.WriteReport(fuzz::OutputFile("mvr").c_str());
    fuzz::CheckTestFileRewrite(first);
    return 0;
}
