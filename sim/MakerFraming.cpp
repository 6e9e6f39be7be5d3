#include "sim/MakerFraming.h"

#include "link/FrameBytes.h"

#include <algorithm>

namespace sim {

namespace {
constexpr int LengthPosition = 5;
constexpr int MinimumLength = 2; // the length byte counts the data plus two
constexpr qsizetype SliceBytes = 512;
} // namespace

bool MakerFraming::alignToStx() {
    const qsizetype start = pending_.indexOf(FrameByte::Stx);
    if (start < 0) {
        discarded_ += int(pending_.size());
        pending_.clear();
        return false;
    }
    discarded_ += int(start);
    pending_.remove(0, start);
    return true;
}

std::vector<QByteArray> MakerFraming::push(QByteArrayView bytes) {
    std::vector<QByteArray> frames;
    // Taken in slices so that a flood of false starts costs linear time.
    for (qsizetype offset = 0; offset < bytes.size(); offset += SliceBytes) {
        pending_.append(bytes.sliced(offset, std::min(SliceBytes, bytes.size() - offset)));
        drain(frames);
    }
    return frames;
}

void MakerFraming::drain(std::vector<QByteArray>& frames) {
    // Each pass either completes a frame, gives up one false start, or waits;
    // once aligned the buffer holds less than one frame's worth plus a slice.
    while (alignToStx() && pending_.size() > LengthPosition) {
        const int length = static_cast<unsigned char>(pending_[LengthPosition]);
        const qsizetype total = qsizetype(length) + HeaderBytes;
        if (length >= MinimumLength && pending_.size() < total)
            break;
        if (length >= MinimumLength && pending_[total - 1] == FrameByte::Etx) {
            frames.push_back(pending_.left(total));
            pending_.remove(0, total);
            continue;
        }
        ++discarded_;
        pending_.remove(0, 1);
    }
}

} // namespace sim
