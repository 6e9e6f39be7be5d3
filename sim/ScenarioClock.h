#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

// Scenario time in milliseconds since the simulation started.
using Millis = std::int64_t;

// Something that has work due at given scenario times (replies to deliver).
class ClockListener {
  public:
    // The earliest time at which work is due, if any.
    virtual std::optional<Millis> nextDue() const = 0;
    // Does everything due at or before now.
    virtual void reach(Millis now) = 0;

  protected:
    ~ClockListener() = default;
};

// The simulation's clock. Tests advance it by hand; the simulator program lets a
// RealTimeDriver follow the wall clock. Advancing stops at every due time on the
// way, so a reply is delivered at its own moment and whatever the program does
// in answer happens at that moment too.
class ScenarioClock {
  public:
    ScenarioClock() = default;
    ScenarioClock(const ScenarioClock&) = delete;
    ScenarioClock& operator=(const ScenarioClock&) = delete;

    Millis now() const { return now_; }
    // Time never runs backwards: an earlier target only delivers what is due now.
    void advanceTo(Millis target);
    void advanceBy(Millis delta) { advanceTo(now_ + (delta > 0 ? delta : 0)); }

    void subscribe(ClockListener& listener);
    void unsubscribe(ClockListener& listener);
    std::optional<Millis> nextDue() const;

  private:
    bool subscribed(const ClockListener* listener) const;

    Millis now_ = 0;
    std::vector<ClockListener*> listeners_;
};

} // namespace sim
