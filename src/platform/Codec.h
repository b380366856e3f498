#pragma once
// The one Windows-1252 codec: stored bytes become QString only at the widget boundary and go
// back to the same bytes (the en dash 0x96 shows as an en dash and is saved as 0x96). The byte
// mapping itself is the code-table text's (CodeDbText.h).

#include "platform/CString.h"

#include <QString>
#include <string>

QString ToQString(const CString& text);
QString ToQString(const std::string& bytes);
CString FromQString(const QString& text);
// Whether every character of `text` has a byte in Windows-1252; FromQString writes "?" for one
// that has none, so a field holding one must not be taken.
bool FitsCodePage(const QString& text);
