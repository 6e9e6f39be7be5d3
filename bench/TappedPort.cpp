#include "TappedPort.h"

#include <algorithm>

TappedPort::TappedPort(std::unique_ptr<SerialPort> line, unsigned seed) : line_(std::move(line)), random_(seed) {
    clock_.start();
    line_->OnComm = [this] { onLineEvent(); };
}

void TappedPort::Output(const QByteArray& bytes) {
    ++counts_.requests;
    counts_.bytesSent += bytes.size();
    lastRequestAt_ = clock_.elapsed();
    lastRequestBytes_ = bytes.size();
    line_->Output(bytes);
}

QByteArray TappedPort::Input() {
    return std::exchange(input_, {});
}

void TappedPort::onLineEvent() {
    const CommEventKind kind = line_->CommEvent();
    if (kind == CommEventKind::Receive) {
        received(line_->Input());
        return;
    }
    event_ = kind;
    if (OnComm)
        OnComm();
}

bool TappedPort::chance(double probability) {
    return probability > 0 && std::uniform_real_distribution<double>(0, 1)(random_) < probability;
}

void TappedPort::received(QByteArray chunk) {
    if (chunk.isEmpty())
        return;
    ++counts_.chunksReceived;
    counts_.bytesReceived += chunk.size();
    const qint64 now = clock_.elapsed();
    qint64 at = now;
    if (lineBaud_ > 0) {
        // Ten bits a character: the reply cannot be complete before the line
        // has carried the request and every byte of the reply after it.
        const qint64 start = std::max(lastRequestAt_ + lastRequestBytes_ * 10'000 / lineBaud_, lineFreeAt_);
        lastRequestBytes_ = 0;
        lineFreeAt_ = start + chunk.size() * 10'000 / lineBaud_;
        at = std::max(now, lineFreeAt_);
    }
    if (chance(faults_.drop)) {
        ++counts_.dropped;
        return;
    }
    bool intact = true;
    if (chance(faults_.corrupt)) {
        ++counts_.corrupted;
        intact = false;
        const auto index = std::uniform_int_distribution<qsizetype>(0, chunk.size() - 1)(random_);
        chunk[index] = static_cast<char>(chunk[index] ^ (1 + random_() % 255));
    }
    if (chance(faults_.garble)) {
        ++counts_.garbled;
        intact = false;
        QByteArray noise;
        for (int i = 0, n = 1 + int(random_() % 8); i < n; ++i)
            noise += static_cast<char>(random_() % 256);
        chunk.prepend(noise);
    }
    if (intact)
        ++counts_.chunksIntact;
    if (chunk.size() > 1 && chance(faults_.split)) {
        ++counts_.split;
        const qsizetype cut = 1 + std::uniform_int_distribution<qsizetype>(0, chunk.size() - 2)(random_);
        deliverLater(chunk.left(cut), at);
        deliverLater(chunk.mid(cut), at + 30);
        return;
    }
    deliverLater(chunk, at);
}

void TappedPort::deliverLater(QByteArray bytes, qint64 atMs) {
    // Nothing held without bound, whatever the line sends.
    if (held_ + bytes.size() > MaxHeld)
        return;
    held_ += bytes.size();
    const qint64 wait = std::max<qint64>(0, atMs - clock_.elapsed());
    if (wait == 0) {
        held_ -= bytes.size();
        deliver(bytes);
        return;
    }
    QTimer::singleShot(std::chrono::milliseconds(wait), Qt::PreciseTimer, this, [this, bytes] {
        held_ -= bytes.size();
        deliver(bytes);
    });
}

void TappedPort::deliver(const QByteArray& bytes) {
    if (input_.size() + bytes.size() > MaxHeld)
        input_.clear();
    input_ += bytes;
    event_ = CommEventKind::Receive;
    if (OnComm)
        OnComm();
}
