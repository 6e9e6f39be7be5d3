#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>

// A real serial line (or pseudo-terminal) through QSerialPort: raw, 8-bit
// clean, no flow control. COM numbers go through the PORTE map of Conf.ini.
class QtSerialPort : public SerialPort {
  public:
    // Received bytes held for Input at most; beyond that the driver's own
    // buffer waits, and then the line drops bytes, as on any port.
    static constexpr qint64 MaxPendingInput = 64 * 1024;
    // Bytes waiting to go out at most; a write beyond raises TransmitFull.
    static constexpr qint64 MaxPendingOutput = 64 * 1024;

    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    void setCommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    bool setSettings(const QString& settings) override;
    QString Settings() const override { return settings_; }
    void setRThreshold(int count) override { rThreshold_ = count; }
    int RThreshold() const override { return rThreshold_; }
    bool setPortOpen(bool open, QString* error = nullptr) override;
    bool PortOpen() const override { return port_.isOpen(); }
    QString DeviceName() const override;
    void Output(const QByteArray& bytes) override;
    QByteArray Input() override;
    CommEventKind CommEvent() const override { return event_; }

  private:
    void applySettings();
    void deliver(CommEventKind kind);
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    int commPort_ = 1;
    QString settings_ = QStringLiteral("9600,n,8,1");
    int rThreshold_ = 0;
    bool opening_ = false;
    CommEventKind event_ = CommEventKind::None;
};
