#pragma once

#include <QString>

// What the limits windows tell the operator about an entry they refuse.
namespace settings {

// "<field>: ..." in the station's language (1 Italian, 2 English, 3 Spanish;
// anything else Italian). The language table has no text for it.
QString NotANumberMessage(const QString& field, int languageCode);

} // namespace settings
