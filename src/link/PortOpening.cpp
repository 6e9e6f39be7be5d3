#include "link/PortOpening.h"

#include "link/PortDiagnosis.h"
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

QString DescribePortOpenFailure(const Globals& g, const QString& device, const QString& systemError) {
    if (device.isEmpty())
        return systemError;
    const QString cause = PortOpenDiagnosisText(g, DiagnosePortOpen(device));
    return cause.isEmpty() ? systemError : cause;
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
    dialogs.message(PortOpenFailureText(port.CommPort(), g.lang.UiText[CannotOpenTextIndex],
                                        DescribePortOpenFailure(g, port.DeviceName(), error)),
                    QString(), ui::Icon::Critical);
    return false;
}
