#include "settings/NumberEntry.h"

namespace settings {

QString NotANumberMessage(const QString& field, int languageCode) {
    switch (languageCode) {
    case 2: return field + QStringLiteral(": not a valid number");
    case 3: return field + QString::fromUtf8(": valor numérico no válido");
    default: return field + QStringLiteral(": valore numerico non valido");
    }
}

} // namespace settings
