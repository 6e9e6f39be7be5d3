#include "link/SerialDevices.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

SystemSerialDevices::SystemSerialDevices(QString byIdFolder) : byIdFolder_(std::move(byIdFolder)) {}

QList<SerialDevice> SystemSerialDevices::devices() const {
    // by-id holds one link per adapter; find which kernel device each names.
    QHash<QString, QString> stableNames;
    const QDir byId(byIdFolder_);
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        if (link.isSymLink())
            stableNames.insert(link.canonicalFilePath(), link.absoluteFilePath());

    QList<SerialDevice> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.systemLocation = info.systemLocation();
        device.stableName = stableNames.value(QFileInfo(device.systemLocation).canonicalFilePath());
        device.manufacturer = info.manufacturer();
        device.product = info.description();
        device.serialNumber = info.serialNumber();
        found.append(device);
    }
    return found;
}

QString PreferredDeviceName(const SerialDevice& device) {
    return device.stableName.isEmpty() ? device.systemLocation : device.stableName;
}

QString DeviceListEntry(const SerialDevice& device) {
    QStringList about;
    if (!device.stableName.isEmpty())
        about << device.systemLocation;
    for (const QString& part : {device.manufacturer, device.product, device.serialNumber})
        if (!part.trimmed().isEmpty())
            about << part.trimmed();
    const QString name = PreferredDeviceName(device);
    return about.isEmpty() ? name : name + QStringLiteral("\n    ") + about.join(QStringLiteral(", "));
}
