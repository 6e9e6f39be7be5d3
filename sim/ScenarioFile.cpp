#include "sim/ScenarioFile.h"

namespace sim {

QList<QByteArray> scenarioWords(QByteArrayView line) {
    const qsizetype comment = line.indexOf('#');
    if (comment >= 0)
        line = line.first(comment);
    const QByteArray simplified = line.toByteArray().simplified();
    return simplified.isEmpty() ? QList<QByteArray>() : simplified.split(' ');
}

std::optional<long long> wholeNumber(QByteArrayView text, long long low, long long high) {
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    long long value = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<std::pair<QByteArrayView, QByteArrayView>> keyValue(QByteArrayView pairText) {
    const qsizetype equals = pairText.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    return std::pair{pairText.first(equals), pairText.sliced(equals + 1)};
}

} // namespace sim
