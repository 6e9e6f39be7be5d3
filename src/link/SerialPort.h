#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// What the port raises OnComm for. Receive and Send are the normal traffic; the
// others are line-state changes and errors, which the windows only classify.
enum class CommEventKind {
    None,
    Send,
    Receive,
    CtsChange,
    DsrChange,
    CdChange,
    Ring,
    EndOfFile,
    Break,
    FramingError,
    ParityError,
    CtsTimeout,
    DsrTimeout,
    Overrun,
    CdTimeout,
    ReceiveOverflow,
    TransmitFull,
    Unknown,
};

// The serial port a window owns: the operations of the communications control
// the windows were designed around. Frames are 8-bit byte strings both ways.
class SerialPort {
  public:
    using Handler = std::function<void()>;

    virtual ~SerialPort() = default;

    // COM port number 1..16; takes effect at the next open.
    virtual void setCommPort(int number) = 0;
    virtual int CommPort() const = 0;
    // "baud,parity,data bits,stop bits", e.g. "9600,n,8,1". False, and the
    // previous settings kept, when the string cannot be understood.
    virtual bool setSettings(const QString& settings) = 0;
    virtual QString Settings() const = 0;
    // Received characters needed to raise a receive event; 0 raises none.
    virtual void setRThreshold(int count) = 0;
    virtual int RThreshold() const = 0;

    // Opening may fail: then false, with the system's description of the error
    // in *error (when given). Closing always succeeds.
    virtual bool setPortOpen(bool open, QString* error = nullptr) = 0;
    virtual bool PortOpen() const = 0;
    // The device file the COM number stands for, when the port is a real
    // one; empty otherwise.
    virtual QString DeviceName() const { return {}; }

    // Writes every byte as it is; ignored while the port is closed.
    virtual void Output(const QByteArray& bytes) = 0;
    // Everything received so far; the input buffer is empty afterwards.
    virtual QByteArray Input() = 0;
    // The kind of the event being delivered to OnComm.
    virtual CommEventKind CommEvent() const = 0;

    // The owning form's handler, called on the UI thread for every event.
    Handler OnComm;
};
