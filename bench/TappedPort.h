#pragma once

#include "link/SerialPort.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <random>

// A serial port between a measuring window and the real line that counts the
// traffic and can make the line worse: hold each reply for the time a
// 9600-baud line needs to carry the request and the reply, or drop, split,
// corrupt and garble what arrives. The window sees an ordinary port.
class TappedPort : public QObject, public SerialPort {
  public:
    struct Faults {
        double drop = 0;    // a received chunk is lost
        double split = 0;   // a chunk arrives in two parts, 30 ms apart
        double corrupt = 0; // one byte of a chunk is changed
        double garble = 0;  // a few random bytes arrive before a chunk
    };
    struct Counts {
        long requests = 0;
        long chunksReceived = 0;
        long chunksIntact = 0; // delivered exactly as the instrument sent them
        long dropped = 0, split = 0, corrupted = 0, garbled = 0;
        long bytesSent = 0, bytesReceived = 0;
        long openTries = 0; // the window's attempts to open the line
    };

    TappedPort(std::unique_ptr<SerialPort> line, unsigned seed = 1);

    // 0: replies are passed on as they arrive.
    void setLineBaud(int baud) { lineBaud_ = baud; }
    void setFaults(const Faults& faults) { faults_ = faults; }
    const Counts& counts() const { return counts_; }
    void resetCounts() { counts_ = {}; }

    void setCommPort(int number) override { line_->setCommPort(number); }
    int CommPort() const override { return line_->CommPort(); }
    bool setSettings(const QString& settings) override { return line_->setSettings(settings); }
    QString Settings() const override { return line_->Settings(); }
    void setRThreshold(int count) override { line_->setRThreshold(count); }
    int RThreshold() const override { return line_->RThreshold(); }
    bool setPortOpen(bool open, QString* error = nullptr) override {
        counts_.openTries += open ? 1 : 0;
        return line_->setPortOpen(open, error);
    }
    bool PortOpen() const override { return line_->PortOpen(); }
    QString DeviceName() const override { return line_->DeviceName(); }
    void Output(const QByteArray& bytes) override;
    QByteArray Input() override;
    CommEventKind CommEvent() const override { return event_; }

  private:
    static constexpr qsizetype MaxHeld = 64 * 1024;

    void onLineEvent();
    void received(QByteArray chunk);
    void deliverLater(QByteArray bytes, qint64 atMs);
    void deliver(const QByteArray& bytes);
    bool chance(double probability);

    std::unique_ptr<SerialPort> line_;
    int lineBaud_ = 0;
    Faults faults_;
    Counts counts_;
    CommEventKind event_ = CommEventKind::None;
    QByteArray input_;
    qsizetype held_ = 0;
    qint64 lastRequestAt_ = 0;
    qsizetype lastRequestBytes_ = 0;
    qint64 lineFreeAt_ = 0;
    QElapsedTimer clock_;
    std::mt19937 random_;
};
