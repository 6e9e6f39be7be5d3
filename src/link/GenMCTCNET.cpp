#include "link/GenMCTCNET.h"

#include "link/MeasuringPorts.h"
#include "link/PortReopenRule.h"
#include "link/SerialPort.h"
#include "shared/Globals.h"

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
    // The count is the link's own, kept for the rev counter window.
    if (port)
        PortReopenRule().reopenIfDue(*port, link.RevCounterMissCount);
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
