#include "settings/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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

QString formatInteger(long long value) {
    return QString::number(value);
}

QString formatSingle(double value) {
    // Narrowing a double beyond the float range is undefined; such a value is written as the largest float.
    constexpr double largest = std::numeric_limits<float>::max();
    if (std::isfinite(value))
        value = std::clamp(value, -largest, largest);
    return formatGeneral(static_cast<float>(value), 7);
}

QString formatDouble(double value) {
    return formatGeneral(value, 15);
}

std::optional<double> parseNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // The file never groups thousands, so a separator means the text came from a
    // locale with the other decimal mark: "1.125" is one and an eighth, never 1125.
    // Files written under another locale still read: after the locale's own format,
    // plain C digits are tried, then a decimal comma.
    QString decimalComma = trimmed;
    decimalComma.replace(u',', u'.');
    const std::pair<QLocale, QString> attempts[] = {
        {QLocale(), trimmed}, {QLocale::c(), trimmed}, {QLocale::c(), decimalComma}};
    for (auto [locale, candidate] : attempts) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const double value = locale.toDouble(candidate, &ok);
        if (ok)
            return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }
    return std::nullopt;
}

long long roundHalfEven(double value) {
    // Converting a value beyond the range of long long is undefined; saturate instead.
    constexpr double limit = 9.2e18;
    if (std::isnan(value))
        return 0;
    if (value >= limit)
        return static_cast<long long>(limit);
    if (value <= -limit)
        return static_cast<long long>(-limit);
    return static_cast<long long>(std::nearbyint(value));
}

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
