#pragma once

#include "sim/Framing.h"

namespace sim {

// MCTC-NET request frames: from STX to the next ETX. Bytes before an STX are
// noise; an STX inside a frame starts a new frame (the earlier one was cut
// short); a frame longer than any real request is dropped.
class MctcFraming final : public Framing {
  public:
    static constexpr int MaxFrameBytes = 512;

    std::vector<QByteArray> push(QByteArrayView bytes) override;
    void reset() override { frame_.clear(); }
    qsizetype buffered() const override { return frame_.size(); }
    int discardedBytes() const override { return discarded_; }

  private:
    void discard(qsizetype count) { discarded_ += int(count); }

    QByteArray frame_;
    int discarded_ = 0;
};

} // namespace sim
