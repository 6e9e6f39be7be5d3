#pragma once

#include "link/FakeSerialPort.h"

#include <QByteArray>
#include <QList>

#include <map>
#include <set>
#include <utility>

// Sixteen lines behind one port object: some cannot be opened, some have an
// instrument that answers its own device's identification.
class ScriptedLines : public FakeSerialPort {
  public:
    ScriptedLines() {
        onWrite = [this](const QByteArray& frame) {
            sent.append({CommPort(), tick, frame.mid(1, 3)});
            const auto answer = answers.find(CommPort());
            if (answer != answers.end() && frame.mid(1, 3) == answer->second.first)
                receive(answer->second.second);
        };
    }

    bool setPortOpen(bool open, QString* error = nullptr) override {
        if (open && missing.count(CommPort())) {
            if (error)
                *error = QStringLiteral("No such file or directory");
            return false;
        }
        return FakeSerialPort::setPortOpen(open, error);
    }

    struct Sent {
        int port;
        int tick;
        QByteArray device;
    };
    std::set<int> missing;
    std::map<int, std::pair<QByteArray, QByteArray>> answers;
    QList<Sent> sent;
    int tick = 0;
};
