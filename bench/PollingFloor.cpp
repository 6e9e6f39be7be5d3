#include "PollingFloor.h"

#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Every request has this length; byte 1 names the line whose instrument answers it.
constexpr int RequestLength = 10;

QByteArray requestFor(int line) {
    QByteArray request("\x02"
                       "0OPA@VA1\x03",
                       RequestLength);
    request[1] = char('0' + line);
    return request;
}

// Runs in the forked child until the lines close: only calls that are safe
// between fork and exit. Requests that arrive together are answered one by one.
[[noreturn]] void echoLines(const std::array<int, PollingFloor::Lines>& masters,
                            const std::array<int, PollingFloor::Lines>& slaves) {
    // The lines hang up when the parent closes its ends, or when it dies.
    for (const int slave : slaves)
        close(slave);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    pollfd fds[PollingFloor::Lines];
    char pending[PollingFloor::Lines][512];
    ssize_t held[PollingFloor::Lines] = {};
    for (int i = 0; i < PollingFloor::Lines; ++i)
        fds[i] = {masters[i], POLLIN, 0};
    for (;;) {
        if (poll(fds, PollingFloor::Lines, -1) < 0 && errno != EINTR)
            _exit(1);
        for (int i = 0; i < PollingFloor::Lines; ++i) {
            if (fds[i].revents & (POLLHUP | POLLERR))
                _exit(0);
            if (!(fds[i].revents & POLLIN))
                continue;
            const ssize_t count = read(fds[i].fd, pending[i] + held[i], sizeof pending[i] - size_t(held[i]));
            if (count <= 0)
                _exit(0);
            held[i] += count;
            ssize_t used = 0;
            for (; used + RequestLength <= held[i]; used += RequestLength)
                if (pending[i][used + 1] == char('0' + i) && write(fds[i].fd, pending[i] + used, RequestLength) < 0)
                    _exit(1);
            for (ssize_t k = used; k < held[i]; ++k)
                pending[i][k - used] = pending[i][k];
            held[i] -= used;
        }
    }
}

int openMaster(QString* slavePath) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return -1;
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        close(master);
        return -1;
    }
    *slavePath = QString::fromLocal8Bit(ptsname(master));
    return master;
}

} // namespace

PollingFloor::PollingFloor() {
    std::array<int, Lines> masters{};
    masters.fill(-1);
    bool opened = true;
    for (int i = 0; i < Lines && opened; ++i) {
        QString slave;
        masters[i] = openMaster(&slave);
        ports_[i].setPortName(slave);
        // The measuring windows' line settings.
        ports_[i].setBaudRate(QSerialPort::Baud9600);
        ports_[i].setDataBits(QSerialPort::Data8);
        ports_[i].setParity(QSerialPort::NoParity);
        ports_[i].setStopBits(QSerialPort::OneStop);
        ports_[i].setFlowControl(QSerialPort::NoFlowControl);
        opened = masters[i] >= 0 && ports_[i].open(QIODevice::ReadWrite);
    }
    // The slaves are open before the child starts, so it never sees a line
    // hang up until this side closes it.
    std::array<int, Lines> slaves{};
    for (int i = 0; i < Lines; ++i)
        slaves[i] = ports_[i].isOpen() ? int(ports_[i].handle()) : -1;
    if (opened)
        echo_ = fork();
    if (echo_ == 0)
        echoLines(masters, slaves);
    for (const int master : masters)
        if (master >= 0)
            close(master);

    for (int i = 0; i < Lines; ++i) {
        Poller& poller = pollers_[i];
        poller.request = requestFor(i);
        poller.timer.setTimerType(Qt::PreciseTimer);
        poller.timer.setInterval(TickMs);
        QObject::connect(&poller.timer, &QTimer::timeout, &poller.timer, [this, &poller] { tick(poller); });
        QObject::connect(&ports_[i], &QSerialPort::readyRead, &ports_[i], [this, i] {
            if (!ports_[i].readAll().isEmpty())
                pollers_[i].answered = true;
        });
    }
}

PollingFloor::~PollingFloor() {
    stop();
    for (QSerialPort& port : ports_)
        port.close();
    if (echo_ > 0) {
        kill(echo_, SIGTERM);
        waitpid(echo_, nullptr, 0);
    }
}

void PollingFloor::start() {
    if (!ready())
        return;
    running_ = true;
    // The windows' timers start when each window opens, so they do not tick
    // together; the pollers' are spread over the interval alike.
    for (int i = 0; i < Lines; ++i) {
        QTimer* timer = &pollers_[i].timer;
        QTimer::singleShot(i * TickMs / Lines, Qt::PreciseTimer, timer, [this, timer] {
            if (running_)
                timer->start();
        });
    }
}

void PollingFloor::stop() {
    running_ = false;
    for (Poller& poller : pollers_)
        poller.timer.stop();
}

void PollingFloor::tick(Poller& poller) {
    // One request outstanding per poller, as a window waits for its reply, and
    // asked again after the windows' time-out.
    if (!poller.answered && ++poller.waitedTicks <= NoReplyTicks)
        return;
    poller.answered = false;
    poller.waitedTicks = 0;
    for (QSerialPort& port : ports_) {
        port.write(poller.request);
        ++writes_;
    }
}
