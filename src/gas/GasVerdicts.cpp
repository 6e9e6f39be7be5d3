#include "gas/GasVerdicts.h"

#include "shared/Globals.h"

#include <cmath>

namespace gas {

namespace {

constexpr double DilutedAboveO2 = 15.0;
constexpr double DilutedBelowCO2 = 3.0;

} // namespace

bool IsGiven(double value) {
    return std::isfinite(value) && value != NoValue;
}

GasLimits LimitsOf(const SettingsState& s) {
    return {s.RpmCheck == 1, s.RPMmin, s.RPMmaccLI, s.RPMmaccLS, s.LambdaLI, s.LambdaLS, s.LCOcorMin, s.LCOcorMinacc};
}

bool IsDiluted(double o2, double co2) {
    const bool enoughOxygenLeft = IsGiven(o2) && o2 <= DilutedAboveO2;
    const bool enoughCarbonDioxide = IsGiven(co2) && co2 >= DilutedBelowCO2;
    return !enoughOxygenLeft && !enoughCarbonDioxide;
}

SpeedBand AcceleratedSpeedBand(const GasLimits& limits, double speed) {
    if (!IsGiven(speed) || speed < limits.rpmAccLow)
        return SpeedBand::Below;
    if (speed > limits.rpmAccHigh)
        return SpeedBand::Above;
    return SpeedBand::Within;
}

bool IdleSpeedAwaited(const GasLimits& limits, double speed) {
    if (!IsGiven(speed))
        return limits.rpmCheck;
    return speed >= limits.rpmMin;
}

bool IdleValuesAwaited(const GasLimits& limits, double speed, double coCorr) {
    return IdleSpeedAwaited(limits, speed) || !IsGiven(coCorr) || coCorr > limits.coCorrIdle;
}

IdleVerdict JudgeIdle(const GasLimits& limits, double speed, double coCorr) {
    IdleVerdict verdict;
    verdict.speedHigh = limits.rpmCheck && (!IsGiven(speed) || speed > limits.rpmMin);
    verdict.coCorrHigh = !IsGiven(coCorr) || coCorr > limits.coCorrIdle;
    return verdict;
}

AcceleratedVerdict JudgeAcceleratedIdle(const GasLimits& limits, double speed, double coCorr, double lambda,
                                        bool idlePassed) {
    AcceleratedVerdict verdict;
    verdict.speedOut = limits.rpmCheck && AcceleratedSpeedBand(limits, speed) != SpeedBand::Within;
    verdict.coCorrHigh = !IsGiven(coCorr) || coCorr > limits.coCorrAcc;
    verdict.lambdaOut = !IsGiven(lambda) || lambda < limits.lambdaLow || lambda > limits.lambdaHigh;
    verdict.idleFailed = !idlePassed;
    return verdict;
}

} // namespace gas
