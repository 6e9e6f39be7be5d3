#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The opacimeter's live values as one reply brings them.
struct SmokeReadings {
    double opacityK = 0.0;
    double opacityPercent = 0.0;
    double engineSpeed = 0.0;
    double oilTemperature = 0.0;
    double cellTemperature = 0.0;
    double smokeTemperature = 0.0;
    // Whether the instrument gave k, the cell temperature that says whether k
    // counts, and the speed: a channel without value, an "@VA" field that is
    // empty or no number, or -1 did not.
    bool opacityKGiven = true;
    bool cellTemperatureGiven = true;
    bool engineSpeedGiven = true;
};

// Maker value reply: eight records of five bytes from byte 7, each naming its
// channel (0-8) in byte 1 and holding its value in bytes 4-5, high byte first.
constexpr int MakerChannelCount = 9;
using ChannelValues = std::array<double, MakerChannelCount>;

// A raw channel value: 0..32767, or -1 when the instrument has none (high byte
// 255) or sends a value beyond that range (high byte 128-254).
double MakerChannelValue(int high, int low);
// Stores each record's value at its channel. A record naming no channel, or
// cut short by the end of the frame, is skipped.
void DecodeChannelRecords(const QByteArray& frame, ChannelValues& channels);
// Cell 5, oil 6, exhaust gas 0, opacity channel 1 / 10, k channel 7 / 100, speed 8.
SmokeReadings ReadingsFromChannels(const ChannelValues& channels);

// MCTC-NET "@VA": k, opacity, speed, oil, exhaust gas and cell temperature,
// and an auxiliary seventh field. nullopt when the reply has fewer than seven
// fields; a field that is not a number reads 0 (and is not given).
std::optional<SmokeReadings> ParseSmokeValueReply(const QByteArray& frame, int commandLength, int numberLength);

// Where a reply carries the opacimeter's three-digit error code: the field
// after the seven values of "@VA", the only field of "AZ" and "SB".
constexpr int ValueReplyErrorField = 8;
constexpr int CommandReplyErrorField = 1;
std::optional<QByteArray> SmokeErrorField(const QByteArray& frame, int commandLength, int numberLength,
                                          int fieldNumber);

// "@LU": the parameter's five-digit value and the parameter it names (20 the
// slide, 21 the operating state). nullopt without two fields.
struct SmokeParameter {
    QString value;
    int parameter = 0;
};
std::optional<SmokeParameter> ParseSmokeParameterReply(const QByteArray& frame, int commandLength, int numberLength);

// "@RD": the supply voltage, field 6 in thousandths of a volt. nullopt
// without six fields.
std::optional<double> ParseSupplyVoltageReply(const QByteArray& frame, int commandLength, int numberLength);
