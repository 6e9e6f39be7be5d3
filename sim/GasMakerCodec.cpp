#include "sim/GasMakerCodec.h"

#include "link/FrameBytes.h"
#include "link/MakerFrame.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int HeaderBytes = 6; // STX, address, status, command, 0, length byte
constexpr int LengthIndex = 5;
constexpr int ExtendedHcFullScale = 4194303; // 2^22 - 1
constexpr int RecordBytes = 5;
constexpr int NoValue24 = 0xFFFFFF;
constexpr int SerialLength = 8;

unsigned byteSum(QByteArrayView bytes) {
    unsigned sum = 0;
    for (const char byte : bytes)
        sum += static_cast<unsigned char>(byte);
    return sum;
}

// What one channel carries and how: scale to whole units, the largest raw
// value that still means a reading, and the raw code for "out of range"
// (no value when the channel has none).
struct ChannelSpec {
    int id;
    GasQuantity quantity;
    double scale;
    int maxRaw;
    std::optional<int> overRaw;
};
constexpr ChannelSpec Channels[] = {
    {2, GasQuantity::O2, 1000, 0xFEFF, std::nullopt},
    {5, GasQuantity::HC, 1, int(ExtendedHcFrom) - 1, std::nullopt},
    {6, GasQuantity::CO2, 1000, 0xFEFF, std::nullopt},
    {7, GasQuantity::CO, 1000, 0xFEFF, std::nullopt},
    {8, GasQuantity::EngineSpeed, 1, 0x4FFF, 0x5000},
    {12, GasQuantity::EngineSpeed, 1, 0x4FFF, 0x5000},
    {3, GasQuantity::OilTemperature, 1000, 0x03FFFF, 0x040000},
    {10, GasQuantity::OilTemperature, 1000, 0x03FFFF, 0x040000},
    {11, GasQuantity::Lambda, 1000, 0x0AFF, 0x0B00},
    {14, GasQuantity::Lambda, 1000, 0x0AFF, 0x0B00},
    {9, GasQuantity::NOx, 1, 0xFEFF, std::nullopt},
    {13, GasQuantity::NOx, 1, 0xFEFF, std::nullopt},
};
constexpr int ExtendedHcChannel = 18;

const ChannelSpec* channelSpec(int id) {
    for (const ChannelSpec& layout : Channels) {
        if (layout.id == id)
            return &layout;
    }
    return nullptr;
}

// A record; no raw value is a record without value.
void appendRecord(QByteArray& out, int id, std::optional<int> raw) {
    const int value = raw.value_or(NoValue24);
    out.append(static_cast<char>(id)).append(static_cast<char>(raw ? 0 : 1));
    out.append(static_cast<char>((value >> 16) & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
    out.append(static_cast<char>(value & 0xFF));
}

std::optional<int> channelRaw(const ChannelSpec& layout, GasValue value) {
    if (value.kind == GasValue::Kind::None || value.kind == GasValue::Kind::Blank)
        return std::nullopt;
    const double scaled = value.isNumber() ? std::round(value.number * layout.scale) : 0;
    if (value.isNumber() && scaled <= layout.maxRaw)
        return std::max(0, int(scaled));
    return layout.overRaw;
}

std::optional<int> extendedHcRaw(GasValue hc, const HcRangeCoefficients& coefficients) {
    switch (hc.kind) {
    case GasValue::Kind::None:
    case GasValue::Kind::Blank: return std::nullopt;
    case GasValue::Kind::Over: return 0;
    case GasValue::Kind::Number: break;
    }
    return ExtendedHcRaw(hc.number, coefficients);
}

double extendedHcOf(int x, const HcRangeCoefficients& c) {
    return ExtendedHcFrom + c.quad * double(x) * double(x) + c.lin * double(x);
}

} // namespace

std::optional<MakerRequest> ParseMakerRequest(const QByteArray& frame) {
    if (frame.size() < HeaderBytes + 2 || frame.front() != FrameByte::Stx || frame.back() != FrameByte::Etx)
        return std::nullopt;
    const int length = static_cast<unsigned char>(frame[LengthIndex]);
    if (frame[2] != 0 || frame[4] != 0 || length < 2 || frame.size() != length + HeaderBytes)
        return std::nullopt;
    if (byteSum(QByteArrayView(frame).first(frame.size() - 1)) % 256 != 0)
        return std::nullopt;
    return MakerRequest{static_cast<unsigned char>(frame[1]), static_cast<unsigned char>(frame[3]),
                        frame.mid(HeaderBytes, length - 2)};
}

QByteArray BuildMakerReply(int address, int command, const QByteArray& data) {
    QByteArray frame = BuildMakerFrame(address, command, data);
    if (frame.isEmpty())
        return frame;
    frame[2] = FrameByte::Ack;
    const qsizetype checksum = frame.size() - 2;
    frame[checksum] = 0;
    frame[checksum] = static_cast<char>((256 - byteSum(QByteArrayView(frame).first(checksum)) % 256) % 256);
    return frame;
}

int GasMakerAddress(int model) {
    switch (model) {
    case 0:
    case 1: return 0x31;
    case 2: return 0x21;
    default: return 0;
    }
}

bool GasModelHasExtendedHc(int model) {
    return model == 0 || model == 1;
}

QByteArray DefaultAcquisitionChannels(int model) {
    if (model == 2)
        return QByteArray::fromRawData("\x03\x09\x0B\x08\x07\x06\x05\x02", 8);
    return QByteArray::fromRawData("\x0A\x0D\x0E\x0C\x07\x06\x05\x02", 8);
}

std::optional<QByteArray> AcquisitionChannelsOf(const QByteArray& data) {
    if (data.isEmpty())
        return std::nullopt;
    const int count = static_cast<unsigned char>(data.front());
    if (count < 1 || count > MaxAcquisitionChannels || data.size() != count + 1)
        return std::nullopt;
    return data.mid(1);
}

int ExtendedHcRaw(double hc, const HcRangeCoefficients& c) {
    const double above = hc - ExtendedHcFrom;
    double x = 0;
    if (above > 0 && c.quad > 0)
        x = (-c.lin + std::sqrt(c.lin * c.lin + 4 * c.quad * above)) / (2 * c.quad);
    else if (above > 0 && c.lin > 0)
        x = above / c.lin;
    if (!std::isfinite(x))
        x = 0;
    // The nearest whole x, checked against its neighbours so the program's
    // rounding of the formula gives back the reading.
    const int guess = int(std::clamp(std::round(x), 0.0, double(ExtendedHcFullScale)));
    int best = guess;
    for (const int candidate : {guess - 1, guess + 1}) {
        if (candidate >= 0 && candidate <= ExtendedHcFullScale &&
            std::fabs(extendedHcOf(candidate, c) - hc) < std::fabs(extendedHcOf(best, c) - hc))
            best = candidate;
    }
    return ExtendedHcFullScale - best;
}

QByteArray MakerValueRecords(const QByteArray& channels, const GasReadings& readings, bool extendedHc,
                             const HcRangeCoefficients& coefficients) {
    QByteArray records;
    records.reserve(channels.size() * RecordBytes);
    for (const char byte : channels) {
        const int id = static_cast<unsigned char>(byte);
        if (id == ExtendedHcChannel && extendedHc) {
            appendRecord(records, id, extendedHcRaw(readings[GasQuantity::HC], coefficients));
        } else if (const ChannelSpec* layout = channelSpec(id)) {
            appendRecord(records, id, channelRaw(*layout, readings[layout->quantity]));
        } else {
            appendRecord(records, id, std::nullopt);
        }
    }
    return records;
}

QByteArray MakerIdentityData(int model, const QByteArray& serial, int parameter, const QByteArray& firmware) {
    QByteArray data;
    data.append(static_cast<char>(model));
    data.append(serial.left(SerialLength).leftJustified(SerialLength, ' '));
    data.append('\0');
    data.append(static_cast<char>((parameter >> 8) & 0xFF)).append(static_cast<char>(parameter & 0xFF));
    data.append(3, '\0');
    // "5.40" travels as its digits "540".
    QByteArray digits = firmware;
    digits.remove(1, 1);
    data.append(digits.left(3).leftJustified(3, '0'));
    return data;
}

QByteArray MakerCalibrationData(const QByteArray& date) {
    QByteArray data(6, '\0');
    // DD MM and the last two digits of YYYY.
    const QByteArray digits = date.left(4) + date.mid(6, 2);
    for (const char digit : digits)
        data.append(static_cast<char>(digit >= '0' && digit <= '9' ? digit - '0' : 0));
    return data.leftJustified(12, '\0');
}

QByteArray MakerStatusData(int status, int fuelCode, int erTen) {
    QByteArray data;
    data.append(static_cast<char>(status)).append(static_cast<char>(fuelCode));
    data.append(2, '\0').append(static_cast<char>(erTen));
    return data;
}

bool ValidMakerFuelCode(int code) {
    // Bit 6 marks a two-stroke engine; the rest is the fuel.
    return code >= 0 && (code & ~64) <= 5;
}

} // namespace sim
