#pragma once
// What every fuzz target shares: the input written to a scratch file (the readers take paths),
// message boxes answered in silence, and the written-file comparison of the round-trip check.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

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

// Writes the test (a kind's ITestFile) as .mv5 file `n` and checks that reading it and writing it
// again gives the same file.
template <class Data>
void CheckTestFileRewrite(Data& data, int n = 1)
{
    const std::string out = OutputFile("mv5", n);
    if (!data.WriteTest(out.c_str()))
        return;
    CheckRewrite<Data>(
        out, "mv5", [](Data& d, const std::string& path) { return d.ReadTest(path.c_str()).ok; },
        [](Data& d, const std::string& path) { return d.WriteTest(path.c_str()).ok; });
}

// Writes the test as .mv5 and reads it back: the file must read. One reading settles what the
// first file may hold in another form (the padding blanks a GR import keeps, values with tabs
// around them, a curve count that a damaged section left 0); from then on, writing what was read
// gives the same file.
template <class Data>
void CheckSettledRewrite(Data& data)
{
    const std::string out = OutputFile("mv5", 9);
    if (!data.WriteTest(out.c_str()))
        return;
    Data settled;
    if (!settled.ReadTest(out.c_str()))
        RoundTripFailed("a written test does not read back");
    settled.WriteReport(OutputFile("mvr").c_str());
    CheckTestFileRewrite(settled);
}

// The GR imports of a kind: the first byte picks one of `letters` (the GR files the kind takes),
// the rest is the file. What an import accepts is reported and saved as a test file that must
// read back to the same file.
template <class Data>
void CheckGrImport(const uint8_t* data, size_t size, const char* letters)
{
    if (size < 1)
        return;
    QuietMessages();
    const char n = letters[data[0] % std::strlen(letters)];
    const char extension[] = {'g', 'r', n, '\0'};
    const std::string in = InputFile(data + 1, size - 1, extension);
    Data imported;
    if (!imported.ImportGR(n, in.c_str()))
        return;
    imported.WriteReport(OutputFile("mvr").c_str());
    CheckSettledRewrite(imported);
}

} // namespace fuzz
