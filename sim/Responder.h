#pragma once

#include "sim/ScenarioClock.h"

#include <QByteArray>

#include <optional>

namespace sim {

// A reply an instrument decides to send, and how much longer than the line's
// usual reply delay it takes (a slow operation).
struct Reply {
    QByteArray bytes;
    Millis extraDelay = 0;
};

// The instrument proper: answers one complete request frame received at the
// given scenario time, or stays silent (nullopt).
class Responder {
  public:
    virtual std::optional<Reply> answer(const QByteArray& request, Millis now) = 0;

  protected:
    ~Responder() = default;
};

} // namespace sim
