#include "platform/Codec.h"

#include "platform/CodeDbText.h"

#include <QList>

QString ToQString(const std::string& bytes)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char b : bytes)
        out.append(QChar(static_cast<char16_t>(codedbtext::FromCp1252(b))));
    return out;
}

QString ToQString(const CString& text) { return ToQString(text.str()); }

CString FromQString(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const uint u : text.toUcs4()) {
        const int b = codedbtext::ToCp1252(u);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return CString(std::move(out));
}

bool FitsCodePage(const QString& text)
{
    for (const uint u : text.toUcs4()) {
        if (codedbtext::ToCp1252(u) < 0)
            return false;
    }
    return true;
}
