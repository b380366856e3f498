#include "platform/Codec.h"

#include <QList>

namespace {

// Unicode of the bytes 0x80..0x9F; 0 where Windows-1252 leaves the byte undefined (those map to
// the C1 control of the same value so that the byte still survives the round trip).
const char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t Decode(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return kHigh[b - 0x80] ? kHigh[b - 0x80] : b;
    return b;
}

int Encode(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<int>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u || (kHigh[i] == 0 && u == static_cast<char32_t>(0x80 + i)))
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString ToQString(const std::string& bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char b : bytes)
        out.append(QChar(Decode(b)));
    return out;
}

QString ToQString(const CString& text) { return ToQString(text.str()); }

CString FromQString(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const uint u : text.toUcs4()) {
        const int b = Encode(u);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return CString(std::move(out));
}

std::string Utf8ToCp1252(const std::string& utf8)
{
    return FromQString(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))).str();
}

std::string Cp1252ToUtf8(const std::string& bytes)
{
    return ToQString(bytes).toUtf8().toStdString();
}
