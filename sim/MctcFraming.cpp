#include "sim/MctcFraming.h"

#include "link/FrameBytes.h"

namespace sim {

std::vector<QByteArray> MctcFraming::push(QByteArrayView bytes) {
    std::vector<QByteArray> frames;
    for (const char byte : bytes) {
        if (byte == FrameByte::Stx) {
            discard(frame_.size());
            frame_ = QByteArray(1, FrameByte::Stx);
            continue;
        }
        if (frame_.isEmpty()) {
            discard(1);
            continue;
        }
        frame_.append(byte);
        if (byte == FrameByte::Etx) {
            frames.push_back(frame_);
            frame_.clear();
        } else if (frame_.size() >= MaxFrameBytes) {
            discard(frame_.size());
            frame_.clear();
        }
    }
    return frames;
}

} // namespace sim
