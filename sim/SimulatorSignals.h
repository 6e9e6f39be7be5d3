#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace sim {

// Turns SIGTERM, SIGINT and SIGHUP (leave), and SIGUSR1 (the cue, see
// RevCounterSim::cue), into a Qt signal delivered on the event loop, so the
// simulator can take its link down and leave in order. One at a time per
// process; the previous handlers come back when it goes.
class SimulatorSignals : public QObject {
    Q_OBJECT
  public:
    SimulatorSignals();
    ~SimulatorSignals() override;
    bool installed() const { return notifier_ != nullptr; }

  signals:
    void received(int signalNumber);

  private:
    void drain();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace sim
