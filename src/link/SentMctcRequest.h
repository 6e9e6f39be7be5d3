#pragma once

#include <QByteArray>

struct LinkState;

// What one window last sent to its MCTC-NET instrument. Each window keeps its
// own, so a reply is checked and read with the request it answers, whatever
// other windows have sent on their lines since.
struct SentMctcRequest {
    QByteArray device;  // "GAS", "OPA", "RPM"
    QByteArray number;  // "1"
    QByteArray command; // empty until something was sent

    int commandLength() const { return static_cast<int>(command.size()); }
    int numberLength() const { return static_cast<int>(number.size()); }

    // True when a complete frame is this request's reply: the device type, the
    // separator after it, and the command field equal to the command sent.
    // Nothing answers a request never sent.
    bool isAnsweredBy(const QByteArray& frame) const;

    // Writes it to the link's shared last-request fields, which the rest of
    // the program still reads.
    void copyTo(LinkState& link) const;
};
