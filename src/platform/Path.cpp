#include "platform/Path.h"

#include "platform/Codec.h"

#include <QFile>

CString PathFromQString(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return CString(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

QString PathToQString(const CString& path)
{
    const std::string& bytes = path.str();
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

CString PathForMessage(const CString& path) { return FromQString(PathToQString(path)); }
