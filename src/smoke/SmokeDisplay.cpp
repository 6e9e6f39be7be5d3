#include "smoke/SmokeDisplay.h"

#include "settings/NumberText.h"
#include "smoke/SmokeNumbers.h"
#include "smoke/SmokeTexts.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double OutOfRangeTemperature = 888.0;

} // namespace

double HsuFromOpacityPercent(double percent) {
    const double n = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
    const double r = 1000.0 - 1000.0 * std::pow(1.0 - n / 100.0, 1.791667);
    return static_cast<double>(settings::roundHalfEven(r)) / 10.0;
}

double PressureCorrectedK(double k, const QString& ambientPressure) {
    const auto pressure = settings::parseNumber(ambientPressure);
    if (pressure && *pressure < PressureCorrectionBelow)
        return k - PressureCorrectionK;
    return k;
}

QString NonNegativeCaption(double value) {
    return value < 0 ? QStringLiteral("0") : NumberCaption(value);
}

QString TemperatureCaption(double value) {
    return value == OutOfRangeTemperature ? QStringLiteral("OutRange") : NumberCaption(value);
}

std::optional<BlockingDisplay> BlockingStateDisplay(const QString& operatingStatus, const QString& slideStatus) {
    if (operatingStatus == QLatin1String("00000"))
        return BlockingDisplay{smoke_text::BlkAss, ui::colour::Red};
    if (operatingStatus == QLatin1String("00001"))
        return BlockingDisplay{smoke_text::EV, ui::colour::Cyan};
    if (operatingStatus == QLatin1String("00002")) {
        if (slideStatus == QLatin1String("00016"))
            return BlockingDisplay{smoke_text::SlAperta, ui::colour::Green};
        if (slideStatus == QLatin1String("00032"))
            return BlockingDisplay{smoke_text::SlChiusa, ui::colour::Orange};
    }
    return std::nullopt;
}

bool BlockingAllowsAcceleration(const QString& operatingStatus, const QString& slideStatus) {
    return operatingStatus == QLatin1String("00000") || operatingStatus == QLatin1String("00001") ||
           (operatingStatus == QLatin1String("00002") && slideStatus == QLatin1String("00016"));
}
