#pragma once

#include <QByteArray>

#include <cstdint>

struct Globals;

// The maker's binary frames: STX, address, 0 (ACK in a reply), command code, 0,
// length byte N (data bytes + 2), data, checksum, ETX; N + 6 bytes in all.

// Most data bytes a frame can carry: the length byte counts them plus two.
constexpr int MakerMaxDataBytes = 253;

// The byte that brings STX + address + command + length byte + data to a
// multiple of 256 (exactly 256 while that sum stays below it).
std::uint8_t MakerChecksum(int address, int command, int lengthByte, const QByteArray& data);
// The whole request; empty when the data is longer than a frame can carry.
QByteArray BuildMakerFrame(int address, int command, const QByteArray& data);
// Writes the request to the smoke window's port and the gas window's port,
// each when its window is active and its port open.
void SendMakerFrame(Globals& g, int address, int command, const QByteArray& data = {});

enum class MakerReply {
    Incomplete, // wait for more bytes
    Invalid,    // drop the buffer
    Complete,   // act on it, then empty the buffer
};
// Judges the receive buffer of a window that expects a reply from the
// instrument at this address to the last command sent. Completion follows the
// length byte, so a 3 among the data does not end the frame.
MakerReply CheckMakerReply(const QByteArray& buffer, int address, int lastCommand);
