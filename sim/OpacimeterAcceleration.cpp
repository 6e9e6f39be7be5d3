#include "sim/OpacimeterAcceleration.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double EffectivePathMetres = 0.43;

// Straight from a to b as x goes from 0 to 1.
double between(double a, double b, double x) {
    return a + (b - a) * x;
}

// An S-shaped climb from 0 to 1: the puff starts slowly and builds.
double smoothStep(double x) {
    return x * x * (3.0 - 2.0 * x);
}

} // namespace

Millis FreeAcceleration::peakStart() const {
    return std::min(rise + PeakDelay, rise + hold);
}

Millis FreeAcceleration::peakEnd() const {
    return std::min(peakStart() + PeakPlateau, rise + hold);
}

EngineSmoke FreeAcceleration::at(Millis time) const {
    if (time < 0 || time >= duration())
        return {idleRpm, idleK};
    const Millis released = rise + hold;
    EngineSmoke out;
    if (time < rise)
        out.rpm = between(idleRpm, governedRpm, double(time) / double(rise));
    else if (time < released)
        out.rpm = governedRpm;
    else
        out.rpm = between(governedRpm, idleRpm, double(time - released) / double(fall));

    const Millis start = peakStart();
    const Millis end = peakEnd();
    const double settled = between(idleK, peakK, SettledShare);
    const auto thinned = [&](Millis t) {
        return settled + (peakK - settled) * std::exp(-double(t - end) / double(ThinningTime));
    };
    if (time < start)
        out.k = between(idleK, peakK, smoothStep(double(time) / double(start)));
    else if (time < end)
        out.k = peakK;
    else if (time < released)
        out.k = thinned(time);
    else
        out.k = between(end < released ? thinned(released) : peakK, idleK, double(time - released) / double(fall));
    return out;
}

double AccelerationCadence::peakOf(int index) const {
    if (peaks.empty())
        return 0.0;
    return peaks[std::clamp<size_t>(size_t(std::max(index, 0)), 0, peaks.size() - 1)];
}

AccelerationSeries::AccelerationSeries(FreeAcceleration shape, AccelerationCadence cadence)
    : shape_(shape), cadence_(std::move(cadence)) {
    // A period shorter than one acceleration would cut each one short.
    cadence_.period = std::max<Millis>({cadence_.period, shape_.duration(), 1});
    cadence_.lead = std::max<Millis>(cadence_.lead, 0);
}

std::optional<int> AccelerationSeries::indexAt(Millis sinceZeroed) const {
    if (sinceZeroed < cadence_.lead)
        return std::nullopt;
    const Millis index = (sinceZeroed - cadence_.lead) / cadence_.period;
    if (cadence_.count > 0 && index >= cadence_.count)
        return std::nullopt;
    return int(std::min<Millis>(index, 1'000'000'000));
}

FreeAcceleration AccelerationSeries::acceleration(int index) const {
    FreeAcceleration one = shape_;
    one.peakK = cadence_.peakOf(index);
    return one;
}

EngineSmoke AccelerationSeries::at(Millis sinceZeroed) const {
    const std::optional<int> index = indexAt(sinceZeroed);
    if (!index)
        return idle();
    return acceleration(*index).at(sinceZeroed - startOf(*index));
}

double OpacityPercentOfK(double k) {
    return 100.0 * (1.0 - std::exp(-k * EffectivePathMetres));
}

} // namespace sim
