#pragma once

#include "ui/Timer.h"

#include <QObject>
#include <QTimer>

namespace ui {

// Drives a ui::Timer from the Qt event loop with a precise timer, so a 25 ms
// scheduler really ticks 40 times a second.
class TimerDriver : public QObject {
    Q_OBJECT
public:
    TimerDriver(Timer& timer, QObject* parent = nullptr);
    ~TimerDriver() override;

private:
    void follow();

    Timer& timer_;
    QTimer qtimer_;
};

} // namespace ui
