#include "link/FakeSerialPort.h"

#include "link/LineSettings.h"

bool FakeSerialPort::setSettings(const QString& settings) {
    if (!ParseLineSettings(settings))
        return false;
    settings_ = settings;
    return true;
}

bool FakeSerialPort::setPortOpen(bool open, QString* error) {
    if (!open) {
        if (open_)
            ++closeCount_;
        open_ = false;
        input_.clear();
        return true;
    }
    if (open_)
        return true;
    QString failure = everyOpenError_;
    if (failure.isEmpty()) {
        failure = nextOpenError_;
        nextOpenError_.clear();
    }
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return false;
    }
    open_ = true;
    ++openCount_;
    return true;
}

void FakeSerialPort::Output(const QByteArray& bytes) {
    if (!open_)
        return;
    written_.append(bytes);
    if (onWrite)
        onWrite(bytes);
}

QByteArray FakeSerialPort::Input() {
    QByteArray taken;
    taken.swap(input_);
    return taken;
}

void FakeSerialPort::receive(const QByteArray& bytes) {
    // Like a real line: nothing arrives at a closed port.
    if (!open_ || bytes.isEmpty())
        return;
    input_.append(bytes);
    if (rThreshold_ > 0 && input_.size() >= rThreshold_)
        raiseEvent(CommEventKind::Receive);
}

void FakeSerialPort::raiseEvent(CommEventKind kind) {
    event_ = kind;
    if (OnComm)
        OnComm();
}
