#pragma once

#include <QByteArray>

class SerialPort;

// A window's receive buffer: what arrived and is not yet a whole frame.
class ReceiveBuffer {
  public:
    // No reply is anywhere near this long; bytes that pile up beyond it without
    // ever making a frame are dropped like an invalid frame.
    static constexpr qsizetype Capacity = 4096;

    // The gas and smoke windows drop a lone first character other than STX.
    enum class FirstByte { Keep, MustBeStx };

    // Appends the port's Input. False when nothing arrived (the receive event
    // then changes nothing). Afterwards the buffer is empty when the first
    // character rule or the capacity dropped it.
    bool takeInput(SerialPort& port, FirstByte rule);
    bool append(const QByteArray& bytes, FirstByte rule);

    // An MCTC-NET frame is complete when its last character is ETX.
    bool endsWithEtx() const;

    const QByteArray& bytes() const { return bytes_; }
    bool isEmpty() const { return bytes_.isEmpty(); }
    void clear() { bytes_.clear(); }

  private:
    QByteArray bytes_;
};
