#pragma once

class SerialPort;

// How a window gets its line back when the device went away (a USB adapter
// pulled out, the far end of a pseudo-terminal gone) and returns on the same
// path: from a number of requests in a row without a reply, the port is
// closed, if open, and opened again before each further request, until a reply
// comes. Quietly: the operator was told when the window first opened the port,
// and the window shows the lost line itself. The window's own rhythm of
// requests bounds the tries.
class PortReopenRule {
  public:
    // The rev counter's rule, which every window follows.
    static constexpr int DefaultMissesBeforeReopen = 3;

    explicit PortReopenRule(int missesBeforeReopen = DefaultMissesBeforeReopen)
        : missesBeforeReopen_(missesBeforeReopen) {}

    // A reply came: the line works.
    void answered() { misses_ = 0; }
    // A request went unanswered: counts it and reopens the port when due.
    // True for the miss at which the line is first taken as lost.
    bool missed(SerialPort& port);
    // As missed(), for a sender that keeps the count of misses itself.
    void reopenIfDue(SerialPort& port, int missesInARow) const;

    // No reply for as many requests as the rule waits for.
    bool lineLost() const { return misses_ >= missesBeforeReopen_; }

  private:
    int missesBeforeReopen_;
    int misses_ = 0;
};
