#pragma once

#include "sim/PtyLink.h"

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace sim {

class InstrumentEngine;

// Serves an instrument engine on a pseudo-terminal from the Qt event loop:
// what the program writes on the line goes into the engine, the engine's
// replies go out on the line. Time is the engine's clock; let a
// RealTimeDriver move it when the program runs in real time.
class PtyTransport : public QObject {
    Q_OBJECT
  public:
    // nullptr and the reason in *error when the line cannot be made.
    static std::unique_ptr<PtyTransport> open(InstrumentEngine& engine, const QString& linkPath,
                                              QString* error = nullptr);
    ~PtyTransport() override;

    const PtyLink& link() const { return *link_; }
    // Reads and hands on whatever is waiting now (the event loop does this on
    // its own; tests without one may call it).
    void service();

  private:
    PtyTransport(InstrumentEngine& engine, std::unique_ptr<PtyLink> link);
    void sendOut(const QByteArray& bytes);

    InstrumentEngine& engine_;
    std::unique_ptr<PtyLink> link_;
    QSocketNotifier readable_;
    QSocketNotifier writable_;
};

} // namespace sim
