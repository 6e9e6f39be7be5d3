#include "ui/TimerDriver.h"

namespace ui {

TimerDriver::TimerDriver(Timer& timer, QObject* parent) : QObject(parent), timer_(timer) {
    qtimer_.setTimerType(Qt::PreciseTimer);
    connect(&qtimer_, &QTimer::timeout, this, [this] { timer_.tick(); });
    timer_.setObserver([this] { follow(); });
    follow();
}

TimerDriver::~TimerDriver() { timer_.setObserver({}); }

void TimerDriver::follow() {
    if (timer_.enabled() && timer_.interval() > 0) {
        if (!qtimer_.isActive() || qtimer_.interval() != timer_.interval())
            qtimer_.start(timer_.interval());
    } else {
        qtimer_.stop();
    }
}

} // namespace ui
