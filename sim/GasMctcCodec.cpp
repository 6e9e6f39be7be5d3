#include "sim/GasMctcCodec.h"

#include "link/FrameBytes.h"

#include <cmath>

namespace sim {

namespace {

constexpr qsizetype MaxSettingsField = 16;
constexpr int OilOutOfRange = 888;

struct Fuel {
    const char* name;
    double constant;
};
constexpr Fuel Fuels[] = {{"BENZINA", 15}, {"METANO", 12}, {"GPL", 14}};

const Fuel* fuelNamed(const QByteArray& name) {
    for (const Fuel& fuel : Fuels) {
        if (name == fuel.name)
            return &fuel;
    }
    return nullptr;
}

bool isRatio(const QByteArray& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

// Fuel and catalyst run together: "GPLNO CAT" is "GPL" and "NO CAT".
std::optional<std::pair<QByteArray, QByteArray>> splitFuelText(const QByteArray& joined) {
    for (const Fuel& fuel : Fuels) {
        if (joined.startsWith(fuel.name))
            return std::pair{QByteArray(fuel.name), joined.mid(qsizetype(qstrlen(fuel.name)))};
    }
    return std::nullopt;
}

struct QuantityFormat {
    GasQuantity quantity;
    int decimals;
};
// The order of the "@VA" fields and how many decimals each is given.
constexpr QuantityFormat MeasurementFields[] = {
    {GasQuantity::CO, 2},
    {GasQuantity::COcorr, 2},
    {GasQuantity::CO2, 1},
    {GasQuantity::HC, 0},
    {GasQuantity::O2, 2},
    {GasQuantity::Lambda, 3},
    {GasQuantity::OilTemperature, 0},
    {GasQuantity::EngineSpeed, 0},
    {GasQuantity::NOx, 0},
};

int decimalsOf(GasQuantity quantity) {
    for (const QuantityFormat& format : MeasurementFields) {
        if (format.quantity == quantity)
            return format.decimals;
    }
    return 0;
}

std::optional<int> digits(const QByteArray& text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<GasFuelSettings> ParseFuelSettings(const QList<QByteArray>& fields) {
    QList<QByteArray> six = fields;
    if (six.size() == 5) {
        const auto split = splitFuelText(six.front());
        if (!split)
            return std::nullopt;
        six.front() = split->first;
        six.insert(1, split->second);
    }
    if (six.size() != 6)
        return std::nullopt;
    for (const QByteArray& field : six) {
        if (field.size() > MaxSettingsField)
            return std::nullopt;
    }
    GasFuelSettings settings{six[0], six[1], six[2], six[3], six[4], six[5]};
    if (!fuelNamed(settings.fuelName) || (settings.catalyst != "CAT" && settings.catalyst != "NO CAT") ||
        (settings.strokes != "4" && settings.strokes != "2") || !isRatio(settings.hydrogenCarbon) ||
        !isRatio(settings.oxygenCarbon))
        return std::nullopt;
    return settings;
}

QByteArray FuelSettingsData(const GasFuelSettings& s) {
    return QByteArrayList{s.fuelName, s.catalyst, s.field3, s.strokes, s.hydrogenCarbon, s.oxygenCarbon}.join(
        FrameByte::Etb);
}

double FuelConstant(const QByteArray& fuelName) {
    const Fuel* fuel = fuelNamed(fuelName);
    return fuel ? fuel->constant : Fuels[0].constant;
}

QByteArray MeasurementText(GasQuantity quantity, GasValue value) {
    switch (value.kind) {
    case GasValue::Kind::Over:
        if (quantity == GasQuantity::OilTemperature)
            return QByteArray::number(OilOutOfRange);
        return "-1";
    case GasValue::Kind::None: return "-1";
    case GasValue::Kind::Blank: return {};
    case GasValue::Kind::Number: break;
    }
    const int decimals = decimalsOf(quantity);
    // No "-0" for a reading that rounds to zero from below.
    const double rounded = std::round(value.number * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    return QByteArray::number(rounded == 0 ? 0.0 : rounded, 'f', decimals);
}

QByteArray MeasurementData(const GasReadings& readings, int fieldCount) {
    QByteArrayList fields;
    for (const QuantityFormat& format : MeasurementFields) {
        if (fields.size() >= fieldCount)
            break;
        fields.append(MeasurementText(format.quantity, readings[format.quantity]));
    }
    return fields.join(FrameByte::Etb);
}

QByteArray StatusData(int status) {
    return QByteArray(1, static_cast<char>(0x40 | (status & 0x1F)));
}

QByteArray ErrorRegisterData(int errorCode, int faultyChannels) {
    QByteArray data;
    data.append(static_cast<char>(0x80 | (errorCode & 0x7F))).append(FrameByte::Etb);
    data.append(static_cast<char>('0' + (faultyChannels & 0x0F)));
    return data;
}

QByteArray LeakTestData(const LeakTestRecord& record, const GasAnalyserModel& model) {
    QByteArray date = record.date;
    QByteArray time = record.time;
    if (record.endedAt) {
        const QDateTime ended = model.calendarAt(*record.endedAt);
        date = ended.toString(QStringLiteral("ddMMyyyy")).toLatin1();
        time = ended.toString(QStringLiteral("HHmm")).toLatin1();
    }
    return QByteArray(1, record.status) + FrameByte::Etb + date + FrameByte::Etb + time;
}

std::optional<QDateTime> ParseSetDateData(const QByteArray& data) {
    const QList<QByteArray> fields = data.split(FrameByte::Etb);
    if (fields.size() != 2 || fields[0].size() != 8 || fields[1].size() != 6)
        return std::nullopt;
    const auto day = digits(fields[0], 0, 2), month = digits(fields[0], 2, 2), year = digits(fields[0], 4, 4);
    const auto hour = digits(fields[1], 0, 2), minute = digits(fields[1], 2, 2), second = digits(fields[1], 4, 2);
    if (!day || !month || !year || !hour || !minute || !second)
        return std::nullopt;
    const QDate date(*year, *month, *day);
    const QTime time(*hour, *minute, *second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

} // namespace sim
