#pragma once

#include "sim/ScenarioClock.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace sim {

// Moves a scenario clock along with the wall clock from the Qt event loop, a
// few milliseconds at a time, for the simulator program and for tests that
// talk to a simulator over a real line.
class RealTimeDriver : public QObject {
    Q_OBJECT
  public:
    static constexpr int DefaultStepMs = 5;

    explicit RealTimeDriver(ScenarioClock& clock, int stepMs = DefaultStepMs, QObject* parent = nullptr);

    // Scenario time then runs on from where the clock stands.
    void start();
    void stop() { timer_.stop(); }
    bool running() const { return timer_.isActive(); }
    // Brings the clock up to the wall clock now.
    void catchUp();

  private:
    ScenarioClock& clock_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    Millis origin_ = 0;
};

} // namespace sim
