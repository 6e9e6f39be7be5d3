#include "link/MeasuringPorts.h"

#include "link/SerialPort.h"
#include "shared/Globals.h"

void WriteIfOpen(SerialPort* port, const QByteArray& frame) {
    if (port && port->PortOpen())
        port->Output(frame);
}

void WriteToMeasuringPorts(Globals& g, const QByteArray& frame) {
    if (g.app.SmokeWindowActive)
        WriteIfOpen(g.link.SmokePort, frame);
    if (g.app.GasWindowActive)
        WriteIfOpen(g.link.GasPort, frame);
}
