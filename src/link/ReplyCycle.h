#pragma once

#include "link/PortReopenRule.h"

#include <cstdint>

// The request/reply hand-over of a measuring window's 25 ms scheduler: a
// request goes out only after the previous one was answered or given up on.
struct ReplyCycle {
    // Unanswered ticks after which the request is given up and repeated.
    static constexpr int TimeoutTicks = 40;

    enum class Step {
        Wait,     // a request is outstanding
        Send,     // send the request of the current state now
        TimedOut, // show "ERRORE COM"; the next tick sends again
    };

    // 1: the scheduler may send; 0: a request is outstanding; the windows use
    // 2 while an operator action is being queued.
    std::int16_t ReplyReady = 0;
    int TicksSinceSend = 0;
    // Given-up requests in a row; the window reopens its port by this rule.
    PortReopenRule Line;

    // One scheduler tick: counts it, then decides. There is no retry limit.
    Step tick();
    // A valid reply was handled.
    void replyHandled() {
        ReplyReady = 1;
        Line.answered();
    }
};
