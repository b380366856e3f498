// The SWG test file reader (version 5): any bytes give messages and a result; what it accepts
// is reported and written, and the written file reads back to the same file.
#include "SwgFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "mv5");
    CSWGData first;
    if (!first.ReadTestFileV5(in.c_str()))
        return 0;
    first.WriteReportFile(fuzz::OutputFile("mvr").c_str());
    fuzz::CheckSwgRewrite(first);
    return 0;
}
