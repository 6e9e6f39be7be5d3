#include "sim/OpacimeterModel.h"

#include <algorithm>

namespace sim {

OpacimeterModel::OpacimeterModel(OpacimeterTiming timing) : timing_(timing) {
    timing_.warmUp = std::max<Millis>(timing_.warmUp, 0);
    timing_.check = std::max<Millis>(timing_.check, 0);
    timing_.zeroing = std::max<Millis>(timing_.zeroing, 0);
    zeroingStart_ = checkEnd();
}

OpacimeterPhase OpacimeterModel::phase(Millis now) const {
    if (now < timing_.warmUp)
        return OpacimeterPhase::WarmUp;
    if (now < checkEnd())
        return OpacimeterPhase::Check;
    if (standBy_)
        return OpacimeterPhase::StandBy;
    if (now < zeroingStart_ + timing_.zeroing)
        return OpacimeterPhase::Zeroing;
    return OpacimeterPhase::Ready;
}

double OpacimeterModel::checkProgress(Millis now) const {
    if (now < timing_.warmUp)
        return 0.0;
    if (now >= checkEnd() || timing_.check == 0)
        return 1.0;
    return double(now - timing_.warmUp) / double(timing_.check);
}

bool OpacimeterModel::start(Millis now) {
    if (busyStarting(now))
        return false;
    standBy_ = false;
    started_ = true;
    zeroingStart_ = now;
    return true;
}

bool OpacimeterModel::standBy(Millis now) {
    if (busyStarting(now))
        return false;
    standBy_ = true;
    return true;
}

std::optional<Millis> OpacimeterModel::zeroedAt(Millis now) const {
    if (phase(now) != OpacimeterPhase::Ready)
        return std::nullopt;
    return zeroingStart_ + timing_.zeroing;
}

} // namespace sim
