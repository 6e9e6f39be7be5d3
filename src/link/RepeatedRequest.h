#pragma once

#include "link/PortReopenRule.h"
#include "ui/Timer.h"

#include <QByteArray>
#include <QString>

#include <functional>

class SerialPort;
namespace ui {
class Window;
}

// A set-up window's request, sent again each second until its answer comes,
// so that an identification carries on by itself when the line went away and
// came back: while it goes unanswered the window's caption ends in
// "ERRORE COM" and the port is reopened by the shared rule.
class RepeatedRequest {
  public:
    static constexpr int RetryMs = 1000;
    using Sender = std::function<void(const QByteArray& command, const QByteArray& data)>;

    // `send` sends a request as the window does, and tells sent() of it.
    RepeatedRequest(SerialPort& port, ui::Window& window, Sender send);

    // The window's view drives it.
    ui::Timer Timer{RetryMs, false};

    // A request went out: its answer is awaited for a second.
    void sent(const QByteArray& command, const QByteArray& data);
    // The answer came.
    void answered();
    // The window closes: nothing is awaited any more.
    void stop();

  private:
    void unanswered();
    void showLineLost(bool lost);

    SerialPort& port_;
    ui::Window& window_;
    Sender send_;
    PortReopenRule rule_;
    QByteArray command_;
    QByteArray data_;
    QString caption_; // the window's own caption, while "ERRORE COM" is shown
    bool lineLostShown_ = false;
};
