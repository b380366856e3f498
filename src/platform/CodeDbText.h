#pragma once
// Text of the code-table databases. The program holds Windows-1252 bytes; the SQLite files hold
// UTF-8. Code-table files written by older tools may still hold Windows-1252 bytes in their text:
// a byte that does not start a valid UTF-8 sequence is read as the Windows-1252 character it is,
// so such files answer look-ups and show their text as before.
//
// No Qt here: the build tools and the Access converter use it too.

#include <string>
#include <string_view>

namespace codedbtext {

// One Windows-1252 byte as Unicode, and back (-1: not in Windows-1252). The bytes Windows-1252
// leaves undefined stand for the C1 control of the same value, so they survive the round trip.
char32_t FromCp1252(unsigned char byte);
int ToCp1252(char32_t c);

// The next character of a UTF-8 text at `pos` (advanced past it); a byte that starts no valid
// sequence is one Windows-1252 character.
char32_t NextChar(std::string_view text, size_t& pos);

// Windows-1252 bytes to UTF-8 (each byte one character).
std::string Cp1252ToUtf8(std::string_view bytes);
// UTF-8 (or stray Windows-1252 bytes, as above) back to Windows-1252; a character Windows-1252
// cannot hold becomes '?'.
std::string Utf8ToCp1252(std::string_view text);
// Whether the text is UTF-8 throughout.
bool IsUtf8(std::string_view text);

// The contract between the program and morvel-mdbconvert, which converts a genuine Access file
// into an SQLite file: its exit codes, and the user_version it gives a finished conversion (a
// cached file without it is not trusted).
enum ConverterExit {
    kConverted = 0,
    kUnreadable = 1, // not an Access file, or damaged
    kUsage = 2,
    kCannotWrite = 3, // the SQLite file could not be written
    kCannotRun = 127, // the converter could not be started
};
constexpr int kConversionFormat = 0x4D560001;

} // namespace codedbtext
