#include "sim/OpacimeterMakerCodec.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr OpacimeterModelInfo Models[OpacimeterModelCount] = {
    {0x51, "OPX-410", "AM"},     {0x41, "OPX-520", "AQ"},    {0x41, "OPX-520/HD", "AN"},
    {0x41, "OPX-520/HDF", "AP"}, {0x41, "OPX-520/HF", "AB"}, {0, "OPX-300", ""},
};

// Model 0's state codes.
constexpr int WarmUpState = 0;
constexpr int ZeroingStateModel0 = 72;
constexpr int ReadyStateModel0 = 128;
constexpr int FaultStateModel0 = 240;
// Models 1-4.
constexpr int IdleState = 0;
constexpr int TestState = 16;
constexpr int ZeroingState = 64;
constexpr int WarmingBit = 64;
constexpr int CheckAuxFull = 50;
constexpr int ReadyAux = 100;
constexpr int OpticsDirtyAux = 255;

constexpr int NoValue = 0xFFFF;
constexpr int OutOfRange = 0x7FFF;

int model0AlarmBits(OpacimeterAlarm alarm) {
    switch (alarm) {
    case OpacimeterAlarm::PressureHigh: return 2;
    case OpacimeterAlarm::PressureLow: return 4;
    case OpacimeterAlarm::Emitter: return 16;
    case OpacimeterAlarm::Optics: return 32;
    default: return 0;
    }
}

bool model0Fault(OpacimeterAlarm alarm) {
    return alarm == OpacimeterAlarm::Overheat || alarm == OpacimeterAlarm::Slide ||
           alarm == OpacimeterAlarm::CellSensor;
}

int laterModelAlarmBits(OpacimeterAlarm alarm) {
    switch (alarm) {
    case OpacimeterAlarm::PressureLow: return 2;
    case OpacimeterAlarm::PressureHigh: return 4;
    case OpacimeterAlarm::Emitter: return 16;
    default: return 0;
    }
}

MakerStatusBytes model0Status(OpacimeterPhase phase, OpacimeterAlarm alarm) {
    MakerStatusBytes status;
    status.alarm = model0AlarmBits(alarm);
    switch (phase) {
    case OpacimeterPhase::WarmUp:
    case OpacimeterPhase::Check: status.state = WarmUpState; break;
    case OpacimeterPhase::Zeroing: status.state = ZeroingStateModel0; break;
    case OpacimeterPhase::Ready:
    case OpacimeterPhase::StandBy:
        status.state = ReadyStateModel0;
        status.flags = MakerReadyFlag;
        break;
    }
    if (model0Fault(alarm))
        status.state = FaultStateModel0;
    return status;
}

MakerStatusBytes laterModelStatus(const OpacimeterModel& state, OpacimeterAlarm alarm, Millis now) {
    MakerStatusBytes status;
    status.alarm = laterModelAlarmBits(alarm);
    status.aux = alarm == OpacimeterAlarm::Optics ? OpticsDirtyAux : ReadyAux;
    switch (state.phase(now)) {
    case OpacimeterPhase::WarmUp:
        status.state = IdleState;
        status.alarm |= WarmingBit;
        status.flags = MakerReadyFlag;
        break;
    case OpacimeterPhase::Check:
        status.state = IdleState;
        status.aux = int(std::floor(state.checkProgress(now) * CheckAuxFull));
        break;
    case OpacimeterPhase::Zeroing: status.state = ZeroingState; break;
    case OpacimeterPhase::Ready:
    case OpacimeterPhase::StandBy:
        status.state = state.started() ? TestState : IdleState;
        status.flags = MakerReadyFlag;
        break;
    }
    return status;
}

// A channel's value in whole units of its record; nullopt for no value.
struct ChannelValue {
    int decimals = 0;
    std::optional<double> value;
    bool outOfRange = false;
};

ChannelValue fromProbe(const ProbeReading& probe) {
    switch (probe.state) {
    case ProbeState::None: return {0, std::nullopt, false};
    case ProbeState::Out: return {0, 0.0, true};
    case ProbeState::Ok: break;
    }
    return {0, probe.value, false};
}

ChannelValue channelValue(int channel, const OpacimeterReadings& r) {
    switch (channel) {
    case 0: return {0, r.smoke};
    case 1: return {1, r.opacity};
    case 2: return {1, HartridgeOfPercent(r.opacity)};
    case 3: return {1, r.voltage};
    case 4: return {0, r.ambient};
    case 5: return {0, r.cell};
    case 6: return fromProbe(r.oil);
    case 7: return {2, r.k};
    case 8: return fromProbe(r.rpm);
    default: return {0, std::nullopt};
    }
}

int rawOf(const ChannelValue& v) {
    if (!v.value)
        return NoValue;
    if (v.outOfRange)
        return OutOfRange;
    const double scaled = std::round(*v.value * std::pow(10.0, v.decimals));
    return int(std::clamp(scaled, 0.0, double(OutOfRange)));
}

} // namespace

const OpacimeterModelInfo& OpacimeterModelInfoOf(int model) {
    return Models[model >= 0 && model < OpacimeterModelCount ? model : OpacimeterMctcModel];
}

MakerStatusBytes OpacimeterMakerStatus(int model, const OpacimeterModel& state, OpacimeterAlarm alarm, Millis now) {
    return model == 0 ? model0Status(state.phase(now), alarm) : laterModelStatus(state, alarm, now);
}

QByteArray OpacimeterStatusData(const MakerStatusBytes& status) {
    QByteArray data;
    for (const int byte : {status.state, status.alarm, status.flags, 0, status.aux})
        data.append(static_cast<char>(byte & 0xFF));
    return data;
}

std::optional<QByteArray> OpacimeterChannelsOf(const QByteArray& data) {
    if (data.isEmpty())
        return std::nullopt;
    const int count = static_cast<unsigned char>(data[0]);
    if (count < 1 || count > OpacimeterChannelCount || data.size() != count + 1)
        return std::nullopt;
    const QByteArray channels = data.mid(1);
    const bool known = std::all_of(channels.begin(), channels.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < OpacimeterChannelCount; });
    return known ? std::optional(channels) : std::nullopt;
}

QByteArray OpacimeterValueRecords(const QByteArray& channels, const OpacimeterReadings& readings, int recordCount) {
    QByteArray data;
    const qsizetype count = std::clamp<qsizetype>(recordCount, 0, channels.size());
    for (qsizetype i = 0; i < count; ++i) {
        const int channel = static_cast<unsigned char>(channels[i]);
        const ChannelValue value = channelValue(channel, readings);
        const int raw = rawOf(value);
        data.append(static_cast<char>(channel)).append(static_cast<char>(value.decimals));
        data.append(static_cast<char>(value.value ? 0 : 1));
        data.append(static_cast<char>((raw >> 8) & 0xFF)).append(static_cast<char>(raw & 0xFF));
    }
    return data;
}

QByteArray OpacimeterIdentityData(int model, const QByteArray& serial) {
    return QByteArray(1, static_cast<char>('0' + std::clamp(model, 0, 9))) + serial.left(6).leftJustified(6, ' ');
}

QByteArray OpacimeterExpiryData(const QByteArray& expiry) {
    const QByteArray date = expiry.leftJustified(8, '0', true);
    return date.left(4) + date.mid(6, 2);
}

} // namespace sim
