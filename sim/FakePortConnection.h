#pragma once

class FakeSerialPort;

namespace sim {

class InstrumentEngine;

// Wires an instrument engine to an in-memory port for fast tests: what the
// program writes on the port goes into the engine, and the engine's replies
// arrive at the port (with a receive event) when the scenario clock reaches
// them. Undone when the connection goes.
class FakePortConnection {
  public:
    FakePortConnection(InstrumentEngine& engine, FakeSerialPort& port);
    ~FakePortConnection();
    FakePortConnection(const FakePortConnection&) = delete;
    FakePortConnection& operator=(const FakePortConnection&) = delete;

  private:
    InstrumentEngine& engine_;
    FakeSerialPort& port_;
};

} // namespace sim
