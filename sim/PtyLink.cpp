#include "sim/PtyLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr qsizetype MaxReadPerCall = 64 * 1024;

QString systemError(const QString& what) {
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool makeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0)
        return false;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool setFlags(int fd) {
    const int status = ::fcntl(fd, F_GETFL);
    const int descriptor = ::fcntl(fd, F_GETFD);
    return status >= 0 && descriptor >= 0 && ::fcntl(fd, F_SETFL, status | O_NONBLOCK) == 0 &&
           ::fcntl(fd, F_SETFD, descriptor | FD_CLOEXEC) == 0;
}

// Points linkPath at target, replacing an older symbolic link in one step so
// a program opening the path never finds it missing.
bool placeLink(const QString& target, const QString& linkPath, QString* error) {
    const QByteArray link = QFile::encodeName(linkPath);
    struct stat existing {};
    if (::lstat(link.constData(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    if (!QDir().mkpath(QFileInfo(linkPath).absolutePath())) {
        *error = QStringLiteral("cannot make the folder of %1").arg(linkPath);
        return false;
    }
    const QByteArray temporary = link + ".new" + QByteArray::number(::getpid());
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) != 0) {
        *error = systemError(QStringLiteral("cannot make the link %1").arg(linkPath));
        return false;
    }
    if (::rename(temporary.constData(), link.constData()) != 0) {
        *error = systemError(QStringLiteral("cannot place the link %1").arg(linkPath));
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

} // namespace

std::unique_ptr<PtyLink> PtyLink::create(const QString& linkPath, QString* error) {
    QString reason;
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (linkPath.isEmpty()) {
        reason = QStringLiteral("no link path given");
    } else if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        reason = systemError(QStringLiteral("cannot make a pseudo-terminal"));
    } else if (!makeRaw(slave) || !setFlags(master) || !setFlags(slave)) {
        reason = systemError(QStringLiteral("cannot set up the pseudo-terminal"));
    } else if (placeLink(QString::fromLocal8Bit(name), linkPath, &reason)) {
        return std::unique_ptr<PtyLink>(
            new PtyLink(master, slave, QString::fromLocal8Bit(name), QFileInfo(linkPath).absoluteFilePath()));
    }
    if (master >= 0)
        ::close(master);
    if (slave >= 0)
        ::close(slave);
    if (error)
        *error = reason;
    return nullptr;
}

PtyLink::PtyLink(int master, int slave, QString slavePath, QString linkPath)
    : master_(master), slave_(slave), slavePath_(std::move(slavePath)), linkPath_(std::move(linkPath)) {}

PtyLink::~PtyLink() {
    // Another simulator may have taken the path over since; its link stays.
    const QByteArray link = QFile::encodeName(linkPath_);
    char target[256] = {};
    const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
    if (length > 0 && QFile::decodeName(QByteArray(target, length)) == slavePath_)
        ::unlink(link.constData());
    ::close(master_);
    ::close(slave_);
}

QByteArray PtyLink::readAvailable() {
    QByteArray received;
    char buffer[4096];
    while (received.size() < MaxReadPerCall) {
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count > 0) {
            received.append(buffer, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: nothing more for now; EIO: no one at the other end
    }
    return received;
}

void PtyLink::write(const QByteArray& bytes) {
    const qsizetype room = MaxPendingBytes - pending_.size();
    if (bytes.size() > room)
        dropped_ += bytes.size() - room;
    pending_.append(bytes.left(room));
    flush();
}

bool PtyLink::flush() {
    while (!pending_.isEmpty()) {
        const ssize_t count = ::write(master_, pending_.constData(), size_t(pending_.size()));
        if (count > 0) {
            pending_.remove(0, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return false;
    }
    return true;
}

} // namespace sim
