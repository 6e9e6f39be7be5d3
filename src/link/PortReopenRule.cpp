#include "link/PortReopenRule.h"

#include "link/SerialPort.h"

bool PortReopenRule::missed(SerialPort& port) {
    const bool wasLost = lineLost();
    // Held at the threshold: a line down for days never wraps the count round.
    if (!wasLost)
        ++misses_;
    reopenIfDue(port, misses_);
    return !wasLost && lineLost();
}

void PortReopenRule::reopenIfDue(SerialPort& port, int missesInARow) const {
    if (missesInARow < missesBeforeReopen_)
        return;
    if (port.PortOpen())
        port.setPortOpen(false);
    // A device still missing leaves the port closed; the next miss tries again.
    port.setPortOpen(true);
}
