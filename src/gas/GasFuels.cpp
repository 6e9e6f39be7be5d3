#include "gas/GasFuels.h"

namespace gas {

namespace {

constexpr int FourStrokeCodes[FuelCount] = {0, 3, 2, 5, 1, 4};
constexpr int TwoStrokeBit = 64;

enum class Fuel { Petrol, Methane, Lpg };

Fuel fuelOf(int fuelIndex) {
    switch (fuelIndex / 2) {
    case 1: return Fuel::Methane;
    case 2: return Fuel::Lpg;
    default: return Fuel::Petrol;
    }
}

} // namespace

bool HasCatalyst(int fuelIndex) {
    return fuelIndex % 2 == 1;
}

double FuelConstant(int fuelIndex) {
    switch (fuelOf(fuelIndex)) {
    case Fuel::Methane: return 12.0;
    case Fuel::Lpg: return 14.0;
    default: return 15.0;
    }
}

int FuelStrokesCode(int fuelIndex, int engineIndex) {
    const int fourStroke = fuelIndex >= 0 && fuelIndex < FuelCount ? FourStrokeCodes[fuelIndex] : 0;
    return engineIndex == 1 ? fourStroke + TwoStrokeBit : fourStroke;
}

std::optional<FuelSelection> FuelSelectionOfCode(int code) {
    const int engine = (code & TwoStrokeBit) ? 1 : 0;
    const int fourStroke = code & ~TwoStrokeBit;
    for (int fuel = 0; fuel < FuelCount; ++fuel)
        if (FourStrokeCodes[fuel] == fourStroke)
            return FuelSelection{fuel, engine};
    return std::nullopt;
}

QString McTcFuelName(int fuelIndex) {
    switch (fuelOf(fuelIndex)) {
    case Fuel::Methane: return QStringLiteral("METANO");
    case Fuel::Lpg: return QStringLiteral("GPL");
    default: return QStringLiteral("BENZINA");
    }
}

QString McTcCatalystText(int fuelIndex) {
    return HasCatalyst(fuelIndex) ? QStringLiteral("CAT") : QStringLiteral("NO CAT");
}

QString McTcHydrogenCarbonRatio(int fuelIndex) {
    switch (fuelOf(fuelIndex)) {
    case Fuel::Methane: return QStringLiteral("4.000");
    case Fuel::Lpg: return QStringLiteral("2.570");
    default: return QStringLiteral("1.730");
    }
}

QString McTcEngineStrokes(int engineIndex) {
    return engineIndex == 1 ? QStringLiteral("2") : QStringLiteral("4");
}

std::optional<int> FuelIndexOfRecord(const QString& fuelName, const QString& catalystText) {
    const QString joined = fuelName.trimmed() + catalystText.trimmed();
    for (int fuel = 0; fuel < FuelCount; ++fuel)
        if (joined == McTcFuelName(fuel) + McTcCatalystText(fuel))
            return fuel;
    return std::nullopt;
}

std::optional<int> EngineIndexOfStrokes(const QString& strokes) {
    const QString trimmed = strokes.trimmed();
    for (int engine = 0; engine < EngineCount; ++engine)
        if (trimmed == McTcEngineStrokes(engine))
            return engine;
    return std::nullopt;
}

} // namespace gas
