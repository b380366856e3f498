#pragma once
// File names are the file system's own bytes (UTF-8 on Linux), never Windows-1252 text: a name
// goes from the file dialog to the file untouched and back. Only where a name is shown inside a
// message (whose text is Windows-1252, like every stored text) is it turned into that text.

#include "platform/CString.h"

#include <QString>

// The name as the file system spells it, from a dialog's or Qt's QString.
CString PathFromQString(const QString& path);
// The name for a Qt call or a widget.
QString PathToQString(const CString& path);
// The name as readable Windows-1252 text, for a message; a letter that code page lacks shows as '?'.
CString PathForMessage(const CString& path);
