#include "sim/OpacimeterReadings.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

ProbeReading probe(int state, double value) {
    return {static_cast<ProbeState>(state), value};
}

} // namespace

OpacimeterReadings OpacimeterReadingsAt(const OpacimeterScenario& scenario, const OpacimeterModel& model, Millis now) {
    const AccelerationSeries series = scenario.series();
    const std::optional<Millis> zeroed = model.zeroedAt(now);
    const EngineSmoke engine = zeroed ? series.at(now - *zeroed) : series.idle();
    const bool ready = model.phase(now) == OpacimeterPhase::Ready;

    OpacimeterReadings out;
    out.k = ready ? std::max(0.0, engine.k) : 0.0;
    out.opacity = OpacityPercentOfK(out.k);
    out.rpm = probe(scenario.conditionAt(OpacimeterCondition::RpmProbe, now), std::max(0.0, engine.rpm));
    out.oil = probe(scenario.conditionAt(OpacimeterCondition::OilProbe, now), scenario.oil.valueAt(now));
    out.smoke = scenario.smoke.valueAt(now);
    out.cell = scenario.alarmAt(now) == OpacimeterAlarm::CellSensor ? 0.0 : scenario.heatedCellAt(now);
    out.ambient = scenario.ambientTemperature;
    out.voltage = scenario.voltage.valueAt(now);
    return out;
}

double HartridgeOfPercent(double percent) {
    const double clear = std::clamp(1.0 - percent / 100.0, 0.0, 1.0);
    return std::nearbyint(1000.0 - 1000.0 * std::pow(clear, 1.791667)) / 10.0;
}

} // namespace sim
