#pragma once

#include "sim/ScenarioClock.h"

#include <optional>
#include <vector>

namespace sim {

// Engine speed and smoke at one moment.
struct EngineSmoke {
    double rpm = 0.0;
    double k = 0.0; // absorption coefficient, m-1
};

// One free acceleration of a diesel engine, as the opacimeter sees it: the
// pedal goes down at time 0, the speed climbs from idle to the governed speed
// and stays there, the pedal is released and the speed falls back to idle.
// The smoke puff follows the climb, holds its peak k for a moment just after
// the governed speed is reached (so any reading taken then shows exactly the
// peak), then thins towards a lower level while the speed is held, and back
// to the idle level while the speed falls.
struct FreeAcceleration {
    static constexpr Millis PeakDelay = 200;     // from reaching the governed speed to the peak
    static constexpr Millis PeakPlateau = 300;   // how long the peak lasts
    static constexpr Millis ThinningTime = 400;  // time constant of the smoke thinning out
    static constexpr double SettledShare = 0.15; // held-speed k, as a share of the way from idle k to peak

    double idleRpm = 800;
    double governedRpm = 4500;
    Millis rise = 1000; // idle to governed speed
    Millis hold = 2500; // at governed speed
    Millis fall = 1500; // governed speed back to idle
    double idleK = 0.08;
    double peakK = 1.0;

    Millis duration() const { return rise + hold + fall; }
    // When the peak starts and ends, counted from the pedal going down; both
    // fall within the hold however short it is.
    Millis peakStart() const;
    Millis peakEnd() const;
    // Time counted from the pedal going down; idle before and after.
    EngineSmoke at(Millis time) const;
};

// How the simulated operator runs accelerations: the first one a lead time
// after the instrument's zeroing ends, then one every period, each with its
// own peak k (the last peak repeats), for count accelerations (0: no end).
// The defaults leave time for the program's waits between accelerations even
// when its timer runs late, so a speed-triggered test sees every one.
struct AccelerationCadence {
    Millis lead = 6000;
    Millis period = 15000;
    int count = 0;
    std::vector<double> peaks{1.00, 1.10, 1.20};

    double peakOf(int index) const;
};

// The accelerations of one run after a zeroing: which one is under way and
// what the engine and the smoke do, at a time counted from the zeroing's end.
class AccelerationSeries {
  public:
    AccelerationSeries() = default;
    AccelerationSeries(FreeAcceleration shape, AccelerationCadence cadence);

    const FreeAcceleration& shape() const { return shape_; }
    const AccelerationCadence& cadence() const { return cadence_; }

    // The acceleration whose period holds this time (0 first), or nullopt
    // before the first and after the last.
    std::optional<int> indexAt(Millis sinceZeroed) const;
    // When acceleration index starts, counted from the zeroing's end.
    Millis startOf(int index) const { return cadence_.lead + Millis(index) * cadence_.period; }
    // That acceleration alone, with its own peak.
    FreeAcceleration acceleration(int index) const;
    EngineSmoke at(Millis sinceZeroed) const;
    // The engine idling with no acceleration.
    EngineSmoke idle() const { return {shape_.idleRpm, shape_.idleK}; }

  private:
    FreeAcceleration shape_;
    AccelerationCadence cadence_;
};

// Opacity N in per cent for an absorption coefficient k over the standard
// effective optical path of 0.43 m.
double OpacityPercentOfK(double k);

} // namespace sim
