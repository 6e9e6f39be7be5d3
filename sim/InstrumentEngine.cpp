#include "sim/InstrumentEngine.h"

#include <algorithm>

namespace sim {

InstrumentEngine::InstrumentEngine(ScenarioClock& clock, std::unique_ptr<Framing> framing, Responder& responder)
    : clock_(clock), framing_(std::move(framing)), responder_(responder) {
    clock_.subscribe(*this);
}

InstrumentEngine::~InstrumentEngine() {
    clock_.unsubscribe(*this);
}

void InstrumentEngine::receive(QByteArrayView bytes) {
    if (!answering_ || bytes.isEmpty())
        return;
    if (lastByteAt_ && clock_.now() - *lastByteAt_ >= FrameGapLimit)
        framing_->reset();
    lastByteAt_ = clock_.now();
    for (const QByteArray& request : framing_->push(bytes)) {
        ++requestsSeen_;
        const std::optional<Reply> reply = responder_.answer(request, clock_.now());
        QByteArray bytesOut;
        if (reply)
            bytesOut = rewriter_ ? rewriter_(request, reply->bytes) : reply->bytes;
        if (trace_)
            trace_(clock_.now(), request, bytesOut);
        if (!reply)
            continue;
        ++repliesQueued_;
        schedule(bytesOut, clock_.now() + replyDelay_ + std::max<Millis>(0, reply->extraDelay));
    }
}

void InstrumentEngine::setAnswering(bool answering) {
    answering_ = answering;
    if (!answering_) {
        pending_.clear();
        framing_->reset();
    }
}

void InstrumentEngine::setChunking(int bytes, Millis gap) {
    chunkBytes_ = std::max(0, bytes);
    chunkGap_ = std::max<Millis>(0, gap);
}

void InstrumentEngine::inject(const QByteArray& bytes, Millis delay) {
    schedule(bytes, clock_.now() + std::max<Millis>(0, delay));
}

void InstrumentEngine::schedule(const QByteArray& bytes, Millis due) {
    // The line is serial: a reply never overtakes one queued before it.
    if (!pending_.empty())
        due = std::max(due, pending_.back().due);
    const qsizetype step = chunkBytes_ > 0 ? chunkBytes_ : std::max<qsizetype>(bytes.size(), 1);
    for (qsizetype offset = 0; offset < bytes.size(); offset += step) {
        if (pending_.size() >= MaxPendingPieces)
            return;
        pending_.push_back({due, bytes.mid(offset, step)});
        due += chunkGap_;
    }
}

std::optional<Millis> InstrumentEngine::nextDue() const {
    if (pending_.empty())
        return std::nullopt;
    return pending_.front().due;
}

void InstrumentEngine::reach(Millis now) {
    while (!pending_.empty() && pending_.front().due <= now) {
        const QByteArray bytes = pending_.front().bytes;
        pending_.pop_front();
        // The receiver may write its next request from inside this call.
        if (output_)
            output_(bytes);
    }
}

} // namespace sim
