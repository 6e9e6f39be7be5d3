#include "sim/OpacimeterMctcCodec.h"

#include "link/FrameBytes.h"

#include <QByteArrayList>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int OutOfRangeTemperature = 888;
constexpr double EmitterLevel = 92;
constexpr double ReceiverLevel = 88;
constexpr double InternalTemperature = 38;
constexpr double ChamberPressure = 2;

QByteArray fixed(double value, int decimals) {
    return QByteArray::number(value, 'f', decimals);
}

QByteArray probeText(const ProbeReading& probe) {
    switch (probe.state) {
    case ProbeState::None: return "-1";
    case ProbeState::Out: return QByteArray::number(OutOfRangeTemperature);
    case ProbeState::Ok: break;
    }
    return fixed(probe.value, 0);
}

QByteArray joined(const QByteArrayList& fields) {
    return fields.join(FrameByte::Etb);
}

} // namespace

int OpacimeterMctcStatus(const OpacimeterModel& state, Millis now) {
    switch (state.phase(now)) {
    case OpacimeterPhase::WarmUp:
    case OpacimeterPhase::Check: return 1;
    case OpacimeterPhase::StandBy: return 2;
    case OpacimeterPhase::Zeroing: return 4;
    case OpacimeterPhase::Ready: break;
    }
    return state.started() ? 16 : 8;
}

int OpacimeterErrorField(OpacimeterAlarm alarm) {
    switch (alarm) {
    case OpacimeterAlarm::Optics: return 2;
    case OpacimeterAlarm::PressureHigh:
    case OpacimeterAlarm::PressureLow: return 3;
    case OpacimeterAlarm::Emitter: return 4;
    case OpacimeterAlarm::Overheat: return 7;
    case OpacimeterAlarm::CellSensor: return 10;
    case OpacimeterAlarm::None:
    case OpacimeterAlarm::Slide: break;
    }
    return ErrorFieldNone;
}

QByteArray ErrorFieldText(int code) {
    return QByteArray::number(std::clamp(code, 0, 999)).rightJustified(3, '0');
}

int OpacimeterRegisterCode(OpacimeterAlarm alarm) {
    switch (alarm) {
    case OpacimeterAlarm::Slide: return 20;
    case OpacimeterAlarm::Overheat: return 24;
    case OpacimeterAlarm::Emitter: return 25;
    case OpacimeterAlarm::Optics: return 26;
    default: return 0;
    }
}

QByteArray OpacimeterValueData(const OpacimeterReadings& r, int errorField, int fieldCount) {
    const QByteArrayList fields{
        fixed(r.k, 2),
        fixed(r.opacity, 1),
        probeText(r.rpm),
        probeText(r.oil),
        fixed(r.smoke, 0),
        fixed(r.cell, 0),
        fixed(HartridgeOfPercent(r.opacity), 1),
        ErrorFieldText(errorField),
    };
    return joined(fields.first(std::clamp<qsizetype>(fieldCount, 0, fields.size())));
}

QByteArray OpacimeterDiagnosticData(const OpacimeterReadings& r, double cellSetPoint, Millis now) {
    constexpr Millis MillisPerHour = 3600 * 1000;
    const double millivolts = std::round(std::max(0.0, r.voltage) * 1000.0);
    return joined({fixed(cellSetPoint, 0), fixed(EmitterLevel, 0), fixed(ReceiverLevel, 0),
                   fixed(InternalTemperature, 0), fixed(ChamberPressure, 0), fixed(millivolts, 0),
                   QByteArray::number(1200 + now / MillisPerHour)});
}

std::optional<int> OpacimeterParameterNumber(const QByteArray& requestData) {
    if (requestData.isEmpty() || requestData.size() > 3)
        return std::nullopt;
    if (!std::all_of(requestData.begin(), requestData.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int number = requestData.toInt();
    if (number != SlideParameter && number != OperatingParameter)
        return std::nullopt;
    return number;
}

QByteArray OpacimeterParameterData(int parameter, int value) {
    return joined({QByteArray::number(std::clamp(value, 0, 99999)).rightJustified(5, '0'),
                   QByteArray::number(std::clamp(parameter, 0, 999)).rightJustified(3, '0')});
}

} // namespace sim
