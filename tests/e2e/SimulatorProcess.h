#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "support/EventWaiting.h"

namespace e2e {

using ::pumpFor;
using ::waitUntil;

// The quaveron-sim program next to the tests in the build tree.
QString simulatorProgram();

// One quaveron-sim process serving an instrument on a pseudo-terminal, with
// every request it reads traced (--verbose). Stopped with SIGTERM, and killed
// when it does not go, when the object goes.
class SimulatorProcess {
  public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts `quaveron-sim <instrument> --link <link> --verbose <options>` and
    // waits for the link to appear. False with error() set otherwise.
    bool start(const QString& instrument, const QString& link, const QStringList& options);
    void stop();
    // Sends the cue (SIGUSR1), which starts a --cued rev counter's profiles.
    bool cue();
    QString error() const { return error_; }

    // The commands of the MCTC-NET requests served so far, in order ("ID",
    // "@ST", "ET", ...), and the ones from index `first` on.
    QStringList commands();
    QStringList commandsSince(qsizetype first);
    // The whole trace as printed, for failure messages.
    QString trace();

  private:
    void collect();

    QProcess process_;
    QString output_; // a partial last line
    QString traced_;
    QStringList commands_;
    QString error_;
};

// The commands of the traced requests in these lines of `quaveron-sim --verbose`.
QStringList TracedCommands(const QString& lines);

// True when `expected` occurs in `all` in this order, others allowed between;
// on failure `missing` names the first one not found.
bool containsInOrder(const QStringList& all, const QStringList& expected, QString* missing = nullptr);

} // namespace e2e
