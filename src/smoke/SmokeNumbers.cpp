#include "smoke/SmokeNumbers.h"

#include "settings/NumberText.h"

QString NumberCaption(double value) {
    return settings::formatDouble(value);
}

double ShownNumber(const QString& caption) {
    return settings::parseNumber(caption).value_or(0.0);
}
