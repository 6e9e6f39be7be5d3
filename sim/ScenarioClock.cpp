#include "sim/ScenarioClock.h"

#include <algorithm>

namespace sim {

namespace {
// Two parties answering each other with no delay could otherwise keep one
// advance going for ever.
constexpr int MaxStepsPerAdvance = 100000;
} // namespace

void ScenarioClock::advanceTo(Millis target) {
    target = std::max(target, now_);
    for (int step = 0; step < MaxStepsPerAdvance; ++step) {
        const std::optional<Millis> due = nextDue();
        if (!due || *due > target)
            break;
        now_ = std::max(now_, *due);
        // A listener may go away, or another arrive, while one is served.
        const std::vector<ClockListener*> serving = listeners_;
        for (ClockListener* listener : serving) {
            if (subscribed(listener))
                listener->reach(now_);
        }
    }
    now_ = target;
}

void ScenarioClock::subscribe(ClockListener& listener) {
    if (!subscribed(&listener))
        listeners_.push_back(&listener);
}

void ScenarioClock::unsubscribe(ClockListener& listener) {
    std::erase(listeners_, &listener);
}

std::optional<Millis> ScenarioClock::nextDue() const {
    std::optional<Millis> earliest;
    for (const ClockListener* listener : listeners_) {
        const std::optional<Millis> due = listener->nextDue();
        if (due && (!earliest || *due < *earliest))
            earliest = due;
    }
    return earliest;
}

bool ScenarioClock::subscribed(const ClockListener* listener) const {
    return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
}

} // namespace sim
