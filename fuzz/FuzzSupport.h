#pragma once
// What every fuzz target shares: the input written to a scratch file (the readers take paths),
// message boxes answered in silence, and the written-file comparison of the round-trip check.

#include <cstddef>
#include <cstdint>
#include <string>

class CBioData;
class CCompData;
class CVehData;

namespace fuzz {

// Writes the input to a scratch file with the given extension and returns its path. The same
// path is reused by every run of the process.
std::string InputFile(const uint8_t* data, size_t size, const char* extension);
// A second scratch path for what the writers write.
std::string OutputFile(const char* extension, int n = 0);
// Installs a message handler that shows nothing (once).
void QuietMessages();
std::string ReadAll(const std::string& path);
// The file without its "# Date:" line, which holds the moment of writing, and with every field of
// a record line trimmed: an empty field may be written "|" or " |" (a value of white space is
// trimmed to nothing), and both read as the empty text.
std::string WithoutDateLine(const std::string& text);
// True when a record line ('|' in it) also holds "----- ", which every reader takes as the end
// of its section.
bool HasMarkerInsideValues(const std::string& text);
// Stops the run with a message when a round trip did not give the same data.
[[noreturn]] void RoundTripFailed(const char* what);

// `written` is the file written from what a reader accepted: it must read back into fresh data,
// and writing those again must give the same file.
template <class Data, class Load, class Save>
void CheckRewrite(const std::string& written, const char* extension, Load load, Save save)
{
    Data second;
    if (!load(second, written))
        RoundTripFailed("a written file does not read back");
    const std::string again = OutputFile(extension, 2);
    if (!save(second, again))
        RoundTripFailed("a read-back file cannot be written");
    if (WithoutDateLine(ReadAll(written)) != WithoutDateLine(ReadAll(again)))
        RoundTripFailed("the rewritten file differs");
}

// Writes the vehicle test and checks its rewrite.
void CheckVehicleRewrite(CVehData& data);
// Writes the component test and checks its rewrite.
void CheckComponentRewrite(CCompData& data);
// Writes the biomechanics test and checks its rewrite.
void CheckBioRewrite(CBioData& data);

} // namespace fuzz
