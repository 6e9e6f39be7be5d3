#include "sim/GasScenarioRuns.h"

namespace sim {

namespace {

constexpr int MaxTestSeconds = 819;
// From the start of measuring to the program's first reading of it.
constexpr Millis StartMargin = 1000;
// The program shows the idle verdict this long before asking for speed.
constexpr Millis VerdictPause = 3500;
constexpr Millis RampTime = 2000;
// The program waits up to 15 s after a timed measurement for values within limits.
constexpr Millis GraceTime = 15000;
constexpr Millis SpareTime = 5000;
constexpr Millis ProbeOutTime = 3000;

struct Reading {
    double rpm;
    double co;
    double co2;
    double o2;
    double hc;
    double lambda;
};

constexpr Reading CleanIdle{850, 0.10, 14.8, 0.30, 30, 1.00};
constexpr Reading RichIdle{850, 1.00, 13.0, 0.50, 180, 0.99};
constexpr Reading CleanAccelerated{2300, 0.05, 15.0, 0.20, 20, 1.01};
constexpr Reading LeanAccelerated{2300, 0.04, 14.2, 1.20, 25, 1.06};
constexpr Reading AmbientAir{850, 0.00, 0.5, 20.5, 5, 1.00};

enum class Run { Pass, IdleFail, LambdaFail, Diluted };

struct NamedRun {
    const char* name;
    Run run;
};
constexpr NamedRun Runs[] = {
    {"pass", Run::Pass}, {"idle-fail", Run::IdleFail}, {"lambda-fail", Run::LambdaFail}, {"diluted", Run::Diluted}};

// Every reading at one moment; two calls at the same moment make a step.
void put(GasScenario& scenario, Millis at, const Reading& r) {
    scenario.addValue(GasQuantity::EngineSpeed, at, GasValue::of(r.rpm));
    scenario.addValue(GasQuantity::CO, at, GasValue::of(r.co));
    scenario.addValue(GasQuantity::CO2, at, GasValue::of(r.co2));
    scenario.addValue(GasQuantity::O2, at, GasValue::of(r.o2));
    scenario.addValue(GasQuantity::HC, at, GasValue::of(r.hc));
    scenario.addValue(GasQuantity::Lambda, at, GasValue::of(r.lambda));
}

} // namespace

QStringList CertificationRunNames() {
    QStringList names;
    for (const NamedRun& run : Runs)
        names << QString::fromLatin1(run.name);
    return names;
}

std::optional<GasScenario> CertificationRunScenario(QStringView name, GasProtocol protocol, int testSeconds) {
    const NamedRun* chosen = nullptr;
    for (const NamedRun& run : Runs)
        if (name == QLatin1String(run.name))
            chosen = &run;
    if (!chosen || testSeconds < 1 || testSeconds > MaxTestSeconds)
        return std::nullopt;

    const Millis measurement = Millis{testSeconds} * 1000;
    const Reading& idle = chosen->run == Run::IdleFail ? RichIdle : CleanIdle;
    const Reading& accelerated = chosen->run == Run::LambdaFail ? LeanAccelerated : CleanAccelerated;
    GasScenario scenario;
    scenario.setOrigin(protocol == GasProtocol::Maker ? ScenarioOrigin::Zeroed : ScenarioOrigin::Residue);

    put(scenario, 0, idle);
    Millis idleEnd = StartMargin + measurement;
    if (chosen->run == Run::Diluted) {
        // A whole measurement of good sample is needed after the probe is back.
        const Millis out = measurement / 2;
        put(scenario, out, idle);
        put(scenario, out, AmbientAir);
        put(scenario, out + ProbeOutTime, AmbientAir);
        put(scenario, out + ProbeOutTime, idle);
        idleEnd = out + ProbeOutTime + measurement + StartMargin;
    }
    const Millis rampStart = idleEnd + VerdictPause;
    put(scenario, rampStart, idle);
    const Millis held = rampStart + RampTime;
    put(scenario, held, accelerated);
    const Millis heldEnd = held + measurement + GraceTime + SpareTime;
    put(scenario, heldEnd, accelerated);
    put(scenario, heldEnd + RampTime, CleanIdle);
    return scenario;
}

} // namespace sim
