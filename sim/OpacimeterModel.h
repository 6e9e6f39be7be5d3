#pragma once

#include "sim/OpacimeterScenario.h"

#include <optional>

namespace sim {

// What the opacimeter is doing, whichever protocol reports it.
enum class OpacimeterPhase {
    WarmUp,  // the cell heats up
    Check,   // self-check
    Zeroing, // on clean air, slide closed
    Ready,   // measuring, slide open
    StandBy, // resting until the next start (MCTC-NET only)
};

// The opacimeter's inner life, protocol aside: warm-up, self-check and a first
// zeroing after power-on, then ready; a start zeroes it again; stand-by rests
// it until the next start. Every call is given the present scenario time;
// phases end on their own as time passes, so nothing needs ticking.
class OpacimeterModel {
  public:
    explicit OpacimeterModel(OpacimeterTiming timing);

    const OpacimeterTiming& timing() const { return timing_; }
    OpacimeterPhase phase(Millis now) const;
    // The self-check's progress, 0..1 (1 once it is over).
    double checkProgress(Millis now) const;

    // A start: zeroing, then ready. Refused (false) during the warm-up and
    // the check; a start while zeroing begins the zeroing again.
    bool start(Millis now);
    // Stand-by until the next start; refused during the warm-up and the check.
    bool standBy(Millis now);
    // Whether a start has come since power-on.
    bool started() const { return started_; }

    // When the latest zeroing ended, while the instrument is ready after it.
    std::optional<Millis> zeroedAt(Millis now) const;

  private:
    Millis checkEnd() const { return timing_.warmUp + timing_.check; }
    bool busyStarting(Millis now) const { return now < checkEnd(); }

    OpacimeterTiming timing_;
    Millis zeroingStart_;
    bool standBy_ = false;
    bool started_ = false;
};

} // namespace sim
