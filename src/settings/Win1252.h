#pragma once

#include <QByteArray>
#include <QString>

namespace settings {

// Files and serial frames are 8-bit; the station's earlier installations wrote
// them in the Windows-1252 code page, so every conversion goes through it.
QString fromWin1252(const QByteArray& bytes);
// Characters the code page has no place for become '?'.
QByteArray toWin1252(const QString& text);
// True when every character of the text has a place in the code page.
bool fitsWin1252(const QString& text);

} // namespace settings
