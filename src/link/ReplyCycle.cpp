#include "link/ReplyCycle.h"

ReplyCycle::Step ReplyCycle::tick() {
    ++TicksSinceSend;
    if (ReplyReady == 1) {
        ReplyReady = 0;
        TicksSinceSend = 0;
        return Step::Send;
    }
    if (TicksSinceSend > TimeoutTicks) {
        ReplyReady = 1;
        return Step::TimedOut;
    }
    return Step::Wait;
}
