#include "sim/FakePortConnection.h"

#include "link/FakeSerialPort.h"
#include "sim/InstrumentEngine.h"

namespace sim {

FakePortConnection::FakePortConnection(InstrumentEngine& engine, FakeSerialPort& port) : engine_(engine), port_(port) {
    port_.onWrite = [this](const QByteArray& bytes) { engine_.receive(bytes); };
    engine_.setOutput([this](const QByteArray& bytes) { port_.receive(bytes); });
}

FakePortConnection::~FakePortConnection() {
    port_.onWrite = nullptr;
    engine_.setOutput({});
}

} // namespace sim
