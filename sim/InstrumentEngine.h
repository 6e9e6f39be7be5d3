#pragma once

#include "sim/Framing.h"
#include "sim/Responder.h"
#include "sim/ScenarioClock.h"

#include <QByteArray>
#include <QByteArrayView>

#include <deque>
#include <functional>
#include <memory>

namespace sim {

// The byte-level side of a simulated instrument. Bytes the program writes go
// in through receive(); the framing cuts them into requests; the responder
// answers each one; the answer goes out through the output function once the
// scenario clock reaches its due time. Nothing is ever sent from inside
// receive(), as on a real line, where the program's write returns before the
// instrument answers.
class InstrumentEngine final : public ClockListener {
  public:
    using Output = std::function<void(const QByteArray&)>;
    // Replies may be rewritten before they go out (tests of damaged frames):
    // given the request and the reply, returns the bytes to send instead.
    using Rewriter = std::function<QByteArray(const QByteArray& request, const QByteArray& reply)>;
    // Told of every request and the reply it got (empty when none).
    using Trace = std::function<void(Millis now, const QByteArray& request, const QByteArray& reply)>;

    static constexpr Millis DefaultReplyDelay = 20;
    // A pause this long inside a request ends it: what came before is dropped,
    // as instruments do to find the start of the next frame again.
    static constexpr Millis FrameGapLimit = 200;
    // Unsent output beyond this many pieces is dropped, like a full line buffer.
    static constexpr int MaxPendingPieces = 256;

    InstrumentEngine(ScenarioClock& clock, std::unique_ptr<Framing> framing, Responder& responder);
    ~InstrumentEngine();
    InstrumentEngine(const InstrumentEngine&) = delete;
    InstrumentEngine& operator=(const InstrumentEngine&) = delete;

    ScenarioClock& clock() const { return clock_; }

    // Bytes from the program.
    void receive(QByteArrayView bytes);
    // Where replies go: a pseudo-terminal or an in-process port.
    void setOutput(Output output) { output_ = std::move(output); }

    // A silent instrument ignores every request and drops what it had still
    // to send, like one switched off; it answers again once turned back on.
    void setAnswering(bool answering);
    bool answering() const { return answering_; }

    // Time from a complete request to the first byte of its reply.
    void setReplyDelay(Millis delay) { replyDelay_ = delay > 0 ? delay : 0; }
    Millis replyDelay() const { return replyDelay_; }
    // Sends each reply in pieces of this many bytes, one piece every gap
    // milliseconds (0 bytes: whole replies).
    void setChunking(int bytes, Millis gap);
    void setRewriter(Rewriter rewriter) { rewriter_ = std::move(rewriter); }
    void setTrace(Trace trace) { trace_ = std::move(trace); }

    // Sends bytes of the test's own choosing after delay, as if the
    // instrument had sent them (noise, unsolicited frames).
    void inject(const QByteArray& bytes, Millis delay = 0);

    int requestsSeen() const { return requestsSeen_; }
    int repliesQueued() const { return repliesQueued_; }
    const Framing& framing() const { return *framing_; }

    std::optional<Millis> nextDue() const override;
    void reach(Millis now) override;

  private:
    struct Piece {
        Millis due;
        QByteArray bytes;
    };
    void schedule(const QByteArray& bytes, Millis due);

    ScenarioClock& clock_;
    std::unique_ptr<Framing> framing_;
    Responder& responder_;
    Output output_;
    Rewriter rewriter_;
    Trace trace_;
    std::deque<Piece> pending_;
    bool answering_ = true;
    Millis replyDelay_ = DefaultReplyDelay;
    std::optional<Millis> lastByteAt_;
    int chunkBytes_ = 0;
    Millis chunkGap_ = 0;
    int requestsSeen_ = 0;
    int repliesQueued_ = 0;
};

} // namespace sim
