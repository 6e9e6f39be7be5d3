#include "ui/Timer.h"

namespace ui {

void Timer::setInterval(int ms) {
    if (interval_ == ms)
        return;
    interval_ = ms;
    if (observer_)
        observer_();
}

void Timer::setEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (observer_)
        observer_();
}

void Timer::tick() {
    if (enabled_ && handler_)
        handler_();
}

} // namespace ui
