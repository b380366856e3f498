#pragma once
// The one Windows-1252 codec: stored bytes become QString only at the widget boundary and go
// back to the same bytes (the en dash 0x96 shows as an en dash and is saved as 0x96).

#include "platform/CString.h"

#include <QString>
#include <string>

QString ToQString(const CString& text);
QString ToQString(const std::string& bytes);
CString FromQString(const QString& text);

// UTF-8 (as the Access reader hands out text) to Windows-1252 bytes and back. A character that
// Windows-1252 cannot hold becomes '?'.
std::string Utf8ToCp1252(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& bytes);
