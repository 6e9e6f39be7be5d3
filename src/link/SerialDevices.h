#pragma once

#include <QList>
#include <QString>

// One serial device present on the station PC.
struct SerialDevice {
    QString systemLocation; // /dev/ttyUSB0, /dev/ttyS0, /dev/ttyACM0
    QString stableName;     // its /dev/serial/by-id name, empty when it has none
    QString manufacturer;
    QString product;
    QString serialNumber;
};

// Where the set-up windows learn which devices are present; tests give a fixed list.
class SerialDeviceList {
  public:
    virtual ~SerialDeviceList() = default;
    virtual QList<SerialDevice> devices() const = 0;
};

// The devices Qt finds, each with the by-id link that points at it.
class SystemSerialDevices : public SerialDeviceList {
  public:
    explicit SystemSerialDevices(QString byIdFolder = QStringLiteral("/dev/serial/by-id"));
    QList<SerialDevice> devices() const override;

  private:
    QString byIdFolder_;
};

// The name to write into Conf.ini: the by-id name, which survives replugging
// into another socket, else the kernel's name.
QString PreferredDeviceName(const SerialDevice& device);

// One entry of the device list: the name that would be written and, on a
// second line, the kernel's name and what the adapter says of itself.
QString DeviceListEntry(const SerialDevice& device);
