#include "sim/GasFraming.h"

#include "link/FrameBytes.h"

#include <algorithm>

namespace sim {

namespace {
constexpr qsizetype LengthPosition = 5;
constexpr int BinaryBytesBeyondLength = 6;
constexpr int ShortestLength = 2;
constexpr qsizetype SliceBytes = 512;
} // namespace

void GasFraming::discard(qsizetype count) {
    discarded_ += int(count);
    pending_.remove(0, count);
}

bool GasFraming::alignToStx() {
    const qsizetype start = pending_.indexOf(FrameByte::Stx);
    discard(start < 0 ? pending_.size() : start);
    return !pending_.isEmpty();
}

std::vector<QByteArray> GasFraming::push(QByteArrayView bytes) {
    std::vector<QByteArray> frames;
    // In slices, so the buffer never holds more than one frame and a slice.
    for (qsizetype offset = 0; offset < bytes.size(); offset += SliceBytes) {
        pending_.append(bytes.sliced(offset, std::min(SliceBytes, bytes.size() - offset)));
        while (alignToStx() && pending_.size() >= 2) {
            const Step step = pending_[1] == address_ ? takeBinary(frames) : takeText(frames);
            if (step == Step::Wait)
                break;
        }
    }
    return frames;
}

GasFraming::Step GasFraming::takeBinary(std::vector<QByteArray>& frames) {
    if (pending_.size() <= LengthPosition)
        return Step::Wait;
    const int length = static_cast<unsigned char>(pending_[LengthPosition]);
    const qsizetype total = length + BinaryBytesBeyondLength;
    if (length >= ShortestLength && pending_.size() < total)
        return Step::Wait;
    if (length >= ShortestLength && pending_[total - 1] == FrameByte::Etx) {
        frames.push_back(pending_.left(total));
        pending_.remove(0, total);
        return Step::Again;
    }
    discard(1);
    return Step::Again;
}

GasFraming::Step GasFraming::takeText(std::vector<QByteArray>& frames) {
    for (qsizetype i = 1; i < pending_.size(); ++i) {
        if (pending_[i] == FrameByte::Stx) {
            discard(i); // cut short by a new frame
            return Step::Again;
        }
        if (pending_[i] == FrameByte::Etx) {
            frames.push_back(pending_.left(i + 1));
            pending_.remove(0, i + 1);
            return Step::Again;
        }
    }
    if (pending_.size() < MaxTextFrameBytes)
        return Step::Wait;
    discard(pending_.size());
    return Step::Again;
}

} // namespace sim
