// The crash-avoidance test file reader: any bytes give a result and messages, never a crash or a
// hang; whatever it read (all of the file or the sections before a damaged line), the writer
// writes, and the file written from reading that back is the same file.
#include "FuzzSupport.h"

#include "crashavoid/TcaData.h"

#include <sstream>

namespace {

// A record line holding "-----" ends its section when read, and one that begins with '#' is a
// comment. Written values come to that only from carriage returns inside a damaged line (the
// writer drops them); the pages refuse such values where they are typed.
bool HasValueTheReaderEndsAt(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find('|') != std::string::npos && (line.find("-----") != std::string::npos || line[0] == '#'))
            return true;
    }
    return false;
}

bool Load(CTcaData& data, const std::string& path) { return data.ReadTest(path.c_str()).ok; }

bool Save(CTcaData& data, const std::string& path) { return data.WriteTest(path.c_str()).ok; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::QuietMessages();
    const std::string in = fuzz::InputFile(data, size, "mv5");
    CTcaData first;
    const bool whole = first.ReadTest(in.c_str()).ok;
    if (!whole && first.m_Messages.size() > 1)
        fuzz::RoundTripFailed("a failed read gave more than one message");
    const std::string out1 = fuzz::OutputFile("mv5", 1);
    if (!Save(first, out1) || HasValueTheReaderEndsAt(fuzz::ReadAll(out1)))
        return 0;
    fuzz::CheckRewrite<CTcaData>(out1, "mv5", Load, Save);
    return 0;
}
