// The component GR importers: the first byte picks GR1, GR5 or GR9, the rest is the file. What an
// import accepts is saved as a test file; values keep their padding blanks on import and lose
// them on reading, so the check starts from the file written after one reading.
#include "FuzzSupport.h"

#include "component/CompData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::QuietMessages();
    static const char* const kExtensions[] = {"gr1", "gr5", "gr9"};
    const int which = data[0] % 3;
    const std::string in = fuzz::InputFile(data + 1, size - 1, kExtensions[which]);
    CCompData imported;
    int result = 0;
    switch (which) {
    case 0:
        result = imported.ReadGR1File(in.c_str());
        break;
    case 1:
        result = imported.ReadGR5File(in.c_str());
        break;
    default:
        // As the sheet stores it.
        result = imported.ReadGR9File(in.c_str());
        if (result > 0)
            imported.m_nComponentCount = result;
        break;
    }
    if (!result)
        return 0;
    imported.WriteReportFile(fuzz::OutputFile("mvr").c_str());
    const std::string out = fuzz::OutputFile("mv5", 9);
    if (!imported.WriteMV5File(out.c_str()))
        return 0;
    CCompData read;
    if (!read.ReadMV5File(out.c_str()))
        fuzz::RoundTripFailed("an imported test written as .mv5 does not read back");
    fuzz::CheckComponentRewrite(read);
    return 0;
}
