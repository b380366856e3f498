#include "platform/CodeDbText.h"

namespace codedbtext {
namespace {

// Unicode of the bytes 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined (those stand
// for the C1 control of the same value, so the byte survives the round trip).
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t u)
{
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Length of the valid UTF-8 sequence at pos and its character, or 0.
size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& out)
{
    const auto b0 = static_cast<unsigned char>(text[pos]);
    size_t len;
    char32_t u;
    if (b0 < 0x80) {
        out = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        u = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        u = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        u = b0 & 0x07;
    } else {
        return 0;
    }
    if (pos + len > text.size())
        return 0;
    for (size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        u = (u << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    if ((len == 3 && u < 0x800) || (len == 4 && (u < 0x10000 || u > 0x10FFFF)) || (u >= 0xD800 && u <= 0xDFFF))
        return 0;
    out = u;
    return len;
}

} // namespace

char32_t FromCp1252(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80])
        return kHigh[b - 0x80];
    return b;
}

int ToCp1252(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<int>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u || (kHigh[i] == 0 && u == static_cast<char32_t>(0x80 + i)))
            return 0x80 + i;
    }
    return -1;
}

char32_t NextChar(std::string_view text, size_t& pos)
{
    char32_t u = 0;
    const size_t len = DecodeUtf8(text, pos, u);
    if (len) {
        pos += len;
        return u;
    }
    return FromCp1252(static_cast<unsigned char>(text[pos++]));
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        AppendUtf8(out, FromCp1252(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const int b = ToCp1252(NextChar(text, pos));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool IsUtf8(std::string_view text)
{
    char32_t u;
    for (size_t pos = 0; pos < text.size();) {
        const size_t len = DecodeUtf8(text, pos, u);
        if (!len)
            return false;
        pos += len;
    }
    return true;
}

} // namespace codedbtext
