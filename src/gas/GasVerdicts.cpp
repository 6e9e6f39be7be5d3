#include "gas/GasVerdicts.h"

#include "shared/Globals.h"

namespace gas {

namespace {

constexpr double DilutedAboveO2 = 15.0;
constexpr double DilutedBelowCO2 = 3.0;

} // namespace

GasLimits LimitsOf(const SettingsState& s) {
    return {s.RpmCheck == 1, s.RPMmin, s.RPMmaccLI, s.RPMmaccLS, s.LambdaLI, s.LambdaLS, s.LCOcorMin, s.LCOcorMinacc};
}

bool IsDiluted(double o2, double co2) {
    return o2 > DilutedAboveO2 && co2 < DilutedBelowCO2;
}

SpeedBand AcceleratedSpeedBand(const GasLimits& limits, double speed) {
    if (speed < limits.rpmAccLow)
        return SpeedBand::Below;
    if (speed > limits.rpmAccHigh)
        return SpeedBand::Above;
    return SpeedBand::Within;
}

IdleVerdict JudgeIdle(const GasLimits& limits, double speed, double coCorr) {
    IdleVerdict verdict;
    verdict.speedHigh = limits.rpmCheck && speed > limits.rpmMin;
    verdict.coCorrHigh = coCorr > limits.coCorrIdle;
    return verdict;
}

AcceleratedVerdict JudgeAcceleratedIdle(const GasLimits& limits, double speed, double coCorr, double lambda,
                                        bool idlePassed) {
    AcceleratedVerdict verdict;
    verdict.speedOut = limits.rpmCheck && AcceleratedSpeedBand(limits, speed) != SpeedBand::Within;
    verdict.coCorrHigh = coCorr > limits.coCorrAcc;
    verdict.lambdaOut = lambda < limits.lambdaLow || lambda > limits.lambdaHigh;
    verdict.idleFailed = !idlePassed;
    return verdict;
}

} // namespace gas
