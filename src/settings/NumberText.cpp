#include "settings/NumberText.h"

#include <QLocale>

#include <cmath>

namespace settings {

namespace {

QString formatGeneral(double value, int significantDigits) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString text = QLocale().toString(value, 'g', significantDigits);
    // Exponents are written the old way, "1E-09".
    text.replace(u'e', u'E');
    // The locale may group thousands; the file never does.
    const QString group = QLocale().groupSeparator();
    if (!group.isEmpty() && !text.contains(u'E'))
        text.remove(group);
    return text;
}

} // namespace

QString formatInteger(long long value) { return QString::number(value); }

QString formatSingle(double value) { return formatGeneral(static_cast<float>(value), 7); }

QString formatDouble(double value) { return formatGeneral(value, 15); }

std::optional<double> parseNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok) {
        // Files written under another locale still read: plain C digits are accepted too.
        value = QLocale::c().toDouble(trimmed, &ok);
    }
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

long long roundHalfEven(double value) { return static_cast<long long>(std::nearbyint(value)); }

std::optional<long long> parseInteger(const QString& text, long long min, long long max) {
    const auto number = parseNumber(text);
    if (!number || *number < double(min) - 0.5 || *number > double(max) + 0.5)
        return std::nullopt;
    const long long rounded = roundHalfEven(*number);
    if (rounded < min || rounded > max)
        return std::nullopt;
    return rounded;
}

} // namespace settings
