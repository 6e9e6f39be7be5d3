#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QTimer>

#include <array>

#include <sys/types.h>

// What any program polling two instruments costs before it does any work of
// its own: two 25 ms precise timers, out of step, each writing a short request
// to both pseudo-terminal lines through QSerialPort (as a measuring window's
// request goes out on both lines) and reading the answer from its own line.
// The other end of each line is a child process that echoes the requests meant
// for it, so, like the simulators, it is not counted in this process's CPU time.
class PollingFloor {
  public:
    static constexpr int Lines = 2;

    PollingFloor();
    ~PollingFloor();
    PollingFloor(const PollingFloor&) = delete;
    PollingFloor& operator=(const PollingFloor&) = delete;

    bool ready() const { return echo_ > 0; }
    // The timers tick only while started.
    void start();
    void stop();
    long writes() const { return writes_; }

  private:
    struct Poller {
        QTimer timer;
        QByteArray request;
        bool answered = true;
        int waitedTicks = 0;
    };
    static constexpr int TickMs = 25;
    static constexpr int NoReplyTicks = 40;

    void tick(Poller& poller);

    std::array<QSerialPort, Lines> ports_;
    std::array<Poller, Lines> pollers_;
    pid_t echo_ = -1;
    bool running_ = false;
    long writes_ = 0;
};
