#pragma once

#include "sim/MctcInstrument.h"
#include "sim/Profile.h"

namespace sim {

// A rev counter with an oil-temperature probe (device "RPM"). It counts the
// ignition pulses of an engine whose speed and oil temperature follow
// profiles over scenario time, and turns pulses into a speed with the
// cylinders and strokes programmed into it ("CI", "TE"): programmed right, it
// reads the profile's speed; programmed wrong, it reads a proportionally wrong
// one, as a real counter would.
//
//   "ID"  identity, seven fields
//   "CI"  data: cylinders 1..12     reply without data; other data: silence
//   "TE"  data: strokes 2 or 4      reply without data; other data: silence
//   "VA"  speed, whole rpm
//   "TP"  oil temperature, degrees with one decimal
//   "VE"  speed ETB oil temperature
class RevCounterSim final : public MctcInstrument {
  public:
    static constexpr int DefaultCylinders = 4;
    static constexpr int DefaultStrokes = 4;

    explicit RevCounterSim(ScenarioClock& clock);

    // The engine being measured. The counter itself starts programmed for
    // DefaultCylinders and DefaultStrokes, until told otherwise.
    void setEngineLayout(int cylinders, int strokes);
    int engineCylinders() const { return engineCylinders_; }
    int engineStrokes() const { return engineStrokes_; }
    void setSpeedProfile(const Profile& profile) { speed_ = profile; }
    void setOilProfile(const Profile& profile) { oil_ = profile; }
    // The profiles run from scenario time 0, or, once told to wait, stay at
    // their first point until cue(); every cue starts them again from 0.
    void waitForCue() { waitingForCue_ = true; }
    void cue();

    int programmedCylinders() const { return programmedCylinders_; }
    int programmedStrokes() const { return programmedStrokes_; }

    // What the counter reads at a scenario time with its present programming.
    double speedReadingAt(Millis time) const;
    double oilTemperatureAt(Millis time) const { return oil_.valueAt(profileTime(time)); }

    // The texts the replies carry.
    static QByteArray speedText(double rpm);
    static QByteArray temperatureText(double degrees);

  protected:
    std::optional<Reply> handle(const MctcRequest& request, Millis now) override;

  private:
    Millis profileTime(Millis time) const;

    int engineCylinders_ = DefaultCylinders;
    int engineStrokes_ = DefaultStrokes;
    int programmedCylinders_ = DefaultCylinders;
    int programmedStrokes_ = DefaultStrokes;
    Profile speed_;
    Profile oil_;
    bool waitingForCue_ = false;
    Millis cuedAt_ = 0;
};

// Whole cylinders 1..12 and strokes 2 or 4, as the counter accepts them.
bool ValidCylinderCount(int cylinders);
bool ValidStrokeCount(int strokes);

} // namespace sim
