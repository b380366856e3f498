#include "FuzzSupport.h"

#include "platform/Messages.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fuzz {
namespace {
std::string ScratchDir()
{
    // Kept for the life of the process: the exit handler that removes the folder needs it.
    static const std::string* dir = [] {
        const char* base = std::getenv("TMPDIR");
        auto* d = new std::string(std::string(base && *base ? base : "/tmp") + "/morvel-fuzz-" +
                                  std::to_string(::getpid()));
        std::filesystem::create_directories(*d);
        return d;
    }();
    return *dir;
}
} // namespace

std::string InputFile(const uint8_t* data, size_t size, const char* extension)
{
    const std::string path = ScratchDir() + "/input." + extension;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

std::string OutputFile(const char* extension, int n)
{
    return ScratchDir() + "/output" + std::to_string(n) + "." + extension;
}

void QuietMessages()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    platform::SetMessageHandler([](const platform::MessageRequest& r) { return platform::DefaultAnswer(r.type); });
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(ScratchDir(), ec);
    });
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string WithoutDateLine(const std::string& text)
{
    std::string out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("# Date:", 0) == 0)
            continue;
        if (line.find('|') != std::string::npos) {
            std::string fields;
            size_t start = 0;
            for (;;) {
                const size_t bar = line.find('|', start);
                std::string field = line.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
                const size_t first = field.find_first_not_of(" \t\r\v\f");
                const size_t last = field.find_last_not_of(" \t\r\v\f");
                fields += first == std::string::npos ? std::string() : field.substr(first, last - first + 1);
                if (bar == std::string::npos)
                    break;
                fields += '|';
                start = bar + 1;
            }
            line = fields;
        }
        out += line;
        out += '\n';
    }
    return out;
}

bool HasMarkerInsideValues(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find('|') != std::string::npos && line.find("----- ") != std::string::npos)
            return true;
    }
    return false;
}

void RoundTripFailed(const char* what)
{
    std::fprintf(stderr, "round trip gave other data: %s\n", what);
    std::abort();
}

} // namespace fuzz
