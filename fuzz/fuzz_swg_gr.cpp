// The SWG GR imports: the first byte picks GR1 or GR5, the rest is the file. What an import
// accepts is reported and saved as a test file that reads back to the same file.
#include "SwgFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::QuietMessages();
    const bool gr1 = data[0] % 2 == 0;
    const std::string in = fuzz::InputFile(data + 1, size - 1, gr1 ? "gr1" : "gr5");
    CSWGData imported;
    const int result = gr1 ? imported.ReadGR1File(in.c_str()) : imported.ReadGR5File(in.c_str());
    if (!result)
        return 0;
    imported.WriteReportFile(fuzz::OutputFile("mvr").c_str());
    fuzz::CheckSwgRewrite(imported);
    return 0;
}
