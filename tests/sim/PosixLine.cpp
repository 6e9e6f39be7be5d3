#include "PosixLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

PosixLine::PosixLine(const QString& path, Settings settings) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    termios raw{};
    if (settings == Settings::MakeRaw && ::tcgetattr(fd_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(fd_, TCSANOW, &raw);
    }
}

PosixLine::~PosixLine() {
    close();
}

void PosixLine::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool PosixLine::write(const QByteArray& bytes) {
    return isOpen() && ::write(fd_, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray PosixLine::readFrame(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (isOpen() && !unread_.contains('\x03') && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd wanted{fd_, POLLIN, 0};
        if (::poll(&wanted, 1, 5) > 0 && (wanted.revents & POLLIN)) {
            char buffer[256];
            const ssize_t count = ::read(fd_, buffer, sizeof buffer);
            if (count > 0)
                unread_.append(buffer, count);
        }
    }
    const qsizetype end = unread_.indexOf('\x03');
    const QByteArray frame = end < 0 ? unread_ : unread_.left(end + 1);
    unread_.remove(0, frame.size());
    return frame;
}

void TurnEventLoop(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}
