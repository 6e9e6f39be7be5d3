#include "sim/SimulatorSignals.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr std::array<int, 4> Handled = {SIGTERM, SIGINT, SIGHUP, SIGUSR1};
// Written only while a SimulatorSignals exists; read by the handler.
volatile std::sig_atomic_t writeEnd = -1;
struct sigaction previous[Handled.size()];

void onSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (writeEnd >= 0) {
        // A full pipe already holds a wake-up, so a failed write loses nothing.
        const ssize_t written = ::write(writeEnd, &byte, 1);
        (void)written;
    }
    errno = saved;
}

} // namespace

SimulatorSignals::SimulatorSignals() {
    if (writeEnd >= 0 || ::pipe2(pipe_, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    writeEnd = pipe_[1];
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Handled.size(); ++i)
        ::sigaction(Handled[i], &action, &previous[i]);
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SimulatorSignals::drain);
}

SimulatorSignals::~SimulatorSignals() {
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < Handled.size(); ++i)
        ::sigaction(Handled[i], &previous[i], nullptr);
    writeEnd = -1;
    notifier_.reset();
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void SimulatorSignals::drain() {
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1)
        emit received(byte);
}

} // namespace sim
