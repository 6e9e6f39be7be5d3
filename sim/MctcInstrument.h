#pragma once

#include "sim/InstrumentEngine.h"
#include "sim/MctcRequest.h"
#include "sim/Responder.h"

#include <QByteArray>

#include <deque>

namespace sim {

// What an instrument says about itself in its "ID" reply, field by field.
struct MctcIdentity {
    QByteArray maker;
    QByteArray model;
    QByteArray homologation;
    QByteArray serialNumber;
    QByteArray expiryDate; // DDMMYYYY
    QByteArray version;    // "1.50"
    QByteArray extra;

    // The seven fields joined by ETB, as the reply carries them.
    QByteArray data() const;
};

// The common ground of every simulated MCTC-NET instrument: it owns its
// engine, answers only well-formed requests for its own device type and
// number, answers "ID" with its identity, and leaves every other command to
// the instrument itself. Transports must go before the instrument does.
class MctcInstrument : protected Responder {
  public:
    // Accepted requests kept for tests to look at, newest last.
    static constexpr int HistoryLength = 256;

    MctcInstrument(ScenarioClock& clock, QByteArray device, QByteArray number = "1");
    virtual ~MctcInstrument() = default;

    InstrumentEngine& engine() { return engine_; }
    const QByteArray& device() const { return device_; }

    void setIdentity(const MctcIdentity& identity) { identity_ = identity; }
    const MctcIdentity& identity() const { return identity_; }

    const std::deque<MctcRequest>& history() const { return history_; }
    // Frames dropped as damaged or meant for another device.
    int framesIgnored() const { return framesIgnored_; }

  protected:
    // A request for this instrument other than "ID"; nullopt stays silent.
    virtual std::optional<Reply> handle(const MctcRequest& request, Millis now) = 0;
    // The reply frame to a request: same device, number and command.
    static Reply replyTo(const MctcRequest& request, const QByteArray& data = {});

  private:
    std::optional<Reply> answer(const QByteArray& frame, Millis now) final;

    QByteArray device_;
    QByteArray number_;
    MctcIdentity identity_;
    std::deque<MctcRequest> history_;
    int framesIgnored_ = 0;
    InstrumentEngine engine_;
};

} // namespace sim
