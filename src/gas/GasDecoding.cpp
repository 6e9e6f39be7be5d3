#include "gas/GasDecoding.h"

#include "settings/NumberText.h"

#include <cmath>

namespace gas {

namespace {

constexpr int NoValueByte = 0xFF;
// From this high byte on a 16-bit reading no longer fits the analyser's signed range.
constexpr int FirstOutOfRangeByte = 0x80;
constexpr int HighestOilByte = 3;
constexpr int HighestSpeedByte = 79;
constexpr int HighestLambdaByte = 10;
constexpr long long ExtendedRawTop = 4194303; // 2^22 - 1
constexpr double ExtendedHcBase = 10477.0;
constexpr double CorrectedCOCeiling = 65.0;
constexpr double CorrectedCOLowestSum = 5.0;

int word(int high, int low) {
    return 256 * high + low;
}

Reading unavailable(const QString& text) {
    return {NoValue, text};
}

Reading shown(double value, const QString& text) {
    return {value, text};
}

} // namespace

QString outText() {
    return QStringLiteral("Out");
}

QString unknownText() {
    return QStringLiteral("- - -");
}

double RoundTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return static_cast<double>(settings::roundHalfEven(value * scale)) / scale;
}

Reading DecodeOilTemperature(int p9, int p10, int p11) {
    if (p9 > HighestOilByte)
        return unavailable(outText());
    const double value = (65536.0 * p9 + 256.0 * p10 + p11) / 1000.0;
    return shown(value, settings::formatDouble(value));
}

Reading DecodeEngineSpeed(int high, int low) {
    if (high == NoValueByte)
        return unavailable(unknownText());
    if (high > HighestSpeedByte)
        return unavailable(outText());
    const double value = word(high, low);
    return shown(value, settings::formatDouble(value));
}

Reading DecodeLambda(int high, int low) {
    if (high > HighestLambdaByte)
        return unavailable(outText());
    const double value = word(high, low) / 1000.0;
    return shown(value, settings::formatDouble(RoundTo(value, 2)));
}

Reading DecodeConcentration(int high, int low, int decimals) {
    if (high >= FirstOutOfRangeByte)
        return unavailable(outText());
    const double value = word(high, low) / 1000.0;
    return shown(value, settings::formatDouble(RoundTo(value, decimals)));
}

std::optional<int> DecodeNormalHc(int high, int low) {
    if (high >= FirstOutOfRangeByte)
        return std::nullopt;
    return word(high, low);
}

ExtendedHc ComputeExtendedHc(int p14, int p15, int p16, double quadCoeff, double linCoeff) {
    ExtendedHc result;
    result.raw = 65536LL * p14 + 256LL * p15 + p16;
    result.x = ExtendedRawTop - result.raw;
    const double x = static_cast<double>(result.x);
    result.hc = settings::roundHalfEven(ExtendedHcBase + quadCoeff * x * x + linCoeff * x);
    return result;
}

bool ExtendedHcRangeInUse(std::uint8_t systemOptions, const QString& firmwareVersion) {
    constexpr std::uint8_t HcRangeOption = 2;
    if (!(systemOptions & HcRangeOption) || firmwareVersion.size() < 3)
        return false;
    return firmwareVersion[0] > u'4' && firmwareVersion[2] > u'3';
}

double CorrectedCO(double co, double co2, double fuelConstant) {
    if (co == NoValue || co2 == NoValue)
        return NoValue;
    const double sum = co + co2;
    if (sum >= fuelConstant || sum == 0.0)
        return RoundTo(co, 1);
    if (sum < CorrectedCOLowestSum)
        return CorrectedCOCeiling;
    return std::trunc(10.0 * co * fuelConstant / sum) / 10.0;
}

bool CorrectedCOOutOfRange(double cocorr) {
    return cocorr >= CorrectedCOCeiling;
}

QByteArray AcquisitionList(int modelIndex, bool extendedHc) {
    static const char ModelTwo[] = {8, 3, 9, 11, 8, 7, 6, 5, 2};
    static const char Extended[] = {8, 10, 18, 14, 12, 7, 6, 5, 2};
    static const char Normal[] = {8, 10, 13, 14, 12, 7, 6, 5, 2};
    if (modelIndex == 2)
        return QByteArray(ModelTwo, sizeof ModelTwo);
    return extendedHc ? QByteArray(Extended, sizeof Extended) : QByteArray(Normal, sizeof Normal);
}

} // namespace gas
