#pragma once

#include "link/SerialPort.h"

#include <QList>

#include <functional>

// An in-memory port for tests and simulators: records what the program writes
// and delivers what the other end sends, raising OnComm like a real port.
class FakeSerialPort : public SerialPort {
  public:
    void setCommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    bool setSettings(const QString& settings) override;
    QString Settings() const override { return settings_; }
    void setRThreshold(int count) override { rThreshold_ = count; }
    int RThreshold() const override { return rThreshold_; }
    bool setPortOpen(bool open, QString* error = nullptr) override;
    bool PortOpen() const override { return open_; }
    void Output(const QByteArray& bytes) override;
    QByteArray Input() override;
    CommEventKind CommEvent() const override { return event_; }

    // The other end sends bytes: they join the input and a receive event is
    // raised once RThreshold bytes are waiting (RThreshold starts at 1 here;
    // 0 raises none). Nothing arrives while the port is closed.
    void receive(const QByteArray& bytes);
    // Delivers an event of the given kind to OnComm.
    void raiseEvent(CommEventKind kind);
    // The next open fails with this description; the one after succeeds again.
    void failNextOpen(const QString& description) { nextOpenError_ = description; }
    // Every open fails with this description until cleared with an empty text.
    void failEveryOpen(const QString& description) { everyOpenError_ = description; }

    // Every Output made while open, in order.
    const QList<QByteArray>& written() const { return written_; }
    void clearWritten() { written_.clear(); }
    // How often the port was opened and closed, for reopen rules.
    int openCount() const { return openCount_; }
    int closeCount() const { return closeCount_; }

    // Called with each frame the program writes while open; a simulator
    // answers through receive().
    std::function<void(const QByteArray&)> onWrite;

  private:
    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    int rThreshold_ = 1;
    bool open_ = false;
    CommEventKind event_ = CommEventKind::None;
    QByteArray input_;
    QList<QByteArray> written_;
    QString nextOpenError_;
    QString everyOpenError_;
    int openCount_ = 0;
    int closeCount_ = 0;
};
