#pragma once

#include "gas/GasDecoding.h"

struct SettingsState;

// The limits of the idle and accelerated-idle tests and the judgements made
// against them. Comparisons are strict: a value equal to a limit is within it.
// A value the analyser could not give (-1) is within no limit: a verdict on it
// is "not passed", and a phase that waits for its values keeps waiting.
namespace gas {

// Whether the analyser gave the value; -1 (or anything not finite) is no reading.
bool IsGiven(double value);

// The readings the test phases and verdicts look at, NoValue where there is none.
struct TestReadings {
    double engineSpeed = NoValue;
    double coCorr = NoValue;
    double lambda = NoValue;
    double o2 = NoValue;
    double co2 = NoValue;
};

struct GasLimits {
    bool rpmCheck = false; // engine speed takes part in the tests
    double rpmMin = 0;     // highest idle speed
    double rpmAccLow = 0;  // accelerated-idle speed range
    double rpmAccHigh = 0;
    double lambdaLow = 0; // accelerated-idle lambda range
    double lambdaHigh = 0;
    double coCorrIdle = 0; // highest corrected CO at idle
    double coCorrAcc = 0;  // highest corrected CO at accelerated idle
};

GasLimits LimitsOf(const SettingsState& settings);

// A sample drawn mostly from ambient air: the probe is out of the exhaust or the
// line leaks. Without the O2 or CO2 reading that would clear it, it counts as
// diluted, so the phase waits for a sample it can judge.
bool IsDiluted(double o2, double co2);

// Where the engine speed stands against the accelerated-idle range; no speed
// is below it (the operator is asked to speed up and the phase waits).
enum class SpeedBand { Below, Within, Above };
SpeedBand AcceleratedSpeedBand(const GasLimits& limits, double speed);

// Whether the engine may still be above idle: at or above RPMmin, or, with the
// rpm check on, no speed at all.
bool IdleSpeedAwaited(const GasLimits& limits, double speed);
// The idle phase of a vehicle without catalyst waits on while the engine is not
// known to be back below RPMmin (a missing speed only counts with the rpm check
// on) or corrected CO is above its limit or missing.
bool IdleValuesAwaited(const GasLimits& limits, double speed, double coCorr);

// Each flag: above the limit or not given (the field is shown red).
struct IdleVerdict {
    bool speedHigh = false; // only with the rpm check on
    bool coCorrHigh = false;
    bool passed() const { return !speedHigh && !coCorrHigh; }
};
IdleVerdict JudgeIdle(const GasLimits& limits, double speed, double coCorr);

// Each value flag: outside its limits or not given (the field is shown red).
struct AcceleratedVerdict {
    bool speedOut = false; // only with the rpm check on
    bool coCorrHigh = false;
    bool lambdaOut = false;
    bool idleFailed = false;
    bool valuesWithin() const { return !speedOut && !coCorrHigh && !lambdaOut; }
    bool passed() const { return valuesWithin() && !idleFailed; }
};
AcceleratedVerdict JudgeAcceleratedIdle(const GasLimits& limits, double speed, double coCorr, double lambda,
                                        bool idlePassed);

} // namespace gas
