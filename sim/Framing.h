#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace sim {

// Cuts the byte stream the program writes into request frames. One kind per
// protocol: MCTC-NET text frames end at ETX, the maker's binary frames are as
// long as their length byte says. Every implementation holds a bounded number
// of bytes, whatever arrives.
class Framing {
  public:
    virtual ~Framing() = default;
    // Takes more bytes and returns the frames now complete, in arrival order.
    virtual std::vector<QByteArray> push(QByteArrayView bytes) = 0;
    // Forgets a partly received frame.
    virtual void reset() = 0;
    // Bytes held towards the next frame.
    virtual qsizetype buffered() const = 0;
    // Bytes thrown away so far: noise between frames, frames cut short by a
    // new start, frames too long to be real.
    virtual int discardedBytes() const = 0;
};

} // namespace sim
