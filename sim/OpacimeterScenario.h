#pragma once

#include "sim/OpacimeterAcceleration.h"
#include "sim/Profile.h"
#include "sim/ScenarioClock.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <map>
#include <optional>

namespace sim {

// How long the opacimeter's own procedures last, in scenario milliseconds.
struct OpacimeterTiming {
    Millis warmUp = 20000; // the cell heats up from the ambient temperature
    Millis check = 3000;   // self-check after the warm-up
    Millis zeroing = 4000; // on clean air, after the check and at each test start
};

// A fault the instrument detects; each protocol and model reports it its own way.
enum class OpacimeterAlarm {
    None,
    PressureHigh, // pressure in the measuring chamber
    PressureLow,
    Emitter,    // light emitter not working
    Optics,     // optical path dirty
    Overheat,   // instrument too hot
    Slide,      // smoke-blocking slide stuck
    CellSensor, // cell temperature sensor broken: the cell reads 0
};

// A probe of the instrument: working, missing (no value) or beyond its range.
enum class ProbeState { Ok, None, Out };

// Conditions the scenario switches over time. "Raw" ones replace a byte or
// code the instrument would send with a value of the scenario's choosing;
// AutoCondition (-1) leaves the instrument's own.
enum class OpacimeterCondition {
    Alarm,        // an OpacimeterAlarm
    Mute,         // 1: no replies at all
    BadChecksum,  // 1: replies carry a wrong checksum
    ValueFields,  // values in a value reply, 0..8 (fewer: a truncated reply)
    OilProbe,     // a ProbeState
    RpmProbe,     // a ProbeState (Ok or None)
    Slide,        // MCTC-NET parameter "020", five digits; automatic: follows the slide
    Operating,    // MCTC-NET parameter "021", five digits
    Status,       // raw: MCTC-NET status code or maker state code
    ErrorCode,    // raw: MCTC-NET three-digit error field
    RegisterCode, // raw: MCTC-NET "@RS" error code
    AlarmByte,    // raw: maker status alarm byte
    Flags,        // raw: maker status flag byte
    Aux,          // raw: maker status auxiliary byte
};
inline constexpr int OpacimeterConditionCount = 14;
inline constexpr int AutoCondition = -1;

// The slide and operating parameter values the instrument uses on its own.
inline constexpr int SlideOpen = 16;
inline constexpr int SlideClosed = 32;
inline constexpr int OperatingNormal = 2;

// Everything a simulated opacimeter goes through: the length of its own
// procedures, the engine and the operator's accelerations, the temperatures
// and supply voltage over time, what it says about itself, and conditions
// that switch at moments of scenario time (counted from power-on).
class OpacimeterScenario {
  public:
    static constexpr qsizetype MaxFileBytes = 256 * 1024;
    static constexpr int MaxPoints = 10000;
    static constexpr Millis MaxTime = 7LL * 24 * 3600 * 1000;

    OpacimeterTiming timing;
    FreeAcceleration shape;
    AccelerationCadence cadence;
    double ambientTemperature = 20;
    double cellSetPoint = 80; // reached at the end of the warm-up
    Profile oil = Profile::constant(80);
    Profile smoke = Profile::constant(60); // exhaust gas temperature
    Profile voltage = Profile::constant(13.2);
    QByteArray serial = "004217";   // six characters
    QByteArray version = "4.10";    // MCTC-NET identification
    QByteArray expiry = "31122030"; // DDMMYYYY

    // Equal times: the later call wins.
    void setCondition(OpacimeterCondition condition, Millis at, int value);
    int conditionAt(OpacimeterCondition condition, Millis time) const;
    static int defaultCondition(OpacimeterCondition condition);
    OpacimeterAlarm alarmAt(Millis time) const {
        return static_cast<OpacimeterAlarm>(conditionAt(OpacimeterCondition::Alarm, time));
    }

    // The cell temperature the heater reaches at a moment of the warm-up.
    double heatedCellAt(Millis time) const;
    AccelerationSeries series() const { return AccelerationSeries(shape, cadence); }

    // The scenario file format (see formatHelp). nullopt and the reason, with
    // its line number, in *error when the text is not such a file.
    static std::optional<OpacimeterScenario> parse(QByteArrayView text, QString* error = nullptr);
    static std::optional<OpacimeterScenario> load(const QString& path, QString* error = nullptr);
    static QString formatHelp();

  private:
    std::array<std::map<Millis, int>, OpacimeterConditionCount> conditions_;
};

} // namespace sim
