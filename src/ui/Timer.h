#pragma once

#include <functional>

namespace ui {

// A window timer as state: interval and enabled flag, plus the handler the form
// wants called on each tick. Tests call tick() themselves; in the program a
// TimerDriver runs a precise QTimer that follows this state.
class Timer {
public:
    using Handler = std::function<void()>;
    using Observer = std::function<void()>;

    explicit Timer(int intervalMs = 0, bool enabled = false) : interval_(intervalMs), enabled_(enabled) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    void setHandler(Handler handler) { handler_ = std::move(handler); }
    // One tick: runs the handler if the timer is enabled.
    void tick();
    // The driver follows changes of interval and enabled flag.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    int interval_;
    bool enabled_;
    Handler handler_;
    Observer observer_;
};

} // namespace ui
