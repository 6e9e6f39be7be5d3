#include "smoke/SmokeReadings.h"

#include "link/MctcFrame.h"
#include "link/ReplyText.h"

namespace {

constexpr int RecordCount = 8;
constexpr int RecordLength = 5;
constexpr int FirstRecordPosition = 7; // from STX = 1

constexpr int ValueFieldCount = 7;

std::optional<MctcFields> fieldsOf(const QByteArray& frame, int commandLength, int numberLength, int needed) {
    auto fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields || !fields->field(needed))
        return std::nullopt;
    return fields;
}

double numberField(const MctcFields& fields, int number) {
    return LeadingNumber(fields.field(number).value_or(QByteArray()));
}

// -1 is how the program marks a value the instrument has none of.
constexpr double NoValue = -1.0;

bool givenField(const MctcFields& fields, int number) {
    const std::optional<double> value = ReadLeadingNumber(fields.field(number).value_or(QByteArray()));
    return value && *value != NoValue;
}

} // namespace

double MakerChannelValue(int high, int low) {
    if (high >= 128)
        return NoValue;
    return high * 256 + low;
}

void DecodeChannelRecords(const QByteArray& frame, ChannelValues& channels) {
    for (int record = 0; record < RecordCount; ++record) {
        const qsizetype start = FirstRecordPosition - 1 + record * RecordLength;
        if (start + RecordLength > frame.size())
            return;
        const auto byte = [&](int n) { return static_cast<unsigned char>(frame[start + n - 1]); };
        const int channel = byte(1);
        if (channel < MakerChannelCount)
            channels[channel] = MakerChannelValue(byte(4), byte(5));
    }
}

SmokeReadings ReadingsFromChannels(const ChannelValues& c) {
    SmokeReadings r;
    r.cellTemperature = c[5];
    r.oilTemperature = c[6];
    r.smokeTemperature = c[0];
    r.opacityPercent = c[1] / 10.0;
    r.opacityK = c[7] / 100.0;
    r.engineSpeed = c[8];
    r.opacityKGiven = c[7] != NoValue;
    r.cellTemperatureGiven = c[5] != NoValue;
    r.engineSpeedGiven = c[8] != NoValue;
    return r;
}

std::optional<SmokeReadings> ParseSmokeValueReply(const QByteArray& frame, int commandLength, int numberLength) {
    const auto fields = fieldsOf(frame, commandLength, numberLength, ValueFieldCount);
    if (!fields)
        return std::nullopt;
    SmokeReadings r;
    r.opacityK = numberField(*fields, 1);
    r.opacityPercent = numberField(*fields, 2);
    r.engineSpeed = numberField(*fields, 3);
    r.oilTemperature = numberField(*fields, 4);
    r.smokeTemperature = numberField(*fields, 5);
    r.cellTemperature = numberField(*fields, 6);
    r.opacityKGiven = givenField(*fields, 1);
    r.cellTemperatureGiven = givenField(*fields, 6);
    r.engineSpeedGiven = givenField(*fields, 3);
    return r;
}

std::optional<QByteArray> SmokeErrorField(const QByteArray& frame, int commandLength, int numberLength,
                                          int fieldNumber) {
    const auto fields = SplitMctcData(frame, commandLength, numberLength);
    if (!fields)
        return std::nullopt;
    const auto field = fields->field(fieldNumber);
    if (!field)
        return std::nullopt;
    return field->trimmed();
}

std::optional<SmokeParameter> ParseSmokeParameterReply(const QByteArray& frame, int commandLength, int numberLength) {
    const auto fields = fieldsOf(frame, commandLength, numberLength, 2);
    if (!fields)
        return std::nullopt;
    const auto value = LeadingWholeNumber(*fields->field(2));
    if (!value)
        return std::nullopt;
    return SmokeParameter{InstrumentText(*fields->field(1)), *value};
}

std::optional<double> ParseSupplyVoltageReply(const QByteArray& frame, int commandLength, int numberLength) {
    const auto fields = fieldsOf(frame, commandLength, numberLength, 6);
    if (!fields)
        return std::nullopt;
    return numberField(*fields, 6) / 1000.0;
}
