#pragma once

#include <QByteArray>

struct Globals;
class SerialPort;

// Writes the frame to the port if there is one and it is open; otherwise the
// frame is dropped without a word.
void WriteIfOpen(SerialPort* port, const QByteArray& frame);
// Writes the frame to the smoke window's port and then the gas window's port,
// each when its window is active and its port open.
void WriteToMeasuringPorts(Globals& g, const QByteArray& frame);
