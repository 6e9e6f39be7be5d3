#pragma once

#include "sim/Framing.h"

namespace sim {

// The request frames of an analyser that speaks the maker's binary frames but
// is identified over MCTC-NET by the set-up window: both kinds arrive on the
// same line. After the STX the next byte tells them apart: the analyser's own
// address starts a binary frame, as long as its length byte says; anything
// else starts a text frame, which runs to the next ETX. A binary start that
// turns out not to be a frame is given up one byte at a time, as noise; one
// whose length byte promises more than ever follows waits for reset().
class GasFraming final : public Framing {
  public:
    static constexpr qsizetype MaxTextFrameBytes = 512;

    explicit GasFraming(int makerAddress) : address_(static_cast<char>(makerAddress)) {}

    std::vector<QByteArray> push(QByteArrayView bytes) override;
    void reset() override { pending_.clear(); }
    qsizetype buffered() const override { return pending_.size(); }
    int discardedBytes() const override { return discarded_; }

  private:
    enum class Step { Wait, Again };
    bool alignToStx();
    Step takeBinary(std::vector<QByteArray>& frames);
    Step takeText(std::vector<QByteArray>& frames);
    void discard(qsizetype count);

    char address_;
    QByteArray pending_;
    int discarded_ = 0;
};

} // namespace sim
