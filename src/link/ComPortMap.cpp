#include "link/ComPortMap.h"

#include "settings/RCLIni.h"
#include "ui/Paths.h"

namespace {

RCLIni portMapKey(int number) {
    RCLIni ini;
    ini.File = ui::Paths::inWorkingDirectory(QStringLiteral("Conf.ini"));
    ini.Section = QStringLiteral("PORTE");
    ini.key = QStringLiteral("COM%1").arg(number);
    return ini;
}

} // namespace

QString ComPortDevice(int number) {
    if (number < 1 || number > HighestComPort)
        return {};
    RCLIni ini = portMapKey(number);
    if (ini.GetValue())
        return ini.Value;
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}

bool SetComPortDevice(int number, const QString& device) {
    if (number < 1 || number > HighestComPort || device.trimmed().isEmpty())
        return false;
    RCLIni ini = portMapKey(number);
    ini.Value = device.trimmed();
    return ini.SetValue();
}
