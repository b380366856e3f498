// The vehicle GR importers: the first byte picks GR1 .. GR5, the rest is the file. What an import
// accepts is saved as a test file; values keep their padding blanks on import and lose them on
// reading, so the check starts from the file written after one reading.
#include "FuzzSupport.h"

#include "vehicle/VehData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::QuietMessages();
    const int which = data[0] % 5 + 1;
    const char extension[] = {'g', 'r', static_cast<char>('0' + which), '\0'};
    const std::string in = fuzz::InputFile(data + 1, size - 1, extension);
    CVehData imported;
    int result = 0;
    switch (which) {
    case 1:
        result = imported.ImportGR1(in.c_str());
        break;
    case 2:
        result = imported.ImportGR2(in.c_str());
        break;
    case 3:
        result = imported.ImportGR3(in.c_str());
        break;
    case 4:
        result = imported.ImportGR4(in.c_str());
        break;
    default:
        result = imported.ImportGR5(in.c_str());
        break;
    }
    if (!result)
        return 0;
    imported.WriteReportFile(fuzz::OutputFile("mvr").c_str());
    const std::string out = fuzz::OutputFile("mv5", 9);
    if (!imported.WriteTestFile(out.c_str()))
        return 0;
    CVehData read;
    if (!read.ReadTestFile(out.c_str()))
        fuzz::RoundTripFailed("an imported test written as .mv5 does not read back");
    fuzz::CheckVehicleRewrite(read);
    return 0;
}
