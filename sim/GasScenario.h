#pragma once

#include "sim/ScenarioClock.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace sim {

// A reading as a gas analyser holds it: a number, or one of the two conditions
// an analyser reports instead of one.
struct GasValue {
    enum class Kind {
        Number,
        None,  // the analyser cannot give the value (no sensor, no signal)
        Over,  // beyond what the channel can carry
        Blank, // an empty MCTC-NET field; no value in the maker's frames
    };
    Kind kind = Kind::Number;
    double number = 0.0;

    static GasValue of(double value) { return {Kind::Number, value}; }
    static GasValue none() { return {Kind::None, 0.0}; }
    static GasValue over() { return {Kind::Over, 0.0}; }
    bool isNumber() const { return kind == Kind::Number; }
    bool operator==(const GasValue&) const = default;
};

// What the analyser measures (or, for the pressure, shows during a leak test).
enum class GasQuantity {
    CO,             // % vol
    CO2,            // % vol
    HC,             // ppm
    O2,             // % vol
    NOx,            // ppm
    Lambda,         // -
    COcorr,         // % vol; computed from CO, CO2 and the fuel unless scripted
    EngineSpeed,    // rpm
    OilTemperature, // degrees C
    Pressure,       // mbar, leak test
};
inline constexpr int GasQuantityCount = 10;

// Every quantity at one moment.
struct GasReadings {
    std::array<GasValue, GasQuantityCount> values{};
    GasValue operator[](GasQuantity quantity) const { return values[static_cast<int>(quantity)]; }
    GasValue& operator[](GasQuantity quantity) { return values[static_cast<int>(quantity)]; }
};

// The analyser's own corrected CO: CO x K / (CO + CO2) while the sum is above
// zero and below the fuel constant K (15 petrol, 12 methane, 14 LPG), else CO.
double AnalyserCorrectedCO(double co, double co2, double fuelConstant);

// Conditions and faults the scenario switches over time.
enum class GasCondition {
    ErrorCode,      // error register code, 0 none
    FaultyChannels, // bits 1 CO, 2 CO2, 4 HC, 8 O2
    Status,         // the status code to report instead of the true one; -1 the true one
    ErTen,          // the maker status reply's spare byte
    LeakResult,     // 'R' or 'I': how a leak test ending then turns out
    ResidueResult,  // 'R' or 'I': how an HC residue test ending then turns out
    Mute,           // 1: no replies at all
    BadChecksum,    // 1: replies carry a wrong checksum
    ValueFields,    // fields in an "@VA" reply, 0..9 (fewer: a truncated reply)
};
inline constexpr int GasConditionCount = 9;

// Where the scenario's times count from.
enum class ScenarioOrigin {
    PowerOn, // the simulator's start
    Zeroed,  // the end of the latest zeroing (before any: time 0)
    Residue, // the end of the latest HC residue test (before any: time 0)
};

// Everything a simulated gas analyser reads and suffers over time. Quantities
// run along straight lines between their points (a no-value or out-of-range
// point holds until the next point); before the first point a quantity has
// its first point's value, after the last the last one's, and without points
// a quiet petrol engine at idle. Conditions hold from their point until the
// next one and have their defaults before the first.
class GasScenario {
  public:
    static constexpr int MaxPoints = 20000;
    static constexpr qsizetype MaxFileBytes = 1024 * 1024;
    static constexpr Millis MaxTime = 7LL * 24 * 3600 * 1000;

    // Points may be added in any order; equal times make a step.
    void addValue(GasQuantity quantity, Millis at, GasValue value);
    void addCondition(GasCondition condition, Millis at, int value);

    GasValue valueAt(GasQuantity quantity, Millis time) const;
    int conditionAt(GasCondition condition, Millis time) const;
    bool scripted(GasQuantity quantity) const;
    // All quantities at a time; corrected CO computed with the fuel constant
    // unless scripted.
    GasReadings readingsAt(Millis time, double fuelConstant) const;

    ScenarioOrigin origin() const { return origin_; }
    void setOrigin(ScenarioOrigin origin) { origin_ = origin; }

    static GasValue defaultValue(GasQuantity quantity);
    static int defaultCondition(GasCondition condition);

    // The scenario file format (see FormatHelp). nullopt and the reason, with
    // its line number, in *error when the text is not such a file.
    static std::optional<GasScenario> parse(QByteArrayView text, QString* error = nullptr);
    static std::optional<GasScenario> load(const QString& path, QString* error = nullptr);
    static QString formatHelp();

  private:
    struct ValuePoint {
        Millis at;
        GasValue value;
    };
    struct ConditionPoint {
        Millis at;
        int value;
    };

    std::array<std::vector<ValuePoint>, GasQuantityCount> values_;
    std::array<std::vector<ConditionPoint>, GasConditionCount> conditions_;
    ScenarioOrigin origin_ = ScenarioOrigin::PowerOn;
};

} // namespace sim
