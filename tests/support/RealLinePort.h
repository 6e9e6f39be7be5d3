#pragma once

#include "link/QtSerialPort.h"
#include "link/SerialPort.h"

// A real serial port that a test can look through: every call goes to the
// wrapped line, and a test overrides only the calls it wants to watch, passing
// them on with the base class's version.
class RealLinePort : public SerialPort {
  public:
    RealLinePort() {
        line_.OnComm = [this] {
            if (OnComm)
                OnComm();
        };
    }
    void setCommPort(int number) override { line_.setCommPort(number); }
    int CommPort() const override { return line_.CommPort(); }
    bool setSettings(const QString& settings) override { return line_.setSettings(settings); }
    QString Settings() const override { return line_.Settings(); }
    void setRThreshold(int count) override { line_.setRThreshold(count); }
    int RThreshold() const override { return line_.RThreshold(); }
    bool setPortOpen(bool open, QString* error = nullptr) override { return line_.setPortOpen(open, error); }
    bool PortOpen() const override { return line_.PortOpen(); }
    QString DeviceName() const override { return line_.DeviceName(); }
    void Output(const QByteArray& bytes) override { line_.Output(bytes); }
    QByteArray Input() override { return line_.Input(); }
    CommEventKind CommEvent() const override { return line_.CommEvent(); }

  private:
    QtSerialPort line_;
};
