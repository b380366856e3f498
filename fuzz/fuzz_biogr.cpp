// The biomechanics GR importers: the first byte picks GR1, GR5, GR6, GR7, GR8, GRY or GRZ, the rest
// is the file. What an import accepts is saved as a test file; values keep their padding blanks on
// import and lose them on reading, so the check starts from the file written after one reading.
#include "FuzzSupport.h"

#include "biomech/BioData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::QuietMessages();
    static const char* const kExtensions[] = {"gr1", "gr5", "gr6", "gr7", "gr8", "gry", "grz"};
    const int which = data[0] % 7;
    const std::string in = fuzz::InputFile(data + 1, size - 1, kExtensions[which]);
    CBioData imported;
    bool result = false;
    switch (which) {
    case 0:
        result = imported.ImportGR1File(in.c_str());
        break;
    case 1:
        result = imported.ImportGR5File(in.c_str());
        break;
    case 2:
        result = imported.ImportGR6File(in.c_str());
        break;
    case 3:
        result = imported.ImportGR7File(in.c_str());
        break;
    case 4:
        result = (imported.m_nInjuryCount = imported.ImportGR8File(in.c_str())) > 0;
        break;
    case 5:
        result = (imported.m_nGaugeCount = imported.ImportGRYFile(in.c_str())) > 0;
        break;
    default:
        result = (imported.m_nChestBandCount = imported.ImportGRZFile(in.c_str())) > 0;
        break;
    }
    if (!result)
        return 0;
    imported.WriteReportFile(fuzz::OutputFile("mvr").c_str());
    const std::string out = fuzz::OutputFile("mv5", 9);
    if (!imported.WriteMV5File(out.c_str()))
        return 0;
    CBioData read;
    if (!read.ReadMV5File(out.c_str()))
        fuzz::RoundTripFailed("an imported test written as .mv5 does not read back");
    fuzz::CheckBioRewrite(read);
    return 0;
}
