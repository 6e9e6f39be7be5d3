#include "link/PortOpening.h"

#include "link/SerialPort.h"
#include "shared/Globals.h"
#include "ui/Dialogs.h"

namespace {

// UiText position of "RiconoscimentoImpo".
constexpr int CannotOpenTextIndex = 126;

} // namespace

QString PortOpenFailureText(int comPort, const QString& cannotOpenText, const QString& systemError) {
    return QStringLiteral("COM") + QString::number(comPort) + u' ' + cannotOpenText + QStringLiteral("\r\n") +
           systemError;
}

bool OpenInstrumentPort(SerialPort& port, int comPort, const QString& settings, const Globals& g,
                        ui::Dialogs& dialogs) {
    if (port.PortOpen())
        port.setPortOpen(false);
    port.setCommPort(comPort);
    port.setSettings(settings);
    port.setRThreshold(1);
    QString error;
    if (port.setPortOpen(true, &error))
        return true;
    dialogs.message(PortOpenFailureText(port.CommPort(), g.lang.UiText[CannotOpenTextIndex], error), QString(),
                    ui::Icon::Critical);
    return false;
}
