// The curve-file reader: any bytes give a record with its error text, never a crash or a hang.
#include "FuzzSupport.h"

#include "common/CurveCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "001");
    CCurveCheck check;
    check.ReadCurveFile(in);
    return 0;
}
