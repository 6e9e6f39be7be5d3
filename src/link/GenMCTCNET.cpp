#include "link/GenMCTCNET.h"

#include "link/MeasuringPorts.h"
#include "link/SerialPort.h"
#include "shared/Globals.h"

namespace {

// From this many sends in a row without a reply the rev counter's port is
// reopened before each write: a USB adapter that was unplugged comes back.
constexpr int RevCounterReopenMisses = 3;

void reopen(SerialPort& port) {
    if (port.PortOpen())
        port.setPortOpen(false);
    port.setPortOpen(true);
}

} // namespace

void SendMctcToMeasuring(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                         const QByteArray& data) {
    WriteToMeasuringPorts(g, BuildMctcFrame(device, command, number, data));
}

void SendMctcToMeasuring(Globals& g, const SentMctcRequest& request, const QByteArray& data) {
    request.copyTo(g.link);
    SendMctcToMeasuring(g, request.device, request.command, request.number, data);
}

void SendMctcToRevCounter(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                          const QByteArray& data) {
    LinkState& link = g.link;
    const QByteArray frame = BuildMctcFrame(device, command, number, data);
    SerialPort* port = link.RevCounterPort;
    if (link.RevCounterReplyFlag == 1) {
        link.RevCounterMissCount = 0;
        if (port && port->PortOpen()) {
            // Cleared before writing: an answer that arrives while the write is
            // still under way must count for this request.
            link.RevCounterReplyFlag = 0;
            port->Output(frame);
        }
        return;
    }
    if (link.ShowRevCounterSpeedUnknown)
        link.ShowRevCounterSpeedUnknown();
    ++link.RevCounterMissCount;
    if (port && link.RevCounterMissCount >= RevCounterReopenMisses)
        reopen(*port);
    WriteIfOpen(port, frame);
}

void SendMctcToRecognition(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                           const QByteArray& data) {
    WriteIfOpen(g.link.RecognitionPort, BuildMctcFrame(device, command, number, data));
}

void SendMctcToOpacimeterSetup(Globals& g, const QByteArray& device, const QByteArray& command,
                               const QByteArray& number, const QByteArray& data) {
    WriteIfOpen(g.link.OpacimeterSetupPort, BuildMctcFrame(device, command, number, data));
}

void SendMctcToGasSetup(Globals& g, const QByteArray& device, const QByteArray& command, const QByteArray& number,
                        const QByteArray& data) {
    WriteIfOpen(g.link.GasSetupPort, BuildMctcFrame(device, command, number, data));
}

void SendMctcToRevCounterSetup(Globals& g, const QByteArray& device, const QByteArray& command,
                               const QByteArray& number, const QByteArray& data) {
    SerialPort* port = g.link.RevCounterSetupPort;
    if (port && !port->PortOpen())
        port->setPortOpen(true);
    WriteIfOpen(port, BuildMctcFrame(device, command, number, data));
}
