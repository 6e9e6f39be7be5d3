#include "link/ComPortMap.h"

#include "settings/RCLIni.h"
#include "ui/Paths.h"

QString ComPortDevice(int number) {
    if (number < 1 || number > HighestComPort)
        return {};
    RCLIni ini;
    ini.File = ui::Paths::inWorkingDirectory(QStringLiteral("Conf.ini"));
    ini.Section = QStringLiteral("PORTE");
    ini.key = QStringLiteral("COM%1").arg(number);
    if (ini.GetValue())
        return ini.Value;
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}
