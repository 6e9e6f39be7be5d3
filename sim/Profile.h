#pragma once

#include "sim/ScenarioClock.h"

#include <QString>

#include <optional>
#include <vector>

namespace sim {

struct ProfilePoint {
    Millis at = 0;
    double value = 0;
};

// A quantity that changes over scenario time along straight lines between
// points: an idle stretch, a ramp, a hold. Before the first point it keeps the
// first value, after the last point the last value, unless the profile repeats,
// in which case time wraps at the last point.
class Profile {
  public:
    Profile() = default;
    // Points are put in time order; equal times make a step.
    explicit Profile(std::vector<ProfilePoint> points, bool repeat = false);
    static Profile constant(double value) { return Profile({{0, value}}); }

    double valueAt(Millis time) const;
    const std::vector<ProfilePoint>& points() const { return points_; }
    bool repeats() const { return repeat_; }

    // "t:v,t:v,..." with t in seconds (decimals allowed) and v the value, both
    // with a "." decimal point; a trailing ",repeat" makes it repeat. nullopt
    // and a reason in *error when the text is not such a list.
    static std::optional<Profile> parse(const QString& text, QString* error = nullptr);

  private:
    std::vector<ProfilePoint> points_;
    bool repeat_ = false;
};

} // namespace sim
