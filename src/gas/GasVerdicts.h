#pragma once

struct SettingsState;

// The limits of the idle and accelerated-idle tests and the judgements made
// against them. Comparisons are strict: a value equal to a limit is within it.
// A value the analyser could not give is -1, below every lower limit.
namespace gas {

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

// A sample drawn mostly from ambient air: the probe is out of the exhaust or the line leaks.
bool IsDiluted(double o2, double co2);

// Where the engine speed stands against the accelerated-idle range.
enum class SpeedBand { Below, Within, Above };
SpeedBand AcceleratedSpeedBand(const GasLimits& limits, double speed);

struct IdleVerdict {
    bool speedHigh = false; // only with the rpm check on
    bool coCorrHigh = false;
    bool passed() const { return !speedHigh && !coCorrHigh; }
};
IdleVerdict JudgeIdle(const GasLimits& limits, double speed, double coCorr);

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
