#include "link/QtSerialPort.h"

#include "link/ComPortMap.h"
#include "link/LineSettings.h"

namespace {

QSerialPort::Parity parityOf(char letter) {
    switch (letter) {
    case 'e': return QSerialPort::EvenParity;
    case 'o': return QSerialPort::OddParity;
    case 'm': return QSerialPort::MarkParity;
    case 's': return QSerialPort::SpaceParity;
    default: return QSerialPort::NoParity;
    }
}

} // namespace

QtSerialPort::QtSerialPort() {
    port_.setReadBufferSize(MaxPendingInput);
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { onReadyRead(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPort::~QtSerialPort() {
    OnComm = nullptr;
    port_.close();
}

bool QtSerialPort::setSettings(const QString& settings) {
    if (!ParseLineSettings(settings))
        return false;
    settings_ = settings;
    if (port_.isOpen())
        applySettings();
    return true;
}

void QtSerialPort::applySettings() {
    const LineSettings line = ParseLineSettings(settings_).value_or(LineSettings{});
    port_.setBaudRate(line.baud);
    port_.setParity(parityOf(line.parity));
    port_.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits));
    port_.setStopBits(line.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

bool QtSerialPort::setPortOpen(bool open, QString* error) {
    if (!open) {
        port_.close();
        return true;
    }
    if (port_.isOpen())
        return true;
    const QString device = ComPortDevice(commPort_);
    if (device.isEmpty()) {
        if (error)
            *error = QStringLiteral("Invalid port number");
        return false;
    }
    port_.setPortName(device);
    opening_ = true;
    const bool opened = port_.open(QIODevice::ReadWrite);
    opening_ = false;
    if (!opened) {
        if (error)
            *error = port_.errorString();
        port_.clearError();
        return false;
    }
    applySettings();
    // Whatever the line held before this open belongs to nobody.
    port_.clear();
    return true;
}

QString QtSerialPort::DeviceName() const {
    return ComPortDevice(commPort_);
}

void QtSerialPort::Output(const QByteArray& bytes) {
    if (!port_.isOpen() || bytes.isEmpty())
        return;
    if (port_.bytesToWrite() + bytes.size() > MaxPendingOutput) {
        deliver(CommEventKind::TransmitFull);
        return;
    }
    port_.write(bytes);
}

QByteArray QtSerialPort::Input() {
    return port_.isOpen() ? port_.readAll() : QByteArray();
}

void QtSerialPort::deliver(CommEventKind kind) {
    event_ = kind;
    if (OnComm)
        OnComm();
}

void QtSerialPort::onReadyRead() {
    if (rThreshold_ > 0 && port_.bytesAvailable() >= rThreshold_)
        deliver(CommEventKind::Receive);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error) {
    // Failures of open are told by setPortOpen itself.
    if (error == QSerialPort::NoError || opening_ || !port_.isOpen())
        return;
    port_.clearError();
    deliver(CommEventKind::Unknown);
    // A tty only fails to read once its device has gone (adapter unplugged,
    // other end of a pseudo-terminal closed); left open, the same error would
    // come back at once, without end.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
        port_.close();
}
