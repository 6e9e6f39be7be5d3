#include "archive/ArchiveKey.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace archive {

QString KeyPathFor(const QString& archivePath) {
    const QFileInfo info(archivePath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".key"));
}

QString LaneKeyPath(const QString& archivePath, const QString& lane) {
    const QByteArray name = lane.toUtf8().toPercentEncoding(" ");
    return QFileInfo(archivePath)
        .dir()
        .filePath(QStringLiteral("chiavi/") + QString::fromLatin1(name) + QStringLiteral(".key"));
}

std::optional<QByteArray> ReadKey(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray key = file.read(KeyBytes + 1);
    if (key.size() != KeyBytes)
        return std::nullopt;
    return key;
}

std::optional<QByteArray> ReadOrCreateKey(const QString& path, QString* error) {
    if (std::optional<QByteArray> key = ReadKey(path))
        return key;
    QByteArray key(KeyBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(key.begin(), key.end());
    // A partly written key file would seal records no one could check again:
    // the key goes to a temporary file first and is linked in whole.
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = target + ".new";
    ::unlink(temporary.constData());
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool written = fd >= 0 && ::write(fd, key.constData(), KeyBytes) == KeyBytes && ::fsync(fd) == 0;
    const int savedErrno = errno;
    if (fd >= 0)
        ::close(fd);
    // link() fails when another process got there first; its key is the one to use.
    if (written && ::link(temporary.constData(), target.constData()) != 0 && errno != EEXIST)
        written = false;
    ::unlink(temporary.constData());
    if (std::optional<QByteArray> stored = ReadKey(path))
        return stored;
    if (error)
        *error =
            QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(written ? errno : savedErrno)));
    return std::nullopt;
}

} // namespace archive
