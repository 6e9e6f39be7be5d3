#include "link/ReceiveBuffer.h"

#include "link/FrameBytes.h"
#include "link/SerialPort.h"

bool ReceiveBuffer::takeInput(SerialPort& port, FirstByte rule) {
    return append(port.Input(), rule);
}

bool ReceiveBuffer::append(const QByteArray& bytes, FirstByte rule) {
    if (bytes.isEmpty())
        return false;
    if (bytes_.size() + bytes.size() > Capacity) {
        bytes_.clear();
        return true;
    }
    bytes_.append(bytes);
    if (rule == FirstByte::MustBeStx && bytes_.size() == 1 && bytes_[0] != FrameByte::Stx)
        bytes_.clear();
    return true;
}

bool ReceiveBuffer::endsWithEtx() const {
    return !bytes_.isEmpty() && bytes_.back() == FrameByte::Etx;
}
