#include "sim/RealTimeDriver.h"

#include <algorithm>

namespace sim {

RealTimeDriver::RealTimeDriver(ScenarioClock& clock, int stepMs, QObject* parent) : QObject(parent), clock_(clock) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(std::max(1, stepMs));
    connect(&timer_, &QTimer::timeout, this, &RealTimeDriver::catchUp);
}

void RealTimeDriver::start() {
    origin_ = clock_.now();
    elapsed_.start();
    timer_.start();
}

void RealTimeDriver::catchUp() {
    if (elapsed_.isValid())
        clock_.advanceTo(origin_ + elapsed_.elapsed());
}

} // namespace sim
