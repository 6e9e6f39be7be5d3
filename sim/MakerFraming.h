#pragma once

#include "sim/Framing.h"

namespace sim {

// The maker's binary request frames: STX, address, 0, command code, 0, length
// byte N, N - 2 data bytes, checksum, ETX; N + 6 bytes in all. Completion is
// decided by the length byte alone, so ETX and STX may occur in the data. A
// frame whose length byte is impossible or whose last byte is not ETX is not
// a frame: the search for the next STX starts again just after its STX. A
// false start whose length byte promises more than follows can only be ended
// by reset(), which the engine does after a pause on the line.
class MakerFraming final : public Framing {
  public:
    static constexpr int HeaderBytes = 6;

    std::vector<QByteArray> push(QByteArrayView bytes) override;
    void reset() override { pending_.clear(); }
    qsizetype buffered() const override { return pending_.size(); }
    int discardedBytes() const override { return discarded_; }

  private:
    // Drops bytes before the first STX; false when no STX is left.
    bool alignToStx();
    void drain(std::vector<QByteArray>& frames);

    QByteArray pending_;
    int discarded_ = 0;
};

} // namespace sim
