#pragma once

#include <QString>

constexpr int HighestComPort = 16;

// The device behind COM port n (1..16): key COMn of section PORTE of Conf.ini
// when present, otherwise /dev/ttyS<n-1>. Empty for a number outside 1..16.
QString ComPortDevice(int number);

// Makes COM port n stand for a device: writes key COMn of section PORTE.
// False, and nothing written, for a number outside 1..16 or an empty name.
bool SetComPortDevice(int number, const QString& device);
