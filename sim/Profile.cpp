#include "sim/Profile.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int MaxPoints = 1000;
// A day of scenario time is far more than any test or demo needs.
constexpr double MaxSeconds = 86400.0;
constexpr double MaxMagnitude = 1e6;

std::optional<Profile> fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return std::nullopt;
}

std::optional<double> parseNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // C locale: always "."
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

Profile::Profile(std::vector<ProfilePoint> points, bool repeat) : points_(std::move(points)), repeat_(repeat) {
    std::stable_sort(points_.begin(), points_.end(),
                     [](const ProfilePoint& a, const ProfilePoint& b) { return a.at < b.at; });
}

double Profile::valueAt(Millis time) const {
    if (points_.empty())
        return 0.0;
    const Millis first = points_.front().at;
    const Millis last = points_.back().at;
    if (repeat_ && last > first && time > last)
        time = first + (time - first) % (last - first);
    if (time <= first)
        return points_.front().value;
    if (time >= last)
        return points_.back().value;
    // The first point later than time; the one before it starts the segment.
    const auto after = std::upper_bound(points_.begin(), points_.end(), time,
                                        [](Millis t, const ProfilePoint& p) { return t < p.at; });
    const ProfilePoint& b = *after;
    const ProfilePoint& a = *(after - 1);
    if (b.at == a.at)
        return b.value;
    const double fraction = double(time - a.at) / double(b.at - a.at);
    return a.value + (b.value - a.value) * fraction;
}

std::optional<Profile> Profile::parse(const QString& text, QString* error) {
    QStringList items = text.split(',', Qt::SkipEmptyParts);
    bool repeat = false;
    if (!items.isEmpty() && items.back().trimmed() == QLatin1String("repeat")) {
        repeat = true;
        items.removeLast();
    }
    if (items.isEmpty())
        return fail(error, QStringLiteral("no points in \"%1\"").arg(text));
    if (items.size() > MaxPoints)
        return fail(error, QStringLiteral("more than %1 points").arg(MaxPoints));
    std::vector<ProfilePoint> points;
    for (const QString& item : items) {
        const QStringList parts = item.split(':');
        const std::optional<double> seconds = parts.size() == 2 ? parseNumber(parts[0]) : std::nullopt;
        const std::optional<double> value = parts.size() == 2 ? parseNumber(parts[1]) : std::nullopt;
        if (!seconds || !value)
            return fail(error, QStringLiteral("\"%1\" is not seconds:value").arg(item.trimmed()));
        if (*seconds < 0 || *seconds > MaxSeconds || std::fabs(*value) > MaxMagnitude)
            return fail(error, QStringLiteral("\"%1\" is out of range").arg(item.trimmed()));
        const Millis at = std::llround(*seconds * 1000.0);
        if (!points.empty() && at < points.back().at)
            return fail(error, QStringLiteral("times must not go backwards at \"%1\"").arg(item.trimmed()));
        points.push_back({at, *value});
    }
    return Profile(std::move(points), repeat);
}

} // namespace sim
